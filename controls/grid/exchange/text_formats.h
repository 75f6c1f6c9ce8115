#pragma once
#include <QByteArray>
#include <QString>

// Plain-text exchanges of cell texts: the grid text file, the column-aligned
// ASCII report, fixed-width files, and the numeric reading of a cell. The
// grid text stream is TExStringGrid::SaveToStream / LoadFromStream.
namespace grid {

class TExStringGrid;
class TIntList;

QString SaveToFileText(TExStringGrid& grid);
void SaveToFile(TExStringGrid& grid, const QString& fileName, bool unicode = false);
void LoadFromFile(TExStringGrid& grid, const QString& fileName);
// fileName only names the file in the message of a corrupt text.
void LoadFromFileText(TExStringGrid& grid, const QString& text, const QString& fileName);

// The longest line of the exported texts of storage column col over all rows.
int ColumnMaxLineLength(TExStringGrid& grid, int col);

QString ASCIIText(TExStringGrid& grid);
void SaveToASCII(TExStringGrid& grid, const QString& fileName, bool unicode = false);
void AppendToASCII(TExStringGrid& grid, const QString& fileName, bool unicode = false);

// widths: entry k for the k-th saved column; missing entries are added.
void SaveToFixed(TExStringGrid& grid, const QString& fileName, TIntList& widths);
// positions: 1-based character positions, sorted by the call; maxRows -1 = all.
void LoadFromFixed(TExStringGrid& grid, const QString& fileName, TIntList& positions, bool doTrim, int maxRows = -1);

double CellToReal(TExStringGrid& grid, int col, int row);

// Text decoded by its byte-order mark, else Windows-1252.
QString DecodeText(const QByteArray& bytes);

} // namespace grid
