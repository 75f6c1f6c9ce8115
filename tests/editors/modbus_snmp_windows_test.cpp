// The Modbus master and SNMP trap windows offscreen: rows typed with keys,
// list items picked with keys, check boxes clicked, pages changed with the
// mouse, OK; the compiler builds the images from the files; the reopened
// window shows the same rows, widths and header hints.
#include "build/compiler/compiler.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/html_hint_window.h"
#include "device_type.h"
#include "language.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "modbus_tcp_master_set_access_window.h"
#include "program_folder.h"
#include "qt_print.h"
#include "set_access_window.h"
#include "snmp_trap_access_window.h"
#include "workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QHelpEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace editors;

namespace {

const QString kSkip = QStringLiteral("\x01");   // a hidden column: not typed

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void Click(QWidget& w, const char* name)
{
    auto* b = w.findChild<TLbButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Clicks the page's tab.
void ChoosePage(TableEditorForm& w, int section)
{
    auto* pages = w.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(section).center());
    ASSERT_EQ(w.ActiveSection(), section);
}

QWidget* KeyTarget(grid::TGridWidget* gw)
{
    QWidget* f = QApplication::focusWidget();
    return f != nullptr && (f == gw || gw->isAncestorOf(f)) ? f : gw;
}

// Moves the cursor with the arrow keys from the top left data cell.
void MoveTo(TableEditorForm& w, int section, int realCol, int row)
{
    grid::TGridWidget* gw = w.GridWidget(section);
    grid::TExColumnGrid& g = w.Model().Grid(section);
    if (!w.isActiveWindow()) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    if (QApplication::focusWidget() == nullptr || !gw->isAncestorOf(QApplication::focusWidget()))
        gw->setFocus();
    g.SetCol(1);
    g.SetRow(1);
    const int col = g.DisplColIndex(realCol);
    for (int c = 1; c < col; ++c)
        QTest::keyClick(gw, Qt::Key_Right);
    for (int r = 1; r < row; ++r)
        QTest::keyClick(gw, Qt::Key_Down);
    EXPECT_EQ(g.Col(), col);
    EXPECT_EQ(g.Row(), row);
}

// Text typed into the editor the first character opens, then Enter.
void TypeText(TableEditorForm& w, int section, int col, int row, const QString& text)
{
    MoveTo(w, section, col, row);
    grid::TGridWidget* gw = w.GridWidget(section);
    for (const QChar ch : text)
        QTest::keyClick(KeyTarget(gw), ch.toLatin1());
    QTest::keyClick(KeyTarget(gw), Qt::Key_Return);
}

// The first character typed opens the list on the first item it starts;
// Down moves on to the item; Enter takes it.
void PickItem(TableEditorForm& w, int section, int col, int row, const QString& item)
{
    MoveTo(w, section, col, row);
    grid::TGridWidget* gw = w.GridWidget(section);
    QTest::keyClick(KeyTarget(gw), item[0].toLatin1());
    auto* combo = qobject_cast<QComboBox*>(KeyTarget(gw));
    ASSERT_NE(combo, nullptr) << item.toStdString();
    for (int i = 0; i < 200 && combo->currentText() != item; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Return);
}

// Clicks the cell's check box until it shows the wanted text.
void ClickCheck(TableEditorForm& w, int section, int realCol, int row, const QString& wanted)
{
    grid::TGridWidget* gw = w.GridWidget(section);
    grid::TExColumnGrid& g = w.Model().Grid(section);
    const QRect r = g.CellRect(g.DisplColIndex(realCol), row);
    QPoint spot;
    for (int x = r.left(); x <= r.right() && spot.isNull(); ++x)
        if (g.IsInCheckBox(realCol, row, x, r.center().y()))
            spot = QPoint(x + 2, r.center().y());
    ASSERT_FALSE(spot.isNull()) << realCol << "," << row;
    for (int i = 0; i < 2 && g.GetCellEx(realCol, row) != wanted; ++i)
        QTest::mouseClick(gw->viewport(), Qt::LeftButton, {}, spot);
}

// Every cell of a row by its column's editor kind.
void EnterRow(TableEditorForm& w, int section, int row, const QStringList& cells)
{
    const std::vector<ColumnDef>& columns = ColumnsOf(w.Model().Def(), size_t(section));
    grid::TExColumnGrid& g = w.Model().Grid(section);
    for (int c = 0; c < cells.size(); ++c) {
        if (cells[c] == kSkip)
            continue;
        const int col = c + 1;
        switch (columns[size_t(c)].edit) {
        case Edit::Text:
        case Edit::ComboEdit:
            if (!cells[c].isEmpty())
                TypeText(w, section, col, row, cells[c]);
            break;
        case Edit::List:
            if (!cells[c].isEmpty())
                PickItem(w, section, col, row, cells[c]);
            break;
        case Edit::Check:
            ClickCheck(w, section, col, row, cells[c]);
            break;
        }
        EXPECT_EQ(g.GetCellEx(col, row), cells[c]) << "section " << section << " column " << col;
    }
}

struct Round
{
    int type;
    const char* parGen;    // nullptr: no file
    std::function<TableEditorForm*()> make;
    QStringList read, write;
};

QList<BankFile> Build(int type)
{
    QList<BankFile> files;
    QString error;
    EXPECT_TRUE(Build_Banks(type, files, &error)) << error.toStdString();
    return files;
}

bool SameImages(const QList<BankFile>& a, const QList<BankFile>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].bytes != b[i].bytes)
            return false;
    return true;
}

const QString M = QStringLiteral("a&b<\"c'>");
const QString kHidden = kSkip;

std::vector<Round> Rounds()
{
    auto serial = [] { return new TFSetAccess; };
    auto tcp = [] { return new TFModbus_TCP_Master_Set_Access; };
    auto traps = [] { return new TFSNMP_Trap_Access; };
    return {
        {4, nullptr, serial,
         {"1", "Holding Register", "0", "10", "1000", "3", "12", "", "Y", "N", kHidden, M},
         {"2", "Coil Status", "5", "8", "0", "Y", "0", "1", "3", "N", "N", kHidden, "w"}},
        {18, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", serial,
         {"7", "Input Status", "0x10", "12", "500", "0", "100", "7", "N", "N", "Int 2 bytes", M},
         {"0", "Holding Register", "1", "2", "10", "N", "0", "20", "", "Y", "Y", "Float to Int 4 bytes", ""}},
        {11, nullptr, tcp,
         {"127.0.0.1", "502", "1", "Input Register", "0", "4", "100", "0", "0", "", "N", "Y", kHidden, M},
         {"127.0.0.2", "5020", "255", "Holding Register", "1", "2", "0", "Y", "0", "8", "", "N", "N", kHidden, "w"}},
        {19, "<Par_Gen><SNMP_MapType>0</SNMP_MapType></Par_Gen>", tcp,
         {"127.0.0.1", "502", "0", "Coil Status", "16", "9", "100", "2", "30", "7", "Y", "N", "Int 8 bytes", M},
         {"127.0.0.1", "502", "3", "Holding Register", "1", "1", "0", "N", "0", "25", "", "N", "N", "Octet String", ""}},
        {20, nullptr, traps,
         {"Y", "public", "Int", "Y", kHidden, "Y", "1000", "12", "3", "5", "temp1", "127.0.0.1", kHidden, M},
         {"Y", "private", "String", "20", "0", "8", "name1", kHidden, "w"}},
        {1018, nullptr, traps,
         {"Y", "Mirven", "Int", "N", kHidden, "N", "", "0", "0", "16", "level", "127.0.0.1", "Float * 10", M},
         {"N", "Tenmark", "Int", "4", "0", "8", "setpoint", "Int * 1000", "w"}},
    };
}

} // namespace

TEST(ModbusSnmpWindows, TypedTablesCompileAndShowAgain)
{
    for (const Round& c : Rounds()) {
        SCOPED_TRACE(c.type);
        TempProgramFolder folder(c.type);
        folder.OpenProject();
        if (c.parGen)
            WriteFile(File_ParGen, c.parGen);
        MessageRecorder messages;
        const QList<BankFile> empty = Build(c.type);

        std::unique_ptr<TableEditorForm> w(c.make());
        w->show();
        EnterRow(*w, 0, 1, c.read);
        ChoosePage(*w, 1);
        EnterRow(*w, 1, 1, c.write);
        // Clicking Enable numbers the enabled rows again.
        for (int s = 0; s < 2 && w->Model().Def().enableCol; ++s)
            EXPECT_EQ(w->Model().Grid(s).GetCellEx(0, 1), (s == 0 ? c.read : c.write)[0] == "Y" ? "1" : "");
        ChoosePage(*w, 0);
        Click(*w, "Btn_OK");
        ASSERT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
        EXPECT_FALSE(w->isVisible());

        const QList<BankFile> typed = Build(c.type);
        EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
        EXPECT_FALSE(SameImages(typed, empty));

        // Shown again, in a window made anew: the same rows, widths and hints.
        std::unique_ptr<TableEditorForm> again(c.make());
        again->show();
        for (int s = 0; s < 2; ++s) {
            const QStringList& cells = s == 0 ? c.read : c.write;
            grid::TExColumnGrid& g = again->Model().Grid(s);
            grid::TExColumnGrid& first = w->Model().Grid(s);
            for (int col = 0; col < cells.size(); ++col) {
                if (cells[col] != kSkip) {
                    EXPECT_EQ(g.GetCellEx(col + 1, 1), cells[col]) << s << "," << col;
                }
                EXPECT_EQ(g.IsHiddenColumn(col + 1), first.IsHiddenColumn(col + 1));
                EXPECT_EQ(g.AllColWidths(col + 1), first.AllColWidths(col + 1));
                EXPECT_EQ(again->Model().HeaderHint(s, col + 1), w->Model().HeaderHint(s, col + 1));
            }
        }
        EXPECT_EQ(again->ClientSize(), w->ClientSize());
        again->hide();
    }
}

// A language change renames the fixed-number Swap and Swap Word headers of
// the TCP window; the trap window keeps the page it was closed on.
TEST(ModbusSnmpWindows, LanguageChangeAndActivePage)
{
    TempProgramFolder folder(19);
    folder.OpenProject();
    MessageRecorder messages;
    Load_Default_Language();
    TFModbus_TCP_Master_Set_Access tcp;
    EXPECT_EQ(tcp.ClientSize().width(), 980);
    tcp.show();
    EXPECT_EQ(tcp.ClientSize().width(), 980);   // no ParGen.xml: map type 1
    LangTable[911] = QStringLiteral("Tausch");
    LangTable[953] = QStringLiteral("Tausch Wort");
    LangTable[912] = QStringLiteral("Tausch W");
    LangTable[954] = QStringLiteral("Tausch Wort W");
    tcp.Set_Lang();
    EXPECT_EQ(tcp.Model().Grid(0).Columns()[11]->Header(), QStringLiteral("Tausch"));
    EXPECT_EQ(tcp.Model().Grid(0).Columns()[12]->Header(), QStringLiteral("Tausch Wort"));
    EXPECT_EQ(tcp.Model().Grid(1).Columns()[12]->Header(), QStringLiteral("Tausch W"));
    EXPECT_EQ(tcp.Model().Grid(1).Columns()[13]->Header(), QStringLiteral("Tausch Wort W"));
    tcp.hide();
    Load_Default_Language();

    DeviceType = 15;
    TFSNMP_Trap_Access traps;
    traps.show();
    // The header hint of a shown column comes up over its header cell.
    {
        grid::TGridWidget* gw = traps.GridWidget(0);
        grid::TExColumnGrid& g = traps.Model().Grid(0);
        const QPoint at = g.CellRect(2, 0).center();
        QHelpEvent help(QEvent::ToolTip, at, gw->viewport()->mapToGlobal(at));
        QApplication::sendEvent(gw->viewport(), &help);
        ASSERT_NE(gw->HintWindow(), nullptr);
        EXPECT_TRUE(gw->HintWindow()->isVisible());
        EXPECT_EQ(gw->HintWindow()->Caption(),
                  QStringLiteral("Insert the Community Name for the SNMP Trap (Max 15 characters)"));
    }
    // Community names and descriptions are edited with a limit of 15 characters.
    for (int s = 0; s < 2; ++s)
        for (const char* attr : {"Community_Name", "Description"}) {
            const std::vector<ColumnDef>& columns = ColumnsOf(kSnmpTrapAccess, size_t(s));
            for (size_t c = 0; c < columns.size(); ++c)
                if (QLatin1String(columns[c].attr) == QLatin1String(attr)) {
                    EXPECT_EQ(traps.Model().Grid(s).Columns()[int(c) + 1]->EditLength, 15) << attr;
                }
        }
    // Copy Row on the read page, Paste Row on the write page: refused.
    TypeText(traps, 0, 2, 1, QStringLiteral("public"));
    Click(traps, "Btn_CopyRow");
    ChoosePage(traps, 1);
    traps.Model().Grid(1).SetRow(1);
    Click(traps, "Btn_PasteRow");
    EXPECT_EQ(messages.Texts(), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_EQ(traps.Model().Grid(1).GetCellEx(2, 1), QString());
    Click(traps, "Btn_Cancel");
    traps.show();
    EXPECT_EQ(traps.ActiveSection(), 1);
    traps.hide();

    TFSetAccess serial;
    DeviceType = 4;
    serial.show();
    ChoosePage(serial, 1);
    serial.hide();
    serial.show();
    EXPECT_EQ(serial.ActiveSection(), 0);
    serial.hide();
}

// The compiler takes a TCP register row's empty Bit as 0; a bit row still
// needs a number.
TEST(ModbusSnmpWindows, TcpRegisterRowWithoutBitCompiles)
{
    TempProgramFolder folder(11);
    folder.OpenProject();
    MessageRecorder messages;
    auto file = [](const char* type, const char* bit) {
        return QByteArray(R"(<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read><row IP_Address="127.0.0.1" Port="502" Slave_ID="1" Type=")")
               + type + R"(" Address="0" NPoint="2" PollTime="100" MaxError="0" Position="0" Bit=")" + bit
               + R"(" Swap="N" Swap_Word="N" Mnemonic=""/></Modbus_Read><Modbus_Write/></PROFINET_Master_to_Modbus_TCP_Master>)";
    };
    WriteFile(File_ModbusTCPM_SetAccess, file("Holding Register", ""));
    const QList<BankFile> empty = Build(11);
    WriteFile(File_ModbusTCPM_SetAccess, file("Holding Register", "0"));
    EXPECT_TRUE(SameImages(Build(11), empty));

    WriteFile(File_ModbusTCPM_SetAccess, file("Coil Status", ""));
    QList<BankFile> files;
    QString error;
    EXPECT_FALSE(Build_Banks(11, files, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"Bit\""))) << error.toStdString();
}
