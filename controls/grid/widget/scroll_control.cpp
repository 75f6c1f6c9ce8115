#include "controls/grid/widget/scroll_control.h"

#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace grid {

TScrollControl::TScrollControl(TExStringGrid* grid, TScrollDirection direction, QWidget* parent)
    : QWidget(parent), grid_(grid), direction_(direction)
{
    // Not opaque: the cells beneath show around the thumb.
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void TScrollControl::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    update();
}

void TScrollControl::SetScrollWidth(int value)
{
    scrollWidth_ = value;
    update();
}

void TScrollControl::SetDirection(TScrollDirection value)
{
    direction_ = value;
    update();
}

ThumbAxis TScrollControl::Axis() const
{
    ThumbAxis a;
    if (grid_ == nullptr)
        return a;
    const TExStringGrid& g = *grid_;
    const int footers = std::max(0, g.FixedFooters());
    if (Vertical()) {
        a.ControlLength = height();
        a.FixedSize = g.FixedRowsHeight();
        a.FooterSize = int(g.RowOffset(g.RowCount()) - g.RowOffset(std::max(0, g.RowCount() - footers)));
        a.First = g.TopRow();
        a.FixedCount = g.FixedRows();
        a.Count = g.RowCount();
        a.VisibleCount = g.VisibleRowCount();
    } else {
        a.ControlLength = width();
        a.FixedSize = g.FixedColsWidth();
        a.FooterSize = int(g.ColOffset(g.ColCount()) - g.ColOffset(std::max(0, g.ColCount() - footers)));
        a.First = g.LeftCol();
        a.FixedCount = g.FixedCols();
        a.Count = g.ColCount();
        a.VisibleCount = g.VisibleColCount();
    }
    return a;
}

QRect TScrollControl::ThumbRect() const
{
    if (grid_ == nullptr)
        return {};
    const ThumbGeometry t = MetroThumb(Axis());
    if (!t.Shown)
        return {};
    return Vertical() ? QRect(0, t.Start, scrollWidth_, t.Length) : QRect(t.Start, 0, t.Length, scrollWidth_);
}

int TScrollControl::First() const
{
    return Vertical() ? grid_->TopRow() : grid_->LeftCol();
}

void TScrollControl::ScrollTo(int first)
{
    if (first == First())
        return;
    if (Vertical())
        grid_->SetTopRow(first);
    else
        grid_->SetLeftCol(first);
    update();
    if (OnScrolled)
        OnScrolled();
}

void TScrollControl::SetHot(bool hot)
{
    if (hot == hot_)
        return;
    hot_ = hot;
    update();
}

void TScrollControl::paintEvent(QPaintEvent*)
{
    const QRect thumb = ThumbRect();
    if (thumb.isEmpty())
        return;
    QPainter p(this);
    const TColor color = Hot() ? BlendColor(color_, 0x000000, 0, 100, 25) : color_;
    p.fillRect(thumb, ToQColor(color));
}

void TScrollControl::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (grid_ == nullptr || event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const int p = Vertical() ? at.y() : at.x();
    const int page = MetroPageTarget(Axis(), p);
    if (page >= 0) {
        ScrollTo(page);
        return;
    }
    downOnScroller_ = true;
    downPos_ = p;
    downRow_ = First();
    update();
}

void TScrollControl::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (grid_ == nullptr)
        return;
    const QPoint at = event->position().toPoint();
    if (!downOnScroller_) {
        SetHot(ThumbRect().contains(at));
        return;
    }
    const int p = Vertical() ? at.y() : at.x();
    const int firstSize = Vertical() ? grid_->RowHeights(0) : grid_->ColWidths(0);
    ScrollTo(MetroDragTarget(Axis(), p, downPos_, downRow_, firstSize));
}

void TScrollControl::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (!downOnScroller_)
        return;
    downOnScroller_ = false;
    SetHot(ThumbRect().contains(event->position().toPoint()));
    update();
}

void TScrollControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    SetHot(false);
}

} // namespace grid
