// Bytes as a cell stream loaded into a small grid at a point taken from the
// first byte. A stream that fails leaves the grid as it was; one that loads
// saves and loads again into the same cells.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

QStringList Texts(TExStringGrid& g)
{
    QStringList out;
    out << QString::number(g.ColCount()) << QString::number(g.RowCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            out << g.GridCells(c, r);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    const QPoint at(data[0] & 3, (data[0] >> 2) & 3);
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    TExStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetCells(1, 1, QStringLiteral("kept"));
    const QStringList before = Texts(g);
    try {
        LoadAtPointFromBinBytes(g, at, bytes);
    } catch (const GridError&) {
        Check(Texts(g) == before);
        return 0;
    }
    if (g.RowCount() > 64 || g.ColCount() > 64)
        return 0;
    // What loaded saves and loads again the same.
    const QByteArray again = SaveRectToBinBytes(g, {0, 0, g.ColCount() - 1, g.RowCount() - 1});
    TExStringGrid h;
    h.SetColCount(1);
    h.SetRowCount(1);
    LoadAtPointFromBinBytes(h, {0, 0}, again);
    Check(Texts(h) == Texts(g));
    return 0;
}
