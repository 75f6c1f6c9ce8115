// The page engine on the fixed-metric canvas: page breaks, fit to page,
// column bands, page numbers, header and footer slots, repeated fixed rows
// and columns, events, the selected-only filter, the frame, over-tall rows
// and printing without counting.
#include "print_fixture.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <climits>

using namespace print_test;

TEST(PageEngine, RowsBreakIntoPagesAndEveryRowIsPrintedOnce)
{
    PrintFixture f(2, 120);
    EXPECT_EQ(f.Count(), 3);
    ASSERT_TRUE(f.Print());
    EXPECT_EQ(f.engine.PrintNrOfPages, 3);
    EXPECT_EQ(f.canvas.Sheets, 2);
    QStringList all;
    for (int sheet = 0; sheet <= 2; ++sheet)
        all += f.CellTexts(sheet);
    QStringList expected;
    for (int r = 0; r < 120; ++r)
        expected << CellText(0, r) << CellText(1, r);
    EXPECT_EQ(all, expected);
    EXPECT_EQ(f.CellTexts(0).size(), 2 * kRowsPerPage);
    EXPECT_EQ(f.CellTexts(1).first(), CellText(0, kRowsPerPage));
}

TEST(PageEngine, FitToPageScalesByMode)
{
    // Cells of ten characters measure 200; the gap is 20.
    struct Case
    {
        TFitToPage mode;
        int cols;
        int width;  // printed width of each column
    };
    const Case cases[] = {
        {fpNever, 3, 200},  {fpGrow, 3, 680},   {fpShrink, 3, 200}, {fpAlways, 3, 680},
        {fpNever, 20, 200}, {fpGrow, 20, 200},  {fpShrink, 20, 85}, {fpAlways, 20, 85},
    };
    for (const Case& c : cases) {
        PrintFixture f(c.cols, 3);
        f.grid.PrintSettings.UseFixedWidth = false;
        f.grid.PrintSettings.FitToPage = c.mode;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < c.cols; ++col)
                f.grid.SetCells(col, r, QStringLiteral("xxxxxxxxxx"));
        f.Count();
        for (int col = 0; col < c.cols; ++col)
            EXPECT_EQ(f.engine.MaxWidths[col], c.width) << "mode " << c.mode << " cols " << c.cols;
    }
}

TEST(PageEngine, CustomFitAsksAndMayRefuse)
{
    PrintFixture f(3, 2);
    f.grid.PrintSettings.UseFixedWidth = false;
    f.grid.PrintSettings.FitToPage = fpCustom;
    double asked = 0;
    f.engine.OnFitToPage = [&](double& scale, bool& allow) {
        asked = scale;
        allow = false;
    };
    f.Count();
    EXPECT_GT(asked, 1.0);
    EXPECT_EQ(f.engine.MaxWidths[0], 4 * 20);  // "r0c0" unscaled
    f.engine.OnFitToPage = [](double& scale, bool&) { scale = 2.0; };
    f.Count();
    EXPECT_EQ(f.engine.MaxWidths[0], 160);
}

TEST(PageEngine, WideRangePrintsInBandsWithPageInBandNumbers)
{
    // Five 380-wide columns fit a 2100 page: bands 0-4, 5-9, 10-11.
    PrintFixture f(12, 60);
    f.grid.PrintSettings.FixedWidth = 380;
    f.grid.PrintSettings.PageNr = ppBottomRight;
    ASSERT_TRUE(f.Print());
    EXPECT_EQ(f.engine.PrintNrOfPages, 6);
    const QStringList expected = {"1-1", "2-1", "1-2", "2-2", "1-3", "2-3"};
    for (int sheet = 0; sheet < 6; ++sheet) {
        EXPECT_TRUE(f.Texts(sheet).contains(expected[sheet])) << sheet;
        const QStringList cells = f.CellTexts(sheet);
        ASSERT_FALSE(cells.isEmpty());
        const int firstCol = (sheet / 2) * 5;
        // A bottom page number makes the footer 90 high: 52 rows a page.
        EXPECT_EQ(cells.first(), CellText(firstCol, sheet % 2 == 0 ? 0 : 52));
    }
    // A column wider than the page still shares its band with the next one.
    PrintFixture narrow(3, 1);
    narrow.grid.PrintSettings.FixedWidth = 3000;
    ASSERT_TRUE(narrow.Print());
    EXPECT_EQ(narrow.engine.PrintNrOfPages, 2);
    EXPECT_EQ(narrow.CellTexts(0), (QStringList{"r0c0", "r0c1"}));
}

TEST(PageEngine, PageNumberTexts)
{
    struct Case
    {
        int rows;
        QString sep;
        int maxPagesOffset;
        int pageNumberOffset;
        QString lastPage;
    };
    const Case cases[] = {
        {120, "/", 0, 0, "3/3"}, {120, "/", 1, 0, "3/4"}, {120, "/", 0, 10, "13/3"},
        {120, "", 0, 0, "3"},    {10, "/", 0, 0, "1"},    {120, "/", INT_MAX, 0, "3/2147483650"},
    };
    for (const Case& c : cases) {
        PrintFixture f(2, c.rows);
        auto& ps = f.grid.PrintSettings;
        ps.PageNr = ppBottomRight;
        ps.PageNumSep = c.sep;
        ps.MaxPagesOffset = c.maxPagesOffset;
        ps.PageNumberOffset = c.pageNumberOffset;
        ASSERT_TRUE(f.Print());
        EXPECT_TRUE(f.Texts(f.canvas.Sheets).contains(c.lastPage)) << c.lastPage.toStdString();
    }
    PrintFixture hooked(2, 120);
    hooked.grid.PrintSettings.PageNr = ppTopCenter;
    hooked.grid.PrintSettings.PagePrefix = "Page";
    hooked.engine.OnPrintGetPageNum = [](int page, int band, QString& text) {
        text = QStringLiteral("%1 of band %2").arg(page).arg(band);
    };
    ASSERT_TRUE(hooked.Print());
    EXPECT_TRUE(hooked.Texts(1).contains("Page 2 of band 1"));
}

TEST(PageEngine, HeaderAndFooterSlotsJoinAndSitInPlace)
{
    PrintFixture f(2, 5);
    auto& ps = f.grid.PrintSettings;
    ps.Time = ppTopLeft;
    ps.Date = ppTopLeft;
    ps.PageNr = ppTopRight;
    ps.Title = ppTopRight;
    ps.TitleText = "Meters";
    ps.HeaderSize = 100;
    ps.LeftSize = 150;
    ps.RightSize = 50;
    ASSERT_TRUE(f.Print());
    // Left slots put the newer item in front, the others behind.
    const auto* left = f.canvas.FindText("04/03/2026 09:05");
    const auto* right = f.canvas.FindText("1 Meters");
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(left->Rect.Left, 150);
    EXPECT_EQ(left->Rect.Top, -100);
    EXPECT_EQ(right->Rect.Left, kPageW - 8 * 20 - 50 - 20);
    // The first row starts below the header: spacing + line + header size.
    const auto* cell = f.canvas.FindText("r0c0");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Rect.Top, -(5 + 40 + 100) - 5);

    PrintFixture b(2, 5);
    b.grid.PrintSettings.Date = ppBottomCenter;
    b.grid.PrintSettings.Title = ppBottomLeft;
    b.grid.PrintSettings.TitleLines = {"First", "Second"};
    b.grid.PrintSettings.FooterSize = 30;
    ASSERT_TRUE(b.Print());
    const auto* date = b.canvas.FindText("04/03/2026");
    const auto* first = b.canvas.FindText("First");
    const auto* second = b.canvas.FindText("Second");
    ASSERT_NE(date, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(date->Rect.Left, (kPageW - 10 * 20) / 2);
    EXPECT_EQ(date->Rect.Top, -kPageH + 40 + 5 + 30);
    EXPECT_EQ(second->Rect.Top, first->Rect.Top - 40);
}

TEST(PageEngine, FixedRowsRepeatOnLaterPages)
{
    PrintFixture f(2, 120, 1);
    f.grid.PrintSettings.RepeatFixedRows = true;
    ASSERT_TRUE(f.Print());
    EXPECT_EQ(f.CellTexts(0).first(), "r0c0");
    EXPECT_EQ(f.CellTexts(0).count("r0c0"), 1);
    EXPECT_EQ(f.CellTexts(1).first(), "r0c0");
    EXPECT_EQ(f.CellTexts(1).at(2), CellText(0, kRowsPerPage));
    EXPECT_EQ(f.CellTexts(2).first(), "r0c0");

    // A range below the fixed rows gets them on its first page as well.
    PrintFixture part(2, 120, 1);
    part.grid.PrintSettings.RepeatFixedRows = true;
    part.engine.FPrintRect = {0, 50, 1, 60};
    ASSERT_TRUE(part.Print());
    EXPECT_EQ(part.CellTexts(0).mid(0, 3), (QStringList{"r0c0", "r0c1", "r50c0"}));
}

TEST(PageEngine, FixedColumnsRepeatInLaterBands)
{
    PrintFixture f(12, 3, 0, 1);
    f.grid.PrintSettings.FixedWidth = 380;
    f.grid.PrintSettings.RepeatFixedCols = true;
    f.grid.PrintSettings.Centered = false;
    ASSERT_TRUE(f.Print());
    ASSERT_GE(f.canvas.Sheets, 1);
    // Band 1 is columns 0-4; band 2 starts with the fixed column at the left.
    EXPECT_EQ(f.CellTexts(0).mid(0, 5), (QStringList{"r0c0", "r0c1", "r0c2", "r0c3", "r0c4"}));
    const QStringList second = f.CellTexts(1);
    EXPECT_EQ(second.mid(0, 2), (QStringList{"r0c0", "r0c5"}));
    const auto ops = f.canvas.TextsOn(1);
    EXPECT_LT(ops[0].Rect.Left, ops[1].Rect.Left);
    EXPECT_EQ(ops[1].Rect.Left - ops[0].Rect.Left, 380);  // fixed widths have no gap
}

TEST(PageEngine, EventsNarrowCancelAndBreakPages)
{
    PrintFixture narrowed(1, 160);
    narrowed.engine.OnPrintStart = [](int pages, int& from, int& to) {
        EXPECT_EQ(pages, 4);
        from = to = 2;
    };
    ASSERT_TRUE(narrowed.Print());
    EXPECT_EQ(narrowed.canvas.Sheets, 0);
    EXPECT_EQ(narrowed.CellTexts(0).first(), CellText(0, kRowsPerPage));
    EXPECT_EQ(narrowed.CellTexts(0).size(), kRowsPerPage);

    PrintFixture refused(1, 160);
    refused.engine.OnPrintStart = [](int, int& from, int& to) { from = 3, to = 2; };
    EXPECT_FALSE(refused.Print());
    EXPECT_TRUE(refused.canvas.Ops.isEmpty());

    PrintFixture cancelled(1, 160);
    QList<int> done;
    cancelled.engine.OnPrintPageDone = [&](PrintCanvas&, int, int, int page, int, int) { done << page; };
    cancelled.engine.OnPrintCancel = [](int page, bool& cancel) { cancel = page == 1; };
    ASSERT_TRUE(cancelled.Print());
    EXPECT_EQ(done, QList<int>{1});
    EXPECT_EQ(cancelled.canvas.Sheets, 0);

    PrintFixture broken(1, 30);
    QList<int> started;
    broken.engine.OnPrintNewPage = [](int row, bool& newPage) { newPage = row == 10; };
    broken.engine.OnPrintPage = [&](PrintCanvas&, int page, int w, int h) {
        started << page;
        EXPECT_EQ(w, kPageW);
        EXPECT_EQ(h, -kPageH);
    };
    ASSERT_TRUE(broken.Print());
    EXPECT_EQ(started, (QList<int>{1, 2}));
    EXPECT_EQ(broken.CellTexts(0).size(), 10);
    EXPECT_EQ(broken.CellTexts(1).first(), CellText(0, 10));
}

TEST(PageEngine, SelectedOnlyPrintsTheSelection)
{
    PrintFixture f(4, 8, 1, 1);
    f.grid.SetSelection({2, 3, 3, 4});
    ASSERT_TRUE(f.Print(true));
    EXPECT_EQ(f.CellTexts(0), (QStringList{"r3c2", "r3c3", "r4c2", "r4c3"}));

    PrintFixture fixed(4, 8, 1, 1);
    fixed.grid.SetSelection({2, 3, 3, 4});
    fixed.grid.PrintSettings.FixedCellsAlways = true;
    ASSERT_TRUE(fixed.Print(true));
    EXPECT_EQ(fixed.CellTexts(0),
              (QStringList{"r0c0", "r0c2", "r0c3", "r3c0", "r3c2", "r3c3", "r4c0", "r4c2", "r4c3"}));
}

TEST(PageEngine, FrameFollowsBorders)
{
    struct Case
    {
        TPrintBorders borders;
        int frameLines;  // width 2 or 10 (the frame pen)
        int frameWidth;
        bool cellLines;
    };
    const Case cases[] = {
        {pbNoborder, 0, 2, false}, {pbSingle, 0, 2, true},     {pbAround, 4, 2, false},
        {pbDouble, 1, 10, true},   {pbHorizontal, 1, 2, true}, {pbAroundHorizontal, 5, 2, true},
    };
    for (const Case& c : cases) {
        PrintFixture f(2, 3);
        f.grid.PrintSettings.Borders = c.borders;
        ASSERT_TRUE(f.Print());
        EXPECT_EQ(f.LinesOfWidth(c.frameWidth), c.frameLines) << c.borders;
        EXPECT_EQ(f.LinesOfWidth(3) > 0, c.cellLines) << c.borders;
    }
}

TEST(PageEngine, RowTallerThanAPageIsCutAndPrintingGoesOn)
{
    PrintFixture f(1, 3);
    f.grid.FMultilineCells = true;
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QString::number(i);
    f.grid.SetCells(0, 1, lines.join("\r\n"));
    EXPECT_EQ(f.Count(), 3);
    ASSERT_TRUE(f.Print());
    EXPECT_EQ(f.canvas.Sheets, 2);
    EXPECT_EQ(f.CellTexts(0), QStringList{"r0c0"});
    EXPECT_TRUE(f.Texts(1).contains("0"));
    EXPECT_EQ(f.CellTexts(2), QStringList{"r2c0"});
}

TEST(PageEngine, FastPrintPrintsEveryPageWithoutATotal)
{
    PrintFixture f(1, 160);
    f.engine.FastPrint = true;
    f.grid.PrintSettings.PageNr = ppBottomRight;
    f.grid.PrintSettings.MaxPagesOffset = 5;
    ASSERT_TRUE(f.Print());
    EXPECT_EQ(f.canvas.Sheets, 3);
    EXPECT_EQ(f.engine.PrintNrOfPages, 4);
    for (int sheet = 0; sheet < 4; ++sheet) {
        EXPECT_TRUE(f.Texts(sheet).contains(QString::number(sheet + 1))) << sheet;
        for (const QString& t : f.Texts(sheet))
            EXPECT_FALSE(t.contains(u'/')) << t.toStdString();
    }
    EXPECT_EQ(f.CellTexts(3).last(), CellText(0, 159));
}

TEST(PageEngine, FastPrintPreviewStopsAfterItsPage)
{
    PrintFixture f(1, 100000);
    f.engine.FastPrint = true;
    f.engine.FPrintPageFrom = f.engine.FPrintPageTo = 2;
    QList<int> started;
    f.engine.OnPrintPage = [&](PrintCanvas&, int page, int, int) { started << page; };
    ASSERT_TRUE(f.engine.Run(f.canvas, PassPreview, false, kPageW, kPageH));
    EXPECT_EQ(f.engine.PrintNrOfPages, 1);
    EXPECT_EQ(started, (QList<int>{1, 2}));
    EXPECT_EQ(f.CellTexts(0).first(), CellText(0, kRowsPerPage));
    EXPECT_EQ(f.CellTexts(0).size(), kRowsPerPage);
}

TEST(PageEngine, HtmlTitleIsMeasuredAlikeInEveryPass)
{
    // A two-line mini-HTML title is 80 high; the header is 5 + 40 + 80.
    PrintFixture f(1, 200);
    f.grid.PrintSettings.Title = ppTopLeft;
    f.grid.PrintSettings.TitleLines = {"<b>Meter</b>", "<br>list"};
    const int counted = f.Count();
    ASSERT_TRUE(f.Print());
    EXPECT_EQ(f.canvas.Sheets + 1, counted);
    const auto* cell = f.canvas.FindText("r0c0");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Rect.Top, -(5 + 40 + 80) - 5);
    int titles = 0;
    for (const auto& op : f.canvas.Ops)
        if (op.What == FakePrintCanvas::Kind::Html && op.Text == "Meter\nlist")
            ++titles;
    EXPECT_EQ(titles, counted);
}

TEST(PageEngine, WidthsAndIndentsFitRangesPastFiveHundredColumns)
{
    PrintFixture f(700, 2);
    f.grid.PrintSettings.FixedWidth = 30;
    f.engine.FPrintRect = {600, 0, 699, 1};
    ASSERT_TRUE(f.Print());
    ASSERT_GE(f.engine.MaxWidths.size(), 700u);
    EXPECT_EQ(f.engine.MaxWidths[699], 30);
    EXPECT_EQ(f.canvas.Sheets, 1);
    EXPECT_TRUE(f.CellTexts(1).contains("r1c699"));
}

TEST(PageEngine, FastPrintPreviewSizesColumnsByTheRowsUpToItsPage)
{
    // One 30-character cell (600 wide) among short ones; the others are
    // at most "r4999c0" (140). A preview without counting measures the rows
    // up to its page, so a wide cell further down leaves the page alone; the
    // cells it draws are those a counted preview draws.
    struct Case
    {
        int wideRow;
        int page;
        bool fast;
        int fixedHeight;  // 0: measured rows (53 a page); 5: 195 rows a page
        bool widened;
    };
    const Case cases[] = {
        {4000, 1, true, 0, false},
        {4000, 1, false, 0, true},
        {60, 2, true, 0, true},
        {30, 1, true, 0, true},
        {4999, 95, true, 0, true},  // the last page needs every row
        {150, 1, true, 5, true},    // more rows on the page than first guessed
        {4000, 1, true, 5, false},
    };
    for (const Case& c : cases) {
        PrintFixture f(1, 5000);
        f.grid.PrintSettings.UseFixedWidth = false;
        f.grid.PrintSettings.UseFixedHeight = c.fixedHeight > 0;
        f.grid.PrintSettings.FixedHeight = c.fixedHeight;
        f.grid.SetCells(0, c.wideRow, QString(30, u'w'));
        f.engine.FastPrint = c.fast;
        f.engine.FPrintPageFrom = f.engine.FPrintPageTo = c.page;
        ASSERT_TRUE(f.engine.Run(f.canvas, PassPreview, false, kPageW, kPageH));
        EXPECT_EQ(f.engine.MaxWidths[0] == 600, c.widened) << c.wideRow << " " << c.page;

        PrintFixture counted(1, 5000);
        counted.grid.PrintSettings.UseFixedWidth = false;
        counted.grid.PrintSettings.UseFixedHeight = c.fixedHeight > 0;
        counted.grid.PrintSettings.FixedHeight = c.fixedHeight;
        counted.grid.SetCells(0, c.wideRow, QString(30, u'w'));
        counted.engine.FPrintPageFrom = counted.engine.FPrintPageTo = c.page;
        ASSERT_TRUE(counted.engine.Run(counted.canvas, PassPreview, false, kPageW, kPageH));
        EXPECT_EQ(f.Texts(0).filter(QRegularExpression("^(r|w)")), counted.Texts(0).filter(QRegularExpression("^(r|w)")))
            << c.wideRow << " " << c.page;
    }
}

TEST(PageEngine, FastPrintPreviewOfALaterBandMeasuresEveryRow)
{
    // Two columns 2000 wide fill the first band (six pages of 300 rows);
    // page 7 opens the second band, laid out after every row of the first.
    PrintFixture f(3, 300);
    f.grid.PrintSettings.UseFixedWidth = false;
    f.grid.SetCells(0, 0, QString(100, u'v'));
    f.grid.SetCells(1, 0, QString(100, u'v'));
    f.grid.SetCells(2, 299, QString(50, u'w'));
    f.engine.FastPrint = true;
    f.engine.FPrintPageFrom = f.engine.FPrintPageTo = 7;
    ASSERT_TRUE(f.engine.Run(f.canvas, PassPreview, false, kPageW, kPageH));
    EXPECT_EQ(f.engine.MaxWidths[2], 1000);
    EXPECT_EQ(f.engine.PrintColStart, 2);
    EXPECT_EQ(f.CellTexts(0).first(), CellText(2, 0));
}
