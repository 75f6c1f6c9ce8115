// The cell checker at the end of an edit, through real keys on the painted
// grid: the correction before the validation event, the marks after it.
#include "controls/grid/core/cell_checker.h"
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace grid;

namespace {

// Trims the text; marks "teh".
class Checker : public TExStringGridCheck
{
public:
    QString Correct(int col, int row, const QString& s) override
    {
        asked << QStringLiteral("correct %1,%2 %3").arg(col).arg(row).arg(s);
        return s.trimmed();
    }
    QString MarkError(int col, int row, const QString& s) override
    {
        asked << QStringLiteral("mark %1,%2 %3").arg(col).arg(row).arg(s);
        return QString(s).replace(QStringLiteral("teh"), QStringLiteral("<e>teh</e>"));
    }
    QStringList asked;
};

class CheckedEditing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColCount(4);
        grid.SetRowCount(4);
        grid.SetOptions(TGridOptions{goEditing});
        grid.SetCells(2, 1, QStringLiteral("old"));
        // With column 1 hidden, display column 1 is real column 2.
        grid.HideColumn(1);
        widget = std::make_unique<TGridWidget>(grid);
        widget->resize(400, 200);
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget.get()));
        widget->setFocus();
        editing = EditingOf(grid);
        ASSERT_NE(editing, nullptr);
        editing->OnCellValidate = [this](TExStringGrid*, int, int, QString& value, bool& valid) {
            checker.asked << QStringLiteral("event %1").arg(value);
            valid = value != QStringLiteral("no teh");
        };
        grid.CellChecker = &checker;
    }

    // Types a text into display cell (1, 1) (real column 2) and presses Enter.
    void Enter(const char* text)
    {
        grid.MoveCurrentCell(1, 1);
        QTest::keyClick(widget->viewport(), Qt::Key_F2);
        TInplaceEdit* edit = widget->Editors()->MadeLineEdit();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    TExStringGrid grid;
    Checker checker;
    std::unique_ptr<TGridWidget> widget;
    GridEditing* editing = nullptr;
};

} // namespace

TEST_F(CheckedEditing, TheCheckerSeesTheEditedTextAroundTheEvent)
{
    const struct
    {
        const char* name;
        bool autoCorrect;
        bool autoMark;
        const char* typed;
        QString cell;
        QStringList asked;
    } cases[] = {
        {"neither", false, false, " teh ", " teh ", {"event  teh "}},
        {"correct", true, false, " teh ", "teh", {"correct 2,1  teh ", "event teh"}},
        {"mark", false, true, "teh", "<e>teh</e>", {"event teh", "mark 2,1 teh"}},
        {"both", true, true, " teh ", "<e>teh</e>", {"correct 2,1  teh ", "event teh", "mark 2,1 teh"}},
        // Refused: the old text stays unmarked, the editor open.
        {"refused", true, true, "no teh", "old", {"correct 2,1 no teh", "event no teh"}},
    };
    for (const auto& c : cases) {
        grid.SetCells(2, 1, QStringLiteral("old"));
        checker.AutoCorrect = c.autoCorrect;
        checker.AutoMarkError = c.autoMark;
        checker.asked.clear();
        Enter(c.typed);
        EXPECT_EQ(grid.Cells(2, 1), c.cell) << c.name;
        EXPECT_EQ(checker.asked, c.asked) << c.name;
        EXPECT_EQ(editing->EditMode(), QString::fromUtf8(c.name) == "refused") << c.name;
        if (editing->EditMode())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
}
