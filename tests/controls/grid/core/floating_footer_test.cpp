// The floating footer's grid side: what Visible and FooterStyle do to the
// grid, column calculations (hidden rows in or out), the custom template and
// the column under a point of the strip.
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

// One fixed row, values 1..9 in column 1 of rows 1..9, row 10 the footer.
void Make(TExStringGrid& g)
{
    g.SetColCount(4);
    g.SetRowCount(11);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    for (int r = 1; r <= 9; ++r) {
        g.SetCells(1, r, QString::number(r));
        g.SetCells(2, r, r % 2 ? QStringLiteral("odd") : QStringLiteral("even"));
    }
    g.SetFloatingFooterVisible(true);
}

} // namespace

TEST(FloatingFooter, VisibleAndStyleDecideTheFooterRow)
{
    struct Case
    {
        bool visible;
        TFooterStyle style;
        int fixedFooters;
    };
    const Case cases[] = {
        {true, fsFixedLastRow, 1},  {true, fsColumnPreview, 0}, {true, fsCustomPreview, 0},
        {true, fsCustomPaint, 0},   {false, fsFixedLastRow, 0},
    };
    for (const Case& c : cases) {
        TExStringGrid g;
        int repaints = 0;
        g.OnFooterChanged = [&repaints] { ++repaints; };
        g.SetFloatingFooterStyle(c.style);
        g.SetFloatingFooterVisible(c.visible);
        EXPECT_EQ(g.FixedFooters(), c.fixedFooters) << c.visible << c.style;
        EXPECT_EQ(g.FHideLastRow, c.fixedFooters == 1);
        EXPECT_EQ(repaints, 2);
    }
    // Back to another style shows the last row again.
    TExStringGrid g;
    g.SetFloatingFooterVisible(true);
    g.SetFloatingFooterStyle(fsColumnPreview);
    EXPECT_FALSE(g.FHideLastRow);
    EXPECT_EQ(g.FixedFooters(), 0);
}

TEST(FloatingFooter, ColumnCalculations)
{
    struct Case
    {
        TColumnCalcType type;
        bool hideRow2;
        bool hiddenCount;
        double result;
    };
    const Case cases[] = {
        {acSUM, false, true, 45},   {acAVG, false, true, 5},    {acMIN, false, true, 1},
        {acMAX, false, true, 9},    {acCOUNT, false, true, 9},  {acDISTINCT, false, true, 9},
        // A hidden row counts only with CalculateHiddenRows; the footer row never.
        {acSUM, true, true, 45},    {acSUM, true, false, 43},   {acCOUNT, true, true, 9},
        {acCOUNT, true, false, 8},  {acMIN, true, false, 1},    {acMAX, true, true, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " hide " << c.hideRow2 << " count " << c.hiddenCount);
        TExStringGrid g;
        Make(g);
        g.FloatingFooter.CalculateHiddenRows = c.hiddenCount;
        if (c.hideRow2)
            g.HideRow(2);
        g.SetColumnCalc(1, c.type);
        EXPECT_EQ(g.ColumnCalc(1), c.type);
        EXPECT_DOUBLE_EQ(g.Floats(1, g.RowCount() - 1), c.result);
    }
}

TEST(FloatingFooter, CalculationRunsOnlyWhenItShould)
{
    TExStringGrid g;
    Make(g);
    g.SetColumnCalc(1, acSUM);
    g.SetColumnCalc(3, acSPREAD);
    EXPECT_EQ(g.ColumnCalc(2), acNONE);
    g.SetCells(1, 1, QStringLiteral("11"));
    g.FloatingFooter.EnableCalculation = false;
    g.CalcFooter(-1);
    EXPECT_DOUBLE_EQ(g.Floats(1, 10), 45);
    g.FloatingFooter.EnableCalculation = true;
    g.CalcFooter(-1);
    EXPECT_DOUBLE_EQ(g.Floats(1, 10), 55);
    EXPECT_EQ(g.Cells(3, 10), QString());

    // Custom cells: the grid's event first, else the footer's; with neither
    // the cell is emptied.
    g.SetColumnCalc(2, acCUSTOM);
    int row = -1;
    g.OnCalcFooter = [&row](TExStringGrid*, int, int r, QString& v) {
        row = r;
        v = QStringLiteral("own");
    };
    g.CalcFooter(2);
    EXPECT_EQ(g.Cells(2, 10), QStringLiteral("own"));
    EXPECT_EQ(row, 10);
    g.OnFooterCalc = [](TExStringGrid*, int, int, QString& v) { v = QStringLiteral("grid"); };
    g.CalcFooter(2);
    EXPECT_EQ(g.Cells(2, 10), QStringLiteral("grid"));
    g.OnFooterCalc = nullptr;
    g.OnCalcFooter = nullptr;
    g.CalcFooter(2);
    EXPECT_EQ(g.Cells(2, 10), QString());

    // Another style calculates nothing.
    g.SetFloatingFooterStyle(fsColumnPreview);
    g.SetCells(1, 1, QStringLiteral("1"));
    g.CalcFooter(-1);
    EXPECT_DOUBLE_EQ(g.Floats(1, 10), 55);
}

TEST(FloatingFooter, TemplateAndStripColumns)
{
    TExStringGrid g;
    Make(g);
    g.SetRow(3);
    struct Case
    {
        const char* tmpl;
        const char* text;
    };
    const Case cases[] = {
        {"Row <#1>: <#2>", "Row 3: odd"},
        {"plain <#2><#x> end", "plain odd end"},
        {"<#1>", "3"},
        {"open <#1", "open <#1"},
        {"", ""},
        {"<#-1>|<#99999999999>", "|"},
    };
    for (const Case& c : cases) {
        g.FloatingFooter.CustomTemplate = QString::fromUtf8(c.tmpl);
        EXPECT_EQ(g.FooterTemplateText(), QString::fromUtf8(c.text)) << c.tmpl;
    }

    g.SetColWidths(0, 20);
    for (int c = 1; c < 4; ++c)
        g.SetColWidths(c, 50);
    const std::pair<int, int> hits[] = {{-1, -1}, {0, 0}, {19, 0}, {20, 1}, {69, 1}, {70, 2}, {169, 3}, {170, -1}};
    for (auto [x, col] : hits)
        EXPECT_EQ(g.FooterColumnAt(x), col) << x;
    g.SetClientSize(QSize(60, 200));
    g.SetLeftCol(2);
    ASSERT_EQ(g.LeftCol(), 2);
    EXPECT_EQ(g.FooterColumnAt(25), 2);
    EXPECT_EQ(g.FooterColumnAt(75), 3);
}
