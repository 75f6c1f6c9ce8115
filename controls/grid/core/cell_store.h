#pragma once
#include "controls/grid/core/cell_properties.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

namespace grid {

// One cell: an implicitly shared text and a lazy property slot.
struct Cell
{
    QString Text;
    std::unique_ptr<TCellProperties> Props;
};

// The cells of one row by real column. Rows are handled by pointer, so moving,
// hiding and showing rows never copies texts.
class RowRecord
{
public:
    RowRecord();
    ~RowRecord();
    RowRecord(const RowRecord&) = delete;
    RowRecord& operator=(const RowRecord&) = delete;

    int Size() const { return static_cast<int>(cells_.size()); }
    const Cell* At(int col) const
    {
        return static_cast<unsigned>(col) < cells_.size() ? &cells_[size_t(col)] : nullptr;
    }
    Cell* At(int col) { return static_cast<unsigned>(col) < cells_.size() ? &cells_[size_t(col)] : nullptr; }
    // The cell, growing the row as needed (col must lie in 0 .. kMaxColumns-1).
    // A row grows at once to widthHint cells, past it by doubling.
    Cell& Ensure(int col, int widthHint = 0);
    // Moves the cell at from to to; the cells between shift by one.
    void MoveCell(int from, int to);
    // n empty cells before at / n cells from at taken out (freed); cells
    // after them shift.
    void InsertCells(int at, int n);
    void RemoveCells(int at, int n);
    bool Empty() const;

    // Row records alive in the process (tests count them).
    static long LiveCount();

private:
    std::vector<Cell> cells_;
};

using RowHandle = std::unique_ptr<RowRecord>;

// The cell store: row handles by store row (the display row), cells by real
// column. Its size follows the highest row written, never the row count, so
// a large row count costs nothing and cells past the counts are kept.
class CellStore
{
public:
    // Rows past the last written one have no handle.
    int Extent() const { return static_cast<int>(rows_.size()); }

    static bool InRange(int col, int row) { return col >= 0 && col < kMaxColumns && row >= 0 && row < kMaxRows; }
    // The width new rows take at their first write (the grid's column count).
    void SetWidthHint(int columns) { widthHint_ = std::clamp(columns, 0, kMaxColumns); }

    QString Text(int col, int row) const
    {
        const Cell* c = CellAt(col, row);
        return c ? c->Text : QString();
    }
    // Outside the store limits nothing happens; writing an empty text never
    // creates a row record.
    void SetText(int col, int row, const QString& text);
    TCellProperties* Props(int col, int row) const;
    // Stores props in the slot and returns what was there.
    std::unique_ptr<TCellProperties> SetProps(int col, int row, std::unique_ptr<TCellProperties> props);
    std::unique_ptr<TCellProperties> TakeProps(int col, int row);
    // Inline: every cell read comes through here.
    const Cell* CellAt(int col, int row) const
    {
        const RowRecord* r = Row(row);
        return r ? r->At(col) : nullptr;
    }
    Cell* CellAt(int col, int row)
    {
        RowRecord* r = Row(row);
        return r ? r->At(col) : nullptr;
    }
    Cell* EnsureCell(int col, int row);
    RowRecord* Row(int row) const
    {
        return static_cast<unsigned>(row) < rows_.size() ? rows_[size_t(row)].get() : nullptr;
    }

    // Takes the handle of a row, leaving an empty row in its place.
    RowHandle ReleaseRow(int row);
    // Takes out the rows at the given ascending positions in one pass.
    std::vector<RowHandle> ExtractRows(const std::vector<int>& ascending);
    // Inserts n empty rows before row at; rows from at on move down.
    void InsertRows(int at, int n);
    // Takes n rows out from at (their handles, null where nothing was written);
    // the rows below move up.
    std::vector<RowHandle> TakeRows(int at, int n);
    // Puts handles in before row at.
    void InsertHandles(int at, std::vector<RowHandle> handles);
    // Puts each handle at its final row: positions ascending, as the rows
    // stand once all are in.
    void InsertHandlesAt(std::vector<std::pair<int, RowHandle>> sorted);
    // Moves row from to row to; rows between shift by one.
    void MoveRow(int from, int to);
    // Row left + k takes the handle of row order[k] (a permutation of
    // left .. left + n - 1).
    void PermuteRows(int left, const std::vector<int>& order);
    void SwapCells(int c1, int r1, int c2, int r2);

    // Every row record, in store order (empty slots skipped).
    template <typename F>
    void ForEachRow(F&& f)
    {
        for (size_t r = 0; r < rows_.size(); ++r)
            if (rows_[r])
                f(static_cast<int>(r), *rows_[r]);
    }

private:
    RowRecord* EnsureRow(int row);
    void Trim();

    std::vector<RowHandle> rows_;
    int widthHint_ = 0;
};

} // namespace grid
