#include "controls/grid/exchange/visual_props.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "platform/text/atomic_file.h"
#include "platform/text/cp1252.h"

#include <QFile>
#include <QHash>
#include <QStringList>

#include <functional>
#include <limits>
#include <vector>

namespace grid {

namespace {

enum class Kind { Colour, Boolean, Integer, Style, Text, Ident };

// A value read from the file and checked, not yet applied.
struct Value
{
    qint64 Number = 0; // colour, flag, integer, style, identifier index (-1: none)
    QString Text;
};

struct Prop
{
    QString Name;
    Kind Type;
    std::function<QString(TExStringGrid&)> Get;
    std::function<void(TExStringGrid&, const Value&)> Set;
    QStringList Idents = {};
    int Min = std::numeric_limits<int>::min();
    int Max = std::numeric_limits<int>::max();
};

const QStringList kStyleNames = {QStringLiteral("fsBold"), QStringLiteral("fsItalic"), QStringLiteral("fsUnderline"),
                                 QStringLiteral("fsStrikeOut")};

QString ColourText(TColor c)
{
    const QString ident = ColourIdentifier(c);
    return ident.isEmpty() ? QStringLiteral("$%1").arg(c, 8, 16, QChar(u'0')).toUpper() : ident;
}

QString BoolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

QString StyleText(TFontStyles s)
{
    QStringList out;
    for (int i = 0; i < kStyleNames.size(); ++i)
        if (s & (1u << i))
            out << kStyleNames[i];
    return out.join(u',');
}

// Property helpers: a colour, flag or integer reached through a getter and a
// setter of the grid.
template <typename G, typename S>
Prop ColourProp(const char* name, G get, S set)
{
    return {QString::fromLatin1(name), Kind::Colour, [get](TExStringGrid& g) { return ColourText(get(g)); },
            [set](TExStringGrid& g, const Value& v) { set(g, static_cast<TColor>(v.Number)); }};
}

template <typename G, typename S>
Prop BoolProp(const char* name, G get, S set)
{
    return {QString::fromLatin1(name), Kind::Boolean, [get](TExStringGrid& g) { return BoolText(get(g)); },
            [set](TExStringGrid& g, const Value& v) { set(g, v.Number != 0); }};
}

template <typename G, typename S>
Prop IntProp(const char* name, G get, S set, int min = std::numeric_limits<int>::min(),
             int max = std::numeric_limits<int>::max())
{
    Prop p{QString::fromLatin1(name), Kind::Integer, [get](TExStringGrid& g) { return QString::number(get(g)); },
           [set](TExStringGrid& g, const Value& v) { set(g, static_cast<int>(v.Number)); }};
    p.Min = min;
    p.Max = max;
    return p;
}

template <typename G, typename S>
Prop IdentProp(const char* name, QStringList idents, G get, S set)
{
    Prop p{QString::fromLatin1(name), Kind::Ident,
           [get, idents](TExStringGrid& g) {
               const int i = get(g);
               return i >= 0 && i < idents.size() ? idents[i] : QString();
           },
           [set](TExStringGrid& g, const Value& v) {
               if (v.Number >= 0)
                   set(g, static_cast<int>(v.Number));
           }};
    p.Idents = std::move(idents);
    return p;
}

void AddFont(std::vector<Prop>& props, const char* prefix, TFont& (*font)(TExStringGrid&))
{
    const QString p = QString::fromLatin1(prefix);
    props.push_back({p + QStringLiteral(".Color"), Kind::Colour,
                     [font](TExStringGrid& g) { return ColourText(font(g).Color); },
                     [font](TExStringGrid& g, const Value& v) { font(g).Color = static_cast<TColor>(v.Number); }});
    props.push_back({p + QStringLiteral(".Style"), Kind::Style,
                     [font](TExStringGrid& g) { return StyleText(font(g).Style); },
                     [font](TExStringGrid& g, const Value& v) { font(g).Style = static_cast<TFontStyles>(v.Number); }});
    props.push_back({p + QStringLiteral(".Size"), Kind::Integer,
                     [font](TExStringGrid& g) { return QString::number(font(g).Size); },
                     [font](TExStringGrid& g, const Value& v) { font(g).Size = static_cast<int>(v.Number); }});
    props.push_back({p + QStringLiteral(".Name"), Kind::Text, [font](TExStringGrid& g) { return font(g).Name; },
                     [font](TExStringGrid& g, const Value& v) { font(g).Name = v.Text; }});
}

// The properties in the order of the file.
const std::vector<Prop>& Props()
{
    static const std::vector<Prop> props = [] {
        using G = TExStringGrid;
        std::vector<Prop> p;
        p.push_back(ColourProp("Color", [](G& g) { return g.Color; }, [](G& g, TColor c) { g.Color = c; }));
        p.push_back(ColourProp("HintColor", [](G& g) { return g.HintColor; }, [](G& g, TColor c) { g.HintColor = c; }));
        p.push_back(ColourProp("SelectionColor", [](G& g) { return g.SelectionColor(); },
                               [](G& g, TColor c) { g.SetSelectionColor(c); }));
        p.push_back(ColourProp("SelectionColorTo", [](G& g) { return g.SelectionColorTo(); },
                               [](G& g, TColor c) { g.SetSelectionColorTo(c); }));
        p.push_back(ColourProp("SelectionMirrorColor", [](G& g) { return g.SelectionMirrorColor(); },
                               [](G& g, TColor c) { g.SetSelectionMirrorColor(c); }));
        p.push_back(ColourProp("SelectionMirrorColorTo", [](G& g) { return g.SelectionMirrorColorTo(); },
                               [](G& g, TColor c) { g.SetSelectionMirrorColorTo(c); }));
        p.push_back(ColourProp("SelectionTextColor", [](G& g) { return g.SelectionTextColor(); },
                               [](G& g, TColor c) { g.SetSelectionTextColor(c); }));
        p.push_back(ColourProp("URLColor", [](G& g) { return g.URLColor(); }, [](G& g, TColor c) { g.SetURLColor(c); }));
        p.push_back(BoolProp("URLShow", [](G& g) { return g.URLShow(); }, [](G& g, bool b) { g.SetURLShow(b); }));
        p.push_back(BoolProp("URLShowInText", [](G& g) { return g.URLShowInText; },
                             [](G& g, bool b) { g.URLShowInText = b; }));
        p.push_back(ColourProp("ScrollColor", [](G& g) { return g.ScrollColor; }, [](G& g, TColor c) { g.ScrollColor = c; }));
        p.push_back(ColourProp("ActiveRowColor", [](G& g) { return g.ActiveRowColor(); },
                               [](G& g, TColor c) { g.SetActiveRowColor(c); }));
        p.push_back(BoolProp("ActiveRowShow", [](G& g) { return g.ActiveRowShow(); },
                             [](G& g, bool b) { g.SetActiveRowShow(b); }));
        p.push_back(BoolProp("ActiveCellShow", [](G& g) { return g.ActiveCellShow(); },
                             [](G& g, bool b) { g.SetActiveCellShow(b); }));
        AddFont(p, "Font", [](G& g) -> TFont& { return g.Font; });
        p.push_back(ColourProp("ActiveCellColor", [](G& g) { return g.ActiveCellColor(); },
                               [](G& g, TColor c) { g.SetActiveCellColor(c); }));
        p.push_back(ColourProp("ActiveCellColorTo", [](G& g) { return g.ActiveCellColorTo(); },
                               [](G& g, TColor c) { g.SetActiveCellColorTo(c); }));
        AddFont(p, "ActiveCellFont", [](G& g) -> TFont& { return g.ActiveCellFont; });
        AddFont(p, "FixedFont", [](G& g) -> TFont& { return g.FixedFont; });
        p.push_back(ColourProp("Balloon.BackgroundColor", [](G& g) { return g.Balloon.BackgroundColor; },
                               [](G& g, TColor c) { g.Balloon.BackgroundColor = c; }));
        p.push_back(ColourProp("Balloon.TextColor", [](G& g) { return g.Balloon.TextColor; },
                               [](G& g, TColor c) { g.Balloon.TextColor = c; }));
        p.push_back(IntProp(
            "Balloon.Transparency", [](G& g) { return int(g.Balloon.Transparency); },
            [](G& g, int v) { g.Balloon.Transparency = static_cast<quint8>(v); }, 0, 255));
        p.push_back(ColourProp("Bands.PrimaryColor", [](G& g) { return g.Bands.PrimaryColor(); },
                               [](G& g, TColor c) { g.Bands.SetPrimaryColor(c); }));
        p.push_back(ColourProp("Bands.SecondaryColor", [](G& g) { return g.Bands.SecondaryColor(); },
                               [](G& g, TColor c) { g.Bands.SetSecondaryColor(c); }));
        p.push_back(BoolProp("Bands.Active", [](G& g) { return g.Bands.Active(); }, [](G& g, bool b) { g.Bands.SetActive(b); }));
        p.push_back(ColourProp("SortSettings.IndexColor", [](G& g) { return g.SortSettings.IndexColor; },
                               [](G& g, TColor c) { g.SortSettings.IndexColor = c; }));
        p.push_back(ColourProp("FloatingFooter.Color", [](G& g) { return g.FloatingFooter.Color; },
                               [](G& g, TColor c) { g.FloatingFooter.Color = c; }));
        p.push_back(IntProp("ControlLook.CheckSize", [](G& g) { return g.ControlLook.CheckSize(); },
                            [](G& g, int v) { g.ControlLook.SetCheckSize(v); }));
        p.push_back(ColourProp("ControlLook.Color", [](G& g) { return g.ControlLook.Color(); },
                               [](G& g, TColor c) { g.ControlLook.SetColor(c); }));
        p.push_back(ColourProp("ControlLook.CommentColor", [](G& g) { return g.ControlLook.CommentColor(); },
                               [](G& g, TColor c) { g.ControlLook.SetCommentColor(c); }));
        p.push_back(IdentProp(
            "ControlLook.ControlStyle",
            {QStringLiteral("csClassic"), QStringLiteral("csFlat"), QStringLiteral("csWinXP"), QStringLiteral("csCorvel"),
             QStringLiteral("csZAD"), QStringLiteral("csGlyph"), QStringLiteral("csTheme")},
            [](G& g) { return int(g.ControlLook.ControlStyle()); },
            [](G& g, int i) { g.ControlLook.SetControlStyle(static_cast<TControlStyle>(i)); }));
        p.push_back(ColourProp("ControlLook.FixedGradientFrom", [](G& g) { return g.ControlLook.Fixed().From; },
                               [](G& g, TColor c) { g.ControlLook.SetFixedGradientFrom(c); }));
        p.push_back(ColourProp("ControlLook.FixedGradientTo", [](G& g) { return g.ControlLook.Fixed().To; },
                               [](G& g, TColor c) { g.ControlLook.SetFixedGradientTo(c); }));
        p.push_back(IntProp("ControlLook.RadioSize", [](G& g) { return g.ControlLook.RadioSize(); },
                            [](G& g, int v) { g.ControlLook.SetRadioSize(v); }));
        p.push_back(BoolProp("ControlLook.FlatButton", [](G& g) { return g.ControlLook.FlatButton(); },
                             [](G& g, bool b) { g.ControlLook.SetFlatButton(b); }));
        p.push_back(ColourProp("ControlLook.ProgressBorderColor", [](G& g) { return g.ControlLook.ProgressBorderColor; },
                               [](G& g, TColor c) { g.ControlLook.ProgressBorderColor = c; }));
        p.push_back(BoolProp("ControlLook.ProgressXP", [](G& g) { return g.ControlLook.ProgressXP(); },
                             [](G& g, bool b) { g.ControlLook.SetProgressXP(b); }));
        QStringList looks;
        for (int i = glStandard; i < glCustom; ++i)
            looks << TExStringGrid::LookToString(static_cast<TGridLook>(i));
        p.push_back(IdentProp(
            "Look", looks, [](G& g) { return g.Look() == glCustom ? -1 : int(g.Look()); },
            [](G& g, int i) { g.SetLook(static_cast<TGridLook>(i)); }));
        p.push_back(ColourProp("SearchFooter.Color", [](G& g) { return g.SearchFooter.Color(); },
                               [](G& g, TColor c) { g.SearchFooter.SetColor(c); }));
        p.push_back(ColourProp("SearchFooter.ColorTo", [](G& g) { return g.SearchFooter.ColorTo(); },
                               [](G& g, TColor c) { g.SearchFooter.SetColorTo(c); }));
        p.push_back(ColourProp("Grouping.HeaderColor", [](G& g) { return g.Grouping.HeaderColor; },
                               [](G& g, TColor c) { g.Grouping.HeaderColor = c; }));
        p.push_back(ColourProp("Grouping.HeaderColorTo", [](G& g) { return g.Grouping.HeaderColorTo; },
                               [](G& g, TColor c) { g.Grouping.HeaderColorTo = c; }));
        p.push_back(ColourProp("Grouping.HeaderTextColor", [](G& g) { return g.Grouping.HeaderTextColor; },
                               [](G& g, TColor c) { g.Grouping.HeaderTextColor = c; }));
        p.push_back(BoolProp("Grouping.HeaderUnderline", [](G& g) { return g.Grouping.HeaderUnderline; },
                             [](G& g, bool b) { g.Grouping.HeaderUnderline = b; }));
        p.push_back(ColourProp("Grouping.HeaderLineColor", [](G& g) { return g.Grouping.HeaderLineColor; },
                               [](G& g, TColor c) { g.Grouping.HeaderLineColor = c; }));
        p.push_back(IntProp("Grouping.HeaderLineWidth", [](G& g) { return g.Grouping.HeaderLineWidth; },
                            [](G& g, int v) { g.Grouping.HeaderLineWidth = v; }));
        p.push_back(ColourProp("Grouping.SummaryColor", [](G& g) { return g.Grouping.SummaryColor; },
                               [](G& g, TColor c) { g.Grouping.SummaryColor = c; }));
        p.push_back(ColourProp("Grouping.SummaryColorTo", [](G& g) { return g.Grouping.SummaryColorTo; },
                               [](G& g, TColor c) { g.Grouping.SummaryColorTo = c; }));
        p.push_back(ColourProp("Grouping.SummaryTextColor", [](G& g) { return g.Grouping.SummaryTextColor; },
                               [](G& g, TColor c) { g.Grouping.SummaryTextColor = c; }));
        p.push_back(BoolProp("Grouping.SummaryLine", [](G& g) { return g.Grouping.SummaryLine; },
                             [](G& g, bool b) { g.Grouping.SummaryLine = b; }));
        p.push_back(ColourProp("Grouping.SummaryLineColor", [](G& g) { return g.Grouping.SummaryLineColor; },
                               [](G& g, TColor c) { g.Grouping.SummaryLineColor = c; }));
        p.push_back(IntProp("Grouping.SummaryLineWidth", [](G& g) { return g.Grouping.SummaryLineWidth; },
                            [](G& g, int v) { g.Grouping.SummaryLineWidth = v; }));
        p.push_back(ColourProp("GridLineColor", [](G& g) { return g.GridLineColor(); },
                               [](G& g, TColor c) { g.SetGridLineColor(c); }));
        p.push_back(ColourProp("GridFixedLineColor", [](G& g) { return g.GridFixedLineColor(); },
                               [](G& g, TColor c) { g.SetGridFixedLineColor(c); }));
        p.push_back(IntProp("BackGround.Top", [](G& g) { return g.BackGround.Top; }, [](G& g, int v) { g.BackGround.Top = v; }));
        p.push_back(IntProp("BackGround.Left", [](G& g) { return g.BackGround.Left; },
                            [](G& g, int v) { g.BackGround.Left = v; }));
        p.push_back(IdentProp(
            "BackGround.Display",
            {QStringLiteral("bdTile"), QStringLiteral("bdFixed"), QStringLiteral("bdGradientHorz"),
             QStringLiteral("bdGradientVert")},
            [](G& g) { return int(g.BackGround.Display); },
            [](G& g, int i) { g.BackGround.Display = static_cast<TBackGroundDisplay>(i); }));
        p.push_back(IdentProp(
            "BackGround.Cells", {QStringLiteral("bcNormal"), QStringLiteral("bcFixed"), QStringLiteral("bcAll")},
            [](G& g) { return int(g.BackGround.Cells); },
            [](G& g, int i) { g.BackGround.Cells = static_cast<TBackGroundCells>(i); }));
        p.push_back(ColourProp("BackGround.Color", [](G& g) { return g.BackGround.Color; },
                               [](G& g, TColor c) { g.BackGround.Color = c; }));
        p.push_back(ColourProp("BackGround.ColorTo", [](G& g) { return g.BackGround.ColorTo; },
                               [](G& g, TColor c) { g.BackGround.ColorTo = c; }));
        return p;
    }();
    return props;
}

// The order of application: the file's, with the grid line colours moved
// to just before the grouping settings.
std::vector<const Prop*> ApplyOrder()
{
    std::vector<const Prop*> out;
    std::vector<const Prop*> lines;
    for (const Prop& p : Props()) {
        if (p.Name == u"GridLineColor" || p.Name == u"GridFixedLineColor")
            lines.push_back(&p);
    }
    for (const Prop& p : Props()) {
        if (p.Name == u"GridLineColor" || p.Name == u"GridFixedLineColor")
            continue;
        if (p.Name == u"Grouping.HeaderColor")
            out.insert(out.end(), lines.begin(), lines.end());
        out.push_back(&p);
    }
    return out;
}

bool ParseColour(const QString& text, TColor& c)
{
    if (text.isEmpty()) {
        c = clNone;
        return true;
    }
    if (ColourFromIdentifier(text, c))
        return true;
    bool ok = false;
    if (text.startsWith(u'$')) {
        const QString digits = text.mid(1);
        if (digits.isEmpty() || digits.size() > 8)
            return false;
        c = static_cast<TColor>(digits.toUInt(&ok, 16));
        return ok;
    }
    const int v = text.toInt(&ok, 10);
    c = static_cast<TColor>(static_cast<quint32>(v));
    return ok;
}

[[noreturn]] void Bad(const QString& source, const Prop& p, const QString& what)
{
    throw GridError(QStringLiteral("Invalid visual properties file %1: %2 %3").arg(source, p.Name, what));
}

Value Check(const Prop& p, const QString* text, const QString& source)
{
    Value v;
    const QString t = text ? *text : QString();
    switch (p.Type) {
    case Kind::Colour: {
        TColor c = clNone;
        if (!ParseColour(t, c))
            Bad(source, p, QStringLiteral("'%1' is not a valid colour value").arg(t));
        v.Number = c;
        break;
    }
    case Kind::Boolean:
        v.Number = t.toUpper() == u"TRUE" ? 1 : 0;
        break;
    case Kind::Integer: {
        if (!text)
            Bad(source, p, QStringLiteral("is missing"));
        bool ok = false;
        const int n = t.toInt(&ok, 10);
        if (!ok)
            Bad(source, p, QStringLiteral("'%1' is not a valid integer value").arg(t));
        if (n < p.Min || n > p.Max)
            Bad(source, p, QStringLiteral("%1 is out of range %2..%3").arg(n).arg(p.Min).arg(p.Max));
        v.Number = n;
        break;
    }
    case Kind::Style:
        for (int i = 0; i < kStyleNames.size(); ++i)
            if (t.contains(kStyleNames[i]))
                v.Number |= 1 << i;
        break;
    case Kind::Text:
        v.Text = t;
        break;
    case Kind::Ident:
        v.Number = -1;
        for (int i = 0; i < p.Idents.size(); ++i)
            if (p.Idents[i].compare(t, Qt::CaseInsensitive) == 0) {
                v.Number = i;
                break;
            }
        break;
    }
    return v;
}

} // namespace

QByteArray VisualPropsBytes(TExStringGrid& grid)
{
    QString text;
    for (const Prop& p : Props())
        text += p.Name + u'=' + p.Get(grid) + QStringLiteral("\r\n");
    return StringToCp1252(text);
}

void SaveVisualProps(TExStringGrid& grid, const QString& fileName)
{
    if (!WriteFileAtomically(fileName, VisualPropsBytes(grid)))
        throw GridError(QStringLiteral("Cannot Create ") + fileName);
}

void LoadVisualPropsFromBytes(TExStringGrid& grid, const QByteArray& bytes, const QString& source)
{
    // Name to value, the first line of a name (case-insensitive) winning;
    // lines end in CR LF, CR or LF.
    QHash<QString, QString> values;
    QString text = Cp1252ToString(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    for (const QString& line : text.split(u'\n')) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString name = line.left(eq).toLower();
        if (!values.contains(name))
            values.insert(name, line.mid(eq + 1));
    }
    std::vector<std::pair<const Prop*, Value>> checked;
    for (const Prop* p : ApplyOrder()) {
        const auto it = values.constFind(p->Name.toLower());
        checked.emplace_back(p, Check(*p, it == values.constEnd() ? nullptr : &*it, source));
    }
    for (const auto& [p, v] : checked)
        p->Set(grid, v);
}

void LoadVisualProps(TExStringGrid& grid, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file ") + fileName);
    LoadVisualPropsFromBytes(grid, file.readAll(), fileName);
}

} // namespace grid
