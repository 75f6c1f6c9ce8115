#include "controls/grid/exchange/cell_stream.h"

#include "controls/grid/core/enum_names.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/object_stream.h"
#include "platform/text/atomic_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <span>

namespace grid {

namespace {

using Names = std::span<const char* const>;

constexpr const char* kAlignment[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* kVAlignment[] = {"vtaTop", "vtaCenter", "vtaBottom"};
constexpr const char* kBrushStyle[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
constexpr const auto& kFontStyle = kFontStyleNames;
constexpr const char* kGradient[] = {"GradientVertical", "GradientHorizontal"};
constexpr const auto& kEditor = kEditorTypeNames;
constexpr const char* kCellType[] = {
    "ctBitmap",       "ctIcon",          "ctNone",        "ctImageList",     "ctCheckBox",
    "ctDataCheckBox", "ctRotated",       "ctDataImage",   "ctNode",          "ctRadio",
    "ctEmpty",        "ctImages",        "ctPicture",     "ctFilePicture",   "ctValue",
    "ctProgress",     "ctComment",       "ctButton",      "ctBitButton",     "ctVirtCheckBox",
    "ctRowCheckBox",  "ctProgressPie",   "ctSummary",     "ctRangeIndicator", "ctXPProgress",
    "ctInterface",    "ctScrollbar",     "ctRadioButton", "ctBalloon",       "ctShape",
    "ctRating",       "ctTriStateCheckBox", "ctExpand"};
constexpr const char* kCellVAlign[] = {"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
constexpr const char* kCellHAlign[] = {"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
constexpr const char* kCheckState[] = {"cbUnchecked", "cbChecked", "cbGrayed"};

static_assert(std::size(kCellType) == ctExpand + 1);

struct ColourName
{
    const char* Name;
    TColor Value;
};

constexpr ColourName kColours[] = {
    {"clBlack", 0x000000},        {"clMaroon", 0x000080},       {"clGreen", 0x008000},
    {"clOlive", 0x008080},        {"clNavy", 0x800000},         {"clPurple", 0x800080},
    {"clTeal", 0x808000},         {"clGray", 0x808080},         {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},          {"clLime", 0x00FF00},         {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},         {"clFuchsia", 0xFF00FF},      {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},        {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},        {"clMedGray", 0xA4A0A0},      {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001}, {"clActiveCaption", 0xFF000002}, {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},       {"clWindow", 0xFF000005},     {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},   {"clWindowText", 0xFF000008}, {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A}, {"clInactiveBorder", 0xFF00000B}, {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},  {"clHighlightText", 0xFF00000E}, {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},  {"clGrayText", 0xFF000011},   {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013}, {"clBtnHighlight", 0xFF000014}, {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},    {"clInfoText", 0xFF000017},   {"clInfoBk", 0xFF000018},
    {"clHotLight", 0xFF00001A},   {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C}, {"clMenuHighlight", 0xFF00001D}, {"clMenuBar", 0xFF00001E},
    {"clNone", 0x1FFFFFFF},       {"clDefault", 0x20000000}};

[[noreturn]] void Fail(const QString& text)
{
    throw GridError(text);
}

[[noreturn]] void InvalidValue()
{
    Fail(QStringLiteral("Invalid property value"));
}

int IndexOfName(Names names, const QByteArray& name)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (name == names[i])
            return static_cast<int>(i);
    return -1;
}

QByteArrayView ColourIdent(TColor value)
{
    for (const ColourName& c : kColours)
        if (c.Value == value)
            return c.Name;
    return {};
}

// ---- Typed reads of a checked value ----

enum class Kind { Integer, Boolean, Text, Colour, Float, Set, Enum, ControlRef, Lines, Binary };

bool Fits(Kind kind, Names names, const StreamValue& v)
{
    switch (kind) {
    case Kind::Integer:
        return v.IsInteger();
    case Kind::Boolean:
        return v.Type == ValueType::True || v.Type == ValueType::False;
    case Kind::Text:
        return v.IsText();
    case Kind::Colour:
        if (v.Type == ValueType::Ident) {
            for (const ColourName& c : kColours)
                if (v.Bytes == c.Name)
                    return true;
            return false;
        }
        return v.IsInteger();
    case Kind::Float:
        return v.IsFloat();
    case Kind::Set:
        if (v.Type != ValueType::Set)
            return false;
        for (const QByteArray& m : v.Members)
            if (IndexOfName(names, m) < 0)
                return false;
        return true;
    case Kind::Enum:
        return v.Type == ValueType::Ident && IndexOfName(names, v.Bytes) >= 0;
    case Kind::ControlRef:
        return v.Type == ValueType::Ident || v.Type == ValueType::Nil;
    case Kind::Lines:
        if (v.Type != ValueType::List)
            return false;
        for (const StreamValue& item : v.Items)
            if (!item.IsText())
                return false;
        return true;
    case Kind::Binary:
        return v.Type == ValueType::Binary;
    }
    return false;
}

TColor AsColour(const StreamValue& v)
{
    if (v.Type == ValueType::Ident)
        for (const ColourName& c : kColours)
            if (v.Bytes == c.Name)
                return c.Value;
    return static_cast<TColor>(static_cast<quint32>(v.Integer));
}

double AsFloat(const StreamValue& v)
{
    return v.IsInteger() ? double(v.Integer) : v.Real;
}

int AsInt(const StreamValue& v)
{
    return static_cast<int>(std::clamp<qint64>(v.Integer, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

// ---- Field tables ----

template <typename Target>
struct Field
{
    const char* Path;
    Kind FieldKind;
    Names Enumeration;
    void (*Apply)(Target&, const StreamValue&);
};

using PropField = Field<TCellProperties>;
using GraphicField = Field<TCellGraphic>;

int EnumIndex(Names names, const StreamValue& v)
{
    return IndexOfName(names, v.Bytes);
}

// Properties of a cell; gradient end colour, gradient direction and the
// control reference are read and dropped.
const PropField kPropFields[] = {
    {"CellProperties.IsBaseCell", Kind::Boolean, {},
     [](TCellProperties& p, const StreamValue& v) { p.IsBaseCell = v.Type == ValueType::True; }},
    {"CellProperties.CellSpanX", Kind::Integer, {},
     [](TCellProperties& p, const StreamValue& v) { p.CellSpanX = AsInt(v); }},
    {"CellProperties.CellSpanY", Kind::Integer, {},
     [](TCellProperties& p, const StreamValue& v) { p.CellSpanY = AsInt(v); }},
    {"CellProperties.Alignment", Kind::Enum, kAlignment,
     [](TCellProperties& p, const StreamValue& v) { p.Alignment = TAlignment(EnumIndex(kAlignment, v)); }},
    {"CellProperties.BorderColor", Kind::Colour, {},
     [](TCellProperties& p, const StreamValue& v) { p.BorderColor = AsColour(v); }},
    {"CellProperties.BorderWidth", Kind::Integer, {},
     [](TCellProperties& p, const StreamValue& v) { p.BorderWidth = AsInt(v); }},
    {"CellProperties.BrushColor", Kind::Colour, {},
     [](TCellProperties& p, const StreamValue& v) { p.SetBrushColor(AsColour(v)); }},
    {"CellProperties.BrushColorTo", Kind::Colour, {}, [](TCellProperties&, const StreamValue&) {}},
    {"CellProperties.BrushStyle", Kind::Enum, kBrushStyle,
     [](TCellProperties& p, const StreamValue& v) { p.BrushStyle = TBrushStyle(EnumIndex(kBrushStyle, v)); }},
    {"CellProperties.CellObject", Kind::Integer, {},
     [](TCellProperties& p, const StreamValue& v) { p.CellObject = static_cast<quintptr>(v.Integer); }},
    {"CellProperties.FontColor", Kind::Colour, {},
     [](TCellProperties& p, const StreamValue& v) { p.FontColor = AsColour(v); }},
    {"CellProperties.FontName", Kind::Text, {},
     [](TCellProperties& p, const StreamValue& v) { p.FontName = v.Text; }},
    {"CellProperties.FontSize", Kind::Integer, {},
     [](TCellProperties& p, const StreamValue& v) { p.FontSize = AsInt(v); }},
    {"CellProperties.FontStyle", Kind::Set, kFontStyle,
     [](TCellProperties& p, const StreamValue& v) {
         TFontStyles s = 0;
         for (const QByteArray& m : v.Members)
             s |= 1u << IndexOfName(kFontStyle, m);
         p.FontStyle = s;
     }},
    {"CellProperties.Editor", Kind::Enum, kEditor,
     [](TCellProperties& p, const StreamValue& v) { p.Editor = TEditorType(EnumIndex(kEditor, v)); }},
    {"CellProperties.GradientDirection", Kind::Enum, kGradient, [](TCellProperties&, const StreamValue&) {}},
    {"CellProperties.ReadOnly", Kind::Boolean, {},
     [](TCellProperties& p, const StreamValue& v) { p.ReadOnly = v.Type == ValueType::True; }},
    {"CellProperties.VAlignment", Kind::Enum, kVAlignment,
     [](TCellProperties& p, const StreamValue& v) { p.SetVAlignment(TVAlignment(EnumIndex(kVAlignment, v))); }},
    {"CellProperties.WordWrap", Kind::Boolean, {},
     [](TCellProperties& p, const StreamValue& v) { p.SetWordWrap(v.Type == ValueType::True); }},
    {"CellProperties.NodeLevel", Kind::Integer, {},
     [](TCellProperties& p, const StreamValue& v) { p.NodeLevel = AsInt(v); }},
    {"CellProperties.Control", Kind::ControlRef, {}, [](TCellProperties&, const StreamValue&) {}},
};

const GraphicField kGraphicFields[] = {
    {"CellGraphic.CellType", Kind::Enum, kCellType,
     [](TCellGraphic& g, const StreamValue& v) { g.CellType = TCellType(EnumIndex(kCellType, v)); }},
    {"CellGraphic.CellVAlign", Kind::Enum, kCellVAlign,
     [](TCellGraphic& g, const StreamValue& v) { g.CellVAlign = TCellVAlign(EnumIndex(kCellVAlign, v)); }},
    {"CellGraphic.CellHAlign", Kind::Enum, kCellHAlign,
     [](TCellGraphic& g, const StreamValue& v) { g.CellHAlign = TCellHAlign(EnumIndex(kCellHAlign, v)); }},
    {"CellGraphic.CellIndex", Kind::Integer, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellIndex = AsInt(v); }},
    {"CellGraphic.CellTransparent", Kind::Boolean, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellTransparent = v.Type == ValueType::True; }},
    {"CellGraphic.CellCreated", Kind::Boolean, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellCreated = v.Type == ValueType::True; }},
    {"CellGraphic.CellBoolean", Kind::Boolean, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellBoolean = v.Type == ValueType::True; }},
    {"CellGraphic.CellCheckBoxState", Kind::Enum, kCheckState,
     [](TCellGraphic& g, const StreamValue& v) {
         g.CellCheckBoxState = TCheckBoxState(EnumIndex(kCheckState, v));
     }},
    {"CellGraphic.CellAngle", Kind::Integer, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellAngle = AsInt(v); }},
    {"CellGraphic.CellValue", Kind::Float, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellValue = AsFloat(v); }},
    {"CellGraphic.CellErrFrom", Kind::Integer, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellErrFrom = AsInt(v); }},
    {"CellGraphic.CellErrLen", Kind::Integer, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellErrLen = AsInt(v); }},
    {"CellGraphic.CellText", Kind::Text, {},
     [](TCellGraphic& g, const StreamValue& v) { g.CellText = v.Text; }},
};

// ---- Payload kinds ----

enum class Payload { None, Bitmap, Icon, Lines, Images, Picture, FilePicture };

struct PayloadKind
{
    TCellType Type;
    Payload Kind;
    const char* ClassName;
    const char* Path;
};

constexpr PayloadKind kPayloads[] = {
    {ctBitmap, Payload::Bitmap, "TGridBMPIO", "Bitmap.Data"},
    {ctBitButton, Payload::Bitmap, "TGridBMPIO", "Bitmap.Data"},
    {ctIcon, Payload::Icon, "TGridIconIO", "Icon.Data"},
    {ctRadio, Payload::Lines, "TGridSLIO", "Strings.Strings"},
    {ctImages, Payload::Images, "TGridSLIO", "Strings.Strings"},
    {ctPicture, Payload::Picture, "TGridPicIO", "Picture.Data"},
    {ctFilePicture, Payload::FilePicture, "TGridFilePicIO", "Picture.Filename"},
};

const PayloadKind* PayloadOf(TCellType type)
{
    for (const PayloadKind& p : kPayloads)
        if (p.Type == type)
            return &p;
    return nullptr;
}

QByteArray ImageBytes(const QImage& image, const char* format)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void LeInt32(QByteArray& out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> (8 * i)));
}

// ---- Writing ----

void CheckIndex(int index)
{
    if (index < 0 || index > 65535)
        Fail(QStringLiteral("Cell index %1 cannot be stored in a cell stream (0 to 65535)").arg(index));
}

QString JoinSizes(int from, int to, const std::function<int(int)>& size)
{
    QString out;
    for (int i = from; i <= to; ++i) {
        if (i > from)
            out += u',';
        out += QString::number(size(i));
    }
    return out;
}

void WriteProperties(ObjectWriter& w, const TCellProperties& p, bool hasGraphic)
{
    w.BeginRecord("TGridCellPropIO");
    w.Boolean("CellProperties.IsBaseCell", p.IsBaseCell);
    w.Integer("CellProperties.CellSpanX", p.CellSpanX);
    w.Integer("CellProperties.CellSpanY", p.CellSpanY);
    w.Ident("CellProperties.Alignment", kAlignment[p.Alignment]);
    auto colour = [&w](QByteArrayView path, TColor c) {
        const QByteArrayView name = ColourIdent(c);
        if (name.isEmpty())
            w.Integer(path, qint32(c));
        else
            w.Ident(path, name);
    };
    colour("CellProperties.BorderColor", p.BorderColor);
    w.Integer("CellProperties.BorderWidth", p.BorderWidth);
    colour("CellProperties.BrushColor", p.BrushColor());
    colour("CellProperties.BrushColorTo", clNone);
    w.Ident("CellProperties.BrushStyle", kBrushStyle[p.BrushStyle]);
    w.Integer("CellProperties.CellObject", qint64(p.CellObject));
    colour("CellProperties.FontColor", p.FontColor);
    if (!p.FontName.isEmpty())
        w.Text("CellProperties.FontName", p.FontName);
    w.Integer("CellProperties.FontSize", p.FontSize);
    QList<QByteArray> styles;
    for (int i = 0; i < 4; ++i)
        if (p.FontStyle & (1u << i))
            styles.append(kFontStyle[i]);
    w.Set("CellProperties.FontStyle", styles);
    w.Ident("CellProperties.Editor", kEditor[p.Editor]);
    w.Ident("CellProperties.GradientDirection", "GradientVertical");
    w.Boolean("CellProperties.ReadOnly", p.ReadOnly);
    w.Ident("CellProperties.VAlignment", kVAlignment[p.VAlignment()]);
    w.Boolean("CellProperties.WordWrap", p.WordWrap());
    w.Integer("CellProperties.NodeLevel", p.NodeLevel);
    if (p.Control && !p.Control->objectName().isEmpty()) {
        const QObject* owner = p.Control->parent();
        const QString name = owner && !owner->objectName().isEmpty()
                                 ? owner->objectName() + u'.' + p.Control->objectName()
                                 : p.Control->objectName() + QStringLiteral(".Owner");
        w.Ident("CellProperties.Control", name.toUtf8());
    }
    w.Boolean("HasGraphic", hasGraphic);
    w.EndRecord();
}

void WriteGraphic(ObjectWriter& w, const TCellGraphic& g)
{
    w.BeginRecord("TGridGraphicIO");
    w.Ident("CellGraphic.CellType", kCellType[g.CellType]);
    w.Ident("CellGraphic.CellVAlign", kCellVAlign[g.CellVAlign]);
    w.Ident("CellGraphic.CellHAlign", kCellHAlign[g.CellHAlign]);
    w.Integer("CellGraphic.CellIndex", g.CellIndex);
    w.Boolean("CellGraphic.CellTransparent", g.CellTransparent);
    w.Boolean("CellGraphic.CellCreated", g.CellCreated);
    w.Boolean("CellGraphic.CellBoolean", g.CellBoolean);
    w.Ident("CellGraphic.CellCheckBoxState", kCheckState[g.CellCheckBoxState]);
    w.Integer("CellGraphic.CellAngle", g.CellAngle);
    if (g.CellValue != 0)
        w.Float("CellGraphic.CellValue", g.CellValue);
    w.Integer("CellGraphic.CellErrFrom", g.CellErrFrom);
    w.Integer("CellGraphic.CellErrLen", g.CellErrLen);
    if (!g.CellText.isEmpty())
        w.Text("CellGraphic.CellText", g.CellText);
    w.EndRecord();
}

QImage ImageOf(const TObject* object)
{
    if (auto* image = dynamic_cast<const TImagePicture*>(object))
        return image->Image;
    return {};
}

void WritePayload(ObjectWriter& w, const TCellGraphic& g, const PayloadKind& kind)
{
    w.BeginRecord(kind.ClassName);
    switch (kind.Kind) {
    case Payload::Bitmap:
    case Payload::Icon: {
        const QImage image = ImageOf(kind.Kind == Payload::Icon ? g.CellIcon.Object() : g.CellBitmap.Object());
        const QByteArray data = ImageBytes(image, kind.Kind == Payload::Icon ? "ICO" : "BMP");
        if (!data.isEmpty())
            w.Binary(kind.Path, data);
        break;
    }
    case Payload::Lines:
        if (auto* lines = dynamic_cast<const TStringsObject*>(g.CellBitmap.Object()); lines && !lines->Lines.isEmpty())
            w.Lines(kind.Path, lines->Lines);
        break;
    case Payload::Images:
        if (auto* list = dynamic_cast<const TIntList*>(g.CellBitmap.Object()); list && list->Count() > 0) {
            QStringList lines;
            for (int v : list->Items())
                lines.append(QString::number(v));
            w.Lines(kind.Path, lines);
        }
        break;
    case Payload::Picture: {
        const QByteArray bmp = ImageBytes(ImageOf(g.CellBitmap.Object()), "BMP");
        if (!bmp.isEmpty()) {
            QByteArray data;
            data.append(char(7));
            data.append("TBitmap");
            LeInt32(data, quint32(bmp.size()));
            data.append(bmp);
            w.Binary(kind.Path, data);
        }
        break;
    }
    case Payload::FilePicture:
        if (auto* fp = dynamic_cast<const TFilePicture*>(g.CellBitmap.Object()); fp && !fp->Filename().isEmpty())
            w.Text(kind.Path, fp->Filename());
        break;
    case Payload::None:
        break;
    }
    w.EndRecord();
}

void FireProgress(TExStringGrid& grid, int& last, int value)
{
    if (grid.OnFileProgress && value != last) {
        last = value;
        grid.OnFileProgress(&grid, static_cast<qint16>(value));
    }
}

// ---- Reading: the whole stream is parsed into these before the grid changes ----

// The look of a cell that has properties.
struct ParsedLook
{
    std::vector<std::pair<const PropField*, StreamValue>> Props;
    bool HasGraphic = false;
    std::vector<std::pair<const GraphicField*, StreamValue>> Graphic;
    TCellType Type = ctNone;
    const PayloadKind* PayloadType = nullptr;
    std::optional<StreamValue> PayloadValue;
    // Decoded images and index lists.
    QImage Image;
    std::vector<int> Indices;
};

struct ParsedCell
{
    int Col = 0;
    int Row = 0;
    QString Text;
    bool HasProp = false;
};

QString NoPropertyText(QByteArrayView className, QByteArrayView path)
{
    const QString p = QString::fromUtf8(path);
    return QStringLiteral("Error reading %1%2%3: Property %3 does not exist")
        .arg(QString::fromUtf8(className), QStringLiteral("."), p);
}

[[noreturn]] void NoProperty(const StreamRecord& r, const QByteArray& path)
{
    Fail(NoPropertyText(r.ClassName, path));
}

template <typename F, size_t N>
const F* FindField(const F (&table)[N], const QByteArray& path)
{
    for (const F& f : table)
        if (path == f.Path)
            return &f;
    return nullptr;
}

CellStreamHeader ParseHeader(const StreamRecord& r)
{
    CellStreamHeader h;
    for (const StreamProperty& p : r.Properties) {
        const StreamValue& v = p.Value;
        if (p.Path == "ColCount" || p.Path == "RowCount" || p.Path == "ID") {
            if (!v.IsInteger())
                InvalidValue();
            if (p.Path == "ID")
                h.ID = v.Integer;
            else
                (p.Path == "ColCount" ? h.ColCount : h.RowCount) = AsInt(v);
        } else if (p.Path == "ColWidths" || p.Path == "RowHeights") {
            if (!v.IsText())
                InvalidValue();
            (p.Path == "ColWidths" ? h.ColWidths : h.RowHeights) = v.Text;
        } else if (p.Path == "FullGrid") {
            if (v.Type != ValueType::True && v.Type != ValueType::False)
                InvalidValue();
            h.FullGrid = v.Type == ValueType::True;
        } else {
            NoProperty(r, p.Path);
        }
    }
    return h;
}

// Sizes of a full-grid header: exactly count entries are needed.
std::vector<int> ParseSizes(const QString& text, int count)
{
    std::vector<int> sizes;
    if (count <= 0)
        return sizes;
    const QStringList parts = text.split(u',');
    if (parts.size() < count)
        Fail(QStringLiteral("List index out of bounds (%1)").arg(parts.size()));
    sizes.reserve(count);
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const int v = parts[i].trimmed().toInt(&ok);
        if (!ok || v < 0)
            Fail(QStringLiteral("'%1' is not a valid integer value").arg(parts[i]));
        sizes.push_back(v);
    }
    return sizes;
}

bool AsBool(const StreamRecord& r, const StreamProperty& p)
{
    if (p.Value.Type != ValueType::True && p.Value.Type != ValueType::False)
        InvalidValue();
    (void)r;
    return p.Value.Type == ValueType::True;
}

// A cell record read in place. A value of the wrong kind or an unknown entry
// fails once the whole record is read, as for every other record.
void ReadCellRecord(ObjectReader& reader, ParsedCell& cell, StreamValue& v)
{
    const QByteArrayView className = reader.BeginRecord();
    QString fault;
    QByteArrayView path;
    while (reader.NextProperty(path, v)) {
        if (!fault.isEmpty())
            continue;
        if (path == "Col" || path == "Row") {
            if (!v.IsInteger() || v.Integer < 0 || v.Integer > 65535)
                fault = QStringLiteral("Invalid property value");
            else
                (path == "Col" ? cell.Col : cell.Row) = int(v.Integer);
        } else if (path == "Cell") {
            if (!v.IsText())
                fault = QStringLiteral("Invalid property value");
            else
                cell.Text = std::move(v.Text);
        } else if (path == "HasProp") {
            if (v.Type != ValueType::True && v.Type != ValueType::False)
                fault = QStringLiteral("Invalid property value");
            else
                cell.HasProp = v.Type == ValueType::True;
        } else {
            fault = NoPropertyText(className, path);
        }
    }
    if (!fault.isEmpty())
        Fail(fault);
}

void ParsePropRecord(const StreamRecord& r, ParsedLook& cell)
{
    for (const StreamProperty& p : r.Properties) {
        if (p.Path == "HasGraphic") {
            cell.HasGraphic = AsBool(r, p);
            continue;
        }
        const PropField* f = FindField(kPropFields, p.Path);
        if (!f)
            NoProperty(r, p.Path);
        if (!Fits(f->FieldKind, f->Enumeration, p.Value))
            InvalidValue();
        cell.Props.emplace_back(f, p.Value);
    }
}

void ParseGraphicRecord(const StreamRecord& r, ParsedLook& cell)
{
    cell.Type = ctNone;
    for (const StreamProperty& p : r.Properties) {
        const GraphicField* f = FindField(kGraphicFields, p.Path);
        if (!f)
            NoProperty(r, p.Path);
        if (!Fits(f->FieldKind, f->Enumeration, p.Value))
            InvalidValue();
        if (f == &kGraphicFields[0])
            cell.Type = TCellType(EnumIndex(kCellType, p.Value));
        cell.Graphic.emplace_back(f, p.Value);
    }
    cell.PayloadType = PayloadOf(cell.Type);
}

QImage DecodeImage(const QByteArray& data, const char* format)
{
    QImage image;
    if (!data.isEmpty() && !image.loadFromData(data, format) && !image.loadFromData(data))
        InvalidValue();
    return image;
}

// A picture's data: class name, then the graphic's own data.
QImage DecodePicture(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    const int nameLength = static_cast<quint8>(data[0]);
    if (data.size() < 1 + nameLength)
        Fail(QStringLiteral("Stream read error"));
    const QByteArray className = data.mid(1, nameLength);
    QByteArray rest = data.mid(1 + nameLength);
    if (className == "TBitmap") {
        if (rest.size() < 4)
            Fail(QStringLiteral("Stream read error"));
        const quint32 length = quint32(quint8(rest[0])) | quint32(quint8(rest[1])) << 8 |
                               quint32(quint8(rest[2])) << 16 | quint32(quint8(rest[3])) << 24;
        if (length > quint32(rest.size() - 4))
            Fail(QStringLiteral("Stream read error"));
        return DecodeImage(rest.mid(4, length), "BMP");
    }
    return DecodeImage(rest, className == "TIcon" ? "ICO" : nullptr);
}

void ParsePayloadRecord(const StreamRecord& r, ParsedLook& cell)
{
    const PayloadKind& kind = *cell.PayloadType;
    for (const StreamProperty& p : r.Properties) {
        if (p.Path != kind.Path)
            NoProperty(r, p.Path);
        const Kind expected = kind.Kind == Payload::Lines || kind.Kind == Payload::Images ? Kind::Lines
                              : kind.Kind == Payload::FilePicture                         ? Kind::Text
                                                                                          : Kind::Binary;
        if (!Fits(expected, {}, p.Value))
            InvalidValue();
        cell.PayloadValue = p.Value;
    }
    if (!cell.PayloadValue)
        return;
    const StreamValue& v = *cell.PayloadValue;
    switch (kind.Kind) {
    case Payload::Bitmap:
        cell.Image = DecodeImage(v.Bytes, "BMP");
        break;
    case Payload::Icon:
        cell.Image = DecodeImage(v.Bytes, "ICO");
        break;
    case Payload::Picture:
        cell.Image = DecodePicture(v.Bytes);
        break;
    case Payload::Images:
        for (const StreamValue& item : v.Items) {
            bool ok = false;
            const int n = item.Text.trimmed().toInt(&ok);
            if (!ok)
                Fail(QStringLiteral("'%1' is not a valid integer value").arg(item.Text));
            cell.Indices.push_back(n);
        }
        break;
    default:
        break;
    }
}

// The checked stream: the header, where its cells begin and end, where they
// go, and the looks in the order of their cells (each with the position past
// its records). Texts are left in the bytes until the cells are stored.
struct ParsedStream
{
    CellStreamHeader Header;
    qsizetype CellsFrom = 0;
    qsizetype End = 0;
    QPoint Shift; // added to a stored cell's Col and Row
    int MaxCol = -1;
    int MaxRow = -1;
    std::vector<ParsedLook> Looks;
    std::vector<qsizetype> LookEnds;
};

// Reads the whole stream and checks every record and where each cell lands at
// point; texts are checked, not built. Nothing is changed.
ParsedStream ParseStream(const QByteArray& bytes, QPoint point)
{
    ParsedStream out;
    ObjectReader reader(bytes);
    out.Header = ParseHeader(reader.ReadRecord());
    const CellStreamHeader& h = out.Header;
    if (h.ColCount < 0 || h.RowCount < 0 || h.ColCount > kMaxColumns || h.RowCount > kMaxRows)
        InvalidValue();
    out.CellsFrom = reader.Pos();
    StreamValue value;
    bool first = true;
    while (reader.Pos() < reader.Size() - 1) {
        ParsedCell cell;
        reader.SetSkipText(true);
        ReadCellRecord(reader, cell, value);
        reader.SetSkipText(false);
        if (first) {
            first = false;
            // A part of a grid goes to point from its first cell; a whole grid
            // keeps its indices, moved by point.
            out.Shift = h.FullGrid ? point : point - QPoint(cell.Col, cell.Row);
        }
        const qint64 col = qint64(cell.Col) + out.Shift.x();
        const qint64 row = qint64(cell.Row) + out.Shift.y();
        if (col < 0 || row < 0 || col >= kMaxColumns || row >= kMaxRows)
            Fail(QStringLiteral("Cell %1,%2 lies outside the grid").arg(col).arg(row));
        out.MaxCol = std::max(out.MaxCol, int(col));
        out.MaxRow = std::max(out.MaxRow, int(row));
        if (cell.HasProp) {
            ParsedLook look;
            ParsePropRecord(reader.ReadRecord(), look);
            if (look.HasGraphic) {
                ParseGraphicRecord(reader.ReadRecord(), look);
                if (look.PayloadType)
                    ParsePayloadRecord(reader.ReadRecord(), look);
            }
            out.Looks.push_back(std::move(look));
            out.LookEnds.push_back(reader.Pos());
        }
    }
    out.End = reader.Pos();
    return out;
}

void ApplyGraphic(TExStringGrid& grid, int col, int row, const ParsedLook& cell)
{
    auto graphic = std::make_unique<TCellGraphic>();
    TCellGraphic& g = *graphic;
    for (const auto& [field, value] : cell.Graphic)
        field->Apply(g, value);
    if (cell.PayloadType) {
        switch (cell.PayloadType->Kind) {
        case Payload::Bitmap: {
            auto bitmap = std::make_unique<TBitmap>();
            bitmap->Image = cell.Image;
            g.CellBitmap.Adopt(std::move(bitmap));
            break;
        }
        case Payload::Icon: {
            auto icon = std::make_unique<TIcon>();
            icon->Image = cell.Image;
            g.CellIcon.Adopt(std::move(icon));
            break;
        }
        case Payload::Picture: {
            auto picture = std::make_unique<TPicture>();
            picture->Image = cell.Image;
            g.CellBitmap.Adopt(std::move(picture));
            break;
        }
        case Payload::Lines: {
            auto lines = std::make_unique<TStringsObject>();
            if (cell.PayloadValue)
                for (const StreamValue& item : cell.PayloadValue->Items)
                    lines->Lines.append(item.Text);
            g.CellBitmap.Adopt(std::move(lines));
            break;
        }
        case Payload::Images: {
            auto list = std::make_unique<TIntList>(col, row);
            for (int v : cell.Indices)
                list->Add(v);
            list->OnChange = [&grid](TIntList*, int c, int r) { grid.RepaintCell(grid.DisplColIndex(c), r); };
            g.CellBitmap.Adopt(std::move(list));
            break;
        }
        case Payload::FilePicture: {
            auto picture = std::make_unique<TFilePicture>();
            // Only a plain file is looked at for the picture's size.
            if (cell.PayloadValue && QFileInfo(cell.PayloadValue->Text).isFile()) {
                try {
                    picture->SetFilename(cell.PayloadValue->Text);
                } catch (const GridError&) {
                }
            }
            g.CellBitmap.Adopt(std::move(picture));
            break;
        }
        case Payload::None:
            break;
        }
    }
    grid.SetGraphicObjectEx(col, row, std::move(graphic));
}

} // namespace

// A cell record: signature, class name, empty object name, "Col" path; the
// "Row" and "Cell" paths; "HasProp" with its value and the record's end.
constexpr QByteArrayView kCellHead("TPF0\x0BTGridCellIO\x00\x03"
                                   "Col",
                                   21);
constexpr QByteArrayView kRowPath("\x03Row");
constexpr QByteArrayView kCellPath("\x04"
                                   "Cell");
constexpr QByteArrayView kHasPropTrue("\x07HasProp\x09\x00\x00", 11);
constexpr QByteArrayView kHasPropFalse("\x07HasProp\x08\x00\x00", 11);

QByteArray SaveRectToBinBytes(TExStringGrid& grid, const TGridRect& rect)
{
    CheckIndex(rect.Left);
    CheckIndex(rect.Top);
    CheckIndex(rect.Right);
    CheckIndex(rect.Bottom);
    QByteArray out;
    ObjectWriter w(out);
    const int rows = rect.Bottom - rect.Top + 1;
    const int cols = rect.Right - rect.Left + 1;
    const bool full = grid.SaveFixedCells
                          ? rows == grid.RowCount() && cols == grid.ColCount()
                          : rows == grid.RowCount() - grid.FixedRows() && cols == grid.ColCount() - grid.FixedCols();
    w.BeginRecord("TGridPropIO");
    w.Integer("ColCount", cols);
    w.Integer("RowCount", rows);
    w.Text("ColWidths", JoinSizes(rect.Left, rect.Right, [&grid](int c) { return grid.AllColWidths(c); }));
    w.Text("RowHeights", JoinSizes(rect.Top, rect.Bottom, [&grid](int r) { return grid.RowHeights(r); }));
    w.Boolean("FullGrid", full);
    w.Integer("ID", grid.ExchangeID());
    w.EndRecord();

    grid.ExportNotification(0, rect.Top);
    int lastProgress = -1;
    constexpr int kSampleRows = 64;
    const qsizetype headerEnd = w.Written();
    for (int r = rect.Top; r <= rect.Bottom; ++r) {
        grid.ExportNotification(1, r);
        for (int c = rect.Left; c <= rect.Right; ++c) {
            const TCellProperties* p = grid.GridObjects(c, r);
            // The record from its prebuilt pieces: the same bytes as written
            // entry by entry.
            w.Raw(kCellHead);
            w.IntegerValue(c);
            w.Raw(kRowPath);
            w.IntegerValue(r);
            const QString text = grid.Cells(c, r);
            if (!text.isEmpty()) {
                w.Raw(kCellPath);
                w.TextValue(text);
            }
            w.Raw(p ? kHasPropTrue : kHasPropFalse);
            if (!p)
                continue;
            const TCellGraphic* g = p->FGraphicObject.get();
            const TCellType type = g ? g->CellType : ctEmpty;
            const PayloadKind* payload = PayloadOf(type);
            const bool hasGraphic = g && type != ctEmpty && (!payload || g->CellCreated);
            WriteProperties(w, *p, hasGraphic);
            if (hasGraphic) {
                WriteGraphic(w, *g);
                if (payload)
                    WritePayload(w, *g, *payload);
            }
        }
        FireProgress(grid, lastProgress,
                     qRound(double(r - rect.Top) / std::max(1, rect.Bottom - rect.Top) * 100));
        if (r == rect.Top + kSampleRows - 1) {
            // Room for the rest at the rate of the first rows, in one block.
            const qsizetype perRow = (w.Written() - headerEnd) / kSampleRows;
            w.Reserve(perRow * (rect.Bottom - r) * 5 / 4);
        }
    }
    grid.ExportNotification(2, -1);
    w.Flush();
    return out;
}

void SaveRectToBinStream(TExStringGrid& grid, const TGridRect& rect, QIODevice& stream)
{
    const QByteArray bytes = SaveRectToBinBytes(grid, rect);
    if (stream.write(bytes) != bytes.size())
        Fail(QStringLiteral("Stream write error"));
}

void SaveToBinStream(TExStringGrid& grid, QIODevice& stream)
{
    SaveRectToBinStream(grid, {grid.SaveStartCol(), grid.SaveStartRow(), grid.SaveEndCol(), grid.SaveEndRow()},
                        stream);
}

void SaveToBinFile(TExStringGrid& grid, const QString& fileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToBinStream(grid, buffer);
    QString error;
    if (!WriteFileAtomically(fileName, buffer.data(), &error))
        Fail(error);
}

CellStreamHeader ReadCellStreamHeader(const QByteArray& bytes)
{
    ObjectReader reader(bytes);
    return ParseHeader(reader.ReadRecord());
}

namespace {

qsizetype LoadParsed(TExStringGrid& grid, QPoint point, const QByteArray& bytes)
{
    const ParsedStream parsed = ParseStream(bytes, point);
    const CellStreamHeader& h = parsed.Header;
    std::vector<int> widths;
    std::vector<int> heights;
    if (h.FullGrid) {
        widths = ParseSizes(h.ColWidths, h.ColCount);
        heights = ParseSizes(h.RowHeights, h.RowCount);
    }

    // Checked: from here on the grid changes.
    grid.BeginUpdate();
    if (h.FullGrid) {
        for (int r = 0; r < grid.RowCount(); ++r)
            grid.ClearRowCells(r);
        // A stream saved without its fixed cells keeps their indices: the
        // counts cover every cell it holds.
        grid.SetRowCount(std::max(h.RowCount, parsed.MaxRow + 1));
        grid.SetColCount(std::max(h.ColCount, parsed.MaxCol + 1));
        for (int i = 0; i < int(widths.size()) && i < grid.ColCount(); ++i)
            grid.SetColWidths(i, widths[i]);
        for (int i = 0; i < int(heights.size()) && i < grid.RowCount(); ++i)
            grid.SetRowHeights(i, heights[i]);
    }
    // The cell records once more, now with their texts; the bytes passed the
    // same reading above.
    ObjectReader reader(bytes, parsed.CellsFrom);
    StreamValue entry;
    size_t nextLook = 0;
    int lastRow = -1;
    int lastProgress = -1;
    while (reader.Pos() < parsed.End) {
        ParsedCell cell;
        ReadCellRecord(reader, cell, entry);
        const int col = cell.Col + parsed.Shift.x();
        const int row = cell.Row + parsed.Shift.y();
        grid.SetCells(col, row, cell.Text);
        if (row != lastRow) {
            lastRow = row;
            FireProgress(grid, lastProgress, qRound(double(row) / std::max(1, grid.RowCount()) * 100));
        }
        if (!cell.HasProp)
            continue;
        const size_t k = nextLook++;
        reader.Seek(parsed.LookEnds[k]);
        TCellProperties* p = grid.CellProperties(col, row);
        if (!p)
            continue;
        const ParsedLook& look = parsed.Looks[k];
        for (const auto& [field, value] : look.Props)
            field->Apply(*p, value);
        p->OwnerCol = col;
        p->OwnerRow = row;
        if (look.HasGraphic)
            ApplyGraphic(grid, col, row, look);
    }
    grid.EndUpdate();
    return parsed.End;
}

} // namespace

void LoadAtPointFromBinBytes(TExStringGrid& grid, QPoint point, const QByteArray& bytes)
{
    LoadParsed(grid, point, bytes);
}

void LoadAtPointFromBinStream(TExStringGrid& grid, QPoint point, QIODevice& stream)
{
    const qint64 start = stream.pos();
    const QByteArray bytes = stream.readAll();
    const qsizetype end = LoadParsed(grid, point, bytes);
    if (!stream.isSequential())
        stream.seek(start + end);
}

void LoadFromBinStream(TExStringGrid& grid, QIODevice& stream)
{
    LoadAtPointFromBinStream(grid, QPoint(0, 0), stream);
}

void LoadFromBinFile(TExStringGrid& grid, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromBinStream(grid, file);
}

QString ColourIdentifier(TColor value)
{
    return QString::fromLatin1(ColourIdent(value));
}

bool ColourFromIdentifier(const QString& ident, TColor& value)
{
    for (const ColourName& c : kColours)
        if (ident.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0) {
            value = c.Value;
            return true;
        }
    return false;
}

} // namespace grid
