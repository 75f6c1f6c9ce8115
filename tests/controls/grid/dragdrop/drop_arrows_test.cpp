// Where the arrows show while a drag is over the grid: a column at its
// header or past the last column, cells at the target row (the first
// non-fixed column with OleEntireRows, below the last row when appending,
// below row 0 when a fixed row is kept always), nothing for a target
// scrolled away; positions worked out from the grid's plain layout.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/dragdrop/drag_drop.h"

#include <gtest/gtest.h>

#include <optional>

using namespace grid;

namespace {

constexpr int kW = 50;
constexpr int kH = 20;

struct DropArrowCase
{
    const char* name;
    TGridCoord cell;
    bool column;
    bool append;
    bool entireRows;
    bool fixedRowAlways;
    int topRow;
    std::optional<QPoint> up, down, left;
};

const DropArrowCase kCases[] = {
    {"column on a header", {2, 0}, true, false, false, false, 1, QPoint(2 * kW, kH), QPoint(2 * kW, -8), {}},
    {"column past the last", {-1, -1}, true, false, false, false, 1, QPoint(6 * kW, kH), QPoint(6 * kW, -8), {}},
    {"cells on a cell", {3, 4}, false, false, false, false, 1, {}, {}, QPoint(3 * kW - 10, 4 * kH)},
    {"whole rows", {3, 4}, false, false, true, false, 1, {}, {}, QPoint(kW - 10, 4 * kH)},
    {"appended below the last row", {1, 7}, false, true, true, false, 1, {}, {}, QPoint(kW - 10, 8 * kH)},
    {"fixed row kept always", {2, 0}, false, false, false, true, 1, {}, {}, QPoint(2 * kW - 10, kH)},
    {"cell scrolled away", {2, 1}, false, false, false, false, 3, {}, {}, {}},
    {"no cell", {-1, -1}, false, false, false, false, 1, {}, {}, {}},
};

TEST(DropArrows, MarkTheTarget)
{
    for (const DropArrowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        g.SetColCount(6);
        g.SetRowCount(8);
        g.SetDefaultColWidth(kW);
        g.SetDefaultRowHeight(kH);
        g.SetClientSize(QSize(400, 250));
        g.SetFixedRowAlways(c.fixedRowAlways);
        g.SetTopRow(c.topRow);
        TDragDropSettings s;
        s.OleEntireRows = c.entireRows;
        s.OleAppendRows = c.append;
        const ArrowMarks m = DropArrows(g, c.cell, c.column, c.append, s);
        EXPECT_EQ(m.At[arrUp], c.up);
        EXPECT_EQ(m.At[arrDown], c.down);
        EXPECT_EQ(m.At[arrLeft], c.left);
        EXPECT_FALSE(m.At[arrRight]);
    }
}

} // namespace
