#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/theme_binding/theme_api.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <iterator>

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

void QtCanvas::FontText(const QRect& rect, const QString& text, const TFont& font, TColor color, bool upwards)
{
    p_.save();
    p_.setFont(ToQFont(font));
    p_.setPen(ToQColor(color));
    p_.setBrush(Qt::NoBrush);
    if (upwards) {
        // Turned a quarter to the left about the centre: reads from the bottom up.
        const QPointF centre = QRectF(rect).center();
        p_.translate(centre);
        p_.rotate(-90);
        const QRectF turned(-rect.height() / 2.0, -rect.width() / 2.0, rect.height(), rect.width());
        p_.drawText(turned, Qt::AlignCenter | Qt::TextSingleLine, text);
    } else {
        p_.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
    p_.restore();
}

namespace {

// The canvas's frame controls are the binding's, in the same order and states.
constexpr TFrameControl kFrameControls[] = {TFrameControl::ComboScroll, TFrameControl::PushButton,
                                            TFrameControl::ScrollUp,    TFrameControl::ScrollDown,
                                            TFrameControl::CheckBox,    TFrameControl::RadioButton};
static_assert(int(std::size(kFrameControls)) == int(FrameGlyph::RadioButton) + 1);
static_assert(unsigned(fgHot) == fcHot && unsigned(fgPushed) == fcPushed && unsigned(fgInactive) == fcInactive
              && unsigned(fgFlat) == fcFlat && unsigned(fgChecked) == fcChecked && unsigned(fgGrayed) == fcGrayed);

// Themed parts and the frame control each falls back to with themes out of use.
struct ClassicPart
{
    const char* themeClass;
    int part;
    FrameGlyph glyph;
};

constexpr ClassicPart kClassicParts[] = {
    {"button", 1, FrameGlyph::PushButton}, {"button", 2, FrameGlyph::RadioButton},
    {"button", 3, FrameGlyph::CheckBox},   {"combobox", 1, FrameGlyph::ComboScroll},
    {"spin", 1, FrameGlyph::ScrollUp},     {"spin", 2, FrameGlyph::ScrollDown},
};
// Theme states run normal, hot, pressed, disabled; check parts repeat the
// run unchecked, checked, mixed.
constexpr unsigned kStepFlags[] = {0u, fgHot, fgPushed, fgInactive};
constexpr unsigned kRunFlags[] = {0u, fgChecked, fgChecked | fgGrayed};

} // namespace

void QtCanvas::ThemePart(const QRect& rect, const char* themeClass, int part, int state)
{
    const TThemeApi& themes = ThemeApi();
    if (auto theme = themes.OpenThemeData(nullptr, QLatin1String(themeClass))) {
        themes.DrawThemeBackground(theme.get(), p_, part, state, rect);
        themes.CloseThemeData(theme);
        return;
    }
    for (const ClassicPart& c : kClassicParts) {
        if (c.part != part || std::strcmp(c.themeClass, themeClass) != 0)
            continue;
        const int index = std::max(state, 1) - 1;
        FrameControl(rect, c.glyph, kStepFlags[index % 4] | kRunFlags[std::min(index / 4, 2)]);
        return;
    }
}

void QtCanvas::FrameControl(const QRect& rect, FrameGlyph glyph, unsigned flags)
{
    ThemeApi().DrawFrameControl(p_, rect, kFrameControls[int(glyph)], flags);
}

void QtCanvas::Image(QPoint at, const QImage& image)
{
    p_.drawImage(at, image);
}

void QtCanvas::TextAt(QPoint topLeft, const QString& text, const TFont& font, TColor color)
{
    p_.save();
    const QFont f = ToQFont(font);
    p_.setFont(f);
    p_.setPen(ToQColor(color));
    p_.drawText(topLeft + QPoint(0, QFontMetrics(f).ascent()), text);
    p_.restore();
}

} // namespace grid
