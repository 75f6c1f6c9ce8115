#pragma once
#include <QString>

// Clipboard and drag formats of the grid, named once.
namespace grid {

// The binary cell stream of a copied rectangle.
inline const QString kCellsFormat = QStringLiteral("TExStringGrid Cells");
// A column dragged between grids.
inline const QString kColumnFormat = QStringLiteral("Grid Column");
inline const QString kRtfFormat = QStringLiteral("text/rtf");

} // namespace grid
