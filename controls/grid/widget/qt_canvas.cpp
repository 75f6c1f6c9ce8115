#include "controls/grid/widget/qt_canvas.h"

#include <QPainter>

namespace grid {

QColor ToQColor(TColor color)
{
    const TColor c = ResolveColor(color);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QFont ToQFont(const TFont& font)
{
    QFont f(font.Name);
    f.setPointSize(font.Size > 0 ? font.Size : 8);
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    return f;
}

void QtCanvas::FillRect(const QRect& rect, TColor color)
{
    if (color != clNone)
        p_.fillRect(rect, ToQColor(color));
}

void QtCanvas::Line(QPoint from, QPoint to, TColor color, int width)
{
    if (color == clNone || from == to)
        return;
    // The end pixel stays out, as the platform's line drawing does.
    QPoint end = to;
    if (from.x() == to.x())
        end.ry() += to.y() > from.y() ? -1 : 1;
    else if (from.y() == to.y())
        end.rx() += to.x() > from.x() ? -1 : 1;
    p_.setPen(QPen(ToQColor(color), width));
    p_.drawLine(from, end);
}

void QtCanvas::Pixel(QPoint at, TColor color)
{
    if (color != clNone)
        p_.fillRect(QRect(at, QSize(1, 1)), ToQColor(color));
}

void QtCanvas::FrameRect(const QRect& rect, TColor color)
{
    if (color == clNone)
        return;
    p_.setPen(ToQColor(color));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(rect.adjusted(0, 0, -1, -1));
}

void QtCanvas::Polygon(const QPoint* points, int count, TColor brush, TColor pen)
{
    p_.setPen(pen == clNone ? QPen(Qt::NoPen) : QPen(ToQColor(pen)));
    p_.setBrush(brush == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush)));
    p_.drawPolygon(points, count);
}

void QtCanvas::Ellipse(const QRect& rect, TColor brush, TColor pen)
{
    p_.setPen(pen == clNone ? QPen(Qt::NoPen) : QPen(ToQColor(pen)));
    p_.setBrush(brush == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush)));
    p_.drawEllipse(rect.adjusted(0, 0, -1, -1));
}

void QtCanvas::Pie(const QRect& rect, int spanDegrees, TColor brush, TColor pen)
{
    p_.setPen(pen == clNone ? QPen(Qt::NoPen) : QPen(ToQColor(pen)));
    p_.setBrush(brush == clNone ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush)));
    // From 12 o'clock counter-clockwise, as the gauge reads.
    p_.drawPie(rect.adjusted(0, 0, -1, -1), 90 * 16, spanDegrees * 16);
}

void QtCanvas::CenteredText(const QRect& rect, const QRect& clip, const QString& text, TColor color)
{
    p_.save();
    p_.setClipRect(clip, Qt::IntersectClip);
    p_.setPen(ToQColor(color));
    p_.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    p_.restore();
}

} // namespace grid
