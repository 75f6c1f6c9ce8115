#pragma once
#include <QString>

#include <memory>

// The condition language of the row filter and the text search: number and
// date limits (">10&<20", ">=31/12/2018"), wildcard patterns ("A*C", "A?C",
// "!A*"), double-quoted literals and groups in parentheses, combined from left
// to right without precedence. Numbers and dates follow the current
// FormatSettings, read when a condition is compiled.
namespace grid {

// Groups nested deeper than this make the whole condition a failed match.
constexpr int kMaxFilterDepth = 32;

// A condition compiled once and matched against many values.
class FilterExpression
{
public:
    FilterExpression(const QString& condition, bool caseSensitive);
    ~FilterExpression();
    FilterExpression(FilterExpression&&) noexcept;
    FilterExpression& operator=(FilterExpression&&) noexcept;

    bool Match(const QString& value) const;
    // The condition nests groups past kMaxFilterDepth.
    bool TooDeep() const { return tooDeep_; }

    struct Node;

private:
    std::unique_ptr<Node> root_;
    bool caseSensitive_;
    bool tooDeep_ = false;
};

// One condition without combining operators, compiled once.
class FilterCondition
{
public:
    FilterCondition(const QString& condition, bool caseSensitive);
    ~FilterCondition();
    FilterCondition(FilterCondition&&) noexcept;
    FilterCondition& operator=(FilterCondition&&) noexcept;

    bool Match(const QString& value) const;

    struct Data;

private:
    std::unique_ptr<Data> d_;
};

bool MatchFilterExpression(const QString& condition, const QString& value, bool caseSensitive);
bool MatchFilterCondition(const QString& condition, const QString& value, bool caseSensitive);
// A date with an optional time ("dd/mm/yyyy hh:mm[:ss]" in the order of the
// short date format), as days from 30 December 1899.
bool ParseDateTimeText(const QString& s, double& dateTime);
// Thousand separators out, the decimal separator as ".".
QString NumberTextToDot(const QString& s);

} // namespace grid
