// The filter list of a header's filter glyph on the painted grid, offscreen:
// opened by a real click on the glyph, picked by click or keys, closed by
// Esc or a click elsewhere; the check list's ticks.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/widget/filter_dropdown.h"
#include "controls/grid/widget/grid_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

using namespace grid;

namespace {

// A colour column with a blank in one value, and a number column.
class FilterListWindow : public ::testing::Test
{
public:
    static constexpr int kColour = 1;

    void SetUp() override
    {
        g.SetColCount(3);
        g.SetRowCount(7);
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        g.SetDefaultColWidth(90);
        g.FilterDropDownAuto = true;
        const char* colours[] = {"red", "blue", "red", "green", "light blue", "Blue"};
        for (int r = 1; r < 7; ++r) {
            g.SetCells(kColour, r, QString::fromLatin1(colours[r - 1]));
            g.SetCells(2, r, QString::number(r));
        }
        g.OnFilterSelect = [this](TExStringGrid*, int col, int index, QString& name, QString& condition) {
            picks << QStringLiteral("%1,%2,%3,%4").arg(col).arg(index).arg(name, condition);
        };
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(g);
        layout->addWidget(widget);
        window.resize(400, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget* Port() { return widget->viewport(); }
    // The glyph sits at the right of the header cell, near its top.
    QPoint Glyph(int col)
    {
        const QRect r = g.CellRect(col, 0);
        return QPoint(r.right() - 7, r.top() + 8);
    }
    TFilterDropList* OpenList() { return widget->FilterDropDowns().OpenList(); }
    TFilterDropList* ClickGlyph(int col)
    {
        QTest::mouseClick(Port(), Qt::LeftButton, {}, Glyph(col));
        return OpenList();
    }
    QStringList Shown(const TFilterDropList* list)
    {
        QStringList out;
        for (int i = 0; i < list->List()->count(); ++i)
            out << list->List()->item(i)->text();
        return out;
    }
    void ClickEntry(TFilterDropList* list, const QString& text)
    {
        QListWidget* items = list->List();
        const QList<QListWidgetItem*> found = items->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, items->visualItemRect(found.first()).center());
    }
    QStringList Column(int col)
    {
        QStringList out;
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            out << g.Cells(col, r);
        return out;
    }

    TExStringGrid g;
    QWidget window;
    TGridWidget* widget = nullptr;
    QStringList picks;
};

} // namespace

TEST_F(FilterListWindow, TheGlyphOpensTheColumnsValuesUnderItsHeaderClearEntryFirst)
{
    TFilterDropList* list = ClickGlyph(kColour);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isWindow());
    // Sorted without regard to case, duplicates dropped, the name of a value
    // with a blank shown without its quoted condition.
    EXPECT_EQ(Shown(list), (QStringList{"(All)", "blue", "green", "light blue", "red"}));
    EXPECT_EQ(g.FilterCol(), kColour);
    EXPECT_FALSE(list->IsCheckList());
    // Under the header cell, right-aligned with it, 150 by 150.
    const QRect header = g.CellRect(kColour, 0);
    EXPECT_EQ(list->geometry(),
              QRect(Port()->mapToGlobal(QPoint(header.right() + 1 - 150, header.bottom() + 1)), QSize(150, 150)));
    // The release on the glyph did not sort.
    EXPECT_EQ(g.Cells(kColour, 1), QStringLiteral("red"));
}

TEST_F(FilterListWindow, APickFiltersTheRowsAndTheClearEntryShowsThemAgain)
{
    TFilterDropList* list = ClickGlyph(kColour);
    ASSERT_NE(list, nullptr);
    ClickEntry(list, QStringLiteral("red"));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Column(kColour), (QStringList{"red", "red"}));
    EXPECT_EQ(g.FilterCol(), -1);
    EXPECT_EQ(picks, (QStringList{"1,4,red,red"}));

    // The blank value filters by its quoted condition.
    list = ClickGlyph(kColour);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Shown(list).size(), 5); // every value, the hidden rows' too
    ClickEntry(list, QStringLiteral("light blue"));
    EXPECT_EQ(Column(kColour), (QStringList{"light blue"}));

    // The clear entry, by keys: every row again, no condition left.
    list = ClickGlyph(kColour);
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list->List(), Qt::Key_Down);
    QTest::keyClick(list->List(), Qt::Key_Up);
    QTest::keyClick(list->List(), Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Column(kColour), (QStringList{"red", "blue", "red", "green", "light blue", "Blue"}));
    EXPECT_FALSE(g.Filter.HasFilter(kColour));
    EXPECT_EQ(picks.last(), QStringLiteral("1,0,(All),"));
}

TEST_F(FilterListWindow, ClosingWithoutAPickChangesNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(FilterListWindow&, TFilterDropList*)> close;
    };
    const Case cases[] = {
        {"Esc after moving to an entry",
         [](FilterListWindow&, TFilterDropList* list) {
             QTest::keyClick(list->List(), Qt::Key_Down);
             QTest::keyClick(list->List(), Qt::Key_Down);
             QTest::keyClick(list->List(), Qt::Key_Escape);
         }},
        {"Enter with no entry selected",
         [](FilterListWindow&, TFilterDropList* list) { QTest::keyClick(list->List(), Qt::Key_Return); }},
        // The popup holds the mouse: a press elsewhere reaches it outside its
        // rectangle.
        {"a click on a cell",
         [](FilterListWindow& t, TFilterDropList* list) {
             const QPoint cell = t.Port()->mapToGlobal(t.g.CellRect(2, 3).center());
             QTest::mouseClick(list, Qt::LeftButton, {}, list->mapFromGlobal(cell));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFilterDropList* list = ClickGlyph(kColour);
        ASSERT_NE(list, nullptr);
        c.close(*this, list);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(g.FilterCol(), -1);
        EXPECT_EQ(g.RowCount(), 7);
        EXPECT_EQ(g.Filter.Count(), 0);
        EXPECT_TRUE(picks.isEmpty());
    }
}

TEST_F(FilterListWindow, TheCheckListFiltersOnEveryTickAndStaysOpen)
{
    g.FilterDropDownCheck = true;
    g.FilterDropDownClear.clear();
    TFilterDropList* list = ClickGlyph(kColour);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->IsCheckList());
    EXPECT_EQ(Shown(list), (QStringList{"blue", "green", "light blue", "red"}));

    ClickEntry(list, QStringLiteral("green"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(Column(kColour), (QStringList{"green"}));
    ClickEntry(list, QStringLiteral("red"));
    EXPECT_EQ(Column(kColour), (QStringList{"red", "red", "green"}));
    EXPECT_EQ(g.FilterCol(), kColour);
    // Enter leaves it open; a second click takes the tick away again.
    QTest::keyClick(list->List(), Qt::Key_Return);
    EXPECT_TRUE(list->isVisible());
    ClickEntry(list, QStringLiteral("green"));
    EXPECT_EQ(Column(kColour), (QStringList{"red", "red"}));

    QTest::keyClick(list->List(), Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(g.FilterCol(), -1);
    EXPECT_EQ(Column(kColour), (QStringList{"red", "red"}));
}

TEST_F(FilterListWindow, TheLookSettingsShapeTheList)
{
    g.FilterDropDown.ColumnWidth = true;
    g.FilterDropDown.Height = 80;
    g.FilterDropDown.Color = 0x00FFFF; // yellow
    TFilterDropList* list = ClickGlyph(kColour);
    ASSERT_NE(list, nullptr);
    const QRect header = g.CellRect(kColour, 0);
    EXPECT_EQ(list->geometry(), QRect(Port()->mapToGlobal(QPoint(header.left(), header.bottom() + 1)),
                                      QSize(header.width(), 80)));
    EXPECT_EQ(list->List()->palette().color(QPalette::Base), QColor(Qt::yellow));
    QTest::keyClick(list->List(), Qt::Key_Escape);
}
