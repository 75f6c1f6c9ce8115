// gridx: fills a grid from a TSV file and runs one export, or runs one import
// and writes the grid as TSV, so outside checkers can read what the grid
// writes and feed it what they write.
//
//   gridx export FORMAT IN.tsv OUT [options]
//   gridx import FORMAT IN OUT.tsv [options]
//   gridx print IN.tsv --pdf OUT.pdf [options]
//   gridx preview IN.tsv --png OUT.png [options]
//
// The TSV form is that of gridx_tsv.h.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/csv.h"
#include "controls/grid/exchange/html.h"
#include "controls/grid/exchange/text_formats.h"
#include "controls/grid/exchange/xml.h"
#include "controls/grid/print/grid_preview.h"
#include "controls/grid/print_device/grid_printer.h"
#include "platform/text/atomic_file.h"
#include "tests/demo/gridx_tsv.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace grid;
using gridx::FillFromTsv;
using gridx::GridAsTsv;

namespace {

const char kUsage[] =
    "usage: gridx export FORMAT IN.tsv OUT [options]\n"
    "       gridx import FORMAT IN OUT.tsv [options]\n"
    "       gridx print IN.tsv --pdf OUT.pdf [options]\n"
    "       gridx preview IN.tsv --png OUT.png [options]\n"
    "export formats: csv text ascii html xhtml xml bin\n"
    "import formats: csv text xml bin\n"
    "options: --delimiter C  --always-quotes  --no-quote-empty  --java  --unicode\n"
    "         --encoding NAME (xml)  --fixed N (fixed rows and columns, default 0)\n"
    "         --title TEXT (print, preview)  --page N (preview, default 1)\n";

struct Options
{
    QString Delimiter;
    bool AlwaysQuotes = false;
    bool NoQuoteEmpty = false;
    bool Java = false;
    bool Unicode = false;
    QString Encoding;
    int Fixed = 0;
    QString Title;
    int Page = 1;
};

bool ParseOptions(const QStringList& args, Options& o)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--delimiter" && hasValue && args[i + 1].size() == 1)
            o.Delimiter = args[++i];
        else if (a == u"--always-quotes")
            o.AlwaysQuotes = true;
        else if (a == u"--no-quote-empty")
            o.NoQuoteEmpty = true;
        else if (a == u"--java")
            o.Java = true;
        else if (a == u"--unicode")
            o.Unicode = true;
        else if (a == u"--encoding" && hasValue)
            o.Encoding = args[++i];
        else if (a == u"--title" && hasValue)
            o.Title = args[++i];
        else if (a == u"--page" && hasValue && args[i + 1].toInt() > 0)
            o.Page = args[++i].toInt();
        else if (a == u"--fixed" && hasValue)
            o.Fixed = std::clamp(args[++i].toInt(), 0, 1);
        else
            return false;
    }
    return true;
}

void Apply(TExStringGrid& grid, const Options& o)
{
    grid.SetFixedRows(o.Fixed);
    grid.SetFixedCols(o.Fixed);
    if (!o.Delimiter.isEmpty())
        grid.Delimiter = o.Delimiter[0];
    grid.AlwaysQuotes = o.AlwaysQuotes;
    grid.QuoteEmptyCells = !o.NoQuoteEmpty;
    grid.JavaCSV = o.Java;
    if (!o.Encoding.isEmpty())
        grid.XMLEncoding = o.Encoding;
    // Every cell is exchanged, fixed ones too; multi-line texts stay whole.
    grid.SaveFixedCells = true;
    grid.LoadFirstRow = true;
    grid.FMultilineCells = true;
}

int Export(const QString& format, const QString& in, const QString& out, const Options& o)
{
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(in, file.errorString()));
    TExStringGrid grid;
    Apply(grid, o);
    FillFromTsv(grid, file.readAll());
    if (format == u"csv")
        SaveToCSV(grid, out, o.Unicode);
    else if (format == u"text")
        SaveToFile(grid, out, o.Unicode);
    else if (format == u"ascii")
        SaveToASCII(grid, out, o.Unicode);
    else if (format == u"html" || format == u"xhtml") {
        grid.HTMLSettings.XHTML = format == u"xhtml";
        SaveToHTML(grid, out, false, o.Unicode);
    } else if (format == u"xml")
        SaveToXML(grid, out, QStringLiteral("tablelist"), QStringLiteral("tablerow"), nullptr, true);
    else if (format == u"bin")
        SaveToBinFile(grid, out);
    else
        return 2;
    return 0;
}

int Import(const QString& format, const QString& in, const QString& out, const Options& o)
{
    TExStringGrid grid;
    Apply(grid, o);
    // The file decides the size.
    grid.SetColCount(std::max(1, o.Fixed + 1));
    grid.SetRowCount(std::max(1, o.Fixed + 1));
    if (format == u"csv")
        LoadFromCSV(grid, in);
    else if (format == u"text")
        LoadFromFile(grid, in);
    else if (format == u"xml")
        LoadFromXML(grid, in, false, true);
    else if (format == u"bin")
        LoadFromBinFile(grid, in);
    else
        return 2;
    QString error;
    if (!WriteFileAtomically(out, GridAsTsv(grid), &error))
        throw GridError(error);
    return 0;
}

// The print settings both print and preview use: the title on top, the
// date on the left, page numbers at the bottom right.
void SetUpPrinting(TExStringGrid& grid, const Options& o)
{
    auto& ps = grid.PrintSettings;
    ps.Title = o.Title.isEmpty() ? ppNone : ppTopCenter;
    ps.TitleText = o.Title;
    ps.Date = ppTopLeft;
    ps.PageNr = ppBottomRight;
    ps.HeaderSize = ps.FooterSize = 100;
    ps.LeftSize = ps.RightSize = 100;
    ps.JobName = o.Title;
}

int Print(const QString& kind, const QString& in, const QString& out, const Options& o)
{
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        throw GridError(QStringLiteral("Cannot open file \"%1\". %2").arg(in, file.errorString()));
    TExStringGrid grid;
    Apply(grid, o);
    FillFromTsv(grid, file.readAll());
    SetUpPrinting(grid, o);
    print::TGridPageEngine engine(grid);
    if (kind == u"print") {
        const print::PrintOutcome done = print::PrintRangeToPdf(engine, grid, out, print::WholeGrid(grid), false);
        if (!done.Printed)
            throw GridError(done.Message.isEmpty() ? QStringLiteral("Nothing was printed") : done.Message);
        return 0;
    }
    // An A4 page at 96 dpi.
    QImage image(794, 1123, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    print::SetPreviewPage(engine, o.Page);
    {
        QPainter painter(&image);
        print::PrintPreview(engine, grid, painter, image.rect());
    }
    if (o.Page > engine.PrintNrOfPages)
        throw GridError(QStringLiteral("There is no page %1: the grid prints on %2 pages")
                            .arg(o.Page)
                            .arg(engine.PrintNrOfPages));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw GridError(QStringLiteral("Cannot write the file ") + out);
    QString error;
    if (!WriteFileAtomically(out, png, &error))
        throw GridError(error);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // No window is shown: the offscreen platform unless another is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    Options options;
    if (args.size() < 5 || !ParseOptions(args.mid(5), options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        const bool pdf = args[1] == u"print" && args[3] == u"--pdf";
        const bool png = args[1] == u"preview" && args[3] == u"--png";
        const int rc = args[1] == u"export"   ? Export(args[2], args[3], args[4], options)
                       : args[1] == u"import" ? Import(args[2], args[3], args[4], options)
                       : pdf || png           ? Print(args[1], args[2], args[4], options)
                                              : 2;
        if (rc == 2)
            std::fputs(kUsage, stderr);
        return rc;
    } catch (const GridError& e) {
        std::fprintf(stderr, "gridx: %s\n", e.what());
        return 1;
    }
}
