#pragma once
#include "controls/grid/core/grid_types.h"

#include <QByteArray>
#include <QIODevice>
#include <QPoint>
#include <QString>

// The grid's binary cell stream: a header record, then per cell a cell record
// with its properties, graphic and payload records. Columns are storage
// (real) columns, rows display rows.
namespace grid {

class TExStringGrid;

// The colour identifiers the cell stream uses ("clWindow", "clNone", ...):
// the identifier of a colour (empty when it has none), and the colour of an
// identifier (case-insensitive; false when there is none).
QString ColourIdentifier(TColor value);
bool ColourFromIdentifier(const QString& ident, TColor& value);

// The header of a cell stream, read without touching a grid.
struct CellStreamHeader
{
    int ColCount = 0;
    int RowCount = 0;
    QString ColWidths;
    QString RowHeights;
    bool FullGrid = false;
    qint64 ID = 0;
};

// The cells of rect (edges included). Indices past 65535 cannot be stored:
// GridError, nothing written.
QByteArray SaveRectToBinBytes(TExStringGrid& grid, const TGridRect& rect);
void SaveRectToBinStream(TExStringGrid& grid, const TGridRect& rect, QIODevice& stream);
void SaveToBinStream(TExStringGrid& grid, QIODevice& stream);
// Replaces the file atomically; GridError on failure.
void SaveToBinFile(TExStringGrid& grid, const QString& fileName);

// Reads a whole stream first; any fault raises GridError and leaves the grid
// as it was. point is (column, row).
void LoadAtPointFromBinBytes(TExStringGrid& grid, QPoint point, const QByteArray& bytes);
// Reads from the device's position to its end.
void LoadAtPointFromBinStream(TExStringGrid& grid, QPoint point, QIODevice& stream);
void LoadFromBinStream(TExStringGrid& grid, QIODevice& stream);
void LoadFromBinFile(TExStringGrid& grid, const QString& fileName);

// The header alone (GridError when the bytes hold none).
CellStreamHeader ReadCellStreamHeader(const QByteArray& bytes);

} // namespace grid
