// Bytes as an XML document laid out in a grid under the layout options of the
// first byte; a document that fails changes nothing, and what loads is written
// again as a document the parser accepts.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/xml.h"

#include <QByteArray>
#include <QStringList>

#include <pugixml.hpp>

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
    const uint8_t flags = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetFixedRows(flags & 1);
    g.SetFixedCols(0);
    g.SaveFixedCells = (flags & 2) != 0;
    g.QuoteEmptyCells = (flags & 4) != 0;
    g.SetCells(1, 1, QStringLiteral("kept"));
    const QStringList before = Texts(g);
    try {
        LoadFromXMLBytes(g, bytes, (flags & 8) != 0, (flags & 16) != 0);
    } catch (const GridError&) {
        Check(Texts(g) == before);
        return 0;
    }
    if (qint64(g.ColCount()) * g.RowCount() > 20000)
        return 0;
    static const char* kEncodings[] = {"ISO-8859-1", "UTF-8", "windows-1252", "US-ASCII"};
    g.XMLEncoding = QString::fromLatin1(kEncodings[(flags >> 5) & 3]);
    const QByteArray out = SaveToXMLBytes(g, QStringLiteral("list"), QStringLiteral("rec"), nullptr, true);
    TExStringGrid h;
    LoadFromXMLBytes(h, out, false, false);
    return 0;
}
