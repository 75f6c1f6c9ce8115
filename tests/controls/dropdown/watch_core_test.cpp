#include "controls/dropdown/watch_core.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(WatchGeometry, FaceAndAMPMBox)
{
    EXPECT_EQ(WatchFaceRect(QRect(0, 0, 180, 180), 0), QRect(10, 10, 160, 160));
    EXPECT_EQ(WatchFaceRect(QRect(0, 0, 180, 180), 300), QRect(0, 0, 180, 180));
    EXPECT_EQ(WatchFaceRect(QRect(0, 0, 200, 100), 60), QRect(70, 20, 60, 60));
    const QRect face(10, 10, 160, 160);
    EXPECT_EQ(WatchCenter(face), QPoint(90, 90));
    // Width text + 8, centred; top Round((R - h) / 3) below the centre.
    EXPECT_EQ(AMPMRect(QPoint(90, 90), 80, QSize(20, 14)), QRect(76, 112, 28, 14));
    EXPECT_TRUE(PointInEllipse(face, QPoint(90, 11)));
    EXPECT_FALSE(PointInEllipse(face, QPoint(12, 12)));
}

TEST(WatchGeometry, PointToMinuteAndHour)
{
    const QPoint c(90, 90);
    const struct { QPoint p; int minute, hourAM, hourPM; } cases[] = {
        {{90, 90}, 23, 5, 17},  // dx and dy count 1: 45° / 6 rounds to 8
        {{90, 20}, 0, 0, 12},   // 12 o'clock (60 becomes 0)
        {{89, 20}, 0, 0, 12},   // just left of 12: 45 + 15
        {{160, 90}, 15, 3, 15},
        {{90, 160}, 30, 6, 18},
        {{20, 90}, 45, 9, 21},
        {{130, 30}, 6, 1, 13},
        {{50, 30}, 54, 11, 23},
    };
    for (const auto& x : cases) {
        SCOPED_TRACE(testing::Message() << x.p.x() << "," << x.p.y());
        EXPECT_EQ(PointToMinute(c, x.p), x.minute);
        EXPECT_EQ(PointToHour(c, x.p, true), x.hourAM);
        EXPECT_EQ(PointToHour(c, x.p, false), x.hourPM);
    }
}

TEST(WatchGeometry, Hands)
{
    const auto a = HandAngles(QTime(15, 30, 10));
    EXPECT_DOUBLE_EQ(a[0], 105);  // 3 × 30 + 30 / 12 × 6
    EXPECT_DOUBLE_EQ(a[1], 180);
    EXPECT_DOUBLE_EQ(a[2], 60);
    EXPECT_EQ(HandPoint({90, 90}, 80, 0, 0.5), QPoint(90, 50));
    EXPECT_EQ(HandPoint({90, 90}, 80, 90, 0.7), QPoint(146, 90));
    EXPECT_EQ(HandPoint({90, 90}, 80, 0, -0.1), QPoint(90, 98));
}

struct Model : ::testing::Test
{
    Model()
    {
        m.OnChange = [this] { ++changes; };
    }
    WatchModel m;
    int changes = 0;
};

TEST_F(Model, HandleKey)
{
    m.Animation = false;
    const struct { QTime from; int key; QTime to; } cases[] = {
        {{0, 0}, Qt::Key_Left, {23, 59}},
        {{10, 59}, Qt::Key_Right, {10, 0}},
        {{10, 20}, Qt::Key_Right, {10, 21}},
        {{10, 20}, Qt::Key_Left, {10, 19}},
        {{9, 30}, Qt::Key_Home, {12, 30}},
        {{9, 30}, Qt::Key_End, {9, 0}},
        {{23, 5}, Qt::Key_PageUp, {0, 5}},
        {{0, 5}, Qt::Key_PageDown, {23, 5}},
        {{7, 5}, Qt::Key_PageUp, {8, 5}},
        {{14, 5}, Qt::Key_A, {2, 5}},
        {{2, 5}, Qt::Key_P, {14, 5}},
        {{2, 5}, Qt::Key_A, {2, 5}},
        {{2, 5}, Qt::Key_Up, {2, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.toString().toStdString() + " key " + std::to_string(c.key));
        m.SetTime(c.from);
        m.HandleKey(c.key);
        EXPECT_EQ(m.Time(), c.to);
        EXPECT_EQ(m.AM(), c.to.hour() < 12);
    }
    m.Auto = true;  // keys do nothing in auto mode
    m.Now = [] { return QTime(4, 4); };
    m.HandleKey(Qt::Key_Home);
    EXPECT_EQ(m.Time(), QTime(2, 5));
}

TEST_F(Model, AnimationForwardAcrossTheHour)
{
    m.SetTime(QTime(9, 50));
    m.SetMinute(0);
    EXPECT_TRUE(m.Animating());
    EXPECT_EQ(m.Time(), QTime(9, 50));  // nothing moves before a tick
    QStringList seen;
    while (m.Tick())
        seen << m.Time().toString(QStringLiteral("hh:mm"));
    EXPECT_EQ(seen.join(u' '), QStringLiteral("09:51 09:52 09:53 09:54 09:55 09:56 09:57 09:58 09:59 10:00"));
    EXPECT_FALSE(m.Animating());
    EXPECT_EQ(m.Time(), QTime(10, 0));
    EXPECT_EQ(changes, 1);
}

TEST_F(Model, AnimationBackwardAndFactor)
{
    m.SetTime(QTime(9, 50));
    m.SetMinute(10);
    QList<int> minutes;
    while (m.Tick())
        minutes << m.Time().minute();
    EXPECT_EQ(minutes, (QList<int>{46, 42, 39, 36, 33, 31, 29, 27, 25, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11}));
    EXPECT_EQ(m.Time(), QTime(9, 10));

    m.SetAnimationFactor(0);  // counts as 1: one step there
    EXPECT_EQ(m.AnimationFactor(), 1);
    m.SetHour(3);
    EXPECT_TRUE(m.Tick());
    EXPECT_EQ(m.Time().hour(), 3);
    EXPECT_FALSE(m.Tick());
}

TEST_F(Model, InvalidValues)
{
    m.Animation = false;
    m.SetTime(QTime(9, 50));
    EXPECT_FALSE(m.SetMinute(60));
    m.SetHour(24);
    m.SetHour(-1);
    EXPECT_EQ(m.Time(), QTime(9, 50));
    EXPECT_FALSE(m.Animating());
}

TEST_F(Model, Clicks)
{
    m.Animation = false;
    const QRect face(10, 10, 160, 160);
    const QRect ampm(76, 112, 28, 14);
    m.SetTime(QTime(9, 30));
    m.Click(face, ampm, QPoint(90, 90));  // the centre: hour 5
    EXPECT_EQ(m.Time(), QTime(5, 30));
    m.Click(face, ampm, QPoint(2, 90));  // outside the dial: minute 45
    EXPECT_EQ(m.Time(), QTime(5, 45));
    m.SetTime(QTime(9, 30));
    changes = 0;
    m.Click(face, ampm, QPoint(90, 118));  // the AM/PM box
    EXPECT_EQ(m.Time(), QTime(21, 30));
    EXPECT_FALSE(m.AM());
    EXPECT_EQ(changes, 1);
    m.Click(face, ampm, QPoint(90, 118));
    EXPECT_EQ(m.Time(), QTime(9, 30));
    m.Click(face, ampm, QPoint(90, 12));  // 12 o'clock in the AM half
    EXPECT_EQ(m.Time().hour(), 0);
    m.Auto = true;
    m.Now = [] { return QTime(1, 1); };
    m.Click(face, ampm, QPoint(160, 90));
    EXPECT_EQ(m.Time().hour(), 0);
}

TEST(WatchStyle, TableAndFirstStep)
{
    TWatchAppearance a;
    a.CenterPointOuterBorderColor = clNone;
    ApplyWatchStyle(a, grid::tsCustom);
    EXPECT_EQ(a.CenterPointOuterBorderColor, 0x000000u);
    EXPECT_EQ(a.BackgroundColor, 0xFFFFFFu);
    ApplyWatchStyle(a, grid::tsWindowsVista);
    EXPECT_EQ(a.BackgroundColorTo, 0xFFFAF0u);
    EXPECT_EQ(a.MinutePointer, 0xFEDF9Au);
    ApplyWatchStyle(a, grid::tsOffice2007Obsidian);
    EXPECT_EQ(a.HourFontColor, 0xF2F1F0u);
    EXPECT_EQ(a.AMPMFontColor, 0xF2F1F0u);
}

TEST(TimePickerText, MaskAndFormat)
{
    EXPECT_EQ(TimePickerMask(u':', true), QStringLiteral("!90:00:00;1; "));
    EXPECT_EQ(TimePickerMask(u'.', false), QStringLiteral("!90.00;1; "));
    // 9 and 0 trade places in QLineEdit's syntax.
    EXPECT_EQ(ToQtInputMask(QStringLiteral("!90:00:00;1; ")), QStringLiteral("09:99:99; "));
    EXPECT_EQ(ToQtInputMask(QStringLiteral("!90h00;1;_")), QStringLiteral("09\\h99;_"));
    EXPECT_EQ(FormatTimeText(QTime(7, 5, 9), u':', false), QStringLiteral("07:05"));
    EXPECT_EQ(FormatTimeText(QTime(7, 5, 9), u':', true), QStringLiteral("07:05:09"));
}

TEST(TimePickerText, CaretParts)
{
    const QString t = QStringLiteral("12:34:56");
    const struct { int caret; bool seconds; TimePart part; } cases[] = {
        {0, true, TimePart::Hour}, {2, true, TimePart::Hour}, {3, true, TimePart::Minute},
        {5, true, TimePart::Minute}, {6, true, TimePart::Second}, {8, true, TimePart::Second},
        {6, false, TimePart::Minute},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimePartAt(t, c.caret, u':', c.seconds), c.part) << c.caret;
    EXPECT_EQ(StepTimePart(QTime(12, 34, 56), TimePart::Hour, -1), QTime(11, 34, 56));
    EXPECT_EQ(StepTimePart(QTime(0, 34, 56), TimePart::Hour, -1), QTime(23, 34, 56));
    EXPECT_EQ(StepTimePart(QTime(23, 34, 56), TimePart::Hour, 1), QTime(0, 34, 56));
    EXPECT_EQ(StepTimePart(QTime(12, 59, 56), TimePart::Minute, 1), QTime(12, 0, 56));
    EXPECT_EQ(StepTimePart(QTime(12, 34, 0), TimePart::Second, -1), QTime(12, 34, 59));
}

TEST(TimePickerText, TypedEntries)
{
    const struct { const char* text; bool seconds; QTime time; } cases[] = {
        {"09:30", false, {9, 30}},
        {"1 :00", false, {10, 0}},
        {"09:30:15", true, {9, 30, 15}},
        {"09:30", true, {}},       // incomplete with seconds
        {"09:30:15", false, {}},   // seconds where none are shown
        {"24:00", false, {}},      // hour above 23: no time, no failure
        {"12:60", false, {}},
        {"12:30:99", true, {}},
        {"1a:30", false, {}},
        {"12:3", false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseTimeEntry(QString::fromLatin1(c.text), u':', c.seconds), c.time) << c.text;
}

}  // namespace
