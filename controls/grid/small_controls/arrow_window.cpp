#include "controls/grid/small_controls/arrow_window.h"

#include "controls/grid/html_draw/html_colors.h"

#include <QPainter>

namespace grid {

QPolygon ArrowPolygon(TArrowDirection dir)
{
    switch (dir) {
    case arrUp: return QPolygon{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case arrDown: return QPolygon{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    // Placed left of the drop position, pointing right.
    case arrLeft: return QPolygon{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case arrRight: return QPolygon{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    }
    return {};
}

QRegion ArrowRegion(TArrowDirection dir)
{
    return QRegion(ArrowPolygon(dir), Qt::WindingFill);
}

TArrowWindow::TArrowWindow(QWidget* owner, TArrowDirection dir)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      dir_(dir),
      arrow_(ArrowPolygon(dir))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    const QRect bounds = arrow_.boundingRect();
    resize(bounds.x() + bounds.width(), bounds.y() + bounds.height());
    setMask(QRegion(arrow_, Qt::WindingFill));
    hide();
}

void TArrowWindow::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void TArrowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), html::ToQColor(color_));
}

}  // namespace grid
