#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTime>

#include <array>
#include <functional>

// The analog clock face apart from painting: face geometry, hit tests,
// hands, the key commands and the stepped hand animation. The time source
// is injected, so tests step animation and auto mode by hand.
namespace dropdown {

// Side S of the face square: size limited to the client when above 0, else
// min(W, H) - 20; centred in the client.
QRect WatchFaceRect(const QRect& client, int size);
QPoint WatchCenter(const QRect& face);
double WatchRadius(const QRect& face);
// Inside the ellipse inscribed in face.
bool PointInEllipse(const QRect& face, QPoint p);
// The minute (0..59) an angle from the centre points to.
int PointToMinute(QPoint center, QPoint p);
// The hour (0..23) in the given half of the day.
int PointToHour(QPoint center, QPoint p, bool am);
// The AM/PM box for text of textSize.
QRect AMPMRect(QPoint center, double radius, QSize textSize);
// The point at angle degrees (clockwise from 12) and fraction f of radius.
QPoint HandPoint(QPoint center, double radius, double degrees, double f);
// Hand angles (clockwise from 12): hour, minute, second.
std::array<double, 3> HandAngles(const QTime& time);

enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TAMPMFrame { apRect, apRoundRect };

// The face's colours and sizes (classic look).
struct TWatchAppearance
{
    int Size = 0;
    TColor BackgroundColor = 0xFFFFFF;
    TColor BackgroundColorTo = clNone;
    bool RadialGradient = false;  // left to right; else top to bottom
    TColor BorderColor = 0x000000;
    int BorderWidth = 4;
    TWatchShape Shape = wsCircle;
    QString HourFontFamily = QStringLiteral("Tahoma");
    int HourFontSize = 8;
    bool HourFontBold = false;
    TColor HourFontColor = 0x000000;
    TColor HourColor = 0x000000;
    int HourMarkLength = 0;
    int HourMarkWidth = 1;
    bool QuarterDoubleLine = false;
    TColor MinuteColor = 0x808080;
    int MinuteMarkLength = 0;
    int MinuteMarkWidth = 1;
    TTickMarks TickMarks = tmAll;
    TColor HourPointer = 0x000000;
    TColor HourPointerShadow = 0xFF000010;  // clBtnShadow
    int HourPointerSize = 4;
    TColor MinutePointer = 0x000000;
    TColor MinutePointerShadow = 0xFF000010;
    int MinutePointerSize = 3;
    TColor SecondPointer = 0x0000FF;
    int SecondPointerSize = 1;
    TPointerStyle PointerStyle = psLine;
    int CenterPointSize = 4;
    TColor CenterPointColor = 0x000000;
    TColor CenterPointBorderColor = clNone;
    TColor CenterPointOuterBorderColor = clNone;
    QString AMPMFontFamily = QStringLiteral("Tahoma");
    int AMPMFontSize = 10;
    TColor AMPMFontColor = 0x000000;
    TColor AMPMColor = 0xFFFFFF;
    TColor AMPMBorderColor = 0x000000;
    TAMPMFrame AMPMFrame = apRect;
};

// One component style's clock colours.
struct WatchStyleColors
{
    TSkinStyle Style;
    TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterBorder, Center, Marks, Shadow, Second;
};
extern const std::array<WatchStyleColors, 15> kWatchStyleColors;
// tsCustom changes nothing but the first step (outer centre ring and both
// font colours black).
void ApplyWatchStyle(TWatchAppearance& a, TSkinStyle style);

// The set time, the AM/PM state and the hand animation.
class WatchModel
{
public:
    // The system time in auto mode (tests give their own).
    std::function<QTime()> Now = [] { return QTime::currentTime(); };
    bool Auto = false;
    int TimeOffset = 0;  // minutes, auto mode only
    bool Animation = true;
    // Changes of the time by the user or a finished animation.
    std::function<void()> OnChange;
    // The animation timer is wanted (true) or no longer (false).
    std::function<void(bool)> OnAnimate;

    QTime Time() const { return time_; }
    // Stores the time and lets the AM flag follow it; no event.
    void SetTime(const QTime& value);
    QTime DisplayTime() const;
    bool AM() const { return am_; }
    // True when the flag changed.
    bool SetAM(bool value);
    int AnimationFactor() const { return factor_; }
    // Values below 1 count as 1.
    void SetAnimationFactor(int value) { factor_ = value < 1 ? 1 : value; }
    bool Animating() const { return animating_; }

    // Above 23 is ignored.
    void SetHour(int value);
    // 60 or more is refused with "Invalid time" (false).
    bool SetMinute(int value);
    // One animation step; false once the target is reached.
    bool Tick();
    void HandleKey(int key);  // Qt::Key
    // A release at p on a face of that geometry.
    void Click(const QRect& face, const QRect& ampm, QPoint p);

private:
    void Store(const QTime& t);
    void Start();
    void Stop();
    void Internal(const std::function<void()>& step);

    QTime time_{0, 0};
    bool am_ = true;
    int factor_ = 10;
    int hourTo_ = 0;
    int minuteTo_ = 0;
    int minuteFrom_ = 0;
    bool hourAnimating_ = false;
    bool animating_ = false;
    bool internalCall_ = false;
};

// Moves value toward target by step (at least 1); false when within 1 of
// the target, which it then becomes.
bool StepHourToward(int& value, int target, int step);
// As above, forward when below the target or when crossing 59 to 0 from
// above 30, else backward; 60 and more (or below 0) become 0.
bool StepMinuteToward(int& value, int target, int step);

// Time picker text and keys.
// The edit mask for the time separator, in the platform's syntax ("9"
// optional digit, "0" required) and translated for QLineEdit::inputMask
// (the reverse).
QString TimePickerMask(QChar separator, bool seconds);
QString ToQtInputMask(const QString& mask);
QString FormatTimeText(const QTime& t, QChar separator, bool seconds);
enum class TimePart { Hour, Minute, Second };
// The part under caret (0-based) of text.
TimePart TimePartAt(const QString& text, int caret, QChar separator, bool seconds);
// Up lowers, Down raises the part, wrapping.
QTime StepTimePart(const QTime& t, TimePart part, int delta);
// A complete typed entry (5 characters, or 8 with seconds): the time, or
// an invalid QTime for anything else (hour above 23, minute or second
// above 59, a non-digit, wrong separators).
QTime ParseTimeEntry(const QString& text, QChar separator, bool seconds);

}  // namespace dropdown
