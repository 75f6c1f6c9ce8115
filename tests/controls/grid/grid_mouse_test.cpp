// The mouse on the painted grid, driven by real clicks and drags: the
// current cell and OnClick, drag selection, column sizing, the header
// double click reaching the table windows' handler, the Y/N glyph of a
// column grid right of a hidden column, hints, a link's question, the
// wheel, panning, and releases that belong to another widget.
#include "app/common/helpers.h"
#include "app/common/workspace.h"
#include "controls/grid/core/ex_column_grid.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/widget/cell_html_layout.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/html_hint_window.h"
#include "message_recorder.h"
#include "program_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace grid;

namespace {

// A column grid like a table editor's: Number, Name, a hidden Key, a Y/N
// Enable column, a read-only Mode column with a check box in row 2.
class GridMouseWindow : public ::testing::Test
{
protected:
    enum { kNumber, kName, kKey, kEnable, kMode, kColumns };

    void SetUp() override
    {
        g.SetColCount(kColumns);
        g.SetRowCount(30);
        g.Columns()[kName]->SetHeader(QStringLiteral("Name"));
        g.Columns()[kEnable]->SetHeader(QStringLiteral("Enable"));
        g.Columns()[kEnable]->SetEditor(edDataCheckBox);
        g.Columns()[kMode]->SetHeader(QStringLiteral("Mode"));
        g.Columns()[kMode]->ReadOnly = true;
        g.Loaded();
        g.HideColumn(kKey);
        for (int r = 1; r < g.RowCount(); ++r) {
            g.SetCells(kNumber, r, QString::number(r));
            g.SetCells(kName, r, QStringLiteral("n%1").arg(r));
            g.SetCells(kEnable, r, QStringLiteral("N"));
        }
        g.AddCheckBox(kMode, 2, false, true);
        g.SetCells(kMode, 2, QStringLiteral("N"));
        g.OnClick = [this](TExStringGrid*) { ++clicks; };
        g.OnCheckBoxClick = [this](TExStringGrid*, int col, int row, bool state) {
            checks << QStringLiteral("%1,%2,%3").arg(col).arg(row).arg(state ? 1 : 0);
        };
        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        dialog.resize(420, 300);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        widget->setFocus();
        QApplication::processEvents();
        // Links never reach the desktop from a test.
        widget->Mouse().OpenUrl = [this](const QString& url) { opened << url; };
    }

    void TearDown() override { QToolTip::hideText(); }

    QWidget* Port() { return widget->viewport(); }
    QPoint Mid(int col, int row) { return g.CellRect(col, row).center(); }
    // Display columns: Number 0, Name 1, Enable 2, Mode 3.
    int Display(int real) { return g.DisplColIndex(real); }

    TempProgramFolder folder;
    TExColumnGrid g;
    QDialog dialog;
    TGridWidget* widget = nullptr;
    int clicks = 0;
    QStringList checks;
    QStringList opened;
};

} // namespace

TEST_F(GridMouseWindow, ClicksMoveTheCurrentCellAndClickOnce)
{
    QTest::mouseClick(Port(), Qt::LeftButton, {}, Mid(1, 3));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(widget->hasFocus());
    // Shift+click extends the range from the anchor.
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::ShiftModifier, Mid(1, 5));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 1, 5}));
    EXPECT_EQ(clicks, 2);
    // A click beside the cells moves nothing.
    QTest::mouseClick(Port(), Qt::LeftButton, {}, QPoint(Port()->width() - 2, Mid(1, 1).y()));
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(clicks, 2);
}

TEST_F(GridMouseWindow, DraggingSelectsARange)
{
    QTest::mousePress(Port(), Qt::LeftButton, {}, Mid(1, 2));
    QTest::mouseMove(Port(), Mid(1, 3));
    QTest::mouseMove(Port(), Mid(2, 4));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid(2, 4));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 2, 4}));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(clicks, 1);
}

TEST_F(GridMouseWindow, DraggingBelowTheCellsScrollsOnTheTimer)
{
    const int lastShown = g.TopRow() + g.VisibleRowCount() - 1;
    QTest::mousePress(Port(), Qt::LeftButton, {}, Mid(1, 2));
    QTest::mouseMove(Port(), QPoint(Mid(1, 2).x(), Port()->height() + 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.Row() >= lastShown + 3; }, 3000));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(Mid(1, 2).x(), Port()->height() + 20));
    const int row = g.Row();
    EXPECT_GT(g.TopRow(), 1);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 1, row}));
    // Released: no more steps.
    QTest::qWait(200);
    EXPECT_EQ(g.Row(), row);
}

TEST_F(GridMouseWindow, AReleaseWithoutItsPressIsNotTheGrids)
{
    // The press went to another widget: the release that lands here is no
    // click and moves nothing.
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, Mid(1, 4));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_FALSE(widget->Mouse().ButtonHeld());
}

TEST_F(GridMouseWindow, HeaderBorderDragSizesTheColumn)
{
    TGridOptions o = g.Options();
    o.Include(goColSizing);
    g.SetOptions(o);
    int ended = 0;
    g.OnEndColumnSize = [&](TExStringGrid*, int) { ++ended; };
    const QRect h = g.CellRect(1, 0);
    const QPoint border(h.x() + h.width() - 1, h.center().y());
    const int before = g.ColWidths(1);
    QTest::mouseMove(Port(), border);
    EXPECT_EQ(Port()->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(Port(), Qt::LeftButton, {}, border);
    QTest::mouseMove(Port(), border + QPoint(20, 0));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, border + QPoint(25, 0));
    EXPECT_EQ(g.ColWidths(1), before + 25);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(g.Row(), 1);
}

TEST_F(GridMouseWindow, FixedColumnBorderSizesFromADataRowWithSizeFixedCol)
{
    const int before = g.ColWidths(0);
    const QPoint border(before - 1, Mid(1, 4).y());
    QTest::mouseMove(Port(), border);
    EXPECT_NE(Port()->cursor().shape(), Qt::SplitHCursor);
    g.MouseActions.SizeFixedCol = true;
    QTest::mouseMove(Port(), border + QPoint(0, 1));
    EXPECT_EQ(Port()->cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(Port(), Qt::LeftButton, {}, border);
    QTest::mouseMove(Port(), border + QPoint(15, 0));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, border + QPoint(15, 0));
    EXPECT_EQ(g.ColWidths(0), before + 15);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(clicks, 0);
    QTest::mouseMove(Port(), Mid(1, 4));
    EXPECT_EQ(Port()->cursor().shape(), Qt::ArrowCursor);
}

// The per-cell scroll bar: the pointer over the cell shows a real bar at its
// right edge, a click on its arrow steps the cell's position by 10, the
// pointer on another cell hides it, and scrolling the cell away collapses it.
TEST_F(GridMouseWindow, CellScrollBarShowsUnderThePointerAndSteps)
{
    const int name = Display(kName);
    g.SetRowHeights(3, 90);
    g.AddScrollBar(kName, 3, false);
    g.SetScrollProp(kName, 3, QPoint(20, 300));
    QStringList reports;
    g.OnScrollCell = [&](TExStringGrid*, int col, int row, int pos, int min, int max) {
        reports << QStringLiteral("%1,%2:%3 %4..%5").arg(col).arg(row).arg(pos).arg(min).arg(max);
    };
    QTest::mouseMove(Port(), Mid(name, 3));
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : Port()->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
        if (b->isVisible())
            bar = b;
    ASSERT_NE(bar, nullptr);
    const QRect cell = g.CellRect(name, 3);
    EXPECT_EQ(bar->geometry().x() + bar->width(), cell.x() + cell.width() - g.GridLineWidth());
    EXPECT_EQ(bar->width(), 17);
    EXPECT_EQ(bar->maximum(), 280);

    // The down arrow at the bar's foot.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
    EXPECT_EQ(g.GetScrollPosition(kName, 3), 10);
    EXPECT_EQ(bar->value(), 10);
    EXPECT_EQ(reports.join(u' '), QStringLiteral("1,3:10 0..280"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 4));
    EXPECT_EQ(g.GetScrollPosition(kName, 3), 0);

    QTest::mouseMove(Port(), Mid(name, 1));
    EXPECT_FALSE(bar->isVisible());
    QTest::mouseMove(Port(), Mid(name, 3));
    EXPECT_TRUE(bar->isVisible());
    g.SetTopRow(12);
    EXPECT_EQ(bar->height(), 0);
    // The click on the cell itself still reaches the grid.
    g.SetTopRow(1);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, g.CellRect(name, 3).topLeft() + QPoint(5, 5));
    EXPECT_EQ(g.Row(), 3);
}

TEST_F(GridMouseWindow, HeaderDoubleClickReachesTheTableHandler)
{
    TGridOptions o = g.Options();
    o.Include(goColSizing);
    g.SetOptions(o);
    DoubleClickAutoSize = true;
    QStringList seen;
    g.OnDblClickCell = [&](TExStringGrid*, int row, int col) {
        seen << QStringLiteral("%1,%2").arg(row).arg(col);
        Grid_DblClickCell(g, row, col);
    };
    g.SetCells(kName, 4, QString(30, u'w'));
    const int before = g.ColWidths(1);
    // The shown Y/N column is display column 2 (the hidden Key before it).
    // The test's double click ends on the second press: the finger lifts.
    const auto doubleClick = [&](QPoint p) {
        QTest::mouseDClick(Port(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(Port(), Qt::LeftButton, {}, p);
    };
    doubleClick(Mid(2, 0));
    EXPECT_EQ(seen.join(u' '), QStringLiteral("0,2"));
    doubleClick(Mid(1, 0));
    EXPECT_EQ(seen.join(u' '), QStringLiteral("0,2 0,1"));
    EXPECT_GT(g.ColWidths(1), before);
    EXPECT_FALSE(widget->Mouse().ButtonHeld());
}

TEST_F(GridMouseWindow, CheckGlyphTogglesYesNoWithTheDisplayColumn)
{
    TGridOptions o = g.Options();
    o.Include(goEditing);
    g.SetOptions(o);
    const int enable = Display(kEnable);
    ASSERT_EQ(enable, 2);
    const QPoint glyph = g.CellRect(enable, 3).topLeft() + QPoint(5, 5);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, glyph);
    EXPECT_EQ(g.Cells(kEnable, 3), QStringLiteral("Y"));
    EXPECT_EQ(checks.join(u' '), QStringLiteral("2,3,1"));
    QTest::mouseClick(Port(), Qt::LeftButton, {}, glyph);
    EXPECT_EQ(g.Cells(kEnable, 3), QStringLiteral("N"));
    EXPECT_EQ(checks.join(u' '), QStringLiteral("2,3,1 2,3,0"));

    // PreciseCheckBoxCheck: beside the glyph nothing toggles.
    g.MouseActions.PreciseCheckBoxCheck = true;
    QTest::mouseClick(Port(), Qt::LeftButton, {}, g.CellRect(enable, 4).topLeft() + QPoint(40, 8));
    EXPECT_EQ(g.Cells(kEnable, 4), QStringLiteral("N"));
    EXPECT_EQ(g.Row(), 4);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, g.CellRect(enable, 4).topLeft() + QPoint(5, 5));
    EXPECT_EQ(g.Cells(kEnable, 4), QStringLiteral("Y"));

    // The read-only column toggles only with CheckAlwaysActive.
    checks.clear();
    const QPoint modeGlyph = g.CellRect(Display(kMode), 2).topLeft() + QPoint(5, 5);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, modeGlyph);
    EXPECT_EQ(g.Cells(kMode, 2), QStringLiteral("N"));
    g.ControlLook.CheckAlwaysActive = true;
    QTest::mouseClick(Port(), Qt::LeftButton, {}, modeGlyph);
    EXPECT_EQ(g.Cells(kMode, 2), QStringLiteral("Y"));
    EXPECT_EQ(checks.join(u' '), QStringLiteral("3,2,1"));
}

TEST_F(GridMouseWindow, HintComesFromOnGridHintWithTheDisplayColumn)
{
    g.OnGridHint = [](TExStringGrid*, int row, int col, QString& hint) {
        hint = QStringLiteral("row %1 col %2").arg(row).arg(col);
    };
    const QPoint p = Mid(Display(kEnable), 3);
    QHelpEvent help(QEvent::ToolTip, p, Port()->mapToGlobal(p));
    QApplication::sendEvent(Port(), &help);
    ASSERT_NE(widget->HintWindow(), nullptr);
    EXPECT_TRUE(widget->HintWindow()->isVisible());
    EXPECT_EQ(widget->HintWindow()->Caption(), QStringLiteral("row 3 col 2"));
}

TEST_F(GridMouseWindow, LinkClickAsksAndShowsTheHand)
{
    g.SetColWidths(1, 160);
    g.SetCells(kName, 2, QStringLiteral("<a href=\"http://example.org/help\">help</a>"));
    g.SetCells(kName, 3, QStringLiteral("<a href=\"file:///bin/sh\">run</a>"));
    // Where the painter lays the link out.
    const auto linkPoint = [&](int row) {
        const QRect r = g.CellRect(1, row);
        for (int x = r.left(); x < r.right(); ++x) {
            for (int y = r.top(); y < r.bottom(); ++y) {
                if (CellHtmlLayout(g, 1, row, QPoint(x, y)).Hit)
                    return QPoint(x, y);
            }
        }
        return QPoint(-1, -1);
    };
    const QPoint link = linkPoint(2);
    ASSERT_GE(link.x(), 0);
    QTest::mouseMove(Port(), link);
    EXPECT_EQ(Port()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(Port(), Mid(0, 2));
    EXPECT_EQ(Port()->cursor().shape(), Qt::ArrowCursor);

    MessageRecorder messages;
    messages.QueueAnswer(false);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, link);
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Open this link?\nhttp://example.org/help")});
    EXPECT_TRUE(opened.isEmpty());
    QTest::mouseClick(Port(), Qt::LeftButton, {}, link);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://example.org/help")});

    // A link to a program is refused with a message, never asked or opened.
    messages.Clear();
    const QPoint file = linkPoint(3);
    ASSERT_GE(file.x(), 0);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, file);
    EXPECT_EQ(messages.Questions(), 0);
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts().first().startsWith(QStringLiteral("This link is not opened")));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(GridMouseWindow, WheelMovesTheRowAndCtrlWheelZooms)
{
    const auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        const QPoint p = Mid(1, 2);
        QWheelEvent e(p, Port()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(Port(), &e);
    };
    const int lines = QApplication::wheelScrollLines();
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(g.Row(), 1 + lines);
    // Half notches add up.
    wheel(60, Qt::NoModifier);
    EXPECT_EQ(g.Row(), 1 + lines);
    wheel(60, Qt::NoModifier);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(clicks, 2);
    g.IntelliZoom = true;
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(g.ZoomFactor, lines);
    EXPECT_EQ(g.Row(), 1);
}

TEST_F(GridMouseWindow, MiddleButtonPansUntilTheNextPress)
{
    QTest::mouseClick(Port(), Qt::MiddleButton, {}, Mid(1, 3));
    EXPECT_TRUE(widget->Mouse().Panning());
    EXPECT_EQ(Port()->cursor().shape(), Qt::BitmapCursor);
    // The timer steps towards the pointer: below the start, rows go down.
    widget->Mouse().PanStep(Mid(1, 3) + QPoint(0, 30));
    EXPECT_EQ(g.Row(), 2);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, Mid(1, 5));
    EXPECT_FALSE(widget->Mouse().Panning());
    EXPECT_EQ(g.Row(), 5);
    EXPECT_NE(Port()->cursor().shape(), Qt::BitmapCursor);
    // A key ends panning too.
    QTest::mouseClick(Port(), Qt::MiddleButton, {}, Mid(1, 3));
    ASSERT_TRUE(widget->Mouse().Panning());
    QTest::keyClick(widget, Qt::Key_Shift);
    EXPECT_FALSE(widget->Mouse().Panning());
}

TEST_F(GridMouseWindow, SimulatedClicksDetachTheOwnersMouseEvents)
{
    int downs = 0;
    g.OnMouseDown = [&](TExStringGrid*, TMouseButton, TShiftState, int, int) { ++downs; };
    widget->SimulateClick(Mid(1, 6));
    EXPECT_EQ(g.Row(), 6);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 0);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, Mid(1, 7));
    EXPECT_EQ(downs, 1);
}
