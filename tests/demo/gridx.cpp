// gridx: fills a grid from a TSV file and runs one export, or runs one import
// and writes the grid as TSV, so outside checkers can read what the grid
// writes and feed it what they write.
//
//   gridx export FORMAT IN.tsv OUT [options]
//   gridx import FORMAT IN OUT.tsv [options]
//
// The TSV form is that of gridx_tsv.h.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/csv.h"
#include "controls/grid/exchange/html.h"
#include "controls/grid/exchange/text_formats.h"
#include "controls/grid/exchange/xml.h"
#include "platform/text/atomic_file.h"
#include "tests/demo/gridx_tsv.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace grid;
using gridx::FillFromTsv;
using gridx::GridAsTsv;

namespace {

const char kUsage[] =
    "usage: gridx export FORMAT IN.tsv OUT [options]\n"
    "       gridx import FORMAT IN OUT.tsv [options]\n"
    "export formats: csv text ascii html xhtml xml bin\n"
    "import formats: csv text xml bin\n"
    "options: --delimiter C  --always-quotes  --no-quote-empty  --java  --unicode\n"
    "         --encoding NAME (xml)  --fixed N (fixed rows and columns, default 0)\n";

struct Options
{
    QString Delimiter;
    bool AlwaysQuotes = false;
    bool NoQuoteEmpty = false;
    bool Java = false;
    bool Unicode = false;
    QString Encoding;
    int Fixed = 0;
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
        const int rc = args[1] == u"export"   ? Export(args[2], args[3], args[4], options)
                       : args[1] == u"import" ? Import(args[2], args[3], args[4], options)
                                              : 2;
        if (rc == 2)
            std::fputs(kUsage, stderr);
        return rc;
    } catch (const GridError& e) {
        std::fprintf(stderr, "gridx: %s\n", e.what());
        return 1;
    }
}
