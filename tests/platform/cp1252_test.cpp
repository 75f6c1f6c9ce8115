#include "cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, BothDirections)
{
    const struct
    {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("abc"), "abc"},
        {QStringLiteral("Zähler €"), "Z\xE4hler \x80"},
        {QStringLiteral("m³ °C ÿ"), "m\xB3 \xB0" "C \xFF"},
        {QStringLiteral("„Ž‰“—™œŸ"), "\x84\x8E\x89\x93\x97\x99\x9C\x9F"},
        {QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D), "\x81\x8D\x8F\x90\x9D"},
        {QString(), QByteArray()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StringToCp1252(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(Cp1252ToString(c.bytes), c.text) << c.text.toStdString();
    }
}

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = Cp1252ToString(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(StringToCp1252(text), all);
}

TEST(Cp1252, UnmappableCharactersBecomeOneQuestionMark)
{
    EXPECT_EQ(StringToCp1252(QStringLiteral("a\u0416b")), QByteArray("a?b"));      // Cyrillic
    EXPECT_EQ(StringToCp1252(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));  // a surrogate pair
    EXPECT_EQ(StringToCp1252(QString(QChar(0xD800)) + QLatin1Char('z')), QByteArray("?z"));  // a lone surrogate
}

} // namespace
