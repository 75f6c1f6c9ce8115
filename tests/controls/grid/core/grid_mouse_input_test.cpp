// The grid's mouse rules without a widget: clicks, Shift+click and drags
// over hidden, read-only and check columns, check glyph toggles, direct
// editing, sizing and moving columns and rows, the selection resizer's
// private copy, the header sort click, double clicks, hover, hints, links,
// the wheel, zoom and panning; the selection queries and what follows a
// column move.
#include "controls/grid/core/mouse_input.h"

#include "recording_view.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include <functional>

using namespace grid;

namespace {

// A grid whose editor hooks only record.
class MouseGrid : public TExStringGrid
{
public:
    QStringList log;
    bool open = false;

    void ShowInplaceEdit() override
    {
        open = true;
        log << QStringLiteral("show");
    }
    void HideInplaceEdit() override
    {
        if (open)
            log << QStringLiteral("hide");
        open = false;
    }
    bool EditorMode() const override { return open; }

    int refuseRow = -1;

protected:
    bool SelectCell(int col, int row) override { return row != refuseRow && TExStringGrid::SelectCell(col, row); }
};

// Real columns: 1 and 2 text, 3 hidden, 4 a Y/N check column, 5 read-only
// (with a check box in row 3), 6 text. Display columns: 1, 2, 3 (Y/N),
// 4 (read-only), 5. Rows 1..5 hold data.
void TableEditorLayout(MouseGrid& g)
{
    g.SetColCount(7);
    g.SetRowCount(6);
    g.AddCheckBoxColumn(4, false, true);
    for (int r = 1; r < 6; ++r)
        g.SetCells(4, r, QStringLiteral("N"));
    g.AddCheckBox(5, 3, false, true);
    g.SetCells(5, 3, QStringLiteral("N"));
    g.HideColumn(3);
    g.OnCanEditCell = [](TExStringGrid*, int, int col, bool& canEdit) {
        if (col == 5)
            canEdit = false;
    };
    g.OnClick = [&g](TExStringGrid*) { g.log << QStringLiteral("click"); };
    g.OnClickCell = [&g](TExStringGrid*, int row, int col) { g.log << QStringLiteral("cell:%1,%2").arg(row).arg(col); };
    g.OnMouseDown = [&g](TExStringGrid*, TMouseButton, TShiftState, int, int) { g.log << QStringLiteral("down"); };
    g.OnMouseUp = [&g](TExStringGrid*, TMouseButton, TShiftState, int, int) { g.log << QStringLiteral("up"); };
    g.OnCheckBoxClick = [&g](TExStringGrid*, int col, int row, bool state) {
        g.log << QStringLiteral("check:%1,%2,%3").arg(col).arg(row).arg(state ? 1 : 0);
    };
    g.OnDblClickCell = [&g](TExStringGrid*, int row, int col) { g.log << QStringLiteral("dbl:%1,%2").arg(row).arg(col); };
}

void With(TExStringGrid& g, TGridOption o)
{
    TGridOptions opts = g.Options();
    opts.Include(o);
    g.SetOptions(opts);
}

QPoint Mid(const TExStringGrid& g, int col, int row)
{
    return g.CellRect(col, row).center();
}

// A point inside the check glyph of a left-aligned box (2 pixels in from
// the cell's top-left corner).
QPoint InGlyph(const TExStringGrid& g, int col, int row)
{
    return g.CellRect(col, row).topLeft() + QPoint(5, 5);
}

void Click(GridMouse& m, QPoint p, TShiftState shift = {})
{
    m.Press(mbLeft, shift, p);
    m.Release(mbLeft, shift, p);
}

void Drag(GridMouse& m, QPoint from, QPoint to)
{
    m.Press(mbLeft, {}, from);
    m.Move({}, (from + to) / 2, true);
    m.Move({}, to, true);
    m.Release(mbLeft, {}, to);
}

struct MouseCase
{
    const char* name;
    std::function<void(MouseGrid&)> settings;
    TGridCoord start;
    std::function<void(MouseGrid&, GridMouse&)> action;
    TGridCoord end;
    TGridRect selection; // {-1,...}: the end cell alone
    const char* events;
    const char* checkText; // real column 4 of row 2
};

const auto kNone = [](MouseGrid&) {};
const auto kEditing = [](MouseGrid& g) { With(g, goEditing); };
constexpr TGridRect kCell{-1, -1, -1, -1};

const MouseCase kCases[] = {
    {"a click moves the current cell and clicks", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 3)); }, {2, 3}, kCell, "down cell:3,2 up click", "N"},
    {"a click on the current cell clicks again", kNone, {2, 3},
     [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 3)); }, {2, 3}, kCell, "down cell:3,2 up click", "N"},
    {"shift+click extends the range from the anchor", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 3, 3), {ssShift}); }, {3, 3}, {1, 1, 3, 3},
     "down cell:3,3 up click", "N"},
    {"shift+click without range selection moves only",
     [](MouseGrid& g) {
         TGridOptions o = g.Options();
         o.Exclude(goRangeSelect);
         g.SetOptions(o);
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 3, 3), {ssShift}); }, {3, 3}, kCell,
     "down cell:3,3 up click", "N"},
    {"a drag selects a range and clicks once", kNone, {5, 5},
     [](MouseGrid& g, GridMouse& m) { Drag(m, Mid(g, 1, 1), Mid(g, 2, 3)); }, {2, 3}, {1, 1, 2, 3},
     "down cell:1,1 up click", "N"},
    {"without range selection the cell follows the drag",
     [](MouseGrid& g) {
         TGridOptions o = g.Options();
         o.Exclude(goRangeSelect);
         g.SetOptions(o);
     },
     {5, 5}, [](MouseGrid& g, GridMouse& m) { Drag(m, Mid(g, 1, 1), Mid(g, 2, 3)); }, {2, 3}, kCell,
     "down cell:1,1 up click", "N"},
    {"a drag past the client keeps to the last cell", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Drag(m, Mid(g, 4, 4), QPoint(2000, 2000)); }, {5, 5}, {4, 4, 5, 5},
     "down cell:4,4 up click", "N"},
    {"a drag back into the fixed column stops at the first data column", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Drag(m, Mid(g, 3, 2), Mid(g, 0, 2)); }, {1, 2}, {1, 2, 3, 2},
     "down cell:2,3 up click", "N"},
    {"a header click fires the cell and the click, the cell stays", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 0)); }, {1, 1}, kCell, "down cell:0,2 up click", "N"},
    {"a click beside the cells closes the editor only", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         g.ShowInplaceEdit();
         Click(m, QPoint(g.ClientWidth() - 2, Mid(g, 1, 1).y()));
     },
     {1, 1}, kCell, "show hide up", "N"},
    {"a refused cell click does nothing",
     [](MouseGrid& g) { g.OnCanClickCell = [](TExStringGrid*, int, int col, bool& allow) { allow = col != 2; }; },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 3)); }, {1, 1}, kCell, "", "N"},
    {"a click on another cell closes the open editor", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         g.ShowInplaceEdit();
         Click(m, Mid(g, 2, 1));
     },
     {2, 1}, kCell, "show hide down cell:1,2 up click", "N"},
    // Check glyphs (display column 3 is real column 4, right of the hidden one).
    {"a click in the glyph toggles and reports the display column", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, InGlyph(g, 3, 2)); }, {3, 2}, kCell, "check:3,2,1 down up click", "Y"},
    {"a second click toggles back", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         Click(m, InGlyph(g, 3, 2));
         g.log.clear();
         Click(m, InGlyph(g, 3, 2));
     },
     {3, 2}, kCell, "check:3,2,0 down up click", "N"},
    {"without editing the glyph only moves the cell", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, InGlyph(g, 3, 2)); }, {3, 2}, kCell, "down cell:2,3 up click", "N"},
    {"CheckAlwaysActive toggles without editing", [](MouseGrid& g) { g.ControlLook.CheckAlwaysActive = true; },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, InGlyph(g, 3, 2)); }, {3, 2}, kCell,
     "check:3,2,1 down up click", "Y"},
    {"without PreciseCheckBoxCheck anywhere in the cell toggles", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, g.CellRect(3, 2).topLeft() + QPoint(40, 12)); }, {3, 2}, kCell,
     "check:3,2,1 down up click", "Y"},
    {"PreciseCheckBoxCheck: beside the glyph nothing toggles",
     [](MouseGrid& g) {
         With(g, goEditing);
         g.MouseActions.PreciseCheckBoxCheck = true;
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, g.CellRect(3, 2).topLeft() + QPoint(40, 12)); }, {3, 2},
     kCell, "down cell:2,3 up click", "N"},
    {"PreciseCheckBoxCheck: in the glyph it toggles",
     [](MouseGrid& g) {
         With(g, goEditing);
         g.MouseActions.PreciseCheckBoxCheck = true;
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, InGlyph(g, 3, 2)); }, {3, 2}, kCell,
     "check:3,2,1 down up click", "Y"},
    {"a read-only column's box stays with editing", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, InGlyph(g, 4, 3)); }, {4, 3}, kCell, "down cell:3,4 up click", "N"},
    {"a read-only column's box toggles with CheckAlwaysActive",
     [](MouseGrid& g) {
         With(g, goEditing);
         g.ControlLook.CheckAlwaysActive = true;
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, InGlyph(g, 4, 3)); }, {4, 3}, kCell,
     "check:4,3,1 down up click", "Y"},
    // Editors from the mouse.
    {"DirectEdit opens the editor of an editable cell",
     [](MouseGrid& g) {
         With(g, goEditing);
         g.MouseActions.DirectEdit = true;
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 2)); }, {2, 2}, kCell,
     "down cell:2,2 show up click", "N"},
    {"DirectEdit opens nothing on a read-only cell",
     [](MouseGrid& g) {
         With(g, goEditing);
         g.MouseActions.DirectEdit = true;
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 4, 2)); }, {4, 2}, kCell, "down cell:2,4 up click",
     "N"},
    {"a double click on an editable cell opens its editor", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         Click(m, Mid(g, 2, 2));
         m.DoubleClick({}, Mid(g, 2, 2));
         m.Release(mbLeft, {}, Mid(g, 2, 2));
     },
     {2, 2}, kCell, "down cell:2,2 up click dbl:2,2 show up", "N"},
    {"a double click on a read-only cell reports it only", kEditing, {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         Click(m, Mid(g, 4, 2));
         m.DoubleClick({}, Mid(g, 4, 2));
         m.Release(mbLeft, {}, Mid(g, 4, 2));
     },
     {4, 2}, kCell, "down cell:2,4 up click dbl:2,4 up", "N"},
    {"a double click on a header reports the display column", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         m.DoubleClick({}, Mid(g, 5, 0));
         m.Release(mbLeft, {}, Mid(g, 5, 0));
     },
     {1, 1}, kCell, "dbl:0,5 up", "N"},
    // Right button.
    {"a right click selects with SelectOnRightClick",
     [](MouseGrid& g) {
         g.MouseActions.SelectOnRightClick = true;
         g.OnRightClickCell = [&g](TExStringGrid*, int row, int col) {
             g.log << QStringLiteral("right:%1,%2").arg(row).arg(col);
         };
     },
     {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         m.Press(mbRight, {}, Mid(g, 2, 4));
         m.Release(mbRight, {}, Mid(g, 2, 4));
     },
     {2, 4}, kCell, "down click right:4,2 up", "N"},
    {"a right click leaves the cell without it",
     [](MouseGrid& g) {
         g.OnRightClickCell = [&g](TExStringGrid*, int row, int col) {
             g.log << QStringLiteral("right:%1,%2").arg(row).arg(col);
         };
     },
     {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         m.Press(mbRight, {}, Mid(g, 2, 4));
         m.Release(mbRight, {}, Mid(g, 2, 4));
     },
     {1, 1}, kCell, "down right:4,2 up", "N"},
    // The owner refuses moves: the press is reported, the move, the click
    // and the drag are not.
    {"a click refused by the row veto keeps the cell and clicks nothing",
     [](MouseGrid& g) {
         g.OnRowChanging = [&g](TExStringGrid*, int from, int to, bool& allow) {
             g.log << QStringLiteral("row:%1>%2").arg(from).arg(to);
             allow = false;
         };
     },
     {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         m.Press(mbLeft, {}, Mid(g, 2, 3));
         m.Move({}, Mid(g, 2, 4), true);
         m.Release(mbLeft, {}, Mid(g, 2, 4));
     },
     {1, 1}, kCell, "row:1>3 down cell:3,2 up", "N"},
    {"a row veto lets a click along the row pass",
     [](MouseGrid& g) { g.OnRowChanging = [](TExStringGrid*, int, int, bool& allow) { allow = false; }; }, {1, 1},
     [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 1)); }, {2, 1}, kCell, "down cell:1,2 up click", "N"},
    {"a click refused by the column veto opens no editor",
     [](MouseGrid& g) {
         With(g, goEditing);
         g.MouseActions.DirectEdit = true;
         g.OnColChanging = [&g](TExStringGrid*, int from, int to, bool& allow) {
             g.log << QStringLiteral("col:%1>%2").arg(from).arg(to);
             allow = false;
         };
     },
     {1, 1}, [](MouseGrid& g, GridMouse& m) { Click(m, Mid(g, 2, 2)); }, {1, 1}, kCell, "col:1>2 down cell:2,2 up",
     "N"},
    {"a right click refused by the row veto selects nothing",
     [](MouseGrid& g) {
         g.MouseActions.SelectOnRightClick = true;
         g.OnRowChanging = [](TExStringGrid*, int, int, bool& allow) { allow = false; };
     },
     {1, 1},
     [](MouseGrid& g, GridMouse& m) {
         m.Press(mbRight, {}, Mid(g, 2, 4));
         m.Release(mbRight, {}, Mid(g, 2, 4));
     },
     {1, 1}, kCell, "down up", "N"},
    // Simulated clicks leave the owner's mouse events out.
    {"a simulated click fires no mouse events", kNone, {1, 1},
     [](MouseGrid& g, GridMouse& m) { m.Click(Mid(g, 2, 2)); }, {2, 2}, kCell, "cell:2,2 click", "N"},
};

TEST(GridMouseInput, MouseTable)
{
    for (const MouseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        MouseGrid g;
        TableEditorLayout(g);
        c.settings(g);
        g.MoveColRow(c.start.X, c.start.Y, true, true);
        g.log.clear();
        GridMouse m(g);
        c.action(g, m);
        EXPECT_EQ(g.Col(), c.end.X);
        EXPECT_EQ(g.Row(), c.end.Y);
        const TGridRect want = c.selection.Left < 0 ? TGridRect{c.end.X, c.end.Y, c.end.X, c.end.Y} : c.selection;
        const TGridRect sel = g.Selection();
        EXPECT_EQ(sel.Left, want.Left);
        EXPECT_EQ(sel.Top, want.Top);
        EXPECT_EQ(sel.Right, want.Right);
        EXPECT_EQ(sel.Bottom, want.Bottom);
        EXPECT_EQ(g.log.join(u' '), QString::fromLatin1(c.events));
        const QString check = g.Cells(4, 2) + (c.end == TGridCoord{4, 3} ? g.Cells(5, 3) : QString());
        EXPECT_EQ(check.right(1), QString::fromLatin1(c.checkText));
        EXPECT_FALSE(m.ButtonHeld());
        EXPECT_FALSE(g.FMouseDown);
    }
}

// ---- Sizing and moving ----

TEST(GridMouseInput, ColumnAndRowBordersSizeByDragging)
{
    MouseGrid g;
    TableEditorLayout(g);
    With(g, goColSizing);
    With(g, goRowSizing);
    QStringList sizing;
    g.OnColumnSizing = [&](TExStringGrid*, int col, int w) { sizing << QStringLiteral("%1=%2").arg(col).arg(w); };
    g.OnEndColumnSize = [&](TExStringGrid*, int col) { g.log << QStringLiteral("end:%1").arg(col); };
    g.OnMouseDown = nullptr;
    g.OnMouseUp = nullptr;
    GridMouse m(g);
    const QRect c1 = g.CellRect(1, 0);
    const int right = c1.x() + c1.width();

    // The cursor over the border, then the drag: the width follows the
    // release, the sizing line the pointer, the current cell stays.
    EXPECT_EQ(m.CursorAt(QPoint(right - 1, 5)), cursors::HSplit);
    EXPECT_EQ(m.CursorAt(QPoint(right - 10, 5)), cursors::Default);
    m.Press(mbLeft, {}, QPoint(right - 1, 5));
    m.Move({}, QPoint(right + 30, 5), true);
    EXPECT_EQ(m.ColSizeLine(), right + 30);
    EXPECT_TRUE(m.SizingHint().isEmpty());
    g.HintShowSizing = true;
    EXPECT_EQ(m.SizingHint(), QStringLiteral("cw=<b>95</b>"));
    EXPECT_EQ(m.SizingCell(), (TGridCoord{1, 0}));
    EXPECT_EQ(m.CursorAt(QPoint(right + 30, 5)), cursors::HSplit);
    m.Release(mbLeft, {}, QPoint(right + 30, 5));
    EXPECT_EQ(g.ColWidths(1), c1.width() + 31);
    EXPECT_EQ(m.ColSizeLine(), -1);
    EXPECT_EQ(sizing.join(u' '), QStringLiteral("1=95"));
    EXPECT_EQ(g.log.join(u' '), QStringLiteral("end:1"));
    EXPECT_EQ(g.Col(), 1);

    // A press and release on the border without moving keeps the width.
    g.log.clear();
    const int kept = g.ColWidths(1);
    const int border = g.CellRect(1, 0).x() + kept - 1;
    m.Press(mbLeft, {}, QPoint(border, 5));
    m.Release(mbLeft, {}, QPoint(border, 5));
    EXPECT_EQ(g.ColWidths(1), kept);
    EXPECT_TRUE(g.log.isEmpty());

    // Just right of the border sizes the same column; dragging past its
    // left edge leaves one pixel; the border's release does not click.
    const int right2 = g.CellRect(1, 0).x() + g.CellRect(1, 0).width();
    m.Press(mbLeft, {}, QPoint(right2 + 1, 5));
    m.Release(mbLeft, {}, QPoint(0, 5));
    EXPECT_EQ(g.ColWidths(1), 1);
    EXPECT_EQ(g.log.join(u' '), QStringLiteral("end:1"));

    // Rows by the fixed column.
    const QRect r2 = g.CellRect(0, 2);
    const int bottom = r2.y() + r2.height();
    EXPECT_EQ(m.CursorAt(QPoint(5, bottom - 1)), cursors::VSplit);
    m.Press(mbLeft, {}, QPoint(5, bottom - 1));
    m.Move({}, QPoint(5, bottom + 11), true);
    EXPECT_EQ(m.SizingHint(), QStringLiteral("rh=<b>%1</b>").arg(r2.height() + 12));
    m.Release(mbLeft, {}, QPoint(5, bottom + 11));
    EXPECT_EQ(g.RowHeights(2), r2.height() + 12);
    EXPECT_TRUE(m.SizingHint().isEmpty());

    // Without goColSizing the header border is a plain header click.
    MouseGrid plain;
    TableEditorLayout(plain);
    GridMouse pm(plain);
    EXPECT_EQ(pm.CursorAt(QPoint(right - 1, 5)), cursors::Default);
    Click(pm, QPoint(right - 1, 5));
    EXPECT_EQ(plain.ColWidths(1), 64);
}

// With SizeFixedCol the fixed column's right border sizes it from any row,
// data rows included (SizeFixedRow: the fixed row's bottom border from any
// column); without them the same press is a plain press.
TEST(GridMouseInput, FixedColumnAndRowBordersSizeFromEveryCell)
{
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        MouseGrid g;
        TableEditorLayout(g);
        g.MouseActions.SizeFixedCol = on;
        g.MouseActions.SizeFixedRow = on;
        g.OnEndColumnSize = [&](TExStringGrid*, int col) { g.log << QStringLiteral("end:%1").arg(col); };
        g.OnEndRowSize = [&](TExStringGrid*, int row) { g.log << QStringLiteral("endrow:%1").arg(row); };
        g.OnUpdateColumnSize = [&](TExStringGrid*, int col, int& width) {
            g.log << QStringLiteral("update:%1=%2").arg(col).arg(width);
        };
        GridMouse m(g);
        const int width = g.ColWidths(0);
        const int height = g.RowHeights(0);
        const int y = Mid(g, 1, 3).y();
        const int x = Mid(g, 2, 4).x();
        const int split = on ? cursors::HSplit : cursors::Default;
        // Less than 3 pixels either side of the border, on a data row.
        EXPECT_EQ(m.CursorAt(QPoint(width - 1, y)), split);
        EXPECT_EQ(m.CursorAt(QPoint(width + 2, y)), split);
        EXPECT_EQ(m.CursorAt(QPoint(width - 3, y)), cursors::Default);
        EXPECT_EQ(m.CursorAt(QPoint(x, height - 2)), on ? cursors::VSplit : cursors::Default);
        EXPECT_EQ(m.CursorAt(QPoint(x, height + 4)), cursors::Default);

        g.log.clear();
        m.Press(mbLeft, {}, QPoint(width - 1, y));
        m.Move({}, QPoint(width + 19, y), true);
        EXPECT_EQ(m.ColSizeLine(), on ? width + 19 : -1);
        EXPECT_EQ(m.CursorAt(QPoint(width + 19, y)), split);
        m.Release(mbLeft, {}, QPoint(width + 19, y));
        EXPECT_EQ(g.ColWidths(0), on ? width + 20 : width);
        // Sized: no click, the current cell stays.
        EXPECT_EQ(g.log.join(u' '), on ? QStringLiteral("down end:0 update:0=%1 up").arg(width + 20)
                                       : QStringLiteral("down cell:3,0 up"));
        EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));

        g.log.clear();
        const int bx = Mid(g, 2, 4).x();
        m.Press(mbLeft, {}, QPoint(bx, height - 1));
        m.Release(mbLeft, {}, QPoint(bx, height + 7));
        EXPECT_EQ(g.RowHeights(0), on ? height + 8 : height);
        if (on) {
            EXPECT_EQ(g.log.join(u' '), QStringLiteral("down endrow:0 up"));
        }
    }
}

TEST(GridMouseInput, HeaderDragMovesTheColumnOnceItLeavesThePress)
{
    MouseGrid g;
    g.SetColCount(5);
    g.SetRowCount(4);
    for (int c = 1; c < 5; ++c)
        g.SetCells(c, 1, QStringLiteral("c%1").arg(c));
    With(g, goColMoving);
    QStringList moved;
    g.OnColumnMoved = [&](TObjStringGrid*, int from, int to) { moved << QStringLiteral("%1>%2").arg(from).arg(to); };
    GridMouse m(g);

    // Three pixels is no drag.
    const QPoint h1 = Mid(g, 1, 0);
    m.Press(mbLeft, {}, h1);
    m.Move({}, h1 + QPoint(3, 0), true);
    m.Release(mbLeft, {}, h1 + QPoint(3, 0));
    EXPECT_TRUE(moved.isEmpty());

    m.Press(mbLeft, {}, h1);
    m.Move({}, Mid(g, 3, 0), true);
    EXPECT_EQ(m.CursorAt(Mid(g, 3, 0)), cursors::Drag);
    m.Release(mbLeft, {}, Mid(g, 3, 0));
    EXPECT_EQ(moved.join(u' '), QStringLiteral("1>3"));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("c1"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("c2"));

    // OnColumnMove may refuse; the fixed column is no target.
    moved.clear();
    g.OnColumnMove = [](TExStringGrid*, int col, bool& allow) { allow = col != 2; };
    Drag(m, Mid(g, 2, 0), Mid(g, 4, 0));
    Drag(m, Mid(g, 3, 0), Mid(g, 0, 0));
    EXPECT_EQ(moved.join(u' '), QStringLiteral("3>1"));
}

TEST(GridMouseInput, RowHeaderDragMovesTheRowButNeverBelowTheFooter)
{
    MouseGrid g;
    g.SetColCount(3);
    g.SetRowCount(6);
    for (int r = 1; r < 6; ++r)
        g.SetCells(1, r, QStringLiteral("r%1").arg(r));
    g.SetFixedFooters(1);
    With(g, goRowMoving);
    QStringList moved;
    g.OnRowMoved = [&](TObjStringGrid*, int from, int to) { moved << QStringLiteral("%1>%2").arg(from).arg(to); };
    GridMouse m(g);
    Drag(m, Mid(g, 0, 1), Mid(g, 0, 3));
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("r1"));
    Drag(m, Mid(g, 0, 2), Mid(g, 0, 5));
    EXPECT_EQ(moved.join(u' '), QStringLiteral("1>3 2>4"));
    EXPECT_EQ(g.Cells(1, 5), QStringLiteral("r5"));
}

// ---- Cell buttons ----

TEST(GridMouseInput, CellButtonClicksOnlyWhenReleasedOnIt)
{
    MouseGrid g;
    g.SetColCount(4);
    g.SetRowCount(5);
    g.SetColWidths(2, 100);
    g.AddButton(2, 2, 30, 18, QStringLiteral("Go"), haLeft, vaTop);
    QStringList ev;
    g.OnClickCell = [&](TExStringGrid*, int row, int col) { ev << QStringLiteral("cell:%1,%2").arg(row).arg(col); };
    g.OnButtonClick = [&](TExStringGrid*, int col, int row) { ev << QStringLiteral("button:%1,%2").arg(col).arg(row); };
    g.OnMouseUp = [&](TExStringGrid*, TMouseButton, TShiftState, int, int) { ev << QStringLiteral("up"); };
    g.OnDblClickCell = [&](TExStringGrid*, int, int) { ev << QStringLiteral("dbl"); };
    GridMouse m(g);
    const QRect b = g.GetCellButtonRect(2, 2);
    ASSERT_FALSE(b.isEmpty());
    const QPoint off(b.x() + b.width() + 20, b.center().y());
    ASSERT_TRUE(g.CellRect(2, 2).contains(off));

    // The press fires the cell, a release on the button clicks it.
    Click(m, b.center());
    EXPECT_EQ(ev.join(u' '), QStringLiteral("cell:2,2 button:2,2"));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    // Released beside it: no click.
    ev.clear();
    m.Press(mbLeft, {}, b.center());
    m.Move({}, off, true);
    m.Release(mbLeft, {}, off);
    EXPECT_EQ(ev.join(u' '), QStringLiteral("cell:2,2 up"));
    // A press in the cell beside the button selects it and fires nothing.
    ev.clear();
    g.MoveColRow(1, 1, true, true);
    Click(m, off);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(ev.join(u' '), QStringLiteral("up"));
    // A double click on the button does nothing more.
    ev.clear();
    m.DoubleClick({}, b.center());
    m.Release(mbLeft, {}, b.center());
    EXPECT_EQ(ev.join(u' '), QStringLiteral("up"));
    EXPECT_FALSE(m.ButtonHeld());
}

// ---- The selection resizer ----

QString Column(const TExStringGrid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out.join(u',');
}


TEST(GridMouseInput, SelectionResizerPastesItsOwnCopyNotTheClipboard)
{
    MouseGrid g;
    g.SetColCount(4);
    g.SetRowCount(8);
    g.SetSelectionRectangle(true);
    g.SetSelectionResizer(true);
    g.Navigation.AllowClipboardAlways = true;
    g.Navigation.AllowSmartClipboard = true;
    g.SetCells(1, 1, QStringLiteral("1"));
    g.SetCells(1, 2, QStringLiteral("2"));
    g.SetSelection({1, 1, 1, 2});
    QStringList events;
    const auto text = [](const TGridRect& r) {
        return QStringLiteral("%1,%2-%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
    };
    g.OnSelectionResize = [&](TExStringGrid* s, const TGridRect& o, const TGridRect& n) {
        events << QStringLiteral("resize %1 %2 %3").arg(text(o), text(n), s->Cells(1, 3));
    };
    g.OnSelectionResized = [&](TExStringGrid* s, const TGridRect& o, const TGridRect& n) {
        events << QStringLiteral("resized %1 %2 %3").arg(text(o), text(n), s->Cells(1, 3));
    };
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("user text"));
    GridMouse m(g);

    const QRect last = g.CellRect(1, 2);
    const QPoint corner(last.x() + last.width() - 2, last.y() + last.height() - 2);
    EXPECT_EQ(m.CursorAt(corner), cursors::AllSelect);
    m.Press(mbLeft, {}, corner);
    // The clipboard changes while the button is held: it is not pasted.
    clipboard->setText(QStringLiteral("changed"));
    m.Move({}, Mid(g, 1, 5), true);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 5}));
    m.Release(mbLeft, {}, Mid(g, 1, 5));

    // The grown cells continue the copied series; nothing of the
    // clipboard lands anywhere.
    EXPECT_EQ(events.join(u'|'), QStringLiteral("resize 1,1-1,2 1,1-1,5 |resized 1,1-1,2 1,1-1,5 3"));
    EXPECT_EQ(Column(g, 1), QStringLiteral("1,2,3,4,5,,"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("changed"));

    // A resize that does not grow pastes nothing.
    g.SetCells(1, 3, QString());
    g.SetSelection({1, 1, 1, 2});
    m.Press(mbLeft, {}, corner);
    m.Release(mbLeft, {}, corner);
    EXPECT_TRUE(g.Cells(1, 3).isEmpty());
}

// ---- Sorting by a header click ----

TEST(GridMouseInput, SortRowClicksSortFlipAndUndo)
{
    MouseGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    const char* data[] = {"c", "a", "d", "b"};
    for (int r = 1; r < 5; ++r) {
        g.SetCells(1, r, QString::fromLatin1(data[r - 1]));
        g.SetCells(2, r, QString::number(r));
    }
    g.SortSettings.SetShow(true);
    g.SortSettings.UndoSort = true;
    QStringList sorted;
    g.OnClickSort = [&](TExStringGrid*, int col) { sorted << QString::number(col); };
    GridMouse m(g);

    Click(m, Mid(g, 1, 0));
    EXPECT_EQ(Column(g, 1), QStringLiteral("a,b,c,d"));
    EXPECT_EQ(g.SortSettings.Column, 1);
    Click(m, Mid(g, 1, 0));
    EXPECT_EQ(Column(g, 1), QStringLiteral("d,c,b,a"));
    // The click that would return to the first direction restores the
    // order from before sorting.
    Click(m, Mid(g, 1, 0));
    EXPECT_EQ(Column(g, 1), QStringLiteral("c,a,d,b"));
    EXPECT_EQ(Column(g, 2), QStringLiteral("1,2,3,4"));
    EXPECT_EQ(sorted.join(u' '), QStringLiteral("1 1 1"));

    // A press on one header and a release on another sorts nothing, nor
    // does a refused sort or a release near a border with goColSizing.
    sorted.clear();
    m.Press(mbLeft, {}, Mid(g, 1, 0));
    m.Release(mbLeft, {}, Mid(g, 2, 0));
    g.OnCanSort = [](TExStringGrid*, int col, bool& doSort) { doSort = col != 2; };
    Click(m, Mid(g, 2, 0));
    With(g, goColSizing);
    const QRect h = g.CellRect(1, 0);
    Click(m, QPoint(h.x() + h.width() - 4, 5));
    EXPECT_TRUE(sorted.isEmpty());
    EXPECT_EQ(Column(g, 1), QStringLiteral("c,a,d,b"));

    // A double click on a header border fits the column and the release
    // after it does not sort.
    g.SetCells(1, 2, QStringLiteral("a much longer text than the column"));
    const int before = g.ColWidths(1);
    const QPoint border(h.x() + h.width() - 1, 5);
    m.Press(mbLeft, {}, border);
    m.Release(mbLeft, {}, border);
    m.DoubleClick({}, border);
    m.Release(mbLeft, {}, border);
    EXPECT_GT(g.ColWidths(1), before);
    EXPECT_TRUE(sorted.isEmpty());

    // Without SortSettings.Show a header click sorts nothing.
    g.SortSettings.SetShow(false);
    Click(m, Mid(g, 1, 0));
    EXPECT_TRUE(sorted.isEmpty());
}

// ---- Hover, hints, links ----

TEST(GridMouseInput, HoverRowFollowsThePointerAndClearsOnLeave)
{
    MouseGrid g;
    TableEditorLayout(g);
    g.HoverRow = true;
    RecordingView view;
    g.SetView(&view);
    GridMouse m(g);
    m.Move({}, Mid(g, 2, 3), false);
    EXPECT_EQ(g.FHoverRowIdx, 3);
    view.Clear();
    m.Move({}, Mid(g, 1, 4), false);
    EXPECT_EQ(g.FHoverRowIdx, 4);
    // The old and the new row repaint.
    EXPECT_FALSE(view.rects.empty() && view.all == 0);
    m.Move({}, Mid(g, 1, 0), false);
    EXPECT_EQ(g.FHoverRowIdx, -1);
    m.Move({}, Mid(g, 1, 2), false);
    m.Leave();
    EXPECT_EQ(g.FHoverRowIdx, -1);
    g.SetView(nullptr);
}

TEST(GridMouseInput, HintComesFromOnGridHintWithTheDisplayColumn)
{
    MouseGrid g;
    TableEditorLayout(g);
    g.SetCells(4, 2, QStringLiteral("<b>Y</b>"));
    QStringList asked;
    g.OnGridHint = [&](TExStringGrid*, int row, int col, QString& hint) {
        asked << QStringLiteral("%1,%2:%3").arg(row).arg(col).arg(hint);
        if (col == 5)
            hint = QStringLiteral("from handler");
    };
    GridMouse m(g);
    GridHintInfo h = m.HintAt(Mid(g, 3, 2));
    EXPECT_FALSE(h.Show);
    EXPECT_EQ(asked.join(u' '), QStringLiteral("2,3:"));

    g.HintShowCells = true;
    h = m.HintAt(Mid(g, 3, 2));
    EXPECT_TRUE(h.Show);
    EXPECT_EQ(h.Text, QStringLiteral("Y"));
    EXPECT_EQ(h.Cell, (TGridCoord{3, 2}));
    EXPECT_EQ(h.Pos.y(), g.CellRect(3, 2).y());

    h = m.HintAt(Mid(g, 5, 4));
    EXPECT_EQ(h.Text, QStringLiteral("from handler"));
    // Nothing outside the cells; fixed cells show no cell text.
    EXPECT_FALSE(m.HintAt(QPoint(g.ClientWidth() - 1, 5)).Show);
    EXPECT_FALSE(m.HintAt(Mid(g, 2, 0)).Show);
}

struct LinkCase
{
    const char* name;
    const char* href;
    bool answer;
    const char* asked;
    const char* opened;
    const char* informed;
};

const LinkCase kLinks[] = {
    {"a web link opens after Yes", "http://example.org/a", true, "Open this link?\nhttp://example.org/a",
     "http://example.org/a", ""},
    {"No opens nothing", "https://example.org", false, "Open this link?\nhttps://example.org", "", ""},
    {"a mail link", "mailto:someone@example.org", true, "Open this link?\nmailto:someone@example.org",
     "mailto:someone@example.org", ""},
    {"www. is a web address", "www.example.org", true, "Open this link?\nhttp://www.example.org",
     "http://www.example.org", ""},
    {"a file is never started", "file:///usr/bin/xterm", true, "", "",
     "This link is not opened: only web (http, https) and mail (mailto) links open from a cell.\n"
     "file:///usr/bin/xterm"},
    {"a program name is never started", "calc.exe", true, "", "",
     "This link is not opened: only web (http, https) and mail (mailto) links open from a cell.\ncalc.exe"},
    {"an odd scheme is never started", "javascript:alert(1)", true, "", "",
     "This link is not opened: only web (http, https) and mail (mailto) links open from a cell.\n"
     "javascript:alert(1)"},
};

TEST(GridMouseInput, AnchorClicksOpenOnlyWebAndMailLinksAfterAQuestion)
{
    for (const LinkCase& c : kLinks) {
        SCOPED_TRACE(c.name);
        MouseGrid g;
        g.SetColCount(3);
        g.SetRowCount(4);
        g.SetColWidths(1, 200);
        g.SetCells(1, 1, QStringLiteral("<a href=\"%1\">link</a> text").arg(QString::fromLatin1(c.href)));
        QString asked, opened, informed;
        GridMouse m(g);
        m.Ask = [&](const QString& q) {
            asked = q;
            return c.answer;
        };
        m.OpenUrl = [&](const QString& url) { opened = url; };
        m.Inform = [&](const QString& text) { informed = text; };
        const QRect r = g.CellRect(1, 1);
        const QPoint onLink = r.topLeft() + QPoint(8, 8);
        EXPECT_EQ(m.AnchorAt(1, 1, onLink), QString::fromLatin1(c.href));
        EXPECT_EQ(m.CursorAt(onLink), cursors::HandPoint);
        Click(m, onLink);
        EXPECT_EQ(asked, QString::fromLatin1(c.asked));
        EXPECT_EQ(opened, QString::fromLatin1(c.opened));
        EXPECT_EQ(informed, QString::fromLatin1(c.informed));
        // Beside the link text the cell is a plain cell.
        const QPoint offLink = r.topLeft() + QPoint(150, 8);
        EXPECT_TRUE(m.AnchorAt(1, 1, offLink).isEmpty());
        EXPECT_EQ(m.CursorAt(offLink), cursors::Default);
    }
}

TEST(GridMouseInput, AnchorClickHandlersAndCellReferences)
{
    MouseGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    g.SetColWidths(1, 200);
    g.SetCells(1, 1, QStringLiteral("<a href=\"http://example.org\">link</a>"));
    g.SetCells(1, 2, QStringLiteral("<a href=\"cell://target\">go</a>"));
    g.SetCells(2, 4, QStringLiteral("target"));
    QStringList events;
    bool handle = false;
    g.OnAnchorClick = [&](TExStringGrid*, int row, int col, const QString& a, bool& autoHandle) {
        events << QStringLiteral("click %1,%2 %3").arg(row).arg(col).arg(a);
        autoHandle = handle;
    };
    g.OnAnchorEnter = [&](TExStringGrid*, int row, int col, const QString& a) {
        events << QStringLiteral("enter %1,%2 %3").arg(row).arg(col).arg(a);
    };
    g.OnAnchorExit = [&](TExStringGrid*, int, int, const QString& a) { events << QStringLiteral("exit ") + a; };
    GridMouse m(g);
    int questions = 0;
    m.Ask = [&](const QString&) {
        ++questions;
        return true;
    };
    m.OpenUrl = [](const QString&) {};
    const QPoint link1 = g.CellRect(1, 1).topLeft() + QPoint(8, 8);
    const QPoint link2 = g.CellRect(1, 2).topLeft() + QPoint(6, 8);
    m.Move({}, link1, false);
    m.Move({}, link1 + QPoint(1, 0), false);
    m.Move({}, link2, false);
    m.Leave();
    Click(m, link1); // the handler keeps it
    EXPECT_EQ(questions, 0);
    handle = true;
    Click(m, link2);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(events.join(u'|'), QStringLiteral("enter 1,1 http://example.org|exit http://example.org|"
                                                "enter 2,1 cell://target|exit cell://target|"
                                                "click 1,1 http://example.org|click 2,1 cell://target"));
    // A plain URL cell with URLShow is a link over its text.
    g.SetCells(2, 1, QStringLiteral("https://example.org"));
    EXPECT_TRUE(m.AnchorAt(2, 1, g.CellRect(2, 1).topLeft() + QPoint(6, 8)).isEmpty());
    g.SetURLShow(true);
    EXPECT_EQ(m.AnchorAt(2, 1, g.CellRect(2, 1).topLeft() + QPoint(6, 8)), QStringLiteral("https://example.org"));
}

// ---- Wheel, zoom, panning ----

TEST(GridMouseInput, WheelMovesTheCurrentRowWithinTheDataRows)
{
    MouseGrid g;
    g.SetColCount(3);
    g.SetRowCount(30);
    g.SetFixedFooters(1);
    int clicks = 0;
    g.OnClick = [&](TExStringGrid*) { ++clicks; };
    GridMouse m(g);
    EXPECT_TRUE(m.Wheel(-120, {}, QPoint(10, 10), 3));
    EXPECT_EQ(g.Row(), 4);
    EXPECT_TRUE(m.Wheel(-240, {}, QPoint(10, 10), 3));
    EXPECT_EQ(g.Row(), 10);
    EXPECT_TRUE(m.Wheel(120, {}, QPoint(10, 10), 3));
    EXPECT_EQ(g.Row(), 7);
    EXPECT_EQ(clicks, 3);
    // Clamped to the last data row and the first one.
    m.Wheel(-120 * 20, {}, QPoint(10, 10), 3);
    EXPECT_EQ(g.Row(), 28);
    m.Wheel(120 * 20, {}, QPoint(10, 10), 3);
    EXPECT_EQ(g.Row(), 1);
    // A page per notch when the system says -1; WheelIncrement wins.
    m.Wheel(-120, {}, QPoint(10, 10), -1);
    EXPECT_EQ(g.Row(), 1 + g.VisibleRowCount());
    g.MouseActions.WheelIncrement = 1;
    m.Wheel(-120, {}, QPoint(10, 10), 3);
    EXPECT_EQ(g.Row(), 2 + g.VisibleRowCount());
    // Off: nothing.
    g.EnableWheel = false;
    EXPECT_FALSE(m.Wheel(-120, {}, QPoint(10, 10), 3));
    EXPECT_EQ(g.Row(), 2 + g.VisibleRowCount());
    // Scrolling leaves the current cell and moves the view.
    g.EnableWheel = true;
    g.MouseActions.SetWheelAction(waScroll);
    g.MouseActions.WheelIncrement = 0;
    const int row = g.Row();
    const int top = g.TopRow();
    m.Wheel(120 * 30, {}, QPoint(10, 10), 3);
    EXPECT_EQ(g.TopRow(), 1);
    m.Wheel(-120, {}, QPoint(10, 10), 3);
    EXPECT_EQ(g.TopRow(), 4);
    EXPECT_EQ(g.Row(), row);
    Q_UNUSED(top);
}

TEST(GridMouseInput, RefusedWheelStepRetriesHalfTheDistance)
{
    MouseGrid g;
    g.SetColCount(3);
    g.SetRowCount(30);
    g.refuseRow = 5;
    GridMouse m(g);
    // From 1 by 4 to 5 is refused: half the way.
    m.Wheel(-120, {}, QPoint(10, 10), 4);
    EXPECT_EQ(g.Row(), 3);
}

TEST(GridMouseInput, CtrlWheelZoomsWithinTenSteps)
{
    MouseGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetColWidths(2, 2);
    GridMouse m(g);
    m.Zoom(3);
    EXPECT_EQ(g.ZoomFactor, 3);
    EXPECT_EQ(g.ColWidths(1), 67);
    EXPECT_EQ(g.ColWidths(2), 5);
    m.Zoom(-6);
    EXPECT_EQ(g.ColWidths(2), 5); // would reach 0 or less: kept
    EXPECT_EQ(g.ColWidths(1), 61);
    EXPECT_EQ(g.ZoomFactor, -3);
    m.Zoom(-8); // past -10: refused
    EXPECT_EQ(g.ZoomFactor, -3);
    EXPECT_EQ(g.ColWidths(1), 61);
    // Ctrl+wheel zooms by the lines per notch and fits the cells.
    g.IntelliZoom = true;
    EXPECT_TRUE(m.Wheel(-120, {ssCtrl}, QPoint(5, 5), 3));
    EXPECT_EQ(g.ZoomFactor, 0);
    EXPECT_EQ(g.Row(), 1);
    g.IntelliZoom = false;
    m.Wheel(-120, {ssCtrl}, QPoint(5, 5), 1);
    EXPECT_EQ(g.ZoomFactor, 0);
    EXPECT_EQ(g.Row(), 2);
}

TEST(GridMouseInput, PanningStepsByDirectionWithItsCursor)
{
    struct PanCase
    {
        TIntelliPan pan;
        QPoint pointer;
        int cursor;
        TGridCoord end;
    };
    const QPoint origin(150, 100);
    const PanCase cases[] = {
        {ipVertical, origin, 8000, {2, 3}},
        {ipVertical, origin + QPoint(0, 5), 8000, {2, 3}},
        {ipVertical, origin + QPoint(0, 6), 8001, {2, 4}},
        {ipVertical, origin + QPoint(0, -6), 8004, {2, 2}},
        {ipVertical, origin + QPoint(40, 0), 8000, {2, 3}},
        {ipHorizontal, origin + QPoint(40, 40), 8003, {3, 3}},
        {ipHorizontal, origin + QPoint(-40, 0), 8002, {1, 3}},
        {ipBoth, origin + QPoint(40, -40), 8005, {3, 2}},
        {ipBoth, origin + QPoint(-40, -40), 8006, {1, 2}},
        {ipBoth, origin + QPoint(40, 40), 8007, {3, 4}},
        {ipBoth, origin + QPoint(-40, 40), 8008, {1, 4}},
    };
    for (const PanCase& c : cases) {
        MouseGrid g;
        g.SetColCount(5);
        g.SetRowCount(8);
        g.IntelliPan = c.pan;
        g.MoveColRow(2, 3, true, true);
        GridMouse m(g);
        m.StartPan(origin);
        ASSERT_TRUE(m.Panning());
        EXPECT_EQ(m.PanStep(c.pointer), c.cursor);
        EXPECT_EQ(g.Col(), c.end.X);
        EXPECT_EQ(g.Row(), c.end.Y);
        // Any press ends panning.
        m.Press(mbLeft, {}, Mid(g, 1, 1));
        EXPECT_FALSE(m.Panning());
    }
    MouseGrid none;
    none.IntelliPan = ipNone;
    GridMouse m(none);
    m.StartPan(QPoint(10, 10));
    EXPECT_FALSE(m.Panning());
}

// ---- The timers ----

TEST(GridMouseInput, DragBeyondTheCellsScrollsOneStepPerTick)
{
    MouseGrid g;
    g.SetColCount(4);
    g.SetRowCount(60);
    GridMouse m(g);
    const QPoint below(Mid(g, 2, 2).x(), g.ClientHeight() + 10);
    EXPECT_FALSE(m.AutoScrollStep(below)); // no drag
    m.Press(mbLeft, {}, Mid(g, 2, 2));
    m.Move({}, below, true);
    const int lastShown = g.Row();
    EXPECT_FALSE(m.AutoScrollStep(Mid(g, 2, 3))); // inside: nothing
    EXPECT_TRUE(m.AutoScrollStep(below));
    EXPECT_TRUE(m.AutoScrollStep(below));
    EXPECT_EQ(g.Row(), lastShown + 2);
    EXPECT_GT(g.TopRow(), 1);
    EXPECT_EQ(g.Selection(), (TGridRect{2, 2, 2, lastShown + 2}));
    // Above the data rows it walks back up.
    const QPoint above(Mid(g, 2, 2).x(), 2);
    m.AutoScrollStep(above);
    EXPECT_EQ(g.Row(), lastShown + 1);
    m.Release(mbLeft, {}, below);
    EXPECT_FALSE(m.AutoScrollStep(below));

    // Row selection from the fixed column keeps its first row.
    g.MouseActions.RowSelect = true;
    m.Press(mbLeft, {}, Mid(g, 0, g.TopRow() + 1));
    const int first = g.TopRow() + 1;
    m.AutoScrollStep(below);
    const TGridRect s = g.Selection();
    EXPECT_EQ(s.Top, first);
    EXPECT_EQ(s.Bottom, first + 1);
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Right, 3);
    m.Release(mbLeft, {}, below);
}

TEST(GridMouseInput, GridTimerHoversAndBlinks)
{
    MouseGrid g;
    TableEditorLayout(g);
    g.OnMouseDown = nullptr;
    g.OnMouseUp = nullptr;
    g.SetCells(2, 3, QStringLiteral("<BLINK>x</BLINK>"));
    RecordingView view;
    g.SetView(&view);
    GridMouse m(g);
    m.TimerTick(Mid(g, 2, 4), true);
    EXPECT_EQ(g.FTimerTicks, 1);
    EXPECT_EQ(g.Row(), 1); // Hovering off
    g.Hovering = true;
    m.TimerTick(Mid(g, 2, 4), false); // the pointer is elsewhere
    EXPECT_EQ(g.Row(), 1);
    m.TimerTick(Mid(g, 2, 4), true);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.log.join(u' '), QStringLiteral("click"));
    m.TimerTick(Mid(g, 0, 4), true); // fixed cells never become current
    EXPECT_EQ(g.Col(), 2);

    g.EnableBlink = true;
    view.Clear();
    m.TimerTick(QPoint(), false);
    EXPECT_TRUE(g.FGridBlink);
    ASSERT_EQ(view.rects.size(), 1u);
    EXPECT_EQ(view.rects[0], g.CellRect(2, 3));
    m.TimerTick(QPoint(), false);
    EXPECT_FALSE(g.FGridBlink);
    g.SetView(nullptr);
}

// ---- Selection queries ----

TEST(GridSelectionQueries, CountsFromTheRectangleAndTheLists)
{
    MouseGrid g;
    g.SetColCount(8);
    g.SetRowCount(8);
    g.MoveColRow(2, 3, true, true);
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    EXPECT_EQ(g.GetSelectedCell(0), (TGridCoord{2, 3}));
    g.SetSelection({1, 1, 3, 2});
    EXPECT_EQ(g.SelectedCellsCount(), 6);
    EXPECT_TRUE(g.GetSelectedCellState(3, 2));
    EXPECT_FALSE(g.GetSelectedCellState(4, 2));
    EXPECT_EQ(g.SelectedColCount(), 3);
    EXPECT_EQ(g.SelectedRowCount(), 2);
    EXPECT_EQ(g.GetSelectedRow(0), 1);
    EXPECT_EQ(g.GetSelectedRow(1), 2);
    EXPECT_EQ(g.GetSelectedRow(2), -1);
    EXPECT_EQ(g.GetSelectedCell(99), (TGridCoord{-1, -1}));

    // A top-left cell merged over three columns counts three even when the
    // rectangle ends inside the merge.
    g.MergeCells(1, 5, 3, 1);
    g.SetSelection({1, 5, 2, 5});
    EXPECT_EQ(g.SelectedColCount(), 3);
    // Footer rows never count.
    g.SetFixedFooters(2);
    g.SetSelection({4, 4, 4, 7});
    EXPECT_EQ(g.SelectedRowCount(), 2);

    // The disjunct cell list: no duplicates, each change repaints.
    g.MouseActions.SetDisjunctCellSelect(true);
    g.ClearSelectedCells();
    RecordingView view;
    g.SetView(&view);
    g.SetSelectedCellState(2, 2, true);
    g.SetSelectedCellState(2, 2, true);
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    g.SetSelectedCellState(2, 2, false);
    EXPECT_EQ(g.SelectedCellsCount(), 0);
    g.SetSelectedCellState(3, 1, true);
    EXPECT_EQ(g.GetSelectedCell(0), (TGridCoord{3, 1}));
    g.ClearSelectedCells();
    EXPECT_EQ(g.SelectedCellsCount(), 0);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
    g.SetView(nullptr);

    g.SetRowModified(2, true);
    g.ClearModifiedRows();
    EXPECT_EQ(g.ModifiedRowCount(), 0);
}

// ---- Column moves: sort column and synchronised grids ----

TEST(GridColumnMoved, SortColumnStaysOnItsData)
{
    struct Case
    {
        int from;
        int to;
        int sort;
        int expected;
    };
    const Case cases[] = {
        {2, 4, 4, 3}, {2, 4, 2, 4}, {4, 2, 2, 3}, {4, 2, 4, 2}, {1, 2, 4, 4}, {3, 5, 1, 1}, {5, 1, 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1>%2 sort %3").arg(c.from).arg(c.to).arg(c.sort).toStdString());
        MouseGrid g;
        g.SetColCount(7);
        g.SetRowCount(3);
        g.SortSettings.Column = c.sort;
        g.MoveColumn(c.from, c.to);
        EXPECT_EQ(g.SortSettings.Column, c.expected);
    }
    // Indexes follow with IndexShow, their directions kept.
    MouseGrid g;
    g.SetColCount(7);
    g.SetRowCount(3);
    g.SortSettings.IndexShow = true;
    g.SortIndexes.AddIndex(4, false);
    g.SortIndexes.AddIndex(1, true);
    g.MoveColumn(2, 4);
    EXPECT_EQ(g.SortIndexes.GetSortColumns(0), 3);
    EXPECT_FALSE(g.SortIndexes.GetSortDirections(0));
    EXPECT_EQ(g.SortIndexes.GetSortColumns(1), 1);
}

TEST(GridColumnMoved, SynchronisedGridsMoveEachColumnOnce)
{
    MouseGrid a;
    MouseGrid b;
    for (MouseGrid* g : {&a, &b}) {
        g->SetColCount(5);
        g->SetRowCount(3);
        for (int c = 1; c < 5; ++c)
            g->SetCells(c, 1, QStringLiteral("c%1").arg(c));
    }
    a.SyncGrid.SetGrid(&b);
    b.SyncGrid.SetGrid(&a);
    a.SyncGrid.MoveColumn = true;
    b.SyncGrid.MoveColumn = true;
    int movesA = 0;
    int movesB = 0;
    a.OnColumnMoved = [&](TObjStringGrid*, int, int) { ++movesA; };
    b.OnColumnMoved = [&](TObjStringGrid*, int, int) { ++movesB; };
    a.MoveColumn(1, 3);
    EXPECT_EQ(movesA, 1);
    EXPECT_EQ(movesB, 1);
    EXPECT_EQ(b.Cells(3, 1), QStringLiteral("c1"));
    b.MoveColumn(3, 1);
    EXPECT_EQ(movesA, 2);
    EXPECT_EQ(movesB, 2);
    EXPECT_EQ(a.Cells(1, 1), QStringLiteral("c1"));
    EXPECT_FALSE(a.FSyncedMove);
    EXPECT_FALSE(b.FSyncedMove);

    // With a hidden column before the move the partner gets display indices.
    a.HideColumn(1);
    b.HideColumn(1);
    a.MoveColumn(1, 2); // display 1 = real 2, display 2 = real 3
    EXPECT_EQ(b.Cells(3, 1), QStringLiteral("c2"));
    EXPECT_EQ(a.Cells(3, 1), QStringLiteral("c2"));
}

} // namespace
