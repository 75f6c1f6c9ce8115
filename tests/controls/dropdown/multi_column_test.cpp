#include "controls/dropdown/multi_column_dropdown.h"
#include "dropdown_fixture.h"

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TDropDownItems Cities()
{
    TDropDownItems items;
    for (const char* c : {"Amsterdam|NL", "Berlin|DE", "Bern|CH", "Brussels|BE", "Cairo|EG", "Dublin|IE",
                          "Lisbon|PT", "Madrid|ES", "Oslo|NO", "Paris|FR", "Rome|IT", "Vienna|AT"})
        items.push_back({-1, QString::fromLatin1(c).split(QLatin1Char('|'))});
    return items;
}

struct MultiColumnWindow : ::testing::Test
{
    MultiColumnWindow()
    {
        dd = new TExMultiColumnDropDown(&w.window);
        dd->setGeometry(20, 30, 180, 21);
        TDropDownColumn city;
        city.Header = QStringLiteral("City");
        TDropDownColumn code;
        code.Header = QStringLiteral("Code");
        code.Width = 40;
        dd->SetColumns({city, code});
        dd->SetItems(Cities());
        dd->OnSelect = [this](TExMultiColumnDropDown*) { ++selects; };
        w.Show(dd);
    }
    multicolumn::TExColGridView* Open()
    {
        dd->ShowDropDown();
        EXPECT_TRUE(dd->DroppedDown());
        return dd->View();
    }
    QPoint RowCentre(int row)
    {
        multicolumn::TExColGrid& g = dd->View()->Table();
        return g.PlatformCellRect(0, row).center();
    }
    DropDownWindow w;
    TExMultiColumnDropDown* dd;
    int selects = 0;
};

TEST_F(MultiColumnWindow, CompletionEnterAndEsc)
{
    QTest::keyClicks(dd, QStringLiteral("be"));
    EXPECT_EQ(dd->text(), QStringLiteral("Berlin"));  // the item's own text after the key's release
    EXPECT_EQ(dd->selectedText(), QStringLiteral("rlin"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    QTest::keyClick(dd, Qt::Key_Backspace);  // removes the completed part, completion stops
    EXPECT_FALSE(dd->Completing());
    EXPECT_EQ(dd->text(), QStringLiteral("Be"));

    dd->setText(QStringLiteral("PARIS"));
    QTest::keyClick(dd, Qt::Key_Return);  // another case: the entry's exact text
    EXPECT_EQ(dd->text(), QStringLiteral("Paris"));
    EXPECT_EQ(dd->ItemIndex(), 9);

    dd->setText(QStringLiteral("Atlantis"));
    QTest::keyClick(dd, Qt::Key_Escape);  // no entry: nothing chosen, text cleared
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->text(), QString());
}

TEST_F(MultiColumnWindow, NoLookupColumnCompletesNothing)
{
    TExMultiColumnDropDown other(&w.window);
    other.LookupColumn = -1;
    other.SetItems(Cities());
    other.show();
    other.setFocus();
    QTest::keyClicks(&other, QStringLiteral("be"));
    EXPECT_EQ(other.text(), QStringLiteral("be"));
    QTest::keyClick(&other, Qt::Key_Return);
    EXPECT_EQ(other.ItemIndex(), -1);
}

TEST_F(MultiColumnWindow, ClosedKeysStepThroughTheItems)
{
    struct Case
    {
        int start;
        Qt::Key key;
        int expected;
    };
    const Case cases[] = {
        {-1, Qt::Key_Down, 0}, {11, Qt::Key_Down, 11}, {0, Qt::Key_Up, 0}, {5, Qt::Key_PageDown, 11},
        {1, Qt::Key_PageDown, 11}, {9, Qt::Key_PageUp, 0}, {-1, Qt::Key_PageUp, 0},
    };
    for (const Case& c : cases) {
        dd->SetItemIndex(c.start);
        QTest::keyClick(dd, c.key);
        EXPECT_EQ(dd->ItemIndex(), c.expected) << c.start << " " << c.key;
    }
    dd->SetItemIndex(11);
    dd->SetItemIndex(12);  // at the count: ignored
    EXPECT_EQ(dd->ItemIndex(), 11);
    EXPECT_EQ(dd->text(), QStringLiteral("Vienna"));
}

TEST_F(MultiColumnWindow, PopupTableGeometry)
{
    multicolumn::TExColGridView* view = Open();
    multicolumn::TExColGrid& g = view->Table();
    EXPECT_EQ(g.RowCount(), 13);
    EXPECT_EQ(g.RowHeights(0), 25);
    EXPECT_EQ(g.RowHeights(1), 22);
    EXPECT_EQ(dd->DropDownForm()->height(), 181);  // 200 snapped to whole rows
    // Not all rows fit: the width holds the vertical bar, and the columns
    // scale to the popup without it.
    const int bar = dd->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(dd->DropDownForm()->width(), 80 + 40 + bar + 2);
    const std::vector<int> scaled = ScaleColumnWidths({80, 40}, dd->DropDownForm()->width() - 2 - bar);
    EXPECT_EQ(g.ColWidths(0), scaled[0]);
    EXPECT_EQ(g.ColWidths(1), scaled[1]);
    dd->HideDropDown(true);
}

TEST_F(MultiColumnWindow, PopupKeysClicksAndCancel)
{
    dd->SetItemIndex(2);
    multicolumn::TExColGridView* view = Open();
    EXPECT_EQ(view->Table().Row(), 3);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 3);  // the edit follows the row
    EXPECT_EQ(dd->text(), QStringLiteral("Brussels"));
    QTest::keyClick(view, Qt::Key_Tab);  // does nothing
    EXPECT_EQ(view->Table().Row(), 4);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);  // cancel restores the index
    EXPECT_EQ(dd->text(), QStringLiteral("Bern"));
    EXPECT_EQ(selects, 0);

    view = Open();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(selects, 1);

    view = Open();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCentre(0));  // the header chooses nothing
    EXPECT_TRUE(dd->DroppedDown());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowCentre(5));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_EQ(dd->text(), QStringLiteral("Cairo"));
    EXPECT_EQ(selects, 2);
}

TEST_F(MultiColumnWindow, PopupTypeAhead)
{
    multicolumn::TExColGridView* view = Open();
    QTest::keyClick(view, Qt::Key_B);
    QTest::keyClick(view, Qt::Key_E);
    QTest::keyClick(view, Qt::Key_R);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Berlin"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("lin"));  // the untyped part
    EXPECT_EQ(view->Table().Row(), 2);
    QTest::keyClick(view, Qt::Key_N);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QStringLiteral("Bern"));
    QTest::keyClick(view, Qt::Key_Backspace);  // with the completed part selected: removes it
    QTest::keyClick(view, Qt::Key_X);  // starts no entry: the type-ahead text empties
    EXPECT_EQ(dd->LookupEntry(), QString());
    QTest::keyClick(view, Qt::Key_V);  // a single character starts again
    EXPECT_EQ(dd->ItemIndex(), 11);
    EXPECT_EQ(view->Table().Row(), 12);
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("v"));
    dd->HideDropDown(false);
}

TEST(MultiColumn, AssignCopiesItemTexts)
{
    TExMultiColumnDropDown a;
    a.SetItems(Cities());
    a.HeaderHeight = 30;
    a.SetItemIndex(3);
    TExMultiColumnDropDown b;
    b.Assign(a);
    ASSERT_EQ(b.Items().size(), a.Items().size());
    EXPECT_EQ(b.Items()[3].Text, a.Items()[3].Text);
    EXPECT_EQ(b.HeaderHeight, 30);
    EXPECT_EQ(b.ItemIndex(), 3);
    EXPECT_EQ(b.GetItemIndex(QStringLiteral("Oslo")), 8);
}

TEST(MultiColumn, LookupOverItemsWithoutTheLine)
{
    TExMultiColumnDropDown dd;
    dd.LookupColumn = 1;
    TDropDownItems items = Cities();
    items[0].Text = {QStringLiteral("Nowhere")};  // no line for column 1
    dd.SetItems(items);
    EXPECT_EQ(dd.GetItemIndex(QStringLiteral("DE")), 1);
    dd.SetItemIndex(0);
    EXPECT_EQ(dd.text(), QString());
    EXPECT_EQ(dd.LookupItems().first(), QString());
}

}  // namespace
