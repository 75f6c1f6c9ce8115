#include "controls/grid/print/painter_canvas.h"

#include "controls/grid/html/mini_html_markup.h"

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

QStringList HtmlLines(const QString& html)
{
    QString s = html;
    s.replace(QRegularExpression(QStringLiteral("<br\\s*/?>"), QRegularExpression::CaseInsensitiveOption),
              QStringLiteral("\n"));
    return html::StripHtmlTags(s).split(u'\n');
}

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

void PainterCanvas::SetClip(const PageRect& rect) { painter_.setClipRect(DeviceRect(rect)); }

void PainterCanvas::ClearClip() { painter_.setClipping(false); }

QSize PainterCanvas::HtmlExtent(const QString& html, const PageFont& font, int)
{
    // Measured in device pixels, handed back in page units.
    const QFontMetricsF fm(QtFont(font), painter_.device());
    double widest = 0;
    const QStringList lines = HtmlLines(html);
    for (const QString& line : lines)
        widest = qMax(widest, fm.horizontalAdvance(line));
    return {FromDevice(widest), FromDevice(fm.height() * lines.size())};
}

void PainterCanvas::Html(const PageRect& rect, const QString& html, const PageFont& font)
{
    painter_.save();
    const QFont f = QtFont(font);
    painter_.setFont(f);
    painter_.setPen(Qt::black);
    const QRectF r = DeviceRect(rect);
    painter_.setClipRect(r, Qt::IntersectClip);
    painter_.drawText(r, Qt::AlignLeft | Qt::AlignTop, HtmlLines(html).join(u'\n'));
    painter_.restore();
}

} // namespace grid::print
