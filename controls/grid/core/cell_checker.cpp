// The grid's range checks through its cell checker.
#include "controls/grid/core/cell_checker.h"
#include "controls/grid/core/ex_string_grid.h"

namespace grid {

bool TExStringGrid::CheckCell(int col, int row)
{
    if (CellChecker == nullptr)
        return true;
    const bool useCorrect = CellChecker->UseCorrect;
    const bool useMarkError = CellChecker->UseMarkError;
    const QString unmarked = UnMarkText(Cells(col, row));
    QString text = unmarked;
    const int display = DisplColIndex(col);
    if (CellChecker->GotoCell && display >= 0)
        MoveColRow(display, row, true, true);
    // The checker may go away in any of its calls.
    if (useCorrect && CellChecker)
        text = CellChecker->Correct(col, row, unmarked);
    if (useMarkError && CellChecker)
        text = CellChecker->MarkError(col, row, unmarked);
    SetCells(col, row, text);
    return text == unmarked;
}

bool TExStringGrid::CheckCells(int fromCol, int fromRow, int toCol, int toRow)
{
    if (CellChecker == nullptr)
        return true;
    const int col = Col();
    const int row = Row();
    const bool gotoCell = CellChecker->GotoCell;
    CellChecker->StartCheck();
    bool ok = true;
    // A checker deleted on the way is no longer asked.
    for (int r = fromRow; r <= toRow && CellChecker; ++r)
        for (int c = fromCol; c <= toCol && CellChecker; ++c)
            ok = CheckCell(c, r) && ok; // every cell, also after a failure
    if (CellChecker)
        CellChecker->StopCheck();
    if (gotoCell)
        MoveColRow(col, row, true, true);
    return ok;
}

bool TExStringGrid::CheckCol(bool doFixed, int col)
{
    return CheckCells(col, doFixed ? 0 : FixedRows(), col, RowCount() - 1 - (doFixed ? 0 : FixedFooters()));
}

bool TExStringGrid::CheckRow(bool doFixed, int row)
{
    return CheckCells(doFixed ? 0 : FixedCols(), row, ColCount() - 1 - (doFixed ? 0 : FixedRightCols()), row);
}

bool TExStringGrid::CheckGrid(bool doFixed)
{
    if (doFixed)
        return CheckCells(0, 0, ColCount() - 1, RowCount() - 1);
    return CheckCells(FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1);
}

} // namespace grid
