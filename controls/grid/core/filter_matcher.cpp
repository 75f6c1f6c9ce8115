#include "controls/grid/core/filter_matcher.h"

#include "platform/text/format_settings.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace grid {

namespace {

constexpr qsizetype kOperandLimit = 255;

bool IsSeparator(QChar ch)
{
    return ch == u'(' || ch == u'&' || ch == u'|' || ch == u';' || ch == u'^';
}

// The first separator outside double quotes in [from, to); -1 for none.
qsizetype FindSeparator(const QString& s, qsizetype from, qsizetype to)
{
    bool quoted = false;
    for (qsizetype i = from; i < to; ++i) {
        if (s[i] == u'"')
            quoted = !quoted;
        else if (!quoted && IsSeparator(s[i]))
            return i;
    }
    return -1;
}

// The ")" closing the "(" at open: the first one at which as many ")" as "("
// were seen; -1 when the group is never closed.
qsizetype MatchingParen(const QString& s, qsizetype open, qsizetype to)
{
    int depth = 0;
    bool quoted = false;
    for (qsizetype i = open; i < to; ++i) {
        if (s[i] == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (s[i] == u'(')
            ++depth;
        else if (s[i] == u')' && --depth == 0)
            return i;
    }
    return -1;
}

bool ToNumber(const QString& text, double& value)
{
    bool ok = false;
    value = NumberTextToDot(text).toDouble(&ok);
    return ok && std::isfinite(value);
}

// A value or operand as the comparison reads it: a number unless it reads as
// a date, a date, or only text.
struct Comparable
{
    QString text;
    bool numeric = false;
    bool date = false;
    double number = 0;
    double dateTime = 0;

    explicit Comparable(const QString& s) : text(s.left(kOperandLimit))
    {
        date = ParseDateTimeText(s, dateTime);
        numeric = !date && ToNumber(s, number);
    }
};

// -1, 0, 1 as a is below, equal to or above b.
int Compare(const Comparable& a, const Comparable& b)
{
    if (a.numeric && b.numeric)
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    if (a.date && b.date)
        return a.dateTime < b.dateTime ? -1 : (a.dateTime > b.dateTime ? 1 : 0);
    const int c = QString::compare(a.text, b.text, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// "*" any run, "?" one character, everything else itself.
bool WildcardMatch(const QString& pattern, const QString& value)
{
    const qsizetype m = pattern.size();
    const qsizetype n = value.size();
    qsizetype p = 0;
    qsizetype v = 0;
    qsizetype starP = -1;
    qsizetype starV = 0;
    while (v < n) {
        if (p < m && pattern[p] == u'*') {
            starP = p++;
            starV = v;
        } else if (p < m && (pattern[p] == u'?' || pattern[p] == value[v])) {
            ++p;
            ++v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < m && pattern[p] == u'*')
        ++p;
    return p == m;
}

} // namespace

// ---- One condition ----

struct FilterCondition::Data
{
    bool caseSensitive = true;
    bool hasGreater = false;
    bool hasLess = false;
    bool greaterEq = false;
    bool lessEq = false;
    bool bang = false;
    bool caret = false;
    bool amp = false;
    std::unique_ptr<Comparable> greater;
    std::unique_ptr<Comparable> less;
    QString pattern;

    // The operand after the ">" or "<" at pos.
    std::unique_ptr<Comparable> Operand(const QString& c, qsizetype pos, bool& orEqual) const
    {
        qsizetype i = pos + 1;
        orEqual = i < c.size() && c[i] == u'=';
        if (orEqual)
            ++i;
        while (i < c.size() && c[i] == u' ')
            ++i;
        QString op;
        if (i < c.size() && c[i] == u'"') {
            // A quoted operand runs to its closing quote, blanks included.
            const qsizetype close = c.indexOf(u'"', i + 1);
            op = close < 0 ? c.mid(i + 1) : c.mid(i + 1, close - i - 1);
        } else {
            qsizetype j = i;
            bool quoted = false;
            for (; j < c.size(); ++j) {
                const QChar ch = c[j];
                if (ch == u'"')
                    quoted = !quoted;
                else if (!quoted && (ch == u' ' || ch == u'&' || ch == u'|'))
                    break;
            }
            op = c.mid(i, j - i);
            if (op.endsWith(u'"'))
                op.chop(1);
        }
        return std::make_unique<Comparable>(op.left(kOperandLimit));
    }
};

FilterCondition::FilterCondition(const QString& condition, bool caseSensitive) : d_(std::make_unique<Data>())
{
    d_->caseSensitive = caseSensitive;
    const QString c = caseSensitive ? condition : condition.toUpper();
    const qsizetype gt = c.indexOf(u'>');
    const qsizetype lt = c.indexOf(u'<');
    d_->bang = c.contains(u'!');
    d_->caret = c.contains(u'^');
    d_->amp = c.contains(u'&');
    if (gt >= 0)
        d_->greater = d_->Operand(c, gt, d_->greaterEq);
    if (lt >= 0)
        d_->less = d_->Operand(c, lt, d_->lessEq);
    d_->hasGreater = gt >= 0;
    d_->hasLess = lt >= 0;
    for (QChar ch : c)
        if (ch != u'"' && ch != u'!')
            d_->pattern += ch;
}

FilterCondition::~FilterCondition() = default;
FilterCondition::FilterCondition(FilterCondition&&) noexcept = default;
FilterCondition& FilterCondition::operator=(FilterCondition&&) noexcept = default;

bool FilterCondition::Match(const QString& rawValue) const
{
    const Data& d = *d_;
    const QString value = d.caseSensitive ? rawValue : rawValue.toUpper();
    bool greater = false;
    bool less = false;
    if (d.hasGreater || d.hasLess) {
        const Comparable v(value);
        if (d.hasGreater) {
            const int c = Compare(v, *d.greater);
            greater = c > 0 || (d.greaterEq && c == 0);
        }
        if (d.hasLess) {
            const int c = Compare(v, *d.less);
            less = c < 0 || (d.lessEq && c == 0);
        }
    }
    bool greaterPresent = d.hasGreater;
    bool lessPresent = d.hasLess;
    if (d.bang) {
        if (!d.hasGreater)
            greaterPresent = greater = true;
        if (!d.hasLess)
            lessPresent = less = true;
    }
    if (d.caret && (greaterPresent || lessPresent))
        return greater || less;
    if (d.amp && greaterPresent && lessPresent)
        return greater && less;
    if (d.hasGreater && greater)
        return true;
    if (d.hasLess && less)
        return true;
    return WildcardMatch(d.pattern, value) != d.bang;
}

// ---- Expressions ----

struct FilterExpression::Node
{
    enum Op { First, And, Or, Skip };
    struct Term
    {
        Op op = First;
        std::unique_ptr<FilterCondition> condition;
        std::unique_ptr<Node> group;
    };
    std::vector<Term> terms;

    bool Match(const QString& value) const
    {
        bool result = false;
        for (const Term& t : terms) {
            if (t.op == Skip)
                continue;
            if (t.op == And && !result)
                continue;
            if (t.op == Or && result)
                continue;
            result = t.group ? t.group->Match(value) : t.condition->Match(value);
        }
        return result;
    }
};

namespace {

using Node = FilterExpression::Node;

Node::Op OpOf(QChar sep)
{
    if (sep == u'(')
        return Node::Skip;
    return sep == u'&' ? Node::And : Node::Or;
}

// The terms of s[from, to), left to right; groups recurse one level deeper.
std::unique_ptr<Node> Parse(const QString& s, qsizetype from, qsizetype to, int depth, bool cs, bool& tooDeep)
{
    auto node = std::make_unique<Node>();
    if (depth > kMaxFilterDepth) {
        tooDeep = true;
        return node;
    }
    Node::Op op = Node::First;
    qsizetype pos = from;
    while (!tooDeep) {
        const qsizetype sep = FindSeparator(s, pos, to);
        if (sep < 0)
            break;
        Node::Term term;
        term.op = op;
        QChar found;
        if (s[pos] == u'(') {
            const qsizetype close = MatchingParen(s, pos, to);
            const qsizetype end = close < 0 ? to : close;
            term.group = Parse(s, pos + 1, end, depth + 1, cs, tooDeep);
            pos = close < 0 ? to : close + 1;
            found = u'(';
        } else {
            term.condition = std::make_unique<FilterCondition>(s.mid(pos, sep - pos), cs);
            pos = sep + 1;
            found = s[sep];
        }
        node->terms.push_back(std::move(term));
        op = OpOf(found);
    }
    Node::Term last;
    last.op = op;
    last.condition = std::make_unique<FilterCondition>(s.mid(pos, to - pos), cs);
    node->terms.push_back(std::move(last));
    return node;
}

} // namespace

FilterExpression::FilterExpression(const QString& condition, bool caseSensitive) : caseSensitive_(caseSensitive)
{
    // Blanks go except inside double quotes; a leading "=" goes.
    const QString trimmed = condition.trimmed();
    QString s;
    s.reserve(trimmed.size());
    bool quoted = false;
    for (QChar ch : trimmed) {
        if (ch == u'"')
            quoted = !quoted;
        if (ch == u' ' && !quoted)
            continue;
        s += ch;
    }
    if (s.startsWith(u'='))
        s.remove(0, 1);
    root_ = Parse(s, 0, s.size(), 0, caseSensitive, tooDeep_);
}

FilterExpression::~FilterExpression() = default;
FilterExpression::FilterExpression(FilterExpression&&) noexcept = default;
FilterExpression& FilterExpression::operator=(FilterExpression&&) noexcept = default;

bool FilterExpression::Match(const QString& value) const
{
    return !tooDeep_ && root_->Match(value);
}

bool MatchFilterExpression(const QString& condition, const QString& value, bool caseSensitive)
{
    return FilterExpression(condition, caseSensitive).Match(value);
}

bool MatchFilterCondition(const QString& condition, const QString& value, bool caseSensitive)
{
    return FilterCondition(condition, caseSensitive).Match(value);
}

QString NumberTextToDot(const QString& s)
{
    const auto& fs = platform::FormatSettings::Current();
    QString out;
    out.reserve(s.size());
    for (QChar ch : s) {
        if (ch == fs.ThousandSeparator)
            continue;
        out += ch == fs.DecimalSeparator ? QChar(u'.') : ch;
    }
    return out;
}

bool ParseDateTimeText(const QString& s, double& dateTime)
{
    const auto& fs = platform::FormatSettings::Current();
    const QChar sep = fs.DateSeparator;
    const qsizetype first = s.indexOf(sep);
    if (first < 0)
        return false;
    const qsizetype second = s.indexOf(sep, first + 1);
    if (second < 0)
        return false;
    const QString rest = s.mid(second + 1).trimmed();
    const qsizetype blank = rest.indexOf(u' ');
    const QString fields[3] = {s.left(first), s.mid(first + 1, second - first - 1),
                               blank < 0 ? rest : rest.left(blank)};
    std::array<int, 3> values{};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[size_t(i)] = fields[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    // Day, month and year in the order the short date format names them.
    const QString format = fs.ShortDateFormat.toUpper();
    std::array<std::pair<qsizetype, int>, 3> order{{{format.indexOf(u'D'), 0},
                                                     {format.indexOf(u'M'), 1},
                                                     {format.indexOf(u'Y'), 2}}};
    for (auto& o : order)
        if (o.first < 0)
            o.first = 1000 + o.second;
    std::sort(order.begin(), order.end());
    int dmy[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        dmy[order[size_t(i)].second] = values[size_t(i)];
    const int day = dmy[0];
    const int month = dmy[1];
    const int year = dmy[2];
    if (day > 31 || month > 12)
        return false;
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return false;
    dateTime = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
    if (blank < 0)
        return true;
    const QString time = rest.mid(blank + 1).trimmed();
    if (time.isEmpty())
        return true;
    const QChar tsep = fs.TimeSeparator;
    const qsizetype t1 = time.indexOf(tsep);
    if (t1 < 0)
        return false;
    const qsizetype t2 = time.indexOf(tsep, t1 + 1);
    bool okH = false, okM = false, okS = true;
    const int h = time.left(t1).trimmed().toInt(&okH);
    int m = 0;
    int sec = 0;
    if (t2 >= 0) {
        m = time.mid(t1 + 1, t2 - t1 - 1).trimmed().toInt(&okM);
        sec = time.mid(t2 + 1).trimmed().toInt(&okS);
    } else {
        m = time.mid(t1 + 1).trimmed().toInt(&okM);
    }
    if (!okH || !okM || !okS || h < 0 || h > 23 || m < 0 || m > 59 || sec < 0 || sec > 59)
        return false;
    dateTime += (h * 3600 + m * 60 + sec) / 86400.0;
    return true;
}

} // namespace grid
