// The draw tree: the application answers each cell's width and margin and paints its content; its node
// hints are owner-drawn by default.

#include "controls/tree/widget/draw_tree.h"
#include "controls/tree/widget/hint_window.h"
#include "controls/tree/widget/string_tree.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace lazytree;

namespace {

// Opens the content margin hook to the test.
class ProbeDrawTree : public TLazyDrawTree {
public:
    using TCustomLazyDrawTree::ComputeCellContentMargin;
};

struct DrawTree {
    ProbeDrawTree tree;
    explicit DrawTree(int nodes = 3)
    {
        tree.TreeOptions().SetPaintOptions({toShowRoot});
        tree.SetRootNodeCount(static_cast<uint32_t>(nodes));
        tree.resize(300 + 2 * tree.frameWidth(), 120 + 2 * tree.frameWidth());
    }
    void Show()
    {
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }
    QImage Render()
    {
        QImage image(tree.viewport()->size(), QImage::Format_RGB32);
        tree.viewport()->render(&image);
        return image;
    }
};

TEST(DrawTree, TheContentWidthDrivesTheLabelHitAndTheRange)
{
    // Rows at level 0 with the root shown: the content starts one indent plus the margin in.
    struct Case {
        std::optional<int> answered;
        int width;
    } cases[] = {{std::nullopt, 8}, {100, 100}, {250, 250}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        DrawTree t;
        if (c.answered)
            t.tree.OnGetNodeWidth = [&c](TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, int& width) {
                EXPECT_EQ(width, 8); // starts as 2 × TextMargin
                width = *c.answered;
            };
        t.Show();
        PLazyNode first = t.tree.GetFirst();
        const TRect label = t.tree.GetDisplayRect(first, NoColumn, true);
        EXPECT_EQ(label.Width(), c.width);
        THitInfo hit;
        t.tree.GetHitTestInfoAt(label.Right - 1, 9, true, hit);
        EXPECT_TRUE(hit.HitPositions.Has(hiOnItemLabel));
        t.tree.GetHitTestInfoAt(label.Right + 1, 9, true, hit);
        EXPECT_FALSE(hit.HitPositions.Has(hiOnItemLabel));
        EXPECT_EQ(hit.HitNode, first);
        EXPECT_GE(static_cast<int>(t.tree.RangeX()), label.Right);
    }
}

TEST(DrawTree, OnDrawNodePaintsTheContentAndNothingElseDoes)
{
    DrawTree t;
    t.tree.OnGetNodeWidth = [](TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, int& width) { width = 40; };
    t.Show();
    const QImage plain = t.Render();
    std::vector<PLazyNode> drawn;
    t.tree.OnDrawNode = [&](TBaseLazyTree*, const TVTPaintInfo& info) {
        drawn.push_back(info.Node);
        const TRect& r = info.ContentRect;
        info.Canvas->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), QColor(0, 128, 0));
    };
    t.tree.viewport()->update();
    const QImage painted = t.Render();
    EXPECT_EQ(drawn.size(), 3u); // once per row
    const TRect label = t.tree.GetDisplayRect(t.tree.GetFirst(), NoColumn, true);
    for (int row = 0; row < 3; ++row) {
        const int y = row * 18 + 9;
        EXPECT_EQ(painted.pixelColor(label.Left + 1, y), QColor(0, 128, 0)) << row;
        EXPECT_EQ(painted.pixelColor(label.Right - 1, y), QColor(0, 128, 0)) << row;
        EXPECT_NE(plain.pixelColor(label.Left + 1, y), QColor(0, 128, 0)) << row;
    }
    EXPECT_EQ(painted.pixelColor(label.Left + 1, 3 * 18 + 9), plain.pixelColor(label.Left + 1, 3 * 18 + 9));
}

TEST(DrawTree, ContentMarginComesOnlyFromItsOwnEvent)
{
    DrawTree t;
    PLazyNode first = t.tree.GetFirst();
    // The cell-paint event is not asked for the margin.
    int beforeCellPaint = 0;
    t.tree.OnBeforeCellPaint = [&](TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex, TVTCellPaintMode mode,
                                   const TRect&, TRect& content) {
        beforeCellPaint += mode == cpmGetContentMargin;
        content.Left += 5;
    };
    EXPECT_EQ(t.tree.ComputeCellContentMargin(first, NoColumn, ccmtAllSides), (TPoint{0, 0}));
    EXPECT_EQ(beforeCellPaint, 0);
    t.tree.OnGetCellContentMargin = [](TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex,
                                        TVTCellContentMarginType type, TPoint& margin) {
        margin = type == ccmtTopLeftOnly ? TPoint{3, 1} : TPoint{6, 2};
    };
    EXPECT_EQ(t.tree.ComputeCellContentMargin(first, NoColumn, ccmtTopLeftOnly), (TPoint{3, 1}));
    EXPECT_EQ(t.tree.ComputeCellContentMargin(first, NoColumn, ccmtAllSides), (TPoint{6, 2}));
}

TEST(DrawTree, NodeHintsAreOwnerDrawnAndNeedASize)
{
    enum Setup { Nothing, Size, TextKind };
    struct Case {
        Setup setup;
        bool shown;
    } cases[] = {{Nothing, false}, {Size, true}, {TextKind, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup);
        DrawTree t;
        t.tree.SetHintMode(hmHint);
        t.tree.setToolTip(QStringLiteral("tip"));
        if (c.setup == Size)
            t.tree.OnGetHintSize = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TRect& r) { r = {0, 0, 50, 20}; };
        if (c.setup == TextKind)
            t.tree.OnGetHintKind = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TVTHintKind& kind) {
                kind = vhkText;
            };
        t.Show();
        t.tree.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&t.tree));
        TVTHintKind kind = vhkText;
        t.tree.FireGetHintKind(t.tree.GetFirst(), NoColumn, kind);
        EXPECT_EQ(kind, c.setup == TextKind ? vhkText : vhkOwnerDraw);
        const QPoint p(30, 9);
        QHelpEvent help(QEvent::ToolTip, p, t.tree.viewport()->mapToGlobal(p));
        QApplication::sendEvent(t.tree.viewport(), &help);
        EXPECT_EQ(t.tree.TreeStates().Has(tsHint), c.shown);
    }
    // The string tree's hints stay text.
    TLazyStringTree strings;
    strings.SetRootNodeCount(1);
    TVTHintKind kind = vhkOwnerDraw;
    strings.FireGetHintKind(strings.GetFirst(), NoColumn, kind);
    EXPECT_EQ(kind, vhkText);
}

TEST(DrawTree, OwnerDrawnHintsShowInAFadedWindowTheApplicationPaints)
{
    DrawTree t;
    t.tree.SetHintMode(hmHint);
    t.tree.OnGetHintSize = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TRect& r) { r = {0, 0, 60, 24}; };
    std::vector<TRect> painted;
    t.tree.OnDrawHint = [&](TBaseLazyTree*, QPainter* painter, PLazyNode, TRect r, TColumnIndex) {
        painted.push_back(r);
        painter->fillRect(QRect(0, 0, r.Width(), r.Height()), Qt::red);
    };
    t.Show();
    t.tree.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.tree));
    t.tree.SetHintFadeDuration(0);
    const QPoint p(30, 9);
    QHelpEvent help(QEvent::ToolTip, p, t.tree.viewport()->mapToGlobal(p));
    QApplication::sendEvent(t.tree.viewport(), &help);
    THintWindow* hint = t.tree.ShownHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->size(), QSize(60, 24));
    EXPECT_EQ(hint->Node(), t.tree.GetFirst());
    QImage image(hint->size(), QImage::Format_RGB32);
    hint->render(&image);
    EXPECT_EQ(image.pixel(10, 10), QColor(Qt::red).rgb());
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.back(), (TRect{0, 0, 60, 24}));
    // Leaving the cell hides it.
    QTest::mouseMove(t.tree.viewport(), QPoint(30, 100));
    EXPECT_EQ(t.tree.ShownHintWindow(), nullptr);
}

TEST(HintWindow, FadeAndScreenClamping)
{
    struct Fade {
        int elapsed, duration;
        double opacity;
    };
    for (const Fade& f : {Fade{0, 0, 1.0}, Fade{0, 200, 0.0}, Fade{50, 200, 0.25}, Fade{200, 200, 1.0},
             Fade{500, 200, 1.0}, Fade{-5, 200, 0.0}})
        EXPECT_DOUBLE_EQ(HintOpacity(f.elapsed, f.duration), f.opacity) << f.elapsed << "/" << f.duration;
    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(ClampHintRect(QRect(780, 590, 50, 20), screen), QRect(750, 580, 50, 20));
    EXPECT_EQ(ClampHintRect(QRect(-10, -5, 50, 20), screen), QRect(0, 0, 50, 20));
    EXPECT_EQ(ClampHintRect(QRect(100, 100, 50, 20), screen), QRect(100, 100, 50, 20));
}

TEST(DrawTree, WritingTheOptionsCopiesThem)
{
    DrawTree t;
    TLazyDrawTree source;
    TCustomLazyTreeOptions& options = source.TreeOptions();
    options.SetPaintOptions({toShowButtons, toShowTreeLines});
    options.SetSelectionOptions({toMultiSelect});
    t.tree.SetTreeOptions(options);
    EXPECT_EQ(t.tree.TreeOptions().PaintOptions(), (TVTPaintOptions{toShowButtons, toShowTreeLines}));
    EXPECT_EQ(t.tree.TreeOptions().SelectionOptions(), (TVTSelectionOptions{toMultiSelect}));
    options.SetPaintOptions({toShowRoot});
    EXPECT_EQ(t.tree.TreeOptions().PaintOptions(), (TVTPaintOptions{toShowButtons, toShowTreeLines}));
    EXPECT_NE(&t.tree.TreeOptions(), &options);
    EXPECT_STREQ(t.tree.ClassName(), "TLazyDrawTree");
}

} // namespace
