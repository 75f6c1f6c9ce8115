// What follows a column move: the sort column and the sort indexes stay on
// the data they named, and a grid synchronised on column moves moves the
// same column once.
#include "controls/grid/core/ex_string_grid.h"

namespace grid {

namespace {

// Where a real column index lies after the column at from moved to to.
int FollowMove(int col, int from, int to)
{
    if (col == from)
        return to;
    if (from < to && col > from && col <= to)
        return col - 1;
    if (to < from && col >= to && col < from)
        return col + 1;
    return col;
}

} // namespace

void TExStringGrid::ColumnMovedSortUpdate(int realFrom, int realTo)
{
    if (SortSettings.Column >= 0)
        SortSettings.Column = FollowMove(SortSettings.Column, realFrom, realTo);
    if (SortSettings.IndexShow) {
        for (int i = 0; i < SortIndexes.Count(); ++i)
            SortIndexes.SetSortColumns(i, FollowMove(SortIndexes.GetSortColumns(i), realFrom, realTo));
    }

    TExStringGrid* partner = SyncGrid.Grid();
    if (partner == nullptr || !SyncGrid.MoveColumn || FSyncedMove)
        return;
    // The display positions of the move: the moved column's now, and the
    // one it had (the shown columns before it then).
    const int to = DisplColIndex(realTo);
    int from = 0;
    if (realFrom < realTo) {
        for (int c = 0; c < realFrom; ++c)
            from += IsHiddenColumn(c) ? 0 : 1;
    } else {
        for (int c = 0; c < realTo; ++c)
            from += IsHiddenColumn(c) ? 0 : 1;
        for (int c = realTo + 1; c <= realFrom; ++c)
            from += IsHiddenColumn(c) ? 0 : 1;
    }
    partner->FSyncedMove = true;
    partner->MoveColumn(from, to);
    partner->FSyncedMove = false;
}

} // namespace grid
