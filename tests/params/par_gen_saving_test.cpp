// OK in the "Set Communication" window: what each control writes, verbatim
// texts, byte-identical saves, and a write that fails.
#include "par_gen_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

using namespace pargen_test;

TEST(ParGenSaving, DmxCountGoesToTheSideOfItsDirection)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    TFParGen w;
    for (const auto& [direction, in, out] : {std::tuple{0, "1", "100"}, {1, "100", "1"}}) {
        SCOPED_TRACE(direction);
        ASSERT_EQ(RunShown(w, [&] {
                      SetItem(w, "CB_DMX_DMX", direction);
                      SetText(w, "E_DMX_Num_Channel", "100");
                      ClickOK(w);
                  }),
                  QDialog::Accepted);
        EXPECT_EQ(Saved("PROFINET_NB_IN"), QLatin1String(in));
        EXPECT_EQ(Saved("PROFINET_NB_OUT"), QLatin1String(out));
        EXPECT_EQ(Saved("DMX_TYPE"), QString::number(direction));
    }
}

TEST(ParGenSaving, SnmpVersionFlagsAndItemTexts)
{
    TempProgramFolder folder(18);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        SetItem(w, "CB_PROFI_SNMP_Version", 1);
        SetItem(w, "CB_PROFI_SNMP_Secure_Lev", 2);
        SetItem(w, "CB_PROFI_SNMP_Auth_Mode", 1);
        SetItem(w, "CB_PROFI_SNMP_Priv_Mode", 1);
        ClickOK(w);
    });
    EXPECT_EQ(Saved("SNMP_VERSION1"), "0");
    EXPECT_EQ(Saved("SNMP_VERSION2"), "1");
    EXPECT_EQ(Saved("SNMP_VERSION3"), "0");
    EXPECT_EQ(Saved("SNMP_VER3_SECURITY_LEVEL"), "Auth Priv");
    EXPECT_EQ(Saved("SNMP_VER3_AUTHORITY_MODE"), "SHA");
    EXPECT_EQ(Saved("SNMP_VER3_PRIVACY_MODE"), "AES");

    // Type 20 writes its own SNMP box under the same names.
    TempProgramFolder folder20(20);
    folder20.OpenProject();
    TFParGen w20;
    RunShown(w20, [&] {
        SetItem(w20, "CB_SNMP_Version", 0);
        SetText(w20, "E_SNMP_Contact", "ops");
        SetText(w20, "E_NB_IN_PROFINET", "1000");
        SetText(w20, "E_NB_OUT_PROFINET", "1000");
        ClickOK(w20);
    });
    EXPECT_EQ(Saved("SNMP_VERSION1"), "1");
    EXPECT_EQ(Saved("SNMP_VERSION3"), "0");
    EXPECT_EQ(Saved("SNMP_Contact"), "ops");
}

TEST(ParGenSaving, TextsAreWrittenAsTyped)
{
    TempProgramFolder folder(0);
    folder.OpenProject();
    TFParGen w;
    RunShown(w, [&] {
        SetText(w, "E_IP3", "007");
        SetText(w, "E_NB_IN_PROFINET", "0100");
        w.Control<QCheckBox>("CB_EN_GAT")->setChecked(true);
        SetItem(w, "CAN_Baud", 3);
        ClickOK(w);
    });
    EXPECT_EQ(Saved("PROFINET_IP3"), "007");
    EXPECT_EQ(Saved("PROFINET_NB_IN"), "0100");
    EXPECT_EQ(Saved("PROFINET_EN_GAT"), "1");
    EXPECT_EQ(Saved("CAN_BAUDRATE"), "3");
}

// A file written by another model keeps only what this model knows, and
// carries this model's version.
TEST(ParGenSaving, AnotherModelsFileIsRewrittenForThisModel)
{
    TempProgramFolder folder(7);
    folder.OpenProject();
    WriteParGen(ParGenXml({{"PROFINET_IP1", "10"}, {"CAN_BAUDRATE", "3"}, {"NMEA2000_TIMEOUT", "9"},
                           {"Hand_Made", "x"}}));
    TFParGen w;
    RunShown(w, [&] { ClickOK(w); });
    const auto saved = SavedElements();
    EXPECT_EQ(saved.size(), 18);
    EXPECT_EQ(Saved("PROFINET_IP1"), "10");
    EXPECT_EQ(Saved("NMEA2000_TIMEOUT"), "9");
    EXPECT_EQ(Saved("CAN_BAUDRATE"), "<missing>");
    EXPECT_EQ(Saved("Hand_Made"), "<missing>");
    EXPECT_TRUE(ReadFile(File_ParGen).endsWith("</Par_Gen><!--SW_VERSION = 1.002-->"));
}

// A write that fails reports the reason and keeps the window open with the
// user's values; what stood at the path is untouched.
TEST(ParGenSaving, FailedWriteKeepsTheWindowOpen)
{
    TempProgramFolder folder(29);
    folder.OpenProject();
    ASSERT_TRUE(QDir().mkpath(File_ParGen + "/inside"));   // the path is taken by a folder
    File_ParGen += "/inside/ParGen.xml";
    ASSERT_TRUE(QDir().mkpath(File_ParGen + "/x"));        // ... and so is the file name itself
    MessageRecorder messages;
    TFParGen w;
    EXPECT_EQ(RunShown(w, [&] {
                  SetText(w, "E_IP1", "10");
                  ClickOK(w);
                  EXPECT_TRUE(w.isVisible());
                  EXPECT_EQ(w.Value("E_IP1"), "10");
              }),
              QDialog::Rejected);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes().front().first, MsgKind::Error);
    EXPECT_TRUE(messages.Texts().front().contains("ParGen.xml"));
    EXPECT_TRUE(QDir(File_ParGen + "/x").exists());
    EXPECT_EQ(QDir(File_ParGen).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"x"});
}
