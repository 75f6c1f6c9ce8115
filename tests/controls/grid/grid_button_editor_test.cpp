// The edit-with-button editor on the painted grid through real keys: commit,
// cancel and leave, the ellipsis by button and F4, the numeric filter, unit
// values (one matching no unit keeps its whole text) and the units menu.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_button_edit.h"
#include "platform/beep.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

using namespace grid;

namespace {

enum { kNumber, kButton, kNumeric, kUnit, kColumns };

class ButtonEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        beeps_ = platform::SetBeepHandler([this] { ++beeps; });
        grid.SetColCount(kColumns);
        grid.SetRowCount(4);
        grid.Columns()[kButton]->SetEditor(edEditBtn);
        grid.Columns()[kNumeric]->SetEditor(edNumericEditBtn);
        grid.Columns()[kUnit]->SetEditor(edUnitEditBtn);
        grid.Loaded();
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        o.Include(goTabs);
        grid.SetOptions(o);
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        window.resize(600, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editing->Units = {"cm", "m"};
        editors = widget->Editors();
        ASSERT_NE(editors, nullptr);
    }
    void TearDown() override { platform::SetBeepHandler(beeps_); }

    void StartAt(int col, int row, const QString& value)
    {
        editing->HideInplaceEdit();
        QCoreApplication::sendPostedEvents();
        for (int r = 1; r < grid.RowCount(); ++r)
            grid.SetCells(col, r, value);
        widget->setFocus();
        grid.MoveCurrentCell(col, row);
    }

    void Keys(const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>& keys)
    {
        for (const auto& [k, m] : keys)
            QTest::keyClick(QApplication::focusWidget(), k, m);
    }

    void Type(const char* text)
    {
        for (const QChar ch : QString::fromUtf8(text))
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }

    bool Open() const { return editors->MadeButtonEdit() && editors->MadeButtonEdit()->isVisible(); }

    TExColumnGrid grid;
    QWidget window;
    TGridWidget* widget = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
    int beeps = 0;
    std::function<void()> beeps_;
};

constexpr Qt::KeyboardModifiers kNo = Qt::NoModifier;

struct KeyCase
{
    const char* name;
    int col;
    const char* value;
    const char* typed; // after F2 and End
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    const char* cell;
    bool open;
    TGridCoord end; // display column, row
};

TEST_F(ButtonEditor, KeyTable)
{
    editing->OnEllipsClick = [&](TExStringGrid* g, int col, int row, QString& text) {
        EXPECT_EQ(g, &grid);
        EXPECT_EQ(row, 2);
        text = QStringLiteral("picked%1").arg(col);
    };
    const KeyCase cases[] = {
        {"Enter commits", kButton, "abc", "x", {{Qt::Key_Return, kNo}}, "abcx", false, {kButton, 2}},
        {"Esc restores", kButton, "abc", "x", {{Qt::Key_Escape, kNo}}, "abc", false, {kButton, 2}},
        {"Up commits and moves up", kButton, "abc", "x", {{Qt::Key_Up, kNo}}, "abcx", false, {kButton, 1}},
        {"Tab commits and moves on", kButton, "abc", "x", {{Qt::Key_Tab, kNo}}, "abcx", true, {kNumeric, 2}},
        {"F4 is the ellipsis", kButton, "abc", "", {{Qt::Key_F4, kNo}, {Qt::Key_Return, kNo}}, "picked1", false,
         {kButton, 2}},
        {"Ctrl+F4 is no ellipsis", kButton, "abc", "", {{Qt::Key_F4, Qt::ControlModifier}, {Qt::Key_Return, kNo}},
         "abc", false, {kButton, 2}},
        {"numeric: a minus after a digit is refused", kNumeric, "12", "-", {{Qt::Key_Return, kNo}}, "12", false,
         {kNumeric, 2}},
        {"numeric: digits go in", kNumeric, "12", "3", {{Qt::Key_Return, kNo}}, "123", false, {kNumeric, 2}},
        {"unit: the number is edited, the unit kept", kUnit, "12cm", "5", {{Qt::Key_Return, kNo}}, "125cm", false,
         {kUnit, 2}},
        {"unit: a value matching no unit keeps its whole text", kUnit, "5mm", "", {{Qt::Key_Return, kNo}}, "5mm",
         false, {kUnit, 2}},
        {"unit: Esc restores", kUnit, "12cm", "9", {{Qt::Key_Escape, kNo}}, "12cm", false, {kUnit, 2}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartAt(c.col, 2, c.value);
        Keys({{Qt::Key_F2, kNo}, {Qt::Key_End, kNo}});
        ASSERT_TRUE(Open());
        Type(c.typed);
        Keys(c.keys);
        EXPECT_EQ(grid.Cells(c.col, 2), c.cell);
        EXPECT_EQ(editing->EditMode(), c.open);
        EXPECT_EQ(grid.Col(), c.end.X);
        EXPECT_EQ(grid.Row(), c.end.Y);
    }
    EXPECT_EQ(beeps, 1);
}

TEST_F(ButtonEditor, ARefusedValueKeepsTheEditorOpen)
{
    editing->OnCellValidate = [&](TExStringGrid*, int, int, QString& value, bool& valid) { valid = value != "bad"; };
    StartAt(kButton, 1, "ok");
    Type("bad");
    Keys({{Qt::Key_Return, kNo}});
    EXPECT_TRUE(Open());
    EXPECT_EQ(grid.Cells(kButton, 1), "ok");
    EXPECT_EQ(editors->MadeButtonEdit()->text(), "ok");
}

TEST_F(ButtonEditor, TheButtonRunsTheEllipsisThenTheUnitsMenu)
{
    int ellipses = 0;
    editing->OnEllipsClick = [&](TExStringGrid*, int, int, QString&) { ++ellipses; };
    StartAt(kUnit, 1, "12cm");
    Keys({{Qt::Key_F2, kNo}});
    TInplaceButtonEdit* edit = editors->MadeButtonEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(edit->Unit(), "cm");
    QTest::mouseClick(edit->Button(), Qt::LeftButton);
    EXPECT_EQ(ellipses, 1);
    ASSERT_NE(edit->UnitMenu(), nullptr);
    const QList<QAction*> actions = edit->UnitMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[1]->text(), "m");
    actions[1]->trigger();
    edit->UnitMenu()->hide();
    edit->setFocus();
    EXPECT_EQ(edit->Value(), "12m");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(grid.Cells(kUnit, 1), "12m");
}

// The masked kind shows the grid's edit mask and stores what the mask keeps;
// the numeric and float unit kinds split units and filter their typing.
TEST_F(ButtonEditor, MaskedAndTypedUnitKinds)
{
    const struct
    {
        TEditorType editor;
        const char* mask;
        const char* cell;
        const char* typed;
        const char* stored;
    } cases[] = {
        {edMaskEditBtn, "99:99;1;_", "", "1234", "12:34"},
        {edMaskEditBtn, "99:99;0;_", "", "1234", "1234"},
        {edNumericUnitEditBtn, "", "12cm", "5x", "125cm"},
        {edFloatUnitEditBtn, "", "1m", ".5a", "1.5m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        grid.Columns()[kUnit]->SetEditor(c.editor);
        grid.OnGetEditMask = [&](TExStringGrid*, int, int, QString& mask) { mask = QString::fromLatin1(c.mask); };
        StartAt(kUnit, 1, c.cell);
        Keys({{Qt::Key_F2, kNo}, {Qt::Key_End, kNo}});
        ASSERT_TRUE(Open());
        if (*c.mask != 0)
            Keys({{Qt::Key_Home, kNo}});
        Type(c.typed);
        Keys({{Qt::Key_Return, kNo}});
        EXPECT_FALSE(Open());
        EXPECT_EQ(grid.Cells(kUnit, 1), c.stored);
    }
}

} // namespace
