#include "controls/grid/html_draw/html_text_painter.h"

#include "controls/grid/html_draw/html_colors.h"
#include "controls/grid/pictures/picture_container.h"

#include "qt_print.h"

#include "controls/grid/theme_binding/theme_api.h"

#include <QApplication>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace grid::html;

HtmlLayoutInput Input(const char* text, QSize size = QSize(300, 60))
{
    HtmlLayoutInput in;
    in.Text = QString::fromUtf8(text);
    in.Rect = QRect(QPoint(0, 0), size);
    in.Font = ToHtmlFont(QFont(QStringLiteral("DejaVu Sans"), 12), 0x000000);
    return in;
}

struct Canvas
{
    QImage image;
    HtmlLayout layout;

    explicit Canvas(const HtmlLayoutInput& in, grid::html::HtmlPictures* pictures = nullptr)
        : image(in.Rect.size(), QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        layout = DrawHtmlText(painter, in, pictures);
    }
    // Pixels in the rectangle close to the colour.
    int Count(const QRect& rect, QColor color, int tolerance = 60) const
    {
        int n = 0;
        const QRect r = rect.intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green())
                        + std::abs(c.blue() - color.blue()) <= tolerance)
                    ++n;
            }
        }
        return n;
    }
    const HtmlItem* Item(HtmlItemKind kind, int nth = 0) const
    {
        for (const HtmlItem& item : layout.Items) {
            if (item.Kind == kind && nth-- == 0)
                return &item;
        }
        return nullptr;
    }
};

TEST(HtmlTextPainter, MeasuresWithFontMetrics)
{
    HtmlLayoutInput in = Input("ab <B>cd</B>");
    in.MeasureOnly = true;
    FontMetricsMeasurer measurer;
    const HtmlLayout l = LayoutHtmlText(in, measurer, nullptr);
    // Runs are measured without kerning, as they are drawn.
    const QFont plain = ToQFont(in.Font);
    HtmlFont boldFont = in.Font;
    boldFont.Bold = true;
    const QFont bold = ToQFont(boldFont);
    EXPECT_FALSE(plain.kerning());
    const QFontMetrics pm(plain);
    const QFontMetrics bm(bold);
    EXPECT_EQ(l.ExtentX, pm.horizontalAdvance(QStringLiteral("ab ")) + bm.horizontalAdvance(QStringLiteral("cd")));
    EXPECT_EQ(l.ExtentY, pm.height());
}

TEST(HtmlTextPainter, LinkColourAndPlainTextColour)
{
    HtmlLayoutInput in = Input("<A href=\"x\">WWWW</A> WWWW");
    in.LinkColor = 0x0000FF;  // red
    const Canvas c(in);
    const HtmlItem* link = c.Item(HtmlItemKind::Text, 0);
    const HtmlItem* text = c.Item(HtmlItemKind::Text, 2);
    ASSERT_TRUE(link && text);
    EXPECT_GT(c.Count(link->Rect, Qt::red), 20);
    EXPECT_EQ(c.Count(link->Rect, Qt::black), 0);
    EXPECT_GT(c.Count(text->Rect, Qt::black), 20);
    EXPECT_EQ(c.Count(text->Rect, Qt::red), 0);
}

TEST(HtmlTextPainter, HighlightBackground)
{
    SetHtmlHighlightColors(0x00FFFF, 0x000000);  // yellow under black
    const Canvas c(Input("ab<HI>cd</HI>ef"));
    SetHtmlHighlightColors(0xFF00000D, 0xFF00000E);
    const HtmlItem* hi = c.Item(HtmlItemKind::Text, 1);
    ASSERT_TRUE(hi);
    EXPECT_EQ(hi->Text, QStringLiteral("cd"));
    EXPECT_EQ(c.image.pixelColor(hi->Rect.topLeft()), QColor(Qt::yellow));
    EXPECT_GT(c.Count(hi->Rect, Qt::yellow, 0), hi->Rect.width() * hi->Rect.height() / 3);
    const HtmlItem* before = c.Item(HtmlItemKind::Text, 0);
    EXPECT_EQ(c.Count(before->Rect, Qt::yellow, 0), 0);
}

TEST(HtmlTextPainter, RedZigZagUnderErrorText)
{
    const Canvas c(Input("ok <E>wrong</E>"));
    const HtmlItem* zig = c.Item(HtmlItemKind::ZigZag);
    ASSERT_TRUE(zig);
    const QRect band = zig->Rect.adjusted(0, -1, 0, 1);
    EXPECT_GT(c.Count(band, Qt::red, 30), zig->Rect.width() / 2);
    const HtmlItem* ok = c.Item(HtmlItemKind::Text, 0);
    EXPECT_EQ(c.Count(QRect(ok->Rect.left(), band.top(), ok->Rect.width() - 2, band.height()), Qt::red, 30), 0);
}

TEST(HtmlTextPainter, CheckedAndUncheckedControlBoxes)
{
    for (const bool themed : {false, true}) {
        HtmlLayoutInput in = Input("<CONTROL TYPE=\"CHECK\" ID=\"a\" VALUE=\"TRUE\" WIDTH=\"16\"> "
                                   "<CONTROL TYPE=\"CHECK\" ID=\"b\" VALUE=\"FALSE\" WIDTH=\"16\">");
        in.ThemesInUse = themed;
        const Canvas c(in);
        const HtmlItem* on = c.Item(HtmlItemKind::Control, 0);
        const HtmlItem* off = c.Item(HtmlItemKind::Control, 1);
        ASSERT_TRUE(on && off);
        EXPECT_TRUE(on->Control.Checked);
        EXPECT_FALSE(off->Control.Checked);
        // The check mark darkens the middle of the box; the empty box stays light.
        const QRect middleOn = on->Control.Box.adjusted(3, 3, -3, -3);
        const QRect middleOff = off->Control.Box.adjusted(3, 3, -3, -3);
        const int darkOn = middleOn.width() * middleOn.height() - c.Count(middleOn, Qt::white, 200);
        const int darkOff = middleOff.width() * middleOff.height() - c.Count(middleOff, Qt::white, 200);
        EXPECT_GT(darkOn, 4) << themed;
        EXPECT_EQ(darkOff, 0) << themed;
        // Both boxes have a frame.
        EXPECT_GT(c.Count(off->Control.Box, Qt::white, 200), 0);
        EXPECT_LT(c.Count(off->Control.Box, Qt::white, 30), off->Control.Box.width() * off->Control.Box.height());
    }
}

// Fusion, recording the primitives it is asked to draw.
class RecordingStyle : public QProxyStyle
{
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawPrimitive(PrimitiveElement pe, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        drawn.push_back({pe, o->state});
        QProxyStyle::drawPrimitive(pe, o, p, w);
    }
    bool Drew(PrimitiveElement pe, QStyle::State has, QStyle::State hasNot = {}) const
    {
        for (const auto& [element, state] : drawn) {
            if (element == pe && (state & has) == has && !(state & hasNot))
                return true;
        }
        return false;
    }
    mutable std::vector<std::pair<PrimitiveElement, QStyle::State>> drawn;
};

class HtmlControlGlyphs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        style = new RecordingStyle;
        QApplication::setStyle(style);  // the application owns it
    }
    void TearDown() override
    {
        grid::ThemeApi().SetThemeActive(true);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    // Draws the controls; point: none, on the button (pressed), on the combo.
    Canvas Draw(int pointOn)
    {
        HtmlLayoutInput in = Input("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"16\">"
                                   "<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"FALSE\" WIDTH=\"16\">"
                                   "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">"
                                   "<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"x\" WIDTH=\"80\">");
        in.ThemesInUse = true;
        if (pointOn != kNone) {
            const Canvas first(in);
            const HtmlItem* item = first.Item(HtmlItemKind::Control, pointOn);
            in.Point = (pointOn == kCombo ? item->Control.ButtonRect : item->Control.Box).center();
            in.ControlPressed = pointOn == kButton;
        }
        style->drawn.clear();
        return Canvas(in);
    }
    static constexpr int kNone = -1, kCheck = 0, kRadio = 1, kButton = 2, kCombo = 3;
    RecordingStyle* style = nullptr;
};

// Themed: the style's parts in the states the markup gives. Classic (the
// binding's one switch off, whatever the input asks): no style part at all,
// the frame controls' look in the palette's colours.
TEST_F(HtmlControlGlyphs, ThemedPartsOrClassicFrameControlsByTheOneSwitch)
{
    using S = QStyle;
    const struct
    {
        const char* name;
        int pointOn;
        S::PrimitiveElement element;
        S::State has;
        S::State hasNot;
    } themed[] = {
        {"checked box", kNone, S::PE_IndicatorCheckBox, S::State_On, S::State_Off},
        {"empty radio", kNone, S::PE_IndicatorRadioButton, S::State_Off, S::State_On},
        {"button at rest", kNone, S::PE_PanelButtonCommand, S::State_Raised, S::State_Sunken | S::State_MouseOver},
        {"pressed button", kButton, S::PE_PanelButtonCommand, S::State_Sunken, {}},
        {"combo button", kNone, S::PE_PanelButtonTool, S::State_Enabled, S::State_MouseOver},
        {"combo arrow", kNone, S::PE_IndicatorArrowDown, S::State_Enabled, {}},
        {"hot combo", kCombo, S::PE_PanelButtonTool, S::State_MouseOver, {}},
    };
    for (const auto& t : themed) {
        const Canvas c = Draw(t.pointOn);
        EXPECT_TRUE(style->Drew(t.element, t.has, t.hasNot)) << t.name;
        EXPECT_EQ(c.Item(HtmlItemKind::Control)->Control.Pen, TColor(0xB99D7F));
    }

    grid::ThemeApi().SetThemeActive(false);
    const QPalette pal = QApplication::palette();
    for (const int pointOn : {kNone, kButton, kCombo}) {
        const Canvas c = Draw(pointOn);
        for (const auto& t : themed)
            EXPECT_FALSE(style->Drew(t.element, {})) << t.name << " with themes out of use";
        const HtmlControlItem& check = c.Item(HtmlItemKind::Control, kCheck)->Control;
        const HtmlControlItem& radio = c.Item(HtmlItemKind::Control, kRadio)->Control;
        const HtmlControlItem& button = c.Item(HtmlItemKind::Control, kButton)->Control;
        const HtmlControlItem& combo = c.Item(HtmlItemKind::Control, kCombo)->Control;
        EXPECT_EQ(check.Pen, TColor(0x808080));
        // Flat check box and radio: a one-pixel frame, the mark only when checked.
        EXPECT_EQ(c.Count(check.Box, pal.color(QPalette::Text), 0), 7 * 3);
        EXPECT_GT(c.Count(check.Box, pal.color(QPalette::Dark), 0), 4 * 10);
        EXPECT_EQ(c.Count(radio.Box, pal.color(QPalette::Text), 0), 0);
        EXPECT_GT(c.Count(radio.Box, pal.color(QPalette::Dark), 0), 0);
        // The push button's bevel, sunken while pressed.
        const bool pressed = pointOn == kButton;
        EXPECT_EQ(button.Pressed, pressed);
        EXPECT_EQ(c.image.pixel(button.Box.topLeft()), pal.color(pressed ? QPalette::Shadow : QPalette::Light).rgb());
        EXPECT_EQ(c.image.pixel(button.Box.bottomRight()),
                  pal.color(pressed ? QPalette::Light : QPalette::Shadow).rgb());
        // The combo's drop button: the classic arrow, whether hot or not.
        EXPECT_EQ(c.Count(combo.ButtonRect, pal.color(QPalette::ButtonText), 0), 7 + 5 + 3 + 1);
    }
}

TEST(HtmlTextPainter, PicturesFromTheStores)
{
    grid::TPictureContainer container;
    grid::TPictureItem& item = container.Add();
    item.Name = QStringLiteral("dot");
    QImage green(4, 3, QImage::Format_RGB32);
    green.fill(Qt::green);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        green.save(&buffer, "PNG");
    }
    item.Picture.LoadFromData(png);
    QList<QPixmap> images;
    QPixmap blue(5, 5);
    blue.fill(Qt::blue);
    images << blue;
    HtmlPictures pictures;
    pictures.Container = &container;
    pictures.Images = &images;

    const Canvas c(Input("<IMG SRC=\"DOT\"><IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:1\"><IMG SRC=\"dot\" WIDTH=\"8\">"),
                   &pictures);
    EXPECT_EQ(c.layout.ExtentX, 4 + 5 + 8);
    EXPECT_EQ(c.image.pixelColor(1, 0), QColor(Qt::green));
    EXPECT_EQ(c.image.pixelColor(1 + 4, 0), QColor(Qt::blue));
    EXPECT_EQ(c.Count(QRect(10, 0, 8, 6), Qt::green, 0), 8 * 6);
}

TEST(HtmlTextPainter, SystemColours)
{
    EXPECT_FALSE(ToQColor(kNoColor).isValid());
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x563412), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(ToQColor(0xFF00000D), QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(ToQColor(0xFF0000FF), QColor(Qt::black));
}

}  // namespace
