#include "controls/dropdown/detail_dropdown.h"
#include "controls/dropdown/dropdown_form.h"
#include "dropdown_fixture.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

struct DetailWindow : ::testing::Test
{
    DetailWindow()
    {
        detail = new TExDetailDropDown(&w.window);
        detail->setGeometry(20, 30, 180, 21);
        for (const char* c : {"Apple", "Apricot", "Banana", "Berlin", "Bern", "Cherry", "Date", "Elder"})
            detail->Items().push_back({QString::fromLatin1(c), -1, QImage(), QStringLiteral("<i>notes</i>")});
        detail->OnSelect = [this](TExDetailDropDown*) { ++selects; };
        w.Show(detail);
    }
    DropDownWindow w;
    TExDetailDropDown* detail;
    int selects = 0;
};

TEST_F(DetailWindow, CompletionKeepsTheTypedCase)
{
    QTest::keyClicks(detail, QStringLiteral("a"));
    EXPECT_EQ(detail->text(), QStringLiteral("apple"));
    EXPECT_EQ(detail->selectedText(), QStringLiteral("pple"));
    EXPECT_EQ(detail->ItemIndex(), 0);
    QTest::keyClicks(detail, QStringLiteral("pr"));
    EXPECT_EQ(detail->text(), QStringLiteral("apricot"));
    EXPECT_EQ(detail->ItemIndex(), 1);
    EXPECT_EQ(selects, 0);  // completion sets the index without the event

    detail->SetItemIndex(-1);
    EXPECT_EQ(detail->text(), QString());
    detail->MatchCase = true;
    QTest::keyClicks(detail, QStringLiteral("a"));
    EXPECT_EQ(detail->text(), QStringLiteral("a"));
}

TEST_F(DetailWindow, BackspaceEscDeleteStopCompletion)
{
    for (int key : {int(Qt::Key_Backspace), int(Qt::Key_Delete), int(Qt::Key_Escape)}) {
        SCOPED_TRACE(key);
        detail->SetItemIndex(-1);
        QTest::keyClicks(detail, QStringLiteral("b"));
        ASSERT_EQ(detail->text(), QStringLiteral("banana"));
        QTest::keyClick(detail, Qt::Key(key));
        EXPECT_FALSE(detail->Completing());
        QTest::keyClick(detail, Qt::Key_End);
        EXPECT_TRUE(detail->Completing());  // the next other key
    }
}

TEST_F(DetailWindow, EnterTakesOnlyAnExactCaption)
{
    detail->MatchCase = true;
    detail->setText(QStringLiteral("apple"));
    QTest::keyClick(detail, Qt::Key_Return);
    EXPECT_EQ(detail->ItemIndex(), -1);
    detail->setText(QStringLiteral("Cherry"));
    QTest::keyClick(detail, Qt::Key_Return);
    EXPECT_EQ(detail->ItemIndex(), 5);
    detail->SetItemIndex(50);  // beyond the items: ignored
    EXPECT_EQ(detail->ItemIndex(), 5);
}

TEST_F(DetailWindow, PopupKeysClickAndCancel)
{
    detail->SetItemIndex(2);
    selects = 0;
    detail->ShowDropDown();
    ASSERT_TRUE(detail->DroppedDown());
    TExCustomItemSelector* selector = detail->Selector();
    EXPECT_EQ(selector->ItemIndex(), 2);
    QTest::keyClick(selector, Qt::Key_Down);
    EXPECT_TRUE(detail->DroppedDown());  // Down moves without closing
    EXPECT_EQ(detail->ItemIndex(), 3);
    EXPECT_EQ(detail->text(), QStringLiteral("Berlin"));
    QTest::keyClick(selector, Qt::Key_Escape);
    EXPECT_FALSE(detail->DroppedDown());
    EXPECT_EQ(detail->ItemIndex(), 2);  // cancel restores the index
    EXPECT_EQ(detail->text(), QStringLiteral("Banana"));

    detail->ShowDropDown();
    const QRect row = selector->GetItemRect(6);
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, {},
                      row.center() - QPoint(0, selector->verticalScrollBar()->value()));
    EXPECT_FALSE(detail->DroppedDown());  // a click selects and closes
    EXPECT_EQ(detail->ItemIndex(), 6);
    EXPECT_EQ(detail->text(), QStringLiteral("Date"));
}

TEST_F(DetailWindow, TypeAheadWithASteppedTimer)
{
    detail->ShowDropDown();
    TExCustomItemSelector* selector = detail->Selector();
    QTest::keyClick(selector, Qt::Key_B);
    QTest::keyClick(selector, Qt::Key_E);
    QTest::keyClick(selector, Qt::Key_R);
    EXPECT_EQ(detail->CurrentSearch(), QStringLiteral("BER"));
    EXPECT_EQ(detail->ItemIndex(), 3);  // Berlin
    QTest::keyClick(selector, Qt::Key_N);
    EXPECT_EQ(detail->ItemIndex(), 4);  // Bern
    EXPECT_TRUE(detail->KeyTimer().isActive());
    detail->KeyTimerTick();  // 500 ms after the first key
    EXPECT_EQ(detail->CurrentSearch(), QString());
    QTest::keyClick(selector, Qt::Key_Shift);
    EXPECT_EQ(detail->CurrentSearch(), QString(QChar(16)));  // Shift appends its key code
    detail->HideDropDown(false);
}

TEST(DetailItem, AssignCopiesTheNotes)
{
    TDetailItem a{QStringLiteral("A"), 3, QImage(), QStringLiteral("n"), false, 7};
    TDetailItem b;
    b.Assign(a);
    EXPECT_EQ(b.Notes, QStringLiteral("n"));
    EXPECT_EQ(b.Caption, QStringLiteral("A"));
    EXPECT_EQ(b.Tag, 7);
}

}  // namespace
