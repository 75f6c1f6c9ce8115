#pragma once
#include <QString>

// What the common row and key helpers need of a table grid. Row 0 is the
// header row and column 0 the row-number column. Cells are addressed by real
// column: the data cells of a row are its columns 1..AllColCount()-1, hidden
// ones included. ColCount() and the current cell count shown columns only.
// The column grid implements this.
class GridServices
{
public:
    virtual ~GridServices() = default;
    virtual int RowCount() const = 0;
    // Shown columns.
    virtual int ColCount() const = 0;
    // Real columns: the shown ones and the hidden ones.
    virtual int AllColCount() const = 0;
    virtual QString GetCellEx(int col, int row) const = 0;
    virtual void SetCellEx(int col, int row, const QString& text) = 0;
    virtual int Col() const = 0;
    virtual int Row() const = 0;
    virtual void SetCol(int col) = 0;
    virtual void SetRow(int row) = 0;
    // Is the (real) column's editor the data check box?
    virtual bool IsCheckBoxColumn(int col) const = 0;
    virtual void AutoSizeCol(int col, int margin) = 0;
};
