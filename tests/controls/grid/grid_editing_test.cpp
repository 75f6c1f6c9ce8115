// In-place editing on the painted grid inside a dialog with OK (the default
// button) and Cancel, through real keys: which editor opens, EditMode, what
// reaches the cell and when, the current cell, the end-of-edit events, the
// length limit, combo and check cells, validation and focus loss.
#include "app/common/helpers.h"
#include "app/common/workspace.h"
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_check.h"
#include "controls/grid/widget/inplace_combo.h"
#include "controls/grid/widget/inplace_edit.h"
#include "message_recorder.h"
#include "platform/beep.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <string>
#include <variant>
#include <vector>

using namespace grid;

namespace {

// Real columns; kHidden is hidden, so the display columns of the ones right
// of it are one less.
enum { kNumber, kText, kShort, kHidden, kList, kEdit, kCheck, kReadOnly, kColumns };
// Display columns.
enum { dText = 1, dShort = 2, dList = 3, dEdit = 4, dCheck = 5, dReadOnly = 6 };

const QString kStart[kColumns] = {"", "abc", "short", "hidden", "Beta", "1", "N", "ro"};

enum class Shown { None, Line, Combo, Check };

// One step of a person at the keyboard.
struct Press
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
struct Type
{
    const char* text;
};
struct ClickOk
{
};
using Step = std::variant<Press, Type, ClickOk>;

class EditingDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColCount(kColumns);
        grid.SetRowCount(6);
        grid.Columns()[kText]->SetHeader(QStringLiteral("Text"));
        grid.Columns()[kShort]->SetHeader(QStringLiteral("Short"));
        grid.Columns()[kShort]->EditLength = 15;
        grid.Columns()[kList]->SetEditor(edComboList);
        grid.Columns()[kList]->ComboItems = {"Alpha", "Beta", "Gamma"};
        grid.Columns()[kEdit]->SetEditor(edComboEdit);
        grid.Columns()[kEdit]->ComboItems = {"1", "2", "3"};
        grid.Columns()[kCheck]->SetEditor(edDataCheckBox);
        grid.Columns()[kReadOnly]->ReadOnly = true;
        grid.Loaded();
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        o.Include(goRangeSelect);
        grid.SetOptions(o);
        grid.HideColumn(kHidden);
        Fill();

        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        layout->addWidget(buttons);
        ok = buttons->button(QDialogButtonBox::Ok);
        ok->setDefault(true);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        dialog.resize(640, 300);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus());
        editing = EditingOf(grid);
        ASSERT_NE(editing, nullptr);
        editors = widget->Editors();
        ASSERT_NE(editors, nullptr);
    }

    void Fill()
    {
        for (int r = 1; r < grid.RowCount(); ++r) {
            grid.SetCells(kNumber, r, QString::number(r));
            for (int c = 1; c < kColumns; ++c)
                grid.SetCells(c, r, kStart[c]);
        }
    }

    // A fresh start on a cell: no editor, the grid focused, the texts reset.
    void StartAt(int col, int row)
    {
        editing->HideInplaceEdit();
        QApplication::processEvents();
        if (!dialog.isVisible()) {
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        }
        Fill();
        widget->setFocus();
        grid.MoveCurrentCell(col, row);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyPress(target, key, modifiers);
        QWidget* now = QApplication::focusWidget();
        QTest::keyRelease(now != nullptr ? now : target, key, modifiers);
    }

    void Run(const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            if (const auto* p = std::get_if<Press>(&s)) {
                Key(p->key, p->modifiers);
            } else if (const auto* t = std::get_if<Type>(&s)) {
                // Each character to the widget that has the focus then.
                for (const QChar ch : QString::fromUtf8(t->text))
                    QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            } else {
                QTest::mouseClick(ok, Qt::LeftButton);
            }
        }
    }

    Shown ShownEditor() const
    {
        if (editors->MadeLineEdit() && editors->MadeLineEdit()->isVisible())
            return Shown::Line;
        if (editors->MadeCombo() && editors->MadeCombo()->isVisible())
            return Shown::Combo;
        if (editors->MadeCheckBox() && editors->MadeCheckBox()->isVisible())
            return Shown::Check;
        return Shown::None;
    }

    QString Cell(int displayCol, int row) const { return grid.Cells(grid.RealColIndex(displayCol), row); }

    TExColumnGrid grid;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    QPushButton* ok = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
};

Press P(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    return Press{key, m};
}

struct KeyCase
{
    const char* name;
    int col;
    int row;
    std::vector<Step> steps;
    Shown shown;
    bool editMode;
    const char* text; // of the start cell
    TGridCoord end;
    bool accepted = false;
};

const std::vector<KeyCase>& KeyCases()
{
    static const std::vector<KeyCase> cases = {
        {"text: F2 opens with the text", dText, 2, {P(Qt::Key_F2)}, Shown::Line, true, "abc", {dText, 2}},
        {"text: a character replaces the text and reaches the cell at once", dText, 2, {Type{"x"}}, Shown::Line,
         true, "x", {dText, 2}},
        {"text: Esc restores", dText, 2, {P(Qt::Key_F2), Type{"qq"}, P(Qt::Key_Escape)}, Shown::None, false, "abc",
         {dText, 2}},
        {"text: Enter commits in place", dText, 2, {Type{"q"}, P(Qt::Key_Return)}, Shown::None, false, "q",
         {dText, 2}},
        {"text: Enter on the grid opens", dText, 2, {P(Qt::Key_Return)}, Shown::Line, true, "abc", {dText, 2}},
        {"text: Up commits and moves", dText, 2, {Type{"q"}, P(Qt::Key_Up)}, Shown::None, false, "q", {dText, 1}},
        {"text: Down commits and moves", dText, 2, {Type{"q"}, P(Qt::Key_Down)}, Shown::None, false, "q",
         {dText, 3}},
        {"text: Tab commits and leaves the grid", dText, 2, {Type{"q"}, P(Qt::Key_Tab)}, Shown::None, false, "q",
         {dText, 2}},
        {"text: a click on OK commits", dText, 2, {Type{"q"}, ClickOk{}}, Shown::None, false, "q", {dText, 2},
         true},
        {"short: the 16th character is dropped", dShort, 2, {Type{"1234567890123456"}}, Shown::Line, true,
         "123456789012345", {dShort, 2}},
        {"list: F2 opens the combo on the cell's item", dList, 2, {P(Qt::Key_F2)}, Shown::Combo, true, "Beta",
         {dList, 2}},
        {"list: Down steps the item, the cell waits", dList, 2, {P(Qt::Key_F2), P(Qt::Key_Down)}, Shown::Combo,
         true, "Beta", {dList, 2}},
        {"list: Enter stores the picked item", dList, 2, {P(Qt::Key_F2), P(Qt::Key_Down), P(Qt::Key_Return)},
         Shown::None, false, "Gamma", {dList, 2}},
        {"list: Esc keeps the cell", dList, 2, {P(Qt::Key_F2), P(Qt::Key_Down), P(Qt::Key_Escape)}, Shown::None,
         false, "Beta", {dList, 2}},
        {"list: Right commits and moves", dList, 2, {P(Qt::Key_F2), P(Qt::Key_Right)}, Shown::None, false, "Beta",
         {dEdit, 2}},
        {"list: a click on OK", dList, 2, {P(Qt::Key_F2), P(Qt::Key_Up), ClickOk{}}, Shown::None, false, "Alpha",
         {dList, 2}, true},
        {"edit: a character opens and replaces", dEdit, 2, {Type{"7"}}, Shown::Combo, true, "1", {dEdit, 2}},
        {"edit: Enter stores the typed text", dEdit, 2, {Type{"7"}, P(Qt::Key_Return)}, Shown::None, false, "7",
         {dEdit, 2}},
        {"edit: Down stores and moves", dEdit, 2, {Type{"7"}, P(Qt::Key_Down)}, Shown::None, false, "7",
         {dEdit, 3}},
        {"edit: Up stores and moves", dEdit, 2, {Type{"7"}, P(Qt::Key_Up)}, Shown::None, false, "7", {dEdit, 1}},
        {"edit: Esc restores", dEdit, 2, {Type{"7"}, P(Qt::Key_Escape)}, Shown::None, false, "1", {dEdit, 2}},
        {"edit: Tab stores and leaves the grid", dEdit, 2, {Type{"7"}, P(Qt::Key_Tab)}, Shown::None, false, "7",
         {dEdit, 2}},
        {"check: Space toggles, no editor", dCheck, 2, {P(Qt::Key_Space)}, Shown::None, false, "Y", {dCheck, 2}},
        {"check: F2 opens nothing", dCheck, 2, {P(Qt::Key_F2)}, Shown::None, false, "N", {dCheck, 2}},
        {"check: Enter toggles nothing", dCheck, 2, {P(Qt::Key_Return)}, Shown::None, false, "N", {dCheck, 2}},
        {"check: a character opens nothing", dCheck, 2, {Type{"x"}}, Shown::None, false, "N", {dCheck, 2}},
        {"read-only: F2 opens nothing", dReadOnly, 2, {P(Qt::Key_F2)}, Shown::None, false, "ro", {dReadOnly, 2}},
        {"read-only: Enter is swallowed", dReadOnly, 2, {P(Qt::Key_Return)}, Shown::None, false, "ro",
         {dReadOnly, 2}},
        {"read-only: typing opens nothing", dReadOnly, 2, {Type{"x"}}, Shown::None, false, "ro", {dReadOnly, 2}},
        {"read-only: Down moves", dReadOnly, 2, {P(Qt::Key_Down)}, Shown::None, false, "ro", {dReadOnly, 3}},
    };
    return cases;
}

TEST_F(EditingDialog, KeysGiveEditorEditModeTextAndCurrentCell)
{
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    for (const KeyCase& c : KeyCases()) {
        SCOPED_TRACE(c.name);
        StartAt(c.col, c.row);
        accepted.clear();
        Run(c.steps);
        EXPECT_EQ(ShownEditor(), c.shown);
        EXPECT_EQ(editing->EditMode(), c.editMode);
        EXPECT_EQ(Cell(c.col, c.row), QString::fromUtf8(c.text));
        EXPECT_EQ(grid.Col(), c.end.X);
        EXPECT_EQ(grid.Row(), c.end.Y);
        EXPECT_EQ(accepted.count(), c.accepted ? 1 : 0);
        EXPECT_EQ(rejected.count(), 0);
        if (!c.accepted) {
            EXPECT_TRUE(dialog.isVisible());
        }
    }
}

TEST_F(EditingDialog, TypingReachesTheCellBeforeTheCommitAndEventsComeInOrder)
{
    std::vector<std::string> log;
    editing->OnEditChange = [&](TExStringGrid* sender, int col, int row, const QString& value) {
        EXPECT_EQ(sender, &grid);
        log.push_back("change " + std::to_string(col) + "," + std::to_string(row) + " " + value.toStdString() +
                      " cell " + Cell(col, row).toStdString());
    };
    editing->OnEditingDone = [&](TExStringGrid* sender) {
        EXPECT_EQ(sender, &grid);
        log.push_back("done");
    };
    editing->OnEditCellDone = [&](TExStringGrid* sender, int col, int row) {
        EXPECT_EQ(sender, &grid);
        log.push_back("cell done " + std::to_string(col) + "," + std::to_string(row));
    };
    StartAt(dText, 2);
    Run({Type{"ab"}, P(Qt::Key_Return)});
    EXPECT_EQ(log, (std::vector<std::string>{"change 1,2 a cell a", "change 1,2 ab cell ab", "done"}));
    QApplication::processEvents();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[3], "cell done 1,2");

    // A combo right of the hidden column reports its real column.
    log.clear();
    StartAt(dEdit, 2);
    Run({Type{"9"}, P(Qt::Key_Return)});
    QApplication::processEvents();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "cell done " + std::to_string(kEdit) + ",2");
    EXPECT_EQ(std::count(log.begin(), log.end(), "done"), 1);
}

TEST_F(EditingDialog, EnterAndEscInAnEditorNeverReachTheDialogsButtons)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    for (int col : {dText, dList, dEdit}) {
        SCOPED_TRACE(col);
        StartAt(col, 2);
        Run({P(Qt::Key_F2), P(Qt::Key_Return), P(Qt::Key_F2), P(Qt::Key_Escape), P(Qt::Key_F2),
             P(Qt::Key_Enter)});
        EXPECT_EQ(finished.count(), 0);
        EXPECT_EQ(clicked.count(), 0);
    }
    // Without an editor Esc is the dialog's.
    StartAt(dText, 2);
    Key(Qt::Key_Escape);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(EditingDialog, APasteOverTheLimitIsRefusedWhole)
{
    StartAt(dShort, 2);
    Key(Qt::Key_F2);
    TInplaceEdit* edit = editors->MadeLineEdit();
    ASSERT_NE(edit, nullptr);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("ABCDEFGHIJKLMNOP")); // 16
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "short");
    EXPECT_EQ(Cell(dShort, 2), "short");
    // 15 replacing the selected text fits.
    clipboard->setText(QStringLiteral("ABCDEFGHIJKLMNO"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(Cell(dShort, 2), "ABCDEFGHIJKLMNO");
    // Full: one more character, typed or pasted, goes nowhere.
    edit->end(false);
    QTest::keyClicks(edit, "Z");
    clipboard->setText(QStringLiteral("Z"));
    EXPECT_FALSE(edit->PasteText(clipboard->text()));
    EXPECT_EQ(edit->text(), "ABCDEFGHIJKLMNO");
    // Backspace still works on a full text.
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "ABCDEFGHIJKLMN");
}

TEST_F(EditingDialog, ComboListKeepsATextThatIsNoItem)
{
    StartAt(dList, 2);
    grid.SetCells(kList, 2, "Delta");
    Run({P(Qt::Key_F2)});
    ASSERT_EQ(ShownEditor(), Shown::Combo);
    EXPECT_EQ(editors->MadeCombo()->currentIndex(), -1);
    Run({P(Qt::Key_Return)});
    EXPECT_EQ(Cell(dList, 2), "Delta");
    // Entering and leaving by arrows and Tab keeps it too.
    Run({P(Qt::Key_F2), P(Qt::Key_Right)});
    EXPECT_EQ(Cell(dList, 2), "Delta");
    grid.MoveCurrentCell(dList, 2);
    Run({P(Qt::Key_F2), P(Qt::Key_Tab)});
    EXPECT_EQ(Cell(dList, 2), "Delta");
    // An item with no items at all: nothing is selected, nothing changes.
    grid.Columns()[kList]->ComboItems.clear();
    widget->setFocus();
    grid.MoveCurrentCell(dList, 2);
    Run({P(Qt::Key_F2), P(Qt::Key_Escape), P(Qt::Key_F2), P(Qt::Key_Return)});
    EXPECT_EQ(Cell(dList, 2), "Delta");
}

TEST_F(EditingDialog, TypeAheadCompletesFromTheItems)
{
    editing->Lookup = true;
    grid.Columns()[kEdit]->ComboItems = {"Abc", "abd"};
    StartAt(dEdit, 2);
    Run({Type{"ab"}});
    TGridCombo* combo = editors->MadeCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "abc");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->lineEdit()->selectedText(), "c");
    // Backspace completes nothing.
    Key(Qt::Key_Backspace);
    EXPECT_EQ(combo->currentText(), "ab");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(dEdit, 2), "ab");

    // The text editor completes from the grid's lookup items; with
    // LookupHistory a new text joins them.
    editing->LookupHistory = true;
    grid.LookupItems = {"Gamma"};
    StartAt(dText, 2);
    Run({Type{"g"}});
    EXPECT_EQ(editors->MadeLineEdit()->text(), "gamma");
    EXPECT_EQ(editors->MadeLineEdit()->selectedText(), "amma");
    Run({Type{"o"}, P(Qt::Key_Return)});
    EXPECT_EQ(Cell(dText, 2), "go");
    EXPECT_EQ(grid.LookupItems, (QStringList{"Gamma", "go"}));
}

TEST_F(EditingDialog, OpeningTheCombosListEndsNoEdit)
{
    StartAt(dList, 2);
    int drops = 0;
    int closes = 0;
    grid.OnComboDropDown = [&](TExStringGrid*, int row, int col) {
        EXPECT_EQ(row, 2);
        EXPECT_EQ(col, kList);
        ++drops;
    };
    grid.OnComboCloseUp = [&](TExStringGrid*, int, int) { ++closes; };
    Key(Qt::Key_F2);
    TGridCombo* combo = editors->MadeCombo();
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QApplication::processEvents();
    EXPECT_TRUE(editing->EditMode());
    EXPECT_TRUE(combo->isVisible());
    combo->hidePopup();
    QApplication::processEvents();
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(closes, 1);
    combo->setFocus();
    Key(Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(Cell(dList, 2), "Beta");
}

TEST_F(EditingDialog, TheWheelGoesToTheFocusedCombo)
{
    StartAt(dList, 2);
    Key(Qt::Key_F2);
    TGridCombo* combo = editors->MadeCombo();
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(combo->hasFocus());
    // Over another cell of the grid, toward the user: the next item.
    const QPoint at = grid.CellRect(dText, 4).center();
    QWheelEvent wheel(QPointF(at), QPointF(widget->viewport()->mapToGlobal(at)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget->viewport(), &wheel);
    EXPECT_EQ(combo->currentText(), "Gamma");
    EXPECT_EQ(grid.Row(), 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(dList, 2), "Gamma");
}

TEST_F(EditingDialog, SpaceOnTheCheckCellTogglesOnceWithTheDisplayColumn)
{
    std::vector<std::tuple<int, int, bool>> clicks;
    grid.OnCheckBoxClick = [&](TExStringGrid*, int col, int row, bool state) { clicks.emplace_back(col, row, state); };
    StartAt(dCheck, 3);
    Key(Qt::Key_Space);
    EXPECT_EQ(Cell(dCheck, 3), "Y");
    Key(Qt::Key_Space);
    EXPECT_EQ(Cell(dCheck, 3), "N");
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], std::make_tuple(int(dCheck), 3, true));
    EXPECT_EQ(clicks[1], std::make_tuple(int(dCheck), 3, false));
    // The Space left no start character for the next editor.
    EXPECT_TRUE(grid.StartEditChar().isNull());
    grid.MoveCurrentCell(dEdit, 3);
    Key(Qt::Key_F2);
    ASSERT_EQ(ShownEditor(), Shown::Combo);
    EXPECT_EQ(editors->MadeCombo()->currentText(), "1");
    Key(Qt::Key_Escape);

    // A read-only check column toggles only with CheckAlwaysActive.
    grid.Columns()[kCheck]->ReadOnly = true;
    clicks.clear();
    grid.MoveCurrentCell(dCheck, 3);
    Key(Qt::Key_Space);
    EXPECT_EQ(Cell(dCheck, 3), "N");
    grid.ControlLook.CheckAlwaysActive = true;
    Key(Qt::Key_Space);
    EXPECT_EQ(Cell(dCheck, 3), "Y");
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(EditingDialog, TheCheckBoxEditorWritesItsStateBack)
{
    grid.Columns()[kText]->SetEditor(edCheckBox);
    StartAt(dText, 2);
    grid.SetCells(kText, 2, "N");
    Key(Qt::Key_F2);
    ASSERT_EQ(ShownEditor(), Shown::Check);
    TGridCheckBox* box = editors->MadeCheckBox();
    EXPECT_FALSE(box->isChecked());
    Key(Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    Key(Qt::Key_Return);
    EXPECT_EQ(ShownEditor(), Shown::None);
    EXPECT_EQ(Cell(dText, 2), "Y");
    // Esc writes nothing.
    Key(Qt::Key_F2);
    Key(Qt::Key_Space);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Cell(dText, 2), "Y");
    // Down leaves and moves.
    Key(Qt::Key_F2);
    Key(Qt::Key_Space);
    Key(Qt::Key_Down);
    EXPECT_EQ(Cell(dText, 2), "N");
    EXPECT_EQ(grid.Row(), 3);
}

TEST_F(EditingDialog, EditorsEndingOnAKeyReplayItOnce)
{
    // With goTabs, Tab goes to the next cell and opens its editor.
    TGridOptions o = grid.Options();
    o.Include(goTabs);
    grid.SetOptions(o);
    StartAt(dText, 2);
    Run({Type{"q"}, P(Qt::Key_Tab)});
    EXPECT_EQ(Cell(dText, 2), "q");
    EXPECT_EQ(grid.Col(), dShort);
    EXPECT_EQ(ShownEditor(), Shown::Line);
    EXPECT_EQ(editors->MadeLineEdit()->text(), "short");
    Run({P(Qt::Key_Tab, Qt::ShiftModifier)});
    EXPECT_EQ(grid.Col(), dText);
    EXPECT_TRUE(widget->isAncestorOf(QApplication::focusWidget()));
    Key(Qt::Key_Escape);

    // Down on the last data row with AppendOnArrowDown appends one row and
    // moves onto it.
    grid.Navigation.AppendOnArrowDown = true;
    const int rows = grid.RowCount();
    StartAt(dText, rows - 1);
    Run({Type{"z"}, P(Qt::Key_Down)});
    EXPECT_EQ(grid.RowCount(), rows + 1);
    EXPECT_EQ(grid.Row(), rows);
    EXPECT_EQ(Cell(dText, rows - 1), "z");
}

TEST_F(EditingDialog, AlwaysEditOpensTheEditorWhenTheGridIsEntered)
{
    grid.Navigation.AlwaysEdit = true;
    StartAt(dText, 2);
    ok->setFocus(Qt::TabFocusReason);
    widget->setFocus(Qt::BacktabFocusReason);
    EXPECT_EQ(ShownEditor(), Shown::Line);
    // Leaving the editor by Esc gives the grid the focus: no reopening.
    Key(Qt::Key_Escape);
    EXPECT_EQ(ShownEditor(), Shown::None);
    EXPECT_TRUE(widget->hasFocus());
    // A read-only cell opens nothing.
    grid.MoveCurrentCell(dReadOnly, 2);
    ok->setFocus(Qt::TabFocusReason);
    widget->setFocus(Qt::BacktabFocusReason);
    EXPECT_EQ(ShownEditor(), Shown::None);
}

// ---- Validation ----

TEST_F(EditingDialog, ValidationOnTheWaysOut)
{
    int asked = 0;
    QString replacement;
    editing->OnCellValidate = [&](TExStringGrid*, int col, int row, QString& value, bool& valid) {
        ++asked;
        EXPECT_EQ(col, dText);
        EXPECT_EQ(row, 2);
        valid = value != "bad";
        if (!valid && !replacement.isEmpty())
            value = replacement;
    };
    // Unchanged: no question.
    StartAt(dText, 2);
    Run({P(Qt::Key_F2), P(Qt::Key_Return)});
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(editing->EditMode());

    // Refused on Enter: the editor stays with the value selected, the cell
    // keeps the old text, no advance.
    Run({Type{"bad"}, P(Qt::Key_Return)});
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(editing->EditMode());
    ASSERT_EQ(ShownEditor(), Shown::Line);
    EXPECT_EQ(editors->MadeLineEdit()->selectedText(), "bad");
    EXPECT_EQ(Cell(dText, 2), "abc");
    EXPECT_FALSE(editing->LastValidation());
    // Refused on Down: no move.
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(editing->EditMode());
    // Then a good value goes in.
    QTest::keyClicks(editors->MadeLineEdit(), "good");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(dText, 2), "good");
    EXPECT_FALSE(editing->EditMode());

    // A refusal with a replacement keeps the replacement, the editor open.
    replacement = "fixed";
    Run({Type{"bad"}, P(Qt::Key_Return)});
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(Cell(dText, 2), "fixed");
    EXPECT_EQ(editors->MadeLineEdit()->text(), "fixed");
    Key(Qt::Key_Escape);
}

TEST_F(EditingDialog, ARefusalOnFocusLossRestoresReportsAndReopensLater)
{
    editing->OnCellValidate = [&](TExStringGrid*, int, int, QString& value, bool& valid) { valid = value != "bad"; };
    StartAt(dText, 2);
    Run({Type{"bad"}});
    ASSERT_EQ(Cell(dText, 2), "bad"); // mirrored while typing
    ok->setFocus(Qt::MouseFocusReason);
    // Restored at once and told; not reopened inside the focus change.
    EXPECT_EQ(Cell(dText, 2), "abc");
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(QToolTip::text(), "The value was refused; the cell keeps its old value.");
    EXPECT_EQ(ShownEditor(), Shown::None);
    QApplication::processEvents();
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(ShownEditor(), Shown::Line);
    EXPECT_EQ(editors->MadeLineEdit()->text(), "abc");
    Key(Qt::Key_Escape);
}

TEST_F(EditingDialog, ChangesReachEveryNotifierOnce)
{
    struct Recorder : TGridChangeNotifier
    {
        std::vector<std::string>* log;
        std::string name;
        void CellsChanged(const TGridRect& r) override
        {
            log->push_back(name + " " + std::to_string(r.Left) + "," + std::to_string(r.Top));
        }
    };
    std::vector<std::string> log;
    Recorder a;
    a.log = &log;
    a.name = "a";
    Recorder b;
    b.log = &log;
    b.name = "b";
    grid.RegisterNotifier(&a);
    grid.RegisterNotifier(&b);
    StartAt(dText, 2);
    Run({Type{"new"}, P(Qt::Key_Return), P(Qt::Key_F2), P(Qt::Key_Return)});
    EXPECT_EQ(log, (std::vector<std::string>{"a 1,2", "b 1,2"}));
    grid.UnRegisterNotifier(&a);
    grid.UnRegisterNotifier(&b);
}

// ---- Objects, errors, beeps, painting ----

TEST_F(EditingDialog, ShowCellEditIsF2AndHideCellEditCommits)
{
    StartAt(dList, 2);
    editing->ShowCellEdit();
    EXPECT_EQ(ShownEditor(), Shown::Combo);
    Key(Qt::Key_Down);
    editing->HideCellEdit();
    EXPECT_EQ(ShownEditor(), Shown::None);
    EXPECT_EQ(Cell(dList, 2), "Gamma");
    grid.MoveCurrentCell(dReadOnly, 2);
    editing->ShowCellEdit();
    EXPECT_EQ(ShownEditor(), Shown::None);
}

TEST_F(EditingDialog, EditorsAreMadeOnFirstUseAndReused)
{
    EXPECT_EQ(editors->MadeLineEdit(), nullptr);
    EXPECT_EQ(editors->MadeCombo(), nullptr);
    EXPECT_EQ(editors->MadeCheckBox(), nullptr);
    StartAt(dText, 2);
    Run({P(Qt::Key_F2), P(Qt::Key_Down), P(Qt::Key_F2)});
    TInplaceEdit* first = editors->MadeLineEdit();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), widget->viewport());
    Run({P(Qt::Key_Escape), P(Qt::Key_Down), P(Qt::Key_F2)});
    EXPECT_EQ(editors->MadeLineEdit(), first);
    EXPECT_EQ(editors->MadeCombo(), nullptr);
    Key(Qt::Key_Escape);
}

TEST_F(EditingDialog, TheEditorStaysOverItsCellThroughScrollsAndResizes)
{
    StartAt(dText, 2);
    Key(Qt::Key_F2);
    TInplaceEdit* edit = editors->MadeLineEdit();
    ASSERT_NE(edit, nullptr);
    auto over = [&] {
        const QRect cell = grid.UnclippedCellRect(dText, 2);
        return edit->geometry().topLeft() == cell.topLeft();
    };
    EXPECT_TRUE(over());
    grid.SetTopRow(3);
    EXPECT_TRUE(over());
    grid.SetTopRow(1);
    dialog.resize(500, 260);
    QApplication::processEvents();
    EXPECT_TRUE(over());
    EXPECT_TRUE(editing->EditMode());
    Key(Qt::Key_Escape);
}

TEST_F(EditingDialog, AGridErrorInAHandlerIsReportedNotThrown)
{
    MessageRecorder messages;
    editing->OnEditChange = [](TExStringGrid*, int, int, const QString&) {
        throw GridError(QStringLiteral("Cell does not contain integer value"));
    };
    StartAt(dText, 2);
    Run({P(Qt::Key_F2)});
    QTest::keyClicks(editors->MadeLineEdit(), "7");
    EXPECT_EQ(messages.Texts(), QStringList{"Cell does not contain integer value"});
    Key(Qt::Key_Escape);
}

TEST_F(EditingDialog, RefusedCharactersBeep)
{
    int beeps = 0;
    auto previous = platform::SetBeepHandler([&] { ++beeps; });
    grid.Columns()[kText]->SetEditor(edNumeric);
    StartAt(dText, 2);
    Run({Type{"-12a-3"}});
    EXPECT_EQ(Cell(dText, 2), "-123");
    EXPECT_EQ(beeps, 2);
    // A paste that is no integer is refused whole.
    EXPECT_FALSE(editors->MadeLineEdit()->PasteText("4x"));
    EXPECT_EQ(Cell(dText, 2), "-123");
    Key(Qt::Key_Escape);
    platform::SetBeepHandler(previous);
}

// The kinds with rules of their own, typed through real keys: what reaches
// the cell and how many beeps.
TEST_F(EditingDialog, TextKindsTypedThroughRealKeys)
{
    int beeps = 0;
    auto previous = platform::SetBeepHandler([&] { ++beeps; });
    platform::FormatSettings fs;
    fs.DecimalSeparator = u',';
    platform::ScopedFormatSettings scoped(fs);
    editing->ValidChars = QStringLiteral("0123456789ABCDEF");
    const struct
    {
        const char* name;
        TEditorType type;
        bool excelStyle;
        std::vector<Step> steps;
        const char* text;
        int beeps;
    } cases[] = {
        {"mixed case capitalises every word", edMixedCase, false, {Type{"jOHN mc"}}, "John Mc", 0},
        {"valid characters only", edValidChars, false, {Type{"1g2F"}}, "12F", 1},
        {"the keypad's decimal key types the separator", edNormal, true,
         {Type{"1"}, P(Qt::Key_Period, Qt::KeypadModifier), Type{"5"}}, "1,5", 0},
        {"the main period stays", edNormal, true, {Type{"1"}, P(Qt::Key_Period), Type{"5"}}, "1.5", 0},
        {"the keypad's key without the setting", edNormal, false,
         {Type{"1"}, P(Qt::Key_Period, Qt::KeypadModifier)}, "1.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        beeps = 0;
        grid.Columns()[kText]->SetEditor(c.type);
        editing->ExcelStyleDecimalSeparator = c.excelStyle;
        StartAt(dText, 2);
        Run(c.steps);
        EXPECT_EQ(Cell(dText, 2), QString::fromUtf8(c.text));
        EXPECT_EQ(beeps, c.beeps);
        Key(Qt::Key_Return);
        EXPECT_EQ(Cell(dText, 2), QString::fromUtf8(c.text));
    }
    editing->ExcelStyleDecimalSeparator = false;
    grid.Columns()[kText]->SetEditor(edNormal);
    platform::SetBeepHandler(previous);
}

// While Alt+Backspace is held the focus may leave without ending the edit;
// once it is released, a focus loss ends the edit as usual.
TEST_F(EditingDialog, AltBackspaceHeldKeepsTheEditThroughAFocusLoss)
{
    StartAt(dText, 2);
    Run({Type{"xy"}});
    QLineEdit* edit = editors->MadeLineEdit();
    QTest::keyPress(edit, Qt::Key_Backspace, Qt::AltModifier);
    ok->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_TRUE(edit->isVisible());
    QTest::keyRelease(edit, Qt::Key_Backspace, Qt::AltModifier);
    edit->setFocus(Qt::OtherFocusReason);
    ok->setFocus(Qt::OtherFocusReason);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_FALSE(edit->isVisible());
}

// With CursorWalkEditor, Left at the text's start and Right at its end
// commit and walk to the cell beside, the editor open there; inside the
// text they only move the caret.
TEST_F(EditingDialog, CursorWalkLeavesAtTheTextsEnds)
{
    grid.Navigation.CursorWalkEditor = true;
    StartAt(dText, 2);
    Run({Type{"ab"}, P(Qt::Key_Left)});
    EXPECT_EQ(grid.Col(), dText);
    Run({P(Qt::Key_Right), P(Qt::Key_Right)});
    EXPECT_EQ(grid.Col(), dShort);
    EXPECT_EQ(Cell(dText, 2), "ab");
    EXPECT_EQ(ShownEditor(), Shown::Line);
    EXPECT_TRUE(editing->EditMode());
    // The text is selected whole on opening: Home first, then Left walks back.
    Run({P(Qt::Key_Home), P(Qt::Key_Left)});
    EXPECT_EQ(grid.Col(), dText);
    EXPECT_EQ(ShownEditor(), Shown::Line);
    // Shift+Left selects instead of walking.
    Run({P(Qt::Key_Home), P(Qt::Key_Left, Qt::ShiftModifier)});
    EXPECT_EQ(grid.Col(), dText);
    // A refused value keeps the editor on its cell.
    editing->OnCellValidate = [](TExStringGrid*, int, int, QString&, bool& valid) { valid = false; };
    Run({Type{"z"}, P(Qt::Key_Right)});
    EXPECT_EQ(grid.Col(), dText);
    EXPECT_TRUE(editing->EditMode());
    editing->OnCellValidate = nullptr;
    Key(Qt::Key_Escape);
    grid.Navigation.CursorWalkEditor = false;
}

// AdvanceAuto with AdvanceOnEnter: filling the text to its limit moves on
// as Enter does; without AdvanceOnEnter the editor stays.
TEST_F(EditingDialog, AFullTextAdvancesWithAdvanceAuto)
{
    grid.Navigation.SetAdvanceAuto(true);
    for (const bool onEnter : {true, false}) {
        SCOPED_TRACE(onEnter);
        grid.Navigation.AdvanceOnEnter = onEnter;
        StartAt(dShort, 2);
        Run({Type{"123456789012345"}});
        EXPECT_EQ(Cell(dShort, 2), "123456789012345");
        EXPECT_EQ(grid.Col(), onEnter ? dList : dShort);
        EXPECT_EQ(editing->EditMode() && editing->EditCell().X == dShort, !onEnter);
        Key(Qt::Key_Escape);
    }
    grid.Navigation.SetAdvanceAuto(false);
    grid.Navigation.AdvanceOnEnter = false;
}

// SizeWhileTyping.Width: the column grows with the text and the editor
// follows it.
TEST_F(EditingDialog, TheColumnGrowsWhileTyping)
{
    grid.SizeWhileTyping.Width = true;
    StartAt(dText, 2);
    const int before = grid.ColWidths(dText);
    Run({Type{"a rather long text for this column"}});
    EXPECT_GT(grid.ColWidths(dText), before);
    EXPECT_EQ(editors->MadeLineEdit()->width(), grid.ColWidths(dText) - 1);
    const int grown = grid.ColWidths(dText);
    Run({P(Qt::Key_Backspace), P(Qt::Key_Backspace)});
    EXPECT_EQ(grid.ColWidths(dText), grown); // it only grows
    Key(Qt::Key_Escape);
    grid.SizeWhileTyping.Width = false;
}

// Multi-line cells: Up and Down move the caret inside the text and leave the
// cell only from its first and last line. A password cell stays single-line
// and shows no text. Ctrl+Enter types nothing into a single-line cell.
TEST_F(EditingDialog, MultiLinePasswordAndCtrlEnter)
{
    grid.FMultilineCells = true;
    grid.SetRowHeights(2, 60);
    StartAt(dText, 2);
    grid.SetCells(kText, 2, "one\ntwo");
    Run({P(Qt::Key_F2), P(Qt::Key_Up)});
    ASSERT_NE(editors->MadeMemo(), nullptr);
    EXPECT_TRUE(editors->MadeMemo()->isVisible());
    EXPECT_EQ(grid.Row(), 2);
    Run({P(Qt::Key_Down)});
    EXPECT_TRUE(editing->EditMode());
    Run({P(Qt::Key_Down)});
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 3);
    StartAt(dText, 2);
    grid.SetCells(kText, 2, "one\ntwo");
    Run({P(Qt::Key_F2), P(Qt::Key_Up), P(Qt::Key_Up)});
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(Cell(dText, 2), "one\ntwo");

    grid.Columns()[kText]->SetEditor(edPassword);
    StartAt(dText, 2);
    Run({Type{"pw"}});
    EXPECT_EQ(ShownEditor(), Shown::Line);
    EXPECT_EQ(editors->MadeLineEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Cell(dText, 2), "pw");
    Key(Qt::Key_Return);
    grid.Columns()[kText]->SetEditor(edNormal);
    grid.FMultilineCells = false;

    StartAt(dText, 2);
    Run({Type{"x"}, P(Qt::Key_Return, Qt::ControlModifier)});
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(Cell(dText, 2), "x");
    EXPECT_TRUE(dialog.isVisible());
    Key(Qt::Key_Escape);
}

// The open line edit shows the grid's PasswordChar, taken anew each time
// it opens; other cells show their text.
TEST_F(EditingDialog, APasswordCellShowsTheGridsPasswordChar)
{
    grid.Columns()[kText]->SetEditor(edPassword);
    for (const QChar ch : {QChar(u'*'), QChar(u'#'), QChar(u'\u00b7')}) {
        SCOPED_TRACE(QString(ch).toStdString());
        grid.PasswordChar = ch;
        StartAt(dText, 2);
        Run({Type{"pw"}});
        ASSERT_EQ(ShownEditor(), Shown::Line);
        EXPECT_EQ(editors->MadeLineEdit()->displayText(), QString(2, ch));
        EXPECT_EQ(Cell(dText, 2), "pw");
        Key(Qt::Key_Return);
        EXPECT_EQ(Cell(dText, 2), "pw");
    }
    grid.Columns()[kText]->SetEditor(edNormal);
    StartAt(dText, 2);
    Run({Type{"ab"}});
    EXPECT_EQ(editors->MadeLineEdit()->displayText(), "ab");
    Key(Qt::Key_Escape);
}

// EditOnDblClickOnly: whatever ends an edit switches goEditing off once the
// end has arrived, so a later single click opens nothing; an edit begun
// before that arrived stays open.
TEST_F(EditingDialog, EditOnDblClickOnlyEveryEndSwitchesEditingOff)
{
    grid.MouseActions.SetEditOnDblClickOnly(true);
    const auto editingOn = [&] { return grid.Options().Contains(goEditing); };
    const auto doubleClick = [&](int col, int row) {
        const QPoint p = grid.CellRect(col, row).center();
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(widget->viewport(), Qt::LeftButton, {}, p);
    };
    const struct
    {
        const char* name;
        int col;
        std::vector<Step> steps;
        const char* text;
        int endRow;
    } ends[] = {
        {"text: Enter", dText, {Type{"q"}, P(Qt::Key_Return)}, "q", 2},
        {"text: Esc", dText, {Type{"q"}, P(Qt::Key_Escape)}, "abc", 2},
        {"text: Down", dText, {Type{"q"}, P(Qt::Key_Down)}, "q", 3},
        {"text: Tab out of the grid", dText, {Type{"q"}, P(Qt::Key_Tab)}, "q", 2},
        {"list: Enter", dList, {P(Qt::Key_Down), P(Qt::Key_Return)}, "Gamma", 2},
        {"list: Esc", dList, {P(Qt::Key_Down), P(Qt::Key_Escape)}, "Beta", 2},
        {"edit: Up", dEdit, {P(Qt::Key_Up)}, "1", 1},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.name);
        StartAt(e.col, 2);
        doubleClick(e.col, 2);
        ASSERT_TRUE(editing->EditMode());
        EXPECT_TRUE(editingOn());
        Run(e.steps);
        QApplication::processEvents();
        EXPECT_FALSE(editing->EditMode());
        EXPECT_FALSE(editingOn());
        EXPECT_EQ(Cell(e.col, 2), QString::fromUtf8(e.text));
        EXPECT_EQ(grid.Row(), e.endRow);
        // A single click on the current cell opens nothing.
        widget->setFocus();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, grid.CellRect(grid.Col(), grid.Row()).center());
        QApplication::processEvents();
        EXPECT_EQ(ShownEditor(), Shown::None);
        EXPECT_FALSE(editingOn());
    }

    // Typed ahead: the next edit opens before the last one's end arrives.
    StartAt(dText, 2);
    doubleClick(dText, 2);
    Run({Type{"q"}, P(Qt::Key_Return), Type{"w"}});
    ASSERT_TRUE(editing->EditMode());
    QApplication::processEvents();
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(ShownEditor(), Shown::Line);
    EXPECT_TRUE(editingOn());
    Run({Type{"x"}, P(Qt::Key_Return)});
    QApplication::processEvents();
    EXPECT_EQ(Cell(dText, 2), "wx");
    EXPECT_FALSE(editingOn());
}

// The header row takes the cursor from no editor; the refused move still
// ends the edit with its value stored.
TEST_F(EditingDialog, AnOpenEditorNeverLetsTheCursorOntoTheHeader)
{
    const struct
    {
        int col;
        std::vector<Step> steps;
        const char* stored;
    } cases[] = {
        {dText, {P(Qt::Key_F2), Type{"t"}}, "t"},
        {dList, {P(Qt::Key_F2), P(Qt::Key_Down)}, "Gamma"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        StartAt(c.col, 2);
        Run(c.steps);
        ASSERT_TRUE(editing->EditMode());
        grid.SetRow(0);
        EXPECT_EQ(grid.Row(), 2);
        EXPECT_FALSE(editing->EditMode());
        EXPECT_EQ(ShownEditor(), Shown::None);
        EXPECT_EQ(Cell(c.col, 2), QString::fromUtf8(c.stored));
    }
}

// A value typed into a merged cell is stored in its base cell.
TEST_F(EditingDialog, TypingIntoAMergedCellStoresItInTheBaseCell)
{
    StartAt(dShort, 2);
    grid.MergeCells(kText, 3, 2, 1);
    // Down from the covered column lands on the base cell.
    Run({P(Qt::Key_Down), Type{"m"}, P(Qt::Key_Return)});
    EXPECT_EQ(grid.Col(), dText);
    EXPECT_EQ(grid.Cells(kText, 3), "m");
    EXPECT_EQ(grid.GridCells(kShort, 3), "short"); // the covered cell keeps its own
    grid.SplitCells(kText, 3);
}

// With DisjunctRowSelect, leaving the grid after the selection changed
// turns the selected range into selected rows; an unchanged one does not.
TEST_F(EditingDialog, LeavingTheGridTurnsAChangedSelectionIntoRows)
{
    grid.MouseActions.SetDisjunctRowSelect(true);
    StartAt(dText, 1);
    ok->setFocus(Qt::OtherFocusReason);
    for (int r = 1; r < grid.RowCount(); ++r)
        EXPECT_FALSE(grid.RowSelect(r)) << r;
    widget->setFocus(Qt::OtherFocusReason);
    // Into the grid's own editor and back is no exit.
    Run({P(Qt::Key_F2), P(Qt::Key_Escape)});
    grid.SetSelection(TGridRect{dText, 1, dShort, 3});
    Run({P(Qt::Key_F2)});
    EXPECT_TRUE(editing->EditMode());
    EXPECT_FALSE(grid.RowSelect(1));
    ok->setFocus(Qt::OtherFocusReason);
    EXPECT_FALSE(editing->EditMode());
    const bool selected[] = {false, true, true, true, false, false};
    for (int r = 1; r < grid.RowCount(); ++r)
        EXPECT_EQ(grid.RowSelect(r), selected[r]) << r;
    grid.ClearRowSelect();
    grid.MouseActions.SetDisjunctRowSelect(false);
}

// A wider window widens the stretch column and fires OnResize.
TEST_F(EditingDialog, AWiderWindowStretchesTheStretchColumn)
{
    int resized = 0;
    grid.OnResize = [&](TExStringGrid* sender) {
        EXPECT_EQ(sender, &grid);
        ++resized;
    };
    grid.ColumnSize.SetStretch(true);
    const int last = grid.ColCount() - 1;
    const int before = grid.ColWidths(last);
    dialog.resize(dialog.width() + 200, dialog.height());
    EXPECT_EQ(grid.ColWidths(last), before + 200);
    EXPECT_GE(resized, 1);
    grid.ColumnSize.SetStretch(false);
    dialog.resize(640, 300);
}

// Counts the paints of the viewport.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(EditingDialog, NestedUpdateBracketsPaintOnce)
{
    QTest::qWait(30);
    PaintCounter counter;
    widget->viewport()->installEventFilter(&counter);
    grid.BeginUpdate();
    grid.SetCells(kText, 1, "one");
    grid.Invalidate();
    QApplication::processEvents();
    grid.BeginUpdate();
    grid.SetCells(kText, 2, "two");
    grid.Invalidate();
    grid.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    grid.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    // A bracket ended while hidden still counts down.
    widget->hide();
    grid.BeginUpdate();
    grid.EndUpdate();
    EXPECT_EQ(grid.UpdateCount(), 0);
    widget->show();
    widget->viewport()->removeEventFilter(&counter);
}

TEST_F(EditingDialog, ClipboardKeysOnTheGridUseTheExchangeRoutines)
{
    grid.Navigation.AllowClipboardShortCuts = true;
    StartAt(dText, 2);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "abc");
    EXPECT_FALSE(editing->EditMode());
    grid.MoveCurrentCell(dText, 3);
    clipboard->setText("pasted");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(dText, 3), "pasted");
    EXPECT_FALSE(editing->EditMode());
}

TEST_F(EditingDialog, GridKeyPressJumpsOnEnterThroughRealKeys)
{
    const bool was = EnableJumpFieldTables;
    EnableJumpFieldTables = true;
    grid.OnKeyPress = [this](TExStringGrid*, QChar& key) {
        char16_t k = key.unicode();
        Grid_KeyPress(grid, k);
        key = QChar(k);
    };
    // Enter on an editable cell jumps instead of opening the editor.
    StartAt(dText, 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Col(), dText + 1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_FALSE(editing->EditMode());
    grid.MoveCurrentCell(grid.ColCount() - 2, 2);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Col(), grid.ColCount() - 1);
    EnableJumpFieldTables = was;
}

} // namespace
