// The string tree's text half: where a cell's text comes from, Path, the cached widths, the incremental
// search compare and the selection memory.

#include "controls/tree/core/tree_errors.h"
#include "controls/tree/widget/string_tree.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace lazytree;

namespace {

// A tree whose nodes carry their text as typed data; OnGetText answers it (static text "s:" + text).
struct TextTree {
    std::vector<std::unique_ptr<QString>> texts; // outlives the tree, whose teardown may still ask for texts
    TLazyStringTree tree;
    int getTextCalls = 0;
    explicit TextTree(bool answerTexts = true)
    {
        tree.SetNodeDataSize(sizeof(QString*));
        if (answerTexts)
            tree.OnGetText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType type, QString& text) {
                ++getTextCalls;
                const QString own = **tree.GetNodeData<QString*>(node);
                text = type == ttNormal ? own : QStringLiteral("s:") + own;
            };
        tree.resize(300, 200);
    }
    PLazyNode Add(PLazyNode parent, const QString& text)
    {
        texts.push_back(std::make_unique<QString>(text));
        return tree.AddChild(parent, texts.back().get()); // the data is in place before the text is asked
    }
    void Show()
    {
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.viewport()->grab();
    }
};

QImage Render(TLazyTreeControl& tree)
{
    QImage image(tree.viewport()->size(), QImage::Format_RGB32);
    tree.viewport()->render(&image);
    return image;
}

TEST(StringTree, CellAndStaticTextComeFromTheEventsInTurn)
{
    enum Events { None, GetText, Both };
    struct Case {
        Events events;
        QString defaultText;
        QString cell;
        QString staticText;
        int getTextCalls;
    };
    const Case cases[] = {
        {None, {}, "Node", "", 0},
        {None, "Item", "Item", "", 0},
        {GetText, {}, "alpha", "s:alpha", 2}, // once for the cell, once for the static text
        {Both, {}, "cell:alpha", "static", 0}, // OnGetCellText alone answers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell.toStdString());
        TextTree t(c.events != None);
        if (!c.defaultText.isEmpty())
            t.tree.SetDefaultText(c.defaultText);
        if (c.events == Both)
            t.tree.OnGetCellText = [&t](TCustomLazyStringTree*, TVSTGetCellTextEventArgs& e) {
                e.CellText = QStringLiteral("cell:") + **t.tree.GetNodeData<QString*>(e.Node);
                e.StaticText = QStringLiteral("static");
            };
        PLazyNode node = t.Add(nullptr, "alpha");
        t.getTextCalls = 0;
        EXPECT_EQ(t.tree.Text(node), c.cell);
        EXPECT_EQ(t.tree.StaticText(node), c.staticText);
        EXPECT_EQ(t.getTextCalls, c.getTextCalls * 2);
    }
    TLazyStringTree tree;
    EXPECT_THROW(tree.Text(nullptr), ETreeAssertion);
    EXPECT_THROW(tree.StaticText(nullptr), ETreeAssertion);
}

TEST(StringTree, WithoutTextEventsEveryRowPaintsNode)
{
    // The same tree answering "Node" itself paints the same pixels; a different text paints others.
    auto paint = [](std::function<void(TLazyStringTree&)> setUp) {
        TLazyStringTree tree;
        tree.resize(200, 100);
        tree.SetRootNodeCount(3);
        setUp(tree);
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
        return Render(tree);
    };
    const QImage none = paint([](TLazyStringTree&) {});
    const QImage answered = paint([](TLazyStringTree& tree) {
        tree.OnGetText = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TVSTTextType type, QString& text) {
            text = type == ttNormal ? QStringLiteral("Node") : QString();
        };
    });
    const QImage other = paint([](TLazyStringTree& tree) {
        tree.OnGetText = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TVSTTextType, QString& text) {
            text = QStringLiteral("Nope");
        };
    });
    EXPECT_EQ(none, answered);
    EXPECT_NE(none, other);
}

TEST(StringTree, PathJoinsTheTextsFromTheTopLevelDown)
{
    TextTree t;
    PLazyNode a = t.Add(nullptr, "A");
    PLazyNode b = t.Add(a, "b");
    PLazyNode c = t.Add(b, "c");
    const std::pair<PLazyNode, QString> cases[] = {
        {nullptr, "/"}, {t.tree.RootNode(), "/"}, {a, "A/"}, {b, "A/b/"}, {c, "A/b/c/"}};
    for (const auto& [node, path] : cases)
        EXPECT_EQ(t.tree.Path(node, NoColumn, "/"), path) << path.toStdString();
    EXPECT_EQ(t.tree.Path(c, NoColumn, QString()), "Abc");
}

TEST(StringTree, AWideTextIsNeverShortenedWithoutColumns)
{
    TextTree t;
    t.Add(nullptr, QString(200, QChar('W')));
    QString drawn;
    t.tree.OnDrawText = [&](TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, const QString& text, TRect,
                            bool&) { drawn = text; };
    t.Show();
    EXPECT_EQ(drawn, QString(200, QChar('W')));
    EXPECT_GT(static_cast<int>(t.tree.RangeX()), t.tree.viewport()->width());
}

TEST(StringTree, AFontChangeResetsTheCachedWidthsAndTheRangeFollows)
{
    TextTree t;
    PLazyNode top = t.Add(nullptr, "a fairly long text");
    PLazyNode child = t.Add(top, "child");
    t.tree.SetExpanded(top, true);
    QFont small = QApplication::font();
    small.setPixelSize(10);
    t.tree.setFont(small);
    t.Show();
    const int measured = *t.tree.CachedWidthSlot(top);
    EXPECT_EQ(measured, 2 * t.tree.TextMargin() + QFontMetrics(small).horizontalAdvance("a fairly long text"));
    EXPECT_NE(*t.tree.CachedWidthSlot(child), 0);
    const uint32_t rangeBefore = t.tree.RangeX();

    QFont large = small;
    large.setPixelSize(30);
    t.tree.setFont(large);
    EXPECT_EQ(*t.tree.CachedWidthSlot(top), 0);
    EXPECT_EQ(*t.tree.CachedWidthSlot(child), 0);
    t.tree.viewport()->grab();
    EXPECT_EQ(*t.tree.CachedWidthSlot(top),
        2 * t.tree.TextMargin() + QFontMetrics(large).horizontalAdvance("a fairly long text"));
    // The next range computation (a resize here) measures in the new font.
    t.tree.resize(t.tree.width() + 1, t.tree.height());
    EXPECT_GT(t.tree.RangeX(), rangeBefore);
    EXPECT_GE(t.tree.RangeX(), static_cast<uint32_t>(t.tree.Indent() + *t.tree.CachedWidthSlot(top)));
    EXPECT_EQ(t.tree.CachedWidthSlot(t.tree.RootNode()), nullptr);
}

TEST(StringTree, IncrementalSearchMatchesTheStartOfTheTextCaseSensitively)
{
    struct Case {
        const char* typed;
        const char* found; // nullptr: the focus stays on the first node
    };
    const Case cases[] = {{"b", "beta"}, {"B", "Beta"}, {"Be", "Beta"}, {"g", "gamma"}, {"et", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TextTree t;
        for (const char* s : {"alpha", "Beta", "beta", "gamma"})
            t.Add(nullptr, s);
        t.tree.SetIncrementalSearch(isAll);
        t.Show();
        t.tree.setFocus();
        t.tree.SetFocusedNode(t.tree.GetFirst());
        QTest::keyClicks(&t.tree, c.typed);
        ASSERT_NE(t.tree.FocusedNode(), nullptr);
        EXPECT_EQ(t.tree.Text(t.tree.FocusedNode()), c.found ? QString(c.found) : QStringLiteral("alpha"));
    }
}

TEST(StringTree, RestoreSelectionReselectsNodesWithTheSameTextsAfterAClear)
{
    TextTree t;
    t.tree.TreeOptions().SetSelectionOptions({toMultiSelect, toRestoreSelection});
    auto fill = [&](std::initializer_list<const char*> names) {
        std::map<QString, PLazyNode> nodes;
        for (const char* s : names)
            nodes[s] = t.Add(nullptr, s);
        return nodes;
    };
    auto nodes = fill({"one", "two", "three", "four"});
    t.Show();
    t.tree.SetSelected(nodes["one"], true);
    t.tree.SetSelected(nodes["three"], true);
    t.tree.SetSelected(nodes["four"], true);
    t.tree.SetSelected(nodes["four"], false); // leaves the memory

    t.tree.Clear();
    nodes = fill({"ONE", "two", "three", "four"}); // the memory ignores case
    std::vector<bool> selected;
    for (const char* s : {"ONE", "two", "three", "four"})
        selected.push_back(t.tree.GetSelected(nodes[s]));
    EXPECT_EQ(selected, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(t.tree.SelectedCount(), 2u);

    // A single new selection starts the memory afresh.
    t.tree.ClearSelection();
    t.tree.SetSelected(nodes["two"], true);
    t.tree.Clear();
    nodes = fill({"one", "two"});
    EXPECT_FALSE(t.tree.GetSelected(nodes["one"]));
    EXPECT_TRUE(t.tree.GetSelected(nodes["two"]));
}

TEST(StringTree, WithoutRestoreSelectionAClearForgetsTheSelection)
{
    TextTree t;
    t.tree.TreeOptions().SetSelectionOptions({toMultiSelect});
    PLazyNode one = t.Add(nullptr, "one");
    t.tree.SetSelected(one, true);
    t.tree.Clear();
    EXPECT_FALSE(t.tree.GetSelected(t.Add(nullptr, "one")));
}

} // namespace

namespace {

TEST(StringTree, TabLeavesTheTreeUnlessItWantsTabs)
{
    for (bool wantTabs : {false, true}) {
        SCOPED_TRACE(wantTabs);
        QWidget window;
        auto* tree = new TLazyStringTree(&window);
        auto* next = new QWidget(&window);
        next->setFocusPolicy(Qt::StrongFocus);
        next->move(0, 120);
        tree->SetRootNodeCount(3);
        tree->SetWantTabs(wantTabs);
        int tabs = 0;
        tree->OnKeyAction = [&](TBaseLazyTree*, int& key, TShiftState&, bool&) { tabs += key == VK_TAB; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        tree->setFocus();
        ASSERT_TRUE(tree->hasFocus());
        QTest::keyClick(tree, Qt::Key_Tab);
        EXPECT_EQ(tree->hasFocus(), wantTabs);
        EXPECT_EQ(next->hasFocus(), !wantTabs);
        EXPECT_EQ(tabs, wantTabs ? 1 : 0);
    }
}

} // namespace
