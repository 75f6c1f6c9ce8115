#include "controls/grid/print/fake_print_canvas.h"

#include "controls/grid/html/mini_html_markup.h"

#include <QRegularExpression>

namespace grid::print {

namespace {

QStringList HtmlLines(const QString& html)
{
    QString s = html;
    s.replace(QRegularExpression(QStringLiteral("<br\\s*/?>"), QRegularExpression::CaseInsensitiveOption),
              QStringLiteral("\n"));
    return html::StripHtmlTags(s).split(u'\n');
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
    Add({Kind::Text, {x, y, x + TextWidth(text), y - LineHeight}, text, 0, color});
}

void FakePrintCanvas::TextBox(const PageRect& box, const QString& text, TextH h, TextV v, bool wrap, TColor color)
{
    if (wrap) {
        Add({Kind::Box, box, text, 0, color});
        return;
    }
    const int w = TextWidth(text);
    const int x = h == TextH::Left ? box.Left : h == TextH::Right ? box.Right - w : box.Left + (box.Width() - w) / 2;
    const int y = v == TextV::Top ? box.Top
                  : v == TextV::Bottom ? box.Bottom + LineHeight
                                       : box.Top - (box.Height() - LineHeight) / 2;
    Add({Kind::Text, {x, y, x + w, y - LineHeight}, text, 0, color});
}

void FakePrintCanvas::RotatedText(int x, int y, const QString& text, TColor color)
{
    Add({Kind::Rotated, {x, y, x, y}, text, 0, color});
}

void FakePrintCanvas::Line(int x1, int y1, int x2, int y2, TColor color, int width, TPenStyle)
{
    Op op{Kind::Line, {x1, y1, x2, y2}, {}, 0, color};
    op.Width = width;
    Add(op);
}

void FakePrintCanvas::FillRect(const PageRect& rect, TColor color)
{
    Add({Kind::Fill, rect, {}, 0, color});
}

void FakePrintCanvas::Gradient(const PageRect& rect, TColor top, TColor, int)
{
    Add({Kind::Gradient, rect, {}, 0, top});
}

void FakePrintCanvas::Image(const PageRect& rect, const QImage&)
{
    Add({Kind::Image, rect});
}

void FakePrintCanvas::CheckBox(const PageRect& rect, bool checked)
{
    Op op{Kind::CheckBox, rect};
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
    Add({Kind::Html, rect, HtmlLines(html).join(u'\n')});
}

void FakePrintCanvas::NewPage()
{
    ++Sheets;
    Add({Kind::NewPage});
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
