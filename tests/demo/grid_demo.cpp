// A small program that shows the controls no window of the program reaches
// yet. With --shots DIR it writes a PNG of each page and quits.
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/widget/grid_widget.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <vector>

using namespace grid;

namespace {

// A table shaped like the trap table: numbers, Y/N, texts, lists and a hidden
// key column.
std::unique_ptr<TExColumnGrid> MakeTrapTable(int rows)
{
    auto g = std::make_unique<TExColumnGrid>();
    enum { kNumber, kEnable, kName, kVersion, kAddress, kCommunity, kKey, kComment, kColumns };
    g->SetColCount(kColumns);
    g->SetRowCount(rows + 1);
    g->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing,
                   goDrawFocusSelected});
    g->ControlLook.SetControlStyle(csWinXP);
    const struct
    {
        const char* header;
        int width;
        TEditorType editor;
    } columns[] = {
        {"N", 40, edNormal},        {"Enable", 60, edDataCheckBox}, {"Name", 150, edNormal},
        {"Version", 80, edComboList}, {"Address", 120, edNormal},   {"Community", 110, edComboEdit},
        {"Key", 60, edNormal},      {"Comment", 200, edNormal},
    };
    for (int c = 0; c < kColumns; ++c) {
        g->Columns()[c]->SetHeader(QString::fromLatin1(columns[c].header));
        g->Columns()[c]->SetWidth(columns[c].width);
        g->Columns()[c]->SetEditor(columns[c].editor);
    }
    g->Columns()[kVersion]->ComboItems = {QStringLiteral("v1"), QStringLiteral("v2c")};
    g->Columns()[kCommunity]->ComboItems = {QStringLiteral("public"), QStringLiteral("private")};
    g->Columns()[kComment]->ReadOnly = true;
    g->Loaded();
    for (int r = 1; r <= rows; ++r) {
        g->SetCells(kNumber, r, QString::number(r));
        g->SetCells(kEnable, r, r % 3 == 0 ? QStringLiteral("N") : QStringLiteral("Y"));
        g->SetCells(kName, r, QStringLiteral("Trap %1").arg(r));
        g->SetCells(kVersion, r, r % 2 ? QStringLiteral("v1") : QStringLiteral("v2c"));
        g->SetCells(kAddress, r, QStringLiteral("192.168.%1.%2").arg(r / 250).arg(r % 250 + 1));
        g->SetCells(kCommunity, r, QStringLiteral("public"));
        g->SetCells(kKey, r, QStringLiteral("k%1").arg(r));
        g->SetCells(kComment, r, QStringLiteral("Port %1 link state").arg(r % 24 + 1));
    }
    g->HideColumn(kKey);
    g->SetRow(3);
    g->SetSelection({2, 3, 4, 5});
    return g;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString shots;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--shots")); i >= 0 && i + 1 < args.size())
        shots = args[i + 1];

    // The grids outlive the widgets that show them.
    auto trap = MakeTrapTable(500);
    QTabWidget tabs;
    tabs.setObjectName(QStringLiteral("DemoPages"));
    tabs.resize(820, 520);
    auto* trapWidget = new TGridWidget(*trap);
    trapWidget->setObjectName(QStringLiteral("TrapTable"));
    tabs.addTab(trapWidget, QStringLiteral("Trap table"));

    if (shots.isEmpty()) {
        tabs.show();
        return app.exec();
    }
    // Each page, and each page scrolled to its end.
    QDir().mkpath(shots);
    tabs.show();
    const std::vector<std::pair<QString, std::function<void()>>> steps{
        {QStringLiteral("grid_trap_table.png"), [] {}},
        {QStringLiteral("grid_trap_table_end.png"),
         [&] {
             trapWidget->verticalScrollBar()->setValue(trapWidget->verticalScrollBar()->maximum());
             trapWidget->horizontalScrollBar()->setValue(trapWidget->horizontalScrollBar()->maximum());
         }},
    };
    for (const auto& [file, prepare] : steps) {
        prepare();
        QApplication::processEvents();
        if (!tabs.grab().save(QDir(shots).filePath(file)))
            return 1;
    }
    return 0;
}
