// The theme binding over a recording style: the switch chooses between the
// style's parts and the callers' classic drawing, each part is drawn and
// sized by the style's element and metrics, unknown parts draw nothing.
#include "controls/grid/small_controls/flat_check_box.h"
#include "controls/grid/small_controls/theme_api.h"
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
