// The edit, password, mask and combo controls inside a cell's mini-HTML
// text, in a dialog: a click opens only the control it hits, over the
// control's rectangle; what is typed goes back into the control's VALUE (escaped);
// Enter, Tab and Esc; a picked item reported and stored; a list without
// typing keeps a value that is no item.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/html/mini_html_markup.h"
#include "controls/grid/widget/cell_control_editing.h"
#include "controls/grid/widget/grid_widget.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

const char* const kFields = "Name <CONTROL TYPE=\"EDIT\" ID=\"nm\" VALUE=\"abc\" WIDTH=\"70\"> "
                            "Key <CONTROL TYPE=\"PASSWORD\" ID=\"pw\" VALUE=\"\" WIDTH=\"60\">";
const char* const kMasks = "<CONTROL TYPE=\"MASK\" ID=\"d\" VALUE=\"\" WIDTH=\"80\" PROP=\"!00/00;0;_\"> "
                           "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"\" WIDTH=\"80\" PROP=\"!00/00;0;_\">";
const char* const kCombo = "Level <CONTROL TYPE=\"COMBO\" ID=\"lv\" VALUE=\"low\" WIDTH=\"90\">";

class CellControlDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(5);
        g.SetColWidths(1, 320);
        for (int r = 1; r < 5; ++r)
            g.SetRowHeights(r, 34);
        TGridOptions o = g.Options();
        o.Include(goEditing);
        g.SetOptions(o);
        g.SetCells(1, 1, kFields);
        g.SetCells(1, 2, kMasks);
        g.SetCells(1, 3, kCombo);

        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        layout->addWidget(buttons);
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        dialog.resize(560, 320);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        widget->setFocus();
        ctl = widget->findChild<TCellControlEditing*>();
        ASSERT_NE(ctl, nullptr);
        ctl->OnControlEditDone = [this](TExStringGrid* s, int row, int col, const QString& id, const QString& type,
                                        const QString& value) {
            EXPECT_EQ(s, &g);
            done << QStringLiteral("%1,%2 %3 %4 %5").arg(col).arg(row).arg(id, type, value);
        };
    }

    QString Value(int row, const char* id)
    {
        QString v;
        EXPECT_TRUE(html::GetHtmlControlValue(g.Cells(1, row), QString::fromLatin1(id), v));
        return v;
    }
    void ClickAt(QPoint p) { QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, p); }
    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    TExStringGrid g;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    TCellControlEditing* ctl = nullptr;
    QStringList done;
};

TEST_F(CellControlDialog, OnlyAClickInTheControlsRectangleOpensIt)
{
    const QRect name = ctl->ControlRect(1, 1, "nm");
    ASSERT_FALSE(name.isEmpty());
    EXPECT_TRUE(g.CellRect(1, 1).contains(name.center()));
    // The caption before it is the cell, not the control.
    ClickAt(QPoint(g.CellRect(1, 1).left() + 6, name.center().y()));
    EXPECT_FALSE(ctl->CtrlEditing());
    EXPECT_FALSE(ctl->EditControl()->isVisible());

    ClickAt(name.center());
    TControlEdit* edit = ctl->EditControl();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->geometry(), QRect(name.left() + 1, name.top() + 8, name.width() - 4, 14));
    EXPECT_EQ(edit->text(), "abc");
    EXPECT_EQ(ctl->CtrlXY(), QPoint(1, 1));
    EXPECT_EQ(ctl->CtrlID(), "nm");
    EXPECT_EQ(ctl->CtrlType(), "EDIT");

    // A click on the cell's other control finishes this one first.
    Type("Q");
    ClickAt(ctl->ControlRect(1, 1, "pw").center());
    EXPECT_EQ(Value(1, "nm"), "Q");
    EXPECT_EQ(done, QStringList({"1,1 nm EDIT Q"}));
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(ctl->CtrlID(), "pw");
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
}

TEST_F(CellControlDialog, EnterWritesTheTypedValueIntoTheMarkupOnce)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    ClickAt(ctl->ControlRect(1, 1, "nm").center());
    ctl->EditControl()->selectAll();
    // Quotes and brackets stay the value's, never the markup's.
    Type(QStringLiteral("a\"<b>&"));
    Key(Qt::Key_Return);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(Value(1, "nm"), "a\"<b>&");
    EXPECT_EQ(Value(1, "pw"), "");
    EXPECT_TRUE(g.Cells(1, 1).startsWith("Name <CONTROL"));
    EXPECT_EQ(done, QStringList({"1,1 nm EDIT a\"<b>&"}));
    EXPECT_FALSE(ctl->EditControl()->isVisible());
    EXPECT_TRUE(widget->hasFocus());
    EXPECT_TRUE(ctl->CtrlType().isEmpty());
    // A later exit without a new open writes nothing.
    ctl->ControlEditDone();
    EXPECT_EQ(done.size(), 1);
}

TEST_F(CellControlDialog, EscClosesWithTheCellAsItWas)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    const QString before = g.Cells(1, 1);
    ClickAt(ctl->ControlRect(1, 1, "nm").center());
    Type("xyz");
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, 1), before);
    EXPECT_TRUE(done.isEmpty());
    EXPECT_FALSE(ctl->CtrlEditing());
    EXPECT_TRUE(widget->hasFocus());
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(CellControlDialog, TabGoesThroughTheCellsControlsThenBackToTheGrid)
{
    ClickAt(ctl->ControlRect(1, 1, "nm").center());
    ctl->EditControl()->selectAll();
    Type("Joe");
    Key(Qt::Key_Tab);
    // The password control opens over its own rectangle, showing stars.
    TControlEdit* edit = ctl->EditControl();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(ctl->CtrlID(), "pw");
    const QRect pw = ctl->ControlRect(1, 1, "pw");
    EXPECT_EQ(edit->geometry().topLeft(), QPoint(pw.left() + 1, pw.top() + 8));
    Type("s3");
    EXPECT_EQ(edit->displayText(), "**");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Value(1, "nm"), "Joe");
    EXPECT_EQ(Value(1, "pw"), "s3");
    EXPECT_EQ(done, QStringList({"1,1 nm EDIT Joe", "1,1 pw PASSWORD s3"}));
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(widget->hasFocus());
}

TEST_F(CellControlDialog, LeavingForTheGridStoresAndAMaskHoldsOnlyForMaskControls)
{
    // A MASK control types through its PROP (literals not kept); an EDIT
    // control with the same PROP has no mask.
    ClickAt(ctl->ControlRect(1, 2, "d").center());
    EXPECT_FALSE(ctl->EditControl()->inputMask().isEmpty());
    Type("12x34");
    ClickAt(g.CellRect(2, 4).center());
    EXPECT_EQ(Value(2, "d"), "1234");
    EXPECT_FALSE(ctl->EditControl()->isVisible());

    ClickAt(ctl->ControlRect(1, 2, "e").center());
    EXPECT_TRUE(ctl->EditControl()->inputMask().isEmpty());
    Type("12x34");
    ClickAt(g.CellRect(2, 4).center());
    EXPECT_EQ(Value(2, "e"), "12x34");
    EXPECT_EQ(done.size(), 2);
}

TEST_F(CellControlDialog, AComboPickIsReportedAndWrittenBack)
{
    QStringList picks;
    ctl->OnControlComboList = [](TExStringGrid*, int row, int col, const QString& id, const QString& type,
                                 const QString& value, QStringList& values, bool&, int& dropCount) {
        EXPECT_EQ(QStringLiteral("%1,%2 %3 %4 %5").arg(col).arg(row).arg(id, type, value), "1,3 lv COMBO low");
        EXPECT_EQ(dropCount, 8);
        values = {"low", "mid", "high"};
    };
    ctl->OnControlComboSelect = [&](TExStringGrid*, int row, int col, int index, const QString& id,
                                    const QString& value) {
        picks << QStringLiteral("%1,%2 %3 %4 %5").arg(col).arg(row).arg(index).arg(id, value);
    };
    const QRect r = ctl->ControlRect(1, 3, "lv");
    ClickAt(r.center());
    TControlCombo* combo = ctl->ComboControl();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->geometry().topLeft(), QPoint(r.left() - 1, r.top() + 4));
    EXPECT_EQ(combo->currentIndex(), 0);
    ASSERT_TRUE(combo->view()->isVisible());
    // The list's own focus ends no edit.
    EXPECT_TRUE(ctl->CtrlEditing());

    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(picks, QStringList({"1,3 2 lv high"}));
    EXPECT_EQ(g.Cells(1, 3), kCombo);
    Key(Qt::Key_Return);
    EXPECT_EQ(Value(3, "lv"), "high");
    EXPECT_EQ(done, QStringList({"1,3 lv COMBO high"}));
}

TEST_F(CellControlDialog, AListWithoutTypingKeepsAValueThatIsNoItem)
{
    g.SetCells(1, 3, "Level <CONTROL TYPE=\"COMBO\" ID=\"lv\" VALUE=\"odd\" WIDTH=\"90\">");
    ctl->OnControlComboList = [](TExStringGrid*, int, int, const QString&, const QString&, const QString&,
                                 QStringList& values, bool& edit, int& dropCount) {
        values = {"low", "high"};
        edit = false;
        dropCount = 3;
    };
    ClickAt(ctl->ControlRect(1, 3, "lv").center());
    TControlCombo* combo = ctl->ComboControl();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->maxVisibleItems(), 3);
    EXPECT_EQ(combo->currentIndex(), -1);
    combo->hidePopup();
    Key(Qt::Key_Return);
    EXPECT_EQ(Value(3, "lv"), "odd");
    EXPECT_EQ(done, QStringList({"1,3 lv COMBO odd"}));
}

} // namespace
