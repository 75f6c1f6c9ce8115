// The grid's visual properties file: its lines and their order, a round trip
// between two grids, the reading rules, and malformed files that change
// nothing.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/visual_props.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A default grid's file with the line of name replaced (or dropped when
// line is empty).
QByteArray WithLine(const QByteArray& name, const QByteArray& line)
{
    TExStringGrid g;
    QList<QByteArray> lines = VisualPropsBytes(g).split('\n');
    for (QByteArray& l : lines)
        if (l.startsWith(name + '='))
            l = line.isEmpty() ? QByteArray() : line + '\r';
    return lines.join('\n');
}

} // namespace

TEST(VisualProps, LinesAndRoundTrip)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("look.txt"));
    TExStringGrid a;
    a.Color = 0x00123456;
    a.HintColor = clRed;
    a.SetSelectionColor(clNone);
    a.SetURLShow(false);
    a.URLShowInText = true;
    a.SetActiveRowShow(true);
    a.Font = TFont{QStringLiteral("Caf\u00e9 Sans"), 11, fsBold | fsUnderline, 0x80FF0000};
    a.FixedFont.Style = 0;
    a.Balloon.Transparency = 200;
    a.Bands.SetActive(true);
    a.ControlLook.SetCheckSize(19);
    a.ControlLook.SetControlStyle(csZAD);
    a.ControlLook.SetProgressXP(true);
    a.Grouping.HeaderLineWidth = 5;
    a.SetGridLineColor(0x808000); // clTeal
    a.BackGround.Top = -3;
    a.BackGround.Display = bdGradientVert;
    a.BackGround.Cells = bcAll;
    SaveVisualProps(a, file);
    const QByteArray bytes = Read(file);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"look.txt"}) << "written in one piece";

    // Every name once, in the file's order, each line ending in CR LF.
    const QStringList names = {
        "Color", "HintColor", "SelectionColor", "SelectionColorTo", "SelectionMirrorColor", "SelectionMirrorColorTo",
        "SelectionTextColor", "URLColor", "URLShow", "URLShowInText", "ScrollColor", "ActiveRowColor", "ActiveRowShow",
        "ActiveCellShow", "Font.Color", "Font.Style", "Font.Size", "Font.Name", "ActiveCellColor", "ActiveCellColorTo",
        "ActiveCellFont.Color", "ActiveCellFont.Style", "ActiveCellFont.Size", "ActiveCellFont.Name",
        "FixedFont.Color", "FixedFont.Style", "FixedFont.Size", "FixedFont.Name", "Balloon.BackgroundColor",
        "Balloon.TextColor", "Balloon.Transparency", "Bands.PrimaryColor", "Bands.SecondaryColor", "Bands.Active",
        "SortSettings.IndexColor", "FloatingFooter.Color", "ControlLook.CheckSize", "ControlLook.Color",
        "ControlLook.CommentColor", "ControlLook.ControlStyle", "ControlLook.FixedGradientFrom",
        "ControlLook.FixedGradientTo", "ControlLook.RadioSize", "ControlLook.FlatButton",
        "ControlLook.ProgressBorderColor", "ControlLook.ProgressXP", "Look", "SearchFooter.Color",
        "SearchFooter.ColorTo", "Grouping.HeaderColor", "Grouping.HeaderColorTo", "Grouping.HeaderTextColor",
        "Grouping.HeaderUnderline", "Grouping.HeaderLineColor", "Grouping.HeaderLineWidth", "Grouping.SummaryColor",
        "Grouping.SummaryColorTo", "Grouping.SummaryTextColor", "Grouping.SummaryLine", "Grouping.SummaryLineColor",
        "Grouping.SummaryLineWidth", "GridLineColor", "GridFixedLineColor", "BackGround.Top", "BackGround.Left",
        "BackGround.Display", "BackGround.Cells", "BackGround.Color", "BackGround.ColorTo"};
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    ASSERT_EQ(lines.size(), names.size());
    QStringList found;
    for (const QByteArray& l : lines) {
        EXPECT_TRUE(l.endsWith('\r')) << l.constData();
        found << QString::fromLatin1(l.left(l.indexOf('=')));
    }
    EXPECT_EQ(found, names);

    // Value forms: identifiers or "$" and eight upper-case digits, true and
    // false, styles by name, Windows-1252 text.
    for (const char* line : {"Color=$00123456\r", "HintColor=clRed\r", "SelectionColor=clNone\r", "URLShow=false\r",
                             "URLShowInText=true\r", "Font.Color=$80FF0000\r", "Font.Style=fsBold,fsUnderline\r",
                             "Font.Size=11\r", "Font.Name=Caf\xE9 Sans\r", "FixedFont.Style=\r",
                             "Balloon.Transparency=200\r", "Bands.Active=true\r", "ControlLook.CheckSize=19\r",
                             "ControlLook.ControlStyle=csZAD\r", "Look=glXP\r", "Grouping.HeaderLineWidth=5\r",
                             "GridLineColor=clTeal\r", "BackGround.Top=-3\r", "BackGround.Display=bdGradientVert\r",
                             "BackGround.Cells=bcAll\r"})
        EXPECT_TRUE(lines.contains(QByteArray(line))) << line;

    TExStringGrid b;
    LoadVisualProps(b, file);
    EXPECT_EQ(VisualPropsBytes(b), bytes);
    EXPECT_EQ(b.Font, a.Font);
    EXPECT_EQ(b.Color, TColor(0x00123456));
    EXPECT_EQ(b.ControlLook.ControlStyle(), csZAD);
    EXPECT_EQ(b.BackGround.Cells, bcAll);
}

TEST(VisualProps, ReadingRules)
{
    struct Case
    {
        const char* name;
        QByteArray file;
        std::function<bool(TExStringGrid&)> holds;
    };
    const Case cases[] = {
        {"no Look keeps the look", WithLine("Look", ""), [](TExStringGrid& g) { return g.Look() == glWin7; }},
        {"Look in any case", WithLine("Look", "Look=gLvIsTa"), [](TExStringGrid& g) { return g.Look() == glVista; }},
        {"unknown identifier keeps", WithLine("BackGround.Cells", "BackGround.Cells=bcSome"),
         [](TExStringGrid& g) { return g.BackGround.Cells == bcFixed; }},
        {"identifier in any case", WithLine("ControlLook.ControlStyle", "ControlLook.ControlStyle=CSFLAT"),
         [](TExStringGrid& g) { return g.ControlLook.ControlStyle() == csFlat; }},
        {"missing colour is clNone", WithLine("HintColor", ""), [](TExStringGrid& g) { return g.HintColor == clNone; }},
        {"empty colour is clNone", WithLine("HintColor", "HintColor="),
         [](TExStringGrid& g) { return g.HintColor == clNone; }},
        {"decimal colour", WithLine("HintColor", "HintColor=255"), [](TExStringGrid& g) { return g.HintColor == clRed; }},
        {"negative decimal colour", WithLine("HintColor", "HintColor=-16777211"),
         [](TExStringGrid& g) { return g.HintColor == clWindow; }},
        {"colour identifier in any case", WithLine("HintColor", "HintColor=CLLIME"),
         [](TExStringGrid& g) { return g.HintColor == clLime; }},
        {"flag: only TRUE in any case", WithLine("URLShowInText", "URLShowInText=True"),
         [](TExStringGrid& g) { return g.URLShowInText; }},
        {"flag: anything else is false", WithLine("URLShow", "URLShow=yes"),
         [](TExStringGrid& g) { return !g.URLShow(); }},
        {"styles found anywhere, case-sensitive", WithLine("Font.Style", "Font.Style=xfsItalic;fsstrikeout fsStrikeOut"),
         [](TExStringGrid& g) { return g.Font.Style == (fsItalic | fsStrikeOut); }},
        {"names in any case, the first line wins", "font.size=14\r\n" + WithLine("Font.Size", "Font.Size=9"),
         [](TExStringGrid& g) { return g.Font.Size == 14; }},
        {"bare CR and LF line ends", WithLine("Font.Size", "Font.Size=13").replace("\r\n", "\r").replace("\rBands", "\nBands"),
         [](TExStringGrid& g) { return g.Font.Size == 13; }},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        g.SetLook(glWin7);
        g.BackGround.Cells = bcFixed;
        g.SetURLShow(true);
        LoadVisualPropsFromBytes(g, c.file, QStringLiteral("f"));
        EXPECT_TRUE(c.holds(g)) << c.name;
    }
}

TEST(VisualProps, MalformedFilesChangeNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("v.txt"));
    // Each file also turns Color red before its fault; none of it may apply.
    struct Case
    {
        QByteArray name;
        QByteArray line;
        QString message;
    };
    const Case cases[] = {
        {"Font.Size", "", "Font.Size is missing"},
        {"Font.Size", "Font.Size=", "Font.Size '' is not a valid integer value"},
        {"FixedFont.Size", "FixedFont.Size=8pt", "FixedFont.Size '8pt' is not a valid integer value"},
        {"BackGround.Left", "BackGround.Left=4294967296", "BackGround.Left '4294967296' is not a valid integer value"},
        {"Grouping.SummaryLineWidth", "Grouping.SummaryLineWidth=$10",
         "Grouping.SummaryLineWidth '$10' is not a valid integer value"},
        {"Balloon.Transparency", "Balloon.Transparency=256", "Balloon.Transparency 256 is out of range 0..255"},
        {"Balloon.Transparency", "Balloon.Transparency=-1", "Balloon.Transparency -1 is out of range 0..255"},
        {"BackGround.ColorTo", "BackGround.ColorTo=blue", "BackGround.ColorTo 'blue' is not a valid colour value"},
        {"ScrollColor", "ScrollColor=$123456789", "ScrollColor '$123456789' is not a valid colour value"},
        {"ScrollColor", "ScrollColor=$", "ScrollColor '$' is not a valid colour value"},
        {"ScrollColor", "ScrollColor=99999999999", "ScrollColor '99999999999' is not a valid colour value"},
    };
    for (const Case& c : cases) {
        QByteArray bytes = WithLine(c.name, c.line);
        bytes.replace("Color=clWindow\r\n", "Color=clRed\r\n");
        ASSERT_TRUE(bytes.startsWith("Color=clRed\r\n"));
        Write(file, bytes);
        TExStringGrid g;
        g.SetLook(glSoft);
        const QByteArray before = VisualPropsBytes(g);
        try {
            LoadVisualProps(g, file);
            ADD_FAILURE() << "no error: " << c.line.constData();
        } catch (const GridError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()),
                      QStringLiteral("Invalid visual properties file %1: %2").arg(file, c.message));
        }
        EXPECT_EQ(VisualPropsBytes(g), before) << c.line.constData();
    }

    TExStringGrid g;
    const QByteArray before = VisualPropsBytes(g);
    const QString missing = dir.filePath(QStringLiteral("none.txt"));
    try {
        LoadVisualProps(g, missing);
        ADD_FAILURE() << "a missing file loads";
    } catch (const GridError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Cannot open file ") + missing);
    }
    EXPECT_EQ(VisualPropsBytes(g), before);

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/v.txt"));
    try {
        SaveVisualProps(g, nowhere);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const GridError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Cannot Create ") + nowhere);
    }
}
