#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/thumb_geometry.h"

#include <QWidget>

#include <functional>

namespace grid {

class TExStringGrid;

enum TScrollDirection { sdVertical, sdHorizontal };

// A thin scroll control of ssMetro: a thumb for the shown share of the rows
// (columns), drawn over the cells beneath. A press before or after the thumb
// pages, a press on it starts a drag. Without a grid it draws nothing and
// ignores the mouse.
class TScrollControl : public QWidget
{
public:
    TScrollControl(TExStringGrid* grid, TScrollDirection direction, QWidget* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Thickness of the thumb across the scroll direction.
    int ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int value);
    TScrollDirection Direction() const { return direction_; }
    void SetDirection(TScrollDirection value);

    // The grid's rows (columns) against this control's length.
    ThumbAxis Axis() const;
    // The thumb's rectangle; empty while every scrollable row (column) shows.
    QRect ThumbRect() const;
    bool Dragging() const { return downOnScroller_; }
    // The pointer is over the thumb (or drags it): the thumb is drawn darker.
    bool Hot() const { return hot_ || downOnScroller_; }

    // After the control moved the grid's top row (left column).
    std::function<void()> OnScrolled;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool Vertical() const { return direction_ == sdVertical; }
    int First() const;
    void ScrollTo(int first);
    void SetHot(bool hot);

    TExStringGrid* grid_;
    TColor color_ = clSilver;
    int scrollWidth_ = 4;
    bool downOnScroller_ = false;
    int downPos_ = 0;
    int downRow_ = 0;
    TScrollDirection direction_;
    bool hot_ = false;
};

} // namespace grid
