#include "controls/dropdown/detail_dropdown.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/list_completion.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace dropdown {

TExDetailDropDown::TExDetailDropDown(QWidget* parent) : TCompletingDropDown(parent)
{
    SetEditorEnabled(true);
    DropDownEnabled = true;
    CaptionFont = font();
    NotesFont = font();
    keyTimer_.setInterval(500);
    keyTimer_.setSingleShot(true);
    connect(&keyTimer_, &QTimer::timeout, this, [this] { KeyTimerTick(); });
}

QStringList TExDetailDropDown::Captions() const
{
    QStringList list;
    list.reserve(qsizetype(items_.size()));
    for (const TDetailItem& item : items_)
        list << item.Caption;
    return list;
}

void TExDetailDropDown::Internal(const std::function<void()>& step)
{
    const bool old = internalCall_;
    internalCall_ = true;
    step();
    internalCall_ = old;
}

void TExDetailDropDown::SetItemIndex(int value)
{
    if (value == itemIndex_)
        return;
    if (value >= 0 && value < int(items_.size())) {
        itemIndex_ = value;
        internalUpdate_ = true;
        SetText(items_[size_t(value)].Caption);
        internalUpdate_ = false;
        selectAll();
        update();
        if (selector_)
            selector_->viewport()->update();
        if (OnSelect)
            OnSelect(this);
    } else if (value == -1) {
        internalUpdate_ = true;
        SetText(QString());
        internalUpdate_ = false;
        itemIndex_ = -1;
    }
}

void TExDetailDropDown::SelectFirst()
{
    if (!items_.empty())
        SetItemIndex(0);
}

void TExDetailDropDown::SelectLast()
{
    if (!items_.empty())
        SetItemIndex(int(items_.size()) - 1);
}

void TExDetailDropDown::SelectNext()
{
    if (itemIndex_ < 0)
        SetItemIndex(0);
    else if (itemIndex_ + 1 < int(items_.size()))
        SetItemIndex(itemIndex_ + 1);
}

void TExDetailDropDown::SelectPrevious()
{
    if (itemIndex_ < 0)
        SetItemIndex(0);
    else if (itemIndex_ > 0)
        SetItemIndex(itemIndex_ - 1);
}

void TExDetailDropDown::KeyTimerTick()
{
    keyTimer_.stop();
    curSearch_.clear();
}

void TExDetailDropDown::FillSelector()
{
    auto handler = selector_->OnItemSelect;
    selector_->OnItemSelect = nullptr;
    selector_->SetColumns(1);
    selector_->SetImages(Images());
    selector_->ItemLayout = Layout;
    selector_->Color = DropDownColor();
    selector_->ItemAppearance().Assign(ItemAppearance);
    std::vector<TSelectorItem>& items = selector_->Items();
    items.clear();
    items.reserve(items_.size());
    for (const TDetailItem& d : items_) {
        TSelectorItem s;
        s.Caption = d.Caption;
        s.Image = d.Image;
        s.ImageIndex = d.ImageIndex;
        items.push_back(std::move(s));
    }
    selector_->UpdateSelectorPanel();
    selector_->SetItemIndex(itemIndex_);
    selector_->OnItemSelect = handler;
}

void TExDetailDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    if (!selector_) {
        selector_ = new TExCustomItemSelector(form_);
        selector_->resize(width(), 150);
        selector_->OnItemSelect = [this](TExCustomItemSelector*) { SelectorItemSelect(); };
        selector_->OnItemSize = [this](TExCustomItemSelector* s, QSize& size) {
            const int popup = DropDownWidth() > 0 ? DropDownWidth() : (form_ ? form_->width() : width());
            const int bar = s->verticalScrollBar()->isVisible() ? s->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
            size = QSize(popup - bar - 2 * DropDownBorderWidth() - 4, ItemHeight);
        };
        selector_->OnDrawItem = [this](TExCustomItemSelector*, QPainter& p, const QRect& r, int index) {
            SelectorDrawItem(p, r, index);
        };
    }
    selector_->resize(DropDownWidth() > 0 ? DropDownWidth() : width(), DropDownHeight() > 0 ? DropDownHeight() : 100);
    SetControl(selector_);
    FillSelector();
    oldItemIndex_ = itemIndex_;
}

void TExDetailDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    if (selector_ && DroppedDown()) {
        selector_->setFocus(Qt::PopupFocusReason);
        selector_->UpdateSelectorPanel();
        selector_->ScrollItemInView(selector_->ItemIndex());
    }
}

void TExDetailDropDown::DoHideDropDown(bool cancelled)
{
    TExCustomDropDown::DoHideDropDown(cancelled);
    if (cancelled && selector_ && oldItemIndex_ != -1)
        SetItemIndex(oldItemIndex_);
}

void TExDetailDropDown::PopupSizing()
{
    if (selector_)
        selector_->UpdateSelectorPanel();
}

void TExDetailDropDown::SelectorItemSelect()
{
    const int index = selector_->ItemIndex();
    SetItemIndex(index);
    if (index >= 0 && index < int(items_.size())) {
        internalUpdate_ = true;
        SetText(items_[size_t(index)].Caption);
        internalUpdate_ = false;
        selectAll();
    }
    if (!internalCall_)
        DoHideDropDown(false);
}

void TExDetailDropDown::SelectorDrawItem(QPainter& p, QRect r, int index)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, p, r);
        return;
    }
    if (index < 0 || index >= int(items_.size()))
        return;
    const TDetailItem& item = items_[size_t(index)];
    const QList<QPixmap>* images = Images();
    QSize g;
    if (!item.Image.isNull())
        g = item.Image.size();
    else if (images && item.ImageIndex >= 0 && item.ImageIndex < images->size())
        g = (*images)[item.ImageIndex].size();
    if (g.isValid()) {
        const int x = item.Caption.isEmpty() ? r.left() + (r.width() - g.width()) / 2 : r.left() + 2;
        const QPoint at(x, r.top() + (r.height() - g.height()) / 2);
        if (!item.Image.isNull())
            p.drawImage(at, item.Image);
        else
            p.drawPixmap(at, (*images)[item.ImageIndex]);
        r.setLeft(r.left() + g.width() + 4);
    }
    TColor color = clNone;
    if (selector_ && index == selector_->ItemHot())
        color = ItemAppearance.ColorHotText;
    if (index == itemIndex_)
        color = ItemAppearance.ColorSelectedText;
    p.setFont(CaptionFont);
    p.setPen(color == clNone ? palette().color(QPalette::Text) : grid::ToQColor(color));
    r.adjust(4, 2, -4, 0);
    const QFontMetrics fm(CaptionFont);
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop, fm.elidedText(item.Caption, Qt::ElideRight, r.width()));
    if (!item.Notes.isEmpty()) {
        r.setTop(r.top() + fm.height());
        p.setFont(NotesFont);
        HtmlDraw(p, item.Notes, r, true, images);
    }
}

void TExDetailDropDown::Complete()
{
    const QString text = Text();
    SetIsModified(!text.isEmpty());
    if (items_.empty())
        return;
    const int caret = cursorPosition() - int(Prefix().size());
    const Completion c = CompleteText(text, caret, Captions(), MatchCase);
    if (c.Matched) {
        itemIndex_ = c.Item;  // directly: no event, no repaint
        itemIdx_ = c.Item;
        itemChange_ = true;
    }
    ShowCompletion(c, c.TypedLength > 0 || caret > 0);
}

void TExDetailDropDown::SelectInSelector(int index)
{
    if (!selector_ || index < 0 || index >= selector_->Model().Count())
        return;
    Internal([&] {
        selector_->SetItemIndex(index);
        selector_->ScrollItemInView(index);
    });
}

bool TExDetailDropDown::NavigationKey(QKeyEvent* event)
{
    if (!isEnabled() || (event->modifiers() & Qt::AltModifier))
        return false;
    const int key = event->key();
    const bool open = DroppedDown();
    const int sel = selector_ ? selector_->ItemIndex() : -1;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (selector_) {
            if (selector_->Model().Count() != int(items_.size()))
                FillSelector();
            const int n = selector_->GetVisibleItemCount();
            if (n >= 1)
                SelectInSelector(key == Qt::Key_PageUp ? std::max(sel - n, 0)
                                                       : std::min(sel + n, selector_->Model().Count() - 1));
        }
        break;
    case Qt::Key_End:
    case Qt::Key_Home:
        if (open && selector_)
            Internal([&] { key == Qt::Key_End ? selector_->SelectLast() : selector_->SelectFirst(); });
        else if (!EditorEnabled())
            key == Qt::Key_End ? SelectLast() : SelectFirst();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (open && !EditorEnabled() && selector_)
            Internal([&] { key == Qt::Key_Left ? selector_->SelectPrevious() : selector_->SelectNext(); });
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (open && selector_) {
            const int target = sel < 0 ? 0 : sel + (key == Qt::Key_Up ? -1 : 1);
            if (target >= 0)
                SelectInSelector(target);
            selector_->viewport()->update();
        } else {
            key == Qt::Key_Up ? SelectPrevious() : SelectNext();
        }
        break;
    default:
        if (!(event->modifiers() & Qt::ControlModifier) && selector_) {
            const int code = VirtualKeyCode(key, event->modifiers() & Qt::KeypadModifier);
            if (code > 0) {
                curSearch_ += QChar(code);
                Internal([&] { selector_->LookupItem(curSearch_); });
                if (!keyTimer_.isActive())
                    keyTimer_.start();  // not restarted by later keys
            }
        }
        break;
    }
    const bool consumed = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Left ||
                          key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    return open && consumed;
}

bool TExDetailDropDown::ForwardKeyDown(QKeyEvent* event)
{
    if (NavigationKey(event))
        return true;
    const int key = event->key();
    if (key == Qt::Key_Home || key == Qt::Key_End)
        return true;
    return TExCustomDropDown::ForwardKeyDown(event);
}

void TExDetailDropDown::keyPressEvent(QKeyEvent* event)
{
    if (NavigationKey(event))
        return;
    const int key = event->key();
    if (!items_.empty()) {
        TakeWorkModeKey(key);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int found = ExactIndexOf(Captions(), Text());
            if (found >= 0) {
                internalUpdate_ = true;
                SetText(items_[size_t(found)].Caption);
                internalUpdate_ = false;
                SetItemIndex(found);
                Change();
            }
        }
    }
    EditKeyPress(event);
    if (key == Qt::Key_Escape && !items_.empty()) {
        const int found = ExactIndexOf(Captions(), Text());
        if (found >= 0)
            SetItemIndex(found);
    }
}

void TExDetailDropDown::keyReleaseEvent(QKeyEvent* event)
{
    TExCustomDropDown::keyReleaseEvent(event);
    if (itemChange_) {
        const int sel = selectionStart();
        const int len = int(selectedText().size());
        SetItemIndex(itemIdx_);  // already current after a completion
        itemChange_ = false;
        if (len > 0)
            setSelection(sel + len, -len);
    }
}

void TExDetailDropDown::DoWheelDown()
{
    if (!DroppedDown() || !selector_) {
        SelectNext();
        return;
    }
    const int sel = selector_->ItemIndex();
    SelectInSelector(sel < 0 ? 0 : sel + 1);
}

void TExDetailDropDown::DoWheelUp()
{
    if (!DroppedDown() || !selector_) {
        SelectPrevious();
        return;
    }
    const int sel = selector_->ItemIndex();
    SelectInSelector(sel < 0 ? 0 : sel - 1);
}

void TExDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TExCustomDropDown::SetSelectionColorStyle(value);
    ItemAppearance.SetColorStyle(value);
    if (selector_)
        selector_->ItemAppearance().SetColorStyle(value);
}

}  // namespace dropdown
