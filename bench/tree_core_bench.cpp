// The tree core without pixels: building flat and three-level trees, the node at a height at the top, middle
// and bottom of up to 10^6 rows, and a collapse above 10^6 shown rows followed by the first lookup (which
// rebuilds the position cache). Building is measured beside QStandardItemModel, the model under the Qt peer.
#include "controls/tree/core/lazy_tree.h"

#include <QStandardItemModel>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

using namespace lazytree;

namespace {

class ScreenView : public TreeView {
public:
    int ClientWidth() const override { return 800; }
    int ClientHeight() const override { return 600; }
    void Invalidate() override {}
    void InvalidateRect(const TRect&) override {}
    int SetScrollBar(TScrollBarKind, const ScrollBarState& s) override
    {
        return std::clamp(s.Position, 0, std::max(0, s.RangeMax - s.Page + 1));
    }
};

void BuildFlat(benchmark::State& state)
{
    const auto n = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        auto tree = std::make_unique<TBaseLazyTree>();
        tree->SetNodeDataSize(16);
        tree->SetRootNodeCount(n);
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["block_bytes"] = double(sizeof(TLazyNode) + 16);
}

void BuildFlatPeer(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto model = std::make_unique<QStandardItemModel>();
        QStandardItem* root = model->invisibleRootItem();
        for (int i = 0; i < n; ++i)
            root->appendRow(new QStandardItem());
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
}

// 100 x 100 x 100 through AddChild inside one update bracket.
void BuildThreeLevels(benchmark::State& state)
{
    for (auto _ : state) {
        auto tree = std::make_unique<TBaseLazyTree>();
        tree->BeginUpdate();
        for (int a = 0; a < 100; ++a) {
            PLazyNode top = tree->AddChild(nullptr);
            for (int b = 0; b < 100; ++b) {
                PLazyNode mid = tree->AddChild(top);
                for (int c = 0; c < 100; ++c)
                    tree->AddChild(mid);
            }
        }
        tree->EndUpdate();
        benchmark::DoNotOptimize(tree->RootNode()->TotalCount);
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}

void BuildThreeLevelsPeer(benchmark::State& state)
{
    for (auto _ : state) {
        auto model = std::make_unique<QStandardItemModel>();
        for (int a = 0; a < 100; ++a) {
            auto* top = new QStandardItem();
            model->invisibleRootItem()->appendRow(top);
            for (int b = 0; b < 100; ++b) {
                auto* mid = new QStandardItem();
                top->appendRow(mid);
                for (int c = 0; c < 100; ++c)
                    mid->appendRow(new QStandardItem());
            }
        }
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
}

// One screen's rows (600 px of 18 px rows) from the node at a height; args: rows, where (0 top, 1 middle, 2 bottom).
void ScreenLookup(benchmark::State& state)
{
    const auto n = static_cast<uint32_t>(state.range(0));
    ScreenView view;
    TBaseLazyTree tree;
    tree.SetView(&view);
    tree.SetRootNodeCount(n);
    const int y = state.range(1) == 0 ? 0 : state.range(1) == 1 ? int(n / 2 * 18) : int(n * 18 - 600);
    for (auto _ : state) {
        int top = 0;
        PLazyNode node = tree.GetNodeAt(0, y, false, top);
        for (int bottom = top; node && bottom < y + 600; node = tree.GetNextVisibleNoInit(node))
            bottom += node->NodeHeight;
        benchmark::DoNotOptimize(node);
    }
}

// Collapse and expand a node above 10^6 shown rows, each followed by the first lookup at the bottom.
void ToggleAboveAMillionRows(benchmark::State& state)
{
    ScreenView view;
    TBaseLazyTree tree;
    tree.SetView(&view);
    tree.SetRootNodeCount(1'000'001);
    PLazyNode first = tree.GetFirstNoInit();
    tree.SetChildCount(first, 10);
    tree.ToggleNode(first);
    for (auto _ : state) {
        tree.ToggleNode(first);
        int top = 0;
        benchmark::DoNotOptimize(tree.GetNodeAt(0, 17'000'000, false, top));
    }
}

} // namespace

BENCHMARK(BuildFlat)->Arg(1000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildFlatPeer)->Arg(1000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildThreeLevels)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildThreeLevelsPeer)->Unit(benchmark::kMillisecond);
BENCHMARK(ScreenLookup)
    ->ArgsProduct({{1000, 1'000'000}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ToggleAboveAMillionRows)->Unit(benchmark::kMillisecond);

// Freed memory stays with the process, so repeated builds measure the work, not the first touch of new pages
// (which costs both sides alike and dominates on a virtual machine).
int main(int argc, char** argv)
{
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
