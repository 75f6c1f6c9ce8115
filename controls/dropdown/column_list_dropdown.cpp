#include "controls/dropdown/column_list_dropdown.h"

#include "controls/dropdown/color_styles.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>

#include <array>

namespace dropdown {

namespace {

// The closed list's step keys; Home and End only where the control allows.
struct KeyStep
{
    int Key;
    TListStep Step;
    bool HomeEnd;
};
constexpr std::array<KeyStep, 6> kKeySteps{{
    {Qt::Key_PageUp, lsPreviousPage, false},
    {Qt::Key_PageDown, lsNextPage, false},
    {Qt::Key_Up, lsPrevious, false},
    {Qt::Key_Down, lsNext, false},
    {Qt::Key_End, lsLast, true},
    {Qt::Key_Home, lsFirst, true},
}};

}  // namespace

bool TColumnGrid::AllRowsVisible() const
{
    return RowOffset(RowCount()) <= ClientHeight();
}

int TColumnGrid::GetGridWidth(int scrollBarWidth) const
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c)
        w += ColWidths(c);
    return AllRowsVisible() ? w : w + scrollBarWidth;
}

void TColumnGrid::DoSelect()
{
    if (OnSelect)
        OnSelect();
}

void TColumnGrid::TakeLook(const TColumnListDropDown& dd)
{
    for (size_t c = 0; c < Columns.size(); ++c)
        SetColWidths(int(c), Columns[c].Width);
    LineColor = dd.LineColor;
    FixedLineColor = dd.FixedLineColor;
    HeaderColor = dd.HeaderColor;
    HeaderColorTo = dd.HeaderColorTo;
    HeaderHeight = dd.HeaderHeight;
    HeaderFont = dd.HeaderFont;
    SetDefaultRowHeight(dd.DropDownRowHeight);
    SetRowHeights(0, HeaderHeight);
}

TColumnGridView::TColumnGridView(TColumnGrid& grid, QWidget* parent) : grid::TGridWidget(grid, parent), grid_(grid)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    grid.MeasureWidth = [](const grid::TFont& f, const QString& s) {
        return QFontMetrics(grid::ToQFont(f)).horizontalAdvance(s);
    };
    grid.MeasureWrapped = [](const grid::TFont& f, const QString& s, int width) {
        return QFontMetrics(grid::ToQFont(f))
            .boundingRect(QRect(0, 0, std::max(width, 1), 500), Qt::TextWordWrap, s)
            .height();
    };
}

void TColumnGridView::keyPressEvent(QKeyEvent* event)
{
    grid_.ConfirmSelection = true;
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        event->accept();
        return;
    }
    if ((event->modifiers() & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (TExCustomDropDown* dd = grid_.Owner())
            dd->KeyDown(key, event->modifiers());
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && EnterChooses()) {
        event->accept();  // the table never sees it: the row stays
        grid_.DoSelect();
        return;
    }
    grid::TGridWidget::keyPressEvent(event);
}

void TColumnGridView::mousePressEvent(QMouseEvent* event)
{
    grid_.ConfirmSelection = true;
    grid_.OldRow = grid_.Row();
    grid::TGridWidget::mousePressEvent(event);
}

void TColumnGridView::wheelEvent(QWheelEvent* event)
{
    grid_.MouseWheelSelection = true;
    grid_.ConfirmSelection = false;
    grid::TGridWidget::wheelEvent(event);
    grid_.MouseWheelSelection = false;
}

TColumnListDropDown::TColumnListDropDown(QWidget* parent, int heightExtra)
    : TCompletingDropDown(parent), heightExtra_(heightExtra)
{
    DropDownEnabled = true;
}

void TColumnListDropDown::SetItems(const TDropDownItems& value)
{
    items_ = value;
    RebuildLookupList();
}

void TColumnListDropDown::RebuildLookupList()
{
    if (LookupColumn < 0 || items_.empty())
        return;
    lookup_ = LookupList(items_, LookupColumn);
    lookupIndex_ = PrefixIndex(lookup_);
}

void TColumnListDropDown::Loaded()
{
    TExCustomDropDown::Loaded();
    RebuildLookupList();
}

void TColumnListDropDown::ShowText(const QString& text)
{
    internalUpdate_ = true;
    SetText(text);
    internalUpdate_ = false;
}

void TColumnListDropDown::SelectTail(int from)
{
    const int len = int(text().size()) - from;
    if (len > 0)
        setSelection(int(text().size()), -len);
}

void TColumnListDropDown::Step(TListStep step)
{
    const int target = StepIndex(itemIndex_, StepCount(), step);
    if (target >= 0)
        SetItemIndex(target);
}

bool TColumnListDropDown::StepKey(int key, bool homeEnd)
{
    for (const KeyStep& k : kKeySteps) {
        if (k.Key != key)
            continue;
        if (homeEnd || !k.HomeEnd)
            Step(k.Step);
        return true;
    }
    return false;
}

void TColumnListDropDown::Complete()
{
    const QString t = Text();
    SetIsModified(!t.isEmpty());
    if (lookup_.isEmpty())
        return;
    const int caret = cursorPosition() - int(Prefix().size());
    const Completion c = CompleteText(t, caret, lookup_, CompletionMatchCase(), &lookupIndex_);
    if (c.Matched) {
        itemIndex_ = c.Item;  // directly: no text update
        itemIdx_ = c.Item;
        itemSel_ = c.SelStart;
        itemChange_ = true;
    }
    ShowCompletion(c, c.TypedLength > 0);
}

void TColumnListDropDown::LookupKeyPress(QKeyEvent* event)
{
    const int key = event->key();
    const bool lookup = HasLookup();
    if (lookup) {
        TakeWorkModeKey(key);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int found = IndexOfText(lookup_, Text());
            if (found >= 0) {
                ShowText(lookup_[found]);
                SetItemIndex(found);
                Change();
            }
        }
    }
    EditKeyPress(event);
    if (lookup && key == Qt::Key_Escape)
        SetItemIndex(IndexOfText(lookup_, Text()));
}

void TColumnListDropDown::TakeCompletedItem()
{
    if (!itemChange_)
        return;
    SetItemIndex(itemIdx_);  // rewrites the text with the item's own
    SelectTail(int(Prefix().size()) + itemSel_);
    itemChange_ = false;
}

void TColumnListDropDown::keyReleaseEvent(QKeyEvent* event)
{
    TExCustomDropDown::keyReleaseEvent(event);
    TakeCompletedItem();
}

void TColumnListDropDown::LookupBackspace()
{
    internalUpdate_ = true;
    if (!hasSelectedText()) {
        lookupEntry_.chop(1);
        SetTextDirect(lookupEntry_);
        setCursorPosition(int(lookupEntry_.size()));
    } else {
        QString t = text();
        t.remove(selectionStart(), int(selectedText().size()));
        SetTextDirect(t);
        setCursorPosition(int(t.size()));
    }
    internalUpdate_ = false;
}

void TColumnListDropDown::KeepingEditText(const std::function<void()>& step)
{
    const QString shown = text();
    const int selStart = selectionStart();
    const int selLen = int(selectedText().size());
    step();
    internalUpdate_ = true;
    SetTextDirect(shown);
    if (selLen > 0)
        setSelection(selStart + selLen, -selLen);
    internalUpdate_ = false;
}

void TColumnListDropDown::AdjustDropDownHeight(int& height)
{
    int bars = 0;
    if (DropDownHeader().Visible())
        bars += DropDownHeader().Height;
    if (DropDownFooter().Visible())
        bars += DropDownFooter().Height;
    height = SnapPopupHeight(height, bars, HeaderHeight, DropDownRowHeight, heightExtra_);
}

int TColumnListDropDown::ScrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

QSize TColumnListDropDown::UpdateDropDownSize()
{
    QSize size = TExCustomDropDown::UpdateDropDownSize();
    const grid::TExStringGrid* g = PopupGrid();
    if (DropDownAutoWidth && g) {
        int w = 0;
        for (int c = 0; c < g->ColCount(); ++c)
            w += g->ColWidths(c);
        // Whether every row fits into the popup's height decides the bar.
        if (g->RowOffset(g->RowCount()) > size.height() - 2 * DropDownBorderWidth())
            w += ScrollBarWidth();
        size.setWidth(w + 2 * DropDownBorderWidth());
    }
    return size;
}

void TColumnListDropDown::ScaleColumnsToPopup(const std::vector<int>& widths)
{
    grid::TExStringGrid& g = *PopupGrid();
    const grid::TGridWidget& view = *PopupView();
    int avail = form_->width() - 2 * DropDownBorderWidth() - 2 * view.frameWidth();
    if (g.RowOffset(g.RowCount()) > view.height() - 2 * view.frameWidth())
        avail -= ScrollBarWidth();
    const std::vector<int> scaled = ScaleColumnWidths(widths, avail);
    for (size_t c = 0; c < scaled.size(); ++c)
        g.SetColWidths(int(c), scaled[c]);
}

void TColumnListDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    SelectionLines lines{};
    if (SelectionLinesOf(value, lines)) {
        LineColor = lines.LineColor;
        FixedLineColor = lines.FixedLineColor;
    }
    TExCustomDropDown::SetSelectionColorStyle(value);
}

void TColumnListDropDown::TakeStyleColors(const ColumnStyleColors* s)
{
    if (!s)
        return;
    HeaderColor = s->HeaderColor;
    HeaderColorTo = s->HeaderColorTo;
    if (s->HeaderFont != kKeep)
        HeaderFont.Color = s->HeaderFont;
    SetSelectionColorStyle(s->Selection);
    SelectionTextColor = s->SelectionTextColor;
    LineColor = s->LineColor;
    FixedLineColor = s->FixedLineColor;
    if (s->SelectionColor != kKeep) {
        SelectionColor = s->SelectionColor;
        SelectionColorTo = s->SelectionColorTo;
    }
}

}  // namespace dropdown
