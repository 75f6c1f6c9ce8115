#include "controls/grid/print/painter_canvas.h"

#include "controls/grid/html/mini_html_layout.h"
#include "controls/grid/html/mini_html_markup.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>

namespace grid::print {

namespace {

struct SystemColour
{
    TColor Color;
    QRgb Value;
};
// System colours as printed (printers have no theme).
constexpr SystemColour kSystemColours[] = {
    {clWindow, 0xFFFFFF},     {clWindowText, 0x000000}, {clHighlight, 0x3399FF}, {clHighlightText, 0xFFFFFF},
    {clBtnFace, 0xF0F0F0},    {clBtnShadow, 0xA0A0A0},  {clGrayText, 0x6D6D6D},  {clInfoText, 0x000000},
    {clInfoBk, 0xFFFFE1},
};

constexpr Qt::PenStyle kPenStyles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                       Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};

// Mini-HTML measured with the device's own metrics; point sizes scale by
// the base font's device pixels per point (the fit ratio included).
class DeviceMeasurer : public html::HtmlMeasurer
{
public:
    DeviceMeasurer(QPaintDevice* device, double pixelsPerPoint) : device_(device), perPoint_(pixelsPerPoint) {}

    QFont Font(const html::HtmlFont& font) const
    {
        QFont f(font.Name);
        f.setKerning(false);
        f.setPixelSize(qMax(1, int(std::lround(qMax(1, font.Size) * perPoint_))));
        f.setBold(font.Bold);
        f.setItalic(font.Italic);
        f.setUnderline(font.Underline);
        f.setStrikeOut(font.StrikeOut);
        return f;
    }
    QSize TextExtent(const html::HtmlFont& font, QStringView text) override
    {
        const QFontMetrics fm(Font(font), device_);
        return {fm.horizontalAdvance(text.toString()), fm.height()};
    }
    QFontMetrics Metrics(const html::HtmlFont& font) const { return QFontMetrics(Font(font), device_); }

private:
    QPaintDevice* device_;
    double perPoint_;
};

html::HtmlLayoutInput HtmlInput(const QString& text, const QRect& rect, const PageFont& font, int dpi, bool measure)
{
    html::HtmlLayoutInput in;
    in.Text = text;
    in.Rect = rect;
    in.Font.Name = font.Font.Name;
    in.Font.Size = font.Font.Size > 0 ? font.Font.Size : 8;
    in.Font.Bold = font.Font.Style & fsBold;
    in.Font.Italic = font.Font.Style & fsItalic;
    in.Font.Underline = font.Font.Style & fsUnderline;
    in.Font.StrikeOut = font.Font.Style & fsStrikeOut;
    in.Font.Color = font.Font.Color;
    in.MeasureOnly = measure;
    in.Printing = true;
    in.Resolution = dpi / 96.0;
    in.PrintScale = dpi / 96.0;
    return in;
}

bool Visible(TColor color) { return color != html::kNoColor && color != clNone; }

} // namespace

QColor PrintColor(TColor color)
{
    if ((color & 0xFF000000u) == 0xFF000000u) {
        for (const SystemColour& s : kSystemColours)
            if (s.Color == color)
                return QColor::fromRgb(s.Value);
        return Qt::black;
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

PainterCanvas::PainterCanvas(QPainter& painter, int dpi, QPoint origin)
    : painter_(painter), dpi_(dpi > 0 ? dpi : 96), origin_(origin)
{
    SetFont(font_);
}

int PainterCanvas::FromDevice(double px) const { return int(std::lround(px * 254.0 / dpi_)); }

QPointF PainterCanvas::DevicePoint(int x, int y) const
{
    return {origin_.x() + ToDevice(x), origin_.y() - ToDevice(y)};
}

QRectF PainterCanvas::DeviceRect(const PageRect& r) const
{
    return QRectF(DevicePoint(r.Left, r.Top), DevicePoint(r.Right, r.Bottom)).normalized();
}

QFont PainterCanvas::QtFont(const PageFont& font) const
{
    QFont f(font.Font.Name);
    f.setPixelSize(qMax(1, int(std::lround(ToDevice(font.Height)))));
    f.setBold(font.Font.Style & fsBold);
    f.setItalic(font.Font.Style & fsItalic);
    f.setUnderline(font.Font.Style & fsUnderline);
    f.setStrikeOut(font.Font.Style & fsStrikeOut);
    return f;
}

void PainterCanvas::SetFont(const PageFont& font)
{
    if (fontSet_ && font == font_)
        return;
    fontSet_ = true;
    font_ = font;
    qfont_ = QtFont(font);
    metrics_ = QFontMetricsF(qfont_, painter_.device());
    painter_.setFont(qfont_);
}

int PainterCanvas::TextWidth(const QString& text)
{
    return FromDevice(metrics_.horizontalAdvance(text));
}

int PainterCanvas::TextHeight(const QString&)
{
    return FromDevice(metrics_.height());
}

int PainterCanvas::WrappedHeight(const QString& text, int width)
{
    const QRectF r = metrics_.boundingRect(QRectF(0, 0, ToDevice(width), 1e6), Qt::TextWordWrap, text);
    return FromDevice(r.height());
}

void PainterCanvas::TextAt(int x, int y, const QString& text, TColor color)
{
    painter_.setPen(PrintColor(color));
    const QPointF at = DevicePoint(x, y);
    painter_.drawText(QPointF(at.x(), at.y() + metrics_.ascent()), text);
}

void PainterCanvas::TextBox(const PageRect& box, const QString& text, TextH h, TextV v, bool wrap, TColor color)
{
    int flags = h == TextH::Right ? Qt::AlignRight : h == TextH::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= v == TextV::Bottom ? Qt::AlignBottom : v == TextV::Center ? Qt::AlignVCenter : Qt::AlignTop;
    flags |= wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    painter_.save();
    const QRectF r = DeviceRect(box);
    painter_.setClipRect(r, Qt::IntersectClip);
    painter_.setPen(PrintColor(color));
    painter_.drawText(r, flags, text);
    painter_.restore();
}

void PainterCanvas::RotatedText(int x, int y, const QString& text, TColor color)
{
    painter_.save();
    painter_.setPen(PrintColor(color));
    painter_.translate(DevicePoint(x, y));
    painter_.rotate(-font_.Angle);
    painter_.drawText(QPointF(0, metrics_.ascent()), text);
    painter_.restore();
}

void PainterCanvas::Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle style)
{
    QPen pen(PrintColor(color));
    pen.setWidthF(qMax(1.0, ToDevice(width)));
    pen.setStyle(kPenStyles[qBound(0, int(style), 6)]);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.drawLine(DevicePoint(x1, y1), DevicePoint(x2, y2));
}

void PainterCanvas::FillRect(const PageRect& rect, TColor color)
{
    if (color == clNone)
        return;
    painter_.fillRect(DeviceRect(rect), PrintColor(color));
}

void PainterCanvas::Gradient(const PageRect& rect, TColor top, TColor bottom, int)
{
    const QRectF r = DeviceRect(rect);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, PrintColor(top));
    g.setColorAt(1, PrintColor(bottom));
    painter_.fillRect(r, g);
}

void PainterCanvas::Image(const PageRect& rect, const QImage& image)
{
    painter_.drawImage(DeviceRect(rect), image);
}

void PainterCanvas::CheckBox(const PageRect& rect, bool checked)
{
    const QRectF r = DeviceRect(rect);
    painter_.save();
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, ToDevice(2)));
    painter_.setPen(pen);
    painter_.setBrush(Qt::white);
    painter_.drawRect(r);
    if (checked) {
        const QPointF a(r.left() + r.width() * 0.2, r.top() + r.height() * 0.5);
        const QPointF b(r.left() + r.width() * 0.42, r.top() + r.height() * 0.75);
        const QPointF c(r.left() + r.width() * 0.8, r.top() + r.height() * 0.25);
        painter_.drawLine(a, b);
        painter_.drawLine(b, c);
    }
    painter_.restore();
}

void PainterCanvas::RadioButton(const PageRect& rect, bool on)
{
    const QRectF r = DeviceRect(rect);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, ToDevice(2)));
    painter_.setPen(pen);
    painter_.setBrush(Qt::white);
    painter_.drawEllipse(r);
    if (on) {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(Qt::black);
        painter_.drawEllipse(r.center(), r.width() / 4, r.height() / 4);
    }
    painter_.restore();
}

namespace {

void ShapeStyle(QPainter& painter, TColor brush, TColor pen, double penWidth)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QPen p(PrintColor(pen));
    p.setWidthF(penWidth);
    painter.setPen(pen == clNone ? QPen(Qt::NoPen) : p);
    painter.setBrush(brush == clNone ? QBrush(Qt::NoBrush) : QBrush(PrintColor(brush)));
}

} // namespace

void PainterCanvas::Ellipse(const PageRect& rect, TColor brush, TColor pen)
{
    painter_.save();
    ShapeStyle(painter_, brush, pen, qMax(1.0, ToDevice(2)));
    painter_.drawEllipse(DeviceRect(rect));
    painter_.restore();
}

void PainterCanvas::Pie(const PageRect& rect, int spanDegrees, TColor brush, TColor pen)
{
    painter_.save();
    ShapeStyle(painter_, brush, pen, qMax(1.0, ToDevice(2)));
    painter_.drawPie(DeviceRect(rect), 90 * 16, spanDegrees * 16);
    painter_.restore();
}

void PainterCanvas::DeviceDraw(const PageRect& rect, const TFont& font, const DeviceDrawing& draw)
{
    painter_.save();
    QFont f(font.Name);
    f.setPixelSize(qMax(1, int(std::lround((font.Size > 0 ? font.Size : 8) * dpi_ / 72.0))));
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    painter_.setFont(f);
    painter_.setPen(PrintColor(font.Color));
    draw(painter_, DeviceRect(rect).toAlignedRect());
    painter_.restore();
    // The painter's font may have been the canvas font: set it again.
    painter_.setFont(qfont_);
}

void PainterCanvas::SetClip(const PageRect& rect) { painter_.setClipRect(DeviceRect(rect)); }

void PainterCanvas::ClearClip() { painter_.setClipping(false); }

double PainterCanvas::PixelsPerPoint(const PageFont& font) const
{
    const double size = font.Font.Size > 0 ? font.Font.Size : 8;
    return ToDevice(font.Height) / size;
}

QSize PainterCanvas::HtmlExtent(const QString& html, const PageFont& font, int maxWidth)
{
    // Laid out in device pixels, handed back in page units.
    DeviceMeasurer measurer(painter_.device(), PixelsPerPoint(font));
    const int width = maxWidth >= 65535 ? 65535 : qMax(1, int(std::lround(ToDevice(maxWidth))));
    const html::HtmlLayout layout =
        html::LayoutHtmlText(HtmlInput(html, QRect(0, 0, width, 65535), font, dpi_, true), measurer, nullptr);
    return {FromDevice(layout.ExtentX), FromDevice(layout.ExtentY)};
}

void PainterCanvas::Html(const PageRect& rect, const QString& html, const PageFont& font)
{
    DeviceMeasurer measurer(painter_.device(), PixelsPerPoint(font));
    const QRect r = DeviceRect(rect).toAlignedRect();
    const html::HtmlLayout layout = html::LayoutHtmlText(HtmlInput(html, r, font, dpi_, false), measurer, nullptr);
    painter_.save();
    painter_.setClipRect(r, Qt::IntersectClip);
    const double line = qMax(1.0, ToDevice(2));
    for (const html::HtmlItem& item : layout.Items) {
        switch (item.Kind) {
        case html::HtmlItemKind::Text: {
            const QFontMetrics fm = measurer.Metrics(item.Font);
            QString text = item.Text;
            if (item.ElideWidth >= 0 && fm.horizontalAdvance(text) > item.ElideWidth)
                text = fm.elidedText(text, Qt::ElideRight, item.ElideWidth);
            if (Visible(item.Background))
                painter_.fillRect(QRect(item.Rect.topLeft(), QSize(fm.horizontalAdvance(text), item.Rect.height())),
                                  PrintColor(item.Background));
            if (!Visible(item.Color))
                break;
            painter_.setFont(measurer.Font(item.Font));
            const int baseline = item.Rect.y() + item.Rect.height() - fm.descent();
            if (item.Shadow && Visible(item.ShadowColor)) {
                painter_.setPen(PrintColor(item.ShadowColor));
                painter_.drawText(QPoint(item.Rect.x() + item.ShadowOffset, baseline + item.ShadowOffset), text);
            }
            painter_.setPen(PrintColor(item.Color));
            painter_.drawText(QPoint(item.Rect.x(), baseline), text);
            break;
        }
        case html::HtmlItemKind::Fill:
            if (Visible(item.Color))
                painter_.fillRect(item.Rect, PrintColor(item.Color));
            break;
        case html::HtmlItemKind::Line:
            painter_.setPen(QPen(PrintColor(item.Color), line));
            painter_.drawLine(item.Rect.left(), item.Rect.top(), item.Rect.right(), item.Rect.top());
            break;
        case html::HtmlItemKind::ZigZag:
            painter_.setPen(QPen(PrintColor(item.Color), line));
            for (std::size_t i = 1; i < item.Points.size(); ++i)
                painter_.drawLine(item.Points[i - 1], item.Points[i]);
            break;
        default:
            break;  // no pictures, controls or focus frames on paper
        }
    }
    painter_.restore();
}

} // namespace grid::print
