#pragma once
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/core/grid_types.h"

#include <QColor>
#include <QFont>

class QPainter;

namespace grid {

// A grid colour as a Qt colour (system colours through the current table).
QColor ToQColor(TColor color);
// A grid font as a Qt font (size in points).
QFont ToQFont(const TFont& font);

// The drawing routines' canvas on a QPainter.
class QtCanvas : public Canvas
{
public:
    explicit QtCanvas(QPainter& painter) : p_(painter) {}
    void FillRect(const QRect& rect, TColor color) override;
    void Line(QPoint from, QPoint to, TColor color, int width = 1) override;
    void Pixel(QPoint at, TColor color) override;
    void FrameRect(const QRect& rect, TColor color) override;
    void Polygon(const QPoint* points, int count, TColor brush, TColor pen) override;
    void Ellipse(const QRect& rect, TColor brush, TColor pen) override;
    void Pie(const QRect& rect, int spanDegrees, TColor brush, TColor pen) override;
    void CenteredText(const QRect& rect, const QRect& clip, const QString& text, TColor color) override;
    void FontText(const QRect& rect, const QString& text, const TFont& font, TColor color, bool upwards) override;
    // Both go through the theme binding: themed parts while themes are in
    // use (else their classic frame controls), frame controls always classic.
    void ThemePart(const QRect& rect, const char* themeClass, int part, int state) override;
    void FrameControl(const QRect& rect, FrameGlyph glyph, unsigned flags) override;
    void Image(QPoint at, const QImage& image) override;
    void TextAt(QPoint topLeft, const QString& text, const TFont& font, TColor color) override;

private:
    QPainter& p_;
};

} // namespace grid
