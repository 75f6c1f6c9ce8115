#include "controls/grid/widget/non_activating_form.h"

#include <QEvent>

#include <algorithm>

namespace grid {

TNoActiveForm::TNoActiveForm(QWidget* owner, bool stayOnTop) : QWidget(owner)
{
    Qt::WindowFlags flags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    if (stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TNoActiveForm::SetAlphaBlendValue(int alpha)
{
    alpha_ = std::clamp(alpha, 0, 255);
    setWindowOpacity(alpha_ / 255.0);
}

bool TNoActiveForm::event(QEvent* event)
{
    switch (event->type()) {
    // A disabled window: presses and releases end here.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}

} // namespace grid
