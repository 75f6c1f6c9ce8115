// The table windows offscreen: built from their definitions, driven with
// keys and clicks, OK writing what was typed, Cancel leaving the file, and
// a language change renaming captions, buttons and headers.
#include "can_rec_frames_window.h"
#include "can_send_frame_window.h"
#include "controls/grid/widget/grid_widget.h"
#include "dmx_def_val_window.h"
#include "dnet_window.h"
#include "language.h"
#include "lb_button.h"
#include "message_recorder.h"
#include "node_guard_window.h"
#include "program_folder.h"
#include "qt_print.h"
#include "receive_j1939_window.h"
#include "receive_nmea_window.h"
#include "restart_devices_window.h"
#include "transmit_j1939_window.h"
#include "transmit_nmea_window.h"
#include "user_input.h"
#include "workspace.h"

#include <QFile>
#include <QLabel>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace editors;

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TLbButton* Button(QWidget& w, const char* name)
{
    return w.findChild<TLbButton*>(QString::fromLatin1(name));
}

void Click(QWidget& w, const char* name)
{
    TLbButton* b = Button(w, name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

// Moves the cursor with the arrow keys from the top left data cell, then
// types the text and Enter into the editor the first character opens.
void TypeCell(TableEditorForm& w, int col, int row, const QString& text)
{
    grid::TGridWidget* gw = w.GridWidget();
    grid::TExColumnGrid& g = w.Model().Grid();
    if (!w.isActiveWindow()) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    if (QApplication::focusWidget() == nullptr || !gw->isAncestorOf(QApplication::focusWidget()))
        gw->setFocus();
    g.SetCol(1);
    g.SetRow(1);
    for (int c = 1; c < col; ++c)
        QTest::keyClick(gw, Qt::Key_Right);
    for (int r = 1; r < row; ++r)
        QTest::keyClick(gw, Qt::Key_Down);
    EXPECT_EQ(g.Col(), col);
    EXPECT_EQ(g.Row(), row);
    // Keys go where the focus is: the grid, then the editor the first
    // character opened.
    auto target = [gw]() -> QWidget* {
        QWidget* f = QApplication::focusWidget();
        return f != nullptr && (f == gw || gw->isAncestorOf(f)) ? f : gw;
    };
    grid::TEditorType editor = g.DefaultEditor;
    g.GetEditorType(col, row, editor);
    if (editor == grid::edComboList) {
        // A list takes no typed text: the first character opens it on the
        // first item it starts, Down moves on to the item, Enter takes it.
        QTest::keyClick(target(), text[0].toLatin1());
        auto* combo = qobject_cast<QComboBox*>(target());
        ASSERT_NE(combo, nullptr) << col << "," << row;
        for (int i = 0; i < 64 && combo->currentText() != text; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Return);
    } else {
        for (const QChar ch : text)
            QTest::keyClick(target(), ch.toLatin1());
        QTest::keyClick(target(), Qt::Key_Return);
    }
    EXPECT_EQ(g.GetCellEx(col, row), text) << col << "," << row;
}

// Clicks the cell's check box, found in the cell's row of pixels.
void ClickCheck(TableEditorForm& w, int col, int row)
{
    grid::TGridWidget* gw = w.GridWidget();
    grid::TExColumnGrid& g = w.Model().Grid();
    const QRect r = g.CellRect(g.DisplColIndex(col), row);
    for (int x = r.left(); x <= r.right(); ++x)
        if (g.IsInCheckBox(col, row, x, r.center().y())) {
            QTest::mouseClick(gw->viewport(), Qt::LeftButton, {}, QPoint(x + 2, r.center().y()));
            return;
        }
    ADD_FAILURE() << "no check box in " << col << "," << row;
}

struct WindowCase
{
    std::function<TableEditorForm*()> make;
    const TableDef* def;
    const char* buttons[2];
};

std::vector<WindowCase> Windows()
{
    return {
        {[] { return new TFCAN_Rec_Frames; }, &kCanRecFrames, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFCAN_Send_Frame; }, &kCanSendFrames, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFDNet; }, &kDNetNet, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFReceiveJ1939; }, &kReceiveJ1939, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFTransmitJ1939; }, &kTransmitJ1939, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFReceiveNMEA; }, &kReceiveNmea, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFTransmitNMEA; }, &kTransmitNmea, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFReStart_Devices; }, &kRestartDevices, {"Btn_SelectAll", "Btn_ClearAll"}},
        {[] { return new TFNodeGuard; }, &kNodeGuard, {"Btn_DelRow", "Btn_InsRow"}},
        {[] { return new TFDMXDefVal; }, &kDmxDefaultValues, {nullptr, nullptr}},
    };
}

} // namespace

TEST(TableWindows, BuiltFromTheirDefinitionsAndRenamedByALanguageChange)
{
    TempProgramFolder folder(0);
    for (const WindowCase& c : Windows()) {
        const TableDef& def = *c.def;
        SCOPED_TRACE(def.objectName);
        Load_Default_Language();
        std::unique_ptr<TableEditorForm> w(c.make());
        EXPECT_EQ(w->objectName(), QString::fromLatin1(def.objectName));
        EXPECT_EQ(w->ClientSize(), QSize(def.width, def.height));
        ASSERT_NE(w->findChild<grid::TGridWidget*>(QString::fromLatin1(def.gridName)), nullptr);
        EXPECT_EQ(w->windowTitle(), Lang(def.caption));
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("L_SW_Desc"))->text(), Lang(def.desc));
        EXPECT_EQ(Button(*w, "Btn_OK")->Caption(), Lang(def.ok));
        for (const char* name : c.buttons) {
            if (name) {
                EXPECT_NE(Button(*w, name), nullptr) << name;
            }
        }
        if (!c.buttons[0]) {
            EXPECT_EQ(w->findChildren<TLbButton*>().size(), 2);
        }

        LangTable[def.caption] = QStringLiteral("caption x");
        LangTable[def.ok] = QStringLiteral("ok x");
        LangTable[def.columns[0].header] = QStringLiteral("header x");
        w->Set_Lang();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("caption x"));
        EXPECT_EQ(Button(*w, "Btn_OK")->Caption(), QStringLiteral("ok x"));
        grid::TExColumnGrid& g = w->Model().Grid();
        EXPECT_EQ(def.headersInCells ? g.GetCellEx(1, 0) : g.Columns()[1]->Header(), QStringLiteral("header x"));
    }
    Load_Default_Language();
}

TEST(TableWindows, TypedRowsSavedWithOkAndShownAgain)
{
    TempProgramFolder folder(0);
    folder.OpenProject();
    MessageRecorder messages;
    TFCAN_Rec_Frames w;
    w.show();
    const QStringList first{"0x181", "2.0A (11 bits)", "8", "1000", "a&b<\"c'>"};
    const QStringList second{"256", "2.0B (29 bits)", "3", "0", ""};
    for (int c = 0; c < 5; ++c)
        TypeCell(w, c + 1, 1, first[c]);
    for (int c = 0; c < 5; ++c)
        TypeCell(w, c + 1, 2, second[c]);

    // Insert Row on row 1 pushes both rows down; Delete Row takes it out again.
    w.Model().Grid().SetRow(1);
    Click(w, "Btn_InsRow");
    EXPECT_EQ(w.Model().Grid().GetCellEx(1, 2), QStringLiteral("0x181"));
    Click(w, "Btn_DelRow");
    EXPECT_EQ(messages.Texts(), QStringList{"Are you sure to delete the Row number 1"});
    EXPECT_EQ(w.Model().Grid().GetCellEx(1, 1), QStringLiteral("0x181"));

    messages.Clear();
    Click(w, "Btn_OK");
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), int(mrOk));
    const QByteArray saved = ReadFile(File_CAN_Rec_Frames);
    EXPECT_EQ(saved.toStdString(),
              "<PROFINET_to_Receive_CAN><Receive_Frames>"
              "<row Cob_Id=\"0x181\" Type=\"2.0A (11 bits)\" Dimension=\"8\" TimeOut=\"1000\" Mnemonic=\"a&amp;b&lt;&quot;c'>\"/>"
              "<row Cob_Id=\"256\" Type=\"2.0B (29 bits)\" Dimension=\"3\" TimeOut=\"0\" Mnemonic=\"\"/>"
              "</Receive_Frames></PROFINET_to_Receive_CAN><!--SW_VERSION = 1.107-->");

    // Shown again: the same rows. Edited, then Cancel: the file stays byte for byte.
    w.show();
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(w.Model().Grid().GetCellEx(c + 1, 1), first[c]);
        EXPECT_EQ(w.Model().Grid().GetCellEx(c + 1, 2), second[c]);
    }
    TypeCell(w, 1, 1, QStringLiteral("0x7FF"));
    Click(w, "Btn_Cancel");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ReadFile(File_CAN_Rec_Frames), saved);
    w.show();
    EXPECT_EQ(w.Model().Grid().GetCellEx(1, 1), QStringLiteral("0x181"));
    w.hide();
}

TEST(TableWindows, FailingCheckKeepsTheWindowOpen)
{
    TempProgramFolder folder(8);
    folder.OpenProject();
    MessageRecorder messages;
    TFNodeGuard w;
    w.show();
    TypeCell(w, 1, 1, QStringLiteral("128"));
    Click(w, "Btn_OK");
    EXPECT_EQ(messages.Texts(), QStringList{"Error row 1!! Device ID must be between 1 and 127"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(File_NodeGuard));
    w.hide();
}

TEST(TableWindows, RestartSelectAllAndClearAll)
{
    TempProgramFolder folder(8);
    folder.OpenProject();
    MessageRecorder messages;
    TFReStart_Devices w;
    w.show();
    EXPECT_EQ(w.Model().Grid().GetCellEx(0, 127), QStringLiteral("127"));
    Click(w, "Btn_SelectAll");
    EXPECT_EQ(w.Model().Grid().GetCellEx(1, 127), QStringLiteral("Y"));
    Click(w, "Btn_ClearAll");
    EXPECT_EQ(w.Model().Grid().GetCellEx(1, 1), QStringLiteral("N"));
    Click(w, "Btn_SelectAll");
    Click(w, "Btn_OK");
    EXPECT_EQ(ReadFile(File_ReStart_CANopen).count(R"(Enable_ReStart="Y" Mnemonic="")"), 127);
}

// The step's way: the window shown modally, its buttons clicked by a person.
TEST(TableWindows, ShownModallyAndClosedWithCancel)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    MessageRecorder messages;
    QFile f(File_DMX_Default_Values);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"(<DMX_Default_Values><Row Default_Value="9" Mnemonic="x"/></DMX_Default_Values>)");
    f.close();
    const QByteArray before = ReadFile(File_DMX_Default_Values);
    TFDMXDefVal w;
    int result = -1;
    QString shownValue;
    testsupport::UserScript script;
    script.Do([&] { result = w.ShowModal(); })
        .Wait(100)
        .Do([&] { shownValue = w.Model().Grid().GetCellEx(1, 1); })
        .Click(testsupport::Named("Btn_Cancel"));
    EXPECT_TRUE(script.Run(10000));
    EXPECT_EQ(shownValue, QStringLiteral("9"));
    EXPECT_EQ(result, int(mrCancel));
    EXPECT_EQ(ReadFile(File_DMX_Default_Values), before);
}

// List items picked with keys and check boxes clicked: the J1939 receive
// list's data page, transport flag and delete flag.
TEST(TableWindows, ListItemsAndCheckBoxesByKeysAndClicks)
{
    TempProgramFolder folder(6);
    folder.OpenProject();
    MessageRecorder messages;
    TFReceiveJ1939 w;
    w.show();
    TypeCell(w, 1, 1, QStringLiteral("1"));
    TypeCell(w, 2, 1, QStringLiteral("0xFEF1"));
    TypeCell(w, 3, 1, QStringLiteral("0"));
    ClickCheck(w, 4, 1);
    EXPECT_EQ(w.Model().Grid().GetCellEx(4, 1), QStringLiteral("Y"));
    TypeCell(w, 5, 1, QStringLiteral("0"));
    TypeCell(w, 6, 1, QStringLiteral("20"));
    ClickCheck(w, 7, 1);
    ClickCheck(w, 7, 1);
    ClickCheck(w, 7, 1);
    EXPECT_EQ(w.Model().Grid().GetCellEx(7, 1), QStringLiteral("Y"));
    TypeCell(w, 1, 2, QStringLiteral("0"));
    TypeCell(w, 2, 2, QStringLiteral("65000"));
    TypeCell(w, 3, 2, QStringLiteral("255"));
    Click(w, "Btn_OK");
    EXPECT_TRUE(messages.Empty()) << messages.Texts().join('|').toStdString();
    const QByteArray saved = ReadFile(File_J1939_Rec_Frames);
    EXPECT_TRUE(saved.contains(R"(<row DP="1" PGN="0xFEF1" SA="0" TP="Y" TP_Start="0" TP_NByte="20" Delete="Y" Mnemonic=""/>)"))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains(R"(<row DP="0" PGN="65000" SA="255" TP="" TP_Start="" TP_NByte="" Delete="" Mnemonic=""/>)"))
        << saved.toStdString();
}
