// The mouse on node glyphs, radio groups, ratings and always-visible spin
// buttons; disjunct row selection by clicks; fixed-cell editing, the fixed
// drop-down button and the filter glyph.
#include "controls/grid/core/mouse_input.h"

#include "recording_view.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

void With(TExStringGrid& g, TGridOption o)
{
    TGridOptions opts = g.Options();
    opts.Include(o);
    g.SetOptions(opts);
}

void Click(GridMouse& m, QPoint p, TShiftState shift = {}, TMouseButton b = mbLeft)
{
    m.Press(b, shift, p);
    m.Release(b, shift, p);
}

QPoint At(const TExStringGrid& g, int col, int row, int dx, int dy)
{
    return g.CellRect(col, row).topLeft() + QPoint(dx, dy);
}

// Rows 1..7, a node at row 1 spanning 4 rows and one at row 5 spanning 3.
TEST(GridMouseControls, NodeGlyphsOpenAndCloseWhenAllowed)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(8);
    g.AddNode(1, 4);
    GridMouse m(g);
    QStringList log;
    bool refuse = false;
    m.OnBeforeContractNode = [&](TExStringGrid* s, int row, int real, bool& allow) {
        EXPECT_EQ(s, &g);
        log << QStringLiteral("before-close:%1,%2").arg(row).arg(real);
        allow = !refuse;
    };
    m.OnContractNode = [&](TExStringGrid*, int row, int real) { log << QStringLiteral("closed:%1,%2").arg(row).arg(real); };
    m.OnBeforeExpandNode = [&](TExStringGrid*, int row, int, bool&) { log << QStringLiteral("before-open:%1").arg(row); };
    m.OnExpandNode = [&](TExStringGrid*, int row, int) { log << QStringLiteral("opened:%1").arg(row); };
    g.OnClickCell = [&](TExStringGrid*, int row, int col) { log << QStringLiteral("cell:%1,%2").arg(row).arg(col); };

    const QPoint glyph = At(g, 0, 1, 6, 6);
    refuse = true;
    Click(m, glyph);
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(g.RowCount(), 8);
    refuse = false;
    Click(m, glyph);
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_EQ(g.RowCount(), 5);
    g.MouseActions.MoveRowOnNodeClick = true;
    Click(m, glyph);
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(g.RowCount(), 8);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(log.join(u' '), QStringLiteral("cell:1,0 before-close:1,1 cell:1,0 before-close:1,1 closed:1,1 "
                                             "cell:1,0 before-open:1 opened:1"));
    // Beside the glyph (precise node clicks) nothing opens or closes.
    g.MoveColRow(1, 2, true, true);
    Click(m, At(g, 0, 1, g.ColWidths(0) - 2, 6));
    EXPECT_FALSE(g.GetNodeState(1));

    // The header's glyph closes and opens every node.
    g.MouseActions.NodeAllExpandContract = true;
    g.AddNode(5, 3);
    Click(m, At(g, 0, 0, 6, 6));
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_TRUE(g.GetNodeState(g.RowCount() - 1));
    EXPECT_EQ(g.RowCount(), 3);
    Click(m, At(g, 0, 0, 6, 6));
    EXPECT_EQ(g.RowCount(), 8);
}

TEST(GridMouseControls, RadioGroupsPickTheItemUnderThePoint)
{
    const FixedTextMeasurer measurer(7, 13);
    for (const bool sideBySide : {false, true}) {
        SCOPED_TRACE(sideBySide);
        TExStringGrid g;
        g.Measurer = &measurer;
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetColWidths(1, 200);
        g.SetRowHeights(1, 60);
        TStringsObject* items = g.CreateRadio(1, 1, sideBySide ? 1 : 0, -1);
        items->Lines = {"ab", "cd", "ef"};
        GridMouse m(g);
        QStringList log;
        m.OnRadioClick = [&](TExStringGrid*, int col, int row, int index) {
            log << QStringLiteral("%1,%2:%3").arg(col).arg(row).arg(index);
        };
        // Not editable: nothing unless radios are always active.
        const QPoint second = sideBySide ? At(g, 1, 1, 2 * 7 + 16 + 3, 5) : At(g, 1, 1, 5, 16 + 3);
        Click(m, second);
        int index = -2;
        g.GetRadioIdx(1, 1, index);
        EXPECT_EQ(index, -1);
        With(g, goEditing);
        Click(m, second);
        g.GetRadioIdx(1, 1, index);
        EXPECT_EQ(index, 1);
        Click(m, sideBySide ? At(g, 1, 1, 2, 5) : At(g, 1, 1, 5, 2));
        g.GetRadioIdx(1, 1, index);
        EXPECT_EQ(index, 0);
        // Past the last item nothing changes.
        Click(m, sideBySide ? At(g, 1, 1, 190, 5) : At(g, 1, 1, 5, 55));
        g.GetRadioIdx(1, 1, index);
        EXPECT_EQ(index, 0);
        EXPECT_EQ(log.join(u' '), QStringLiteral("1,1:1 1,1:0"));
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 1);
    }
}

TEST(GridMouseControls, RatingsTakeHalfStepsOfNinePixels)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetColWidths(1, 100);
    g.AddRating(1, 1, 5, clYellow, clGray);
    With(g, goEditing);
    GridMouse m(g);
    double told = -1;
    bool allow = true;
    g.OnRatingChange = [&](TExStringGrid*, int, int, double rate, bool& ok) {
        told = rate;
        ok = allow;
    };
    const struct
    {
        int x;
        double rate;
    } cases[] = {{0, 0.0}, {8, 0.0}, {9, 0.5}, {17, 0.5}, {18, 1.0}, {44, 2.0}, {45, 2.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        Click(m, At(g, 1, 1, c.x, 5));
        EXPECT_DOUBLE_EQ(told, c.rate);
        EXPECT_DOUBLE_EQ(g.Floats(1, 1), c.rate);
    }
    allow = false;
    Click(m, At(g, 1, 1, 30, 5));
    EXPECT_DOUBLE_EQ(g.Floats(1, 1), 2.5);
}

TEST(GridMouseControls, AlwaysVisibleSpinButtonsTellWhichHalf)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetRowHeights(1, 30);
    g.OnHasSpinEdit = [](TExStringGrid*, int col, int, bool& has) { has = col == 1; };
    GridMouse m(g);
    const QRect r = g.CellRect(1, 1);
    Click(m, QPoint(r.right() - 5, r.top() + 3));
    EXPECT_EQ(m.SpinClick(), 0); // not always visible
    g.ControlLook.SetSpinButtonsAlwaysVisible(true);
    Click(m, QPoint(r.right() - 5, r.top() + 3));
    EXPECT_EQ(m.SpinClick(), 1);
    Click(m, QPoint(r.right() - 5, r.bottom() - 3));
    EXPECT_EQ(m.SpinClick(), -1);
    Click(m, QPoint(r.left() + 5, r.bottom() - 3));
    EXPECT_EQ(m.SpinClick(), 0);
    Click(m, At(g, 2, 1, 60, 3));
    EXPECT_EQ(m.SpinClick(), 0);
}

// A click onto another row reports it once; one along the row does not.
TEST(GridMouseControls, ClicksOntoAnotherRowFireOnRowChanged)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(6);
    GridMouse m(g);
    QStringList changes;
    g.OnRowChanged = [&](TExStringGrid*, int from, int to) { changes << QStringLiteral("%1>%2").arg(from).arg(to); };
    Click(m, At(g, 2, 3, 5, 5));
    Click(m, At(g, 1, 3, 5, 5));
    Click(m, At(g, 1, 4, 5, 5));
    EXPECT_EQ(changes.join(u' '), QStringLiteral("-1>3 3>4"));
}

// A press on the selection of a drag source starts a drag only once the
// pointer moves more than 3 pixels; a refused drag selects; a press that
// does not move selects the pressed cell at the release.
TEST(GridMouseControls, DragStartsFromTheSelectionPastThreePixels)
{
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow);
        TExStringGrid g;
        g.SetColCount(5);
        g.SetRowCount(6);
        With(g, goRangeSelect);
        g.SetSelection(TGridRect{1, 1, 2, 2});
        g.SetCells(2, 2, QStringLiteral("pressed"));
        GridMouse m(g);
        m.DragSource = true;
        QStringList log;
        m.OnOleDrag = [&](TExStringGrid*, int row, int col, const QString& text, bool& ok) {
            log << QStringLiteral("ask:%1,%2,%3").arg(row).arg(col).arg(text);
            ok = allow;
        };
        m.StartDrag = [&](TGridCoord cell, bool header) {
            log << QStringLiteral("drag:%1,%2,%3").arg(cell.X).arg(cell.Y).arg(header);
        };
        const QPoint press = At(g, 2, 2, 10, 5);
        m.Press(mbLeft, {}, press);
        m.Move({}, press + QPoint(3, -3), true);
        EXPECT_TRUE(log.isEmpty());
        m.Move({}, press + QPoint(4, 0), true);
        EXPECT_EQ(log.join(u' '), allow ? QStringLiteral("ask:2,2,pressed drag:2,2,0") : QStringLiteral("ask:2,2,pressed"));
        EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 2, 2}));
        if (!allow) {
            // Refused: the drag selects instead.
            m.Move({}, At(g, 3, 3, 10, 5), true);
            EXPECT_EQ(g.Col(), 3);
        }
        m.Release(mbLeft, {}, At(g, 3, 3, 10, 5));
    }
    // A press that does not move selects the pressed cell at the release.
    TExStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(6);
    With(g, goRangeSelect);
    g.SetSelection(TGridRect{1, 1, 2, 2});
    GridMouse m(g);
    m.DragSource = true;
    Click(m, At(g, 2, 2, 10, 5));
    EXPECT_EQ(g.Selection(), (TGridRect{2, 2, 2, 2}));
    // Without a drag source a press in the selection is a plain press.
    g.SetSelection(TGridRect{1, 1, 2, 2});
    m.DragSource = false;
    m.Press(mbLeft, {}, At(g, 1, 1, 10, 5));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
    m.Release(mbLeft, {}, At(g, 1, 1, 10, 5));
}

// With IndexShow a header click makes the column the only sort index (a
// second click flips it); with the index key it is added (or flipped).
TEST(GridMouseControls, IndexSortClicks)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(5);
    const char* first[] = {"b", "a", "b", "a"};
    const char* second[] = {"1", "2", "3", "4"};
    for (int r = 1; r < 5; ++r) {
        g.SetCells(1, r, QString::fromLatin1(first[r - 1]));
        g.SetCells(2, r, QString::fromLatin1(second[r - 1]));
    }
    g.SortSettings.SetShow(true);
    g.SortSettings.IndexShow = true;
    GridMouse m(g);
    const auto rows = [&] {
        QStringList out;
        for (int r = 1; r < 5; ++r)
            out << g.Cells(1, r) + g.Cells(2, r);
        return out.join(u',');
    };
    const QPoint h1 = g.CellRect(1, 0).center();
    const QPoint h2 = g.CellRect(2, 0).center();
    Click(m, h1);
    EXPECT_EQ(g.SortIndexes.SaveToString(), QStringLiteral("u1"));
    EXPECT_EQ(g.SortSettings.Column, 1);
    Click(m, h2, {ssShift});
    EXPECT_EQ(g.SortIndexes.SaveToString(), QStringLiteral("u1;u2"));
    EXPECT_EQ(rows(), QStringLiteral("a2,a4,b1,b3"));
    Click(m, h2, {ssShift});
    EXPECT_EQ(g.SortIndexes.SaveToString(), QStringLiteral("u1;d2"));
    EXPECT_EQ(rows(), QStringLiteral("a4,a2,b3,b1"));
    Click(m, h2);
    EXPECT_EQ(g.SortIndexes.SaveToString(), QStringLiteral("u2"));
    EXPECT_EQ(g.SortSettings.Column, 2);
    Click(m, h2);
    EXPECT_EQ(g.SortIndexes.SaveToString(), QStringLiteral("d2"));
    EXPECT_EQ(rows(), QStringLiteral("a4,b3,a2,b1"));
}

// A point of the cell over the control id (null for none).
QPoint ControlPoint(GridMouse& m, const TExStringGrid& g, int col, int row, const QString& id)
{
    const QRect r = g.CellRect(col, row);
    for (int y = r.top() + 2; y <= r.bottom(); y += 2) {
        for (int x = r.left(); x <= r.right(); ++x) {
            CellControlHit hit;
            if (m.ControlAt(col, row, QPoint(x + 1, y), hit) && hit.Id == id)
                return QPoint(x + 1, y);
        }
    }
    return {};
}

// In-text check boxes, radio items and edit controls: a click changes the
// cell text of an editable cell and fires OnControlClick; a read-only cell
// changes nothing; a click beside the controls selects the cell.
TEST(GridMouseControls, InTextControlsChangeTheCellText)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetColWidths(1, 200);
    g.SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\"> on"));
    g.SetCells(1, 2,
               QStringLiteral("<CONTROL TYPE=\"RADIO\" ID=\"a\" VALUE=\"TRUE\" WIDTH=\"16\">a <CONTROL TYPE=\"RADIO\" ID=\"b\" "
                              "VALUE=\"FALSE\" WIDTH=\"16\">b"));
    g.SetCells(1, 3, QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"x\" WIDTH=\"40\">"));
    GridMouse m(g);
    QStringList log;
    m.OnControlClick = [&](TExStringGrid* s, int row, int col, const QString& id, const QString& type,
                           const QString& value) {
        EXPECT_EQ(s, &g);
        log << QStringLiteral("%1,%2 %3 %4 %5").arg(row).arg(col).arg(id, type, value);
    };
    m.EditCellControl = [&](int col, int row, const CellControlHit& hit) {
        log << QStringLiteral("edit %1,%2 %3").arg(col).arg(row).arg(hit.Id);
    };
    const QPoint check = ControlPoint(m, g, 1, 1, "c");
    const QPoint radioB = ControlPoint(m, g, 1, 2, "b");
    const QPoint edit = ControlPoint(m, g, 1, 3, "e");
    ASSERT_FALSE(check.isNull());
    ASSERT_FALSE(radioB.isNull());
    ASSERT_FALSE(edit.isNull());

    // Not editing: nothing changes.
    Click(m, check);
    EXPECT_EQ(g.ControlValues(1, 1, "c"), QStringLiteral("FALSE"));
    With(g, goEditing);
    Click(m, check);
    EXPECT_EQ(g.ControlValues(1, 1, "c"), QStringLiteral("TRUE"));
    Click(m, check);
    EXPECT_EQ(g.ControlValues(1, 1, "c"), QStringLiteral("FALSE"));
    Click(m, radioB);
    EXPECT_EQ(g.ControlValues(1, 2, "a"), QStringLiteral("FALSE"));
    EXPECT_EQ(g.ControlValues(1, 2, "b"), QStringLiteral("TRUE"));
    Click(m, edit);
    EXPECT_EQ(log.join(u'|'), QStringLiteral("1,1 c CHECK TRUE|1,1 c CHECK FALSE|2,1 b RADIO TRUE|"
                                             "3,1 e EDIT x|edit 1,3 e"));
    // A read-only cell keeps its controls.
    g.OnCanEditCell = [](TExStringGrid*, int, int, bool& canEdit) { canEdit = false; };
    Click(m, check);
    EXPECT_EQ(g.ControlValues(1, 1, "c"), QStringLiteral("FALSE"));
    // Beside the controls: the cell becomes current.
    Click(m, g.CellRect(1, 2).topLeft() + QPoint(190, 3));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
}

QString SelectedRows(TExStringGrid& g)
{
    QStringList rows;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        if (g.RowSelect(r))
            rows << QString::number(r);
    return rows.join(u',');
}

TEST(GridMouseControls, DisjunctRowsByClicks)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(8);
    With(g, goRangeSelect);
    g.MouseActions.SetDisjunctRowSelect(true);
    GridMouse m(g);
    const struct
    {
        int row;
        TShiftState shift;
        const char* rows;
    } steps[] = {
        {2, {}, "2"},
        {4, {ssCtrl}, "2,4"},
        {6, {ssCtrl}, "2,4,6"},
        {4, {ssCtrl}, "2,6"},
        {3, {}, "3"},
        {5, {ssShift}, "3,4,5"},
        {1, {}, "1"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.row);
        Click(m, At(g, 2, s.row, 5, 5), s.shift);
        EXPECT_EQ(SelectedRows(g), QString::fromLatin1(s.rows));
    }
}

TEST(GridMouseControls, FixedCellEditingOpensOnTheChosenButton)
{
    const struct
    {
        const char* name;
        TGridFixedCellEdit rows;
        TGridFixedCellEdit cols;
        TMouseButton button;
        int col;
        int row;
        int dx;
        bool opens;
    } cases[] = {
        {"left click on a header", fceLeftClick, fceNone, mbLeft, 2, 0, 20, true},
        {"right click does not when left is asked", fceLeftClick, fceNone, mbRight, 2, 0, 20, false},
        {"right click on a header", fceRightClick, fceNone, mbRight, 2, 0, 20, true},
        {"left click does not when right is asked", fceRightClick, fceNone, mbLeft, 2, 0, 20, false},
        {"near the border with column sizing", fceLeftClick, fceNone, mbLeft, 2, 0, 2, false},
        {"a fixed column", fceNone, fceLeftClick, mbLeft, 0, 2, 20, true},
        {"a data cell never", fceLeftClick, fceLeftClick, mbLeft, 2, 2, 20, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        g.SetColCount(4);
        g.SetRowCount(4);
        With(g, goColSizing);
        g.MouseActions.FixedRowsEdit = c.rows;
        g.MouseActions.FixedColsEdit = c.cols;
        g.MouseActions.FixedRowsEditor = fceComboList;
        g.MouseActions.FixedComboValues = {"x", "y"};
        GridMouse m(g);
        QString shown;
        m.ShowFixedCellEditor = [&](int col, int row, const QRect& rect, TGridFixedCellEditor kind,
                                    const QStringList& items) {
            shown = QStringLiteral("%1,%2 %3 %4").arg(col).arg(row).arg(kind).arg(items.join(u'|'));
            EXPECT_EQ(rect, g.CellRect(col, row).adjusted(1, 1, -1, -1));
        };
        Click(m, At(g, c.col, c.row, c.dx, 5), {}, c.button);
        const QString want = c.row == 0 ? QStringLiteral("%1,0 2 x|y").arg(c.col) : QStringLiteral("0,2 0 x|y");
        EXPECT_EQ(shown, c.opens ? want : QString());
    }
    // fceDblClick: a double click opens it, a click does not.
    {
        TExStringGrid g;
        g.SetColCount(4);
        g.SetRowCount(4);
        g.MouseActions.FixedRowsEdit = fceDblClick;
        GridMouse m(g);
        int shown = 0;
        m.ShowFixedCellEditor = [&](int, int, const QRect&, TGridFixedCellEditor, const QStringList&) { ++shown; };
        const QPoint p = At(g, 2, 0, 20, 5);
        Click(m, p);
        EXPECT_EQ(shown, 0);
        m.DoubleClick({}, p);
        m.Release(mbLeft, {}, p);
        EXPECT_EQ(shown, 1);
    }
    // OnCanEditCell may refuse.
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.MouseActions.FixedRowsEdit = fceLeftClick;
    g.OnCanEditCell = [](TExStringGrid*, int, int, bool& canEdit) { canEdit = false; };
    GridMouse m(g);
    bool shown = false;
    m.ShowFixedCellEditor = [&](int, int, const QRect&, TGridFixedCellEditor, const QStringList&) { shown = true; };
    Click(m, At(g, 2, 0, 20, 5));
    EXPECT_FALSE(shown);
}

TEST(GridMouseControls, DropDownButtonAndFilterGlyphNeverSort)
{
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(5);
    for (int r = 1; r < 5; ++r)
        g.SetCells(2, r, QString::number(5 - r));
    g.SortSettings.SetShow(true);
    g.ControlLook.FixedDropDownButton = true;
    g.HoverFixedCells = hfAll;
    g.OnGetColumnFilter = [](TExStringGrid*, int col, QStringList& filter) {
        if (col == 1)
            filter = {"a"};
    };
    GridMouse m(g);
    QStringList log;
    m.FixedDropDown = [&](int col, int row) { log << QStringLiteral("drop:%1,%2").arg(col).arg(row); };
    m.FilterDropDown = [&](int col, QRect) { log << QStringLiteral("filter:%1").arg(col); };
    const QRect header = g.CellRect(2, 0);
    Click(m, QPoint(header.right() - 6, header.top() + 5));
    EXPECT_EQ(log.join(u' '), QStringLiteral("drop:2,0"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("4")); // not sorted
    Click(m, header.center() - QPoint(10, 0));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("1")); // the header's middle sorts
    g.ControlLook.FixedDropDownButton = false;
    const QRect filterCell = g.CellRect(1, 0);
    Click(m, QPoint(filterCell.right() - 6, filterCell.top() + 5));
    EXPECT_EQ(log.join(u' '), QStringLiteral("drop:2,0 filter:1"));
}

} // namespace

namespace {

// Where the view last put a control; visible false when never placed.
RecordingView::Placement LastPlacement(const RecordingView& view, const QObject* control)
{
    for (auto it = view.placements.rbegin(); it != view.placements.rend(); ++it)
        if (it->control == control)
            return *it;
    return {nullptr, QRect(), false};
}

QRect Grown(const QRect& r)
{
    return {r.x() - 1, r.y() - 1, r.width() + 1, r.height() + 1};
}

} // namespace

// Scrolling places the cell controls again: in view over their cell, out of
// view hidden, in a hidden row hidden whatever the scroll; a fixed column's
// control follows its row, the fixed corner's stays.
TEST(GridMouseControls, CellControlsFollowScrollingAndStayHiddenInHiddenRows)
{
    TExStringGrid g;
    RecordingView view;
    g.SetView(&view);
    g.SetColCount(4);
    g.SetRowCount(40);
    QObject data, hiddenRow, fixedCol, corner, header;
    g.SetCellControls(1, 2, &data);
    g.SetCellControls(2, 4, &hiddenRow);
    g.SetCellControls(0, 3, &fixedCol);
    g.SetCellControls(0, 0, &corner);
    g.SetCellControls(2, 0, &header);
    g.HideRow(4);
    ASSERT_TRUE(g.IsHiddenRow(4));

    const struct
    {
        int topRow;
        bool data, fixedCol;
    } steps[] = {{20, false, false}, {1, true, true}, {3, false, true}, {25, false, false}, {1, true, true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.topRow);
        view.Clear();
        g.SetTopRow(step.topRow);
        ASSERT_EQ(g.TopRow(), step.topRow);
        EXPECT_EQ(LastPlacement(view, &data).visible, step.data);
        if (step.data) {
            EXPECT_EQ(LastPlacement(view, &data).bounds, Grown(g.CellRect(1, 2)));
        }
        EXPECT_EQ(LastPlacement(view, &fixedCol).visible, step.fixedCol);
        // The hidden row's control is placed hidden every time.
        ASSERT_NE(LastPlacement(view, &hiddenRow).control, nullptr);
        EXPECT_FALSE(LastPlacement(view, &hiddenRow).visible);
        EXPECT_TRUE(LastPlacement(view, &corner).visible);
        EXPECT_EQ(LastPlacement(view, &corner).bounds, Grown(g.CellRect(0, 0)));
        EXPECT_TRUE(LastPlacement(view, &header).visible);
    }
    // Scrolled sideways past its column the header control goes too.
    g.SetColCount(30);
    view.Clear();
    g.SetLeftCol(10);
    EXPECT_FALSE(LastPlacement(view, &header).visible);
    EXPECT_TRUE(LastPlacement(view, &corner).visible);
    // Shown again, the row's control comes back over its cell.
    g.SetLeftCol(1);
    g.SetTopRow(1);
    g.UnHideRow(4);
    view.Clear();
    g.SetTopRow(2);
    g.SetTopRow(1);
    EXPECT_TRUE(LastPlacement(view, &hiddenRow).visible);
    EXPECT_EQ(LastPlacement(view, &hiddenRow).bounds, Grown(g.CellRect(2, 4)));
    g.SetView(nullptr);
}

// The per-cell scroll bar shows over the right edge of a scroll-bar cell
// under the pointer (when its page is smaller than its range), steps by 10
// and 100 within 0 .. range - page, stores and reports each new position,
// and follows its cell through scrolling or collapses to height 0.
TEST(GridMouseControls, CellScrollBarShowsOverItsCellAndSteps)
{
    TExStringGrid g;
    RecordingView view;
    g.SetView(&view);
    g.SetColCount(5);
    g.SetRowCount(40);
    g.HideColumn(1); // real column 3 shows as display column 2
    g.AddScrollBar(3, 3, false);
    g.SetScrollProp(3, 3, QPoint(20, 300));
    g.AddScrollBar(3, 5, false);
    g.SetScrollProp(3, 5, QPoint(50, 40)); // all of it fits: no bar
    QObject bar;
    g.CellScrollBarControl = &bar;
    QStringList reports;
    g.OnScrollCell = [&](TExStringGrid* sender, int col, int row, int pos, int min, int max) {
        EXPECT_EQ(sender, &g);
        reports << QStringLiteral("%1,%2:%3 %4..%5").arg(col).arg(row).arg(pos).arg(min).arg(max);
    };
    GridMouse m(g);
    const auto mid = [&](int col, int row) { return g.CellRect(col, row).center(); };

    m.Move({}, mid(2, 3), false);
    const auto& state = g.CellScrollBar();
    ASSERT_TRUE(state.Visible);
    EXPECT_EQ(state.Cell, (TGridCoord{2, 3}));
    const QRect cell = g.CellRect(2, 3);
    const int line = g.GridLineWidth();
    const QRect expected(cell.x() + cell.width() - line - 17, cell.y() + line, 17, cell.height() - 2 * line);
    EXPECT_EQ(state.Bounds, expected);
    EXPECT_TRUE(LastPlacement(view, &bar).visible);
    EXPECT_EQ(LastPlacement(view, &bar).bounds, expected);
    EXPECT_EQ(state.Max(), 280);

    // Over another cell, or a cell whose page covers its range: hidden.
    for (const QPoint p : {mid(1, 3), mid(2, 5), mid(2, 0)}) {
        m.Move({}, p, false);
        EXPECT_FALSE(g.CellScrollBar().Visible);
        EXPECT_FALSE(LastPlacement(view, &bar).visible);
    }
    EXPECT_FALSE(g.CellScroll(TExStringGrid::csLineDown)); // nothing shown
    m.Move({}, mid(2, 3), false);

    const struct
    {
        TExStringGrid::TCellScrollAction action;
        int pos;
        int expect;
        bool changed;
    } steps[] = {
        {TExStringGrid::csLineDown, 0, 10, true},   {TExStringGrid::csPageDown, 0, 110, true},
        {TExStringGrid::csThumb, 500, 280, true},   {TExStringGrid::csLineDown, 0, 280, false},
        {TExStringGrid::csLineUp, 0, 270, true},    {TExStringGrid::csPageUp, 0, 170, true},
        {TExStringGrid::csPageUp, 0, 70, true},     {TExStringGrid::csPageUp, 0, 0, true},
        {TExStringGrid::csThumb, -5, 0, false},     {TExStringGrid::csThumb, 42, 42, true},
    };
    QStringList expectedReports;
    for (const auto& step : steps) {
        EXPECT_EQ(g.CellScroll(step.action, step.pos), step.changed) << step.expect;
        EXPECT_EQ(g.CellScrollBar().Position, step.expect);
        EXPECT_EQ(g.GetScrollPosition(3, 3), step.expect);
        if (step.changed)
            expectedReports << QStringLiteral("2,3:%1 0..280").arg(step.expect);
    }
    EXPECT_EQ(reports, expectedReports);

    // Coming back to the cell the bar shows its stored position.
    m.Move({}, mid(1, 1), false);
    m.Move({}, mid(2, 3), false);
    EXPECT_EQ(g.CellScrollBar().Position, 42);

    // Scrolled out of view the bar collapses to height 0; back, it sits on
    // its cell again.
    view.Clear();
    g.SetTopRow(10);
    EXPECT_TRUE(g.CellScrollBar().Visible);
    EXPECT_EQ(g.CellScrollBar().Bounds.height(), 0);
    EXPECT_EQ(LastPlacement(view, &bar).bounds.height(), 0);
    g.SetTopRow(2);
    const QRect moved = g.CellRect(2, 3);
    EXPECT_EQ(g.CellScrollBar().Bounds, QRect(moved.x() + moved.width() - line - 17, moved.y() + line, 17,
                                              moved.height() - 2 * line));
    EXPECT_EQ(LastPlacement(view, &bar).bounds, g.CellScrollBar().Bounds);

    // The cell loses its bar: a step hides it instead of writing anything.
    g.RemoveCellGraphic(3, 3);
    EXPECT_FALSE(g.CellScroll(TExStringGrid::csLineDown));
    EXPECT_FALSE(g.CellScrollBar().Visible);
    g.SetView(nullptr);
}
