// Grid printing: counting the pages of a 100,000-row grid beside
// QTextDocument::pageCount of the same rows in a QTextTable at the same page
// size, and a one-page preview without counting of 1,000 and 100,000 rows.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/print/grid_preview.h"
#include "controls/grid/print/painter_canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kCols = 4;
constexpr int kPageW = 2100;  // A4 in 0.1 mm
constexpr int kPageH = 2970;

std::unique_ptr<grid::TExStringGrid> MakeGrid(int rows)
{
    auto g = std::make_unique<grid::TExStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows);
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCells(c, r, QStringLiteral("meter %1 value %2").arg(r).arg(c));
    g->PrintSettings.Font.Name = QStringLiteral("DejaVu Sans");
    g->PrintSettings.Font.Size = 10;
    return g;
}

int CountPages(grid::TExStringGrid& g, QImage& device)
{
    grid::print::TGridPageEngine engine(g);
    engine.FPrintRect = grid::print::WholeGrid(g);
    QPainter painter(&device);
    grid::print::PainterCanvas canvas(painter, 600);
    return engine.PrintDrawPages(canvas, grid::print::PassCountPrint, false, -1, kPageW, kPageH);
}

double g_oursMs = 0;
double g_peerMs = 0;
double g_preview1k = 0;
double g_preview100k = 0;

void CountGridPages(benchmark::State& state)
{
    auto g = MakeGrid(100000);
    QImage device(8, 8, QImage::Format_RGB32);
    int pages = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        pages = CountPages(*g, device);
        g_oursMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    }
    state.counters["pages"] = pages;
}

void CountTextTablePages(benchmark::State& state)
{
    QTextDocument doc;
    // The same page: 210 x 297 mm at 72 points per inch.
    doc.setPageSize(QSizeF(210 / 25.4 * 72, 297 / 25.4 * 72));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    doc.setDefaultFont(font);
    QTextCursor cursor(&doc);
    QTextTable* table = cursor.insertTable(100000, kCols);
    for (int r = 0; r < 100000; ++r)
        for (int c = 0; c < kCols; ++c)
            table->cellAt(r, c).firstCursorPosition().insertText(QStringLiteral("meter %1 value %2").arg(r).arg(c));
    int pages = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        doc.markContentsDirty(0, doc.characterCount());
        pages = doc.pageCount();
        g_peerMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    }
    state.counters["pages"] = pages;
}

void FastPreview(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto g = MakeGrid(rows);
    QImage image(800, 1100, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        grid::print::TGridPageEngine engine(*g);
        engine.FastPrint = true;
        grid::print::SetPreviewPage(engine, 1);
        QPainter painter(&image);
        grid::print::PrintPreview(engine, *g, painter, QRect(0, 0, 800, 1100));
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        (rows == 1000 ? g_preview1k : g_preview100k) = ms;
    }
}

} // namespace

BENCHMARK(CountGridPages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CountTextTablePages)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FastPreview)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("page count, ours / QTextDocument: %.3f (%.1f ms against %.1f ms; goal at most 1)\n",
                g_peerMs > 0 ? g_oursMs / g_peerMs : 0.0, g_oursMs, g_peerMs);
    std::printf("one-page preview without counting, 100,000 / 1,000 rows: %.2f (%.1f ms against %.1f ms; goal at "
                "most 1.5)\n",
                g_preview1k > 0 ? g_preview100k / g_preview1k : 0.0, g_preview100k, g_preview1k);
    return 0;
}
