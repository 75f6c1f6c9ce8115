#include "controls/grid/small_controls/flat_button.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace grid;

struct Panel
{
    QWidget parent;
    TExGridButton* a = new TExGridButton(&parent);
    TExGridButton* b = new TExGridButton(&parent);
    int clicks = 0;
    int dropDowns = 0;

    Panel()
    {
        parent.resize(200, 50);
        a->setGeometry(0, 0, 60, 22);
        b->setGeometry(70, 0, 60, 22);
        for (TExGridButton* button : {a, b}) {
            button->OnClick = [this](TExGridButton*) { ++clicks; };
            button->OnDropDown = [this](TExGridButton*) { ++dropDowns; };
        }
        parent.show();
    }
    static void Click(TExGridButton* button, QPoint at = QPoint(10, 10))
    {
        QTest::mousePress(button, Qt::LeftButton, {}, at);
        QTest::mouseRelease(button, Qt::LeftButton, {}, at);
    }
};

TEST(FlatButton, DownNeedsAGroupOrTheCheckStyle)
{
    Panel p;
    p.a->SetDown(true);
    EXPECT_FALSE(p.a->Down());
    p.a->SetStyle(tasCheck);
    p.a->SetDown(true);
    EXPECT_TRUE(p.a->Down());
    p.b->SetGroupIndex(3);
    p.b->SetDown(true);
    EXPECT_TRUE(p.b->Down());
    EXPECT_EQ(p.b->State(), bsExclusive);
}

TEST(FlatButton, GroupWithoutAllowAllUp)
{
    Panel p;
    p.a->SetGroupIndex(1);
    p.b->SetGroupIndex(1);
    Panel::Click(p.a);
    EXPECT_TRUE(p.a->Down());
    Panel::Click(p.b);  // pressing the second releases the first
    EXPECT_TRUE(p.b->Down());
    EXPECT_FALSE(p.a->Down());
    Panel::Click(p.b);  // clicking the pressed one keeps it down
    EXPECT_TRUE(p.b->Down());
    EXPECT_EQ(p.clicks, 3);

    // With AllowAllUp (taken over by the group) a pressed button comes up.
    p.a->SetAllowAllUp(true);
    EXPECT_TRUE(p.b->AllowAllUp());
    Panel::Click(p.b);
    EXPECT_FALSE(p.b->Down());
    EXPECT_FALSE(p.a->Down());
}

TEST(FlatButton, CheckStyleTogglesOnReleaseInside)
{
    Panel p;
    p.a->SetStyle(tasCheck);
    Panel::Click(p.a);
    EXPECT_TRUE(p.a->Down());
    Panel::Click(p.a);
    EXPECT_FALSE(p.a->Down());
    // A press taken outside before the release changes nothing and clicks nothing.
    QTest::mousePress(p.a, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(p.a, QPoint(100, 40));
    EXPECT_EQ(p.a->State(), bsUp);
    QTest::mouseRelease(p.a, Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_FALSE(p.a->Down());
    EXPECT_EQ(p.clicks, 2);
}

TEST(FlatButton, DropDownZone)
{
    Panel p;
    QMenu menu;
    menu.addAction(QStringLiteral("x"));
    p.a->SetDropDownButton(true);
    p.a->DropDownMenu = &menu;
    Panel::Click(p.a, QPoint(60 - 12, 10));  // the rightmost 12 pixels
    EXPECT_EQ(p.dropDowns, 1);
    EXPECT_EQ(p.clicks, 0);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), p.a->mapToGlobal(QPoint(0, 22)));
    menu.hide();
    Panel::Click(p.a, QPoint(60 - 13, 10));
    EXPECT_EQ(p.dropDowns, 1);
    EXPECT_EQ(p.clicks, 1);
}

TEST(FlatButton, SettersAndGlyphs)
{
    Panel p;
    p.a->SetMargin(-2);
    EXPECT_EQ(p.a->Margin(), -1);
    p.a->SetMargin(3);
    EXPECT_EQ(p.a->Margin(), 3);

    QImage glyph(3, 2, QImage::Format_RGB32);
    glyph.setPixel(0, 0, qRgb(255, 0, 0));
    glyph.setPixel(1, 0, qRgb(12, 200, 7));
    glyph.setPixel(2, 0, qRgb(255, 255, 255));
    glyph.setPixel(0, 1, qRgb(0, 0, 0));
    glyph.setPixel(1, 1, qRgb(40, 40, 40));
    glyph.setPixel(2, 1, qRgb(1, 2, 3));
    p.a->SetGlyph(glyph);
    const QImage& grey = p.a->GlyphDisabled();
    ASSERT_EQ(grey.size(), glyph.size());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const QRgb px = grey.pixel(x, y);
            EXPECT_EQ(qRed(px), qGreen(px));
            EXPECT_EQ(qRed(px), qBlue(px));
            EXPECT_GE(qRed(px), 96);
            EXPECT_LE(qRed(px), 223);
        }
    }
    // A disabled glyph set first is kept.
    TExGridButton own(&p.parent);
    QImage mine(1, 1, QImage::Format_RGB32);
    mine.fill(Qt::blue);
    own.SetGlyphDisabled(mine);
    own.SetGlyph(glyph);
    EXPECT_EQ(own.GlyphDisabled(), mine);

    p.a->SetLook(2);
    EXPECT_EQ(p.a->Color(), 0xFDEADAu);
    EXPECT_FALSE(p.a->Rounded());
    p.a->SetLook(0);
    EXPECT_TRUE(p.a->Rounded());
    p.a->SetLook(9);
    EXPECT_EQ(p.a->Look(), 0);
}

TEST(FlatButton, DoubleClickWhileDown)
{
    Panel p;
    int doubles = 0;
    p.a->SetGroupIndex(2);
    p.a->OnDblClick = [&](TExGridButton*) { ++doubles; };
    Panel::Click(p.a);
    QTest::mouseDClick(p.a, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(doubles, 1);
    EXPECT_TRUE(p.a->Down());
}

TEST(FlatButton, HotFaceInTheHotColour)
{
    Panel p;
    p.a->SetLook(1);
    p.a->SetColorHot(0x0000FF);  // red
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), p.a->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(p.a, &enter);
    EXPECT_TRUE(p.a->MouseInControl());
    const QImage shot = p.a->grab().toImage();
    EXPECT_EQ(shot.pixelColor(30, 11), QColor(Qt::red));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(p.a, &leave);
    EXPECT_NE(p.a->grab().toImage().pixelColor(30, 11), QColor(Qt::red));
}

}  // namespace
