// Styled scroll bars: the overlays, their geometry, hot and pressed parts, and thumb dragging.

#include "controls/tree/widget/styled_scroll_bars.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace lazytree {

TScrollBarGeometry ComputeBarGeometry(const QRect& bar, bool vertical, int arrowSize, const TScrollInfo& info,
    bool enabled)
{
    TScrollBarGeometry g;
    g.Vertical = vertical;
    g.Bar = bar;
    const int length = vertical ? bar.height() : bar.width();
    const int a = std::max(0, std::min(arrowSize, length / 2));
    if (vertical) {
        g.UpButton = QRect(bar.left(), bar.top(), bar.width(), a);
        g.DownButton = QRect(bar.left(), bar.bottom() - a + 1, bar.width(), a);
        g.Track = QRect(bar.left(), bar.top() + a, bar.width(), length - 2 * a);
    } else {
        g.UpButton = QRect(bar.left(), bar.top(), a, bar.height());
        g.DownButton = QRect(bar.right() - a + 1, bar.top(), a, bar.height());
        g.Track = QRect(bar.left() + a, bar.top(), length - 2 * a, bar.height());
    }
    const int range = info.Maximum - info.Minimum + 1;
    const int trackLength = vertical ? g.Track.height() : g.Track.width();
    if (!enabled || range <= 0 || info.Page >= range || trackLength <= 0)
        return g;
    const int minThumb = std::max(8, a / 2);
    const int size = std::clamp(static_cast<int>(int64_t(trackLength) * info.Page / range), minThumb, trackLength);
    const int span = range - std::max(info.Page, 1);
    const int offset = span > 0
        ? static_cast<int>(int64_t(trackLength - size) * (std::clamp(info.Position, info.Minimum, info.Minimum + span) -
                                                                 info.Minimum) / span)
        : 0;
    if (vertical)
        g.Thumb = QRect(g.Track.left(), g.Track.top() + offset, g.Track.width(), size);
    else
        g.Thumb = QRect(g.Track.left() + offset, g.Track.top(), size, g.Track.height());
    return g;
}

double DragThumbPosition(double position, int delta, int trackLength, const TScrollInfo& info)
{
    if (trackLength > 0)
        position += double(delta) / trackLength * (info.Maximum - info.Minimum);
    position = std::clamp(position, double(info.Minimum), double(std::max(info.Minimum, info.Maximum)));
    if (info.Page > 0)
        position = std::min(position, double(info.Maximum - info.Page + 1));
    return std::max(position, double(info.Minimum));
}

// ---- Overlay windows ---------------------------------------------------------------------------------------

class TStyledBarOverlay : public QWidget {
public:
    TStyledBarOverlay(TStyledScrollBars* owner, QScrollBar* bar, bool vertical)
        : QWidget(bar), owner_(owner), vertical_(vertical)
    {
        // Every mouse action falls through to the scroll bar below.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        owner_->PaintBar(p, vertical_);
    }

private:
    TStyledScrollBars* owner_;
    bool vertical_;
};

struct TStyledScrollBars::Bar {
    QPointer<QScrollBar> ScrollBar;
    TStyledBarOverlay* Window = nullptr;
    bool Vertical = true;
    TScrollBarGeometry Geometry;
    TScrollBarPartState Up = spNormal;
    TScrollBarPartState Down = spNormal;
    TScrollBarPartState Thumb = spNormal;
    bool LeftButtonDown = false;
    int PrevScrollPos = 0;
    double ScrollPos = 0;
};

TStyledScrollBars::TStyledScrollBars(QAbstractScrollArea* area)
    : QObject(area), area_(area), vertical_(std::make_unique<Bar>()), horizontal_(std::make_unique<Bar>())
{
    for (bool vertical : {true, false}) {
        Bar& bar = BarOf(vertical);
        bar.Vertical = vertical;
        bar.ScrollBar = vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
        bar.Window = new TStyledBarOverlay(this, bar.ScrollBar, vertical);
        bar.Window->setObjectName(vertical ? QStringLiteral("styledVerticalBar") : QStringLiteral("styledHorizontalBar"));
        bar.ScrollBar->installEventFilter(this);
        bar.ScrollBar->setMouseTracking(true);
        connect(bar.ScrollBar, &QScrollBar::valueChanged, this, [this] { Refresh(); });
        connect(bar.ScrollBar, &QScrollBar::rangeChanged, this, [this] { Refresh(); });
    }
    Refresh();
}

TStyledScrollBars::~TStyledScrollBars()
{
    for (bool vertical : {true, false}) {
        Bar& bar = BarOf(vertical);
        if (bar.ScrollBar) {
            bar.ScrollBar->removeEventFilter(this);
            delete bar.Window;
        }
    }
}

TStyledScrollBars::Bar& TStyledScrollBars::BarOf(bool vertical)
{
    return vertical ? *vertical_ : *horizontal_;
}

const TStyledScrollBars::Bar& TStyledScrollBars::BarOf(bool vertical) const
{
    return vertical ? *vertical_ : *horizontal_;
}

TScrollInfo TStyledScrollBars::InfoOf(const QScrollBar* sb) const
{
    // Qt's range 0 .. maximum with a page step of page - 1 is the platform's 0 .. maximum + page - 1.
    const int page = sb->pageStep() + 1;
    return {sb->minimum(), sb->maximum() + page - 1, page, sb->value()};
}

void TStyledScrollBars::Compute(Bar& bar)
{
    if (!bar.ScrollBar)
        return;
    const QScrollBar* sb = bar.ScrollBar;
    const int arrow = bar.Vertical ? sb->width() : sb->height();
    bar.Geometry = ComputeBarGeometry(sb->rect(), bar.Vertical, arrow, InfoOf(sb),
        sb->isEnabled() && sb->maximum() > sb->minimum());
}

void TStyledScrollBars::Place(Bar& bar)
{
    if (!bar.ScrollBar || !bar.Window)
        return;
    bar.Window->setGeometry(bar.ScrollBar->rect());
    bar.Window->setVisible(bar.ScrollBar->isVisible());
    bar.Window->raise();
}

void TStyledScrollBars::Refresh()
{
    for (bool vertical : {true, false}) {
        Bar& bar = BarOf(vertical);
        Compute(bar);
        Place(bar);
        if (bar.Window)
            bar.Window->update();
    }
}

TScrollBarPartState TStyledScrollBars::UpState(bool vertical) const
{
    return BarOf(vertical).Up;
}

TScrollBarPartState TStyledScrollBars::DownState(bool vertical) const
{
    return BarOf(vertical).Down;
}

TScrollBarPartState TStyledScrollBars::ThumbState(bool vertical) const
{
    return BarOf(vertical).Thumb;
}

TScrollBarGeometry TStyledScrollBars::Geometry(bool vertical) const
{
    return BarOf(vertical).Geometry;
}

QWidget* TStyledScrollBars::Overlay(bool vertical) const
{
    return BarOf(vertical).Window;
}

bool TStyledScrollBars::eventFilter(QObject* watched, QEvent* event)
{
    Bar* found = nullptr;
    for (bool vertical : {true, false})
        if (BarOf(vertical).ScrollBar == watched)
            found = &BarOf(vertical);
    if (!found)
        return false;
    Bar& bar = *found;
    QScrollBar* sb = bar.ScrollBar;
    const bool enabled = sb->isEnabled() && sb->maximum() > sb->minimum();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        Compute(bar);
        const QPoint p = me->position().toPoint();
        bar.LeftButtonDown = true;
        if (enabled && bar.Geometry.Thumb.contains(p)) {
            bar.ScrollPos = sb->value();
            bar.PrevScrollPos = bar.Vertical ? p.y() : p.x();
            bar.Thumb = spPressed;
            bar.Window->update();
            return true; // the overlay drives the thumb
        }
        if (enabled && bar.Geometry.UpButton.contains(p))
            bar.Up = spPressed;
        else if (enabled && bar.Geometry.DownButton.contains(p))
            bar.Down = spPressed;
        bar.Window->update();
        return !enabled; // a disabled bar ignores presses
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = me->position().toPoint();
        if (bar.Thumb == spPressed) {
            const TScrollInfo info = InfoOf(sb);
            const int coordinate = bar.Vertical ? p.y() : p.x();
            if (std::lround(bar.ScrollPos) != info.Position)
                bar.ScrollPos = info.Position;
            const int track = bar.Vertical ? bar.Geometry.Track.height() : bar.Geometry.Track.width();
            bar.ScrollPos = DragThumbPosition(bar.ScrollPos, coordinate - bar.PrevScrollPos, track, info);
            bar.PrevScrollPos = coordinate;
            sb->setValue(static_cast<int>(std::lround(bar.ScrollPos)));
            Refresh();
            return true;
        }
        bool changed = false;
        const auto hover = [&](TScrollBarPartState& state, const QRect& r) {
            if (state == spPressed || !enabled)
                return;
            const TScrollBarPartState wanted = r.contains(p) ? spHot : spNormal;
            if (wanted != state) {
                state = wanted;
                changed = true;
            }
        };
        hover(bar.Up, bar.Geometry.UpButton);
        hover(bar.Down, bar.Geometry.DownButton);
        hover(bar.Thumb, bar.Geometry.Thumb);
        if (changed || bar.LeftButtonDown)
            bar.Window->update();
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        bar.LeftButtonDown = false;
        const QPoint p = me->position().toPoint();
        if (bar.Thumb == spPressed) {
            bar.Thumb = bar.Geometry.Thumb.contains(p) ? spHot : spNormal;
            emit sb->sliderReleased(); // the end of a thumb drag
            Refresh();
            return true;
        }
        if (bar.Up == spPressed)
            bar.Up = bar.Geometry.UpButton.contains(p) ? spHot : spNormal;
        if (bar.Down == spPressed)
            bar.Down = bar.Geometry.DownButton.contains(p) ? spHot : spNormal;
        bar.Window->update();
        return false;
    }
    case QEvent::Leave:
        for (TScrollBarPartState* state : {&bar.Up, &bar.Down, &bar.Thumb})
            if (*state == spHot)
                *state = spNormal;
        bar.Window->update();
        return false;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        Refresh();
        return false;
    default:
        return false;
    }
}

// ---- Painting ------------------------------------------------------------------------------------------------

namespace {

QColor PartColor(const QPalette& palette, TScrollBarPartState state)
{
    const QColor base = palette.color(QPalette::Button);
    switch (state) {
    case spHot:
        return base.lighter(115);
    case spPressed:
        return palette.color(QPalette::Highlight);
    case spDisabled:
        return palette.color(QPalette::Window);
    default:
        return base;
    }
}

void PaintArrow(QPainter& p, const QRect& r, const QPalette& palette, TScrollBarPartState state, int direction)
{
    // direction: 0 up, 1 down, 2 left, 3 right
    p.fillRect(r, PartColor(palette, state));
    const QColor glyph = state == spDisabled ? palette.color(QPalette::Disabled, QPalette::ButtonText)
                                             : palette.color(QPalette::ButtonText);
    const QPoint c = r.center();
    const int s = std::max(2, std::min(r.width(), r.height()) / 4);
    QPolygon triangle;
    switch (direction) {
    case 0:
        triangle << QPoint(c.x() - s, c.y() + s / 2) << QPoint(c.x() + s, c.y() + s / 2) << QPoint(c.x(), c.y() - s / 2);
        break;
    case 1:
        triangle << QPoint(c.x() - s, c.y() - s / 2) << QPoint(c.x() + s, c.y() - s / 2) << QPoint(c.x(), c.y() + s / 2);
        break;
    case 2:
        triangle << QPoint(c.x() + s / 2, c.y() - s) << QPoint(c.x() + s / 2, c.y() + s) << QPoint(c.x() - s / 2, c.y());
        break;
    default:
        triangle << QPoint(c.x() - s / 2, c.y() - s) << QPoint(c.x() - s / 2, c.y() + s) << QPoint(c.x() + s / 2, c.y());
        break;
    }
    p.setPen(glyph);
    p.setBrush(glyph);
    p.drawPolygon(triangle);
}

} // namespace

void TStyledScrollBars::PaintBar(QPainter& painter, bool vertical)
{
    Bar& bar = BarOf(vertical);
    if (!bar.ScrollBar)
        return;
    Compute(bar);
    const QPalette palette = bar.ScrollBar->palette();
    const bool enabled = bar.ScrollBar->isEnabled() && bar.ScrollBar->maximum() > bar.ScrollBar->minimum();
    painter.fillRect(bar.Geometry.Bar, palette.color(QPalette::Window).darker(108));
    painter.fillRect(bar.Geometry.Track, palette.color(QPalette::Window).darker(108));
    if (enabled && !bar.Geometry.Thumb.isEmpty()) {
        painter.fillRect(bar.Geometry.Thumb.adjusted(1, 1, -1, -1), PartColor(palette, bar.Thumb));
    }
    const TScrollBarPartState up = enabled ? bar.Up : spDisabled;
    const TScrollBarPartState down = enabled ? bar.Down : spDisabled;
    PaintArrow(painter, bar.Geometry.UpButton, palette, up, vertical ? 0 : 2);
    PaintArrow(painter, bar.Geometry.DownButton, palette, down, vertical ? 1 : 3);
}

} // namespace lazytree
