// The in-place editor of rich-text cells.
#include "controls/grid/widget/rich_edit.h"

#include "controls/grid/rich/rtf_subset.h"
#include "controls/grid/widget/grid_key_map.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>

#include <cmath>

namespace grid {

namespace {

// What a key does in the rich editor beyond its own typing.
enum class RichStep { Cancel, TabOn, LineOn };

struct RichKeyRow
{
    int key;
    RichStep step;
};

// Tab moves on only with goTabs; Up and Down only in single-line cells.
constexpr RichKeyRow kRichKeys[] = {
    {VK_ESCAPE, RichStep::Cancel},
    {VK_TAB, RichStep::TabOn},
    {VK_UP, RichStep::LineOn},
    {VK_DOWN, RichStep::LineOn},
};

const RichKeyRow* RichKeyOf(int key)
{
    for (const RichKeyRow& row : kRichKeys)
        if (row.key == key)
            return &row;
    return nullptr;
}

} // namespace

TExRichEdit::TExRichEdit(TGridEditors& editors, QWidget* parent) : QTextEdit(parent), editors_(editors)
{
    setFrameShape(QFrame::NoFrame);
    setAcceptRichText(false);
    setTabChangesFocus(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(2);
    hide();
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this](const QSizeF& size) { RunGuarded([&] { ContentResized(size); }); });
}

void TExRichEdit::LoadCell(const QString& text)
{
    const bool locked = locked_;
    locked_ = true;
    if (text.isEmpty())
        document()->clear();
    else if (IsRtfText(text))
        ReadRtf(text, *document());
    else
        document()->setPlainText(text);
    loaded_ = text;
    document()->setModified(false);
    locked_ = locked;
}

QString TExRichEdit::CellValue() const
{
    if (!document()->isModified())
        return loaded_;
    return RichToString(*document());
}

void TExRichEdit::SetOffset(QTextCharFormat::VerticalAlignment alignment)
{
    QTextCharFormat f;
    f.setVerticalAlignment(alignment);
    mergeCurrentCharFormat(f);
}

bool TExRichEdit::HasOffset(QTextCharFormat::VerticalAlignment alignment) const
{
    return currentCharFormat().verticalAlignment() == alignment;
}

void TExRichEdit::SelNormal()
{
    SetOffset(QTextCharFormat::AlignNormal);
}

void TExRichEdit::SelSubscript()
{
    SetOffset(QTextCharFormat::AlignSubScript);
}

void TExRichEdit::SelSuperscript()
{
    SetOffset(QTextCharFormat::AlignSuperScript);
}

bool TExRichEdit::IsSelNormal() const
{
    return HasOffset(QTextCharFormat::AlignNormal);
}

bool TExRichEdit::IsSelSubscript() const
{
    return HasOffset(QTextCharFormat::AlignSubScript);
}

bool TExRichEdit::IsSelSuperscript() const
{
    return HasOffset(QTextCharFormat::AlignSuperScript);
}

void TExRichEdit::ContentResized(const QSizeF& size)
{
    reqWidth_ = static_cast<int>(std::ceil(size.width()));
    reqHeight_ = static_cast<int>(std::ceil(size.height()));
    GridEditing& e = editors_.Editing();
    TExStringGrid& g = editors_.Grid();
    if (locked_ || !isVisible() || !g.SizeWhileTyping.Height || !e.EditMode() || e.OpenKind() != EditorKind::Rich)
        return;
    const int h = reqHeight_;
    const TGridCoord cell = e.EditCell();
    const QRect r = g.UnclippedCellRect(cell.X, cell.Y);
    // Grows only while the cell then still ends above the grid's bottom.
    if (g.RowHeights(cell.Y) >= h + 5 || r.top() + h + 5 >= g.ClientHeight())
        return;
    resize(width(), h + 9);
    g.SetRowHeights(cell.Y, h + 10);
    if (g.OnEndRowSize)
        g.OnEndRowSize(&g, cell.Y);
}

void TExRichEdit::keyPressEvent(QKeyEvent* event)
{
    const GridKey key = ToGridKey(*event);
    const RichKeyRow* row = RichKeyOf(key.code);
    GridEditing& e = editors_.Editing();
    TExStringGrid& g = editors_.Grid();
    const bool open = e.EditMode() && e.OpenKind() == EditorKind::Rich;
    const bool applies = row != nullptr && open &&
                         (row->step == RichStep::Cancel ||
                          (row->step == RichStep::TabOn && g.Options().Contains(goTabs)) ||
                          (row->step == RichStep::LineOn && !g.WordWrap() && !g.FMultilineCells));
    if (!applies) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    RunGuarded([&] {
        if (row->step == RichStep::Cancel) {
            e.CancelEdit();
            return;
        }
        // Refused: the editor stays on the cell.
        const QString value = CellValue();
        if (!e.ValidateCell(value))
            return;
        if (e.NewCellText() != value)
            LoadCell(e.NewCellText());
        if (row->step == RichStep::TabOn) {
            e.HideInplaceEdit();
            editors_.FocusGrid();
            if (TabAdvance(g, key.shift.Contains(ssShift)))
                e.ShowInplaceEdit();
            return;
        }
        e.DoneInplaceEdit(key.code, key.shift);
    });
}

void TExRichEdit::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    if (editors_.Hiding())
        return;
    GridEditing& e = editors_.Editing();
    if (!e.EditMode() || e.OpenKind() != EditorKind::Rich)
        return;
    // Only the grid taking the focus ends the edit; another window not.
    QWidget* now = QApplication::focusWidget();
    TGridWidget& w = editors_.Widget();
    if (now == &w || now == w.viewport())
        RunGuarded([&] { e.HideInplaceEdit(); });
}

} // namespace grid
