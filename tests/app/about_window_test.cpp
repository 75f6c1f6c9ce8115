#include "shell_fixture.h"

#include "about_window.h"
#include "language.h"
#include "version_check.h"
#include "workspace.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

QStringList AboutTexts()
{
    QStringList texts;
    for (QLabel* label : {FAbout->Label1, FAbout->Label2, FAbout->Label6, FAbout->Label9, FAbout->Label3,
                          FAbout->Label10, FAbout->Label8, FAbout->Label12})
        texts.append(label->text());
    return texts;
}

} // namespace

TEST_F(ShellTest, AboutShowsTheModelsSoftware)
{
    const struct
    {
        int type;
        QStringList texts;
    } cases[] = {
        {29, {"Software Orvano ", "DMX / PROFINET - Converter", "Software Code : ", "QS527-K103", "Version :",
              "1.000", "Document Code :", "QM527-K103"}},
        {4, {"Software Orvano ", "PROFINET / Modbus Master - Converter", "Software Code : ", "QS52240",
             "Version :", "1.803", "Document Code :", "QM52240"}},
        {1018, {"Software Orvano ", "Modbus Master / SNMP - Converter", "Software Code : ", "TKL-VRN Desktop",
                "Version :", "1.605", "Document Code :", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        Prepare(c.type);
        Start(c.type);
        const QStringList opened = RunClosingModals([&] { Btn("Btn_Info")->Click(); }, mrCancel, [&](QDialog*) {
            EXPECT_EQ(AboutTexts(), c.texts);
            EXPECT_EQ(FAbout->I_BH->isVisible(), c.type == 1018);
            EXPECT_EQ(FAbout->Image2->isVisible(), c.type != 1018);
            EXPECT_EQ(FAbout->Label4->isVisible(), c.type != 1018);
            EXPECT_EQ(FAbout->size(), QSize(406, 148));
            EXPECT_EQ(FAbout->windowTitle(), "About...");
            FAbout->LbButton1->Click();
        });
        EXPECT_EQ(opened, QStringList{"FAbout"});
        EXPECT_EQ(FAbout->result(), mrOk);
        DestroyProgramWindows();
    }
}

TEST_F(ShellTest, AboutStaysEnglishAfterALanguageChange)
{
    Start(4);
    ASSERT_TRUE(ChangeToMarkedLanguage());
    ASSERT_EQ(Btn("Btn_New")->Caption(), "X17");
    RunClosingModals([&] { Btn("Btn_Info")->Click(); }, mrCancel, [](QDialog*) {
        EXPECT_EQ(AboutTexts(), (QStringList{"Software Orvano ", "PROFINET / Modbus Master - Converter",
                                             "Software Code : ", "QS52240", "Version :", "1.803",
                                             "Document Code :", "QM52240"}));
        EXPECT_EQ(FAbout->windowTitle(), "About...");
        EXPECT_EQ(FAbout->LbButton1->Caption(), "OK");
    });
}

TEST_F(ShellTest, AboutLinksToTheMakersHomePage)
{
    QList<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { opened.append(url); });
    Start(29);
    RunClosingModals([&] { Btn("Btn_Info")->Click(); }, mrCancel, [](QDialog*) {
        SendMouse(FAbout->Label4, QEvent::MouseButtonRelease, QPoint(2, 2));
        SendMouse(FAbout->Image2, QEvent::MouseButtonRelease, QPoint(2, 2));
    });
    EXPECT_EQ(opened, (QList<QUrl>{HomePageUrl(29), HomePageUrl(29)}));
    EXPECT_TRUE(opened.value(0).toString().endsWith("/HOME/default.asp?frompg=QS527-K103"));
    DestroyProgramWindows();

    opened.clear();
    Prepare(1018);
    Start(1018);
    FAbout->Label4Click();
    EXPECT_TRUE(opened.isEmpty());
    SetUrlOpener(nullptr);
}
