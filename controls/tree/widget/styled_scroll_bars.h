#pragma once

// Scroll bars in the application style: overlays laid over the tree's own scroll bars that paint arrows,
// track and thumb themselves, with hot and pressed parts, and drive thumb dragging. The geometry and the
// drag arithmetic are pure functions.

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>

class QAbstractScrollArea;
class QPainter;
class QScrollBar;

namespace lazytree {

enum TScrollBarPartState { spNormal, spHot, spPressed, spDisabled };

// The parts of one bar in its own coordinates. Up is left on a horizontal bar, down is right.
struct TScrollBarGeometry {
    bool Vertical = true;
    QRect Bar;
    QRect UpButton;
    QRect DownButton;
    QRect Track;
    QRect Thumb; // empty when the bar cannot scroll
};

// The scroll information a bar shows: range minimum .. maximum (platform terms), page and position.
struct TScrollInfo {
    int Minimum = 0;
    int Maximum = 0;
    int Page = 0;
    int Position = 0;
};

// Arrow buttons `arrowSize` long at both ends, the track between them, and the thumb in the track.
TScrollBarGeometry ComputeBarGeometry(const QRect& bar, bool vertical, int arrowSize, const TScrollInfo& info,
    bool enabled);
// One drag step: the thumb position (scroll units) after the pointer moved by `delta` pixels along a track
// `trackLength` long; clamped to minimum .. maximum - page + 1.
double DragThumbPosition(double position, int delta, int trackLength, const TScrollInfo& info);

class TStyledBarOverlay;

class TStyledScrollBars : public QObject {
public:
    explicit TStyledScrollBars(QAbstractScrollArea* area);
    ~TStyledScrollBars() override;
    // Geometry and placement again, then repaint.
    void Refresh();

    // The state of a bar's parts, for tests and painting.
    TScrollBarPartState UpState(bool vertical) const;
    TScrollBarPartState DownState(bool vertical) const;
    TScrollBarPartState ThumbState(bool vertical) const;
    TScrollBarGeometry Geometry(bool vertical) const;
    QWidget* Overlay(bool vertical) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bar;
    Bar& BarOf(bool vertical);
    const Bar& BarOf(bool vertical) const;
    void Compute(Bar& bar);
    void Place(Bar& bar);
    TScrollInfo InfoOf(const QScrollBar* sb) const;

    QAbstractScrollArea* area_;
    std::unique_ptr<Bar> vertical_;
    std::unique_ptr<Bar> horizontal_;
    friend class TStyledBarOverlay;
    void PaintBar(QPainter& painter, bool vertical);
};

} // namespace lazytree
