#pragma once
#include <QString>

namespace grid {

// The value kinds of a spin editor.
enum TEsgSpinType { sptNormal, sptFloat, sptDate, sptTime };

// Limits, steps and looks of one spin editor. Dates and times are days since
// 30 December 1899, the time of day as the fraction.
struct SpinSettings
{
    TEsgSpinType type = sptNormal;
    int minValue = 0;
    int maxValue = 100;
    int increment = 1;
    double minFloatValue = 0.0;
    double maxFloatValue = 100.0;
    double incrementFloat = 0.1;
    double incrementFloatPage = 1.0;
    // Decimals of float texts; 0 for the general format.
    int precision = 0;
    double minDateValue = 0;
    double maxDateValue = 0;
    bool showSeconds = true;
    int incrementHours = 1;
    int incrementMinutes = 1;
    int incrementSeconds = 1;
    bool editorEnabled = true;
};

// Rounds a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Values read from a text; an unreadable text gives the kind's fallback
// (whole numbers and floats their minimum, dates the date minimum, times 0).
// An empty text is 0 for whole numbers; "0" or an empty date is now.
int SpinIntValue(const SpinSettings& s, const QString& text);
double SpinFloatValue(const SpinSettings& s, const QString& text);
double SpinDateValue(const SpinSettings& s, const QString& text, double now);
double SpinTimeValue(const QString& text);

// Texts of values, clamped to the kind's limits (no clamping while the
// minimum equals the maximum).
QString SpinIntText(const SpinSettings& s, qint64 value);
QString SpinFloatText(const SpinSettings& s, double value);
QString SpinDateText(const SpinSettings& s, double value);
QString SpinTimeText(const SpinSettings& s, double value);

// The text of the kind's value read from text (so it is reformatted and
// pulled into the limits).
QString SpinNormalized(const SpinSettings& s, const QString& text, double now);
// The text after leaving the edit: changed only when the value lies outside
// the limits.
QString SpinLeaveText(const SpinSettings& s, const QString& text, double now);

// One step up or down; caret picks the date or time field. A step that
// cannot be made (an increment no clock reading has) leaves the text.
QString SpinStep(const SpinSettings& s, const QString& text, int caret, bool up, bool page, double now);

// Whether a typed character may go into text (selected characters from
// selStart replaced).
bool SpinAcceptsChar(const SpinSettings& s, const QString& text, int selStart, int selLength, QChar ch);

} // namespace grid

namespace grid {

// A date or time format with the cell's letters ("dd/mm/yyyy", "hh:nn:ss";
// "n" and an "m" right after an hour field are minutes, "ampm" the half of
// the day) in the picker's letters ("dd/MM/yyyy", "hh:mm:ss", "AP"). Quoted
// text stays literal.
QString PickerFormat(const QString& format);

} // namespace grid
