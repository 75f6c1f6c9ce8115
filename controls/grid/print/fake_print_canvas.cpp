#include "controls/grid/print/fake_print_canvas.h"

#include "controls/grid/html/mini_html_markup.h"

#include <QPainter>
#include <QRegularExpression>

#include <cmath>

namespace grid::print {

namespace {

QStringList HtmlLines(const QString& html)
{
    QString s = html;
    s.replace(QRegularExpression(QStringLiteral("<br\\s*/?>"), QRegularExpression::CaseInsensitiveOption),
              QStringLiteral("\n"));
    return html::StripHtmlTags(s).split(u'\n');
}

FakePrintCanvas::Op MakeOp(FakePrintCanvas::Kind what, const PageRect& rect, const QString& text, TColor color)
{
    FakePrintCanvas::Op op;
    op.What = what;
    op.Rect = rect;
    op.Text = text;
    op.Color = color;
    return op;
}

} // namespace

void FakePrintCanvas::Add(Op op)
{
    op.Sheet = Sheets;
    op.Font = font_;
    Ops.append(std::move(op));
}

int FakePrintCanvas::WrappedHeight(const QString& text, int width)
{
    const int perLine = qMax(1, width / CharWidth);
    int lines = 0;
    for (const QString& part : text.split(u'\n')) {
        int used = 0;
        int count = 1;
        for (const QString& word : part.split(u' ', Qt::SkipEmptyParts)) {
            const int len = int(word.size());
            if (used > 0 && used + 1 + len > perLine) {
                ++count;
                used = len;
            } else {
                used += (used > 0 ? 1 : 0) + len;
            }
        }
        lines += count;
    }
    return lines * LineHeight;
}

void FakePrintCanvas::TextAt(int x, int y, const QString& text, TColor color)
{
    Add(MakeOp(Kind::Text, {x, y, x + TextWidth(text), y - LineHeight}, text, color));
}

void FakePrintCanvas::TextBox(const PageRect& box, const QString& text, TextH h, TextV v, bool wrap, TColor color)
{
    if (wrap) {
        Add(MakeOp(Kind::Box, box, text, color));
        return;
    }
    const int w = TextWidth(text);
    const int x = h == TextH::Left ? box.Left : h == TextH::Right ? box.Right - w : box.Left + (box.Width() - w) / 2;
    const int y = v == TextV::Top ? box.Top
                  : v == TextV::Bottom ? box.Bottom + LineHeight
                                       : box.Top - (box.Height() - LineHeight) / 2;
    Add(MakeOp(Kind::Text, {x, y, x + w, y - LineHeight}, text, color));
}

void FakePrintCanvas::RotatedText(int x, int y, const QString& text, TColor color)
{
    Add(MakeOp(Kind::Rotated, {x, y, x, y}, text, color));
}

void FakePrintCanvas::Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle)
{
    Op op = MakeOp(Kind::Line, {x1, y1, x2, y2}, {}, color);
    op.Width = width;
    Add(op);
}

void FakePrintCanvas::FillRect(const PageRect& rect, TColor color)
{
    Add(MakeOp(Kind::Fill, rect, {}, color));
}

void FakePrintCanvas::Gradient(const PageRect& rect, TColor top, TColor, int)
{
    Add(MakeOp(Kind::Gradient, rect, {}, top));
}

void FakePrintCanvas::Image(const PageRect& rect, const QImage& image)
{
    Op op = MakeOp(Kind::Image, rect, {}, clBlack);
    op.Picture = image;
    Add(op);
}

void FakePrintCanvas::RadioButton(const PageRect& rect, bool on)
{
    Op op = MakeOp(Kind::Radio, rect, {}, clBlack);
    op.Checked = on;
    Add(op);
}

void FakePrintCanvas::Ellipse(const PageRect& rect, TColor brush, TColor pen)
{
    Op op = MakeOp(Kind::Ellipse, rect, {}, brush);
    op.Pen = pen;
    Add(op);
}

void FakePrintCanvas::Pie(const PageRect& rect, int spanDegrees, TColor brush, TColor pen)
{
    Op op = MakeOp(Kind::Pie, rect, {}, brush);
    op.Pen = pen;
    op.Span = spanDegrees;
    Add(op);
}

void FakePrintCanvas::DeviceDraw(const PageRect& rect, const TFont& font, const DeviceDrawing& draw)
{
    // Device pixels at DeviceDpi, y down from the page top.
    const auto px = [this](int v) { return int(std::lround(v * DeviceDpi / 254.0)); };
    const QRect device(QPoint(px(rect.Left), px(-rect.Top)), QPoint(px(rect.Right) - 1, px(-rect.Bottom) - 1));
    Op op = MakeOp(Kind::Device, rect, {}, clBlack);
    // What lies past 4096 pixels is not kept.
    op.Picture = QImage(device.size().expandedTo(QSize(1, 1)).boundedTo(QSize(4096, 4096)),
                        QImage::Format_ARGB32_Premultiplied);
    op.Picture.fill(Qt::transparent);
    {
        QPainter painter(&op.Picture);
        painter.translate(-device.topLeft());
        QFont f(font.Name);
        f.setPixelSize(qMax(1, int(std::lround(font.Size * DeviceDpi / 72.0))));
        painter.setFont(f);
        draw(painter, device);
    }
    Add(op);
    Ops.last().Font.Font = font;
}

void FakePrintCanvas::CheckBox(const PageRect& rect, bool checked)
{
    Op op = MakeOp(Kind::CheckBox, rect, {}, clBlack);
    op.Checked = checked;
    Add(op);
}

QSize FakePrintCanvas::HtmlExtent(const QString& html, const PageFont&, int)
{
    int widest = 0;
    const QStringList lines = HtmlLines(html);
    for (const QString& line : lines)
        widest = qMax(widest, TextWidth(line));
    return {widest, LineHeight * int(lines.size())};
}

void FakePrintCanvas::Html(const PageRect& rect, const QString& html, const PageFont&)
{
    Add(MakeOp(Kind::Html, rect, HtmlLines(html).join(u'\n'), clBlack));
}

void FakePrintCanvas::NewPage()
{
    ++Sheets;
    Add(MakeOp(Kind::NewPage, {}, {}, clBlack));
}

QList<FakePrintCanvas::Op> FakePrintCanvas::TextsOn(int sheet) const
{
    QList<Op> out;
    for (const Op& op : Ops)
        if (op.Sheet == sheet && (op.What == Kind::Text || op.What == Kind::Box || op.What == Kind::Rotated))
            out.append(op);
    return out;
}

const FakePrintCanvas::Op* FakePrintCanvas::FindText(const QString& text) const
{
    for (const Op& op : Ops)
        if ((op.What == Kind::Text || op.What == Kind::Box) && op.Text == text)
            return &op;
    return nullptr;
}

} // namespace grid::print
