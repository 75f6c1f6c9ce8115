#pragma once
#include <QByteArray>
#include <QString>

// The grid's visual properties as a text file of name=value lines
// (Windows-1252, CR LF line ends).
namespace grid {

class TExStringGrid;

// The file's bytes for the grid's current properties.
QByteArray VisualPropsBytes(TExStringGrid& grid);
// Writes the file atomically; "Cannot Create " + file name when it cannot.
void SaveVisualProps(TExStringGrid& grid, const QString& fileName);

// Checks every value of the file before any is applied: a file that cannot
// be opened, a missing or bad integer or a bad colour throws GridError and
// leaves the grid as it was. A missing colour is clNone, a missing flag
// false; a missing or unknown identifier leaves its setting alone.
void LoadVisualProps(TExStringGrid& grid, const QString& fileName);
// The same over bytes; source names them in messages.
void LoadVisualPropsFromBytes(TExStringGrid& grid, const QByteArray& bytes, const QString& source);

} // namespace grid
