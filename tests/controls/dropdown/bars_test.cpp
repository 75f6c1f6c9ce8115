#include "controls/dropdown/bars.h"
#include "controls/dropdown/drawing_routines.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/ex_button.h"
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/popup_geometry.h"
#include "dropdown_fixture.h"

#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TColor Probe(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return TColor(qRed(p)) | TColor(qGreen(p)) << 8 | TColor(qBlue(p)) << 16;
}

TBarButton Item(const char* caption, int width, int modalResult = 0)
{
    TBarButton b;
    b.Caption = QString::fromLatin1(caption);
    b.Width = width;
    b.ModalResult = modalResult;
    return b;
}

struct BarsFixture : ::testing::Test
{
    BarsFixture()
    {
        edit = new TExCustomDropDown(&w.window);
        edit->setGeometry(20, 30, 200, 21);
        content = new QWidget;
        content->resize(200, 60);
        content->setFocusPolicy(Qt::StrongFocus);
        edit->SetControl(content);
        edit->OnDropUp = [this](TExCustomDropDown*, bool c) { cancelled = c; };
        w.Show(edit);
    }
    TExFooter* Footer() { return edit->DropDownForm()->Footer(); }
    TExHeader* Header() { return edit->DropDownForm()->Header(); }
    DropDownWindow w;
    TExCustomDropDown* edit;
    QWidget* content;
    int cancelled = -1;
};

TEST_F(BarsFixture, FooterButtonsWithAndWithoutGrip)
{
    edit->DropDownFooter().Buttons = {Item("A", 30), Item("B", 40), Item("C", 50)};
    edit->DropDownHeader().Buttons = {Item("Tall", 20)};
    edit->DropDownHeader().Buttons[0].Height = 40;
    for (bool grip : {true, false}) {
        edit->SetDropDownSizeable(grip);
        edit->ShowDropDown();
        TExFooter* footer = Footer();
        ASSERT_TRUE(footer);
        const auto& b = footer->ButtonList();
        ASSERT_EQ(b.size(), 3u);
        EXPECT_EQ(footer->width() - (b[0]->geometry().right() + 1), grip ? 14 : 2);
        EXPECT_EQ(b[1]->geometry().right() + 1, b[0]->x());
        EXPECT_EQ(b[2]->geometry().right() + 1, b[1]->x());
        EXPECT_EQ(Header()->ButtonList()[0]->height(), 17);  // clamped to 22 - 2 - 3
        EXPECT_THROW(footer->ButtonAt(3), std::out_of_range);
        edit->HideDropDown(false);
    }
}

// The message of what f throws.
template <typename F>
std::string Thrown(F f)
{
    try {
        f();
    } catch (const std::out_of_range& e) {
        return e.what();
    }
    return "nothing";
}

TEST_F(BarsFixture, ButtonListBounds)
{
    edit->DropDownFooter().Buttons = {Item("A", 30), Item("B", 40)};
    edit->ShowDropDown();
    TExFooter* footer = Footer();
    TExButton* first = footer->ButtonAt(0);
    TExButton* second = footer->ButtonAt(1);
    for (int index : {2, 7, -1}) {
        EXPECT_EQ(Thrown([&] { footer->ButtonAt(index); }), "Index out of bounds in list read access") << index;
        EXPECT_EQ(Thrown([&] { footer->SetButtonAt(index, first); }), "Index out of bounds in list write access")
            << index;
    }
    footer->SetButtonAt(1, first);
    EXPECT_EQ(footer->ButtonAt(1), first);
    footer->SetButtonAt(1, second);
    EXPECT_EQ(footer->ButtonList(), (std::vector<TExButton*>{first, second}));
}

TEST_F(BarsFixture, CaptionPicturesComeFromTheDropDownsImages)
{
    QPixmap red(8, 8);
    red.fill(Qt::red);
    const QList<QPixmap> images{red};
    edit->SetImages(&images);
    edit->DropDownHeader().Caption = QStringLiteral("<IMG src=\"IDX:0\"> Title");
    edit->ShowDropDown();
    const QImage header = Header()->grab().toImage();
    int count = 0;
    for (int y = 0; y < header.height(); ++y)
        for (int x = 0; x < header.width(); ++x)
            count += header.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_EQ(count, 64);
    edit->HideDropDown(false);
}

TEST_F(BarsFixture, FramedPopupHeaderPaintsOnlyItsBottomLine)
{
    edit->DropDownHeader().BorderColor = 0x0000FF;
    edit->DropDownHeader().Color = 0x00FF00;
    edit->DropDownHeader().ColorTo = clNone;
    edit->SetDropDownBorderColor(0x000000);
    edit->ShowDropDown();
    QImage framed = Header()->grab().toImage();
    const int h = framed.height();
    EXPECT_EQ(Probe(framed, 0, 5), 0x00FF00u);
    EXPECT_EQ(Probe(framed, 10, 0), 0x00FF00u);
    EXPECT_EQ(Probe(framed, 10, h - 1), 0x0000FFu);
    edit->HideDropDown(false);
    edit->SetDropDownBorderColor(clNone);  // no popup frame: the bar closes its own edges
    edit->ShowDropDown();
    QImage open = Header()->grab().toImage();
    EXPECT_EQ(Probe(open, 0, 5), BlendColor(0x0000FF, 0xFFFFFF, 20));  // the inner frame over the edge
    EXPECT_EQ(Probe(open, 10, h - 1), 0x0000FFu);
    EXPECT_EQ(Probe(open, 10, 5), 0x00FF00u);
}

TEST_F(BarsFixture, DrawBackGroundSuppressesBorderAndGripButTheGripResizes)
{
    edit->DropDownFooter().BorderColor = 0x0000FF;
    edit->ShowDropDown();
    const QRect g = FooterGripRect(Footer()->rect(), 1);
    const QPoint dot = GripDots(g)[0];
    QImage painted = Footer()->grab().toImage();
    EXPECT_EQ(Probe(painted, dot.x() + 1, dot.y() + 1), 0xFFFFFFu);  // a light dot
    EXPECT_EQ(Probe(painted, dot.x() - 1, dot.y() - 1), 0x0000FFu);  // its dark copy over it
    EXPECT_EQ(Probe(painted, 50, 0), 0x0000FFu);                     // the top line
    edit->HideDropDown(false);

    edit->OnDrawFooter = [](TExBar*, QPainter& p, const QRect& r) { p.fillRect(r, QColor(0x10, 0x20, 0x30)); };
    edit->ShowDropDown();
    QImage own = Footer()->grab().toImage();
    EXPECT_EQ(Probe(own, dot.x(), dot.y()), 0x302010u);
    EXPECT_EQ(Probe(own, 50, 0), 0x302010u);
    // The grip zone still resizes the popup.
    TDropDownForm* popup = edit->DropDownForm();
    const QSize before = popup->size();
    TExFooter* footer = Footer();
    const QPoint local(footer->width() - 5, footer->height() - 5);
    const QPoint global = footer->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(footer, &press);
    QMouseEvent move(QEvent::MouseMove, local + QPoint(30, 20), global + QPoint(30, 20), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(footer, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local + QPoint(30, 20), global + QPoint(30, 20), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(footer, &release);
    EXPECT_EQ(popup->size(), before + QSize(30, 20));
}

TEST_F(BarsFixture, HeaderClickReportsTheDropDownAndTheIndex)
{
    edit->DropDownHeader().Buttons = {Item("One", 30), Item("Two", 30)};
    TExCustomDropDown* sender = nullptr;
    int index = -1;
    edit->OnDropDownHeaderButtonClick = [&](TExCustomDropDown* s, int i) {
        sender = s;
        index = i;
    };
    edit->ShowDropDown();
    QTest::mouseClick(Header()->ButtonList()[1], Qt::LeftButton);
    EXPECT_EQ(sender, edit);
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(edit->DroppedDown());
}

TEST_F(BarsFixture, ModalResults)
{
    struct Case
    {
        int result;
        bool closes;
        int cancelled;
    } cases[] = {
        {mrNone, false, -1}, {mrOk, true, 0},     {mrCancel, true, 1},  {mrAbort, true, 1}, {mrRetry, false, -1},
        {mrIgnore, true, 1}, {mrYes, true, 0},    {mrNo, true, 1},      {mrClose, false, -1}, {mrAll, true, 0},
        {mrNoToAll, true, 1}, {mrYesToAll, true, 0},
    };
    for (const Case& c : cases) {
        edit->DropDownFooter().Buttons = {Item("Go", 40, c.result)};
        bool openAtClick = true;
        int clicks = 0;
        edit->OnDropDownFooterButtonClick = [&](TExCustomDropDown* s, int) {
            openAtClick = s->DroppedDown();
            ++clicks;
        };
        cancelled = -1;
        edit->ShowDropDown();
        QTest::mouseClick(Footer()->ButtonList()[0], Qt::LeftButton);
        EXPECT_EQ(edit->DroppedDown(), !c.closes) << c.result;
        EXPECT_EQ(cancelled, c.cancelled) << c.result;
        EXPECT_EQ(clicks, 1) << c.result;
        EXPECT_EQ(openAtClick, !c.closes) << c.result;  // closed before OnClick
        edit->HideDropDown(false);
    }
}

TEST_F(BarsFixture, SpaceAndAccelerator)
{
    edit->DropDownFooter().Buttons = {Item("&Go", 40, mrOk)};
    int clicks = 0;
    edit->OnDropDownFooterButtonClick = [&](TExCustomDropDown*, int) { ++clicks; };
    edit->ShowDropDown();
    TExButton* button = Footer()->ButtonList()[0];
    Key(button, Qt::Key_Space);
    EXPECT_FALSE(edit->DroppedDown());  // closed by its modal result
    EXPECT_EQ(clicks, 0);               // without OnClick
    edit->ShowDropDown();
    QTest::keyClick(edit->DropDownForm()->windowHandle(), Qt::Key_G, Qt::AltModifier);
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(clicks, 1);
}

class FixedMeasure : public TextMeasure
{
public:
    QSize Extent(const QString&) override { return QSize(40, 13); }
};

TEST(ExButton, ColoursByStateAndAutoSize)
{
    QWidget parent;
    parent.resize(100, 50);
    TExButtonAppearance appearance;
    auto* button = new TExButton(&parent);
    button->setFocusPolicy(Qt::NoFocus);  // a focused button paints hot
    button->SetAppearance(&appearance);
    parent.show();
    (void)QTest::qWaitForWindowExposed(&parent);
    QEvent leave(QEvent::Leave);  // wherever the pointer was at the start
    QApplication::sendEvent(button, &leave);
    // Normal: all three colours none, only the parent shows.
    EXPECT_EQ(button->CurrentColors().Face, clNone);
    EXPECT_EQ(button->CurrentColors().Border, clNone);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    QImage hot = button->grab().toImage();
    EXPECT_EQ(Probe(hot, 5, 5), 0xF5F0E1u);  // no gradient although ColorHotTo is set
    EXPECT_EQ(Probe(hot, 0, 0), 0x808080u);
    QTest::mousePress(button, Qt::LeftButton);
    QImage down = button->grab().toImage();
    EXPECT_EQ(Probe(down, 5, 5), 0xF5D8CAu);
    EXPECT_EQ(Probe(down, 0, 0), 0x800000u);
    QTest::mouseRelease(button, Qt::LeftButton);
    button->SetDown(true);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(button->CurrentColors().Border, 0xFF0000u);  // checked
    button->setEnabled(false);
    QImage disabled = button->grab().toImage();
    EXPECT_EQ(Probe(disabled, 5, 5), 0xF2F2F2u);  // disabled wins over down

    FixedMeasure measure;
    TExButton::SetTextMeasure(&measure);
    QList<QPixmap> images{QPixmap(16, 16)};
    button->SetImages(&images);
    button->SetImageIndex(0);
    button->SetCaption(QStringLiteral("Caption"));
    button->AutoSizeButton();
    EXPECT_EQ(button->size(), QSize(48, 20));
    TExButton::SetTextMeasure(nullptr);
}

}  // namespace
