// The filter list's look: copying it, the names it shows and where it opens.
#include "controls/grid/core/filter_drop_down.h"

#include <gtest/gtest.h>

using namespace grid;

TEST(FilterDropDownLook, AssignCopiesAllButAutoSizeAndReportsThePictures)
{
    TFilterDropDown source;
    source.AutoSize = true;
    source.Height = 90;
    source.Width = 120;
    source.Color = 0x00FFFF;
    source.Font.Name = QStringLiteral("Arial");
    source.Font.Size = 11;
    source.ColumnWidth = true;
    QImage glyph(8, 8, QImage::Format_ARGB32);
    glyph.fill(Qt::red);
    source.SetGlyph(glyph);
    QImage active(9, 9, QImage::Format_ARGB32);
    active.fill(Qt::blue);
    source.SetGlyphActive(active);

    TFilterDropDown target;
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    target.Assign(source);
    EXPECT_FALSE(target.AutoSize);
    EXPECT_EQ(target.Height, 90);
    EXPECT_EQ(target.Width, 120);
    EXPECT_EQ(target.Color, TColor(0x00FFFF));
    EXPECT_EQ(target.Font, source.Font);
    EXPECT_TRUE(target.ColumnWidth);
    EXPECT_EQ(target.Glyph(), glyph);
    EXPECT_EQ(target.GlyphActive(), active);
    EXPECT_EQ(changes, 2);
    // The copy owns its pictures.
    source.SetGlyph(QImage());
    EXPECT_EQ(target.Glyph(), glyph);
}

TEST(FilterDropDownLook, EntriesShowTheirNames)
{
    EXPECT_EQ(FilterEntryNames({"(All)", "light blue=\"light blue\"", "Big=>100", "=x", "a=b=c"}),
              (QStringList{"(All)", "light blue", "Big", "", "a"}));
}

TEST(FilterDropDownLook, WhereTheListOpens)
{
    const QRect cell(100, 0, 80, 20); // right edge at 179, bottom at 19
    struct Case
    {
        const char* name;
        bool autoSize;
        bool columnWidth;
        FilterListMetrics metrics;
        QRect expected;
    };
    const Case cases[] = {
        {"plain: Width by Height, right-aligned under the cell", false, false, {40, 16, 3}, {30, 20, 150, 150}},
        {"column width: the column's span", false, true, {40, 16, 3}, {100, 20, 80, 150}},
        {"auto size: widest + 8 + two items, as high as the entries", true, false, {40, 16, 3}, {100, 20, 80, 52}},
        {"auto size, many entries: no higher than Height", true, false, {40, 16, 30}, {100, 20, 80, 150}},
        {"auto size, no entries: one item high", true, false, {0, 16, 0}, {140, 20, 40, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFilterDropDown look;
        look.AutoSize = c.autoSize;
        look.ColumnWidth = c.columnWidth;
        EXPECT_EQ(FilterListRect(look, cell, c.metrics), c.expected);
    }
}
