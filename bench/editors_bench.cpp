// The table windows' files at full size in memory: load, check and write of
// each table beside QDomDocument reading and writing the same bytes. Each row
// carries dom_us and ours/dom (goal: below 1). Every section is full.
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
QStringList FullRow(const TableDef& def, size_t section, int r)
{
    QStringList row;
    const std::vector<ColumnDef>& columns = ColumnsOf(def, section);
    for (const ColumnDef& c : columns)
        row.append(c.edit == Edit::Check ? QStringLiteral("N") : QStringLiteral("1"));
    // Modbus TCP rows name a server; trap rows are enabled integers with
    // descriptions of their own.
    for (size_t c = 0; c < columns.size(); ++c) {
        const QLatin1String attr(columns[c].attr);
        if (attr == QLatin1String("IP_Address"))
            row[int(c)] = QStringLiteral("127.0.0.1");
        if (&def == &kSnmpTrapAccess && attr == QLatin1String("Enable"))
            row[int(c)] = QStringLiteral("Y");
        if (&def == &kSnmpTrapAccess && attr == QLatin1String("Type"))
            row[int(c)] = QStringLiteral("Int");
        if (attr == QLatin1String("Description"))
            row[int(c)] = QStringLiteral("d%1x%2").arg(section).arg(r);
    }
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
    for (size_t s = 0; s < full.sections.size(); ++s)
        for (int r = 0; r < rows; ++r)
            full.sections[s][size_t(r)] = FullRow(*def, s, r);
    const std::vector<int64_t> limits(def->sections.size(), 1439);
    const QByteArray bytes = WriteTable(*def, full, def->types.front());
    double ours = 0, dom = 0;
    bool passed = true;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        TableData t = EmptyTable(*def, rows);
        ReadTable(*def, bytes, QStringLiteral("t.xml"), t);
        const CheckResult c = CheckTable(*def, t, limits);
        const QByteArray out = WriteTable(*def, t, def->types.front());
        auto t1 = std::chrono::steady_clock::now();
        QDomDocument d;
        d.setContent(bytes);
        const QByteArray domOut = d.toByteArray(-1);
        auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(c.ok);
        passed = passed && c.ok;
        benchmark::DoNotOptimize(out.size());
        benchmark::DoNotOptimize(domOut.size());
        ours += Seconds(t0, t1);
        dom += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t0, t1));
    }
    state.counters["rows"] = rows;
    state.counters["check_ok"] = passed ? 1 : 0;   // the whole table was checked
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
