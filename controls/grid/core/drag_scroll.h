#pragma once
#include <QPoint>
#include <QSize>

#include <functional>

// Scrolling while something is dragged over the grid near its edges.
namespace grid {

class TExStringGrid;

// Milliseconds before the first step and between the next ones.
struct TDragScrollDelays
{
    int InitialDelay = 1000;
    int RepeatDelay = 250;
    void Assign(const TDragScrollDelays& source) { *this = source; }
};

// Pixels from each edge within which a drag scrolls that way.
struct TDragScrollMargins
{
    int TopMargin = 50;
    int BottomMargin = 50;
    int LeftMargin = 50;
    int RightMargin = 50;
    void Assign(const TDragScrollMargins& source) { *this = source; }
};

struct TDragScrollOptions
{
    bool Active = false;
    TDragScrollDelays Delays;
    TDragScrollMargins Margins;
    // Margins, then delays, then Active.
    void Assign(const TDragScrollOptions& source)
    {
        Margins.Assign(source.Margins);
        Delays.Assign(source.Delays);
        Active = source.Active;
    }
};

enum TDragScrollDirection : unsigned { dsdUp = 1, dsdDown = 2, dsdLeft = 4, dsdRight = 8 };
using TDragScrollDirections = unsigned;

// The directions for a drag at p over a client of size: up above the top
// margin, else down below the bottom one; left or right likewise.
TDragScrollDirections DragScrollDirectionsAt(const TDragScrollMargins& margins, QPoint p, QSize size);

// The grid's drag scrolling (its DragScrollOptions and OnDragScroll): a drag
// in a margin starts the timer with InitialDelay; each tick repeats it with
// RepeatDelay and moves the top row (left column) one step each way.
class DragScroller
{
public:
    explicit DragScroller(TExStringGrid& grid) : grid_(grid) {}

    // A drag moves over the grid at p (client of size), or leaves it.
    void DragOver(QPoint p, QSize size);
    void DragLeft();
    // One timer tick.
    void Tick();

    TDragScrollDirections Directions() const { return directions_; }
    bool TimerRunning() const { return running_; }
    int Interval() const { return interval_; }

    // The timer: (re)started with an interval, stopped.
    std::function<void(int ms)> StartTimer;
    std::function<void()> StopTimer;

private:
    void Start(int ms);
    void Stop();

    TExStringGrid& grid_;
    TDragScrollDirections directions_ = 0;
    bool running_ = false;
    int interval_ = 0;
};

} // namespace grid
