// The date-and-time composite: its check box driving the time part, the
// merged value in whole seconds, the date setter keeping the time, and the
// focus moving on to the time part after the date's last field.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_datetime.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QTest>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace grid;

namespace {

TEST(DateTimeComposite, TheCheckBoxEnablesTheTimePart)
{
    QWidget window;
    TExDateTimePicker& picker = *new TExDateTimePicker(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(picker.Checked()) << "without a box there is always a value";
    EXPECT_TRUE(picker.TimePart()->isEnabled());
    picker.SetShowCheckbox(true);
    struct Case
    {
        bool enabled;
        bool ticked;
        bool timeEnabled;
    };
    for (const Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false},
                         Case{false, false, false}, Case{true, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.ticked);
        picker.setEnabled(c.enabled);
        picker.SetChecked(c.ticked);
        EXPECT_EQ(picker.Checked(), c.ticked);
        EXPECT_EQ(picker.TimePart()->isEnabled(), c.timeEnabled);
    }
    // A click on the box does the same.
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_FALSE(picker.Checked());
    EXPECT_FALSE(picker.TimePart()->isEnabled());
    QTest::mouseClick(picker.CheckBox(), Qt::LeftButton);
    EXPECT_TRUE(picker.TimePart()->isEnabled());
    // Without the box again, there is a value whatever it held.
    picker.SetChecked(false);
    picker.SetShowCheckbox(false);
    EXPECT_TRUE(picker.Checked());
    EXPECT_TRUE(picker.TimePart()->isEnabled());
}

TEST(DateTimeComposite, OneValueInWholeSeconds)
{
    TExDateTimePicker picker;
    picker.SetDateTime(QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30, 999)));
    EXPECT_EQ(picker.DateTime(), QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30)));
    // The time part's time is the value's time.
    picker.TimePart()->setTime(QTime(8, 5, 0));
    EXPECT_EQ(picker.DateTime(), QDateTime(QDate(2024, 2, 29), QTime(8, 5, 0)));
    // A new date keeps the time of day.
    picker.SetDate(QDate(2025, 1, 31));
    EXPECT_EQ(picker.DateTime(), QDateTime(QDate(2025, 1, 31), QTime(8, 5, 0)));
    int times = 0;
    picker.OnTimeChange = [&](TExDateTimePicker* p) {
        EXPECT_EQ(p, &picker);
        ++times;
    };
    picker.SetTime(QTime(9, 0, 0, 500));
    EXPECT_EQ(picker.Time(), QTime(9, 0, 0));
    EXPECT_EQ(times, 1);
}

TEST(DateTimeComposite, TypingTheLastDateFieldMovesToTheTimePart)
{
    QWidget window;
    auto* picker = new TExDateTimePicker(&window);
    picker->SetDateFormat(QStringLiteral("dd/MM/yyyy"));
    picker->SetDateTime(QDateTime(QDate(2024, 3, 15), QTime(10, 0, 0)));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QDateEdit* date = picker->DatePart();
    date->setFocus();
    // A digit in the day field stays in the date part.
    date->setCurrentSectionIndex(0);
    date->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(date, Qt::Key_2);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(date->hasFocus());
    // The year is the last field: its change hands the focus on.
    date->setCurrentSectionIndex(2);
    date->setSelectedSection(QDateTimeEdit::YearSection);
    // Digit by digit as typed, the posted steps run in between: the focus
    // moves once the year is whole.
    for (const char* digit : {"2", "0", "2"}) {
        QTest::keyClicks(date, digit);
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(date->hasFocus()) << digit;
    }
    QTest::keyClicks(date, "6");
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(picker->TimePart()->hasFocus());
    EXPECT_EQ(picker->Date().year(), 2026);
}

// The composite as the grid's edDateTimeEdit editor: Enter stores date and
// time, an unticked box stores an empty cell, Esc keeps the cell, Tab moves
// on, a refused value keeps it open.
TEST(DateTimeComposite, AsTheGridsEditor)
{
    platform::FormatSettings f;
    f.DateSeparator = u'/';
    f.TimeSeparator = u':';
    f.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    const platform::ScopedFormatSettings formats(f);
    TExColumnGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(3);
    grid.Columns()[1]->SetEditor(edDateTimeEdit);
    grid.Loaded();
    TGridOptions o = grid.Options();
    o.Include(goEditing);
    o.Include(goTabs);
    grid.SetOptions(o);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* widget = new TGridWidget(grid);
    layout->addWidget(widget);
    window.resize(600, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    GridEditing* editing = EditingOf(grid);
    TGridEditors* editors = widget->Editors();
    bool refuse = false;
    editing->OnCellValidate = [&](TExStringGrid*, int, int, QString&, bool& valid) { valid = !refuse; };
    const QString start = QStringLiteral("15/03/2024 10:30:00");
    auto open = [&](bool showBox) {
        editing->HideInplaceEdit();
        QCoreApplication::sendPostedEvents();
        grid.SetCells(1, 1, start);
        editors->DateAndTimePicker().SetShowCheckbox(showBox);
        widget->setFocus();
        grid.MoveCurrentCell(1, 1);
        QTest::keyClick(widget, Qt::Key_F2);
        ASSERT_TRUE(editing->EditMode());
        ASSERT_EQ(editors->OpenEditor(), editors->MadeDateAndTimePicker());
    };
    TExDateTimePicker* picker = nullptr;

    open(false);
    picker = editors->MadeDateAndTimePicker();
    EXPECT_EQ(picker->DateTime(), QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0)));
    picker->SetTime(QTime(11, 0, 5));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "15/03/2024 11:00:05");

    open(true);
    picker->SetChecked(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "");

    open(false);
    picker->SetTime(QTime(1, 2, 3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), start);

    open(false);
    refuse = true;
    picker->SetTime(QTime(1, 2, 3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), start);
    refuse = false;

    open(false);
    picker->SetTime(QTime(12, 0, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid.Cells(1, 1), "15/03/2024 12:00:00");
    EXPECT_EQ(grid.Col(), 2);
    editing->OnCellValidate = nullptr;
}

} // namespace
