#pragma once
// A grid and an engine on the fixed-metric canvas: every character 20 wide,
// every line 40 high, so a plain row measures 45 (40 + 40 div 8) and
// advances 55 (45 + 2 x 5 spacing); an A4 page (2100 x 2970) with the
// default footer (45) holds 53 such rows.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/print/fake_print_canvas.h"
#include "controls/grid/print/page_engine.h"

#include <QStringList>

namespace print_test {

using namespace grid;
using namespace grid::print;

constexpr int kPageW = 2100;
constexpr int kPageH = 2970;
constexpr int kRowsPerPage = 53;

inline QString CellText(int col, int row) { return QStringLiteral("r%1c%2").arg(row).arg(col); }

struct PrintFixture
{
    TExStringGrid grid;
    TGridPageEngine engine{grid};
    FakePrintCanvas canvas;

    PrintFixture(int cols, int rows, int fixedRows = 0, int fixedCols = 0)
    {
        grid.SetColCount(cols);
        grid.SetRowCount(rows);
        grid.SetFixedRows(fixedRows);
        grid.SetFixedCols(fixedCols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                grid.SetCells(c, r, CellText(c, r));
        grid.PrintSettings.UseFixedWidth = true;
        grid.PrintSettings.FixedWidth = 200;
        engine.FPrintRect = {0, 0, cols - 1, rows - 1};
        engine.Clock = [] { return QDateTime(QDate(2026, 3, 4), QTime(9, 5)); };
    }

    int Count() { return engine.PrintDrawPages(canvas, PassCountPrint, false, -1, kPageW, kPageH); }
    bool Print(bool selectedOnly = false) { return engine.Run(canvas, PassPrint, selectedOnly, kPageW, kPageH); }

    // Texts drawn on one sheet, in drawing order.
    QStringList Texts(int sheet) const
    {
        QStringList out;
        for (const auto& op : canvas.TextsOn(sheet))
            out.append(op.Text);
        return out;
    }
    // The cell texts (those starting with "r") drawn on a sheet.
    QStringList CellTexts(int sheet) const
    {
        QStringList out;
        for (const QString& t : Texts(sheet))
            if (t.startsWith(u'r'))
                out.append(t);
        return out;
    }
    int LinesOfWidth(int width) const
    {
        int n = 0;
        for (const auto& op : canvas.Ops)
            if (op.What == FakePrintCanvas::Kind::Line && op.Width == width)
                ++n;
        return n;
    }
};

} // namespace print_test
