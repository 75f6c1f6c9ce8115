#include "shell_fixture.h"

#include "soft_options_window.h"
#include "workspace.h"
#include "xml_document.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

QString WriteLanguage(TempProgramFolder& folder, const QString& name, const QByteArray& body = "STR17 = Neu\n")
{
    return folder.Write("LANGUAGE/" + name + ".lng", body);
}

void WriteFlag(TempProgramFolder& folder, const QString& name, const QColor& color)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    image.save(folder.Path() + "/LANGUAGE/" + name + ".bmp", "BMP");
}

QStringList ShownSlots()
{
    QStringList names;
    for (QLabel* label : FSoftOptions->L_L)
        if (!label->isHidden())
            names.append(label->text());
    return names;
}

// Opens Options from the main window and runs body in it.
void InOptions(TLbButton* opz, const std::function<void()>& body)
{
    RunClosingModals([&] { opz->Click(); }, mrCancel, [&](QDialog*) { body(); });
}

QString SavedLanguage(const QString& programFolder)
{
    XmlDocument xml;
    if (!xml.Load(programFolder + "/Orvano.xml"))
        return "<none>";
    return QString::fromUtf8(xml.Root().child("lastlang").child_value("language"));
}

} // namespace

TEST_F(ShellTest, LanguagePages)
{
    // English is built in and always listed, with or without English.lng.
    const struct
    {
        int files;
        bool englishFile;
        QStringList page1;
        const char* label1;
        QStringList page2;   // empty: one page
    } cases[] = {
        {7, false, {"English", "L1", "l2", "L3", "L4", "L5"}, "Page 1 / 2", {"L6", "L7"}},
        {6, true, {"English", "L1", "l2", "L3", "L4", "L5"}, "Page 1 / 2", {"L6"}},
        {5, false, {"English", "L1", "l2", "L3", "L4", "L5"}, "Page 1 / 1", {}},
        {5, true, {"English", "L1", "l2", "L3", "L4", "L5"}, "Page 1 / 1", {}},
        {0, false, {"English"}, "Page 1 / 1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        Prepare(29);
        // Listed case-insensitively: "l2" sorts between "L1" and "L3".
        for (int i = c.files; i >= 1; --i)
            WriteLanguage(Folder(), (i == 2 ? "l" : "L") + QString::number(i));
        if (c.englishFile)
            WriteLanguage(Folder(), "English");
        Folder().Write("LANGUAGE/readme.txt", "not a language");
        Start(29);
        InOptions(Btn("Btn_Opz"), [&] {
            EXPECT_EQ(ShownSlots(), c.page1);
            EXPECT_EQ(FSoftOptions->L_Page_Lang->text(), c.label1);
            EXPECT_TRUE(FSoftOptions->Btn_Prev->isHidden());
            EXPECT_EQ(!FSoftOptions->Btn_Next->isHidden(), !c.page2.isEmpty());
            EXPECT_EQ(FSoftOptions->L_Sel_Lang->text(), "Selected Language : English");
            if (c.page2.isEmpty())
                return;
            FSoftOptions->Btn_Next->Click();
            EXPECT_EQ(ShownSlots(), c.page2);
            EXPECT_FALSE(FSoftOptions->L_L[0]->isHidden());   // the top of the left column
            EXPECT_EQ(FSoftOptions->L_Page_Lang->text(), "Page 2 / 2");
            EXPECT_FALSE(FSoftOptions->Btn_Prev->isHidden());
            EXPECT_TRUE(FSoftOptions->Btn_Next->isHidden());
            FSoftOptions->Btn_Prev->Click();
            EXPECT_EQ(FSoftOptions->Show_Page, 1);
            EXPECT_EQ(ShownSlots().size(), 6);
        });
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, AfterAChoiceThePageLabelShowsThePageAndEnglishCanBeChosenAgain)
{
    Prepare(29);
    for (int i = 1; i <= 7; ++i)
        WriteLanguage(Folder(), "L" + QString::number(i), "STR17 = Neu " + QByteArray::number(i) + "\n");
    Start(29);
    InOptions(Btn("Btn_Opz"), [] {
        FSoftOptions->Btn_Next->Click();
        SendMouse(FSoftOptions->L_L[1], QEvent::MouseButtonRelease, QPoint(1, 1));   // L7
        EXPECT_EQ(FSoftOptions->Language_In_Use, "L7");
        EXPECT_EQ(FSoftOptions->L_Page_Lang->text(), "Page 2 / 2");
        EXPECT_EQ(FSoftOptions->Show_Page, 2);
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_EQ(Btn("Btn_New")->Caption(), "Neu 7");
    EXPECT_EQ(LanguageName, "L7");
    // Back to English, which has no file here.
    InOptions(Btn("Btn_Opz"), [] {
        ASSERT_EQ(FSoftOptions->L_L[0]->text(), "English");
        SendMouse(FSoftOptions->L_L[0], QEvent::MouseButtonRelease, QPoint(1, 1));
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_EQ(LanguageName, "English");
    EXPECT_EQ(Btn("Btn_New")->Caption(), "New Configuration");
    EXPECT_EQ(SavedLanguage(Folder().Path()), "English");
}

TEST_F(ShellTest, ReadOnlyLanguageFilesAreNotListed)
{
    Prepare(29);
    WriteLanguage(Folder(), "Deutsch");
    const QString locked = WriteLanguage(Folder(), "Locked");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    Start(29);
    InOptions(Btn("Btn_Opz"), [] { EXPECT_EQ(ShownSlots(), (QStringList{"Deutsch", "English"})); });
}

TEST_F(ShellTest, LanguageFlags)
{
    Prepare(29);
    WriteLanguage(Folder(), "Deutsch");
    WriteLanguage(Folder(), "Italiano");
    WriteFlag(Folder(), "Deutsch", Qt::red);
    Start(29);
    // Without DefaultFlag.bmp a language without its own flag shows its label
    // alone (slots: Deutsch, English, Italiano).
    InOptions(Btn("Btn_Opz"), [] {
        EXPECT_FALSE(FSoftOptions->I_L[0]->isHidden());
        EXPECT_EQ(FSoftOptions->I_L[0]->pixmap().toImage().pixelColor(2, 2), QColor(Qt::red));
        EXPECT_TRUE(FSoftOptions->I_L[2]->isHidden());
        EXPECT_FALSE(FSoftOptions->L_L[2]->isHidden());
    });
    WriteFlag(Folder(), "DefaultFlag", Qt::blue);
    InOptions(Btn("Btn_Opz"), [] {
        EXPECT_FALSE(FSoftOptions->I_L[2]->isHidden());
        EXPECT_EQ(FSoftOptions->I_L[2]->pixmap().toImage().pixelColor(2, 2), QColor(Qt::blue));
    });
}

TEST_F(ShellTest, ChosenLanguageIsStoredOnlyOnOK)
{
    Prepare(29);
    WriteLanguage(Folder(), "Deutsch", "STR17 = Neue Konfiguration\nSTR55 = Sprache : \n");
    Start(29);
    Main().Save_Setting();
    const QByteArray before = Folder().Read("Orvano.xml");

    // No: nothing changes.
    messages.QueueAnswer(false);
    InOptions(Btn("Btn_Opz"), [] { SendMouse(FSoftOptions->L_L[0], QEvent::MouseButtonRelease, QPoint(1, 1)); });
    EXPECT_EQ(messages.Texts(), QStringList{"Do you want to change the Language from English to Deutsch?"});
    EXPECT_EQ(Btn("Btn_New")->Caption(), "New Configuration");

    // Yes, then Cancel: the texts change at once, the setting does not.
    InOptions(Btn("Btn_Opz"), [] {
        SendMouse(FSoftOptions->I_L[0], QEvent::MouseButtonRelease, QPoint(1, 1));
        EXPECT_EQ(FSoftOptions->L_Sel_Lang->text(), "Sprache :Deutsch");
        EXPECT_EQ(FSoftOptions->Language_In_Use, "Deutsch");
        FSoftOptions->Btn_Cancel->Click();
    });
    EXPECT_EQ(Btn("Btn_New")->Caption(), "Neue Konfiguration");
    EXPECT_EQ(LanguageName, "English");
    EXPECT_EQ(Folder().Read("Orvano.xml"), before);

    // The next showing starts from the stored language; Yes and OK store it.
    InOptions(Btn("Btn_Opz"), [] {
        EXPECT_EQ(FSoftOptions->Language_In_Use, "English");
        SendMouse(FSoftOptions->L_L[0], QEvent::MouseButtonRelease, QPoint(1, 1));
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_EQ(LanguageName, "Deutsch");
    EXPECT_EQ(SavedLanguage(Folder().Path()), "Deutsch");
}

TEST_F(ShellTest, UpdateBoxFollowsTheInternetBox)
{
    Prepare(29);
    Folder().Write("Orvano.xml", SettingsFile("", "11"));
    Start(29);
    ASSERT_TRUE(Main().Timer_Update->isActive());
    InOptions(Btn("Btn_Opz"), [] {
        EXPECT_TRUE(FSoftOptions->CB_Update->isEnabled());
        EXPECT_TRUE(FSoftOptions->Btn_Check_Update->isEnabled());
        FSoftOptions->CB_En_Con->click();
        EXPECT_FALSE(FSoftOptions->CB_Update->isEnabled());
        EXPECT_TRUE(FSoftOptions->CB_Update->isChecked());
        EXPECT_FALSE(FSoftOptions->Btn_Check_Update->isEnabled());
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_FALSE(EnableInternet);
    EXPECT_TRUE(EnableUpdate);
    EXPECT_FALSE(Main().Timer_Update->isActive());
    XmlDocument xml;
    ASSERT_TRUE(xml.Load(Folder().Path() + "/Orvano.xml"));
    EXPECT_STREQ(xml.Root().child("lastinternet").child_value("enable_internet"), "0");
    EXPECT_STREQ(xml.Root().child("lastinternet").child_value("enable_update"), "1");

    // Shown again: the boxes come from the flags, the rules applied.
    InOptions(Btn("Btn_Opz"), [] {
        EXPECT_FALSE(FSoftOptions->CB_En_Con->isChecked());
        EXPECT_FALSE(FSoftOptions->CB_Update->isEnabled());
        FSoftOptions->CB_En_Con->click();
        EXPECT_TRUE(FSoftOptions->Btn_Check_Update->isEnabled());
        FSoftOptions->CB_Update->click();
        EXPECT_FALSE(FSoftOptions->Btn_Check_Update->isEnabled());
    });
    // Cancel stored nothing.
    EXPECT_FALSE(EnableInternet);
}

TEST_F(ShellTest, TableOptionsAreStoredByOK)
{
    Start(15);
    InOptions(Btn("Btn_Opz"), [] {
        FSoftOptions->CB_Soft_Set_Jump_Table->click();
        FSoftOptions->CB_DoubleClick_Auto_Size->click();
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_TRUE(EnableJumpFieldTables);
    EXPECT_TRUE(DoubleClickAutoSize);
}

TEST_F(ShellTest, OptionTabsPerType)
{
    const struct
    {
        int type;
        QStringList tabs;
    } cases[] = {
        {29, {"Language", "Connection Options"}},
        {1018, {"Language"}},
        {15, {"Language", "Connection Options", "Software Settings"}},
        {4, {"Language", "Connection Options", "Advanced Functions"}},
        {25, {"Language", "Connection Options", "Advanced Functions"}},
    };
    for (const auto& c : cases) {
        Prepare(c.type);
        Start(c.type);
        QStringList tabs;
        for (int i = 0; i < FSoftOptions->PC_Options->count(); ++i)
            if (FSoftOptions->PC_Options->isTabVisible(i))
                tabs.append(FSoftOptions->PC_Options->tabText(i));
        EXPECT_EQ(tabs, c.tabs) << c.type;
        EXPECT_EQ(FSoftOptions->L_SW_Code->text(), Main().L_SW_Code->text());
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, AdvancedFunctionsOpenFromOptions)
{
    Start(4);
    QStringList nested;
    InOptions(Btn("Btn_Opz"), [&] {
        FSoftOptions->PC_Options->setCurrentWidget(FSoftOptions->TS_AdvanceFunctions);
        nested = RunClosingModals([] { FSoftOptions->Btn_Advance_Functions->Click(); });
    });
    EXPECT_EQ(nested, QStringList{"FAdvanceFunctions"});
}
