#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/small_controls/theme_api.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionProgressBar>

#include <cstring>

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

void QtCanvas::ThemePart(const QRect& rect, const char* themeClass, int part, int state)
{
    const TThemeApi& themes = ThemeApi();
    if (auto theme = themes.OpenThemeData(nullptr, QLatin1String(themeClass))) {
        themes.DrawThemeBackground(theme.get(), p_, part, state, rect);
        themes.CloseThemeData(theme);
        return;
    }
    // Themes out of use: the classic frame controls.
    if (std::strcmp(themeClass, "button") == 0 && (part == 2 || part == 3)) {
        // Radio (2) and check box (3): unchecked 1..4, checked 5..8, mixed
        // 9..12; the fourth of each run disabled.
        unsigned flags = state >= 9 ? unsigned(fgGrayed | fgChecked) : state >= 5 ? unsigned(fgChecked) : 0u;
        if (state % 4 == 0)
            flags |= fgInactive;
        FrameControl(rect, part == 2 ? FrameGlyph::RadioButton : FrameGlyph::CheckBox, flags);
        return;
    }
    // Theme states: 1 normal, 2 hot, 3 pressed, 4 disabled.
    const unsigned flags = state == 2 ? fgHot : state == 3 ? fgPushed : state == 4 ? fgInactive : 0u;
    if (std::strcmp(themeClass, "button") == 0 && part == 1)
        FrameControl(rect, FrameGlyph::PushButton, flags);
    else if (std::strcmp(themeClass, "combobox") == 0 && part == 1)
        FrameControl(rect, FrameGlyph::ComboScroll, flags);
    else if (std::strcmp(themeClass, "spin") == 0 && (part == 1 || part == 2))
        FrameControl(rect, part == 1 ? FrameGlyph::ScrollUp : FrameGlyph::ScrollDown, flags);
}

void QtCanvas::FrameControl(const QRect& rect, FrameGlyph glyph, unsigned flags)
{
    if (rect.isEmpty())
        return;
    QStyle* style = QApplication::style();
    QStyleOptionButton option;
    option.rect = rect;
    option.palette = QApplication::palette();
    option.state = (flags & fgInactive) ? QStyle::State_None : QStyle::State_Enabled;
    if (flags & fgHot)
        option.state |= QStyle::State_MouseOver;
    option.state |= (flags & fgPushed) ? QStyle::State_Sunken : QStyle::State_Raised;
    if (!(flags & fgInactive))
        option.palette.setCurrentColorGroup(QPalette::Active);
    else
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    if (glyph == FrameGlyph::CheckBox || glyph == FrameGlyph::RadioButton) {
        if (!style)
            return;
        QStyleOptionButton box = option;
        box.state &= ~(QStyle::State_Raised | QStyle::State_Sunken);
        box.state |= (flags & fgGrayed) ? QStyle::State_NoChange
                     : (flags & fgChecked) ? QStyle::State_On
                                           : QStyle::State_Off;
        style->drawPrimitive(glyph == FrameGlyph::CheckBox ? QStyle::PE_IndicatorCheckBox
                                                           : QStyle::PE_IndicatorRadioButton,
                             &box, &p_);
        return;
    }
    p_.save();
    if (flags & fgFlat) {
        // Flat: the face and a one-pixel frame, no bevel.
        p_.fillRect(rect, option.palette.button());
        p_.setPen(option.palette.color(QPalette::Mid));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(rect.adjusted(0, 0, -1, -1));
    } else if (style) {
        style->drawControl(QStyle::CE_PushButtonBevel, &option, &p_);
    }
    if (style && glyph != FrameGlyph::PushButton) {
        QStyleOption arrow = option;
        const int side = std::max(1, std::min(rect.width(), rect.height()) / 2);
        arrow.rect = QRect(0, 0, side, side);
        arrow.rect.moveCenter(rect.center());
        if (flags & fgPushed)
            arrow.rect.translate(1, 1);
        const QStyle::PrimitiveElement element =
            glyph == FrameGlyph::ScrollUp ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown;
        style->drawPrimitive(element, &arrow, &p_);
    }
    p_.restore();
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
