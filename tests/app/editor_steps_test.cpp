// The table windows opened from their main-window steps: shown modally over
// the project's file, a cell typed with keys, OK writes it, Cancel leaves it.
#include "shell_fixture.h"
#include "controls/grid/widget/grid_widget.h"
#include "set_access_window.h"
#include "snmp_trap_access_window.h"
#include "user_input.h"
#include "workspace.h"

#include <QFile>

#include <gtest/gtest.h>

using testsupport::At;
using testsupport::Named;
using testsupport::UserScript;

namespace {

class EditorStepsTest : public ShellTest
{
protected:
    void StartWithProject(int type, const QByteArray& parGen = {})
    {
        Prepare(type);
        Folder().Write("Orvano.xml", SettingsFile("P"));
        Folder().Write("PROJECTS/P/bin/.keep", "");
        if (!parGen.isEmpty())
            Folder().Write("PROJECTS/P/bin/ParGen.xml", parGen);
        Start(type);
        ASSERT_EQ(ProjectName, QStringLiteral("P"));
        Main().activateWindow();
    }
};

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(EditorStepsTest, ModbusStepShowsTheTableAndOkWritesIt)
{
    StartWithProject(4);
    int shownWidth = 0;
    bool modal = false;
    QString typed;
    UserScript user;
    user.Click(At(Btn("Btn_ModM_SetAccess")))
        .Wait(150)
        .Do([&] {
            modal = FSetAccess->isVisible() && FSetAccess->isModal();
            shownWidth = FSetAccess->ClientSize().width();
            FSetAccess->Model().Grid(0).SetCol(1);
            FSetAccess->Model().Grid(0).SetRow(1);
            FSetAccess->GridWidget(0)->setFocus();
        })
        .Type(QStringLiteral("5"))
        .Key(Qt::Key_Return)
        .Wait(50)
        .Do([&] { typed = FSetAccess->Model().Grid(0).GetCellEx(1, 1); })
        .Click(Named("Btn_Cancel"))
        .Wait(100);
    EXPECT_TRUE(user.Run(10000));
    EXPECT_TRUE(modal);
    EXPECT_EQ(shownWidth, 927);
    EXPECT_EQ(typed, QStringLiteral("5"));
    EXPECT_FALSE(FSetAccess->isVisible());
    EXPECT_FALSE(QFile::exists(File_ModbusM_SetAccess));
}

TEST_F(EditorStepsTest, SnmpStepOpensTheTrapTableOnItsType)
{
    StartWithProject(15);
    QString firstNumber, lastNumber;
    UserScript user;
    user.Click(At(Btn("Btn_SNMP_Trap")))
        .Wait(150)
        .Do([&] {
            firstNumber = FSNMP_Trap_Access->Model().Grid(0).GetCellEx(0, 1);
            lastNumber = FSNMP_Trap_Access->Model().Grid(0).GetCellEx(0, 256);
        })
        .Click(Named("Btn_OK"))
        .Wait(150);
    EXPECT_TRUE(user.Run(10000));
    EXPECT_EQ(firstNumber, QStringLiteral("1"));
    EXPECT_EQ(lastNumber, QStringLiteral("256"));
    EXPECT_FALSE(FSNMP_Trap_Access->isVisible());
    EXPECT_EQ(ReadFile(File_SNMP_Trap).toStdString(),
              "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write/></SNMP_Trap><!--SW_VERSION = 1.201-->");
}
