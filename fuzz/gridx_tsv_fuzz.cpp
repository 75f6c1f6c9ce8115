// Bytes as a TSV file of the gridx harness: what fills a grid writes back as
// TSV that fills another grid with the same cells; a file too wide or too long
// fails before any cell is written.
#include "controls/grid/core/ex_string_grid.h"
#include "tests/demo/gridx_tsv.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void Prepare(TExStringGrid& g)
{
    g.SetColCount(1);
    g.SetRowCount(1);
    g.SetFixedRows(0);
    g.SetFixedCols(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 14)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TExStringGrid g;
    Prepare(g);
    try {
        gridx::FillFromTsv(g, bytes);
    } catch (const GridError&) {
        Check(g.ColCount() == 1 && g.RowCount() == 1 && g.Cells(0, 0).isEmpty());
        return 0;
    }
    const QByteArray written = gridx::GridAsTsv(g);
    TExStringGrid h;
    Prepare(h);
    gridx::FillFromTsv(h, written);
    Check(h.ColCount() == g.ColCount() && h.RowCount() == g.RowCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            Check(h.Cells(c, r) == g.Cells(c, r));
    Check(gridx::GridAsTsv(h) == written);
    return 0;
}
