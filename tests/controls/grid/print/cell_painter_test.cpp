// Measuring and painting printed cells on the fixed-metric canvas: row
// heights, merged cells, rotated text positions, graphics by kind and the
// custom size and draw events.
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/print/cell_drawing.h"
#include "controls/grid/print/cell_placement.h"
#include "controls/grid/print/rotated_text.h"
#include "print_fixture.h"

#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>

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
        if (c.eventFires) {
            EXPECT_EQ(seen, (QList<int>{1, c.height})) << c.name;
        }
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

namespace {

QList<FakePrintCanvas::Op> OpsOf(const FakePrintCanvas& canvas, FakePrintCanvas::Kind kind)
{
    QList<FakePrintCanvas::Op> out;
    for (const auto& op : canvas.Ops)
        if (op.What == kind)
            out << op;
    return out;
}

// 10 x 10 list entries, each filled with a colour of its own.
struct ColourList : TCustomImageList
{
    ColourList()
    {
        Width = Height = 10;
        Count = 3;
    }
    QImage Picture(int index) const override
    {
        if (index < 0 || index >= Count)
            return {};
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(QColor::fromRgb(0x102030 * (index + 1)));
        return image;
    }
};

} // namespace

TEST(CellPainter, RadioItemPlacement)
{
    // Cell 100..700 from -50 down to -150; glyphs 30, lines 40, one pixel 3.
    const PageRect cell{100, -50, 700, -150};
    struct Case
    {
        bool horizontal;
        int i;
        int before;  // width of the earlier captions
        PageRect glyph;
        int captionX;
    };
    const Case cases[] = {
        {false, 0, 0, {106, -56, 136, -86}, 148},
        {false, 2, 0, {106, -136, 136, -166}, 148},
        {true, 0, 0, {106, -85, 136, -115}, 136},
        {true, 2, 80, {106 + 60 + 80, -85, 136 + 60 + 80, -115}, 136 + 60 + 80},
    };
    for (const Case& c : cases) {
        const RadioPlace p = PlaceRadioItem(cell, c.i, 40, 30, c.horizontal, c.before, 3.0);
        EXPECT_EQ(p.Glyph, c.glyph) << c.horizontal << c.i;
        EXPECT_EQ(p.CaptionX, c.captionX) << c.horizontal << c.i;
        EXPECT_EQ(p.CaptionY, c.glyph.Top + 6) << c.horizontal << c.i;
    }
}

TEST(CellPainter, RadioGroupsPrintTheirItemsInsteadOfTheText)
{
    struct Case
    {
        int direction;  // 0 vertical, 1 horizontal
        int index;      // -1: the item equal to the cell text
        QList<bool> on;
    };
    const Case cases[] = {{0, 1, {false, true, false}}, {1, -1, {false, false, true}}, {0, 7, {false, false, false}}};
    for (const Case& c : cases) {
        PrintFixture f(2, 2);
        f.grid.PrintSettings.PrintGraphics = true;
        f.grid.SetRowHeights(1, 80);
        TStringsObject items;
        items.Lines = QStringList{"one", "two", "r1c1"};
        f.grid.AddRadio(1, 1, c.direction, c.index, &items);
        ASSERT_TRUE(f.Print());
        QList<bool> on;
        QList<PageRect> glyphs;
        for (const auto& op : OpsOf(f.canvas, FakePrintCanvas::Kind::Radio)) {
            on << op.Checked;
            glyphs << op.Rect;
        }
        EXPECT_EQ(on, c.on) << c.direction << c.index;
        ASSERT_EQ(glyphs.size(), 3);
        if (c.direction == 0) {
            EXPECT_EQ(glyphs[0].Top - glyphs[1].Top, 40);  // one line apart
        } else {
            EXPECT_EQ(glyphs[1].Left - glyphs[0].Right, 3 * 20);  // after the caption "one"
        }
        // The captions are printed, the cell text itself is not (once, as a caption).
        EXPECT_EQ(f.CellTexts(0).count("r1c1"), 1);
        const auto* caption = f.canvas.FindText("two");
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->Rect.Left, c.direction == 0 ? glyphs[1].Right + 11 : glyphs[1].Right);
    }
}

TEST(CellPainter, PiesMultiImagesAndFilePictures)
{
    // Pies: a ring in the cell's colour and the share from 12 o'clock, 20 px (53) square.
    for (const auto& [value, span] : std::vector<std::pair<int, int>>{{25, 90}, {0, -1}, {150, 360}}) {
        PrintFixture f(2, 2);
        f.grid.PrintSettings.PrintGraphics = true;
        f.grid.AddProgressPie(1, 1, 0x00FF00, value);
        ASSERT_TRUE(f.Print());
        const auto rings = OpsOf(f.canvas, FakePrintCanvas::Kind::Ellipse);
        const auto pies = OpsOf(f.canvas, FakePrintCanvas::Kind::Pie);
        ASSERT_EQ(rings.size(), 1) << value;
        EXPECT_EQ(rings[0].Rect.Width(), 53);
        EXPECT_EQ(rings[0].Rect.Height(), 53);
        EXPECT_EQ(rings[0].Rect.Left, 1050 + 3);
        EXPECT_EQ(rings[0].Pen, clGray);
        ASSERT_EQ(pies.size(), span < 0 ? 0 : 1) << value;
        if (span >= 0) {
            EXPECT_EQ(pies[0].Span, span);
            EXPECT_EQ(pies[0].Color, 0x00FF00);
            EXPECT_EQ(pies[0].Rect, rings[0].Rect);
        }
        // The text follows the pie.
        const auto* text = f.canvas.FindText("r1c1");
        ASSERT_NE(text, nullptr);
        EXPECT_GE(text->Rect.Left, rings[0].Rect.Right);
    }

    // Several list entries side by side or stacked, each the list's size (26 x 26).
    ColourList list;
    for (const int direction : {0, 1}) {
        PrintFixture f(2, 2);
        f.grid.PrintSettings.PrintGraphics = true;
        f.grid.GridImages = &list;
        TIntList* indexes = f.grid.AddMultiImage(1, 1, direction, haLeft, vaTop);
        ASSERT_NE(indexes, nullptr);
        indexes->Add(2);
        indexes->Add(9);  // past the list: left out, its room kept
        indexes->Add(0);
        ASSERT_TRUE(f.Print());
        const auto images = OpsOf(f.canvas, FakePrintCanvas::Kind::Image);
        ASSERT_EQ(images.size(), 2) << direction;
        EXPECT_EQ(images[0].Picture.pixel(0, 0), QColor::fromRgb(0x102030 * 3).rgb());
        EXPECT_EQ(images[1].Picture.pixel(0, 0), QColor::fromRgb(0x102030).rgb());
        const PageRect& a = images[0].Rect;
        const PageRect& b = images[1].Rect;
        EXPECT_EQ(a.Width(), 26);
        EXPECT_EQ(a.Height(), 26);
        // Side by side for direction 0, else stacked.
        EXPECT_EQ(b.Left - a.Left, direction == 0 ? 52 : 0);
        EXPECT_EQ(a.Top - b.Top, direction == 0 ? 0 : 52);
    }

    // A file picture is read when printed; a file gone since prints nothing.
    QTemporaryDir dir;
    const QString path = dir.filePath("pic.png");
    QImage png(8, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(path));
    for (const bool removed : {false, true}) {
        PrintFixture f(2, 2);
        f.grid.PrintSettings.PrintGraphics = true;
        TFilePicture* file = f.grid.CreateFilePicture(1, 1, false, noStretch, 0, haLeft, vaTop);
        ASSERT_NE(file, nullptr);
        file->SetFilename(path);
        if (removed)
            QFile::rename(path, path + ".gone");
        ASSERT_TRUE(f.Print());
        const auto images = OpsOf(f.canvas, FakePrintCanvas::Kind::Image);
        ASSERT_EQ(images.size(), removed ? 0 : 1);
        if (!removed) {
            EXPECT_EQ(images[0].Picture.size(), QSize(8, 4));
            EXPECT_EQ(images[0].Picture.pixel(0, 0), QColor(Qt::red).rgb());
            EXPECT_EQ(images[0].Rect.Left, 1050 + 3);
            EXPECT_GT(images[0].Rect.Width(), 0);
        }
    }
}

TEST(CellPainter, InterfacedCellsDrawThemselves)
{
    struct Gauge : TCellInterface, CellDrawing
    {
        QSize extent;
        mutable QList<QRect> asked;
        QSize GetExtent() const override { return extent; }
        void Draw(QPainter& painter, const QRect& rect) const override
        {
            asked << rect;
            painter.fillRect(rect, Qt::blue);
        }
    };
    struct Case
    {
        QSize extent;
        QSize picture;  // the size it is asked to draw
        PageRect box;
    };
    // Cell (1, 1): 1050..1250 from -55, the row advances 55.
    const Case cases[] = {
        {{10, 4}, {10, 4}, {1053, -55, 1053 + 26, -55 - 11}},
        // The cell's room in screen pixels; the row grew to the graphic's screen size (75).
        {{0, 0}, {76, 28}, {1050, -55, 1250, -130}},
        {{100000, 5}, {4096, 5}, {1053, -55, 1053 + 264583, -55 - 13}},
    };
    for (const Case& c : cases) {
        PrintFixture f(2, 2);
        f.grid.PrintSettings.PrintGraphics = true;
        Gauge gauge;
        gauge.extent = c.extent;
        f.grid.AddInterfacedCell(1, 1, &gauge);
        ASSERT_TRUE(f.Print());
        const auto images = OpsOf(f.canvas, FakePrintCanvas::Kind::Image);
        ASSERT_EQ(images.size(), 1) << c.extent.width();
        EXPECT_EQ(gauge.asked, QList<QRect>{QRect(QPoint(0, 0), c.picture)}) << c.extent.width();
        EXPECT_EQ(images[0].Rect, c.box) << c.extent.width();
        EXPECT_EQ(images[0].Picture.pixel(0, 0), QColor(Qt::blue).rgb());
    }
    // An object that cannot draw itself prints nothing.
    struct Mute : TCellInterface
    {
        QSize GetExtent() const override { return {5, 5}; }
    } mute;
    PrintFixture f(2, 2);
    f.grid.PrintSettings.PrintGraphics = true;
    f.grid.AddInterfacedCell(1, 1, &mute);
    ASSERT_TRUE(f.Print());
    EXPECT_TRUE(OpsOf(f.canvas, FakePrintCanvas::Kind::Image).isEmpty());
}

TEST(CellPainter, CustomCellSizeAndDrawEvents)
{
    // Sizes: the event sees real columns and its extent is what counts.
    PrintFixture f(3, 3);
    f.grid.PrintSettings.UseFixedWidth = false;
    f.grid.HideColumn(0);  // display column 0 is real column 1
    f.engine.FPrintRect = {0, 0, 1, 2};
    QSet<int> columns;
    f.engine.OnCustomCellSize = [&](PrintCanvas&, int col, int row, QSize& extent, bool printing) {
        columns << col;
        EXPECT_TRUE(printing);
        if (col == 2 && row == 0)
            extent.setWidth(500);
        if (col == 1 && row == 1)
            extent.setHeight(200);
    };
    f.Count();
    EXPECT_EQ(columns, (QSet<int>{1, 2}));
    EXPECT_EQ(f.engine.MaxWidths[1], 500);
    EXPECT_EQ(f.engine.GetPrintRowHeight(1), 200 + 25);
    EXPECT_EQ(f.engine.GetPrintRowHeight(2), 45);

    // Drawing: once per printed base cell in the drawing pass, in device
    // pixels (254 dpi: one per 0.1 mm), y down, the print font's size.
    PrintFixture d(3, 2);
    d.grid.MergeCells(1, 1, 2, 1);
    d.grid.PrintSettings.Font.Size = 18;
    struct Call
    {
        int col, row;
        QRect rect;
        int pixelSize;
    };
    QList<Call> calls;
    d.engine.OnCustomCellDraw = [&](QPainter& painter, int col, int row, TGridDrawState state, const QRect& rect,
                                    bool printing) {
        EXPECT_TRUE(printing);
        EXPECT_TRUE(state.Empty());
        calls << Call{col, row, rect, painter.font().pixelSize()};
        painter.fillRect(rect.adjusted(0, 0, -rect.width() / 2, 0), Qt::green);
    };
    d.Count();
    EXPECT_TRUE(calls.isEmpty());
    ASSERT_TRUE(d.Print());
    // Columns 200 wide from 750; rows advance 55.
    ASSERT_EQ(calls.size(), 5);
    EXPECT_EQ(calls[0].col, 0);
    EXPECT_EQ(calls[0].rect, QRect(750, 0, 200, 55));
    EXPECT_EQ(calls[4].col, 1);
    EXPECT_EQ(calls[4].row, 1);
    EXPECT_EQ(calls[4].rect, QRect(950, 55, 400, 55));  // merged over two columns
    EXPECT_EQ(calls[0].pixelSize, 64);                   // 18 pt at 254 dpi
    const auto drawn = OpsOf(d.canvas, FakePrintCanvas::Kind::Device);
    ASSERT_EQ(drawn.size(), 5);
    EXPECT_EQ(drawn[0].Picture.size(), QSize(200, 55));
    EXPECT_EQ(drawn[0].Picture.pixel(10, 10), QColor(Qt::green).rgb());
    EXPECT_EQ(drawn[0].Picture.pixel(150, 10), 0u);  // left as it was
}
