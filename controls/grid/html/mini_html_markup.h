#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <vector>

// Routines on mini-HTML markup text: plain text, escaping, the attributes of
// in-text controls, search highlighting and colour values. Pure functions on
// strings (QtCore only).
namespace grid::html {

// 0x00BBGGRR (red in the low byte); system colours 0xFF0000nn.
using TColor = quint32;
inline constexpr TColor kNoColor = 0x1FFFFFFF;  // clNone: not set

// "<BR>" and "<HR>" become CR LF, then every tag is removed; a "<" without a
// later ">" and the text after it stay.
QString HtmlToPlainText(const QString& s);
// The text outside complete tags; stops at the first "<" without a ">" after
// it and keeps the rest unchanged.
QString StripHtmlTags(const QString& s);

// "&" "&amp;", '"' "&quot;", "<" "&lt;", ">" "&gt;"; with named entities the
// accented letters and signs of the entity table as well. One pass over the
// text, so UnescapeHtmlText gives back exactly what went in.
QString EscapeHtmlText(const QString& s, bool named);
QString UnescapeHtmlText(const QString& s, bool named);
// The characters of the named-entity table, in table order, with their entity.
struct NamedEntity
{
    QChar Char;
    const char* Entity;
};
const std::vector<NamedEntity>& NamedEntityTable();

QString SpacesToNbsp(const QString& s);
QString LineBreaksToBrTags(const QString& s);  // CR "<BR>", LF dropped

// The attributes of one tag ("NAME="value"" pairs; names compared upper-cased,
// values as written; an unquoted value is not found).
class TagAttributes
{
public:
    // `tag` is the text between "<" and ">".
    explicit TagAttributes(QStringView tag);
    bool Has(QStringView name) const;
    QString Value(QStringView name) const;  // empty when absent

private:
    struct Attr
    {
        QString Name;  // upper-cased
        QString Value;
    };
    std::vector<Attr> attrs_;
};

// Leading decimal digits of an attribute value (an optional sign first),
// clamped to [lo, hi]; nullopt when the value starts with no digit.
std::optional<int> TagNumber(QStringView value, int lo, int hi);

// In-text controls (CONTROL tags). Values and PROP are stored escaped with
// named entities and read back unescaped.
struct HtmlControlAttributes
{
    QString Type;  // upper-cased
    QString Id;
    QString Value;
    QString Width;
    QString Height;
    QString Prop;
    QString MaxLen;
    bool HasHeight = false;
    bool HasProp = false;
    bool HasMaxLen = false;
};
HtmlControlAttributes ParseHtmlControl(QStringView tag);

bool HasHtmlControl(const QString& s);
bool GetHtmlControlValue(const QString& s, const QString& id, QString& value);
QString GetHtmlControlProp(const QString& s, const QString& id);
int GetHtmlControlMaxLen(const QString& s, const QString& id);
QString NextEditableHtmlControlID(const QString& s, const QString& afterId);
bool SetHtmlControlValue(QString& s, const QString& id, const QString& value);
QString ClearHtmlRadioControls(const QString& s);

// Wraps every match of `pattern` in the visible text in <tagName>..</tagName>.
QString HighlightHtmlText(const QString& s, const QString& pattern, const QString& tagName,
                          bool caseSensitive);
// Removes every <tagName> and </tagName>, then "&lt;"/"&gt;" become "<"/">".
QString UnhighlightHtmlText(const QString& s, const QString& tagName);

// The two colours of HI text, shared by every grid of the process.
void SetHtmlHighlightColors(TColor brushColor, TColor textColor);
TColor HtmlHighlightBrushColor();
TColor HtmlHighlightTextColor();

// A colour value: "#RRGGBB" (missing or bad digits count 0) or a colour
// name ("clRed", any case); an unknown name gives black.
TColor HtmlColorValue(QStringView value);

}  // namespace grid::html
