// The painted tab control and the small dialogs of the M-Bus windows under
// real keys and clicks: the strip's colours by pixel probes, tab clicks and
// Ctrl+Tab, the key, start register and new address dialogs with their
// checks.
#include "ex_page_control.h"
#include "insert_key_wireless_window.h"
#include "modbus_start_add_sd_window.h"
#include "new_id_node_window.h"
#include "scan_modbus_start_window.h"

#include "mbus/models/network_editor.h"

#include "app/button/lb_button.h"
#include "controls/grid/core/ex_column_grid.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "user_input.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::At;
using testsupport::UserScript;

namespace {

// With ORVANO_SHOTS set, a window's picture is kept there for a look.
void Shot(QWidget* w, const char* name)
{
    const QString dir = qEnvironmentVariable("ORVANO_SHOTS");
    if (!dir.isEmpty())
        w->grab().save(QDir(dir).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

struct EditorTabs
{
    QWidget host;
    TExPageControl* c;
    QLineEdit* edit;
    EditorTabs()
    {
        host.resize(520, 440);
        c = MakeEditorPageControl(&host);
        c->setGeometry(10, 10, 500, 420);
        c->Page(0)->SetCaption(QStringLiteral("Nodes     "));
        c->Page(1)->SetCaption(QStringLiteral("Variables     "));
        edit = new QLineEdit(c->Page(0));
        edit->setGeometry(10, 10, 100, 21);
        c->SetActivePage(c->Page(0));
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
};

} // namespace

TEST(EditorTabControl, StripColoursAndTheActiveTab)
{
    EditorTabs t;
    const QImage img = t.c->grab().toImage();
    Shot(t.c, "ExPageControl1");
    const mbus::Box active = t.c->TabBox(0);
    const mbus::Box other = t.c->TabBox(1);
    ASSERT_GT(active.b - active.t, 20);
    EXPECT_LT(active.r, 40) << "the tabs are sized from their text, on the left";
    EXPECT_GT(other.b - other.t, active.b - active.t) << "the longer caption gives the taller tab";
    const QColor face(0xF8, 0xF7, 0xED), sky(0xA6, 0xCA, 0xF0), grey(0x80, 0x80, 0x80);
    // The strip below the tabs, an active tab's inside, the page side of the
    // inactive tab.
    EXPECT_EQ(img.pixelColor(5, t.c->height() - 10), face);
    EXPECT_EQ(img.pixelColor(active.l + 3, active.t + 6), sky);
    EXPECT_EQ(img.pixelColor(other.r, (other.t + other.b) / 2), grey);
    EXPECT_EQ(img.pixelColor(other.l + 3, (other.t + other.b) / 2), face);
    // The active tab opens into the page: no grey line on its page side.
    EXPECT_NE(img.pixelColor(active.r, (active.t + active.b) / 2), grey);
    // The page outline beside the strip, below the tabs.
    EXPECT_EQ(img.pixelColor(active.r > other.r ? active.r : other.r, t.c->height() - 20), grey);
    EXPECT_EQ(t.c->Page(0)->Sheet()->TabCaption(), QStringLiteral("Nodes   "));
}

TEST(EditorTabControl, ClicksAndCtrlTabChangePages)
{
    EditorTabs t;
    int changes = 0;
    QObject::connect(t.c, &TExPageControl::PageChanged, [&] { ++changes; });
    const mbus::Box other = t.c->TabBox(1);
    const QPoint onOther = QPoint((other.l + other.r) / 2, (other.t + other.b) / 2) - t.c->Bar()->pos();
    QTest::mousePress(t.c->Bar(), Qt::LeftButton, {}, onOther);
    QTest::mouseRelease(t.c->Bar(), Qt::LeftButton, {}, onOther);
    EXPECT_EQ(t.c->State().ActivePageIndex(), 1);
    EXPECT_TRUE(t.c->Page(1)->isVisible());
    EXPECT_FALSE(t.c->Page(0)->isVisible());

    t.c->SetActivePage(t.c->Page(0));
    t.edit->setFocus();
    UserScript user;
    user.Key(Qt::Key_Tab, 60, Qt::ControlModifier)
        .Do([&] { EXPECT_EQ(t.c->State().ActivePageIndex(), 1); })
        .Key(Qt::Key_Tab, 60, Qt::ControlModifier)
        .Do([&] { EXPECT_EQ(t.c->State().ActivePageIndex(), 0) << "wraps to the first"; });
    t.host.activateWindow();
    t.edit->setFocus();
    EXPECT_TRUE(user.Run(5000));
    QTest::keyClick(t.c, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(t.c->State().ActivePageIndex(), 1) << "Ctrl+Shift+Tab wraps to the last";
    EXPECT_GE(changes, 3);

    // A hidden tab is skipped and leaves the strip.
    t.c->State().SetTabVisible(t.c->Page(0)->Sheet(), false);
    EXPECT_EQ(t.c->Bar()->count(), 1);
    EXPECT_EQ(t.c->State().ActivePageIndex(), 1);
}

TEST(ScanOptionDialogs, KeyIsTypedInUpperCaseAndChecked)
{
    TempProgramFolder folder(21);
    MessageRecorder rec;
    TFInsertKeyWireless dlg;
    dlg.open();
    Shot(&dlg, "FInsertKeyWireless");
    UserScript user;
    user.Click(At(dlg.E_Key)).Type(QStringLiteral("00112233445566778899aabbccddeef")).Click(At(dlg.Btn_OK)).Do([&] {
        EXPECT_EQ(rec.Texts(), QStringList{QStringLiteral("Error!! The Key must contain 16 bytes (32 characters in HEX)")});
        EXPECT_TRUE(dlg.isVisible());
    });
    user.Click(At(dlg.E_Key)).Key(Qt::Key_End).Type(QStringLiteral("f")).Click(At(dlg.Btn_OK));
    EXPECT_TRUE(user.Run(20000));
    EXPECT_EQ(dlg.E_Key->text(), QStringLiteral("00112233445566778899AABBCCDDEEFF"));
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(ScanOptionDialogs, StartRegisterBounds)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    TFScanModbusStart dlg;
    dlg.open();
    Shot(&dlg, "FScanModbusStart");
    UserScript user;
    user.Click(At(dlg.E_StartModAdd)).Type(QStringLiteral("65536")).Click(At(dlg.Btn_OK)).Do([&] {
        EXPECT_EQ(rec.Texts(), QStringList{QStringLiteral("Error!! The Star Modbus Address must be between 1 and 65535")});
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.E_StartModAdd->text(), QStringLiteral("65536")) << "the entry stays";
    });
    user.Click(At(dlg.E_StartModAdd)).Key(Qt::Key_End).Key(Qt::Key_Backspace).Click(At(dlg.Btn_OK));
    EXPECT_TRUE(user.Run(20000));
    EXPECT_EQ(dlg.StartModAdd, 6553);
    EXPECT_EQ(dlg.result(), mrOk);
}

TEST(NewNodeIdDialog, PasteAddressesAreCheckedByKind)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    mbus::NetworkEditor ed(10);
    mbus::TNodo secondaryFive;
    secondaryFive.Node_ID_Type = 1;
    secondaryFive.Node_ID_Secondary = 5;
    mbus::TNodo primarySeven;
    primarySeven.Node_ID_Primary = 7;
    ed.Nodes() = {secondaryFive, primarySeven};
    TFNewIDNode dlg;
    dlg.Check = [&](bool sec, const QString& p, const QString& s) { return ed.Check_New_Node_ID(sec, p, s); };
    dlg.Prepare(false, 7, 0);
    dlg.open();
    Shot(&dlg, "FNewIDNode");
    EXPECT_TRUE(dlg.RB_ID_Primary->isChecked());
    UserScript user;
    user.Click(At(dlg.Btn_OK)).Do([&] {
        EXPECT_EQ(rec.Texts(), QStringList{QStringLiteral("Error!! ID Node is already used ")});
        EXPECT_TRUE(dlg.isVisible());
    });
    user.DoubleClick(At(dlg.E_New_Node_ID_Pri)).Do([&] { dlg.E_New_Node_ID_Pri->selectAll(); }).Type(QStringLiteral("5"));
    user.Click(At(dlg.Btn_OK));
    EXPECT_TRUE(user.Run(20000));
    EXPECT_EQ(dlg.result(), mrOk) << "primary 5 beside a secondary 5 is accepted";
    EXPECT_EQ(rec.Texts().size(), 1);
}

TEST(ScanOptionDialogs, StartAddressTableStopsAtTheFirstBadRow)
{
    TempProgramFolder folder(10);
    MessageRecorder rec;
    TFModbusStartAdd_SD dlg;
    dlg.Carica_Dati_Modbus_Start_Add({QStringLiteral("2 - 22222222"), QStringLiteral("5 - 5"), QStringLiteral("7 - 7")});
    grid::TExColumnGrid& g = dlg.Grid();
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("2 - 22222222"));
    EXPECT_EQ(dlg.Start_Addresses(), (QStringList{"1", "1", "1"}));
    struct Case
    {
        QStringList column;
        QString message;   // empty: OK closes
    };
    const Case cases[] = {
        {{"1", "59999", "60000"}, "Error row 3!! Modbus Start Address must be between 1 and 59999"},
        {{"1", "", "0"}, "Error row 2!! Modbus Start Address cannot be empty"},
        {{"0", "", ""}, "Error row 1!! Modbus Start Address must be between 1 and 59999"},
        {{"1", "x", "5"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
        {{"1", "100", "59999"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column.join(u',').toStdString());
        rec.Clear();
        for (int r = 1; r <= 3; ++r)
            g.SetCells(1, r, c.column[r - 1]);
        dlg.open();
        UserScript user;
        user.Click(At(dlg.Btn_OK));
        EXPECT_TRUE(user.Run(10000));
        if (c.message.isEmpty()) {
            EXPECT_TRUE(rec.Empty());
            EXPECT_FALSE(dlg.isVisible());
            EXPECT_EQ(dlg.result(), mrOk);
        } else {
            EXPECT_EQ(rec.Texts(), QStringList{c.message});
            EXPECT_TRUE(dlg.isVisible()) << "the table stays for a correction";
            dlg.done(mrCancel);
        }
    }
    Shot(&dlg, "FModbusStartAdd_SD");

    // No meter: the header row alone, and OK closes at once.
    dlg.Carica_Dati_Modbus_Start_Add({});
    EXPECT_EQ(g.RowCount(), 1);
    rec.Clear();
    dlg.open();
    dlg.Btn_OKClick();
    EXPECT_TRUE(rec.Empty());
    EXPECT_FALSE(dlg.isVisible());
}
