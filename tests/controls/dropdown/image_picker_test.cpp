#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/image_picker_dropdown.h"
#include "dropdown_fixture.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

struct ImagePickerWindow : ::testing::Test
{
    ImagePickerWindow()
    {
        picker = new TExImagePickerDropDown(&w.window);
        picker->setGeometry(20, 30, 120, 24);
        picker->OnChange = [this](TExCustomDropDown*) { events << QStringLiteral("change"); };
        picker->OnSelect = [this](TExImagePickerDropDown*) { events << QStringLiteral("select"); };
        w.Show(picker);
    }
    void Captions(std::initializer_list<const char*> captions)
    {
        for (const char* c : captions) {
            TSelectorItem item;
            item.Caption = QString::fromLatin1(c);
            item.ImageIndex = int(picker->Items().size()) * 2;
            item.Image = QImage(12, 12, QImage::Format_RGB32);
            item.Image.fill(Qt::darkCyan);
            picker->Items().push_back(item);
        }
    }
    DropDownWindow w;
    TExImagePickerDropDown* picker;
    QStringList events;
};

TEST_F(ImagePickerWindow, ItemsFromAFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(dir.filePath(QStringLiteral("a.png"))));
    ASSERT_TRUE(red.scaled(10, 6).save(dir.filePath(QStringLiteral(".hidden.png"))));
    QFile broken(dir.filePath(QStringLiteral("broken.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG\r\n\x1a\n not really");
    broken.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    QFile other(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    picker->AddImagesFromFolder(dir.filePath(QStringLiteral("*.png")), true);
    ASSERT_EQ(picker->Items().size(), 4u);  // hidden entries and the subfolder too
    int pictures = 0;
    QStringList captions;
    for (const TSelectorItem& item : picker->Items()) {
        pictures += !item.Image.isNull();
        captions << item.Caption;
    }
    EXPECT_EQ(pictures, 2);
    EXPECT_EQ(captions.join(u','), QStringLiteral(".hidden.png,a.png,,"));  // no caption without a picture
}

TEST_F(ImagePickerWindow, ItemIndexAndImageIndexEvents)
{
    Captions({"one", "two", "three"});
    picker->SetItemIndex(1);
    EXPECT_EQ(events.join(u' '), QStringLiteral("change select"));
    events.clear();
    picker->SetItemIndex(1);  // the current one
    picker->SetItemIndex(3);  // beyond the items
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(picker->ImageIndex(), 2);
    picker->SetImageIndex(5);  // no item has it
    EXPECT_EQ(picker->ItemIndex(), -1);
    EXPECT_EQ(events.join(u' '), QStringLiteral("change select"));
    events.clear();
    picker->SetImageIndex(5);
    EXPECT_TRUE(events.isEmpty());
    picker->SelectPrevious();
    EXPECT_EQ(picker->ItemIndex(), 0);
    picker->SelectLast();
    picker->SelectNext();
    EXPECT_EQ(picker->ItemIndex(), 2);
}

TEST_F(ImagePickerWindow, PopupKeysByColumnsAndTypeAhead)
{
    Captions({"Apple", "Cabbage", "Carrot", "Celery", "Date", "Cacao"});
    picker->Columns = 3;
    picker->SetItemIndex(1);
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    TExCustomItemSelector* selector = picker->Selector();
    QTest::keyClick(selector, Qt::Key_Down);
    EXPECT_EQ(picker->ItemIndex(), 4);
    EXPECT_TRUE(picker->DroppedDown());
    QTest::keyClick(selector, Qt::Key_Up);
    EXPECT_EQ(picker->ItemIndex(), 1);
    QTest::keyClick(selector, Qt::Key_C);
    QTest::keyClick(selector, Qt::Key_A);
    EXPECT_EQ(picker->CurrentSearch(), QStringLiteral("CA"));
    EXPECT_EQ(picker->ItemIndex(), 1);  // Cabbage, the first "CA"
    QTest::keyClick(selector, Qt::Key_R);
    EXPECT_EQ(picker->ItemIndex(), 2);
    picker->KeyTimerTick();  // the pause
    QTest::keyClick(selector, Qt::Key_D);
    EXPECT_EQ(picker->ItemIndex(), 4);
    QTest::keyClick(selector, Qt::Key_Escape);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->ItemIndex(), 1);  // cancel restores the index

    picker->ShowDropDown();
    const QRect cell = selector->GetItemRect(5);
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->ItemIndex(), 5);
    // Closed, the arrows step through the items.
    QTest::keyClick(picker, Qt::Key_Up);
    EXPECT_EQ(picker->ItemIndex(), 4);
}

TEST_F(ImagePickerWindow, PopupFitsTheCells)
{
    Captions({"a", "b", "c", "d", "e", "f", "g", "h"});
    picker->Columns = 4;
    picker->ShowDropDown();
    TExCustomItemSelector* selector = picker->Selector();
    const QSize panel = selector->GetSelectorPanelSize();
    EXPECT_GE(selector->viewport()->width(), panel.width());
    EXPECT_GE(selector->viewport()->height(), panel.height());
    EXPECT_EQ(selector->verticalScrollBar()->maximum(), 0);
    picker->HideDropDown(false);
}

}  // namespace
