// The grid core's store beside Qt's item models on the same work: filling
// cells, inserting a row at the top, hiding every other row as a filter step
// and showing them again, and a row count of a million. Each row carries the
// Qt peer's time (qt_ms) and the ratio qt/ours.
#include "controls/grid/core/ex_string_grid.h"

#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

using namespace grid;

namespace {

constexpr int kRows = 200000;
constexpr int kCols = 4;

double Millis(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs ours and the peer once per iteration; ours is the iteration time.
void Compare(benchmark::State& state, const std::function<double()>& ours, const std::function<double()>& qt)
{
    double qtTotal = 0;
    double oursTotal = 0;
    for (auto _ : state) {
        const double o = ours();
        oursTotal += o;
        qtTotal += qt();
        state.SetIterationTime(o / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["qt_ms"] = qtTotal / n;
    state.counters["qt/ours"] = oursTotal > 0 ? qtTotal / oursTotal : 0;
}

QString Text(int r, int c)
{
    return QStringLiteral("r%1c%2").arg(r).arg(c);
}

void FillGrid(TExStringGrid& g)
{
    g.SetColCount(kCols);
    g.SetRowCount(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g.SetCells(c, r, Text(r, c));
}

void FillModel(QStandardItemModel& m)
{
    m.setColumnCount(kCols);
    m.setRowCount(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            m.setItem(r, c, new QStandardItem(Text(r, c)));
}

void BM_FillCells(benchmark::State& state)
{
    Compare(
        state,
        [] {
            TExStringGrid g;
            return Millis([&] { FillGrid(g); });
        },
        [] {
            QStandardItemModel m;
            return Millis([&] { FillModel(m); });
        });
}

void BM_InsertRowAtTop(benchmark::State& state)
{
    TExStringGrid g;
    FillGrid(g);
    QStandardItemModel m;
    FillModel(m);
    Compare(
        state, [&] { return Millis([&] { g.InsertRows(1, 1); }); },
        [&] { return Millis([&] { m.insertRow(1); }); });
}

void BM_HideAndShowEveryOtherRow(benchmark::State& state)
{
    TExStringGrid g;
    FillGrid(g);
    QStandardItemModel m;
    FillModel(m);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&m);
    proxy.setFilterKeyColumn(0);
    Compare(
        state,
        [&] {
            TIntList odd;
            for (int r = 1; r < kRows; r += 2)
                odd.Add(r);
            return Millis([&] {
                g.HideRowList(odd);
                g.UnHideRowList();
                g.SetFilterLevel(0);
            });
        },
        [&] {
            return Millis([&] {
                // Keeps the rows whose number ends in an even digit.
                proxy.setFilterRegularExpression(QRegularExpression(QStringLiteral("^r\\d*[02468]c")));
                proxy.setFilterRegularExpression(QRegularExpression());
            });
        });
}

void BM_MillionRowCount(benchmark::State& state)
{
    Compare(
        state,
        [] {
            TExStringGrid g;
            return Millis([&] {
                g.SetRowCount(1000000);
                g.SetRowCount(10);
            });
        },
        [] {
            QStandardItemModel m(0, kCols);
            return Millis([&] {
                m.setRowCount(1000000);
                m.setRowCount(10);
            });
        });
}

} // namespace

BENCHMARK(BM_FillCells)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_InsertRowAtTop)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(BM_HideAndShowEveryOtherRow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MillionRowCount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
