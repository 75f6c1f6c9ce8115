// Graphic sizes, text measuring, automatic sizing, stretching and the column
// and row calculations, measured with a fixed-width measurer.
#include "controls/grid/core/ex_column_grid.h"
#include "platform/text/format_settings.h"
#include "qt_print.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace grid;

namespace {

// Every character 7 pixels wide (8 bold), every line 13 high.
const FixedTextMeasurer kMeasurer(7, 13);

class Sizes : public ::testing::Test
{
protected:
    void SetUp() override { g.Measurer = &kMeasurer; }
    platform::ScopedFormatSettings dot{platform::FormatSettings{}};
    TExStringGrid g;
};

TImagePicture* Sized(TImagePicture* p, int w, int h)
{
    p->Image = QImage(w, h, QImage::Format_ARGB32);
    return p;
}

class Extent : public TCellInterface
{
public:
    explicit Extent(QSize s) : size(s) {}
    QSize GetExtent() const override { return size; }
    QSize size;
};

} // namespace

TEST_F(Sizes, GraphicSizeByKindAndPlacement)
{
    TBitmap bitmap;
    Sized(&bitmap, 20, 10);
    struct Case
    {
        const char* name;
        TCellHAlign hal;
        TCellVAlign val;
        const char* text;
        QPoint size;
    };
    const Case bitmaps[] = {
        {"before text", haBeforeText, vaTop, "text", {20, 0}},
        {"above text", haLeft, vaAboveText, "text", {0, 10}},
        {"no text", haLeft, vaTop, "", {20, 10}},
        {"full height", haBeforeText, vaFull, "text", {20, 22}},
        {"full width", haFull, vaTop, "", {64, 10}},
    };
    for (const Case& c : bitmaps) {
        g.SetCells(1, 1, QString::fromLatin1(c.text));
        g.AddBitmap(1, 1, &bitmap, false, c.hal, c.val);
        EXPECT_EQ(g.GetCellGraphicSize(1, 1), c.size) << c.name;
    }
    g.AddRating(2, 1, 5, clYellow, clGray);
    EXPECT_EQ(g.GetCellGraphicSize(2, 1), QPoint(90, 16)); // not widened by its full alignment

    auto* radio = g.CreateRadio(3, 1, 0, 0);
    radio->Lines = {"a", "bb", "ccc"};
    EXPECT_EQ(g.GetCellGraphicSize(3, 1), QPoint(3 * 7 + 12, 16 * 3));
    g.GetCellGraphic(3, 1)->CellBoolean = true; // horizontal
    EXPECT_EQ(g.GetCellGraphicSize(3, 1), QPoint((7 + 12) + (14 + 12) + (21 + 12), 13));

    g.AddCheckBox(4, 1, true, false);
    EXPECT_EQ(g.GetCellGraphicSize(4, 1), QPoint(15, 15));
    g.AddRadioButton(4, 2, true);
    EXPECT_EQ(g.GetCellGraphicSize(4, 2), QPoint(10, 10));
    g.AddProgressPie(4, 3, clRed, 30);
    EXPECT_EQ(g.GetCellGraphicSize(4, 3), QPoint(20, 20));
    g.AddComment(4, 4, QStringLiteral("c"));
    EXPECT_EQ(g.GetCellGraphicSize(4, 4), QPoint(0, 0));

    // Buttons: packed size; with text the placement zeroes what lies beside.
    g.AddButton(1, 2, 40, 18, QStringLiteral("Go"), haLeft, vaTop);
    EXPECT_EQ(g.GetCellGraphicSize(1, 2), QPoint(40, 18));
    g.SetCells(1, 2, QStringLiteral("x"));
    EXPECT_EQ(g.GetCellGraphicSize(1, 2), QPoint(40, 0));
    g.GetCellGraphic(1, 2)->CellVAlign = vaUnderText;
    EXPECT_EQ(g.GetCellGraphicSize(1, 2), QPoint(0, 18));

    Extent extent({30, 0});
    g.AddInterfacedCell(2, 2, &extent);
    EXPECT_EQ(g.GetCellGraphicSize(2, 2), QPoint(64, 22)); // a zero side takes the cell's

    TCustomImageList images;
    images.Width = 12;
    images.Height = 14;
    g.GridImages = &images;
    TIntList* list = g.AddMultiImage(3, 2, 0, haLeft, vaTop);
    list->Add(1);
    list->Add(2);
    EXPECT_EQ(g.GetCellGraphicSize(3, 2), QPoint(24, 14));
}

TEST_F(Sizes, RowCheckBoxesFollowTheSelection)
{
    g.MouseActions.SetHotmailRowSelect(true);
    g.MouseActions.SetDisjunctRowSelect(true);
    g.SetRowCount(6);
    for (int r : {1, 3, 4})
        g.SetRowSelect(r, true);
    const TCellGraphic* header = g.GetCellGraphic(0, 0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->CellType, ctRowCheckBox);
    EXPECT_FALSE(header->CellBoolean);
    EXPECT_EQ(header->CellAngle, 1); // partly checked: 3 of 5
    EXPECT_TRUE(g.GetCellGraphic(0, 3)->CellBoolean);
    EXPECT_FALSE(g.GetCellGraphic(0, 2)->CellBoolean);
    for (int r : {2, 5})
        g.SetRowSelect(r, true);
    EXPECT_TRUE(g.GetCellGraphic(0, 0)->CellBoolean);
    EXPECT_EQ(g.GetCellGraphic(0, 0)->CellAngle, 0);
}

TEST_F(Sizes, TextSizeAndMaxLines)
{
    g.SetCells(1, 1, QStringLiteral("abcd\r\nxy"));
    EXPECT_EQ(g.GetCellTextSize(1, 1, false, false), QSize(28, 26));
    g.FixedFont.Style = fsBold;
    g.SetCells(1, 0, QStringLiteral("head"));
    EXPECT_EQ(g.GetCellTextSize(1, 0, false, false), QSize(32, 13)); // the fixed font
    g.SetCells(2, 1, QStringLiteral("one two three"));
    g.SetColWidths(2, 50); // room: 50 - 4 offset - 4
    EXPECT_EQ(g.GetCellTextSize(2, 1, true, false), QSize(35, 39));
    g.SetRotated(3, 1, 90);
    g.SetCells(3, 1, QStringLiteral("abc"));
    EXPECT_EQ(g.GetCellTextSize(3, 1, false, false), QSize(13 + 12, 21 + 12));

    EXPECT_EQ(g.MaxLinesInRow(1), 1);
    g.FMultilineCells = true;
    EXPECT_EQ(g.MaxLinesInRow(1), 2);
}

TEST_F(Sizes, MiniHtmlIsMeasuredAsLaidOut)
{
    // 7 px a character, bold 8, lines of 13; HTML gets 2 px both ways.
    struct Case
    {
        const char* text;
        bool vs;
        QSize size;
    };
    const Case cases[] = {
        {"<B>ab</B>cd", false, {32, 15}},
        {"a<BR>bcd", false, {23, 28}},
        {"<P align=\"right\">ab</P>", false, {16, 15}},
        {"<B>one</B> two three", false, {24 + 70 + 2, 15}},
        {"<B>one</B> two three", true, {35 + 2, 3 * 13 + 2}},  // 46 px of room: one line each
    };
    g.SetColWidths(1, 50);
    for (const Case& c : cases) {
        g.SetCells(1, 1, QString::fromUtf8(c.text));
        const QSize size = g.GetCellTextSize(1, 1, c.vs, false);
        EXPECT_EQ(size, c.size) << c.text;
    }
    // Without HTML the tags are text.
    g.EnableHTML = false;
    g.SetCells(1, 1, QStringLiteral("<B>ab</B>"));
    EXPECT_EQ(g.GetCellTextSize(1, 1, false, false), QSize(63, 13));
}

TEST_F(Sizes, AutoSizeColumnFromTheWidestNeed)
{
    g.UpdateXYOffset(2, 0);
    g.SetCells(2, 1, QString(14, u'x')); // 98 px
    g.SetCells(2, 2, QStringLiteral("ab"));
    g.SetCells(2, 0, QStringLiteral("h"));
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), 98 + 4 + 2 + 2);
    g.AddCheckBox(2, 2, false, false); // 15 + 14 = 29: not the widest
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), 106);
    g.AutoSizeCol(2, 10);
    EXPECT_EQ(g.ColWidths(2), 116);

    g.MinColWidth = g.MaxColWidth = 50; // equal limits: none
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), 106);
    g.MinColWidth = 0;
    g.MaxColWidth = 100;
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), 100);

    g.MaxColWidth = 0;
    g.SizeGrowOnly = true;
    g.SetColWidths(2, 300);
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), 300);

    // Only the rows of the chosen kind are measured.
    g.SizeGrowOnly = false;
    g.ColumnSize.Rows = arFixed;
    g.AutoSizeCol(2);
    EXPECT_EQ(g.ColWidths(2), 8 + 4 + 2 + 2); // "h" in the bold fixed font
}

TEST_F(Sizes, AutoSizeOfAColumnGridKeepsTheColumnsLimits)
{
    TExColumnGrid c;
    c.Measurer = &kMeasurer;
    c.SetCells(1, 1, QString(20, u'x'));
    c.Columns()[1]->AutoMaxSize = 60;
    c.AutoSizeCol(1, 0);
    EXPECT_EQ(c.ColWidths(1), 60);
    c.HideColumn(1); // display column 1 is now real column 2
    c.SetCells(2, 1, QStringLiteral("ab"));
    c.AutoSizeCol(1, 0);
    EXPECT_EQ(c.ColWidths(1), 14 + 4 + 2 + 2);
}

TEST_F(Sizes, AutoSizeRowsAndCells)
{
    g.SetCells(1, 1, QStringLiteral("a\r\nb\r\nc"));
    g.AutoSizeRow(1);
    EXPECT_EQ(g.RowHeights(1), 4 + 39 + 2);
    g.AddCheckBox(2, 2, true, false);
    g.AutoSizeRow(2);
    EXPECT_EQ(g.RowHeights(2), 4 + 22 + 2); // a check box row is one default row
    g.SizeRowToLines(3, 2, 1);
    EXPECT_EQ(g.RowHeights(3), 1 + 2 * (13 + 1));

    g.SetCells(3, 4, QString(30, u'y'));
    g.AutoSizeCells(false, 4, 2);
    EXPECT_EQ(g.ColWidths(3), 210 + 4 + 2);
    EXPECT_EQ(g.RowHeights(4), 22); // 13 + 2 + 2 never shrinks the row
}

TEST_F(Sizes, FitColumnsIntoTheControl)
{
    g.SetColCount(4);
    g.SetBorderStyle(bsNone);
    g.SetOptions(TGridOptions{});
    int widths[] = {50, 100, 100, 50};
    for (int c = 0; c < 4; ++c)
        g.SetColWidths(c, widths[c]);
    g.SetBounds(0, 0, 300, 250); // already fits
    g.AutoFitColumns(true);
    EXPECT_EQ(std::vector<int>({g.ColWidths(0), g.ColWidths(1), g.ColWidths(2), g.ColWidths(3)}),
              std::vector<int>({50, 100, 100, 50}));
    g.SetBounds(0, 0, 600, 250);
    g.AutoFitColumns(true);
    int sum = 0;
    for (int c = 0; c < 4; ++c)
        sum += g.ColWidths(c);
    EXPECT_EQ(sum, 600);
    EXPECT_EQ(g.ColWidths(1), 200);
}

TEST_F(Sizes, NumberingAndSwaps)
{
    g.SetRowCount(5);
    g.AutoNumberCol(1);
    EXPECT_EQ((QStringList{g.Cells(1, 1), g.Cells(1, 2), g.Cells(1, 3), g.Cells(1, 4)}),
              (QStringList{"1", "2", "3", "4"}));
    g.AutoNumberDirection = sdDescending;
    g.AutoNumberCol(2);
    EXPECT_EQ((QStringList{g.Cells(2, 1), g.Cells(2, 4)}), (QStringList{"4", "1"}));

    g.SetRowHeights(1, 30);
    g.AddCheckBox(3, 1, true, false);
    g.SwapRows(1, 3);
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("1"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("3"));
    EXPECT_EQ(g.RowHeights(3), 30);
    EXPECT_TRUE(g.IsChecked(3, 3));
    EXPECT_EQ(g.GetCellType(3, 1), ctEmpty);

    g.SortSettings.Column = 1;
    g.SwapColumns(1, 2);
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("1"));
    EXPECT_EQ(g.SortSettings.Column, 2);
    // A swap with a column no row has cells in yet grows the rows under the
    // swap (a use-after-free under the sanitizers once).
    g.SetColCount(40);
    g.SwapColumns(2, 37);
    EXPECT_EQ(g.Cells(37, 3), QStringLiteral("1"));
    EXPECT_EQ(g.Cells(2, 3), QString());
}

TEST_F(Sizes, ColumnAndRowCalculations)
{
    g.SetRowCount(6);
    g.SetFixedFooters(1);
    // "1.2.3" stays no number after normalising; row 5 is the footer.
    const char* values[] = {"", "1", "2", "1.2.3", "5", "100"};
    for (int r = 1; r < 6; ++r)
        g.SetCells(1, r, QString::fromLatin1(values[r]));
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), 8);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 1, 4), 2); // 8 / 4: every row of the range divides
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 4), 5);
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 4), 1);
    EXPECT_THROW(g.ColumnMin(1, 3, 4), GridError); // a first cell that is no number
    EXPECT_THROW(g.ColumnStdDev(1, 1, 4), GridError);
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 1, 2), 0.5);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 3, 2), 0);
    // Empty ranges answer 0 instead of dividing zero by zero.
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(1, 3, 2), 0);
    EXPECT_DOUBLE_EQ(g.RowAvg(1, 3, 2), 0);
    EXPECT_FALSE(std::isnan(g.RowAvg(1, 3, 2)));

    g.SetCells(2, 1, QStringLiteral("A"));
    g.SetCells(2, 2, QStringLiteral("a"));
    g.SetCells(2, 3, QStringLiteral("b"));
    g.SetCells(2, 4, QString());
    EXPECT_DOUBLE_EQ(g.ColumnDistinct(2, 1, 4), 3);

    g.SetCells(3, 2, QStringLiteral("3"));
    g.SetCells(4, 2, QStringLiteral("<b>4</b>"));
    EXPECT_DOUBLE_EQ(g.RowSum(2, 1, 4), 2 + 3 + 4);
    EXPECT_DOUBLE_EQ(g.RowAvg(2, 1, 4), 9.0 / 4);
    EXPECT_DOUBLE_EQ(g.RowMax(2, 1, 4), 4);
    g.OnColumnCalc = [](TExStringGrid*, int, int from, int to, double& r) { r = to - from; };
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, 2, 7), 5);
}

TEST_F(Sizes, StretchTheColumnToTheClientWidth)
{
    g.SetClientSize({400, 200});
    g.ColumnSize.SetStretch(true);
    g.StretchColumn(-1);
    EXPECT_EQ(g.ColWidths(4), 400 - 4 * 64 - 1);
    EXPECT_THROW(g.StretchColumn(5), GridError);
    try {
        g.StretchColumn(7);
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Stretch column index out of range"));
    }
    // Overfull and unscrolled: the default width.
    g.SetColWidths(1, 300);
    EXPECT_EQ(g.ColWidths(4), 64); // stretching runs when widths change
    // Scrolled, an overfull grid leaves the column as it is.
    g.SetLeftCol(2);
    ASSERT_EQ(g.LeftCol(), 2);
    g.SetColWidths(4, 90);
    EXPECT_EQ(g.ColWidths(4), 90);
    g.SetLeftCol(1);
    g.SetColCount(1);
    g.StretchColumn(0);
    EXPECT_EQ(g.ColWidths(0), 400);
}

TEST_F(Sizes, SizingOneColumnScalesTheOthers)
{
    g.MouseActions.AllColumnSize = true;
    g.SetColWidths(2, 50);
    g.SetColWidths(3, 30);
    std::vector<int> ended;
    g.OnEndColumnSize = [&](TExStringGrid*, int col) { ended.push_back(col); };
    g.BeginUserColSizing(2);
    g.SetColWidths(2, 100);
    EXPECT_EQ(g.ColWidths(3), 60);
    EXPECT_EQ(g.ColWidths(1), 128);
    EXPECT_EQ(g.ColWidths(0), 64); // fixed columns keep theirs
    EXPECT_EQ(ended, std::vector<int>{2});
    g.SetColWidths(3, 10); // no sizing in progress: nothing more
    EXPECT_EQ(g.ColWidths(2), 100);
    g.OnUpdateColumnSize = [](TExStringGrid*, int, int& width) { width = std::max(width, 40); };
    g.BeginUserColSizing(3);
    g.SetColWidths(3, 20);
    EXPECT_EQ(g.ColWidths(3), 40);
}

TEST_F(Sizes, BalloonAndExportTexts)
{
    g.SetCells(1, 1, QString(3000, u'a'));
    TExStringGrid::BalloonText b = g.CellBalloon(1, 1);
    EXPECT_EQ(b.Text.size(), 2048);
    EXPECT_TRUE(b.Text.endsWith(QStringLiteral("a...")));
    EXPECT_EQ(b.Title, QStringLiteral(" "));
    EXPECT_EQ(b.MaxWidth, 300);
    g.SetCells(1, 2, QStringLiteral("\t\r\n<b>x</b>\ty"));
    g.OnCellBalloon = [](TExStringGrid*, int, int, QString& title, QString&, TBalloonIcon&) {
        title = QString(150, u't');
    };
    b = g.CellBalloon(1, 2);
    EXPECT_EQ(b.Text, QStringLiteral("x y"));
    EXPECT_EQ(b.Title.size(), 100);
    EXPECT_TRUE(b.Title.endsWith(QStringLiteral("...")));

    g.AddCheckBox(2, 1, true, false);
    QString value;
    g.SaveCell(2, 1, value);
    EXPECT_EQ(value, QStringLiteral("Y"));
    g.AddCheckBox(2, 2, TCheckBoxState(cbGrayed));
    g.SaveCell(2, 2, value);
    EXPECT_EQ(value, QStringLiteral("N"));
    g.SetCells(2, 3, QStringLiteral("<b>bold</b>"));
    g.SaveWithHTML = false;
    g.SaveCell(2, 3, value);
    EXPECT_EQ(value, QStringLiteral("bold"));
}

TEST_F(Sizes, TheOnlyDataRowIsClearedNotDeleted)
{
    g.SetRowCount(2);
    g.SetCells(1, 1, QStringLiteral("x"));
    int deleted = -1;
    g.OnAutoDeleteRow = [&](TExStringGrid*, int row) { deleted = row; };
    g.AutoDeleteRow(1);
    EXPECT_EQ(g.TExStringGrid::RowCount(), 2);
    EXPECT_TRUE(g.Cells(1, 1).isEmpty());
    EXPECT_EQ(deleted, 1);
    g.SetRowCount(4);
    g.SetCells(1, 2, QStringLiteral("second"));
    g.AutoDeleteRow(1);
    EXPECT_EQ(g.TExStringGrid::RowCount(), 3);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("second"));
}
