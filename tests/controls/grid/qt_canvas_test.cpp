// The drawing routines' QPainter canvas: pixels of the level bar, the
// transparent bitmap, the button glyphs, frame controls and turned text.
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/widget/cell_text.h"
#include "controls/grid/theme_binding/theme_api.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace grid;

namespace {

QImage Blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QColor Rgb(TColor c)
{
    return ToQColor(c);
}

// The bounding box of the pixels that are not white.
QRect Ink(const QImage& img, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

} // namespace

TEST(QtCanvasPixels, LevelBarAndTransparentBitmap)
{
    QImage img = Blank(120, 40);
    {
        QPainter p(&img);
        QtCanvas canvas(p);
        LevelProgressStyle style;
        style.ShowGradient = false;
        style.ShowPercentage = false;
        style.UnCompleteColor = 0xEEEEEE;
        DrawLevelProgressBar(canvas, QRect(10, 10, 102, 20), 50, style);
    }
    EXPECT_EQ(img.pixelColor(12, 20), Rgb(0x00FF00)) << "the filled half";
    EXPECT_EQ(img.pixelColor(60, 20), Rgb(0x00FF00));
    EXPECT_EQ(img.pixelColor(61, 20), Rgb(0xEEEEEE)) << "the rest";
    EXPECT_EQ(img.pixelColor(10, 10), Rgb(0xEEEEEE)) << "the outline without a border";
    EXPECT_EQ(img.pixelColor(9, 9), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(112, 30), QColor(Qt::white));

    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(qRgb(255, 0, 255));
    bitmap.setPixel(2, 2, qRgb(0, 0, 0));
    QImage out = Blank(20, 20);
    {
        QPainter p(&out);
        QtCanvas canvas(p);
        DrawBitmapTransparent(canvas, bitmap, 0x00FFFF, QRect(5, 6, 10, 10));
        DrawBitmapTransparent(canvas, bitmap, clNone, QRect(12, 12, 10, 10));
    }
    EXPECT_EQ(out.pixelColor(5, 6), Rgb(0x00FFFF));
    EXPECT_EQ(out.pixelColor(7, 8), QColor(Qt::black));
    EXPECT_EQ(out.pixelColor(9, 10), QColor(Qt::white)) << "the bitmap's size, not the rectangle's";
    EXPECT_EQ(out.pixelColor(12, 12), QColor(Qt::white)) << "no background colour: the canvas shows";
    EXPECT_EQ(out.pixelColor(14, 14), QColor(Qt::black));
}

TEST(QtCanvasPixels, GlyphsStayInTheirRectangles)
{
    TColorTones tones;
    tones.Background = {0x00C0C0, 0x404040, 0x000000};
    const QRect cell(10, 10, 100, 22);
    struct Case
    {
        const char* name;
        void (*draw)(Canvas&, const QRect&, const TColorTones&, GlyphState, GlyphLook);
        GlyphLook look;
        QRect inside; // where the glyph may draw
    };
    const Case cases[] = {
        {"combo themed", DrawComboButtonGlyph, GlyphLook::Themed, QRect(91, 11, 17, 20)},
        {"combo classic", DrawComboButtonGlyph, GlyphLook::Classic, QRect(91, 11, 17, 20)},
        {"combo flat", DrawComboButtonGlyph, GlyphLook::Flat, QRect(91, 11, 17, 20)},
        {"combo tones", DrawComboButtonGlyph, GlyphLook::Tones, QRect(94, 11, 17, 20)},
        {"spin classic", DrawSpinButtonsGlyph, GlyphLook::Classic, QRect(94, 9, 15, 22)},
        {"spin tones", DrawSpinButtonsGlyph, GlyphLook::Tones, QRect(94, 9, 15, 22)},
        {"button themed", DrawButtonGlyph, GlyphLook::Themed, cell},
    };
    for (const Case& c : cases) {
        QImage img = Blank(130, 50);
        {
            QPainter p(&img);
            QtCanvas canvas(p);
            c.draw(canvas, cell, tones, GlyphState::Normal, c.look);
        }
        const QRect ink = Ink(img, img.rect());
        EXPECT_FALSE(ink.isEmpty()) << c.name;
        EXPECT_TRUE(c.inside.contains(ink)) << c.name << ": ink " << ink.x() << "," << ink.y() << " "
                                            << ink.width() << "x" << ink.height();
    }
    // The drop-down arrow of the tones look points down in the text colour.
    QImage img = Blank(130, 50);
    {
        QPainter p(&img);
        QtCanvas canvas(p);
        DrawComboButtonGlyph(canvas, cell, tones, GlyphState::Normal, GlyphLook::Tones);
    }
    EXPECT_EQ(img.pixelColor(102, 20), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(95, 20), Rgb(0x404040)) << "the line inside the left edge";
    EXPECT_EQ(img.pixelColor(108, 28), Rgb(0x00C0C0));
}

namespace {

// What the theme binding itself draws for a frame control.
QImage Classic(const QRect& rect, TFrameControl kind, unsigned state)
{
    QImage img = Blank(30, 30);
    QPainter p(&img);
    ThemeApi().DrawFrameControl(p, rect, kind, state);
    return img;
}

template <typename Draw> QImage OnCanvas(Draw draw)
{
    QImage img = Blank(30, 30);
    QPainter p(&img);
    QtCanvas canvas(p);
    draw(canvas);
    return img;
}

} // namespace

// Frame controls are the binding's classic look; themed parts are the
// style's while themes are in use, else the frame control of their kind.
TEST(QtCanvasPixels, FrameControlsAndThemePartsGoThroughTheBinding)
{
    const QRect rect(4, 4, 17, 17);
    const struct
    {
        FrameGlyph glyph;
        unsigned flags;
        TFrameControl kind;
    } frames[] = {
        {FrameGlyph::ComboScroll, fgInactive, TFrameControl::ComboScroll},
        {FrameGlyph::PushButton, fgPushed, TFrameControl::PushButton},
        {FrameGlyph::PushButton, fgFlat, TFrameControl::PushButton},
        {FrameGlyph::ScrollUp, 0, TFrameControl::ScrollUp},
        {FrameGlyph::ScrollDown, fgPushed | fgFlat, TFrameControl::ScrollDown},
        {FrameGlyph::CheckBox, fgChecked | fgGrayed, TFrameControl::CheckBox},
        {FrameGlyph::RadioButton, fgChecked, TFrameControl::RadioButton},
    };
    for (const auto& f : frames) {
        const QImage ours = OnCanvas([&](Canvas& c) { c.FrameControl(rect, f.glyph, f.flags); });
        EXPECT_FALSE(Ink(ours, ours.rect()).isEmpty()) << int(f.glyph);
        EXPECT_EQ(ours, Classic(rect, f.kind, f.flags)) << int(f.glyph) << "/" << f.flags;
    }

    const struct
    {
        const char* themeClass;
        int part;
        int state;
        TFrameControl kind;
        unsigned classic;
    } parts[] = {
        {"button", 1, 3, TFrameControl::PushButton, fcPushed},
        {"button", 2, 5, TFrameControl::RadioButton, fcChecked},
        {"button", 3, 6, TFrameControl::CheckBox, fcChecked | fcHot},
        {"button", 3, 12, TFrameControl::CheckBox, fcChecked | fcGrayed | fcInactive},
        {"combobox", 1, 4, TFrameControl::ComboScroll, fcInactive},
        {"spin", 1, 1, TFrameControl::ScrollUp, 0},
        {"spin", 2, 2, TFrameControl::ScrollDown, fcHot},
    };
    for (const bool themesInUse : {true, false}) {
        ThemeApi().SetThemeActive(themesInUse);
        for (const auto& t : parts) {
            const QImage part = OnCanvas([&](Canvas& c) { c.ThemePart(rect, t.themeClass, t.part, t.state); });
            const QImage classic = Classic(rect, t.kind, t.classic);
            if (themesInUse)
                EXPECT_NE(part, classic) << t.themeClass << t.part << "/" << t.state << ": the style's look";
            else
                EXPECT_EQ(part, classic) << t.themeClass << t.part << "/" << t.state;
        }
        // A part without a classic twin draws nothing with themes out of use.
        const QImage progress = OnCanvas([&](Canvas& c) { c.ThemePart(rect, "progress", 1, 1); });
        EXPECT_EQ(Ink(progress, progress.rect()).isEmpty(), !themesInUse);
    }
    ThemeApi().SetThemeActive(true);
}

TEST(QtCanvasPixels, TextTurnedToReadUpwards)
{
    TFont font;
    font.Name = QStringLiteral("DejaVu Sans");
    font.Size = 10;
    for (const bool upwards : {false, true}) {
        const QRect rect = upwards ? QRect(0, 0, 30, 120) : QRect(0, 0, 120, 30);
        QImage img = Blank(rect.width(), rect.height());
        {
            QPainter p(&img);
            QtCanvas canvas(p);
            canvas.FontText(rect, QStringLiteral("100%"), font, 0x000000, upwards);
        }
        const QRect ink = Ink(img, img.rect());
        ASSERT_FALSE(ink.isEmpty()) << upwards;
        if (upwards)
            EXPECT_GT(ink.height(), ink.width() * 2);
        else
            EXPECT_GT(ink.width(), ink.height() * 2);
        // Centred both ways within a few pixels.
        EXPECT_NEAR(ink.center().x(), rect.center().x(), 3) << upwards;
        EXPECT_NEAR(ink.center().y(), rect.center().y(), 3) << upwards;
    }
}

// A single line is drawn without the line layout: it must land on the very
// pixels the aligned layout gives, for every alignment, also when it is too
// long or too high for its cell (clipped to the cell).
TEST(CellTextPixels, OneLineLandsWhereTheLayoutPutsIt)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    const QRect rect(7, 5, 150, 23);
    auto shot = [&](auto draw) {
        QImage img(170, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        draw(p);
        return img;
    };
    const std::pair<TAlignment, Qt::Alignment> horizontal[] = {
        {taLeftJustify, Qt::AlignLeft}, {taRightJustify, Qt::AlignRight}, {taCenter, Qt::AlignHCenter}};
    const std::pair<TVAlignment, Qt::Alignment> vertical[] = {
        {vtaTop, Qt::AlignTop}, {vtaCenter, Qt::AlignVCenter}, {vtaBottom, Qt::AlignBottom}};
    const QString texts[] = {QStringLiteral("Trap 17"), QStringLiteral("192.168.0.21"), QStringLiteral("Wg"),
                             QStringLiteral("A text much longer than the cell it is shown in")};
    for (const QRect& cell : {rect, QRect(7, 5, 60, 9)})
        for (const QString& text : texts)
            for (const auto& [ha, qh] : horizontal)
                for (const auto& [va, qv] : vertical) {
                    CellTextFlags flags;
                    flags.HAlign = ha;
                    flags.VAlign = va;
                    const QImage ours = shot([&](QPainter& p) { DrawCellText(p, cell, text, flags); });
                    const QImage layout = shot([&](QPainter& p) {
                        p.drawText(cell, int(qh | qv) | Qt::TextSingleLine | Qt::TextExpandTabs, text);
                    });
                    EXPECT_EQ(ours, layout) << text.toStdString() << " " << cell.width() << " " << ha << " " << va;
                }
    // Too long: clipped to the cell.
    CellTextFlags flags;
    const QString longText(60, QLatin1Char('W'));
    const QImage clipped = shot([&](QPainter& p) { DrawCellText(p, QRect(7, 5, 40, 23), longText, flags); });
    for (int y = 0; y < clipped.height(); ++y)
        for (int x = 47; x < clipped.width(); ++x)
            ASSERT_EQ(clipped.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
}
