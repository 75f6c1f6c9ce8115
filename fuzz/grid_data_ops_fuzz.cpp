// Bytes as cell texts and filter conditions, then a sequence of the grid's
// data operations: sorts and the way back, filter levels, narrowing down,
// column insertion and removal, row removal, duplicates, node rows and
// grouping. A sort followed at once by QUnSort must give the grid back.
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
    // Up to 12 bytes as Latin-1 text (numbers, dates, wildcards, quotes).
    QString Text()
    {
        const int n = Byte() % 13;
        QString s;
        for (int i = 0; i < n && More(); ++i)
            s += QChar(Byte());
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

QStringList Texts(const TExStringGrid& g)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.AllColCount(); ++c)
            out << g.AllCells(c, r);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    TExStringGrid g;
    const int cols = 2 + in.Byte() % 5;
    const int rows = 2 + in.Byte() % 24;
    g.SetColCount(cols);
    g.SetRowCount(rows);
    for (int r = 1; r < rows; ++r)
        for (int c = 1; c < cols; ++c)
            g.SetCells(c, r, in.Text());
    int steps = 0;
    while (in.More() && steps++ < 60) {
        const int op = in.Byte() % 16;
        const int a = in.Byte() % 10;
        const int b = in.Byte() % 10;
        try {
            switch (op) {
            case 0: {
                g.SortSettings.IgnoreBlanks = b & 1;
                g.SortSettings.BlankPos = b & 2 ? blLast : blFirst;
                g.SortSettings.Full = b & 4;
                g.SortSettings.IgnoreCase = b & 8;
                g.InitSortXRef();
                const QStringList before = Texts(g);
                g.Sort(a % g.AllColCount(), b & 16 ? sdDescending : sdAscending);
                g.QUnSort();
                Check(Texts(g) == before);
                break;
            }
            case 1:
                g.Sort(a % g.AllColCount(), b & 1 ? sdDescending : sdAscending);
                break;
            case 2: {
                g.Filter.Clear();
                TFilterData& d = g.Filter.Add();
                d.Column = static_cast<qint16>(a);
                d.Condition = in.Text();
                d.CaseSensitive = b & 1;
                g.ApplyFilter();
                break;
            }
            case 3:
                g.RemoveLastFilter();
                break;
            case 4:
                g.NarrowDown(in.Text(), a % 3 == 0 ? -1 : a);
                break;
            case 5:
                g.InsertCols(a, b % 3);
                break;
            case 6:
                g.RemoveCols(a, b % 3);
                break;
            case 7:
                g.RemoveRows(a, b % 4);
                break;
            case 8:
                g.RemoveDuplicates(a, b & 1);
                break;
            case 9:
                g.AddNode(a, b);
                break;
            case 10:
                g.ContractNode(a);
                break;
            case 11:
                g.ExpandNode(a);
                break;
            case 12:
                g.Grouping.Summary = b & 1;
                g.Group(a);
                break;
            case 13:
                g.UnGroup();
                break;
            case 14:
                g.HideColumn(a);
                break;
            default:
                g.RemoveAllFilters();
                g.ExpandAll();
                break;
            }
        } catch (const GridError&) {
        }
        Check(g.RowCount() >= 1 && g.ColCount() >= 1 && g.NumHiddenColumns() >= 0);
    }
    return 0;
}
