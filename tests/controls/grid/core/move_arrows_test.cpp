// Where the insertion arrows of a column or row moved by mouse show: a table
// of moves to the left, to the right, up and down, to the first and last
// place, onto fixed cells, past the footers and in a scrolled grid, against
// positions worked out from the grid's plain layout; and what the mouse's
// move view holds while a header is dragged.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/core/move_arrows.h"

#include <gtest/gtest.h>

#include <optional>

using namespace grid;

namespace {

constexpr int kW = 50; // column width
constexpr int kH = 20; // row height

// Six columns and eight rows of 50 x 20 pixels, one fixed of each, in a
// client of 400 x 250: column c starts at 50c, row r at 20r.
void Layout(TExStringGrid& g, int cols = 6)
{
    g.SetColCount(cols);
    g.SetRowCount(8);
    g.SetDefaultColWidth(kW);
    g.SetDefaultRowHeight(kH);
    g.SetClientSize(QSize(400, 250));
}

struct Expect
{
    std::optional<QPoint> up, down, left, right;
};

struct ArrowCase
{
    const char* name;
    bool columns;
    int from;
    int target;
    Expect expect;
    int footers = 0;
    int leftCol = 1;
    int topRow = 1;
    int cols = 6;
};

const ArrowCase kCases[] = {
    // Columns: marks at x - 5 of the landing edge; down arrow at -8, up arrow
    // below the 20-pixel header.
    {"column to the right", true, 1, 3, {QPoint(4 * kW - 5, kH), QPoint(4 * kW - 5, -8), {}, {}}},
    {"column to the left", true, 4, 2, {QPoint(2 * kW - 5, kH), QPoint(2 * kW - 5, -8), {}, {}}},
    {"column to the first place", true, 3, 1, {QPoint(kW - 5, kH), QPoint(kW - 5, -8), {}, {}}},
    {"column to the last place", true, 1, 5, {QPoint(6 * kW - 5, kH), QPoint(6 * kW - 5, -8), {}, {}}},
    {"column onto the fixed column", true, 2, 0, {}},
    {"column past the last", true, 2, 6, {}},
    // Scrolled two columns on: column 3 shows at 50 .. 100.
    {"column in a scrolled grid", true, 5, 3, {QPoint(kW - 5, kH), QPoint(kW - 5, -8), {}, {}}, 0, 3},
    {"column scrolled away", true, 5, 2, {}, 0, 3},
    // Rows: marks at y - 5 of the landing edge; left of the row by 10 and at
    // the right end of its cells (300, or the client's 400 when they pass it).
    {"row down", false, 1, 3, {{}, {}, QPoint(-10, 4 * kH - 5), QPoint(6 * kW, 4 * kH - 5)}},
    {"row up", false, 5, 2, {{}, {}, QPoint(-10, 2 * kH - 5), QPoint(6 * kW, 2 * kH - 5)}},
    {"row to the first place", false, 4, 1, {{}, {}, QPoint(-10, kH - 5), QPoint(6 * kW, kH - 5)}},
    {"row to the last place", false, 1, 7, {{}, {}, QPoint(-10, 8 * kH - 5), QPoint(6 * kW, 8 * kH - 5)}},
    {"row onto the fixed row", false, 3, 0, {}},
    // The last row is a footer: the move lands above it, so do the marks.
    {"row onto a footer", false, 1, 7, {{}, {}, QPoint(-10, 7 * kH - 5), QPoint(6 * kW, 7 * kH - 5)}, 1},
    {"row with columns past the client", false, 1, 2, {{}, {}, QPoint(-10, 3 * kH - 5), QPoint(400, 3 * kH - 5)}, 0, 1,
     1, 10},
    {"row scrolled away", false, 6, 2, {}, 0, 1, 4},
};

TEST(MoveArrows, SitAtTheLandingEdge)
{
    for (const ArrowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        Layout(g, c.cols);
        g.SetFixedFooters(c.footers);
        g.SetLeftCol(c.leftCol);
        g.SetTopRow(c.topRow);
        const ArrowMarks m = c.columns ? ColumnMoveArrows(g, c.from, c.target) : RowMoveArrows(g, c.from, c.target);
        EXPECT_EQ(m.At[arrUp], c.expect.up);
        EXPECT_EQ(m.At[arrDown], c.expect.down);
        EXPECT_EQ(m.At[arrLeft], c.expect.left);
        EXPECT_EQ(m.At[arrRight], c.expect.right);
    }
}

void With(TExStringGrid& g, TGridOption o)
{
    TGridOptions opts = g.Options();
    opts.Include(o);
    g.SetOptions(opts);
}

TEST(MoveArrows, MouseMoveViewFollowsTheDragAndEndsWithIt)
{
    TExStringGrid g;
    Layout(g);
    With(g, goColMoving);
    g.SetCells(2, 0, QStringLiteral("Two"));
    g.SetCells(2, 1, QStringLiteral("x"));
    GridMouse m(g);
    // Pressed 7 pixels right of and 4 below the header's corner.
    const QPoint press(2 * kW + 7, 4);
    m.Press(mbLeft, {}, press);
    EXPECT_FALSE(m.MoveView().Active);
    m.Move({}, press + QPoint(2, 0), true); // within the drag threshold
    EXPECT_FALSE(m.MoveView().Active);
    const QPoint over(4 * kW + 20, 10);
    m.Move({}, over, true);
    const MoveFeedback& v = m.MoveView();
    ASSERT_TRUE(v.Active);
    EXPECT_TRUE(v.Columns);
    EXPECT_EQ(v.Caption, QStringLiteral("Two"));
    EXPECT_EQ(v.Target, 4);
    EXPECT_EQ(v.CaptionRect, QRect(over - QPoint(7, 4), QSize(kW, kH)));
    EXPECT_EQ(v.Arrows, ColumnMoveArrows(g, 2, 4));
    EXPECT_TRUE(v.Arrows.Any());
    m.Release(mbLeft, {}, over);
    EXPECT_FALSE(m.MoveView().Active);
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("x"));

    // A cancelled move moves nothing, and its release does nothing more.
    m.Press(mbLeft, {}, QPoint(4 * kW + 7, 4));
    m.Move({}, QPoint(kW + 20, 10), true);
    ASSERT_TRUE(m.MoveView().Active);
    EXPECT_TRUE(m.CancelMove());
    EXPECT_FALSE(m.MoveView().Active);
    EXPECT_FALSE(m.ButtonHeld());
    m.Release(mbLeft, {}, QPoint(kW + 20, 10));
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("x"));
    EXPECT_FALSE(m.CancelMove());

    // Without EnhRowColMove the move runs with no marks.
    g.EnhRowColMove = false;
    m.Press(mbLeft, {}, QPoint(4 * kW + 7, 4));
    m.Move({}, QPoint(kW + 20, 10), true);
    EXPECT_FALSE(m.MoveView().Active);
    m.Release(mbLeft, {}, QPoint(kW + 20, 10));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x"));
}

} // namespace
