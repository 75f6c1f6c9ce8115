// Grid file exchange: CSV save and load of 100,000 rows of 10 columns beside a
// QStandardItemModel written and filled through QTextStream, and the cell
// stream (its indices are 16-bit: 65,000 rows) beside QDataStream of the same
// texts. Each row carries our CPU time, the peer's and ours/peer (goal: at
// most 1); CPU time, so the flush of the atomic file replace is not counted.
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

#include <ctime>

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
    model.clear();
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

void Report(benchmark::State& state, double ours, double peer)
{
    state.counters["ours_ms"] = ours;
    state.counters["peer_ms"] = peer;
    state.counters["ours/peer"] = ours / peer;
}

void CsvSaveLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString ourFile = dir.filePath(QStringLiteral("ours.csv"));
    const QString peerFile = dir.filePath(QStringLiteral("peer.csv"));
    TExStringGrid source;
    Fill(source, kCsvRows);
    const bool load = state.range(0) == 1;
    double ours = 0;
    double peer = 0;
    QStandardItemModel model;
    SaveToCSV(source, ourFile);
    PeerLoad(model, ourFile);
    for (auto _ : state) {
        CpuTimer t;
        if (load) {
            TExStringGrid g;
            t.start();
            LoadFromCSV(g, ourFile);
            ours += t.ms();
            if (g.RowCount() != kCsvRows)
                state.SkipWithError("rows lost");
            t.start();
            PeerLoad(model, ourFile);
            peer += t.ms();
        } else {
            t.start();
            SaveToCSV(source, ourFile);
            ours += t.ms();
            t.start();
            PeerSave(model, peerFile);
            peer += t.ms();
        }
    }
    Report(state, ours / state.iterations(), peer / state.iterations());
}
BENCHMARK(CsvSaveLoad)->Arg(0)->Arg(1)->ArgName("load")->Iterations(3)->Unit(benchmark::kMillisecond);

void CellStreamSaveLoad(benchmark::State& state)
{
    const int kRows = kStreamRows;
    TExStringGrid source;
    Fill(source, kRows);
    const bool load = state.range(0) == 1;
    const TGridRect all{0, 0, kCols - 1, kRows - 1};
    const QByteArray bytes = SaveRectToBinBytes(source, all);
    QByteArray peerBytes;
    {
        QDataStream out(&peerBytes, QIODevice::WriteOnly);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                out << qint32(c) << qint32(r) << source.Cells(c, r);
    }
    double ours = 0;
    double peer = 0;
    for (auto _ : state) {
        CpuTimer t;
        if (load) {
            {
                // Each side's cells are freed before the other side runs.
                TExStringGrid g;
                t.start();
                LoadAtPointFromBinBytes(g, {0, 0}, bytes);
                ours += t.ms();
            }
            QStandardItemModel model(kRows, kCols);
            t.start();
            QDataStream in(peerBytes);
            qint32 c = 0;
            qint32 r = 0;
            QString text;
            while (!in.atEnd()) {
                in >> c >> r >> text;
                model.setItem(r, c, new QStandardItem(text));
            }
            peer += t.ms();
        } else {
            t.start();
            const QByteArray out = SaveRectToBinBytes(source, all);
            benchmark::DoNotOptimize(out.size());
            ours += t.ms();
            t.start();
            QByteArray peerOut;
            QDataStream s(&peerOut, QIODevice::WriteOnly);
            for (int r = 0; r < kRows; ++r)
                for (int c = 0; c < kCols; ++c)
                    s << qint32(c) << qint32(r) << source.Cells(c, r);
            benchmark::DoNotOptimize(peerOut.size());
            peer += t.ms();
        }
    }
    Report(state, ours / state.iterations(), peer / state.iterations());
}
BENCHMARK(CellStreamSaveLoad)->Arg(0)->Arg(1)->ArgName("load")->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
