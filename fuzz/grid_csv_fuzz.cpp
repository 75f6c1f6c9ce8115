// Bytes as a CSV file: the first byte picks the delimiter (or detection),
// JavaCSV, OEM texts and skipping the first line. Without JavaCSV what loads
// saves and loads again into the same cells.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/csv.h"

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
    for (int r = 0; r < g.RowCount(); ++r) {
        QString line;
        for (int c = 0; c < g.ColCount(); ++c)
            line += g.Cells(c, r) + QChar(0x2063);
        out << line;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    const uint8_t flags = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    static const QChar kDelimiters[] = {QChar(), QChar(u','), QChar(u';'), QChar(u'\t')};
    TExStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.Delimiter = kDelimiters[flags & 3];
    g.JavaCSV = (flags & 4) != 0;
    g.OemConvert = (flags & 8) != 0;
    g.LoadFirstRow = (flags & 16) == 0;
    const QString text = DecodeCsvBytes(bytes, g.OemConvert);
    try {
        LoadFromCSVText(g, text, (flags & 32) ? 5 : 0, (flags & 64) != 0);
    } catch (const GridError&) {
        Check(text.isEmpty());
        return 0;
    }
    Check(g.Delimiter == kDelimiters[flags & 3]);
    if (g.JavaCSV || g.Delimiter.isNull() || g.OemConvert || g.ColCount() > 200)
        return 0;
    const QString saved = SaveToCSVText(g);
    TExStringGrid h;
    h.SetColCount(1);
    h.SetRowCount(1);
    h.SetFixedRows(0);
    h.SetFixedCols(0);
    h.Delimiter = g.Delimiter;
    LoadFromCSVText(h, saved, 0, false);
    if (h.ColCount() < g.ColCount())
        h.SetColCount(g.ColCount());
    Check(Texts(h) == Texts(g));
    return 0;
}
