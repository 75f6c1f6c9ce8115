// The grid's sorting and filtering beside a sort-filter proxy over a standard
// item model: 100,000 seeded rows below one fixed row, 8 columns (one
// hidden), a text column from a small vocabulary and a column of decimal
// texts (the peer holds it as a double under its sort role). Each iteration
// starts from the unsorted, unfiltered grid, restored untimed. Each row
// carries the peer's time (qt_ms) and the ratio ours/qt (goal: below 1).
#include "controls/grid/core/ex_string_grid.h"

#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <random>

using namespace grid;

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 8;
constexpr int kTextCol = 2;
constexpr int kNumberCol = 3;
constexpr int kHiddenCol = 6;
constexpr int kSortRole = Qt::UserRole + 1;
constexpr double kLow = 250.0;
constexpr double kHigh = 750.0;

const char* const kWords[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel"};

double Millis(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The same seeded cells for both sides.
struct Data
{
    std::vector<std::array<QString, kCols>> rows;
    std::vector<double> numbers;

    Data()
    {
        std::mt19937 rng(1234);
        rows.resize(kRows);
        numbers.resize(kRows);
        for (int r = 0; r < kRows; ++r) {
            const double v = static_cast<double>(rng() % 100000) / 100.0;
            numbers[size_t(r)] = v;
            for (int c = 0; c < kCols; ++c)
                rows[size_t(r)][size_t(c)] = QStringLiteral("r%1c%2").arg(r).arg(c);
            rows[size_t(r)][kTextCol] = QString::fromLatin1(kWords[rng() % 8]);
            rows[size_t(r)][kNumberCol] = QString::number(v, 'f', 2);
        }
    }
};

const Data& Seeded()
{
    static const Data data;
    return data;
}

class RangeProxy : public QSortFilterProxyModel
{
public:
    bool ranged = false;
    void SetRanged(bool value)
    {
        ranged = value;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        if (!ranged)
            return true;
        const double v = sourceModel()->index(row, kNumberCol, parent).data(kSortRole).toDouble();
        return v >= kLow && v <= kHigh;
    }
};

struct Sides
{
    TExStringGrid grid;
    QStandardItemModel model;
    RangeProxy proxy;

    Sides()
    {
        const Data& d = Seeded();
        grid.SetColCount(kCols);
        grid.SetRowCount(kRows + 1);
        for (int c = 0; c < kCols; ++c)
            grid.SetCells(c, 0, QStringLiteral("head%1").arg(c));
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                grid.SetCells(c, r + 1, d.rows[size_t(r)][size_t(c)]);
        grid.HideColumn(kHiddenCol);
        grid.SortSettings.Full = false;
        grid.InitSortXRef();

        model.setColumnCount(kCols);
        model.setRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                auto* item = new QStandardItem(d.rows[size_t(r)][size_t(c)]);
                item->setData(c == kNumberCol ? QVariant(d.numbers[size_t(r)]) : QVariant(item->text()), kSortRole);
                model.setItem(r, c, item);
            }
        proxy.setDynamicSortFilter(false);
        proxy.setSortRole(kSortRole);
        proxy.setSourceModel(&model);
    }
};

Sides& Shared()
{
    static Sides sides;
    return sides;
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
    state.counters["ours/qt"] = qtTotal > 0 ? oursTotal / qtTotal : 0;
}

void SortCase(benchmark::State& state, int col, bool descending)
{
    Sides& s = Shared();
    Compare(
        state,
        [&] {
            const double t = Millis([&] { s.grid.Sort(col, descending ? sdDescending : sdAscending); });
            s.grid.QUnSort();
            return t;
        },
        [&] {
            const double t = Millis([&] { s.proxy.sort(col, descending ? Qt::DescendingOrder : Qt::AscendingOrder); });
            s.proxy.sort(-1);
            return t;
        });
}

void BM_SortText(benchmark::State& state)
{
    SortCase(state, kTextCol, false);
}

void BM_SortNumberUp(benchmark::State& state)
{
    SortCase(state, kNumberCol, false);
}

void BM_SortNumberDown(benchmark::State& state)
{
    SortCase(state, kNumberCol, true);
}

void BM_FilterRangeAndRemove(benchmark::State& state)
{
    Sides& s = Shared();
    Compare(
        state,
        [&] {
            return Millis([&] {
                s.grid.Filter.Clear();
                TFilterData& d = s.grid.Filter.Add();
                d.Column = kNumberCol;
                d.Condition = QStringLiteral(">=250&<=750");
                s.grid.ApplyFilter();
                benchmark::DoNotOptimize(s.grid.RowCount());
                s.grid.RemoveLastFilter();
            });
        },
        [&] {
            return Millis([&] {
                s.proxy.SetRanged(true);
                benchmark::DoNotOptimize(s.proxy.rowCount());
                s.proxy.SetRanged(false);
            });
        });
}

void BM_UnSort(benchmark::State& state)
{
    Sides& s = Shared();
    Compare(
        state,
        [&] {
            s.grid.Sort(kNumberCol, sdAscending);
            return Millis([&] { s.grid.QUnSort(); });
        },
        [&] {
            s.proxy.sort(kNumberCol, Qt::AscendingOrder);
            return Millis([&] { s.proxy.sort(-1); });
        });
}

} // namespace

BENCHMARK(BM_SortText)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumberUp)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumberDown)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterRangeAndRemove)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnSort)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
