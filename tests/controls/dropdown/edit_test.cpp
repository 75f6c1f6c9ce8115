#include "controls/dropdown/ex_custom_dropdown.h"
#include "dropdown_fixture.h"
#include "platform/text/format_settings.h"
#include "platform/text/system_colors.h"

#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace dropdown;

TEST(DropDownEdit, Defaults)
{
    TExCustomDropDown edit;
    EXPECT_EQ(edit.size(), QSize(200, 21));
    EXPECT_EQ(edit.EditType(), etString);
    EXPECT_EQ(edit.DropDownButtonWidth(), 17);
    EXPECT_EQ(edit.Button()->width(), 16);
    EXPECT_EQ(edit.GetComponentStyle(), grid::tsOffice2007Luna);
    EXPECT_EQ(edit.SelectionColorStyle(), scOffice2007);
    EXPECT_EQ(edit.SelectionColor, 0xD7FFFDu);
    EXPECT_EQ(edit.Version(), QStringLiteral("1.2.1.4"));
    EXPECT_EQ(edit.DropPosition, dpAuto);
    EXPECT_TRUE(edit.EditorEnabled());
    EXPECT_FALSE(edit.DroppedDown());
    EXPECT_EQ(edit.UserDropDownSize(), QSize(-1, -1));
    // The Luna colours of the popup and its bars.
    EXPECT_EQ(edit.DropDownColor(), 0xF3E5DAu);
    EXPECT_EQ(edit.DropDownHeader().ColorTo, 0xFFD2AFu);
    EXPECT_EQ(edit.DropDownHeader().FontColor, 0x723708u);
}

TEST(DropDownEdit, ComponentStyles)
{
    TExCustomDropDown edit;
    edit.SetDropDownBorderColor(0x123456);
    edit.SetComponentStyle(grid::tsOffice2003Blue);  // the dash: the popup border stays
    EXPECT_EQ(edit.DropDownBorderColor(), 0x123456u);
    EXPECT_EQ(edit.DropDownFooter().BorderColor, 0x962D00u);
    edit.SetComponentStyle(grid::tsOffice2003Olive);  // clNone is a value
    EXPECT_EQ(edit.DropDownBorderColor(), clNone);
    const TColor before = edit.ButtonAppearance().Color;
    edit.SetComponentStyle(grid::tsCustom);
    EXPECT_EQ(edit.GetComponentStyle(), grid::tsCustom);
    EXPECT_EQ(edit.ButtonAppearance().Color, before);
    EXPECT_EQ(edit.DropDownColor(), 0xFFFFFFu);
    grid::TColorTones tones;
    tones.Background = {0x111111, 0x222222, 0};
    tones.Hover.BrushColor = 0x333333;
    tones.Selected.BrushColor = 0x444444;
    edit.SetColorTones(tones);
    EXPECT_EQ(edit.Button()->ButtonColor, 0x111111u);
    EXPECT_EQ(edit.Button()->ButtonColorHot, 0x333333u);
    EXPECT_EQ(edit.Button()->ButtonColorDown, 0x444444u);
    EXPECT_EQ(edit.BorderColor(), 0x222222u);
}

// The key table with the editor on and off: popup state, text, cancel.
TEST(DropDownEdit, KeyTable)
{
    struct Case
    {
        const char* name;
        bool editorEnabled;
        bool openFirst;
        int key;
        Qt::KeyboardModifiers modifiers;
        bool returnIsTab;
        bool droppedAfter;
        const char* textAfter;  // typed "x" after assigning "old" and before the key
        int cancelled;          // -1 no OnDropUp, else its argument
    } cases[] = {
        {"enter closes", true, true, Qt::Key_Return, {}, false, false, "oldx", 0},
        {"esc cancels", true, true, Qt::Key_Escape, {}, false, false, "old", 1},
        {"f4 opens", true, false, Qt::Key_F4, {}, false, true, "oldx", -1},
        {"f4 closes", true, true, Qt::Key_F4, {}, false, false, "oldx", 0},
        {"alt down opens", true, false, Qt::Key_Down, Qt::AltModifier, false, true, "oldx", -1},
        {"alt up closes", true, true, Qt::Key_Up, Qt::AltModifier, false, false, "oldx", 0},
        {"ctrl enter", true, true, Qt::Key_Return, Qt::ControlModifier, false, true, "oldx", -1},
        {"return is tab", true, false, Qt::Key_Return, {}, true, false, "oldx", -1},
        {"off: enter closes", false, true, Qt::Key_Return, {}, false, false, "oldx", 0},
        {"off: esc cancels", false, true, Qt::Key_Escape, {}, false, false, "old", 1},
        {"off: f4 toggles", false, false, Qt::Key_F4, {}, false, true, "oldx", -1},
        {"off: alt down", false, false, Qt::Key_Down, Qt::AltModifier, false, true, "oldx", -1},
        {"off: letters", false, false, Qt::Key_A, {}, false, false, "oldx", -1},
    };
    for (const Case& c : cases) {
        DropDownWindow w;
        auto* edit = new TExCustomDropDown(&w.window);
        auto* next = new QLineEdit(&w.window);
        next->move(0, 100);
        edit->ReturnIsTab = c.returnIsTab;
        edit->SetText(QStringLiteral("old"));
        int cancelled = -1;
        edit->OnDropUp = [&](TExCustomDropDown*, bool cancel) { cancelled = cancel; };
        w.Show(edit);
        edit->setCursorPosition(3);
        Key(edit, Qt::Key_X);
        edit->SetEditorEnabled(c.editorEnabled);
        if (c.openFirst) {
            edit->ShowDropDown();
            ASSERT_TRUE(edit->DroppedDown()) << c.name;
        }
        Key(edit, c.key, c.modifiers);
        QApplication::processEvents();
        EXPECT_EQ(edit->DroppedDown(), c.droppedAfter) << c.name;
        EXPECT_EQ(edit->DropDownForm()->isVisible(), c.droppedAfter) << c.name;
        EXPECT_EQ(edit->Text(), QString::fromLatin1(c.textAfter)) << c.name;
        EXPECT_EQ(cancelled, c.cancelled) << c.name;
        if (c.returnIsTab) {
            EXPECT_TRUE(next->hasFocus()) << c.name;
        }
        edit->HideDropDown(false);
    }
}

TEST(DropDownEdit, EscWithCanUndo)
{
    DropDownWindow w;
    auto* edit = new TExCustomDropDown(&w.window);
    edit->SetPrefix(QStringLiteral("$"));
    w.Show(edit);
    edit->setCursorPosition(1);
    QTest::keyClicks(edit, QStringLiteral("12"));
    EXPECT_TRUE(edit->IsModified());
    Key(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("12"));  // the text stays
    EXPECT_FALSE(edit->IsModified());
    EXPECT_EQ(edit->selectionStart(), 1);  // the value, not the prefix
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12"));
}

// Esc and Enter reach the edit before the dialog's cancel and default buttons.
TEST(DropDownEdit, InADialog)
{
    QDialog dialog;
    auto* edit = new TExCustomDropDown(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->move(0, 40);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->move(100, 40);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    int finished = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { finished = r; });
    dialog.show();
    (void)QTest::qWaitForWindowExposed(&dialog);
    edit->setFocus();
    edit->ShowDropDown();
    Key(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(finished, -1);  // the default button did not fire
    edit->ShowDropDown();
    Key(edit, Qt::Key_Escape);
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(finished, -1);
    EXPECT_TRUE(dialog.isVisible());
    // Closed, Esc goes on to the dialog after the edit's undo.
    Key(edit, Qt::Key_Escape);
    EXPECT_EQ(finished, int(QDialog::Rejected));
}

TEST(DropDownEdit, Label)
{
    DropDownWindow w;
    auto* edit = new TExCustomDropDown(&w.window);
    edit->setGeometry(150, 100, 200, 21);
    edit->SetLabelMargin(4);
    edit->SetLabelCaption(QStringLiteral("Value"));
    w.Show(edit);
    QLabel* label = edit->Label();
    ASSERT_TRUE(label);
    EXPECT_EQ(label->parentWidget(), &w.window);
    EXPECT_EQ(label->geometry().right() + 1, 150 - 4);
    EXPECT_EQ(label->y(), 100);
    edit->SetLabelPosition(lpRightCenter);
    EXPECT_EQ(label->x(), 350 + 4);
    EXPECT_EQ(label->y(), 100 + (21 - label->height()) / 2);
    edit->move(150, 150);  // the label follows
    EXPECT_EQ(label->y(), 150 + (21 - label->height()) / 2);
    edit->hide();
    EXPECT_FALSE(label->isVisible());
    int clicks = 0;
    edit->OnLabelClick = [&](TExCustomDropDown*) { ++clicks; };
    edit->show();
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(DropDownEdit, AssignCopiesNeitherTextLabelNorEvents)
{
    TExCustomDropDown source;
    source.SetText(QStringLiteral("source"));
    source.SetLabelCaption(QStringLiteral("Label"));
    source.OnChange = [](TExCustomDropDown*) {};
    source.SetDropDownColor(0x010203);
    source.SetDropDownWidth(321);
    source.SetDropDownButtonWidth(25);
    source.SetEditorEnabled(false);
    source.SetPrefix(QStringLiteral("#"));
    source.DropPosition = dpUp;
    source.DropDownHeader().Caption = QStringLiteral("Head");
    source.ReturnIsTab = true;
    TExCustomDropDown target;
    target.SetText(QStringLiteral("target"));
    target.Assign(source);
    EXPECT_EQ(target.DropDownColor(), 0x010203u);
    EXPECT_EQ(target.DropDownWidth(), 321);
    EXPECT_EQ(target.DropDownButtonWidth(), 25);
    EXPECT_EQ(target.Button()->width(), 25);
    EXPECT_FALSE(target.EditorEnabled());
    EXPECT_EQ(target.DropPosition, dpUp);
    EXPECT_EQ(target.DropDownHeader().Caption, QStringLiteral("Head"));
    EXPECT_TRUE(target.ReturnIsTab);
    EXPECT_EQ(target.Prefix(), QStringLiteral("#"));
    EXPECT_EQ(target.Text(), QStringLiteral("target"));
    EXPECT_EQ(target.Label(), nullptr);
    EXPECT_FALSE(target.OnChange);
}

TEST(DropDownEdit, TypingThroughKeys)
{
    platform::ScopedFormatSettings dot({});
    DropDownWindow w;
    auto* edit = new TExCustomDropDown(&w.window);
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->Options().Signed = true;
    w.Show(edit);
    edit->SetText(QStringLiteral("1.25"));
    edit->setCursorPosition(3);
    Key(edit, Qt::Key_9);
    EXPECT_EQ(edit->Text(), QStringLiteral("1.29"));  // overwrite at full precision
    Key(edit, Qt::Key_Minus);
    EXPECT_EQ(edit->Text(), QStringLiteral("-1.29"));
    Key(edit, Qt::Key_A);
    EXPECT_EQ(edit->Text(), QStringLiteral("-1.29"));
}

TColor Probe(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return TColor(qRed(p)) | TColor(qGreen(p)) << 8 | TColor(qBlue(p)) << 16;
}

TEST(DropDownEdit, DrawSelectionPerStyle)
{
    struct Case
    {
        TSelectionColorStyle style;
        TColor corner, edge, border, innerTop, upper, lower;
    } cases[] = {
        // scCustom: one solid fill, corners included.
        {scCustom, 0x102030, 0x102030, 0x102030, 0x102030, 0x102030, 0x102030},
        {scOffice2007, 0x123456, 0xC3D9DF, 0x8DD7D3, 0xF4FEFF, 0xD7FFFD, 0x58D4FC},
        {scWindowsVista, 0x123456, 0xFCEDCB, 0xFDDE99, 0xFDFBF6, 0xFDF8F1, 0},
        {scWindows7, 0x123456, 0xE0C5AE, 0xCEA27D, 0xFDF4EB, 0xFCEBDC, 0},
    };
    for (const Case& c : cases) {
        TExCustomDropDown edit;
        edit.SelectionColor = 0x102030;
        edit.SetSelectionColorStyle(c.style);
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        edit.DrawSelection(painter, image.rect(), 0x123456, 0);
        painter.end();
        EXPECT_EQ(Probe(image, 0, 0), c.corner) << c.style;
        EXPECT_EQ(Probe(image, 1, 0), c.edge) << c.style;
        EXPECT_EQ(Probe(image, 20, 0), c.border) << c.style;
        EXPECT_EQ(Probe(image, 20, 1), c.innerTop) << c.style;
        EXPECT_EQ(Probe(image, 20, 2), c.upper) << c.style;
        if (c.lower) {  // the lower half's own gradient
            EXPECT_EQ(Probe(image, 20, 9), c.lower) << c.style;
        } else {
            EXPECT_NE(Probe(image, 20, 9), c.upper) << c.style;  // one gradient runs on
        }
    }
}

TEST(DropDownEdit, KeyPressForCellEditors)
{
    DropDownWindow w;
    auto* edit = new TExCustomDropDown(&w.window);
    edit->SetEditType(etUppercase);
    w.Show(edit);
    QChar a(u'a');
    edit->KeyPress(a);
    EXPECT_EQ(edit->Text(), QStringLiteral("A"));
    QChar enter(u'\r');
    edit->KeyPress(enter);
    EXPECT_EQ(enter, QChar(0));
    edit->resize(200, 3);  // lower than the font needs
    EXPECT_EQ(edit->height(), edit->GetMinHeight());
}


TColor Rgb(TColor color)
{
    return platform::ColorToRGB(color);
}

TEST(DropDownEdit, FlatFrame)
{
    DropDownWindow w;
    QPalette palette = w.window.palette();
    palette.setColor(QPalette::Window, QColor(0x33, 0x66, 0x99));
    w.window.setPalette(palette);
    auto* other = new QLineEdit(&w.window);
    other->setGeometry(10, 200, 100, 21);
    auto* edit = new TExCustomDropDown(&w.window);
    edit->setGeometry(10, 10, 200, 21);
    edit->Flat = true;
    w.Show(other);
    ASSERT_FALSE(edit->IsHot());
    // Not hot: two frames in the parent's colour.
    QImage cold = edit->grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(50, 20), QPoint(50, 19), QPoint(0, 10)})
        EXPECT_EQ(Probe(cold, p.x(), p.y()), 0x996633u) << p.x() << "," << p.y();
    // Hot (focused): a sunken edge and one frame in the button face colour.
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(edit->IsHot());
    QImage hot = edit->grab().toImage();
    EXPECT_EQ(Probe(hot, 50, 0), Rgb(0xFF000010));   // shadow at the top
    EXPECT_EQ(Probe(hot, 0, 10), Rgb(0xFF000010));   // and the left
    EXPECT_EQ(Probe(hot, 50, 20), Rgb(0xFF000014));  // highlight at the bottom
    EXPECT_EQ(Probe(hot, 50, 1), Rgb(clBtnFace));
    EXPECT_EQ(Probe(hot, 1, 10), Rgb(clBtnFace));
    // Not flat and no colours: the plain frame, no face-coloured ring.
    edit->Flat = false;
    QImage plain = edit->grab().toImage();
    EXPECT_NE(Probe(plain, 50, 0), Rgb(0xFF000010));
}

TEST(DropDownEdit, PushButtonStyle)
{
    DropDownWindow w;
    auto* edit = new TExCustomDropDown(&w.window);
    edit->setGeometry(10, 10, 200, 21);
    w.Show(edit);
    TDropDownEditButton* button = edit->Button();
    const QImage arrow = button->grab().toImage();
    button->SetButtonStyle(bsButton);
    EXPECT_NE(button->grab().toImage(), arrow);  // the themed push button, not the arrow
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(QColor(0xFF, 0x00, 0xFF));
    for (QPoint p : {QPoint(1, 1), QPoint(2, 1), QPoint(1, 2), QPoint(2, 2)})
        glyph.setPixel(p, qRgb(0xFF, 0, 0));
    button->Glyph = QPixmap::fromImage(glyph);
    button->Themed = false;
    button->Flat = true;
    const int right = button->width() - 1, bottom = button->height() - 1;
    struct Case
    {
        bool etched, down;
        TColor outer, inner, innerRight;
    } cases[] = {
        {false, false, Rgb(0xFF000016), Rgb(0xFF000014), Rgb(0xFF000010)},  // raised
        {true, false, Rgb(0xFF000010), Rgb(0xFF000014), Rgb(0xFF000010)},   // etched
        {false, true, Rgb(0xFF000010), Rgb(clBtnFace), Rgb(clBtnFace)},     // down: flat
    };
    for (const Case& c : cases) {
        edit->Etched = c.etched;
        if (c.down)
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        const QImage face = button->grab().toImage();
        const SCOPED_TRACE(int(c.etched) * 2 + int(c.down));
        EXPECT_EQ(Probe(face, 5, 0), c.outer);
        EXPECT_EQ(Probe(face, 0, 5), c.outer);
        EXPECT_EQ(Probe(face, 5, 1), c.inner);
        // The edge rectangle is one larger: its outer right and bottom lines
        // fall outside, the inner ones show on the last pixels.
        EXPECT_EQ(Probe(face, right, 8), c.innerRight);
        EXPECT_EQ(Probe(face, 8, bottom), c.innerRight);
        // The glyph stretched into the client shrunk by 3, its corner colour
        // turned into the face; moved by one when down.
        const int d = c.down ? 1 : 0;
        EXPECT_EQ(Probe(face, 3 + d, 3 + d), Rgb(clBtnFace));
        const QRect area = button->rect().adjusted(3, 3, -3, -3).translated(d, d);
        EXPECT_EQ(Probe(face, area.center().x(), area.center().y()), 0x0000FFu);
        if (c.down)
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(50, 50));
    }
}

TEST(DropDownEdit, StoredFormKeepsStylesWithoutApplyingColours)
{
    TExCustomDropDown source;
    const QVariantMap defaults = source.DefineProperties();
    EXPECT_EQ(defaults.value(QStringLiteral("SelectionColorStyle")).toInt(), int(scOffice2007));
    EXPECT_EQ(defaults.value(QStringLiteral("ZADStyle")).toInt(), int(grid::tsOffice2007Luna));
    source.SetComponentStyle(grid::tsWindows7);
    source.SetSelectionColorStyle(scWindowsVista);
    const QVariantMap stored = source.DefineProperties();
    EXPECT_EQ(stored.size(), 2);

    TExCustomDropDown loaded;
    const TColor dropDownColor = loaded.DropDownColor();
    const TColor selection = loaded.SelectionColor;
    loaded.ReadDefinedProperties(stored);
    EXPECT_EQ(loaded.GetComponentStyle(), grid::tsWindows7);
    EXPECT_EQ(loaded.SelectionColorStyle(), scWindowsVista);
    EXPECT_EQ(loaded.DropDownColor(), dropDownColor);  // no colours applied
    EXPECT_EQ(loaded.SelectionColor, selection);
    loaded.ReadDefinedProperties({});  // missing values leave the fields
    EXPECT_EQ(loaded.GetComponentStyle(), grid::tsWindows7);
}

TEST(DropDownEdit, LabelFontFollowsTheParentAfterLoading)
{
    DropDownWindow w;
    QFont parentFont = w.window.font();
    parentFont.setPointSize(15);
    w.window.setFont(parentFont);
    QFont small = parentFont;
    small.setPointSize(7);

    // Following the parent: the label font cannot be set; after loading the
    // label shows the edit's font and follows the parent's.
    auto* follows = new TExCustomDropDown(&w.window);
    follows->setGeometry(150, 20, 200, 21);
    ASSERT_TRUE(follows->ParentFont());
    follows->SetLabelFont(small);
    EXPECT_NE(follows->LabelFont().pointSize(), 7);
    follows->SetLabelCaption(QStringLiteral("Follows"));
    follows->Loaded();
    // An edit with a font of its own keeps its label font.
    auto* own = new TExCustomDropDown(&w.window);
    own->setGeometry(150, 80, 200, 21);
    QFont ownFont = parentFont;
    ownFont.setPointSize(9);
    own->setFont(ownFont);
    ASSERT_FALSE(own->ParentFont());
    own->SetLabelFont(small);
    EXPECT_EQ(own->LabelFont().pointSize(), 7);
    own->SetLabelCaption(QStringLiteral("Own"));
    own->Loaded();
    w.Show(follows);
    EXPECT_EQ(follows->Label()->font().pointSize(), 15);
    EXPECT_EQ(own->Label()->font().pointSize(), 7);

    parentFont.setPointSize(20);
    w.window.setFont(parentFont);
    QApplication::processEvents();
    EXPECT_EQ(follows->Label()->font().pointSize(), 20);
    EXPECT_EQ(follows->Label()->geometry().right() + 1, 150);  // placed again for its new size
    EXPECT_EQ(own->Label()->font().pointSize(), 7);
}

TEST(DropDownEdit, ClipboardEventsGetTheSelectedPartOfTheValue)
{
    DropDownWindow w;
    auto* edit = new TExCustomDropDown(&w.window);
    edit->SetPrefix(QStringLiteral("<<"));
    edit->SetSuffix(QStringLiteral(">>"));
    edit->SetText(QStringLiteral("abcdef"));
    w.Show(edit);
    ASSERT_EQ(edit->text(), QStringLiteral("<<abcdef>>"));
    QString copied, cut;
    edit->OnClipboardCopy = [&](TExCustomDropDown*, const QString& v, bool&) { copied = v; };
    edit->OnClipboardCut = [&](TExCustomDropDown*, const QString& v, bool& allow) {
        cut = v;
        allow = false;
    };
    struct Case
    {
        int start, length;
        const char* value;
    } cases[] = {
        {3, 3, "bcd"},   // inside the value
        {0, 4, "abcd"},  // over the prefix: from the value's start, as many characters
        {6, 4, "ef"},    // into the suffix: cut at the value's end
        {4, 0, ""},
    };
    for (const Case& c : cases) {
        edit->setSelection(c.start, c.length);
        if (c.length == 0)
            edit->setCursorPosition(c.start);
        EXPECT_EQ(edit->SelectedValue(), QString::fromLatin1(c.value)) << c.start;
        copied = cut = QStringLiteral("none");
        Key(edit, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(copied, QString::fromLatin1(c.value)) << c.start;
        Key(edit, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(cut, QString::fromLatin1(c.value)) << c.start;
        EXPECT_EQ(edit->text(), QStringLiteral("<<abcdef>>"));  // the cut was refused
    }
}

}  // namespace
