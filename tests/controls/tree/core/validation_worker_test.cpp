// The shared validation worker: trees queued while the GUI side is idle get their caches in the
// background; a change, a pause or the tree's end stops it cleanly; the thread lives as long as trees do.

#include "controls/tree/core/validation_worker.h"

#include "tree_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace tree_test {
namespace {

class ValidationWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TValidationWorker::Pause();
        TValidationWorker::SetPoster([this](std::function<void()>) { ++posted; });
    }
    void TearDown() override
    {
        TValidationWorker::Pause();
        TValidationWorker::SetPoster(nullptr);
    }
    static std::unique_ptr<TestTree> BigTree(uint32_t count)
    {
        auto tree = std::make_unique<TestTree>();
        tree->SetRootNodeCount(count);
        return tree;
    }
    // What a synchronous build gives for the same structure.
    static TCache Expected(TestTree& tree)
    {
        TestTree& t = tree;
        t.StartCacheValidation();
        t.ValidateCacheIfQueued();
        return t.PositionCache();
    }
    static bool SameCache(const TCache& a, const TCache& b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].Node != b[i].Node || a[i].AbsoluteTop != b[i].AbsoluteTop)
                return false;
        return true;
    }
    std::atomic<int> posted{0};
};

TEST_F(ValidationWorkerTest, TwoQueuedTreesAreBothValidatedInTheBackground)
{
    auto a = BigTree(9000);
    auto b = BigTree(5000);
    const uint64_t before = TValidationWorker::ValidatedCount();
    a->StartCacheValidation();
    b->StartCacheValidation();
    a->StartCacheValidation(); // queued once only
    EXPECT_FALSE(a->TreeStates().Has(tsUseCache));
    TValidationWorker::Resume();
    ASSERT_TRUE(TValidationWorker::WaitIdle(10000));
    TValidationWorker::Pause();
    EXPECT_EQ(TValidationWorker::ValidatedCount() - before, 2u);
    EXPECT_GE(posted.load(), 1);
    TValidationWorker::DeliverResults();
    EXPECT_TRUE(a->TreeStates().Has(tsUseCache));
    EXPECT_TRUE(b->TreeStates().Has(tsUseCache));
    const TCache fromWorker = a->PositionCache();
    EXPECT_EQ(fromWorker.size(), 5u);
    EXPECT_EQ(CheckInvariants(*a), "");
    EXPECT_TRUE(SameCache(fromWorker, Expected(*a)));
    EXPECT_TRUE(SameCache(b->PositionCache(), Expected(*b)));
}

TEST_F(ValidationWorkerTest, AChangeAfterTheBuildDiscardsItsResult)
{
    auto tree = BigTree(6000);
    tree->StartCacheValidation();
    TValidationWorker::Resume();
    ASSERT_TRUE(TValidationWorker::WaitIdle(10000));
    TValidationWorker::Pause();
    // The GUI side changes the tree before the result arrives.
    tree->DeleteNode(tree->GetFirst());
    TValidationWorker::DeliverResults();
    EXPECT_FALSE(tree->TreeStates().Has(tsUseCache));
    // A lookup builds what is current.
    int top = 0;
    EXPECT_EQ(tree->GetNodeAt(0, 18 * 5999, false, top), nullptr);
    EXPECT_NE(tree->GetNodeAt(0, 18 * 5998, false, top), nullptr);
    EXPECT_EQ(CheckInvariants(*tree), "");
}

TEST_F(ValidationWorkerTest, ALookupBeforeTheWorkerRanBuildsAtOnce)
{
    auto tree = BigTree(4001);
    tree->StartCacheValidation();
    int top = 0;
    PLazyNode last = tree->GetNodeAt(0, 18 * 4000, false, top);
    EXPECT_EQ(last, tree->GetLast());
    EXPECT_TRUE(tree->TreeStates().Has(tsUseCache));
    TValidationWorker::Resume();
    ASSERT_TRUE(TValidationWorker::WaitIdle(10000));
    TValidationWorker::Pause();
    TValidationWorker::DeliverResults(); // nothing was left for the worker
    EXPECT_EQ(CheckInvariants(*tree), "");
}

TEST_F(ValidationWorkerTest, DestroyingTreesWhileTheWorkerRunsWaitsForIt)
{
    for (int round = 0; round < 5; ++round) {
        auto first = BigTree(60000);
        auto second = BigTree(30000);
        first->StartCacheValidation();
        second->StartCacheValidation();
        TValidationWorker::Resume();
        first.reset(); // queued, running or done: the worker must have left it
        TValidationWorker::Pause(); // the GUI side is busy: changes are safe
        second->DeleteNode(second->GetFirst());
        TValidationWorker::Resume();
        second.reset();
        TValidationWorker::Pause();
        EXPECT_EQ(TValidationWorker::CurrentTree(), nullptr);
        TValidationWorker::DeliverResults();
    }
}

TEST_F(ValidationWorkerTest, PausingStopsARunningBuildWhichResumesLater)
{
    auto tree = BigTree(200000);
    tree->StartCacheValidation();
    TValidationWorker::Resume();
    TValidationWorker::Pause(); // may stop it midway
    EXPECT_EQ(TValidationWorker::CurrentTree(), nullptr);
    TValidationWorker::Resume();
    ASSERT_TRUE(TValidationWorker::WaitIdle(20000));
    TValidationWorker::Pause();
    TValidationWorker::DeliverResults();
    EXPECT_TRUE(tree->TreeStates().Has(tsUseCache));
    EXPECT_EQ(tree->PositionCache().size(), 100u);
}

TEST(ValidationWorkerLifetime, TheLastTreeEndsTheThread)
{
    {
        TestTree tree;
        EXPECT_TRUE(TValidationWorker::ThreadRunning());
    }
    EXPECT_FALSE(TValidationWorker::ThreadRunning());
    TestTree again;
    EXPECT_TRUE(TValidationWorker::ThreadRunning());
    EXPECT_THROW(TValidationWorker::AddTree(nullptr, 0), ETreeAssertion);
    EXPECT_THROW(TValidationWorker::RemoveTree(nullptr), ETreeAssertion);
}

} // namespace
} // namespace tree_test
