#include "controls/grid/core/ex_column_grid.h"

#include "controls/grid/core/enum_names.h"

#include "platform/text/ini_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

// Column definitions in a stream of named properties (a JSON document:
// {"TExColumnGridIO": {"Items": [{property: value, ...}, ...]}}), and column
// positions as "CP" + i keys of an INI file.
namespace grid {

namespace {

const char* const kAlignments[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char* const kBorders[] = {"cbTop", "cbLeft", "cbRight", "cbBottom"};
const auto& kFontStyles = kFontStyleNames;
const char* const kPopupTypes[] = {"cpFixedCellsRClick",  "cpFixedCellsLClick", "cpNormalCellsRClick",
                                   "cpNormalCellsLClick", "cpAllCellsRClick",   "cpAllCellsLClick"};
const auto& kEditors = kEditorTypeNames;
const char* const kSortStyles[] = {"ssAutomatic",   "ssAlphabetic",      "ssNumeric",      "ssDate",
                                   "ssAlphaNoCase", "ssAlphaCase",       "ssShortDateEU",  "ssShortDateUS",
                                   "ssCustom",      "ssFinancial",       "ssAnsiAlphaCase", "ssAnsiAlphaNoCase",
                                   "ssRaw",         "ssHTML",            "ssImages",       "ssCheckBox",
                                   "ssDateTime",    "ssTime",            "ssAlphaNumeric", "ssAlphaNumericNoCase"};
static_assert(std::size(kSortStyles) == ssAlphaNumericNoCase + 1);

[[noreturn]] void Fail(const QString& message)
{
    throw GridError(QStringLiteral("Column definitions cannot be read: ") + message);
}

// Reading one value of a known type, with the property named in errors.
struct Reader
{
    QString name;
    QJsonValue value;

    [[noreturn]] void Invalid() const { Fail(QStringLiteral("invalid value of property %1").arg(name)); }

    qint64 Integer(qint64 min, qint64 max) const
    {
        if (!value.isDouble())
            Invalid();
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || d < double(min) || d > double(max))
            Invalid();
        return static_cast<qint64>(d);
    }
    int Int() const
    {
        return static_cast<int>(Integer(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    TColor Color() const { return static_cast<TColor>(Integer(0, 0xFFFFFFFFll)); }
    bool Bool() const
    {
        if (!value.isBool())
            Invalid();
        return value.toBool();
    }
    QString String() const
    {
        if (!value.isString())
            Invalid();
        return value.toString();
    }
    QStringList Strings() const
    {
        if (!value.isArray())
            Invalid();
        QStringList lines;
        for (const QJsonValue& v : value.toArray()) {
            if (!v.isString())
                Invalid();
            lines.append(v.toString());
        }
        return lines;
    }
    template <size_t N>
    int Enum(const char* const (&names)[N]) const
    {
        const QString text = String();
        for (size_t i = 0; i < N; ++i)
            if (text == QLatin1String(names[i]))
                return static_cast<int>(i);
        Invalid();
    }
    template <size_t N>
    unsigned Set(const char* const (&names)[N]) const
    {
        if (!value.isArray())
            Invalid();
        unsigned bits = 0;
        for (const QJsonValue& v : value.toArray())
            bits |= 1u << Reader{name, v}.Enum(names);
        return bits;
    }
    TFont Font() const
    {
        if (!value.isObject())
            Invalid();
        TFont font;
        const QJsonObject o = value.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            const Reader sub{name + u'.' + it.key(), it.value()};
            if (it.key() == u"Name")
                font.Name = sub.String();
            else if (it.key() == u"Size")
                font.Size = static_cast<int>(sub.Integer(-32768, 32767));
            else if (it.key() == u"Style")
                font.Style = sub.Set(kFontStyles);
            else if (it.key() == u"Color")
                font.Color = sub.Color();
            else
                Fail(QStringLiteral("property %1 does not exist").arg(sub.name));
        }
        return font;
    }
    TPen Pen() const
    {
        if (!value.isObject())
            Invalid();
        TPen pen;
        const QJsonObject o = value.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            const Reader sub{name + u'.' + it.key(), it.value()};
            if (it.key() == u"Color")
                pen.Color = sub.Color();
            else if (it.key() == u"Width")
                pen.Width = static_cast<int>(sub.Integer(0, 32767));
            else
                Fail(QStringLiteral("property %1 does not exist").arg(sub.name));
        }
        return pen;
    }
};

QJsonArray SetToJson(unsigned bits, const char* const* names, size_t count)
{
    QJsonArray a;
    for (size_t i = 0; i < count; ++i)
        if (bits & (1u << i))
            a.append(QLatin1String(names[i]));
    return a;
}

QJsonObject FontToJson(const TFont& font)
{
    const TFont defaults;
    QJsonObject o;
    if (font.Name != defaults.Name)
        o[u"Name"] = font.Name;
    if (font.Size != defaults.Size)
        o[u"Size"] = font.Size;
    if (font.Style != defaults.Style)
        o[u"Style"] = SetToJson(font.Style, kFontStyles, std::size(kFontStyles));
    if (font.Color != defaults.Color)
        o[u"Color"] = double(font.Color);
    return o;
}

QJsonObject PenToJson(const TPen& pen)
{
    const TPen defaults;
    QJsonObject o;
    if (pen.Color != defaults.Color)
        o[u"Color"] = double(pen.Color);
    if (pen.Width != defaults.Width)
        o[u"Width"] = pen.Width;
    return o;
}

unsigned BorderBits(TCellBorders borders)
{
    unsigned bits = 0;
    for (int b = cbTop; b <= cbBottom; ++b)
        if (borders.Contains(static_cast<TCellBorder>(b)))
            bits |= 1u << b;
    return bits;
}

TCellBorders BordersOf(unsigned bits)
{
    TCellBorders borders;
    for (int b = cbTop; b <= cbBottom; ++b)
        if (bits & (1u << b))
            borders.Include(static_cast<TCellBorder>(b));
    return borders;
}

QJsonObject ItemToJson(const TGridColumnItem& item)
{
    QJsonObject o;
    const auto text = [&](const char* key, const QString& value) {
        if (!value.isEmpty())
            o[QLatin1String(key)] = value;
    };
    const auto lines = [&](const char* key, const QStringList& value) {
        if (!value.isEmpty())
            o[QLatin1String(key)] = QJsonArray::fromStringList(value);
    };
    o[u"AutoMinSize"] = item.AutoMinSize;
    o[u"AutoMaxSize"] = item.AutoMaxSize;
    o[u"Alignment"] = QLatin1String(kAlignments[item.Alignment()]);
    o[u"Borders"] = SetToJson(BorderBits(item.Borders()), kBorders, std::size(kBorders));
    o[u"BorderPen"] = PenToJson(item.BorderPen());
    text("CheckFalse", item.CheckFalse);
    text("CheckTrue", item.CheckTrue);
    o[u"Color"] = double(item.Color());
    o[u"ColumnPopupType"] = QLatin1String(kPopupTypes[item.ColumnPopupType]);
    lines("ComboItems", item.ComboItems);
    o[u"DropDownCount"] = item.DropDownCount;
    o[u"EditLength"] = item.EditLength;
    text("EditMask", item.EditMask);
    o[u"Editor"] = QLatin1String(kEditors[item.Editor()]);
    lines("Filter", item.Filter());
    o[u"FilterCaseSensitive"] = item.FilterCaseSensitive;
    o[u"Fixed"] = item.Fixed();
    text("FloatFormat", item.FloatFormat());
    o[u"Font"] = FontToJson(item.Font());
    text("Header", item.Header());
    o[u"HeaderAlignment"] = QLatin1String(kAlignments[item.HeaderAlignment()]);
    o[u"HeaderFont"] = FontToJson(item.HeaderFont());
    o[u"MinSize"] = item.MinSize;
    o[u"MaxSize"] = item.MaxSize;
    text("Name", item.Name);
    o[u"Password"] = item.Password();
    if (!item.PrintBorderCustom)
        o[u"PrintBorderCustom"] = false;
    o[u"PrintBorders"] = SetToJson(BorderBits(item.PrintBorders), kBorders, std::size(kBorders));
    o[u"PrintBorderPen"] = PenToJson(item.PrintBorderPen);
    o[u"PrintColor"] = double(item.PrintColor);
    if (!item.PrintFontCustom)
        o[u"PrintFontCustom"] = false;
    o[u"PrintFont"] = FontToJson(item.PrintFont);
    o[u"ReadOnly"] = item.ReadOnly;
    o[u"ShowBands"] = item.ShowBands();
    o[u"SortStyle"] = QLatin1String(kSortStyles[item.SortStyle]);
    text("SortPrefix", item.SortPrefix);
    text("SortSuffix", item.SortSuffix);
    o[u"SpinMax"] = item.SpinMax;
    o[u"SpinMin"] = item.SpinMin;
    o[u"SpinStep"] = item.SpinStep;
    o[u"Tag"] = item.Tag;
    o[u"Width"] = item.Width();
    return o;
}

// What one stored item says; the flags tell which of Width and Header it held.
struct LoadedItem
{
    std::unique_ptr<TGridColumnItem> item = std::make_unique<TGridColumnItem>();
    bool hasWidth = false;
    bool hasHeader = false;
};

using PropertyReader = std::function<void(LoadedItem&, const Reader&)>;

const std::vector<std::pair<QString, PropertyReader>>& PropertyReaders()
{
    static const std::vector<std::pair<QString, PropertyReader>> readers = {
        {"AutoMinSize", [](LoadedItem& l, const Reader& r) { l.item->AutoMinSize = r.Int(); }},
        {"AutoMaxSize", [](LoadedItem& l, const Reader& r) { l.item->AutoMaxSize = r.Int(); }},
        {"Alignment",
         [](LoadedItem& l, const Reader& r) { l.item->SetAlignment(static_cast<TAlignment>(r.Enum(kAlignments))); }},
        {"Borders", [](LoadedItem& l, const Reader& r) { l.item->SetBorders(BordersOf(r.Set(kBorders))); }},
        {"BorderPen", [](LoadedItem& l, const Reader& r) { l.item->SetBorderPen(r.Pen()); }},
        {"CheckFalse", [](LoadedItem& l, const Reader& r) { l.item->CheckFalse = r.String(); }},
        {"CheckTrue", [](LoadedItem& l, const Reader& r) { l.item->CheckTrue = r.String(); }},
        {"Color", [](LoadedItem& l, const Reader& r) { l.item->SetColor(r.Color()); }},
        {"ColumnPopupType",
         [](LoadedItem& l, const Reader& r) {
             l.item->ColumnPopupType = static_cast<TColumnPopupType>(r.Enum(kPopupTypes));
         }},
        {"ComboItems", [](LoadedItem& l, const Reader& r) { l.item->ComboItems = r.Strings(); }},
        {"DropDownCount", [](LoadedItem& l, const Reader& r) { l.item->DropDownCount = r.Int(); }},
        {"EditLength", [](LoadedItem& l, const Reader& r) { l.item->EditLength = r.Int(); }},
        {"EditMask", [](LoadedItem& l, const Reader& r) { l.item->EditMask = r.String(); }},
        {"Editor",
         [](LoadedItem& l, const Reader& r) { l.item->SetEditor(static_cast<TEditorType>(r.Enum(kEditors))); }},
        {"Filter", [](LoadedItem& l, const Reader& r) { l.item->SetFilter(r.Strings()); }},
        {"FilterCaseSensitive", [](LoadedItem& l, const Reader& r) { l.item->FilterCaseSensitive = r.Bool(); }},
        {"Fixed", [](LoadedItem& l, const Reader& r) { l.item->SetFixed(r.Bool()); }},
        {"FloatFormat", [](LoadedItem& l, const Reader& r) { l.item->SetFloatFormat(r.String()); }},
        {"Font", [](LoadedItem& l, const Reader& r) { l.item->SetFont(r.Font()); }},
        {"Header",
         [](LoadedItem& l, const Reader& r) {
             l.item->SetHeader(r.String());
             l.hasHeader = true;
         }},
        {"HeaderAlignment",
         [](LoadedItem& l, const Reader& r) {
             l.item->SetHeaderAlignment(static_cast<TAlignment>(r.Enum(kAlignments)));
         }},
        {"HeaderFont", [](LoadedItem& l, const Reader& r) { l.item->SetHeaderFont(r.Font()); }},
        {"MinSize", [](LoadedItem& l, const Reader& r) { l.item->MinSize = r.Int(); }},
        {"MaxSize", [](LoadedItem& l, const Reader& r) { l.item->MaxSize = r.Int(); }},
        {"Name", [](LoadedItem& l, const Reader& r) { l.item->Name = r.String(); }},
        {"Password", [](LoadedItem& l, const Reader& r) { l.item->SetPassword(r.Bool()); }},
        {"PrintBorderCustom", [](LoadedItem& l, const Reader& r) { l.item->PrintBorderCustom = r.Bool(); }},
        {"PrintBorders", [](LoadedItem& l, const Reader& r) { l.item->PrintBorders = BordersOf(r.Set(kBorders)); }},
        {"PrintBorderPen", [](LoadedItem& l, const Reader& r) { l.item->PrintBorderPen = r.Pen(); }},
        {"PrintColor", [](LoadedItem& l, const Reader& r) { l.item->PrintColor = r.Color(); }},
        {"PrintFontCustom", [](LoadedItem& l, const Reader& r) { l.item->PrintFontCustom = r.Bool(); }},
        {"PrintFont", [](LoadedItem& l, const Reader& r) { l.item->PrintFont = r.Font(); }},
        {"ReadOnly", [](LoadedItem& l, const Reader& r) { l.item->ReadOnly = r.Bool(); }},
        {"ShowBands", [](LoadedItem& l, const Reader& r) { l.item->SetShowBands(r.Bool()); }},
        {"SortStyle",
         [](LoadedItem& l, const Reader& r) { l.item->SortStyle = static_cast<TSortStyle>(r.Enum(kSortStyles)); }},
        {"SortPrefix", [](LoadedItem& l, const Reader& r) { l.item->SortPrefix = r.String(); }},
        {"SortSuffix", [](LoadedItem& l, const Reader& r) { l.item->SortSuffix = r.String(); }},
        {"SpinMax", [](LoadedItem& l, const Reader& r) { l.item->SpinMax = r.Int(); }},
        {"SpinMin", [](LoadedItem& l, const Reader& r) { l.item->SpinMin = r.Int(); }},
        {"SpinStep", [](LoadedItem& l, const Reader& r) { l.item->SpinStep = r.Int(); }},
        {"Tag", [](LoadedItem& l, const Reader& r) { l.item->Tag = r.Int(); }},
        {"Width",
         [](LoadedItem& l, const Reader& r) {
             l.item->SetWidth(static_cast<int>(r.Integer(0, 32767)));
             l.hasWidth = true;
         }},
    };
    return readers;
}

std::vector<LoadedItem> ReadItems(const QByteArray& bytes, int maxItems)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        Fail(QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset));
    const QJsonValue holder = doc.object().value(u"TExColumnGridIO");
    if (!doc.isObject() || doc.object().size() != 1 || !holder.isObject())
        Fail(QStringLiteral("no column holder (TExColumnGridIO)"));
    const QJsonObject holderObject = holder.toObject();
    for (auto it = holderObject.begin(); it != holderObject.end(); ++it)
        if (it.key() != u"Items")
            Fail(QStringLiteral("property %1 does not exist").arg(it.key()));
    const QJsonValue itemsValue = holderObject.value(u"Items");
    if (!itemsValue.isUndefined() && !itemsValue.isArray())
        Fail(QStringLiteral("invalid value of property Items"));
    const QJsonArray items = itemsValue.toArray();
    if (items.size() > maxItems)
        Fail(QStringLiteral("%1 items, more than the %2 columns a grid can have").arg(items.size()).arg(maxItems));
    std::vector<LoadedItem> loaded;
    loaded.reserve(size_t(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!items[i].isObject())
            Fail(QStringLiteral("item %1 is no item").arg(i));
        LoadedItem l;
        const QJsonObject o = items[i].toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            const auto& readers = PropertyReaders();
            const auto found = std::find_if(readers.begin(), readers.end(),
                                            [&](const auto& entry) { return entry.first == it.key(); });
            if (found == readers.end())
                Fail(QStringLiteral("property %1 does not exist").arg(it.key()));
            found->second(l, Reader{it.key(), it.value()});
        }
        loaded.push_back(std::move(l));
    }
    return loaded;
}

} // namespace

void TExColumnGrid::SaveColumnsToStream(QIODevice& stream)
{
    QJsonArray items;
    for (const auto& item : columns_->items_)
        items.append(ItemToJson(*item));
    QJsonObject holder;
    holder[u"Items"] = items;
    QJsonObject root;
    root[u"TExColumnGridIO"] = holder;
    stream.write(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

void TExColumnGrid::LoadColumnsFromStream(QIODevice& stream)
{
    // Everything is read before anything changes.
    std::vector<LoadedItem> loaded = ReadItems(stream.readAll(), kMaxColumns);
    columns_->FNoRecursiveUpdate = true;
    for (size_t i = 0; i < loaded.size(); ++i) {
        const int index = static_cast<int>(i);
        if (loaded[i].hasWidth)
            SetItemWidth(index, loaded[i].item->ShadowWidth());
        if (loaded[i].hasHeader && FixedRows() > 0)
            WriteHeaderCell(index, loaded[i].item->Header());
    }
    ColumnHeaders.clear();
    for (const LoadedItem& l : loaded)
        ColumnHeaders.append(l.item->Header());
    columns_->BeginUpdate();
    columns_->items_.clear();
    for (const LoadedItem& l : loaded) {
        columns_->items_.push_back(std::make_unique<TGridColumnItem>(columns_.get()));
        TGridColumnItem* item = columns_->items_.back().get();
        item->Assign(*l.item);
        // Assign leaves these three out; what the stream holds is restored all the same.
        item->ColumnPopupType = l.item->ColumnPopupType;
        item->PrintBorderCustom = l.item->PrintBorderCustom;
        item->PrintFontCustom = l.item->PrintFontCustom;
    }
    columns_->updateCount_ = 0;
    columns_->FNoRecursiveUpdate = false;
    Invalidate();
}

// ---- Column positions ----

void TExColumnGrid::SaveColumnPositions(platform::IniFile& ini, const QString& section)
{
    for (int i = 0; i < columns_->Count(); ++i)
        ini.WriteInteger(section, QStringLiteral("CP%1").arg(i), columns_->items_[size_t(i)]->DefIdx);
}

bool TExColumnGrid::SaveColumnPositions(const QString& key, const QString& section, QString* error)
{
    platform::IniFile ini;
    if (!ini.Load(key, error))
        return false;
    SaveColumnPositions(ini, section);
    return ini.Save(error);
}

void TExColumnGrid::LoadColumnPositions(const QString& key, const QString& section)
{
    platform::IniFile ini;
    if (ini.Load(key))
        LoadColumnPositions(ini, section);
}

void TExColumnGrid::LoadColumnPositions(const platform::IniFile& ini, const QString& section)
{
    const int n = columns_->Count();
    if (n == 0)
        return;
    // Only a complete set naming every designed column once is applied; a
    // missing, out-of-range or repeated value leaves the columns as they are.
    std::vector<int> order(size_t(n), -1);
    std::vector<char> taken(size_t(n), 0);
    for (int j = 0; j < n; ++j) {
        const int k = ini.ReadInteger(section, QStringLiteral("CP%1").arg(j), -1);
        if (k < 0 || k >= n || taken[size_t(k)])
            return;
        taken[size_t(k)] = 1;
        order[size_t(j)] = k;
    }
    ResetColumnOrder();
    if (columns_->Count() != n)
        return;
    for (int j = 0; j < n; ++j)
        columns_->items_[size_t(order[size_t(j)])]->DefIdx = j;
    columns_->ResetOrganization();
    for (int j = 0; j < n; ++j)
        columns_->items_[size_t(j)]->DefIdx = order[size_t(j)];
}

void TExColumnGrid::SaveColPositions()
{
    if (ColumnSize.Location == clIniFile)
        SaveColumnPositions(ColumnSize.Key, ColumnSize.Section);
    else
        TExStringGrid::SaveColPositions();
}

void TExColumnGrid::LoadColPositions()
{
    if (ColumnSize.Location == clIniFile)
        LoadColumnPositions(ColumnSize.Key, ColumnSize.Section);
    else
        TExStringGrid::LoadColPositions();
}

} // namespace grid
