// Bytes as a sequence of grid operations: writes, counts, hiding, showing
// and moving columns and rows, merges and reads. Indices come from the bytes
// unchecked, so every path must bound them itself.
#include "controls/grid/core/ex_string_grid.h"

#include <cstdint>
#include <cstdlib>

using namespace grid;

namespace {

class Reader
{
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool More() const { return pos_ < size_; }
    int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Mostly small indices, now and then a far one (negative or huge).
    int Index()
    {
        const int b = Byte();
        if (b < 0xF0)
            return b % 40;
        switch (b & 7) {
        case 0:
            return -1 - Byte();
        case 1:
            return 510 + Byte() % 8;
        case 2:
            return kMaxRows - 1 + Byte() % 3;
        case 3:
            return kMaxColumns - 1 + Byte() % 3;
        default:
            return Byte() * 257;
        }
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    TExStringGrid g;
    g.SetClientSize(QSize(300, 200));
    int steps = 0;
    while (in.More() && steps++ < 400) {
        const int op = in.Byte() % 24;
        const int a = in.Index(), b = in.Index(), c = in.Index();
        switch (op) {
        case 0:
            g.SetCells(a, b, QString::number(c));
            break;
        case 1:
            g.SetAllCells(a, b, QString::number(c));
            break;
        case 2:
            // Large counts cost nothing, but hiding millions of rows is slow
            // work the tests measure; here counts stay moderate.
            g.SetRowCount(a < 0 ? a : a % 20000);
            break;
        case 3:
            g.SetColCount(a);
            break;
        case 4:
            g.HideColumns(a, b);
            break;
        case 5:
            g.UnHideColumns(a, b);
            break;
        case 6:
            g.HideRows(a, b);
            break;
        case 7:
            g.UnHideRows(a, b);
            break;
        case 8:
            g.MoveColumn(a, b);
            break;
        case 9:
            g.MoveRow(a, b);
            break;
        case 10:
            g.MoveRows(a, b, c % 5);
            break;
        case 11:
            g.MergeCells(a, b, c % 4, (c / 4) % 4);
            break;
        case 12:
            g.SplitCells(a, b);
            break;
        case 13:
            g.SetColors(a, b, clRed);
            break;
        case 14: {
            TIntList rows;
            for (int i = 0; i < c % 6; ++i)
                rows.Add(a + i * (b % 3 + 1));
            g.HideRowList(rows);
            break;
        }
        case 15:
            if (g.FilterLevel() > 0) {
                g.UnHideRowList();
                g.SetFilterLevel(g.FilterLevel() - 1);
            }
            break;
        case 16:
            g.InsertRows(a, c % 5);
            break;
        case 17:
            g.DeleteRows(a, c % 5);
            break;
        case 18:
            g.SetRowHeights(a, b);
            g.SetColWidths(b, c);
            break;
        case 19:
            g.FocusCell(a, b, true);
            g.SetTopRow(c);
            g.ScrollInView(a, b);
            break;
        case 20:
            try {
                g.SetRowSelect(a, b & 1);
                g.RowSelect(a);
            } catch (const GridError&) {
            }
            break;
        case 21:
            g.Navigation.AdvanceOnEnter = true;
            g.Navigation.SetAdvanceInsert(b & 1);
            g.Navigation.SetAdvanceDirection(static_cast<TAdvanceDirection>(c & 3));
            g.AdvanceEdit(g.Col(), g.Row(), true, false, a & 1, false, false);
            break;
        case 22:
            g.UnHideRowsAll();
            break;
        default: {
            // Reads must hold whatever came before.
            (void)g.Cells(a, b);
            (void)g.AllCells(a, b);
            (void)g.CellRect(a, b);
            (void)g.RealRowIndex(a);
            (void)g.DisplRowIndex(b);
            (void)g.RealColIndex(a);
            (void)g.DisplColIndex(b);
            int col, row;
            g.MouseToCell(a * 7, b * 7, col, row);
            (void)g.IsOnSizingBorder(a * 7, b * 7);
            (void)g.UsedCells();
            if (g.Selection().Bottom - g.Selection().Top < 1000)
                (void)g.SelectedText();
        }
        }
        if (g.RowCount() < 1 || g.ColCount() < 1 || g.NumHiddenColumns() < 0)
            std::abort();
        if (g.RowCount() + g.NumHiddenRows() > kMaxRows)
            std::abort();
    }
    return 0;
}
