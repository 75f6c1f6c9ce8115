// A small program that shows the controls no window of the program reaches
// yet. With --shots DIR it writes a PNG of each page and quits.
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/dropdown_editors/grid_dropdown_editors.h"
#include "controls/grid/print/grid_preview.h"
#include "controls/grid/widget/grid_images.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/search_footer.h"
#include "grid_demo_editors.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>
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
                   goDrawFocusSelected, goEditing});
    g->FocusHelper.Enabled = true;
    g->Navigation.AllowClipboardShortCuts = true;
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

// One row per kind of cell graphic, and cells of mini-HTML text.
std::unique_ptr<TExStringGrid> MakeGraphicsTable(TGridImageList& images)
{
    for (const QColor c : {QColor(0x2E, 0x7D, 0x32), QColor(0xC6, 0x28, 0x28), QColor(0x15, 0x65, 0xC0)}) {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.drawEllipse(2, 2, 12, 12);
        images.Add(pm);
    }
    auto g = std::make_unique<TExStringGrid>();
    g->SetColCount(3);
    g->SetRowCount(17);
    g->SetDefaultRowHeight(26);
    g->SetColWidths(0, 130);
    g->SetColWidths(1, 260);
    g->SetColWidths(2, 330);
    g->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing});
    g->ControlLook.SetControlStyle(csWinXP);
    g->Navigation.AllowClipboardShortCuts = true;
    g->GridImages = &images;
    g->Loaded();
    g->SetCells(0, 0, QStringLiteral("Kind"));
    g->SetCells(1, 0, QStringLiteral("Graphic"));
    g->SetCells(2, 0, QStringLiteral("Mini-HTML"));
    int r = 1;
    auto row = [&](const char* name) {
        g->SetCells(0, r, QString::fromLatin1(name));
        return r++;
    };
    g->AddCheckBox(1, row("Check box"), true, false);
    g->SetCells(1, r - 1, QStringLiteral("enabled"));
    g->AddCheckBox(1, row("Three states"), cbGrayed);
    auto* items = g->CreateRadio(1, row("Radio group"), 1, 1);
    items->Lines = {QStringLiteral("RTU"), QStringLiteral("ASCII"), QStringLiteral("TCP")};
    g->AddProgressEx(1, row("Progress"), clHighlight, clWhite, clWindow, clBlack);
    g->SetCells(1, r - 1, QStringLiteral("64"));
    g->AddExProgress(1, row("Level bar"), 0, 200);
    g->SetCells(1, r - 1, QStringLiteral("150"));
    g->AddProgressPie(1, row("Pie"), clGreen, 70);
    g->AddRangeIndicator(1, row("Balance"), 100, clRed, clGreen, true);
    g->SetCells(1, r - 1, QStringLiteral("-40"));
    g->AddComment(1, row("Comment"), QStringLiteral("Checked on site"));
    g->SetCells(1, r - 1, QStringLiteral("Port 502"));
    g->AddButton(1, row("Button"), 80, 20, QStringLiteral("Scan"), haLeft, vaCenter);
    g->AddShape(1, row("Shape"), 13, 0x00A5FF, clBlack, haLeft, vaCenter);
    g->AddRating(1, row("Rating"), 5, 0x00C0FF, clSilver);
    g->SetCells(1, r - 1, QStringLiteral("3.5"));
    g->AddRotated(1, row("Turned text"), 10, QStringLiteral("Turned ten degrees"));
    g->AddImageIdx(1, row("Image list"), 2, haBeforeText, vaCenter);
    g->SetCells(1, r - 1, QStringLiteral("Online"));
    if (TIntList* list = g->AddMultiImage(1, row("Images"), 0, haLeft, vaCenter))
        for (int i = 0; i < 3; ++i)
            list->Add(i);
    g->AddExpand(1, row("Expand"), 60);
    g->SetCells(1, r - 1, QStringLiteral("Details"));
    const char* html[] = {
        "<B>Bold</B>, <I>italic</I> and <FONT color=\"clRed\">red</FONT> text",
        "See <A href=\"manual\">the manual</A> or <A href=\"faq\">questions</A>",
        "<U>Underlined</U> <S>struck</S> <FONT bgcolor=\"clYellow\">marked</FONT>",
        "<IMG src=\"idx:0\"> online <IMG src=\"idx:1\"> offline",
        "Line one<BR><B>Line two</B>",
        "<P align=\"right\">right aligned</P>",
        "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"15\"> included",
        "x<SUP>2</SUP> + y<SUB>i</SUB>",
    };
    for (int i = 0; i < int(std::size(html)); ++i)
        g->SetCells(2, i + 1, QString::fromLatin1(html[i]));
    g->SetRowHeights(5, 30);
    return g;
}

// One print preview page of a grid: a white A4-shaped sheet on grey, drawn
// by the page engine into the sheet's rectangle.
class PreviewSheet : public QWidget
{
public:
    explicit PreviewSheet(TExStringGrid& grid) : grid_(grid), engine_(grid) { print::SetPreviewPage(engine_, 1); }
    void SetPage(int page)
    {
        print::SetPreviewPage(engine_, page);
        update();
    }
    int Pages() const { return engine_.PrintNrOfPages; }
    std::function<void()> Drawn;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const int h = height() - 20;
        const int w = qMin(width() - 20, int(h * 210 / 297.0));
        const QRect sheet((width() - w) / 2, 10, w, int(w * 297 / 210.0));
        painter.fillRect(sheet, Qt::white);
        print::PrintPreview(engine_, grid_, painter, sheet);
        if (Drawn)
            Drawn();
    }

private:
    TExStringGrid& grid_;
    print::TGridPageEngine engine_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallDropDownEditors();
    QString shots;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--shots")); i >= 0 && i + 1 < args.size())
        shots = args[i + 1];

    // The grids outlive the widgets that show them.
    auto trap = MakeTrapTable(500);
    TGridImageList images;
    auto graphics = MakeGraphicsTable(images);
    EditorsPage editors;
    QTabWidget tabs;
    tabs.setObjectName(QStringLiteral("DemoPages"));
    tabs.resize(820, 640);
    auto* trapWidget = new TGridWidget(*trap);
    trapWidget->setObjectName(QStringLiteral("TrapTable"));
    tabs.addTab(trapWidget, QStringLiteral("Trap table"));
    // Cells are dragged out of and dropped onto the trap table; its search
    // footer finds as one types.
    TDragDropSettings dragDrop;
    dragDrop.OleDropTarget = true;
    dragDrop.OleDropSource = true;
    trapWidget->SetDragDropSettings(dragDrop);
    trap->SearchFooter.SetFindNextCaption(QStringLiteral("Find next"));
    trap->SearchFooter.SetFindPrevCaption(QStringLiteral("Find previous"));
    trap->SearchFooter.SetHighLightCaption(QStringLiteral("Highlight"));
    trap->SearchFooter.SetMatchCaseCaption(QStringLiteral("Match case"));
    auto* graphicsWidget = new TGridWidget(*graphics);
    graphicsWidget->setObjectName(QStringLiteral("CellGraphics"));
    tabs.addTab(graphicsWidget, QStringLiteral("Cell graphics"));
    auto& ps = trap->PrintSettings;
    ps.Title = ppTopCenter;
    ps.TitleText = QStringLiteral("Trap table");
    ps.Date = ppTopLeft;
    ps.PageNr = ppBottomRight;
    ps.HeaderSize = ps.FooterSize = 60;
    ps.LeftSize = ps.RightSize = 60;
    ps.RepeatFixedRows = true;
    ps.FitToPage = fpShrink;
    ps.PrintGraphics = true;
    auto* previewPage = new QWidget;
    previewPage->setObjectName(QStringLiteral("PrintPreview"));
    auto* previewLayout = new QVBoxLayout(previewPage);
    auto* pageRow = new QHBoxLayout;
    auto* pageBox = new QSpinBox;
    pageBox->setObjectName(QStringLiteral("PreviewPage"));
    pageBox->setRange(1, 1);
    auto* pageCount = new QLabel;
    pageCount->setMinimumWidth(80);
    pageRow->addWidget(new QLabel(QStringLiteral("Page")));
    pageRow->addWidget(pageBox);
    pageRow->addWidget(pageCount);
    pageRow->addStretch();
    previewLayout->addLayout(pageRow);
    auto* sheet = new PreviewSheet(*trap);
    previewLayout->addWidget(sheet, 1);
    sheet->Drawn = [&, sheet, pageBox, pageCount] {
        pageBox->setMaximum(qMax(1, sheet->Pages()));
        const QString count = QStringLiteral("of %1").arg(sheet->Pages());
        if (pageCount->text() != count)
            pageCount->setText(count);
    };
    QObject::connect(pageBox, &QSpinBox::valueChanged, sheet, [sheet](int page) { sheet->SetPage(page); });
    tabs.addTab(previewPage, QStringLiteral("Print preview"));
    BuildEditorsPage(editors, tabs);

    if (shots.isEmpty()) {
        tabs.show();
        return app.exec();
    }
    // Each page, and each page scrolled to its end.
    QDir().mkpath(shots);
    tabs.show();
    std::vector<std::pair<QString, std::function<void()>>> steps{
        {QStringLiteral("grid_trap_table.png"), [] {}},
        // The edited cell with its frame, a window of its own: from the screen.
        {QStringLiteral("grid_trap_table_editing.png"),
         [&] {
             trapWidget->setFocus();
             trap->SetCol(2);
             trap->SetRow(4);
             QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
             QApplication::sendEvent(trapWidget, &f2);
         }},
        {QStringLiteral("grid_trap_table_end.png"),
         [&] {
             trapWidget->verticalScrollBar()->setValue(trapWidget->verticalScrollBar()->maximum());
             trapWidget->horizontalScrollBar()->setValue(trapWidget->horizontalScrollBar()->maximum());
         }},
        {QStringLiteral("grid_cell_graphics.png"), [&] { tabs.setCurrentWidget(graphicsWidget); }},
        {QStringLiteral("grid_print_preview.png"), [&] { tabs.setCurrentWidget(previewPage); }},
        {QStringLiteral("grid_print_preview_page2.png"),
         [&] {
             pageBox->setFocus();
             QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
             QApplication::sendEvent(pageBox, &up);
         }},
        // Ctrl+C on three kinds of the graphics grid, Ctrl+V into the trap
        // table's names: the pasted rows show on the first page.
        {QStringLiteral("grid_clipboard_paste.png"),
         [&] {
             graphics->SelectCells(0, 1, 0, 3);
             QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
             QApplication::sendEvent(graphicsWidget, &copy);
             tabs.setCurrentWidget(trapWidget);
             // An editor still open from an earlier page would take the key.
             if (trap->EditorMode())
                 trap->HideInplaceEdit();
             trapWidget->verticalScrollBar()->setValue(0);
             trapWidget->horizontalScrollBar()->setValue(0);
             trap->SelectCells(2, 1, 2, 1);
             QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
             QApplication::sendEvent(trapWidget, &paste);
         }},
        // The search footer shown, "Trap 4" typed: the first hit is current.
        {QStringLiteral("grid_search_footer.png"),
         [&] {
             if (trap->EditorMode())
                 trap->HideInplaceEdit();
             trap->SearchFooter.SetVisible(true);
             trapWidget->SearchPanel()->EditControl()->setText(QStringLiteral("Trap 4"));
         }},
        // Two cells of the graphics grid dragged onto the trap table's names
        // (the drop events a drag would bring).
        {QStringLiteral("grid_cells_dropped.png"),
         [&] {
             graphics->SelectCells(0, 1, 0, 2);
             const auto data = graphicsWidget->DragData({0, 1}, false);
             const QPoint at = trap->CellRect(2, 6).center();
             QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::ControlModifier);
             QApplication::sendEvent(trapWidget->viewport(), &enter);
             QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::ControlModifier);
             QApplication::sendEvent(trapWidget->viewport(), &move);
             QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::ControlModifier);
             QApplication::sendEvent(trapWidget->viewport(), &drop);
         }},
    };
    // Each editor open over its cell (popups are windows of their own: from
    // the screen).
    for (int i = 0; i < int(editors.rows->size()); ++i)
        steps.emplace_back(QStringLiteral("grid_editor_%1.png").arg(QLatin1String((*editors.rows)[size_t(i)].name)),
                           [&, i] {
                               tabs.setCurrentWidget(editors.widget);
                               OpenEditor(editors, i);
                           });
    for (const auto& [file, prepare] : steps) {
        prepare();
        QApplication::processEvents();
        const bool fromScreen =
            file.endsWith(QStringLiteral("_editing.png")) || file.startsWith(QStringLiteral("grid_editor_"));
        // Popups are mapped by the display server: give it a moment.
        if (fromScreen) {
            QElapsedTimer shown;
            shown.start();
            while (shown.elapsed() < 150)
                QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        // Room below the window for a dropped-down popup.
        const int below = file.startsWith(QStringLiteral("grid_editor_")) ? 200 : 0;
        const QPixmap shot = fromScreen
                                 ? tabs.screen()->grabWindow(0, tabs.x(), tabs.y(), tabs.frameGeometry().width(),
                                                             tabs.frameGeometry().height() + below)
                                 : tabs.grab();
        if (!shot.save(QDir(shots).filePath(file)))
            return 1;
        if (editors.grid->EditorMode())
            editors.grid->HideInplaceEdit();
        if (trap->EditorMode()) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QWidget* editor = QApplication::focusWidget();
            QApplication::sendEvent(editor != nullptr ? editor : trapWidget, &esc);
        }
    }
    return 0;
}
