// Cell access by real row, the editor's text, the current cell, per-cell
// look and cell controls.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/text_routines.h"

#include <algorithm>

namespace grid {

QString TExStringGrid::AllCells(int col, int row) const
{
    if (col < 0 || row < 0)
        return QString();
    if (const TGridItem* item = HiddenRowItem(row)) {
        const Cell* c = item->Items ? item->Items->At(col) : nullptr;
        QString value = c ? c->Text : QString();
        GetDisplText(col, row, value);
        return value;
    }
    return GetCellEx(col, DisplRowIndex(row));
}

void TExStringGrid::SetAllCells(int col, int row, const QString& value)
{
    if (col < 0 || row < 0 || col >= kMaxColumns)
        return;
    if (TGridItem* item = HiddenRowItem(row)) {
        if (!item->Items)
            item->Items = std::make_unique<RowRecord>();
        item->Items->Ensure(col).Text = value;
        return;
    }
    const int disp = DisplRowIndex(row);
    SetCellEx(col, disp, value);
    if (col != DisplColIndex(col))
        RepaintCell(DisplColIndex(col), disp);
}

QString TExStringGrid::AllGridCells(int col, int row) const
{
    if (col < 0 || row < 0)
        return QString();
    if (const TGridItem* item = HiddenRowItem(row)) {
        const Cell* c = item->Items ? item->Items->At(col) : nullptr;
        return c ? c->Text : QString();
    }
    return GridCells(col, DisplRowIndex(row));
}

void TExStringGrid::SetAllGridCells(int col, int row, const QString& value)
{
    if (col < 0 || row < 0 || col >= kMaxColumns)
        return;
    if (TGridItem* item = HiddenRowItem(row)) {
        // The saved row spans the grid's real columns and does not grow.
        const int size = std::max(item->Items ? item->Items->Size() : 0, TotalColCount());
        if (col >= size)
            throw GridError(QStringLiteral("List index out of bounds (%1)").arg(col));
        if (!item->Items)
            item->Items = std::make_unique<RowRecord>();
        item->Items->Ensure(col).Text = value;
        return;
    }
    const int disp = DisplRowIndex(row);
    SetGridCells(col, disp, value);
    InvalidateCell(DisplColIndex(col), disp);
}

quintptr TExStringGrid::AllObjects(int col, int row) const
{
    if (col < 0 || row < 0)
        return 0;
    if (const TGridItem* item = HiddenRowItem(row)) {
        const Cell* c = item->Items ? item->Items->At(col) : nullptr;
        return c && c->Props ? c->Props->CellObject : 0;
    }
    return GetObjectEx(col, DisplRowIndex(row));
}

void TExStringGrid::SetAllObjects(int col, int row, quintptr value)
{
    if (col < 0 || row < 0 || col >= kMaxColumns)
        return;
    if (TGridItem* item = HiddenRowItem(row)) {
        if (!item->Items)
            item->Items = std::make_unique<RowRecord>();
        Cell& c = item->Items->Ensure(col);
        if (!c.Props) {
            c.Props = NewCellProperties(col, row, true);
            FHasCellProps = true;
        }
        c.Props->CellObject = value;
        return;
    }
    SetObjectEx(col, DisplRowIndex(row), value);
}

TCellProperties* TExStringGrid::GetGridObjectEx(int col, int row) const
{
    if (col < 0 || row < 0)
        return nullptr;
    if (const TGridItem* item = HiddenRowItem(row)) {
        const Cell* c = item->Items ? item->Items->At(col) : nullptr;
        return c ? c->Props.get() : nullptr;
    }
    return GridObjects(col, DisplRowIndex(row));
}

QString TExStringGrid::GetEditText(int col, int row)
{
    const int real = RealColIndex(col);
    const TGridCoord b = BaseCell(real, row);
    const QString text = GridCells(b.X, b.Y);
    // Only mini-HTML loses its tags, and only while HTML is on: free text
    // such as "a<x>b" is edited as written.
    if (EnableHTML && !EditWithTags && GetTextKind(text, true) == 1)
        return HtmlToPlainText(text);
    return text;
}

void TExStringGrid::SetEditText(int col, int row, const QString& value)
{
    const int real = RealColIndex(col);
    const TGridCoord b = BaseCell(real, row);
    SetGridCells(b.X, b.Y, value);
    InvalidateCell(DisplColIndex(b.X), b.Y);
}

QString TExStringGrid::CurrentCell() const
{
    const TGridCoord b = BaseCell(RealCol(), Row());
    return GridCells(b.X, b.Y);
}

void TExStringGrid::SetCurrentCell(const QString& value)
{
    const TGridCoord b = BaseCell(RealCol(), Row());
    SetCellEx(b.X, b.Y, value);
}

QString TExStringGrid::GetCurrentCellText() const
{
    const TGridCoord b = BaseCell(RealCol(), Row());
    return GetCellEx(b.X, b.Y);
}

void TExStringGrid::SetCurrentCellText(const QString& value)
{
    SetEditText(Col(), Row(), value);
}

void TExStringGrid::GetDisplText(int col, int row, QString& value) const
{
    TBaseGrid::GetDisplText(col, row, value);
    if (URLShowInText) {
        QString linked;
        if (LinkifyFirstUrl(value, linked))
            value = linked;
    }
}

QString TExStringGrid::StrippedCells(int col, int row) const
{
    return HtmlToPlainText(GetCellEx(col, row));
}

int TExStringGrid::LinesInCell(int col, int row) const
{
    return CountLines(GetCellEx(col, row), true);
}

QString TExStringGrid::OriginalCells(int col, int row) const
{
    const int p = const_cast<TExStringGrid*>(this)->ColumnPosition(col);
    return GetCellEx(p == -1 ? col : p, row);
}

void TExStringGrid::SetOriginalCells(int col, int row, const QString& value)
{
    const int p = ColumnPosition(col);
    SetCellEx(p == -1 ? col : p, row, value);
}

// Per-cell look: getters create nothing (WordWraps aside), setters create
// and seed the property object and repaint the display cell.
#define CELL_GETTER(Name, Type, expr, none)                                                                           \
    Type TExStringGrid::Name(int col, int row) const                                                                  \
    {                                                                                                                 \
        if (!HasCellProperties(col, row))                                                                             \
            return none;                                                                                              \
        const TCellProperties* p = store_.Props(col, row);                                                           \
        return p->expr;                                                                                               \
    }
CELL_GETTER(Colors, TColor, BrushColor(), clNone)
CELL_GETTER(ColorsTo, TColor, BrushColorTo(), clNone)
CELL_GETTER(Gradients, TCellGradientDirection, GradientDirection, GradientVertical)
CELL_GETTER(FontColors, TColor, FontColor, clNone)
CELL_GETTER(FontStyles, TFontStyles, FontStyle, 0)
CELL_GETTER(FontSizes, int, FontSize, 0)
CELL_GETTER(FontNames, QString, FontName, QString())
CELL_GETTER(Alignments, TAlignment, Alignment, taLeftJustify)
CELL_GETTER(ReadOnly, bool, ReadOnly, false)
#undef CELL_GETTER

#define CELL_SETTER(Name, Type, stmt, always)                                                                         \
    void TExStringGrid::Name(int col, int row, Type value)                                                            \
    {                                                                                                                 \
        TCellProperties* p = CellProperties(col, row);                                                               \
        if (!p)                                                                                                       \
            return;                                                                                                   \
        stmt;                                                                                                         \
        if (always || updateCount_ == 0)                                                                              \
            RepaintCell(DisplColIndex(col), row);                                                                     \
    }
CELL_SETTER(SetColors, TColor, p->SetBrushColor(value), false)
CELL_SETTER(SetColorsTo, TColor, p->SetBrushColorTo(value), true)
CELL_SETTER(SetGradients, TCellGradientDirection, p->GradientDirection = value, true)
CELL_SETTER(SetFontColors, TColor, p->FontColor = value, true)
CELL_SETTER(SetFontStyles, TFontStyles, p->FontStyle = value, true)
CELL_SETTER(SetFontSizes, int, p->FontSize = value, true)
CELL_SETTER(SetFontNames, const QString&, p->FontName = value, true)
CELL_SETTER(SetAlignments, TAlignment, p->Alignment = value, true)
CELL_SETTER(SetReadOnly, bool, p->ReadOnly = value, true)
CELL_SETTER(SetWordWraps, bool, p->SetWordWrap(value), true)
#undef CELL_SETTER

void TExStringGrid::SetFonts(int col, int row, const TFont& font)
{
    TCellProperties* p = CellProperties(col, row);
    if (!p)
        return;
    p->FontName = font.Name;
    p->FontSize = font.Size;
    p->FontStyle = font.Style;
    p->FontColor = font.Color;
    if (updateCount_ == 0)
        RepaintCell(DisplColIndex(col), row);
}

bool TExStringGrid::WordWraps(int col, int row)
{
    TCellProperties* p = CellProperties(col, row);
    return p ? p->WordWrap() : WordWrap();
}

void TExStringGrid::SetRowColor(int row, TColor value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (value == clNone) {
            if (!store_.Props(c, row))
                continue;
            if (GetCellType(c, row) == ctEmpty)
                FreeCellPropertiesAt(c, row);
            else
                CellProperties(c, row)->SetBrushColor(clNone);
        } else if (TCellProperties* p = CellProperties(c, row)) {
            p->SetBrushColor(value);
        }
    }
    RepaintRow(row);
}

void TExStringGrid::SetRowColorTo(int row, TColor value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (value == clNone)
            FreeCellPropertiesAt(c, row);
        else if (TCellProperties* p = CellProperties(c, row))
            p->SetBrushColorTo(value);
    }
    RepaintRow(row);
}

void TExStringGrid::SetRowFontColor(int row, TColor value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (value == clNone) {
            if (Colors(c, row) == clNone)
                FreeCellPropertiesAt(c, row);
            else if (TCellProperties* p = store_.Props(c, row))
                p->FontColor = clNone;
        } else if (TCellProperties* p = CellProperties(c, row)) {
            p->FontColor = value;
        }
    }
    RepaintRow(row);
}

QObject* TExStringGrid::CellControls(int col, int row) const
{
    const TCellProperties* p = store_.Props(col, row);
    return p ? p->Control : nullptr;
}

void TExStringGrid::SetCellControls(int col, int row, QObject* control)
{
    if (!control) {
        TCellProperties* p = store_.Props(col, row);
        if (p && p->Control) {
            const int i = controlList_.ControlIndex(col, RealRowIndex(row));
            if (i >= 0)
                controlList_.RemoveControl(i);
            --numCellControls_;
            p->Control = nullptr;
        }
        return;
    }
    TCellProperties* p = CellProperties(col, row);
    if (!p)
        return;
    const int realRow = RealRowIndex(row);
    const int existing = controlList_.ControlIndex(col, realRow);
    if (existing >= 0)
        controlList_.RemoveControl(existing);
    if (!p->Control)
        ++numCellControls_;
    controlList_.AddControl(col, realRow, control);
    p->Control = control;
    if (View()) {
        const QRect r = CellRect(DisplColIndex(col), row);
        View()->PlaceControl(control, QRect(r.x() - 1, r.y() - 1, r.width() + 1, r.height() + 1), true);
    }
}

void TExStringGrid::CellControlsUpdate()
{
    // Controls out of view hide; the rest sit over their cells.
    PlaceCellControls();
}

} // namespace grid
