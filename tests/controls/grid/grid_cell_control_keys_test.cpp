// The keyboard on cells whose mini-HTML holds in-text controls, in a dialog
// with a default button: Enter and F2 open the first edited control over its
// rectangle, Tab goes on to the next, Esc leaves the markup byte for byte,
// a commit writes the value once; typing never opens the text editor over
// the markup; cells without controls keep their text editor.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/html/mini_html_markup.h"
#include "controls/grid/widget/cell_control_editing.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_edit.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <utility>

using namespace grid;

namespace {

// A check box first: the keyboard passes over it to the edited controls.
const char* const kFields = "<CONTROL TYPE=\"CHECK\" ID=\"on\" VALUE=\"TRUE\" WIDTH=\"16\"> "
                            "Name <CONTROL TYPE=\"EDIT\" ID=\"nm\" VALUE=\"a&amp;b\" WIDTH=\"70\"> "
                            "Key <CONTROL TYPE=\"PASSWORD\" ID=\"pw\" VALUE=\"\" WIDTH=\"60\">";
// The first edited control has no WIDTH: it takes no room and cannot open.
const char* const kHidden = "<CONTROL TYPE=\"EDIT\" ID=\"gone\" VALUE=\"x\"> "
                            "Level <control type=\"combo\" id=\"lv\" value=\"low\" width=\"90\">";
const char* const kPlain = "plain text";

enum Row { rFields = 1, rHidden = 2, rPlain = 3, rLast = 4 };

class CellControlKeys : public ::testing::Test
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
        g.SetCells(1, rFields, kFields);
        g.SetCells(1, rHidden, kHidden);
        g.SetCells(1, rPlain, kPlain);
        g.SetCells(1, rLast, kFields);

        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        layout->addWidget(buttons);
        ok = buttons->button(QDialogButtonBox::Ok);
        ok->setDefault(true);
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
        ctl->OnControlComboList = [](TExStringGrid*, int, int, const QString&, const QString&, const QString&,
                                     QStringList& values, bool&, int&) { values = {"low", "mid", "high"}; };
    }

    void At(int col, int row) { g.MoveColRow(col, row, true, true); }
    QString Value(int row, const char* id)
    {
        QString v;
        EXPECT_TRUE(html::GetHtmlControlValue(g.Cells(1, row), QString::fromLatin1(id), v));
        return v;
    }
    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    bool TextEditorOpen() const
    {
        const TInplaceEdit* edit = widget->Editors()->MadeLineEdit();
        return g.EditorMode() || (edit != nullptr && edit->isVisible());
    }

    TExStringGrid g;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    QPushButton* ok = nullptr;
    TCellControlEditing* ctl = nullptr;
    QStringList done;
};

TEST_F(CellControlKeys, EnterAndF2OpenTheFirstEditedControlOverItsRectangle)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "keypad Enter"}, {Qt::Key_F2, "F2"}};
    for (const auto& [key, name] : keys) {
        SCOPED_TRACE(name);
        At(1, rFields);
        ASSERT_TRUE(widget->hasFocus());
        Key(key);
        TControlEdit* edit = ctl->EditControl();
        ASSERT_TRUE(ctl->CtrlEditing());
        EXPECT_EQ(ctl->CtrlID(), "nm");
        EXPECT_EQ(ctl->CtrlXY(), QPoint(1, rFields));
        EXPECT_TRUE(edit->hasFocus());
        const QRect r = ctl->ControlRect(1, rFields, "nm");
        EXPECT_EQ(edit->geometry(), QRect(r.left() + 1, r.top() + 8, r.width() - 4, 14));
        EXPECT_EQ(edit->text(), "a&b");
        EXPECT_FALSE(TextEditorOpen());
        Key(Qt::Key_Escape);
        EXPECT_FALSE(ctl->CtrlEditing());
        EXPECT_TRUE(widget->hasFocus());
    }
    // Neither the grid's Enter nor the control's reached the default button.
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(done.isEmpty());
}

TEST_F(CellControlKeys, AControlThatCannotOpenIsPassedOver)
{
    At(1, rHidden);
    Key(Qt::Key_F2);
    ASSERT_TRUE(ctl->CtrlEditing());
    EXPECT_EQ(ctl->CtrlID(), "lv");
    TControlCombo* combo = ctl->ComboControl();
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(combo->view()->isVisible());
    // The list's Esc closes the list, the control's Esc the control.
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_TRUE(ctl->CtrlEditing());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(ctl->CtrlEditing());
    EXPECT_EQ(g.Cells(1, rHidden), kHidden);
}

TEST_F(CellControlKeys, EscLeavesTheMarkupByteIdentical)
{
    At(1, rFields);
    Key(Qt::Key_Return);
    Type("changed");
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, rFields), kFields);
    // From the next control too, after Tab stored the first one.
    Key(Qt::Key_F2);
    Key(Qt::Key_Tab);
    ASSERT_EQ(ctl->CtrlID(), "pw");
    const QString stored = g.Cells(1, rFields);
    Type("secret");
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, rFields), stored);
    EXPECT_EQ(Value(rFields, "pw"), "");
    EXPECT_EQ(done, QStringList({"1,1 nm EDIT a&b"}));
    // The combo, its value not changed by opening the list.
    At(1, rHidden);
    Key(Qt::Key_Return);
    ASSERT_EQ(ctl->CtrlID(), "lv");
    QTest::keyClick(ctl->ComboControl()->view(), Qt::Key_Escape);
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, rHidden), kHidden);
    EXPECT_EQ(done.size(), 1);
}

TEST_F(CellControlKeys, TabGoesToTheNextControlAndEachCommitWritesOnce)
{
    At(1, rFields);
    Key(Qt::Key_Return);
    ctl->EditControl()->selectAll();
    Type("Joe");
    Key(Qt::Key_Tab);
    ASSERT_TRUE(ctl->CtrlEditing());
    EXPECT_EQ(ctl->CtrlID(), "pw");
    EXPECT_EQ(ctl->EditControl()->echoMode(), QLineEdit::Password);
    const QRect pw = ctl->ControlRect(1, rFields, "pw");
    EXPECT_EQ(ctl->EditControl()->geometry().topLeft(), QPoint(pw.left() + 1, pw.top() + 8));
    Type("s3");
    Key(Qt::Key_Return);
    EXPECT_EQ(done, QStringList({"1,1 nm EDIT Joe", "1,1 pw PASSWORD s3"}));
    EXPECT_EQ(Value(rFields, "nm"), "Joe");
    EXPECT_EQ(Value(rFields, "pw"), "s3");
    EXPECT_EQ(Value(rFields, "on"), "TRUE");
    EXPECT_TRUE(g.Cells(1, rFields).startsWith("<CONTROL TYPE=\"CHECK\""));
    EXPECT_TRUE(widget->hasFocus());
    // The current cell stays; closing the grid's focus writes nothing more.
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), rFields);
    ok->setFocus();
    ctl->ControlEditDone();
    EXPECT_EQ(done.size(), 2);
    // Opened again, the control shows what was stored.
    widget->setFocus();
    Key(Qt::Key_F2);
    EXPECT_EQ(ctl->EditControl()->text(), "Joe");
    // Tab in the last control goes back to the grid.
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(ctl->CtrlEditing());
    EXPECT_TRUE(widget->hasFocus());
    EXPECT_EQ(done.size(), 4);
    EXPECT_EQ(Value(rFields, "nm"), "Joe");
    EXPECT_EQ(Value(rFields, "pw"), "s3");
}

TEST_F(CellControlKeys, AComboOpenedByKeyStoresThePickedItem)
{
    At(1, rHidden);
    Key(Qt::Key_Return);
    TControlCombo* combo = ctl->ComboControl();
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(g.Cells(1, rHidden), kHidden);
    Key(Qt::Key_Return);
    EXPECT_EQ(Value(rHidden, "lv"), "mid");
    EXPECT_EQ(Value(rHidden, "gone"), "x");
    EXPECT_EQ(done, QStringList({"1,2 lv COMBO mid"}));
}

TEST_F(CellControlKeys, TypingOrAGridThatMayNotChangeOpensNothing)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    At(1, rFields);
    // A typed character neither opens the text editor over the markup nor
    // reaches the cell.
    Type("x ");
    EXPECT_FALSE(TextEditorOpen());
    EXPECT_FALSE(ctl->CtrlEditing());
    EXPECT_EQ(g.Cells(1, rFields), kFields);

    struct Case
    {
        const char* name;
        std::function<void()> set;
    };
    const Case cases[] = {
        {"grid not editing", [&] {
             TGridOptions o = g.Options();
             o.Exclude(goEditing);
             g.SetOptions(o);
         }},
        {"cell refused", [&] {
             g.OnCanEditCell = [](TExStringGrid*, int row, int, bool& canEdit) { canEdit = row != rFields; };
         }},
        {"read-only cell", [&] { g.SetReadOnly(1, rFields, true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.set();
        At(1, rFields);
        widget->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2})
            Key(key);
        EXPECT_FALSE(ctl->CtrlEditing());
        EXPECT_FALSE(TextEditorOpen());
        EXPECT_TRUE(widget->hasFocus());
        EXPECT_EQ(g.Cells(1, rFields), kFields);
        // Undo the case.
        TGridOptions o = g.Options();
        o.Include(goEditing);
        g.SetOptions(o);
        g.OnCanEditCell = nullptr;
        g.SetReadOnly(1, rFields, false);
    }
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(CellControlKeys, ACellWithoutControlsKeepsItsTextEditor)
{
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Return, "Return"}, {Qt::Key_F2, "F2"}};
    for (const auto& [key, name] : keys) {
        SCOPED_TRACE(name);
        At(1, rPlain);
        widget->setFocus();
        Key(key);
        EXPECT_TRUE(TextEditorOpen());
        EXPECT_FALSE(ctl->CtrlEditing());
        Key(Qt::Key_Escape);
    }
    // With mini-HTML off the markup is plain text, edited as such.
    g.EnableHTML = false;
    At(1, rFields);
    widget->setFocus();
    Key(Qt::Key_F2);
    EXPECT_FALSE(ctl->CtrlEditing());
    ASSERT_TRUE(TextEditorOpen());
    EXPECT_EQ(widget->Editors()->MadeLineEdit()->text(), kFields);
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, rFields), kFields);
}

TEST_F(CellControlKeys, ATabAdvanceOntoControlsOpensTheFirstOne)
{
    TGridOptions o = g.Options();
    o.Include(goTabs);
    g.SetOptions(o);
    g.Navigation.AdvanceAutoEdit = true;
    At(2, rPlain);
    widget->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), rLast);
    ASSERT_TRUE(ctl->CtrlEditing());
    EXPECT_EQ(ctl->CtrlXY(), QPoint(1, rLast));
    EXPECT_EQ(ctl->CtrlID(), "nm");
    EXPECT_FALSE(TextEditorOpen());
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, rLast), kFields);
}

} // namespace
