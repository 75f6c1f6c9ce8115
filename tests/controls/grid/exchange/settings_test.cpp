// Settings kept outside the program: column states, column widths and
// positions in INI and registry stores, print settings.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/settings.h"
#include "platform/text/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;

namespace {

void Grid(TExStringGrid& g, int cols)
{
    g.SetColCount(cols);
    g.SetRowCount(2);
    g.SetFixedCols(0);
    g.SetFixedRows(1);
    for (int c = 0; c < cols; ++c)
        g.SetCells(c, 0, QStringLiteral("h%1").arg(c));
}

QStringList Headers(TExStringGrid& g)
{
    QStringList out;
    for (int c = 0; c < g.ColCount(); ++c)
        out << g.Cells(g.RealColIndex(c), 0);
    return out;
}

// Points the per-user configuration folder at a temporary one.
class ConfigHome
{
public:
    ConfigHome() : old_(qgetenv("XDG_CONFIG_HOME")) { qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8()); }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", old_); }
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray old_;
};

} // namespace

TEST(GridSettings, ColumnStates)
{
    TExStringGrid g;
    Grid(g, 3);
    EXPECT_EQ(ColumnStatesToString(g), QStringLiteral("3#64,64,64#0,1,2#1,1,1"));

    // Moved and hidden columns come back in another grid.
    TExStringGrid a;
    Grid(a, 4);
    a.SetColumnOrder();
    a.SetColWidths(0, 50);
    a.MoveColumn(3, 1);
    a.HideColumn(2);
    a.SetColWidths(1, 90);
    const QString state = ColumnStatesToString(a);
    const QStringList shown = Headers(a);

    TExStringGrid b;
    Grid(b, 4);
    b.SetColumnOrder();
    StringToColumnStates(b, state);
    EXPECT_EQ(ColumnStatesToString(b), state);
    EXPECT_EQ(Headers(b), shown);
    EXPECT_EQ(b.ColWidths(1), 90);
    EXPECT_EQ(b.NumHiddenColumns(), 1);

    // Nothing without "#", nothing from a malformed text.
    for (const char* bad : {"no marks", "x#1,2#0,1#1,1", "2#64#0,1#1,1", "2#64,z#0,1#1,1", "2#64,64#0,q#1,1",
                            "2#64,64#0,1#1", "99999#1#1#1"}) {
        TExStringGrid c;
        Grid(c, 4);
        c.SetColWidths(0, 33);
        c.HideColumn(3);
        const QString before = ColumnStatesToString(c);
        if (QByteArray(bad).contains('#'))
            EXPECT_THROW(StringToColumnStates(c, QString::fromLatin1(bad)), GridError) << bad;
        else
            StringToColumnStates(c, QString::fromLatin1(bad));
        EXPECT_EQ(ColumnStatesToString(c), before) << bad;
    }
}

TEST(GridSettings, ColumnSizesAndPositionsInStores)
{
    ConfigHome home;
    QTemporaryDir dir;
    for (TColumnSizeLocation location : {clIniFile, clRegistry}) {
        TExStringGrid a;
        Grid(a, 3);
        a.ColumnSize.Location = location;
        a.ColumnSize.Key = location == clIniFile ? dir.filePath(QStringLiteral("cols.ini"))
                                                 : QStringLiteral("Software\\Orvano\\..\\Grid");
        a.ColumnSize.Section = QStringLiteral("Main");
        a.SetColumnOrder();
        a.SetColWidths(2, 120);
        a.MoveColumn(2, 0);
        a.SaveColSizes();
        a.SaveColPositions();

        const QString file = location == clIniFile ? a.ColumnSize.Key : RegistryStoreFile(a.ColumnSize.Key);
        if (location == clRegistry) {
            EXPECT_EQ(file, home.Path() + QStringLiteral("/orvano/registry/Software/Orvano/Grid.ini"));
        }
        platform::IniFile ini(file);
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("Col0"), 0), 120);
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("Pos0"), -1), 2);

        TExStringGrid b;
        Grid(b, 3);
        b.ColumnSize = a.ColumnSize;
        b.ColumnSize.Location = location;
        b.ColumnSize.Key = a.ColumnSize.Key;
        b.ColumnSize.Section = a.ColumnSize.Section;
        b.SetColumnOrder();
        b.HideColumn(1);
        b.LoadColPositions();
        b.LoadColSizes();
        EXPECT_EQ(b.NumHiddenColumns(), 1);
        b.UnHideColumnsAll();
        EXPECT_EQ(Headers(b), Headers(a));
        b.HideColumn(1);
        EXPECT_EQ(b.ColWidths(0), 120);
    }

    // Without a key nothing is touched; without "Pos0" nothing changes, the
    // store is written back.
    TExStringGrid c;
    Grid(c, 2);
    c.ColumnSize.Location = clRegistry;
    c.ColumnSize.Section = QStringLiteral("S");
    c.SaveColSizes();
    c.LoadColPositions();
    EXPECT_FALSE(QDir(home.Path() + QStringLiteral("/orvano")).exists() &&
                 QDir(home.Path() + QStringLiteral("/orvano/registry")).entryList(QDir::Files).size() > 0);
    c.ColumnSize.Location = clIniFile;
    c.ColumnSize.Key = dir.filePath(QStringLiteral("empty.ini"));
    c.SetColumnOrder();
    c.MoveColumn(1, 0);
    const QStringList before = Headers(c);
    c.LoadColPositions();
    EXPECT_EQ(Headers(c), before);
    EXPECT_TRUE(QFile::exists(c.ColumnSize.Key));
}

TEST(GridSettings, PrintSettingsRoundTrip)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("print.ini"));
    TExStringGrid a;
    TPrintSettings& p = a.PrintSettings;
    p.ColumnSpacing = 7;
    p.Centered = false;
    p.RepeatFixedRows = true;
    p.Borders = pbDouble;
    p.BorderStyle = psDot;
    p.BorderColor = 0x123456;
    p.Date = ppTopRight;
    p.TitleText = QStringLiteral("Title");
    p.Font = TFont{QStringLiteral("Courier"), 12, fsItalic, clRed};
    p.FooterFont.Style = fsBold | fsUnderline;
    p.TitleLines = QStringList{QStringLiteral("A"), QStringLiteral("B")};
    p.Orientation = poLandscape;
    p.PrintGraphics = true;
    SavePrintSettings(a, file, QStringLiteral("Print"));
    platform::IniFile ini(file);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Print"), QStringLiteral("TitleLines")), QStringLiteral("A\\nB\\n"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Print"), QStringLiteral("Centered")), QStringLiteral("N"));

    TExStringGrid b;
    // A stored style is the style: a bold font without bold in the file is not bold.
    b.PrintSettings.HeaderFont.Style = fsBold;
    LoadPrintSettings(b, file, QStringLiteral("Print"));
    const TPrintSettings& q = b.PrintSettings;
    EXPECT_EQ(q.ColumnSpacing, 7);
    EXPECT_FALSE(q.Centered);
    EXPECT_TRUE(q.RepeatFixedRows);
    EXPECT_EQ(q.Borders, pbDouble);
    EXPECT_EQ(q.BorderStyle, psDot);
    EXPECT_EQ(q.BorderColor, 0x123456u);
    EXPECT_EQ(q.Date, ppTopRight);
    EXPECT_EQ(q.TitleText, QStringLiteral("Title"));
    EXPECT_EQ(q.Font, p.Font);
    EXPECT_EQ(q.FooterFont.Style, fsBold | fsUnderline);
    EXPECT_EQ(q.HeaderFont.Style, 0u);
    EXPECT_EQ(q.TitleLines, p.TitleLines);
    EXPECT_EQ(q.Orientation, poLandscape);
    EXPECT_TRUE(q.PrintGraphics);

    // Missing keys take their defaults; values out of range leave or reset.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Print]\r\nBorders=12\r\nDate=9\r\nOrientation=3\r\n");
    f.close();
    TExStringGrid c;
    c.PrintSettings.Borders = pbDouble;
    c.PrintSettings.Date = ppTopLeft;
    LoadPrintSettings(c, file, QStringLiteral("Print"));
    EXPECT_EQ(c.PrintSettings.Borders, pbDouble);
    EXPECT_EQ(c.PrintSettings.Date, ppNone);
    EXPECT_EQ(c.PrintSettings.Orientation, poPortrait);
    EXPECT_EQ(c.PrintSettings.ColumnSpacing, 20);
    EXPECT_EQ(c.PrintSettings.FooterSize, 100);
    EXPECT_EQ(c.PrintSettings.Font.Name, QStringLiteral("Arial"));
    EXPECT_TRUE(c.PrintSettings.Centered);
}
