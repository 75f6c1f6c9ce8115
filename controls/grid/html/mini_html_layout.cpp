#include "controls/grid/html/mini_html_layout.h"

#include <algorithm>
#include <cmath>

namespace grid::html {

namespace {

constexpr int kListIndent = 12;

QChar Up(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') ? QChar(u - 32) : c;
}

bool Is(QChar c, char ch)
{
    return Up(c) == QLatin1Char(ch);
}

enum class Tag {
    None,
    Bold, Br, Blink, Body, Italic, Ind, Img, Underline, List, Item, Strike, Sub, Sup, Shadow, Hidden,
    Error, Highlight, Rule, Font, Para, Link, Rotate, Control,
    BoldOff, BlinkOff, ItalicOff, UnderlineOff, ListOff, ItemOff, StrikeOff, SubSupOff, ShadowOff,
    HiddenOff, ErrorOff, HighlightOff, FontOff, ParaOff, LinkOff, RotateOff,
};

// The tag by its first letters; `body` is the text between "<" and ">".
Tag Classify(QStringView body)
{
    if (body.isEmpty())
        return Tag::None;
    if (body[0] == QLatin1Char('/')) {
        if (body.size() < 2)
            return Tag::None;
        const QChar c1 = Up(body[1]);
        const QChar c2 = body.size() > 2 ? Up(body[2]) : QLatin1Char('>');
        switch (c1.unicode()) {
        case 'A': return Tag::LinkOff;
        case 'B': return c2 == QLatin1Char('>') ? Tag::BoldOff : Tag::BlinkOff;
        case 'E': return Tag::ErrorOff;
        case 'F': return Tag::FontOff;
        case 'H': return Tag::HighlightOff;
        case 'I': return Tag::ItalicOff;
        case 'L': return Tag::ItemOff;
        case 'P': return Tag::ParaOff;
        case 'R': return Tag::RotateOff;
        case 'S':
            if (c2 == QLatin1Char('U'))
                return Tag::SubSupOff;
            if (c2 == QLatin1Char('H'))
                return Tag::ShadowOff;
            return Tag::StrikeOff;
        case 'U': return c2 == QLatin1Char('>') ? Tag::UnderlineOff : Tag::ListOff;
        case 'Z': return Tag::HiddenOff;
        default: return Tag::None;
        }
    }
    const QChar c1 = Up(body[0]);
    const QChar c2 = body.size() > 1 ? Up(body[1]) : QLatin1Char('>');
    switch (c1.unicode()) {
    case 'A': return Tag::Link;
    case 'B':
        switch (c2.unicode()) {
        case '>': return Tag::Bold;
        case 'R': return Tag::Br;
        case 'L': return Tag::Blink;
        case 'O': return Tag::Body;
        default: return Tag::None;
        }
    case 'C': return Tag::Control;
    case 'E': return Tag::Error;
    case 'F': return Tag::Font;
    case 'H':
        if (c2 == QLatin1Char('I'))
            return Tag::Highlight;
        if (c2 == QLatin1Char('R'))
            return Tag::Rule;
        return Tag::None;
    case 'I':
        if (c2 == QLatin1Char('>'))
            return Tag::Italic;
        if (c2 == QLatin1Char('N'))
            return Tag::Ind;
        if (c2 == QLatin1Char('M'))
            return Tag::Img;
        return Tag::None;
    case 'L': return Tag::Item;
    case 'P': return Tag::Para;
    case 'R': return Tag::Rotate;
    case 'S':
        if (c2 == QLatin1Char('>'))
            return Tag::Strike;
        if (body.size() == 3 && Is(body[1], 'U') && Is(body[2], 'B'))
            return Tag::Sub;
        if (body.size() == 3 && Is(body[1], 'U') && Is(body[2], 'P'))
            return Tag::Sup;
        if (c2 == QLatin1Char('H'))
            return Tag::Shadow;
        return Tag::None;
    case 'U': return c2 == QLatin1Char('>') ? Tag::Underline : Tag::List;
    case 'Z': return Tag::Hidden;
    default: return Tag::None;
    }
}

// A run as drawn: "&nbsp;", "&lt;", "&gt;" resolved, "&&" one ampersand,
// "&x" x underlined, a last lone "&" dropped.
struct DisplayRun
{
    QString Text;
    QList<int> Mnemonics;
};

DisplayRun MakeDisplayRun(QStringView raw)
{
    DisplayRun d;
    d.Text.reserve(raw.size());
    qsizetype i = 0;
    while (i < raw.size()) {
        const QChar c = raw[i];
        if (c != QLatin1Char('&')) {
            d.Text += c;
            ++i;
            continue;
        }
        const QStringView rest = raw.mid(i);
        if (rest.startsWith(u"&&")) {
            d.Text += c;
            i += 2;
        } else if (rest.startsWith(u"&nbsp;")) {
            d.Text += QLatin1Char(' ');
            i += 6;
        } else if (rest.startsWith(u"&lt;")) {
            d.Text += QLatin1Char('<');
            i += 4;
        } else if (rest.startsWith(u"&gt;")) {
            d.Text += QLatin1Char('>');
            i += 4;
        } else if (i + 1 < raw.size()) {
            d.Mnemonics.append(int(d.Text.size()));
            d.Text += raw[i + 1];
            i += 2;
        } else {
            ++i;
        }
    }
    return d;
}

struct FirstSetEntity
{
    QLatin1StringView Entity;
    const char16_t* Text;
};
const FirstSetEntity kFirstSet[] = {
    {QLatin1StringView("&amp;"), u"&&"},      {QLatin1StringView("&quot;"), u"\""},
    {QLatin1StringView("&sect;"), u"\u00A7"}, {QLatin1StringView("&permil;"), u"\u2030"},
    {QLatin1StringView("&reg;"), u"\u00AE"},  {QLatin1StringView("&copy;"), u"\u00A9"},
    {QLatin1StringView("&para;"), u"\u00B6"}, {QLatin1StringView("&trade;"), u"\u2122"},
    {QLatin1StringView("&euro;"), u"\u20AC"},
};

bool IsWholeNumber(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    return true;
}

int Round(double v)
{
    return int(std::lround(v));
}

struct PassState
{
    HtmlFont Font;
    bool Sub = false;
    bool Sup = false;
    bool Shadow = false;
    bool Hidden = false;
    bool Error = false;
    bool InLink = false;
    bool ParaBg = false;
    bool FontBgSet = false;
    int ListLevel = 0;
    int LinkCount = 0;
    int PictureCount = 0;
    TColor Brush = kNoColor;
    TColor FontBgSaved = kNoColor;
    TColor ParaBgSaved = kNoColor;
    TColor HiSavedFont = 0;
    TColor HiSavedBrush = kNoColor;
    TColor LinkSavedBrush = kNoColor;
    TColor LinkSavedFont = 0;
    int EscapementSaved = 0;
    QString Href;
    QString Title;
    int Align = 0;  // 0 left, 1 right, 2 centre
    int Indent = 0;
    // Second pass only.
    bool LinkHit = false;
    int LinkStartX = 0;
    bool FocusOpen = false;
    int FocusStartX = 0;
};

struct Token
{
    bool IsTag = false;
    int Start = 0;
    int Length = 0;
    int X = 0;
    int Width = 0;
    int Height = 0;
    DisplayRun Display;
};

struct PictureSpot
{
    int Number = 0;
    int X = 0;
    QSize Size;
    bool InLink = false;
};

struct LineState
{
    std::vector<Token> Tokens;
    std::vector<PictureSpot> Pictures;
    int X = 0;
    int Trailing = 0;
    int Height = 0;
    int Rise = 0;
    int Drop = 0;
    int PicRaise = 0;
    bool HasItem = false;
    bool HasText = false;
    bool EndsBlank = false;
    // Geometry, once measured.
    int Left = 0;
    int Top = 0;
    int Bottom = 0;
    int TextBottom = 0;
    int Width = 0;
};

class Engine
{
public:
    Engine(const HtmlLayoutInput& in, HtmlMeasurer& m, HtmlPictureSource* pictures)
        : in_(in), m_(m), pictures_(pictures)
    {
        rl_ = in.Rect.x();
        rt_ = in.Rect.y();
        rr_ = in.Rect.x() + in.Rect.width();
        rb_ = in.Rect.y() + in.Rect.height();
        mirror_ = in.RightToLeftLocale && in.BiDiMode != 0;
        pt_ = in.Point;
        if (mirror_)
            pt_.setX(rl_ + rr_ - 1 - pt_.x());
        drawing_ = !in.MeasureOnly && !in.HitTestOnly;
    }

    HtmlLayout Run();

private:
    QSize Extent(const HtmlFont& f, QStringView s) { return m_.TextExtent(f, s); }
    int Gh(const HtmlFont& f)
    {
        if (!ghValid_ || !(ghFont_ == f)) {
            ghFont_ = f;
            gh_ = Extent(f, u"gh").height();
            ghValid_ = true;
        }
        return gh_;
    }
    int LineLimit(const PassState& st) const { return rr_ - (rl_ + 1) - st.Indent; }

    bool MeasureLine(PassState& st, LineState& line);
    bool MeasureTag(PassState& st, LineState& line, QStringView body, bool& lineBreak);
    void SecondPass(PassState& st, const LineState& line);
    void SecondPassTag(PassState& st, const LineState& line, const Token& t, QStringView body);
    void EmitRun(const PassState& st, const LineState& line, const Token& t);
    void PictureInSecondPass(PassState& st, const LineState& line, const Token& t, QStringView body);
    void ControlInSecondPass(PassState& st, const LineState& line, const Token& t, QStringView body);
    void Mirror();

    std::optional<QSize> PictureLayoutSize(QStringView body, const QString& src, HtmlPictureKind* kind = nullptr,
                                           std::optional<HtmlPictureInfo>* info = nullptr,
                                           std::optional<QSize>* requested = nullptr);

    bool StrictlyInside(int l, int t, int r, int b) const
    {
        return pt_.x() > l && pt_.x() < r && pt_.y() > t && pt_.y() < b;
    }
    void Emit(HtmlItem item)
    {
        if (drawing_)
            out_.Items.push_back(std::move(item));
    }
    void Fill(int l, int t, int r, int b, TColor c, qsizetype at = -1)
    {
        if (!drawing_ || c == kNoColor)
            return;
        HtmlItem item;
        item.Kind = HtmlItemKind::Fill;
        item.Rect = QRect(l, t, r - l, b - t);
        item.Color = c;
        if (at < 0)
            out_.Items.push_back(std::move(item));
        else
            out_.Items.insert(out_.Items.begin() + at, std::move(item));
    }

    const HtmlLayoutInput& in_;
    HtmlMeasurer& m_;
    HtmlPictureSource* pictures_;
    HtmlLayout out_;
    QString text_;
    int pos_ = 0;
    int nextTag_ = -1;  // the next "<" at or after pos_
    bool stop_ = false;
    int rl_ = 0, rt_ = 0, rr_ = 0, rb_ = 0;
    QPoint pt_;
    bool mirror_ = false;
    bool drawing_ = false;
    int hoverPicture_ = -1;
    qsizetype lineItemStart_ = 0;
    HtmlFont ghFont_;
    int gh_ = 0;
    bool ghValid_ = false;
};

HtmlLayout Engine::Run()
{
    text_ = PrepareHtmlText(in_.Text);
    PassState state;
    state.Font = in_.Font;
    int top = rt_;
    const int n = int(text_.size());
    while (pos_ < n && !stop_) {
        LineState line;
        line.Height = Gh(state.Font);
        const PassState lineStart = state;
        const int start = pos_;
        if (!MeasureLine(state, line) && pos_ == start)
            break;  // nothing consumed: never loop
        line.Width = line.X - line.Trailing;
        out_.ExtentX = std::max(out_.ExtentX, line.Width);

        int left = rl_ + 1;
        const int right = rr_;
        if (state.Align == 1) {
            if (right - line.Width > left)
                left = right - line.Width;
        } else if (state.Align == 2) {
            const int d = right - left - line.Width;
            if (d > 0)
                left += d / 2;
        }
        left += state.Indent;
        line.Left = left;
        line.Top = top;
        line.Bottom = top + line.Height + line.Drop + line.Rise;
        line.TextBottom = line.Bottom - line.Drop;

        // The picture in a link under the point, for the hover picture (ALT).
        for (const PictureSpot& p : line.Pictures) {
            const int x = left + p.X;
            if (p.InLink && StrictlyInside(x, top, x + p.Size.width(), top + p.Size.height()))
                hoverPicture_ = p.Number;
        }

        if (!in_.MeasureOnly) {
            PassState second = lineStart;
            SecondPass(second, line);
            state = second;
        }
        HtmlLine info;
        info.Rect = QRect(left, top, std::max(0, right - left), line.Bottom - top);
        info.Width = line.Width;
        info.Start = start;
        info.End = pos_;
        out_.Lines.push_back(info);

        const int step = line.Height + line.Rise + line.Drop;
        top += step;
        out_.ExtentY += step;
        if (!in_.MeasureOnly && Gh(state.Font) + top > rb_)
            break;  // no partial last line
    }
    if (out_.ExtentY == 0)
        out_.ExtentY = Gh(in_.Font);
    out_.LinkCount = state.LinkCount;
    if (mirror_)
        Mirror();
    return std::move(out_);
}

bool Engine::MeasureLine(PassState& st, LineState& line)
{
    const int n = int(text_.size());
    bool lineBreak = false;
    bool full = false;
    while (pos_ < n && !lineBreak && !full && !stop_) {
        if (text_[pos_] != QLatin1Char('<')) {
            if (nextTag_ < pos_) {
                nextTag_ = int(text_.indexOf(QLatin1Char('<'), pos_));
                if (nextTag_ < 0)
                    nextTag_ = n;
            }
            int end = nextTag_;
            if (in_.WordWrap) {
                const int blank = int(QStringView(text_).mid(pos_, end - pos_).indexOf(QLatin1Char(' ')));
                if (blank >= 0)
                    end = pos_ + blank + 1;
            }
            const QStringView raw = QStringView(text_).mid(pos_, end - pos_);
            DisplayRun display = MakeDisplayRun(raw);
            if (st.Hidden) {
                out_.PlainText += display.Text;
                pos_ = end;
                continue;
            }
            const QSize ext = Extent(st.Font, display.Text);
            const int w = ext.width();
            const int limit = LineLimit(st);
            const int newX = line.X + w;
            bool fits = newX < limit || w >= limit;
            // A run that continues a word split by a tag stays on its line.
            if (!fits && line.HasText && !line.EndsBlank)
                fits = true;
            if (!fits && in_.WordWrap) {
                full = true;
                break;
            }
            const int h = ext.height();
            if (st.Sup)
                line.Rise = std::max(line.Rise, h / 4);
            if (st.Sub)
                line.Drop = std::max(line.Drop, h / 4);
            line.Height = std::max(line.Height, h);
            out_.PlainText += display.Text;
            Token t;
            t.Start = pos_;
            t.Length = end - pos_;
            t.X = line.X;
            t.Width = w;
            t.Height = h;
            t.Display = std::move(display);
            const bool hadText = line.HasText;
            if (!t.Display.Text.isEmpty()) {
                line.HasText = true;
                line.EndsBlank = t.Display.Text.endsWith(QLatin1Char(' '));
            }
            line.Trailing = raw.endsWith(QLatin1Char(' ')) ? Extent(st.Font, u" ").width() : 0;
            line.X = newX;
            line.Tokens.push_back(std::move(t));
            pos_ = end;
            // Without word wrap an overflowing run after other text ends the text.
            if (!in_.WordWrap && !fits && hadText)
                stop_ = true;
            continue;
        }
        if (n - pos_ <= 2) {
            pos_ = n;
            break;
        }
        const int close = int(text_.indexOf(QLatin1Char('>'), pos_ + 1));
        if (close < 0) {
            pos_ = n;  // a tag without ">" ends the text
            break;
        }
        const QStringView body = QStringView(text_).mid(pos_ + 1, close - pos_ - 1);
        const int xBefore = line.X;
        if (!MeasureTag(st, line, body, lineBreak)) {
            full = true;  // the tag starts the next line
            break;
        }
        Token t;
        t.IsTag = true;
        t.Start = pos_;
        t.Length = close + 1 - pos_;
        t.X = xBefore;
        line.Tokens.push_back(std::move(t));
        pos_ = close + 1;
    }
    return !line.Tokens.empty();
}

std::optional<QSize> Engine::PictureLayoutSize(QStringView body, const QString& src, HtmlPictureKind* kindOut,
                                               std::optional<HtmlPictureInfo>* infoOut,
                                               std::optional<QSize>* requestedOut)
{
    const auto where = ClassifyPictureSource(src);
    if (!where || !pictures_)
        return std::nullopt;
    const auto [kind, name] = *where;
    const std::optional<HtmlPictureInfo> info = pictures_->Picture(kind, name);
    if (!info || info->Size.isEmpty())
        return std::nullopt;
    if (kindOut)
        *kindOut = kind;
    if (infoOut)
        *infoOut = info;
    const double r = in_.Resolution;
    if (kind != HtmlPictureKind::Container && kind != HtmlPictureKind::Cache)
        return QSize(Round(info->Size.width() * r), Round(info->Size.height() * r));
    const TagAttributes attrs(body);
    const std::optional<int> w = TagNumber(attrs.Value(u"WIDTH"), 0, 10000);
    const std::optional<int> h = TagNumber(attrs.Value(u"HEIGHT"), 0, 10000);
    if (!w && !h) {
        const QSize max = info->MaxSize.isEmpty() ? info->Size : info->MaxSize;
        return QSize(Round(max.width() * r), Round(max.height() * r));
    }
    QSize size;
    if (w && h)
        size = QSize(*w, *h);
    else if (w)
        size = QSize(*w, Round(double(info->Size.height()) * *w / info->Size.width()));
    else
        size = QSize(Round(double(info->Size.width()) * *h / info->Size.height()), *h);
    if (requestedOut)
        *requestedOut = size;
    return QSize(Round(size.width() * r), Round(size.height() * r));
}

// One tag of the measuring pass; false when the tag does not fit on the line.
bool Engine::MeasureTag(PassState& st, LineState& line, QStringView body, bool& lineBreak)
{
    const Tag tag = Classify(body);
    switch (tag) {
    case Tag::Bold: st.Font.Bold = true; break;
    case Tag::BoldOff: st.Font.Bold = false; break;
    case Tag::Italic: st.Font.Italic = true; break;
    case Tag::ItalicOff: st.Font.Italic = false; break;
    case Tag::Underline: st.Font.Underline = true; break;
    case Tag::UnderlineOff: st.Font.Underline = false; break;
    case Tag::Strike: st.Font.StrikeOut = true; break;
    case Tag::StrikeOff: st.Font.StrikeOut = false; break;
    case Tag::Sub: st.Sub = true; break;
    case Tag::Sup: st.Sup = true; break;
    case Tag::SubSupOff: st.Sub = st.Sup = false; break;
    case Tag::Shadow: st.Shadow = true; break;
    case Tag::ShadowOff: st.Shadow = false; break;
    case Tag::Hidden: st.Hidden = true; break;
    case Tag::HiddenOff: st.Hidden = false; break;
    case Tag::Error: st.Error = true; break;
    case Tag::ErrorOff: st.Error = false; break;
    case Tag::Br:
        out_.PlainText += QLatin1Char('\r');
        lineBreak = true;
        break;
    case Tag::Rule:
    case Tag::ItemOff:
        lineBreak = true;
        break;
    case Tag::List:
        ++st.ListLevel;
        lineBreak = true;
        break;
    case Tag::ListOff:
        if (st.ListLevel > 0)
            --st.ListLevel;
        else
            st.Font.Underline = false;
        break;
    case Tag::Item:
        if (line.HasItem)
            return false;
        line.HasItem = true;
        line.X += st.ListLevel * kListIndent;
        if (st.ListLevel > 0)
            line.Trailing = 0;
        break;
    case Tag::Ind: {
        const TagAttributes attrs(body);
        if (const auto x = TagNumber(attrs.Value(u"X"), 0, 10000); x && *x - 1 - st.Indent > line.X) {
            line.X = *x - 1 - st.Indent;
            line.Trailing = 0;
        }
        break;
    }
    case Tag::Blink:
        if (!in_.BlinkOn)
            st.Font.Color = in_.BrushColor;
        break;
    case Tag::BlinkOff: st.Font.Color = in_.Font.Color; break;
    case Tag::Body: break;
    case Tag::Font: {
        const TagAttributes attrs(body);
        if (attrs.Has(u"FACE"))
            st.Font.Name = attrs.Value(u"FACE");
        if (attrs.Has(u"COLOR") && !in_.Selected)
            st.Font.Color = HtmlColorValue(attrs.Value(u"COLOR"));
        if (const auto size = TagNumber(attrs.Value(u"SIZE"), 1, 200)) {
            static const int kSizes[] = {8, 10, 12, 14, 16};
            st.Font.Size = *size <= 5 ? kSizes[*size - 1] : *size;
        }
        break;
    }
    case Tag::FontOff:
        st.Font.Name = in_.Font.Name;
        st.Font.Size = in_.Font.Size;
        break;
    case Tag::Para: {
        const TagAttributes attrs(body);
        const QString align = attrs.Value(u"ALIGN").toUpper();
        if (align.contains(QLatin1String("RIGHT")))
            st.Align = 1;
        if (align.contains(QLatin1String("LEFT")))
            st.Align = 0;
        if (align.contains(QLatin1String("CENTER")))
            st.Align = 2;
        if (const auto indent = TagNumber(attrs.Value(u"INDENT"), 0, 10000))
            st.Indent = *indent;
        break;
    }
    case Tag::ParaOff: lineBreak = true; break;
    case Tag::Link: {
        ++st.LinkCount;
        const TagAttributes attrs(body);
        st.Href = attrs.Value(u"HREF");
        st.Title = attrs.Value(u"TITLE");
        st.InLink = true;
        break;
    }
    case Tag::LinkOff: st.InLink = false; break;
    case Tag::Rotate: {
        const TagAttributes attrs(body);
        st.EscapementSaved = st.Font.Escapement;
        st.Font.Escapement = TagNumber(attrs.Value(u"A"), -360, 360).value_or(0) * 10;
        break;
    }
    case Tag::RotateOff: st.Font.Escapement = st.EscapementSaved; break;
    case Tag::Img: {
        ++st.PictureCount;
        const TagAttributes attrs(body);
        const std::optional<QSize> size = PictureLayoutSize(body, attrs.Value(u"SRC"));
        if (!size)
            break;
        const int limit = LineLimit(st);
        if (line.X + size->width() > limit && size->width() < limit) {
            --st.PictureCount;  // counted again on the next line
            return false;
        }
        line.Pictures.push_back({st.PictureCount, line.X, *size, st.InLink});
        line.X += size->width();
        line.Trailing = 0;
        line.Height = std::max(line.Height, size->height());
        const QString align = attrs.Value(u"ALIGN").toUpper();
        if (align.startsWith(QLatin1String("TOP")))
            line.PicRaise = line.Height - Gh(st.Font);
        else if (align.startsWith(QLatin1String("MIDDLE")))
            line.PicRaise = (line.Height - Gh(st.Font)) / 2;
        break;
    }
    case Tag::Control: {
        const HtmlControlAttributes a = ParseHtmlControl(body);
        const std::optional<int> w = TagNumber(a.Width, 0, 10000);
        if (!w)
            break;  // no width (or no number): no space, not drawn
        const int h = TagNumber(a.Height, 1, 10000).value_or(25);
        const bool box = a.Type == QLatin1String("CHECK") || a.Type == QLatin1String("RADIO");
        const bool tall = a.Type == QLatin1String("BUTTON") || a.Type == QLatin1String("COMBO");
        const QSize size = box ? QSize(16, 16) : QSize(*w, tall ? 25 : Gh(st.Font) + 10);
        const int limit = LineLimit(st);
        if (line.X + size.width() > limit && size.width() < limit)
            return false;
        const int lineHeight = box ? 16 : (h > 25 ? h - 2 : 23);
        line.Height = std::max({line.Height, lineHeight, size.height()});
        line.X += size.width();
        line.Trailing = 0;
        break;
    }
    case Tag::Highlight:
    case Tag::HighlightOff:
    case Tag::None:
        break;
    }
    return true;
}

void Engine::SecondPass(PassState& st, const LineState& line)
{
    lineItemStart_ = out_.Items.size();
    if (st.InLink)
        st.LinkStartX = line.Left;
    if (st.FocusOpen)
        st.FocusStartX = line.Left;
    if (st.ParaBg)
        Fill(rl_, line.Top, rr_, line.Top + line.Height, st.Brush);
    for (const Token& t : line.Tokens) {
        if (t.IsTag) {
            const QStringView body = QStringView(text_).mid(t.Start + 1, t.Length - 2);
            SecondPassTag(st, line, t, body);
            continue;
        }
        const int x = line.Left + t.X;
        if (st.InLink && pt_.x() >= x && pt_.x() < x + t.Width && pt_.y() > line.Top && pt_.y() <= line.Bottom) {
            st.LinkHit = true;
            out_.HitLinkTarget = st.Href;
            out_.HitLinkTitle = st.Title;
            const int textBottom = line.TextBottom - line.PicRaise;
            if (pt_.y() > textBottom - Gh(st.Font) && pt_.y() < textBottom)
                out_.Hit = true;
        }
        if (st.InLink && st.LinkCount == in_.FocusedLink + 1)
            out_.FocusedLinkTarget = st.Href;
        if (drawing_)
            EmitRun(st, line, t);
    }
    if (drawing_ && st.FocusOpen && st.InLink) {
        const int bottom = line.TextBottom - line.PicRaise;
        HtmlItem item;
        item.Kind = HtmlItemKind::FocusRect;
        const int top = bottom - Gh(st.Font);
        item.Rect = QRect(st.FocusStartX - 1, top - 1, line.Left + line.Width - st.FocusStartX + 2, bottom - top + 2);
        Emit(std::move(item));
    }
}

void Engine::EmitRun(const PassState& st, const LineState& line, const Token& t)
{
    const int x = line.Left + t.X;
    int bottom = line.TextBottom - line.PicRaise;
    if (st.Sup)
        bottom -= line.Rise;
    if (st.Sub)
        bottom += line.Drop;
    HtmlItem item;
    item.Kind = HtmlItemKind::Text;
    item.Rect = QRect(x, bottom - t.Height, t.Width, t.Height);
    item.Font = st.Font;
    item.Color = st.Font.Color;
    item.Background = st.Brush;
    item.Text = t.Display.Text;
    item.Mnemonics = t.Display.Mnemonics;
    if (!in_.WordWrap)
        item.ElideWidth = std::max(0, rr_ - x);
    item.Shadow = st.Shadow;
    item.ShadowOffset = in_.ShadowOffset;
    item.ShadowColor = in_.ShadowColor;
    out_.Items.push_back(std::move(item));
    if (st.Error && t.Width > 0) {
        // A red zig-zag under the run; the phase follows x so runs join up.
        HtmlItem zig;
        zig.Kind = HtmlItemKind::ZigZag;
        zig.Color = 0x0000FF;
        const int textBottom = line.TextBottom;
        int px = x & ~1;
        const int right = x + t.Width;
        for (; px <= right; px += 2) {
            const bool high = ((px % 4) + 4) % 4 == 0;
            zig.Points.emplace_back(px, high ? textBottom - 1 : textBottom + 1);
        }
        zig.Rect = QRect(x & ~1, textBottom - 1, right - (x & ~1) + 1, 3);
        out_.Items.push_back(std::move(zig));
    }
}

void Engine::SecondPassTag(PassState& st, const LineState& line, const Token& t, QStringView body)
{
    const int x = line.Left + t.X;
    const Tag tag = Classify(body);
    switch (tag) {
    case Tag::Br:
        return;
    case Tag::Rule:
        if (drawing_) {
            HtmlItem item;
            item.Kind = HtmlItemKind::Line;
            item.Rect = QRect(line.Left, line.Bottom + 1, std::max(0, rr_ - line.Left), 1);
            item.Color = 0;
            Emit(std::move(item));
        }
        return;
    case Tag::Item:
        if (drawing_ && st.ListLevel > 0) {
            HtmlItem item;
            item.Kind = HtmlItemKind::Text;
            item.Font = st.Font;
            item.Text = (st.ListLevel % 2) ? QStringLiteral("\u2022") : QStringLiteral("o");
            const QSize size = Extent(st.Font, item.Text);
            item.Rect = QRect(x + st.ListLevel * kListIndent - kListIndent, line.TextBottom - size.height(),
                              size.width(), size.height());
            item.Color = st.Font.Color;
            Emit(std::move(item));
        }
        return;
    case Tag::Body:
        if (drawing_) {
            const TagAttributes attrs(body);
            const QString color = attrs.Value(u"BGCOLOR");
            std::optional<TColor> fill;
            if (color.contains(QLatin1String("CL"), Qt::CaseInsensitive))
                fill = HtmlColorValue(color);
            else if (color.contains(QLatin1Char('#')))
                fill = HtmlColorValue(color.mid(color.indexOf(QLatin1Char('#'))));
            // The body is the background: it goes under everything drawn so far.
            if (fill)
                Fill(rl_, rt_, rr_, rb_, *fill, 0);
            const QString background = attrs.Value(u"BACKGROUND");
            const auto where = ClassifyPictureSource(background);
            if (where && pictures_ && pictures_->Picture(where->first, where->second)) {
                HtmlItem item;
                item.Kind = HtmlItemKind::TiledPicture;
                item.Picture = where->first;
                item.Text = where->second;
                item.Rect = QRect(rl_, rt_, rr_ - rl_, rb_ - rt_);
                out_.Items.insert(out_.Items.begin() + (fill ? 1 : 0), std::move(item));
            }
        }
        return;
    case Tag::Font:
        if (drawing_ && !in_.Selected) {
            const TagAttributes attrs(body);
            if (attrs.Has(u"BGCOLOR")) {
                st.FontBgSaved = st.Brush;
                st.FontBgSet = true;
                st.Brush = HtmlColorValue(attrs.Value(u"BGCOLOR"));
            }
        }
        break;
    case Tag::FontOff:
        if (drawing_ && !in_.Selected) {
            st.Font.Color = in_.Font.Color;
            if (st.FontBgSet) {
                st.Brush = st.FontBgSaved;
                st.FontBgSet = false;
            }
        }
        break;
    case Tag::Para:
        if (drawing_) {
            const TagAttributes attrs(body);
            if (attrs.Has(u"BGCOLOR")) {
                st.ParaBgSaved = st.Brush;
                st.Brush = HtmlColorValue(attrs.Value(u"BGCOLOR"));
                st.ParaBg = true;
                // The band goes under what the line has drawn already.
                Fill(rl_, line.Top, rr_, line.Top + line.Height, st.Brush, lineItemStart_);
            }
        }
        break;
    case Tag::ParaOff:
        if (drawing_ && st.ParaBg) {
            st.Brush = st.ParaBgSaved;
            st.ParaBg = false;
        }
        break;
    case Tag::Highlight:
        if (drawing_) {
            st.HiSavedFont = st.Font.Color;
            st.HiSavedBrush = st.Brush;
            st.Brush = HtmlHighlightBrushColor();
            st.Font.Color = HtmlHighlightTextColor();
        }
        return;
    case Tag::HighlightOff:
        if (drawing_) {
            st.Font.Color = st.HiSavedFont;
            st.Brush = st.HiSavedBrush;
        }
        return;
    case Tag::Link: {
        const bool focused = drawing_ && st.LinkCount == in_.FocusedLink;
        ++st.LinkCount;
        const bool hovered = st.LinkCount == in_.HoveredLink;
        if (focused) {
            st.FocusOpen = true;
            st.FocusStartX = x;
        }
        if ((!in_.UnderlineHoveredOnly || hovered) && drawing_) {
            st.Font.Underline = true;
            if (in_.HoverBrushColor != kNoColor) {
                st.LinkSavedBrush = st.Brush;
                st.Brush = in_.HoverBrushColor;
            }
            if (in_.HoverFontColor != kNoColor) {
                st.LinkSavedFont = st.Font.Color;
                st.Font.Color = in_.HoverFontColor;
            }
        }
        const bool hoverFont = in_.HoverFontColor != kNoColor && hovered && in_.UnderlineHoveredOnly;
        if (!in_.Selected && !hoverFont)
            st.Font.Color = in_.LinkColor;
        const TagAttributes attrs(body);
        st.Href = attrs.Value(u"HREF");
        st.Title = attrs.Value(u"TITLE");
        st.InLink = true;
        st.LinkHit = false;
        st.LinkStartX = x;
        return;
    }
    case Tag::LinkOff: {
        const bool hovered = st.LinkCount == in_.HoveredLink;
        if ((!in_.UnderlineHoveredOnly || hovered) && drawing_) {
            st.Font.Underline = false;
            if (in_.HoverBrushColor != kNoColor)
                st.Brush = st.LinkSavedBrush;
            if (in_.HoverFontColor != kNoColor)
                st.Font.Color = st.LinkSavedFont;
        }
        if (!in_.Selected)
            st.Font.Color = in_.Font.Color;
        if (st.InLink && st.LinkHit) {
            out_.HitLinkRect = QRect(st.LinkStartX, line.Top, x - st.LinkStartX, line.Bottom - line.Top);
            out_.HitLinkIndex = st.LinkCount;
        }
        st.InLink = false;
        st.LinkHit = false;
        if (st.FocusOpen && st.LinkCount == in_.FocusedLink + 1) {
            st.FocusOpen = false;
            const int bottom = line.TextBottom - line.PicRaise;
            const int top = bottom - Gh(st.Font);
            HtmlItem item;
            item.Kind = HtmlItemKind::FocusRect;
            item.Rect = QRect(st.FocusStartX - 1, top - 1, x - st.FocusStartX + 2, bottom - top + 2);
            Emit(std::move(item));
        }
        return;
    }
    case Tag::Img:
        PictureInSecondPass(st, line, t, body);
        return;
    case Tag::Control:
        ControlInSecondPass(st, line, t, body);
        return;
    default:
        break;
    }
    // Tags whose effect both passes share; the line is measured already.
    LineState scratch;
    bool lineBreak = false;
    MeasureTag(st, scratch, body, lineBreak);
}

void Engine::PictureInSecondPass(PassState& st, const LineState& line, const Token& t, QStringView body)
{
    ++st.PictureCount;
    const int number = st.PictureCount;
    const TagAttributes attrs(body);
    const bool hover = attrs.Has(u"ALT") && number == hoverPicture_;
    const QString src = attrs.Value(hover ? u"ALT" : u"SRC");
    const int x = line.Left + t.X;
    // Hit test on the size the line was measured with.
    for (const PictureSpot& p : line.Pictures) {
        if (p.Number == number && p.InLink
            && StrictlyInside(x, line.Top, x + p.Size.width(), line.Top + p.Size.height())) {
            out_.HitLinkTarget = st.Href;
            out_.HitLinkTitle = st.Title;
            out_.HitPicture = number;
            out_.Hit = true;
        }
    }
    if (!drawing_)
        return;
    HtmlPictureKind kind = HtmlPictureKind::Container;
    std::optional<HtmlPictureInfo> info;
    std::optional<QSize> requested;
    if (!PictureLayoutSize(body, src, &kind, &info, &requested))
        return;
    const auto where = ClassifyPictureSource(src);
    HtmlItem item;
    item.Kind = HtmlItemKind::Picture;
    item.Picture = kind;
    item.Text = where->second;
    if (kind != HtmlPictureKind::Container && kind != HtmlPictureKind::Cache) {
        const QSize size = in_.Printing ? QSize(Round(info->Size.width() * in_.PrintScale),
                                                Round(info->Size.height() * in_.PrintScale))
                                        : info->Size;
        item.Rect = QRect(QPoint(x, line.Top), size);
        item.Stretch = in_.Printing;
    } else if (requested) {
        item.Rect = QRect(QPoint(x, line.Top), *requested);
        item.Stretch = true;
    } else {
        if (info->FrameCount > 1 && in_.BrushColor != kNoColor)
            Fill(x, line.Top, x + info->MaxSize.width(), line.Top + info->MaxSize.height(), in_.BrushColor);
        item.Rect = QRect(QPoint(x + info->FrameOffset.x(), line.Top + info->FrameOffset.y()), info->Size);
    }
    Emit(std::move(item));
}

void Engine::ControlInSecondPass(PassState& st, const LineState& line, const Token& t, QStringView body)
{
    const HtmlControlAttributes a = ParseHtmlControl(body);
    const std::optional<int> wn = TagNumber(a.Width, 0, 10000);
    if (!wn)
        return;
    const int w = *wn;
    const int h = TagNumber(a.Height, 1, 10000).value_or(25);
    const int x = line.Left + t.X;
    const int bottom = line.TextBottom;
    const int lh = line.Height;
    const bool box = a.Type == QLatin1String("CHECK") || a.Type == QLatin1String("RADIO");
    const bool tall = a.Type == QLatin1String("BUTTON") || a.Type == QLatin1String("COMBO");
    const QSize size = box ? QSize(16, 16) : QSize(w, tall ? 25 : Gh(st.Font) + 10);

    if (StrictlyInside(x, line.Top, x + size.width(), line.Top + size.height())
        || (in_.HitTestOnly && !in_.ControlID.isEmpty() && a.Id == in_.ControlID)) {
        out_.HitLinkTarget = QStringLiteral("ctrl");
        out_.HitControlRect = QRect(x, line.Top, size.width(), size.height());
        out_.ControlValue = a.Value;
        out_.ControlID = a.Id;
        out_.ControlType = a.Type;
        out_.Hit = true;
    }
    if (!drawing_)
        return;

    auto R = [](int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); };
    HtmlItem item;
    item.Kind = HtmlItemKind::Control;
    item.Font = st.Font;
    item.Color = st.Font.Color;
    HtmlControlItem& c = item.Control;
    c.Type = a.Type;
    c.Id = a.Id;
    c.Pen = in_.ThemesInUse ? 0xB99D7F : 0x808080;
    item.Text = a.Value;
    if (a.Type == QLatin1String("EDIT") || a.Type == QLatin1String("PASSWORD") || a.Type == QLatin1String("MASK")) {
        c.Box = R(x, bottom - lh + 4, x + w, bottom + 2);
        c.TextRect = R(x + 2, bottom - lh + 4, x + w, bottom);
        if (a.Type == QLatin1String("PASSWORD"))
            item.Text = QString(a.Value.size(), QLatin1Char('*'));
    } else if (a.Type == QLatin1String("COMBO")) {
        c.Box = R(x, bottom - lh + 4, x + w, bottom + 2);
        c.TextRect = R(x + 4, bottom - lh + 4, x + w - 18, bottom);
        c.ButtonRect = R(x + w - 18, bottom - lh + 5, x + w - 1, bottom + 1);
        c.Hot = StrictlyInside(x - 2, bottom - size.height() - 2, x + w - 2, bottom - 2);
    } else if (a.Type == QLatin1String("CHECK")) {
        c.Box = R(x + 2, bottom - 15, x + 15, bottom);
        c.Checked = a.Value.toUpper() == QLatin1String("TRUE");
    } else if (a.Type == QLatin1String("RADIO")) {
        c.Box = R(x + 2, bottom - 14, x + 14, bottom);
        c.Checked = a.Value.toUpper() == QLatin1String("TRUE");
    } else if (a.Type == QLatin1String("BUTTON")) {
        c.Box = R(x + 2, bottom - h, x + w - 2, bottom);
        c.TextRect = c.Box.adjusted(2, 2, -2, -2);
        c.Hot = StrictlyInside(x - 2, bottom - 24 - 2, x + w - 2, bottom - 2);
        c.Pressed = c.Hot && in_.ControlPressed;
    } else {
        return;  // an unknown type takes its space and draws nothing
    }
    Emit(std::move(item));
}

void Engine::Mirror()
{
    const int sum = rl_ + rr_;
    auto flip = [sum](QRect& r) {
        if (!r.isNull())
            r.moveLeft(sum - (r.x() + r.width()));
    };
    for (HtmlItem& item : out_.Items) {
        flip(item.Rect);
        flip(item.Control.Box);
        flip(item.Control.TextRect);
        flip(item.Control.ButtonRect);
        for (QPoint& p : item.Points)
            p.setX(sum - 1 - p.x());
    }
    for (HtmlLine& line : out_.Lines)
        flip(line.Rect);
    flip(out_.HitLinkRect);
    flip(out_.HitControlRect);
}

}  // namespace

std::optional<std::pair<HtmlPictureKind, QString>> ClassifyPictureSource(const QString& src)
{
    if (src.startsWith(QLatin1String("IDX:"), Qt::CaseInsensitive)) {
        const QString n = src.mid(4).trimmed();
        if (!IsWholeNumber(n))
            return std::nullopt;
        return std::pair(HtmlPictureKind::ImageList, n);
    }
    const bool small = src.startsWith(QLatin1String("SSYS:"), Qt::CaseInsensitive);
    if (small || src.startsWith(QLatin1String("LSYS:"), Qt::CaseInsensitive)) {
        const QString path = src.mid(5);
        // A number would index the system image list, which we do not have.
        if (path.isEmpty() || IsWholeNumber(path))
            return std::nullopt;
        return std::pair(small ? HtmlPictureKind::SmallSystemIcon : HtmlPictureKind::LargeSystemIcon, path);
    }
    if (src.isEmpty())
        return std::nullopt;
    if (!src.contains(QLatin1Char(':')))
        return std::pair(HtmlPictureKind::Container, src);
    if (src.contains(QLatin1String("://")))
        return std::pair(HtmlPictureKind::Cache, src);
    return std::nullopt;
}

QString PrepareHtmlText(const QString& text)
{
    // "<#name>" shows as "#name": each "<#" loses its "<" and the next ">".
    QString s;
    s.reserve(text.size());
    qsizetype pendingGt = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('<') && i + 1 < text.size() && text[i + 1] == QLatin1Char('#')) {
            ++pendingGt;
            continue;
        }
        if (c == QLatin1Char('>') && pendingGt > 0) {
            --pendingGt;
            continue;
        }
        s += c;
    }
    // Entities of the first set, outside tags, in one pass.
    QString out;
    out.reserve(s.size() + 8);
    bool inTag = false;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (inTag) {
            if (c == QLatin1Char('>'))
                inTag = false;
            out += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('<')) {
            inTag = true;
        } else if (c == QLatin1Char('&')) {
            const QStringView rest = QStringView(s).mid(i);
            bool done = false;
            for (const FirstSetEntity& e : kFirstSet) {
                if (rest.startsWith(e.Entity)) {
                    out += QStringView(e.Text);
                    i += e.Entity.size();
                    done = true;
                    break;
                }
            }
            if (done)
                continue;
        } else if (c == QLatin1Char('\r')) {
            out += QLatin1String("<BR>");
            ++i;
            continue;
        } else if (c == QLatin1Char('\n')) {
            ++i;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

HtmlLayout LayoutHtmlText(const HtmlLayoutInput& in, HtmlMeasurer& measurer, HtmlPictureSource* pictures)
{
    Engine engine(in, measurer, pictures);
    return engine.Run();
}

}  // namespace grid::html
