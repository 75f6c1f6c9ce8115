// The painted grid beside QTableWidget of the same size, columns and row
// height, offscreen with DejaVu Sans: filling 100,000 rows x 16 columns of
// text, reading them back, painting one screen into a QImage; our screen also
// at 1k, 100k and 1M rows, scrolled to the middle and the end; heap bytes per
// cell. Ratios ours/peer are printed at the end.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/grid_widget.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
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

void BM_Fill_Ours(benchmark::State& state)
{
    Texts();
    for (auto _ : state) {
        state.PauseTiming();
        auto g = NewGrid(kRows);
        state.ResumeTiming();
        FillOurs(*g, kRows);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
    const size_t before = HeapInUse();
    auto g = NewGrid(kRows);
    FillOursFresh(*g, kRows);
    state.counters["bytes_per_cell"] = double(HeapInUse() - before) / (double(kRows) * kCols);
}

void BM_Fill_Peer(benchmark::State& state)
{
    Texts();
    for (auto _ : state) {
        state.PauseTiming();
        auto t = NewTable(kRows);
        state.ResumeTiming();
        FillPeer(*t, kRows);
        state.PauseTiming();
        t.reset();
        state.ResumeTiming();
    }
    const size_t before = HeapInUse();
    auto t = NewTable(kRows);
    FillPeerFresh(*t, kRows);
    state.counters["bytes_per_cell"] = double(HeapInUse() - before) / (double(kRows) * kCols);
}

void BM_ReadBack_Ours(benchmark::State& state)
{
    auto g = NewGrid(kRows);
    FillOurs(*g, kRows);
    for (auto _ : state) {
        qsizetype sum = 0;
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                sum += g->Cells(c, r).size();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_ReadBack_Peer(benchmark::State& state)
{
    auto t = NewTable(kRows);
    FillPeer(*t, kRows);
    for (auto _ : state) {
        qsizetype sum = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                sum += t->item(r, c)->text().size();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_Screen_Ours(benchmark::State& state)
{
    auto g = NewGrid(kRows);
    FillOurs(*g, kRows);
    TGridWidget w(*g);
    w.resize(kScreen);
    w.show();
    QImage img(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        w.render(&img);
}

void BM_Screen_Peer(benchmark::State& state)
{
    auto t = NewTable(kRows);
    FillPeer(*t, kRows);
    t->resize(kScreen);
    t->show();
    QImage img(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        t->render(&img);
}

// Our screen at a row count, scrolled to the top, middle or end. Every
// shown row is filled with the same texts at every row count (longer row
// numbers in the texts would be more glyphs, not more rows); the other rows
// hold only their number.
void BM_ScreenAt(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int where = int(state.range(1)); // 0 top, 1 middle, 2 end
    auto g = NewGrid(rows);
    for (int r = 1; r <= rows; ++r)
        g->SetCells(0, r, QString::number(r));
    TGridWidget w(*g);
    w.resize(kScreen);
    w.show();
    const int top = where == 0 ? 1 : where == 1 ? rows / 2 : g->MaxTopRow();
    g->SetTopRow(top);
    for (int r = top; r <= std::min(rows, top + 60); ++r)
        for (int c = 1; c <= kCols; ++c)
            g->SetCells(c, r, Text(r - top + 1, c));
    QImage img(kScreen, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        w.render(&img);
}

BENCHMARK(BM_Fill_Ours)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Fill_Peer)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReadBack_Ours)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadBack_Peer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Screen_Ours)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_Screen_Peer)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ScreenAt)
    ->ArgsProduct({{1'000, 100'000, 1'000'000}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.5);

// Keeps every run's time (CPU) and counters by name for the ratios.
class KeepingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            times[r.benchmark_name()] = r.GetAdjustedCPUTime();
            if (auto it = r.counters.find("bytes_per_cell"); it != r.counters.end())
                bytes[r.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
    std::map<std::string, double> bytes;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    benchmark::Initialize(&argc, argv);
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* what, const std::string& ours, const std::string& peer) {
        if (reporter.times.count(ours) && reporter.times.count(peer))
            std::printf("%-28s ours/peer %.3f\n", what, reporter.times[ours] / reporter.times[peer]);
    };
    ratio("fill 100k x 16", "BM_Fill_Ours/iterations:2", "BM_Fill_Peer/iterations:2");
    ratio("read back 100k x 16", "BM_ReadBack_Ours/iterations:3", "BM_ReadBack_Peer/iterations:3");
    ratio("one screen", "BM_Screen_Ours/min_time:1.000", "BM_Screen_Peer/min_time:1.000");
    if (reporter.bytes.count("BM_Fill_Ours/iterations:2") && reporter.bytes.count("BM_Fill_Peer/iterations:2"))
        std::printf("%-28s ours %.1f peer %.1f ratio %.3f\n", "bytes per cell",
                    reporter.bytes["BM_Fill_Ours/iterations:2"], reporter.bytes["BM_Fill_Peer/iterations:2"],
                    reporter.bytes["BM_Fill_Ours/iterations:2"] / reporter.bytes["BM_Fill_Peer/iterations:2"]);
    for (const char* where : {"0", "1", "2"}) {
        const std::string small = std::string("BM_ScreenAt/1000/") + where + "/min_time:0.500";
        const std::string large = std::string("BM_ScreenAt/1000000/") + where + "/min_time:0.500";
        ratio((std::string("screen 1M/1k rows, pos ") + where).c_str(), large, small);
    }
    benchmark::Shutdown();
    return 0;
}
