// A typical mini-HTML cell text (bold, italic, a colour, a link, 40 words)
// wrapped to 200 pixels: measured and hit-tested with our layout on
// QFontMetrics, beside QTextDocument with the same HTML (setTextWidth, size,
// the layout's hitTest) in the same run. The MiniHtml row carries the
// document's time and the ratio ours/document; the goal is below 1.
#include "controls/grid/html_draw/html_text_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace grid::html;

const char* kMarkup =
    "<B>Bold</B> words and <I>italic</I> ones, then <FONT COLOR=\"clRed\">a red part</FONT> of the cell "
    "text and <A href=\"http://example.com/help\">a link to help</A> followed by plain words that fill "
    "the rest of the cell so that the text wraps over several lines at two hundred pixels wide.";
const char* kDocument =
    "<b>Bold</b> words and <i>italic</i> ones, then <font color=\"#ff0000\">a red part</font> of the cell "
    "text and <a href=\"http://example.com/help\">a link to help</a> followed by plain words that fill "
    "the rest of the cell so that the text wraps over several lines at two hundred pixels wide.";
constexpr int kWidth = 200;
const QPoint kPoint(60, 40);

QFont Font()
{
    return QFont(QStringLiteral("DejaVu Sans"), 9);
}

// Measure, then hit-test: what the grid does for auto-size and mouse moves.
int Ours()
{
    FontMetricsMeasurer measurer;
    HtmlLayoutInput in;
    in.Text = QString::fromLatin1(kMarkup);
    in.Rect = QRect(0, 0, kWidth, 1000);
    in.Font = ToHtmlFont(Font(), 0);
    in.MeasureOnly = true;
    const HtmlLayout size = LayoutHtmlText(in, measurer, nullptr);
    in.MeasureOnly = false;
    in.HitTestOnly = true;
    in.Point = kPoint;
    const HtmlLayout hit = LayoutHtmlText(in, measurer, nullptr);
    return size.ExtentY + hit.HitLinkIndex;
}

int Document()
{
    QTextDocument doc;
    doc.setDefaultFont(Font());
    doc.setDocumentMargin(0);
    doc.setHtml(QString::fromLatin1(kDocument));
    doc.setTextWidth(kWidth);
    const QSizeF size = doc.size();
    const int at = doc.documentLayout()->hitTest(kPoint, Qt::ExactHit);
    return int(size.height()) + at;
}

template <class F>
double SecondsPerRun(F&& run)
{
    double best = 1e9;
    for (int rep = 0; rep < 5; ++rep) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 200; ++i)
            benchmark::DoNotOptimize(run());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / 200);
    }
    return best;
}

void MiniHtml(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Ours());
    const double ours = SecondsPerRun(Ours);
    const double document = SecondsPerRun(Document);
    state.counters["ours_us"] = ours * 1e6;
    state.counters["document_us"] = document * 1e6;
    state.counters["ours/document"] = ours / document;
}
BENCHMARK(MiniHtml)->Unit(benchmark::kMicrosecond);

void TextDocument(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Document());
}
BENCHMARK(TextDocument)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
