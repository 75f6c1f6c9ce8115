#include "controls/grid/core/drawing_routines.h"

#include "controls/grid/core/text_measurer.h"
#include "platform/text/system_colors.h"

#include <QDir>
#include <QImage>
#include <QtMath>

#include <mutex>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

int Red(TColor c) { return int(c & 0xFF); }
int Green(TColor c) { return int((c >> 8) & 0xFF); }
int Blue(TColor c) { return int((c >> 16) & 0xFF); }
TColor Rgb(int r, int g, int b)
{
    return TColor(std::clamp(r, 0, 255)) | (TColor(std::clamp(g, 0, 255)) << 8) |
           (TColor(std::clamp(b, 0, 255)) << 16);
}

} // namespace

TColor ResolveColor(TColor color)
{
    return platform::ColorToRGB(color);
}

TColor HalfColor(TColor color)
{
    const TColor c = ResolveColor(color);
    return Rgb(Red(c) / 2, Green(c) / 2, Blue(c) / 2);
}

TColor BlendColor(TColor color, TColor colorTo, int min, int max, int pos)
{
    if (colorTo == clNone || max == min)
        return color;
    const TColor a = ResolveColor(color);
    const TColor b = ResolveColor(colorTo);
    const double f = double(pos) / (max - min);
    return Rgb(Red(a) + int(std::lround((Red(b) - Red(a)) * f)), Green(a) + int(std::lround((Green(b) - Green(a)) * f)),
               Blue(a) + int(std::lround((Blue(b) - Blue(a)) * f)));
}

void DrawGradientRect(Canvas& canvas, TColor from, TColor to, bool horizontal, QRect rect, int steps)
{
    rect = rect.normalized();
    if (rect.height() == 0 || rect.width() == 0)
        return;
    if (from == clNone || to == clNone) {
        const TColor solid = to == clNone ? from : to;
        if (solid != clNone)
            canvas.FillRect(rect, solid);
        return;
    }
    const TColor a = ResolveColor(from);
    const TColor b = ResolveColor(to);
    const int length = (horizontal ? rect.width() : rect.height()) - 1;
    if (length <= 0) {
        canvas.FillRect(rect, a);
        return;
    }
    steps = std::clamp(steps, 1, length);
    const double band = double(length) / steps;
    const int thick = int(band + 1);
    const int end = horizontal ? rect.left() + rect.width() : rect.top() + rect.height();
    for (int i = 0; i <= steps; ++i) {
        const TColor c = Rgb(Red(a) + int(std::lround(double(i) * (Red(b) - Red(a)) / steps)),
                             Green(a) + int(std::lround(double(i) * (Green(b) - Green(a)) / steps)),
                             Blue(a) + int(std::lround(double(i) * (Blue(b) - Blue(a)) / steps)));
        const int start = (horizontal ? rect.left() : rect.top()) + int(i * band);
        const int stop = std::min(start + thick, end);
        if (stop <= start)
            continue;
        if (horizontal)
            canvas.FillRect(QRect(start, rect.top(), stop - start, rect.height()), c);
        else
            canvas.FillRect(QRect(rect.left(), start, rect.width(), stop - start), c);
    }
}

void DrawSelectionFrame(Canvas& canvas, const QRect& rect, int openSides, TColor borderColor,
                        TColor innerTopColor, TColor innerBottomColor, TColor cornerColor,
                        TColor edgePixelColor, TColor color, TColor colorTo, TColor mirrorColor,
                        TColor mirrorColorTo)
{
    // Work in edge coordinates: r is exclusive on the right and bottom.
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width() - 1;
    const int bottom = rect.top() + rect.height() - 2;
    const bool leftClosed = openSides == 0 || openSides == 1;
    const bool rightClosed = openSides == 0 || openSides == 2;
    const int middle = (top + bottom) / 2;

    // Inner area first, so the lines lie on top of it.
    const QRect inner(QPoint(left + (leftClosed ? 2 : 0), top + 2),
                      QPoint(right - (rightClosed ? 2 : 0) - 1, bottom - 2));
    if (inner.isValid()) {
        if (colorTo == clNone)
            canvas.FillRect(inner, color);
        else if (mirrorColor == clNone)
            DrawGradientRect(canvas, color, colorTo, false, inner, 16);
        else {
            const int half = inner.height() / 2;
            DrawGradientRect(canvas, color, colorTo, false, QRect(inner.left(), inner.top(), inner.width(), half),
                             16);
            DrawGradientRect(canvas, mirrorColor, mirrorColorTo, false,
                             QRect(inner.left(), inner.top() + half, inner.width(), inner.height() - half), 16);
        }
    }
    const int x0 = leftClosed ? left + 1 : left;
    const int x1 = rightClosed ? right - 1 : right + 1;
    canvas.Line({x0, top + 1}, {x1, top + 1}, innerTopColor);
    canvas.Line({x0, bottom - 1}, {x1, bottom - 1}, innerBottomColor);
    if (leftClosed) {
        canvas.Line({left + 1, top + 1}, {left + 1, middle}, innerTopColor);
        canvas.Line({left + 1, middle}, {left + 1, bottom}, innerBottomColor);
    }
    if (rightClosed) {
        canvas.Line({right - 1, top + 1}, {right - 1, middle}, innerTopColor);
        canvas.Line({right - 1, middle}, {right - 1, bottom}, innerBottomColor);
    }
    const int e0 = leftClosed ? left + 2 : left;
    const int e1 = rightClosed ? right - 1 : right + 1;
    canvas.Line({e0, top}, {e1, top}, borderColor);
    canvas.Line({e0, bottom}, {e1, bottom}, borderColor);
    if (leftClosed)
        canvas.Line({left, top + 2}, {left, bottom - 1}, borderColor);
    if (rightClosed)
        canvas.Line({right, top + 2}, {right, bottom - 1}, borderColor);
    auto corner = [&](int x, int y, int dx, int dy) {
        if (edgePixelColor != clNone) {
            canvas.Pixel({x + dx, y}, edgePixelColor);
            canvas.Pixel({x, y + dy}, edgePixelColor);
            canvas.Pixel({x + dx, y + dy}, edgePixelColor);
        }
        if (cornerColor != clNone)
            canvas.Pixel({x, y}, cornerColor);
    };
    if (leftClosed) {
        corner(left, top, 1, 1);
        corner(left, bottom, 1, -1);
    }
    if (rightClosed) {
        corner(right, top, -1, 1);
        corner(right, bottom, -1, -1);
    }
}

int RangePercent(double position, double min, double max)
{
    if (max == min)
        return 0;
    const double p = std::round((position - min) * 100.0 / (max - min));
    return int(std::clamp(p, 0.0, 100.0));
}

int LevelPercent(int value, int from, int to)
{
    if (to == from)
        return 0;
    const double p = std::round(std::abs(double(value) - from) * 100.0 / (double(to) - from));
    return int(std::clamp(p, 0.0, 100.0));
}

ProgressBarLayout LayoutProgressBar(const QRect& rect, const QString& format, double max, double min,
                                    int marginY, int marginX, double position)
{
    ProgressBarLayout out;
    if (format.isEmpty()) {
        const long long value = std::llround(position);
        out.Text = QString::number(value) + QLatin1Char('%');
        out.Percent = int(std::clamp<long long>(value, 0, 100));
    } else {
        if (format.contains(QLatin1Char('d')) || format.contains(QLatin1Char('u')))
            out.Text = QString::asprintf(format.toLatin1().constData(), int(std::lround(position)));
        else
            out.Text = QString::asprintf(format.toLatin1().constData(), position);
        out.Percent = RangePercent(position, min, max);
    }
    const QRect r = rect.adjusted(marginX, marginY, -marginX, -marginY);
    const int filled = int(std::lround(out.Percent * double(r.width()) / 100.0));
    out.Filled = QRect(r.left(), r.top(), filled, r.height());
    out.Rest = QRect(r.left() + filled, r.top(), r.width() - filled, r.height());
    return out;
}

void DrawProgressBar(Canvas& canvas, const QRect& rect, TColor fillColor, TColor borderColor,
                     const QString& format, double max, double min, int marginY, int marginX, double position,
                     TColor restTextColor, TColor restColor, TColor fillTextColor, TColor background)
{
    const ProgressBarLayout layout = LayoutProgressBar(rect, format, max, min, marginY, marginX, position);
    const QRect r = layout.Filled.united(layout.Rest);
    if (!layout.Filled.isEmpty()) {
        canvas.FillRect(layout.Filled, fillColor);
        canvas.CenteredText(r, layout.Filled, layout.Text, fillTextColor);
    }
    if (!layout.Rest.isEmpty()) {
        canvas.FillRect(layout.Rest, restColor);
        canvas.CenteredText(r, layout.Rest, layout.Text, restTextColor);
    }
    QRect frame = r.adjusted(-1, -1, 1, 1);
    if (borderColor != clNone)
        canvas.FrameRect(frame, borderColor);
    frame.adjust(-1, -1, 1, 1);
    if (background != clNone)
        canvas.FrameRect(frame, background);
}

void DrawProgressPie(Canvas& canvas, const QRect& rect, TColor color, int percent, TColor background)
{
    canvas.Ellipse(rect, background, clGray);
    if (percent != 0)
        canvas.Pie(rect, std::clamp(percent, 0, 100) * 360 / 100, color, clGray);
    const QPoint centre = rect.center();
    canvas.Line({centre.x(), rect.top()}, centre, clGray);
}

void DrawCellShape(Canvas& canvas, int x, int y, int w, int h, TCellShape shape, TColor brush, TColor pen)
{
    if ((shape == csCircle || shape == csSquare || shape == csRoundSquare) && w != h)
        w = h = std::min(w, h);
    const int wE = w & ~1;
    const int hE = h & ~1;
    auto poly = [&](std::initializer_list<QPoint> pts) {
        canvas.Polygon(pts.begin(), int(pts.size()), brush, pen);
    };
    switch (shape) {
    case csRectangle:
    case csSquare:
        canvas.FillRect(QRect(QPoint(x + 1, y + 1), QPoint(x + w - 2, y + h - 2)), brush);
        canvas.FrameRect(QRect(QPoint(x + 1, y + 1), QPoint(x + w - 2, y + h - 2)), pen);
        break;
    case csCircle:
    case csEllips:
    case csRoundRect:
    case csRoundSquare:
        canvas.Ellipse(QRect(x, y, w, h), brush, pen);
        break;
    case csTriangleLeft:
        poly({{x + w, y}, {x + w, y + h}, {x, y + h / 2}});
        break;
    case csTriangleRight:
        poly({{x, y}, {x, y + h}, {x + w, y + h / 2}});
        break;
    case csTriangleUp:
        poly({{x, y + h}, {x + w, y + h}, {x + w / 2, y}});
        break;
    case csTriangleDown:
        poly({{x, y}, {x + w, y}, {x + w / 2, y + h}});
        break;
    case csDiamond:
        poly({{x, y + h / 2}, {x + w / 2, y}, {x + 2 * (w / 2), y + h / 2}, {x + w / 2, y + 2 * (h / 2)}});
        break;
    case csLineVert:
        canvas.FillRect(QRect(x + w / 2, y, 1, h), brush);
        break;
    case csLineHorz:
        canvas.FillRect(QRect(x, y + h / 2, w, 1), brush);
        break;
    case csStar:
    case csHalfStar: {
        const int cx = x + w / 2;
        const int cy = y + h / 2;
        auto point = [&](int k) {
            const double a = qDegreesToRadians(36.0 * k);
            const double rx = k % 2 == 0 ? w / 2 : w / 6;
            const double ry = k % 2 == 0 ? h / 2 : h / 6;
            return QPoint(cx + int(std::lround(std::cos(a) * rx)), cy - int(std::lround(std::sin(a) * ry)));
        };
        if (shape == csStar) {
            QPoint pts[10];
            for (int k = 0; k < 10; ++k)
                pts[k] = point(k);
            canvas.Polygon(pts, 10, brush, pen);
        } else {
            const QPoint pts[] = {point(0), point(5), point(6), point(7), point(8), point(9), point(0)};
            canvas.Polygon(pts, 7, brush, pen);
        }
        break;
    }
    case csArrowUp:
        poly({{x, y + h / 2}, {x + wE / 2, y}, {x + wE, y + h / 2}, {x + 3 * (wE / 4), y + h / 2},
              {x + 3 * (wE / 4), y + h}, {x + wE / 4, y + h}, {x + wE / 4, y + h / 2}});
        break;
    case csArrowDown:
        poly({{x, y + h / 2}, {x + wE / 2, y + h}, {x + wE, y + h / 2}, {x + 3 * (wE / 4), y + h / 2},
              {x + 3 * (wE / 4), y}, {x + wE / 4, y}, {x + wE / 4, y + h / 2}});
        break;
    case csArrowLeft:
        poly({{x, y + hE / 2}, {x + w / 2, y}, {x + w / 2, y + hE / 4}, {x + w, y + hE / 4},
              {x + w, y + 3 * (hE / 4)}, {x + w / 2, y + 3 * (hE / 4)}, {x + w / 2, y + hE}});
        break;
    case csArrowRight:
        poly({{x + w, y + hE / 2}, {x + w - w / 2, y}, {x + w - w / 2, y + hE / 4}, {x, y + hE / 4},
              {x, y + 3 * (hE / 4)}, {x + w - w / 2, y + 3 * (hE / 4)}, {x + w - w / 2, y + hE}});
        break;
    }
}

void DrawDropTriangle(Canvas& canvas, int x, int y, TColor color)
{
    const QPoint pts[] = {{x - 3, y}, {x + 3, y}, {x, y + 3}};
    canvas.Polygon(pts, 3, color, color);
}

void FillRectColor(Canvas& canvas, const QRect& rect, TColor color)
{
    canvas.FillRect(rect, color);
}

void FillCellBackground(Canvas& canvas, const QRect& rect, TColor color, TColor colorTo, TColor mirrorColor,
                        TColor mirrorColorTo, bool vertical, bool fill, TColor borderColor, bool sidesOnly)
{
    if (fill && color != clNone) {
        if (mirrorColor == clNone) {
            if (colorTo == clNone)
                canvas.FillRect(rect.adjusted(0, 0, 0, 1), color);
            else
                DrawGradientRect(canvas, color, colorTo, !vertical, rect, 128);
        } else {
            QRect first = rect;
            QRect second = rect;
            if (vertical) {
                first.setHeight(rect.height() / 2);
                second.setTop(first.top() + first.height());
            } else {
                first.setWidth(rect.width() / 2);
                second.setLeft(first.left() + first.width());
            }
            DrawGradientRect(canvas, color, colorTo, !vertical, first, 128);
            DrawGradientRect(canvas, mirrorColor, mirrorColorTo, !vertical, second, 128);
        }
    }
    if (borderColor == clNone)
        return;
    if (sidesOnly) {
        const int bottom = rect.top() + rect.height();
        canvas.Line({rect.left(), rect.top()}, {rect.left(), bottom}, borderColor);
        canvas.Line({rect.right(), rect.top()}, {rect.right(), bottom}, borderColor);
    } else {
        canvas.FrameRect(rect, borderColor);
    }
}

namespace {

// Part [from, to) of a level bar's length: from the left of inner, or from
// its bottom when vertical.
QRect LevelSpan(const QRect& inner, int from, int to, bool vertical)
{
    if (vertical)
        return QRect(inner.left(), inner.top() + inner.height() - to, inner.width(), to - from);
    return QRect(inner.left() + from, inner.top(), to - from, inner.height());
}

void FillLevelSpan(Canvas& canvas, const QRect& span, TColor color, TColor colorTo,
                   const LevelProgressStyle& style)
{
    if (span.isEmpty())
        return;
    if (!style.ShowGradient) {
        canvas.FillRect(span, color);
        return;
    }
    // Two halves across the bar's thickness: colorTo to color, then back.
    QRect first = span;
    QRect second = span;
    if (style.Vertical) {
        first.setWidth(span.width() / 2);
        second.setLeft(first.left() + first.width());
    } else {
        first.setHeight(span.height() / 2);
        second.setTop(first.top() + first.height());
    }
    DrawGradientRect(canvas, colorTo, color, style.Vertical, first, style.Steps);
    DrawGradientRect(canvas, color, colorTo, style.Vertical, second, style.Steps);
}

} // namespace

void DrawLevelProgressBar(Canvas& canvas, const QRect& rect, int percent, const LevelProgressStyle& s)
{
    percent = std::clamp(percent, 0, 100);
    const TColor outline = s.ShowBorder ? s.BorderColor : s.UnCompleteColor;
    canvas.FillRect(rect, s.UnCompleteColor);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    const int length = s.Vertical ? inner.height() : inner.width();
    if (percent > 0 && length > 0) {
        if (s.Stacked) {
            const int starts[] = {0, s.Level1Perc, s.Level2Perc};
            const int ends[] = {std::min(percent, s.Level1Perc), std::min(percent, s.Level2Perc), percent};
            const TColor colors[][2] = {{s.Level0Color, s.Level0ColorTo},
                                        {s.Level1Color, s.Level1ColorTo},
                                        {s.Level2Color, s.Level2ColorTo}};
            const int last = percent <= s.Level1Perc ? 0 : percent <= s.Level2Perc ? 1 : 2;
            int at = 0;
            for (int k = 0; k <= last; ++k) {
                int part = int(std::lround(double(length) * (ends[k] - starts[k]) / 100.0));
                if (k == last && percent == 100)
                    part = length - at;
                part = std::clamp(part, 0, length - at);
                FillLevelSpan(canvas, LevelSpan(inner, at, at + part, s.Vertical), colors[k][0], colors[k][1],
                              s);
                at += part;
            }
        } else {
            TColor color = s.Level2Color;
            TColor colorTo = s.Level2ColorTo;
            if (percent < s.Level1Perc) {
                color = s.Level0Color;
                colorTo = s.Level0ColorTo;
            } else if (percent < s.Level2Perc) {
                color = s.Level1Color;
                colorTo = s.Level1ColorTo;
            } else if (percent > 99) {
                color = s.Level3Color;
                colorTo = s.Level3ColorTo;
            }
            const int filled = int(std::lround(percent * double(length) / 100.0));
            if (s.CompletionSmooth) {
                FillLevelSpan(canvas, LevelSpan(inner, 0, filled, s.Vertical), color, colorTo, s);
            } else if (filled > 9) {
                // Blocks of 7 pixels and gaps of 2, the first 2 pixels from the edge.
                const int blocks = filled / 9;
                for (int i = 0; i < blocks; ++i)
                    FillLevelSpan(canvas, LevelSpan(inner, 1 + 9 * i, 8 + 9 * i, s.Vertical), color, colorTo, s);
                const int rest = filled % 9;
                if (rest > 2)
                    FillLevelSpan(canvas, LevelSpan(inner, 1 + 9 * blocks, 9 * blocks + rest, s.Vertical), color,
                                  colorTo, s);
            }
        }
    }
    if (s.ShowPercentage)
        canvas.FontText(rect, QString::number(percent) + QLatin1Char('%'), s.Font, s.CompleteFontColor, s.Vertical);
    canvas.FrameRect(rect, outline);
}

void DrawBalanceBar(Canvas& canvas, const QRect& rect, int value, int max, TColor positiveColor,
                    TColor negativeColor, bool showValue)
{
    // The value text has no place of its own in the bar; callers print it.
    (void)showValue;
    if (max <= 0)
        return;
    const QRect r = rect.adjusted(2, 2, -2, -2);
    const int half = r.width() / 2;
    const int centre = r.left() + half;
    value = std::clamp(value, -max, max);
    const int extent = int(std::lround(double(half) * value / max));
    if (extent < 0)
        canvas.FillRect(QRect(centre + extent, r.top(), -extent, r.height()), negativeColor);
    else if (extent > 0)
        canvas.FillRect(QRect(centre, r.top(), extent, r.height()), positiveColor);
}

namespace {

const TColorTone& ToneOf(const TColorTones& tones, GlyphState state)
{
    switch (state) {
    case GlyphState::Hot:
        return tones.Hover;
    case GlyphState::Pressed:
        return tones.Selected;
    case GlyphState::Disabled:
        return tones.Disabled;
    default:
        return tones.Background;
    }
}

unsigned FrameFlags(GlyphState state, GlyphLook look, bool withHotAndPushed)
{
    unsigned flags = look == GlyphLook::Flat ? unsigned(fgFlat) : 0u;
    if (state == GlyphState::Disabled)
        flags |= fgInactive;
    else if (withHotAndPushed && state == GlyphState::Hot)
        flags |= fgHot;
    else if (withHotAndPushed && state == GlyphState::Pressed)
        flags |= fgPushed;
    return flags;
}

} // namespace

void DrawComboButtonGlyph(Canvas& canvas, const QRect& rect, const TColorTones& tones, GlyphState state,
                          GlyphLook look)
{
    QRect button(rect.left() + rect.width() - 17 - 2, rect.top() + 1, 17, rect.height() - 2);
    switch (look) {
    case GlyphLook::Themed:
        canvas.ThemePart(button, "combobox", 1, state == GlyphState::Disabled ? 4 : 1);
        break;
    case GlyphLook::Classic:
    case GlyphLook::Flat:
        canvas.FrameControl(button, FrameGlyph::ComboScroll, FrameFlags(state, look, false));
        break;
    case GlyphLook::Tones: {
        button.translate(3, 0);
        canvas.FillRect(button, ToneOf(tones, state).BrushColor);
        const int l = button.left();
        const int t = button.top();
        canvas.Line({l + 1, t}, {l + 1, t + button.height()}, tones.Background.BorderColor);
        const QPoint arrow[] = {{l + 5, t + 8}, {l + 11, t + 8}, {l + 8, t + 11}};
        canvas.Polygon(arrow, 3, tones.Background.TextColor, tones.Background.TextColor);
        break;
    }
    }
}

void DrawButtonGlyph(Canvas& canvas, const QRect& rect, const TColorTones& tones, GlyphState state,
                     GlyphLook look)
{
    switch (look) {
    case GlyphLook::Themed: {
        static constexpr int kStates[] = {1, 2, 3, 4};
        canvas.ThemePart(rect, "button", 1, kStates[int(state)]);
        break;
    }
    case GlyphLook::Classic:
    case GlyphLook::Flat:
        canvas.FrameControl(rect, FrameGlyph::PushButton, FrameFlags(state, look, true));
        break;
    case GlyphLook::Tones: {
        const TColorTone& tone = ToneOf(tones, state);
        canvas.FillRect(rect, tone.BrushColor);
        canvas.FrameRect(rect, tone.BorderColor);
        break;
    }
    }
}

void DrawSpinButtonsGlyph(Canvas& canvas, const QRect& rect, const TColorTones& tones, GlyphState state,
                          GlyphLook look)
{
    const QRect both(rect.left() + rect.width() - 15 - 1, rect.top() - 1, 15, rect.height());
    const int half = both.height() / 2;
    const QRect up(both.left(), both.top(), both.width(), half);
    const QRect down(both.left(), both.top() + half, both.width(), both.height() - half);
    switch (look) {
    case GlyphLook::Themed: {
        const int themeState = state == GlyphState::Disabled ? 4 : 1;
        canvas.ThemePart(up, "spin", 1, themeState);
        canvas.ThemePart(down, "spin", 2, themeState);
        break;
    }
    case GlyphLook::Classic:
    case GlyphLook::Flat:
        canvas.FrameControl(up, FrameGlyph::ScrollUp, FrameFlags(state, look, false));
        canvas.FrameControl(down, FrameGlyph::ScrollDown, FrameFlags(state, look, false));
        break;
    case GlyphLook::Tones: {
        const TColorTone& tone = ToneOf(tones, state);
        canvas.FillRect(up, tone.BrushColor);
        canvas.FillRect(down, tone.BrushColor);
        const QPoint u = up.center();
        const QPoint d = down.center();
        const QPoint upArrow[] = {{u.x() - 3, u.y() + 1}, {u.x() + 3, u.y() + 1}, {u.x(), u.y() - 2}};
        const QPoint downArrow[] = {{d.x() - 3, d.y() - 1}, {d.x() + 3, d.y() - 1}, {d.x(), d.y() + 2}};
        canvas.Polygon(upArrow, 3, tone.TextColor, tone.TextColor);
        canvas.Polygon(downArrow, 3, tone.TextColor, tone.TextColor);
        break;
    }
    }
}

void DrawBitmapTransparent(Canvas& canvas, const QImage& bitmap, TColor backColor, const QRect& rect)
{
    if (bitmap.isNull())
        return;
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, 0) | 0xFF000000u;
    QRgb back = 0;
    if (backColor != clNone) {
        const TColor c = ResolveColor(backColor);
        back = qRgb(Red(c), Green(c), Blue(c));
    }
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = back;
    }
    canvas.Image(rect.topLeft(), out);
}

QImage GridBitmap(const QString& name)
{
    static std::once_flag once;
    std::call_once(once, [] {
        QDir::addSearchPath(QLatin1String(kGridBitmapPrefix), QStringLiteral(":/grid/bitmaps"));
    });
    return QImage(QLatin1String(kGridBitmapPrefix) + QLatin1Char(':') + name + QStringLiteral(".png"));
}

void DrawBitmapResourceTransparent(Canvas& canvas, TColor backColor, const QRect& rect, const QString& name)
{
    DrawBitmapTransparent(canvas, GridBitmap(name), backColor, rect);
}

void DrawTextErrorMarker(Canvas& canvas, const TextMeasurer& measurer, const TFont& font, const QString& text,
                         int errLen, int errPos, int yOffset, const QRect& rect)
{
    if (text.isEmpty() || errLen <= 0)
        return;
    // Where character i starts on the line; past the end, 4 pixels after the
    // last character's start.
    auto position = [&](int i) {
        i = std::max(i, 0);
        if (i < text.size())
            return measurer.TextWidth(font, text.left(i));
        return measurer.TextWidth(font, text.left(text.size() - 1)) + 4;
    };
    const int x2 = rect.left() + position(errPos + errLen - 1);
    int x = rect.left() + position(errPos);
    const int y = rect.top() + yOffset + 3;
    bool low = false;
    auto step = [&] {
        low = !low;
        const QPoint from(x, low ? y : y + 3);
        x += 3;
        canvas.Line(from, {x, low ? y + 3 : y}, 0x0000FF, 2);
    };
    while (x < x2)
        step();
    step(); // the closing step
}

BorderOutlines WindowBorderOutlines(QSize size, bool cellsFit, TColor borderColor, TColor parentColor)
{
    BorderOutlines out;
    const QRect outer(QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1));
    if (borderColor == clNone || outer.isEmpty())
        return out;
    if (!cellsFit) {
        out.Lines[out.Count++] = {outer, borderColor};
        return out;
    }
    out.Lines[out.Count++] = {outer.adjusted(1, 1, -1, -1), borderColor};
    if (parentColor != clNone)
        out.Lines[out.Count++] = {outer, parentColor};
    return out;
}

void DrawSortIndicator(Canvas& canvas, int x, int y, bool descending)
{
    if (descending) {
        canvas.Line({x + 4, y - 4}, {x, y + 4}, clWhite);
        canvas.Line({x, y + 4}, {x - 4, y - 4}, clGray);
        canvas.Line({x - 4, y - 4}, {x + 4, y - 4}, clGray);
    } else {
        canvas.Line({x - 4, y + 4}, {x + 4, y + 4}, clWhite);
        canvas.Line({x + 4, y + 4}, {x, y - 4}, clWhite);
        canvas.Line({x, y - 4}, {x - 4, y + 4}, clGray);
    }
}

void DrawSortIndexIndicator(Canvas& canvas, int x, int y, int number, bool descending, TColor indexColor)
{
    TFont font;
    font.Size = 6;
    font.Color = clBlack;
    const QString text = QString::number(number);
    if (descending) {
        const QPoint pts[] = {{x - 7, y - 5}, {x + 7, y - 5}, {x, y + 8}};
        canvas.Polygon(pts, 3, indexColor, clBlack);
        canvas.TextAt({x - 2, y - 4}, text, font, clBlack);
    } else {
        const QPoint pts[] = {{x - 6, y + 8}, {x + 6, y + 8}, {x, y - 4}};
        canvas.Polygon(pts, 3, indexColor, clBlack);
        canvas.TextAt({x - 2, y - 2}, text, font, clBlack);
    }
}

} // namespace grid
