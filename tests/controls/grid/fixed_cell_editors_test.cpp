// The editors over header cells, in a dialog: opened by a click, stored by
// Enter or by leaving, closed by Esc with the header as it was, a refused
// value keeping the user in the editor, the list-only combo keeping a text
// that is no item.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/fixed_cell_editors.h"
#include "controls/grid/widget/grid_widget.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

class FixedCellDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(5);
        for (int c = 0; c < 4; ++c)
            g.SetCells(c, 0, QStringLiteral("H%1").arg(c));
        for (int r = 1; r < 5; ++r)
            g.SetCells(0, r, QStringLiteral("R%1").arg(r));
        g.MouseActions.FixedRowsEdit = fceLeftClick;
        g.MouseActions.FixedColsEdit = fceDblClick;
        GridEditing& e = g.Editing();
        e.OnEditChange = [this](TExStringGrid* s, int col, int row, const QString& v) {
            EXPECT_EQ(s, &g);
            log << QStringLiteral("change %1,%2 %3").arg(col).arg(row).arg(v);
        };
        e.OnCellValidate = [this](TExStringGrid* s, int col, int row, QString& v, bool& valid) {
            EXPECT_EQ(s, &g);
            log << QStringLiteral("validate %1,%2 %3").arg(col).arg(row).arg(v);
            if (validate)
                validate(v, valid);
        };
        e.OnEditingDone = [this](TExStringGrid* s) {
            EXPECT_EQ(s, &g);
            // Announced before the text is stored.
            log << QStringLiteral("done, cell %1").arg(g.Cells(2, 0));
        };

        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        other = new QLineEdit;
        layout->addWidget(other);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        layout->addWidget(buttons);
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        dialog.resize(480, 300);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        widget->setFocus();
        editors = widget->findChild<TFixedCellEditors*>();
        ASSERT_NE(editors, nullptr);
    }

    void Click(int col, int row)
    {
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, g.CellRect(col, row).center());
    }
    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    TExStringGrid g;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    QLineEdit* other = nullptr;
    TFixedCellEditors* editors = nullptr;
    QStringList log;
    std::function<void(QString&, bool&)> validate;
};

TEST_F(FixedCellDialog, AClickOpensTheEditBoxOverTheHeaderAndEnterStoresIt)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    Click(2, 0);
    TGridTransEdit* edit = editors->EditTrans();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->geometry(), g.CellRect(2, 0).adjusted(1, 1, -1, -1));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->text(), "H2");
    EXPECT_EQ(edit->FCol, 2);
    EXPECT_EQ(edit->FRow, 0);

    Type("Ab");
    Key(Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"change 2,0 A", "change 2,0 Ab", "validate 2,0 Ab", "done, cell H2"}));
    EXPECT_EQ(g.Cells(2, 0), "Ab");
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(widget->hasFocus());
    // Enter was the editor's, not the dialog's.
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(FixedCellDialog, EscClosesWithTheHeaderAsItWas)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    Click(2, 0);
    Type("zz");
    log.clear();
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(2, 0), "H2");
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(editors->EditTrans()->isVisible());
    EXPECT_TRUE(widget->hasFocus());
    EXPECT_EQ(finished.count(), 0);
    // Leaving afterwards stores nothing.
    other->setFocus();
    EXPECT_EQ(g.Cells(2, 0), "H2");
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FixedCellDialog, TheValidationDecidesWhatIsStored)
{
    // A refusal keeps the editor open on the header and makes its column
    // current (a fixed row never is); a changed value is stored changed.
    validate = [](QString&, bool& valid) { valid = false; };
    Click(2, 0);
    Type("bad");
    Key(Qt::Key_Return);
    EXPECT_TRUE(editors->EditTrans()->isVisible());
    EXPECT_TRUE(editors->EditTrans()->hasFocus());
    EXPECT_EQ(g.Cells(2, 0), "H2");
    EXPECT_FALSE(log.contains("done, cell H2"));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 1);

    // Leaving is refused too: the editor takes the focus back.
    other->setFocus();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_TRUE(editors->EditTrans()->isVisible());
    EXPECT_TRUE(editors->EditTrans()->hasFocus());
    EXPECT_EQ(g.Cells(2, 0), "H2");

    validate = [](QString& value, bool&) { value = value.toUpper(); };
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(2, 0), "BAD");
    EXPECT_FALSE(editors->EditTrans()->isVisible());
}

TEST_F(FixedCellDialog, LeavingStoresAndAnotherHeaderClickMovesTheEditor)
{
    Click(1, 0);
    Type("One");
    other->setFocus();
    EXPECT_EQ(g.Cells(1, 0), "One");
    EXPECT_FALSE(editors->EditTrans()->isVisible());

    // A row header opens on a double click only.
    Click(0, 2);
    EXPECT_FALSE(editors->EditTrans()->isVisible());
    QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, g.CellRect(0, 2).center());
    ASSERT_TRUE(editors->EditTrans()->isVisible());
    EXPECT_EQ(editors->EditTrans()->text(), "R2");
    Type("Two");
    // A click on a column header stores the row header and edits the other.
    Click(3, 0);
    EXPECT_EQ(g.Cells(0, 2), "Two");
    ASSERT_TRUE(editors->EditTrans()->isVisible());
    EXPECT_EQ(editors->EditTrans()->text(), "H3");
    EXPECT_EQ(editors->FixedColEdit(), 3);
}

TEST_F(FixedCellDialog, ComboKinds)
{
    g.MouseActions.FixedComboValues = {"Alpha", "Beta"};
    g.SetCells(1, 0, "Other");

    // A list only: a header that is no item keeps its text when nothing is
    // picked; a pick is stored.
    g.MouseActions.FixedRowsEditor = fceComboList;
    Click(1, 0);
    TGridTransCombo* combo = editors->ComboTrans();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->geometry(), g.CellRect(1, 0).adjusted(0, 0, -1, -1));
    EXPECT_EQ(combo->currentIndex(), -1);
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 0), "Other");
    Click(1, 0);
    // The combo's own list takes the keyboard without ending the edit.
    combo->showPopup();
    ASSERT_TRUE(combo->view()->isVisible());
    EXPECT_TRUE(combo->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 0), "Other");
    EXPECT_EQ(log.back(), "change 1,0 Beta");
    Key(Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, 0), "Beta");

    // Typed: the text is the value; Esc keeps the header.
    g.MouseActions.FixedRowsEditor = fceComboEdit;
    Click(2, 0);
    ASSERT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->currentText(), "H2");
    combo->lineEdit()->selectAll();
    Type("Gamma");
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(2, 0), "H2");
    Click(2, 0);
    combo->lineEdit()->selectAll();
    Type("Gamma");
    Key(Qt::Key_Enter);
    EXPECT_EQ(g.Cells(2, 0), "Gamma");
    EXPECT_FALSE(combo->isVisible());
}

} // namespace
