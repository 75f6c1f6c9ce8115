#include "controls/dropdown/watch.h"

#include "controls/dropdown/drawing_routines.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace dropdown {

namespace {

QColor C(TColor c)
{
    return grid::ToQColor(c);
}

QFont Font(const QString& family, int size)
{
    QFont f(family);
    f.setPointSize(size);
    return f;
}

}  // namespace

TExWatch::TExWatch(QWidget* parent) : QWidget(parent)
{
    resize(180, 180);
    setMouseTracking(true);
    animationTimer_.setInterval(1);
    watchTimer_.setInterval(100);
    scrollTimer_.setInterval(10);
    connect(&animationTimer_, &QTimer::timeout, this, [this] {
        model_.Tick();
        update();
    });
    connect(&watchTimer_, &QTimer::timeout, this, [this] { update(); });
    connect(&scrollTimer_, &QTimer::timeout, this, [this] { StepAMPMScroll(); });
    model_.OnAnimate = [this](bool run) {
        if (run)
            animationTimer_.start();
        else
            animationTimer_.stop();
    };
    model_.OnChange = [this] {
        update();
        if (OnChange)
            OnChange(this);
    };
}

void TExWatch::SetAppearance(const TWatchAppearance& value)
{
    appearance_ = value;
    update();
}

void TExWatch::SetTime(const QTime& value)
{
    model_.SetTime(value);
    update();
}

void TExWatch::SetShowAMPM(bool value)
{
    if (value != showAMPM_) {
        showAMPM_ = value;
        update();
    }
}

void TExWatch::SetShowNumbers(bool value)
{
    if (value != showNumbers_) {
        showNumbers_ = value;
        update();
    }
}

void TExWatch::SetAuto(bool value)
{
    model_.Auto = value;
    if (value) {
        model_.SetTime(model_.Now());
        watchTimer_.start();
    } else {
        watchTimer_.stop();
    }
    update();
}

void TExWatch::HandleKey(int key)
{
    model_.HandleKey(key);
    update();
}

void TExWatch::SetStyle(TWatchStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    ApplyWatchLook(appearance_, value, std::min(width(), height()), showAMPM_, showNumbers_);
    if (value == wsClassic) {
        model_.Animation = true;
        model_.SetAnimationFactor(10);
    }
    update();
}

void TExWatch::SetComponentStyle(TSkinStyle style)
{
    ApplyWatchStyle(appearance_, style);
    update();
}

QRect TExWatch::GetAMPMRect() const
{
    if (!showAMPM_)
        return QRect(QPoint(-1, -1), QPoint(-2, -2));
    const QFontMetrics fm(Font(appearance_.AMPMFontFamily, appearance_.AMPMFontSize));
    const QSize text(fm.horizontalAdvance(QStringLiteral("AM")), fm.height());
    const QRect face = GetFaceRect();
    return AMPMRect(WatchCenter(face), WatchRadius(face), text);
}

void TExWatch::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    setCursor(GetAMPMRect().contains(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TExWatch::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (model_.Auto)
        return;
    const bool am = model_.AM();
    model_.Click(GetFaceRect(), GetAMPMRect(), event->position().toPoint());
    if (am != model_.AM())
        StartAMPMScroll();
    update();
}

void TExWatch::StartAMPMScroll()
{
    if (!model_.Animation || !showAMPM_ || appearance_.AMPMColor == clNone)
        return;
    // The box text scrolls one pixel per 10 ms over its inner height.
    scrollLeft_ = std::max(0, GetAMPMRect().height() - 2);
    scrollToPM_ = !model_.AM();
    scrollOffset_ = scrollToPM_ ? 0 : scrollLeft_;
    if (scrollLeft_ > 0)
        scrollTimer_.start();
}

void TExWatch::StepAMPMScroll()
{
    if (scrollLeft_ <= 0) {
        scrollTimer_.stop();
        return;
    }
    --scrollLeft_;
    scrollOffset_ += scrollToPM_ ? 1 : -1;
    if (scrollLeft_ == 0)
        scrollTimer_.stop();
    update(GetAMPMRect());
}

void TExWatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    DrawFace(p);
    DrawDial(p);
    DrawAMPM(p);
    DrawHands(p);
}

void TExWatch::DrawFace(QPainter& p)
{
    const TWatchAppearance& a = appearance_;
    const QRect face = GetFaceRect();
    const QRect fill = a.Shape == wsCircle ? face : rect();
    p.save();
    QPainterPath clip;
    if (a.Shape == wsCircle)
        clip.addEllipse(QRectF(face.adjusted(-1, -1, 2, 2)));
    else if (a.Shape == wsRoundRect)
        clip.addRoundedRect(QRectF(rect().adjusted(-1, -1, 2, 2)), 10, 10);
    if (a.Shape != wsRect) {
        p.setClipPath(clip);
        p.setRenderHint(QPainter::Antialiasing);
    }
    if (a.BackgroundColor != clNone && a.BackgroundColorTo != clNone)
        DrawGradient(p, a.BackgroundColor, a.BackgroundColorTo, 80, fill, a.RadialGradient);
    else if (a.BackgroundColor != clNone)
        p.fillRect(fill, C(a.BackgroundColor));
    if (a.BorderColor != clNone && a.BorderWidth > 0) {
        p.setPen(QPen(C(a.BorderColor), a.BorderWidth));
        p.setBrush(Qt::NoBrush);
        if (a.Shape == wsCircle)
            p.drawEllipse(face);
        else if (a.Shape == wsRect)
            p.drawRect(rect());
        else
            p.drawRoundedRect(rect(), 10, 10);
    }
    p.restore();
}

void TExWatch::DrawDial(QPainter& p)
{
    const TWatchAppearance& a = appearance_;
    if (a.TickMarks == tmNone)
        return;
    const QRect face = GetFaceRect();
    const QPoint c = WatchCenter(face);
    const double ro = WatchRadius(face) - a.BorderWidth / 2;
    auto mark = [&](double degrees, double ri, QPoint shift) {
        const double t = degrees * M_PI / 180;
        const QPoint from(int(std::nearbyint(std::cos(t) * ri + c.x())), int(std::nearbyint(std::sin(t) * ri + c.y())));
        const QPoint to(int(std::nearbyint(std::cos(t) * ro + c.x())), int(std::nearbyint(std::sin(t) * ro + c.y())));
        p.drawLine(from + shift, to + shift);
    };
    const double hourIn = a.HourMarkLength ? ro - a.HourMarkLength : 0.9 * ro;
    p.setPen(QPen(C(a.HourColor), a.HourMarkWidth));
    for (int q = 0; q < 4; ++q) {
        if (!a.QuarterDoubleLine) {
            mark(q * 90, hourIn, {});
        } else {
            const bool horizontal = q % 2 == 0;  // 0 and 180 degrees: shifted in y
            mark(q * 90, hourIn, horizontal ? QPoint(0, -2) : QPoint(-2, 0));
            mark(q * 90, hourIn, horizontal ? QPoint(0, 2) : QPoint(2, 0));
        }
    }
    if (a.TickMarks == tmAll || a.TickMarks == tmHours)
        for (int i = 0; i < 12; ++i)
            if (i % 3)
                mark(i * 30, hourIn, {});
    if (a.TickMarks == tmAll) {
        p.setPen(QPen(C(a.MinuteColor), a.MinuteMarkWidth));
        const double minuteIn = a.MinuteMarkLength ? ro - a.MinuteMarkLength : 0.95 * ro;
        for (int i = 0; i < 60; ++i)
            if (i % 5)
                mark(i * 6, minuteIn, {});
    }
    if (!showNumbers_ || a.TickMarks == tmHours)
        return;
    const int l = a.HourMarkLength ? a.HourMarkLength : int(std::nearbyint(ro - 0.9 * ro)) + 2;
    const double rn = ro - 2 * l - 2;
    QFont font = Font(a.HourFontFamily, a.HourFontSize);
    font.setBold(a.HourFontBold);
    p.setFont(font);
    p.setPen(C(a.HourFontColor));
    const QFontMetrics fm(font);
    for (int i = 1; i <= 12; ++i) {
        if (a.TickMarks == tmQuartHours && i % 3)
            continue;
        const QString text = QString::number(i);
        const QSize size(fm.horizontalAdvance(text), fm.height());
        const int d = i == 10 ? int(std::nearbyint(size.height() * 0.2))
                      : i == 11 ? int(std::nearbyint(size.height() * 0.15))
                                : 0;
        const double r = rn - d + l / 2;
        const double t = i * 30 * M_PI / 180;
        const int x = c.x() + int(std::nearbyint(std::sin(t) * r));
        const int y = c.y() - int(std::nearbyint(std::cos(t) * r));
        p.drawText(QRect(x - size.width() / 2, y - size.height() / 2, size.width(), size.height()),
                   Qt::AlignLeft | Qt::AlignTop, text);
    }
}

void TExWatch::DrawAMPM(QPainter& p)
{
    if (!showAMPM_)
        return;
    const TWatchAppearance& a = appearance_;
    const QRect box = GetAMPMRect();
    p.setBrush(a.AMPMColor == clNone ? QBrush(Qt::NoBrush) : QBrush(C(a.AMPMColor)));
    p.setPen(a.AMPMBorderColor == clNone ? QPen(Qt::NoPen) : QPen(C(a.AMPMBorderColor), 1));
    if (a.AMPMColor != clNone || a.AMPMBorderColor != clNone) {
        if (a.AMPMFrame == apRect)
            p.drawRect(box.adjusted(0, 0, -1, -1));
        else
            p.drawRoundedRect(box.adjusted(0, 0, -1, -1), 2.5, 2.5);
    }
    p.setFont(Font(a.AMPMFontFamily, a.AMPMFontSize));
    p.setPen(C(a.AMPMFontColor));
    const QRect inner = box.adjusted(1, 1, -1, -1);
    if (scrollLeft_ > 0) {
        // The strip of "AM" above "PM" seen through the box.
        p.save();
        p.setClipRect(inner);
        const int h = inner.height();
        p.drawText(inner.translated(0, -scrollOffset_), Qt::AlignCenter, QStringLiteral("AM"));
        p.drawText(inner.translated(0, h - scrollOffset_), Qt::AlignCenter, QStringLiteral("PM"));
        p.restore();
        return;
    }
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, model_.AM() ? QStringLiteral("AM") : QStringLiteral("PM"));
}

void TExWatch::DrawHands(QPainter& p)
{
    const TWatchAppearance& a = appearance_;
    const QTime t = model_.DisplayTime();
    if (model_.Auto)
        model_.SetAM(t.hour() < 12);
    const QRect face = GetFaceRect();
    const QPoint c = WatchCenter(face);
    const double r = WatchRadius(face);
    const auto [ah, am, as] = HandAngles(t);
    auto P = [&](double angle, double f) { return HandPoint(c, r, angle, f); };
    p.setRenderHint(QPainter::Antialiasing);
    auto line = [&](TColor color, int width, QPoint from, QPoint to) {
        p.setPen(QPen(C(color), width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, to);
    };
    if (a.PointerStyle == psLine) {
        if (a.HourPointerShadow != clNone)
            line(a.HourPointerShadow, a.HourPointerSize, P(ah, -0.1) + QPoint(-1, 3), P(ah, 0.46) + QPoint(-1, 3));
        if (a.MinutePointerShadow != clNone)
            line(a.MinutePointerShadow, a.MinutePointerSize, P(am, -0.1) + QPoint(0, 3), P(am, 0.65) + QPoint(0, 3));
        line(a.HourPointer, a.HourPointerSize, P(ah, -0.1), P(ah, 0.5));
        line(a.MinutePointer, a.MinutePointerSize, P(am, -0.1), P(am, 0.7));
    } else if (a.PointerStyle == psPointer) {
        auto Q = [&](double b) {
            const double rad = b * M_PI / 180;
            return QPoint(int(std::nearbyint(c.x() - r * std::sin(rad) * 0.05)),
                          int(std::nearbyint(c.y() + r * std::cos(rad) * 0.05)));
        };
        auto hand = [&](double angle, double k, TColor color, QPoint shift) {
            if (color == clNone)
                return;
            const QPoint pts[4] = {P(angle, -0.1) + shift, Q(angle + 90) + shift, P(angle, k) + shift,
                                   Q(angle - 90) + shift};
            p.setPen(QPen(C(color), 1));
            p.setBrush(C(color));
            p.drawPolygon(pts, 4);
        };
        hand(ah, 0.5, a.HourPointerShadow, QPoint(1, 3));
        hand(ah, 0.5, a.HourPointer, {});
        hand(am, 0.7, a.MinutePointerShadow, QPoint(1, 3));
        hand(am, 0.7, a.MinutePointer, {});
    }
    if ((a.PointerStyle == psLine || a.PointerStyle == psPointer) && model_.Auto && ShowSecondHand)
        line(a.SecondPointer, a.SecondPointerSize, P(as, -0.2), P(as, 0.9));
    const int s = a.CenterPointSize;
    if (s > 0) {
        auto square = [&](int q) {
            return QRect(int(std::nearbyint(c.x() - q / 2.0)), int(std::nearbyint(c.y() - q / 2.0)), q, q);
        };
        if (a.CenterPointColor != clNone) {
            p.setPen(QPen(C(a.CenterPointColor), 1));
            p.setBrush(C(a.CenterPointColor));
            p.drawEllipse(square(s));
        }
        int v = 0;
        p.setBrush(Qt::NoBrush);
        if (a.CenterPointOuterBorderColor != clNone) {
            v = int(std::nearbyint(s * 0.2));
            p.setPen(QPen(C(a.CenterPointOuterBorderColor), v));
            p.drawEllipse(square(s));
        }
        if (a.CenterPointBorderColor != clNone) {
            p.setPen(QPen(C(a.CenterPointBorderColor), int(std::nearbyint(s * 0.1))));
            p.drawEllipse(square(s - v));
        }
    }
}

}  // namespace dropdown
