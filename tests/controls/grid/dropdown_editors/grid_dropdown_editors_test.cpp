// The drop-down cell editors on the painted grid through real keys, on the
// real pickers: commit, cancel and leave per editor, a refused value, the
// calculator's result on Enter, Alt+Down, the colour editor's keys, the
// image editor's read-back, the grid's popup bars; and the push button of
// edButton cells.
#include "controls/dropdown/bars.h"
#include "controls/dropdown/dropdown_form.h"
#include "controls/dropdown/ex_button.h"
#include "controls/grid/dropdown_editors/grid_dropdown_editors.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/inplace_grid_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

enum {
    kFixed, kCalc, kMemo, kTrack, kColor, kButton, kNext, kClock, kDetail, kList, kLast, kImageList, kDataImage,
    kPlainImage, kColumns
};

// Four plain pictures.
class FourImages : public TCustomImageList
{
public:
    FourImages() { Count = 4; }
    QImage Picture(int index) const override
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(index * 60, 200, 200));
        return image;
    }
};

class DropDownEditors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallDropDownEditors();
        grid.SetColCount(kColumns);
        grid.SetRowCount(4);
        grid.Columns()[kCalc]->SetEditor(edCalculatorDropDown);
        grid.Columns()[kMemo]->SetEditor(edMemoDropDown);
        grid.Columns()[kTrack]->SetEditor(edTrackbarDropDown);
        grid.Columns()[kColor]->SetEditor(edColorPickerDropDown);
        grid.Columns()[kButton]->SetEditor(edButton);
        grid.Columns()[kClock]->SetEditor(edTimePickerDropDown);
        grid.Columns()[kDetail]->SetEditor(edDetailDropDown);
        grid.Columns()[kList]->SetEditor(edGridDropDown);
        for (int c : {kImageList, kDataImage, kPlainImage})
            grid.Columns()[c]->SetEditor(edImagePickerDropDown);
        grid.GridImages = &images;
        grid.Loaded();
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        o.Include(goTabs);
        grid.SetOptions(o);
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        window.resize(900, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editors = widget->Editors();
        ASSERT_NE(editors, nullptr);
    }

    void StartAt(int col, const QString& value, int row = 1)
    {
        editing->HideInplaceEdit();
        QCoreApplication::sendPostedEvents();
        grid.SetCells(col, row, value);
        widget->setFocus();
        grid.MoveCurrentCell(col, row);
        QTest::keyClick(widget, Qt::Key_F2);
        ASSERT_TRUE(editing->EditMode());
        ASSERT_NE(editors->OpenEditor(), nullptr);
    }

    dropdown::TExCustomDropDown* Open() const
    {
        return dynamic_cast<dropdown::TExCustomDropDown*>(editors->OpenEditor());
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    FourImages images;
    TExColumnGrid grid;
    QWidget window;
    TGridWidget* widget = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
};

struct WayOut
{
    const char* name;
    Qt::Key key;
    bool refuse;
    bool stored;
    bool open;
    int endCol;
    int endRow;
};

// Per editor: what is typed and what it leaves in the cell (the calculator
// shows its precision; the memo's caret starts at 0); every way out of the
// key table on each. Tab opens the next cell's editor.
TEST_F(DropDownEditors, KeyTable)
{
    struct EditorCase
    {
        int col;
        const char* start;
        const char* typed;
        const char* stored;
    };
    const EditorCase editorsUnderTest[] = {
        {kCalc, "5", "12", "12.00"},
        {kMemo, "first", "xyz", "xyzfirst"},
        {kTrack, "3", "7", "7"},
        {kClock, "10:30:00", "091520", "09:15:20"},
        {kDetail, "one", "two", "two"},
        {kList, "one", "two", "two"},
    };
    const WayOut ways[] = {
        {"Enter stores", Qt::Key_Return, false, true, false, -1, 2},
        {"Esc restores the cell", Qt::Key_Escape, false, false, false, -1, 2},
        {"Tab stores and moves on", Qt::Key_Tab, false, true, true, -2, 2},
        {"Down stores and moves down", Qt::Key_Down, false, true, false, -1, 3},
        {"Up stores and moves up", Qt::Key_Up, false, true, false, -1, 1},
        {"a refused value keeps the editor open", Qt::Key_Return, true, false, true, -1, 2},
    };
    for (const EditorCase& e : editorsUnderTest) {
        for (const WayOut& w : ways) {
            SCOPED_TRACE(std::string(w.name) + " in column " + std::to_string(e.col));
            bool refuse = w.refuse;
            editing->OnCellValidate = [&](TExStringGrid* g, int, int, QString&, bool& valid) {
                EXPECT_EQ(g, &grid);
                valid = !refuse;
            };
            StartAt(e.col, e.start, 2);
            QWidget* editor = editors->OpenEditor();
            ASSERT_TRUE(editor->hasFocus());
            QTest::keyClicks(editor, e.typed);
            Key(w.key);
            EXPECT_EQ(grid.Cells(e.col, 2), w.stored ? e.stored : e.start);
            EXPECT_EQ(editing->EditMode(), w.open);
            EXPECT_EQ(editor->isVisible(), w.open && w.endCol != -2);
            if (w.open && w.endCol != -2) {
                EXPECT_EQ(Open()->Text(), e.stored) << "the refused text stays";
                EXPECT_EQ(Open()->selectedText(), Open()->text()) << "selected whole";
            }
            EXPECT_EQ(grid.Col(), w.endCol == -2 ? e.col + 1 : e.col);
            EXPECT_EQ(grid.Row(), w.endRow);
            refuse = false;
        }
    }
    editing->OnCellValidate = nullptr;
}

// Keys that are no way out stay with the drop-down: Left, Right, Home, End
// with the popup closed; Alt+Down opens the popup (and closes it again),
// never leaving the cell.
TEST_F(DropDownEditors, KeysThatStayInTheEditor)
{
    StartAt(kCalc, "1234");
    dropdown::TExCustomDropDown* calc = Open();
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}) {
        Key(k);
        EXPECT_TRUE(editing->EditMode()) << k;
    }
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(calc->DroppedDown());
    EXPECT_TRUE(editing->EditMode());
    QTest::keyClick(calc, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(calc->DroppedDown());
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
    // With the popup open, Down closes the editor where it is.
    calc->ShowDropDown();
    QTest::keyClick(calc, Qt::Key_Down);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_FALSE(calc->DroppedDown());
    EXPECT_EQ(grid.Row(), 1);
    // Alt+Up is no opening key: it leaves as Up does.
    StartAt(kCalc, "1", 2);
    Key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(DropDownEditors, TheCalculatorStoresItsResultOnEnter)
{
    StartAt(kCalc, "0");
    QTest::keyClicks(editors->OpenEditor(), "2+3*4");
    Key(Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(kCalc, 1), "20.00");
}

TEST_F(DropDownEditors, ColourEditorKeys)
{
    auto* set = dynamic_cast<TGridDropDownSet*>(editors->DropDowns());
    ASSERT_NE(set, nullptr);
    grid.SetColors(kColor, 1, 0x0000FF);
    // Closed: Home leaves the cell, the colour picked stored with its text.
    StartAt(kColor, "");
    auto* picker = dynamic_cast<dropdown::TExColorPickerDropDown*>(Open());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->SelectedColor(), 0x0000FFu) << "opens on the cell's colour";
    picker->SetSelectedColor(0x00FF00);
    Key(Qt::Key_Home);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Colors(kColor, 1), 0x00FF00u);
    EXPECT_EQ(grid.Cells(kColor, 1), picker->SelectedColorText());

    // Open: Up and Down move inside the popup, Enter stores what they chose.
    StartAt(kColor, "");
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    const TColor before = picker->SelectedColor();
    QTest::keyClick(picker, Qt::Key_Down);
    QTest::keyClick(picker, Qt::Key_Down);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_TRUE(picker->DroppedDown());
    const TColor chosen = picker->SelectedColor();
    EXPECT_NE(chosen, before);
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Colors(kColor, 1), chosen);

    // Esc puts back the cell's text and colour, and the grid hears of no pick.
    int picks = 0;
    editing->OnColorSelected = [&](TExStringGrid*, int, int, TColor&, QString&) { ++picks; };
    const TColor kept = grid.Colors(kColor, 1);
    const QString text = grid.Cells(kColor, 1);
    StartAt(kColor, text);
    picker->SetSelectedColor(0x123456);
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid.Colors(kColor, 1), kept);
    EXPECT_EQ(grid.Cells(kColor, 1), text);
    EXPECT_EQ(picks, 0);

    // The handler may change both the colour and the text.
    editing->OnColorSelected = [&](TExStringGrid*, int col, int row, TColor& color, QString& value) {
        EXPECT_EQ(col, kColor);
        EXPECT_EQ(row, 1);
        color = 0x010203;
        value = "mine";
    };
    StartAt(kColor, text);
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Colors(kColor, 1), 0x010203u);
    EXPECT_EQ(grid.Cells(kColor, 1), "mine");
}

// Each kind is made once and reused; a typed character that opens the
// editor goes into it.
TEST_F(DropDownEditors, MadeOnceAndTheOpeningCharacterTyped)
{
    StartAt(kCalc, "1");
    QWidget* first = editors->OpenEditor();
    Key(Qt::Key_Escape);
    widget->setFocus();
    grid.MoveCurrentCell(kCalc, 2);
    QTest::keyClicks(widget, "7");
    ASSERT_TRUE(editing->EditMode());
    EXPECT_EQ(editors->OpenEditor(), first);
    EXPECT_EQ(Open()->Text(), "7");
    QStringList changes;
    editing->OnEditChange = [&](TExStringGrid*, int col, int row, const QString& value) {
        changes.append(value);
        EXPECT_EQ(col, kCalc);
        EXPECT_EQ(row, 2);
    };
    QTest::keyClicks(first, "8");
    EXPECT_EQ(changes, QStringList{"78"});
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Cells(kCalc, 2), "78.00");
}

TEST_F(DropDownEditors, PushButton)
{
    int clicks = 0;
    editing->OnEllipsClick = [&](TExStringGrid*, int col, int row, QString& text) {
        EXPECT_EQ(col, kButton);
        EXPECT_EQ(row, 1);
        text += "+";
    };
    grid.OnButtonClick = [&](TExStringGrid*, int, int) { ++clicks; };
    StartAt(kButton, "go");
    TGridButton* button = editors->MadeGridButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "go");
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(grid.Cells(kButton, 1), "go+");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(grid.Cells(kButton, 1), "go++");
    EXPECT_EQ(button->text(), "go++");
    EXPECT_EQ(clicks, 2);
    // Esc puts back the text the cell had when the button opened.
    QTest::keyClick(button, Qt::Key_Escape);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(grid.Cells(kButton, 1), "go");
    // An arrow moves on in the grid.
    StartAt(kButton, "go");
    QTest::keyClick(editors->MadeGridButton(), Qt::Key_Right);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Col(), kNext);
}

// The grid's popup bar looks reach whichever editor is shown, each time it
// is shown (the same editor shows new looks after they change), even an
// editor that hid its own bars.
TEST_F(DropDownEditors, TheGridsPopupBarsReachTheShownEditor)
{
    using dropdown::TExCustomDropDown;
    struct BarCase
    {
        const char* name;
        std::function<void(TControlLook&)> set;
        std::function<bool(TExCustomDropDown&)> reached;
    };
    const BarCase cases[] = {
        {"header caption", [](TControlLook& l) { l.DropDownHeader.Caption = "Pick one"; },
         [](TExCustomDropDown& d) { return d.DropDownHeader().Caption == "Pick one" && d.DropDownHeader().Visible(); }},
        {"header height and colour",
         [](TControlLook& l) {
             l.DropDownHeader.Height = 30;
             l.DropDownHeader.BorderWidth = 2;
         },
         [](TExCustomDropDown& d) { return d.DropDownHeader().Height == 30 && d.DropDownHeader().BorderWidth == 2; }},
        {"header buttons",
         [](TControlLook& l) {
             l.DropDownHeader.Buttons = {{"A"}, {"B"}};
         },
         [](TExCustomDropDown& d) {
             return d.DropDownHeader().Buttons.size() == 2 && d.DropDownHeader().Buttons[1].Caption == "B";
         }},
        {"header hidden", [](TControlLook& l) { l.DropDownHeader.Visible = false; },
         [](TExCustomDropDown& d) { return !d.DropDownHeader().Visible() && d.DropDownFooter().Visible(); }},
        {"footer without grip, buttons left",
         [](TControlLook& l) {
             l.DropDownFooter.SizeGrip = false;
             l.DropDownFooter.ButtonAlignment = bbaLeft;
             l.DropDownFooter.ImageIndex = 2;
         },
         [](TExCustomDropDown& d) {
             return !d.DropDownFooter().SizeGrip && d.DropDownFooter().ButtonAlignment == dropdown::baLeft &&
                    d.DropDownFooter().ImageIndex == 2;
         }},
        {"footer hidden", [](TControlLook& l) { l.DropDownFooter.Visible = false; },
         [](TExCustomDropDown& d) { return !d.DropDownFooter().Visible() && d.DropDownHeader().Visible(); }},
    };
    for (const BarCase& c : cases) {
        for (int col : {kCalc, kTrack, kDetail, kColor, kImageList}) {
            SCOPED_TRACE(std::string(c.name) + " in column " + std::to_string(col));
            grid.ControlLook.DropDownHeader = TDropDownHeaderLook();
            grid.ControlLook.DropDownFooter = TDropDownFooterLook();
            c.set(grid.ControlLook);
            StartAt(col, "1");
            EXPECT_TRUE(c.reached(*Open()));
            Key(Qt::Key_Escape);
        }
    }
    // Assigning one grid's look to another copies the bars.
    grid.ControlLook.DropDownHeader.Caption = "Copied";
    grid.ControlLook.DropDownFooter.SizeGrip = false;
    TExStringGrid other;
    other.ControlLook.Assign(grid.ControlLook);
    EXPECT_EQ(other.ControlLook.DropDownHeader.Caption, "Copied");
    EXPECT_FALSE(other.ControlLook.DropDownFooter.SizeGrip);
}

// A popup bar's button is the grid's event for the cell being edited.
TEST_F(DropDownEditors, PopupBarButtonsFireTheGridsEvents)
{
    grid.ControlLook.DropDownHeader.Buttons = {{"A"}, {"B"}};
    grid.ControlLook.DropDownFooter.Buttons = {{"C"}};
    QStringList heard;
    grid.OnDropDownHeaderButtonClick = [&](TExStringGrid* g, int col, int row, int index) {
        EXPECT_EQ(g, &grid);
        heard.append(QString("header %1,%2 #%3").arg(col).arg(row).arg(index));
    };
    grid.OnDropDownFooterButtonClick = [&](TExStringGrid* g, int col, int row, int index) {
        EXPECT_EQ(g, &grid);
        heard.append(QString("footer %1,%2 #%3").arg(col).arg(row).arg(index));
    };
    for (int col : {kCalc, kDetail}) {
        StartAt(col, "1", 3);
        dropdown::TExCustomDropDown* d = Open();
        d->ShowDropDown();
        ASSERT_TRUE(d->DroppedDown());
        dropdown::TExHeader* header = d->DropDownForm()->Header();
        dropdown::TExFooter* footer = d->DropDownForm()->Footer();
        ASSERT_NE(header, nullptr);
        ASSERT_NE(footer, nullptr);
        ASSERT_EQ(header->ButtonList().size(), 2u);
        ASSERT_EQ(footer->ButtonList().size(), 1u);
        QTest::mouseClick(header->ButtonList()[1], Qt::LeftButton);
        QTest::mouseClick(footer->ButtonList()[0], Qt::LeftButton);
        d->HideDropDown(true);
        Key(Qt::Key_Escape);
    }
    EXPECT_EQ(heard, (QStringList{QString("header %1,3 #1").arg(kCalc), QString("footer %1,3 #0").arg(kCalc),
                                  QString("header %1,3 #1").arg(kDetail), QString("footer %1,3 #0").arg(kDetail)}));
}

// The image editor opens on the cell's image among the grid's images and
// gives back the image picked (or the handler's choice): an image list cell
// its image index, a data image cell the number as its text; other cells
// and Esc keep what the cell holds.
TEST_F(DropDownEditors, ImageEditorReadBack)
{
    const int kNone = -2;  // nothing picked: the editor closes as it opened
    struct ImageCase
    {
        const char* name;
        int col;
        const char* text;
        int index;     // the image list cell's index, or the expected opening pick
        int pick;
        int handler;   // what the handler makes of the index, or kNone
        Qt::Key key;
        const char* storedText;
        int storedIndex;  // image list cells
    };
    const ImageCase cases[] = {
        {"image list: the pick", kImageList, "", 1, 3, kNone, Qt::Key_Return, "", 3},
        {"image list: the handler's choice", kImageList, "", 1, 3, 2, Qt::Key_Return, "", 2},
        {"image list: Tab stores too", kImageList, "", 0, 2, kNone, Qt::Key_Tab, "", 2},
        {"image list: Esc keeps the cell", kImageList, "", 1, 3, kNone, Qt::Key_Escape, "", 1},
        {"data image: the number", kDataImage, "1", 1, 2, kNone, Qt::Key_Return, "2", -1},
        {"data image: the handler's choice", kDataImage, "1", 1, 2, 0, Qt::Key_Return, "0", -1},
        {"data image: Esc keeps the cell", kDataImage, "1", 1, 3, kNone, Qt::Key_Escape, "1", -1},
        {"data image: unchanged keeps its text", kDataImage, " 2", 2, kNone, kNone, Qt::Key_Return, " 2", -1},
        {"data image: no number picks nothing", kDataImage, "abc", -1, kNone, kNone, Qt::Key_Return, "abc", -1},
        {"plain cell: nothing written", kPlainImage, "words", -1, 2, kNone, Qt::Key_Return, "words", -1},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        editing->HideInplaceEdit();
        grid.RemoveImageIdx(c.col, 1);
        grid.RemoveDataImage(c.col, 1);
        if (c.col == kImageList)
            grid.AddImageIdx(c.col, 1, c.index, haLeft, vaTop);
        grid.SetCells(c.col, 1, c.text);
        if (c.col == kDataImage)
            grid.AddDataImage(c.col, 1, 0, haLeft, vaTop);
        ASSERT_EQ(grid.Cells(c.col, 1), c.text);
        int calls = 0;
        editing->OnImageSelected = [&](TExStringGrid* g, int col, int row, int& index) {
            ++calls;
            EXPECT_EQ(g, &grid);
            EXPECT_EQ(col, c.col);
            EXPECT_EQ(row, 1);
            EXPECT_EQ(index, c.pick == kNone ? c.index : c.pick);
            if (c.handler != kNone)
                index = c.handler;
        };
        widget->setFocus();
        grid.MoveCurrentCell(c.col, 1);
        QTest::keyClick(widget, Qt::Key_F2);
        auto* picker = dynamic_cast<dropdown::TExImagePickerDropDown*>(Open());
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->Items().size(), 4u) << "one item per image";
        EXPECT_EQ(picker->ImageIndex(), c.index) << "opens on the cell's image";
        if (c.pick != kNone)
            picker->SetImageIndex(c.pick);
        Key(c.key);
        // Tab opens the next cell's editor, the same picker.
        if (c.key != Qt::Key_Tab) {
            EXPECT_FALSE(picker->isVisible());
        }
        EXPECT_EQ(grid.Cells(c.col, 1), c.storedText);
        if (c.col == kImageList) {
            int index = -1;
            EXPECT_TRUE(grid.GetImageIdx(c.col, 1, index));
            EXPECT_EQ(index, c.storedIndex);
        }
        EXPECT_EQ(calls, c.key == Qt::Key_Escape ? 0 : 1);
        editing->OnImageSelected = nullptr;
    }
}

// A track bar that cannot show the cell's value (out of range, no number)
// gives the cell's text back when left untouched; a moved one stores its
// position.
TEST_F(DropDownEditors, AnUntouchedTrackBarKeepsTheCellsText)
{
    struct TrackCase
    {
        const char* start;
        Qt::Key key;
        int moveTo;  // -1: untouched
        const char* stored;
    };
    const TrackCase cases[] = {
        {"15", Qt::Key_Return, -1, "15"},
        {"15", Qt::Key_Tab, -1, "15"},
        {"-3", Qt::Key_Down, -1, "-3"},
        {"abc", Qt::Key_Return, -1, "abc"},
        {"15", Qt::Key_Return, 7, "7"},
        {"4", Qt::Key_Return, 10, "10"},
    };
    for (const TrackCase& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " -> " + c.stored);
        StartAt(kTrack, c.start, 2);
        auto* track = dynamic_cast<dropdown::TExTrackBarDropDown*>(Open());
        ASSERT_NE(track, nullptr);
        if (c.moveTo >= 0)
            track->SetPosition(c.moveTo);
        Key(c.key);
        EXPECT_EQ(grid.Cells(kTrack, 2), c.stored);
    }
    // Leaving by a click elsewhere stores the same way.
    StartAt(kTrack, "99", 2);
    editing->HideInplaceEdit();
    EXPECT_EQ(grid.Cells(kTrack, 2), "99");
}

} // namespace
