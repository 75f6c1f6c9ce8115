// Measuring and painting printed cells on the fixed-metric canvas: row
// heights, merged cells, rotated text positions and check box placement.
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/print/cell_placement.h"
#include "controls/grid/print/rotated_text.h"
#include "print_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace print_test;

TEST(CellPainter, RowHeights)
{
    struct Case
    {
        const char* name;
        QString cell;            // text of column 0 of row 1
        bool multiline;
        bool fixedHeight;        // FixedHeight 123
        bool screenHeights;      // NoAutoSizeRow, screen row height 30
        int height;
        bool eventFires;
    };
    const Case cases[] = {
        {"empty", "", false, false, false, 45, true},
        {"two lines", "b\r\nc", true, false, false, 90, true},
        {"lines not split", "b\r\nc", false, false, false, 45, true},
        {"fixed height", "b\r\nc", true, true, false, 123, false},
        {"screen height", "b", false, false, true, 75, false},  // Round(30 x 2.6458) - 4
    };
    for (const Case& c : cases) {
        PrintFixture f(2, 3);
        f.grid.SetCells(0, 1, c.cell);
        f.grid.SetCells(1, 1, c.cell.isEmpty() ? QString() : QStringLiteral("a"));
        f.grid.FMultilineCells = c.multiline;
        f.grid.PrintSettings.UseFixedHeight = c.fixedHeight;
        f.grid.PrintSettings.FixedHeight = 123;
        f.grid.PrintSettings.NoAutoSizeRow = c.screenHeights;
        f.grid.SetRowHeights(1, 30);
        f.Count();
        QList<int> seen;
        f.engine.OnPrintSetRowHeight = [&](int row, int& h) { seen << row << h; };
        EXPECT_EQ(f.engine.GetPrintRowHeight(1), c.height) << c.name;
        EXPECT_EQ(!seen.isEmpty(), c.eventFires) << c.name;
        if (c.eventFires)
            EXPECT_EQ(seen, (QList<int>{1, c.height})) << c.name;
    }
}

TEST(CellPainter, RowHeightEventCanChangeTheHeightAndIsAskedOnce)
{
    PrintFixture f(1, 3);
    int calls = 0;
    f.engine.OnPrintSetRowHeight = [&](int row, int& h) {
        ++calls;
        if (row == 1)
            h = 300;
    };
    ASSERT_TRUE(f.Print());
    const auto* r1 = f.canvas.FindText("r1c0");
    const auto* r2 = f.canvas.FindText("r2c0");
    ASSERT_NE(r1, nullptr);
    ASSERT_NE(r2, nullptr);
    EXPECT_EQ(r1->Rect.Top - r2->Rect.Top, 300 + 10);
    EXPECT_LE(calls, 2 * 3 + 2);  // the cache spares the repeated asks within a pass
}

TEST(CellPainter, MergedCellSpansItsColumnsWithoutInnerBorders)
{
    PrintFixture f(4, 2);
    f.grid.MergeCells(0, 1, 3, 1);
    ASSERT_TRUE(f.Print());
    // Columns 200 wide (fixed widths, no gap), centred: edges 650, 850, 1050, 1250, 1450.
    int wide = 0;
    QList<int> vertical;
    for (const auto& op : f.canvas.Ops) {
        if (op.What == FakePrintCanvas::Kind::Fill && op.Rect.Top == -55 && op.Rect.Width() == 600)
            ++wide;
        if (op.What == FakePrintCanvas::Kind::Line && op.Rect.Left == op.Rect.Right && op.Rect.Top == -55)
            vertical << op.Rect.Left;
    }
    EXPECT_EQ(wide, 1);
    EXPECT_FALSE(vertical.contains(850));
    EXPECT_FALSE(vertical.contains(1050));
    EXPECT_TRUE(vertical.contains(650));
    EXPECT_TRUE(vertical.contains(1250));
    EXPECT_TRUE(vertical.contains(1450));
    EXPECT_EQ(f.CellTexts(0), (QStringList{"r0c0", "r0c1", "r0c2", "r0c3", "r1c0", "r1c3"}));
}

TEST(CellPainter, RotatedTextPositions)
{
    // Rectangle L 0, T 0, R 100, B 50; extents d 10, c 20, bv 30, a 40.
    struct Case
    {
        int angle;
        int left[3];  // left, right, centre alignment
        int top[3];   // top, centre, bottom alignment
    };
    const Case cases[] = {
        {0, {0, 70, 35}, {30, 20, 10}},
        {90, {0, 70, 35}, {30, 20, 10}},
        {180, {10, 80, 45}, {70, 60, 50}},
        {270, {30, 100, 65}, {40, 30, 20}},
        {300, {20, 90, 55}, {0, -10, -20}},
    };
    for (const Case& c : cases)
        for (int i = 0; i < 3; ++i) {
            const RotatedBox r = CalcRotatedTextRect({0, 0, 100, 50}, i, i, c.angle, 10, 20, 30, 40);
            EXPECT_EQ(r.Left, c.left[i]) << c.angle << " h" << i;
            EXPECT_EQ(r.Top, c.top[i]) << c.angle << " v" << i;
            EXPECT_EQ(r.Right, 100);
            EXPECT_EQ(r.Bottom, 50);
        }
    // Unturned text at the top left starts at the deflated corner.
    const RotatedBox at = CalcRotatedTextPos({10, 20, 210, 120}, 0, 80, 30, 0, 0);
    EXPECT_EQ(at.Left, 12);
    EXPECT_EQ(at.Top, 22);
}

TEST(CellPainter, CheckBoxPlacement)
{
    const PageRect cell{100, -50, 400, -150};
    struct Case
    {
        bool textEmpty;
        TAlignment cellAlign;
        TCellHAlign graphicH;
        TCellVAlign graphicV;
        PageRect box;
    };
    const Case cases[] = {
        {true, taCenter, haLeft, vaTop, {230, -50, 270, -90}},
        {true, taRightJustify, haLeft, vaTop, {357, -50, 397, -90}},
        {true, taLeftJustify, haRight, vaCenter, {103, -80, 143, -120}},
        {false, taCenter, haLeft, vaBottom, {103, -110, 143, -150}},
        {false, taLeftJustify, haRight, vaTop, {357, -50, 397, -90}},
        {false, taLeftJustify, haCenter, vaCenter, {230, -80, 270, -120}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceCheckBox(cell, 40, 40, c.textEmpty, c.cellAlign, c.graphicH, c.graphicV, 3), c.box)
            << c.textEmpty << c.cellAlign << c.graphicH << c.graphicV;
}

TEST(CellPainter, CheckBoxesPrintWithTheirState)
{
    PrintFixture f(2, 2);
    f.grid.PrintSettings.PrintGraphics = true;
    f.grid.SetCells(1, 1, QString());
    f.grid.AddCheckBox(1, 1, true, false);
    f.grid.AddCheckBox(0, 1, false, false);
    ASSERT_TRUE(f.Print());
    QList<bool> states;
    for (const auto& op : f.canvas.Ops)
        if (op.What == FakePrintCanvas::Kind::CheckBox) {
            states << op.Checked;
            EXPECT_LE(op.Rect.Top, -55);
            EXPECT_GE(op.Rect.Bottom, -55 - 200);
        }
    EXPECT_EQ(states, (QList<bool>{false, true}));
}

TEST(CellPainter, PicturesPrintWhereTheirAlignmentPutsThem)
{
    PrintFixture f(2, 2);
    f.grid.PrintSettings.PrintGraphics = true;
    TBitmap* bitmap = f.grid.CreateBitmap(1, 1, false, haRight, vaTop);
    ASSERT_NE(bitmap, nullptr);
    bitmap->Image = QImage(10, 10, QImage::Format_RGB32);
    bitmap->Image.fill(Qt::red);
    ASSERT_TRUE(f.Print());
    QList<PageRect> images;
    for (const auto& op : f.canvas.Ops)
        if (op.What == FakePrintCanvas::Kind::Image)
            images << op.Rect;
    ASSERT_EQ(images.size(), 1);
    // Cell (1, 1) spans 1050..1250 from y -55; the picture keeps off its right line.
    EXPECT_EQ(images[0].Right, 1250 - 3);
    EXPECT_EQ(images[0].Top, -55);
    EXPECT_GT(images[0].Width(), 0);
}

TEST(CellPainter, ProgressBarsAndNodesPrint)
{
    struct Case
    {
        int value;   // progress cell text
        int percent;
    };
    const Case cases[] = {{40, 40}, {0, 0}, {100, 100}, {250, 100}, {-5, 0}};
    for (const Case& c : cases) {
        PrintFixture f(2, 2);
        f.grid.PrintSettings.PrintGraphics = true;
        f.grid.SetCells(1, 1, QString::number(c.value));
        f.grid.AddProgress(1, 1, 0x0000FF, 0xFFFFFF);
        ASSERT_TRUE(f.Print());
        const FakePrintCanvas::Op* back = nullptr;
        const FakePrintCanvas::Op* done = nullptr;
        for (const auto& op : f.canvas.Ops) {
            if (op.What == FakePrintCanvas::Kind::Fill && op.Color == 0xFFFFFF)
                back = &op;
            if (op.What == FakePrintCanvas::Kind::Fill && op.Color == 0x0000FF)
                done = &op;
        }
        ASSERT_NE(back, nullptr) << c.value;
        EXPECT_GT(back->Rect.Width(), 100) << c.value;
        EXPECT_LT(back->Rect.Top, -55) << c.value;  // inside the row below the first
        if (c.percent == 0) {
            EXPECT_EQ(done, nullptr) << c.value;
        } else {
            ASSERT_NE(done, nullptr) << c.value;
            EXPECT_EQ(done->Rect.Left, back->Rect.Left);
            EXPECT_EQ(done->Rect.Width(), int(std::lround(back->Rect.Width() * c.percent / 100.0))) << c.value;
        }
        EXPECT_NE(f.canvas.FindText(QStringLiteral("%1%").arg(c.percent)), nullptr) << c.value;
    }

    // A node: a 20 x 20 square in the node colour with a minus, and a plus when the graphic's flag is set.
    for (const bool plus : {false, true}) {
        PrintFixture f(2, 3);
        f.grid.PrintSettings.PrintGraphics = true;
        f.grid.CellNode.NodeColor = 0x00AA00;
        f.grid.AddNode(1, 2);
        TCellGraphic* g = f.grid.GetCellGraphic(0, 1);
        ASSERT_NE(g, nullptr);
        ASSERT_EQ(g->CellType, ctNode);
        g->CellBoolean = plus;
        ASSERT_TRUE(f.Print());
        QList<PageRect> strokes;
        for (const auto& op : f.canvas.Ops)
            if (op.What == FakePrintCanvas::Kind::Line && op.Color == 0x00AA00)
                strokes << op.Rect;
        ASSERT_EQ(strokes.size(), plus ? 6 : 5);
        EXPECT_EQ(strokes[0].Right - strokes[0].Left, 20);
        EXPECT_EQ(strokes[1].Top - strokes[1].Bottom, 20);
    }
}

TEST(CellPainter, ImageListEntriesPrintByIndexOrCellValue)
{
    struct Images : TCustomImageList
    {
        mutable QList<int> asked;
        QImage Picture(int index) const override
        {
            asked << index;
            if (index < 0 || index >= Count)
                return {};
            QImage image(16, 16, QImage::Format_RGB32);
            image.fill(Qt::blue);
            return image;
        }
    } images;
    images.Count = 3;
    PrintFixture f(2, 3);
    f.grid.PrintSettings.PrintGraphics = true;
    f.grid.GridImages = &images;
    f.grid.AddImageIdx(1, 1, 2, haLeft, vaTop);
    f.grid.SetCells(0, 2, QStringLiteral("1"));
    f.grid.AddDataImage(0, 2, 0, haLeft, vaTop);
    f.grid.SetCells(1, 2, QStringLiteral("7"));
    f.grid.AddDataImage(1, 2, 0, haLeft, vaTop);  // past the list: nothing
    ASSERT_TRUE(f.Print());
    int drawn = 0;
    for (const auto& op : f.canvas.Ops)
        if (op.What == FakePrintCanvas::Kind::Image) {
            ++drawn;
            EXPECT_GT(op.Rect.Width(), 0);
        }
    EXPECT_EQ(drawn, 2);
    EXPECT_TRUE(images.asked.contains(2));
    EXPECT_TRUE(images.asked.contains(1));
    EXPECT_TRUE(images.asked.contains(7));
    // Without a list nothing is drawn.
    PrintFixture bare(2, 2);
    bare.grid.PrintSettings.PrintGraphics = true;
    bare.grid.AddImageIdx(1, 1, 0, haLeft, vaTop);
    ASSERT_TRUE(bare.Print());
    for (const auto& op : bare.canvas.Ops)
        EXPECT_NE(op.What, FakePrintCanvas::Kind::Image);
}
