// The date and time pickers on the painted grid through real keys: commit,
// cancel and leave, stepping the field under the caret in day-first and
// month-first formats, 29 February, the clock's wrap, field auto-advance and
// a refused value.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_date.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QTest>
#include <QVBoxLayout>

#include <vector>

using namespace grid;

namespace {

enum { kNumber, kDate, kTime, kColumns };

platform::FormatSettings Formats(const char* date)
{
    platform::FormatSettings f;
    f.DateSeparator = u'/';
    f.TimeSeparator = u':';
    f.ShortDateFormat = QString::fromLatin1(date);
    return f;
}

class DatePicker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColCount(kColumns);
        grid.SetRowCount(4);
        grid.Columns()[kDate]->SetEditor(edDateEdit);
        grid.Columns()[kTime]->SetEditor(edTimeEdit);
        grid.Loaded();
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        o.Include(goTabs);
        grid.SetOptions(o);
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        window.resize(500, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editors = widget->Editors();
        ASSERT_NE(editors, nullptr);
    }

    void StartAt(int col, const QString& value)
    {
        editing->HideInplaceEdit();
        QCoreApplication::sendPostedEvents();
        grid.SetCells(col, 1, value);
        widget->setFocus();
        grid.MoveCurrentCell(col, 1);
        QTest::keyClick(widget, Qt::Key_F2);
        ASSERT_TRUE(Open());
    }

    void Keys(const std::vector<Qt::Key>& keys)
    {
        for (Qt::Key k : keys)
            QTest::keyClick(QApplication::focusWidget(), k);
    }

    bool Open() const { return editors->MadeDatePicker() && editors->MadeDatePicker()->isVisible(); }

    platform::ScopedFormatSettings formats{Formats("dd/mm/yyyy")};
    TExColumnGrid grid;
    QWidget window;
    TGridWidget* widget = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
};

struct KeyCase
{
    const char* name;
    const char* format;
    int col;
    const char* value;
    int section; // the caret's field before the keys
    std::vector<Qt::Key> keys;
    const char* cell;
    bool open;
    int endCol;
};

TEST_F(DatePicker, KeyTable)
{
    using K = Qt::Key;
    const KeyCase cases[] = {
        {"day-first: Up steps the day, Enter stores", "dd/mm/yyyy", kDate, "15/03/2024", 0, {K::Key_Up, K::Key_Return},
         "16/03/2024", false, kDate},
        {"day-first: the second field is the month", "dd/mm/yyyy", kDate, "15/03/2024", 1, {K::Key_Up, K::Key_Return},
         "15/04/2024", false, kDate},
        {"month-first: the first field is the month", "mm/dd/yyyy", kDate, "03/15/2024", 0,
         {K::Key_Up, K::Key_Return}, "04/15/2024", false, kDate},
        {"month-first: the second field is the day", "mm/dd/yyyy", kDate, "03/15/2024", 1,
         {K::Key_Down, K::Key_Return}, "03/14/2024", false, kDate},
        {"29 February and a year on", "dd/mm/yyyy", kDate, "29/02/2024", 2, {K::Key_Up, K::Key_Return},
         "28/02/2025", false, kDate},
        {"a month end and a month on", "dd/mm/yyyy", kDate, "31/01/2024", 1, {K::Key_Up, K::Key_Return},
         "29/02/2024", false, kDate},
        {"Up does not leave the cell", "dd/mm/yyyy", kDate, "15/03/2024", 0, {K::Key_Up, K::Key_Up}, "15/03/2024",
         true, kDate},
        {"Esc restores the cell", "dd/mm/yyyy", kDate, "15/03/2024", 0, {K::Key_Up, K::Key_Escape}, "15/03/2024",
         false, kDate},
        {"Tab stores and moves on", "dd/mm/yyyy", kDate, "15/03/2024", 0, {K::Key_Down, K::Key_Tab}, "14/03/2024",
         true, kTime},
        {"the clock wraps", "dd/mm/yyyy", kTime, "23:30:00", 0, {K::Key_Up, K::Key_Return}, "0:30:00", false, kTime},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::ScopedFormatSettings f(Formats(c.format));
        StartAt(c.col, c.value);
        editors->MadeDatePicker()->setCurrentSectionIndex(c.section);
        Keys(c.keys);
        EXPECT_EQ(grid.Cells(c.col, 1), c.cell);
        EXPECT_EQ(editing->EditMode(), c.open);
        EXPECT_EQ(grid.Col(), c.endCol);
    }
}

TEST_F(DatePicker, ADigitThatChangesAFieldMovesOnButNotFromTheLast)
{
    StartAt(kDate, "15/03/2024");
    TInplaceDate* picker = editors->MadeDatePicker();
    QTest::keyClick(picker, Qt::Key_3);
    EXPECT_EQ(picker->currentSectionIndex(), 0); // queued, not at once
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(picker->currentSectionIndex(), 1);
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_EQ(grid.Cells(kDate, 1), "03/03/2024");
    StartAt(kDate, "15/03/2024");
    picker->setCurrentSectionIndex(2);
    picker->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClick(picker, Qt::Key_2);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(picker->currentSectionIndex(), 2);
}

TEST_F(DatePicker, ARefusedValueKeepsThePickerOpen)
{
    editing->OnCellValidate = [&](TExStringGrid* g, int, int, QString& value, bool& valid) {
        EXPECT_EQ(g, &grid);
        valid = value != "16/03/2024";
    };
    StartAt(kDate, "15/03/2024");
    Keys({Qt::Key_Up, Qt::Key_Return});
    EXPECT_TRUE(Open());
    EXPECT_EQ(grid.Cells(kDate, 1), "15/03/2024");
    EXPECT_EQ(editors->MadeDatePicker()->date(), QDate(2024, 3, 15));
}

// Alt+Down, Alt+Up and F4 drop the calendar down and change no field (the
// arrows alone step the field under the caret).
TEST_F(DatePicker, AltArrowsAndF4OpenTheCalendarWithoutStepping)
{
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Down, Qt::AltModifier}, std::pair{Qt::Key_Up, Qt::AltModifier},
                                         std::pair{Qt::Key_F4, Qt::NoModifier}}) {
        SCOPED_TRACE(key);
        StartAt(kDate, "11/12/2026");
        TInplaceDate* picker = editors->MadeDatePicker();
        QTest::keyClick(picker, key, modifiers);
        ASSERT_NE(picker->calendarWidget(), nullptr);
        EXPECT_TRUE(picker->calendarWidget()->isVisible());
        EXPECT_EQ(picker->date(), QDate(2026, 12, 11));
        // Hiding the editor closes its calendar too.
        editing->HideInplaceEdit();
        EXPECT_FALSE(picker->calendarWidget()->isVisible());
        EXPECT_EQ(grid.Cells(kDate, 1), "11/12/2026");
    }
}

// A picker or date spin left unchanged writes nothing back: a text the editor
// cannot read stays as it was instead of becoming its default date.
TEST_F(DatePicker, LeftUnchangedTheCellKeepsItsText)
{
    grid.Columns()[kNumber]->SetEditor(edDateSpinEdit);
    for (const int col : {int(kDate), int(kNumber)}) {
        SCOPED_TRACE(col);
        StartAt(col, "next week");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(editing->EditMode());
        EXPECT_EQ(grid.Cells(col, 1), "next week");
    }
    // Leaving by Tab or a click elsewhere keeps it too.
    StartAt(kDate, "next week");
    grid.MoveCurrentCell(kTime, 2);
    EXPECT_EQ(grid.Cells(kDate, 1), "next week");
}

} // namespace
