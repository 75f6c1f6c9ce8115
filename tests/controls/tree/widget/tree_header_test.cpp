// A visible three-column header on a shown string tree, driven by the mouse: splitters at the tolerance
// edges, dragging a button to another place, sorting clicks, the height at the bottom edge, the column
// chooser; the button layout as a table; cells painted per column.

#include "controls/tree/widget/header_layout.h"
#include "controls/tree/widget/header_popup.h"
#include "controls/tree/widget/image_list.h"
#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_header_bar.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

using namespace lazytree;

namespace {

struct ColumnTree {
    TLazyStringTree tree;
    std::map<PLazyNode, QString> texts;
    ColumnTree()
    {
        tree.OnGetText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex column, TVSTTextType, QString& text) {
            text = column == 1 ? QStringLiteral("WWWW") : column == 0 ? texts[node] : QString();
        };
        tree.OnCompareNodes = [this](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& result) {
            result = texts[a].compare(texts[b]);
        };
        for (const char* t : {"beta", "alpha", "gamma"})
            texts[tree.AddChild(nullptr)] = QString::fromLatin1(t);
        TTreeHeader& h = Header();
        for (const char16_t* caption : {u"Name", u"Size", u"Kind"})
            h.Columns().Add().SetText(caption);
        h.SetOptions(h.Options() + TVTHeaderOptions{hoVisible, hoHotTrack, hoHeaderClickAutoSort, hoHeightResize,
                                       hoAutoColumnPopupMenu, hoDblClickResize});
        tree.resize(300 + 2 * tree.frameWidth(), 150 + 2 * tree.frameWidth() + 19);
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }
    TTreeHeader& Header() { return tree.ColumnHeader(); }
    TLazyTreeColumns& Columns() { return Header().Columns(); }
    THeaderBar* Bar() { return tree.HeaderBar(); }
    std::vector<int> Widths()
    {
        std::vector<int> w;
        for (int i = 0; i < Columns().Count(); ++i)
            w.push_back(Columns()[i].Width());
        return w;
    }
    void Drag(QPoint from, std::initializer_list<QPoint> path)
    {
        QTest::mousePress(Bar(), Qt::LeftButton, {}, from);
        QPoint last = from;
        for (QPoint p : path) {
            QTest::mouseMove(Bar(), p);
            last = p;
        }
        QTest::mouseRelease(Bar(), Qt::LeftButton, {}, last);
    }
    QString FirstText() { return texts[tree.GetFirst()]; }
};

TEST(TreeHeader, TheBarSitsAboveTheViewportAndFollowsVisibilityAndHeight)
{
    ColumnTree t;
    ASSERT_NE(t.Bar(), nullptr);
    EXPECT_TRUE(t.Bar()->isVisible());
    EXPECT_EQ(t.Bar()->height(), 19);
    EXPECT_EQ(t.tree.viewport()->y() - t.Bar()->y(), 19);
    EXPECT_EQ(t.Bar()->width(), t.tree.viewport()->width());
    t.Header().SetHeight(30);
    EXPECT_EQ(t.Bar()->height(), 30);
    EXPECT_EQ(t.tree.viewport()->y() - t.Bar()->y(), 30);
    t.Header().SetOptions(t.Header().Options() - TVTHeaderOptions{hoVisible});
    EXPECT_FALSE(t.Bar()->isVisible());
    EXPECT_EQ(t.tree.viewport()->y(), t.tree.frameWidth());
}

TEST(TreeHeader, SplitterGrabsWithinTheToleranceOnly)
{
    ColumnTree t;
    // 4 pixels right of column 0's edge: its splitter.
    t.Drag({54, 8}, {{60, 8}, {80, 8}});
    EXPECT_EQ(t.Widths(), (std::vector<int>{80, 50, 50}));
    EXPECT_EQ(t.Columns()[1].UnscrolledLeft(), 80);
    // 2 pixels left of column 1's edge (at 130): still the splitter.
    t.Drag({128, 8}, {{140, 8}});
    EXPECT_EQ(t.Widths(), (std::vector<int>{80, 60, 50}));
    // 5 pixels right of an edge is a press on the next button: no resize.
    t.Drag({85, 8}, {{86, 8}});
    EXPECT_EQ(t.Widths(), (std::vector<int>{80, 60, 50}));
    EXPECT_EQ(t.tree.RangeX(), 190u);
}

TEST(TreeHeader, DraggingAButtonMovesTheColumn)
{
    ColumnTree t;
    std::vector<std::pair<TColumnIndex, uint32_t>> dragged;
    t.Header().OnHeaderDragged = [&](TVTHeader&, TColumnIndex c, uint32_t old) { dragged.push_back({c, old}); };
    t.Header().SetOptions(t.Header().Options() - TVTHeaderOptions{hoHeaderClickAutoSort});
    t.Drag({20, 8}, {{40, 8}, {90, 8}, {140, 8}});
    EXPECT_EQ(t.Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
    EXPECT_EQ(dragged, (std::vector<std::pair<TColumnIndex, uint32_t>>{{0, 0}}));
    EXPECT_EQ(t.Columns()[0].UnscrolledLeft(), 100);
    EXPECT_TRUE(t.Header().States().Empty());
    // Escape cancels a running drag.
    QTest::mousePress(t.Bar(), Qt::LeftButton, {}, {20, 8});
    QTest::mouseMove(t.Bar(), {140, 8});
    QTest::keyClick(&t.tree, Qt::Key_Escape);
    QTest::mouseRelease(t.Bar(), Qt::LeftButton, {}, {140, 8});
    EXPECT_EQ(t.Columns().PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
}

TEST(TreeHeader, ClicksSortTheTree)
{
    ColumnTree t;
    QTest::mouseClick(t.Bar(), Qt::LeftButton, {}, {20, 8});
    EXPECT_EQ(t.Header().SortColumn(), 0);
    EXPECT_EQ(t.Header().SortDirection(), sdAscending);
    EXPECT_EQ(t.FirstText(), "alpha");
    QTest::mouseClick(t.Bar(), Qt::LeftButton, {}, {20, 8});
    EXPECT_EQ(t.Header().SortDirection(), sdDescending);
    EXPECT_EQ(t.FirstText(), "gamma");
}

TEST(TreeHeader, TheBottomEdgeDragsTheHeight)
{
    ColumnTree t;
    const int viewportTop = t.tree.viewport()->y();
    t.Drag({150, 18}, {{150, 22}, {150, 30}});
    EXPECT_EQ(t.Header().Height(), 30);
    EXPECT_EQ(t.tree.viewport()->y(), viewportTop + 11);
}

TEST(TreeHeader, TheChooserListsColumnsAndKeepsOneVisible)
{
    ColumnTree t;
    std::vector<std::pair<TColumnIndex, bool>> changes;
    t.Header().OnColumnVisibilityChanged = [&](TVTHeader&, TColumnIndex c, bool v) { changes.push_back({c, v}); };
    QTest::mouseClick(t.Bar(), Qt::RightButton, {}, {20, 8});
    TVTHeaderPopupMenu* menu = t.Header().ColumnChooser();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    // Fitting needs nodes and hoDblClickResize: the first entry fits all, then a separator.
    QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), "&Resize All Columns To Fit");
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), "Name");
    actions[3]->trigger(); // hide "Size"
    actions[4]->trigger(); // hide "Kind"
    menu->hide();
    EXPECT_FALSE(t.Columns()[1].IsVisible());
    EXPECT_FALSE(t.Columns()[2].IsVisible());
    EXPECT_EQ(changes, (std::vector<std::pair<TColumnIndex, bool>>{{1, false}, {2, false}}));
    EXPECT_EQ(t.Header().TotalWidth(), 50);

    QTest::mouseClick(t.Bar(), Qt::RightButton, {}, {20, 8});
    menu = t.Header().ColumnChooser();
    ASSERT_NE(menu, nullptr);
    actions = menu->actions();
    EXPECT_FALSE(actions[2]->isEnabled()); // the last visible column
    EXPECT_TRUE(actions[3]->isEnabled());
    EXPECT_FALSE(actions[3]->isChecked());
    menu->hide();

    // Allowing all to be hidden, hidden items and original order.
    TVTHeaderPopupMenu own;
    own.SetOptions({poAllowHideAll, poOriginalOrder});
    own.OnAddHeaderPopupItem = [](TLazyTreeControl*, TColumnIndex c, TAddPopupItemType& kind) {
        kind = c == 2 ? apHidden : apNormal;
    };
    t.Columns()[0].SetPosition(2);
    own.BuildItems(&t.tree);
    actions = own.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "Name");
    EXPECT_TRUE(actions[0]->isEnabled());
}

TEST(TreeHeader, TheApplicationsMenuKnowsTheColumnAndMouseEventsReachTheApplication)
{
    ColumnTree t;
    t.Header().SetOptions(t.Header().Options() - TVTHeaderOptions{hoAutoColumnPopupMenu});
    QMenu menu;
    std::vector<std::pair<PLazyNode, TColumnIndex>> asked;
    t.tree.OnGetPopupMenu = [&](TBaseLazyTree*, PLazyNode node, TColumnIndex column, TPoint, bool&, QMenu*& m) {
        asked.push_back({node, column});
        m = &menu;
    };
    std::vector<std::string> log;
    t.Header().OnHeaderMouseDown = [&](TVTHeader&, TMouseButton b, TShiftState, TPoint p) {
        log.push_back("down" + std::to_string(int(b)) + "@" + std::to_string(p.X));
    };
    t.Header().OnHeaderMouseUp = [&](TVTHeader&, TMouseButton b, TShiftState, TPoint p) {
        log.push_back("up" + std::to_string(int(b)) + "@" + std::to_string(p.X));
    };
    QTest::mouseClick(t.Bar(), Qt::RightButton, {}, {120, 8}); // over "Kind"
    EXPECT_EQ(asked, (std::vector<std::pair<PLazyNode, TColumnIndex>>{{nullptr, 2}}));
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    EXPECT_EQ(log, (std::vector<std::string>{"down1@120", "up1@120"}));
}

TEST(TreeHeader, FitAllAndDoubleClickOnASplitterFitTheContent)
{
    ColumnTree t;
    QTest::mouseDClick(t.Bar(), Qt::LeftButton, {}, {101, 8});
    EXPECT_EQ(t.Columns()[1].Width(), t.tree.GetMaxColumnWidth(1, false));
    EXPECT_GT(t.Columns()[1].Width(), 10);
}

TEST(TreeHeader, ButtonsAndCellsArePaintedPerColumn)
{
    ColumnTree t;
    QImage unsorted(t.Bar()->size(), QImage::Format_RGB32);
    t.Bar()->render(&unsorted);
    t.Header().ApplySortColumn(1);
    QImage header(t.Bar()->size(), QImage::Format_RGB32);
    t.Bar()->render(&header);
    const QRgb face = ResolveColor(t.Header().Background(), t.Bar()->palette()).rgb();
    const QRgb shadow = t.Bar()->palette().color(QPalette::Shadow).rgb();
    // Thick buttons: every button has its right border.
    for (int x : {49, 99, 149})
        EXPECT_EQ(header.pixel(x, 10), shadow) << x;
    // The sort glyph appears inside column 1 only, right of its caption.
    int changedFrom = 1000, changedTo = -1;
    for (int x = 0; x < header.width(); ++x)
        for (int y = 0; y < 19; ++y)
            if (header.pixel(x, y) != unsorted.pixel(x, y)) {
                changedFrom = std::min(changedFrom, x);
                changedTo = std::max(changedTo, x);
            }
    const int captionEnd = 50 + 2 + 4 + QFontMetrics(t.Header().QtFont()).horizontalAdvance(QStringLiteral("Size"));
    EXPECT_GT(changedFrom, captionEnd);
    EXPECT_LT(changedTo, 100);
    EXPECT_EQ(header.pixel(200, 10), face); // beyond the last column

    // Column 1 paints its text inside its own cell; column 2 has none.
    QImage cells(t.tree.viewport()->size(), QImage::Format_RGB32);
    t.tree.viewport()->render(&cells);
    const QRgb back = t.tree.BackGroundColor().rgb();
    auto inked = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < 18; ++y)
                if (cells.pixel(x, y) != back)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(52, 100));
    EXPECT_FALSE(inked(101, 150));
    t.Columns()[1].SetPosition(2);
    t.tree.viewport()->render(&cells);
    EXPECT_FALSE(inked(52, 100));
    EXPECT_TRUE(inked(102, 150));
}

TEST(TreeHeader, AFixedColumnStaysInPlaceWhenTheTreeScrolls)
{
    ColumnTree t;
    t.Columns()[0].SetWidth(100);
    t.Columns()[0].SetOptions(t.Columns()[0].Options() + TVTColumnOptions{coFixed});
    t.Columns()[1].SetWidth(200);
    t.Columns()[2].SetWidth(200);
    ASSERT_EQ(t.tree.RangeX(), 500u);
    const QRect fixedArea(0, 0, 100, 18);
    QImage before(t.tree.viewport()->size(), QImage::Format_RGB32);
    t.tree.viewport()->render(&before);
    QImage headerBefore(t.Bar()->size(), QImage::Format_RGB32);
    t.Bar()->render(&headerBefore);
    t.tree.SetOffsetX(-100);
    ASSERT_EQ(t.tree.EffectiveOffsetX(), 100);
    QImage after(t.tree.viewport()->size(), QImage::Format_RGB32);
    t.tree.viewport()->render(&after);
    QImage headerAfter(t.Bar()->size(), QImage::Format_RGB32);
    t.Bar()->render(&headerAfter);
    EXPECT_EQ(after.copy(fixedArea), before.copy(fixedArea));
    EXPECT_EQ(headerAfter.copy(fixedArea), headerBefore.copy(fixedArea));
    // The scrolled column 1 moved left by 100 beside it.
    EXPECT_EQ(after.copy(QRect(100, 0, 100, 18)), before.copy(QRect(200, 0, 100, 18)));
    EXPECT_EQ(t.Columns().ColumnFromPosition(TPoint{150, 5}), 1);
}

TEST(TreeHeader, TheFixedBlocksEdgeDragsFromTheClientArea)
{
    ColumnTree t;
    t.Columns()[0].SetOptions(t.Columns()[0].Options() + TVTColumnOptions{coFixed});
    QWidget* viewport = t.tree.viewport();
    // Rows reach down to y 54: the fixed edge at x 50 is a splitter there, not below the last row.
    QTest::mouseMove(viewport, {51, 30});
    EXPECT_EQ(viewport->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(viewport, {51, 100});
    EXPECT_NE(viewport->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(viewport, Qt::LeftButton, {}, {51, 30});
    QTest::mouseMove(viewport, {81, 30});
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, {81, 30});
    EXPECT_EQ(t.Widths(), (std::vector<int>{81, 50, 50}));
    EXPECT_TRUE(t.Header().States().Empty());

    // The edge between two scrolling columns stays the rows' business.
    QTest::mousePress(viewport, Qt::LeftButton, {}, {131, 30});
    QTest::mouseMove(viewport, {151, 30});
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, {151, 30});
    EXPECT_EQ(t.Widths(), (std::vector<int>{81, 50, 50}));
}

TEST(TreeHeader, AWrappedCaptionBreaksIntoLinesInsteadOfShortening)
{
    ColumnTree t;
    for (TColumnIndex i : {0, 1}) {
        t.Columns()[i].SetText(u"Long caption text");
        t.Columns()[i].SetWidth(80); // each word fits, the whole does not
    }
    t.Columns()[0].SetOptions(t.Columns()[0].Options() + TVTColumnOptions{coWrapCaption});
    t.Header().SetHeight(60);
    QImage image(t.Bar()->size(), QImage::Format_RGB32);
    t.Bar()->render(&image);
    const QString wrapped = QString::fromStdU16String(t.Columns()[0].CaptionText());
    const QString shortened = QString::fromStdU16String(t.Columns()[1].CaptionText());
    EXPECT_TRUE(wrapped.contains(QLatin1Char('\n'))) << wrapped.toStdString();
    EXPECT_FALSE(wrapped.contains(QStringLiteral("...")));
    EXPECT_EQ(QString(wrapped).replace(QLatin1Char('\n'), QLatin1Char(' ')), QStringLiteral("Long caption text"));
    EXPECT_TRUE(shortened.endsWith(QStringLiteral("..."))) << shortened.toStdString();
}

TEST(TreeHeader, GlyphsAndColumnCheckBoxesTakeClicks)
{
    TCustomImageList images(16, 16);
    QImage green(16, 16, QImage::Format_ARGB32);
    green.fill(Qt::green);
    images.Add(green);
    ColumnTree t;
    t.Header().SetImages(&images);
    t.Header().SetOptions(t.Header().Options() + TVTHeaderOptions{hoShowImages});
    t.Columns()[0].SetImageIndex(0);
    t.Columns()[2].SetCheckBox(true);
    QImage header(t.Bar()->size(), QImage::Format_RGB32);
    t.Bar()->render(&header);
    ASSERT_TRUE(t.Columns()[0].HasImage());
    const TRect glyph = t.Columns()[0].ImageRect();
    EXPECT_EQ(glyph.Width(), 16);
    EXPECT_EQ(header.pixel(glyph.Left + 8, glyph.Top + 8), QColor(Qt::green).rgb());
    ASSERT_TRUE(t.Columns()[2].HasImage());
    const TRect box = t.Columns()[2].ImageRect();
    int sorts = 0;
    t.Header().OnHeaderClick = [&](TVTHeader& h, const TVTHeaderHitInfo&) { sorts += h.SortColumn() == 2; };
    QTest::mouseClick(t.Bar(), Qt::LeftButton, {}, QPoint(box.Left + 3, box.Top + 3));
    EXPECT_EQ(t.Columns()[2].CheckState(), csCheckedNormal);
    EXPECT_EQ(sorts, 0);
    QTest::mouseClick(t.Bar(), Qt::LeftButton, {}, QPoint(box.Left + 3, box.Top + 3));
    EXPECT_EQ(t.Columns()[2].CheckState(), csUncheckedNormal);
}

TEST(HeaderLayout, CaptionGlyphAndSortGlyphPlaces)
{
    // Inner rectangle of a 100 × 19 button at x 0: (2, 2) .. (98, 17).
    const TRect inner{2, 2, 98, 17};
    struct Case {
        const char* name;
        TAlignment alignment;
        TVTHeaderColumnLayout layout;
        TSize glyph;
        TSize sort;
        bool shiftGlyph;
        TRect text;
        TPoint glyphPos;
        TPoint sortPos;
    };
    const TSize caption{30, 13};
    const Case cases[] = {
        {"caption only", taLeftJustify, blGlyphLeft, {}, {}, true, {6, 3, 36, 16}, {}, {}},
        {"sort glyph after the caption", taLeftJustify, blGlyphLeft, {}, {9, 5}, true, {6, 3, 36, 16}, {},
            {2 + 4 + 30 + 3, 2 + 5}},
        {"glyph left", taLeftJustify, blGlyphLeft, {16, 16}, {}, true, {2 + 4 + 16 + 3, 3, 2 + 4 + 16 + 3 + 30, 16},
            {2 + 4 - 2, 2 + (15 - 16) / 2}, {}},
        {"main column glyph unshifted", taLeftJustify, blGlyphLeft, {16, 16}, {}, false,
            {2 + 4 + 16 + 3, 3, 2 + 4 + 16 + 3 + 30, 16}, {2 + 4, 2 + (15 - 16) / 2}, {}},
        // Centred beside an (absent) glyph: the spacing still counts.
        {"centre", taCenter, blGlyphLeft, {}, {}, true, {2 + 34, 3, 2 + 64, 16}, {}, {}},
        {"centre with sort glyph", taCenter, blGlyphLeft, {}, {9, 5}, true, {2 + 34, 3, 2 + 64, 16}, {},
            {2 + 64 + 3, 7}},
        {"right", taRightJustify, blGlyphLeft, {}, {}, true, {2 + 62, 3, 2 + 92, 16}, {}, {}},
        {"right with sort glyph", taRightJustify, blGlyphLeft, {}, {9, 5}, true, {2 + 50, 3, 2 + 80, 16}, {},
            {2 + 83, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        THeaderCellInput in;
        in.Client = inner;
        in.Caption = caption;
        in.Glyph = c.glyph;
        in.SortGlyph = c.sort;
        in.Alignment = c.alignment;
        in.Layout = c.layout;
        in.ShiftGlyphLeft = c.shiftGlyph;
        const THeaderCellLayout out = LayoutHeaderCell(in);
        EXPECT_EQ(out.TextBounds, c.text);
        if (c.glyph.cx > 0) {
            EXPECT_EQ(out.GlyphPos.X, c.glyphPos.X);
            EXPECT_EQ(out.GlyphPos.Y, c.glyphPos.Y);
        }
        if (c.sort.cx > 0) {
            EXPECT_EQ(out.SortGlyphPos.X, c.sortPos.X);
            EXPECT_EQ(out.SortGlyphPos.Y, c.sortPos.Y);
        }
    }
    // A caption wider than the button ends at the right margin.
    THeaderCellInput wide;
    wide.Client = inner;
    wide.Caption = {200, 13};
    EXPECT_EQ(LayoutHeaderCell(wide).TextBounds.Right, 2 + 96 - 4);
}

} // namespace
