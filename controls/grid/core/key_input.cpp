// The grid's keyboard front end: the ordered key-down rules, the grid's own
// one-step navigation, the character rule, the key-press step and the Tab
// advance. Indices of the current cell and selections are display indices;
// cell state is asked at the real column.
#include "controls/grid/core/key_input.h"

#include "controls/grid/core/text_routines.h"

#include <algorithm>

namespace grid {

namespace {

// What the key-down rules leave for the character rule.
enum class Down {
    Pass,    // not the grid's key (the window moves the focus): no character step
    Open,    // not claimed: the character step decides
    Claimed, // consumed; the character step still runs on the key's text
    Stopped  // consumed; no character step
};

bool Held(const TShiftState& s, TShiftStateItem i)
{
    return s.Contains(i);
}

void FireKeyDown(TExStringGrid& g, int& key, TShiftState shift)
{
    if (g.OnKeyDown)
        g.OnKeyDown(&g, key, shift);
}

// A swallowed key: OnKeyDown sees it, nothing else does.
Down Swallow(TExStringGrid& g, int key, TShiftState shift)
{
    FireKeyDown(g, key, shift);
    return Down::Stopped;
}

bool Editing(const TExStringGrid& g)
{
    return g.Options().Contains(goEditing);
}

void SetEditing(TExStringGrid& g, bool on)
{
    TGridOptions o = g.Options();
    if (on)
        o.Include(goEditing);
    else
        o.Exclude(goEditing);
    g.SetOptions(o);
}

bool CurrentEditable(TExStringGrid& g)
{
    return g.IsEditable(g.RealCol(), g.Row());
}

// The current cell's shown text is mini-HTML with in-text controls: the
// keyboard opens those, never the text editor over the markup.
bool HasEmbeddedControls(TExStringGrid& g)
{
    const TGridCoord base = g.BaseCell(g.RealCol(), g.Row());
    const QString text = g.Cells(base.X, base.Y);
    return GetTextKind(text, g.EnableHTML) == 1 && text.contains(QStringLiteral("<CONTROL"), Qt::CaseInsensitive);
}

// Opens the current cell's first edited control, when the cell may change.
void OpenFirstCellControl(TExStringGrid& g)
{
    if (Editing(g) && CurrentEditable(g) && g.FocusNextCellControl)
        g.FocusNextCellControl(g.Col(), g.Row(), QString());
}

int LastDataRow(const TExStringGrid& g)
{
    return g.RowCount() - g.FixedFooters() - 1;
}

int LastDataCol(const TExStringGrid& g)
{
    return g.ColCount() - g.FixedRightCols() - 1;
}

// Moves the current cell; with Shift under range selection the anchor stays.
// A move to another cell is followed by OnClick, as a click is; a refused
// move is not.
void MoveTo(TExStringGrid& g, int col, int row, TShiftState shift)
{
    const bool extend = Held(shift, ssShift) && g.Options().Contains(goRangeSelect);
    const TGridCoord before{g.Col(), g.Row()};
    g.MoveColRow(col, row, !extend, true);
    if ((g.Col() != before.X || g.Row() != before.Y) && g.OnClick)
        g.OnClick(&g);
}

// ---- The grid's own one-step navigation ----

enum class CtrlUse { Any, Without, With };
using MoveTarget = TGridCoord (*)(const TExStringGrid&, TGridCoord);

struct PlatformMove
{
    int key;
    CtrlUse ctrl;
    MoveTarget target;
};

int Page(const TExStringGrid& g)
{
    return std::max(1, g.VisibleRowCount());
}

// Forward moves stop at the last column (row) before the fixed right
// columns (footers), which never take the cursor.
int ForwardCol(const TExStringGrid& g, int from, int step)
{
    return std::min(from + step, std::max(from, g.ColCount() - g.FixedRightCols() - 1));
}
int ForwardRow(const TExStringGrid& g, int from, int step)
{
    return std::min(from + step, std::max(from, g.RowCount() - g.FixedFooters() - 1));
}

TGridCoord StepLeft(const TExStringGrid& g, TGridCoord c)
{
    return {std::max(c.X - 1, g.FixedCols()), c.Y};
}
TGridCoord StepRight(const TExStringGrid& g, TGridCoord c)
{
    return {ForwardCol(g, c.X, 1), c.Y};
}
TGridCoord StepUp(const TExStringGrid& g, TGridCoord c)
{
    return {c.X, std::max(c.Y - 1, g.FixedRows())};
}
TGridCoord StepDown(const TExStringGrid& g, TGridCoord c)
{
    return {c.X, ForwardRow(g, c.Y, 1)};
}
TGridCoord PageUp(const TExStringGrid& g, TGridCoord c)
{
    return {c.X, std::max(c.Y - Page(g), g.FixedRows())};
}
TGridCoord PageDown(const TExStringGrid& g, TGridCoord c)
{
    return {c.X, ForwardRow(g, c.Y, Page(g))};
}
TGridCoord FirstColumn(const TExStringGrid& g, TGridCoord c)
{
    return {g.FixedCols(), c.Y};
}
TGridCoord LastColumn(const TExStringGrid& g, TGridCoord c)
{
    return {ForwardCol(g, c.X, g.ColCount()), c.Y};
}
TGridCoord FirstCell(const TExStringGrid& g, TGridCoord)
{
    return {g.FixedCols(), g.FixedRows()};
}
TGridCoord LastCell(const TExStringGrid& g, TGridCoord c)
{
    return {ForwardCol(g, c.X, g.ColCount()), ForwardRow(g, c.Y, g.RowCount())};
}

// Arrows one cell, PgUp/PgDn one page, Home/End the first/last column, with
// Ctrl the first/last cell; never onto a fixed column or row, a fixed right
// column or a footer.
constexpr PlatformMove kPlatformMoves[] = {
    {VK_LEFT, CtrlUse::Any, StepLeft},          {VK_RIGHT, CtrlUse::Any, StepRight},
    {VK_UP, CtrlUse::Any, StepUp},              {VK_DOWN, CtrlUse::Any, StepDown},
    {VK_PRIOR, CtrlUse::Any, PageUp},           {VK_NEXT, CtrlUse::Any, PageDown},
    {VK_HOME, CtrlUse::Without, FirstColumn},   {VK_END, CtrlUse::Without, LastColumn},
    {VK_HOME, CtrlUse::With, FirstCell},        {VK_END, CtrlUse::With, LastCell},
};

const PlatformMove* FindPlatformMove(int key, bool ctrl)
{
    for (const PlatformMove& m : kPlatformMoves) {
        if (m.key != key)
            continue;
        if (m.ctrl == CtrlUse::Any || (m.ctrl == CtrlUse::With) == ctrl)
            return &m;
    }
    return nullptr;
}

// The keys the grid's own navigation claims (the widget accepts them).
constexpr int kNavigationKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,  VK_DOWN,   VK_PRIOR,
                                   VK_NEXT, VK_HOME,  VK_END, VK_RETURN, VK_F2};

bool IsNavigationKey(int key)
{
    return std::find(std::begin(kNavigationKeys), std::end(kNavigationKeys), key) != std::end(kNavigationKeys);
}

// ---- Wrap-around at the edges (Navigation.CursorAdvance) ----

struct EdgeWrap
{
    int key;
    bool (*atEdge)(const TExStringGrid&, TGridCoord lastKeyCell);
    void (*wrap)(TExStringGrid&, bool snake);
};

// The Right and Down edges are the last column and row, fixed ones included.
constexpr EdgeWrap kEdgeWraps[] = {
    {VK_LEFT, [](const TExStringGrid& g, TGridCoord k) { return k.X == g.FixedCols(); },
     [](TExStringGrid& g, bool snake) {
         const int row = snake && g.Row() > g.FixedRows() ? g.Row() - 1 : g.Row();
         g.MoveColRow(LastDataCol(g), row, true, true);
     }},
    {VK_UP, [](const TExStringGrid& g, TGridCoord k) { return k.Y == g.FixedRows(); },
     [](TExStringGrid& g, bool snake) {
         const int col = snake && g.Col() > g.FixedCols() ? g.Col() - 1 : g.Col();
         g.MoveColRow(col, LastDataRow(g), true, true);
     }},
    {VK_RIGHT, [](const TExStringGrid& g, TGridCoord k) { return k.X == g.ColCount() - 1; },
     [](TExStringGrid& g, bool snake) {
         const int row = snake && g.Row() < LastDataRow(g) ? g.Row() + 1 : g.Row();
         g.MoveColRow(g.FixedCols(), row, true, true);
     }},
    {VK_DOWN, [](const TExStringGrid& g, TGridCoord k) { return k.Y == g.RowCount() - 1; },
     [](TExStringGrid& g, bool snake) {
         const int col = snake && g.Col() < LastDataCol(g) ? g.Col() + 1 : g.Col();
         g.MoveColRow(col, g.FixedRows(), true, true);
     }},
};

// ---- Scrolling only (Navigation.MoveScrollOnly) ----

struct ScrollOnly
{
    int key;
    int (*newTop)(const TExStringGrid&);
};

int ScrollPageUp(const TExStringGrid& g)
{
    const int page = g.VisibleRowCount();
    return page + g.FixedRows() < g.TopRow() ? g.TopRow() - page : g.FixedRows();
}
int ScrollPageDown(const TExStringGrid& g)
{
    const int page = g.VisibleRowCount();
    return g.TopRow() + page < g.RowCount() ? g.TopRow() + page : g.TopRow();
}
int ScrollToEnd(const TExStringGrid& g)
{
    return g.RowCount() - g.VisibleRowCount();
}
int ScrollToHome(const TExStringGrid& g)
{
    return g.FixedRows();
}
int ScrollUp(const TExStringGrid& g)
{
    return g.TopRow() > g.FixedRows() ? g.TopRow() - 1 : g.TopRow();
}
int ScrollDown(const TExStringGrid& g)
{
    return g.TopRow() + g.VisibleRowCount() < g.RowCount() ? g.TopRow() + 1 : g.TopRow();
}

constexpr ScrollOnly kScrollOnly[] = {
    {VK_PRIOR, ScrollPageUp}, {VK_NEXT, ScrollPageDown}, {VK_END, ScrollToEnd},
    {VK_HOME, ScrollToHome},  {VK_UP, ScrollUp},         {VK_DOWN, ScrollDown},
};

// ---- Walking over fixed cells (Navigation.SkipFixedCells) ----

struct FixedWalk
{
    int key;
    int dx;
    int dy;
    // First index past the walk's end, in the walking direction.
    int (*bound)(const TExStringGrid&);
};

constexpr FixedWalk kFixedWalks[] = {
    {VK_LEFT, -1, 0, [](const TExStringGrid& g) { return g.FixedCols() - 1; }},
    {VK_RIGHT, 1, 0, [](const TExStringGrid& g) { return g.ColCount() - g.FixedRightCols(); }},
    {VK_UP, 0, -1, [](const TExStringGrid& g) { return g.FixedRows() - 1; }},
    {VK_DOWN, 0, 1, [](const TExStringGrid& g) { return g.RowCount() - g.FixedFooters(); }},
};

bool InsideAxis(int v, int count)
{
    return v >= 0 && v < count;
}

// A one-step move onto a fixed cell walks on to the first cell that is not
// fixed; none found keeps the cell. False when the step meets no fixed cell.
bool WalkOverFixed(TExStringGrid& g, int key, TShiftState shift)
{
    for (const FixedWalk& w : kFixedWalks) {
        if (w.key != key)
            continue;
        int c = g.Col() + w.dx;
        int r = g.Row() + w.dy;
        if (c < g.FixedCols() || r < g.FixedRows() || !InsideAxis(c, g.ColCount()) || !InsideAxis(r, g.RowCount()) ||
            !g.IsFixed(c, r))
            return false;
        const int end = w.bound(g);
        while ((w.dx ? c : r) != end && InsideAxis(c, g.ColCount()) && InsideAxis(r, g.RowCount()) && g.IsFixed(c, r)) {
            c += w.dx;
            r += w.dy;
        }
        if ((w.dx ? c : r) != end && InsideAxis(c, g.ColCount()) && InsideAxis(r, g.RowCount()))
            MoveTo(g, c, r, shift);
        return true;
    }
    return false;
}

// ---- Home and End jumps (Navigation.HomeEndKey) ----

enum class Jump { FirstCell, LastCell, FirstRow, LastRow, TopFirstColumn, FirstColumn, LastColumn };

struct HomeEndRule
{
    int key;
    THomeEndAction mode;
    bool ctrl;
    bool outsideRowSelectOnly;
    Jump jump;
};

constexpr HomeEndRule kHomeEndRules[] = {
    {VK_HOME, heFirstLastCell, false, false, Jump::FirstCell},
    {VK_HOME, heFirstLastRow, false, false, Jump::FirstRow},
    {VK_HOME, heFirstLastColumn, true, false, Jump::TopFirstColumn},
    {VK_END, heFirstLastCell, false, false, Jump::LastCell},
    {VK_END, heFirstLastRow, false, false, Jump::LastRow},
    {VK_END, heFirstLastColumn, false, true, Jump::LastColumn},
    {VK_HOME, heFirstLastColumn, false, true, Jump::FirstColumn},
};

void GoToFirstColumn(TExStringGrid& g)
{
    const int c = FirstAdvanceCol(g, g.Row());
    g.MoveColRow(c < 0 ? g.GetFirstNavCol() : c, g.Row(), true, true);
    g.SnapToBaseCell();
    g.SetLeftCol(g.GetFirstNavCol());
}

// True when the jump was made; false leaves the key to the grid's own step.
bool RunJump(TExStringGrid& g, Jump jump, TShiftState shift)
{
    const bool sh = Held(shift, ssShift);
    const bool singleFixedRow = g.FixedRowAlways() && g.RowCount() == 1;
    const int keyRow = g.Row();
    switch (jump) {
    case Jump::FirstCell:
        g.MoveColRow(g.FixedCols(), g.FixedRows(), true, true);
        g.SnapToBaseCell();
        return true;
    case Jump::LastCell:
        // The last cell that takes the cursor: fixed right columns and
        // footers refuse it.
        g.MoveColRow(LastDataCol(g), LastDataRow(g), true, true);
        g.SnapToBaseCell();
        return true;
    case Jump::FirstRow:
    case Jump::LastRow: {
        if (singleFixedRow)
            return false;
        const int to = jump == Jump::FirstRow ? g.FixedRows() : LastDataRow(g);
        if (sh) {
            g.SetSelection(TGridRect{g.FixedCols(), keyRow, g.ColCount() - 1, to});
        } else {
            g.MoveColRow(g.Col(), to, true, true);
            g.SnapToBaseCell();
        }
        return true;
    }
    case Jump::TopFirstColumn:
        g.MoveColRow(g.Col(), g.FixedRows(), true, true);
        GoToFirstColumn(g);
        return true;
    case Jump::FirstColumn:
    case Jump::LastColumn:
        if (singleFixedRow)
            return false;
        if (sh) {
            const int to = jump == Jump::FirstColumn ? g.FixedCols() : LastDataCol(g);
            g.SetSelection(TGridRect{g.Col(), g.Row(), to, g.Row()});
            g.RepaintRow(g.Row());
        } else if (jump == Jump::FirstColumn) {
            GoToFirstColumn(g);
        } else {
            g.MoveColRow(LastDataCol(g), g.Row(), true, true);
            g.SnapToBaseCell();
            g.SetLeftCol(g.ColCount() - g.VisibleColCount());
        }
        return true;
    }
    return false;
}

// ---- Control cells (check boxes) ----

void SpaceOnControlCell(TExStringGrid& g)
{
    const int real = g.RealCol();
    const int row = g.Row();
    bool canEdit = Editing(g) || g.MouseActions.RangeSelectAndEdit;
    g.CanEditCell(real, row, canEdit);
    if ((canEdit || g.ControlLook.CheckAlwaysActive) && g.HasCheckBox(real, row)) {
        g.ToggleCheckBoxEx(real, row, true);
        if (g.ShowModified.Enabled) {
            g.SetRowModified(row, true);
            g.RepaintCell(0, row);
        }
        bool state = false;
        g.GetCheckBoxState(real, g.RealRow(), state);
        // The display column, as a click reports it.
        if (g.OnCheckBoxClick)
            g.OnCheckBoxClick(&g, g.Col(), row, state);
    }
    g.RepaintCell(g.Col(), row);
}

// A key that changed the selection reports it (OnSelectionChanged).
void NotifySelectionMoved(TExStringGrid& g, const TGridRect& before)
{
    const TGridRect now = g.Selection();
    if (now != before)
        g.InvalidateSelection(now.Left, now.Top, now.Right, now.Bottom);
}

// Ctrl+Up / Ctrl+Down under CursorMoveRows: the selected rows move one row
// instead of the cursor.
void MoveSelectedRows(TExStringGrid& g, int delta)
{
    const TGridRect sel = g.Selection();
    if (delta > 0 ? sel.Bottom >= g.RowCount() - 1 : sel.Top <= g.FixedRows())
        return;
    const int count = sel.Bottom - sel.Top + 1;
    if (count == 1) {
        const int row = g.Row();
        g.MoveRow(sel.Top, sel.Top + delta);
        g.MoveColRow(g.Col(), row + delta, true, true);
    } else {
        g.MoveRows(sel.Top, sel.Top + delta, count);
        g.SetSelection(TGridRect{g.FixedCols(), sel.Top + delta, g.ColCount() - 1, sel.Bottom + delta});
    }
}

void SyncOtherGrid(TExStringGrid& g)
{
    TExStringGrid* other = g.SyncGrid.Grid();
    if (!other)
        return;
    if (g.SyncGrid.SelectionColumn)
        other->SetCol(g.Col());
    if (g.SyncGrid.SelectionRow)
        other->SetRow(g.Row());
}

// Insert under Navigation.AllowInsertRow, at the real row with the filter
// off for the operation.
void InsertRowKey(TExStringGrid& g)
{
    bool canInsert = true;
    g.CanInsertRow(g.Row(), canInsert);
    if (!canInsert)
        return;
    const int realRow = g.RealRow();
    const int displayRow = g.Row();
    const bool filtered = g.FilterActive();
    if (filtered)
        g.SetFilterActive(false);
    int at = realRow;
    int aim = displayRow;
    if (g.Navigation.InsertPosition == pInsertAfter) {
        if (g.RowCount() == g.FixedRows() && g.FixedRowAlways()) {
            aim = 1;
        } else {
            at = realRow + 1;
            aim = displayRow + 1;
        }
    }
    g.AutoInsertRow(at);
    if (g.OnAutoInsertRow)
        g.OnAutoInsertRow(&g, at);
    if (filtered)
        g.SetFilterActive(true);
    g.MoveColRow(g.Col(), std::min(aim, g.RowCount() - 1), true, true);
    g.CalcFooter(-1);
}

// Delete under Navigation.AllowDeleteRow, when a data row exists.
void DeleteRowKey(TExStringGrid& g)
{
    if (g.RowCount() - g.FixedRows() - g.FixedFooters() <= 0)
        return;
    const int realRow = g.RealRow();
    const bool filtered = g.FilterActive();
    if (filtered)
        g.SetFilterActive(false);
    bool canDelete = true;
    if (g.OnCanDeleteRow)
        g.OnCanDeleteRow(&g, realRow, canDelete);
    if (canDelete)
        g.AutoDeleteRow(realRow);
    if (filtered)
        g.SetFilterActive(true);
    if (canDelete)
        g.CalcFooter(-1);
}

// Disjunct row and column selection: a moving key without Shift and Ctrl
// starts the list anew; with Shift the selection joins it, otherwise the
// current row (column) does; Space toggles it. True when Space toggled.
bool DisjunctSelectionKeys(TExStringGrid& g, int key, TShiftState shift)
{
    const bool rows = g.MouseActions.DisjunctRowSelect();
    const bool cols = g.MouseActions.DisjunctColSelect();
    const bool sh = Held(shift, ssShift);
    const int row = rows && g.MouseActions.RowSelectPersistent ? g.RealRow() : g.Row();
    if (key >= VK_PRIOR && key <= VK_DOWN) {
        const bool fresh = !sh && !Held(shift, ssCtrl);
        if (rows) {
            if (fresh)
                g.ClearRowSelect();
            if (sh)
                g.SelectionToRowSelect(false);
            else
                g.SetRowSelect(row, true);
        }
        if (cols) {
            if (fresh)
                g.ClearColSelect();
            if (sh)
                g.SelectionToColSelect(false);
            else
                g.SetColSelect(g.Col(), true);
        }
        return false;
    }
    if (key != VK_SPACE)
        return false;
    if (rows)
        g.SetRowSelect(row, !g.RowSelect(row));
    if (cols)
        g.SetColSelect(g.Col(), !g.ColSelect(g.Col()));
    return rows || cols;
}

// Ctrl+A under row or range selection: every data cell.
void SelectAllKey(TExStringGrid& g)
{
    const TGridRect all{g.GetFirstNavCol(), g.FixedRows(), LastDataCol(g), LastDataRow(g)};
    if (g.MouseActions.DisjunctRowSelect()) {
        for (int r = all.Top; r <= all.Bottom; ++r)
            g.SetRowSelect(r, true);
    }
    g.SetSelection(all);
}

// Moving and editing keys end the incremental search.
constexpr int kSearchEndKeys[] = {VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_INSERT, VK_DELETE};

Down KeyDownRules(TExStringGrid& g, const GridKey& k)
{
    const int key = k.code;
    const TShiftState shift = k.shift;
    const bool ctrl = Held(shift, ssCtrl);
    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
    const TGridRect moveSelection = g.Selection();

    if (std::find(std::begin(kSearchEndKeys), std::end(kSearchEndKeys), key) != std::end(kSearchEndKeys))
        g.SearchInc.clear();

    if (g.Navigation.MoveScrollOnly) {
        for (const ScrollOnly& s : kScrollOnly) {
            if (s.key == key) {
                g.SetTopRow(std::max(g.FixedRows(), s.newTop(g)));
                return Down::Stopped;
            }
        }
    }

    if (enterOrF2 && HasEmbeddedControls(g)) {
        OpenFirstCellControl(g);
        return Down::Stopped;
    }

    if (g.MouseActions.EditOnDblClickOnly() && enterOrF2 && !Editing(g)) {
        const bool was = g.MouseActions.RangeSelectAndEdit;
        g.MouseActions.RangeSelectAndEdit = true;
        if (CurrentEditable(g))
            SetEditing(g, true);
        g.MouseActions.RangeSelectAndEdit = was;
    }

    if (g.MouseActions.RangeSelectAndEdit && !Editing(g) && enterOrF2) {
        if (!CurrentEditable(g))
            return Swallow(g, key, shift);
        SetEditing(g, true);
        g.ShowInplaceEdit();
        return Down::Stopped;
    }

    if (enterOrF2 && Editing(g) && !CurrentEditable(g))
        return Swallow(g, key, shift);
    if (key == VK_RETURN && !CurrentEditable(g))
        return Swallow(g, key, shift);

    bool controlCellKey = false;
    if ((key == VK_RETURN || key == VK_SPACE) && g.IsControlCell(g.RealCol(), g.Row())) {
        controlCellKey = true;
        if (key == VK_SPACE)
            SpaceOnControlCell(g);
    }

    if (key == VK_HOME || key == VK_END) {
        for (const HomeEndRule& r : kHomeEndRules) {
            if (r.key != key || r.mode != g.Navigation.HomeEndKey || r.ctrl != ctrl)
                continue;
            if (r.outsideRowSelectOnly && g.Options().Contains(goRowSelect))
                continue;
            const TGridCoord before{g.Col(), g.Row()};
            if (RunJump(g, r.jump, shift)) {
                // A jump that moved the cell is followed by OnClick too.
                if ((g.Col() != before.X || g.Row() != before.Y) && g.OnClick)
                    g.OnClick(&g);
                return Swallow(g, key, shift);
            }
            break;
        }
    }

    // A node row's merged cell: Right expands, Left contracts the node.
    if ((key == VK_RIGHT || key == VK_LEFT) && g.IsNode(g.Row()) && g.IsMergedCell(g.RealCol(), g.Row())) {
        if (key == VK_RIGHT)
            g.ExpandNode(g.RealRow());
        else
            g.ContractNode(g.RealRow());
    }

    // Row selection with more columns than fit: Left/Right scroll.
    if ((key == VK_LEFT || key == VK_RIGHT) && g.Options().Contains(goRowSelect) &&
        g.FixedCols() + g.VisibleColCount() < g.ColCount()) {
        const bool scroll = g.Navigation.LeftRightRowSelect ? ctrl : true;
        if (scroll) {
            if (key == VK_LEFT && g.LeftCol() > g.FixedCols())
                g.SetLeftCol(g.LeftCol() - 1);
            if (key == VK_RIGHT && g.VisibleColCount() + g.LeftCol() < g.ColCount())
                g.SetLeftCol(g.LeftCol() + 1);
        }
        if (!g.Navigation.LeftRightRowSelect)
            return Swallow(g, key, shift);
    }

    if (key == VK_TAB) {
        // Without goTabs the window moves the focus on.
        if (!g.Options().Contains(goTabs))
            return Down::Pass;
        const bool kept = TabAdvance(g, Held(shift, ssShift));
        NotifySelectionMoved(g, moveSelection);
        return kept ? Down::Stopped : Down::Pass;
    }

    if (g.Navigation.SkipFixedCells && WalkOverFixed(g, key, shift))
        return Swallow(g, key, shift);

    if (key == VK_DOWN && g.Navigation.AppendOnArrowDown && g.Row() == LastDataRow(g))
        AppendNewRow(g);

    int stepKey = key;
    GridKeyDownStep(g, stepKey, shift);
    // A key OnKeyDown cleared stops here; a key without a code (such as
    // "-" or a letter of another layout) still types its character.
    if (stepKey == 0 && key != 0)
        return Down::Stopped;
    // The rules below act on the key as the OnKeyDown handler left it.
    const bool alt = Held(shift, ssAlt);
    const bool insertKey = stepKey == VK_INSERT && shift.Empty() && g.Navigation.AllowInsertRow;
    if (insertKey)
        InsertRowKey(g);
    if (ctrl && stepKey == 'A' && (g.Options().Contains(goRowSelect) || g.Options().Contains(goRangeSelect))) {
        SelectAllKey(g);
        return Down::Stopped;
    }
    const bool disjunctSpace = DisjunctSelectionKeys(g, stepKey, shift);
    const bool deleteKey = stepKey == VK_DELETE && !alt && g.Navigation.AllowDeleteRow;
    if (deleteKey)
        DeleteRowKey(g);
    NotifySelectionMoved(g, moveSelection);
    if (insertKey || deleteKey || disjunctSpace || controlCellKey || IsNavigationKey(key))
        return Down::Claimed;
    return Down::Open;
}

QChar TakeKeyPress(TExStringGrid& g, QChar ch)
{
    if (g.OnKeyPress)
        g.OnKeyPress(&g, ch);
    return ch;
}

// A character typed on a grid that does not edit: with AutoGotoIncremental
// it extends the search text (Backspace takes the last one back), otherwise
// it is the whole text; the first row of the search column that starts with
// it becomes current, and a text no row starts with is dropped.
void IncrementalSearch(TExStringGrid& g, QChar ch)
{
    if (g.Navigation.AutoGotoIncremental) {
        if (ch == QChar(0x08))
            g.SearchInc.chop(1);
        else
            g.SearchInc += ch;
        g.SearchTics = 0;
    } else {
        g.SearchInc = QString(ch);
    }
    const int row = g.SearchInc.isEmpty() || !g.SearchRow ? -1 : g.SearchRow(g.SearchInc.toUpper());
    if (row < 0) {
        g.SearchInc.clear();
        return;
    }
    const int before = g.Row();
    g.SetRow(row);
    if (g.Row() != before && g.OnClick)
        g.OnClick(&g);
}

} // namespace

bool CanAdvanceToCell(TExStringGrid& g, int col, int row)
{
    if (Editing(g))
        return g.IsEditable(g.RealColIndex(col), row);
    return !g.IsFixed(col, row);
}

// Fixed columns never take the cursor, so the scan starts at the first
// navigable column.
int FirstAdvanceCol(TExStringGrid& g, int row)
{
    for (int c = g.GetFirstNavCol(); c < g.ColCount(); ++c) {
        if (CanAdvanceToCell(g, c, row))
            return c;
    }
    return -1;
}

int LastAdvanceCol(TExStringGrid& g, int row)
{
    for (int c = g.ColCount() - 1; c >= g.GetFirstNavCol(); --c) {
        if (CanAdvanceToCell(g, c, row))
            return c;
    }
    return -1;
}

void AppendNewRow(TExStringGrid& g)
{
    bool canAdd = true;
    g.CanAddRow(canAdd);
    if (!canAdd)
        return;
    g.AppendRow();
    const int row = g.RowCount() - 1;
    for (int c = 0; c < g.AllColCount(); ++c)
        g.ClearCellData(c, row);
    if (g.FixedFooters() > 0)
        g.MoveColRow(g.Col(), g.Row() + 1, true, true);
    if (g.OnAutoAddRow)
        g.OnAutoAddRow(&g, LastDataRow(g));
}

void GridKeyDownStep(TExStringGrid& g, int& key, TShiftState shift)
{
    const TGridCoord lastKeyCell{g.Col(), g.Row()};
    FireKeyDown(g, key, shift);
    if (key == 0)
        return;
    const bool ctrl = Held(shift, ssCtrl);
    if (g.Navigation.CursorMoveRows && ctrl && (key == VK_UP || key == VK_DOWN)) {
        MoveSelectedRows(g, key == VK_DOWN ? 1 : -1);
        SyncOtherGrid(g);
        return;
    }
    g.MergedKeyStep(key);
    if (const PlatformMove* m = FindPlatformMove(key, ctrl)) {
        const TGridCoord to = m->target(g, TGridCoord{g.Col(), g.Row()});
        MoveTo(g, to.X, to.Y, shift);
    } else if (key == VK_F2 && Editing(g) && !g.Options().Contains(goAlwaysShowEditor) && CurrentEditable(g)) {
        g.ShowInplaceEdit();
    }
    g.SnapToBaseCell();

    if (g.Navigation.CursorAdvance != caDefault) {
        for (const EdgeWrap& w : kEdgeWraps) {
            if (w.key == key && w.atEdge(g, lastKeyCell)) {
                const TGridCoord before{g.Col(), g.Row()};
                w.wrap(g, g.Navigation.CursorAdvance == caSnake);
                if ((g.Col() != before.X || g.Row() != before.Y) && g.OnClick)
                    g.OnClick(&g);
                break;
            }
        }
    }
    SyncOtherGrid(g);
}

bool GridClaimsKey(TExStringGrid& g, const GridKey& key)
{
    const int code = key.code;
    if (IsNavigationKey(code))
        return true;
    if (code == VK_TAB)
        return g.Options().Contains(goTabs);
    if (code == VK_ESCAPE)
        return g.EditorMode();
    if (code == VK_SPACE) {
        return g.IsControlCell(g.RealCol(), g.Row()) || g.MouseActions.DisjunctRowSelect() ||
               g.MouseActions.DisjunctColSelect();
    }
    if (code == VK_INSERT)
        return key.shift.Empty() && g.Navigation.AllowInsertRow;
    if (code == VK_DELETE)
        return !Held(key.shift, ssAlt) && g.Navigation.AllowDeleteRow;
    if (Held(key.shift, ssCtrl)) {
        if (code == 'A')
            return g.Options().Contains(goRowSelect) || g.Options().Contains(goRangeSelect);
        return g.Navigation.AllowClipboardShortCuts && (code == 'C' || code == 'V' || code == 'X');
    }
    // A typed character may open the editor.
    const ushort ch = key.text.unicode();
    const bool typed = !key.text.isNull() && ch != 9 && ch != 27 && (ch == 8 || ch >= 32);
    return typed && !Held(key.shift, ssAlt) &&
           (Editing(g) || g.MouseActions.RangeSelectAndEdit || g.Navigation.AutoGotoWhenSorted ||
            HasEmbeddedControls(g));
}

bool GridKeyPress(TExStringGrid& g, QChar& key)
{
    const bool enter = key == QChar(0x0D);
    if (key == QChar(0x1B)) {
        if (Editing(g) && g.EditorMode()) {
            key = TakeKeyPress(g, key);
            return true;
        }
    } else if (enter && !g.Navigation.AdvanceOnEnter && !CurrentEditable(g)) {
        TakeKeyPress(g, key);
        key = QChar();
        return true;
    } else if (enter && (g.EditorMode() || g.IsControlCell(g.RealCol(), g.Row()))) {
        const int oldReal = g.RealCol();
        g.AdvanceEdit(g.Col(), g.Row(), false, false, true, false, g.EditorMode());
        if (!g.Navigation.AdvanceAutoEdit) {
            TakeKeyPress(g, key);
            key = QChar();
            return true;
        }
        if (g.IsControlCell(oldReal, g.Row())) {
            TakeKeyPress(g, key);
            if (g.Navigation.AdvanceOnEnter)
                g.ShowInplaceEdit();
            return true;
        }
    }
    // Esc, Enter and the other control characters end the search and stay
    // the window's.
    const bool searching = !Editing(g) && g.Navigation.AutoGotoWhenSorted;
    const bool searched = searching && (key == QChar(0x08) || key.unicode() >= 32);
    if (searched)
        IncrementalSearch(g, key);
    else if (searching)
        g.SearchInc.clear();
    key = TakeKeyPress(g, key);
    if (key == QChar(0x0D) && Editing(g) && !g.Options().Contains(goAlwaysShowEditor)) {
        if (g.EditorMode())
            g.HideInplaceEdit();
        else if (CurrentEditable(g))
            g.ShowInplaceEdit();
    }
    return enter || searched;
}

bool GridChar(TExStringGrid& g, const GridKey& k)
{
    QChar ch = k.text;
    if (ch.isNull())
        return false;
    const bool ctrl = Held(k.shift, ssCtrl);
    const ushort code = ch.unicode();
    const bool printable = code == 8 || code >= 32;

    // Typing on in-text controls changes nothing.
    if (printable && HasEmbeddedControls(g))
        return true;

    if (g.MouseActions.EditOnDblClickOnly() && CurrentEditable(g))
        SetEditing(g, true);

    if (g.Navigation.AllowClipboardShortCuts && ctrl && (code == 3 || code == 22 || code == 24))
        return true;

    const bool control = g.IsControlCell(g.RealCol(), g.Row());
    if (g.MouseActions.RangeSelectAndEdit && !control && CurrentEditable(g) && code != 9 && code != 27 && !ctrl) {
        TakeKeyPress(g, ch);
        g.SetStartEditChar(ch);
        SetEditing(g, true);
        g.ScrollInView(g.Col(), g.Row());
        if (printable)
            g.ShowInplaceEdit();
        if (!g.EditorMode())
            g.SetStartEditChar(QChar());
        return true;
    }

    if (Editing(g) && code != 9 && printable) {
        ch = TakeKeyPress(g, ch);
        if (ch.isNull())
            return true;
        g.SetStartEditChar(ch);
        if (!control && CurrentEditable(g))
            g.ShowInplaceEdit();
        // A start character no editor took would open the next one.
        if (!g.EditorMode())
            g.SetStartEditChar(QChar());
        return true;
    }
    return GridKeyPress(g, ch);
}

bool GridKeyInput(TExStringGrid& g, const GridKey& key)
{
    switch (KeyDownRules(g, key)) {
    case Down::Pass:
        return false;
    case Down::Stopped:
        return true;
    case Down::Claimed:
        GridChar(g, key);
        return true;
    case Down::Open:
        break;
    }
    return GridChar(g, key);
}

bool TabAdvance(TExStringGrid& g, bool backward)
{
    if (g.OnKeyDown) {
        int key = VK_TAB;
        TShiftState shift;
        if (backward)
            shift.Include(ssShift);
        g.OnKeyDown(&g, key, shift);
        if (key != VK_TAB)
            return true;
    }
    const int firstNav = g.GetFirstNavCol();
    const int lastCol = LastDataCol(g);
    const int lastRow = LastDataRow(g);
    const bool leftRight = g.Navigation.TabAdvanceDirection == adLeftRight;
    const TGridCoord start{g.Col(), g.Row()};
    bool result = true;
    // Non-editable cells are passed over; the walk ends where it started.
    const long long maxSteps = static_cast<long long>(g.ColCount()) * g.RowCount() + 1;
    for (long long step = 0; step < maxSteps; ++step) {
        int col = g.Col();
        int row = g.Row();
        bool passOn = false;
        if (backward) {
            if (!leftRight) {
                if (row > g.FixedRows()) {
                    --row;
                } else {
                    row = lastRow;
                    col = col > firstNav ? col - 1 : lastCol;
                }
            } else if (col > firstNav) {
                int c = col - 1;
                while (c >= firstNav && !(CanAdvanceToCell(g, c, row) && g.IsBaseCell(g.RealColIndex(c), row)))
                    --c;
                if (c < firstNav) {
                    row = row > g.FixedRows() ? row - 1 : lastRow;
                    c = LastAdvanceCol(g, row);
                }
                col = c;
            } else {
                int c = lastCol;
                while (c > g.FixedCols() && !CanAdvanceToCell(g, c, row))
                    --c;
                col = c;
                row = row > g.FixedRows() ? row - 1 : lastRow;
            }
        } else {
            const QPoint span = g.CellSpan(g.RealColIndex(col), row);
            if (!leftRight) {
                if (row + span.y() + 1 <= lastRow) {
                    row += span.y() + 1;
                } else {
                    row = g.FixedRows();
                    if (col < lastCol) {
                        ++col;
                    } else {
                        col = firstNav;
                        passOn = true;
                    }
                }
            } else if (col + span.x() + 1 <= lastCol) {
                int c = col + span.x() + 1;
                while (c <= lastCol && !CanAdvanceToCell(g, c, row))
                    ++c;
                if (c <= lastCol) {
                    col = c;
                } else if (row < lastRow) {
                    ++row;
                    col = FirstAdvanceCol(g, row);
                } else {
                    row = g.FixedRows();
                    col = FirstAdvanceCol(g, row);
                    passOn = true;
                }
            } else if (row < lastRow) {
                ++row;
                col = FirstAdvanceCol(g, row);
            } else {
                bool add = !g.Navigation.TabToNextAtEnd && g.Navigation.AdvanceInsert();
                if (add) {
                    g.CanAddRow(add);
                    if (add) {
                        g.AddRow();
                        row = LastDataRow(g);
                        if (g.OnAutoAddRow)
                            g.OnAutoAddRow(&g, row);
                    }
                }
                if (!add)
                    row = g.FixedRows();
                col = FirstAdvanceCol(g, row);
                passOn = true;
            }
        }
        if (col < 0)
            col = firstNav;
        g.MoveColRow(col, row, true, true);
        if (passOn && g.Navigation.TabToNextAtEnd) {
            result = false;
            break;
        }
        const TGridCoord now{g.Col(), g.Row()};
        if (now.X != col || now.Y != row || (now.X == start.X && now.Y == start.Y))
            break; // refused, or back where it started
        const bool skip = (Editing(g) && !CurrentEditable(g)) || !g.IsBaseCell(g.RealCol(), g.Row());
        if (!skip)
            break;
    }
    if ((g.Col() != start.X || g.Row() != start.Y) && g.OnClick)
        g.OnClick(&g);
    if (result && g.Navigation.AdvanceAutoEdit && Editing(g) && !g.IsControlCell(g.RealCol(), g.Row()) &&
        CurrentEditable(g)) {
        if (HasEmbeddedControls(g))
            OpenFirstCellControl(g);
        else
            g.ShowInplaceEdit();
    }
    if (g.Navigation.AlwaysEdit)
        g.SetFocus();
    return result;
}

} // namespace grid
