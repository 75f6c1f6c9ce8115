// Bytes as an .xlsx package: the sheet list, then the active sheet loaded
// into a grid, where every value stands at its place in the used range.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/office/spreadsheet.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>
#include <map>

using namespace grid;
using namespace grid::office;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const SheetList list = ReadXlsxSheetNames(bytes);
        if (list.Names.isEmpty() || list.Active < 0 || list.Active >= list.Names.size())
            std::abort();
        const std::optional<Sheet> sheet = ReadXlsxSheet(bytes, std::nullopt);
        if (!sheet)
            std::abort();
        const SheetBounds b = sheet->Used().value_or(SheetBounds{});
        if (qint64(b.LastCol - b.FirstCol + 1) * (b.LastRow - b.FirstRow + 1) > 100000)
            return 0;
        TExStringGrid g;
        LoadSheet(g, *sheet);
        if (g.ColCount() != b.LastCol - b.FirstCol + 1 || g.RowCount() != b.LastRow - b.FirstRow + 1)
            std::abort();
        // The last value at a place is the one that stays; an error value none.
        std::map<std::pair<int, int>, const SheetCell*> last;
        for (const SheetCell& c : sheet->Cells)
            last[{c.Row, c.Col}] = &c;
        for (const auto& [place, cell] : last)
            if (g.GridCells(place.second - b.FirstCol, place.first - b.FirstRow) != (cell->Error ? QString() : cell->Text))
                std::abort();
    } catch (const GridError&) {
    }
    return 0;
}
