#include "controls/grid/dragdrop/drag_drop.h"
#include "controls/grid/office/spreadsheet.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "controls/grid/exchange/csv.h"

#include <QMimeData>
#include <QUrl>
#include <QtEndian>

#include <algorithm>
#include <new>

namespace grid {

namespace {

const QString kTooLarge = QStringLiteral("The dropped data is too large.");
const QString kNothingTaken = QStringLiteral("The dropped data holds nothing the grid takes.");
const QString kBadCells = QStringLiteral("The dropped cells are damaged.");
const QString kBadColumn = QStringLiteral("The dropped column is not a column of this grid.");
const QString kTooManyCells = QStringLiteral("The dropped text covers too many cells.");
const QString kNoFit = QStringLiteral("The dropped cells do not fit in the grid.");

bool MayWrite(TExStringGrid& grid, int col, int row)
{
    const int real = grid.RealColIndex(col);
    return grid.Navigation.AllowClipboardAlways ||
           (grid.Options().Contains(goEditing) && grid.IsEditable(col, row) && !grid.ReadOnly(real, row));
}

bool Inside(const TGridRect& r, int col, int row)
{
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

QStringList LocalFiles(const QMimeData& data)
{
    QStringList files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

QString FirstWebUrl(const QMimeData& data)
{
    for (const QUrl& url : data.urls())
        if (!url.isLocalFile() && url.isValid())
            return url.toString();
    return {};
}

bool Allowed(const DropContext& context, DropKind kind, int col, int row, const QString& text)
{
    return !context.Allow || context.Allow(kind, col, row, text);
}

// The source cells that the drop area does not cover are emptied.
void ClearMovedSource(TExStringGrid& grid, const TGridRect& source, const TGridRect& dropped)
{
    const int right = std::min(source.Right, grid.ColCount() - 1);
    const int bottom = std::min(source.Bottom, grid.RowCount() - 1);
    for (int r = std::max(0, source.Top); r <= bottom; ++r)
        for (int c = std::max(0, source.Left); c <= right; ++c)
            if (!Inside(dropped, c, r) && MayWrite(grid, c, r)) {
                grid.SetCells(grid.RealColIndex(c), r, QString());
                grid.FreeCellPropertiesAt(grid.RealColIndex(c), r);
            }
}

// Empties the source of a move inside this grid after count rows were
// inserted at row at: the source rows from there on moved down.
void ClearShiftedSource(TExStringGrid& grid, TGridRect source, int at, int count, const TGridRect& dropped)
{
    if (count > 0 && source.Top < at && source.Bottom >= at) {
        ClearMovedSource(grid, TGridRect{source.Left, source.Top, source.Right, at - 1}, dropped);
        source.Top = at;
    }
    if (count > 0 && source.Top >= at) {
        source.Top += count;
        source.Bottom += count;
    }
    ClearMovedSource(grid, source, dropped);
}

// Rows for dropped data: appended (before the footers) or inserted at the
// target row. Answers the rows added.
int AddDropRows(TExStringGrid& grid, int at, int count)
{
    const int before = grid.RowCount();
    grid.InsertRows(at, std::min(count, kMaxRows - before));
    return grid.RowCount() - before;
}

bool MovesHere(const DropContext& context, Qt::DropAction effect)
{
    return context.FromThisGrid && effect == Qt::MoveAction && context.DragSelection.Left >= 0 &&
           context.DragSelection.Top >= 0;
}

// The cells of a drag come as a counted block; a copy put on the clipboard
// carries the bare stream under the same name. Either is taken when its
// header reads.
bool ReadDroppedCells(const QByteArray& bytes, QByteArray& stream, CellStreamHeader& header)
{
    for (const bool counted : {true, false}) {
        QByteArray candidate;
        if (counted ? !ReadCellBlock(bytes, candidate) : (candidate = bytes).isEmpty())
            continue;
        try {
            header = ReadCellStreamHeader(candidate);
        } catch (const GridError&) {
            continue;
        }
        stream = candidate;
        return true;
    }
    return false;
}

void DropCells(TExStringGrid& grid, const QMimeData& data, TGridCoord cell, const DropContext& context,
               DropResult& result)
{
    QByteArray stream;
    CellStreamHeader h;
    if (!ReadDroppedCells(data.data(kCellsFormat), stream, h)) {
        result.Message = kBadCells;
        return;
    }
    // A whole-grid stream would replace the grid's counts and cells.
    if (h.FullGrid || h.ColCount < 1 || h.RowCount < 1) {
        result.Message = kBadCells;
        return;
    }
    const int real = grid.RealColIndex(cell.X);
    // Appended cells land in new rows after the last one.
    const int top = context.Append ? grid.RowCount() - grid.FixedFooters() : cell.Y;
    const qint64 rowsNeeded = context.Append ? qint64(grid.RowCount()) + h.RowCount : qint64(top) + h.RowCount;
    if (qint64(real) + h.ColCount > grid.AllColCount() || rowsNeeded > (context.Append ? kMaxRows : grid.RowCount())) {
        result.Message = kNoFit;
        return;
    }
    grid.BeginUpdate();
    int added = 0;
    try {
        if (context.Append)
            added = AddDropRows(grid, top, h.RowCount);
        LoadAtPointFromBinBytes(grid, QPoint(real, top), stream);
    } catch (...) {
        if (added > 0)
            grid.RemoveRows(top, added);
        grid.EndUpdate();
        throw;
    }
    const TGridRect dropped{cell.X, top, cell.X + h.ColCount - 1, top + h.RowCount - 1};
    if (MovesHere(context, result.Effect)) {
        ClearShiftedSource(grid, context.DragSelection, top, added, dropped);
        result.MoveDone = true;
    }
    grid.EndUpdate();
    result.Dropped = true;
}

void DropText(TExStringGrid& grid, const QString& text, TGridCoord cell, const DropContext& context,
              DropResult& result)
{
    int col = cell.X;
    if (grid.Options().Contains(goRowSelect))
        col = context.Settings.OleEntireRows ? 0 : grid.FixedCols();
    int cols = 0;
    int extraRows = 0;
    TextCellExtent(text, cols, extraRows);
    if (qint64(std::max(cols, 1)) * (qint64(extraRows) + 1) > kMaxDropTextCells) {
        result.Message = kTooManyCells;
        return;
    }
    // What the paste would refuse inserts no rows either.
    const bool writable = grid.Options().Contains(goEditing) || grid.Navigation.AllowClipboardAlways ||
                          grid.MouseActions.RangeSelectAndEdit;
    if (text.isEmpty() || !writable || !Allowed(context, DropKind::Text, col, cell.Y, text))
        return;
    // Appended text goes into new rows after the last one (before the
    // footers), never over the last row.
    const int at = context.Append ? grid.RowCount() - grid.FixedFooters() : cell.Y;
    if (context.Append && qint64(grid.RowCount()) + extraRows + 1 > kMaxRows) {
        result.Message = kNoFit;
        return;
    }
    grid.BeginUpdate();
    int added = 0;
    int rows = 0;
    int pasted = 0;
    int fields = 0;
    try {
        if (context.Append || context.Settings.OleInsertRows)
            added = AddDropRows(grid, at, extraRows + 1);
        fields = PasteTextAtCell(grid, col, at, rows, pasted, text);
    } catch (...) {
        if (added > 0)
            grid.RemoveRows(at, added);
        grid.EndUpdate();
        throw;
    }
    const TGridRect dropped{std::max(col, grid.FixedCols()), at, std::min(col + cols - 1, grid.ColCount() - 1),
                            std::min(at + extraRows, grid.RowCount() - 1)};
    // Nothing pasted: the rows made for it go again.
    if (fields == 0 && added > 0)
        grid.RemoveRows(at, added);
    if (fields > 0) {
        if (MovesHere(context, result.Effect)) {
            ClearShiftedSource(grid, context.DragSelection, at, added, dropped);
            result.MoveDone = true;
        }
        if (dropped.Left <= dropped.Right && dropped.Top <= dropped.Bottom)
            grid.SelectCells(dropped.Left, dropped.Top, dropped.Right, dropped.Bottom);
        result.Dropped = true;
    }
    grid.EndUpdate();
}

void DropIntoCell(TExStringGrid& grid, DropKind kind, const QString& value, TGridCoord cell,
                  const DropContext& context, DropResult& result)
{
    if (!MayWrite(grid, cell.X, cell.Y) || !Allowed(context, kind, cell.X, cell.Y, value))
        return;
    grid.SetCells(grid.RealColIndex(cell.X), cell.Y, value);
    grid.CellsChanged(TGridRect{grid.RealColIndex(cell.X), cell.Y, grid.RealColIndex(cell.X), cell.Y});
    result.Dropped = true;
}

void DropFiles(TExStringGrid& grid, const QStringList& files, TGridCoord cell, const DropContext& context,
               DropResult& result)
{
    if (files.size() != 1 || !Allowed(context, DropKind::File, cell.X, cell.Y, files.first()))
        return;
    const QString& name = files.first();
    const QString upper = name.toUpper();
    if (upper.contains(QStringLiteral(".CSV")) && Allowed(context, DropKind::File, -1, -1, name)) {
        LoadFromCSV(grid, name);
        result.Dropped = true;
    }
    if (upper.contains(QStringLiteral(".XLS")) && Allowed(context, DropKind::File, -1, -1, name))
        office::LoadFromXLS(grid, name);
}

void DropColumn(TExStringGrid& grid, const QMimeData& data, TGridCoord cell, const DropContext& context,
                DropResult& result)
{
    int real = -1;
    if (!context.FromThisGrid || !ReadColumnBlock(data.data(kColumnFormat), real) || real < 0 ||
        real >= grid.AllColCount() || grid.IsHiddenColumn(real)) {
        result.Message = kBadColumn;
        return;
    }
    if (!context.Settings.OleColumnReorder)
        return;
    const int last = grid.ColCount() - 1;
    const int target = cell.X < 0 || cell.X > last ? last : cell.X;
    const int from = grid.DisplColIndex(real);
    if (from < 0 || from > last)
        return;
    if (from != target)
        grid.MoveColumn(from, target);
    result.Dropped = true;
}

} // namespace

Qt::DropAction EffectFromKeys(Qt::KeyboardModifiers keys, Qt::DropActions allowed)
{
    if (keys & Qt::ControlModifier)
        return Qt::CopyAction;
    return allowed & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
}

QByteArray CellBlock(const QByteArray& cellStream)
{
    QByteArray block(8, '\0');
    qToLittleEndian<quint32>(quint32(cellStream.size()), block.data());
    block.append(cellStream);
    return block;
}

bool ReadCellBlock(const QByteArray& block, QByteArray& cellStream)
{
    if (block.size() < 8)
        return false;
    const quint32 n = qFromLittleEndian<quint32>(block.constData());
    if (qint64(n) > qint64(block.size()) - 8 || qint64(n) > kMaxDropBytes)
        return false;
    cellStream = block.mid(8, qsizetype(n));
    return true;
}

QByteArray ColumnBlock(int column)
{
    QByteArray block(4, '\0');
    qToLittleEndian<qint32>(column, block.data());
    return block;
}

bool ReadColumnBlock(const QByteArray& block, int& column)
{
    if (block.size() != 4)
        return false;
    column = qFromLittleEndian<qint32>(block.constData());
    return true;
}

std::unique_ptr<QMimeData> TextDragData(const QString& text, const QString& rtf, const QByteArray& cellStream,
                                        bool rtfAllowed)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    if (rtfAllowed && !rtf.isEmpty())
        data->setData(kRtfFormat, rtf.toLatin1());
    if (!cellStream.isEmpty())
        data->setData(kCellsFormat, CellBlock(cellStream));
    return data;
}

std::unique_ptr<QMimeData> SelectionDragData(TExStringGrid& grid, const TGridRect& rect, bool rtfAllowed)
{
    const TGridRect real{grid.RealColIndex(rect.Left), rect.Top, grid.RealColIndex(rect.Right), rect.Bottom};
    QByteArray stream = SaveRectToBinBytes(grid, real);
    if (ReadCellStreamHeader(stream).FullGrid)
        stream.clear();
    const QString topLeft = grid.Cells(real.Left, rect.Top);
    const QString rtf = topLeft.startsWith(QStringLiteral("{\\rtf")) ? topLeft : QString();
    return TextDragData(GetRectAsText(grid, rect), rtf, stream, rtfAllowed);
}

std::unique_ptr<QMimeData> ColumnDragData(int realColumn)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(kColumnFormat, ColumnBlock(realColumn));
    return data;
}

int DropFormats(const QMimeData& data)
{
    int formats = 0;
    // hasText() also answers for URLs; only real text counts.
    if (data.hasFormat(QStringLiteral("text/plain")))
        formats |= dfText;
    if (data.hasFormat(kRtfFormat))
        formats |= dfRTF;
    if (data.hasFormat(kColumnFormat))
        formats |= dfCol;
    if (data.hasFormat(kCellsFormat))
        formats |= dfGridCells;
    if (data.hasUrls()) {
        if (!LocalFiles(data).isEmpty())
            formats |= dfFile;
        if (!FirstWebUrl(data).isEmpty())
            formats |= dfURL;
    }
    return formats;
}

bool CanDrop(const QMimeData* data, const TDragDropSettings& s)
{
    if (!data)
        return false;
    const int f = DropFormats(*data);
    const bool acceptCols = s.OleColumnDragDrop || s.OleColumnReorder;
    return ((f & dfText) && s.OleAcceptText) || ((f & dfFile) && s.OleAcceptFiles) ||
           ((f & dfRTF) && s.OleDropRTF && s.OleAcceptText) || ((f & dfCol) && acceptCols) ||
           ((f & dfURL) && s.OleAcceptURLs) || (f & dfGridCells);
}

TGridCoord DropTargetCell(const TExStringGrid& grid, TGridCoord under, bool belowLastRow, int formats,
                          const TDragDropSettings& settings, bool& append)
{
    append = under.Y < 0 && belowLastRow && !(formats & dfCol) && settings.OleEntireRows && settings.OleAppendRows &&
             grid.RowCount() > 0 && grid.FixedCols() < grid.ColCount();
    if (append)
        return {grid.FixedCols(), grid.RowCount() - 1};
    return under;
}

ArrowMarks DropArrows(const TExStringGrid& grid, TGridCoord cell, bool columnDrag, bool append,
                      const TDragDropSettings& settings)
{
    constexpr int kAbove = 8;
    constexpr int kLeft = 10;
    ArrowMarks marks;
    if (grid.ColCount() <= 0 || grid.RowCount() <= 0)
        return marks;
    if (columnDrag) {
        if (cell.X < 0 || cell.X >= grid.ColCount()) {
            // Past the last column: at its right edge.
            const QRect last = grid.PlatformCellRect(grid.ColCount() - 1, 0);
            if (last.isEmpty())
                return marks;
            const int x = last.x() + last.width();
            marks.At[arrDown] = QPoint(x, last.y() - kAbove);
            marks.At[arrUp] = QPoint(x, last.y() + last.height());
            return marks;
        }
        const QRect r = grid.PlatformCellRect(cell.X, std::max(0, cell.Y));
        if (r.isEmpty())
            return marks;
        marks.At[arrDown] = QPoint(r.x(), r.y() - kAbove);
        marks.At[arrUp] = QPoint(r.x(), r.y() + r.height());
        return marks;
    }
    if (cell.X < 0 || cell.Y < 0 || cell.Y >= grid.RowCount())
        return marks;
    const int col = settings.OleEntireRows ? std::min(grid.FixedCols(), grid.ColCount() - 1) : cell.X;
    const QRect r = grid.PlatformCellRect(col, cell.Y);
    if (r.isEmpty())
        return marks;
    const bool below = append || (cell.Y == 0 && grid.FixedRowAlways());
    marks.At[arrLeft] = QPoint(r.x() - kLeft, below ? r.y() + r.height() : r.y());
    return marks;
}

DropResult DropMimeData(TExStringGrid& grid, const QMimeData* data, TGridCoord cell, const DropContext& context)
{
    DropResult result;
    try {
        if (!CanDrop(data, context.Settings)) {
            result.Message = kNothingTaken;
            return result;
        }
        for (const QString& format : data->formats())
            if (data->data(format).size() > kMaxDropBytes) {
                result.Message = kTooLarge;
                return result;
            }
        result.Effect = EffectFromKeys(context.Keys, context.Offered);
        const int f = DropFormats(*data);
        const bool inside = cell.X >= 0 && cell.Y >= 0 && cell.X < grid.ColCount() && cell.Y < grid.RowCount();
        const TDragDropSettings& s = context.Settings;
        if (f & dfCol) {
            DropColumn(grid, *data, cell, context, result);
        } else if (inside) {
            if (f & dfGridCells)
                DropCells(grid, *data, cell, context, result);
            else if ((f & dfRTF) && s.OleDropRTF && s.OleAcceptText)
                DropIntoCell(grid, DropKind::RTF, QString::fromLatin1(data->data(kRtfFormat)), cell, context,
                             result);
            else if ((f & dfText) && s.OleAcceptText)
                DropText(grid, data->text(), cell, context, result);
            if ((f & dfURL) && s.OleAcceptURLs && result.Message.isEmpty())
                DropIntoCell(grid, DropKind::URL, FirstWebUrl(*data), cell, context, result);
        }
        if (!(f & dfCol) && (f & dfFile) && s.OleAcceptFiles && result.Message.isEmpty())
            DropFiles(grid, LocalFiles(*data), cell, context, result);
    } catch (const GridError& e) {
        result.Message = e.Message();
    } catch (const std::bad_alloc&) {
        result.Message = kTooLarge;
    } catch (const std::exception& e) {
        result.Message = QString::fromLocal8Bit(e.what());
    }
    // Nothing dropped: a move must not empty the source.
    if (!result.Dropped) {
        result.MoveDone = false;
        result.Effect = Qt::IgnoreAction;
    }
    return result;
}

void FinishMoveDrag(TExStringGrid& grid, const TGridRect& dragSelection, Qt::DropAction effect, bool moveDone)
{
    if (effect != Qt::MoveAction || moveDone || dragSelection.Left < 0 || dragSelection.Top < 0)
        return;
    grid.BeginUpdate();
    ClearMovedSource(grid, dragSelection, TGridRect{-1, -1, -2, -2});
    grid.EndUpdate();
    grid.CellsChanged(dragSelection);
}

} // namespace grid
