#include "shell_fixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPainter>
#include <QLineEdit>
#include <QShortcutEvent>

#include <gtest/gtest.h>

namespace {

const QColor kFace(200, 200, 200);
const QColor kLight(250, 250, 250);
const QColor kShadow(10, 10, 10);
const QColor kHot(255, 255, 0);
const QColor kDown(255, 128, 0);

// A shown window holding one 100 x 23 button with distinct colours.
struct ButtonHost
{
    QWidget window;
    TLbButton* button;
    int clicks = 0;

    explicit ButtonHost(TLbButtonStyle style = bsNormal)
    {
        window.resize(200, 100);
        button = new TLbButton(&window);
        button->move(10, 10);
        button->SetStyle(style);
        button->SetColor(kFace);
        button->SetLightColor(kLight);
        button->SetShadowColor(kShadow);
        button->SetHotTrackColor(kHot);
        button->SetColorWhenDown(kDown);
        QObject::connect(button, &TLbButton::clicked, [this] { ++clicks; });
        window.show();
    }
    QImage Image() const { return button->grab().toImage(); }
    QColor Pixel(int x, int y) const { return Image().pixelColor(x, y); }
    void Enter()
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(button->mapToGlobal(QPoint(5, 5))));
        QApplication::sendEvent(button, &e);
    }
    void Leave()
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(button, &e);
    }
};

// The bounding box of the pixels darker than the face.
QRect InkBox(const QImage& img)
{
    QRect box;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - 2; ++x)
            if (qGray(img.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

int InkCount(const QImage& img)
{
    int n = 0;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 2; x < img.width() - 2; ++x)
            n += qGray(img.pixel(x, y)) < 100;
    return n;
}

// Two 10 x 10 cells on a green ground (the transparent colour): a red
// square in the first cell, a blue one in the second.
QPixmap TwoCellGlyph(int cells = 2)
{
    QPixmap pm(10 * cells, 10);
    pm.fill(Qt::green);
    QPainter p(&pm);
    p.fillRect(3, 3, 4, 4, Qt::red);
    if (cells > 1)
        p.fillRect(13, 3, 4, 4, Qt::blue);
    return pm;
}

} // namespace

TEST(LbButton, FrameAndFaceInNormalPressedAndHotStates)
{
    ButtonHost h;
    EXPECT_EQ(h.button->size(), QSize(100, 23));
    // Light on the left and top, shadow on the right and bottom.
    EXPECT_EQ(h.Pixel(0, 0), kLight);
    EXPECT_EQ(h.Pixel(0, 22), kLight);
    EXPECT_EQ(h.Pixel(50, 0), kLight);
    EXPECT_EQ(h.Pixel(99, 0), kShadow);
    EXPECT_EQ(h.Pixel(99, 22), kShadow);
    EXPECT_EQ(h.Pixel(50, 22), kShadow);
    EXPECT_EQ(h.Pixel(50, 11), kFace);

    // Pressed: the frame's colours swap and the face takes the pressed colour.
    SendMouse(h.button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_TRUE(h.button->IsDown());
    EXPECT_EQ(h.Pixel(0, 0), kShadow);
    EXPECT_EQ(h.Pixel(99, 22), kLight);
    EXPECT_EQ(h.Pixel(50, 11), kDown);
    SendMouse(h.button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(h.Pixel(50, 11), kFace);

    // Hot: the face becomes the hot colour at full strength.
    h.Enter();
    EXPECT_TRUE(h.button->IsHot());
    EXPECT_EQ(h.button->HotTrackStep(), 8);
    EXPECT_EQ(h.Pixel(50, 11), kHot);
    EXPECT_EQ(h.Pixel(0, 0), kLight);
    h.Leave();
    EXPECT_EQ(h.Pixel(50, 11), kFace);

    // No hot or pressed colour: the face stays.
    h.button->SetHotTrackColor(QColor());
    h.button->SetColorWhenDown(QColor());
    h.Enter();
    SendMouse(h.button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(h.Pixel(50, 11), kFace);
}

TEST(LbButton, FlatButtonsShowTheirFrameOnlyWhenHot)
{
    ButtonHost h;
    h.button->SetFlat(true);
    h.button->clearFocus();
    EXPECT_EQ(h.Pixel(0, 0), kFace);
    h.Enter();
    EXPECT_EQ(h.Pixel(0, 0), kLight);
}

TEST(LbButton, HotTrackBlend)
{
    EXPECT_EQ(LbHotTrackBlend(QColor(0, 100, 255), QColor(255, 0, 255), 0), QColor(0, 100, 255));
    EXPECT_EQ(LbHotTrackBlend(QColor(0, 100, 255), QColor(255, 0, 255), 8), QColor(255, 0, 255));
    EXPECT_EQ(LbHotTrackBlend(QColor(0, 100, 255), QColor(255, 0, 255), 4), QColor(128, 50, 255));
}

TEST(LbButton, PressedCaptionMovesExceptInEncartaWhichTurnsBold)
{
    for (TLbButtonStyle style : {bsNormal, bsEncarta}) {
        ButtonHost h(style);
        h.button->SetColorWhenDown(QColor());
        h.button->SetCaption("IIII");
        const QImage up = h.Image();
        SendMouse(h.button, QEvent::MouseButtonPress, QPoint(5, 5));
        const QImage down = h.Image();
        const QRect a = InkBox(up), b = InkBox(down);
        ASSERT_FALSE(a.isEmpty());
        if (style == bsNormal) {
            EXPECT_EQ(b.topLeft(), a.topLeft() + QPoint(1, 1));
            EXPECT_EQ(InkCount(down), InkCount(up));
        } else {
            EXPECT_EQ(b.top(), a.top());
            EXPECT_GT(InkCount(down), InkCount(up));
        }
    }
}

TEST(LbButton, ReleasingOutsideStillClicksOnce)
{
    ButtonHost h;
    SendMouse(h.button, QEvent::MouseButtonPress, QPoint(5, 5));
    SendMouse(h.button, QEvent::MouseMove, QPoint(400, 300));
    EXPECT_TRUE(h.button->IsDown());
    SendMouse(h.button, QEvent::MouseButtonRelease, QPoint(400, 300));
    EXPECT_EQ(h.clicks, 1);
    EXPECT_FALSE(h.button->IsDown());

    // A release without a press does nothing; a double click is a second press.
    SendMouse(h.button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(h.clicks, 1);
    SendMouse(h.button, QEvent::MouseButtonPress, QPoint(5, 5));
    SendMouse(h.button, QEvent::MouseButtonRelease, QPoint(5, 5));
    SendMouse(h.button, QEvent::MouseButtonDblClick, QPoint(5, 5));
    SendMouse(h.button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(h.clicks, 3);

    // A disabled button neither presses nor clicks.
    h.button->setEnabled(false);
    SendMouse(h.button, QEvent::MouseButtonPress, QPoint(5, 5));
    SendMouse(h.button, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(h.clicks, 3);
}

TEST(LbButton, EnterAndSpaceClickTheFocusedButton)
{
    ButtonHost h;
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        SendKey(h.button, key);
    EXPECT_EQ(h.clicks, 3);
}

TEST(LbButton, KindsGiveTheirModalResultsAndCaptions)
{
    const struct
    {
        TLbButtonKind kind;
        int result;
        const char* caption;
    } kinds[] = {
        {bkOK, 1, "OK"},         {bkCancel, 2, "Abbrechen"},     {bkYes, 6, "Ja"},
        {bkNo, 7, "Nein"},       {bkAbort, 3, "Abbrechen"},      {bkRetry, 4, "Wiederholen"},
        {bkIgnore, 5, "Ignorieren"}, {bkAll, 12, "Alle"},        {bkHelp, 0, "Hilfe"},
        {bkClose, 0, "Schließen"},
    };
    for (const auto& k : kinds) {
        QDialog dialog;
        auto* b = new TLbButton(&dialog);
        b->SetKind(k.kind);
        EXPECT_EQ(b->ModalResult(), k.result) << k.caption;
        EXPECT_EQ(b->Caption(), QString::fromUtf8(k.caption));
        EXPECT_EQ(b->NumGlyphs(), 2);
        EXPECT_EQ(b->Glyph().width(), 36);
        if (k.result == 0)
            continue;
        QTimer::singleShot(0, b, [b] { b->Click(); });
        EXPECT_EQ(dialog.exec(), k.result) << k.caption;
    }
}

TEST(LbButton, GlyphAndModalResultResetTheKind)
{
    TLbButton b;
    b.SetKind(bkCancel);
    b.SetGlyph(TwoCellGlyph());
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.ModalResult(), 2);
    EXPECT_EQ(b.Caption(), "Abbrechen");
    EXPECT_EQ(b.NumGlyphs(), 2);
    b.SetKind(bkOK);
    b.SetModalResult(5);
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.ModalResult(), 5);
}

TEST(LbButton, ColorPresetsApplyButReadBackCustom)
{
    TLbButton b;
    b.SetColorStyle(lcsGold);
    EXPECT_EQ(b.ColorStyle(), lcsCustom);
    EXPECT_EQ(b.Color(), QColor(192, 192, 0));
    EXPECT_EQ(b.LightColor(), QColor(255, 255, 0));
    EXPECT_EQ(b.ShadowColor(), QColor(128, 128, 0));
    EXPECT_EQ(b.HotTrackColor(), QColor(223, 223, 0));
    EXPECT_FALSE(b.ColorWhenDown().isValid());
    EXPECT_EQ(b.Style(), bsModern);
    b.SetColorStyle(lcsQuicken);
    EXPECT_EQ(b.Style(), bsQuicken);
    EXPECT_EQ(b.FontColor(), QColor(255, 255, 255));
    EXPECT_EQ(b.ColorWhenDown(), QColor(41, 101, 173));
    b.SetColorStyle(lcsUltraFlat2);
    EXPECT_TRUE(b.Flat());
    EXPECT_EQ(b.FontColor(), QColor(0, 0, 0));
    b.SetColorStyle(lcsCustom);
    EXPECT_EQ(b.HotTrackColor(), QColor(228, 246, 140));
}

TEST(LbButton, GlyphCellsByState)
{
    ButtonHost h;
    h.button->SetGlyph(TwoCellGlyph());
    // Glyph left, no caption, centred: the 10-pixel cell at (45, 6).
    const QPoint centre(50, 11);
    EXPECT_EQ(h.Pixel(centre.x(), centre.y()), QColor(Qt::red));
    EXPECT_EQ(h.Pixel(46, 7), kFace);   // the cell's ground is transparent
    h.button->setEnabled(false);
    EXPECT_EQ(h.Pixel(centre.x(), centre.y()), QColor(Qt::blue));
    // One cell only: a disabled button shows that cell.
    h.button->SetGlyph(TwoCellGlyph(1));
    EXPECT_EQ(h.Pixel(centre.x(), centre.y()), QColor(Qt::red));
}

TEST(LbButton, DisabledCaptionIsGray)
{
    ButtonHost h;
    h.button->SetCaption("MMMM");
    h.button->setEnabled(false);
    const QImage img = h.Image();
    bool gray = false;
    for (int y = 2; y < 21 && !gray; ++y)
        for (int x = 2; x < 98; ++x)
            if (img.pixelColor(x, y) == QColor(128, 128, 128))
                gray = true;
    EXPECT_TRUE(gray);
}

TEST(LbButton, LongCaptionsAreCutFromTheEnd)
{
    const QFont font("DejaVu Sans", 11);
    const QFontMetrics fm(font);
    const QString caption = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const QString cut = LbCutCaption(caption, 60, fm);
    ASSERT_FALSE(cut.isEmpty());
    EXPECT_TRUE(caption.startsWith(cut));
    EXPECT_LE(fm.horizontalAdvance(cut), 60);
    EXPECT_GT(fm.horizontalAdvance(caption.left(cut.size() + 1)), 60);
    EXPECT_EQ(LbCutCaption("&Open", 1000, fm), "&Open");
    EXPECT_EQ(LbCutCaption("ABC", 0, fm), "");
    // The accelerator mark takes no room.
    const int w = fm.horizontalAdvance("Open");
    EXPECT_EQ(LbCutCaption("&Open", w, fm), "&Open");

    // Drawn: nothing of the caption beyond the limit (button 60 wide, limit 52).
    ButtonHost h;
    h.button->setFont(font);
    h.button->resize(60, 23);
    h.button->SetCaption(caption);
    const QRect ink = InkBox(h.Image());
    EXPECT_LE(ink.right(), 4 + 52);
}

TEST(LbButton, FocusRectangleExceptForShapeButtons)
{
    for (TLbButtonStyle style : {bsNormal, bsShape}) {
        ButtonHost h(style);
        QApplication::setActiveWindow(&h.window);
        h.button->setFocus();
        ASSERT_TRUE(h.button->hasFocus());
        const QImage img = h.window.grab().toImage();
        // The button sits at (10, 10); its focus rectangle starts at (4, 4).
        EXPECT_EQ(img.pixelColor(14, 14) == QColor(Qt::black), style != bsShape) << style;
        EXPECT_EQ(img.pixelColor(14 + 20, 14) == QColor(Qt::black), style != bsShape) << style;
    }
}

TEST(LbButton, TransparentStylesLetTheirGroundShowAtTheCorners)
{
    const QColor ground(0, 200, 0);
    for (TLbButtonStyle style : {bsNormal, bsModern, bsQuicken, bsShape}) {
        ButtonHost h(style);
        QPalette pal = h.window.palette();
        pal.setColor(QPalette::Window, ground);
        h.window.setPalette(pal);
        h.window.setAutoFillBackground(true);
        const QImage img = h.window.grab().toImage();
        // The button sits at (10, 10).
        EXPECT_EQ(img.pixelColor(10, 10) == ground, style != bsNormal) << style;
        EXPECT_EQ(img.pixelColor(60, 21) == ground, style == bsShape) << style;
    }
}

TEST(LbButton, DefaultAndCancelKeys)
{
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* other = new TLbButton(&dialog);
    other->move(0, 30);
    auto* ok = new TLbButton(&dialog);
    ok->move(0, 60);
    ok->SetDefault(true);
    auto* cancel = new TLbButton(&dialog);
    cancel->move(0, 90);
    cancel->SetCancel(true);
    int okClicks = 0, otherClicks = 0, cancelClicks = 0;
    QObject::connect(ok, &TLbButton::clicked, [&] { ++okClicks; });
    QObject::connect(other, &TLbButton::clicked, [&] { ++otherClicks; });
    QObject::connect(cancel, &TLbButton::clicked, [&] { ++cancelClicks; });
    dialog.show();
    dialog.activateWindow();

    // Enter on an edit clicks the default button.
    edit->setFocus();
    SendKey(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    // Enter with another button focused clicks that one only.
    other->setFocus();
    SendKey(other, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 1);
    // Escape clicks the cancel button, and only without modifiers.
    edit->setFocus();
    SendKey(edit, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(cancelClicks, 0);
    SendKey(edit, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(LbButton, AcceleratorClicks)
{
    ButtonHost h;
    h.button->SetCaption("&Go");
    QShortcutEvent e(QKeySequence("Alt+G"), 0);
    QApplication::sendEvent(h.button, &e);
    EXPECT_EQ(h.clicks, 1);
}

TEST(LbButton, SlowFadeReturnsToTheFaceInEightSteps)
{
    ButtonHost h;
    h.button->SetSlowDecease(true);
    h.Enter();
    h.Leave();
    EXPECT_EQ(h.button->HotTrackStep(), 8);
    QElapsedTimer clock;
    clock.start();
    WaitFor([&] { return h.button->HotTrackStep() == 0; }, 2000);
    EXPECT_EQ(h.button->HotTrackStep(), 0);
    EXPECT_GE(clock.elapsed(), 8 * 30 - 30);
    EXPECT_EQ(h.Pixel(50, 11), kFace);
}

TEST(LbButton, LinkedActionIsTriggeredAndLendsItsIcon)
{
    ButtonHost h;
    QAction action("Run");
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    action.setIcon(QIcon(icon));
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    h.button->SetAction(&action);
    EXPECT_EQ(h.button->Caption(), "Run");
    EXPECT_EQ(h.button->NumGlyphs(), 1);
    EXPECT_EQ(h.button->Glyph().size(), QSize(16, 16));
    h.button->Click();
    EXPECT_EQ(triggered, 1);
    EXPECT_EQ(h.clicks, 1);
}
