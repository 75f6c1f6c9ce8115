// Keys on the painted grid inside a dialog with OK (the default button) and
// Cancel: Qt's keys reach the grid's rules, a key the grid consumes reaches
// no button or window shortcut, Tab leaves the grid unless it keeps Tab.
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/widget/grid_key_map.h"
#include "controls/grid/widget/grid_widget.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

using namespace grid;

namespace {

// ---- The key mapping ----

struct MapCase
{
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    const char* text; // what the platform gives
    int code;
    TShiftState shift;
    int typed; // the character the grid sees; 0 for none
};

const MapCase kMapCases[] = {
    {"arrow", Qt::Key_Down, Qt::NoModifier, "", VK_DOWN, {}, 0},
    {"keypad arrow (num lock off)", Qt::Key_Down, Qt::KeypadModifier, "", VK_DOWN, {}, 0},
    {"keypad page down", Qt::Key_PageDown, Qt::KeypadModifier, "", VK_NEXT, {}, 0},
    {"ctrl+home", Qt::Key_Home, Qt::ControlModifier, "", VK_HOME, {ssCtrl}, 0},
    {"enter", Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN, {}, 0x0D},
    {"keypad enter without text", Qt::Key_Enter, Qt::KeypadModifier, "", VK_RETURN, {}, 0x0D},
    {"escape without text", Qt::Key_Escape, Qt::NoModifier, "", VK_ESCAPE, {}, 0x1B},
    {"tab", Qt::Key_Tab, Qt::NoModifier, "\t", VK_TAB, {}, 0x09},
    {"shift+tab arrives as backtab", Qt::Key_Backtab, Qt::ShiftModifier, "", VK_TAB, {ssShift}, 0x09},
    {"backtab without the shift flag", Qt::Key_Backtab, Qt::NoModifier, "", VK_TAB, {ssShift}, 0x09},
    {"backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", VK_BACK, {}, 0x08},
    {"delete types nothing though the platform says DEL", Qt::Key_Delete, Qt::NoModifier, "\x7f", VK_DELETE, {}, 0},
    {"keypad delete (num lock off)", Qt::Key_Delete, Qt::KeypadModifier, "", VK_DELETE, {}, 0},
    {"insert", Qt::Key_Insert, Qt::NoModifier, "", VK_INSERT, {}, 0},
    {"space", Qt::Key_Space, Qt::NoModifier, " ", VK_SPACE, {}, ' '},
    {"f2", Qt::Key_F2, Qt::NoModifier, "", VK_F2, {}, 0},
    {"f12", Qt::Key_F12, Qt::NoModifier, "", 0x7B, {}, 0},
    {"letter", Qt::Key_A, Qt::NoModifier, "a", 'A', {}, 'a'},
    {"shifted letter", Qt::Key_A, Qt::ShiftModifier, "A", 'A', {ssShift}, 'A'},
    {"digit", Qt::Key_7, Qt::NoModifier, "7", '7', {}, '7'},
    {"keypad digit", Qt::Key_7, Qt::KeypadModifier, "7", VK_NUMPAD0 + 7, {}, '7'},
    {"keypad decimal point", Qt::Key_Period, Qt::KeypadModifier, ".", VK_DECIMAL, {}, '.'},
    {"keypad decimal comma", Qt::Key_Comma, Qt::KeypadModifier, ",", VK_DECIMAL, {}, ','},
    {"main keyboard period has no code", Qt::Key_Period, Qt::NoModifier, ".", 0, {}, '.'},
    {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, "+", VK_ADD, {}, '+'},
    {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, "-", VK_SUBTRACT, {}, '-'},
    {"ctrl+c with the letter as text", Qt::Key_C, Qt::ControlModifier, "c", 'C', {ssCtrl}, 0x03},
    {"ctrl+c with the control code", Qt::Key_C, Qt::ControlModifier, "\x03", 'C', {ssCtrl}, 0x03},
    {"ctrl+shift+v without text", Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, "", 'V', {ssCtrl, ssShift},
     0x16},
    {"alt+letter types nothing", Qt::Key_X, Qt::AltModifier, "x", 'X', {ssAlt}, 0},
    {"ctrl+alt types what the layout gives", Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, "\u20ac", 'E',
     {ssCtrl, ssAlt}, 0x20AC},
    {"a letter without a code", Qt::Key_Adiaeresis, Qt::NoModifier, "\u00e4", 0, {}, 0xE4},
    {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", VK_SHIFT, {ssShift}, 0},
};

TEST(GridKeyMap, QtKeysAsTheGridsKeys)
{
    for (const MapCase& c : kMapCases) {
        SCOPED_TRACE(c.name);
        const GridKey key = ToGridKey(c.qtKey, c.modifiers, QString::fromUtf8(c.text));
        EXPECT_EQ(key.code, c.code);
        EXPECT_EQ(key.shift.Contains(ssShift), c.shift.Contains(ssShift));
        EXPECT_EQ(key.shift.Contains(ssCtrl), c.shift.Contains(ssCtrl));
        EXPECT_EQ(key.shift.Contains(ssAlt), c.shift.Contains(ssAlt));
        EXPECT_EQ(key.text.unicode(), c.typed);
        EXPECT_EQ(key.text.isNull(), c.typed == 0);
    }
}

// ---- The grid in a dialog ----

// The editor hooks only record: F2 or a typed character "opens" an editor.
class EditGrid : public TExStringGrid
{
public:
    bool open = false;
    int shown = 0;
    void ShowInplaceEdit() override
    {
        open = true;
        ++shown;
    }
    void HideInplaceEdit() override { open = false; }
    bool EditorMode() const override { return open; }
};

void With(TExStringGrid& g, TGridOption o)
{
    TGridOptions opts = g.Options();
    opts.Include(o);
    g.SetOptions(opts);
}

class GridDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColCount(8);
        grid.SetRowCount(40);
        // Column 3 is read-only.
        grid.OnCanEditCell = [](TExStringGrid*, int, int col, bool& canEdit) {
            if (col == 3)
                canEdit = false;
        };
        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        layout->addWidget(buttons);
        ok = buttons->button(QDialogButtonBox::Ok);
        cancel = buttons->button(QDialogButtonBox::Cancel);
        ok->setDefault(true);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        dialog.resize(360, 260);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        widget->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(widget->hasFocus());
        grid.MoveCurrentCell(1, 1);
    }

    // A key as a person types it: a press and a release, each to the widget
    // that has the focus when it comes.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyPress(target, key, modifiers);
        // A press that closed the window leaves the release to the widget
        // it was pressed on.
        QWidget* now = QApplication::focusWidget();
        QTest::keyRelease(now != nullptr ? now : target, key, modifiers);
    }

    bool CurrentCellShown()
    {
        return widget->viewport()->rect().contains(grid.CellRect(grid.Col(), grid.Row()));
    }

    EditGrid grid;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

struct MoveCase
{
    const char* name;
    bool tabs;
    TGridCoord start;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::function<TGridCoord(const TExStringGrid&)> end;
};

TGridCoord At(int col, int row)
{
    return {col, row};
}

const MoveCase kMoves[] = {
    {"down", false, {2, 3}, Qt::Key_Down, Qt::NoModifier, [](auto&) { return At(2, 4); }},
    {"up", false, {2, 3}, Qt::Key_Up, Qt::NoModifier, [](auto&) { return At(2, 2); }},
    {"right", false, {2, 3}, Qt::Key_Right, Qt::NoModifier, [](auto&) { return At(3, 3); }},
    {"left", false, {2, 3}, Qt::Key_Left, Qt::NoModifier, [](auto&) { return At(1, 3); }},
    {"keypad down", false, {2, 3}, Qt::Key_Down, Qt::KeypadModifier, [](auto&) { return At(2, 4); }},
    {"home", false, {4, 3}, Qt::Key_Home, Qt::NoModifier, [](auto&) { return At(1, 3); }},
    {"end scrolls right", false, {1, 3}, Qt::Key_End, Qt::NoModifier, [](auto&) { return At(7, 3); }},
    {"ctrl+end scrolls to the last cell", false, {1, 3}, Qt::Key_End, Qt::ControlModifier,
     [](auto&) { return At(7, 39); }},
    {"ctrl+home", false, {5, 30}, Qt::Key_Home, Qt::ControlModifier, [](auto&) { return At(1, 1); }},
    {"page down", false, {2, 1}, Qt::Key_PageDown, Qt::NoModifier,
     [](const TExStringGrid& g) { return At(2, 1 + g.VisibleRowCount()); }},
    {"page up", false, {2, 39}, Qt::Key_PageUp, Qt::NoModifier,
     [](const TExStringGrid& g) { return At(2, 39 - g.VisibleRowCount()); }},
    {"tab kept with goTabs", true, {2, 3}, Qt::Key_Tab, Qt::NoModifier, [](auto&) { return At(3, 3); }},
    {"shift+tab kept with goTabs", true, {2, 3}, Qt::Key_Tab, Qt::ShiftModifier, [](auto&) { return At(1, 3); }},
    {"tab at a row's end wraps with goTabs", true, {7, 3}, Qt::Key_Tab, Qt::NoModifier,
     [](auto&) { return At(1, 4); }},
};

TEST_F(GridDialog, KeysMoveTheCurrentCellAndKeepItInView)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    for (const MoveCase& c : kMoves) {
        SCOPED_TRACE(c.name);
        TGridOptions opts = grid.Options();
        if (c.tabs)
            opts.Include(goTabs);
        else
            opts.Exclude(goTabs);
        grid.SetOptions(opts);
        widget->setFocus();
        grid.MoveCurrentCell(c.start.X, c.start.Y);
        Key(c.key, c.modifiers);
        const TGridCoord end = c.end(grid);
        EXPECT_EQ(grid.Col(), end.X);
        EXPECT_EQ(grid.Row(), end.Y);
        EXPECT_TRUE(widget->hasFocus());
        EXPECT_TRUE(CurrentCellShown()) << grid.CellRect(grid.Col(), grid.Row()).bottom() << " in "
                                        << widget->viewport()->height() << " top " << grid.TopRow() << " client "
                                        << grid.ClientHeight();
        EXPECT_EQ(widget->verticalScrollBar()->value(), grid.TopRow() - grid.FixedRows());
        EXPECT_EQ(widget->horizontalScrollBar()->value(), grid.LeftCol() - grid.FixedCols());
    }
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(GridDialog, EnterOnTheGridNeverClicksTheDefaultButton)
{
    QSignalSpy clicked(ok, &QPushButton::clicked);
    QSignalSpy finished(&dialog, &QDialog::finished);
    const struct
    {
        const char* name;
        bool editing;
        int col;
        Qt::Key key;
    } cases[] = {
        {"editing an editable cell", true, 2, Qt::Key_Return},
        {"editing a read-only cell", true, 3, Qt::Key_Return},
        {"not editing", false, 2, Qt::Key_Return},
        {"not editing, a read-only cell", false, 3, Qt::Key_Return},
        {"keypad enter", false, 2, Qt::Key_Enter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid.open = false;
        TGridOptions opts = grid.Options();
        if (c.editing)
            opts.Include(goEditing);
        else
            opts.Exclude(goEditing);
        grid.SetOptions(opts);
        grid.MoveCurrentCell(c.col, 2);
        Key(c.key);
        EXPECT_EQ(clicked.count(), 0);
        EXPECT_EQ(finished.count(), 0);
        EXPECT_TRUE(widget->hasFocus());
    }
    // Enter on the editable cell opened an editor; on the read-only one none.
    EXPECT_EQ(grid.shown, 1);
}

TEST_F(GridDialog, EscapeReachesCancelOnlyWithoutAnEditor)
{
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    With(grid, goEditing);
    grid.MoveCurrentCell(2, 2);
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    Key(Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_TRUE(dialog.isVisible());

    grid.open = false;
    Key(Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(GridDialog, TabWithoutGoTabsLeavesTheGrid)
{
    grid.MoveCurrentCell(2, 3);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ok);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 3);

    widget->setFocus();
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_FALSE(widget->hasFocus());
    EXPECT_EQ(grid.Col(), 2);

    // With goTabs the last cell passes the focus on when told to.
    With(grid, goTabs);
    grid.Navigation.TabToNextAtEnd = true;
    widget->setFocus();
    grid.MoveCurrentCell(7, 39);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ok);
}

TEST_F(GridDialog, ShortcutsOfTheWindowSeeOnlyKeysTheGridLeaves)
{
    QAction down(&dialog);
    down.setShortcut(QKeySequence(Qt::Key_Down));
    QAction f5(&dialog);
    f5.setShortcut(QKeySequence(Qt::Key_F5));
    dialog.addAction(&down);
    dialog.addAction(&f5);
    QSignalSpy downFired(&down, &QAction::triggered);
    QSignalSpy f5Fired(&f5, &QAction::triggered);

    grid.MoveCurrentCell(2, 2);
    Key(Qt::Key_Down);
    EXPECT_EQ(downFired.count(), 0);
    EXPECT_EQ(grid.Row(), 3);

    Key(Qt::Key_F5);
    EXPECT_EQ(f5Fired.count(), 1);
}

TEST_F(GridDialog, AnAutoRepeatedDownMovesOncePerPress)
{
    int keyDowns = 0;
    grid.OnKeyDown = [&](TExStringGrid*, int& key, TShiftState) {
        if (key == VK_DOWN)
            ++keyDowns;
    };
    grid.MoveCurrentCell(2, 2);
    QTest::keyPress(widget, Qt::Key_Down);
    // Held down: the window system repeats it as release and press pairs.
    for (int i = 0; i < 3; ++i) {
        QTest::simulateEvent(widget, false, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QTest::simulateEvent(widget, true, Qt::Key_Down, Qt::NoModifier, QString(), true);
    }
    QTest::keyRelease(widget, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 6);
    EXPECT_EQ(keyDowns, 4);
}

// Records the areas the viewport is asked to paint.
class PaintSpy : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(GridDialog, AStepAlongARowRepaintsTheTwoCellsOnly)
{
    grid.MoveCurrentCell(2, 2);
    QTest::qWait(50);
    PaintSpy spy;
    widget->viewport()->installEventFilter(&spy);
    const QRect from = grid.CellRect(2, 2);
    const QRect to = grid.CellRect(3, 2);
    Key(Qt::Key_Right);
    QTRY_VERIFY(!spy.painted.isEmpty());
    QApplication::processEvents();
    widget->viewport()->removeEventFilter(&spy);
    EXPECT_TRUE(QRegion(from.united(to)).contains(spy.painted.boundingRect())) << spy.painted.boundingRect().x();
    EXPECT_NE(spy.painted.boundingRect(), widget->viewport()->rect());
}

// ---- Fixed-looking cells ----

enum class Fixing { Column4, RightCol, Footer, RightAndFooter };

void Fix(TExStringGrid& g, Fixing f)
{
    switch (f) {
    case Fixing::Column4:
        g.OnIsFixedCell = [](TExStringGrid*, int, int col, bool& fixed) { fixed = fixed || col == 4; };
        break;
    case Fixing::RightCol:
        g.SetFixedRightCols(1);
        break;
    case Fixing::Footer:
        g.SetFixedFooters(1);
        break;
    case Fixing::RightAndFooter:
        g.SetFixedRightCols(1);
        g.SetFixedFooters(1);
        break;
    }
}

struct FixedCase
{
    const char* name;
    Fixing fixing;
    bool rowSelect;
    bool skipFixed;
    TGridCoord start;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    TGridCoord end;
    int clicks; // OnClick after the key
};

const FixedCase kFixedCases[] = {
    {"right onto a fixed-looking column is refused", Fixing::Column4, false, false, {3, 5}, Qt::Key_Right,
     Qt::NoModifier, {3, 5}, 0},
    {"row selection takes it", Fixing::Column4, true, false, {3, 5}, Qt::Key_Right, Qt::NoModifier, {4, 5}, 1},
    {"left onto it is refused too", Fixing::Column4, false, false, {5, 5}, Qt::Key_Left, Qt::NoModifier, {5, 5},
     0},
    {"SkipFixedCells walks over it", Fixing::Column4, false, true, {3, 5}, Qt::Key_Right, Qt::NoModifier, {5, 5},
     1},
    {"right stops before a fixed right column", Fixing::RightCol, false, false, {6, 5}, Qt::Key_Right,
     Qt::NoModifier, {6, 5}, 0},
    {"end stops before it", Fixing::RightCol, false, false, {2, 5}, Qt::Key_End, Qt::NoModifier, {6, 5}, 1},
    {"down stops above a footer", Fixing::Footer, false, false, {2, 38}, Qt::Key_Down, Qt::NoModifier, {2, 38},
     0},
    {"row selection never enters a footer either", Fixing::Footer, true, false, {2, 38}, Qt::Key_Down,
     Qt::NoModifier, {2, 38}, 0},
    {"page down ends on the last data row", Fixing::Footer, false, false, {2, 35}, Qt::Key_PageDown,
     Qt::NoModifier, {2, 38}, 1},
    {"ctrl+end goes to the last data cell", Fixing::RightAndFooter, false, false, {2, 5}, Qt::Key_End,
     Qt::ControlModifier, {6, 38}, 1},
};

TEST_F(GridDialog, FixedLookingCellsTakeTheCursorOnlyUnderRowSelection)
{
    int clicks = 0;
    grid.OnClick = [&](TExStringGrid*) { ++clicks; };
    for (const FixedCase& c : kFixedCases) {
        SCOPED_TRACE(c.name);
        grid.OnIsFixedCell = nullptr;
        grid.SetFixedRightCols(0);
        grid.SetFixedFooters(0);
        TGridOptions opts = grid.Options();
        opts.Exclude(goRowSelect);
        grid.SetOptions(opts);
        grid.MoveCurrentCell(c.start.X, c.start.Y);
        Fix(grid, c.fixing);
        if (c.rowSelect)
            With(grid, goRowSelect);
        grid.Navigation.SkipFixedCells = c.skipFixed;
        clicks = 0;
        Key(c.key, c.modifiers);
        EXPECT_EQ(grid.Col(), c.end.X);
        EXPECT_EQ(grid.Row(), c.end.Y);
        EXPECT_EQ(clicks, c.clicks);
    }
}

TEST_F(GridDialog, SettersAndClicksOntoFixedLookingCells)
{
    grid.Navigation.SkipFixedCells = false;
    Fix(grid, Fixing::Column4);
    grid.MoveCurrentCell(2, 5);
    grid.SetCol(4);
    EXPECT_EQ(grid.Col(), 2);
    grid.SetRow(0); // the header row
    EXPECT_EQ(grid.Row(), 5);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, grid.CellRect(4, 7).center());
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 5);

    With(grid, goRowSelect);
    grid.SetCol(4);
    EXPECT_EQ(grid.Col(), 4);

    // A grid down to its one fixed row keeps a cursor that moves along it.
    TExStringGrid single;
    single.SetColCount(4);
    single.SetFixedRowAlways(true);
    single.SetRowCount(1);
    ASSERT_EQ(single.FixedRows(), single.RowCount());
    single.SetCol(3);
    EXPECT_EQ(single.Col(), 3);
}

// Jumps, Tab advances and wrap-arounds click as the one-step moves do; a
// key that leaves the cell where it is clicks nothing.
TEST_F(GridDialog, EveryKeyMoveClicksOnce)
{
    int clicks = 0;
    grid.OnClick = [&](TExStringGrid*) { ++clicks; };
    const struct
    {
        const char* name;
        bool tabs;
        TCursorAdvance advance;
        TGridCoord start;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
    } cases[] = {
        {"end", false, caDefault, {2, 3}, Qt::Key_End, Qt::NoModifier, 1},
        {"end on the last column", false, caDefault, {7, 3}, Qt::Key_End, Qt::NoModifier, 0},
        {"ctrl+home", false, caDefault, {4, 9}, Qt::Key_Home, Qt::ControlModifier, 1},
        {"tab with goTabs", true, caDefault, {2, 3}, Qt::Key_Tab, Qt::NoModifier, 1},
        {"right wraps with caLoop", false, caLoop, {7, 3}, Qt::Key_Right, Qt::NoModifier, 1},
        {"right at the edge without it", false, caDefault, {7, 3}, Qt::Key_Right, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGridOptions opts = grid.Options();
        if (c.tabs)
            opts.Include(goTabs);
        else
            opts.Exclude(goTabs);
        grid.SetOptions(opts);
        grid.Navigation.CursorAdvance = c.advance;
        widget->setFocus();
        grid.MoveCurrentCell(c.start.X, c.start.Y);
        clicks = 0;
        Key(c.key, c.modifiers);
        EXPECT_EQ(clicks, c.clicks);
    }
}

// ---- Incremental search ----

TEST_F(GridDialog, TypedLettersFindTheRowUntilTheTimerEndsTheSearch)
{
    const char* names[] = {"Anna", "Bert", "Bob", "Bonnie", "Carl"};
    for (int r = 1; r < grid.RowCount(); ++r)
        grid.SetCells(1, r, QString());
    for (int i = 0; i < 5; ++i)
        grid.SetCells(1, 10 + i, QString::fromUtf8(names[i]));
    grid.Navigation.AutoGotoWhenSorted = true;
    grid.Navigation.AutoGotoIncremental = true;
    GridMouse timer(grid);
    QSignalSpy finished(&dialog, &QDialog::finished);

    struct Step
    {
        const char* what;
        std::function<void()> act;
        int row;
        const char* text;
    };
    const auto type = [&](Qt::Key k) { return [this, k] { Key(k); }; };
    const auto ticks = [&](int n) {
        return [&timer, n] {
            for (int i = 0; i < n; ++i)
                timer.TimerTick(QPoint(-1, -1), false);
        };
    };
    grid.MoveCurrentCell(1, 2);
    const Step steps[] = {
        {"b", type(Qt::Key_B), 11, "b"},
        {"o", type(Qt::Key_O), 12, "bo"},
        {"n", type(Qt::Key_N), 13, "bon"},
        {"backspace", type(Qt::Key_Backspace), 12, "bo"},
        {"a text no row starts with is dropped", type(Qt::Key_X), 12, ""},
        {"c starts again", type(Qt::Key_C), 14, "c"},
        {"three ticks keep the text", ticks(3), 14, "c"},
        {"the fourth ends it", ticks(1), 14, ""},
        {"a lone a after it", type(Qt::Key_A), 10, "a"},
        {"an arrow ends the search", type(Qt::Key_Down), 11, ""},
        {"b again", type(Qt::Key_B), 11, "b"},
        {"a click ends it", [&] { QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                                                    grid.CellRect(2, 12).center()); }, 12, ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(grid.Row(), s.row);
        EXPECT_EQ(grid.SearchInc, QString::fromUtf8(s.text));
    }

    // Without AutoGotoIncremental each letter is a search of its own; Esc
    // stays the dialog's.
    grid.Navigation.AutoGotoIncremental = false;
    grid.MoveCurrentCell(1, 2);
    Key(Qt::Key_B);
    Key(Qt::Key_C);
    EXPECT_EQ(grid.Row(), 14);
    EXPECT_EQ(grid.SearchInc, "c");
    EXPECT_EQ(finished.count(), 0);
    Key(Qt::Key_Escape);
    EXPECT_EQ(finished.count(), 1);
}

} // namespace
