// The painted grid beside QTableWidget of the same size, columns and row
// height, offscreen with DejaVu Sans: filling 100,000 rows x 16 columns of
// text, reading them back, painting one screen into a QImage; our screen also
// at 1k, 100k and 1M rows, scrolled to the middle and the end; heap bytes per
// cell. Each case runs its sides in alternating rounds within one benchmark
// entry; the table at the end gives each side's median and the median of the
// rounds' ratios against the goals.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/grid_widget.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace grid;

namespace {

constexpr int kRows = 100'000;
constexpr int kCols = 16;
constexpr int kRowHeight = 22;
constexpr int kColWidth = 64;
const QSize kScreen(1024, 700);

QString Text(int row, int col)
{
    return QStringLiteral("R%1C%2").arg(row).arg(col);
}

// The texts of the timed fills, made once: both grids take the same strings
// (shared, as every Qt container takes a QString).
const std::vector<QString>& Texts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        t.reserve(size_t(kRows) * kCols);
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                t.push_back(Text(r, c));
        return t;
    }();
    return texts;
}

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

std::unique_ptr<TExStringGrid> NewGrid(int rows)
{
    auto g = std::make_unique<TExStringGrid>();
    g->Font.Name = QStringLiteral("DejaVu Sans");
    g->FixedFont.Name = QStringLiteral("DejaVu Sans");
    g->SetColCount(kCols + 1);
    g->SetRowCount(rows + 1);
    g->SetDefaultColWidth(kColWidth);
    g->SetDefaultRowHeight(kRowHeight);
    g->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect});
    g->Loaded();
    return g;
}

void FillOurs(TExStringGrid& g, int rows)
{
    const std::vector<QString>& texts = Texts();
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= kCols; ++c)
            g.SetCells(c, r, texts[size_t(r - 1) * kCols + size_t(c - 1)]);
}

// Fresh strings, so the heap counts the texts as well.
void FillOursFresh(TExStringGrid& g, int rows)
{
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= kCols; ++c)
            g.SetCells(c, r, Text(r, c));
}

std::unique_ptr<QTableWidget> NewTable(int rows)
{
    auto t = std::make_unique<QTableWidget>(rows, kCols);
    t->setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    t->verticalHeader()->setMinimumSectionSize(1);
    t->verticalHeader()->setDefaultSectionSize(kRowHeight);
    t->horizontalHeader()->setDefaultSectionSize(kColWidth);
    return t;
}

void FillPeer(QTableWidget& t, int rows)
{
    const std::vector<QString>& texts = Texts();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            t.setItem(r, c, new QTableWidgetItem(texts[size_t(r) * kCols + size_t(c)]));
}

void FillPeerFresh(QTableWidget& t, int rows)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            t.setItem(r, c, new QTableWidgetItem(Text(r + 1, c + 1)));
}

// CPU time of this thread for f(), in milliseconds.
template <typename F>
double CpuMs(F&& f)
{
    timespec a{};
    timespec b{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
    f();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
    return double(b.tv_sec - a.tv_sec) * 1e3 + double(b.tv_nsec - a.tv_nsec) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0.0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One timed side of a case: its time per round.
struct Side
{
    std::string name;
    std::vector<double> ms;
    double Med() const { return Median(ms); }
    double Min() const { return ms.empty() ? 0.0 : *std::min_element(ms.begin(), ms.end()); }
    double Max() const { return ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()); }
};

struct Result
{
    std::string what;
    std::string goal;
    Side a; // ours, or our screen at 1M rows
    Side b; // the peer, or our screen at 1k rows
    double limit = 0;
    bool strict = false;
    double lower = 0; // the ratio must also reach this
    // The median of the rounds' ratios: both sides of a round ran within a
    // few milliseconds of each other, under the same load.
    double Ratio() const
    {
        std::vector<double> q;
        for (size_t i = 0; i < std::min(a.ms.size(), b.ms.size()); ++i)
            q.push_back(a.ms[i] / b.ms[i]);
        return Median(q);
    }
    bool Met() const { return Ratio() >= lower && (strict ? Ratio() < limit : Ratio() <= limit); }
};

std::vector<Result>& Results()
{
    static std::vector<Result> results;
    return results;
}

// Runs the sides round by round, the order turning each round, so a burst
// of load on the machine hits every side alike. before, when given, runs
// untimed ahead of each side.
void Interleave(int rounds, const std::vector<std::function<double()>>& timed, std::vector<Side*> sides,
                const std::function<void()>& before = {})
{
    const size_t n = timed.size();
    for (int round = 0; round < rounds; ++round)
        for (size_t k = 0; k < n; ++k) {
            const size_t i = round % 2 ? n - 1 - k : k;
            if (before)
                before();
            sides[i]->ms.push_back(timed[i]());
        }
}

void Report(benchmark::State& state, Result r)
{
    state.counters["ours_ms"] = r.a.Med();
    state.counters["peer_ms"] = r.b.Med();
    state.counters["ratio"] = r.Ratio();
    Results().push_back(std::move(r));
}

constexpr int kFillRounds = 5;
constexpr int kReadRounds = 15;
constexpr int kScreenRounds = 101;
constexpr int kScreenBatch = 2; // renders per round; the figure is per render

// Each fill starts on a heap whose free pages went back to the system, so
// every round pays for the pages it touches, as a first fill does.
void BM_Fill(benchmark::State& state)
{
    Texts();
    Result r{"fill 100k x 16", "<= 0.5", {"ours", {}}, {"QTableWidget", {}}, 0.5, false};
    for (auto _ : state) {
        Interleave(kFillRounds,
                   {[] {
                        auto g = NewGrid(kRows);
                        return CpuMs([&] { FillOurs(*g, kRows); });
                    },
                    [] {
                        auto t = NewTable(kRows);
                        return CpuMs([&] { FillPeer(*t, kRows); });
                    }},
                   {&r.a, &r.b}, [] { malloc_trim(0); });
    }
    // Heap in use before and after a fill of fresh strings.
    malloc_trim(0);
    size_t before = HeapInUse();
    {
        auto g = NewGrid(kRows);
        FillOursFresh(*g, kRows);
        state.counters["ours_bytes_per_cell"] = double(HeapInUse() - before) / (double(kRows) * kCols);
    }
    before = HeapInUse();
    {
        auto t = NewTable(kRows);
        FillPeerFresh(*t, kRows);
        state.counters["peer_bytes_per_cell"] = double(HeapInUse() - before) / (double(kRows) * kCols);
    }
    Result bytes{"bytes per cell", "<= 0.5", {"ours", {state.counters["ours_bytes_per_cell"]}},
                 {"QTableWidget", {state.counters["peer_bytes_per_cell"]}}, 0.5, false};
    Report(state, r);
    Results().push_back(bytes);
}

void BM_ReadBack(benchmark::State& state)
{
    auto g = NewGrid(kRows);
    FillOurs(*g, kRows);
    auto t = NewTable(kRows);
    FillPeer(*t, kRows);
    Result r{"read back 100k x 16", "<= 0.5", {"ours", {}}, {"QTableWidget", {}}, 0.5, false};
    for (auto _ : state) {
        Interleave(kReadRounds,
                   {[&] {
                        return CpuMs([&] {
                            qsizetype sum = 0;
                            for (int row = 1; row <= kRows; ++row)
                                for (int c = 1; c <= kCols; ++c)
                                    sum += g->Cells(c, row).size();
                            benchmark::DoNotOptimize(sum);
                        });
                    },
                    [&] {
                        return CpuMs([&] {
                            qsizetype sum = 0;
                            for (int row = 0; row < kRows; ++row)
                                for (int c = 0; c < kCols; ++c)
                                    sum += t->item(row, c)->text().size();
                            benchmark::DoNotOptimize(sum);
                        });
                    }},
                   {&r.a, &r.b});
    }
    Report(state, r);
}

// Time per render of a batch of renders of w into img.
double RenderMs(QWidget& w, QImage& img)
{
    return CpuMs([&] {
               for (int i = 0; i < kScreenBatch; ++i)
                   w.render(&img);
           }) /
           kScreenBatch;
}

void BM_Screen(benchmark::State& state)
{
    auto g = NewGrid(kRows);
    FillOurs(*g, kRows);
    TGridWidget w(*g);
    w.resize(kScreen);
    w.show();
    auto t = NewTable(kRows);
    FillPeer(*t, kRows);
    t->resize(kScreen);
    t->show();
    QImage img(kScreen, QImage::Format_ARGB32_Premultiplied);
    w.render(&img); // glyph caches warm for both
    t->render(&img);
    Result r{"one screen", "< 1", {"ours", {}}, {"QTableWidget", {}}, 1.0, true};
    for (auto _ : state)
        Interleave(kScreenRounds, {[&] { return RenderMs(w, img); }, [&] { return RenderMs(*t, img); }},
                   {&r.a, &r.b});
    Report(state, r);
}

// Our screen at 1k, 100k and 1M rows, scrolled to the top, middle or end,
// the three grids rendered in turn. Every shown row holds the same texts at
// every row count (longer row numbers in the texts would be more glyphs,
// not more rows); the other rows hold only their number.
struct ScrolledGrid
{
    explicit ScrolledGrid(int rows)
        : g(NewGrid(rows))
    {
        for (int r = 1; r <= rows; ++r)
            g->SetCells(0, r, QString::number(r));
        w = std::make_unique<TGridWidget>(*g);
        w->resize(kScreen);
        w->show();
    }
    void ScrollTo(int where) // 0 top, 1 middle, 2 end
    {
        const int rows = g->RowCount() - 1;
        const int top = where == 0 ? 1 : where == 1 ? rows / 2 : g->MaxTopRow();
        g->SetTopRow(top);
        for (int r = top; r <= std::min(rows, top + 60); ++r)
            for (int c = 1; c <= kCols; ++c)
                g->SetCells(c, r, Text(r - top + 1, c));
    }
    std::unique_ptr<TExStringGrid> g;
    std::unique_ptr<TGridWidget> w;
};

void BM_ScreenAt(benchmark::State& state)
{
    ScrolledGrid small(1'000);
    ScrolledGrid middle(100'000);
    ScrolledGrid large(1'000'000);
    QImage img(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (int where = 0; where < 3; ++where) {
            for (ScrolledGrid* s : {&small, &middle, &large}) {
                s->ScrollTo(where);
                s->w->render(&img);
            }
            static const char* const kWhere[] = {"top", "middle", "end"};
            Result r{std::string("screen 1M / 1k rows, ") + kWhere[where], "0.9 .. 1.1", {"1M rows", {}},
                     {"1k rows", {}}, 1.1, false, 0.9};
            Side mid{"100k rows", {}};
            Interleave(kScreenRounds,
                       {[&] { return RenderMs(*large.w, img); }, [&] { return RenderMs(*middle.w, img); },
                        [&] { return RenderMs(*small.w, img); }},
                       {&r.a, &mid, &r.b});
            const std::string at = kWhere[where];
            state.counters["1k_ms_" + at] = r.b.Med();
            state.counters["100k_ms_" + at] = mid.Med();
            state.counters["1M_ms_" + at] = r.a.Med();
            Results().push_back(r);
        }
    }
}

BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadBack)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Screen)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ScreenAt)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nMedians of the rounds (CPU time of the thread; min .. max of the rounds); ratio: median of "
                "the rounds' ratios:\n");
    bool all = true;
    for (const Result& r : Results()) {
        std::printf("%-30s %s %.3f (%.2f .. %.2f)  %s %.3f (%.2f .. %.2f)  ratio %.3f  goal %s  %s\n",
                    r.what.c_str(), r.a.name.c_str(), r.a.Med(), r.a.Min(), r.a.Max(), r.b.name.c_str(), r.b.Med(),
                    r.b.Min(), r.b.Max(), r.Ratio(), r.goal.c_str(), r.Met() ? "met" : "NOT MET");
        all = all && r.Met();
    }
    if (!Results().empty())
        std::printf("%s\n", all ? "every goal met" : "a goal was missed");
    benchmark::Shutdown();
    return 0;
}
