#include "controls/dropdown/image_picker_dropdown.h"

#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/list_completion.h"

#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace dropdown {

TExImagePickerDropDown::TExImagePickerDropDown(QWidget* parent) : TExCustomDropDown(parent)
{
    SetEditorEnabled(false);
    DropDownEnabled = true;
    setCursor(Qt::ArrowCursor);
    keyTimer_.setInterval(500);
    keyTimer_.setSingleShot(true);
    connect(&keyTimer_, &QTimer::timeout, this, [this] { KeyTimerTick(); });
}

void TExImagePickerDropDown::Internal(const std::function<void()>& step)
{
    const bool old = internalCall_;
    internalCall_ = true;
    step();
    internalCall_ = old;
}

void TExImagePickerDropDown::SetItemIndex(int value)
{
    if (value == itemIndex_ || value >= int(items_.size()))
        return;
    itemIndex_ = value < 0 ? -1 : value;
    update();
    Change();  // OnChange
    if (OnSelect)
        OnSelect(this);
}

int TExImagePickerDropDown::ImageIndex() const
{
    return itemIndex_ >= 0 ? items_[size_t(itemIndex_)].ImageIndex : -1;
}

void TExImagePickerDropDown::SetImageIndex(int value)
{
    int found = -1;
    for (size_t i = 0; i < items_.size() && found < 0; ++i)
        if (items_[i].ImageIndex == value)
            found = int(i);
    SetItemIndex(found);
}

void TExImagePickerDropDown::AddImagesFromImageList()
{
    if (!Images())
        return;
    for (int i = 0; i < Images()->size(); ++i) {
        TSelectorItem item;
        item.ImageIndex = i;
        items_.push_back(item);
    }
}

void TExImagePickerDropDown::AddImagesFromFolder(const QString& folderMask, bool setImageCaption)
{
    const QFileInfo mask(folderMask);
    const QDir folder = mask.dir();
    const QFileInfoList entries =
        folder.entryInfoList({mask.fileName()}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name);
    for (const QFileInfo& entry : entries) {
        TSelectorItem item;
        if (entry.isFile() && item.Image.load(entry.filePath()) && setImageCaption)
            item.Caption = entry.fileName();
        items_.push_back(std::move(item));
    }
}

void TExImagePickerDropDown::SelectFirst()
{
    if (!items_.empty())
        SetItemIndex(0);
}

void TExImagePickerDropDown::SelectLast()
{
    if (!items_.empty())
        SetItemIndex(int(items_.size()) - 1);
}

void TExImagePickerDropDown::SelectNext()
{
    if (items_.empty())
        return;
    if (itemIndex_ < 0)
        SetItemIndex(0);
    else if (itemIndex_ + 1 < int(items_.size()))
        SetItemIndex(itemIndex_ + 1);
}

void TExImagePickerDropDown::SelectPrevious()
{
    if (items_.empty())
        return;
    if (itemIndex_ < 0)
        SetItemIndex(0);
    else if (itemIndex_ > 0)
        SetItemIndex(itemIndex_ - 1);
}

void TExImagePickerDropDown::KeyTimerTick()
{
    keyTimer_.stop();
    curSearch_.clear();
}

void TExImagePickerDropDown::FillSelector()
{
    selector_->OnItemSelect = nullptr;
    selector_->SetColumns(Columns);
    selector_->SetImages(Images());
    selector_->ItemLayout = Layout;
    selector_->Color = DropDownColor();
    selector_->ItemAppearance().Assign(ItemAppearance);
    selector_->Items() = items_;
    selector_->UpdateSelectorPanel();
    selector_->SetItemIndex(itemIndex_);
    selector_->OnItemSelect = [this](TExCustomItemSelector*) { SelectorItemSelect(); };
}

void TExImagePickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    if (!selector_) {
        selector_ = new TExCustomItemSelector(form_);
        selector_->resize(width(), 150);
        selector_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the width fits the columns
    }
    FillSelector();
    // The panel's size, plus a scroll bar when the height is given; the
    // popup's width takes in its border.
    const QSize panel = selector_->GetSelectorPanelSize();
    const int w = DropDownWidth() < 1 ? panel.width() + 2 * DropDownBorderWidth() : DropDownWidth();
    const int h = DropDownHeight() < 1 ? panel.height() + 2 * DropDownBorderWidth() : DropDownHeight();
    const int bar = h < panel.height() ? selector_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    selector_->resize(w + bar, h);
    SetControl(selector_);
    oldItemIndex_ = itemIndex_;
}

void TExImagePickerDropDown::DoHideDropDown(bool cancelled)
{
    TExCustomDropDown::DoHideDropDown(cancelled);
    if (cancelled && selector_)
        SetItemIndex(oldItemIndex_);
}

void TExImagePickerDropDown::SelectorItemSelect()
{
    SetItemIndex(selector_->ItemIndex());
    if (!internalCall_)
        DoHideDropDown(false);
}

void TExImagePickerDropDown::SelectInSelector(int index)
{
    if (!selector_ || index < 0 || index >= selector_->Model().Count())
        return;
    Internal([&] {
        selector_->SetItemIndex(index);
        selector_->ScrollItemInView(index);
    });
}

bool TExImagePickerDropDown::Navigate(QKeyEvent* event)
{
    const int key = event->key();
    const bool open = DroppedDown();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (isEnabled() && open && enter && selector_ && selector_->ItemHot() >= 0) {
        selector_->SetItemIndex(selector_->ItemHot());
        return true;
    }
    if (!isEnabled() || (event->modifiers() & Qt::AltModifier))
        return false;
    const int sel = selector_ ? selector_->ItemIndex() : -1;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (OnSelect)
            OnSelect(this);
        return false;
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
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (open && selector_)
            Internal([&] { key == Qt::Key_Home ? selector_->SelectFirst() : selector_->SelectLast(); });
        else
            key == Qt::Key_Home ? SelectFirst() : SelectLast();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (open && selector_)
            Internal([&] { key == Qt::Key_Left ? selector_->SelectPrevious() : selector_->SelectNext(); });
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (open && selector_)
            SelectInSelector(sel < 0 ? 0 : sel + (key == Qt::Key_Up ? -Columns : Columns));
        else
            key == Qt::Key_Up ? SelectPrevious() : SelectNext();
        return true;
    default:
        if (!(event->modifiers() & Qt::ControlModifier) && selector_) {
            const int code = VirtualKeyCode(key, event->modifiers() & Qt::KeypadModifier);
            if (code > 0) {
                curSearch_ += QChar(code);
                Internal([&] { selector_->LookupItem(curSearch_); });
                if (!keyTimer_.isActive())
                    keyTimer_.start();
            }
        }
        return false;
    }
}

bool TExImagePickerDropDown::ForwardKeyDown(QKeyEvent* event)
{
    if (Navigate(event))
        return true;
    return TExCustomDropDown::ForwardKeyDown(event);
}

void TExImagePickerDropDown::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && DroppedDown() && selector_ && selector_->ItemHot() >= 0) {
        Navigate(event);
        return;
    }
    TExCustomDropDown::keyPressEvent(event);
    Navigate(event);
}

void TExImagePickerDropDown::DoWheelDown()
{
    if (!isEnabled() || isReadOnly() || !selector_)
        return;
    if (DroppedDown())
        selector_->HotNext();
    else
        Internal([&] { selector_->SelectNext(); });
}

void TExImagePickerDropDown::DoWheelUp()
{
    if (!isEnabled() || isReadOnly() || !selector_)
        return;
    if (DroppedDown())
        selector_->HotPrevious();
    else
        Internal([&] { selector_->SelectPrevious(); });
}

void TExImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TExCustomDropDown::SetSelectionColorStyle(value);
    ItemAppearance.SetColorStyle(value);
    if (selector_)
        selector_->ItemAppearance().SetColorStyle(value);
}

void TExImagePickerDropDown::paintEvent(QPaintEvent* event)
{
    TExCustomDropDown::paintEvent(event);
    QPainter p(this);
    QRect r = rect().adjusted(2, 2, -DropDownButtonWidth() - 2, -2);
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, p, r);
        return;
    }
    if (itemIndex_ < 0)
        return;
    const TSelectorItem& item = items_[size_t(itemIndex_)];
    if (!item.Image.isNull()) {
        p.drawImage(QPoint(r.left() + (r.width() - item.Image.width()) / 2,
                           r.top() + (r.height() - item.Image.height()) / 2),
                    item.Image);
    } else if (Images() && item.ImageIndex >= 0 && item.ImageIndex < Images()->size()) {
        const QPixmap& pm = (*Images())[item.ImageIndex];
        p.drawPixmap(QPoint(r.left() + (r.width() - pm.width()) / 2, r.top() + (r.height() - pm.height()) / 2), pm);
    }
}

}  // namespace dropdown
