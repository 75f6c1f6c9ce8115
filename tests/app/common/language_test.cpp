#include "language.h"

#include "program_folder.h"
#include "workspace.h"

#include <gtest/gtest.h>

namespace {

QString Builtin(int n)
{
    return QString::fromUtf8(BuiltinEnglishTexts[n]);
}

TEST(Language, BuiltinTableHasEveryTextAndTheBlankRanges)
{
    Load_Default_Language();
    ASSERT_EQ(LangTable.size(), LangTableSize);
    EXPECT_EQ(Lang(0), QStringLiteral("Begin"));
    EXPECT_EQ(Lang(9), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(Lang(972), QStringLiteral("Scan && Decode"));
    EXPECT_EQ(Lang(1102), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    const std::pair<int, int> blank[] = {{999, 999}, {1087, 1099}, {1106, 1159}, {1169, 1199}, {1241, 1269}, {1273, 1299}, {1305, 1399},
                                         {1407, 1499}, {1511, 1599}, {1609, 1699}, {1716, 1799}, {1805, 1899},
                                         {1939, 1999}};
    int blanks = 0;
    for (const auto& [from, to] : blank)
        for (int n = from; n <= to; ++n, ++blanks)
            EXPECT_EQ(Lang(n), QStringLiteral(" ")) << n;
    EXPECT_EQ(blanks, 763);
    EXPECT_EQ(Lang(-1), QString());
    EXPECT_EQ(Lang(2000), QString());
}

TEST(Language, LineRules)
{
    struct Case
    {
        const char* line;
        int number;          // the text it should change, or -1 for none
        const char* value;
    };
    const Case cases[] = {
        {"STR17 = Nuova", 17, "Nuova"},
        {"STR17= Nuova", 1, "Nuova"},                  // the character before "=" is skipped
        {"STR17   =   spaced   ", 17, "spaced"},
        {"  STR5 = trimmed line\t", 5, "trimmed line"},
        {"STR5 =", -1, ""},                            // nothing after "="
        {"STR5 =    ", -1, ""},
        {"STR5 = /#/ only a note", -1, ""},
        {"STR5 = Value   /#/ a note", 5, "Value"},
        {"STR5 = \xC2\xB6  padded  \xC2\xB6", 5, "  padded  "},
        {"STR5 = \xC2\xB6\xC2\xB6", 5, ""},            // two pilcrows: empty text
        {"STR5 = \xC2\xB6", 5, ""},
        {"STR5 = cut\xC2\xB6here", 5, "cut"},
        {"str5 = lower", -1, ""},
        {"STR2000 = out", -1, ""},
        {"STR-1 = out", -1, ""},
        {"STRx = bad number", -1, ""},
        {"STR5 no equals", -1, ""},
        {"; STR5 = comment", -1, ""},
        {"STR1999 = last", 1999, "last"},
        {"STR$10 = hex", 16, "hex"},
        {"STR5 = a = b", 5, "a = b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Load_Default_Language();
        const QStringList before = LangTable;
        ApplyLanguageLine(QString::fromUtf8(c.line));
        for (int n = 0; n < LangTableSize; ++n) {
            if (n == c.number)
                EXPECT_EQ(LangTable[n], QString::fromUtf8(c.value));
            else
                ASSERT_EQ(LangTable[n], before[n]) << n;
        }
    }
}

TEST(Language, FileEncodingsAndLineEnds)
{
    TempProgramFolder folder;
    // CR-only line ends, a later line replacing an earlier one.
    const QString cr = folder.Write(QStringLiteral("LANGUAGE/cr.lng"), "STR0 = A\rSTR1 = B\rSTR0 = C\r\nSTR2 = D\n");
    Load_Default_Language();
    ASSERT_TRUE(Read_Language_File(cr));
    EXPECT_EQ(Lang(0), QStringLiteral("C"));
    EXPECT_EQ(Lang(1), QStringLiteral("B"));
    EXPECT_EQ(Lang(2), QStringLiteral("D"));

    // UTF-16LE with its byte-order mark.
    const QString utf16text = QStringLiteral("STR0 = Inizio \u00E8\r\nSTR1 = \u00B6 x \u00B6\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(utf16text.utf16()), utf16text.size() * 2);
    const QString u16 = folder.Write(QStringLiteral("LANGUAGE/u16.lng"), utf16);
    Load_Default_Language();
    ASSERT_TRUE(Read_Language_File(u16));
    EXPECT_EQ(Lang(0), QStringLiteral("Inizio \u00E8"));
    EXPECT_EQ(Lang(1), QStringLiteral(" x "));

    // UTF-8 with its mark.
    const QString u8 = folder.Write(QStringLiteral("LANGUAGE/u8.lng"), "\xEF\xBB\xBFSTR0 = Gr\xC3\xBC\xC3\x9F" "e\n");
    Load_Default_Language();
    ASSERT_TRUE(Read_Language_File(u8));
    EXPECT_EQ(Lang(0), QStringLiteral("Gr\u00FC\u00DFe"));

    // No mark: Windows-1252, where 0xB6 is the pilcrow and 0x80 the euro sign.
    const QString ansi = folder.Write(QStringLiteral("LANGUAGE/ansi.lng"), "STR0 = \xB6 a \xB6\nSTR1 = 5 \x80 \xE8\n");
    Load_Default_Language();
    ASSERT_TRUE(Read_Language_File(ansi));
    EXPECT_EQ(Lang(0), QStringLiteral(" a "));
    EXPECT_EQ(Lang(1), QStringLiteral("5 \u20AC \u00E8"));
}

TEST(Language, FallbackToEnglishAndSwitchingBack)
{
    TempProgramFolder folder;
    folder.Write(QStringLiteral("LANGUAGE/Italiano.lng"), "STR17 = Nuova Configurazione\nSTR18 = Apri\n");
    folder.Write(QStringLiteral("LANGUAGE/Deutsch.lng"), "STR18 = Offnen\n");

    LanguageName = QStringLiteral("Italiano");
    ASSERT_TRUE(Load_Language());
    EXPECT_EQ(Lang(17), QStringLiteral("Nuova Configurazione"));
    EXPECT_EQ(LanguageName, QStringLiteral("Italiano"));

    // Another language brings back English for every text it does not name.
    LanguageName = QStringLiteral("Deutsch");
    ASSERT_TRUE(Load_Language());
    EXPECT_EQ(Lang(17), Builtin(17));
    EXPECT_EQ(Lang(17), QStringLiteral("New Configuration"));
    EXPECT_EQ(Lang(18), QStringLiteral("Offnen"));

    // A missing file: English, and the name becomes English.
    LanguageName = QStringLiteral("Francais");
    ASSERT_TRUE(Load_Language());
    EXPECT_EQ(LanguageName, QStringLiteral("English"));
    EXPECT_EQ(Lang(18), Builtin(18));

    // ...unless English.lng itself exists, which is then read.
    folder.Write(QStringLiteral("LANGUAGE/English.lng"), "STR18 = Open it\n");
    LanguageName = QStringLiteral("Francais");
    ASSERT_TRUE(Load_Language());
    EXPECT_EQ(Lang(18), QStringLiteral("Open it"));
}

TEST(Language, AFolderNamedLikeALanguageFileCountsAsMissing)
{
    TempProgramFolder folder;
    folder.Write(QStringLiteral("LANGUAGE/Broken.lng/x"), "");
    LanguageName = QStringLiteral("Broken");
    EXPECT_TRUE(Load_Language());
    EXPECT_EQ(LanguageName, QStringLiteral("English"));
    EXPECT_EQ(LangTable.size(), LangTableSize);
    EXPECT_EQ(Lang(17), Builtin(17));
}

} // namespace
