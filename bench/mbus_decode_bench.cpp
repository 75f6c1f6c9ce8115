// Decoding every telegram of the M-Bus test suite (check, header, records,
// value information) beside reading the same frames' reference decodings
// (.xml) with QXmlStreamReader. The decoder's row carries the reader's time
// per telegram and the ratio decode/read; the goal is at most 0.5.
#include "mbus/core/telegram.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

struct Suite
{
    std::vector<std::vector<uint8_t>> frames;
    std::vector<QByteArray> references;
};

const Suite& Load()
{
    static const Suite suite = [] {
        Suite s;
        const QDir dir(QStringLiteral(ORVANO_SOURCE_DIR "/tests/mbus/data/telegrams/frames"));
        for (const QString& name : dir.entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name)) {
            QFile hex(dir.filePath(name));
            QFile xml(dir.filePath(name.chopped(4) + QStringLiteral(".xml")));
            if (!hex.open(QIODevice::ReadOnly) || !xml.open(QIODevice::ReadOnly))
                continue;
            std::vector<uint8_t> bytes;
            for (const QByteArray& t : hex.readAll().simplified().split(' '))
                bytes.push_back(static_cast<uint8_t>(t.toUInt(nullptr, 16)));
            s.frames.push_back(std::move(bytes));
            s.references.push_back(xml.readAll());
        }
        return s;
    }();
    return suite;
}

// Every telegram decoded into a meter of a fresh list.
size_t DecodeAll(const Suite& s, const mbus::DecodeContext& ctx)
{
    mbus::WiredSlaves list;
    size_t records = 0;
    for (const auto& f : s.frames) {
        bool more = false;
        const int i = mbus::Add_Wired_Slave(list, -1, mbus::Bytes(f.data(), f.size()), more, ctx);
        records += i >= 0 ? list[i]->List_Var.size() : 0;
    }
    return records;
}

// Every reference read token by token, its texts taken.
qsizetype ReadAll(const Suite& s)
{
    qsizetype chars = 0;
    for (const QByteArray& x : s.references) {
        QXmlStreamReader r(x);
        while (!r.atEnd())
            if (r.readNext() == QXmlStreamReader::Characters)
                chars += r.text().size();
    }
    return chars;
}

template <class F>
double SecondsPerRun(F&& run)
{
    double best = 1e9;
    for (int rep = 0; rep < 5; ++rep) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 20; ++i)
            benchmark::DoNotOptimize(run());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / 20);
    }
    return best;
}

void Decode(benchmark::State& state)
{
    const Suite& s = Load();
    const mbus::DecodeContext ctx = mbus::DecodeContext::Now();
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeAll(s, ctx));
    const auto n = static_cast<double>(s.frames.size());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s.frames.size()));
    const double decode = SecondsPerRun([&] { return DecodeAll(s, ctx); });
    const double read = SecondsPerRun([&] { return ReadAll(s); });
    state.counters["telegrams"] = n;
    state.counters["decode_us"] = decode / n * 1e6;
    state.counters["read_us"] = read / n * 1e6;
    state.counters["decode/read"] = decode / read;
}
BENCHMARK(Decode)->Unit(benchmark::kMicrosecond);

void ReferenceRead(benchmark::State& state)
{
    const Suite& s = Load();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAll(s));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s.references.size()));
}
BENCHMARK(ReferenceRead)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
