#include "controls/dropdown/memo_dropdown.h"
#include "controls/dropdown/trackbar_dropdown.h"
#include "dropdown_fixture.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

void Drag(QWidget* w, const std::vector<int>& xs)
{
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(xs.front(), 5));
    for (size_t i = 1; i < xs.size(); ++i) {
        const QPoint at(xs[i], 5);
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(xs.back(), 5));
}

TEST(TrackBarDropDown, KeysAndLimits)
{
    DropDownWindow w;
    auto* bar = new TExTrackBarDropDown(&w.window);
    w.Show(bar);
    EXPECT_EQ(bar->Text(), QStringLiteral("0"));
    EXPECT_FALSE(bar->EditorEnabled());
    Key(bar, Qt::Key_Up);  // Up lowers: nothing below Min
    EXPECT_EQ(bar->Position(), 0);
    for (int i = 0; i < 4; ++i)
        Key(bar, Qt::Key_Down);
    EXPECT_EQ(bar->Text(), QStringLiteral("4"));
    bar->SetFrequency(3);
    bar->SetPosition(9);
    Key(bar, Qt::Key_Down);  // 12 > 10
    EXPECT_EQ(bar->Position(), 9);
    Key(bar, Qt::Key_Up);
    EXPECT_EQ(bar->Position(), 6);
    bar->SetPosition(50);  // the track bar clamps
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(bar->Text(), QStringLiteral("10"));
}

TEST(TrackBarDropDown, DragSteps)
{
    struct Case
    {
        const char* name;
        int pageSize;
        std::vector<int> xs;
        int gained;
    } cases[] = {
        {"one 10-pixel move", 2, {20, 30}, 5},
        {"ten 1-pixel moves", 2, {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}, 0},
        {"leftwards", 3, {30, 22}, -2},
        {"page size 0 counts as 1", 0, {20, 24}, 4},
    };
    for (const Case& c : cases) {
        DropDownWindow w;
        auto* bar = new TExTrackBarDropDown(&w.window);
        bar->SetMax(100);
        bar->SetPosition(50);
        bar->SetPageSize(c.pageSize);
        w.Show(bar);
        Drag(bar, c.xs);
        EXPECT_EQ(bar->Position(), 50 + c.gained) << c.name;
        EXPECT_FALSE(bar->DroppedDown()) << c.name;
    }
}

TEST(TrackBarDropDown, ChangeWithoutAnInteger)
{
    DropDownWindow w;
    auto* bar = new TExTrackBarDropDown(&w.window);
    bar->SetPosition(7);
    bar->SetEditorEnabled(true);
    w.Show(bar);
    bar->SetTextDirect(QStringLiteral("abc"));
    EXPECT_EQ(bar->Position(), 7);
    bar->SetTextDirect(QString());
    EXPECT_EQ(bar->Position(), 7);
    bar->SetTextDirect(QStringLiteral("3"));
    EXPECT_EQ(bar->Position(), 3);
}

TEST(TrackBarDropDown, PopupKeepsTheValueOnAnOutsideClick)
{
    DropDownWindow w;
    auto* bar = new TExTrackBarDropDown(&w.window);
    int changes = 0;
    bar->OnTrackChange = [&](TExTrackBarDropDown*) { ++changes; };
    int cancelled = -1;
    bar->OnDropUp = [&](TExCustomDropDown*, bool c) { cancelled = c; };
    w.Show(bar);
    QTest::mouseClick(bar->Button(), Qt::LeftButton);
    ASSERT_TRUE(bar->DroppedDown());
    EXPECT_EQ(bar->DropDownForm()->Header(), nullptr);  // no bars
    EXPECT_EQ(bar->DropDownForm()->height(), 50);     // 2 + 40, raised to the minimum
    bar->TrackBar()->setValue(6);
    EXPECT_EQ(bar->Text(), QStringLiteral("6"));  // at once
    EXPECT_EQ(changes, 1);
    ClickOutside(bar->DropDownForm());
    EXPECT_FALSE(bar->DroppedDown());
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(bar->Text(), QStringLiteral("6"));
}

TEST(MemoDropDown, Summary)
{
    DropDownWindow w;
    auto* memo = new TExMemoDropDown(&w.window);
    memo->resize(200, 21);
    memo->SetEditorEnabled(false);
    memo->SetMemoText({QStringLiteral("first"), QStringLiteral("second")});
    EXPECT_EQ(memo->text(), QStringLiteral("first..."));
    memo->SetMemoText({QStringLiteral("only")});
    EXPECT_EQ(memo->text(), QStringLiteral("only"));
    memo->SetMemoText({QString(60, u'w'), QStringLiteral("x")});
    EXPECT_TRUE(memo->text().endsWith(QStringLiteral("...")));
    EXPECT_LT(memo->text().size(), 60);
    memo->SetEditorEnabled(true);
    memo->SetMemoText({QStringLiteral("first"), QStringLiteral("second")});
    EXPECT_EQ(memo->text(), QStringLiteral("first\nsecond"));
}

TEST(MemoDropDown, EscEnterAndOutsideClick)
{
    DropDownWindow w;
    auto* memo = new TExMemoDropDown(&w.window);
    memo->resize(200, 21);
    w.Show(memo);
    memo->SetText(QStringLiteral("assigned"));
    EXPECT_EQ(memo->MemoText(), QStringList{QStringLiteral("assigned")});
    memo->ShowDropDown();
    QPlainTextEdit* box = memo->Memo();
    box->moveCursor(QTextCursor::End);
    Key(box, Qt::Key_Return);  // stays in the memo: a new line
    EXPECT_TRUE(memo->DroppedDown());
    QTest::keyClicks(box, QStringLiteral("more"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("assigned\nmore"));
    Key(box, Qt::Key_Escape);  // cancelled: the assigned value comes back
    EXPECT_FALSE(memo->DroppedDown());
    EXPECT_EQ(memo->Text(), QStringLiteral("assigned"));
    EXPECT_EQ(memo->MemoText(), QStringList{QStringLiteral("assigned")});

    memo->ShowDropDown();
    box->moveCursor(QTextCursor::End);
    Key(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("kept"));
    ClickOutside(memo->DropDownForm());  // no cancel: the lines stay
    EXPECT_FALSE(memo->DroppedDown());
    EXPECT_EQ(memo->MemoText(), (QStringList{QStringLiteral("assigned"), QStringLiteral("kept")}));
    EXPECT_EQ(memo->cursorPosition(), 0);
    memo->ShowDropDown();
    Key(box, Qt::Key_Up, Qt::AltModifier);  // Alt keys reach the edit
    EXPECT_FALSE(memo->DroppedDown());
}

}  // namespace
