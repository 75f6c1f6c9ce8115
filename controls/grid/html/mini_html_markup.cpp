#include "controls/grid/html/mini_html_markup.h"

#include <limits>

namespace grid::html {

namespace {

// Index of the ">" closing the tag that starts at `open`, or -1.
qsizetype TagEnd(const QString& s, qsizetype open)
{
    return s.indexOf(QLatin1Char('>'), open + 1);
}

QString RemoveTags(const QString& s)
{
    QString out;
    out.reserve(s.size());
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype open = s.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            out += QStringView(s).mid(i);
            break;
        }
        const qsizetype close = TagEnd(s, open);
        if (close < 0) {
            out += QStringView(s).mid(i);
            break;
        }
        out += QStringView(s).mid(i, open - i);
        i = close + 1;
    }
    return out;
}

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-');
}

const NamedEntity kEntities[] = {
    {QChar(0xE9), "&eacute;"}, {QChar(0xE8), "&egrave;"}, {QChar(0xEB), "&euml;"},
    {QChar(0xEA), "&ecirc;"},  {QChar(0xF3), "&oacute;"}, {QChar(0xF2), "&ograve;"},
    {QChar(0xF6), "&ouml;"},   {QChar(0xF4), "&ocirc;"},  {QChar(0xED), "&iacute;"},
    {QChar(0xEC), "&igrave;"}, {QChar(0xEF), "&iuml;"},   {QChar(0xEE), "&icirc;"},
    {QChar(0xFA), "&uacute;"}, {QChar(0xF9), "&ugrave;"}, {QChar(0xFC), "&uuml;"},
    {QChar(0xFB), "&ucirc;"},  {QChar(0xE1), "&aacute;"}, {QChar(0xE0), "&agrave;"},
    {QChar(0xE4), "&auml;"},   {QChar(0xE2), "&acirc;"},
    {QChar(0xC9), "&Eacute;"}, {QChar(0xC8), "&Egrave;"}, {QChar(0xCB), "&Euml;"},
    {QChar(0xCA), "&Ecirc;"},  {QChar(0xD3), "&Oacute;"}, {QChar(0xD2), "&Ograve;"},
    {QChar(0xD6), "&Ouml;"},   {QChar(0xD4), "&Ocirc;"},  {QChar(0xCD), "&Iacute;"},
    {QChar(0xCC), "&Igrave;"}, {QChar(0xCF), "&Iuml;"},   {QChar(0xCE), "&Icirc;"},
    {QChar(0xDA), "&Uacute;"}, {QChar(0xD9), "&Ugrave;"}, {QChar(0xDC), "&Uuml;"},
    {QChar(0xDB), "&Ucirc;"},  {QChar(0xC1), "&Aacute;"}, {QChar(0xC0), "&Agrave;"},
    {QChar(0xC4), "&Auml;"},   {QChar(0xC2), "&Acirc;"},
    {QChar(0xE7), "&ccedil;"}, {QChar(0xC7), "&Ccedil;"}, {QChar(0xF8), "&oslash;"},
    {QChar(0xD8), "&Oslash;"}, {QChar(0xE5), "&aring;"},  {QChar(0xC5), "&Aring;"},
    {QChar(0xA9), "&copy;"},   {QChar(0xAE), "&reg;"},    {QChar(0x20AC), "&euro;"},
    {QChar(0xAB), "&laquo;"},  {QChar(0xBB), "&raquo;"},
};

struct BasicEntity
{
    QChar Char;
    QLatin1StringView Entity;
};
const BasicEntity kBasic[] = {
    {QLatin1Char('<'), QLatin1StringView("&lt;")},
    {QLatin1Char('>'), QLatin1StringView("&gt;")},
    {QLatin1Char('&'), QLatin1StringView("&amp;")},
    {QLatin1Char('"'), QLatin1StringView("&quot;")},
};

// Finds "<CONTROL " tags in order: the tag body (between "<" and ">") and its span.
struct ControlTag
{
    qsizetype Open = -1;   // index of "<"
    qsizetype Close = -1;  // index of ">"
    QStringView Body;
};

bool NextControlTag(const QString& s, qsizetype from, ControlTag& tag)
{
    static const QString kMark = QStringLiteral("<CONTROL ");
    const qsizetype open = s.indexOf(kMark, from, Qt::CaseInsensitive);
    if (open < 0)
        return false;
    const qsizetype close = TagEnd(s, open);
    if (close < 0)
        return false;
    tag.Open = open;
    tag.Close = close;
    tag.Body = QStringView(s).mid(open + 1, close - open - 1);
    return true;
}

QString Quoted(const QString& v)
{
    return QLatin1Char('"') + v + QLatin1Char('"');
}

QString RebuildControlTag(const HtmlControlAttributes& a, const QString& value)
{
    QString tag = QStringLiteral("<CONTROL ID=") + Quoted(a.Id) + QStringLiteral(" VALUE=")
                  + Quoted(EscapeHtmlText(value, true)) + QStringLiteral(" WIDTH=") + Quoted(a.Width)
                  + QStringLiteral(" TYPE=") + Quoted(a.Type);
    // HEIGHT is kept so the control keeps its size.
    if (a.HasHeight)
        tag += QStringLiteral(" HEIGHT=") + Quoted(a.Height);
    if (a.HasProp)
        tag += QStringLiteral(" PROP=") + Quoted(EscapeHtmlText(a.Prop, true));
    if (a.HasMaxLen)
        tag += QStringLiteral(" MAXLEN=") + Quoted(a.MaxLen);
    return tag + QLatin1Char('>');
}

bool FindControl(const QString& s, const QString& id, ControlTag& tag, HtmlControlAttributes& attrs)
{
    qsizetype from = 0;
    while (NextControlTag(s, from, tag)) {
        attrs = ParseHtmlControl(tag.Body);
        if (attrs.Id == id)
            return true;
        from = tag.Close + 1;
    }
    return false;
}

QString EscapeBrackets(QString s)
{
    s.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    s.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return s;
}

TColor gHighlightBrush = 0xFF00000D;  // clHighlight
TColor gHighlightText = 0xFF00000E;   // clHighlightText

struct NamedColor
{
    const char* Name;
    TColor Value;
};
const NamedColor kColors[] = {
    {"clred", 0x0000FF},     {"clblack", 0x000000},   {"clblue", 0xFF0000},    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},    {"clyellow", 0x00FFFF},  {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},    {"clsilver", 0xC0C0C0},  {"clgray", 0x808080},    {"clolive", 0x008080},
    {"clnavy", 0x800000},    {"clpurple", 0x800080},  {"clteal", 0x808000},    {"clmaroon", 0x000080},
    {"clbackground", 0xFF000001},         {"clactivecaption", 0xFF000002},
    {"clinactivecaption", 0xFF000003},    {"clmenu", 0xFF000004},
    {"clwindow", 0xFF000005},             {"clwindowframe", 0xFF000006},
    {"clmenutext", 0xFF000007},           {"clwindowtext", 0xFF000008},
    {"clcaptiontext", 0xFF000009},        {"clactiveborder", 0xFF00000A},
    {"clinactiveborder", 0xFF00000B},     {"clappworkspace", 0xFF00000C},
    {"clhighlight", 0xFF00000D},          {"clhighlighttext", 0xFF00000E},
    {"clbtnface", 0xFF00000F},            {"clbtnshadow", 0xFF000010},
    {"clgraytext", 0xFF000011},           {"clbtntext", 0xFF000012},
    {"clinactivecaptiontext", 0xFF000013}, {"clbtnhighlight", 0xFF000014},
    {"cl3ddkshadow", 0xFF000015},         {"cl3dlight", 0xFF000016},
    {"clinfotext", 0xFF000017},           {"clinfobk", 0xFF000018},
};

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return 0;
}

}  // namespace

QString HtmlToPlainText(const QString& s)
{
    QString t = s;
    t.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    t.replace(QStringLiteral("<HR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    return RemoveTags(t);
}

QString StripHtmlTags(const QString& s)
{
    return RemoveTags(s);
}

const std::vector<NamedEntity>& NamedEntityTable()
{
    static const std::vector<NamedEntity> table(std::begin(kEntities), std::end(kEntities));
    return table;
}

QString EscapeHtmlText(const QString& s, bool named)
{
    QString out;
    out.reserve(s.size() + s.size() / 8);
    for (const QChar c : s) {
        bool done = false;
        for (const BasicEntity& e : kBasic) {
            if (c == e.Char) {
                out += e.Entity;
                done = true;
                break;
            }
        }
        if (!done && named && c.unicode() >= 0xA9) {
            for (const NamedEntity& e : kEntities) {
                if (c == e.Char) {
                    out += QLatin1StringView(e.Entity);
                    done = true;
                    break;
                }
            }
        }
        if (!done)
            out += c;
    }
    return out;
}

QString UnescapeHtmlText(const QString& s, bool named)
{
    QString out;
    out.reserve(s.size());
    const QStringView v(s);
    qsizetype i = 0;
    while (i < v.size()) {
        if (v[i] != QLatin1Char('&')) {
            out += v[i++];
            continue;
        }
        const QStringView rest = v.mid(i);
        bool done = false;
        for (const BasicEntity& e : kBasic) {
            if (rest.startsWith(e.Entity)) {
                out += e.Char;
                i += e.Entity.size();
                done = true;
                break;
            }
        }
        if (!done && named) {
            for (const NamedEntity& e : kEntities) {
                const QLatin1StringView entity(e.Entity);
                if (rest.startsWith(entity)) {
                    out += e.Char;
                    i += entity.size();
                    done = true;
                    break;
                }
            }
        }
        if (!done)
            out += v[i++];
    }
    return out;
}

QString SpacesToNbsp(const QString& s)
{
    QString t = s;
    return t.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

QString LineBreaksToBrTags(const QString& s)
{
    QString t = s;
    t.remove(QLatin1Char('\n'));
    return t.replace(QLatin1Char('\r'), QStringLiteral("<BR>"));
}

TagAttributes::TagAttributes(QStringView tag)
{
    qsizetype i = 0;
    const qsizetype n = tag.size();
    // The tag's own name first.
    if (i < n && tag[i] == QLatin1Char('/'))
        ++i;
    while (i < n && IsNameChar(tag[i]))
        ++i;
    while (i < n) {
        if (!IsNameChar(tag[i])) {
            ++i;
            continue;
        }
        const qsizetype nameStart = i;
        while (i < n && IsNameChar(tag[i]))
            ++i;
        const QStringView name = tag.mid(nameStart, i - nameStart);
        if (i >= n || tag[i] != QLatin1Char('='))
            continue;
        ++i;
        if (i < n && tag[i] == QLatin1Char('"')) {
            const qsizetype close = tag.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0)
                break;  // an open quote ends the attributes
            attrs_.push_back({name.toString().toUpper(), tag.mid(i + 1, close - i - 1).toString()});
            i = close + 1;
        } else {
            // An unquoted value is skipped, not found.
            while (i < n && !tag[i].isSpace())
                ++i;
        }
    }
}

bool TagAttributes::Has(QStringView name) const
{
    for (const Attr& a : attrs_) {
        if (QStringView(a.Name).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString TagAttributes::Value(QStringView name) const
{
    for (const Attr& a : attrs_) {
        if (QStringView(a.Name).compare(name, Qt::CaseInsensitive) == 0)
            return a.Value;
    }
    return {};
}

std::optional<int> TagNumber(QStringView value, int lo, int hi)
{
    qsizetype i = 0;
    while (i < value.size() && value[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == QLatin1Char('-') || value[i] == QLatin1Char('+'))) {
        negative = value[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= value.size() || !value[i].isDigit() || value[i].unicode() > '9')
        return std::nullopt;
    long long n = 0;
    for (; i < value.size() && value[i].unicode() >= '0' && value[i].unicode() <= '9'; ++i) {
        n = n * 10 + (value[i].unicode() - '0');
        if (n > std::numeric_limits<int>::max())
            n = std::numeric_limits<int>::max();  // saturates, never overflows
    }
    if (negative)
        n = -n;
    if (n < lo)
        return lo;
    if (n > hi)
        return hi;
    return static_cast<int>(n);
}

HtmlControlAttributes ParseHtmlControl(QStringView tag)
{
    const TagAttributes attrs(tag);
    HtmlControlAttributes a;
    a.Type = attrs.Value(u"TYPE").toUpper();
    a.Id = attrs.Value(u"ID");
    a.Value = UnescapeHtmlText(attrs.Value(u"VALUE"), true);
    a.Width = attrs.Value(u"WIDTH");
    a.Height = attrs.Value(u"HEIGHT");
    a.Prop = UnescapeHtmlText(attrs.Value(u"PROP"), true);
    a.MaxLen = attrs.Value(u"MAXLEN");
    a.HasHeight = attrs.Has(u"HEIGHT");
    a.HasProp = attrs.Has(u"PROP");
    a.HasMaxLen = attrs.Has(u"MAXLEN");
    return a;
}

bool HasHtmlControl(const QString& s)
{
    return s.contains(QStringLiteral("<CONTROL"), Qt::CaseInsensitive);
}

bool GetHtmlControlValue(const QString& s, const QString& id, QString& value)
{
    ControlTag tag;
    HtmlControlAttributes attrs;
    if (!FindControl(s, id, tag, attrs))
        return false;
    value = attrs.Value;
    return true;
}

QString GetHtmlControlProp(const QString& s, const QString& id)
{
    ControlTag tag;
    HtmlControlAttributes attrs;
    return FindControl(s, id, tag, attrs) ? attrs.Prop : QString();
}

int GetHtmlControlMaxLen(const QString& s, const QString& id)
{
    ControlTag tag;
    HtmlControlAttributes attrs;
    if (!FindControl(s, id, tag, attrs))
        return 0;
    return TagNumber(attrs.MaxLen, 0, 1 << 20).value_or(0);
}

QString NextEditableHtmlControlID(const QString& s, const QString& afterId)
{
    bool past = afterId.isEmpty();
    qsizetype from = 0;
    ControlTag tag;
    while (NextControlTag(s, from, tag)) {
        const HtmlControlAttributes a = ParseHtmlControl(tag.Body);
        from = tag.Close + 1;
        if (!past) {
            past = a.Id == afterId;
            continue;
        }
        if (a.Type != QLatin1String("BUTTON") && a.Type != QLatin1String("CHECK")
            && a.Type != QLatin1String("RADIO"))
            return a.Id;
    }
    return {};
}

bool SetHtmlControlValue(QString& s, const QString& id, const QString& value)
{
    ControlTag tag;
    HtmlControlAttributes attrs;
    if (!FindControl(s, id, tag, attrs))
        return false;
    s = s.left(tag.Open) + RebuildControlTag(attrs, value) + s.mid(tag.Close + 1);
    return true;
}

QString ClearHtmlRadioControls(const QString& s)
{
    QString out;
    qsizetype from = 0;
    ControlTag tag;
    while (NextControlTag(s, from, tag)) {
        const HtmlControlAttributes a = ParseHtmlControl(tag.Body);
        out += QStringView(s).mid(from, tag.Open - from);
        if (a.Type == QLatin1String("RADIO"))
            out += RebuildControlTag(a, QStringLiteral("FALSE"));
        else
            out += QStringView(s).mid(tag.Open, tag.Close + 1 - tag.Open);
        from = tag.Close + 1;
    }
    out += QStringView(s).mid(from);
    return out;
}

QString HighlightHtmlText(const QString& s, const QString& pattern, const QString& tagName,
                          bool caseSensitive)
{
    if (pattern.isEmpty())
        return s;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString plain = StripHtmlTags(s);
    QString pat = pattern;
    QString text = s;
    // Stray brackets outside tags: work on the escaped plain text.
    if (s.contains(pattern, cs)
        && (plain.contains(QLatin1Char('<')) || plain.contains(QLatin1Char('>')))) {
        plain = EscapeBrackets(plain);
        pat = EscapeBrackets(pat);
        text = plain;
    }
    // Visible positions (1-based, counted outside tags) before which a tag goes.
    struct Mark
    {
        qsizetype Visible;
        bool Open;
    };
    std::vector<Mark> marks;
    for (qsizetype at = plain.indexOf(pat, 0, cs); at >= 0; at = plain.indexOf(pat, at + pat.size(), cs)) {
        marks.push_back({at + 1, true});
        marks.push_back({at + 1 + pat.size(), false});
    }
    if (marks.empty())
        return text;
    const QString open = QLatin1Char('<') + tagName + QLatin1Char('>');
    const QString close = QStringLiteral("</") + tagName + QLatin1Char('>');
    QString out;
    out.reserve(text.size() + qsizetype(marks.size()) * (close.size() + 1));
    size_t next = 0;
    auto put = [&](qsizetype visible) {
        while (next < marks.size() && marks[next].Visible <= visible)
            out += marks[next++].Open ? open : close;
    };
    put(1);  // the first position is visible character 1, before any tag
    qsizetype visible = 0;
    bool inTag = false;
    for (const QChar c : text) {
        if (inTag) {
            inTag = c != QLatin1Char('>');
        } else if (c == QLatin1Char('<')) {
            inTag = true;
        } else {
            put(++visible);
        }
        out += c;
    }
    put(std::numeric_limits<qsizetype>::max());
    return out;
}

QString UnhighlightHtmlText(const QString& s, const QString& tagName)
{
    QString t = s;
    t.remove(QLatin1Char('<') + tagName + QLatin1Char('>'), Qt::CaseInsensitive);
    t.remove(QStringLiteral("</") + tagName + QLatin1Char('>'), Qt::CaseInsensitive);
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return t;
}

void SetHtmlHighlightColors(TColor brushColor, TColor textColor)
{
    gHighlightBrush = brushColor;
    gHighlightText = textColor;
}

TColor HtmlHighlightBrushColor()
{
    return gHighlightBrush;
}

TColor HtmlHighlightTextColor()
{
    return gHighlightText;
}

TColor HtmlColorValue(QStringView value)
{
    if (value.startsWith(QLatin1Char('#'))) {
        int d[6] = {};
        for (int i = 0; i < 6 && i + 1 < value.size(); ++i)
            d[i] = HexDigit(value[i + 1]);
        const TColor r = d[0] * 16 + d[1];
        const TColor g = d[2] * 16 + d[3];
        const TColor b = d[4] * 16 + d[5];
        return r + g * 256 + b * 65536;
    }
    for (const NamedColor& c : kColors) {
        if (value.compare(QLatin1StringView(c.Name), Qt::CaseInsensitive) == 0)
            return c.Value;
    }
    return 0;
}

}  // namespace grid::html
