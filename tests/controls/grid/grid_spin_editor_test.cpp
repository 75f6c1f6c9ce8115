// The spin editor on the painted grid through real keys: which keys commit,
// cancel and leave, steps and clamps of each kind, a refused value, the
// button's step at the press; and the length limit of combo-edit cells.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_combo.h"
#include "controls/grid/widget/inplace_spin.h"
#include "platform/beep.h"
#include "platform/text/format_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

using namespace grid;

namespace {

enum { kNumber, kInt, kFloat, kDate, kTime, kCombo, kText, kColumns };

const char* const kStart[kColumns] = {"", "5", "1.5", "15/03/2024", "0:00:00", "one", "two"};

platform::FormatSettings DayFirst()
{
    platform::FormatSettings f;
    f.DecimalSeparator = u'.';
    f.ThousandSeparator = u',';
    f.DateSeparator = u'/';
    f.TimeSeparator = u':';
    f.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    return f;
}

class SpinEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        beeps_ = platform::SetBeepHandler([this] { ++beeps; });
        grid.SetColCount(kColumns);
        grid.SetRowCount(4);
        grid.Columns()[kInt]->SetEditor(edSpinEdit);
        grid.Columns()[kFloat]->SetEditor(edFloatSpinEdit);
        grid.Columns()[kDate]->SetEditor(edDateSpinEdit);
        grid.Columns()[kTime]->SetEditor(edTimeSpinEdit);
        grid.Columns()[kCombo]->SetEditor(edComboEdit);
        grid.Columns()[kCombo]->ComboItems = {"one", "two"};
        grid.Columns()[kCombo]->EditLength = 15;
        grid.Columns()[kText]->EditLength = 15;
        grid.Loaded();
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        o.Include(goTabs);
        grid.SetOptions(o);
        Fill();
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        window.resize(700, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editors = widget->Editors();
        ASSERT_NE(editors, nullptr);
    }
    void TearDown() override { platform::SetBeepHandler(beeps_); }

    void Fill()
    {
        for (int r = 1; r < grid.RowCount(); ++r)
            for (int c = 1; c < kColumns; ++c)
                grid.SetCells(c, r, kStart[c]);
    }

    void StartAt(int col, int row)
    {
        editing->HideInplaceEdit();
        QCoreApplication::sendPostedEvents();
        Fill();
        widget->setFocus();
        grid.MoveCurrentCell(col, row);
    }

    void Type(const char* text)
    {
        for (const QChar ch : QString::fromUtf8(text))
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }

    void Keys(const std::vector<Qt::Key>& keys)
    {
        for (Qt::Key k : keys)
            QTest::keyClick(QApplication::focusWidget(), k);
    }

    bool SpinOpen() const { return editors->MadeSpinEdit() && editors->MadeSpinEdit()->isVisible(); }

    platform::ScopedFormatSettings formats{DayFirst()};
    TExColumnGrid grid;
    QWidget window;
    TGridWidget* widget = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
    int beeps = 0;
    std::function<void()> beeps_;
};

struct KeyCase
{
    const char* name;
    int col;
    const char* typed; // typed first (opens the editor), may be empty
    std::vector<Qt::Key> keys;
    const char* cell;
    bool open;
    int endCol;
};

TEST_F(SpinEditor, KeyTable)
{
    using K = Qt::Key;
    const KeyCase cases[] = {
        {"F2, two steps up, Enter commits", kInt, "", {K::Key_F2, K::Key_Up, K::Key_Up, K::Key_Return}, "7", false,
         kInt},
        {"Up and Down step without leaving", kInt, "", {K::Key_F2, K::Key_Up, K::Key_Down, K::Key_Up}, "5", true,
         kInt},
        {"Esc restores the cell", kInt, "", {K::Key_F2, K::Key_Up, K::Key_Escape}, "5", false, kInt},
        {"typed 250 is clamped to 100", kInt, "250", {K::Key_Return}, "100", false, kInt},
        {"a letter is refused", kInt, "x", {K::Key_Return}, "5", false, kInt},
        {"steps stop at the minimum", kInt, "", {K::Key_F2, K::Key_PageDown, K::Key_Down, K::Key_Down, K::Key_Down,
          K::Key_Down, K::Key_Down, K::Key_Down, K::Key_Return}, "0", false, kInt},
        {"Home sets the maximum", kInt, "", {K::Key_F2, K::Key_Home, K::Key_Return}, "100", false, kInt},
        {"End sets the minimum", kInt, "", {K::Key_F2, K::Key_End, K::Key_Return}, "0", false, kInt},
        // With goTabs the next cell's editor opens.
        {"Tab stores and leaves", kInt, "", {K::Key_F2, K::Key_Up, K::Key_Tab}, "6", true, kFloat},
        {"float steps by 0.1", kFloat, "", {K::Key_F2, K::Key_Up, K::Key_Return}, "1.6", false, kFloat},
        {"float page steps by 1", kFloat, "", {K::Key_F2, K::Key_PageUp, K::Key_Return}, "2.5", false, kFloat},
        {"float Esc restores", kFloat, "", {K::Key_F2, K::Key_PageUp, K::Key_Escape}, "1.5", false, kFloat},
        {"date: caret in the day steps days", kDate, "", {K::Key_F2, K::Key_Home, K::Key_Up, K::Key_Return},
         "16/03/2024", false, kDate},
        {"date: caret at the end steps years", kDate, "", {K::Key_F2, K::Key_End, K::Key_Up, K::Key_Return},
         "15/03/2025", false, kDate},
        {"time wraps below midnight", kTime, "", {K::Key_F2, K::Key_Home, K::Key_Down, K::Key_Return}, "23:00:00",
         false, kTime},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartAt(c.col, 1);
        Type(c.typed);
        Keys(c.keys);
        EXPECT_EQ(grid.Cells(c.col, 1), c.cell);
        EXPECT_EQ(SpinOpen(), c.open);
        EXPECT_EQ(editing->EditMode(), c.open);
        if (c.open) {
            EXPECT_EQ(editing->EditCell().X, c.endCol);
        }
        EXPECT_EQ(grid.Col(), c.endCol);
        EXPECT_EQ(grid.Row(), 1);
    }
    EXPECT_GT(beeps, 0); // the refused letter
}

TEST_F(SpinEditor, DatesStepByFieldInMonthFirstFormats)
{
    platform::FormatSettings f = DayFirst();
    f.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    const platform::ScopedFormatSettings monthFirst(f);
    grid.SetCells(kDate, 2, "01/31/2024");
    grid.MoveCurrentCell(kDate, 2);
    widget->setFocus();
    Keys({Qt::Key_F2, Qt::Key_Home, Qt::Key_Up, Qt::Key_Return});
    // The first field is the month; 31 January + 1 month is the last day of February.
    EXPECT_EQ(grid.Cells(kDate, 2), "02/29/2024");
}

TEST_F(SpinEditor, ARefusedValueKeepsTheEditorOpen)
{
    int validations = 0;
    editing->OnCellValidate = [&](TExStringGrid* g, int, int, QString& value, bool& valid) {
        EXPECT_EQ(g, &grid);
        ++validations;
        valid = value != "7";
    };
    StartAt(kInt, 1);
    Keys({Qt::Key_F2, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});
    EXPECT_EQ(validations, 1);
    EXPECT_TRUE(SpinOpen());
    EXPECT_EQ(grid.Cells(kInt, 1), "5");
    EXPECT_EQ(editors->MadeSpinEdit()->text(), "5");
    Keys({Qt::Key_Up, Qt::Key_Return});
    EXPECT_FALSE(SpinOpen());
    EXPECT_EQ(grid.Cells(kInt, 1), "6");
}

TEST_F(SpinEditor, TheButtonStepsAtThePressAndEventsCarryTheGrid)
{
    std::vector<QString> clicks;
    std::vector<QString> changes;
    editing->OnSpinClick = [&](TExStringGrid* g, int col, int row, const QString& value, bool up) {
        EXPECT_EQ(g, &grid);
        EXPECT_EQ(col, kInt);
        EXPECT_EQ(row, 1);
        clicks.push_back(value + (up ? "+" : "-"));
    };
    editing->OnEditChange = [&](TExStringGrid* g, int, int, const QString& value) {
        EXPECT_EQ(g, &grid);
        changes.push_back(value);
    };
    StartAt(kInt, 1);
    Keys({Qt::Key_F2});
    TInplaceSpin* spin = editors->MadeSpinEdit();
    ASSERT_NE(spin, nullptr);
    QTest::mousePress(spin->UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "6");
    QTest::mouseRelease(spin->UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "6");
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "5");
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_EQ(clicks, (std::vector<QString>{"6+", "5-"}));
    EXPECT_EQ(changes, (std::vector<QString>{"6", "5"}));
}

// The limit of a column holds for combo-edit cells as for text cells.
TEST_F(SpinEditor, TypingStopsAtTheColumnsLengthLimit)
{
    for (int col : {kCombo, kText}) {
        SCOPED_TRACE(col);
        StartAt(col, 1);
        Type("12345678901234567");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(grid.Cells(col, 1), "123456789012345");
    }
}

} // namespace
