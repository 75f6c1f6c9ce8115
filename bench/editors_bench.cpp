// The table windows' files at full size in memory: load, check and write of
// each table beside QDomDocument reading and writing the same bytes. Each row
// carries dom_us and ours/dom (goal: below 1).
#include "editors/table_check.h"
#include "editors/table_codec.h"
#include "language.h"

#include <QDomDocument>
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

using namespace editors;

namespace {

// A valid row of each table, repeated to the table's full row count.
QStringList FullRow(const TableDef& def)
{
    QStringList row;
    for (const ColumnDef& c : def.columns)
        row.append(c.edit == Edit::Check ? QStringLiteral("N") : QStringLiteral("1"));
    if (&def == &kCanRecFrames || &def == &kCanSendFrames)
        row[1] = QStringLiteral("2.0A (11 bits)");
    if (&def == &kDNetNet || &def == &kNodeGuard)
        row[0] = QStringLiteral("1");
    row.last() = QStringLiteral("mnemonic a&b");
    return row;
}

int FullRows(const TableDef& def)
{
    return def.rows.parGenElement ? def.rows.max : def.rows.capacity;
}

double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

void BM_LoadCheckWrite(benchmark::State& state, const TableDef* def)
{
    const int rows = FullRows(*def);
    TableData full = EmptyTable(*def, rows);
    for (auto& row : full.sections[0])
        row = FullRow(*def);
    const QByteArray bytes = WriteTable(*def, full, def->types.front());
    double ours = 0, dom = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        TableData t = EmptyTable(*def, rows);
        ReadTable(*def, bytes, QStringLiteral("t.xml"), t);
        const CheckResult c = CheckTable(*def, t);
        const QByteArray out = WriteTable(*def, t, def->types.front());
        auto t1 = std::chrono::steady_clock::now();
        QDomDocument d;
        d.setContent(bytes);
        const QByteArray domOut = d.toByteArray(-1);
        auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(c.ok);
        benchmark::DoNotOptimize(out.size());
        benchmark::DoNotOptimize(domOut.size());
        ours += Seconds(t0, t1);
        dom += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t0, t1));
    }
    state.counters["rows"] = rows;
    state.counters["dom_us"] = dom * 1e6 / double(state.iterations());
    state.counters["ours/dom"] = dom > 0 ? ours / dom : 0;
}

} // namespace

int main(int argc, char** argv)
{
    Load_Default_Language();
    for (const TableDef* def : AllTableDefs())
        benchmark::RegisterBenchmark((std::string("LoadCheckWrite/") + def->objectName).c_str(), BM_LoadCheckWrite, def)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
