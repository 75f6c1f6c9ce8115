#include "controls/dropdown/calculator_engine.h"
#include "controls/dropdown/calculator_keys.h"
#include "platform/text/format_settings.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(CalculatorKeys, LayoutOfA214By134Panel)
{
    const QRect area = QRect(0, 0, 214, 134).adjusted(8, 8, -8, -8);
    const std::vector<QRect> keys = ArrangeCalculatorKeys(area);
    ASSERT_EQ(keys.size(), 28u);
    auto index = [](const char* caption) {
        for (size_t i = 0; i < kCalculatorKeys.size(); ++i)
            if (QString::fromLatin1(kCalculatorKeys[i].Caption) == QLatin1String(caption))
                return i;
        return size_t(99);
    };
    // Column starts 8, 43, 73, 103, 138, 168 and row starts 8, 34, 55, 76, 97;
    // the digit keys are 31 by 22.
    const struct { const char* key; int x, y; } cells[] = {
        {"", 8, 8}, {"MC", 8, 34}, {"7", 43, 34}, {"8", 73, 34}, {"9", 103, 34}, {"/", 138, 34},
        {"sqrt", 168, 34}, {"MR", 8, 55}, {"5", 73, 55}, {"%", 168, 55}, {"MS", 8, 76}, {"3", 103, 76},
        {"1/x", 168, 76}, {"M+", 8, 97}, {"0", 43, 97}, {"+/-", 73, 97}, {".", 103, 97}, {"+", 138, 97},
        {"=", 168, 97},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(keys[index(c.key)], QRect(c.x, c.y, 31, 22));
    }
    EXPECT_EQ(keys[index("Back")], QRect(43, 8, 49, 22));
    EXPECT_EQ(keys[index("CE")], QRect(96, 8, 49, 22));
    // "C" from 149 to the grid's right end 199 (exclusive).
    EXPECT_EQ(keys[index("C")].left(), 149);
    EXPECT_EQ(keys[index("C")].right() + 1, 199);

    // Hit tests: left and top edges inside, right and bottom outside; the
    // shared border line belongs to the first key of the table holding it.
    EXPECT_EQ(KeyAtPos(keys, QPoint(74, 56)), 13);   // "5"
    EXPECT_EQ(KeyAtPos(keys, QPoint(73, 56)), 10);   // the line "4" and "5" share: "4" comes first
    EXPECT_EQ(KeyAtPos(keys, QPoint(104, 56)), 18);  // "6"
    EXPECT_EQ(KeyAtPos(keys, QPoint(4, 4)), -1);
    EXPECT_EQ(KeyAtPos(keys, QPoint(135, 60)), -1);  // the gap after the digit block
}

TEST(CalculatorKeys, ClickIsPressAndReleaseOnOneEnabledKey)
{
    KeyPointer p;
    p.Press(13, true);
    EXPECT_EQ(p.Release(18), -1);  // released on another key
    EXPECT_EQ(p.Down(), -1);
    p.Press(13, true);
    EXPECT_EQ(p.Release(13), 13);
    p.Press(13, false);  // disabled keys cannot be pressed
    EXPECT_EQ(p.Release(13), -1);
    EXPECT_TRUE(p.Move(5, true));
    EXPECT_FALSE(p.Move(5, true));
    EXPECT_TRUE(p.Move(6, false));  // a disabled key is no hot key
    EXPECT_EQ(p.Hot(), -1);
}

// Runs keypad captions and reports the display after each.
struct Calc
{
    Calc(int precision = 2)
    {
        o.EditType = etFloat;
        o.Precision = precision;
        TypedEntry::SetText(s, o, QString());
        e.StartNumber();
    }
    QString Press(const QString& caption)
    {
        for (const CalculatorKeyDef& k : kCalculatorKeys)
            if (QString::fromLatin1(k.Caption) == caption) {
                e.Key(k.Tag, s, o);
                return TypedEntry::Value(s, o);
            }
        ADD_FAILURE() << "no key " << caption.toStdString();
        return {};
    }
    QStringList Run(const QString& keys)
    {
        QStringList shown;
        for (const QString& k : keys.split(u' ', Qt::SkipEmptyParts))
            shown << Press(k);
        return shown;
    }
    QString Text() const { return TypedEntry::Value(s, o); }
    EntryOptions o;
    EntryState s;
    CalculatorEngine e;
};

TEST(CalculatorEngine, KeySequences)
{
    const platform::ScopedFormatSettings dot(platform::FormatSettings{});
    const struct { const char* keys; const char* shown; } cases[] = {
        {"1 2 + 3 =", "1.00 12.00 12.00 3.00 15.00"},
        // "=" stores the number as shown, so the chain continues from 0.33.
        {"1 / 3 = * 3 =", "1.00 1.00 3.00 0.33 0.33 3.00 0.99"},
        {"1 / 3 * 3 =", "1.00 1.00 3.00 0.33 3.00 1.00"},
        {"5 / 0 = 7", "5.00 5.00 0.00 Error 7.00"},
        {"9 sqrt +/- sqrt", "9.00 3.00 -3.00 Error"},
        {"2 . 5 7 1", "2.00 2.00 2.50 2.57 2.57"},
        {"2 + 3 = =", "2.00 2.00 3.00 5.00 5.00"},
        {"5 2 Back", "5.00 52.00 5.00"},
        {"5 2 + Back", "5.00 52.00 52.00 52.00"},
        {"2 0 0 + 1 0 % =", "2.00 20.00 200.00 200.00 1.00 10.00 20.00 220.00"},
        {"1 2 MS C MR", "1.00 12.00 12.00 0.00 12.00"},
        {"4 1/x C 1/x", "4.00 0.25 0.00 Error"},
        {"5 / 0 + 2 =", "5.00 5.00 0.00 Error 2.00 2.00"},
        {". 5", "0.00 0.50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Calc calc;
        EXPECT_EQ(calc.Run(QString::fromLatin1(c.keys)).join(u' '), QString::fromLatin1(c.shown));
    }
}

TEST(CalculatorEngine, CommaLocale)
{
    const platform::ScopedFormatSettings comma(platform::FormatSettings{u',', u'.'});
    Calc calc;
    EXPECT_EQ(calc.Run(QStringLiteral("1 / 4 =")).join(u' '), QStringLiteral("1,00 1,00 4,00 0,25"));
    EXPECT_EQ(calc.Run(QStringLiteral("MS MR")).join(u' '), QStringLiteral("0,25 0,25"));
}

TEST(CalculatorEngine, NonNumberDisplayReadsAsZero)
{
    // "MS", "M+", operators and "%" on "-" or "Error": no failure, the
    // display counts 0.
    const platform::ScopedFormatSettings dot(platform::FormatSettings{});
    for (const char* key : {"MS", "M+", "+", "-", "*", "/", "%", "="}) {
        for (const char* shown : {"-", "Error", "abc"}) {
            SCOPED_TRACE(std::string(key) + " on " + shown);
            Calc calc;
            calc.Run(QStringLiteral("7 M+ 3 +"));
            calc.s.Text = QString::fromLatin1(shown);
            calc.Press(QString::fromLatin1(key));
            EXPECT_TRUE(std::isfinite(double(calc.e.Accumulator)));
            if (QLatin1String(key) == QLatin1String("MS")) {
                EXPECT_EQ(calc.e.Memory, 0);
            }
            if (QLatin1String(key) == QLatin1String("M+")) {
                EXPECT_EQ(calc.e.Memory, 7);
            }
        }
    }
}

TEST(CalculatorEngine, MaxLengthIgnoresDigitsSignAndSeparator)
{
    const platform::ScopedFormatSettings dot(platform::FormatSettings{});
    Calc calc;
    calc.Press(QStringLiteral("1"));
    calc.o.MaxLength = 4;
    ASSERT_EQ(calc.Text(), QStringLiteral("1.00"));
    for (const char* key : {"5", "+/-", "."})
        EXPECT_FALSE(calc.e.Key(QString::fromLatin1(key) == QLatin1String(".")   ? ctDecimal
                                : QString::fromLatin1(key) == QLatin1String("+/-") ? ctSign
                                                                                  : 5,
                                calc.s, calc.o))
            << key;
    EXPECT_EQ(calc.Text(), QStringLiteral("1.00"));
    EXPECT_TRUE(calc.e.Key(ctAdd, calc.s, calc.o));
    EXPECT_EQ(calc.e.PendingOp, 0);
}

TEST(CalculatorEngine, ThousandSeparatorsAreNotPartOfTheNumber)
{
    const platform::ScopedFormatSettings dot(platform::FormatSettings{});
    Calc calc;
    calc.o.EditType = etMoney;
    TypedEntry::SetFloatValue(calc.s, calc.o, 1234567.5);
    ASSERT_EQ(calc.Text(), QStringLiteral("1,234,567.50"));
    calc.Press(QStringLiteral("MS"));
    EXPECT_EQ(calc.e.Memory, 1234567.5L);
}

TEST(CalculatorEngine, TypedCharactersWithThePopupClosed)
{
    // "C", 5, 2, "+", 3, Enter typed in the edit give 55.00.
    const platform::ScopedFormatSettings dot(platform::FormatSettings{});
    Calc calc;
    for (QChar ch : QStringLiteral("C52+3\r"))
        calc.e.EditChar(ch, false, calc.s, calc.o);
    EXPECT_EQ(calc.Text(), QStringLiteral("55.00"));
    // With the popup showing, operators typed in the edit are dropped.
    EXPECT_EQ(calc.e.EditChar(u'+', true, calc.s, calc.o), CalcCharOutcome::Dropped);
    EXPECT_EQ(calc.e.EditChar(u'C', true, calc.s, calc.o), CalcCharOutcome::Dropped);
    EXPECT_EQ(calc.e.PendingOp, -1);
}

TEST(CalculatorEngine, PopupCharacters)
{
    const platform::ScopedFormatSettings dot(platform::FormatSettings{});
    Calc calc;
    for (QChar ch : QStringLiteral("12+3"))
        EXPECT_EQ(calc.e.PopupChar(ch, false, calc.s, calc.o), CalcPopupOutcome::None);
    EXPECT_EQ(calc.e.PopupChar(u'=', false, calc.s, calc.o), CalcPopupOutcome::None);
    EXPECT_EQ(calc.Text(), QStringLiteral("15.00"));
    EXPECT_EQ(calc.e.PopupChar(u'-', false, calc.s, calc.o), CalcPopupOutcome::None);
    EXPECT_EQ(calc.e.PopupChar(u'5', false, calc.s, calc.o), CalcPopupOutcome::None);
    EXPECT_EQ(calc.e.PopupChar(u'\r', false, calc.s, calc.o), CalcPopupOutcome::Close);
    EXPECT_EQ(calc.Text(), QStringLiteral("10.00"));
    EXPECT_EQ(calc.e.PopupChar(QChar(27), false, calc.s, calc.o), CalcPopupOutcome::Cancel);
    EXPECT_EQ(calc.e.PopupChar(u'&', true, calc.s, calc.o), CalcPopupOutcome::Cancel);
    calc.e.PopupChar(u'c', false, calc.s, calc.o);
    EXPECT_EQ(calc.Text(), QStringLiteral("0.00"));
    EXPECT_EQ(calc.e.Accumulator, 0);
    calc.s.Text = QStringLiteral("Error");
    calc.e.PopupBackspace(calc.s, calc.o);
    EXPECT_EQ(calc.Text(), QStringLiteral("0.00"));
}

}  // namespace
