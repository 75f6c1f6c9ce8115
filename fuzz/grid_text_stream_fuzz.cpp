// Bytes as a grid text stream (UTF-16 units) or, with the first byte odd, as
// a grid text file. A stream that fails leaves the grid as it was; what loads
// saves and loads again into the same texts.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/text_formats.h"

#include <QBuffer>
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
            out << g.Cells(c, r);
    return out;
}

void Fresh(TExStringGrid& g)
{
    g.SetColCount(3);
    g.SetRowCount(3);
    g.FMultilineCells = true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    TExStringGrid g;
    Fresh(g);
    g.SetCells(1, 1, QStringLiteral("kept"));
    const QStringList before = Texts(g);
    if (data[0] & 1) {
        try {
            LoadFromFileText(g, DecodeText(bytes), QStringLiteral("fuzz"));
        } catch (const GridError&) {
            Check(Texts(g) == before);
        }
        return 0;
    }
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    try {
        g.LoadFromStream(in);
    } catch (const GridError&) {
        Check(Texts(g) == before);
        return 0;
    }
    Check(in.pos() <= in.size());
    if (qint64(g.ColCount()) * g.RowCount() > 4096)
        return 0;
    QBuffer out;
    out.open(QIODevice::ReadWrite);
    g.SaveToStream(out);
    out.seek(0);
    TExStringGrid h;
    Fresh(h);
    h.LoadFromStream(out);
    Check(Texts(h) == Texts(g));
    return 0;
}
