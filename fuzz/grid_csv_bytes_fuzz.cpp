// Bytes as a CSV file, loaded from the bytes and from their decoded text: the
// first byte picks the delimiter (or detection), JavaCSV, OEM texts and
// skipping the first line; both grids must hold the same cells.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/csv.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

QStringList Texts(TExStringGrid& g)
{
    QStringList out;
    out << QString::number(g.RowCount()) << QString::number(g.ColCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            out << g.Cells(c, r);
    return out;
}

// False when loading failed.
bool Load(TExStringGrid& g, uint8_t flags, const QByteArray& bytes, bool fromBytes)
{
    static const QChar kDelimiters[] = {QChar(), QChar(u','), QChar(u';'), QChar(0xA7)};
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.Delimiter = kDelimiters[flags & 3];
    g.JavaCSV = (flags & 4) != 0;
    g.OemConvert = (flags & 8) != 0;
    g.LoadFirstRow = (flags & 16) == 0;
    try {
        if (fromBytes)
            LoadFromCSVBytes(g, bytes, (flags & 32) ? 5 : 0, (flags & 64) != 0);
        else
            LoadFromCSVText(g, DecodeCsvBytes(bytes, g.OemConvert), (flags & 32) ? 5 : 0, (flags & 64) != 0);
    } catch (const GridError&) {
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    const uint8_t flags = data[0];
    QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    // Bit 7 puts a UTF-8 mark in front.
    if (flags & 128)
        bytes.prepend("\xEF\xBB\xBF");
    TExStringGrid a;
    TExStringGrid b;
    const bool okA = Load(a, flags, bytes, true);
    const bool okB = Load(b, flags, bytes, false);
    if (okA != okB || Texts(a) != Texts(b))
        std::abort();
    return 0;
}
