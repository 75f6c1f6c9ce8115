#pragma once
#include "controls/dropdown/watch_core.h"

#include <array>
#include <optional>

// The clock's built-in looks as data: each names only what it sets over the
// default appearance.
namespace dropdown {

enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray,
    wsSuperNova, wsSports, wsSmooth
};

// The appearance colour that copies the background colour.
constexpr TColor kBackgroundColor = 0x2FFFFFFE;

struct WatchLook
{
    TWatchStyle Style{};
    std::optional<QString> AMPMFontFamily{}, HourFontFamily{};
    std::optional<int> AMPMFontSize{}, HourFontSize{}, BorderWidth{}, CenterPointSize{}, HourMarkLength{}, HourMarkWidth{},
        MinuteMarkLength{}, HourPointerSize{}, MinutePointerSize{};
    std::optional<bool> HourFontBold{}, QuarterDoubleLine{}, RadialGradient{};
    std::optional<TColor> AMPMFontColor{}, AMPMBorderColor{}, AMPMColor{}, BorderColor{}, BackgroundColor{},
        BackgroundColorTo{}, CenterPointColor{}, CenterPointBorderColor{}, CenterPointOuterBorderColor{}, HourFontColor{},
        HourColor{}, HourPointer{}, HourPointerShadow{}, MinuteColor{}, MinutePointer{}, MinutePointerShadow{}, SecondPointer{};
    std::optional<TAMPMFrame> AMPMFrame{};
    std::optional<TWatchShape> Shape{};
    std::optional<TPointerStyle> PointerStyle{};
    std::optional<TTickMarks> TickMarks{};
    // Sizes that follow the control's smaller side m: Round(m / x).
    std::optional<double> HourMarkPerSide{}, CenterPointPerSide{};
    // MinuteMarkLength = m div this.
    std::optional<int> MinuteMarkDivisor{};
    std::optional<bool> ShowAMPM{}, ShowNumbers{};  // unset: kept
};
extern const std::array<WatchLook, 12> kWatchLooks;

// Resets a to the defaults and applies the look; side is the control's
// smaller side.
void ApplyWatchLook(TWatchAppearance& a, TWatchStyle style, int side, bool& showAMPM, bool& showNumbers);

}  // namespace dropdown
