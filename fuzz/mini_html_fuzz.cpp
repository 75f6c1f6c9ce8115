// Any bytes as mini-HTML cell text: the layout at several widths and modes
// with a fixed-width measurer, hit tests at points from the input, and the
// markup routines. Every line consumes text; unescaping undoes escaping.
#include "controls/grid/html/mini_html_layout.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

using namespace grid::html;

namespace {

class Measurer : public HtmlMeasurer
{
public:
    QSize TextExtent(const HtmlFont& font, QStringView text) override
    {
        return QSize(int(text.size()) * (font.Bold ? 8 : 7), font.Size + 5);
    }
};

class Pictures : public HtmlPictureSource
{
public:
    std::optional<HtmlPictureInfo> Picture(HtmlPictureKind kind, const QString& name) override
    {
        if (name.size() % 3 == 0)
            return std::nullopt;
        HtmlPictureInfo info;
        info.Size = QSize(int(name.size()) * 4 + 1, int(kind) * 5 + 3);
        info.MaxSize = info.Size + QSize(2, 2);
        info.FrameOffset = QPoint(1, 1);
        info.FrameCount = name.size() % 2 ? 1 : 3;
        return info;
    }
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const int px = data[0];
    const int py = data[1];
    const int width = data[2];
    const uint8_t flags = data[3];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4));

    Measurer measurer;
    Pictures pictures;
    for (const int w : {1, 40, 200, width}) {
        HtmlLayoutInput in;
        in.Text = text;
        in.Rect = QRect(0, 0, w, (flags & 0x40) ? 30 : 1000);
        in.Font.Name = QStringLiteral("Sans");
        in.Point = QPoint(px, py);
        in.WordWrap = !(flags & 1);
        in.MeasureOnly = flags & 2;
        in.HitTestOnly = flags & 4;
        in.UnderlineHoveredOnly = flags & 8;
        in.Selected = flags & 16;
        in.BlinkOn = !(flags & 32);
        in.RightToLeftLocale = flags & 128;
        in.BiDiMode = flags >> 7;
        in.FocusedLink = px % 4 - 1;
        in.HoveredLink = py % 4;
        in.ControlID = QStringLiteral("a");
        const HtmlLayout l = LayoutHtmlText(in, measurer, (flags & 0x20) ? nullptr : &pictures);
        Check(l.ExtentX >= 0 && l.ExtentY > 0);
        int last = 0;
        for (const HtmlLine& line : l.Lines) {
            Check(line.End > line.Start);  // every line consumes text
            Check(line.Start >= last);
            last = line.End;
        }
        Check(l.HitLinkIndex == -1 || (l.HitLinkIndex >= 1 && l.HitLinkIndex <= l.LinkCount));
        Check(l.Items.empty() || (!in.MeasureOnly && !in.HitTestOnly));
    }

    for (const bool named : {false, true})
        Check(UnescapeHtmlText(EscapeHtmlText(text, named), named) == text);
    HtmlToPlainText(text);
    const QString stripped = StripHtmlTags(text);
    Check(stripped.size() <= text.size());
    const QString pattern = text.left(1 + px % 3);
    const QString marked = HighlightHtmlText(text, pattern, QStringLiteral("hi"), flags & 1);
    UnhighlightHtmlText(marked, QStringLiteral("hi"));
    QString value;
    GetHtmlControlValue(text, QStringLiteral("a"), value);
    GetHtmlControlProp(text, QStringLiteral("a"));
    GetHtmlControlMaxLen(text, QStringLiteral("a"));
    const QString next = NextEditableHtmlControlID(text, QString());
    QString edited = text;
    if (SetHtmlControlValue(edited, next, QStringLiteral("x<&\"y")) ) {
        Check(GetHtmlControlValue(edited, next, value));
        Check(value == QStringLiteral("x<&\"y"));
    }
    ClearHtmlRadioControls(text);
    HtmlColorValue(text);
    TagNumber(text, -100, 100);
    return 0;
}
