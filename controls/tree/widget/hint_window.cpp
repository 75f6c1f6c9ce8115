#include "controls/tree/widget/hint_window.h"

#include "controls/tree/widget/tree_control.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>

namespace lazytree {

double HintOpacity(int elapsedMs, int durationMs)
{
    if (durationMs <= 0 || elapsedMs >= durationMs)
        return 1.0;
    return std::max(0, elapsedMs) / static_cast<double>(durationMs);
}

QRect ClampHintRect(const QRect& hint, const QRect& screen)
{
    QRect r = hint;
    if (r.right() > screen.right())
        r.moveRight(screen.right());
    if (r.bottom() > screen.bottom())
        r.moveBottom(screen.bottom());
    if (r.left() < screen.left())
        r.moveLeft(screen.left());
    if (r.top() < screen.top())
        r.moveTop(screen.top());
    return r;
}

THintWindow::THintWindow(TLazyTreeControl& tree)
    : QWidget(&tree, Qt::ToolTip | Qt::FramelessWindowHint), tree_(tree)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void THintWindow::ShowHint(PLazyNode node, TColumnIndex column, const QRect& globalRect, int fadeMs)
{
    node_ = node;
    column_ = column;
    QRect r = globalRect;
    if (QScreen* screen = QGuiApplication::screenAt(r.center()))
        r = ClampHintRect(r, screen->availableGeometry());
    setGeometry(r);
    duration_ = fadeMs;
    clock_.start();
    setWindowOpacity(HintOpacity(0, duration_));
    show();
    update();
    if (duration_ > 0)
        fade_.start(15, this);
}

void THintWindow::HideHint()
{
    fade_.stop();
    node_ = nullptr;
    hide();
}

void THintWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != fade_.timerId())
        return QWidget::timerEvent(event);
    const int elapsed = static_cast<int>(clock_.elapsed());
    setWindowOpacity(HintOpacity(elapsed, duration_));
    if (elapsed >= duration_)
        fade_.stop();
}

void THintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    if (node_)
        tree_.FireDrawHint(&painter, node_, {0, 0, width(), height()}, column_);
}

} // namespace lazytree
