#include "controls/grid/small_controls/flat_check_box.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using namespace grid;

class RecordingBox : public TExCheckBox
{
public:
    using TExCheckBox::TExCheckBox;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        painted += e->region();
        TExCheckBox::paintEvent(e);
    }
};

struct Form
{
    QWidget window;
    RecordingBox* box = new RecordingBox(&window);
    QLineEdit* next = new QLineEdit(&window);
    int clicks = 0;

    Form()
    {
        window.resize(200, 80);
        box->setGeometry(10, 10, 98, 20);
        next->setGeometry(10, 40, 100, 22);
        box->OnClick = [this](TExCheckBox*) { ++clicks; };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

TEST(FlatCheckBox, ClicksAndSpaceToggle)
{
    Form f;
    QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(f.box->Checked());
    EXPECT_TRUE(f.box->hasFocus());
    QTest::keyPress(f.box, Qt::Key_Space);
    EXPECT_TRUE(f.box->Down());
    QTest::keyRelease(f.box, Qt::Key_Space);
    EXPECT_FALSE(f.box->Down());
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(f.clicks, 2);
}

TEST(FlatCheckBox, ReadOnlyStillClicks)
{
    Form f;
    f.box->ReadOnly = true;
    QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::keyClick(f.box, Qt::Key_Space);
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(f.clicks, 2);
}

TEST(FlatCheckBox, PressLeavingTheBoxDoesNotToggle)
{
    Form f;
    QTest::mousePress(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(f.box->Down());
    QTest::mouseMove(f.box, QPoint(150, 40));
    EXPECT_FALSE(f.box->Down());
    QTest::mouseRelease(f.box, Qt::LeftButton, {}, QPoint(150, 40));
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(f.clicks, 0);
    // The right and bottom edges still count as inside.
    QTest::mousePress(f.box, Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseRelease(f.box, Qt::LeftButton, {}, QPoint(98, 20));
    EXPECT_TRUE(f.box->Checked());
}

TEST(FlatCheckBox, StatesAndRepaintedStrip)
{
    Form f;
    f.box->SetState(cbGrayed);
    EXPECT_FALSE(f.box->Checked());
    EXPECT_EQ(f.box->State(), cbGrayed);

    f.box->SetAlignment(taRightJustify);
    QApplication::processEvents();
    f.box->painted = QRegion();
    f.box->SetState(cbChecked);
    QApplication::processEvents();
    EXPECT_EQ(f.box->painted, QRegion(98 - 20, 0, 20, 20));
    f.box->painted = QRegion();
    f.box->SetAlignment(taLeftJustify);
    QApplication::processEvents();
    f.box->painted = QRegion();
    f.box->SetState(cbUnchecked);
    QApplication::processEvents();
    EXPECT_EQ(f.box->painted, QRegion(0, 0, 20, 20));
}

TEST(FlatCheckBox, ReturnIsTab)
{
    Form f;
    f.box->setFocus();
    QTest::keyClick(f.box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(f.box->hasFocus());  // Enter is Enter without the option
    f.box->ReturnIsTab = true;
    QTest::keyClick(f.box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(f.next->hasFocus());
    EXPECT_FALSE(f.box->Checked());
}

}  // namespace
