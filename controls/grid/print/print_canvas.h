#pragma once
#include "controls/grid/core/grid_records.h"
#include "controls/grid/core/grid_types.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// The surface the page engine lays out and draws on. Units are 0.1 mm, x grows
// to the right from the page's left edge, y grows upwards and the page top is
// y = 0, so everything on a page has y <= 0.
namespace grid::print {

// A rectangle in page units; Top is above Bottom (Top >= Bottom).
struct PageRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Top - Bottom; }
    friend bool operator==(const PageRect&, const PageRect&) = default;
};

// A font as the engine uses it: the grid font plus a height in 0.1 mm and an
// angle in degrees (counter-clockwise).
struct PageFont
{
    TFont Font;
    int Height = 35;
    int Angle = 0;
    friend bool operator==(const PageFont&, const PageFont&) = default;
};

enum class TextH { Left, Right, Center };
enum class TextV { Top, Center, Bottom };

class PrintCanvas
{
public:
    virtual ~PrintCanvas() = default;

    // Text measuring in the current font.
    virtual void SetFont(const PageFont& font) = 0;
    virtual PageFont Font() const = 0;
    virtual int TextWidth(const QString& text) = 0;
    virtual int TextHeight(const QString& text) = 0;
    // Height of text wrapped at word breaks inside a box of the given width.
    virtual int WrappedHeight(const QString& text, int width) = 0;

    // Drawing. A point is the top left of the text.
    virtual void TextAt(int x, int y, const QString& text, TColor color) = 0;
    // Text clipped to a box, aligned inside it; wrap breaks at words.
    virtual void TextBox(const PageRect& box, const QString& text, TextH h, TextV v, bool wrap, TColor color) = 0;
    // Text turned by the font's angle, starting at (x, y).
    virtual void RotatedText(int x, int y, const QString& text, TColor color) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) = 0;
    virtual void FillRect(const PageRect& rect, TColor color) = 0;
    // Vertical gradient from the top colour to the bottom colour in at most steps bands.
    virtual void Gradient(const PageRect& rect, TColor top, TColor bottom, int steps) = 0;
    virtual void Image(const PageRect& rect, const QImage& image) = 0;
    virtual void CheckBox(const PageRect& rect, bool checked) = 0;
    virtual void RadioButton(const PageRect& rect, bool on) = 0;
    // An ellipse in the rectangle, and a pie sector of it from 12 o'clock
    // counter-clockwise over spanDegrees; clNone leaves out the fill or the outline.
    virtual void Ellipse(const PageRect& rect, TColor brush, TColor pen) = 0;
    virtual void Pie(const PageRect& rect, int spanDegrees, TColor brush, TColor pen) = 0;
    // Clipping to a rectangle until ClearClip.
    virtual void SetClip(const PageRect& rect) = 0;
    virtual void ClearClip() = 0;

    // Mini-HTML: measured and drawn in device units; the results are in 0.1 mm.
    virtual QSize HtmlExtent(const QString& html, const PageFont& font, int maxWidth) = 0;
    virtual void Html(const PageRect& rect, const QString& html, const PageFont& font) = 0;
    // Device resolution (dots per inch) of the surface.
    virtual int Dpi() const = 0;
    // Drawing in device pixels with y down, for callers that paint as on a
    // screen: draw gets a painter in device coordinates, the rectangle in
    // them and the font set at its point size; the painter's state is kept.
    using DeviceDrawing = std::function<void(QPainter& painter, const QRect& rect)>;
    virtual void DeviceDraw(const PageRect& rect, const TFont& font, const DeviceDrawing& draw) = 0;

    // A new sheet (only printers have more than one).
    virtual void NewPage() {}
};

} // namespace grid::print
