#include "controls/dropdown/color_picker_dropdown.h"

#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/list_completion.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace dropdown {

const std::array<TColorItem, 16> kDefaultColorItems{{
    {QStringLiteral("Black"), 0x000000},   {QStringLiteral("Maroon"), 0x000080}, {QStringLiteral("Green"), 0x008000},
    {QStringLiteral("Olive"), 0x008080},   {QStringLiteral("Navy"), 0x800000},   {QStringLiteral("Purple"), 0x800080},
    {QStringLiteral("Teal"), 0x808000},    {QStringLiteral("Gray"), 0x808080},   {QStringLiteral("Silver"), 0xC0C0C0},
    {QStringLiteral("Red"), 0x0000FF},     {QStringLiteral("Lime"), 0x00FF00},   {QStringLiteral("Yellow"), 0x00FFFF},
    {QStringLiteral("Blue"), 0xFF0000},    {QStringLiteral("Fuchsia"), 0xFF00FF}, {QStringLiteral("Aqua"), 0xFFFF00},
    {QStringLiteral("White"), 0xFFFFFF},
}};

TExColorPickerDropDown::TExColorPickerDropDown(QWidget* parent) : TExCustomDropDown(parent)
{
    SetEditorEnabled(false);
    DropDownEnabled = true;
    SetDropDownHeight(200);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    setCursor(Qt::ArrowCursor);
    keyTimer_.setInterval(500);
    keyTimer_.setSingleShot(true);
    connect(&keyTimer_, &QTimer::timeout, this, [this] { KeyTimerTick(); });
}

void TExColorPickerDropDown::AddDefaultColors()
{
    colors_.insert(colors_.end(), kDefaultColorItems.begin(), kDefaultColorItems.end());
}

void TExColorPickerDropDown::Internal(const std::function<void()>& step)
{
    const bool old = internalCall_;
    internalCall_ = true;
    step();
    internalCall_ = old;
}

void TExColorPickerDropDown::SetItemIndex(int value)
{
    if (value >= int(colors_.size()))
        return;
    itemIndex_ = std::max(value, -1);
    if (itemIndex_ >= 0)
        selectedColor_ = colors_[size_t(itemIndex_)].Color;
    update();
    if (OnSelect)
        OnSelect(this);
}

void TExColorPickerDropDown::SetSelectedColor(TColor value)
{
    if (value == selectedColor_)
        return;
    selectedColor_ = value;
    for (size_t i = 0; i < colors_.size(); ++i)
        if (colors_[i].Color == value) {
            SetItemIndex(int(i));
            break;
        }
    update();
}

QString TExColorPickerDropDown::SelectedColorText() const
{
    if (style_ == csList && itemIndex_ >= 0 && itemIndex_ < int(colors_.size()))
        return colors_[size_t(itemIndex_)].Caption;
    return ColorText(selectedColor_, ColorValueText);
}

void TExColorPickerDropDown::SetShowText(bool value)
{
    if (value == showText_)
        return;
    showText_ = value;
    update();
}

void TExColorPickerDropDown::KeyTimerTick()
{
    keyTimer_.stop();
    curSearch_.clear();
}

void TExColorPickerDropDown::SelectFirstColor()
{
    if (!colors_.empty())
        SetItemIndex(0);
}

void TExColorPickerDropDown::SelectLastColor()
{
    if (!colors_.empty())
        SetItemIndex(int(colors_.size()) - 1);
}

void TExColorPickerDropDown::SelectNextColor()
{
    if (colors_.empty())
        return;
    if (itemIndex_ < 0)
        SetItemIndex(0);
    else if (itemIndex_ + 1 < int(colors_.size()))
        SetItemIndex(itemIndex_ + 1);
}

void TExColorPickerDropDown::SelectPreviousColor()
{
    if (colors_.empty())
        return;
    if (itemIndex_ < 0)
        SetItemIndex(0);
    else if (itemIndex_ > 0)
        SetItemIndex(itemIndex_ - 1);
}

QWidget* TExColorPickerDropDown::Content() const
{
    switch (style_) {
    case csList:
        return selector_;
    case csDiscrete:
        return boxes_;
    case csColorCube:
        return cube_;
    case csSpectrum:
        return spectrum_;
    }
    return nullptr;
}

QWidget* TExColorPickerDropDown::CreateContent()
{
    switch (style_) {
    case csList:
        if (!selector_) {
            selector_ = new TExCustomItemSelector(form_);
            selector_->SetSelectorType(stColor);
            selector_->resize(width(), 150);
            selector_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the popup takes the panel's width
        }
        break;
    case csDiscrete:
        if (!boxes_) {
            boxes_ = new TCustomColorSelector(form_);
            boxes_->LoadDefaultPalette();
            boxes_->ArrangeItems();
        }
        break;
    case csColorCube:
        if (!cube_)
            cube_ = new TExColorCubePanel(form_);
        break;
    case csSpectrum:
        if (!spectrum_)
            spectrum_ = new TExColorSpectrumPanel(form_);
        break;
    }
    return Content();
}

void TExColorPickerDropDown::UpdateItemSelector()
{
    TExCustomItemSelector& s = *selector_;
    s.OnItemSelect = nullptr;
    s.SetColumns(Columns);
    s.SetImages(Images());
    s.ItemLayout = Layout;
    s.Color = DropDownColor();
    std::vector<TSelectorItem>& items = s.Items();
    items.clear();
    items.reserve(colors_.size());
    for (const TColorItem& c : colors_) {
        TSelectorItem item;
        item.Caption = c.Caption;
        item.Color = c.Color;
        item.Hint = c.Hint;
        item.Enabled = c.Enabled;
        items.push_back(std::move(item));
    }
    s.SetColorBoxSize(ColorBoxWidth, ColorBoxHeight);
    s.ItemAppearance().Assign(ItemAppearance);
    s.UpdateSelectorPanel();
    s.SetItemIndex(itemIndex_);
    s.OnItemSelect = [this](TExCustomItemSelector*) { ItemSelectorSelect(); };
}

void TExColorPickerDropDown::Prepare()
{
    for (QWidget* w : {static_cast<QWidget*>(selector_), static_cast<QWidget*>(boxes_),
                       static_cast<QWidget*>(cube_), static_cast<QWidget*>(spectrum_)})
        if (w && w != Content())
            w->hide();
    switch (style_) {
    case csList:
        UpdateItemSelector();
        if (OnDrawColor)
            selector_->OnDrawItem = [this](TExCustomItemSelector*, QPainter& p, const QRect& r, int i) {
                OnDrawColor(this, p, r, i);
            };
        else
            selector_->OnDrawItem = nullptr;
        oldItemIndex_ = itemIndex_;
        break;
    case csDiscrete:
        boxes_->SetSelectedColor(selectedColor_);
        boxes_->ArrangeItems();
        boxes_->OnItemSelect = [this](TCustomColorSelector*) { ColorSelectorSelect(); };
        break;
    case csColorCube:
        cube_->SetSelectedColor(selectedColor_);
        cube_->resize(182, 160);
        cube_->OnSelect = [this](TExColorCubePanel* p) { PanelSelect(p->SelectedColor()); };
        break;
    case csSpectrum:
        spectrum_->SelectedColor = selectedColor_;
        spectrum_->resize(150, 174);
        spectrum_->OnSelect = [this](TExColorSpectrumPanel* p) { PanelSelect(p->SelectedColor); };
        break;
    }
    Content()->show();
}

void TExColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    ForgetUserDropDownSize();  // a size kept from another style's content
    if (form_ && form_->isVisible()) {
        CreateContent();
        Prepare();
        SetControl(Content());
        oldSelectedColor_ = selectedColor_;
    }
    update();
}

void TExColorPickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    if (style_ != csList)
        ForgetUserDropDownSize();  // the panels size the popup themselves
    CreateContent();
    Prepare();
    SetDropDownSizeable(style_ == csList);
    SetControl(Content());
    oldSelectedColor_ = selectedColor_;
}

QSize TExColorPickerDropDown::UpdateDropDownSize()
{
    const int b = 2 * DropDownBorderWidth();
    const int bars = (DropDownHeader().Visible() ? DropDownHeader().Height : 0) +
                     (DropDownFooter().Visible() ? DropDownFooter().Height : 0);
    QWidget* content = Content();
    if (style_ != csList) {
        const bool shown = content && !content->isHidden();
        return QSize(shown ? content->width() + b : width(), b + bars + (shown ? content->height() : 0));
    }
    if (!selector_)
        return TExCustomDropDown::UpdateDropDownSize();
    const QSize panel = selector_->GetSelectorPanelSize();
    QSize own = selector_->size();
    if (DropDownWidth() < 1)
        own.setWidth(std::max(panel.width(), width() - 2 * DropDownBorderWidth()));
    if (DropDownHeight() < 1)
        own.setHeight(panel.height());
    selector_->resize(own);
    QSize size = TExCustomDropDown::UpdateDropDownSize();
    if (panel.height() > size.height() - b - bars)
        size.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return size;
}

void TExColorPickerDropDown::DoHideDropDown(bool cancelled)
{
    TExCustomDropDown::DoHideDropDown(cancelled);
    if (!cancelled)
        return;
    if (style_ == csList && selector_)
        SetItemIndex(oldItemIndex_);
    else if (style_ == csDiscrete && boxes_)
        boxes_->SetSelectedColor(oldSelectedColor_);
}

void TExColorPickerDropDown::DoPopupDestroy()
{
    selector_ = nullptr;
    boxes_ = nullptr;
    cube_ = nullptr;
    spectrum_ = nullptr;
}

void TExColorPickerDropDown::ItemSelectorSelect()
{
    SetItemIndex(selector_->ItemIndex());
    if (!internalCall_)
        DoHideDropDown(false);
}

void TExColorPickerDropDown::ColorSelectorSelect()
{
    SetSelectedColor(boxes_->SelectedColor());
    SetItemIndex(-1);
    if (!internalCall_)
        DoHideDropDown(false);
}

void TExColorPickerDropDown::PanelSelect(TColor color)
{
    SetSelectedColor(color);
    SetItemIndex(-1);
    DoHideDropDown(false);
}

void TExColorPickerDropDown::SelectInSelector(int index)
{
    if (!selector_ || index < 0 || index >= selector_->Model().Count())
        return;
    Internal([&] {
        selector_->SetItemIndex(index);
        selector_->ScrollItemInView(index);
    });
}

void TExColorPickerDropDown::DoWheelDown()
{
    if (!isEnabled() || isReadOnly())
        return;
    if (style_ == csList && selector_)
        DroppedDown() ? selector_->HotNext() : Internal([&] { selector_->SelectNext(); });
    else if (style_ == csList)
        SelectNextColor();
}

void TExColorPickerDropDown::DoWheelUp()
{
    if (!isEnabled() || isReadOnly())
        return;
    if (style_ == csList && selector_)
        DroppedDown() ? selector_->HotPrevious() : Internal([&] { selector_->SelectPrevious(); });
    else if (style_ == csList)
        SelectPreviousColor();
}

bool TExColorPickerDropDown::NavigationKey(QKeyEvent* event)
{
    const int key = event->key();
    const bool open = DroppedDown();
    if (open && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (style_ == csList && selector_ && selector_->ItemHot() >= 0) {
            selector_->SetItemIndex(selector_->ItemHot());
            return true;
        }
        if (style_ == csDiscrete && boxes_ && boxes_->ItemHot() >= 0) {
            boxes_->SetItemIndex(boxes_->ItemHot());
            return true;
        }
    }
    if (!isEnabled() || (event->modifiers() & Qt::AltModifier) || style_ != csList)
        return false;
    const int sel = selector_ ? selector_->ItemIndex() : itemIndex_;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (selector_) {
            if (selector_->Model().Count() != int(colors_.size()))
                UpdateItemSelector();
            const int n = selector_->GetVisibleItemCount();
            if (n >= 1)
                SelectInSelector(key == Qt::Key_PageUp ? std::max(sel - n, 0)
                                                       : std::min(sel + n, int(colors_.size()) - 1));
        }
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (open && selector_)
            Internal([&] { key == Qt::Key_End ? selector_->SelectLast() : selector_->SelectFirst(); });
        else
            key == Qt::Key_End ? SelectLastColor() : SelectFirstColor();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (open && selector_)
            Internal([&] { key == Qt::Key_Left ? selector_->SelectPrevious() : selector_->SelectNext(); });
        return open;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (open && selector_) {
            const int target = sel < 0 ? 0 : sel + (key == Qt::Key_Up ? -Columns : Columns);
            SelectInSelector(target);
        } else {
            key == Qt::Key_Up ? SelectPreviousColor() : SelectNextColor();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F4:
        return false;
    default:
        if (!(event->modifiers() & Qt::ControlModifier)) {
            const int code = VirtualKeyCode(key, event->modifiers() & Qt::KeypadModifier);
            if (code > 0) {
                curSearch_ += QChar(code);
                if (selector_)
                    Internal([&] { selector_->LookupItem(curSearch_); });
                else
                    for (size_t i = 0; i < colors_.size(); ++i)
                        if (colors_[i].Caption.startsWith(curSearch_, Qt::CaseInsensitive)) {
                            SetItemIndex(int(i));
                            break;
                        }
                if (!keyTimer_.isActive())
                    keyTimer_.start();  // not restarted by later keys
            }
        }
        return false;
    }
}

bool TExColorPickerDropDown::ForwardKeyDown(QKeyEvent* event)
{
    if (NavigationKey(event))
        return true;
    return TExCustomDropDown::ForwardKeyDown(event);
}

void TExColorPickerDropDown::keyPressEvent(QKeyEvent* event)
{
    if (NavigationKey(event)) {
        event->accept();
        return;
    }
    TExCustomDropDown::keyPressEvent(event);
}

QRect TExColorPickerDropDown::ColorBoxRect() const
{
    const QRect r(QPoint(1, 1), QPoint(width() - DropDownButtonWidth() - 3, height() - 3));
    return QRect(r.left() + 4, r.top() + (height() - ColorBoxHeight) / 2, ColorBoxWidth, ColorBoxHeight);
}

void TExColorPickerDropDown::DrawFocusedText(QPainter& painter)
{
    TExCustomDropDown::DrawFocusedText(painter);
    const QRect r(QPoint(1, 1), QPoint(width() - DropDownButtonWidth() - 3, height() - 3));
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, painter, r);
        return;
    }
    if (selectedColor_ == clNone)
        return;
    const QRect box = ColorBoxRect();
    painter.setPen(Qt::black);
    painter.setBrush(grid::ToQColor(selectedColor_));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (!showText_)
        return;
    const bool focused = hasFocus();
    const QRect textRect(QPoint(box.right() + 5, r.top()), r.bottomRight());
    if (focused)
        painter.fillRect(textRect, grid::ToQColor(clHighlight));
    painter.setPen(focused && !EditorEnabled() ? palette().color(QPalette::HighlightedText)
                                               : palette().color(QPalette::Text));
    painter.setFont(font());
    const QString text = fontMetrics().elidedText(SelectedColorText(), Qt::ElideRight, textRect.width());
    painter.drawText(textRect, int(Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine), text);
}

void TExColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle value)
{
    TExCustomDropDown::SetSelectionColorStyle(value);
    ItemAppearance.SetColorStyle(value);
    if (selector_)
        selector_->ItemAppearance().SetColorStyle(value);
}

}  // namespace dropdown
