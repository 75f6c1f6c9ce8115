#pragma once
#include "controls/grid/core/axis_sizes.h"
#include "controls/grid/core/cell_store.h"
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/grid_view.h"

#include <QRect>
#include <QSize>

#include <functional>

namespace grid {

// The string grid layer the grid family stands on: counts, fixed areas,
// column widths and row heights, the current cell with its selection and
// anchor, the top-left scrolled cell, the client size the view reports, the
// cell geometry and the cell store. Indices of counts, widths, heights, the
// current cell and selections are display indices.
class TObjStringGrid
{
public:
    TObjStringGrid();
    virtual ~TObjStringGrid();
    TObjStringGrid(const TObjStringGrid&) = delete;
    TObjStringGrid& operator=(const TObjStringGrid&) = delete;

    // The widget that shows this grid; null for none.
    void SetView(GridView* view);
    GridView* View() const { return view_; }
    bool HasView() const { return view_ != nullptr; }

    // Counts (1 .. the store limits); fixed counts stay below them.
    int ColCount() const { return colCount_; }
    virtual void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    virtual void SetRowCount(int value);
    virtual int FixedCols() const { return fixedCols_; }
    virtual void SetFixedCols(int value);
    virtual int FixedRows() const { return fixedRows_; }
    virtual void SetFixedRows(int value);

    int DefaultColWidth() const { return colWidths_.DefaultSize(); }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return rowHeights_.DefaultSize(); }
    virtual void SetDefaultRowHeight(int value);
    int ColWidths(int col) const { return colWidths_.Size(col); }
    void SetColWidths(int col, int width);
    int RowHeights(int row) const { return rowHeights_.Size(row); }
    void SetRowHeights(int row, int height);
    // Pixel offset of a column or row from the grid's origin (unscrolled).
    qint64 ColOffset(int col) const { return colWidths_.Offset(col); }
    qint64 RowOffset(int row) const { return rowHeights_.Offset(row); }
    // The row or column holding an unscrolled offset; the count past the end.
    int RowAtOffset(qint64 y) const { return rowHeights_.IndexAt(y); }
    int ColAtOffset(qint64 x) const { return colWidths_.IndexAt(x); }
    int FixedColsWidth() const;
    int FixedRowsHeight() const;

    // The current cell. The setters move the anchor too and scroll the cell
    // into view, after SelectCell agrees.
    int Col() const { return current_.X; }
    virtual void SetCol(int value);
    int Row() const { return current_.Y; }
    virtual void SetRow(int value);
    TGridCoord Anchor() const { return anchor_; }
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    // Moves the current cell when SelectCell agrees; with moveAnchor the
    // selection collapses onto it; with show it is scrolled into view.
    void MoveColRow(int col, int row, bool moveAnchor, bool show);
    void FocusCell(int col, int row, bool moveAnchor);

    int LeftCol() const { return topLeft_.X; }
    virtual void SetLeftCol(int value);
    int TopRow() const { return topLeft_.Y; }
    virtual void SetTopRow(int value);
    // Scrollable columns and rows shown whole from LeftCol and TopRow (at
    // least one while any exists).
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // The largest LeftCol / TopRow a scroll goes to: the last column / row
    // then ends inside the client area.
    int MaxLeftCol() const;
    int MaxTopRow() const;
    // The client area the view reports.
    int ClientWidth() const { return clientSize_.width(); }
    int ClientHeight() const { return clientSize_.height(); }
    void SetClientSize(const QSize& size);

    // The client rectangle of a shown cell, empty when it is scrolled away.
    QRect PlatformCellRect(int col, int row) const;
    // The cell at a client point; (-1, -1) outside the cells.
    TGridCoord MouseCoord(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    // Moves a column's or a row's data and size, then ColumnMoved / RowMoved.
    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);

    // Repaint requests (to the view when there is one).
    void Invalidate();
    void InvalidateRect(const QRect& rect);
    void InvalidateCell(int col, int row);

    std::function<void(TObjStringGrid* sender, int fromIndex, int toIndex)> OnColumnMoved;
    std::function<void(TObjStringGrid* sender, int fromIndex, int toIndex)> OnRowMoved;
    std::function<void(TObjStringGrid* sender)> OnTopLeftChanged;

    // The store, for the layers above and for tests.
    CellStore& Store() { return store_; }
    const CellStore& Store() const { return store_; }

protected:
    // Asked before the current cell moves; false keeps it.
    virtual bool SelectCell(int col, int row);
    virtual void TopLeftChanged();
    // The data of column/row fromIndex now lies at toIndex.
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    // A column width or a row height changed.
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    void UpdateScrollBars();
    // Scrolls so that the current cell is shown whole.
    void ClampInView(TGridCoord cell);
    void MoveTopLeft(int left, int top);
    // Keeps the current cell, anchor and top-left inside the counts.
    void ClampPositions();
    // The leftmost scroll position that shows index idx whole at the end.
    int FirstToShowEnd(const AxisSizes& axis, int idx, int fixedCount, int avail) const;

    CellStore store_;
    AxisSizes colWidths_{64};
    AxisSizes rowHeights_{24};
    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    TGridCoord topLeft_{1, 1};
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    QSize clientSize_{400, 250};
    GridView* view_ = nullptr;
};

} // namespace grid
