#include "controls/grid/cell_controls/cell_control_editors.h"

#include "qt_print.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace grid;

// A grid stand-in: one cell with three controls, its text updated when a
// control hands its value back.
class FakeGrid : public QWidget, public CellControlHost
{
public:
    explicit FakeGrid(QWidget* parent) : QWidget(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
        first = new TControlEdit(this, this);
        second = new TControlEdit(this, this);
        combo = new TControlCombo(this, this);
        combo->addItems({QStringLiteral("low"), QStringLiteral("high")});
        first->setGeometry(5, 5, 60, 20);
        second->setGeometry(70, 5, 60, 20);
        combo->setGeometry(135, 5, 80, 20);
        controls = {first, second, combo};
    }
    void CellControlExit(QWidget* control) override
    {
        exits << control;
        if (auto* e = qobject_cast<QLineEdit*>(control))
            values[control] = e->text();
        if (auto* c = qobject_cast<QComboBox*>(control))
            values[control] = c->currentText();
    }
    void CellControlCancel(QWidget* control) override { cancels << control; }
    bool AdvanceAuto() const override { return advanceAuto; }
    void AdvanceFromCell() override { ++col; }
    bool FocusNextCellControl() override
    {
        // The next control of the cell after the one that has the focus.
        for (size_t i = 0; i + 1 < controls.size(); ++i) {
            if (controls[i]->hasFocus() || controls[i]->isAncestorOf(QApplication::focusWidget())) {
                controls[i + 1]->setFocus();
                return true;
            }
        }
        return false;
    }
    void FocusGrid() override { setFocus(); }

    TControlEdit* first;
    TControlEdit* second;
    TControlCombo* combo;
    std::vector<QWidget*> controls;
    QList<QWidget*> exits;
    QList<QWidget*> cancels;
    std::map<QWidget*, QString> values;
    bool advanceAuto = false;
    int col = 1;
};

struct Dialog
{
    QDialog dialog;
    FakeGrid* grid = new FakeGrid(&dialog);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), &dialog);

    Dialog()
    {
        dialog.resize(300, 100);
        grid->setGeometry(0, 0, 300, 40);
        ok->setGeometry(10, 60, 60, 24);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
};

TEST(CellControlEditors, EnterStoresTheValueAndReturnsToTheGrid)
{
    Dialog d;
    d.grid->first->setFocus();
    QTest::keyClicks(d.grid->first, QStringLiteral("abc"));
    QTest::keyClick(d.grid->first, Qt::Key_Return);
    EXPECT_EQ(d.grid->values[d.grid->first], QStringLiteral("abc"));
    EXPECT_TRUE(d.grid->hasFocus());
    EXPECT_EQ(d.grid->col, 1);  // the current cell stays
    EXPECT_TRUE(d.dialog.isVisible());  // the default button did not act
    EXPECT_EQ(d.dialog.result(), 0);

    d.grid->combo->setFocus();
    d.grid->combo->setCurrentIndex(1);
    QTest::keyClick(d.grid->combo->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(d.grid->values[d.grid->combo], QStringLiteral("high"));
    EXPECT_TRUE(d.grid->hasFocus());
    EXPECT_TRUE(d.dialog.isVisible());
}

TEST(CellControlEditors, TabMovesThroughTheCellsControlsThenToTheGrid)
{
    Dialog d;
    d.grid->first->setFocus();
    QTest::keyClick(d.grid->first, Qt::Key_Tab);
    EXPECT_TRUE(d.grid->second->hasFocus());
    QTest::keyClick(d.grid->second, Qt::Key_Tab);
    EXPECT_TRUE(d.grid->combo->lineEdit()->hasFocus() || d.grid->combo->hasFocus());
    QTest::keyClick(d.grid->combo->lineEdit(), Qt::Key_Tab);  // the last control: back to the grid
    EXPECT_TRUE(d.grid->hasFocus());
    EXPECT_EQ(d.grid->exits, (QList<QWidget*>{d.grid->first, d.grid->second, d.grid->combo}));
    EXPECT_EQ(d.grid->col, 1);
}

TEST(CellControlEditors, TabWithAutomaticAdvanceMovesToTheNextCell)
{
    Dialog d;
    d.grid->advanceAuto = true;
    d.grid->second->setFocus();
    QTest::keyClicks(d.grid->second, QStringLiteral("x"));
    QTest::keyClick(d.grid->second, Qt::Key_Tab);
    EXPECT_EQ(d.grid->col, 2);
    EXPECT_EQ(d.grid->values[d.grid->second], QStringLiteral("x"));
    // Other keys stay the editor's.
    d.grid->first->setFocus();
    QTest::keyClick(d.grid->first, Qt::Key_A);
    QTest::keyClick(d.grid->first, Qt::Key_Left);
    EXPECT_EQ(d.grid->first->text(), QStringLiteral("a"));
    EXPECT_EQ(d.grid->first->cursorPosition(), 0);
}

TEST(CellControlEditors, EscClosesWithoutHandingBackAndNeverReachesTheDialog)
{
    Dialog d;
    d.grid->first->setFocus();
    QTest::keyClicks(d.grid->first, QStringLiteral("abc"));
    QTest::keyClick(d.grid->first, Qt::Key_Escape);
    EXPECT_TRUE(d.grid->exits.isEmpty());
    EXPECT_EQ(d.grid->cancels, QList<QWidget*>{d.grid->first});
    EXPECT_TRUE(d.grid->hasFocus());
    EXPECT_TRUE(d.dialog.isVisible());

    // A pick-only combo has the same keys.
    d.grid->combo->SetTyping(false);
    d.grid->combo->setFocus();
    QTest::keyClick(d.grid->combo, Qt::Key_Escape);
    EXPECT_EQ(d.grid->cancels, (QList<QWidget*>{d.grid->first, d.grid->combo}));
    d.grid->combo->setFocus();
    d.grid->combo->setCurrentIndex(0);
    QTest::keyClick(d.grid->combo, Qt::Key_Return);
    EXPECT_EQ(d.grid->values[d.grid->combo], QStringLiteral("low"));
    EXPECT_TRUE(d.dialog.isVisible());
    // Typing again: the new edit part takes the keys too.
    d.grid->combo->SetTyping(true);
    d.grid->combo->setFocus();
    QTest::keyClick(d.grid->combo->lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(d.grid->cancels.size(), 3);
    EXPECT_TRUE(d.dialog.isVisible());
    EXPECT_EQ(d.dialog.result(), 0);
}

}  // namespace
