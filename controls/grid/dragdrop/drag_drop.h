#pragma once
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/move_arrows.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <Qt>

#include <functional>
#include <memory>

class QMimeData;

// Drag and drop of cells, text, rich text, files and columns, headless: the
// data a drag offers and the reader that applies dropped data to a grid. The
// widget runs QDrag and turns its drop events into calls here.
namespace grid {

class TExStringGrid;

inline const QString kUriListFormat = QStringLiteral("text/uri-list");

// Dropped data is refused beyond these: bytes of one format, and cells a
// dropped text may cover.
constexpr qsizetype kMaxDropBytes = qsizetype(64) << 20;
constexpr qint64 kMaxDropTextCells = qint64(1) << 22;

// The drag and drop flags of a grid, with their defaults.
struct TDragDropSettings
{
    bool OleDropRTF = false;
    bool OleAcceptText = true;
    bool OleEntireRows = false;
    bool OleDropSource = false;
    bool OleRemoveRows = false;
    bool OleAcceptFiles = true;
    bool OleAcceptURLs = true;
    bool OleDropTarget = false;
    bool OleInsertRows = false;
    bool OleAppendRows = false;
    bool OleCopyAlways = false;
    bool OleColumnDragDrop = false;
    bool OleColumnReorder = false;
    bool OleColumnsOnly = false;
    bool ShowCells = true;
};

// Copy when Ctrl is held; otherwise move when allowed, else copy.
Qt::DropAction EffectFromKeys(Qt::KeyboardModifiers keys, Qt::DropActions allowed);

// The cell block: 32-bit byte count n (little-endian), 4 unused bytes, then
// the n bytes of a cell stream.
QByteArray CellBlock(const QByteArray& cellStream);
// False when the block is shorter than 8, n passes size - 8 or the cap.
bool ReadCellBlock(const QByteArray& block, QByteArray& cellStream);
// One 32-bit column index (little-endian).
QByteArray ColumnBlock(int column);
bool ReadColumnBlock(const QByteArray& block, int& column);

// Data of a text drag: the text, RTF (only with rtfAllowed) and a cell stream
// when not empty.
std::unique_ptr<QMimeData> TextDragData(const QString& text, const QString& rtf, const QByteArray& cellStream,
                                        bool rtfAllowed);
// The cells of a display rectangle: text, the cell block (unless it would be
// a whole-grid stream) and the top-left cell's RTF.
std::unique_ptr<QMimeData> SelectionDragData(TExStringGrid& grid, const TGridRect& rect, bool rtfAllowed);
// Data of a column drag: the real column index alone.
std::unique_ptr<QMimeData> ColumnDragData(int realColumn);

// The formats of dropped data that this grid takes.
enum TDropFormat { dfText = 1, dfFile = 2, dfCol = 4, dfRTF = 8, dfURL = 16, dfGridCells = 32 };
int DropFormats(const QMimeData& data);
// Whether a drag may be dropped here at all (none of our formats: false).
bool CanDrop(const QMimeData* data, const TDragDropSettings& settings);

// What a drop hook is asked about.
enum class DropKind { Text, RTF, URL, File };

// Where dropped data comes from and what the target allows.
struct DropContext
{
    TDragDropSettings Settings;
    Qt::KeyboardModifiers Keys;
    Qt::DropActions Offered = Qt::CopyAction | Qt::MoveAction;
    // The drag started in this grid, from DragSelection (display cells).
    bool FromThisGrid = false;
    TGridRect DragSelection{-1, -1, -1, -1};
    // The drop lands below the last row: rows are appended for the dropped
    // text or cells (see DropTargetCell).
    bool Append = false;
    // May refuse a drop (kind, display column, row, the data's text); a file
    // is asked at the cell, then once more at (-1, -1) before it loads.
    std::function<bool(DropKind, int, int, const QString&)> Allow;
};

struct DropResult
{
    bool Dropped = false;
    // Why nothing was dropped (empty when refused by Allow or when nothing fitted).
    QString Message;
    // From the keys when something was dropped, else none.
    Qt::DropAction Effect = Qt::IgnoreAction;
    // A move inside this grid was done whole here: the source must not clear.
    bool MoveDone = false;
};

// The display cell a drop at a point targets: the cell under it; or, when no
// row is under it, the point is below the last row and OleEntireRows and
// OleAppendRows are set (not for a column), the first non-fixed column of the
// last row, with append set. (-1, -1) when nothing is under the point.
TGridCoord DropTargetCell(const TExStringGrid& grid, TGridCoord under, bool belowLastRow, int formats,
                          const TDragDropSettings& settings, bool& append);

// The arrows while a drag is over an allowed target cell (see
// DropTargetCell), in client pixels: for a column, the down arrow 8 pixels
// above the target's top-left and the up arrow at its bottom-left (past the
// last column: at the last one's right edge); for cells, the right-pointing
// arrow 10 pixels left of the target (of the first non-fixed column with
// OleEntireRows), below the last row when appending and below row 0 when a
// fixed row is kept always. Nothing for a target scrolled away.
ArrowMarks DropArrows(const TExStringGrid& grid, TGridCoord cell, bool columnDrag, bool append,
                      const TDragDropSettings& settings);

// Applies dropped data at a display cell. Refused data leaves the grid as it
// was; nothing is thrown.
DropResult DropMimeData(TExStringGrid& grid, const QMimeData* data, TGridCoord cell, const DropContext& context);

// The end of a move drag whose target was elsewhere: the source cells are
// emptied (not when the drop did the move itself).
void FinishMoveDrag(TExStringGrid& grid, const TGridRect& dragSelection, Qt::DropAction effect, bool moveDone);

} // namespace grid
