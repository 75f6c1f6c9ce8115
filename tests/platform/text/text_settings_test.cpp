#include "platform/text/format_settings.h"
#include "platform/text/oem_text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FormatSettings, SeededFromLocaleAndSetByScope)
{
    const FormatSettings german = FormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.DecimalSeparator, u',');
    EXPECT_EQ(german.ThousandSeparator, u'.');
    EXPECT_EQ(german.DateSeparator, u'.');
    EXPECT_EQ(german.ShortDateFormat, QStringLiteral("dd.mm.yy"));
    const FormatSettings us = FormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.DecimalSeparator, u'.');
    EXPECT_EQ(us.DateSeparator, u'/');
    EXPECT_EQ(us.TimeSeparator, u':');

    const QChar before = FormatSettings::Current().DecimalSeparator;
    {
        ScopedFormatSettings scope(german);
        EXPECT_EQ(FormatSettings::Current().DecimalSeparator, u',');
    }
    EXPECT_EQ(FormatSettings::Current().DecimalSeparator, before);
}

TEST(OemText, CodePage850BothWays)
{
    const QString text = QStringLiteral("Äpfel ß é ½");
    const QByteArray oem = TextToOemBytes(text);
    EXPECT_EQ(oem, QByteArray("\x8E" "pfel \xE1 \x82 \xAB"));
    EXPECT_EQ(OemBytesToText(oem), text);
    EXPECT_EQ(TextToOemBytes(QStringLiteral("a€b")), QByteArray("a?b")); // not in the code page
    EXPECT_EQ(TextToOemBytes(QString()), QByteArray());
}
