// The search footer on a painted grid, offscreen: docked under the cells,
// typing jumps to the first hit and a miss turns the edit red, Enter and
// Ctrl+Enter walk on and back, the close button hides the strip.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/small_controls/flat_button.h"
#include "controls/grid/small_controls/flat_check_box.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/qt_canvas.h"
#include "controls/grid/widget/search_footer.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// Column 1 holds "apple" in rows 2 and 4, "Apricot" in row 3.
void Make(TExStringGrid& g)
{
    g.SetColCount(3);
    g.SetRowCount(6);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.SetOptions({});
    const char* texts[] = {"", "pear", "apple", "Apricot", "apple", "plum"};
    for (int r = 1; r < 6; ++r)
        g.SetCells(1, r, QString::fromLatin1(texts[r]));
    g.SetCells(2, 5, QStringLiteral("APPLE pie"));
}

QColor EditBase(TSearchPanel& panel)
{
    return panel.EditControl()->palette().color(QPalette::Base);
}

} // namespace

TEST(SearchFooter, DockedUnderTheCellsAndClosed)
{
    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    w.resize(520, 240);
    w.show();
    TSearchPanel* panel = w.SearchPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisibleTo(&w));
    EXPECT_EQ(w.viewport()->geometry().bottom(), w.contentsRect().bottom());

    g.SearchFooter.SetVisible(true);
    ASSERT_TRUE(panel->isVisibleTo(&w));
    EXPECT_EQ(panel->height(), TSearchPanel::kHeight);
    EXPECT_EQ(panel->geometry().top(), w.viewport()->geometry().bottom() + 1);
    EXPECT_EQ(panel->geometry().bottom(), w.contentsRect().bottom());

    // The strip follows its settings: hidden controls, the match-case place.
    g.SearchFooter.SetShowHighLight(false);
    EXPECT_FALSE(panel->HighlightButton()->isVisibleTo(panel));
    EXPECT_EQ(panel->MatchCase()->x(), 330);
    g.SearchFooter.SetShowHighLight(true);
    EXPECT_EQ(panel->MatchCase()->x(), 425);

    bool closed = false;
    panel->OnSearchFooterClose = [&closed] { closed = true; };
    QTest::mouseClick(panel->ExitButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(g.SearchFooter.Visible());
    EXPECT_FALSE(panel->isVisibleTo(&w));
    EXPECT_EQ(w.viewport()->geometry().bottom(), w.contentsRect().bottom());
}

TEST(SearchFooter, TypingFindsAndAMissTurnsTheEditRed)
{
    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    w.resize(520, 240);
    g.SearchFooter.SetVisible(true);
    w.show();
    TSearchPanel* panel = w.SearchPanel();
    TRetEdit* edit = panel->EditControl();
    const QColor window = EditBase(*panel);
    EXPECT_FALSE(panel->ForwardButton()->isEnabled());

    // Each key searches again from the first cell.
    const struct
    {
        const char* typed;
        int col, row;
        bool red;
    } steps[] = {
        {"ap", 1, 2, false},       // "apple" before "Apricot"
        {"r", 1, 3, false},        // "apr": Apricot, case ignored
        {"x", 1, 3, true},         // "aprx": nothing, the cell stays
    };
    for (const auto& s : steps) {
        QTest::keyClicks(edit, QString::fromLatin1(s.typed));
        EXPECT_EQ(g.Col(), s.col) << s.typed;
        EXPECT_EQ(g.Row(), s.row) << s.typed;
        EXPECT_EQ(EditBase(*panel) == ToQColor(clRed), s.red) << s.typed;
        EXPECT_TRUE(panel->ForwardButton()->isEnabled());
    }
    // Clearing the edit takes the window colour back and disables the buttons.
    edit->clear();
    EXPECT_EQ(EditBase(*panel), window);
    EXPECT_FALSE(panel->ForwardButton()->isEnabled());
    EXPECT_FALSE(panel->HighlightButton()->isEnabled());

    // The owner may take the search over.
    panel->OnSearchEditChange = [](const QString&, bool& defaultSearch) { defaultSearch = false; };
    g.SetRow(1);
    QTest::keyClicks(edit, QStringLiteral("plum"));
    EXPECT_EQ(g.Row(), 1);
}

TEST(SearchFooter, EnterWalksOnCtrlEnterBackMatchCaseNarrows)
{
    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    w.resize(520, 240);
    g.SearchFooter.SetVisible(true);
    w.show();
    TSearchPanel* panel = w.SearchPanel();
    TRetEdit* edit = panel->EditControl();

    QTest::keyClicks(edit, QStringLiteral("apple"));
    ASSERT_EQ(g.Row(), 2);
    const struct
    {
        Qt::KeyboardModifiers keys;
        int col, row;
    } walk[] = {
        {Qt::NoModifier, 1, 4},
        {Qt::NoModifier, 2, 5},      // column-wise: "APPLE pie" in column 2
        {Qt::ControlModifier, 1, 4}, // back
    };
    for (const auto& s : walk) {
        QTest::keyClick(edit, Qt::Key_Return, s.keys);
        EXPECT_EQ(g.Col(), s.col) << int(s.keys);
        EXPECT_EQ(g.Row(), s.row) << int(s.keys);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("apple"));

    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(g.Row(), 2);

    // By case, "APPLE pie" is no hit: the button finds row 4, then nothing
    // (the walk ends at the range's end) and the cell stays.
    panel->MatchCase()->SetChecked(true);
    ASSERT_TRUE(panel->ForwardButton()->isEnabled());
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(panel->ForwardButton(), Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_EQ(g.Col(), 1) << i;
        EXPECT_EQ(g.Row(), 4) << i;
    }
    EXPECT_EQ(panel->Search().SearchCell.X, -1);
}
