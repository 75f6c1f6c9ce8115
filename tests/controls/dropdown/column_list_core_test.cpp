#include "controls/dropdown/column_list_core.h"
#include "controls/dropdown/color_styles.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(ColumnList, ScalingCarriesTheRoundingError)
{
    struct Case
    {
        std::vector<int> widths;
        int avail;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{80, 80, 80}, 300, {100, 100, 100}},  // error sum stays below 1
        {{10, 10, 10, 10}, 55, {13, 13, 14, 13}},  // the third takes the carry
        {{}, 100, {}},
        {{0, 50}, 102, {0, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleColumnWidths(c.widths, c.avail), c.expected) << c.avail;
}

TEST(ColumnList, HeightSnapsToWholeRows)
{
    // height, bars, header, row, extra -> snapped
    const int cases[][6] = {
        {200, 0, 25, 22, 2, 181},  // multi-column: 25 + 7 * 22 + 2
        {200, 0, 25, 22, 6, 185},  // grid drop-down: 25 + 7 * 22 + 6
        {244, 44, 25, 22, 2, 225},  // header and footer bars counted once
        {200, 0, 25, 0, 2, 200},   // a row height of 0 counts as 1, no division by zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapPopupHeight(c[0], c[1], c[2], c[3], c[4]), c[5]) << c[0] << "/" << c[3];
}

TEST(ColumnList, IndexSteps)
{
    struct Case
    {
        int index, count;
        TListStep step;
        int expected;
    };
    const Case cases[] = {
        {-1, 5, lsNext, 0},         {-1, 5, lsPrevious, 0},    {4, 5, lsNext, 4},
        {0, 5, lsPrevious, 0},      {95, 100, lsNextPage, 99}, {5, 100, lsPreviousPage, 0},
        {-1, 100, lsNextPage, 0},   {-1, 100, lsPreviousPage, 0}, {3, 5, lsFirst, 0},
        {0, 5, lsLast, 4},          {2, 0, lsNext, -1},        {2, 0, lsFirst, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepIndex(c.index, c.count, c.step), c.expected) << c.index << " " << c.step;
}

TEST(ColumnList, MissingLinesReadAsEmpty)
{
    TDropDownItems items(3);
    items[0].Text = {QStringLiteral("Alpha"), QStringLiteral("1")};
    items[1].Text = {QStringLiteral("beta")};  // no second line
    items[2].Text = {QStringLiteral("Bravo"), QStringLiteral("3")};
    EXPECT_EQ(LookupList(items, 1), (QStringList{QStringLiteral("1"), QString(), QStringLiteral("3")}));
    EXPECT_EQ(IndexInColumn(items, 1, QStringLiteral("3")), 2);
    EXPECT_EQ(IndexInColumn(items, 1, QString()), -1);  // a missing line equals nothing
    EXPECT_EQ(IndexInColumn(items, 5, QStringLiteral("1")), -1);
    const QStringList lookup = LookupList(items, 0);
    EXPECT_EQ(FindPrefix(lookup, QStringLiteral("b"), false), 1);
    EXPECT_EQ(FindPrefix(lookup, QStringLiteral("B"), true), 2);
    EXPECT_EQ(FindPrefix(lookup, QString(), false), -1);
    EXPECT_EQ(IndexOfText(lookup, QStringLiteral("BRAVO")), 2);

    TDropDownItem copy;
    copy.Assign(items[0]);
    EXPECT_EQ(copy.Text, items[0].Text);  // the texts travel with the image index
}

TEST(ColumnList, StyleTablesKeepWhatTheyLeave)
{
    EXPECT_EQ(MultiColumnStyleOf(grid::tsCustom), nullptr);
    EXPECT_EQ(GridDropDownStyleOf(grid::tsOffice2010Blue), nullptr);  // the grid drop-down has no 2010 rows
    const ColumnStyleColors* silver = MultiColumnStyleOf(grid::tsOffice2003Silver);
    ASSERT_NE(silver, nullptr);
    EXPECT_EQ(silver->HeaderFont, kKeep);
    EXPECT_EQ(MultiColumnStyleOf(grid::tsWindowsXP)->LineColor, 0xC0C0C0u);
    EXPECT_EQ(GridDropDownStyleOf(grid::tsTerminal)->FixedLineColor, grid::clGray);
    SelectionLines lines{};
    EXPECT_FALSE(SelectionLinesOf(scCustom, lines));
    ASSERT_TRUE(SelectionLinesOf(scWindows7, lines));
    EXPECT_EQ(lines.FixedLineColor, 0xD4D2D1u);
}

TEST(ColumnList, AutoWidthAndWrappedHeights)
{
    TDropDownItems items(2);
    items[0].Text = {QStringLiteral("abcd")};
    items[0].ImageIndex = 1;
    items[1].Text = {QString()};
    const auto width = [](const QString& s) { return int(s.size()) * 7; };
    EXPECT_EQ(AutoColumnWidth(items, 0, false, 16, width), 6 + 28);
    EXPECT_EQ(AutoColumnWidth(items, 0, true, 16, width), 6 + 28 + 20);
    EXPECT_EQ(AutoColumnWidth({}, 0, false, 16, width), 0);

    TDropDownColumns columns(1);
    columns[0].Wordwrap = true;
    const auto lines = [](int, const QString& s) { return int(s.size()) > 10 ? 45 : 15; };
    TDropDownItem shortText{-1, {QStringLiteral("short")}};
    TDropDownItem longText{-1, {QStringLiteral("a rather long text")}};
    EXPECT_EQ(WrappedRowHeight(shortText, columns, false, 0, lines), 24);  // never below 24
    EXPECT_EQ(WrappedRowHeight(longText, columns, false, 0, lines), 51);   // wrapped height + 6
}

}  // namespace
