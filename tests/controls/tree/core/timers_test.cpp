// Delayed notifications, timers, tree state changes, long operations and the animation steps on a fake
// clock.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

class ClockedTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock.SetTree(&tree);
        tree.SetView(&view);
        tree.SetClock(&clock);
        BuildShape(tree, "a b c", log);
        auto selection = tree.TreeOptions().SelectionOptions();
        selection.Include(toMultiSelect);
        tree.TreeOptions().SetSelectionOptions(selection);
        tree.OnChange = [this](TBaseLazyTree*, PLazyNode node) { log.Add("Change(" + log.Name(node) + ")"); };
        tree.OnStructureChange = [this](TBaseLazyTree*, PLazyNode node, TChangeReason reason) {
            log.Add(std::string("Structure(") + log.Name(node) + "," + ReasonName(reason) + ")");
        };
        log.Clear();
    }
    PLazyNode N(const char* name) { return Named(log, name); }

    TestTree tree;
    FakeView view;
    FakeClock clock;
    EventLog log;
};

} // namespace

TEST_F(ClockedTree, WithoutDelayChangesAreReportedAtOnceOrAtTheEndOfABracket)
{
    tree.SetSelected(N("a"), true);
    EXPECT_EQ(log.Joined(), "Change(a)");
    log.Clear();
    tree.BeginUpdate();
    tree.SetSelected(N("b"), true);
    tree.SetSelected(N("c"), true);
    EXPECT_EQ(log.Joined(), "");
    EXPECT_TRUE(tree.TreeStates().Has(tsChangePending));
    tree.EndUpdate();
    EXPECT_EQ(log.Joined(), "Change(c)");
}

TEST_F(ClockedTree, ABurstGivesOneChangeForTheLastNode)
{
    tree.SetChangeDelay(100);
    tree.SetSelected(N("a"), true);
    clock.Advance(50);
    tree.SetSelected(N("b"), true);
    clock.Advance(50);
    tree.SetSelected(N("c"), true);
    clock.Advance(99);
    EXPECT_EQ(log.Joined(), "");
    clock.Advance(1);
    EXPECT_EQ(log.Joined(), "Change(c)");
    EXPECT_FALSE(tree.TreeStates().Has(tsChangePending));
    clock.Advance(1000);
    EXPECT_EQ(log.Joined(), "Change(c)");
}

TEST_F(ClockedTree, MixedStructureChangesAccumulate)
{
    tree.SetChangeDelay(200);
    PLazyNode added = tree.AddChild(N("a"));
    clock.Advance(100);
    tree.DeleteNode(added);
    clock.Advance(199);
    EXPECT_EQ(log.Joined(), "");
    clock.Advance(1);
    EXPECT_EQ(log.Joined(), "Structure(a,crAccumulated)");

    log.Clear();
    tree.SetChangeDelay(0);
    tree.AddChild(N("b"));
    EXPECT_EQ(log.Joined(), "Structure(b,crChildAdded)");
}

TEST_F(ClockedTree, SynchronousBracketDeliversAtOnce)
{
    tree.SetChangeDelay(100);
    tree.SetSelected(N("a"), true);
    EXPECT_EQ(log.Joined(), "");
    tree.BeginSynch();
    EXPECT_EQ(log.Joined(), "Change(a)");
    EXPECT_FALSE(clock.Running(ChangeTimer));
    tree.SetSelected(N("b"), true);
    EXPECT_EQ(log.Joined(), "Change(a) Change(b)");
    tree.EndSynch();
    EXPECT_FALSE(tree.TreeStates().Has(tsSynchMode));
}

TEST_F(ClockedTree, TimerActions)
{
    tree.ChangeTreeStates({tsIncrementalSearching}, {});
    tree.TimerFired(SearchTimer);
    EXPECT_FALSE(tree.TreeStates().Has(tsIncrementalSearching));

    tree.ChangeTreeStates({tsScrollPending}, {});
    tree.SetAutoScrollInterval(7);
    tree.TimerFired(ScrollTimer);
    // The pending delay turns into scrolling at the interval; with the mouse in no edge zone the
    // first step ends it again.
    EXPECT_EQ(clock.starts.back(), (std::pair<int, uint32_t>{ScrollTimer, 7}));
    EXPECT_FALSE(tree.TreeStates().HasAny({tsScrolling, tsScrollPending}));
    EXPECT_FALSE(clock.Running(ScrollTimer));

    const std::string before = Snapshot(tree);
    tree.TimerFired(HeaderTimer);
    tree.TimerFired(42);
    EXPECT_EQ(Snapshot(tree), before);
}

TEST(TreeStates, ChangeTreeStatesFiresOnlyForRealChanges)
{
    TestTree tree;
    std::vector<std::pair<TLazyTreeStates, TLazyTreeStates>> calls;
    tree.OnStateChange = [&](TBaseLazyTree*, TLazyTreeStates enter, TLazyTreeStates leave) {
        calls.push_back({enter, leave});
    };
    const TLazyTreeStates before = tree.TreeStates();
    tree.ChangeTreeStates({}, {tsEditing});
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(tree.TreeStates(), before);

    tree.ChangeTreeStates({tsEditing, tsHint}, {tsEditing});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].first, (TLazyTreeStates{tsEditing, tsHint}));
    EXPECT_FALSE(tree.TreeStates().Has(tsEditing));
    EXPECT_TRUE(tree.TreeStates().Has(tsHint));
    EXPECT_EQ(TLazyTreeStates::Bit(tsUseExplorerTheme), uint64_t(1) << 56);
}

TEST(Operations, CountAndCancel)
{
    TestTree tree;
    std::vector<std::string> events;
    tree.OnStartOperation = [&](TBaseLazyTree*, TVTOperationKind kind) { events.push_back("start" + std::to_string(kind)); };
    tree.OnEndOperation = [&](TBaseLazyTree*, TVTOperationKind kind) { events.push_back("end" + std::to_string(kind)); };
    try {
        tree.EndOperation(okSortTree);
        FAIL();
    } catch (const ETreeAssertion& e) {
        EXPECT_STREQ(e.what(), "EndOperation must not be called when no operation in progress.");
    }
    EXPECT_EQ(tree.OperationCount(), 0u);
    tree.CancelOperation();
    EXPECT_FALSE(tree.OperationCanceled());
    tree.BeginOperation(okSortTree);
    tree.BeginOperation(okSortNode);
    tree.CancelOperation();
    EXPECT_TRUE(tree.OperationCanceled());
    tree.EndOperation(okSortNode);
    tree.EndOperation(okSortTree);
    EXPECT_FALSE(tree.OperationCanceled());
    tree.BeginOperation(okExpand);
    EXPECT_FALSE(tree.OperationCanceled());
    tree.EndOperation(okExpand);
    EXPECT_EQ(events, (std::vector<std::string>{"start3", "start2", "end2", "end3", "start5", "end5"}));
}

TEST(Animation, StepsOnTheClock)
{
    struct Case {
        uint32_t steps;
        uint32_t duration;
        uint32_t lateness;
        const char* calls;
    };
    // Step size: steps / duration rounded half to even, at least 1. A late clock makes the steps larger.
    for (const Case c : {Case{10, 4, 0, "(0,2) (6,2) (7,2) (8,2) (9,2) (0,0)"},
             Case{6, 4, 0, "(0,2) (4,2) (5,2) (0,0)"}, Case{3, 6, 0, "(0,1) (1,1) (2,1) (0,0)"},
             Case{4, 4, 2, "(0,1) (0,0)"}, Case{10, 10, 1, "(0,1) (6,2) (7,2) (8,2) (9,2) (0,0)"},
             Case{8, 40, 12, "(0,1) (1,1) (2,1) (0,0)"}}) {
        TestTree tree;
        FakeView view;
        FakeClock clock(&tree);
        tree.SetView(&view);
        tree.SetClock(&clock);
        std::string calls;
        const uint32_t start = clock.Now();
        tree.RunAnimation(c.steps, c.duration, [&](int position, int stepSize) {
            calls += (calls.empty() ? "" : " ") + std::string("(") + std::to_string(position) + "," +
                std::to_string(stepSize) + ")";
            return true;
        });
        EXPECT_TRUE(tree.TreeStates().Has(tsInAnimation));
        clock.RunAll(c.lateness);
        EXPECT_EQ(calls, c.calls) << c.steps << "/" << c.duration << "+" << c.lateness;
        EXPECT_FALSE(tree.TreeStates().Has(tsInAnimation));
        EXPECT_LE(clock.Now() - start, c.duration + c.lateness);
    }
}

TEST(Animation, NothingRunsTwiceOrWithoutDuration)
{
    TestTree tree;
    FakeView view;
    FakeClock clock(&tree);
    tree.SetView(&view);
    tree.SetClock(&clock);
    int calls = 0;
    tree.RunAnimation(50, 0, [&](int, int) { return ++calls, true; });
    EXPECT_EQ(calls, 0);
    tree.RunAnimation(50, 100, [&](int, int) { return ++calls, true; });
    EXPECT_EQ(calls, 1);
    int second = 0;
    tree.RunAnimation(50, 100, [&](int, int) { return ++second, true; });
    EXPECT_EQ(second, 0);
    // A callback that answers False ends the run with the closing call.
    int stopping = 0;
    clock.RunAll();
    tree.RunAnimation(50, 100, [&](int, int stepSize) { return ++stopping, stepSize == 0; });
    clock.RunAll();
    EXPECT_EQ(stopping, 2);
    EXPECT_FALSE(tree.TreeStates().Has(tsInAnimation));

    tree.SetAnimationDuration(0);
    EXPECT_FALSE(tree.TreeOptions().AnimationOptions().Has(toAnimatedToggle));
    tree.SetAnimationDuration(150);
    EXPECT_TRUE(tree.TreeOptions().AnimationOptions().Has(toAnimatedToggle));
}
