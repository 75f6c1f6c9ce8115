#include "controls/dropdown/ex_button.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/ex_custom_dropdown.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>
#include <iterator>

namespace dropdown {

namespace {

TextMeasure* g_measure = nullptr;

// Results that close the popup, and those of them that cancel.
constexpr int kClosing[] = {mrOk, mrCancel, mrAbort, mrIgnore, mrYes, mrNo, mrAll, mrNoToAll, mrYesToAll};
constexpr int kCancelling[] = {mrCancel, mrAbort, mrIgnore, mrNo, mrNoToAll};

template <size_t N>
bool In(const int (&list)[N], int value)
{
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

}  // namespace

TExButton::TExButton(QWidget* parent) : QWidget(parent)
{
    resize(23, 22);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

TExButton::~TExButton() = default;

void TExButton::SetTextMeasure(TextMeasure* measure)
{
    g_measure = measure;
}

void TExButton::SetAppearance(TExButtonAppearance* appearance)
{
    appearance_ = appearance;
    update();
}

void TExButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    if (shortcut_)
        releaseShortcut(shortcut_);
    shortcut_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    if (!mnemonic.isEmpty())
        shortcut_ = grabShortcut(mnemonic);
    update();
}

void TExButton::SetDown(bool down)
{
    down_ = down;
    update();
}

void TExButton::AutoSizeButton()
{
    if (!appearance_)
        return;
    QString text = caption_;
    text.remove(u'&');
    FontTextMeasure fontMeasure(appearance_->Font);
    TextMeasure& measure = g_measure ? *g_measure : fontMeasure;
    QSize size = GetTextSize(measure, text);
    if (images_ && imageIndex_ >= 0 && imageIndex_ < images_->size()) {
        const QSize image = (*images_)[imageIndex_].size();
        size = size.expandedTo(image);
    }
    resize(size.width() + 8, size.height() + 4);
}

void TExButton::Click(bool internal)
{
    const bool cancel = In(kCancelling, modalResult_);
    if (dropDown_ && In(kClosing, modalResult_))
        dropDown_->DoHideDropDown(cancel);
    if (!internal && OnClick)
        OnClick(this);
}

TExButton::StateColors TExButton::CurrentColors() const
{
    const TExButtonAppearance& a = *appearance_;
    if (!isEnabled())
        return {a.ColorDisabled, a.ColorDisabledTo, a.BorderColorDisabled};
    if (mouseDownIn_ && mouseIn_)
        return {a.ColorDown, a.ColorDown, a.BorderColorDown};
    if (down_)
        return {a.ColorChecked, a.ColorChecked, a.BorderColorChecked};
    if (mouseIn_ || hasFocus())
        return {a.ColorHot, a.ColorHot, a.BorderColorHot};
    return {a.Color, a.ColorTo, a.BorderColor};
}

bool TExButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == shortcut_) {
        if (isEnabled())
            Click();
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut ||
        event->type() == QEvent::EnabledChange)
        update();
    return QWidget::event(event);
}

void TExButton::paintEvent(QPaintEvent*)
{
    if (!appearance_)
        return;
    QPainter painter(this);
    const StateColors c = CurrentColors();
    QRect r = rect();
    DrawRectangle(painter, r, c.Face, c.FaceTo, c.Border, 1, appearance_->Gradient);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(appearance_->Font);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    QString text = caption_;
    text.remove(u'&');
    DrawImageText(painter, r, text, images_, imageIndex_);
}

void TExButton::enterEvent(QEnterEvent*)
{
    mouseIn_ = true;
    update();
}

void TExButton::leaveEvent(QEvent*)
{
    mouseIn_ = false;
    update();
}

bool TExButton::Inside(QPoint pos) const
{
    // The row just below the client area counts as inside.
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TExButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    mouseDownIn_ = true;
    dragging_ = true;
    update();
}

void TExButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const bool inside = Inside(event->position().toPoint());
    if (inside != mouseIn_) {
        mouseIn_ = inside;
        update();
    }
}

void TExButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    mouseDownIn_ = false;
    const bool wasDragging = dragging_;
    dragging_ = false;
    update();
    if (wasDragging && Inside(event->position().toPoint()) && isEnabled())
        Click();
}

void TExButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Click(true);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace dropdown
