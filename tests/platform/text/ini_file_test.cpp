#include "platform/text/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QByteArray Crlf(const char* text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

} // namespace

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCase)
{
    const IniFile ini = IniFile::FromBytes("; kept\n[Grid]\nCP0=2\r\n cp1 = 0 \n[Software\\Orvano\\Grid]\nCol0=64\n");
    EXPECT_EQ(ini.Sections(), QStringList({"Grid", "Software\\Orvano\\Grid"}));
    EXPECT_EQ(ini.Keys("GRID"), QStringList({"CP0", "cp1"}));
    EXPECT_EQ(ini.ReadInteger("grid", "Cp0", -1), 2);
    EXPECT_EQ(ini.ReadInteger("Grid", "CP1", -1), 0);
    EXPECT_EQ(ini.ReadInteger("software\\orvano\\grid", "COL0", -1), 64);
    EXPECT_EQ(ini.ReadInteger("Grid", "CP2", -1), -1);
    EXPECT_FALSE(ini.ValueExists("Grid", "CP2"));
    EXPECT_FALSE(ini.SectionExists("Other"));
}

TEST(IniFile, ValuesAreTakenAsWritten)
{
    const IniFile ini = IniFile::FromBytes("[S]\npath=C:\\a\\b=c\nquoted=\"x\"\nhex=$1F\nhex2=0x10\nneg=-5\nbad=12a\n"
                                           "empty=\nbig=99999999999\n");
    EXPECT_EQ(ini.ReadString("S", "path"), QStringLiteral("C:\\a\\b=c"));
    EXPECT_EQ(ini.ReadString("S", "quoted"), QStringLiteral("\"x\""));
    const std::pair<const char*, int> integers[] = {
        {"hex", 31}, {"hex2", 16}, {"neg", -5}, {"bad", 7}, {"empty", 7}, {"big", 7}, {"missing", 7}};
    for (const auto& [key, value] : integers)
        EXPECT_EQ(ini.ReadInteger("S", key, 7), value) << key;
    EXPECT_TRUE(ini.ReadBool("S", "hex", false));
    EXPECT_TRUE(ini.ReadBool("S", "bad", true));
}

TEST(IniFile, WritingKeepsOrderAndEndsLinesWithCrLf)
{
    IniFile ini = IniFile::FromBytes(Crlf("; top\n[B]\nz=1\n\n[A]\ny=2\n"));
    ini.WriteInteger("b", "a", 5);      // new key after the section's last entry
    ini.WriteString("A", "Y", "3");     // existing key, spelling kept
    ini.WriteString("C", "k\\x", "v");  // new section at the end
    ini.WriteBool("C", "flag", true);
    EXPECT_EQ(ini.ToBytes(), Crlf("; top\n[B]\nz=1\na=5\n\n[A]\ny=3\n[C]\nk\\x=v\nflag=1\n"));

    ini.DeleteKey("B", "Z");
    ini.EraseSection("a");
    EXPECT_EQ(ini.ToBytes(), Crlf("; top\n[B]\na=5\n\n[C]\nk\\x=v\nflag=1\n"));
}

TEST(IniFile, KeepsWhatItCannotReadAndRefusesWhatCouldNotBeReadBack)
{
    const QByteArray text = Crlf("stray line\n[S]\nk=1\nk=2\n=novalue\n");
    IniFile ini = IniFile::FromBytes(text);
    EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);
    EXPECT_EQ(ini.ToBytes(), text);

    ini.WriteString("S", "a=b", "x");
    ini.WriteString("S", "", "x");
    ini.WriteString("S", "multi", "one\r\ntwo");
    EXPECT_FALSE(ini.ValueExists("S", "a"));
    EXPECT_EQ(IniFile::FromBytes(ini.ToBytes()).ReadString("S", "multi"), QStringLiteral("one  two"));
}

TEST(IniFile, Utf8AndLatin1Files)
{
    EXPECT_EQ(IniFile::FromBytes("\xEF\xBB\xBF[S]\nname=M\xC3\xBCller\n").ReadString("S", "name"),
              QStringLiteral("Müller"));
    EXPECT_EQ(IniFile::FromBytes("[S]\nname=M\xFCller\n").ReadString("S", "name"), QStringLiteral("Müller"));
}

TEST(IniFile, SavesAtomicallyAndLoadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("grid.ini");
    IniFile missing(path);
    EXPECT_TRUE(missing.Sections().isEmpty());
    missing.WriteInteger("Cols", "CP0", 1);
    QString error;
    ASSERT_TRUE(missing.Save(&error)) << error.toStdString();
    EXPECT_EQ(IniFile(path).ReadInteger("cols", "cp0", -1), 1);

    IniFile elsewhere;
    EXPECT_FALSE(elsewhere.SaveAs(dir.filePath("no/such/folder/grid.ini"), &error));
    EXPECT_TRUE(error.contains("grid.ini"));
}
