// The three CANopen windows offscreen on the PROFINET / CANopen models:
// tables typed with keys on both pages and saved with OK are shown again on
// the next showing, the compiler builds the project from them, and the EDS
// file written from the same files lists their PDOs and SDO objects and
// passes the strict INI and consistency check.
#include "build/compiler/compiler.h"
#include "controls/grid/widget/grid_widget.h"
#include "generators/eds_writer.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"
#include "set_pdo_access_window.h"
#include "set_sdo_client_access_window.h"
#include "set_sdo_server_access_window.h"
#include "tests/generators/eds_check.h"
#include "workspace.h"

#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace editors;

namespace {

void Click(QWidget& w, const char* name)
{
    auto* b = w.findChild<TLbButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Brings a page to the front by clicking its tab.
void ShowPage(TableEditorForm& w, int section)
{
    auto* pages = w.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(section).center());
    ASSERT_EQ(w.ActiveSection(), section);
}

// Moves with the arrow keys from the top left data cell of the page's grid,
// then types the text and Enter; a check box cell is toggled with Space.
void TypeCell(TableEditorForm& w, int section, int col, int row, const QString& text)
{
    grid::TGridWidget* gw = w.GridWidget(section);
    grid::TExColumnGrid& g = w.Model().Grid(section);
    if (QApplication::focusWidget() == nullptr || !gw->isAncestorOf(QApplication::focusWidget()))
        gw->setFocus();
    g.SetCol(1);
    g.SetRow(1);
    for (int c = 1; c < col; ++c)
        QTest::keyClick(gw, Qt::Key_Right);
    for (int r = 1; r < row; ++r)
        QTest::keyClick(gw, Qt::Key_Down);
    ASSERT_EQ(g.Col(), col);
    ASSERT_EQ(g.Row(), row);
    auto target = [gw]() -> QWidget* {
        QWidget* f = QApplication::focusWidget();
        return f != nullptr && (f == gw || gw->isAncestorOf(f)) ? f : gw;
    };
    if (g.IsCheckBoxColumn(col)) {
        QTest::keyClick(target(), Qt::Key_Space);
    } else {
        for (const QChar ch : text)
            QTest::keyClick(target(), ch.toLatin1());
        QTest::keyClick(target(), Qt::Key_Return);
    }
    EXPECT_EQ(g.GetCellEx(col, row), text) << section << ":" << col << "," << row;
}

using Rows = std::vector<QStringList>;

struct Window
{
    std::function<TableEditorForm*()> make;
    const char* title;
    const char* tabs[2];
    const char* pageNames[2];
    Rows pages[2];
};

std::vector<Window> Windows()
{
    return {
        {[] { return new TFSet_SDO_Server_Access; }, "Set SDO Server Access", {"SDO in Read", "SDO in Write"},
         {"TS_SDO_Read", "TS_SDO_Write"},
         {{{"0x2000", "2", "2", "0", "1", "", "", "read a"}, {"0x2100", "0", "1", "2", "", "", "", ""}},
          {{"$2000", "1", "4", "0", "1", "2", "3", "write"}, {"12288", "10", "1", "4", "", "", "", ""}}}},
        {[] { return new TFSet_SDO_Client_Access; }, "Set SDO Client Access", {"SDO Read", "SDO Write"},
         {"TS_SDO_Read", "TS_SDO_Write"},
         {{{"5", "0x6000", "1", "2", "100", "4", "5", "", "", "poll"}},
          {{"6", "0x6200", "1", "1", "0", "Y", "3", "", "", "", "set"}}}},
        {[] { return new TFSet_PDO_Access; }, "Set PDO Access", {"Receive PDO", "Transmit PDO"},
         {"TS_Receive_PDO", "TS_Transmit_PDO"},
         {{{"0x201", "2", "6", "7", "", "", "", "", "", "", "100", "rx"}},
          {{"0x181", "1", "8", "", "", "", "", "", "", "", "50", "Y", "tx"}, {"0x182", "8", "9", "10", "11", "12", "13", "14",
            "15", "16", "0", "Y", ""}}}},
    };
}

QList<BankFile> Build(int type)
{
    QList<BankFile> files;
    QString error;
    EXPECT_TRUE(Build_Banks(type, files, &error)) << error.toStdString();
    return files;
}

} // namespace

TEST(CanopenWindows, TypedTablesRoundTripBuildAndMakeTheEds)
{
    for (const int type : {8, 24}) {
        SCOPED_TRACE(type);
        TempProgramFolder folder(type);
        folder.OpenProject();
        MessageRecorder messages;
        QList<BankFile> before = Build(type);

        for (const Window& win : Windows()) {
            std::unique_ptr<TableEditorForm> w(win.make());
            SCOPED_TRACE(w->objectName().toStdString());
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
            w->activateWindow();
            EXPECT_EQ(w->windowTitle(), win.title);
            auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
            ASSERT_NE(tabs, nullptr);
            for (int s = 0; s < 2; ++s) {
                EXPECT_EQ(tabs->tabText(s), win.tabs[s]);
                EXPECT_EQ(tabs->widget(s)->objectName(), win.pageNames[s]);
                EXPECT_EQ(w->GridWidget(s)->objectName(), s == 0 ? "sga" : "sgb");
            }
            for (int s = 0; s < 2; ++s) {
                ShowPage(*w, s);
                for (size_t r = 0; r < win.pages[s].size(); ++r)
                    for (int c = 0; c < win.pages[s][r].size(); ++c)
                        if (!win.pages[s][r][c].isEmpty())
                            TypeCell(*w, s, c + 1, int(r) + 1, win.pages[s][r][c]);
            }
            Click(*w, "Btn_OK");
            EXPECT_FALSE(w->isVisible());
            ASSERT_TRUE(QFile::exists(*w->Model().Def().path));

            // The next showing shows the same rows, and only those.
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
            for (int s = 0; s < 2; ++s) {
                const TableData shown = w->Model().Data();
                const auto& rows = shown.sections[size_t(s)];
                for (size_t r = 0; r < win.pages[s].size(); ++r)
                    EXPECT_EQ(rows[r], win.pages[s][r]);
                EXPECT_TRUE(rows[win.pages[s].size()].join(QString()).isEmpty());
            }
            Click(*w, "Btn_Cancel");
        }
        EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();

        // The compiler takes the three files.
        const QList<BankFile> after = Build(type);
        ASSERT_EQ(after.size(), before.size());
        bool changed = false;
        for (qsizetype i = 0; i < after.size(); ++i)
            changed = changed || after[i].bytes != before[i].bytes;
        EXPECT_TRUE(changed);

        // The EDS from the same files: two receive, ... PDOs, two SDO objects.
        const gen::Output eds = gen::Make_EDS_From_Project(type, File_PDO_CANopen, File_SDO_Server_CANopen,
                                                          QDateTime(QDate(2019, 8, 1), QTime(9, 5)));
        ASSERT_TRUE(eds.Ok()) << eds.error.toStdString();
        EXPECT_EQ(edscheck::CheckEds(eds.bytes), QString());
        const QStringList lines = QString::fromLatin1(eds.bytes).split(QStringLiteral("\r\n"));
        for (const char* line : {"NrOfRXPDO=1", "NrOfTXPDO=2", "[1400sub1]", "DefaultValue=0x00000201", "[1801]",
                                 "DefaultValue=0x00000182", "[1A01]", "SubNumber=9", "[7051sub8]", "2=0x2100",
                                 "[2000sub0]", "[2000sub1]", "[2000sub2]", "[3000subA]", "[2100sub0]"})
            EXPECT_TRUE(lines.contains(QLatin1String(line))) << line;
        EXPECT_TRUE(lines.contains(QStringLiteral("OrderCode=") + (type == 24 ? "GX52160" : "GX52290")));
        const QString manufacturer = QStringLiteral("[ManufacturerObjects]\r\nSupportedObjects=3\r\n1=0x2000\r\n"
                                                    "2=0x2100\r\n3=0x3000\r\n");
        EXPECT_TRUE(QString::fromLatin1(eds.bytes).contains(manufacturer));
    }
}
