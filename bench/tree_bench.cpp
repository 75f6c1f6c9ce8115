// The painted string tree beside QTreeView over QStandardItemModel (uniform row heights) in one run, offscreen,
// 800 × 600, one font: building 10^6 nodes flat and in three levels, expanding all until the next frame is
// painted, scrolling to the end and painting, one screen at the top, middle and bottom of 10^3 .. 10^6 nodes,
// memory per node from the resident size, and a collapse and repaint of a node above 10^6 shown rows. Every row
// carries the peer's time (`peer_ms`, measured the same way in the same process) and `peer/ours`.
#include "controls/tree/widget/string_tree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>

using namespace lazytree;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::unique_ptr<TLazyStringTree> NewTree()
{
    auto tree = std::make_unique<TLazyStringTree>();
    tree->TreeOptions().SetPaintOptions({toShowButtons, toShowRoot, toShowTreeLines});
    tree->OnGetText = [](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType, QString& text) {
        text = QString::number(node->Index);
    };
    tree->resize(kWidth, kHeight);
    tree->show();
    return tree;
}

struct Peer {
    QStandardItemModel model;
    QTreeView view;
    Peer()
    {
        view.setUniformRowHeights(true);
        view.setHeaderHidden(true);
        view.resize(kWidth, kHeight);
    }
    void Show()
    {
        view.setModel(&model);
        view.show();
    }
};

void FillFlat(TLazyStringTree& tree, int n) { tree.SetRootNodeCount(static_cast<uint32_t>(n)); }

void FillFlat(Peer& peer, int n)
{
    QStandardItem* root = peer.model.invisibleRootItem();
    QList<QStandardItem*> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i)
        items << new QStandardItem(QString::number(i));
    root->appendRows(items);
}

// 100 × 100 × 100 nodes.
void FillThreeLevels(TLazyStringTree& tree)
{
    tree.BeginUpdate();
    for (int a = 0; a < 100; ++a) {
        PLazyNode top = tree.AddChild(nullptr);
        for (int b = 0; b < 100; ++b) {
            PLazyNode mid = tree.AddChild(top);
            tree.SetChildCount(mid, 100);
        }
    }
    tree.EndUpdate();
}

void FillThreeLevels(Peer& peer)
{
    for (int a = 0; a < 100; ++a) {
        auto* top = new QStandardItem(QString::number(a));
        for (int b = 0; b < 100; ++b) {
            auto* mid = new QStandardItem(QString::number(b));
            QList<QStandardItem*> leaves;
            for (int c = 0; c < 100; ++c)
                leaves << new QStandardItem(QString::number(c));
            mid->appendRows(leaves);
            top->appendRow(mid);
        }
        peer.model.invisibleRootItem()->appendRow(top);
    }
}

// Paints the viewport now, as the next frame would, into an image of the window's size.
void Paint(QWidget* viewport)
{
    static QImage frame(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    viewport->render(&frame);
}

double Ms(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void Report(benchmark::State& state, double peerMs)
{
    const double oursMs = state.iterations() ? state.counters["ours_ms"] / double(state.iterations()) : 0;
    state.counters["ours_ms"] = oursMs;
    state.counters["peer_ms"] = peerMs;
    state.counters["peer/ours"] = oursMs > 0 ? peerMs / oursMs : 0;
}

long ResidentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// Build (and show the first frame) of 10^6 nodes; arg 0 flat, 1 three levels.
void Build(benchmark::State& state)
{
    const bool flat = state.range(0) == 0;
    double sum = 0;
    for (auto _ : state) {
        std::unique_ptr<TLazyStringTree> tree;
        sum += Ms([&] {
            tree = NewTree();
            flat ? FillFlat(*tree, 1'000'000) : FillThreeLevels(*tree);
            Paint(tree->viewport());
        });
        state.PauseTiming();
        tree.reset();
        malloc_trim(0);
        state.ResumeTiming();
    }
    state.counters["ours_ms"] = sum;
    auto p = std::make_unique<Peer>();
    const double peer = Ms([&] {
        flat ? FillFlat(*p, 1'000'000) : FillThreeLevels(*p);
        p->Show();
        Paint(p->view.viewport());
    });
    p.reset();
    Report(state, peer);
}

// Expands every node of 100 × 100 × 100 and paints the next frame.
void ExpandAll(benchmark::State& state)
{
    double sum = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = NewTree();
        FillThreeLevels(*tree);
        Paint(tree->viewport());
        state.ResumeTiming();
        sum += Ms([&] {
            tree->FullExpand();
            Paint(tree->viewport());
        });
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["ours_ms"] = sum;
    Peer p;
    FillThreeLevels(p);
    p.Show();
    Paint(p.view.viewport());
    Report(state, Ms([&] {
        p.view.expandAll();
        Paint(p.view.viewport());
    }));
}

// Scrolls 10^6 flat nodes to the end and paints.
void ScrollToEnd(benchmark::State& state)
{
    auto tree = NewTree();
    FillFlat(*tree, 1'000'000);
    Paint(tree->viewport());
    double sum = 0;
    for (auto _ : state) {
        sum += Ms([&] {
            tree->SetOffsetY(std::numeric_limits<int>::min() / 2);
            Paint(tree->viewport());
        });
        state.PauseTiming();
        tree->SetOffsetY(0);
        Paint(tree->viewport());
        state.ResumeTiming();
    }
    state.counters["ours_ms"] = sum;
    Peer p;
    FillFlat(p, 1'000'000);
    p.Show();
    Paint(p.view.viewport());
    Report(state, Ms([&] {
        p.view.scrollToBottom();
        Paint(p.view.viewport());
    }));
}

// One screen painted at the top, middle or bottom (arg 1: 0, 1, 2) of n flat nodes (arg 0).
void OneScreen(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const int where = static_cast<int>(state.range(1));
    auto tree = NewTree();
    FillFlat(*tree, n);
    Paint(tree->viewport());
    const int range = std::max(0, n * int(tree->DefaultNodeHeight()) - tree->viewport()->height());
    tree->SetOffsetY(-(where == 0 ? 0 : where == 1 ? range / 2 : range));
    double sum = 0;
    for (auto _ : state)
        sum += Ms([&] { Paint(tree->viewport()); });
    state.counters["ours_ms"] = sum;
    Peer p;
    FillFlat(p, n);
    p.Show();
    QScrollBar* bar = p.view.verticalScrollBar();
    bar->setValue(where == 0 ? 0 : where == 1 ? bar->maximum() / 2 : bar->maximum());
    Paint(p.view.viewport());
    double peer = 0;
    for (int i = 0; i < 20; ++i)
        peer += Ms([&] { Paint(p.view.viewport()); });
    Report(state, peer / 20);
}

// Resident bytes per node after building 10^6 flat nodes with their first frame.
void MemoryPerNode(benchmark::State& state)
{
    double ours = 0, peer = 0;
    for (auto _ : state) {
        malloc_trim(0);
        long before = ResidentBytes();
        {
            auto tree = NewTree();
            FillFlat(*tree, 1'000'000);
            Paint(tree->viewport());
            ours = double(ResidentBytes() - before) / 1e6;
        }
        malloc_trim(0);
        before = ResidentBytes();
        {
            Peer p;
            FillFlat(p, 1'000'000);
            p.Show();
            Paint(p.view.viewport());
            peer = double(ResidentBytes() - before) / 1e6;
        }
        malloc_trim(0);
    }
    state.counters["ours_bytes"] = ours;
    state.counters["peer_bytes"] = peer;
    state.counters["peer/ours"] = ours > 0 ? peer / ours : 0;
}

// Collapses the first of 10^6 + 1 top-level nodes (10 children) and paints; the expansion back is not timed.
// The peer does the same as often.
void CollapseAboveAMillionRows(benchmark::State& state)
{
    auto tree = NewTree();
    FillFlat(*tree, 1'000'001);
    PLazyNode first = tree->GetFirstNoInit();
    tree->SetChildCount(first, 10);
    tree->SetExpanded(first, true);
    tree->SetOffsetY(-1000 * 18);
    Paint(tree->viewport());
    double sum = 0;
    for (auto _ : state) {
        sum += Ms([&] {
            tree->SetExpanded(first, false);
            Paint(tree->viewport());
        });
        tree->SetExpanded(first, true);
        Paint(tree->viewport());
    }
    state.counters["ours_ms"] = sum;
    Peer p;
    FillFlat(p, 1'000'001);
    QStandardItem* head = p.model.item(0);
    for (int i = 0; i < 10; ++i)
        head->appendRow(new QStandardItem(QString::number(i)));
    p.Show();
    const QModelIndex top = p.model.index(0, 0);
    p.view.expand(top);
    p.view.verticalScrollBar()->setValue(1000);
    Paint(p.view.viewport());
    double peer = 0;
    const auto runs = state.iterations();
    for (benchmark::IterationCount i = 0; i < runs; ++i) {
        peer += Ms([&] {
            p.view.collapse(top);
            Paint(p.view.viewport());
        });
        p.view.expand(top);
        Paint(p.view.viewport());
    }
    Report(state, runs ? peer / double(runs) : 0);
}

} // namespace

BENCHMARK(Build)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ExpandAll)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ScrollToEnd)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OneScreen)
    ->ArgsProduct({{1000, 10'000, 100'000, 1'000'000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(MemoryPerNode)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(CollapseAboveAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    QApplication::setFont(font);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
