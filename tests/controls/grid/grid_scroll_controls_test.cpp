// The grid's thin scroll controls (ssMetro), the header drag button, drag
// scrolling near the edges and the coloured window border's outlines.
#include "controls/grid/core/drag_scroll.h"
#include "controls/grid/core/drawing_routines.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/header_drag_button.h"
#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/widget/scroll_control.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace grid;

namespace {

const QColor kMagenta(255, 0, 255);

// The control's own pixels over a magenta background.
QImage Render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(kMagenta);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// The bounding box of the pixels that are not the background colour.
QRect InkBox(const QImage& img, const QRect& area, QColor background)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

int CountDark(const QImage& img, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixelColor(x, y).lightness() < 100;
    return n;
}

// 100 rows of 20 px (one fixed) and three columns in a window whose cells
// show exactly 20 scrolled rows: the vertical thin control is 420 px long.
class MetroWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(100);
        g.SetDefaultRowHeight(20);
        g.Loaded();
        g.ScrollType = ssMetro;
        w.UpdateScrollBars();
        w.resize(300, 300);
        w.show();
        w.resize(300, 2 * w.frameWidth() + 420);
        ASSERT_EQ(g.VisibleRowCount(), 20);
        v = w.MetroScrollBar(Qt::Vertical);
        ASSERT_NE(v, nullptr);
    }
    TExStringGrid g;
    TGridWidget w{g};
    TScrollControl* v = nullptr;
};

} // namespace

// The Part's thumb on a control of its own: 380 px of track for 100 rows of
// which 20 show gives 76 px; short thumbs grow to 20 and stay inside.
TEST(ThinScrollControl, ThumbFollowsTheRows)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetDefaultRowHeight(20);
    g.Loaded();
    g.SetClientSize({300, 21 * 20});
    TScrollControl c(&g, sdVertical);
    c.resize(6, 400);
    struct Case
    {
        const char* name;
        int rows;
        int top; // -1: the last top row
        QRect thumb;
    };
    const Case cases[] = {
        {"first screen", 100, 1, QRect(0, 20, 4, 76)},
        {"row 41: 20 + 380 x 40 / 99", 100, 41, QRect(0, 174, 4, 76)},
        {"short thumb drawn 20 long, pulled back at the end", 10000, -1, QRect(0, 380, 4, 20)},
        {"everything shows: no thumb", 4, 1, QRect()},
    };
    for (const Case& k : cases) {
        g.SetRowCount(k.rows);
        g.SetTopRow(k.top < 0 ? g.MaxTopRow() : k.top);
        EXPECT_EQ(c.ThumbRect(), k.thumb) << k.name;
        const QImage img = Render(c);
        const QColor silver = ToQColor(clSilver);
        const QRect ink = InkBox(img, img.rect(), kMagenta);
        EXPECT_EQ(ink, k.thumb) << k.name << ": only the thumb is drawn";
        if (!k.thumb.isEmpty()) {
            EXPECT_EQ(img.pixelColor(k.thumb.center()), silver) << k.name;
        }
    }

    // Across: columns, widths and LeftCol; the colour and thickness follow
    // their setters.
    g.SetRowCount(5);
    g.SetColCount(40);
    g.SetDefaultColWidth(50);
    g.SetClientSize({50 + 10 * 50, 200});
    ASSERT_EQ(g.VisibleColCount(), 10);
    TScrollControl h(&g, sdHorizontal);
    h.resize(50 + 390, 6);
    h.SetScrollWidth(5);
    h.SetColor(0x00FF00);
    EXPECT_EQ(h.ThumbRect(), QRect(50, 0, 98, 5)); // 390 x 10 / 40 = 97.5 halves to even
    EXPECT_EQ(Render(h).pixelColor(60, 4), ToQColor(0x00FF00));

    // Without a grid nothing is drawn and a press does nothing.
    TScrollControl orphan(nullptr, sdVertical);
    orphan.resize(6, 100);
    EXPECT_TRUE(orphan.ThumbRect().isEmpty());
    EXPECT_TRUE(InkBox(Render(orphan), orphan.rect(), kMagenta).isEmpty());
    QTest::mousePress(&orphan, Qt::LeftButton, {}, QPoint(2, 50));
    QTest::mouseRelease(&orphan, Qt::LeftButton, {}, QPoint(2, 50));
    EXPECT_FALSE(orphan.Dragging());
}

// ssMetro puts the thin controls along the cells' right and bottom edges,
// each only while there is something to scroll that way.
TEST_F(MetroWindow, ControlsLieAlongTheCellsEdges)
{
    const QRect cells = w.viewport()->geometry();
    EXPECT_EQ(v->geometry(), QRect(cells.right() - 5, cells.top(), 6, cells.height()));
    EXPECT_TRUE(v->isVisible());
    TScrollControl* h = w.MetroScrollBar(Qt::Horizontal);
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(h->isVisible()) << "three columns fit";
    g.SetColCount(30);
    EXPECT_TRUE(h->isVisible());
    EXPECT_EQ(h->geometry(), QRect(cells.left(), cells.bottom() - 5, cells.width(), 6));
    EXPECT_EQ(v->height(), cells.height() - 6);
    EXPECT_EQ(h->Direction(), sdHorizontal);
    g.SetRowCount(5);
    EXPECT_FALSE(v->isVisible());
}

TEST_F(MetroWindow, PressesPageAndTheThumbDrags)
{
    g.SetTopRow(5);
    // 400 px of track: the thumb at 20 + Round(400 x 4 / 99) = 36, 80 long.
    ASSERT_EQ(v->ThumbRect(), QRect(0, 36, 4, 80));
    struct Press
    {
        const char* name;
        int top, y, expected;
    };
    const Press presses[] = {
        {"above the thumb: a page up, not above row 1", 5, 30, 1},
        {"below the thumb: a page down", 5, 200, 25},
        {"below near the end: the last screen", 70, 410, 80},
        {"already at the top", 1, 10, 1},
    };
    for (const Press& p : presses) {
        g.SetTopRow(p.top);
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(2, p.y));
        EXPECT_EQ(g.TopRow(), p.expected) << p.name;
        EXPECT_FALSE(v->Dragging()) << p.name;
    }

    // A drag on the thumb: 4 px per row (100 rows over 420 - 20 px).
    g.SetTopRow(5);
    const QPoint grip = v->ThumbRect().center();
    QTest::mousePress(v, Qt::LeftButton, {}, grip);
    EXPECT_TRUE(v->Dragging());
    EXPECT_EQ(g.TopRow(), 5) << "a press on the thumb only starts the drag";
    QTest::mouseMove(v, grip + QPoint(0, 40));
    EXPECT_EQ(g.TopRow(), 15);
    QTest::mouseMove(v, grip + QPoint(0, 1000));
    EXPECT_EQ(g.TopRow(), 80) << "never past the last screen";
    QTest::mouseMove(v, grip - QPoint(0, 1000));
    EXPECT_EQ(g.TopRow(), 1) << "never above the first scrollable row";
    QTest::mouseRelease(v, Qt::LeftButton, {}, grip - QPoint(0, 1000));
    EXPECT_FALSE(v->Dragging());
    QTest::mouseMove(v, QPoint(2, 300));
    EXPECT_EQ(g.TopRow(), 1) << "moves after the release scroll nothing";

    // The window's own bars stay off; the cells follow.
    EXPECT_EQ(w.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    g.SetTopRow(40);
    EXPECT_EQ(v->ThumbRect().top(), 20 + 158) << "the thumb follows the grid (400 x 39 / 99)";
}

TEST_F(MetroWindow, TheThumbUnderThePointerDarkens)
{
    const QRect thumb = v->ThumbRect();
    const QColor plain = Render(*v).pixelColor(thumb.center());
    EXPECT_EQ(plain, ToQColor(clSilver));
    QTest::mouseMove(v, thumb.center());
    EXPECT_TRUE(v->Hot());
    const QColor hot = Render(*v).pixelColor(thumb.center());
    EXPECT_LT(hot.lightness(), plain.lightness());
    QTest::mouseMove(v, QPoint(2, thumb.bottom() + 40));
    EXPECT_FALSE(v->Hot()) << "beside the thumb";
    QTest::mouseMove(v, thumb.center());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(v, &leave);
    EXPECT_FALSE(v->Hot());
    EXPECT_EQ(Render(*v).pixelColor(thumb.center()), plain);
}

TEST(HeaderDragButton, ShowsTheCaptionOnAHeaderCell)
{
    TExStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetLook(glXP);
    g.Loaded();
    TGridWidget w(g);
    THeaderDragButton b;
    EXPECT_TRUE(b.windowFlags().testFlag(Qt::ToolTip));
    EXPECT_TRUE(b.testAttribute(Qt::WA_ShowWithoutActivating));
    b.resize(160, 26);
    b.SetGrid(&w);
    const QRect client = b.ClientRect();

    // Without a caption: the border and the header cell's own painting.
    QImage header(client.size(), QImage::Format_RGB32);
    header.fill(ToQColor(clBtnFace));
    {
        QPainter p(&header);
        w.Painter().PaintCellExt(p, 0, 0, QRect(QPoint(0, 0), client.size()), TGridDrawState());
    }
    const QImage empty = b.grab().toImage();
    EXPECT_EQ(empty.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(empty.pixelColor(b.width() - 1, b.height() / 2), QColor(Qt::black));
    EXPECT_EQ(empty.copy(client), header);

    // A plain caption: one centred line in the grid's font.
    b.SetCaption(QStringLiteral("Name"));
    const QImage plain = b.grab().toImage();
    QRect text;
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x)
            if (plain.pixelColor(client.topLeft() + QPoint(x, y)) != empty.pixelColor(client.topLeft() + QPoint(x, y)))
                text |= QRect(x, y, 1, 1);
    ASSERT_FALSE(text.isEmpty());
    const QFontMetrics fm(ToQFont(g.Font));
    EXPECT_NEAR(text.center().x(), client.width() / 2, 2);
    EXPECT_NEAR(text.center().y(), client.height() / 2, 3);
    EXPECT_LE(text.width(), fm.horizontalAdvance(QStringLiteral("Name")) + 1);

    // Too long: cut with an ellipsis inside the client.
    b.SetCaption(QStringLiteral("A caption far too long for the small button to show whole"));
    const QImage longShot = b.grab().toImage();
    QRect cut;
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x)
            if (longShot.pixelColor(client.topLeft() + QPoint(x, y)) !=
                empty.pixelColor(client.topLeft() + QPoint(x, y)))
                cut |= QRect(x, y, 1, 1);
    EXPECT_GE(cut.left(), 0);
    EXPECT_LE(cut.right(), client.width() - 1);
    EXPECT_EQ(fm.elidedText(b.Caption(), Qt::ElideRight, client.width()).right(1), QStringLiteral("\u2026"));

    // "</": mini-HTML, so a bold word takes more ink than the plain one.
    b.SetCaption(QStringLiteral("Wide"));
    const int plainInk = CountDark(b.grab().toImage(), client);
    b.SetCaption(QStringLiteral("<b>Wide</b>"));
    const int boldInk = CountDark(b.grab().toImage(), client);
    EXPECT_GT(boldInk, plainInk + plainInk / 10);

    // The button never becomes the active window.
    b.show();
    EXPECT_NE(QApplication::activeWindow(), &b);
    EXPECT_FALSE(b.hasFocus());
}

TEST(DragScrollOptions, DefaultsAndAssign)
{
    const TDragScrollOptions o;
    EXPECT_FALSE(o.Active);
    EXPECT_EQ(o.Delays.InitialDelay, 1000);
    EXPECT_EQ(o.Delays.RepeatDelay, 250);
    for (const int m : {o.Margins.TopMargin, o.Margins.BottomMargin, o.Margins.LeftMargin, o.Margins.RightMargin})
        EXPECT_EQ(m, 50);
    TDragScrollOptions source;
    source.Active = true;
    source.Delays = {400, 100};
    source.Margins = {1, 2, 3, 4};
    TDragScrollOptions copy;
    copy.Assign(source);
    EXPECT_TRUE(copy.Active);
    EXPECT_EQ(copy.Delays.InitialDelay, 400);
    EXPECT_EQ(copy.Delays.RepeatDelay, 100);
    EXPECT_EQ(copy.Margins.TopMargin, 1);
    EXPECT_EQ(copy.Margins.BottomMargin, 2);
    EXPECT_EQ(copy.Margins.LeftMargin, 3);
    EXPECT_EQ(copy.Margins.RightMargin, 4);
}

TEST(DragScroll, DirectionsNearTheEdges)
{
    const TDragScrollMargins m;
    const QSize size(400, 300);
    const struct
    {
        QPoint p;
        TDragScrollDirections d;
    } cases[] = {
        {{200, 150}, 0},
        {{200, 49}, dsdUp},
        {{200, 50}, 0},
        {{200, 251}, dsdDown},
        {{200, 250}, 0},
        {{49, 150}, dsdLeft},
        {{351, 150}, dsdRight},
        {{10, 10}, dsdUp | dsdLeft},
        {{390, 290}, dsdDown | dsdRight},
        {{200, 20}, dsdUp},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DragScrollDirectionsAt(m, c.p, size), c.d) << c.p.x() << "," << c.p.y();
    // A client lower than both margins: up wins.
    EXPECT_EQ(DragScrollDirectionsAt(m, {200, 30}, {400, 60}), unsigned(dsdUp));
}

TEST(DragScroll, TheTimerStartsLateAndRepeats)
{
    TExStringGrid g;
    g.SetColCount(30);
    g.SetRowCount(100);
    g.Loaded();
    g.SetClientSize({400, 300});
    DragScroller s(g);
    std::vector<int> timer; // intervals started, -1 for a stop
    s.StartTimer = [&](int ms) { timer.push_back(ms); };
    s.StopTimer = [&] { timer.push_back(-1); };
    const QSize size(400, 300);
    const QPoint bottom(200, 290);

    s.DragOver(bottom, size);
    EXPECT_TRUE(timer.empty()) << "not active";
    g.DragScrollOptions.Active = true;
    s.DragOver(bottom, size);
    s.DragOver(bottom + QPoint(5, 0), size);
    EXPECT_EQ(timer, (std::vector<int>{1000})) << "started once, with the initial delay";
    const int top = g.TopRow();
    s.Tick();
    s.Tick();
    EXPECT_EQ(g.TopRow(), top + 2);
    EXPECT_EQ(timer, (std::vector<int>{1000, 250})) << "then the repeat delay";
    s.DragOver({200, 150}, size);
    EXPECT_EQ(timer.back(), -1) << "out of the margins: stopped";
    s.DragOver({10, 150}, size);
    EXPECT_EQ(timer.back(), 1000) << "back in a margin: the initial delay again";
    g.SetLeftCol(5);
    s.Tick();
    EXPECT_EQ(g.LeftCol(), 4);

    // OnDragScroll may turn the step or refuse it.
    g.OnDragScroll = [](TExStringGrid*, int, int, TDragScrollDirections& d, bool&) { d = dsdRight; };
    s.Tick();
    EXPECT_EQ(g.LeftCol(), 5);
    g.OnDragScroll = [](TExStringGrid*, int, int, TDragScrollDirections&, bool& can) { can = false; };
    s.Tick();
    EXPECT_EQ(g.LeftCol(), 5);
    g.OnDragScroll = nullptr;

    // Never past the ends.
    s.DragOver({200, 5}, size);
    g.SetTopRow(g.FixedRows());
    s.Tick();
    EXPECT_EQ(g.TopRow(), g.FixedRows());
    s.DragOver(bottom, size);
    g.SetTopRow(g.MaxTopRow());
    s.Tick();
    EXPECT_EQ(g.TopRow(), g.MaxTopRow());

    // Switched off: the next tick stops the timer; leaving stops it too.
    g.DragScrollOptions.Active = false;
    s.Tick();
    EXPECT_FALSE(s.TimerRunning());
    EXPECT_EQ(timer.back(), -1);
    g.DragScrollOptions.Active = true;
    s.DragOver(bottom, size);
    EXPECT_TRUE(s.TimerRunning());
    s.DragLeft();
    EXPECT_FALSE(s.TimerRunning());
    EXPECT_EQ(s.Directions(), 0u);
}

// Drag events over the window (one that takes drops) drive its drag-scroll
// timer.
TEST(DragScroll, ADragOverTheWindowRunsItsTimer)
{
    TExStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(100);
    g.Loaded();
    g.DragScrollOptions.Active = true;
    TGridWidget w(g);
    TDragDropSettings drops;
    drops.OleDropTarget = true;
    w.SetDragDropSettings(drops);
    w.resize(400, 300);
    w.show();
    QMimeData data;
    data.setText(QStringLiteral("x"));
    const QPoint middle(100, w.viewport()->height() / 2);
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.viewport(), &enter);
    EXPECT_FALSE(w.DragScrollTimer().isActive());
    const QPoint nearBottom(100, w.viewport()->height() - 10);
    QDragMoveEvent move(nearBottom, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.viewport(), &move);
    EXPECT_TRUE(w.DragScrollTimer().isActive());
    EXPECT_EQ(w.DragScrollTimer().interval(), 1000);
    const int top = g.TopRow();
    w.DragScrolling().Tick();
    EXPECT_EQ(g.TopRow(), top + 1);
    EXPECT_EQ(w.DragScrollTimer().interval(), 250);
    QDragLeaveEvent leave;
    QApplication::sendEvent(w.viewport(), &leave);
    EXPECT_FALSE(w.DragScrollTimer().isActive());
}

TEST(WindowBorder, Outlines)
{
    const QSize size(300, 200);
    const QRect outer(0, 0, 300, 200);
    const QRect inner(1, 1, 298, 198);
    const struct
    {
        const char* name;
        bool fits;
        TColor border, parent;
        std::vector<BorderOutline> lines;
    } cases[] = {
        {"cells fit, with a parent", true, clRed, clGreen, {{inner, clRed}, {outer, clGreen}}},
        {"cells fit, no parent", true, clRed, clNone, {{inner, clRed}}},
        {"scrolled grid", false, clRed, clGreen, {{outer, clRed}}},
        {"no colour", true, clNone, clGreen, {}},
    };
    for (const auto& c : cases) {
        const BorderOutlines out = WindowBorderOutlines(size, c.fits, c.border, c.parent);
        ASSERT_EQ(out.Count, int(c.lines.size())) << c.name;
        for (int i = 0; i < out.Count; ++i) {
            EXPECT_EQ(out.Lines[i].Rect, c.lines[i].Rect) << c.name << i;
            EXPECT_EQ(out.Lines[i].Color, c.lines[i].Color) << c.name << i;
        }
    }
    EXPECT_EQ(WindowBorderOutlines(QSize(0, 0), true, clRed, clGreen).Count, 0);
}
