// Drop-down pickers on 100,000 entries beside their Qt peers: completion per
// keystroke (detail list, multi-column, grid drop-down) beside a QCompleter on
// a QStringListModel, and opening the grid drop-down beside QComboBox's
// popup with a QTableView on a QStandardItemModel. Prints ours / peer.
#include "controls/dropdown/detail_dropdown.h"
#include "controls/dropdown/grid_dropdown.h"
#include "controls/dropdown/multi_column_dropdown.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr int kEntries = 100000;

QStringList Names()
{
    QStringList names;
    names.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        names << QStringLiteral("Entry %1").arg(i, 6, 10, QLatin1Char('0'));
    return names;
}

// Each keystroke types the full name of another entry from the end of the
// list backwards, so no peer answers from a cache of earlier prefixes.
QString PrefixFor(int64_t step)
{
    return QStringLiteral("entry %1").arg(kEntries - 1 - int(step % kEntries), 6, 10, QLatin1Char('0'));
}

template <class Edit>
void TypeLastPrefix(benchmark::State& state, Edit& edit)
{
    int64_t step = 0;
    for (auto _ : state) {
        edit.SetText(QString());
        edit.SetTextDirect(PrefixFor(step++));  // one keystroke's change
        benchmark::DoNotOptimize(edit.text());
    }
    if (edit.text().compare(PrefixFor(step - 1), Qt::CaseInsensitive) != 0)
        state.SkipWithError("completion missed the entry");
}

void BM_DetailCompletion(benchmark::State& state)
{
    dropdown::TExDetailDropDown edit;
    for (const QString& n : Names())
        edit.Items().push_back(dropdown::TDetailItem{n, -1, QImage(), QString()});
    TypeLastPrefix(state, edit);
}

dropdown::TDropDownItems Items()
{
    dropdown::TDropDownItems items;
    items.reserve(kEntries);
    for (const QString& n : Names())
        items.push_back({-1, {n, QStringLiteral("x")}});
    return items;
}

void BM_MultiColumnCompletion(benchmark::State& state)
{
    dropdown::TExMultiColumnDropDown edit;
    edit.SetItems(Items());
    TypeLastPrefix(state, edit);
}

void BM_GridDropDownCompletion(benchmark::State& state)
{
    dropdown::TCustomExGridDropDown edit;
    edit.SetItems(Items());
    TypeLastPrefix(state, edit);
}

void BM_QCompleterCompletion(benchmark::State& state)
{
    QStringListModel model(Names());
    QCompleter completer(&model);
    completer.setCaseSensitivity(Qt::CaseInsensitive);
    int64_t step = 0;
    for (auto _ : state) {
        completer.setCompletionPrefix(QString());
        completer.setCompletionPrefix(PrefixFor(step++));
        benchmark::DoNotOptimize(completer.currentCompletion());
    }
    if (completer.currentCompletion().isEmpty())
        state.SkipWithError("completion missed the entry");
}

void BM_GridDropDownOpen(benchmark::State& state)
{
    QWidget window;
    auto* edit = new dropdown::TCustomExGridDropDown(&window);
    dropdown::TDropDownColumn a, b;
    edit->SetColumns({a, b});
    edit->SetItems(Items());
    edit->SetItemIndex(kEntries / 2);
    window.show();
    for (auto _ : state) {
        edit->ShowDropDown();
        edit->HideDropDown(true);
    }
}

void BM_QComboBoxTableOpen(benchmark::State& state)
{
    QWidget window;
    auto* combo = new QComboBox(&window);
    auto* model = new QStandardItemModel(kEntries, 2, combo);
    const QStringList names = Names();
    for (int r = 0; r < kEntries; ++r) {
        model->setItem(r, 0, new QStandardItem(names[r]));
        model->setItem(r, 1, new QStandardItem(QStringLiteral("x")));
    }
    combo->setModel(model);
    combo->setView(new QTableView);
    combo->setCurrentIndex(kEntries / 2);
    window.show();
    for (auto _ : state) {
        combo->showPopup();
        combo->hidePopup();
    }
}

BENCHMARK(BM_DetailCompletion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MultiColumnCompletion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridDropDownCompletion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QCompleterCompletion)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridDropDownOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QComboBoxTableOpen)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ratio = [&](const char* ours, const char* peer) {
        if (reporter.times.count(ours) && reporter.times.count(peer) && reporter.times[peer] > 0)
            printf("ratio %s / %s = %.3f\n", ours, peer, reporter.times[ours] / reporter.times[peer]);
    };
    ratio("BM_DetailCompletion", "BM_QCompleterCompletion");
    ratio("BM_MultiColumnCompletion", "BM_QCompleterCompletion");
    ratio("BM_GridDropDownCompletion", "BM_QCompleterCompletion");
    ratio("BM_GridDropDownOpen", "BM_QComboBoxTableOpen");
    return 0;
}
