#pragma once
#include "controls/grid/print/page_engine.h"

#include <QString>

class QPrinter;

namespace grid::print {

struct PrintOutcome
{
    bool Printed = false;   // false: cancelled by OnPrintStart or failed
    QString Message;        // why nothing was printed after a failure
};

// Prints a range on a printer: JobName as the document name, the orientation
// unless UseDefaultOrientation, the printer's resolution as the page scale.
PrintOutcome PrintRange(TGridPageEngine& engine, TExStringGrid& grid, QPrinter& printer, const TGridRect& range,
                        bool selectedOnly);

// The whole grid, the current selection, or the whole grid with only its
// selected rows and columns (rows and columns alike).
inline PrintOutcome Print(TGridPageEngine& engine, TExStringGrid& grid, QPrinter& printer)
{
    return PrintRange(engine, grid, printer, {0, 0, grid.ColCount() - 1, grid.RowCount() - 1}, false);
}
inline PrintOutcome PrintSelection(TGridPageEngine& engine, TExStringGrid& grid, QPrinter& printer)
{
    return PrintRange(engine, grid, printer, grid.Selection(), false);
}
inline PrintOutcome PrintSelectedRows(TGridPageEngine& engine, TExStringGrid& grid, QPrinter& printer)
{
    return PrintRange(engine, grid, printer, {0, 0, grid.ColCount() - 1, grid.RowCount() - 1}, true);
}
inline PrintOutcome PrintSelectedCols(TGridPageEngine& engine, TExStringGrid& grid, QPrinter& printer)
{
    return PrintSelectedRows(engine, grid, printer);
}

// Prints a range into a PDF file that replaces path only when complete.
PrintOutcome PrintRangeToPdf(TGridPageEngine& engine, TExStringGrid& grid, const QString& path,
                             const TGridRect& range, bool selectedOnly);

// The printer's orientation angle: printers here rotate landscape by 90.
constexpr int GetPrinterOrientationAngle() { return 90; }

} // namespace grid::print
