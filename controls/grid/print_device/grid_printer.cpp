#include "controls/grid/print_device/grid_printer.h"

#include "controls/grid/print/painter_canvas.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <cmath>
#include <cstdio>

namespace grid::print {

namespace {

// The painter canvas whose new pages are the printer's sheets.
class PrinterCanvas : public PainterCanvas
{
public:
    PrinterCanvas(QPainter& painter, QPrinter& printer, int dpi, QPoint origin)
        : PainterCanvas(painter, dpi, origin), printer_(printer)
    {
    }
    void NewPage() override { printer_.newPage(); }

private:
    QPrinter& printer_;
};

} // namespace

PrintOutcome PrintRange(TGridPageEngine& engine, TExStringGrid& grid, QPrinter& printer, const TGridRect& range,
                        bool selectedOnly)
{
    const TPrintSettings& ps = grid.PrintSettings;
    engine.FPrintRect = range;
    if (!ps.UseDefaultOrientation)
        printer.setPageOrientation(ps.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(ps.JobName);
    const int dpi = printer.resolution();
    const QRect page = printer.pageLayout().fullRectPixels(dpi);
    const int width = int(std::lround(page.width() * 254.0 / dpi));
    const int height = int(std::lround(page.height() * 254.0 / dpi));
    QPainter painter;
    if (!painter.begin(&printer))
        return {false, QStringLiteral("The printer cannot be opened")};
    PrintOutcome outcome;
    {
        // The printable area starts at the paper's edge in page units.
        const QRect paint = printer.pageLayout().paintRectPixels(dpi);
        PrinterCanvas canvas(painter, printer, dpi, QPoint(-paint.left(), -paint.top()));
        outcome.Printed = engine.Run(canvas, PassPrint, selectedOnly, width, height);
    }
    if (!outcome.Printed)
        printer.abort();
    painter.end();
    return outcome;
}

PrintOutcome PrintRangeToPdf(TGridPageEngine& engine, TExStringGrid& grid, const QString& path,
                             const TGridRect& range, bool selectedOnly)
{
    const QString part = path + QStringLiteral(".part");
    PrintOutcome outcome;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part);
        printer.setPageSize(QPageSize(QPageSize::A4));
        outcome = PrintRange(engine, grid, printer, range, selectedOnly);
    }
    if (!outcome.Printed || !QFileInfo(part).isFile() || QFileInfo(part).size() == 0) {
        QFile::remove(part);
        if (outcome.Printed)
            outcome = {false, QStringLiteral("Cannot write the file ") + path};
        return outcome;
    }
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(part);
        return {false, QStringLiteral("Cannot write the file ") + path};
    }
    return outcome;
}

} // namespace grid::print
