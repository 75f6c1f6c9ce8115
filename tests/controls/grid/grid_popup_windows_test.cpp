// The grid's windows over the others, offscreen: the non-activating form,
// the picture of a cell range on it, and the cells' balloons, which exist
// only while they show.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/balloon_window.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/non_activating_form.h"
#include "controls/grid/widget/selection_image.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using namespace grid;

namespace {

constexpr int kColWidth = 64;
constexpr int kRowHeight = 22;

void Make(TExStringGrid& g)
{
    g.SetColCount(5);
    g.SetRowCount(40);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.SetDefaultColWidth(kColWidth);
    g.SetDefaultRowHeight(kRowHeight);
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 1; c < g.ColCount(); ++c)
            g.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
}

int TopLevels()
{
    return static_cast<int>(QApplication::topLevelWidgets().size());
}

// A window holding a grid, an edit that has the focus, and a label beside
// the grid for the pointer to leave to.
struct GridWindow
{
    explicit GridWindow(TExStringGrid& g)
    {
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        widget = new TGridWidget(g);
        beside = new QLabel(QStringLiteral("beside"), &window);
        beside->setMinimumHeight(40);
        layout->addWidget(edit);
        layout->addWidget(widget);
        layout->addWidget(beside);
        window.resize(360, 320);
        window.show();
        ok = QTest::qWaitForWindowActive(&window);
        edit->setFocus();
    }
    QWidget window;
    QLineEdit* edit = nullptr;
    TGridWidget* widget = nullptr;
    QLabel* beside = nullptr;
    bool ok = false;
};

} // namespace

TEST(NonActivatingForm, ShowingAndClickingItLeavesTheActivationAndFocusBelow)
{
    TExStringGrid g;
    Make(g);
    GridWindow w(g);
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(QApplication::focusWidget(), w.edit);

    TNoActiveForm form;
    form.resize(80, 40);
    form.move(w.window.mapToGlobal(QPoint(20, 20)));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activeWindow(), &w.window);
    EXPECT_EQ(QApplication::focusWidget(), w.edit);
    EXPECT_FALSE(form.isActiveWindow());
}

TEST(SelectionImage, RectanglesOfRanges)
{
    TExStringGrid g;
    Make(g);
    g.SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine});
    struct Case
    {
        TGridRect cells;
        QRect source;
        QSize size;
        bool leftLine;
        bool topLine;
    };
    const Case cases[] = {
        // One cell: the cell and the grid lines around it.
        {{1, 1, 1, 1}, QRect(63, 21, 65, 23), QSize(65, 23), false, false},
        {{1, 1, 2, 3}, QRect(63, 21, 129, 67), QSize(129, 67), false, false},
        // Given the other way round.
        {{2, 3, 1, 1}, QRect(63, 21, 129, 67), QSize(129, 67), false, false},
        {{3, 1, 2, 2}, QRect(127, 21, 129, 45), QSize(129, 45), false, false},
        // From the fixed column and row: the fixed lines along the edges.
        {{0, 0, 1, 1}, QRect(-1, -1, 129, 45), QSize(129, 45), true, true},
        {{0, 2, 0, 2}, QRect(-1, 43, 65, 23), QSize(65, 23), true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cells.Left << "," << c.cells.Top << " " << c.cells.Right << ","
                                        << c.cells.Bottom);
        const SelectionImageGeometry got = SelectionImageRects(g, c.cells);
        EXPECT_EQ(got.source, c.source);
        EXPECT_EQ(got.size, c.size);
        EXPECT_EQ(got.leftLine, c.leftLine);
        EXPECT_EQ(got.topLine, c.topLine);
    }
    g.SetOptions(TGridOptions{goVertLine, goHorzLine});
    EXPECT_FALSE(SelectionImageRects(g, {0, 0, 1, 1}).leftLine);
    EXPECT_FALSE(SelectionImageRects(g, {0, 0, 1, 1}).topLine);
}

TEST(SelectionImage, AFormWithThePictureOfTheCellsOwnedByTheGrid)
{
    TExStringGrid g;
    Make(g);
    g.SetColors(2, 2, 0x0000FF); // red
    g.SetColors(3, 2, 0xFF0000); // blue
    GridWindow w(g);
    ASSERT_TRUE(w.ok);

    QPointer<TNoActiveForm> form = SelectionToForm(*w.widget, {2, 2, 2, 2});
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(65, 23));
    EXPECT_EQ(form->AlphaBlendValue(), 192);
    auto* picture = form->findChild<QLabel*>();
    ASSERT_NE(picture, nullptr);
    const QImage image = picture->pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(65, 23));
    // The red cell between grid lines; nothing of its blue neighbour.
    const auto colour = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    const QColor line = colour(64, 10);
    EXPECT_EQ(colour(1, 10), QColor(Qt::red));
    EXPECT_EQ(colour(63, 20), QColor(Qt::red));
    EXPECT_EQ(colour(0, 10), line);
    EXPECT_EQ(colour(30, 22), line);
    EXPECT_NE(line, QColor(Qt::red));
    EXPECT_NE(line, QColor(Qt::blue));

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.data()));
    EXPECT_EQ(QApplication::activeWindow(), &w.window);
    EXPECT_EQ(QApplication::focusWidget(), w.edit);
    // The grid's: gone with it.
    delete w.widget;
    EXPECT_TRUE(form.isNull());
}

namespace {

class Balloons : public ::testing::Test
{
public:
    void SetUp() override
    {
        Make(g);
        g.AddBalloon(2, 2, QStringLiteral("Limit"), QStringLiteral("At most 255"), biWarning);
        g.Balloon.InitialDelay = 10;
        g.Balloon.ReshowDelay = 10;
        g.Balloon.AutoHideDelay = 60000;
        before = TopLevels();
        w = std::make_unique<GridWindow>(g);
        ASSERT_TRUE(w->ok);
        windows = TopLevels();
        g.Balloon.SetEnable(true);
    }

    QWidget* Port() { return w->widget->viewport(); }
    TGridBalloons& B() { return w->widget->Balloons(); }
    // Rests the pointer on a cell until its balloon shows.
    TBalloonWindow* HoverUntilShown(int col, int row)
    {
        // A move to where the pointer already is would be dropped.
        QTest::mouseMove(w->beside);
        QTest::mouseMove(Port(), g.CellRect(col, row).center());
        if (!QTest::qWaitFor([&] { return B().Shown() != nullptr; }, 2000))
            return nullptr;
        return B().Shown();
    }

    TExStringGrid g;
    std::unique_ptr<GridWindow> w;
    int before = 0;
    int windows = 0;
};

} // namespace

TEST_F(Balloons, RestingOnACellShowsItsBalloonWithoutTakingTheActivation)
{
    TBalloonWindow* shown = HoverUntilShown(2, 2);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Title(), QStringLiteral("Limit"));
    EXPECT_EQ(shown->Text(), QStringLiteral("At most 255"));
    EXPECT_EQ(shown->Icon(), biWarning);
    EXPECT_TRUE(shown->isWindow());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_LE(shown->width(), TBalloonWindow::kMaxTextWidth + 20);
    EXPECT_EQ(B().ShownCell(), (TGridCoord{2, 2}));
    EXPECT_EQ(TopLevels(), windows + 1);
    EXPECT_EQ(QApplication::activeWindow(), &w->window);
    EXPECT_EQ(QApplication::focusWidget(), w->edit);

    // On to a cell without a balloon of its own: its text, after the reshow
    // delay; the first balloon is gone.
    QPointer<TBalloonWindow> first = shown;
    QTest::mouseMove(Port(), g.CellRect(3, 4).center());
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(B().PendingDelay(), 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return B().Shown() != nullptr; }, 2000));
    EXPECT_EQ(B().Shown()->Text(), QStringLiteral("c3r4"));
    EXPECT_EQ(B().Shown()->Title(), QString());
    EXPECT_EQ(TopLevels(), windows + 1);
}

TEST_F(Balloons, EveryWayOutDestroysTheBalloonWindow)
{
    struct Case
    {
        const char* name;
        std::function<void(Balloons&)> act;
    };
    const Case cases[] = {
        {"the pointer leaves the grid", [](Balloons& t) { QTest::mouseMove(t.w->beside); }},
        {"the grid scrolls", [](Balloons& t) { t.w->widget->verticalScrollBar()->setValue(3); }},
        {"the grid hides", [](Balloons& t) { t.w->widget->hide(); }},
        {"balloons are switched off",
         [](Balloons& t) {
             t.g.Balloon.SetEnable(false);
             EXPECT_FALSE(t.g.Balloon.FInit);
         }},
        {"a press on the cell", [](Balloons& t) {
             QTest::mousePress(t.Port(), Qt::LeftButton, {}, t.g.CellRect(2, 2).center());
             QTest::mouseRelease(t.Port(), Qt::LeftButton, {}, t.g.CellRect(2, 2).center());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->widget->show();
        w->widget->verticalScrollBar()->setValue(0);
        g.Balloon.SetEnable(true);
        QPointer<TBalloonWindow> shown = HoverUntilShown(2, 2);
        ASSERT_FALSE(shown.isNull());
        c.act(*this);
        EXPECT_TRUE(shown.isNull());
        EXPECT_EQ(B().Shown(), nullptr);
        EXPECT_EQ(TopLevels(), windows);
        // Nothing comes back on its own.
        QTest::qWait(40);
        EXPECT_EQ(B().Shown(), nullptr);
    }
}

TEST_F(Balloons, TheBalloonGoesWithTheGrid)
{
    ASSERT_NE(HoverUntilShown(2, 2), nullptr);
    EXPECT_EQ(TopLevels(), windows + 1);
    w.reset();
    EXPECT_EQ(TopLevels(), before);
}

TEST_F(Balloons, CellsWithoutTextShowNone)
{
    g.SetCells(3, 5, QString());
    QTest::mouseMove(Port(), g.CellRect(3, 5).center());
    QTest::qWait(60);
    EXPECT_EQ(B().Shown(), nullptr);
    EXPECT_EQ(TopLevels(), windows);
}

TEST_F(Balloons, TheSettingsShapeTheWindow)
{
    g.Balloon.Transparency = 64;
    g.Balloon.TextColor = 0x0000FF;
    TBalloonWindow* shown = HoverUntilShown(3, 3);
    ASSERT_NE(shown, nullptr);
    EXPECT_DOUBLE_EQ(shown->windowOpacity(), 191 / 255.0);
    // Long texts wrap at the balloon's width.
    g.SetCells(1, 5, QString(400, u'x').replace(QRegularExpression(QStringLiteral("x{9}")), QStringLiteral("xxxxxxxx ")));
    shown = HoverUntilShown(1, 5);
    ASSERT_NE(shown, nullptr);
    EXPECT_LE(shown->width(), TBalloonWindow::kMaxTextWidth + 20);
    EXPECT_GT(shown->height(), 3 * shown->fontMetrics().height());
}
