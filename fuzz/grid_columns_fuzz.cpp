// Bytes as a column definition stream (LoadColumnsFromStream) and as an INI
// file of column positions (LoadColumnPositions). A stream that loads saves
// and loads again the same; positions apply only as a whole permutation.
#include "controls/grid/core/ex_column_grid.h"
#include "platform/text/ini_file.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace grid;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

TExColumnGrid& Fresh(TExColumnGrid& g)
{
    g.SetColCount(6);
    for (int i = 0; i < 6; ++i)
        g.Columns()[i]->SetHeader(QStringLiteral("H%1").arg(i));
    g.Loaded();
    return g;
}

void StreamRoundTrip(const QByteArray& bytes)
{
    TExColumnGrid g;
    Fresh(g);
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    try {
        g.LoadColumnsFromStream(in);
    } catch (const GridError&) {
        Check(g.Columns().Count() == 6); // nothing changed
        return;
    }
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    g.SaveColumnsToStream(out);
    out.seek(0);
    TExColumnGrid again;
    again.LoadColumnsFromStream(out); // what was saved must load
    Check(again.Columns().Count() == g.Columns().Count());
    for (int i = 0; i < g.Columns().Count(); ++i)
        Check(again.Columns()[i]->Header() == g.Columns()[i]->Header());
}

void Positions(const QByteArray& bytes)
{
    const platform::IniFile ini = platform::IniFile::FromBytes(bytes);
    Check(platform::IniFile::FromBytes(ini.ToBytes()).ToBytes() == ini.ToBytes());
    TExColumnGrid g;
    Fresh(g);
    g.HideColumn(4);
    const QString section = ini.Sections().value(0);
    g.LoadColumnPositions(ini, section);
    // Every designed column is shown once, wherever it stands.
    std::vector<int> seen(6, 0);
    for (int i = 0; i < g.Columns().Count(); ++i) {
        const int d = g.Columns()[i]->DefIdx;
        Check(d >= 0 && d < 6 && !seen[size_t(d)]++);
        Check(g.Cells(i, 0) == QStringLiteral("H%1").arg(d));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    StreamRoundTrip(bytes);
    Positions(bytes);
    return 0;
}
