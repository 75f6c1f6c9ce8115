// Bytes as an .xls file (FreeXL reads files only, so they go to a
// temporary file first): the sheet list, then the first sheet in a grid.
// The library runs in a child process of the reader: what is fuzzed here is
// our side, the hand-back and the refusal of whatever the child fails on.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/office/spreadsheet.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>

#include <cstdint>
#include <cstdlib>

using namespace grid;
using namespace grid::office;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        std::abort();
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.flush();
    try {
        const QStringList names = ReadXlsSheetNames(file.fileName()).Names;
        const std::optional<Sheet> sheet = ReadXlsSheet(file.fileName(), std::nullopt);
        if (names.isEmpty() || !sheet || sheet->Name != names.front())
            std::abort();
        const SheetBounds b = sheet->Used().value_or(SheetBounds{});
        if (qint64(b.LastCol - b.FirstCol + 1) * (b.LastRow - b.FirstRow + 1) > 100000)
            return 0;
        TExStringGrid g;
        LoadSheet(g, *sheet);
        for (const SheetCell& c : sheet->Cells)
            if (g.GridCells(c.Col - b.FirstCol, c.Row - b.FirstRow) != c.Text)
                std::abort();
    } catch (const GridError&) {
    }
    return 0;
}
