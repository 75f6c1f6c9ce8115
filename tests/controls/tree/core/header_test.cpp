// The headless header: columns in index and display order, widths and limits, several columns resized at
// once, springs, fitting, the auto-size column, sorting and the header stream.

#include "controls/tree/core/tree_errors.h"
#include "controls/tree/core/tree_header.h"

#include "tree_fixture.h"

#include <gtest/gtest.h>

namespace tree_test {
namespace {

class HeaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.SetView(&view);
        tree.SetMeasurer(&measurer);
        tree.SetColumns(&header);
    }
    TLazyTreeColumns& Columns() { return header.Columns(); }
    void AddColumns(int n, int width = 50)
    {
        for (int i = 0; i < n; ++i)
            Columns().Add().SetWidth(width);
    }
    std::vector<int> Widths()
    {
        std::vector<int> w;
        for (int i = 0; i < Columns().Count(); ++i)
            w.push_back(Columns()[i].Width());
        return w;
    }
    std::vector<int> Lefts()
    {
        std::vector<int> l;
        for (int i = 0; i < Columns().Count(); ++i)
            l.push_back(Columns()[i].UnscrolledLeft());
        return l;
    }

    FakeView view;
    FakeMeasurer measurer;
    TestTree tree;
    TVTHeader header{tree};
};

TEST_F(HeaderTest, NewHeaderAndColumnsHaveTheirDefaults)
{
    EXPECT_FALSE(header.Visible());
    EXPECT_EQ(header.Height(), 19);
    EXPECT_EQ(header.Options().Bits(), 0x20Au);
    EXPECT_EQ(header.SortColumn(), NoColumn);
    EXPECT_EQ(header.MainColumn(), NoColumn);
    EXPECT_FALSE(header.UseColumns());

    TLazyTreeColumn& first = Columns().Add();
    TLazyTreeColumn& second = Columns().Add();
    EXPECT_EQ(first.Options().Bits(), 0x88FFu);
    EXPECT_EQ(first.Position(), 0u);
    EXPECT_EQ(first.Width(), 50);
    EXPECT_EQ(first.UnscrolledLeft(), 0);
    EXPECT_EQ(second.Position(), 1u);
    EXPECT_EQ(second.UnscrolledLeft(), 50);
    EXPECT_EQ(header.MainColumn(), 0);
    EXPECT_EQ(header.TotalWidth(), 100);
    EXPECT_EQ(tree.RangeX(), 100u);
}

TEST_F(HeaderTest, HidingAColumnMovesTheEdgesNotThePositions)
{
    AddColumns(3);
    TVTColumnOptions o = Columns()[1].Options();
    o.Exclude(coVisible);
    Columns()[1].SetOptions(o);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 50, 50}));
    EXPECT_EQ(Columns()[2].Position(), 2u);
    EXPECT_EQ(header.TotalWidth(), 100);
    EXPECT_EQ(Columns().GetNextVisibleColumn(0), 2);
    EXPECT_EQ(Columns().GetPreviousVisibleColumn(2), 0);
}

TEST_F(HeaderTest, PositionMovesTheDisplayOrder)
{
    AddColumns(3);
    Columns()[0].SetPosition(99);
    EXPECT_EQ(Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
    EXPECT_EQ(Columns()[1].Position(), 0u);
    EXPECT_EQ(Columns()[2].Position(), 1u);
    EXPECT_EQ(Columns()[0].Position(), 2u);
    EXPECT_EQ(Lefts(), (std::vector<int>{100, 0, 50}));
    EXPECT_EQ(Columns().GetFirstColumn(), 1);
    EXPECT_EQ(Columns().GetNextColumn(0), InvalidColumn);

    Columns()[0].SetPosition(0);
    EXPECT_EQ(Columns().PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2}));
}

TEST_F(HeaderTest, AMovedColumnTakesCoFixedFromItsNeighbour)
{
    AddColumns(3);
    TVTColumnOptions fixed = Columns()[0].Options();
    fixed.Include(coFixed);
    Columns()[0].SetOptions(fixed);
    Columns()[2].SetPosition(1); // now right of the fixed column 0
    EXPECT_TRUE(Columns()[2].IsFixed());
    Columns()[1].SetPosition(0); // leftmost: from its right neighbour, column 0
    EXPECT_TRUE(Columns()[1].IsFixed());

    TVTHeader plain(tree);
    tree.SetColumns(&plain);
    for (int i = 0; i < 3; ++i)
        plain.Columns().Add();
    plain.Columns()[2].SetOptions(plain.Columns()[2].Options() + TVTColumnOptions{coFixed});
    plain.Columns()[2].SetPosition(0); // leftmost: its right neighbour is not fixed
    EXPECT_FALSE(plain.Columns()[2].IsFixed());
    tree.SetColumns(&header);
}

TEST_F(HeaderTest, RemovingAColumnRenumbersEveryIndex)
{
    AddColumns(3);
    header.ApplySortColumn(0);
    header.SetAutoSizeIndex(2);
    Columns().Delete(0);
    EXPECT_EQ(Columns().Count(), 2);
    EXPECT_EQ(header.MainColumn(), 0);
    EXPECT_EQ(header.SortColumn(), NoColumn);
    EXPECT_EQ(header.AutoSizeIndex(), 1);
    EXPECT_EQ(Columns().PositionToIndex(), (std::vector<TColumnIndex>{0, 1}));
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 50}));

    Columns().Delete(1);
    Columns().Delete(0);
    EXPECT_EQ(header.MainColumn(), NoColumn);
    EXPECT_THROW(Columns().Delete(0), std::out_of_range);
}

TEST_F(HeaderTest, ColumnUnderAPoint)
{
    AddColumns(3);
    struct Case {
        int x;
        TColumnIndex column;
    };
    for (const Case& c : {Case{-1, InvalidColumn}, Case{0, 0}, Case{49, 0}, Case{50, 1}, Case{149, 2},
             Case{150, InvalidColumn}}) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(Columns().ColumnFromPosition(TPoint{c.x, 5}), c.column);
    }
    EXPECT_EQ(Columns().ColumnFromPosition(uint32_t{3}), NoColumn);
}

TEST_F(HeaderTest, WidthLimits)
{
    TLazyTreeColumn& c = Columns().Add();
    c.SetWidth(15);
    c.SetMinWidth(20);
    EXPECT_EQ(c.Width(), 20);
    c.SetMinWidth(10);
    c.SetMaxWidth(5);
    EXPECT_EQ(c.MaxWidth(), 10);
    EXPECT_EQ(c.Width(), 10);
    c.SetMinWidth(-3);
    EXPECT_EQ(c.MinWidth(), 0);
    c.SetWidth(20000);
    EXPECT_EQ(c.Width(), 10);
    EXPECT_EQ(c.LastWidth(), 20);
}

TEST_F(HeaderTest, TheAutoSizeColumnFillsTheClient)
{
    view.width = 300;
    AddColumns(3);
    header.SetAutoSizeIndex(1);
    header.SetOptions(header.Options() + TVTHeaderOptions{hoAutoResize});
    EXPECT_EQ(Widths(), (std::vector<int>{50, 200, 50}));
    Columns()[1].SetWidth(80); // belongs to the fit
    EXPECT_EQ(Widths(), (std::vector<int>{50, 200, 50}));
    Columns()[0].SetWidth(100);
    EXPECT_EQ(Widths(), (std::vector<int>{100, 150, 50}));
    header.SetAutoSizeIndex(7); // out of range: the last column
    view.width = 400;
    header.FitAutoSizeColumn(false);
    EXPECT_EQ(Widths(), (std::vector<int>{100, 150, 150}));
}

TEST_F(HeaderTest, HeightLimitsAndPercentages)
{
    struct Case {
        int minHeight, maxHeight;
        uint8_t maxPercent, minPercent;
        int value, expected;
    };
    // Client 181 plus header 19: the tree is 200 high.
    view.height = 181;
    for (const Case& c : {Case{10, 40, 0, 0, 100, 40}, Case{10, 10000, 10, 0, 30, 20}, Case{10, 10000, 0, 0, 3, 10},
             Case{25, 10000, 10, 0, 30, 20}}) {
        TVTHeader h(tree);
        h.SetMaxHeight(c.maxHeight);
        h.SetMinHeight(c.minHeight);
        h.SetConstraint(cpMaxHeight, c.maxPercent);
        h.SetConstraint(cpMinHeight, c.minPercent);
        h.SetHeight(c.value);
        EXPECT_EQ(h.Height(), c.expected) << c.value;
    }
}

TEST_F(HeaderTest, ScalingRoundsHalvesAwayFromZeroAndSparesAParentFont)
{
    struct Case {
        int m, d;
        bool parentFont;
        int height, fontHeight;
        std::vector<int> widths;
    };
    // Height 19, font -11, widths 50 and 15.
    for (const Case& c : {Case{3, 2, false, 29, -17, {75, 23}}, Case{1, 2, false, 10, -6, {25, 10}},
             Case{2, 1, true, 38, -11, {100, 30}}, Case{1, 0, false, 19, -11, {50, 15}}}) {
        SCOPED_TRACE(c.m * 10 + c.d);
        TVTHeader h(tree);
        for (int w : {50, 15})
            h.Columns().Add().SetWidth(w);
        h.SetParentFont(c.parentFont);
        h.ScaleHeader(c.m, c.d);
        EXPECT_EQ(h.Height(), c.height);
        EXPECT_EQ(h.Font().Height, c.fontHeight);
        std::vector<int> widths;
        for (int i = 0; i < h.Columns().Count(); ++i)
            widths.push_back(h.Columns()[i].Width());
        EXPECT_EQ(widths, c.widths); // the minimum width 10 holds
    }
}

TEST_F(HeaderTest, PercentConstraintsKeepMinimumBelowMaximum)
{
    header.SetConstraint(cpMinWidth, 50);
    header.SetConstraint(cpMaxWidth, 30);
    EXPECT_EQ(header.FixedAreaConstraints().MinWidthPercent, 30);
    header.SetConstraint(cpMinHeight, 60);
    header.SetConstraint(cpMaxHeight, 0);
    header.SetConstraint(cpMaxHeight, 40);
    EXPECT_EQ(header.FixedAreaConstraints().MinHeightPercent, 40);
    header.SetConstraint(cpMinHeight, 50);
    EXPECT_EQ(header.FixedAreaConstraints().MaxHeightPercent, 50);
}

TEST_F(HeaderTest, ResizeColumnsSpreadsOddPixelsOverDifferentColumns)
{
    AddColumns(3);
    EXPECT_EQ(header.ResizeColumns(7, 0, 2, {coVisible}), 7);
    std::vector<int> first = Widths();
    std::sort(first.begin(), first.end());
    EXPECT_EQ(first, (std::vector<int>{52, 52, 53}));
    const std::vector<int> afterFirst = Widths();
    EXPECT_EQ(header.ResizeColumns(7, 0, 2, {coVisible}), 7);
    std::vector<int> growth;
    for (int i = 0; i < 3; ++i)
        growth.push_back(Widths()[static_cast<std::size_t>(i)] - afterFirst[static_cast<std::size_t>(i)]);
    // The column that had the extra pixel gets 2 this time.
    for (int i = 0; i < 3; ++i)
        if (afterFirst[static_cast<std::size_t>(i)] == 53) {
            EXPECT_EQ(growth[static_cast<std::size_t>(i)], 2);
        }
}

TEST_F(HeaderTest, ResizeColumnsStopsAtTheLimitsAndReportsTheChange)
{
    AddColumns(3);
    Columns()[0].SetMinWidth(45);
    Columns()[1].SetMinWidth(48);
    TVTColumnOptions o = Columns()[2].Options();
    o.Exclude(coResizable);
    Columns()[2].SetOptions(o);
    EXPECT_EQ(header.ResizeColumns(-100, 0, 2, {coVisible, coResizable}), -7);
    EXPECT_EQ(Widths(), (std::vector<int>{45, 48, 50}));
    EXPECT_EQ(header.ResizeColumns(0, 0, 2, {}), 0);
    Columns()[0].SetMaxWidth(52);
    Columns()[1].SetMaxWidth(49);
    EXPECT_EQ(header.ResizeColumns(100, 0, 1, {coVisible}), 8);
    EXPECT_EQ(Widths(), (std::vector<int>{52, 49, 50}));
}

TEST_F(HeaderTest, SpringColumnsShareWidthChangesAndKeepTheFraction)
{
    view.width = 200;
    AddColumns(3);
    for (TColumnIndex i : {0, 2}) {
        TVTColumnOptions o = Columns()[i].Options();
        o.Include(coAutoSpring);
        Columns()[i].SetOptions(o);
    }
    header.SetOptions(header.Options() + TVTHeaderOptions{hoAutoSpring});
    header.DistributeSpringWidth(); // first call only remembers the width
    EXPECT_EQ(Widths(), (std::vector<int>{50, 50, 50}));
    view.width = 203;
    header.DistributeSpringWidth();
    EXPECT_EQ(Widths(), (std::vector<int>{51, 50, 51}));
    EXPECT_FLOAT_EQ(Columns()[0].SpringRest(), 0.5f);
    EXPECT_FLOAT_EQ(Columns()[2].SpringRest(), 0.5f);
    view.width = 204;
    header.DistributeSpringWidth();
    EXPECT_EQ(Widths(), (std::vector<int>{52, 50, 52}));
    view.width = 200;
    header.DistributeSpringWidth();
    EXPECT_EQ(Widths(), (std::vector<int>{50, 50, 50}));
}

TEST_F(HeaderTest, AutoFitSkipsHiddenAndFixedSizeColumnsAndStopsWhenCancelled)
{
    EventLog log;
    BuildShape(tree, "A B C", log);
    AddColumns(4, 200);
    TVTColumnOptions hidden = Columns()[1].Options();
    hidden.Exclude(coVisible);
    Columns()[1].SetOptions(hidden);
    TVTColumnOptions fixedSize = Columns()[2].Options();
    fixedSize.Exclude(coResizable);
    Columns()[2].SetOptions(fixedSize);
    const int fit = tree.GetMaxColumnWidth(0, false);
    ASSERT_NE(fit, 200);
    std::vector<TColumnIndex> fitted;
    header.OnAfterAutoFitColumn = [&](TVTHeader&, TColumnIndex c) {
        fitted.push_back(c);
        tree.CancelOperation();
    };
    header.AutoFitColumns(false, smaUseColumnOption);
    EXPECT_EQ(fitted, (std::vector<TColumnIndex>{0}));
    EXPECT_EQ(Widths(), (std::vector<int>{fit, 200, 200, 200}));
    EXPECT_EQ(tree.OperationCount(), 0u);

    header.OnAfterAutoFitColumn = nullptr;
    header.AutoFitColumns(false, smaUseColumnOption);
    EXPECT_EQ(Widths()[3], tree.GetMaxColumnWidth(3, false));
    EXPECT_EQ(Widths()[1], 200);
    EXPECT_EQ(Widths()[2], 200);
}

TEST_F(HeaderTest, SortSettingsSortTheTreeOutsideUpdates)
{
    EventLog log;
    BuildShape(tree, "B A C", log);
    AddColumns(2);
    int compares = 0;
    tree.OnCompareNodes = [&](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& result) {
        ++compares;
        result = log.Name(a).compare(log.Name(b));
    };
    tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TVTAutoOptions{toAutoSort});
    header.ApplySortColumn(1);
    EXPECT_EQ(log.Name(tree.GetFirst()), "A");
    compares = 0;
    tree.BeginUpdate();
    header.SetSortDirection(sdDescending);
    EXPECT_EQ(compares, 0);
    tree.EndUpdate();
    header.SetSortDirection(sdAscending);
    header.SetSortDirection(sdDescending);
    EXPECT_EQ(log.Name(tree.GetFirst()), "C");
    header.ApplySortColumn(9);
    EXPECT_EQ(header.SortColumn(), 1);
}

// ---- Mouse ---------------------------------------------------------------------------------------------------
// Header points in client coordinates: the band has y from -Height to -1.

class HeaderMouseTest : public HeaderTest {
protected:
    void SetUp() override
    {
        HeaderTest::SetUp();
        view.width = 300;
        AddColumns(3);
        header.SetOptions(header.Options() + TVTHeaderOptions{hoVisible});
    }
    void Click(int x, TShiftState shift = {})
    {
        header.MouseDown(mbLeft, shift, {x, -10});
        header.MouseUp(mbLeft, shift, {x, -10});
    }
};

TEST_F(HeaderMouseTest, SplitterZoneFollowsTheTolerance)
{
    struct Case {
        int x;
        TColumnIndex column;
    };
    // Tolerance 8: from 2 left to 4 right of an edge.
    for (const Case& c : {Case{47, InvalidColumn}, Case{48, 0}, Case{54, 0}, Case{55, InvalidColumn}, Case{98, 1},
             Case{104, 1}, Case{152, 2}}) {
        SCOPED_TRACE(c.x);
        const bool hit = header.FindSplitterColumn({c.x, -5});
        EXPECT_EQ(hit, c.column >= 0);
        if (hit) {
            EXPECT_EQ(header.Columns().TrackIndex(), c.column);
        }
    }
    header.SetSplitterHitTolerance(4); // near 2, far 2
    EXPECT_FALSE(header.FindSplitterColumn({52, -5}));
    EXPECT_TRUE(header.FindSplitterColumn({51, -5}));
    EXPECT_FALSE(header.FindSplitterColumn({48, -5}));
}

TEST_F(HeaderMouseTest, DraggingASplitterResizesTheColumn)
{
    std::vector<TColumnIndex> resized;
    header.OnColumnResize = [&](TVTHeader&, TColumnIndex c) { resized.push_back(c); };
    EXPECT_TRUE(header.MouseDown(mbLeft, {}, {51, -5}));
    EXPECT_EQ(header.CursorAt({200, -5}), hcColumnSplitter);
    header.MouseMove({}, {81, -5});
    header.MouseMove({}, {5, 40}); // below the minimum
    EXPECT_EQ(Widths(), (std::vector<int>{10, 50, 50}));
    header.MouseMove({}, {71, 40});
    EXPECT_TRUE(header.MouseUp(mbLeft, {}, {71, 40}));
    EXPECT_EQ(Widths(), (std::vector<int>{71, 50, 50}));
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 71, 121}));
    EXPECT_EQ(resized, (std::vector<TColumnIndex>{0, 0, 0}));
    EXPECT_TRUE(header.States().Empty());
    EXPECT_EQ(header.CursorAt({200, -5}), hcDefault);
}

TEST_F(HeaderMouseTest, TheAutoSizeColumnsSplitterResizesItsNeighbour)
{
    header.SetAutoSizeIndex(0);
    header.SetOptions(header.Options() + TVTHeaderOptions{hoAutoResize});
    ASSERT_EQ(Widths(), (std::vector<int>{200, 50, 50}));
    header.MouseDown(mbLeft, {}, {201, -5});
    header.MouseMove({}, {181, -5});
    header.MouseUp(mbLeft, {}, {181, -5});
    EXPECT_EQ(Widths(), (std::vector<int>{181, 69, 50})); // the edge follows the pointer
}

TEST_F(HeaderMouseTest, DraggingAButtonReordersTheColumns)
{
    std::vector<std::pair<TColumnIndex, uint32_t>> dragged;
    header.OnHeaderDragged = [&](TVTHeader&, TColumnIndex c, uint32_t old) { dragged.push_back({c, old}); };
    int clicks = 0;
    header.OnHeaderClick = [&](TVTHeader&, const TVTHeaderHitInfo&) { ++clicks; };
    EXPECT_TRUE(header.MouseDown(mbLeft, {}, {20, -10}));
    EXPECT_FALSE(header.MouseMove({}, {24, -10})); // within the threshold
    EXPECT_TRUE(header.MouseMove({}, {140, -10}));  // right half of position 2
    EXPECT_EQ(header.Columns().DropTarget(), 2);
    EXPECT_FALSE(header.Columns().DropBefore());
    header.MouseUp(mbLeft, {}, {140, -10});
    EXPECT_EQ(header.Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
    EXPECT_EQ(dragged, (std::vector<std::pair<TColumnIndex, uint32_t>>{{0, 0}}));
    EXPECT_EQ(clicks, 0);

    // A press that does not move far enough is a click; a drop outside the tree changes nothing.
    Click(20);
    EXPECT_EQ(clicks, 1);
    TColumnIndex out = NoColumn;
    header.OnHeaderDraggedOut = [&](TVTHeader&, TColumnIndex c, TPoint) { out = c; };
    header.MouseDown(mbLeft, {}, {20, -10});
    header.MouseMove({}, {60, -10});
    header.MouseUp(mbLeft, {}, {60, -400});
    EXPECT_EQ(out, 1);
    EXPECT_EQ(header.Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));

    // Escape ends a drag without a change.
    header.MouseDown(mbLeft, {}, {20, -10});
    header.MouseMove({}, {140, -10});
    EXPECT_TRUE(header.CancelInteraction());
    header.MouseUp(mbLeft, {}, {140, -10});
    EXPECT_EQ(header.Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
}

TEST_F(HeaderMouseTest, ClicksSortAndToggleCheckBoxes)
{
    header.SetOptions(header.Options() + TVTHeaderOptions{hoHeaderClickAutoSort});
    Columns()[2].SetDefaultSortDirection(sdDescending);
    Click(60);
    EXPECT_EQ(header.SortColumn(), 1);
    EXPECT_EQ(header.SortDirection(), sdAscending);
    Click(60);
    EXPECT_EQ(header.SortDirection(), sdDescending);
    Click(60);
    EXPECT_EQ(header.SortDirection(), sdAscending);
    Click(120);
    EXPECT_EQ(header.SortColumn(), 2);
    EXPECT_EQ(header.SortDirection(), sdDescending);

    // A click on a column's check box advances its state and does not sort.
    Columns()[0].SetCheckBox(true);
    Columns()[0].SetImageRect(true, {4, 3, 17, 16}); // as the painter left it, header coordinates
    std::vector<TVTHeaderHitPositions> hits;
    header.OnHeaderClick = [&](TVTHeader&, const TVTHeaderHitInfo& info) { hits.push_back(info.HitPosition); };
    header.MouseDown(mbLeft, {}, {8, -10});
    header.MouseUp(mbLeft, {}, {8, -10});
    EXPECT_EQ(Columns()[0].CheckState(), csCheckedNormal);
    EXPECT_EQ(header.SortColumn(), 2);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(hits[0].HasAll({hhiOnColumn, hhiOnIcon, hhiOnCheckbox}));

    // A column without coAllowClick reports no column.
    Columns()[1].SetOptions(Columns()[1].Options() - TVTColumnOptions{coAllowClick});
    Click(60);
    EXPECT_TRUE(hits.back().Has(hhiNoWhere));
    EXPECT_EQ(header.SortColumn(), 2);
}

TEST_F(HeaderMouseTest, TheBottomEdgeDragsAndRestoresTheHeight)
{
    header.SetOptions(header.Options() + TVTHeaderOptions{hoHeightResize, hoHeightDblClickResize});
    EXPECT_EQ(header.CursorAt({100, -1}), hcHeightSplitter);
    EXPECT_TRUE(header.MouseDown(mbLeft, {}, {100, -1}));
    header.MouseMove({}, {100, 10});
    header.MouseUp(mbLeft, {}, {100, 10});
    EXPECT_EQ(header.Height(), 29);
    header.DoubleClick(mbLeft, {}, {100, -1});
    EXPECT_EQ(header.Height(), 19);
}

TEST_F(HeaderMouseTest, DoubleClickOnASplitterFitsTheColumn)
{
    EventLog log;
    BuildShape(tree, "A B", log);
    header.SetOptions(header.Options() + TVTHeaderOptions{hoDblClickResize});
    EXPECT_TRUE(header.DoubleClick(mbLeft, {}, {101, -5}));
    EXPECT_EQ(Columns()[1].Width(), tree.GetMaxColumnWidth(1, false));
    EXPECT_EQ(Columns()[0].Width(), 50);
}

TEST_F(HeaderMouseTest, MouseAndTrackingEventsInTheirOrder)
{
    header.SetOptions(header.Options() + TVTHeaderOptions{hoHeightResize});
    std::vector<std::string> log;
    const auto at = [](TPoint p) { return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")"; };
    header.OnHeaderMouseDown = [&](TVTHeader&, TMouseButton b, TShiftState, TPoint p) {
        log.push_back("down" + std::to_string(int(b)) + at(p));
    };
    header.OnHeaderMouseUp = [&](TVTHeader&, TMouseButton b, TShiftState, TPoint p) {
        log.push_back("up" + std::to_string(int(b)) + at(p));
    };
    header.OnHeaderMouseMove = [&](TVTHeader&, TShiftState, TPoint p) { log.push_back("move" + at(p)); };
    header.OnHeaderClick = [&](TVTHeader&, const TVTHeaderHitInfo& info) {
        log.push_back("click" + std::to_string(info.Column));
    };
    header.OnBeforeColumnWidthTracking = [&](TVTHeader&, TColumnIndex c, TShiftState) {
        log.push_back("before width " + std::to_string(c));
    };
    bool allowWidth = true;
    header.OnColumnWidthTracking = [&](TVTHeader&, TColumnIndex c, TShiftState, TPoint&, TPoint p, bool& allowed) {
        log.push_back("width " + std::to_string(c) + at(p));
        allowed = allowWidth;
    };
    header.OnAfterColumnWidthTracking = [&](TVTHeader&, TColumnIndex c) {
        log.push_back("after width " + std::to_string(c));
    };
    header.OnBeforeHeaderHeightTracking = [&](TVTHeader&, TShiftState) { log.push_back("before height"); };
    header.OnHeaderHeightTracking = [&](TVTHeader&, TPoint& p, TShiftState, bool&) {
        log.push_back("height" + at(p));
        p.Y = 5; // the handler moves the edge
    };
    header.OnAfterHeaderHeightTracking = [&](TVTHeader&) { log.push_back("after height"); };

    using Log = std::vector<std::string>;
    // Header height 19: client y -10 is header y 9.
    Click(60);
    header.MouseMove({}, {70, -10});
    header.MouseMove({}, {70, 10}); // below the header: no move event
    EXPECT_EQ(log, (Log{"down0(60,9)", "click1", "up0(60,9)", "move(70,9)"}));

    log.clear();
    header.MouseDown(mbLeft, {}, {51, -5});
    header.MouseMove({}, {81, -5});
    allowWidth = false;
    header.MouseMove({}, {91, -5}); // vetoed: the width stays
    header.MouseUp(mbLeft, {}, {91, -5});
    EXPECT_EQ(log, (Log{"before width 0", "down0(51,14)", "width 0(81,-5)", "width 0(91,-5)", "up0(91,14)",
                       "after width 0"}));
    EXPECT_EQ(Widths(), (std::vector<int>{81, 50, 50}));

    log.clear();
    header.MouseDown(mbLeft, {}, {200, -1});
    header.MouseMove({}, {200, 30});
    EXPECT_TRUE(header.CancelInteraction()); // Escape ends the tracking with its after event
    EXPECT_EQ(log, (Log{"before height", "down0(200,18)", "height(200,30)", "after height"}));
    EXPECT_EQ(header.Height(), 24);

    // Right and middle buttons report down and up; a cursor handler may change the shape.
    log.clear();
    header.MouseDown(mbMiddle, {}, {20, -10});
    header.MouseUp(mbMiddle, {}, {20, -10});
    EXPECT_EQ(log, (Log{"down2(20,14)", "click0", "up2(20,14)"}));
    header.OnGetHeaderCursor = [](TVTHeader&, THeaderCursor& cursor) {
        if (cursor == hcColumnSplitter)
            cursor = hcDefault;
    };
    EXPECT_EQ(header.CursorAt({82, -5}), hcDefault);
    EXPECT_EQ(header.CursorAt({100, -1}), hcHeightSplitter);
}

// ---- Stream ------------------------------------------------------------------------------------------------

std::vector<uint8_t> Ints(std::initializer_list<int32_t> values)
{
    std::vector<uint8_t> bytes;
    for (int32_t v : values)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return bytes;
}

TEST_F(HeaderTest, StreamRoundTripReproducesTheHeader)
{
    view.width = 400;
    AddColumns(3);
    Columns()[0].SetText(u"Name");
    Columns()[1].SetText(u"Größe \u4E2D");
    Columns()[1].SetHint(u"size");
    Columns()[1].SetCaptionAlignment(taCenter);
    Columns()[2].SetWidth(120);
    Columns()[2].SetMinWidth(30);
    Columns()[2].SetTag(77);
    Columns()[2].SetColor(0xFF336699u);
    Columns()[2].SetPosition(0);
    header.SetMainColumn(1);
    header.ApplySortColumn(2);
    header.SetSortDirection(sdDescending);
    header.SetMaxHeight(60);
    header.SetDefaultHeight(25);
    header.SetConstraint(cpMaxWidth, 40);
    header.SetStyle(hsPlates);
    THeaderFont font;
    font.Name = "Sans Ünicode";
    font.Height = -14;
    font.Style = {fsBold, fsItalic};
    header.SetFont(font);
    header.SetOptions(header.Options() + TVTHeaderOptions{hoVisible, hoHotTrack});

    TMemoryStream stream;
    header.SaveToStream(stream);
    FakeView otherView;
    otherView.width = 400;
    TestTree other;
    other.SetView(&otherView);
    TVTHeader copy(other);
    other.SetColumns(&copy);
    stream.Seek(0);
    copy.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_TRUE(copy.Columns().Equals(header.Columns()));
    EXPECT_EQ(copy.MainColumn(), 1);
    EXPECT_EQ(copy.SortColumn(), 2);
    EXPECT_EQ(copy.SortDirection(), sdDescending);
    EXPECT_EQ(copy.Height(), 25);
    EXPECT_EQ(copy.MaxHeight(), 60);
    EXPECT_EQ(copy.DefaultHeight(), 25);
    EXPECT_EQ(copy.FixedAreaConstraints(), header.FixedAreaConstraints());
    EXPECT_EQ(copy.Style(), hsPlates);
    EXPECT_EQ(copy.Font(), font);
    EXPECT_EQ(copy.Options(), header.Options());
    EXPECT_EQ(copy.Columns()[2].UnscrolledLeft(), 0);

    TMemoryStream again;
    copy.SaveToStream(again);
    EXPECT_EQ(again.Bytes(), stream.Bytes());
}

TEST_F(HeaderTest, VersionOneAndUnversionedStreams)
{
    // Version 1: one column with stored options 0x1F; tag and alignment follow; no colour.
    std::vector<uint8_t> v1 = Ints({-1, 1, 1, 0, 0, 80, 10, 1000, 0, -1, 0, 4, 3, 0, 0x1F, 5, 2, 0, 0, 0x7F, 33, 0x20A,
        0, 0, -11, 0, 0, 0, 0, 0, 0});
    TReadOnlyMemoryStream s1(v1);
    header.LoadFromStream(s1);
    ASSERT_EQ(Columns().Count(), 1);
    EXPECT_EQ(Columns()[0].Options().Bits(), 0x2Fu);
    EXPECT_EQ(Columns()[0].Tag(), 5);
    EXPECT_EQ(Columns()[0].Alignment(), taCenter);
    EXPECT_EQ(Columns()[0].Width(), 80);
    EXPECT_EQ(header.Height(), 33);

    // Unversioned: the first value is the column count; everything from the main column on is absent.
    std::vector<uint8_t> v0 = Ints({2, 0, 0, 60, 10, 1000, 0, -1, 0, 4, 3, 0, 0xFF, 0, 0, 70, 10, 1000, 0, -1, 0, 4,
        3, 0, 0xFF, 1, 0, 0, 0x7F, 21, 0x20A, 0, 0, -11, 0, 0, 0});
    TReadOnlyMemoryStream s0(v0);
    header.LoadFromStream(s0);
    EXPECT_EQ(s0.Position(), s0.Size());
    ASSERT_EQ(Columns().Count(), 2);
    EXPECT_EQ(Columns()[0].Options().Bits(), 0xEFu); // bits 4..7 moved up
    EXPECT_EQ(Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 0}));
    EXPECT_EQ(header.Height(), 21);
}

TEST_F(HeaderTest, MalformedStreamsAreRefusedAndChangeNothing)
{
    AddColumns(2);
    Columns()[0].SetText(u"kept");
    TMemoryStream good;
    header.SaveToStream(good);
    const std::vector<uint8_t>& bytes = good.Bytes();
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        int code;
    };
    std::vector<uint8_t> badOrder = bytes;
    // The display map follows the two 15-int column records (texts of 4 and 0 characters) and the header.
    const std::size_t mapAt = 4 * 3 + (4 + 8 + 4 + 4 * 13) + (4 + 0 + 4 + 4 * 13);
    badOrder[mapAt + 4] = 0; // map {0, 0}
    std::vector<uint8_t> badVersion = bytes;
    badVersion[4] = 9;
    std::vector<uint8_t> tooLong = bytes;
    tooLong[12] = 0xFF; // caption length beyond the bytes
    const std::vector<Case> cases = {
        {"empty", {}, hcTFStreamTooSmall},
        {"short", std::vector<uint8_t>(bytes.begin(), bytes.end() - 3), hcTFStreamTooSmall},
        {"huge column count", Ints({-1, 6, 0x7FFFFFFF}), hcTFStreamTooSmall},
        {"negative column count", Ints({-1, 6, -5}), hcTFStreamTooSmall},
        {"unknown version", badVersion, hcTFWrongStreamVersion},
        {"caption past the end", tooLong, hcTFStreamTooSmall},
        {"display order not a permutation", badOrder, hcTFCorruptStream2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TReadOnlyMemoryStream s(c.data);
        try {
            header.LoadFromStream(s);
            ADD_FAILURE() << "no error";
        } catch (const ELazyTreeError& e) {
            EXPECT_EQ(e.HelpContext(), c.code);
        }
        EXPECT_EQ(Columns().Count(), 2);
        EXPECT_EQ(Columns()[0].Text(), u"kept");
        EXPECT_FALSE(header.States().Has(hsLoading));
    }
}

TEST(HeaderOptionConversion, StoredOptionsByVersion)
{
    struct Case {
        uint32_t stored;
        int version;
        uint16_t expected;
    };
    for (const Case& c : {Case{0x1F, 1, 0x2F}, Case{0x1F, -1, 0x2F}, Case{0xFF, 0, 0xEF}, Case{0x1FF, 2, 0xFF},
             Case{0x12345, 3, 0x2345}, Case{0x88FF, 6, 0x88FF}}) {
        EXPECT_EQ(ConvertStoredColumnOptions(c.stored, c.version), c.expected) << c.stored << " v" << c.version;
    }
}

} // namespace
} // namespace tree_test
