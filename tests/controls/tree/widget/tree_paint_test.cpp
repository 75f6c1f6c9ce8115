// Pixel probes on the painted tree (the unthemed path), the painting arithmetic and printing.

#include "controls/tree/widget/paint_geometry.h"
#include "controls/tree/widget/string_tree.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lazytree;

namespace {

// Opens the drop target to the test (the drag layer sets it).
class ProbeTree : public TLazyStringTree {
public:
    void SetDropTarget(PLazyNode node, TDropMode mode)
    {
        dropTargetNode_ = node;
        lastDropMode_ = mode;
    }
};

// Five top-level nodes, the second with three children, in a 200 × 120 client.
struct SmallTree {
    ProbeTree tree;
    explicit SmallTree(int indent = 18)
    {
        tree.TreeOptions().SetPaintOptions({toShowButtons, toShowRoot, toShowTreeLines, toShowDropmark});
        tree.TreeOptions().SetMiscOptions({toCheckSupport});
        tree.SetIndent(static_cast<uint32_t>(indent));
        tree.SetRootNodeCount(5);
        tree.SetChildCount(tree.GetFirstChild(nullptr)->NextSibling, 3);
        tree.resize(200 + 2 * tree.frameWidth(), 120 + 2 * tree.frameWidth());
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }
    QImage Render()
    {
        QImage image(tree.viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        tree.viewport()->render(&image);
        return image;
    }
    PLazyNode Top(int i)
    {
        PLazyNode n = tree.GetFirstChild(nullptr);
        while (i-- > 0)
            n = tree.GetNextSibling(n);
        return n;
    }
};

TEST(TreePaint, DottedLinesSitAtHalfTheIndentAndFollowTreeCoordinates)
{
    // Half of 17 rounds to the even 8, half of 18 is 9.
    for (auto [indent, lineX] : {std::pair{17, 8}, std::pair{18, 9}}) {
        SCOPED_TRACE(indent);
        SmallTree t(indent);
        t.tree.SetExpanded(t.Top(1), true);
        const QRgb line = t.tree.Color(TreeLineColor).rgb();
        const QRgb back = t.tree.BackGroundColor().rgb();
        auto check = [&](const QImage& image, int scrolled) {
            // From the branch of row 0 to the last row the vertical line alternates with the background,
            // on tree pixels where x + y is even, across row boundaries (row 1 holds the button).
            for (int y = 8; y < image.height(); ++y) {
                if (y + scrolled >= 18 && y + scrolled < 36)
                    continue;
                const bool onLine = ((lineX + y + scrolled) % 2) == 0;
                ASSERT_EQ(image.pixel(lineX, y), onLine ? line : back) << "y " << y;
                // Top-level rows (0, 1, 5, 6) branch right at their middle; the children's rows do not.
                const int row = (y + scrolled) / 18;
                const bool branch = (row == 0 || row >= 5) && (y + scrolled) % 18 == 8;
                for (int x = lineX + 1; x < indent; ++x) {
                    const bool dot = branch && ((x + y + scrolled) % 2) == 0;
                    ASSERT_EQ(image.pixel(x, y), dot ? line : back) << "x " << x << " y " << y;
                }
            }
        };
        check(t.Render(), 0);
        t.tree.resize(t.tree.width(), 60);
        t.tree.SetOffsetY(-3);
        EXPECT_EQ(t.tree.OffsetY(), -3);
        check(t.Render(), 3);
    }
}

// Paint events reaching the viewport.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

TEST(TreePaint, ButtonCheckBoxSelectionAndDropMarkAtTheirPlaces)
{
    SmallTree t;
    t.tree.SetCheckType(t.Top(0), ctCheckBox);
    t.tree.SetSelected(t.Top(2), true);
    const QRgb back = t.tree.BackGroundColor().rgb();
    auto dark = [](QRgb p) { return qGray(p) < 200; };

    QImage image = t.Render();
    // The 9 × 9 button of row 1 at x 5..13, y 22..30: a box around a plus.
    for (QPoint corner : {QPoint(5, 22), QPoint(13, 22), QPoint(5, 30), QPoint(13, 30)})
        EXPECT_TRUE(dark(image.pixel(corner))) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(6, 23), back);
    for (int d = -2; d <= 2; ++d) {
        EXPECT_TRUE(dark(image.pixel(9 + d, 26)));
        EXPECT_TRUE(dark(image.pixel(9, 26 + d)));
    }
    // The check box of row 0 spans x 21..34 behind the first indent; its tick shows only when checked.
    EXPECT_TRUE(dark(image.pixel(21, 8)));
    EXPECT_TRUE(dark(image.pixel(34, 8)));
    EXPECT_EQ(image.pixel(20, 8), back);
    EXPECT_EQ(image.pixel(35, 8), back);
    EXPECT_EQ(image.pixel(26, 9), image.pixel(27, 4));
    // The selected row 2 is filled with the selection colour behind its text.
    EXPECT_EQ(image.pixel(24, 38), t.tree.Color(t.tree.hasFocus() ? FocusedSelectionColor : UnfocusedSelectionColor).rgb());

    t.tree.SetExpanded(t.Top(1), true);
    t.tree.SetCheckState(t.Top(0), csCheckedNormal);
    t.tree.SetDropTarget(t.Top(3), dmAbove);
    image = t.Render();
    EXPECT_NE(image.pixel(26, 9), image.pixel(27, 4)); // the tick
    EXPECT_TRUE(dark(image.pixel(9, 22)));   // expanded: a minus, no vertical stroke above the middle
    EXPECT_EQ(image.pixel(9, 24), back);
    EXPECT_TRUE(dark(image.pixel(9, 26)));
    // Top(3) sits in row 6 (after three children): the drop mark runs along its top edge.
    const QRgb mark = t.tree.Color(DropMarkColor).rgb();
    EXPECT_EQ(image.pixel(60, 6 * 18), mark);
    EXPECT_EQ(image.pixel(60, 6 * 18 + 1), mark);
    EXPECT_NE(image.pixel(60, 6 * 18 + 4), mark);
    EXPECT_NE(image.pixel(60, 4 * 18 + 1), mark);
}

TEST(TreePaint, EmptyListMessageOnlyWithoutNodes)
{
    SmallTree t;
    t.tree.SetEmptyListMessage(QStringLiteral("No devices found"));
    auto inked = [&] {
        const QImage image = t.Render();
        const QRgb back = t.tree.BackGroundColor().rgb();
        int count = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 120; ++x)
                count += image.pixel(x, y) != back;
        return count;
    };
    t.tree.Clear();
    EXPECT_GT(inked(), 20);
    t.tree.SetEmptyListMessage(QString());
    EXPECT_EQ(inked(), 0);
}

TEST(TreePaint, AnEqualColourWritePaintsNothing)
{
    SmallTree t;
    PaintCounter counter;
    t.tree.viewport()->installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;
    for (int i = 0; i < kColorCount; ++i) {
        const auto index = static_cast<TVTColorIndex>(i);
        t.tree.Colors().Set(index, t.tree.Colors().Get(index));
    }
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    t.tree.Colors().Set(TreeLineColor, 0x0000FF);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
}

TEST(TreePaint, ColourAndScrollBarDefaults)
{
    const TVTColors colors;
    const std::pair<TVTColorIndex, TColor> defaults[] = {{DisabledColor, clBtnShadow},
        {DropMarkColor, clHighlight}, {DropTargetColor, clHighlight}, {FocusedSelectionColor, clHighlight},
        {GridLineColor, clBtnFace}, {TreeLineColor, clBtnShadow}, {UnfocusedSelectionColor, clBtnFace},
        {BorderColor, clBtnFace}, {HotColor, clWindowText}, {FocusedSelectionBorderColor, clHighlight},
        {UnfocusedSelectionBorderColor, clBtnFace}, {DropTargetBorderColor, clHighlight},
        {SelectionRectangleBlendColor, clHighlight}, {SelectionRectangleBorderColor, clHighlight},
        {HeaderHotColor, clBtnShadow}, {SelectionTextColor, clHighlightText}, {UnfocusedColor, clBtnFace}};
    static_assert(std::size(defaults) == kColorCount);
    for (auto [index, value] : defaults)
        EXPECT_EQ(colors.Get(index), value) << "colour " << index;

    // System references resolve against the widget's palette when painting.
    SmallTree t;
    QPalette palette = t.tree.palette();
    palette.setColor(QPalette::Dark, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    t.tree.setPalette(palette);
    EXPECT_EQ(t.tree.Color(TreeLineColor), QColor(1, 2, 3));
    EXPECT_EQ(t.tree.Color(DropMarkColor), QColor(4, 5, 6));
    t.tree.Colors().Set(DropMarkColor, RgbColor(7, 8, 9));
    EXPECT_EQ(t.tree.Color(DropMarkColor), QColor(7, 8, 9));

    const TScrollBarOptions bars = t.tree.ScrollBarOptions();
    EXPECT_EQ(bars.ScrollBars, ssBoth);
    EXPECT_FALSE(bars.AlwaysVisible);
    EXPECT_EQ(bars.ScrollBarStyle, sbmRegular);
    EXPECT_EQ(bars.HorizontalIncrement, 20);
    EXPECT_EQ(bars.VerticalIncrement, 20);
}

TEST(TreePaint, AssignCopiesAllColoursAndTheBorderColourRedrawsOnlyTheFrame)
{
    SmallTree t;
    TVTColors source;
    for (int i = 0; i < kColorCount; ++i)
        source.Set(static_cast<TVTColorIndex>(i), RgbColor(i, 2 * i, 3 * i));
    PaintCounter viewport;
    PaintCounter frame;
    t.tree.viewport()->installEventFilter(&viewport);
    t.tree.installEventFilter(&frame);
    QApplication::processEvents();
    viewport.paints = frame.paints = 0;
    t.tree.Colors().Assign(source);
    for (int i = 0; i < kColorCount; ++i)
        EXPECT_EQ(t.tree.Colors().Get(static_cast<TVTColorIndex>(i)), RgbColor(i, 2 * i, 3 * i)) << i;
    QApplication::processEvents();
    EXPECT_GT(viewport.paints, 0);

    viewport.paints = frame.paints = 0;
    t.tree.Colors().Set(BorderColor, RgbColor(200, 0, 0));
    QApplication::processEvents();
    EXPECT_GT(frame.paints, 0);
    EXPECT_EQ(viewport.paints, 0);
}

TEST(TreePaint, DoubleBufferingAndCheckImageKinds)
{
    SmallTree t;
    t.tree.SetDoubleBuffered(false);
    EXPECT_TRUE(t.tree.DoubleBuffered());
    EXPECT_NE(t.tree.CheckImages(), nullptr); // the system default
    t.tree.SetCheckImageKind(ckCustom);
    EXPECT_EQ(t.tree.CheckImages(), nullptr);
    TCustomImageList custom(16, 16);
    t.tree.SetCustomCheckImages(&custom);
    EXPECT_EQ(t.tree.CheckImages(), &custom);
    t.tree.SetCustomCheckImages(nullptr);
    EXPECT_EQ(t.tree.CheckImages(), nullptr);
}

TEST(TreePaint, DropMarkAndDragImageArithmetic)
{
    struct MarkCase {
        TRect row;
        TDropMode mode;
        bool shown;
        std::array<QPoint, 6> points;
    } marks[] = {
        {{0, 0, 100, 18}, dmBelow, true, {QPoint(2, 17), {98, 17}, {98, 10}, {93, 15}, {7, 15}, {2, 10}}},
        {{0, 0, 100, 18}, dmAbove, true, {QPoint(2, 0), {98, 0}, {98, 6}, {94, 2}, {6, 2}, {2, 6}}},
        {{10, 36, 60, 54}, dmAbove, true, {QPoint(12, 36), {58, 36}, {58, 42}, {54, 38}, {16, 38}, {12, 42}}},
        {{0, 0, 100, 18}, dmOnNode, false, {}},
        {{0, 0, 100, 18}, dmNowhere, false, {}},
    };
    for (const MarkCase& c : marks) {
        SCOPED_TRACE(c.mode);
        const TDropMarkPolygon p = DropMarkPolygon(c.row, c.mode);
        EXPECT_EQ(p.Shown, c.shown);
        if (c.shown) {
            EXPECT_EQ(p.Points, c.points);
        }
    }

    struct DragCase {
        TPoint hotSpot;
        int width, height;
        TRect window;
        TPoint target;
    } drags[] = {
        {{10, 20}, 350, 150, {0, 0, 185, 95}, {165, 55}}, // clipped at the tree's top-left
        {{400, 300}, 200, 350, {300, 125, 500, 475}, {0, 0}},
        {{50, 500}, 200, 350, {0, 325, 150, 675}, {50, 0}},
        {{400, 300}, 201, 351, {300, 125, 500, 475}, {0, 0}}, // odd sizes halve downwards
    };
    for (const DragCase& c : drags) {
        const TDragImageWindow w = DragImageWindow(c.hotSpot, c.width, c.height);
        EXPECT_EQ(w.Window, c.window) << c.hotSpot.X << "," << c.hotSpot.Y;
        EXPECT_EQ(w.Target, c.target) << c.hotSpot.X << "," << c.hotSpot.Y;
    }
}

TEST(TreePaint, PagesOfAPrintedImage)
{
    struct Case {
        int width, height, pageWidth, pageHeight;
        double scale;
        int columns, rows;
    } cases[] = {
        {100, 200, 100, 100, 1.0, 1, 2}, // exactly two pages tall
        {100, 201, 100, 100, 1.0, 1, 3},
        {300, 100, 200, 200, 2.0, 3, 1}, // two printer pixels per screen pixel: 100 image pixels a page
        {1, 1, 100, 100, 1.0, 1, 1},
        {100, 200, 100, 100, 0.0, 1, 2}, // a text height of 0 gives no scale: screen size, no division by 0
        {0, 0, 100, 100, 1.0, 1, 1}, // an empty tree prints one blank page
    };
    for (const Case& c : cases) {
        const TPrintPages pages = PrintPages(c.width, c.height, c.pageWidth, c.pageHeight, c.scale);
        EXPECT_EQ(pages.Columns, c.columns) << c.width << "x" << c.height;
        EXPECT_EQ(pages.Rows, c.rows) << c.width << "x" << c.height;
    }
}

TEST(TreePaint, PrintingATreeTwoPagesTallGivesTwoPages)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tree.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));

    SmallTree t;
    const double scale = double(printer.resolution()) / t.tree.logicalDpiY();
    const int pageHeight = static_cast<int>(printer.pageLayout().paintRectPixels(printer.resolution()).height() / scale);
    // Node heights chosen so the whole tree is exactly two pages tall.
    t.tree.SetRootNodeCount(2);
    t.tree.SetNodeHeight(t.Top(0), pageHeight);
    t.tree.SetNodeHeight(t.Top(1), pageHeight);
    ASSERT_TRUE(t.tree.Print(&printer));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n") + 0, 2);
}

} // namespace
