#include "controls/grid/core/base_grid.h"

#include "controls/grid/core/undo_redo.h"

#include <algorithm>

namespace grid {

namespace {

// Union of two rectangles given with exclusive right and bottom edges, so
// that zero-wide parts still count.
QRect UnionExclusive(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2)
{
    const int l = std::min(l1, l2);
    const int t = std::min(t1, t2);
    const int r = std::max(r1, r2);
    const int b = std::max(b1, b2);
    return QRect(l, t, r - l, b - t);
}

} // namespace

TBaseGrid::TBaseGrid() = default;

TBaseGrid::~TBaseGrid()
{
    if (UndoRedo)
        UndoRedo->GridDestroyed(this);
    FreeAllCellProperties();
}

void TBaseGrid::SetGridLineWidth(int value)
{
    gridLineWidth_ = value;
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor value)
{
    gridLineColor_ = value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor value)
{
    gridFixedLineColor_ = value;
    Invalidate();
}

#define GRID_SETTER(Name, field)                                                                                      \
    void TBaseGrid::Set##Name(decltype(field) value)                                                                  \
    {                                                                                                                 \
        if (field == value)                                                                                           \
            return;                                                                                                   \
        field = value;                                                                                                \
        Invalidate();                                                                                                 \
    }
GRID_SETTER(ActiveRowShow, activeRowShow_)
GRID_SETTER(ActiveRowColor, activeRowColor_)
GRID_SETTER(ActiveRowColorTo, activeRowColorTo_)
GRID_SETTER(ActiveRowMirrorColor, activeRowMirrorColor_)
GRID_SETTER(ActiveRowMirrorColorTo, activeRowMirrorColorTo_)
GRID_SETTER(SelectionStyle, selectionStyle_)
#undef GRID_SETTER

bool TBaseGrid::HasCellProperties(int col, int row) const
{
    return col >= 0 && col < TotalColCount() && row >= 0 && row < RowCount() && store_.Props(col, row) != nullptr;
}

QString TBaseGrid::GetCellEx(int col, int row) const
{
    // One store lookup for a cell without properties; a merged cell reads
    // its base cell.
    TGridCoord at{col, row};
    const Cell* cell = store_.CellAt(col, row);
    if (cell && cell->Props && HasCellProperties(col, row)) {
        at = cell->Props->GetBaseCell(col, row);
        cell = store_.CellAt(at.X, at.Y);
    }
    QString value = cell ? cell->Text : QString();
    if (at.Y < FNormalRowCount) {
        GetDisplText(at.X, at.Y, value);
        if (OnGetDisplWideText) {
            QString wide = DecodeWideText(value);
            GetDisplWideText(at.X, at.Y, wide);
            value = EncodeWideText(wide);
        }
    }
    return value;
}

void TBaseGrid::SetCellEx(int col, int row, const QString& value)
{
    if (!CellStore::InRange(col, row))
        return;
    if (HasCellProperties(col, row)) {
        const TGridCoord base = store_.Props(col, row)->GetBaseCell(col, row);
        store_.SetText(base.X, base.Y, value);
        CellTextChanged(base.X, base.Y);
        if (HasView())
            RepaintCell(DisplColIndex(col), row);
    } else {
        store_.SetText(col, row, value);
        InvalidateCell(DisplColIndex(col), row);
    }
    if (FHideLastRow && row == RowCount() - 1)
        UpdateFooterRow();
}

void TBaseGrid::GetDisplText(int col, int row, QString& value) const
{
    if (OnGetDisplText)
        OnGetDisplText(const_cast<TBaseGrid*>(this), col, row, value);
}

void TBaseGrid::GetDisplWideText(int col, int row, QString& value) const
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(const_cast<TBaseGrid*>(this), col, row, value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont& font, TColor& brush, TColor& colorTo, TColor& mirrorColor,
                                TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                                TCellGradientDirection& gd)
{
    font = Font;
    brush = Color;
    colorTo = clNone;
    mirrorColor = clNone;
    mirrorColorTo = clNone;
    ha = taLeftJustify;
    va = vtaTop;
    ww = WordWrap();
    gd = GradientVertical;
}

TCellProperties* TBaseGrid::CreateCellProperties(int col, int row, bool setCalcType)
{
    if (!CellStore::InRange(col, row))
        return nullptr;
    auto props = NewCellProperties(col, row, setCalcType);
    TCellProperties* raw = props.get();
    store_.SetProps(col, row, std::move(props));
    FHasCellProps = true;
    return raw;
}

std::unique_ptr<TCellProperties> TBaseGrid::NewCellProperties(int col, int row, bool setCalcType)
{
    auto props = std::make_unique<TCellProperties>(this, col, row);
    TFont font = Font;
    TColor brush = Color;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = WordWrap();
    TCellGradientDirection gd = GradientVertical;
    GetCellDefaults(col, row, font, brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    if (setCalcType)
        props->CalcType = acNONE;
    props->Alignment = ha;
    props->vAlignment_ = va;
    props->wordWrap_ = ww;
    props->FontName = font.Name;
    props->FontSize = font.Size;
    props->FontStyle = font.Style;
    props->FontColor = font.Color;
    props->brushColor_ = brush;
    props->brushColorTo_ = colorTo;
    props->GradientDirection = gd;
    return props;
}

TCellProperties* TBaseGrid::CellProperties(int col, int row)
{
    if (TCellProperties* p = store_.Props(col, row))
        return p;
    return CreateCellProperties(col, row, true);
}

void TBaseGrid::SetCellProperties(int col, int row, std::unique_ptr<TCellProperties> value)
{
    if (value)
        FHasCellProps = true;
    store_.SetProps(col, row, std::move(value)); // the old object is freed here
}

quintptr TBaseGrid::GetObjectEx(int col, int row) const
{
    const TCellProperties* p = store_.Props(col, row);
    return p ? p->CellObject : 0;
}

void TBaseGrid::SetObjectEx(int col, int row, quintptr value)
{
    if (!CellStore::InRange(col, row))
        return;
    const bool wasEmpty = GetCellEx(col, row).isEmpty();
    if (wasEmpty)
        SetCellEx(col, row, QStringLiteral(" "));
    CellProperties(col, row)->CellObject = value;
    if (wasEmpty)
        SetCellEx(col, row, QString());
}

TCellGraphic* TBaseGrid::GetGraphicObjectEx(int col, int row) const
{
    const TCellProperties* p = store_.Props(col, row);
    return p ? p->FGraphicObject.get() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int col, int row, std::unique_ptr<TCellGraphic> value)
{
    if (!CellStore::InRange(col, row))
        return;
    const bool wasEmpty = GetCellEx(col, row).isEmpty();
    if (wasEmpty)
        SetCellEx(col, row, QStringLiteral(" "));
    TCellProperties* p = store_.Props(col, row);
    if (!p)
        p = CreateCellProperties(col, row, false);
    p->FGraphicObject = std::move(value);
    if (wasEmpty)
        SetCellEx(col, row, QString());
}

TGridCoord TBaseGrid::BaseCell(int col, int row) const
{
    if (HasCellProperties(col, row))
        return store_.Props(col, row)->GetBaseCell(col, row);
    return {col, row};
}

bool TBaseGrid::IsBaseCell(int col, int row) const
{
    return HasCellProperties(col, row) ? store_.Props(col, row)->IsBaseCell : true;
}

bool TBaseGrid::FindBaseCell(int col, int row, int& baseCol, int& baseRow) const
{
    baseCol = col;
    baseRow = row;
    if (!HasCellProperties(col, row) || store_.Props(col, row)->IsBaseCell)
        return true;
    const TGridCoord b = store_.Props(col, row)->GetBaseCell(col, row);
    baseCol = b.X;
    baseRow = b.Y;
    return false;
}

bool TBaseGrid::IsMergedCell(int col, int row) const
{
    if (!HasCellProperties(col, row))
        return false;
    const TCellProperties* p = store_.Props(col, row);
    return p->CellSpanX > 0 || p->CellSpanY > 0;
}

bool TBaseGrid::IsMergedNonBaseCell(int col, int row) const
{
    return IsMergedCell(col, row) && !store_.Props(col, row)->IsBaseCell;
}

bool TBaseGrid::IsXMergedCell(int col, int row) const
{
    if (!HasCellProperties(col, row))
        return false;
    const TGridCoord b = BaseCell(col, row);
    const TCellProperties* bp = store_.Props(b.X, b.Y);
    return bp && bp->CellSpanX > 0;
}

bool TBaseGrid::IsYMergedCell(int col, int row) const
{
    if (!HasCellProperties(col, row))
        return false;
    const TGridCoord b = BaseCell(col, row);
    const TCellProperties* bp = store_.Props(b.X, b.Y);
    return bp && bp->CellSpanY > 0;
}

QPoint TBaseGrid::CellSpan(int col, int row) const
{
    if (!HasCellProperties(col, row))
        return {0, 0};
    const TCellProperties* p = store_.Props(col, row);
    if (p->CellSpanX == -1 || p->CellSpanY == -1)
        return {0, 0};
    const TGridCoord b = p->GetBaseCell(col, row);
    const TCellProperties* bp = store_.Props(b.X, b.Y);
    if (!bp)
        return {0, 0};
    return {bp->CellSpanX, bp->CellSpanY};
}

QPoint TBaseGrid::CellExt(int col, int row) const
{
    if (!HasCellProperties(col, row))
        return {0, 0};
    const TCellProperties* p = store_.Props(col, row);
    if (p->CellSpanX == -1 || p->CellSpanY == -1)
        return {0, 0};
    const TGridCoord b = p->GetBaseCell(col, row);
    const TCellProperties* bp = store_.Props(b.X, b.Y);
    if (!bp)
        return {0, 0};
    return {b.X + bp->CellSpanX - col, b.Y + bp->CellSpanY - row};
}

TGridRect TBaseGrid::FullCell(int col, int row) const
{
    const TGridCoord b = BaseCell(col, row);
    const QPoint span = CellSpan(col, row);
    return {b.X, b.Y, b.X + span.x(), b.Y + span.y()};
}

int TBaseGrid::MinRowSpan(int row) const
{
    int best = RowCount();
    for (int c = 0; c < TotalColCount(); ++c) {
        const int y = CellSpan(c, row).y();
        if (y > 0 && y < RowCount())
            best = std::min(best, y);
    }
    return best;
}

int TBaseGrid::MaxRowSpan(int row) const
{
    int best = 0;
    for (int c = 0; c < TotalColCount(); ++c)
        best = std::max(best, CellSpan(c, row).y());
    return best;
}

bool TBaseGrid::RowSpanIdentical(int row1, int row2) const
{
    bool found = false;
    for (int c = 0; c < TotalColCount(); ++c) {
        if (CellSpan(c, row1).y() > 0 && CellSpan(c, row2).y() > 0) {
            found = true;
            if (BaseCell(c, row1).Y != BaseCell(c, row2).Y)
                return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int col1, int col2) const
{
    bool found = false;
    const int rows = std::min(RowCount(), store_.Extent());
    for (int r = 0; r < rows; ++r) {
        const int x1 = CellSpan(col1, r).x();
        const int x2 = CellSpan(col2, r).x();
        if (x1 > 0 && x2 > 0) {
            found = true;
            if (BaseCell(col1, r).X != BaseCell(col2, r).X)
                return false;
        } else if (x1 != x2) {
            return false;
        }
    }
    return found;
}

void TBaseGrid::MergeCells(int col, int row, int spanX, int spanY)
{
    ++FMergeCount;
    if (spanX < 1 || spanY < 1 || !CellStore::InRange(col, row))
        return;
    const int lastCol = std::min(col + spanX - 1, kMaxColumns - 1);
    const int lastRow = std::min(row + spanY - 1, kMaxRows - 1);
    for (int i = col; i <= lastCol; ++i) {
        for (int j = row; j <= lastRow; ++j) {
            TCellProperties* p = CellProperties(i, j);
            if (i == col && j == row) {
                p->IsBaseCell = true;
                p->CellSpanX = spanX - 1;
                p->CellSpanY = spanY - 1;
            } else {
                p->IsBaseCell = false;
                p->CellSpanX = i - col;
                p->CellSpanY = j - row;
            }
        }
    }
    RepaintCell(DisplColIndex(col), row);
}

void TBaseGrid::SplitCells(int col, int row)
{
    TCellProperties* own = CellProperties(col, row);
    if (own) {
        const TGridCoord base = own->GetBaseCell(col, row);
        TCellProperties* bp = CellProperties(base.X, base.Y);
        if (bp && bp->CellSpanX != -1 && bp->CellSpanY != -1) {
            const int sx = bp->CellSpanX;
            const int sy = bp->CellSpanY;
            const QRect area = CellRect(DisplColIndex(base.X), base.Y);
            for (int i = base.X; i <= base.X + sx; ++i) {
                for (int j = base.Y; j <= base.Y + sy; ++j) {
                    if (TCellProperties* p = CellProperties(i, j)) {
                        p->IsBaseCell = true;
                        p->CellSpanX = -1;
                        p->CellSpanY = -1;
                    }
                }
            }
            InvalidateRect(area);
        }
    }
    --FMergeCount;
}

QRect TBaseGrid::UnclippedCellRect(int col, int row) const
{
    qint64 x = ColOffset(col);
    qint64 y = RowOffset(row);
    if (col >= FixedCols())
        x += FixedColsWidth() - ColOffset(LeftCol());
    if (row >= FixedRows())
        y += FixedRowsHeight() - RowOffset(TopRow());
    return QRect(static_cast<int>(x), static_cast<int>(y), ColWidths(col), RowHeights(row));
}

QRect TBaseGrid::CellRect(int col, int row) const
{
    const int real = RealColIndex(col);
    if (HasCellProperties(real, row)) {
        const TCellProperties* p = store_.Props(real, row);
        if (p->CellSpanX != -1 || p->CellSpanY != -1) {
            const TGridCoord base = p->GetBaseCell(real, row);
            const TCellProperties* bp = store_.Props(base.X, base.Y);
            const int sx = bp ? std::max(0, bp->CellSpanX) : 0;
            const int sy = bp ? std::max(0, bp->CellSpanY) : 0;
            const QRect r1 = UnclippedCellRect(DisplColIndex(base.X), base.Y);
            const QRect r2 = UnclippedCellRect(DisplColIndex(base.X + sx), base.Y + sy);
            int l1 = r1.x(), t1 = r1.y(), rr1 = r1.x() + r1.width(), b1 = r1.y() + r1.height();
            int l2 = r2.x(), t2 = r2.y(), rr2 = r2.x() + r2.width(), b2 = r2.y() + r2.height();
            if (r1.width() == 0)
                ++rr1;
            if (r2.width() == 0)
                --l2;
            return UnionExclusive(l1, t1, rr1, b1, l2, t2, rr2, b2);
        }
        if (p->Control)
            return UnclippedCellRect(col, row);
    }
    return PlatformCellRect(col, row);
}

QPoint TBaseGrid::CellSize(int col, int row) const
{
    const int real = RealColIndex(col);
    const QPoint span = CellSpan(real, row);
    if (span.x() > 0 || span.y() > 0) {
        const TGridCoord base = BaseCell(real, row);
        const QRect r1 = UnclippedCellRect(DisplColIndex(base.X), base.Y);
        const QRect r2 = UnclippedCellRect(DisplColIndex(base.X + span.x()), base.Y + span.y());
        return {r2.x() + r2.width() - r1.x(), r2.y() + r2.height() - r1.y()};
    }
    return {ColWidths(col), RowHeights(row)};
}

void TBaseGrid::RepaintCell(int col, int row)
{
    if (HasView())
        InvalidateRect(CellRect(col, row));
}

void TBaseGrid::ClearRowCells(int row)
{
    RowRecord* rec = store_.Row(row);
    if (!rec)
        return;
    for (int c = 0; c < rec->Size(); ++c) {
        store_.TakeProps(c, row); // freed here: nothing leaks
        SetCellEx(c, row, QString());
    }
}

void TBaseGrid::ClearColCells(int col)
{
    if (col < 0 || col >= kMaxColumns)
        return;
    std::vector<int> rows;
    store_.ForEachRow([&](int r, RowRecord& rec) {
        if (rec.At(col))
            rows.push_back(r);
    });
    for (int r : rows) {
        store_.TakeProps(col, r);
        SetCellEx(col, r, QString());
    }
}

void TBaseGrid::ClearCellData(int col, int row)
{
    SetCellEx(col, row, QString());
    store_.TakeProps(col, row);
}

void TBaseGrid::FreeCellProperties(int col1, int row1, int col2, int row2)
{
    if (!FHasCellProps)
        return;
    row1 = std::max(0, row1);
    col1 = std::max(0, col1);
    row2 = std::min(row2, store_.Extent() - 1);
    for (int r = row1; r <= row2; ++r) {
        RowRecord* rec = store_.Row(r);
        if (!rec)
            continue;
        const int last = std::min(col2, rec->Size() - 1);
        for (int c = col1; c <= last; ++c)
            rec->At(c)->Props.reset();
    }
}

void TBaseGrid::FreeCellPropertiesAt(int col, int row)
{
    store_.TakeProps(col, row);
}

void TBaseGrid::FreeAllCellProperties()
{
    FreeCellProperties(0, 0, kMaxColumns - 1, store_.Extent() - 1);
}

bool TBaseGrid::SelectCell(int col, int row)
{
    RepaintCell(Col(), Row());
    const bool allow = TObjStringGrid::SelectCell(col, row);
    RepaintCell(col, row);
    return allow;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    RepaintMergedFixedCols();
    RepaintMergedFixedRows();
}

void TBaseGrid::RepaintMergedFixedCols()
{
    if (FixedCols() <= 0 || !HasView())
        return;
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount(); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(RealColIndex(c), r))
                RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRows()
{
    if (FixedRows() <= 0 || !HasView())
        return;
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(RealColIndex(c), r))
                RepaintCell(c, r);
}

void TBaseGrid::MergedKeyStep(int key)
{
    if (key == VK_NEXT) {
        if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow && RowCount() > 1)
            SetRow(RowCount() - 2);
        return;
    }
    const int real = RealColIndex(Col());
    if (!HasCellProperties(real, Row()))
        return;
    const TGridCoord realBase = store_.Props(real, Row())->GetBaseCell(real, Row());
    const TCellProperties* b = store_.Props(realBase.X, realBase.Y);
    if (!b)
        return;
    const TGridCoord base{DisplColIndex(realBase.X), realBase.Y};
    switch (key) {
    case VK_LEFT:
        // Kept as the grid always stepped: from a covered cell this lands
        // the span's width left of the base before the one-step move.
        if (base.X < Col() && Col() > FixedCols() && base.X > 0)
            SetCol(base.X - b->CellSpanX);
        break;
    case VK_UP:
        if (base.Y < Row() && Row() > FixedRows() && base.Y > 0)
            SetRow(base.Y - 1);
        break;
    case VK_RIGHT: {
        const int e = base.X + b->CellSpanX;
        if (e >= Col() && Col() < ColCount() - 1 && base.X < ColCount() - 1 && e < ColCount())
            SetCol(e);
        break;
    }
    case VK_DOWN: {
        const int e = base.Y + b->CellSpanY;
        if (e >= Row() && Row() < RowCount() - 1 && base.Y < RowCount() - 1)
            SetRow(e);
        break;
    }
    default:
        break;
    }
}

void TBaseGrid::SnapToBaseCell()
{
    const int real = RealColIndex(Col());
    if (!HasCellProperties(real, Row()))
        return;
    const TGridCoord base = store_.Props(real, Row())->GetBaseCell(real, Row());
    // Only a move goes through the setters: writing the current column or row
    // again would scroll the cell back into view.
    if (const int col = DisplColIndex(base.X); col != Col())
        SetCol(col);
    if (base.Y != Row())
        SetRow(base.Y);
}

void TBaseGrid::AfterMouseWheelDown()
{
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow)
        SetTopRow(TopRow() + 1);
    SnapToBaseCell();
}

void TBaseGrid::AfterMouseWheelUp()
{
    SnapToBaseCell();
}

QString EncodeWideText(const QString& wide)
{
    QString out;
    out.reserve(2 + wide.size() * 2);
    out += u'|';
    out += u'\\';
    for (QChar ch : wide) {
        const char16_t u = ch.unicode();
        out += QChar(char16_t(u >> 8));
        out += QChar(char16_t(u & 0xFF));
    }
    return out;
}

QString DecodeWideText(const QString& text)
{
    if (!text.startsWith(QStringLiteral("|\\")))
        return text;
    const qsizetype m = text.size() - 2;
    QString out;
    out.reserve(m / 2);
    for (qsizetype i = 0; i < m / 2; ++i) {
        const char16_t hi = text[2 + 2 * i].unicode();
        const char16_t lo = text[2 + 2 * i + 1].unicode();
        out += QChar(char16_t((hi << 8) + lo));
    }
    return out;
}

} // namespace grid
