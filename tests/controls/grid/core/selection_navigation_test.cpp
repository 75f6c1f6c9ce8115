// Counts, fixed areas, selection, row flags and the advance after Enter.
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

using namespace grid;

TEST(Counts, FixedRowAlwaysGivesWayAndComesBack)
{
    TExStringGrid g;
    g.SetFixedRowAlways(true);
    g.SetRowCount(2);
    g.SetFixedRows(3);
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetRowCount(10);
    EXPECT_EQ(g.FixedRows(), 3);
    g.SetFixedRows(0);
    EXPECT_EQ(g.FixedRows(), 1); // reads 1 while FixedRowAlways
    EXPECT_EQ(g.RowCount(), 10);
    TExStringGrid d;
    EXPECT_EQ(d.RowCount(), 10);
    EXPECT_EQ(d.DefaultRowHeight(), 22);
    EXPECT_EQ(d.CheckTrue, QStringLiteral("Y"));
    EXPECT_EQ(d.CheckFalse, QStringLiteral("N"));
    EXPECT_EQ(d.FloatFormat, QStringLiteral("%.2f"));
}

TEST(Counts, TextsPastTheRowCountComeBack)
{
    TExStringGrid g;
    g.SetCells(1, 15, QStringLiteral("later")); // written past RowCount: kept, not shown
    g.SetRowCount(5);
    g.SetCells(1, 3, QStringLiteral("three"));
    g.SetRowCount(20);
    EXPECT_EQ(g.Cells(1, 15), QStringLiteral("later"));
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("three"));
    g.SetColCount(2);
    g.SetCells(4, 1, QStringLiteral("wide"));
    g.SetColCount(6);
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("wide"));
}

TEST(Selection, RowsColumnsAndText)
{
    TExStringGrid g;
    g.SetColCount(5);
    g.SelectRows(5, 1);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 5, 4, 5}));
    EXPECT_TRUE(g.RowSelect(5));
    EXPECT_FALSE(g.RowSelect(4));
    g.SelectRows(g.RowCount() - 1, 3);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 9, 4, 9}));
    EXPECT_EQ(g.RowSelectCount(), 1);

    g.SetCells(1, 1, QStringLiteral("A"));
    g.SetCells(2, 1, QStringLiteral("B"));
    g.SetCells(1, 2, QStringLiteral("C"));
    g.SetCells(2, 2, QStringLiteral("D"));
    g.SelectCells(1, 1, 2, 2);
    EXPECT_EQ(g.SelectedText(), QStringLiteral("A\tB\r\nC\tD"));
    EXPECT_TRUE(g.IsSelected(2, 2));
    EXPECT_FALSE(g.IsSelected(0, 2)); // fixed column

    g.MouseActions.SetDisjunctRowSelect(true);
    g.SelectRows(3, 2);
    EXPECT_TRUE(g.RowSelect(4));
    EXPECT_EQ(g.RowSelectCount(), 2);
    EXPECT_EQ(g.SelectedRows().StrValue(), QStringLiteral("3,4"));
    g.ClearRowSelect();
    EXPECT_EQ(g.RowSelectCount(), 0);

    g.MouseActions.SetDisjunctCellSelect(true);
    g.SelectedCells().Add((3 << 16) | 2);
    EXPECT_TRUE(g.IsSelected(2, 3));
    EXPECT_FALSE(g.IsSelected(3, 2));
}

TEST(RowFlags, ErrorsCarryTheExactText)
{
    TExStringGrid g;
    const struct
    {
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {[&] { g.RowSelect(-1); }, "Invalid row -1 accessed"},
        {[&] { g.RowSelect(10); }, "Invalid row 10 accessed"},
        {[&] { g.SetRowSelect(10, true); }, "Invalid row accessed"},
        {[&] { g.SetRowSelect(-2, false); }, "Invalid row accessed"},
        {[&] { g.ColSelect(5); }, "Invalid column accessed"},
        {[&] { g.SetColSelect(-1, true); }, "Invalid column accessed"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const GridError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
    }
    g.MouseActions.RowSelectPersistent = true;
    EXPECT_NO_THROW(g.RowSelect(500));
}

TEST(RowFlags, ModifiedAndEnabledRows)
{
    TExStringGrid g;
    g.SetRowModified(4, true);
    EXPECT_TRUE(g.RowModified(4));
    EXPECT_FALSE(g.RowModified(40));
    EXPECT_EQ(g.ModifiedRowCount(), 1);
    g.InsertRows(2, 2);
    EXPECT_TRUE(g.RowModified(6)); // the flag moves with its row
    g.SetRow(3);
    g.SetRowEnabled(1, false);
    g.SetRowEnabled(3, false); // the current row moves to the first other enabled row
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.RowEnabled(3));
    EXPECT_TRUE(g.RowEnabled(30));
}

namespace {

// A grid whose read-only columns come from a set.
struct NavGrid : TExStringGrid
{
    std::vector<int> readOnlyCols;
    NavGrid()
    {
        SetColCount(4);
        SetRowCount(4);
        Navigation.AdvanceOnEnter = true;
        OnCanEditCell = [this](TExStringGrid*, int, int col, bool& canEdit) {
            if (std::find(readOnlyCols.begin(), readOnlyCols.end(), col) != readOnlyCols.end())
                canEdit = false;
        };
    }
};

} // namespace

TEST(AdvanceEdit, StepsTable)
{
    const struct
    {
        const char* name;
        TAdvanceDirection dir;
        bool insert, loop, skip;
        std::vector<int> readOnly;
        TGridCoord from;
        bool forward;
        TGridCoord to;
        int rows;
    } cases[] = {
        {"next column", adLeftRight, false, true, true, {}, {1, 1}, true, {2, 1}, 4},
        {"row end to next row", adLeftRight, false, true, true, {}, {3, 1}, true, {1, 2}, 4},
        {"last cell loops", adLeftRight, false, true, true, {}, {3, 3}, true, {1, 1}, 4},
        {"last cell stays", adLeftRight, false, false, true, {}, {3, 3}, true, {3, 3}, 4},
        {"last cell inserts", adLeftRight, true, true, true, {}, {3, 3}, true, {1, 4}, 5},
        {"skips read-only", adLeftRight, false, true, true, {2}, {1, 1}, true, {3, 1}, 4},
        {"stops on read-only", adLeftRight, false, true, false, {2}, {1, 1}, true, {2, 1}, 4},
        {"all read-only ends", adLeftRight, false, true, true, {1, 2, 3}, {1, 1}, true, {1, 1}, 4},
        {"in row wraps", adLeftRightInRow, false, true, true, {}, {3, 2}, true, {1, 2}, 4},
        {"down", adTopBottom, false, true, true, {}, {2, 1}, true, {2, 2}, 4},
        {"down at bottom to next column", adTopBottom, false, true, true, {}, {2, 3}, true, {3, 1}, 4},
        {"in column wraps", adTopBottomInCol, false, true, true, {}, {2, 3}, true, {2, 1}, 4},
        {"back left", adLeftRight, false, true, true, {}, {2, 2}, false, {1, 2}, 4},
        {"back to previous row", adLeftRight, false, true, true, {}, {1, 2}, false, {3, 1}, 4},
        {"back up", adTopBottom, false, true, true, {}, {2, 2}, false, {2, 1}, 4},
    };
    for (const auto& c : cases) {
        NavGrid g;
        g.Navigation.SetAdvanceDirection(c.dir);
        g.Navigation.SetAdvanceInsert(c.insert);
        g.Navigation.AdvanceOnEnterLoop = c.loop;
        g.Navigation.AdvanceSkipReadOnlyCells = c.skip;
        g.readOnlyCols = c.readOnly;
        int added = -1;
        g.OnAutoAddRow = [&](TExStringGrid*, int row) { added = row; };
        g.FocusCell(c.from.X, c.from.Y, true);
        g.AdvanceEdit(c.from.X, c.from.Y, false, false, c.forward, false, false);
        EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), c.to) << c.name;
        EXPECT_EQ(g.RowCount(), c.rows) << c.name;
        if (c.insert) {
            EXPECT_EQ(added, 4) << c.name;
        }
    }
}

TEST(AdvanceEdit, EventsMayRedirectOrRefuse)
{
    NavGrid g;
    g.FocusCell(1, 1, true);
    g.OnAutoAdvance = [](TExStringGrid*, int, int, int& newRow, int& newCol, bool&) {
        newRow = 3;
        newCol = 2;
    };
    g.AdvanceEdit(1, 1, false, false, true, false, false);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{2, 3}));
    g.OnAutoAdvance = nullptr;
    g.OnCellChanging = [](TExStringGrid*, int, int, int, int, bool& allow) { allow = false; };
    g.AdvanceEdit(2, 3, false, false, true, false, false);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{2, 3}));
    g.Navigation.AdvanceOnEnter = false;
    g.OnCellChanging = nullptr;
    g.AdvanceEdit(2, 3, false, false, true, false, false); // neither AdvanceOnEnter nor Force
    EXPECT_EQ(g.Col(), 2);
    g.AdvanceEdit(2, 3, true, false, true, false, false);
    EXPECT_EQ(g.Col(), 3);
}

TEST(CellLook, GettersCreateNothingSettersSeedAndRowColoursFree)
{
    TExStringGrid g;
    EXPECT_EQ(g.Colors(2, 2), clNone);
    EXPECT_FALSE(g.HasCellProperties(2, 2));
    g.SetColors(2, 2, clRed);
    EXPECT_EQ(g.Colors(2, 2), clRed);
    EXPECT_EQ(g.FontNames(2, 2), g.Font.Name); // seeded from the grid's look
    g.SetFontColors(3, 2, clBlue);
    g.SetReadOnly(3, 2, true);
    EXPECT_TRUE(g.ReadOnly(3, 2));
    EXPECT_TRUE(g.WordWraps(4, 4)); // this getter creates
    EXPECT_TRUE(g.HasCellProperties(4, 4));
    g.SetRowColorTo(2, clNone);
    EXPECT_FALSE(g.HasCellProperties(2, 2));
    EXPECT_FALSE(g.HasCellProperties(3, 2));
}

TEST(EditText, TagsGoOnlyFromMiniHtml)
{
    TExStringGrid g;
    const struct
    {
        const char* text;
        bool enableHtml, withTags;
        const char* edited;
    } cases[] = {
        {"a<x>b", true, false, "a<x>b"}, // free text keeps every character
        {"<B>bold</B>", true, false, "bold"},
        {"<B>bold</B>", true, true, "<B>bold</B>"},
        {"<B>bold</B>", false, false, "<B>bold</B>"},
        {"1<BR>2", true, false, "1\r\n2"},
    };
    for (const auto& c : cases) {
        g.EnableHTML = c.enableHtml;
        g.EditWithTags = c.withTags;
        g.SetCells(1, 1, QString::fromLatin1(c.text));
        EXPECT_EQ(g.GetEditText(1, 1), QString::fromLatin1(c.edited)) << c.text;
    }
    g.HideColumn(1);
    g.SetCells(1, 1, QStringLiteral("hidden"));
    g.SetCells(2, 1, QStringLiteral("shown"));
    EXPECT_EQ(g.GetEditText(1, 1), QStringLiteral("shown")); // display column 1 is real column 2
    g.SetEditText(1, 1, QStringLiteral("typed"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("typed"));
}

TEST(SearchFooter, LastRowClearsThePanel)
{
    TExStringGrid g;
    g.SetRowCount(40);
    g.SetClientSize(QSize(300, 220));
    g.SearchFooter.SetVisible(true);
    g.SetRow(39);
    const QRect last = g.UnclippedCellRect(0, 39);
    EXPECT_LE(last.y() + last.height(), g.ClientHeight() - g.SearchPanelHeight() + 2);
    EXPECT_TRUE(g.LastRowClearsSearchFooter());
    g.ScrollInView(1, 20);
    const QRect r = g.UnclippedCellRect(0, 20);
    EXPECT_LE(r.y() + r.height(), g.ClientHeight() - g.SearchPanelHeight());
}

TEST(DisplayText, UrlsShowAsLinksOnlyWhenAsked)
{
    TExStringGrid g;
    g.SetCells(1, 1, QStringLiteral("mail me at mailto:a@b.c or www.x.org"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("mail me at mailto:a@b.c or www.x.org"));
    g.URLShowInText = true;
    EXPECT_EQ(g.Cells(1, 1),
              QStringLiteral("mail me at mailto:a@b.c or <a href=\"www.x.org\">www.x.org</a>")); // WWW. comes first
}

TEST(CellControls, PlacedOverTheCellAndCountedOnce)
{
    struct View : GridView
    {
        QRect bounds;
        bool visible = false;
        void InvalidateRect(const QRect&) override {}
        void InvalidateAll() override {}
        void UpdateScrollBars() override {}
        void PlaceControl(QObject*, const QRect& b, bool v) override
        {
            bounds = b;
            visible = v;
        }
    } view;
    TExStringGrid g;
    g.SetView(&view);
    QObject control;
    const int before = g.NumCellControls();
    g.SetCellControls(2, 3, &control);
    const QRect cell = g.CellRect(2, 3);
    EXPECT_EQ(view.bounds, QRect(cell.x() - 1, cell.y() - 1, cell.width() + 1, cell.height() + 1));
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(g.CellControls(2, 3), &control);
    g.SetCellControls(2, 3, &control); // again: still one
    EXPECT_EQ(g.NumCellControls(), before + 1);
    g.HideRow(3);
    EXPECT_FALSE(view.visible);
    g.UnHideRow(3);
    EXPECT_TRUE(view.visible);
    g.SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g.NumCellControls(), before);
    EXPECT_EQ(g.ControlList().Count(), 0);
    g.SetView(nullptr);
}
