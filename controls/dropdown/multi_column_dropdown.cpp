#include "controls/dropdown/multi_column_dropdown.h"

#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/list_completion.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace dropdown {

using namespace grid;

namespace multicolumn {

namespace {

// Paints every cell from the drop-down's columns and items.
class ColumnListPainter : public GridPainter
{
public:
    explicit ColumnListPainter(TExColGrid& grid) : GridPainter(grid), grid_(grid) {}
    void DrawCellContent(QPainter& painter, int col, int row, QRect, TGridDrawState state) override;

private:
    TExColGrid& grid_;
};

void ColumnListPainter::DrawCellContent(QPainter& p, int col, int row, QRect, TGridDrawState state)
{
    TExColGrid& g = grid_;
    TExMultiColumnDropDown* dd = g.DropDown();
    QRect r = g.PlatformCellRect(col, row);
    if (r.isEmpty())
        return;
    if (dd && dd->OnDropDownDrawItem) {
        dd->OnDropDownDrawItem(dd, col, row, p, r);
        return;
    }
    const int cols = g.ColCount();
    const int kind = cols == 1 ? 0 : col == 0 ? 1 : col == cols - 1 ? 2 : 3;
    const bool header = row < g.FixedRows();
    const bool selected = !header && row == g.Row();
    QString text;
    int image = -1;
    TColor color = g.Color;
    int align = Qt::AlignLeft;
    bool wrap = false;
    bool ellipsis = false;
    QFont font = ToQFont(g.HeaderFont);
    const TDropDownItem* item = nullptr;
    if (dd && row >= 1 && row - 1 < int(dd->Items().size()))
        item = &dd->Items()[size_t(row - 1)];
    if (col < int(g.Columns.size())) {
        const TDropDownColumn& c = g.Columns[size_t(col)];
        color = c.Color;
        align = c.Alignment == taRightJustify ? Qt::AlignRight : c.Alignment == taCenter ? Qt::AlignHCenter
                                                                                           : Qt::AlignLeft;
        wrap = c.Wordwrap;
        ellipsis = c.Ellipsis;
        font = ToQFont(c.Font);
        if (item && !header) {
            if (c.ColumnType == ctImage)
                image = item->ImageIndex;
            text = ItemLine(*item, col);
        }
    }
    if (dd && dd->OnDropDownGetItemText)
        dd->OnDropDownGetItemText(dd, col, row, text);
    if (!header) {
        if (!selected)
            p.fillRect(r, ToQColor(color));
        else if (dd)
            dd->DrawSelection(p, r, color, kind);
        else
            p.fillRect(r, ToQColor(clHighlight));
    } else {
        text = col < int(g.Columns.size()) ? g.Columns[size_t(col)].Header : QString();
        image = -1;
        font = ToQFont(g.HeaderFont);
        if (g.HeaderColor == clNone || g.HeaderColorTo == clNone)
            p.fillRect(r, ToQColor(g.HeaderColor));
        else
            DrawGradient(p, g.HeaderColor, g.HeaderColorTo, 80, r, false);
    }
    const int lw = header ? 1 : g.GridLineWidthEx();
    const int c = header ? 1 : (lw + 1) / 2;
    const TColor lineColor = header ? g.FixedLineColor : g.LineColor;
    if (lw > 0) {
        QtCanvas canvas(p);
        const int right = r.left() + r.width();
        const int bottom = r.top() + r.height();
        canvas.Line({r.left() - c + 1, bottom - c}, {right - c + 1, bottom - c}, lineColor, lw);
        canvas.Line({right - c, bottom - c}, {right - c, r.top() - c}, lineColor, lw);
    }
    r.adjust(lw, lw, -lw, -lw);
    const QList<QPixmap>* images = dd ? dd->Images() : nullptr;
    int textLeft = r.left() + 2;
    if (images && image >= 0 && image < images->size()) {
        const QPixmap& pm = (*images)[image];
        const int y = r.height() > pm.height() ? r.top() + (r.height() - pm.height()) / 2 : r.top();
        p.drawPixmap(r.left() + 2, y, pm);
        textLeft = r.left() + pm.width() + 4;
    }
    if (text.isEmpty())
        return;
    QRect tr(QPoint(textLeft, r.top()), r.bottomRight());
    p.setFont(font);
    TColor fontColor = header ? g.HeaderFont.Color : (col < int(g.Columns.size()) ? g.Columns[size_t(col)].Font.Color
                                                                                  : g.HeaderFont.Color);
    if (selected && dd)
        fontColor = dd->SelectionTextColor;
    p.setPen(ToQColor(fontColor));
    if (ellipsis && !wrap)
        text = QFontMetrics(font).elidedText(text, Qt::ElideRight, tr.width());
    p.drawText(tr, align | Qt::AlignVCenter | Qt::TextExpandTabs | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine),
               text);
}

}  // namespace

TExColGrid::TExColGrid()
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goHorzLine, goRowSelect});
    SetGridLineWidth(0);
    ScrollBars = ssVertical;
    SetBorderStyle(bsNone);
    OldRow = Row();
}

void TExColGrid::SetGridLineWidthEx(int value)
{
    lineWidth_ = value;
    SetGridLineWidth(0);
    Invalidate();
}

void TExColGrid::Fill(TExMultiColumnDropDown* dd)
{
    dropDown_ = dd;
    Columns = dd->Columns();
    BeginUpdate();
    SetColCount(std::max(1, int(Columns.size())));
    const int rows = int(dd->Items().size()) + 1;
    SetRowCount(std::max(rows, 2));
    SetRowCount(rows > 1 ? rows : 2);
    if (rows > 1) {
        SetFixedRows(1);
        MoveColRow(0, 1, true, false);
    }
    TakeLook(*dd);
    TGridOptions o = Options();
    if (dd->ColumnSizing)
        o.Include(goColSizing);
    else
        o.Exclude(goColSizing);
    SetOptions(o);
    AutoSizeColumns();
    UpdateRowHeights();
    SetLeftCol(FixedCols());
    EndUpdate();
    ConfirmSelection = false;
}

void TExColGrid::AutoSizeColumns()
{
    for (size_t c = 0; c < Columns.size(); ++c)
        AutoSizeColumn(int(c));
}

void TExColGrid::AutoSizeColumn(int index)
{
    if (!dropDown_ || index < 0 || index >= int(Columns.size()) || !Columns[size_t(index)].AutoSize ||
        !MeasureWidth)
        return;
    TDropDownColumn& c = Columns[size_t(index)];
    const QList<QPixmap>* images = dropDown_->Images();
    const int imageWidth = images && !images->isEmpty() ? images->first().width() : 0;
    const int w = AutoColumnWidth(dropDown_->Items(), index, c.ColumnType == ctImage, imageWidth,
                                  [&](const QString& s) { return MeasureWidth(c.Font, s); });
    c.Width = w;
    dropDown_->Columns()[size_t(index)].Width = w;
    SetColWidths(index, w);
}

void TExColGrid::UpdateRowHeights()
{
    if (!dropDown_ || !MeasureWrapped)
        return;
    bool any = false;
    for (const TDropDownColumn& c : Columns)
        any = any || c.Wordwrap;
    if (!any)
        return;
    const QList<QPixmap>* images = dropDown_->Images();
    const bool hasImages = images && !images->isEmpty();
    const int imageHeight = hasImages ? images->first().height() : 0;
    const TDropDownItems& items = dropDown_->Items();
    for (size_t i = 0; i < items.size(); ++i)
        SetRowHeights(int(i) + 1, WrappedRowHeight(items[i], Columns, hasImages, imageHeight,
                                                   [&](int col, const QString& s) {
                                                       const TDropDownColumn& c = Columns[size_t(col)];
                                                       return MeasureWrapped(c.Font, s, ColWidths(col));
                                                   }));
}

TExCustomDropDown* TExColGrid::Owner() const
{
    return dropDown_;
}

bool TExColGrid::SelectCell(int col, int row)
{
    const bool ok = TExStringGrid::SelectCell(col, row);
    if (ok && dropDown_ && !MouseWheelSelection)
        dropDown_->GridSelectCell(row);
    return ok;
}

TExColGridView::TExColGridView(QWidget* parent) : TColumnGridView(*held, parent)
{
    SetPainter(std::make_unique<ColumnListPainter>(*held));
}

void TExColGridView::mouseReleaseEvent(QMouseEvent* event)
{
    TGridWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    const TGridCoord cell = held->MouseCoord(p.x(), p.y());
    if (cell.Y >= held->FixedRows() && cell.Y < held->RowCount())
        held->DoSelect();
}

}  // namespace multicolumn

TExMultiColumnDropDown::TExMultiColumnDropDown(QWidget* parent) : TColumnListDropDown(parent, 2)
{
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    TColumnListDropDown::SetSelectionColorStyle(scOffice2007);
}

void TExMultiColumnDropDown::SetItemIndex(int value)
{
    if (value >= int(items_.size()))
        return;
    itemIndex_ = std::max(value, -1);
    ShowText(itemIndex_ >= 0 && LookupColumn >= 0 ? ItemLine(items_[size_t(itemIndex_)], LookupColumn) : QString());
    update();
}

int TExMultiColumnDropDown::FindLookupItem(const QString& s) const
{
    if (!view_ || LookupColumn < 0)
        return -1;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (s.isEmpty())
        return -1;
    for (size_t i = 0; i < items_.size(); ++i)
        if (ItemLine(items_[i], LookupColumn).startsWith(s, cs))
            return int(i);
    return -1;
}

int TExMultiColumnDropDown::LookupKey(QChar ch)
{
    if (ch == QChar(8)) {
        LookupBackspace();
        return -1;
    }
    if (ch != QChar(9))
        lookupEntry_ += ch;
    int i = FindLookupItem(lookupEntry_);
    if (i < 0) {
        i = FindLookupItem(QString(ch));
        lookupEntry_ = i >= 0 ? QString(ch) : QString();
    }
    if (i < 0)
        return -1;
    itemIndex_ = i;
    const QString found = ItemLine(items_[size_t(i)], LookupColumn);
    internalUpdate_ = true;
    SetTextDirect(found);
    const int typed = std::min(int(lookupEntry_.size()), int(found.size()));
    setSelection(int(found.size()), -(int(found.size()) - typed));
    internalUpdate_ = false;
    return i;
}

void TExMultiColumnDropDown::keyPressEvent(QKeyEvent* event)
{
    LookupKeyPress(event);
    if (!isEnabled() || (event->modifiers() & Qt::AltModifier) || DroppedDown())
        return;
    StepKey(event->key(), !EditorEnabled());
}

void TExMultiColumnDropDown::Assign(const TExCustomDropDown& source)
{
    TExCustomDropDown::Assign(source);
    const auto* s = dynamic_cast<const TExMultiColumnDropDown*>(&source);
    if (!s)
        return;
    CaseSensitive = s->CaseSensitive;
    DropDownAutoWidth = s->DropDownAutoWidth;
    DropDownRowHeight = s->DropDownRowHeight;
    LineColor = s->LineColor;
    FixedLineColor = s->FixedLineColor;
    ColumnSizing = s->ColumnSizing;
    ColumnSizeWithDropDown = s->ColumnSizeWithDropDown;
    columns_ = s->columns_;
    HeaderColor = s->HeaderColor;
    HeaderColorTo = s->HeaderColorTo;
    HeaderHeight = s->HeaderHeight;
    HeaderFont = s->HeaderFont;
    LookupColumn = s->LookupColumn;
    SelectionTextColor = s->SelectionTextColor;
    items_ = s->items_;  // with their texts
    lookup_ = s->lookup_;
    lookupIndex_ = s->lookupIndex_;
    itemIndex_ = s->itemIndex_;
}

void TExMultiColumnDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    form_->CancelOnDeActivate = false;
    if (!view_) {
        view_ = new multicolumn::TExColGridView(form_);
        view_->move(0, 0);
        view_->resize(width(), 180);
        view_->Table().OnSelect = [this] { GridSelect(); };
    }
    showing_ = true;
    multicolumn::TExColGrid& g = view_->Table();
    g.Color = DropDownColor();
    g.Fill(this);
    const int row = itemIndex_ + 1 < g.FixedRows() ? 1 : itemIndex_ + 1;
    if (row < g.RowCount())
        g.MoveColRow(0, row, true, false);
    SetControl(view_);
    oldItemIndex_ = itemIndex_;
}

void TExMultiColumnDropDown::SizeColumnsToPopup()
{
    if (!ColumnSizeWithDropDown || !view_ || !form_)
        return;
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    multicolumn::TExColGrid& g = view_->Table();
    if (g.Columns.empty())
        return;
    std::vector<int> widths;
    for (const TDropDownColumn& c : g.Columns)
        widths.push_back(c.Width);
    ScaleColumnsToPopup(widths);
}

void TExMultiColumnDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    if (view_ && DroppedDown()) {
        SizeColumnsToPopup();
        multicolumn::TExColGrid& g = view_->Table();
        if (g.RowCount() > 1) {
            const int row = itemIndex_ < 0 ? 1 : itemIndex_ + 1;
            if (row < g.RowCount()) {
                g.MoveColRow(0, row, true, false);
                if (row >= g.TopRow() + g.VisibleRowCount())
                    g.SetTopRow(std::max(g.FixedRows(), row - g.VisibleRowCount() + 1));
                else if (row < g.TopRow())
                    g.SetTopRow(row);
            }
        }
    }
    showing_ = false;
}

void TExMultiColumnDropDown::DoHideDropDown(bool cancelled)
{
    if (!form_ || !form_->isVisible()) {
        TExCustomDropDown::DoHideDropDown(cancelled);
        return;
    }
    TExCustomDropDown::DoHideDropDown(cancelled);
    if (cancelled)
        SetItemIndex(oldItemIndex_);
    else if (view_ && view_->Table().ConfirmSelection)
        SetItemIndex(view_->Table().Row() - 1);
    if (view_)
        view_->Table().ConfirmSelection = false;
    oldItemIndex_ = itemIndex_;
}

void TExMultiColumnDropDown::GridSelectCell(int row)
{
    if (view_ && !showing_ && row >= 1)
        SetItemIndex(row - 1);
}

void TExMultiColumnDropDown::GridSelect()
{
    if (view_ && view_->Table().ConfirmSelection)
        SetItemIndex(view_->Table().Row() - 1);
    DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

bool TExMultiColumnDropDown::ForwardKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (!alt && (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down))
        return false;  // the table moves its row
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;  // the table chooses, or does nothing
    if (TExCustomDropDown::ForwardKeyDown(event))
        return true;
    // Characters typed in the table look up the value column.
    const QString t = event->text();
    if (t.size() != 1 || alt)
        return false;
    const QChar ch = t[0];
    const ushort code = ch.unicode();
    if (code == 13 || code == 27 || (code < 32 && code != 8))
        return false;
    const int i = LookupKey(ch);
    if (i < 0) {
        lookupEntry_.clear();
        return true;
    }
    multicolumn::TExColGrid& g = view_->Table();
    const int row = g.FixedRows() + i;
    KeepingEditText([&] {
        showing_ = true;  // the row follows; the edit keeps the typed-ahead text
        if (row < g.TopRow() || row >= g.TopRow() + g.VisibleRowCount())
            g.SetTopRow(std::min(row, g.MaxTopRow()));
        g.MoveColRow(0, row, true, true);
        showing_ = false;
    });
    return true;
}

void TExMultiColumnDropDown::PopupSizing()
{
    SizeColumnsToPopup();
}

void TExMultiColumnDropDown::SetComponentStyle(TSkinStyle style)
{
    TExCustomDropDown::SetComponentStyle(style);
    TakeStyleColors(MultiColumnStyleOf(style));
}

}  // namespace dropdown
