#include "controls/dropdown/watch_looks.h"

#include <cmath>

namespace dropdown {

namespace {
const QString S = QStringLiteral("MS Sans Serif");
const QString C = QStringLiteral("Comic Sans MS");
const QString Ce = QStringLiteral("Century");
const QString G = QStringLiteral("Century Gothic");
const QString N = QStringLiteral("Times New Roman");
constexpr TColor kShadow = 0xFF000010;  // clBtnShadow
constexpr TColor kWindowText = grid::clWindowText;
constexpr TColor kBlack = 0x000000, kWhite = 0xFFFFFF, kGray = 0x808080, kRed = 0x0000FF;
}  // namespace

// Presets written out: P(c, shape) and the common tail of wsSports/wsSmooth.
const std::array<WatchLook, 12> kWatchLooks{{
    {.Style = wsClassic, .AMPMFontFamily = S, .HourFontFamily = C, .HourFontSize = 10, .HourMarkLength = 8,
     .HourPointerSize = 5, .HourFontBold = true, .HourPointer = kBlack, .HourPointerShadow = kShadow,
     .MinutePointerShadow = kShadow, .ShowAMPM = true, .ShowNumbers = true},
    {.Style = wsTower, .AMPMFontFamily = S, .HourFontFamily = Ce, .BorderWidth = 1, .CenterPointSize = 6,
     .HourPointerSize = 5, .HourFontBold = true, .BackgroundColor = 0xB1F0FE, .BackgroundColorTo = 0x5BCCE8,
     .CenterPointColor = 0x002BD5, .HourFontColor = kWindowText, .HourPointer = kBlack,
     .HourPointerShadow = kShadow, .MinutePointerShadow = kShadow, .SecondPointer = 0x002BD5,
     .AMPMFrame = apRect, .Shape = wsRect, .PointerStyle = psPointer, .TickMarks = tmHours, .ShowNumbers = false},
    {.Style = wsFluorescent, .AMPMFontFamily = S, .HourFontFamily = S, .AMPMFontSize = 10, .HourFontSize = 8,
     .CenterPointSize = 20, .HourMarkLength = 10, .HourMarkWidth = 2, .HourPointerSize = 2,
     .MinutePointerSize = 2, .QuarterDoubleLine = true, .AMPMFontColor = kWindowText, .BorderColor = 0xFF3E3E,
     .BackgroundColor = kBlack, .BackgroundColorTo = kBlack, .CenterPointColor = 0xFF3E3E,
     .CenterPointBorderColor = kBlack, .CenterPointOuterBorderColor = kBlack, .HourFontColor = kWindowText,
     .HourColor = 0xFF3E3E, .HourPointer = 0xFF3E3E, .HourPointerShadow = kShadow, .MinuteColor = 0xFF3E3E,
     .MinutePointer = 0xFF3E3E, .MinutePointerShadow = kShadow, .AMPMFrame = apRoundRect, .Shape = wsRoundRect,
     .TickMarks = tmHours, .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsEmerald, .AMPMFontFamily = S, .HourFontFamily = S, .CenterPointSize = 16, .HourPointerSize = 5,
     .QuarterDoubleLine = true, .AMPMFontColor = 0xA00000, .AMPMColor = clNone, .BorderColor = 0x3AE800,
     .BackgroundColor = 0x3AE800, .BackgroundColorTo = kBlack, .CenterPointColor = 0x38E100,
     .CenterPointBorderColor = 0x40FF00, .CenterPointOuterBorderColor = kBlack, .HourFontColor = kBackgroundColor,
     .HourColor = kBackgroundColor, .HourPointer = 0x40FF00, .HourPointerShadow = kShadow, .MinutePointer = 0x40FF00,
     .MinutePointerShadow = kShadow, .SecondPointer = 0x00FFFF, .AMPMFrame = apRoundRect, .Shape = wsRect,
     .PointerStyle = psPointer, .TickMarks = tmHours, .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsBlueStar, .AMPMFontFamily = S, .HourFontFamily = S, .AMPMFontSize = 10, .HourFontSize = 8,
     .HourPointerSize = 5, .RadialGradient = true, .AMPMFontColor = 0xA00000, .AMPMBorderColor = clNone,
     .AMPMColor = clNone, .BorderColor = 0xFFD5D5, .BackgroundColor = 0xFFD5D5, .BackgroundColorTo = 0xA00000,
     .HourFontColor = kBackgroundColor, .HourPointer = 0xA00000, .HourPointerShadow = kShadow,
     .MinutePointer = 0xA00000, .MinutePointerShadow = kShadow, .AMPMFrame = apRoundRect, .Shape = wsRoundRect,
     .PointerStyle = psPointer, .ShowAMPM = true, .ShowNumbers = true},
    {.Style = wsFuchsia, .AMPMFontFamily = S, .HourFontFamily = S, .AMPMFontSize = 10, .HourFontSize = 8,
     .CenterPointSize = 20, .HourMarkLength = 10, .HourMarkWidth = 2, .HourPointerSize = 2,
     .MinutePointerSize = 2, .QuarterDoubleLine = true, .AMPMFontColor = kWindowText, .BorderColor = 0xFFD0FF,
     .BackgroundColor = kBlack, .BackgroundColorTo = kBlack, .CenterPointBorderColor = 0xDD68DD,
     .CenterPointOuterBorderColor = kBlack, .HourFontColor = kWindowText, .HourColor = 0xFFD0FF,
     .HourPointer = 0xFFD0FF, .HourPointerShadow = kShadow, .MinuteColor = 0xFFD0FF, .MinutePointer = 0xFFD0FF,
     .MinutePointerShadow = kShadow, .SecondPointer = 0xDD68DD, .AMPMFrame = apRoundRect, .Shape = wsRect,
     .TickMarks = tmQuartHours, .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsBlack, .AMPMFontFamily = S, .HourFontFamily = G, .HourFontSize = 11, .MinuteMarkLength = 4,
     .HourPointerSize = 5, .BorderColor = kBlack, .BackgroundColor = 0x202020, .BackgroundColorTo = clNone,
     .CenterPointColor = kWhite, .CenterPointBorderColor = kWhite, .CenterPointOuterBorderColor = kWhite,
     .HourFontColor = kWhite, .HourColor = 0x585858, .HourPointer = kWhite, .HourPointerShadow = kShadow,
     .MinuteColor = 0x585858, .MinutePointer = kWhite, .MinutePointerShadow = kShadow, .ShowAMPM = false,
     .ShowNumbers = true},
    {.Style = wsBlackWhite, .HourFontFamily = G, .HourFontSize = 14, .BorderWidth = 8, .CenterPointSize = 8,
     .MinuteMarkLength = 4, .HourPointerSize = 5, .HourFontBold = true, .BorderColor = kBlack,
     .BackgroundColor = kWhite, .BackgroundColorTo = clNone, .CenterPointColor = kBlack,
     .CenterPointBorderColor = kBlack, .CenterPointOuterBorderColor = kBlack, .HourFontColor = kBlack,
     .HourColor = 0x585858, .HourPointer = kBlack, .HourPointerShadow = kShadow, .MinutePointer = kBlack,
     .MinutePointerShadow = kShadow, .SecondPointer = 0x000080, .PointerStyle = psPointer,
     .TickMarks = tmQuartHours, .ShowAMPM = false, .ShowNumbers = true},
    {.Style = wsGray, .AMPMFontFamily = S, .HourFontFamily = C, .AMPMFontSize = 10, .HourFontSize = 8,
     .HourPointerSize = 1, .MinutePointerSize = 1, .RadialGradient = true, .BorderColor = 0x454545,
     .BackgroundColor = 0xD1D1D1, .BackgroundColorTo = 0x6C6C6C, .CenterPointColor = kBlack,
     .CenterPointBorderColor = 0x454545, .CenterPointOuterBorderColor = clNone, .HourColor = kBlack,
     .HourPointer = 0x4E4E4E, .HourPointerShadow = clNone, .MinuteColor = kGray, .MinutePointer = 0x4E4E4E,
     .MinutePointerShadow = clNone, .SecondPointer = kRed, .ShowAMPM = true, .ShowNumbers = true},
    {.Style = wsSuperNova, .CenterPointSize = 10, .BorderColor = clNone, .BackgroundColorTo = 0xD1D3D3,
     .CenterPointOuterBorderColor = kBlack, .HourPointer = kBlack, .HourPointerShadow = kShadow,
     .MinuteColor = kGray, .MinutePointer = kBlack, .HourMarkPerSide = 4.5, .MinuteMarkDivisor = 3,
     .ShowAMPM = false, .ShowNumbers = false},
    {.Style = wsSports, .HourFontFamily = N, .HourFontSize = 9, .BorderWidth = 1, .MinuteMarkLength = 1,
     .HourPointerSize = 2, .MinutePointerSize = 2, .BorderColor = kBlack, .BackgroundColor = kBlack,
     .BackgroundColorTo = clNone, .CenterPointColor = 0x191919, .CenterPointBorderColor = 0xFF0000,
     .CenterPointOuterBorderColor = kBlack, .HourFontColor = 0x797979, .HourColor = 0xABB0B1,
     .HourPointer = 0x0000FF, .HourPointerShadow = clNone, .MinuteColor = kGray, .MinutePointer = 0x00FFFF,
     .MinutePointerShadow = clNone, .SecondPointer = 0x188BFE, .TickMarks = tmQuartHours,
     .CenterPointPerSide = 3.6, .ShowAMPM = false, .ShowNumbers = true},
    {.Style = wsSmooth, .HourFontFamily = N, .HourFontSize = 9, .BorderWidth = 1, .CenterPointSize = 6,
     .MinuteMarkLength = 1, .HourPointerSize = 2, .MinutePointerSize = 2, .BorderColor = 0x585858,
     .BackgroundColor = kWhite, .BackgroundColorTo = 0xABB0B1, .CenterPointColor = kWhite,
     .CenterPointBorderColor = kBlack, .CenterPointOuterBorderColor = 0x4A4A4A, .HourFontColor = 0x797979,
     .HourColor = 0xABB0B1, .HourPointer = 0x4A4A4A, .HourPointerShadow = 0xB2B2B2, .MinuteColor = kGray,
     .MinutePointer = 0x4A4A4A, .MinutePointerShadow = 0xB2B2B2, .SecondPointer = 0x4A4A4A,
     .TickMarks = tmQuartHours, .ShowAMPM = false, .ShowNumbers = true},
}};

void ApplyWatchLook(TWatchAppearance& a, TWatchStyle style, int side, bool& showAMPM, bool& showNumbers)
{
    const WatchLook* look = nullptr;
    for (const WatchLook& l : kWatchLooks)
        if (l.Style == style)
            look = &l;
    if (!look)
        return;
    a = TWatchAppearance{};
    const WatchLook& l = *look;
    const auto set = [](auto& field, const auto& value) {
        if (value)
            field = *value;
    };
    set(a.AMPMFontFamily, l.AMPMFontFamily);
    set(a.HourFontFamily, l.HourFontFamily);
    set(a.AMPMFontSize, l.AMPMFontSize);
    set(a.HourFontSize, l.HourFontSize);
    set(a.BorderWidth, l.BorderWidth);
    set(a.CenterPointSize, l.CenterPointSize);
    set(a.HourMarkLength, l.HourMarkLength);
    set(a.HourMarkWidth, l.HourMarkWidth);
    set(a.MinuteMarkLength, l.MinuteMarkLength);
    set(a.HourPointerSize, l.HourPointerSize);
    set(a.MinutePointerSize, l.MinutePointerSize);
    set(a.HourFontBold, l.HourFontBold);
    set(a.QuarterDoubleLine, l.QuarterDoubleLine);
    set(a.RadialGradient, l.RadialGradient);
    set(a.AMPMFontColor, l.AMPMFontColor);
    set(a.AMPMBorderColor, l.AMPMBorderColor);
    set(a.AMPMColor, l.AMPMColor);
    set(a.BorderColor, l.BorderColor);
    set(a.BackgroundColor, l.BackgroundColor);
    set(a.BackgroundColorTo, l.BackgroundColorTo);
    set(a.CenterPointColor, l.CenterPointColor);
    set(a.CenterPointBorderColor, l.CenterPointBorderColor);
    set(a.CenterPointOuterBorderColor, l.CenterPointOuterBorderColor);
    set(a.HourFontColor, l.HourFontColor);
    set(a.HourColor, l.HourColor);
    set(a.HourPointer, l.HourPointer);
    set(a.HourPointerShadow, l.HourPointerShadow);
    set(a.MinuteColor, l.MinuteColor);
    set(a.MinutePointer, l.MinutePointer);
    set(a.MinutePointerShadow, l.MinutePointerShadow);
    set(a.SecondPointer, l.SecondPointer);
    set(a.AMPMFrame, l.AMPMFrame);
    set(a.Shape, l.Shape);
    set(a.PointerStyle, l.PointerStyle);
    set(a.TickMarks, l.TickMarks);
    if (l.HourMarkPerSide)
        a.HourMarkLength = int(std::nearbyint(side / *l.HourMarkPerSide));
    if (l.CenterPointPerSide)
        a.CenterPointSize = int(std::nearbyint(side / *l.CenterPointPerSide));
    if (l.MinuteMarkDivisor)
        a.MinuteMarkLength = side / *l.MinuteMarkDivisor;
    // Colours that follow the background.
    for (TColor* c : {&a.AMPMColor, &a.HourFontColor, &a.HourColor})
        if (*c == kBackgroundColor)
            *c = a.BackgroundColor;
    if (style == wsTower)
        a.AMPMColor = a.BackgroundColor;
    set(showAMPM, l.ShowAMPM);
    set(showNumbers, l.ShowNumbers);
}

}  // namespace dropdown
