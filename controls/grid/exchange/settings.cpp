#include "controls/grid/exchange/settings.h"

#include "controls/grid/core/ex_string_grid.h"
#include "platform/text/ini_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <vector>

namespace grid {

namespace {

[[noreturn]] void Fail(const QString& text)
{
    throw GridError(text);
}

std::vector<int> Numbers(const QString& field, int atLeast)
{
    std::vector<int> out;
    if (field.isEmpty())
        return out;
    for (const QString& part : field.split(u',')) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok)
            Fail(QStringLiteral("'%1' is not a valid integer value").arg(part));
        out.push_back(v);
    }
    if (int(out.size()) < atLeast)
        Fail(QStringLiteral("List index out of bounds (%1)").arg(out.size()));
    return out;
}

// The list as its inverse: for each index p, the positions holding p.
std::vector<int> Inverse(const std::vector<int>& list, int count)
{
    std::vector<int> out;
    for (int p = 0; p < count; ++p)
        for (int i = 0; i < int(list.size()); ++i)
            if (list[i] == p)
                out.push_back(i);
    return out;
}

void SetList(TIntList& list, const std::vector<int>& values)
{
    list.Clear();
    for (int v : values)
        list.Add(v);
}

bool OpenStore(TExStringGrid& grid, platform::IniFile& ini)
{
    const TColumnSize& cs = grid.ColumnSize;
    if (cs.Key.isEmpty() || cs.Section.isEmpty())
        return false;
    const QString path = cs.Location == clIniFile ? cs.Key : RegistryStoreFile(cs.Key);
    QString error;
    if (!ini.Load(path, &error))
        Fail(error);
    return true;
}

void SaveStore(platform::IniFile& ini)
{
    const QString dir = QFileInfo(ini.FileName()).absolutePath();
    QDir().mkpath(dir);
    QString error;
    if (!ini.Save(&error))
        Fail(error);
}

} // namespace

QString ColumnStatesToString(TExStringGrid& grid)
{
    const int n = grid.ColCount() + grid.NumHiddenColumns();
    QStringList widths;
    QStringList order;
    QStringList visible;
    for (int i = 0; i < n; ++i) {
        widths << QString::number(i < grid.ColCount() ? grid.ColWidths(i) : grid.DefaultColWidth());
        visible << (grid.IsHiddenColumn(i) ? QStringLiteral("0") : QStringLiteral("1"));
    }
    const TIntList& list = grid.ColumnOrder();
    if (list.Count() == 0)
        for (int i = 0; i < n; ++i)
            order << QString::number(i);
    else
        for (int v : list.Items())
            order << QString::number(v);
    return QString::number(n) + u'#' + widths.join(u',') + u'#' + order.join(u',') + u'#' + visible.join(u',');
}

void StringToColumnStates(TExStringGrid& grid, const QString& value)
{
    if (!value.contains(u'#'))
        return;
    const QStringList fields = value.split(u'#');
    bool ok = false;
    const int count = fields[0].trimmed().toInt(&ok);
    if (!ok || count < 1 || count > kMaxColumns)
        Fail(QStringLiteral("'%1' is not a valid column count").arg(fields[0]));
    const std::vector<int> widths = Numbers(fields.value(1), count);
    const std::vector<int> order = Numbers(fields.value(2), 0);
    const QStringList shown = fields.value(3).split(u',');
    if (shown.size() < count)
        Fail(QStringLiteral("List index out of bounds (%1)").arg(shown.size()));

    // Checked: from here on the grid changes.
    TIntList& list = grid.ColumnOrderList();
    list.Clear();
    grid.UnHideColumnsAll();
    grid.SetColCount(count);
    std::vector<int> kept;
    for (int v : order)
        if (v != -1 && v < count)
            kept.push_back(v);
    if (!order.empty()) {
        SetList(list, Inverse(kept, count));
        if (list.Count() > 0)
            grid.ResetColumnOrder();
        std::vector<int> again;
        for (int v : order)
            if (v != -1)
                again.push_back(v);
        SetList(list, again);
    }
    for (int c = count - 1; c >= 0; --c)
        if (shown[c].trimmed() == u"0")
            grid.HideColumn(c);
    const bool stretch = grid.ColumnSize.Stretch();
    if (stretch) {
        grid.ColumnSize.SetStretch(false);
        const int sc = grid.ColumnSize.StretchColumn == -1 ? grid.ColCount() - 1 : grid.ColumnSize.StretchColumn;
        grid.SetDefaultColWidth(grid.ColWidths(sc));
    }
    for (int i = 0; i < grid.ColCount() && i < int(widths.size()); ++i)
        grid.SetColWidths(i, std::max(0, widths[i]));
    if (stretch)
        grid.ColumnSize.SetStretch(true);
}

QString RegistryStoreFile(const QString& key)
{
    QStringList parts;
    for (const QString& p : QString(key).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts))
        if (p != u"." && p != u"..")
            parts << p;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + QStringLiteral("/orvano/registry/") + parts.join(u'/') + QStringLiteral(".ini");
}

// ---- Column widths and positions ----

void TExStringGrid::SaveColSizes()
{
    platform::IniFile ini;
    if (!OpenStore(*this, ini))
        return;
    for (int n = 0; n < ColCount(); ++n)
        ini.WriteInteger(ColumnSize.Section, QStringLiteral("Col%1").arg(n), ColWidths(n));
    SaveStore(ini);
}

void TExStringGrid::LoadColSizes()
{
    platform::IniFile ini;
    if (!OpenStore(*this, ini))
        return;
    for (int n = 0; n < ColCount(); ++n) {
        const int w = ini.ReadInteger(ColumnSize.Section, QStringLiteral("Col%1").arg(n), ColWidths(n));
        if (w != ColWidths(n) && w >= 0)
            SetColWidths(n, w);
    }
    SaveStore(ini);
}

void TExStringGrid::SaveColPositions()
{
    platform::IniFile ini;
    if (!OpenStore(*this, ini))
        return;
    for (int n = 0; n < columnOrder_.Count(); ++n)
        ini.WriteInteger(ColumnSize.Section, QStringLiteral("Pos%1").arg(n), columnOrder_[n]);
    SaveStore(ini);
}

void TExStringGrid::LoadColPositions()
{
    platform::IniFile ini;
    if (!OpenStore(*this, ini))
        return;
    const QString& section = ColumnSize.Section;
    if (ini.ReadInteger(section, QStringLiteral("Pos0"), -1) != -1) {
        const int all = AllColCount();
        std::vector<int> values;
        for (int n = 0; n < all; ++n) {
            const int v = ini.ReadInteger(section, QStringLiteral("Pos%1").arg(n), -1);
            if (v != -1)
                values.push_back(v);
        }
        std::vector<int> hidden;
        for (int c = 0; c < all; ++c)
            if (IsHiddenColumn(c))
                hidden.push_back(c);
        SetList(columnOrder_, Inverse(values, all));
        UnHideColumnsAll();
        if (columnOrder_.Count() > 0)
            ResetColumnOrder();
        for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
            HideColumn(*it);
        SetList(columnOrder_, values);
    }
    SaveStore(ini);
}

// ---- Print settings ----

namespace {

QString YN(bool v)
{
    return v ? QStringLiteral("Y") : QStringLiteral("N");
}

void WriteFont(platform::IniFile& ini, const QString& s, const QString& prefix, const TFont& f)
{
    ini.WriteString(s, prefix + QStringLiteral("Name"), f.Name);
    ini.WriteInteger(s, prefix + QStringLiteral("Size"), f.Size);
    ini.WriteInteger(s, prefix + QStringLiteral("Style"), int(f.Style));
    ini.WriteInteger(s, prefix + QStringLiteral("Color"), int(f.Color));
}

void ReadFont(const platform::IniFile& ini, const QString& s, const QString& prefix, TFont& f)
{
    f.Name = ini.ReadString(s, prefix + QStringLiteral("Name"), QStringLiteral("Arial"));
    f.Size = ini.ReadInteger(s, prefix + QStringLiteral("Size"), 10);
    // The stored style is the style (not added to the current one).
    f.Style = TFontStyles(ini.ReadInteger(s, prefix + QStringLiteral("Style"), 0)) & 15u;
    f.Color = TColor(quint32(ini.ReadInteger(s, prefix + QStringLiteral("Color"), 0)));
}

} // namespace

void SavePrintSettings(TExStringGrid& grid, const QString& key, const QString& section)
{
    platform::IniFile ini;
    QString error;
    if (!ini.Load(key, &error))
        Fail(error);
    const TPrintSettings& p = grid.PrintSettings;
    const QString& s = section;
    ini.WriteInteger(s, QStringLiteral("ColumnSpacing"), p.ColumnSpacing);
    ini.WriteInteger(s, QStringLiteral("RowSpacing"), p.RowSpacing);
    ini.WriteInteger(s, QStringLiteral("TitleSpacing"), p.TitleSpacing);
    ini.WriteInteger(s, QStringLiteral("FixedHeight"), p.FixedHeight);
    ini.WriteInteger(s, QStringLiteral("FixedWidth"), p.FixedWidth);
    ini.WriteString(s, QStringLiteral("Centered"), YN(p.Centered));
    ini.WriteString(s, QStringLiteral("NoAutoSize"), YN(p.NoAutoSize));
    ini.WriteString(s, QStringLiteral("UseFixedHeight"), YN(p.UseFixedHeight));
    ini.WriteString(s, QStringLiteral("UseFixedWidth"), YN(p.UseFixedWidth));
    ini.WriteString(s, QStringLiteral("RepeatFixedRows"), YN(p.RepeatFixedRows));
    ini.WriteString(s, QStringLiteral("RepeatFixedCols"), YN(p.RepeatFixedCols));
    ini.WriteString(s, QStringLiteral("UseDisplFont"), YN(p.UseDisplayFont));
    ini.WriteString(s, QStringLiteral("UseDefOrientation"), YN(p.UseDefaultOrientation));
    ini.WriteInteger(s, QStringLiteral("Borders"), p.Borders);
    ini.WriteInteger(s, QStringLiteral("BorderColor"), int(p.BorderColor));
    ini.WriteInteger(s, QStringLiteral("BorderStyle"), p.BorderStyle);
    ini.WriteInteger(s, QStringLiteral("Date"), p.Date);
    ini.WriteInteger(s, QStringLiteral("PageNr"), p.PageNr);
    ini.WriteInteger(s, QStringLiteral("Title"), p.Title);
    ini.WriteInteger(s, QStringLiteral("Time"), p.Time);
    ini.WriteString(s, QStringLiteral("DateFormat"), p.DateFormat);
    ini.WriteString(s, QStringLiteral("TitleText"), p.TitleText);
    ini.WriteInteger(s, QStringLiteral("FooterSize"), p.FooterSize);
    ini.WriteInteger(s, QStringLiteral("HeaderSize"), p.HeaderSize);
    ini.WriteInteger(s, QStringLiteral("LeftSize"), p.LeftSize);
    ini.WriteInteger(s, QStringLiteral("RightSize"), p.RightSize);
    ini.WriteInteger(s, QStringLiteral("FitToPage"), p.FitToPage);
    WriteFont(ini, s, QStringLiteral("Font"), p.Font);
    WriteFont(ini, s, QStringLiteral("HeaderFont"), p.HeaderFont);
    WriteFont(ini, s, QStringLiteral("FooterFont"), p.FooterFont);
    ini.WriteString(s, QStringLiteral("PageNumSep"), p.PageNumSep);
    ini.WriteString(s, QStringLiteral("PageSuffix"), p.PageSuffix);
    ini.WriteString(s, QStringLiteral("PagePrefix"), p.PagePrefix);
    ini.WriteInteger(s, QStringLiteral("Orientation"), p.Orientation);
    QString title;
    for (const QString& line : p.TitleLines)
        title += QString(line).remove(u'\n').remove(u'\r') + QStringLiteral("\\n");
    ini.WriteString(s, QStringLiteral("TitleLines"), title);
    ini.WriteString(s, QStringLiteral("PrintGraphics"), YN(p.PrintGraphics));
    if (!ini.Save(&error))
        Fail(error);
}

void LoadPrintSettings(TExStringGrid& grid, const QString& key, const QString& section)
{
    platform::IniFile ini;
    QString error;
    if (!ini.Load(key, &error))
        Fail(error);
    TPrintSettings& p = grid.PrintSettings;
    const QString& s = section;
    auto integer = [&](const char* name, int fallback) { return ini.ReadInteger(s, QString::fromLatin1(name), fallback); };
    auto flag = [&](const char* name, const char* fallback) {
        return ini.ReadString(s, QString::fromLatin1(name), QString::fromLatin1(fallback)) == u"Y";
    };
    auto text = [&](const char* name) { return ini.ReadString(s, QString::fromLatin1(name)); };
    p.ColumnSpacing = integer("ColumnSpacing", 20);
    p.RowSpacing = integer("RowSpacing", 20);
    p.TitleSpacing = integer("TitleSpacing", 20);
    p.FixedHeight = integer("FixedHeight", 0);
    p.FixedWidth = integer("FixedWidth", 0);
    p.Centered = flag("Centered", "Y");
    p.NoAutoSize = flag("NoAutoSize", "N");
    p.UseFixedHeight = flag("UseFixedHeight", "N");
    p.UseFixedWidth = flag("UseFixedWidth", "N");
    p.RepeatFixedRows = flag("RepeatFixedRows", "N");
    p.RepeatFixedCols = flag("RepeatFixedCols", "N");
    p.UseDisplayFont = flag("UseDisplFont", "N");
    p.UseDefaultOrientation = flag("UseDefOrientation", "N");
    p.DateFormat = text("DateFormat");
    p.TitleText = text("TitleText");
    p.FooterSize = integer("FooterSize", 100);
    p.HeaderSize = integer("HeaderSize", 100);
    p.LeftSize = integer("LeftSize", 100);
    p.RightSize = integer("RightSize", 100);
    p.PageNumSep = text("PageNumSep");
    p.PageSuffix = text("PageSuffix");
    p.PagePrefix = text("PagePrefix");
    p.PrintGraphics = flag("PrintGraphics", "N");
    if (const int v = integer("Borders", 0); v >= 0 && v <= 8)
        p.Borders = TPrintBorders(v);
    if (const int v = integer("BorderStyle", 0); v >= 0 && v <= 6)
        p.BorderStyle = TPenStyle(v);
    p.BorderColor = TColor(quint32(integer("BorderColor", 0)));
    auto position = [&](const char* name) {
        const int v = integer(name, 0);
        return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
    };
    p.Date = position("Date");
    p.PageNr = position("PageNr");
    p.Title = position("Title");
    p.Time = position("Time");
    if (const int v = integer("FitToPage", 0); v >= 0 && v <= 4)
        p.FitToPage = TFitToPage(v);
    ReadFont(ini, s, QStringLiteral("Font"), p.Font);
    ReadFont(ini, s, QStringLiteral("HeaderFont"), p.HeaderFont);
    ReadFont(ini, s, QStringLiteral("FooterFont"), p.FooterFont);
    QStringList lines = text("TitleLines").split(QStringLiteral("\\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    p.TitleLines = lines;
    if (const int v = integer("Orientation", 0); v == 0 || v == 1)
        p.Orientation = TPrinterOrientation(v);
    if (!ini.Save(&error))
        Fail(error);
}

} // namespace grid
