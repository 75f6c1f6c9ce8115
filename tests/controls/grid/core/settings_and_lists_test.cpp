// Settings objects, small records and the list classes.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/file_picture.h"
#include "controls/grid/core/grid_records.h"
#include "controls/grid/core/int_list.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;

TEST(SettingsObjects, InitialValuesAndNotifications)
{
    TSearchFooter loaded(false);
    EXPECT_EQ(loaded.FindNextCaption(), QString());
    TSearchFooter placed(true);
    EXPECT_EQ(placed.FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_EQ(placed.HintFindPrev(), QStringLiteral("Find previous occurrence"));
    EXPECT_EQ(placed.SearchColumn, -1);
    int changes = 0;
    placed.OnChange = [&](void*) { ++changes; };
    placed.SetVisible(false); // unchanged: quiet
    EXPECT_EQ(changes, 0);
    placed.SetColor(placed.Color()); // always fires
    EXPECT_EQ(changes, 1);

    TNavigation nav;
    EXPECT_TRUE(nav.AdvanceOnEnterLoop);
    EXPECT_TRUE(nav.AdvanceSkipReadOnlyCells);
    EXPECT_TRUE(nav.AllowClipboardRowGrow);
    EXPECT_FALSE(nav.AdvanceOnEnter);
    nav.SetAdvanceAuto(true);
    EXPECT_TRUE(nav.AdvanceOnEnter);
    TNavigation other;
    other.TabAdvanceDirection = adTopBottom;
    other.KeepScrollOnSort = true;
    nav.Assign(other);
    EXPECT_EQ(nav.TabAdvanceDirection, adTopBottom);
    EXPECT_FALSE(nav.KeepScrollOnSort);

    TMouseActions mouse;
    EXPECT_TRUE(mouse.PreciseNodeClick);
    EXPECT_TRUE(mouse.AutoSizeColOnDblClick);
    mouse.SetHotmailRowSelect(true);
    EXPECT_TRUE(mouse.DisjunctRowSelect());
    EXPECT_TRUE(mouse.CheckAllCheck);
    mouse.SetHotmailRowSelect(false);
    EXPECT_TRUE(mouse.DisjunctRowSelect());
    mouse.OnIsDesigning = [](void*, bool& designing) { designing = true; };
    mouse.SetDisjunctColSelect(true); // at design time the others go off
    EXPECT_FALSE(mouse.DisjunctRowSelect());

    TBands bands;
    int repaints = 0;
    bands.OnChange = [&](void*) { ++repaints; };
    bands.SetPrimaryLength(3);
    EXPECT_EQ(bands.TotalLength(), 4);
    EXPECT_EQ(repaints, 0); // inactive
    TBands source;
    source.Print = true;
    source.SetSecondaryLength(2);
    bands.Assign(source);
    EXPECT_TRUE(bands.Print);
    EXPECT_EQ(bands.TotalLength(), 3);
    EXPECT_TRUE(bands.IsPrimaryRow(1, 1));
    EXPECT_FALSE(bands.IsPrimaryRow(2, 1));

    TExStringGrid g;
    g.SyncGrid.SetGrid(&g);
    EXPECT_EQ(g.SyncGrid.Grid(), nullptr);
}

TEST(SettingsObjects, SmallRecordsAndGroupingLook)
{
    TPrintSettings print;
    EXPECT_EQ(print.DateFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(print.PageNumSep, QStringLiteral("/"));
    EXPECT_EQ(print.Borders, pbSingle);
    TPrintSettings other;
    other.FixedCellsAlways = true;
    other.TitleLines << QStringLiteral("t");
    print.Assign(other);
    EXPECT_FALSE(print.FixedCellsAlways);
    EXPECT_EQ(print.TitleLines, QStringList{QStringLiteral("t")});
    TCellNode node;
    EXPECT_EQ(node.NodeIndent(), 12);
    EXPECT_EQ(node.NodeType(), cnXP);
    TColumnSize size;
    EXPECT_EQ(size.Location, clRegistry);
    EXPECT_EQ(size.StretchColumn, -1);
    THTMLSettings html;
    EXPECT_EQ(html.Width, 100);
    TGrouping grouping, source;
    EXPECT_EQ(grouping.SummaryLineWidth, 2);
    EXPECT_EQ(grouping.HeaderLineColor, clBlue);
    source.Summary = true;
    source.ShowGroupCount = true;
    grouping.Assign(source);
    EXPECT_TRUE(grouping.ShowGroupCount);
    EXPECT_FALSE(grouping.Summary);
    TShowModified modified;
    EXPECT_EQ(modified.Color(), clYellow);
    int fired = 0;
    TBalloonSettings balloon;
    balloon.OnEnableChange = [&](void*) { ++fired; };
    balloon.SetEnable(true);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(balloon.ReshowDelay, -1);
}

TEST(Lists, IntListTextAndEvents)
{
    TIntList list(2, 3);
    int events = 0;
    list.OnChange = [&](TIntList*, int col, int row) {
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 3);
        ++events;
    };
    list.Add(3);
    list.Add(1);
    list.Add(4);
    EXPECT_EQ(list.StrValue(), QStringLiteral("3,1,4"));
    events = 0;
    list.SetStrValue(QStringLiteral("7,8"));
    EXPECT_EQ(list.StrValue(), QStringLiteral("7,8"));
    EXPECT_EQ(events, 2);
    list.Insert(0, 5); // no event
    EXPECT_EQ(events, 2);
    list.DeleteValue(8);
    EXPECT_EQ(list.StrValue(), QStringLiteral("5,7"));
    EXPECT_THROW(list.SetStrValue(QStringLiteral("1,x")), GridError);
    list.SetStrValue(QString());
    EXPECT_EQ(list.Count(), 0);
    list.SetStrValue(QStringLiteral(" 1 2,\"3\""));
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,2,3"));
}

TEST(Lists, SortIndexText)
{
    TSortIndexList sort;
    sort.AddIndex(2, true);
    sort.AddIndex(5, false);
    EXPECT_EQ(sort.SaveToString(), QStringLiteral("u2;d5"));
    EXPECT_EQ(sort.FindIndex(5), 1);
    sort.ToggleIndex(5);
    EXPECT_TRUE(sort.GetSortDirections(1));
    sort.LoadFromString(QStringLiteral("u2;d5;x9;;u"));
    ASSERT_EQ(sort.Count(), 3);
    EXPECT_EQ(sort.GetSortColumns(2), 9);
    EXPECT_TRUE(sort.GetSortDirections(0));
    EXPECT_FALSE(sort.GetSortDirections(1));
    EXPECT_FALSE(sort.GetSortDirections(2));
    TSortIndexList big;
    big.AddIndex(70000, true);
    EXPECT_EQ(big.SaveToString(), QStringLiteral("u4464"));
    big.SetSortColumns(0, 3);
    big.SetSortDirections(0, false);
    EXPECT_EQ(big.SaveToString(), QStringLiteral("d3"));
}

TEST(Lists, FileStringListControlsAndFilePicture)
{
    TFileStringList lines;
    lines.Write(QStringLiteral("a"));
    lines.Write(QStringLiteral("b"));
    lines.WriteLn(QStringLiteral("c"));
    EXPECT_EQ(lines.Lines, QStringList{QStringLiteral("abc")});
    QString s;
    lines.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("abc"));
    EXPECT_TRUE(lines.Eof());
    EXPECT_THROW(lines.ReadLn(s), GridError);

    QObject control;
    TControlList controls;
    controls.AddControl(1, 2, &control);
    EXPECT_EQ(controls.ControlIndex(1, 2), 0);
    controls.RemoveControl(0);
    EXPECT_EQ(controls.Count(), 0);
    EXPECT_EQ(control.objectName(), QString()); // the control lives on

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.png"));
    QImage(30, 20, QImage::Format_RGB32).save(path);
    TFilePicture picture;
    picture.SetFilename(path);
    EXPECT_EQ(picture.Width(), 30);
    EXPECT_EQ(picture.Height(), 20);
    QFile::remove(path);
    EXPECT_TRUE(picture.Load().isNull()); // read at each draw: the file is gone now
    const QString text = dir.filePath(QStringLiteral("t.png"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    EXPECT_THROW(picture.SetFilename(text), GridError);
    EXPECT_EQ(picture.Filename(), path);
}
