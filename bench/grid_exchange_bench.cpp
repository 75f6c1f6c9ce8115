// Grid file exchange: CSV save and load of 100,000 rows of 10 columns beside a
// QStandardItemModel written and filled through QTextStream, and the cell
// stream (its indices are 16-bit: 65,000 rows) beside QDataStream of the same
// texts. Each row carries the median CPU time of ours and of the peer over
// rounds alternating which side goes first, and ours/peer (goal: at most 1);
// CPU time, so the flush of the atomic file replace is not counted.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/csv.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

using namespace grid;

namespace {

constexpr int kCsvRows = 100000;
constexpr int kStreamRows = 65000;
constexpr int kCols = 10;

// CPU time of this thread in milliseconds.
class CpuTimer
{
public:
    void start() { start_ = Now(); }
    double ms() const { return Now() - start_; }

private:
    static double Now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    double start_ = 0;
};

QString CellText(int c, int r)
{
    return (c % 4 == 3) ? QStringLiteral("a \"quoted\", %1").arg(r) : QStringLiteral("r%1c%2").arg(r).arg(c);
}

void Fill(TExStringGrid& g, int kRows)
{
    g.SetColCount(kCols);
    g.SetRowCount(kRows);
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g.SetCells(c, r, CellText(c, r));
}

// The plain reader: lines, QString::split at the delimiter, into the model.
void PeerLoad(QStandardItemModel& model, const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    QTextStream in(&f);
    model.setColumnCount(kCols);
    int row = 0;
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(u',');
        if (row >= model.rowCount())
            model.setRowCount(row + 1000);
        for (int c = 0; c < fields.size() && c < kCols; ++c)
            model.setItem(row, c, new QStandardItem(fields[c]));
        ++row;
    }
    model.setRowCount(row);
}

void PeerSave(QStandardItemModel& model, const QString& file)
{
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    QTextStream out(&f);
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            if (c)
                out << ',';
            out << model.item(r, c)->text();
        }
        out << "\r\n";
    }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Hands the heap's free pages back, so the next run starts from the same
// allocator state whichever side ran before it.
void ReleaseFreeMemory()
{
    malloc_trim(0);
}

constexpr int kRounds = 5;

// One untimed round of each side, then kRounds timed ones, the side going
// first alternating. Each run returns its CPU milliseconds; what it made is
// freed (untimed) before it returns. The row carries the medians.
template <typename Ours, typename Peer>
void Compare(benchmark::State& state, Ours&& ours, Peer&& peer)
{
    ReleaseFreeMemory();
    std::vector<double> oursMs;
    std::vector<double> peerMs;
    for (auto _ : state) {
        for (int round = -1; round < kRounds; ++round) {
            const bool oursFirst = round % 2 == 0;
            for (int side = 0; side < 2; ++side) {
                const bool runOurs = (side == 0) == oursFirst;
                const double ms = runOurs ? ours() : peer();
                ReleaseFreeMemory();
                if (round >= 0)
                    (runOurs ? oursMs : peerMs).push_back(ms);
            }
        }
    }
    const double o = Median(oursMs);
    const double p = Median(peerMs);
    state.counters["ours_ms"] = o;
    state.counters["peer_ms"] = p;
    state.counters["ours/peer"] = o / p;
}

void CsvSave(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString ourFile = dir.filePath(QStringLiteral("ours.csv"));
    const QString peerFile = dir.filePath(QStringLiteral("peer.csv"));
    auto source = std::make_unique<TExStringGrid>();
    Fill(*source, kCsvRows);
    SaveToCSV(*source, ourFile);
    auto model = std::make_unique<QStandardItemModel>();
    PeerLoad(*model, ourFile);
    Compare(
        state,
        [&] {
            CpuTimer t;
            t.start();
            SaveToCSV(*source, ourFile);
            return t.ms();
        },
        [&] {
            CpuTimer t;
            t.start();
            PeerSave(*model, peerFile);
            return t.ms();
        });
    source.reset();
    model.reset();
    ReleaseFreeMemory();
}
BENCHMARK(CsvSave)->Iterations(1)->Unit(benchmark::kMillisecond);

void CsvLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ours.csv"));
    {
        TExStringGrid source;
        Fill(source, kCsvRows);
        SaveToCSV(source, file);
    }
    Compare(
        state,
        [&] {
            TExStringGrid g;
            CpuTimer t;
            t.start();
            LoadFromCSV(g, file);
            const double ms = t.ms();
            if (g.RowCount() != kCsvRows)
                state.SkipWithError("rows lost");
            return ms;
        },
        [&] {
            QStandardItemModel model;
            CpuTimer t;
            t.start();
            PeerLoad(model, file);
            const double ms = t.ms();
            if (model.rowCount() != kCsvRows)
                state.SkipWithError("peer rows lost");
            return ms;
        });
}
BENCHMARK(CsvLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

void CellStreamSave(benchmark::State& state)
{
    auto source = std::make_unique<TExStringGrid>();
    Fill(*source, kStreamRows);
    const TGridRect all{0, 0, kCols - 1, kStreamRows - 1};
    Compare(
        state,
        [&] {
            CpuTimer t;
            t.start();
            const QByteArray out = SaveRectToBinBytes(*source, all);
            benchmark::DoNotOptimize(out.size());
            return t.ms();
        },
        [&] {
            CpuTimer t;
            t.start();
            QByteArray out;
            QDataStream s(&out, QIODevice::WriteOnly);
            for (int r = 0; r < kStreamRows; ++r)
                for (int c = 0; c < kCols; ++c)
                    s << qint32(c) << qint32(r) << source->Cells(c, r);
            benchmark::DoNotOptimize(out.size());
            return t.ms();
        });
    source.reset();
    ReleaseFreeMemory();
}
BENCHMARK(CellStreamSave)->Iterations(1)->Unit(benchmark::kMillisecond);

void CellStreamLoad(benchmark::State& state)
{
    QByteArray bytes;
    QByteArray peerBytes;
    {
        TExStringGrid source;
        Fill(source, kStreamRows);
        bytes = SaveRectToBinBytes(source, TGridRect{0, 0, kCols - 1, kStreamRows - 1});
        QDataStream out(&peerBytes, QIODevice::WriteOnly);
        for (int r = 0; r < kStreamRows; ++r)
            for (int c = 0; c < kCols; ++c)
                out << qint32(c) << qint32(r) << source.Cells(c, r);
    }
    Compare(
        state,
        [&] {
            TExStringGrid g;
            CpuTimer t;
            t.start();
            LoadAtPointFromBinBytes(g, {0, 0}, bytes);
            return t.ms();
        },
        [&] {
            QStandardItemModel model(kStreamRows, kCols);
            CpuTimer t;
            t.start();
            QDataStream in(peerBytes);
            qint32 c = 0;
            qint32 r = 0;
            QString text;
            while (!in.atEnd()) {
                in >> c >> r >> text;
                model.setItem(r, c, new QStandardItem(text));
            }
            return t.ms();
        });
}
BENCHMARK(CellStreamLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
