#include "controls/grid/cell_controls/edit_mask.h"

#include <QStringList>

namespace grid {

namespace {

// The grid's mask characters and Qt's for the same input.
struct MaskChar
{
    char16_t ours;
    char16_t qt;
};

constexpr MaskChar kMaskChars[] = {
    {u'L', u'A'},  // letter, required
    {u'l', u'a'},  // letter, optional
    {u'A', u'N'},  // letter or digit, required
    {u'a', u'n'},  // letter or digit, optional
    {u'C', u'X'},  // any character, required
    {u'c', u'x'},  // any character, optional
    {u'0', u'9'},  // digit, required
    {u'9', u'0'},  // digit, optional
    {u'#', u'#'},  // digit or sign, optional
    {u'>', u'>'},  // upper case from here
    {u'<', u'<'},  // lower case from here
};

// Characters with a meaning to Qt that are plain text in our masks.
constexpr char16_t kQtMeta[] = u"AaNnXx90DdHhBb#<>!\\[]{};";

bool IsQtMeta(QChar ch)
{
    for (char16_t m : kQtMeta) {
        if (m != 0 && ch == QChar(m))
            return true;
    }
    return false;
}

const MaskChar* Find(QChar ch)
{
    for (const MaskChar& m : kMaskChars) {
        if (ch == QChar(m.ours))
            return &m;
    }
    return nullptr;
}

struct Parts
{
    QString body;
    bool keepLiterals = true;
    QChar blank = u'_';
};

Parts Split(const QString& mask)
{
    // The last two ';' fields are the options when present.
    Parts p;
    QStringList fields = mask.split(u';');
    if (fields.size() >= 3) {
        const QString blank = fields.takeLast();
        const QString keep = fields.takeLast();
        if (!blank.isEmpty())
            p.blank = blank.at(0);
        p.keepLiterals = keep.trimmed() != QLatin1String("0");
    } else if (fields.size() == 2) {
        const QString keep = fields.takeLast();
        p.keepLiterals = keep.trimmed() != QLatin1String("0");
    }
    p.body = fields.join(u';');
    if (p.body.startsWith(u'!'))
        p.body.remove(0, 1);
    return p;
}

// Calls literal(ch) for each literal of the body, input() for each input
// place, in order.
template <class Literal, class Input, class Mode>
void Walk(const QString& body, Literal literal, Input input, Mode mode)
{
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar ch = body.at(i);
        if (ch == u'\\') {
            if (i + 1 < body.size())
                literal(body.at(++i));
            continue;
        }
        if (ch == u'<' && i + 1 < body.size() && body.at(i + 1) == u'>') {
            mode(u'!');
            ++i;
            continue;
        }
        if (const MaskChar* m = Find(ch)) {
            if (m->qt == u'>' || m->qt == u'<')
                mode(QChar(m->qt));
            else
                input(QChar(m->qt));
            continue;
        }
        if (ch == u'_')
            literal(QChar(u' '));
        else
            literal(ch);
    }
}

} // namespace

QtEditMask ToQtEditMask(const QString& mask)
{
    QtEditMask out;
    const Parts p = Split(mask);
    out.KeepLiterals = p.keepLiterals;
    if (p.body.isEmpty())
        return out;
    QString qt;
    Walk(
        p.body,
        [&](QChar ch) {
            if (IsQtMeta(ch))
                qt += u'\\';
            qt += ch;
        },
        [&](QChar ch) { qt += ch; }, [&](QChar ch) { qt += ch; });
    // Qt takes only a printable blank.
    const QChar blank = p.blank.isPrint() && p.blank != u';' ? p.blank : QChar(u' ');
    out.InputMask = qt + u';' + blank;
    return out;
}

QString MaskedValue(const QString& shown, const QString& mask)
{
    const Parts p = Split(mask);
    if (p.body.isEmpty())
        return shown;
    const QChar blank = ToQtEditMask(mask).InputMask.back();
    // Literals and places stand where the mask has them; empty places go.
    QString out;
    qsizetype at = 0;
    auto take = [&](bool keep) {
        if (at < shown.size() && keep)
            out += shown.at(at);
        ++at;
    };
    Walk(
        p.body, [&](QChar) { take(p.keepLiterals); },
        [&](QChar) { take(at < shown.size() && shown.at(at) != blank); }, [](QChar) {});
    return out;
}

}  // namespace grid
