// The drop-down cell editors on the painted grid through real keys, on the
// real pickers: commit, cancel and leave per editor, a refused value, the
// calculator's result on Enter, Alt+Down, the colour editor's keys; and the
// push button of edButton cells.
#include "controls/grid/dropdown_editors/grid_dropdown_editors.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_grid_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

enum { kFixed, kCalc, kMemo, kTrack, kColor, kButton, kNext, kClock, kDetail, kList, kLast, kColumns };

class DropDownEditors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallDropDownEditors();
        grid.SetColCount(kColumns);
        grid.SetRowCount(4);
        grid.Columns()[kCalc]->SetEditor(edCalculatorDropDown);
        grid.Columns()[kMemo]->SetEditor(edMemoDropDown);
        grid.Columns()[kTrack]->SetEditor(edTrackbarDropDown);
        grid.Columns()[kColor]->SetEditor(edColorPickerDropDown);
        grid.Columns()[kButton]->SetEditor(edButton);
        grid.Columns()[kClock]->SetEditor(edTimePickerDropDown);
        grid.Columns()[kDetail]->SetEditor(edDetailDropDown);
        grid.Columns()[kList]->SetEditor(edGridDropDown);
        grid.Loaded();
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        o.Include(goTabs);
        grid.SetOptions(o);
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        window.resize(900, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editors = widget->Editors();
        ASSERT_NE(editors, nullptr);
    }

    void StartAt(int col, const QString& value, int row = 1)
    {
        editing->HideInplaceEdit();
        QCoreApplication::sendPostedEvents();
        grid.SetCells(col, row, value);
        widget->setFocus();
        grid.MoveCurrentCell(col, row);
        QTest::keyClick(widget, Qt::Key_F2);
        ASSERT_TRUE(editing->EditMode());
        ASSERT_NE(editors->OpenEditor(), nullptr);
    }

    dropdown::TExCustomDropDown* Open() const
    {
        return dynamic_cast<dropdown::TExCustomDropDown*>(editors->OpenEditor());
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    TExColumnGrid grid;
    QWidget window;
    TGridWidget* widget = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
};

struct WayOut
{
    const char* name;
    Qt::Key key;
    bool refuse;
    bool stored;
    bool open;
    int endCol;
    int endRow;
};

// Per editor: what is typed and what it leaves in the cell (the calculator
// shows its precision; the memo's caret starts at 0); every way out of the
// key table on each. Tab opens the next cell's editor.
TEST_F(DropDownEditors, KeyTable)
{
    struct EditorCase
    {
        int col;
        const char* start;
        const char* typed;
        const char* stored;
    };
    const EditorCase editorsUnderTest[] = {
        {kCalc, "5", "12", "12.00"},
        {kMemo, "first", "xyz", "xyzfirst"},
        {kTrack, "3", "7", "7"},
        {kClock, "10:30:00", "091520", "09:15:20"},
        {kDetail, "one", "two", "two"},
        {kList, "one", "two", "two"},
    };
    const WayOut ways[] = {
        {"Enter stores", Qt::Key_Return, false, true, false, -1, 2},
        {"Esc restores the cell", Qt::Key_Escape, false, false, false, -1, 2},
        {"Tab stores and moves on", Qt::Key_Tab, false, true, true, -2, 2},
        {"Down stores and moves down", Qt::Key_Down, false, true, false, -1, 3},
        {"Up stores and moves up", Qt::Key_Up, false, true, false, -1, 1},
        {"a refused value keeps the editor open", Qt::Key_Return, true, false, true, -1, 2},
    };
    for (const EditorCase& e : editorsUnderTest) {
        for (const WayOut& w : ways) {
            SCOPED_TRACE(std::string(w.name) + " in column " + std::to_string(e.col));
            bool refuse = w.refuse;
            editing->OnCellValidate = [&](TExStringGrid* g, int, int, QString&, bool& valid) {
                EXPECT_EQ(g, &grid);
                valid = !refuse;
            };
            StartAt(e.col, e.start, 2);
            QWidget* editor = editors->OpenEditor();
            ASSERT_TRUE(editor->hasFocus());
            QTest::keyClicks(editor, e.typed);
            Key(w.key);
            EXPECT_EQ(grid.Cells(e.col, 2), w.stored ? e.stored : e.start);
            EXPECT_EQ(editing->EditMode(), w.open);
            EXPECT_EQ(editor->isVisible(), w.open && w.endCol != -2);
            if (w.open && w.endCol != -2) {
                EXPECT_EQ(Open()->Text(), e.stored) << "the refused text stays";
                EXPECT_EQ(Open()->selectedText(), Open()->text()) << "selected whole";
            }
            EXPECT_EQ(grid.Col(), w.endCol == -2 ? e.col + 1 : e.col);
            EXPECT_EQ(grid.Row(), w.endRow);
            refuse = false;
        }
    }
    editing->OnCellValidate = nullptr;
}

// Keys that are no way out stay with the drop-down: Left, Right, Home, End
// with the popup closed; Alt+Down opens the popup (and closes it again),
// never leaving the cell.
TEST_F(DropDownEditors, KeysThatStayInTheEditor)
{
    StartAt(kCalc, "1234");
    dropdown::TExCustomDropDown* calc = Open();
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}) {
        Key(k);
        EXPECT_TRUE(editing->EditMode()) << k;
    }
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(calc->DroppedDown());
    EXPECT_TRUE(editing->EditMode());
    QTest::keyClick(calc, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(calc->DroppedDown());
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
    // With the popup open, Down closes the editor where it is.
    calc->ShowDropDown();
    QTest::keyClick(calc, Qt::Key_Down);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_FALSE(calc->DroppedDown());
    EXPECT_EQ(grid.Row(), 1);
    // Alt+Up is no opening key: it leaves as Up does.
    StartAt(kCalc, "1", 2);
    Key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(DropDownEditors, TheCalculatorStoresItsResultOnEnter)
{
    StartAt(kCalc, "0");
    QTest::keyClicks(editors->OpenEditor(), "2+3*4");
    Key(Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(kCalc, 1), "20.00");
}

TEST_F(DropDownEditors, ColourEditorKeys)
{
    auto* set = dynamic_cast<TGridDropDownSet*>(editors->DropDowns());
    ASSERT_NE(set, nullptr);
    grid.SetColors(kColor, 1, 0x0000FF);
    // Closed: Home leaves the cell, the colour picked stored with its text.
    StartAt(kColor, "");
    auto* picker = dynamic_cast<dropdown::TExColorPickerDropDown*>(Open());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->SelectedColor(), 0x0000FFu) << "opens on the cell's colour";
    picker->SetSelectedColor(0x00FF00);
    Key(Qt::Key_Home);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Colors(kColor, 1), 0x00FF00u);
    EXPECT_EQ(grid.Cells(kColor, 1), picker->SelectedColorText());

    // Open: Up and Down move inside the popup, Enter stores what they chose.
    StartAt(kColor, "");
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    const TColor before = picker->SelectedColor();
    QTest::keyClick(picker, Qt::Key_Down);
    QTest::keyClick(picker, Qt::Key_Down);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_TRUE(picker->DroppedDown());
    const TColor chosen = picker->SelectedColor();
    EXPECT_NE(chosen, before);
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Colors(kColor, 1), chosen);

    // Esc puts back the cell's text and colour, and the grid hears of no pick.
    int picks = 0;
    editing->OnColorSelected = [&](TExStringGrid*, int, int, TColor&, QString&) { ++picks; };
    const TColor kept = grid.Colors(kColor, 1);
    const QString text = grid.Cells(kColor, 1);
    StartAt(kColor, text);
    picker->SetSelectedColor(0x123456);
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid.Colors(kColor, 1), kept);
    EXPECT_EQ(grid.Cells(kColor, 1), text);
    EXPECT_EQ(picks, 0);

    // The handler may change both the colour and the text.
    editing->OnColorSelected = [&](TExStringGrid*, int col, int row, TColor& color, QString& value) {
        EXPECT_EQ(col, kColor);
        EXPECT_EQ(row, 1);
        color = 0x010203;
        value = "mine";
    };
    StartAt(kColor, text);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Colors(kColor, 1), 0x010203u);
    EXPECT_EQ(grid.Cells(kColor, 1), "mine");
}

// Each kind is made once and reused; a typed character that opens the
// editor goes into it.
TEST_F(DropDownEditors, MadeOnceAndTheOpeningCharacterTyped)
{
    StartAt(kCalc, "1");
    QWidget* first = editors->OpenEditor();
    Key(Qt::Key_Escape);
    widget->setFocus();
    grid.MoveCurrentCell(kCalc, 2);
    QTest::keyClicks(widget, "7");
    ASSERT_TRUE(editing->EditMode());
    EXPECT_EQ(editors->OpenEditor(), first);
    EXPECT_EQ(Open()->Text(), "7");
    QStringList changes;
    editing->OnEditChange = [&](TExStringGrid*, int col, int row, const QString& value) {
        changes.append(value);
        EXPECT_EQ(col, kCalc);
        EXPECT_EQ(row, 2);
    };
    QTest::keyClicks(first, "8");
    EXPECT_EQ(changes, QStringList{"78"});
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Cells(kCalc, 2), "78.00");
}

TEST_F(DropDownEditors, PushButton)
{
    int clicks = 0;
    editing->OnEllipsClick = [&](TExStringGrid*, int col, int row, QString& text) {
        EXPECT_EQ(col, kButton);
        EXPECT_EQ(row, 1);
        text += "+";
    };
    grid.OnButtonClick = [&](TExStringGrid*, int, int) { ++clicks; };
    StartAt(kButton, "go");
    TGridButton* button = editors->MadeGridButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "go");
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(grid.Cells(kButton, 1), "go+");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(grid.Cells(kButton, 1), "go++");
    EXPECT_EQ(button->text(), "go++");
    EXPECT_EQ(clicks, 2);
    // Esc puts back the text the cell had when the button opened.
    QTest::keyClick(button, Qt::Key_Escape);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(grid.Cells(kButton, 1), "go");
    // An arrow moves on in the grid.
    StartAt(kButton, "go");
    QTest::keyClick(editors->MadeGridButton(), Qt::Key_Right);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Col(), kNext);
}

} // namespace
