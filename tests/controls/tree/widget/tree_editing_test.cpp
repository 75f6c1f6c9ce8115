// In-place editing of a shown string tree driven by keys (F2, Enter, Escape, Tab, typing, focus loss),
// and the setup of a root node count on a read-only tree.

#include "controls/tree/widget/string_edit_link.h"
#include "controls/tree/widget/string_tree.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <map>

using namespace lazytree;

namespace {

struct EditTree {
    TLazyStringTree tree;
    std::map<PLazyNode, QString> texts;
    QStringList newTexts;
    PLazyNode a, b, c;
    EditTree()
    {
        auto misc = tree.TreeOptions().MiscOptions();
        misc.Include(toEditable);
        tree.TreeOptions().SetMiscOptions(misc);
        tree.OnGetText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType type, QString& text) {
            if (type == ttNormal)
                text = texts[node];
        };
        tree.OnNewText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex, const QString& text) {
            texts[node] = text;
            newTexts << text;
        };
        a = Add(QStringLiteral("alpha"));
        b = Add(QStringLiteral("beta"));
        c = Add(QStringLiteral("gamma"));
        tree.resize(300, 200);
        tree.show();
        tree.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.setFocus();
        tree.SetFocusedNode(a);
    }
    PLazyNode Add(const QString& text)
    {
        PLazyNode n = tree.AddChild(nullptr);
        texts[n] = text;
        return n;
    }
    QLineEdit* Editor()
    {
        auto link = std::dynamic_pointer_cast<TStringEditLink>(tree.EditLink());
        return link ? qobject_cast<QLineEdit*>(link->Editor()) : nullptr;
    }
};

} // namespace

TEST(TreeEditing, F2OpensAnEditorOverTheCellAndEnterWithoutChangeWritesNothing)
{
    EditTree t;
    QTest::keyClick(&t.tree, Qt::Key_F2);
    ASSERT_TRUE(t.tree.IsEditing());
    QLineEdit* edit = t.Editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("alpha"));
    const TRect label = t.tree.GetDisplayRect(t.a, NoColumn, true);
    EXPECT_EQ(edit->geometry().top(), label.Top);
    EXPECT_LE(edit->geometry().left(), label.Left + 1);
    EXPECT_GE(edit->geometry().width(), 30);

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(t.tree.IsEditing());
    EXPECT_TRUE(t.newTexts.isEmpty());
    EXPECT_FALSE(edit->isVisible());
}

TEST(TreeEditing, TypedTextIsWrittenOnEnterAndRestoredOnEscape)
{
    EditTree t;
    QTest::keyClick(&t.tree, Qt::Key_F2);
    QLineEdit* edit = t.Editor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("zeta"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(t.tree.IsEditing());
    EXPECT_TRUE(t.newTexts.isEmpty());
    EXPECT_EQ(t.tree.Text(t.a), QStringLiteral("alpha"));

    QTest::keyClick(&t.tree, Qt::Key_F2);
    edit = t.Editor();
    ASSERT_NE(edit, nullptr);
    const int before = edit->width();
    QTest::keyClicks(edit, QStringLiteral("a much longer text than before"));
    QCoreApplication::sendPostedEvents(); // the queued fit to the text
    EXPECT_GT(edit->width(), before);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(t.newTexts, QStringList({"a much longer text than before"}));
    EXPECT_EQ(t.tree.Text(t.a), QStringLiteral("a much longer text than before"));
}

TEST(TreeEditing, TabMovesTheEditorToTheNextNode)
{
    EditTree t;
    QTest::keyClick(&t.tree, Qt::Key_F2);
    QTest::keyClicks(t.Editor(), QStringLiteral("A2"));
    QTest::keyClick(t.Editor(), Qt::Key_Tab);
    EXPECT_EQ(t.newTexts, QStringList({"A2"}));
    ASSERT_TRUE(t.tree.IsEditing());
    EXPECT_EQ(t.tree.FocusedNode(), t.b);
    EXPECT_EQ(t.Editor()->text(), QStringLiteral("beta"));
    QTest::keyClick(t.Editor(), Qt::Key_Tab);
    QTest::keyClick(t.Editor(), Qt::Key_Tab); // past the last node editing simply ends
    EXPECT_FALSE(t.tree.IsEditing());
    EXPECT_EQ(t.tree.FocusedNode(), t.c);
    EXPECT_EQ(t.newTexts, QStringList({"A2"}));
}

TEST(TreeEditing, LeavingTheEditorAcceptsOrCancelsByOption)
{
    for (bool autoAccept : {true, false}) {
        EditTree t;
        t.tree.SetStringOptions(autoAccept ? TVTStringOptions{toAutoAcceptEditChange} : TVTStringOptions{});
        QTest::keyClick(&t.tree, Qt::Key_F2);
        ASSERT_NE(t.Editor(), nullptr);
        QTest::keyClicks(t.Editor(), QStringLiteral("X"));
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(t.Editor(), &out);
        EXPECT_FALSE(t.tree.IsEditing());
        EXPECT_EQ(t.newTexts, autoAccept ? QStringList({"X"}) : QStringList()) << autoAccept;
        EXPECT_EQ(t.tree.Text(t.a), autoAccept ? QStringLiteral("X") : QStringLiteral("alpha"));
    }
}

TEST(TreeSetup, RootNodeCountOnAReadOnlyTreeAppliesAndStaysReadOnly)
{
    TLazyStringTree tree;
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    tree.TreeOptions().SetMiscOptions(misc);
    tree.SetRootNodeCount(5); // refused while read-only
    EXPECT_EQ(tree.RootNodeCount(), 0u);
    tree.SetupRootNodeCount(5);
    EXPECT_EQ(tree.RootNodeCount(), 0u); // waits for the first show
    tree.show();
    EXPECT_EQ(tree.RootNodeCount(), 5u);
    EXPECT_TRUE(tree.TreeOptions().MiscOptions().Has(toReadOnly));
    EXPECT_FALSE(tree.TreeStates().Has(tsNeedRootCountUpdate));
    tree.SetupRootNodeCount(2); // after the show at once
    EXPECT_EQ(tree.RootNodeCount(), 2u);
    EXPECT_TRUE(tree.TreeOptions().MiscOptions().Has(toReadOnly));
}

TEST(TreeHints, TooltipsShowOnlyForCutTexts)
{
    EditTree t;
    t.tree.SetHintMode(hmTooltip);
    t.texts[t.b] = QStringLiteral("a text far too long to fit into the narrow client area of this tree view");
    t.tree.ClearCachedWidths(t.b, false); // the text changed after it was measured
    t.tree.resize(160, 120);
    t.tree.activateWindow();
    t.tree.setFocus();
    const auto tipAt = [&](PLazyNode node) {
        QToolTip::hideText();
        const TRect r = t.tree.GetDisplayRect(node, NoColumn, true);
        const QPoint p(r.Left + 3, (r.Top + r.Bottom) / 2);
        QHelpEvent help(QEvent::ToolTip, p, t.tree.viewport()->mapToGlobal(p));
        QApplication::sendEvent(t.tree.viewport(), &help);
        // The decision is the tree's; the tip itself may still be fading in.
        return t.tree.TreeStates().Has(tsHint) ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(t.b), t.texts[t.b]);
    EXPECT_EQ(tipAt(t.a), QString()); // "alpha" fits
    QToolTip::hideText();
}
