// The validation worker behind real trees: caches are built while the event loop waits and handed back
// through the event loop; trees go away while the worker may be on them.

#include "controls/tree/core/validation_worker.h"
#include "controls/tree/widget/string_tree.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace lazytree;

namespace {

class ProbeTree : public TLazyStringTree {
public:
    using TBaseLazyTree::RequestCacheValidation;
    using TBaseLazyTree::StartCacheValidation;
};

TEST(ValidationGate, ACacheIsBuiltWhileTheEventLoopWaits)
{
    ProbeTree tree; // never shown: no paint asks for the cache first
    tree.SetRootNodeCount(20000);
    const uint64_t before = TValidationWorker::ValidatedCount();
    tree.RequestCacheValidation(); // as after a change: the cache is dropped and the tree queued
    tree.StartCacheValidation();
    EXPECT_FALSE(tree.TreeStates().Has(tsUseCache));
    // A real event loop: the worker runs while it waits for events.
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (tree.TreeStates().Has(tsUseCache))
            loop.quit();
    });
    check.start(10);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(tree.TreeStates().Has(tsUseCache));
    EXPECT_GT(TValidationWorker::ValidatedCount(), before);
    int top = 0;
    EXPECT_EQ(tree.GetNodeAt(0, 18 * 19999 + 3, false, top), tree.GetLast());
    EXPECT_EQ(top, 18 * 19999);
}

TEST(ValidationGate, TreesGoWhileTheWorkerMayBeOnThem)
{
    for (int round = 0; round < 3; ++round) {
        std::vector<std::unique_ptr<TLazyStringTree>> trees;
        for (int i = 0; i < 3; ++i) {
            trees.push_back(std::make_unique<TLazyStringTree>());
            trees.back()->SetRootNodeCount(100000);
        }
        QEventLoop loop;
        QTimer::singleShot(2, &loop, [&] { trees.erase(trees.begin() + 1); });
        QTimer::singleShot(4, &loop, [&] { trees.clear(); });
        QTimer::singleShot(6, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_EQ(TValidationWorker::CurrentTree(), nullptr);
    }
}

} // namespace
