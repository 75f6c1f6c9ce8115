// Navigation on one fixed shape with hidden, filtered, collapsed and uninitialised nodes.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

// A(a1 a2(a21 a22) a3) B(b1) C D(d1(d11)) L, with A and a2 and D expanded, a1 and C hidden, a2 filtered;
// L reports two children only when it is initialised.
class NavigationTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.OnInitNode = [this](TBaseLazyTree*, PLazyNode, PLazyNode node, TLazyNodeInitStates& states) {
            initialised.push_back(log.Name(node));
            if (log.Name(node) == "L")
                states.Include(ivsHasChildren);
        };
        tree.OnInitChildren = [this](TBaseLazyTree*, PLazyNode node, uint32_t& count) {
            childrenAsked.push_back(log.Name(node));
            count = 2;
        };
        BuildShape(tree, "A(a1 a2(a21 a22) a3) B(b1) C D(d1(d11)) L", log);
        tree.ToggleNode(N("A"));
        tree.ToggleNode(N("a2"));
        tree.ToggleNode(N("D"));
        tree.SetVisible(N("a1"), false);
        tree.SetVisible(N("C"), false);
        tree.SetFiltered(N("a2"), true);
        initialised.clear();
    }

    PLazyNode N(const std::string& name) { return Named(log, name); }

    template <class First, class Next>
    std::string Walk(First first, Next next)
    {
        std::string result;
        int guard = 0;
        for (PLazyNode n = first(); n && guard < 100; n = next(n), ++guard) {
            if (!log.names.count(n))
                log.names[n] = log.Name(n->Parent) + "." + std::to_string(n->Index);
            result += (result.empty() ? "" : " ") + log.Name(n);
        }
        return result;
    }

    std::string Range(TVTLazyNodeEnumeration e)
    {
        std::string result;
        for (PLazyNode n : e)
            result += (result.empty() ? "" : " ") + log.Name(n);
        return result;
    }

    void ChildrenAbove(bool on)
    {
        auto paint = tree.TreeOptions().PaintOptions();
        paint.Set(toChildrenAbove, on);
        tree.TreeOptions().SetPaintOptions(paint);
    }

    TestTree tree;
    EventLog log;
    std::vector<std::string> initialised;
    std::vector<std::string> childrenAsked;
};

} // namespace

TEST_F(NavigationTree, NoInitWalksFireNoInitEvent)
{
    struct Case {
        const char* walk;
        std::function<std::string()> run;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"all", [&] { return Walk([&] { return tree.GetFirstNoInit(); }, [&](PLazyNode n) { return tree.GetNextNoInit(n); }); },
            "A a1 a2 a21 a22 a3 B b1 C D d1 d11 L"},
        {"all backwards",
            [&] { return Walk([&] { return tree.GetLastNoInit(); }, [&](PLazyNode n) { return tree.GetPreviousNoInit(n); }); },
            "L d11 d1 D C b1 B a3 a22 a21 a2 a1 A"},
        {"visible",
            [&] {
                return Walk([&] { return tree.GetFirstVisibleNoInit(); },
                    [&](PLazyNode n) { return tree.GetNextVisibleNoInit(n); });
            },
            "A a21 a22 a3 B D d1 L"},
        {"visible backwards",
            [&] {
                return Walk([&] { return tree.GetLastVisibleNoInit(); },
                    [&](PLazyNode n) { return tree.GetPreviousVisibleNoInit(n); });
            },
            "L d1 D B a3 a22 a21 A"},
        {"visible children of A",
            [&] {
                return Walk([&] { return tree.GetFirstVisibleChildNoInit(N("A")); },
                    [&](PLazyNode n) { return tree.GetNextVisibleSiblingNoInit(n); });
            },
            "a3"},
        {"visible children of A with filtered",
            [&] {
                return Walk([&] { return tree.GetFirstVisibleChildNoInit(N("A"), true); },
                    [&](PLazyNode n) { return tree.GetNextVisibleSiblingNoInit(n, true); });
            },
            "a2 a3"},
        {"range", [&] { return Range(tree.VisibleNoInitNodes()); }, "A a21 a22 a3 B D d1 L"},
        {"range with filtered", [&] { return Range(tree.VisibleNoInitNodes(nullptr, true, true)); },
            "A a21 a22 a3 B D d1 L"},
        // Adding a child initialises the parent.
        {"initialized", [&] { return Range(tree.InitializedNodes()); }, "A a2 B D d1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.run(), c.expected) << c.walk;
    EXPECT_TRUE(initialised.empty());
    EXPECT_TRUE(childrenAsked.empty());
}

TEST_F(NavigationTree, InitWalksInitialiseEachNodeOnceAndCreateChildren)
{
    EXPECT_EQ(Walk([&] { return tree.GetFirst(); }, [&](PLazyNode n) { return tree.GetNext(n); }),
        "A a1 a2 a21 a22 a3 B b1 C D d1 d11 L L.0 L.1");
    std::vector<std::string> expected = {"a1", "a21", "a22", "a3", "b1", "C", "d11", "L", "L.0", "L.1"};
    // The children of L did not exist when they were initialised, so their names come from the walk.
    ASSERT_EQ(initialised.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(initialised.begin(), initialised.end() - 2),
        std::vector<std::string>(expected.begin(), expected.end() - 2));
    EXPECT_EQ(childrenAsked, (std::vector<std::string>{"L"}));
    initialised.clear();
    EXPECT_EQ(Walk([&] { return tree.GetFirst(); }, [&](PLazyNode n) { return tree.GetNext(n); }),
        "A a1 a2 a21 a22 a3 B b1 C D d1 d11 L L.0 L.1");
    EXPECT_TRUE(initialised.empty());
}

TEST_F(NavigationTree, Members)
{
    struct Case {
        const char* member;
        PLazyNode got;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"GetFirstChild(A)", tree.GetFirstChild(N("A")), "a1"},
        {"GetLastChild(A)", tree.GetLastChild(N("A")), "a3"},
        {"GetFirstVisibleChild(A)", tree.GetFirstVisibleChild(N("A")), "a3"},
        {"GetFirstVisibleChild(A, filtered)", tree.GetFirstVisibleChild(N("A"), true), "a2"},
        {"GetLastVisibleChild(B)", tree.GetLastVisibleChild(N("B")), "nil"},
        {"GetLastVisibleChild(A)", tree.GetLastVisibleChild(N("A")), "a3"},
        {"GetNextSibling(a1)", tree.GetNextSibling(N("a1")), "a2"},
        {"GetNextVisibleSibling(a1)", tree.GetNextVisibleSibling(N("a1")), "a3"},
        {"GetPreviousVisibleSibling(D)", tree.GetPreviousVisibleSibling(N("D")), "B"},
        {"GetVisibleParent(a21)", tree.GetVisibleParent(N("a21")), "A"},
        {"GetVisibleParent(a21, filtered)", tree.GetVisibleParent(N("a21"), true), "a2"},
        {"GetVisibleParent(A)", tree.GetVisibleParent(N("A")), "?"},
        {"GetNextVisible(b1) (collapsed)", tree.GetNextVisible(N("b1")), "D"},
        {"GetPreviousVisible(C) (hidden)", tree.GetPreviousVisible(N("C")), "L"},
        {"GetLastVisible(A)", tree.GetLastVisible(N("A")), "a3"},
        {"GetLastVisible(a2, filtered)", tree.GetLastVisible(N("a2"), true, true), "a22"},
        {"GetLastVisible(B)", tree.GetLastVisible(N("B")), "nil"},
        {"GetNextLevel(A, 1)", tree.GetNextLevel(N("A"), 1), "a1"},
        {"GetNextLevel(a3, 1)", tree.GetNextLevel(N("a3"), 1), "b1"},
        {"GetPreviousLevel(b1, 1)", tree.GetPreviousLevel(N("b1"), 1), "a3"},
        {"GetPreviousLevel(d11, 0)", tree.GetPreviousLevel(N("d11"), 0), "C"},
        {"GetFirstLevel(2)", tree.GetFirstLevel(2), "a21"},
        {"GetFirstLeaf", tree.GetFirstLeaf(), "a1"},
        {"GetNextLeaf(a3)", tree.GetNextLeaf(N("a3")), "b1"},
        {"GetPreviousLeaf(b1)", tree.GetPreviousLeaf(N("b1")), "a3"},
        {"GetFirstCutCopy", tree.GetFirstCutCopy(), "nil"},
        {"GetFirstSelected", tree.GetFirstSelected(), "nil"},
        {"GetFirstChecked(unchecked)", tree.GetFirstChecked(csUncheckedNormal), "A"},
        {"GetFirstChecked", tree.GetFirstChecked(), "nil"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got == tree.RootNode() ? "?" : log.Name(c.got), c.expected) << c.member;
    EXPECT_EQ(tree.AbsoluteIndex(N("A")), 0u);
    EXPECT_EQ(tree.AbsoluteIndex(N("a1")), 1u);
    EXPECT_EQ(tree.AbsoluteIndex(N("a21")), 3u);
    EXPECT_EQ(tree.AbsoluteIndex(N("D")), 9u);
    // The level walk steps into L, which creates its children.
    EXPECT_EQ(Range(tree.LevelNodes(1)), "a1 a2 a3 b1 d1 ? ?");
    EXPECT_EQ(Range(tree.ChildNodes(N("A"))), "a1 a2 a3");
    EXPECT_EQ(Range(tree.VisibleChildNodes(N("A"))), "a3");
}

TEST_F(NavigationTree, ChildrenAboveOrder)
{
    ChildrenAbove(true);
    EXPECT_EQ(Walk([&] { return tree.GetFirstNoInit(true); }, [&](PLazyNode n) { return tree.GetNextNoInit(n, true); }),
        "a1 a21 a22 a2 a3 A b1 B C d11 d1 D L");
    EXPECT_EQ(Walk([&] { return tree.GetFirstNoInit(false); }, [&](PLazyNode n) { return tree.GetNextNoInit(n, false); }),
        "A a1 a2 a21 a22 a3 B b1 C D d1 d11 L");
    EXPECT_EQ(Walk([&] { return tree.GetFirstVisibleNoInit(); }, [&](PLazyNode n) { return tree.GetNextVisibleNoInit(n); }),
        "a21 a22 a3 A B d1 D L");
    EXPECT_EQ(Walk([&] { return tree.GetLastVisibleNoInit(); },
                  [&](PLazyNode n) { return tree.GetPreviousVisibleNoInit(n); }),
        "L D d1 B A a3 a22 a21");
    EXPECT_EQ(Walk([&] { return tree.GetLastNoInit(nullptr, true); },
                  [&](PLazyNode n) { return tree.GetPreviousNoInit(n, true); }),
        "L D d1 d11 C B b1 A a3 a2 a22 a21 a1");
    EXPECT_TRUE(initialised.empty());
    EXPECT_EQ(tree.GetLastVisible(N("A")), N("a3"));
    EXPECT_EQ(initialised, (std::vector<std::string>{"a3"}));
}

TEST(Navigation, ChildrenComeBeforeTheirParentOnlyWhenAsked)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "A(a1 a2) B", log);
    auto paint = tree.TreeOptions().PaintOptions();
    paint.Include(toChildrenAbove);
    tree.TreeOptions().SetPaintOptions(paint);
    const auto walk = [&](bool ca) {
        std::string result;
        for (PLazyNode n : tree.Nodes(ca))
            result += (result.empty() ? "" : " ") + log.Name(n);
        return result;
    };
    EXPECT_EQ(walk(true), "a1 a2 A B");
    EXPECT_EQ(walk(false), "A a1 a2 B");
}

TEST(Navigation, EmptyTreeAndTheRoot)
{
    TestTree tree;
    EXPECT_EQ(tree.GetFirst(), nullptr);
    EXPECT_EQ(tree.GetFirstNoInit(true), nullptr);
    EXPECT_EQ(tree.GetLast(), nullptr);
    EXPECT_EQ(tree.GetFirstVisible(), nullptr);
    EXPECT_EQ(tree.GetLastVisible(), nullptr);
    EXPECT_EQ(tree.GetFirstLeaf(), nullptr);
    EXPECT_EQ(tree.GetFirstLevel(0), nullptr);
    EXPECT_EQ(tree.GetNext(nullptr), nullptr);
    EXPECT_EQ(tree.GetPreviousVisible(nullptr), nullptr);
    EXPECT_EQ(tree.GetNextSibling(nullptr), nullptr);
    for (PLazyNode n : tree.VisibleNodes())
        ADD_FAILURE() << n;
    const auto expectRootAssertion = [](auto call) {
        try {
            call();
            ADD_FAILURE() << "no assertion";
        } catch (const ETreeAssertion& e) {
            EXPECT_STREQ(e.what(), "Node must not be the hidden root node.");
        }
    };
    PLazyNode root = tree.RootNode();
    expectRootAssertion([&] { tree.GetNext(root); });
    expectRootAssertion([&] { tree.GetPreviousNoInit(root); });
    expectRootAssertion([&] { tree.GetNextVisible(root); });
    expectRootAssertion([&] { tree.GetPreviousSibling(root); });
}

TEST(Navigation, FilteredNodesAreSkippedByTheVisibleRange)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "f1 f2 f3 n1 f4 n2", log);
    for (const char* name : {"f1", "f2", "f3", "f4"})
        tree.SetFiltered(Named(log, name), true);
    std::string names;
    for (PLazyNode n : tree.VisibleNodes())
        names += log.Name(n) + " ";
    EXPECT_EQ(names, "n1 n2 ");
    EXPECT_EQ(tree.GetLastVisible(nullptr, true, true), Named(log, "n2"));
    tree.SetFiltered(Named(log, "n2"), true);
    EXPECT_EQ(tree.GetLastVisible(nullptr, true, false), Named(log, "n1"));
    EXPECT_EQ(tree.GetLastVisible(nullptr, true, true), Named(log, "n2"));
}
