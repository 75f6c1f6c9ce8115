// The grid's keyboard rules: navigation, Home/End, Tab, Enter, F2, Esc,
// typed characters and Space on check cells, over hidden columns,
// read-only cells, merged cells and fixed areas.
#include "controls/grid/core/key_input.h"

#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {

// A grid whose editor hooks only record: the editor "opens" with the start
// character it would type.
class KeyGrid : public TExStringGrid
{
public:
    QStringList log;
    bool open = false;

    void ShowInplaceEdit() override
    {
        open = true;
        const QChar ch = StartEditChar();
        log << QStringLiteral("show:") + (ch.isNull() ? QStringLiteral("-") : QString(ch));
    }
    void HideInplaceEdit() override
    {
        open = false;
        log << QStringLiteral("hide");
    }
    bool EditorMode() const override { return open; }
};

QString CharName(QChar ch)
{
    if (ch.unicode() < 32)
        return QString::number(ch.unicode(), 16).rightJustified(2, QLatin1Char('0'));
    return QString(ch);
}

// Real columns: 1 and 2 text, 3 hidden, 4 a Y/N check column, 5 read-only,
// 6 text. Display columns: 1, 2, 3 (Y/N), 4 (read-only), 5. Rows 1..5 hold
// data; real columns 1-2 of row 4 are one merged cell.
void TableEditorLayout(KeyGrid& g)
{
    g.SetColCount(7);
    g.SetRowCount(6);
    g.AddCheckBoxColumn(4, false, true);
    for (int r = 1; r < 6; ++r)
        g.SetCells(4, r, QStringLiteral("N"));
    g.HideColumn(3);
    g.MergeCells(1, 4, 2, 1);
    g.OnCanEditCell = [](TExStringGrid*, int, int col, bool& canEdit) {
        if (col == 5)
            canEdit = false;
    };
    g.OnKeyDown = [&g](TExStringGrid*, int& key, TShiftState) { g.log << QStringLiteral("down:%1").arg(key, 0, 16); };
    g.OnKeyPress = [&g](TExStringGrid*, QChar& key) { g.log << QStringLiteral("press:") + CharName(key); };
    g.OnCheckBoxClick = [&g](TExStringGrid*, int col, int row, bool state) {
        g.log << QStringLiteral("check:%1,%2,%3").arg(col).arg(row).arg(state ? 1 : 0);
    };
    g.OnAutoAddRow = [&g](TExStringGrid*, int row) { g.log << QStringLiteral("add:%1").arg(row); };
}

void With(KeyGrid& g, TGridOption o)
{
    TGridOptions opts = g.Options();
    opts.Include(o);
    g.SetOptions(opts);
}

GridKey K(int code, TShiftState shift = {}, QChar text = QChar())
{
    return GridKey{code, shift, text};
}
GridKey Ch(char c, TShiftState shift = {})
{
    const int code = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
    return GridKey{code, shift, QChar(QLatin1Char(c))};
}
const GridKey kEnter{VK_RETURN, {}, QChar(0x0D)};
const GridKey kEsc{VK_ESCAPE, {}, QChar(0x1B)};
const GridKey kTab{VK_TAB, {}, QChar(0x09)};
const GridKey kShiftTab{VK_TAB, {ssShift}, QChar(0x09)};
const GridKey kSpace{VK_SPACE, {}, QChar(0x20)};
const GridKey kCtrlC{'C', {ssCtrl}, QChar(0x03)};

struct KeyCase
{
    const char* name;
    std::function<void(KeyGrid&)> settings;
    TGridCoord start;
    GridKey key;
    TGridCoord end;
    TGridRect selection; // {-1,...}: the end cell alone
    const char* events;
    bool consumed;
    const char* checkText;  // real column 4 of the start row
    const char* pendingChar; // start character left after the key
};

const auto kNone = [](KeyGrid&) {};
const auto kEditing = [](KeyGrid& g) { With(g, goEditing); };
const auto kTabs = [](KeyGrid& g) { With(g, goTabs); };
const auto kTabsEditing = [](KeyGrid& g) {
    With(g, goTabs);
    With(g, goEditing);
};
// The owner's vetoes, logged and refusing.
const auto kRowVeto = [](KeyGrid& g) {
    g.OnRowChanging = [&g](TExStringGrid*, int from, int to, bool& allow) {
        g.log << QStringLiteral("row:%1>%2").arg(from).arg(to);
        allow = false;
    };
};
const auto kColVeto = [](KeyGrid& g) {
    g.OnColChanging = [&g](TExStringGrid*, int from, int to, bool& allow) {
        g.log << QStringLiteral("col:%1>%2").arg(from).arg(to);
        allow = false;
    };
};
const auto kCellVeto = [](KeyGrid& g) {
    g.OnCellChanging = [&g](TExStringGrid*, int oldRow, int oldCol, int newRow, int newCol, bool& allow) {
        g.log << QStringLiteral("cell:%1,%2>%3,%4").arg(oldRow).arg(oldCol).arg(newRow).arg(newCol);
        allow = false;
    };
};
constexpr TGridRect kCell{-1, -1, -1, -1};

const KeyCase kCases[] = {
    // One-step navigation over hidden, merged and fixed cells.
    {"down one row", kNone, {1, 1}, K(VK_DOWN), {1, 2}, kCell, "down:28", true, "N", ""},
    {"right steps over the hidden column", kNone, {2, 1}, K(VK_RIGHT), {3, 1}, kCell, "down:27", true, "N", ""},
    {"left stops at the fixed column", kNone, {1, 1}, K(VK_LEFT), {1, 1}, kCell, "down:25", true, "N", ""},
    {"up stops at the fixed row", kNone, {2, 1}, K(VK_UP), {2, 1}, kCell, "down:26", true, "N", ""},
    {"shift+down extends the range", kNone, {1, 1}, K(VK_DOWN, {ssShift}), {1, 2}, {1, 1, 1, 2}, "down:28", true, "N",
     ""},
    {"shift+right extends over the hidden column", kNone, {2, 2}, K(VK_RIGHT, {ssShift}), {3, 2}, {2, 2, 3, 2},
     "down:27", true, "N", ""},
    {"down onto a covered cell lands on its base", kNone, {2, 3}, K(VK_DOWN), {1, 4}, kCell, "down:28", true, "N", ""},
    {"right from a merged cell leaves its span", kNone, {1, 4}, K(VK_RIGHT), {3, 4}, kCell, "down:27", true, "N", ""},
    {"up from below a merged cell lands on its base", kNone, {2, 5}, K(VK_UP), {1, 4}, kCell, "down:26", true, "N", ""},
    {"ctrl+down moves like down", kNone, {3, 1}, K(VK_DOWN, {ssCtrl}), {3, 2}, kCell, "down:28", true, "N", ""},
    {"down stays out of a fixed footer", [](KeyGrid& g) { g.SetFixedFooters(1); }, {3, 4}, K(VK_DOWN), {3, 4}, kCell,
     "down:28", true, "N", ""},
    {"without skipping fixed cells down stays out of the footer too",
     [](KeyGrid& g) {
         g.SetFixedFooters(1);
         g.Navigation.SkipFixedCells = false;
     },
     {3, 4}, K(VK_DOWN), {3, 4}, kCell, "down:28", true, "N", ""},
    {"right stays out of a fixed right column", [](KeyGrid& g) { g.SetFixedRightCols(1); }, {4, 2}, K(VK_RIGHT),
     {4, 2}, kCell, "down:27", true, "N", ""},
    {"down on the last row appends one", [](KeyGrid& g) { g.Navigation.AppendOnArrowDown = true; }, {1, 5},
     K(VK_DOWN), {1, 6}, kCell, "add:6 down:28", true, "N", ""},
    {"right at the edge loops", [](KeyGrid& g) { g.Navigation.CursorAdvance = caLoop; }, {5, 2}, K(VK_RIGHT), {1, 2},
     kCell, "down:27", true, "N", ""},
    {"right at the edge snakes", [](KeyGrid& g) { g.Navigation.CursorAdvance = caSnake; }, {5, 2}, K(VK_RIGHT),
     {1, 3}, kCell, "down:27", true, "N", ""},
    {"left at the edge snakes up", [](KeyGrid& g) { g.Navigation.CursorAdvance = caSnake; }, {1, 3}, K(VK_LEFT),
     {5, 2}, kCell, "down:25", true, "N", ""},
    {"down at the edge loops", [](KeyGrid& g) { g.Navigation.CursorAdvance = caLoop; }, {3, 5}, K(VK_DOWN), {3, 1},
     kCell, "down:28", true, "N", ""},

    // Home and End.
    {"home goes to the first column", kNone, {4, 2}, K(VK_HOME), {1, 2}, kCell, "down:24", true, "N", ""},
    {"end goes to the last column", kNone, {1, 2}, K(VK_END), {5, 2}, kCell, "down:23", true, "N", ""},
    {"shift+end selects to the last column", kNone, {2, 2}, K(VK_END, {ssShift}), {5, 2}, {2, 2, 5, 2}, "down:23",
     true, "N", ""},
    {"shift+home selects to the first column", kNone, {4, 2}, K(VK_HOME, {ssShift}), {1, 2}, {1, 2, 4, 2}, "down:24",
     true, "N", ""},
    {"ctrl+home goes to the first cell", kNone, {4, 3}, K(VK_HOME, {ssCtrl}), {1, 1}, kCell, "down:24", true, "N", ""},
    {"ctrl+end goes to the last cell", kNone, {1, 1}, K(VK_END, {ssCtrl}), {5, 5}, kCell, "down:23", true, "N", ""},
    {"home to the first cell", [](KeyGrid& g) { g.Navigation.HomeEndKey = heFirstLastCell; }, {3, 3}, K(VK_HOME),
     {1, 1}, kCell, "down:24", true, "N", ""},
    {"end to the last cell", [](KeyGrid& g) { g.Navigation.HomeEndKey = heFirstLastCell; }, {3, 3}, K(VK_END),
     {5, 5}, kCell, "down:23", true, "N", ""},
    {"home to the first row", [](KeyGrid& g) { g.Navigation.HomeEndKey = heFirstLastRow; }, {3, 3}, K(VK_HOME),
     {3, 1}, kCell, "down:24", true, "N", ""},
    {"end to the last data row", [](KeyGrid& g) {
         g.Navigation.HomeEndKey = heFirstLastRow;
         g.SetFixedFooters(1);
     },
     {3, 1}, K(VK_END), {3, 4}, kCell, "down:23", true, "N", ""},
    {"shift+end selects whole rows down", [](KeyGrid& g) { g.Navigation.HomeEndKey = heFirstLastRow; }, {3, 2},
     K(VK_END, {ssShift}), {5, 5}, {1, 2, 5, 5}, "down:23", true, "N", ""},

    // Tab.
    {"tab without goTabs is the window's", kNone, {1, 1}, kTab, {1, 1}, kCell, "", false, "N", ""},
    {"tab moves right", kTabs, {2, 1}, kTab, {3, 1}, kCell, "down:9", true, "N", ""},
    {"shift+tab moves left", kTabs, {3, 1}, kShiftTab, {2, 1}, kCell, "down:9", true, "N", ""},
    {"tab at the last cell wraps to the first", kTabs, {5, 5}, kTab, {1, 1}, kCell, "down:9", true, "N", ""},
    {"shift+tab at the first cell wraps to the last", kTabs, {1, 1}, kShiftTab, {5, 5}, kCell, "down:9", true, "N",
     ""},
    {"tab skips a read-only cell and opens the editor", kTabsEditing, {3, 1}, kTab, {5, 1}, kCell, "down:9 show:-",
     true, "N", ""},
    {"tab onto a check cell opens no editor", kTabsEditing, {2, 1}, kTab, {3, 1}, kCell, "down:9", true, "N", ""},
    {"shift+tab skips a read-only cell", kTabsEditing, {5, 2}, kShiftTab, {3, 2}, kCell, "down:9", true, "N", ""},
    {"tab leaves a merged cell past its span", kTabs, {1, 4}, kTab, {3, 4}, kCell, "down:9", true, "N", ""},
    {"tab at the end adds a row",
     [](KeyGrid& g) {
         With(g, goTabs);
         g.Navigation.SetAdvanceInsert(true);
     },
     {5, 5}, kTab, {1, 6}, kCell, "down:9 add:6", true, "N", ""},
    {"tab at the end passes the focus on",
     [](KeyGrid& g) {
         With(g, goTabs);
         g.Navigation.TabToNextAtEnd = true;
     },
     {5, 5}, kTab, {1, 1}, kCell, "down:9", false, "N", ""},

    // Enter, F2, Esc and typed characters.
    {"enter on a read-only cell is swallowed", kEditing, {4, 2}, kEnter, {4, 2}, kCell, "down:d", true, "N", ""},
    {"enter opens the editor", kEditing, {1, 2}, kEnter, {1, 2}, kCell, "down:d press:0d show:-", true, "N", ""},
    {"f2 opens the editor", kEditing, {1, 2}, K(VK_F2), {1, 2}, kCell, "down:71 show:-", true, "N", ""},
    {"f2 on a read-only cell opens nothing", kEditing, {4, 2}, K(VK_F2), {4, 2}, kCell, "down:71", true, "N", ""},
    {"a character opens the editor with it", kEditing, {1, 2}, Ch('a'), {1, 2}, kCell, "down:41 press:a show:a", true,
     "N", "a"},
    {"a character without editing is not consumed", kNone, {1, 2}, Ch('a'), {1, 2}, kCell, "down:41 press:a", false,
     "N", ""},
    {"a character on a read-only cell opens nothing", kEditing, {4, 2}, Ch('a'), {4, 2}, kCell, "down:41 press:a",
     true, "N", ""},
    {"esc without an editor is the window's", kEditing, {1, 2}, kEsc, {1, 2}, kCell, "down:1b press:1b", false, "N",
     ""},
    {"ctrl+c is swallowed with clipboard keys", [](KeyGrid& g) { g.Navigation.AllowClipboardShortCuts = true; },
     {1, 2}, kCtrlC, {1, 2}, kCell, "down:43", true, "N", ""},
    {"ctrl+c without clipboard keys reaches the key press", kNone, {1, 2}, kCtrlC, {1, 2}, kCell, "down:43 press:03",
     false, "N", ""},
    {"enter opens the editor under range-select-and-edit",
     [](KeyGrid& g) { g.MouseActions.RangeSelectAndEdit = true; }, {1, 2}, kEnter, {1, 2}, kCell, "show:-", true, "N",
     ""},
    {"f2 switches editing on under edit-on-double-click-only",
     [](KeyGrid& g) { g.MouseActions.SetEditOnDblClickOnly(true); }, {1, 2}, K(VK_F2), {1, 2}, kCell,
     "down:71 show:-", true, "N", ""},
    {"enter under range-select-and-edit swallows on read-only",
     [](KeyGrid& g) { g.MouseActions.RangeSelectAndEdit = true; }, {4, 2}, kEnter, {4, 2}, kCell, "down:d", true, "N",
     ""},

    {"ctrl+a selects every data cell", kNone, {2, 2}, K('A', {ssCtrl}, QChar(1)), {5, 5}, {1, 1, 5, 5}, "down:41",
     true, "N", ""},
    {"ctrl+a leaves the fixed footer and right column out",
     [](KeyGrid& g) {
         g.SetFixedFooters(1);
         g.SetFixedRightCols(1);
     },
     {2, 2}, K('A', {ssCtrl}, QChar(1)), {4, 4}, {1, 1, 4, 4}, "down:41", true, "N", ""},

    // Space on the check column (display 3, real 4, right of a hidden column).
    {"space toggles and reports the display column", kEditing, {3, 2}, kSpace, {3, 2}, kCell,
     "check:3,2,1 down:20 press: ", true, "Y", ""},
    {"space without editing toggles nothing", kNone, {3, 2}, kSpace, {3, 2}, kCell, "down:20 press: ", true, "N", ""},
    {"space toggles an inactive cell when always active", [](KeyGrid& g) { g.ControlLook.CheckAlwaysActive = true; },
     {3, 2}, kSpace, {3, 2}, kCell, "check:3,2,1 down:20 press: ", true, "Y", ""},
    {"enter on a check cell toggles nothing", kEditing, {3, 2}, kEnter, {3, 2}, kCell, "down:d press:0d", true, "N",
     ""},

    // The owner refuses moves (start (1,1) is where the grid starts).
    {"a refused row change keeps the cell", kRowVeto, {1, 1}, K(VK_DOWN), {1, 1}, kCell, "down:28 row:1>2", true, "N",
     ""},
    {"a row veto lets moves along the row pass", kRowVeto, {1, 1}, K(VK_RIGHT), {2, 1}, kCell, "down:27", true, "N",
     ""},
    {"a refused shift+down keeps the range", kRowVeto, {1, 1}, K(VK_DOWN, {ssShift}), {1, 1}, kCell,
     "down:28 row:1>2", true, "N", ""},
    {"a refused column change keeps the cell", kColVeto, {1, 1}, K(VK_RIGHT), {1, 1}, kCell, "down:27 col:1>2", true,
     "N", ""},
    {"ctrl+end refused by the column veto", kColVeto, {1, 1}, K(VK_END, {ssCtrl}), {1, 1}, kCell, "down:23 col:1>5",
     true, "N", ""},
    {"a column veto lets moves down the column pass", kColVeto, {1, 1}, K(VK_DOWN), {1, 2}, kCell, "down:28", true,
     "N", ""},
    {"a refused cell change keeps the cell", kCellVeto, {1, 1}, K(VK_DOWN), {1, 1}, kCell, "down:28 cell:1,1>2,1",
     true, "N", ""},
};

} // namespace

namespace grid {
void PrintTo(const TGridCoord& c, std::ostream* os)
{
    *os << "(" << c.X << "," << c.Y << ")";
}
void PrintTo(const TGridRect& r, std::ostream* os)
{
    *os << "{" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << "}";
}
} // namespace grid

TEST(KeyInput, KeyMap)
{
    for (const KeyCase& c : kCases) {
        SCOPED_TRACE(c.name);
        KeyGrid g;
        TableEditorLayout(g);
        c.settings(g);
        g.MoveColRow(c.start.X, c.start.Y, true, true);
        g.log.clear();
        const bool claimed = GridClaimsKey(g, c.key);

        const bool consumed = GridKeyInput(g, c.key);

        EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), c.end);
        const TGridRect sel = c.selection.Left < 0 ? TGridRect{c.end.X, c.end.Y, c.end.X, c.end.Y} : c.selection;
        EXPECT_EQ(g.Selection(), sel);
        EXPECT_EQ(g.log.join(QLatin1Char(' ')).toStdString(), c.events);
        EXPECT_EQ(consumed, c.consumed);
        if (consumed) {
            EXPECT_TRUE(claimed) << "consumed a key the window's shortcuts could take";
        }
        EXPECT_EQ(g.Cells(4, c.start.Y).toStdString(), c.checkText);
        EXPECT_EQ(g.StartEditChar().isNull() ? std::string() : QString(g.StartEditChar()).toStdString(),
                  c.pendingChar);
    }
}

// Keys pressed while the editor is open: Enter closes it, Esc is the grid's
// (the editor restores the text), so neither reaches the window.
TEST(KeyInput, KeysWhileEditing)
{
    const struct
    {
        GridKey key;
        bool advanceOnEnter;
        const char* events;
        bool open;
        int endCol;
    } cases[] = {
        {kEnter, false, "down:d press:0d hide", false, 1},
        {kEnter, true, "down:d press:0d hide", false, 2},
        {kEsc, false, "down:1b press:1b", true, 1},
    };
    for (const auto& c : cases) {
        KeyGrid g;
        TableEditorLayout(g);
        With(g, goEditing);
        g.Navigation.AdvanceOnEnter = c.advanceOnEnter;
        g.MoveColRow(1, 2, true, true);
        g.open = true;
        g.log.clear();
        EXPECT_TRUE(GridKeyInput(g, c.key));
        EXPECT_EQ(g.log.join(QLatin1Char(' ')).toStdString(), c.events);
        EXPECT_EQ(g.open, c.open);
        EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{c.endCol, 2}));
    }
}

// Space on a check cell leaves no start character that the next editor,
// opened by F2, would type.
TEST(KeyInput, SpaceThenF2OpensWithoutStartCharacter)
{
    KeyGrid g;
    TableEditorLayout(g);
    With(g, goEditing);
    g.MoveColRow(3, 2, true, true);
    GridKeyInput(g, kSpace);
    GridKeyInput(g, K(VK_RIGHT));
    GridKeyInput(g, K(VK_RIGHT));
    g.log.clear();
    GridKeyInput(g, K(VK_F2));
    EXPECT_EQ(g.log.join(QLatin1Char(' ')), QStringLiteral("down:71 show:-"));
    EXPECT_EQ(g.Cells(4, 2), QStringLiteral("Y"));
    g.open = false;
    g.MoveColRow(3, 2, true, true);
    GridKeyInput(g, kSpace);
    EXPECT_EQ(g.Cells(4, 2), QStringLiteral("N"));
}

// A handler that clears or changes the key decides what follows.
TEST(KeyInput, KeyDownHandlerMayClearOrChangeTheKey)
{
    KeyGrid g;
    TableEditorLayout(g);
    g.OnKeyDown = [](TExStringGrid*, int& key, TShiftState) {
        if (key == VK_DOWN)
            key = 0;
        else if (key == VK_LEFT)
            key = VK_RIGHT;
    };
    g.MoveColRow(2, 2, true, true);
    EXPECT_TRUE(GridKeyInput(g, K(VK_DOWN)));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{2, 2}));
    GridKeyInput(g, K(VK_LEFT));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{3, 2}));

    // OnKeyPress may change the typed character or drop it.
    With(g, goEditing);
    g.MoveColRow(1, 2, true, true);
    g.OnKeyPress = [](TExStringGrid*, QChar& key) { key = key == QLatin1Char('x') ? QChar() : key.toUpper(); };
    GridKeyInput(g, Ch('b'));
    EXPECT_EQ(g.StartEditChar(), QLatin1Char('B'));
    g.open = false;
    g.SetStartEditChar(QChar());
    g.log.clear();
    GridKeyInput(g, Ch('x'));
    EXPECT_TRUE(g.log.isEmpty());
    EXPECT_FALSE(g.open);
}

// Pages and scrolling: PgDn and PgUp move a page of rows; with
// MoveScrollOnly the view scrolls and the current cell stays.
TEST(KeyInput, PagesAndScrollOnly)
{
    KeyGrid g;
    g.SetColCount(4);
    g.SetRowCount(100);
    g.MoveColRow(1, 1, true, true);
    const int page = g.VisibleRowCount();
    ASSERT_GT(page, 1);
    GridKeyInput(g, K(VK_NEXT));
    EXPECT_EQ(g.Row(), 1 + page);
    GridKeyInput(g, K(VK_NEXT, {ssCtrl}));
    EXPECT_EQ(g.Row(), 1 + 2 * page);
    GridKeyInput(g, K(VK_PRIOR));
    EXPECT_EQ(g.Row(), 1 + page);
    GridKeyInput(g, K(VK_END, {ssCtrl}));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{3, 99}));
    GridKeyInput(g, K(VK_PRIOR));
    EXPECT_EQ(g.Row(), 99 - page);

    KeyGrid s;
    s.SetRowCount(100);
    s.Navigation.MoveScrollOnly = true;
    s.MoveColRow(1, 1, true, true);
    s.OnKeyDown = [&s](TExStringGrid*, int& key, TShiftState) { s.log << QString::number(key); };
    EXPECT_TRUE(GridKeyInput(s, K(VK_DOWN)));
    EXPECT_EQ(s.TopRow(), 2);
    EXPECT_TRUE(GridKeyInput(s, K(VK_NEXT)));
    EXPECT_EQ(s.TopRow(), 2 + s.VisibleRowCount());
    EXPECT_TRUE(GridKeyInput(s, K(VK_HOME)));
    EXPECT_EQ(s.TopRow(), 1);
    EXPECT_EQ(s.Row(), 1);
    EXPECT_TRUE(s.log.isEmpty()); // scrolling alone fires no key event
}

// Refusals leave the grid unchanged: a refused row add ends the Tab on the
// first row; a refused appended row keeps Down on the last row.
TEST(KeyInput, RefusedRowAdds)
{
    KeyGrid g;
    TableEditorLayout(g);
    With(g, goTabs);
    g.Navigation.SetAdvanceInsert(true);
    g.Navigation.AppendOnArrowDown = true;
    g.OnCanAddRow = [](TExStringGrid*, bool& canAdd) { canAdd = false; };
    g.MoveColRow(5, 5, true, true);
    EXPECT_TRUE(GridKeyInput(g, kTab));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));
    EXPECT_EQ(g.RowCount(), 6);
    g.MoveColRow(2, 5, true, true);
    GridKeyInput(g, K(VK_DOWN));
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.RowCount(), 6);
}

// Row selection with more columns than fit: Left and Right scroll the view.
TEST(KeyInput, RowSelectLeftRightScroll)
{
    for (const bool leftRightRowSelect : {true, false}) {
        SCOPED_TRACE(leftRightRowSelect);
        KeyGrid g;
        g.SetColCount(40);
        With(g, goRowSelect);
        g.Navigation.LeftRightRowSelect = leftRightRowSelect;
        g.MoveColRow(1, 2, true, true);
        ASSERT_EQ(g.LeftCol(), 1);
        GridKeyInput(g, K(VK_RIGHT));
        // Plain Right scrolls only without LeftRightRowSelect, and then it
        // does not move the current cell.
        EXPECT_EQ(g.LeftCol(), leftRightRowSelect ? 1 : 2);
        EXPECT_EQ(g.Col(), leftRightRowSelect ? 2 : 1);
        const int left = g.LeftCol();
        GridKeyInput(g, K(VK_RIGHT, {ssCtrl}));
        EXPECT_EQ(g.LeftCol(), left + 1);
    }
}

QString Labels(const TExStringGrid& g)
{
    QStringList l;
    for (int r = 1; r < g.RowCount(); ++r)
        l << g.Cells(6, r);
    return l.join(QLatin1Char(','));
}

// Row keys: Insert, Delete and moving the selected rows, with labels a..e
// in real column 6 of rows 1..5.
TEST(KeyInput, RowKeys)
{
    const auto insert = [](KeyGrid& g) { g.Navigation.AllowInsertRow = true; };
    const auto moveRows = [](KeyGrid& g) { g.Navigation.CursorMoveRows = true; };
    const struct
    {
        const char* name;
        std::function<void(KeyGrid&)> settings;
        int row;
        int selectTo;
        GridKey key;
        const char* labels;
        int endRow;
        TGridRect selection; // {-1,...}: the current cell alone
        const char* events;
        bool consumed;
    } cases[] = {
        {"insert before", insert, 2, -1, K(VK_INSERT), "a,,b,c,d,e", 2, kCell, "down:2d insert:2", true},
        {"insert after",
         [](KeyGrid& g) {
             g.Navigation.AllowInsertRow = true;
             g.Navigation.InsertPosition = pInsertAfter;
         },
         2, -1, K(VK_INSERT), "a,b,,c,d,e", 3, kCell, "down:2d insert:3", true},
        {"insert refused",
         [](KeyGrid& g) {
             g.Navigation.AllowInsertRow = true;
             g.OnCanInsertRow = [](TExStringGrid*, int, bool& can) { can = false; };
         },
         2, -1, K(VK_INSERT), "a,b,c,d,e", 2, kCell, "down:2d", true},
        {"insert not allowed", kNone, 2, -1, K(VK_INSERT), "a,b,c,d,e", 2, kCell, "down:2d", false},
        {"shift+insert inserts nothing", insert, 2, -1, K(VK_INSERT, {ssShift}), "a,b,c,d,e", 2, kCell, "down:2d",
         false},
        {"delete", [](KeyGrid& g) { g.Navigation.AllowDeleteRow = true; }, 2, -1, K(VK_DELETE), "a,c,d,e", 2, kCell,
         "down:2e candelete:2", true},
        {"delete refused",
         [](KeyGrid& g) {
             g.Navigation.AllowDeleteRow = true;
             g.OnCanDeleteRow = [&g](TExStringGrid*, int row, bool& can) {
                 g.log << QStringLiteral("candelete:%1").arg(row);
                 can = false;
             };
         },
         2, -1, K(VK_DELETE), "a,b,c,d,e", 2, kCell, "down:2e candelete:2", true},
        {"alt+delete deletes nothing", [](KeyGrid& g) { g.Navigation.AllowDeleteRow = true; }, 2, -1,
         K(VK_DELETE, {ssAlt}), "a,b,c,d,e", 2, kCell, "down:2e", false},
        {"ctrl+down moves the row down", moveRows, 2, -1, K(VK_DOWN, {ssCtrl}), "a,c,b,d,e", 3, kCell, "down:28",
         true},
        {"ctrl+up moves the row up", moveRows, 3, -1, K(VK_UP, {ssCtrl}), "a,c,b,d,e", 2, kCell, "down:26", true},
        {"ctrl+up on the first row moves nothing", moveRows, 1, -1, K(VK_UP, {ssCtrl}), "a,b,c,d,e", 1, kCell,
         "down:26", true},
        {"ctrl+down moves selected rows", moveRows, 2, 3, K(VK_DOWN, {ssCtrl}), "a,d,b,c,e", 4, {1, 3, 5, 4},
         "down:28", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyGrid g;
        TableEditorLayout(g);
        for (int r = 1; r < 6; ++r)
            g.SetCells(6, r, QString(QLatin1Char('a' + r - 1)));
        g.OnAutoInsertRow = [&g](TExStringGrid*, int row) { g.log << QStringLiteral("insert:%1").arg(row); };
        if (!g.OnCanDeleteRow) {
            g.OnCanDeleteRow = [&g](TExStringGrid*, int row, bool&) {
                g.log << QStringLiteral("candelete:%1").arg(row);
            };
        }
        c.settings(g);
        g.MoveColRow(5, c.row, true, true);
        if (c.selectTo >= 0)
            g.MoveColRow(5, c.selectTo, false, true);
        g.log.clear();
        const bool claimed = GridClaimsKey(g, c.key);
        const bool consumed = GridKeyInput(g, c.key);
        EXPECT_EQ(Labels(g).toStdString(), c.labels);
        EXPECT_EQ(g.Row(), c.endRow);
        if (c.selection.Left >= 0)
            EXPECT_EQ(g.Selection(), c.selection);
        else
            EXPECT_EQ(g.Selection(), (TGridRect{g.Col(), g.Row(), g.Col(), g.Row()}));
        EXPECT_EQ(g.log.join(QLatin1Char(' ')).toStdString(), c.events);
        EXPECT_EQ(consumed, c.consumed);
        EXPECT_EQ(claimed, c.consumed);
    }
}

// A synchronised grid follows the current column and row.
TEST(KeyInput, SyncGridFollows)
{
    KeyGrid g;
    TExStringGrid other;
    g.SyncGrid.SetGrid(&other);
    g.SyncGrid.SelectionRow = true;
    g.MoveColRow(1, 1, true, true);
    GridKeyInput(g, K(VK_DOWN));
    GridKeyInput(g, K(VK_RIGHT));
    EXPECT_EQ(other.Row(), 2);
    EXPECT_EQ(other.Col(), 1);
    g.SyncGrid.SelectionColumn = true;
    GridKeyInput(g, K(VK_RIGHT));
    EXPECT_EQ(other.Col(), 3);
}

// A key that moves the selection reports it once through OnSelectionChanged;
// one that leaves it reports nothing.
TEST(KeyInput, SelectionChangedAfterAMove)
{
    const struct
    {
        TGridCoord start;
        GridKey key;
        const char* reports;
    } cases[] = {
        {{1, 1}, K(VK_DOWN), "1,2,1,2"},
        {{1, 1}, K(VK_LEFT), ""},
        {{1, 1}, K(VK_DOWN, {ssShift}), "1,1,1,2"},
        {{2, 1}, kTab, "3,1,3,1"},
        {{5, 5}, K(VK_DOWN), ""},
        {{1, 2}, Ch('a'), ""},
    };
    for (const auto& c : cases) {
        KeyGrid g;
        TableEditorLayout(g);
        With(g, goTabs);
        g.MoveColRow(c.start.X, c.start.Y, true, true);
        QStringList reports;
        g.OnSelectionChanged = [&reports](TExStringGrid*, int l, int t, int r, int b) {
            reports << QStringLiteral("%1,%2,%3,%4").arg(l).arg(t).arg(r).arg(b);
        };
        GridKeyInput(g, c.key);
        EXPECT_EQ(reports.join(QLatin1Char(' ')).toStdString(), c.reports);
    }
}

// Every key move of the current cell is followed by one OnClick, as a
// click is; keys that leave the cell where it is fire none.
TEST(KeyInput, ClickAfterEveryKeyMove)
{
    const struct
    {
        TGridCoord start;
        GridKey key;
        int clicks;
    } cases[] = {
        {{1, 1}, K(VK_DOWN), 1},
        {{1, 2}, K(VK_UP), 1},
        {{1, 1}, K(VK_DOWN, {ssShift}), 1},
        {{1, 1}, K(VK_END, {ssCtrl}), 1},
        {{1, 1}, K(VK_LEFT), 0},
        {{1, 1}, K(VK_UP), 0},
        {{1, 2}, Ch('a'), 0},
    };
    for (const auto& c : cases) {
        KeyGrid g;
        TableEditorLayout(g);
        With(g, goRangeSelect);
        g.MoveColRow(c.start.X, c.start.Y, true, true);
        int clicks = 0;
        g.OnClick = [&clicks](TExStringGrid*) { ++clicks; };
        GridKeyInput(g, c.key);
        EXPECT_EQ(clicks, c.clicks) << c.start.X << "," << c.start.Y << " key " << c.key.code;
    }
}

// A key that moves the current cell onto another row reports it through
// OnRowChanged once, as the Row setter does; moves along the row do not.
TEST(KeyInput, RowChangedAfterEveryKeyMoveOntoAnotherRow)
{
    KeyGrid g;
    TableEditorLayout(g);
    With(g, goRangeSelect);
    g.MoveColRow(2, 1, true, true);
    QStringList changes;
    g.OnRowChanged = [&](TExStringGrid* sender, int from, int to) {
        EXPECT_EQ(sender, &g);
        changes << QStringLiteral("%1>%2").arg(from).arg(to);
    };
    const GridKey keys[] = {K(VK_DOWN), K(VK_RIGHT), K(VK_DOWN, {ssShift}), K(VK_END, {ssCtrl}), K(VK_DOWN),
                            K(VK_HOME, {ssCtrl})};
    for (const GridKey& k : keys)
        GridKeyInput(g, k);
    EXPECT_EQ(changes.join(QLatin1Char(' ')), QStringLiteral("-1>2 2>3 3>5 5>1"));
    g.SetRow(4);
    g.SetRow(4);
    EXPECT_EQ(changes.join(QLatin1Char(' ')), QStringLiteral("-1>2 2>3 3>5 5>1 1>4"));
}

// The vetoes come before the move and its reports: allowed, the row veto,
// the column veto and OnCellChanging run, then OnRowChanged and OnClick; a
// refusal by any of them leaves the cell, the editor and the reports alone.
TEST(KeyInput, VetoesComeBeforeTheMoveAndItsReports)
{
    for (const char* refuser : {"", "row", "col", "cell"}) {
        SCOPED_TRACE(refuser);
        KeyGrid g;
        TableEditorLayout(g);
        g.OnKeyDown = nullptr;
        g.MoveColRow(2, 1, true, true);
        g.OnRowChanging = [&](TExStringGrid* sender, int from, int to, bool& allow) {
            EXPECT_EQ(sender, &g);
            g.log << QStringLiteral("row:%1>%2").arg(from).arg(to);
            allow = allow && qstrcmp(refuser, "row") != 0;
        };
        g.OnColChanging = [&](TExStringGrid*, int from, int to, bool& allow) {
            g.log << QStringLiteral("col:%1>%2").arg(from).arg(to);
            allow = allow && qstrcmp(refuser, "col") != 0;
        };
        g.OnCellChanging = [&](TExStringGrid*, int oldRow, int oldCol, int newRow, int newCol, bool& allow) {
            g.log << QStringLiteral("cell:%1,%2>%3,%4").arg(oldRow).arg(oldCol).arg(newRow).arg(newCol);
            allow = allow && qstrcmp(refuser, "cell") != 0;
        };
        g.OnRowChanged = [&](TExStringGrid*, int from, int to) { g.log << QStringLiteral("changed:%1>%2").arg(from).arg(to); };
        g.OnClick = [&](TExStringGrid*) { g.log << QStringLiteral("click"); };
        g.log.clear();
        // Ctrl+End goes to another row and column at once.
        GridKeyInput(g, K(VK_END, {ssCtrl}));
        const bool refused = *refuser != 0;
        const TGridCoord end = refused ? TGridCoord{2, 1} : TGridCoord{5, 5};
        EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), end);
        EXPECT_EQ(g.log.join(u' '), refused ? QStringLiteral("row:1>5 col:2>5 cell:1,2>5,5")
                                            : QStringLiteral("row:1>5 col:2>5 cell:1,2>5,5 changed:-1>5 click"));
        // Setting the row from the program asks the same vetoes.
        g.log.clear();
        g.SetRow(3);
        EXPECT_EQ(g.Row() == 3, !refused || qstrcmp(refuser, "col") == 0);
    }
}

// On a node row's merged cell Left contracts and Right expands the node.
TEST(KeyInput, NodeKeys)
{
    KeyGrid g;
    g.SetColCount(5);
    g.SetRowCount(8);
    g.AddNode(1, 4);
    g.MergeCells(1, 1, 3, 1);
    g.MoveColRow(1, 1, true, true);
    GridKeyInput(g, K(VK_LEFT));
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_EQ(g.RowCount(), 5);
    g.MoveColRow(1, 1, true, true);
    GridKeyInput(g, K(VK_RIGHT));
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(g.RowCount(), 8);
    // Not on the merged cell: the node stays as it is.
    g.MoveColRow(4, 1, true, true);
    GridKeyInput(g, K(VK_LEFT));
    EXPECT_FALSE(g.GetNodeState(1));
}

// Disjunct row and column selection by keys, with row 2 and column 2
// selected before the key.
TEST(KeyInput, DisjunctSelectionKeys)
{
    const struct
    {
        bool rows;
        GridKey key;
        const char* selected;
        bool consumed;
    } cases[] = {
        {true, K(VK_DOWN), "3", true},
        {true, K(VK_DOWN, {ssCtrl}), "2,3", true},
        {true, K(VK_DOWN, {ssShift}), "2,3", true},
        {true, kSpace, "", true},
        {true, Ch('a'), "2", false},
        {false, K(VK_RIGHT), "3", true},
        {false, K(VK_RIGHT, {ssCtrl}), "2,3", true},
        {false, kSpace, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        KeyGrid g;
        g.SetColCount(5);
        g.SetRowCount(6);
        if (c.rows)
            g.MouseActions.SetDisjunctRowSelect(true);
        else
            g.MouseActions.SetDisjunctColSelect(true);
        g.MoveColRow(2, 2, true, true);
        if (c.rows)
            g.SetRowSelect(2, true);
        else
            g.SetColSelect(2, true);
        const bool claimed = GridClaimsKey(g, c.key);
        EXPECT_EQ(GridKeyInput(g, c.key), c.consumed);
        if (c.consumed) {
            EXPECT_TRUE(claimed);
        }
        QStringList selected;
        for (int i = 0; i < (c.rows ? g.RowCount() : g.ColCount()); ++i) {
            if (c.rows ? g.RowSelect(i) : g.ColSelect(i))
                selected << QString::number(i);
        }
        EXPECT_EQ(selected.join(QLatin1Char(',')).toStdString(), c.selected);
    }
}
