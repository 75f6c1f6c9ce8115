// The grid's hints on its own hint window, driven by real events: cell and
// anchor hints where the placement puts them and gone on leave, press, key
// and leaving the cell; the scroll hint while a thumb is dragged; the
// sizing hint; the window going with the grid.
#include "controls/grid/core/base_grid.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/widget/cell_html_layout.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/html_hint_window.h"
#include "controls/grid/widget/qt_canvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

class GridHintWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.SetColCount(6);
        g.SetRowCount(200);
        for (int r = 1; r < g.RowCount(); ++r)
            for (int c = 1; c < g.ColCount(); ++c)
                g.SetCells(c, r, QStringLiteral("<b>r%1</b> c%2").arg(r).arg(c));
        auto* layout = new QVBoxLayout(&dialog);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        dialog.resize(360, 260);
        dialog.move(Screen().topLeft() + QPoint(20, 20));
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        widget->setFocus();
    }

    static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }
    QWidget* Port() { return widget->viewport(); }
    QPoint Mid(int col, int row) { return g.CellRect(col, row).center(); }

    // The pointer rests at p: the grid gets its hint request.
    void Rest(QPoint p)
    {
        QHelpEvent help(QEvent::ToolTip, p, Port()->mapToGlobal(p));
        QApplication::sendEvent(Port(), &help);
    }
    bool HintShown() { return widget->HintWindow() != nullptr && widget->HintWindow()->isVisible(); }
    // Where a hint of the window's size belongs with its corner at the
    // screen point.
    QPoint Placed(QPoint corner)
    {
        return KeepHintOnScreen(QRect(corner, widget->HintWindow()->size()), Screen()).topLeft();
    }

    TExStringGrid g;
    QDialog dialog;
    TGridWidget* widget = nullptr;
};

TEST_F(GridHintWindow, CellHintShowsWhereItsPlacementSaysAndGoes)
{
    g.HintShowCells = true;
    g.HintColor = clYellow;
    const QPoint p = Mid(2, 3);
    const GridHintInfo expected = widget->Mouse().HintAt(p);
    Rest(p);
    ASSERT_TRUE(HintShown());
    THTMLHintWindow* hint = widget->HintWindow();
    EXPECT_EQ(hint->Caption(), QStringLiteral("r3 c2"));
    EXPECT_EQ(hint->pos(), Placed(Port()->mapToGlobal(expected.Pos)));
    EXPECT_EQ(hint->Color(), ToQColor(clYellow));
    EXPECT_FALSE(hint->isActiveWindow());
    EXPECT_TRUE(widget->hasFocus());

    // Each way out hides it; a rest shows it again.
    const struct
    {
        const char* name;
        std::function<void()> act;
        bool stays;
    } ways[] = {
        {"moving inside the cell", [&] { QTest::mouseMove(Port(), p + QPoint(3, 1)); }, true},
        {"leaving the cell", [&] { QTest::mouseMove(Port(), Mid(2, 4)); }, false},
        {"leaving the grid",
         [&] {
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(Port(), &leave);
         },
         false},
        {"a press",
         [&] {
             QTest::mousePress(Port(), Qt::LeftButton, {}, p);
             QTest::mouseRelease(Port(), Qt::LeftButton, {}, p);
         },
         false},
        {"a key", [&] { QTest::keyClick(widget, Qt::Key_Right); }, false},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Rest(p);
        ASSERT_TRUE(HintShown());
        way.act();
        EXPECT_EQ(HintShown(), way.stays);
    }

    // No hint text: nothing shows, a shown one goes.
    Rest(p);
    g.HintShowCells = false;
    Rest(p);
    EXPECT_FALSE(HintShown());
}

TEST_F(GridHintWindow, PlainHintsShowAsTheyAre)
{
    QString text;
    g.OnGridHint = [&](TExStringGrid*, int, int, QString& hint) { hint = text; };
    const QString wide = QStringLiteral("Z\u00fcrich");
    const struct
    {
        const char* name;
        QString hint;
        bool internal;
        QString caption;
        QString wideCaption;
    } cases[] = {
        {"mini-HTML", QStringLiteral("<B>on</B> off"), true, QStringLiteral("<B>on</B> off"), {}},
        {"plain with markup signs", QStringLiteral("a<b & c"), true, QStringLiteral("a&lt;b &amp; c"), {}},
        {"wide-encoded", EncodeWideText(wide), true, EncodeWideText(wide), wide},
        {"mini-HTML without the internal class", QStringLiteral("<B>on</B>"), false,
         QStringLiteral("&lt;B&gt;on&lt;/B&gt;"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        text = c.hint;
        g.UseInternalHintClass = c.internal;
        Rest(Mid(1, 1));
        ASSERT_TRUE(HintShown());
        EXPECT_EQ(widget->HintWindow()->Caption(), c.caption);
        EXPECT_EQ(widget->HintWindow()->WideCaption(), c.wideCaption);
    }
}

TEST_F(GridHintWindow, HintPastTheScreenEdgeIsPulledBack)
{
    g.OnGridHint = [](TExStringGrid*, int row, int col, QString& hint) {
        hint = QStringLiteral("<b>row %1</b> col %2: a hint long enough to pass the edge").arg(row).arg(col);
    };
    const QRect screen = Screen();
    dialog.move(screen.right() - dialog.width() - 10, screen.bottom() - dialog.height() - 10);
    QApplication::processEvents();
    const QPoint p = Mid(4, 4);
    Rest(p);
    ASSERT_TRUE(HintShown());
    const QRect r = widget->HintWindow()->geometry();
    EXPECT_EQ(widget->HintWindow()->Caption(), QStringLiteral("<b>row 4</b> col 4: a hint long enough to pass the edge"));
    EXPECT_EQ(r.x() + r.width(), screen.x() + screen.width() - 2);
    EXPECT_EQ(r.y(), Port()->mapToGlobal(QPoint(0, g.CellRect(4, 4).bottom() + 1 + 6)).y());
}

TEST_F(GridHintWindow, AnchorHintGoesWhenAnotherAnchorIsEntered)
{
    g.AnchorHint = true;
    g.SetColWidths(1, 200);
    g.SetCells(1, 2, QStringLiteral("<a href=\"first\">one</a> and <a href=\"second\">two</a>"));
    // Points on each link, found through the painter's layout.
    QList<QPoint> on;
    QString last;
    const QRect cell = g.CellRect(1, 2);
    for (int x = cell.left(); x < cell.right(); ++x) {
        const QPoint at(x, cell.center().y());
        const html::HtmlLayout layout = CellHtmlLayout(g, 1, 2, at);
        if (layout.Hit && layout.HitLinkTarget != last) {
            last = layout.HitLinkTarget;
            on << at;
        }
    }
    ASSERT_EQ(on.size(), 2);
    Rest(on[0]);
    ASSERT_TRUE(HintShown());
    EXPECT_EQ(widget->HintWindow()->Caption(), QStringLiteral("first"));
    EXPECT_EQ(widget->HintWindow()->pos(), Placed(Port()->mapToGlobal(on[0] + QPoint(8, -16))));
    QTest::mouseMove(Port(), on[0] + QPoint(1, 0));
    EXPECT_TRUE(HintShown());
    QTest::mouseMove(Port(), on[1]);
    EXPECT_FALSE(HintShown());
}

// Drags a scroll bar's thumb by a real press, move and release; checks
// run while it is held.
void DragThumb(QScrollBar* bar, const std::function<void()>& whileHeld)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = false;
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const QPoint from = thumb.center();
    const QPoint by = bar->orientation() == Qt::Vertical ? QPoint(0, 40) : QPoint(40, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, from + by / 2);
    QTest::mouseMove(bar, from + by);
    whileHeld();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, from + by);
}

TEST_F(GridHintWindow, ScrollHintFollowsTheDraggedThumb)
{
    g.SetColCount(60);
    widget->UpdateScrollBars();
    using H = TExStringGrid;
    const struct
    {
        H::TScrollHintType type;
        bool vertical;
        bool horizontal;
    } cases[] = {
        {H::shNone, false, false},
        {H::shVertical, true, false},
        {H::shHorizontal, false, true},
        {H::shBoth, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.type));
        g.ScrollHints = c.type;
        for (Qt::Orientation o : {Qt::Vertical, Qt::Horizontal}) {
            const bool vertical = o == Qt::Vertical;
            QScrollBar* bar = vertical ? widget->verticalScrollBar() : widget->horizontalScrollBar();
            bar->setValue(0);
            DragThumb(bar, [&] {
                ASSERT_GT(bar->sliderPosition(), 0);
                ASSERT_EQ(HintShown(), vertical ? c.vertical : c.horizontal);
                if (!HintShown())
                    return;
                const QString prefix = vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ");
                EXPECT_EQ(widget->HintWindow()->Caption(), prefix + QString::number(bar->sliderPosition() + 1));
                EXPECT_EQ(widget->HintWindow()->pos(), Placed(QCursor::pos() + QPoint(10, 0)));
            });
            EXPECT_FALSE(HintShown());
        }
    }

    // The owner may change the text; it shows as mini-HTML.
    g.ScrollHints = H::shVertical;
    g.OnScrollHint = [](TExStringGrid*, int row, QString& hint) { hint = QStringLiteral("Item <b>%1</b>").arg(row); };
    widget->verticalScrollBar()->setValue(0);
    DragThumb(widget->verticalScrollBar(), [&] {
        ASSERT_TRUE(HintShown());
        EXPECT_EQ(widget->HintWindow()->Caption(),
                  QStringLiteral("Item <b>%1</b>").arg(widget->verticalScrollBar()->sliderPosition() + 1));
        EXPECT_TRUE(widget->HintWindow()->WideCaption().isEmpty());
    });
}

TEST_F(GridHintWindow, SizingHintShowsTheWidthAtTheHeader)
{
    TGridOptions o = g.Options();
    o.Include(goColSizing);
    g.SetOptions(o);
    g.HintShowSizing = true;
    const QRect h = g.CellRect(2, 0);
    const QPoint border(h.x() + h.width() - 1, h.center().y());
    const int before = g.ColWidths(2);
    QTest::mouseMove(Port(), border);
    QTest::mousePress(Port(), Qt::LeftButton, {}, border);
    QTest::mouseMove(Port(), border + QPoint(20, 0));
    ASSERT_TRUE(HintShown());
    EXPECT_EQ(widget->HintWindow()->Caption(), QStringLiteral("cw=<b>%1</b>").arg(before + 20));
    EXPECT_EQ(widget->HintWindow()->pos(), Placed(Port()->mapToGlobal(h.topLeft())));
    // A resting pointer does not replace it with a cell hint.
    g.HintShowCells = true;
    Rest(border + QPoint(20, 0));
    EXPECT_EQ(widget->HintWindow()->Caption(), QStringLiteral("cw=<b>%1</b>").arg(before + 20));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, border + QPoint(20, 0));
    EXPECT_FALSE(HintShown());
    EXPECT_EQ(g.ColWidths(2), before + 20);

    // Without HintShowSizing no hint shows while sizing.
    g.HintShowSizing = false;
    QTest::mouseMove(Port(), border);
    QTest::mousePress(Port(), Qt::LeftButton, {}, border);
    QTest::mouseMove(Port(), border + QPoint(10, 0));
    EXPECT_FALSE(HintShown());
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, border + QPoint(10, 0));
}

TEST_F(GridHintWindow, TheWindowGoesWithTheGrid)
{
    EXPECT_EQ(widget->HintWindow(), nullptr);
    g.HintShowCells = true;
    Rest(Mid(1, 1));
    QPointer<THTMLHintWindow> hint = widget->HintWindow();
    ASSERT_TRUE(hint && hint->isVisible());
    // One window for every hint.
    Rest(Mid(2, 2));
    EXPECT_EQ(widget->HintWindow(), hint.data());
    // Closing the grid's window takes the hint away.
    dialog.hide();
    EXPECT_FALSE(hint->isVisible());
    dialog.show();
    Rest(Mid(2, 2));
    EXPECT_TRUE(hint->isVisible());
    delete widget;
    EXPECT_TRUE(hint.isNull());
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_EQ(dynamic_cast<THTMLHintWindow*>(top), nullptr);
}

} // namespace
