// The floating marks of the painted grid, driven by real mouse events on
// the viewport: while a column or row is moved the caption (or the picture
// of its cells) is held under the pointer and the insertion arrows stand
// where the move lands; all of it goes with the release, Esc, a lost focus
// and the grid itself, and the move comes out as without them. Drags over
// the grid show their arrows until they leave or drop; the picture a drag
// holds. The arrow windows' shapes and colour.
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/dragdrop/drag_drop.h"
#include "controls/grid/small_controls/arrow_window.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/header_drag_button.h"
#include "controls/grid/widget/non_activating_form.h"
#include "message_recorder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QDragMoveEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

constexpr int kW = 50;
constexpr int kH = 20;

class GridMoveMarks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(6);
        g.SetRowCount(8);
        g.SetDefaultColWidth(kW);
        g.SetDefaultRowHeight(kH);
        Fill();
        TGridOptions opts = g.Options();
        opts.Include(goColMoving);
        opts.Include(goRowMoving);
        g.SetOptions(opts);
        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        other = new QLineEdit;
        layout->addWidget(other);
        dialog.resize(420, 300);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        widget->setFocus();
        TDragDropSettings s;
        s.ShowCells = false;
        widget->SetDragDropSettings(s);
    }

    // Each cell holds "column,row".
    void Fill()
    {
        for (int c = 0; c < 6; ++c)
            for (int r = 0; r < 8; ++r)
                g.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
    QStringList Texts()
    {
        QStringList t;
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 6; ++c)
                t << g.Cells(c, r);
        return t;
    }

    QWidget* Port() { return widget->viewport(); }
    QPoint Mid(TGridCoord c) { return g.CellRect(c.X, c.Y).center(); }
    QPoint Global(QPoint client) { return Port()->mapToGlobal(client); }
    bool Shown(QWidget* w) { return w != nullptr && w->isVisible(); }
    bool AnyMark()
    {
        bool any = Shown(widget->MoveButton()) || Shown(widget->MoveForm());
        for (int d = 0; d < kArrowCount; ++d)
            any = any || Shown(widget->ArrowWindow(TArrowDirection(d)));
        return any;
    }
    // Each marked arrow shows at its point, the others are hidden.
    void ExpectArrows(const ArrowMarks& marks)
    {
        for (int d = 0; d < kArrowCount; ++d) {
            SCOPED_TRACE(d);
            TArrowWindow* w = widget->ArrowWindow(TArrowDirection(d));
            if (marks.At[d]) {
                ASSERT_TRUE(Shown(w));
                EXPECT_EQ(w->pos(), Global(*marks.At[d]));
            } else {
                EXPECT_FALSE(Shown(w));
            }
        }
    }
    // Press on a header and drag it over `to` (through a point between).
    void StartMove(TGridCoord press, TGridCoord to)
    {
        QTest::mousePress(Port(), Qt::LeftButton, {}, Mid(press));
        QTest::mouseMove(Port(), (Mid(press) + Mid(to)) / 2);
        QTest::mouseMove(Port(), Mid(to));
    }

    TExStringGrid g;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    QLineEdit* other = nullptr;
};

struct MoveCase
{
    const char* name;
    TGridCoord press;
    TGridCoord to;
    const char* caption;
    TGridCoord check; // holds the moved header's data after the release
    const char* after;
};

const MoveCase kMoves[] = {
    {"column to the right", {1, 0}, {4, 0}, "1,0", {4, 1}, "1,1"},
    {"column to the left", {4, 0}, {2, 0}, "4,0", {2, 1}, "4,1"},
    {"column to the first place", {3, 0}, {1, 0}, "3,0", {1, 1}, "3,1"},
    {"column to the last place", {1, 0}, {5, 0}, "1,0", {5, 1}, "1,1"},
    {"row down", {0, 2}, {0, 5}, "0,2", {1, 5}, "1,2"},
    {"row up", {0, 6}, {0, 1}, "0,6", {1, 1}, "1,6"},
    {"row to the last place", {0, 1}, {0, 7}, "0,1", {1, 7}, "1,1"},
};

TEST_F(GridMoveMarks, CaptionAndArrowsFollowAMoveUntilTheRelease)
{
    for (const MoveCase& c : kMoves) {
        SCOPED_TRACE(c.name);
        Fill();
        const QRect pressed = g.CellRect(c.press.X, c.press.Y);
        StartMove(c.press, c.to);
        const bool cols = c.press.Y == 0;
        THeaderDragButton* button = widget->MoveButton();
        ASSERT_TRUE(Shown(button));
        EXPECT_EQ(button->Caption(), QString::fromLatin1(c.caption));
        // Held where the pointer took the header, one header cell big.
        EXPECT_EQ(button->geometry(), QRect(Global(Mid(c.to) - (Mid(c.press) - pressed.topLeft())), pressed.size()));
        const int from = cols ? c.press.X : c.press.Y;
        const int to = cols ? c.to.X : c.to.Y;
        const ArrowMarks marks = cols ? ColumnMoveArrows(g, from, to) : RowMoveArrows(g, from, to);
        EXPECT_TRUE(marks.Any());
        ExpectArrows(marks);
        EXPECT_EQ(Port()->cursor().shape(), Qt::DragMoveCursor);

        QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid(c.to));
        EXPECT_FALSE(AnyMark());
        EXPECT_EQ(g.Cells(c.check.X, c.check.Y), QString::fromLatin1(c.after));
    }
}

TEST_F(GridMoveMarks, EscAndALostFocusEndTheMoveWithoutMoving)
{
    const QStringList before = Texts();

    StartMove({1, 0}, {3, 0});
    ASSERT_TRUE(AnyMark());
    QTest::keyClick(widget, Qt::Key_Escape);
    EXPECT_FALSE(AnyMark());
    EXPECT_NE(Port()->cursor().shape(), Qt::DragMoveCursor);
    // Dragging on and releasing after Esc does nothing more.
    QTest::mouseMove(Port(), Mid({4, 0}));
    EXPECT_FALSE(AnyMark());
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid({4, 0}));
    EXPECT_EQ(Texts(), before);

    StartMove({0, 2}, {0, 5});
    ASSERT_TRUE(AnyMark());
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    EXPECT_FALSE(AnyMark());
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid({0, 5}));
    EXPECT_EQ(Texts(), before);
}

TEST_F(GridMoveMarks, ShowCellsHoldsThePictureOfTheCellsInstead)
{
    TDragDropSettings s;
    s.ShowCells = true;
    widget->SetDragDropSettings(s);
    const QRect pressed = g.CellRect(2, 0);
    StartMove({2, 0}, {4, 0});
    TNoActiveForm* form = widget->MoveForm();
    ASSERT_TRUE(Shown(form));
    EXPECT_FALSE(Shown(widget->MoveButton()));
    // The picture starts on the line before the header.
    EXPECT_EQ(form->pos(), Global(Mid({4, 0}) - (Mid({2, 0}) - pressed.topLeft())) - QPoint(1, 1));
    ExpectArrows(ColumnMoveArrows(g, 2, 4));
    const QPointer<TNoActiveForm> gone(form);
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid({4, 0}));
    EXPECT_TRUE(gone.isNull());
    EXPECT_FALSE(AnyMark());
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("2,1"));
}

TEST_F(GridMoveMarks, MarksGoWithTheGrid)
{
    StartMove({1, 0}, {3, 0});
    const QPointer<QWidget> button(widget->MoveButton());
    const QPointer<QWidget> down(widget->ArrowWindow(arrDown));
    ASSERT_TRUE(Shown(button));
    ASSERT_TRUE(Shown(down));
    delete widget;
    widget = nullptr;
    EXPECT_TRUE(button.isNull());
    EXPECT_TRUE(down.isNull());
}

TEST_F(GridMoveMarks, DragsOverTheGridShowArrowsUntilTheyLeaveOrDrop)
{
    MessageRecorder messages;
    TDragDropSettings s;
    s.OleDropTarget = true;
    s.OleColumnReorder = true;
    widget->SetDragDropSettings(s);
    QMimeData text;
    text.setText(QStringLiteral("a\tb"));
    const auto moveTo = [&](QPoint p, const QMimeData* data) {
        QDragEnterEvent enter(p, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(Port(), &enter);
        QDragMoveEvent move(p, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(Port(), &move);
        return move.isAccepted();
    };

    ASSERT_TRUE(moveTo(Mid({3, 4}), &text));
    ExpectArrows(DropArrows(g, {3, 4}, false, false, s));
    EXPECT_TRUE(Shown(widget->ArrowWindow(arrLeft)));
    // Over the header cells are refused: no arrow.
    EXPECT_FALSE(moveTo(Mid({3, 0}), &text));
    EXPECT_FALSE(AnyMark());
    ASSERT_TRUE(moveTo(Mid({2, 3}), &text));
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(Port(), &leave);
    EXPECT_FALSE(AnyMark());

    // A column over a header: down and up arrows at its left edge; gone
    // with the drop.
    const std::unique_ptr<QMimeData> column = ColumnDragData(2);
    ASSERT_TRUE(moveTo(Mid({4, 0}), column.get()));
    ExpectArrows(DropArrows(g, {4, 0}, true, false, s));
    EXPECT_TRUE(Shown(widget->ArrowWindow(arrUp)));
    QDropEvent drop(QPointF(Mid({4, 0})), Qt::CopyAction | Qt::MoveAction, column.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(Port(), &drop);
    EXPECT_FALSE(AnyMark());
}

TEST_F(GridMoveMarks, DragsHoldTheCellsOrTheColumnCaptionUnderThePointer)
{
    TDragDropSettings s;
    s.OleDropSource = true;
    s.OleColumnDragDrop = true;
    s.ShowCells = false;
    widget->SetDragDropSettings(s);
    QPoint hot;
    // A header's caption, its bottom-left at the pointer; plain cells carry
    // no picture then.
    const QPixmap caption = widget->DragImage({2, 0}, true, hot);
    EXPECT_EQ(caption.deviceIndependentSize().toSize(), QSize(kW, kH));
    EXPECT_EQ(hot, QPoint(0, kH - 1));
    EXPECT_TRUE(widget->DragImage({2, 3}, false, hot).isNull());

    // With ShowCells the cells with their lines, 4 pixels right of and below
    // the pointer: the selection, or the column through the shown rows.
    s.ShowCells = true;
    widget->SetDragDropSettings(s);
    g.SetSelection({1, 2, 2, 3});
    hot = {};
    const QPixmap cells = widget->DragImage({1, 2}, false, hot);
    EXPECT_EQ(cells.deviceIndependentSize().toSize(), QSize(2 * kW + 1, 2 * kH + 1));
    EXPECT_EQ(hot, QPoint(-4, -4));
    const QPixmap column = widget->DragImage({3, 0}, true, hot);
    EXPECT_EQ(column.deviceIndependentSize().toSize(), QSize(kW + 1, 8 * kH + 1));
}

struct ShapeCase
{
    TArrowDirection dir;
    QSize size;
    QPoint inside[2]; // the tip side and the shaft
    QPoint outside[2];
};

const ShapeCase kShapes[] = {
    {arrUp, {11, 10}, {{5, 1}, {5, 8}}, {{0, 0}, {1, 8}}},
    {arrDown, {10, 9}, {{5, 7}, {5, 1}}, {{0, 8}, {1, 1}}},
    {arrLeft, {9, 11}, {{7, 5}, {1, 5}}, {{8, 0}, {1, 1}}},
    {arrRight, {9, 11}, {{1, 5}, {7, 5}}, {{0, 0}, {7, 1}}},
};

TEST_F(GridMoveMarks, ArrowWindowsAreShapedFloatingMarks)
{
    for (const ShapeCase& c : kShapes) {
        SCOPED_TRACE(c.dir);
        TArrowWindow w(widget, c.dir);
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(w.isWindow());
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(w.windowType(), Qt::ToolTip);
        EXPECT_EQ(w.focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(w.testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_EQ(w.size(), c.size);
        for (const QPoint& p : c.inside)
            EXPECT_TRUE(w.mask().contains(p)) << p.x() << "," << p.y();
        for (const QPoint& p : c.outside)
            EXPECT_FALSE(w.mask().contains(p)) << p.x() << "," << p.y();
        const QImage painted = w.grab().toImage();
        EXPECT_EQ(painted.pixelColor(c.inside[1]), QColor(0, 255, 0));
    }
    // The grid's arrow colour reaches arrows made before and after.
    StartMove({1, 0}, {3, 0});
    widget->SetArrowColor(clRed);
    EXPECT_EQ(widget->ArrowWindow(arrUp)->Color(), clRed);
    QTest::mouseMove(Port(), Mid({0, 0}) + QPoint(0, 0));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid({1, 0}));
}

} // namespace
