#pragma once
#include "controls/grid/office/workbook.h"

#include <QString>
#include <QStringList>

// Worksheet import and export of a grid. Reading takes .xlsx and .xls files;
// writing makes a new .xlsx workbook whatever the file name's extension and
// never rewrites an existing file.
namespace grid {
class TExStringGrid;
}

namespace grid::office {

// The worksheet names of a workbook, in order.
QStringList GetXLSSheets(const QString& fileName);

// The active sheet (the one the file marks active, else the first).
void LoadFromXLS(TExStringGrid& grid, const QString& fileName);
// The last sheet of that name; none: "Excel worksheet <name> not found".
void LoadFromXLSSheet(TExStringGrid& grid, const QString& fileName, const QString& sheetName);
// Puts a read sheet into the grid (bounds, offsets, LoadCell).
void LoadSheet(TExStringGrid& grid, const Sheet& sheet);

// A new workbook whose first sheet holds the exported range from row 1.
// createNewSheet makes no difference: there is no open workbook to write into.
void SaveToXLS(TExStringGrid& grid, const QString& fileName, bool createNewSheet = true);
void SaveToXLSSheet(TExStringGrid& grid, const QString& fileName, const QString& sheetName);

// The range address an export of the grid fills from startRow.
QString ExportRangeAddress(TExStringGrid& grid, int startRow);

} // namespace grid::office
