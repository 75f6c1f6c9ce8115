// The grid widget as drag source (QDrag from the mouse's StartDrag hook) and
// drop target (the viewport's drag events through the headless reader).
#include "controls/grid/widget/grid_widget.h"

#include "controls/grid/core/mouse_input.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/header_drag_button.h"
#include "controls/grid/widget/selection_image.h"
#include "platform/messages.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPixmap>

#include <algorithm>

namespace grid {

namespace {

// The point lies below the bottom of the last row (which is in view).
bool BelowLastRow(TExStringGrid& grid, QPoint p)
{
    if (grid.RowCount() <= 0 || grid.ColCount() <= 0)
        return false;
    const QRect last = grid.CellRect(0, grid.RowCount() - 1);
    return !last.isEmpty() && p.y() > last.bottom();
}

} // namespace

void TGridWidget::SetDragDropSettings(const TDragDropSettings& settings)
{
    dragDrop_ = settings;
    viewport()->setAcceptDrops(settings.OleDropTarget);
    GridMouse& mouse = Mouse();
    mouse.DragSource = settings.OleDropSource;
    mouse.StartDrag = settings.OleDropSource ? [this](TGridCoord cell, bool header) { StartDrag(cell, header); }
                                             : std::function<void(TGridCoord, bool)>();
}

std::unique_ptr<QMimeData> TGridWidget::DragData(TGridCoord cell, bool header) const
{
    if (header && (dragDrop_.OleColumnDragDrop || dragDrop_.OleColumnReorder))
        return ColumnDragData(grid_.RealColIndex(cell.X));
    if (dragDrop_.OleColumnsOnly)
        return nullptr;
    return SelectionDragData(grid_, grid_.Selection(), dragDrop_.OleDropRTF);
}

QPixmap TGridWidget::DragImage(TGridCoord cell, bool header, QPoint& hotSpot)
{
    constexpr int kCellsOffset = 4;
    const bool column = header && (dragDrop_.OleColumnDragDrop || dragDrop_.OleColumnReorder);
    if (dragDrop_.ShowCells) {
        // The column from its header through the shown rows, else the
        // selection within the shown cells.
        const int lastRow = std::min(grid_.RowCount(), grid_.TopRow() + grid_.VisibleRowCount()) - 1;
        const int lastCol = std::min(grid_.ColCount(), grid_.LeftCol() + grid_.VisibleColCount()) - 1;
        TGridRect cells{cell.X, 0, cell.X, lastRow};
        if (!column) {
            const TGridRect s = grid_.Selection();
            cells = {std::max(std::min(s.Left, s.Right), grid_.LeftCol()),
                     std::max(std::min(s.Top, s.Bottom), grid_.TopRow()), std::min(std::max(s.Left, s.Right), lastCol),
                     std::min(std::max(s.Top, s.Bottom), lastRow)};
        }
        if (cells.Left > cells.Right || cells.Top > cells.Bottom)
            return {};
        const SelectionImageGeometry geometry = SelectionImageRects(grid_, cells);
        hotSpot = QPoint(-kCellsOffset, -kCellsOffset);
        return viewport()->grab(geometry.source);
    }
    if (!column)
        return {};
    THeaderDragButton caption(this);
    caption.SetGrid(this);
    caption.SetCaption(grid_.Cells(grid_.RealColIndex(cell.X), 0));
    caption.resize(grid_.ColWidths(cell.X), grid_.RowHeights(0));
    hotSpot = QPoint(0, caption.height() - 1);
    return caption.grab();
}

void TGridWidget::StartDrag(TGridCoord cell, bool header)
{
    std::unique_ptr<QMimeData> data;
    RunGuarded([&] { data = DragData(cell, header); });
    if (!data)
        return;
    const Qt::DropActions allowed = dragDrop_.OleCopyAlways ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    const bool columnDrag = data->hasFormat(kColumnFormat) && !data->hasText();
    dragSelection_ = columnDrag ? TGridRect{-1, -1, -1, -1} : grid_.Selection();
    ownDrag_ = data.get();
    moveDoneHere_ = false;
    Qt::DropAction effect = Qt::IgnoreAction;
    if (RunDrag) {
        effect = RunDrag(data.get(), allowed);
    } else {
        auto* drag = new QDrag(this);
        QPoint hotSpot;
        const QPixmap image = DragImage(cell, header, hotSpot);
        if (!image.isNull()) {
            drag->setPixmap(image);
            drag->setHotSpot(hotSpot);
        }
        drag->setMimeData(data.release());
        effect = drag->exec(allowed, dragDrop_.OleCopyAlways ? Qt::CopyAction : Qt::MoveAction);
    }
    ownDrag_ = nullptr;
    ShowArrows({});
    // A move to elsewhere empties the source; one inside this grid was
    // done whole by the drop.
    if (!columnDrag)
        RunGuarded([&] { FinishMoveDrag(grid_, dragSelection_, effect, moveDoneHere_); });
    dragSelection_ = {-1, -1, -1, -1};
    viewport()->update();
}

void TGridWidget::DragScroll(TGridCoord cell, QPoint p)
{
    if (cell.Y >= 0) {
        const bool above = cell.Y < grid_.FixedRows() || (grid_.FixedRows() == 0 && p.y() < 8);
        if (above && grid_.TopRow() > grid_.FixedRows())
            grid_.SetTopRow(grid_.TopRow() - 1);
        else if (cell.Y >= grid_.TopRow() + grid_.VisibleRowCount() && grid_.TopRow() < grid_.MaxTopRow())
            grid_.SetTopRow(grid_.TopRow() + 1);
    }
    if (cell.X >= 0) {
        if (cell.X < grid_.FixedCols() && grid_.LeftCol() > grid_.FixedCols())
            grid_.SetLeftCol(grid_.LeftCol() - 1);
        else if (cell.X >= grid_.LeftCol() + grid_.VisibleColCount() && grid_.LeftCol() < grid_.MaxLeftCol())
            grid_.SetLeftCol(grid_.LeftCol() + 1);
    }
}

bool TGridWidget::DragAllowed(QDragMoveEvent& event, TGridCoord& cell, ArrowMarks& marks)
{
    const QMimeData* data = event.mimeData();
    if (!dragDrop_.OleDropTarget || !CanDrop(data, dragDrop_))
        return false;
    const QPoint p = event.position().toPoint();
    const int formats = DropFormats(*data);
    bool append = false;
    cell = DropTargetCell(grid_, grid_.MouseCoord(p.x(), p.y()), BelowLastRow(grid_, p), formats, dragDrop_, append);
    marks = {};
    const bool found = cell.X >= 0 && cell.Y >= 0;
    const bool columnDrag = formats & dfCol;
    bool allow = found;
    if (!columnDrag) {
        if (found)
            DragScroll(cell, p);
        // Appending lands after the last row, even a fixed one.
        if (found && cell.Y < grid_.FixedRows() && !append)
            allow = false;
    } else if (!found || cell.X < 0) {
        allow = true;
    } else {
        allow = cell.Y < grid_.FixedRows() && cell.X >= grid_.FixedCols();
    }
    if (formats & (dfFile | dfGridCells))
        allow = true;
    if (OnOleDragOver)
        OnOleDragOver(cell.Y, cell.X, allow);
    allow = allow && (found || (formats & dfFile) || columnDrag);
    // Marks for a column at its header or past the last column, for cells
    // at the target row.
    if (allow && (columnDrag || found))
        marks = DropArrows(grid_, cell, columnDrag, append, dragDrop_);
    return allow;
}

void TGridWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (dragDrop_.OleDropTarget && CanDrop(event->mimeData(), dragDrop_)) {
        event->setDropAction(EffectFromKeys(event->modifiers(), event->possibleActions()));
        event->accept();
    } else {
        event->ignore();
    }
}

void TGridWidget::dragMoveEvent(QDragMoveEvent* event)
{
    TGridCoord cell{-1, -1};
    bool allow = false;
    ArrowMarks marks;
    RunGuarded([&] { allow = DragAllowed(*event, cell, marks); });
    ShowArrows(marks);
    if (allow) {
        event->setDropAction(EffectFromKeys(event->modifiers(), event->possibleActions()));
        event->accept();
    } else {
        event->ignore();
    }
}

void TGridWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    ShowArrows({});
    event->accept();
}

void TGridWidget::dropEvent(QDropEvent* event)
{
    lastDrop_ = DropResult{};
    ShowArrows({});
    if (!dragDrop_.OleDropTarget) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    const QPoint p = event->position().toPoint();
    const int formats = event->mimeData() ? DropFormats(*event->mimeData()) : 0;
    DropContext context;
    TGridCoord cell =
        DropTargetCell(grid_, grid_.MouseCoord(p.x(), p.y()), BelowLastRow(grid_, p), formats, dragDrop_, context.Append);
    context.Settings = dragDrop_;
    context.Keys = event->modifiers();
    context.Offered = event->possibleActions();
    // Our own drag only when the data is the one this grid made.
    context.FromThisGrid = ownDrag_ != nullptr && event->mimeData() == ownDrag_;
    if (context.FromThisGrid)
        context.DragSelection = dragSelection_;
    context.Allow = OnOleDrop;
    // A column dropped past the last one goes to the end.
    if (cell.X < 0 && (formats & dfCol))
        cell = {grid_.ColCount(), 0};
    RunGuarded([&] { lastDrop_ = DropMimeData(grid_, event->mimeData(), cell, context); });
    if (!lastDrop_.Dropped) {
        // Nothing dropped: the source must not remove anything.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        if (!lastDrop_.Message.isEmpty())
            Messages::Error(lastDrop_.Message);
        return;
    }
    if (context.FromThisGrid)
        moveDoneHere_ = lastDrop_.MoveDone;
    event->setDropAction(lastDrop_.Effect);
    event->accept();
    viewport()->update();
    if (OnOleDropped)
        OnOleDropped(grid_.Selection());
}

} // namespace grid
