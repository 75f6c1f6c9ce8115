// The theme binding over a recording style: the switch chooses between the
// style's parts and the callers' classic drawing, each part is drawn and
// sized by the style's element and metrics, unknown parts draw nothing.
#include "controls/grid/small_controls/flat_check_box.h"
#include "controls/grid/theme_binding/theme_api.h"
#include "controls/grid/small_controls/themes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <vector>

using namespace grid;

namespace {

struct Drawn
{
    bool control;
    int element;
    QStyle::State state;
};

// Fusion with metrics of its own, recording what it is asked to draw.
class RecordingStyle : public QProxyStyle
{
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement pe, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        drawn.push_back({false, int(pe), o->state});
        QProxyStyle::drawPrimitive(pe, o, p, w);
    }
    void drawControl(ControlElement ce, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        drawn.push_back({true, int(ce), o->state});
        QProxyStyle::drawControl(ce, o, p, w);
    }
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override
    {
        switch (m) {
        case PM_IndicatorWidth: return 17;
        case PM_IndicatorHeight: return 15;
        case PM_ExclusiveIndicatorWidth: return 19;
        case PM_ExclusiveIndicatorHeight: return 21;
        case PM_ScrollBarExtent: return 22;
        case PM_DefaultFrameWidth: return 3;
        default: return QProxyStyle::pixelMetric(m, o, w);
        }
    }

    mutable std::vector<Drawn> drawn;
};

class ThemeBinding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        style = new RecordingStyle;
        QApplication::setStyle(style); // the application owns it
        SetThemesActive(true);
    }
    void TearDown() override
    {
        SetThemesActive(true);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    bool Drew(bool control, int element) const
    {
        for (const Drawn& d : style->drawn)
            if (d.control == control && d.element == element)
                return true;
        return false;
    }

    RecordingStyle* style = nullptr;
};

} // namespace

TEST_F(ThemeBinding, TheSwitchChoosesTheStyleOrTheClassicLook)
{
    TExCheckBox box;
    box.resize(80, 20);
    box.SetChecked(true);

    // On: the box is the style's check indicator, checked.
    EXPECT_TRUE(ThemeApi().IsAppThemed());
    EXPECT_EQ(ThemeApi().GetCurrentThemeName(), style->name());
    box.grab();
    ASSERT_TRUE(Drew(false, QStyle::PE_IndicatorCheckBox));
    for (const Drawn& d : style->drawn) {
        if (d.element == QStyle::PE_IndicatorCheckBox && !d.control) {
            EXPECT_TRUE(d.state & QStyle::State_On);
        }
    }

    // Off: nothing opens, the box is our own.
    SetThemesActive(false);
    EXPECT_FALSE(IsThemedXP());
    EXPECT_FALSE(ThemeApi().IsAppThemed());
    EXPECT_EQ(ThemeApi().GetCurrentThemeName(), QString());
    EXPECT_EQ(ThemeApi().OpenThemeData(&box, QStringLiteral("button")), nullptr);
    style->drawn.clear();
    box.grab();
    EXPECT_FALSE(Drew(false, QStyle::PE_IndicatorCheckBox));
}

TEST_F(ThemeBinding, PartsAreTheStylesElementsInTheirStates)
{
    const struct
    {
        const char* classList;
        int part;
        int state;
        bool control;
        int element;
        QStyle::State has;
        QStyle::State hasNot;
        int arrow; // drawn over the part, or -1
    } cases[] = {
        {"button", 1, 1, false, QStyle::PE_PanelButtonCommand, QStyle::State_Enabled | QStyle::State_Raised,
         QStyle::State_Sunken, -1},
        {"button", 1, 3, false, QStyle::PE_PanelButtonCommand, QStyle::State_Sunken, QStyle::State_Raised, -1},
        {"button", 1, 4, false, QStyle::PE_PanelButtonCommand, {}, QStyle::State_Enabled, -1},
        {"button", 3, 2, false, QStyle::PE_IndicatorCheckBox, QStyle::State_Off | QStyle::State_MouseOver,
         QStyle::State_On, -1},
        {"button", 3, 5, false, QStyle::PE_IndicatorCheckBox, QStyle::State_On, QStyle::State_Off, -1},
        {"button", 3, 12, false, QStyle::PE_IndicatorCheckBox, QStyle::State_NoChange, QStyle::State_Enabled, -1},
        {"button", 2, 7, false, QStyle::PE_IndicatorRadioButton, QStyle::State_On | QStyle::State_Sunken, {}, -1},
        {"combobox", 1, 2, false, QStyle::PE_PanelButtonTool, QStyle::State_MouseOver, {},
         QStyle::PE_IndicatorArrowDown},
        // The first known class of a list.
        {"other; spin", 1, 1, false, QStyle::PE_PanelButtonCommand, QStyle::State_Enabled, {},
         QStyle::PE_IndicatorArrowUp},
        {"SPIN", 2, 1, false, QStyle::PE_PanelButtonCommand, QStyle::State_Enabled, {},
         QStyle::PE_IndicatorArrowDown},
        {"progress", 1, 1, true, QStyle::CE_ProgressBarGroove, QStyle::State_Enabled, {}, -1},
        {"progress", 3, 1, true, QStyle::CE_ProgressBarContents, QStyle::State_Horizontal, {}, -1},
    };
    QImage image(40, 40, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (const auto& c : cases) {
        auto theme = ThemeApi().OpenThemeData(nullptr, QString::fromLatin1(c.classList));
        ASSERT_NE(theme, nullptr) << c.classList;
        style->drawn.clear();
        EXPECT_TRUE(ThemeApi().DrawThemeBackground(theme.get(), painter, c.part, c.state, QRect(2, 2, 30, 20)))
            << c.classList << c.part;
        ASSERT_FALSE(style->drawn.empty()) << c.classList << c.part;
        const Drawn first = style->drawn.front();
        EXPECT_EQ(first.control, c.control) << c.classList << c.part << "/" << c.state;
        EXPECT_EQ(first.element, c.element) << c.classList << c.part << "/" << c.state;
        EXPECT_EQ(first.state & c.has, c.has) << c.classList << c.part << "/" << c.state;
        EXPECT_FALSE(first.state & c.hasNot) << c.classList << c.part << "/" << c.state;
        if (c.arrow >= 0) {
            EXPECT_TRUE(Drew(false, c.arrow)) << c.classList << c.part;
        }
        ThemeApi().CloseThemeData(theme);
        EXPECT_EQ(theme, nullptr);
    }

    // Unknown classes open nothing; unknown parts and no theme draw nothing.
    EXPECT_EQ(ThemeApi().OpenThemeData(nullptr, QStringLiteral("window")), nullptr);
    auto button = ThemeApi().OpenThemeData(nullptr, QStringLiteral("button"));
    style->drawn.clear();
    EXPECT_FALSE(ThemeApi().DrawThemeBackground(button.get(), painter, 9, 1, QRect(0, 0, 10, 10)));
    EXPECT_FALSE(ThemeApi().DrawThemeBackground(nullptr, painter, 1, 1, QRect(0, 0, 10, 10)));
    EXPECT_FALSE(ThemeApi().DrawThemeText(nullptr, painter, 1, 1, QStringLiteral("x"), Qt::AlignCenter, {}));
    EXPECT_TRUE(style->drawn.empty());
    EXPECT_TRUE(ThemeApi().DrawThemeText(button.get(), painter, 1, 1, QStringLiteral("x"), Qt::AlignCenter,
                                         QRect(0, 0, 20, 20)));
}

TEST_F(ThemeBinding, PartSizesAndContentRectsAreTheStyles)
{
    const struct
    {
        const char* themeClass;
        int part;
        QSize size;
    } cases[] = {
        {"button", 2, {19, 21}},
        {"button", 3, {17, 15}},
        {"combobox", 1, {22, 22}},
        {"spin", 1, {22, 11}},
        {"spin", 2, {22, 11}},
        {"button", 9, {}},
    };
    for (const auto& c : cases) {
        auto theme = ThemeApi().OpenThemeData(nullptr, QString::fromLatin1(c.themeClass));
        EXPECT_EQ(ThemeApi().GetThemePartSize(theme.get(), c.part, 1), c.size) << c.themeClass << c.part;
    }

    auto button = ThemeApi().OpenThemeData(nullptr, QStringLiteral("button"));
    QStyleOptionButton option;
    option.palette = QApplication::palette();
    option.state = QStyle::State_Enabled | QStyle::State_Raised;
    EXPECT_EQ(ThemeApi().GetThemePartSize(button.get(), 1, 1),
              style->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), nullptr));
    const QRect bounds(10, 10, 60, 24);
    option.rect = bounds;
    EXPECT_EQ(ThemeApi().GetThemeBackgroundContentRect(button.get(), 1, 1, bounds),
              style->subElementRect(QStyle::SE_PushButtonContents, &option, nullptr));
    auto combo = ThemeApi().OpenThemeData(nullptr, QStringLiteral("combobox"));
    EXPECT_EQ(ThemeApi().GetThemeBackgroundContentRect(combo.get(), 1, 1, bounds), bounds.adjusted(3, 3, -3, -3));
    EXPECT_EQ(ThemeApi().GetThemeBackgroundContentRect(nullptr, 1, 1, bounds), bounds);
}

namespace {

// A palette whose frame roles all differ, so each pixel tells its role.
QPalette FramePalette()
{
    QPalette palette;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Light, QColor(250, 250, 240)},  {QPalette::Midlight, QColor(220, 220, 200)},
        {QPalette::Button, QColor(200, 200, 180)}, {QPalette::Dark, QColor(128, 128, 100)},
        {QPalette::Shadow, QColor(40, 40, 30)},    {QPalette::Base, QColor(255, 255, 250)},
        {QPalette::Text, QColor(0, 0, 120)},       {QPalette::ButtonText, QColor(120, 0, 0)},
    };
    for (const auto& [role, color] : roles)
        palette.setColor(role, color);
    return palette;
}

int CountColour(const QImage& image, const QRect& area, const QColor& color)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

} // namespace

TEST_F(ThemeBinding, FrameControlsAreTheClassicLookInThePalettesColours)
{
    QWidget owner;
    const QPalette pal = FramePalette();
    owner.setPalette(pal);
    const QColor light = pal.color(QPalette::Light), button = pal.color(QPalette::Button);
    const QColor dark = pal.color(QPalette::Dark), shadow = pal.color(QPalette::Shadow);
    const QColor base = pal.color(QPalette::Base), text = pal.color(QPalette::Text);
    const QColor buttonText = pal.color(QPalette::ButtonText);
    const QColor background(255, 0, 255);
    const QRect rect(2, 2, 17, 17);
    const QPoint topLeft(0, 0), bottomRight(16, 16), inner(3, 3), centre(8, 8);

    const struct
    {
        const char* name;
        TFrameControl kind;
        unsigned state;
        std::vector<std::pair<QPoint, QColor>> probes; // from rect's top-left
        QColor ink;                                    // counted inside the frame
        int inkCount;
    } cases[] = {
        {"raised button", TFrameControl::PushButton, 0,
         {{topLeft, light}, {bottomRight, shadow}, {inner, button}}, buttonText, 0},
        {"hot looks raised", TFrameControl::PushButton, fcHot,
         {{topLeft, light}, {bottomRight, shadow}, {centre, button}}, buttonText, 0},
        {"pushed button", TFrameControl::PushButton, fcPushed,
         {{topLeft, shadow}, {bottomRight, light}, {inner, button}}, buttonText, 0},
        {"flat button", TFrameControl::PushButton, fcFlat,
         {{topLeft, dark}, {bottomRight, dark}, {{1, 1}, button}}, buttonText, 0},
        {"scroll down", TFrameControl::ScrollDown, 0, {{topLeft, light}, {bottomRight, shadow}}, buttonText,
         7 + 5 + 3 + 1},
        {"flat combo", TFrameControl::ComboScroll, fcFlat, {{topLeft, dark}, {bottomRight, dark}}, buttonText,
         7 + 5 + 3 + 1},
        {"inactive scroll up, engraved", TFrameControl::ScrollUp, fcInactive, {{topLeft, light}}, dark,
         7 + 5 + 3 + 1},
        {"inactive arrow has no ink", TFrameControl::ScrollUp, fcInactive, {}, buttonText, 0},
        {"empty check box", TFrameControl::CheckBox, 0,
         {{topLeft, dark}, {bottomRight, light}, {{1, 1}, shadow}, {centre, base}}, text, 0},
        {"checked box", TFrameControl::CheckBox, fcChecked, {{topLeft, dark}, {inner, base}}, text, 7 * 3},
        {"greyed box", TFrameControl::CheckBox, fcChecked | fcGrayed, {{inner, button}}, text, 0},
        {"greyed mark", TFrameControl::CheckBox, fcChecked | fcGrayed, {}, dark, 7 * 3},
        {"inactive box", TFrameControl::CheckBox, fcInactive, {{inner, button}}, text, 0},
        {"flat checked box", TFrameControl::CheckBox, fcFlat | fcChecked,
         {{topLeft, dark}, {bottomRight, dark}, {{1, 1}, base}}, text, 7 * 3},
        {"empty radio", TFrameControl::RadioButton, 0, {{topLeft, background}, {centre, base}}, text, 0},
        {"checked radio", TFrameControl::RadioButton, fcChecked, {{topLeft, background}, {centre, text}}, text,
         12},
        {"flat radio", TFrameControl::RadioButton, fcFlat, {{{8, 0}, dark}, {centre, base}}, text, 0},
    };
    for (const auto& c : cases) {
        QImage image(21, 21, QImage::Format_RGB32);
        image.fill(background);
        style->drawn.clear();
        {
            QPainter painter(&image);
            ThemeApi().DrawFrameControl(painter, rect, c.kind, c.state, &owner);
        }
        EXPECT_TRUE(style->drawn.empty()) << c.name << ": the classic look asks nothing of the style";
        EXPECT_EQ(CountColour(image, image.rect(), background) - CountColour(image, rect, background),
                  21 * 21 - 17 * 17)
            << c.name << ": drawn inside its rectangle only";
        for (const auto& [at, colour] : c.probes)
            EXPECT_EQ(image.pixelColor(rect.topLeft() + at), colour)
                << c.name << " at " << at.x() << "," << at.y();
        EXPECT_EQ(CountColour(image, rect.adjusted(2, 2, -2, -2), c.ink), c.inkCount) << c.name;
    }
}
