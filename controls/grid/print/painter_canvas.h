#pragma once
#include "controls/grid/print/print_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPoint>

class QPainter;

namespace grid::print {

// The print canvas on a QPainter (printer, image or widget): 0.1 mm map to
// device pixels at the device's resolution, with y turned in the
// coordinates; the painter itself is never flipped, so text stands upright.
class PainterCanvas : public PrintCanvas
{
public:
    // origin: the device pixel where the page's top left lies.
    PainterCanvas(QPainter& painter, int dpi, QPoint origin = {});

    void SetFont(const PageFont& font) override;
    PageFont Font() const override { return font_; }
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    int WrappedHeight(const QString& text, int width) override;
    void TextAt(int x, int y, const QString& text, TColor color) override;
    void TextBox(const PageRect& box, const QString& text, TextH h, TextV v, bool wrap, TColor color) override;
    void RotatedText(int x, int y, const QString& text, TColor color) override;
    void Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style) override;
    void FillRect(const PageRect& rect, TColor color) override;
    void Gradient(const PageRect& rect, TColor top, TColor bottom, int steps) override;
    void Image(const PageRect& rect, const QImage& image) override;
    void CheckBox(const PageRect& rect, bool checked) override;
    void RadioButton(const PageRect& rect, bool on) override;
    void Ellipse(const PageRect& rect, TColor brush, TColor pen) override;
    void Pie(const PageRect& rect, int spanDegrees, TColor brush, TColor pen) override;
    void DeviceDraw(const PageRect& rect, const TFont& font, const DeviceDrawing& draw) override;
    void SetClip(const PageRect& rect) override;
    void ClearClip() override;
    QSize HtmlExtent(const QString& html, const PageFont& font, int maxWidth) override;
    void Html(const PageRect& rect, const QString& html, const PageFont& font) override;
    int Dpi() const override { return dpi_; }

    // Page units to device pixels and back.
    double ToDevice(int v) const { return v * dpi_ / 254.0; }
    int FromDevice(double px) const;
    QPointF DevicePoint(int x, int y) const;
    QRectF DeviceRect(const PageRect& r) const;

protected:
    QPainter& painter_;

private:
    QFont QtFont(const PageFont& font) const;
    double PixelsPerPoint(const PageFont& font) const;
    int dpi_;
    QPoint origin_;
    PageFont font_;
    QFont qfont_;
    QFontMetricsF metrics_{QFont()};
    bool fontSet_ = false;
};

// A grid colour as a Qt colour; system colours take their usual light-theme values.
QColor PrintColor(TColor color);

} // namespace grid::print
