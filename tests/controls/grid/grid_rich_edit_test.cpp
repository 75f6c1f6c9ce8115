// Rich-text cells on the painted grid: the in-place rich editor opened by
// keys, its RTF written back and read again, Esc and untouched cells keeping
// their exact text, the keys that leave it, and rich cells drawn formatted
// inside their rectangle only.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/rich/rich_draw.h"
#include "controls/grid/rich/rtf_subset.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/rich_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace grid;

namespace {

// Written by another program: a font table, \fs and \f words our writer
// would spell differently; an untouched cell must keep every byte.
const QString kForeign = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\viewkind4\\uc1\\pard\\f0\\fs20 "
    "plain \\b bold\\b0  caf\\'e9\\par}");

class RichEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColCount(3);
        grid.SetRowCount(4);
        grid.DefaultEditor = edRichEdit;
        grid.SetWordWrap(false);
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        grid.SetOptions(o);
        grid.SetCells(1, 1, kForeign);
        grid.SetCells(1, 2, "plain text");
        grid.SetCells(2, 1, "next");
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        other = new QLineEdit;
        layout->addWidget(widget);
        layout->addWidget(other);
        window.resize(500, 260);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editors = widget->Editors();
        widget->setFocus();
        grid.MoveCurrentCell(1, 1);
    }

    TExRichEdit& Open()
    {
        QTest::keyClick(widget, Qt::Key_F2);
        EXPECT_TRUE(editing->EditMode());
        EXPECT_EQ(editing->OpenKind(), EditorKind::Rich);
        return editors->RichEdit();
    }

    bool Shown() const { return editors->MadeRichEdit() && editors->MadeRichEdit()->isVisible(); }

    TExStringGrid grid;
    QWidget window;
    TGridWidget* widget = nullptr;
    QLineEdit* other = nullptr;
    GridEditing* editing = nullptr;
    TGridEditors* editors = nullptr;
};

TEST_F(RichEdit, BoldTypingIsWrittenBackAsRtfThatReadsBack)
{
    TExRichEdit& r = Open();
    ASSERT_TRUE(r.hasFocus());
    EXPECT_EQ(r.toPlainText(), QStringLiteral("plain bold caf\u00e9\n"));
    QTextCursor c = r.textCursor();
    c.movePosition(QTextCursor::Start);
    r.setTextCursor(c);
    r.setFontWeight(QFont::Bold);
    QTest::keyClicks(&r, "Hi");
    // Up and Down leave a single-line cell for the grid.
    QTest::keyClick(&r, Qt::Key_Down);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_FALSE(Shown());
    EXPECT_EQ(grid.Row(), 2);

    const QString stored = grid.Cells(1, 1);
    ASSERT_TRUE(IsRtfText(stored)) << stored.toStdString();
    QTextDocument doc;
    ReadRtf(stored, doc);
    EXPECT_TRUE(doc.toPlainText().startsWith(QStringLiteral("Hiplain bold caf\u00e9")));
    const QTextBlock first = doc.begin();
    ASSERT_TRUE(first.begin() != first.end());
    const QTextFragment hi = first.begin().fragment();
    EXPECT_EQ(hi.text(), "Hi");
    EXPECT_EQ(hi.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(RichEdit, EscRestoresAndUntouchedCellsKeepTheirExactText)
{
    TExRichEdit& r = Open();
    QTest::keyClicks(&r, "zz");
    QTest::keyClick(&r, Qt::Key_Escape);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), kForeign);

    // Opened and left without a change, RTF and plain cells alike.
    for (int row : {1, 2}) {
        SCOPED_TRACE(row);
        const QString before = grid.Cells(1, row);
        widget->setFocus();
        grid.MoveCurrentCell(1, row);
        Open();
        QTest::keyClick(&editors->RichEdit(), Qt::Key_Down);
        EXPECT_FALSE(editing->EditMode());
        EXPECT_EQ(grid.Cells(1, row), before);
    }
}

TEST_F(RichEdit, TabIsTypedUnlessTheGridTabsThenTheNextCellOpens)
{
    TExRichEdit& r = Open();
    QTest::keyClick(&r, Qt::Key_Tab);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_TRUE(r.toPlainText().contains(u'\t'));
    QTest::keyClick(&r, Qt::Key_Escape);
    ASSERT_EQ(grid.Cells(1, 1), kForeign);

    TGridOptions o = grid.Options();
    o.Include(goTabs);
    grid.SetOptions(o);
    widget->setFocus();
    grid.MoveCurrentCell(1, 1);
    Open();
    QTest::keyClick(&r, Qt::Key_Tab);
    EXPECT_EQ(grid.Cells(1, 1), kForeign);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(r.toPlainText(), "next");
    QTest::keyClick(&r, Qt::Key_Escape);
}

TEST_F(RichEdit, FocusToTheGridStoresButAnotherControlKeepsItOpen)
{
    TExRichEdit& r = Open();
    r.selectAll();
    QTest::keyClicks(&r, "new");
    other->setFocus();
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), kForeign);
    r.setFocus();
    widget->setFocus();
    EXPECT_FALSE(editing->EditMode());
    QTextDocument doc;
    ReadRtf(grid.Cells(1, 1), doc);
    EXPECT_EQ(doc.toPlainText(), "new");
}

TEST_F(RichEdit, RefusedValueKeepsTheEditorOnTheCell)
{
    editing->OnCellValidate = [](TExStringGrid*, int, int, QString& value, bool& valid) {
        valid = !value.contains(QStringLiteral("bad"));
    };
    TExRichEdit& r = Open();
    r.selectAll();
    QTest::keyClicks(&r, "bad");
    QTest::keyClick(&r, Qt::Key_Down);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Cells(1, 1), kForeign);
    QTest::keyClick(&r, Qt::Key_Escape);
    EXPECT_EQ(grid.Cells(1, 1), kForeign);
}

TEST_F(RichEdit, UpAndDownMoveTheCaretInWrappedCells)
{
    grid.SetWordWrap(true);
    TExRichEdit& r = Open();
    QTextCursor c = r.textCursor();
    c.movePosition(QTextCursor::End);
    r.setTextCursor(c);
    QTest::keyClick(&r, Qt::Key_Up);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(r.textCursor().blockNumber(), 0);
    QTest::keyClick(&r, Qt::Key_Escape);
}

TEST_F(RichEdit, GrowingTextGrowsTheRowUntilTheGridsBottom)
{
    grid.SizeWhileTyping.Height = true;
    int sized = 0;
    grid.OnEndRowSize = [&](TExStringGrid*, int row) {
        EXPECT_EQ(row, 1);
        ++sized;
    };
    const int before = grid.RowHeights(1);
    TExRichEdit& r = Open();
    // Locked (as while the cell loads), the row keeps its height.
    r.BeginUpdate();
    QTest::keyClick(&r, Qt::Key_Return);
    QTest::keyClick(&r, Qt::Key_Return);
    r.EndUpdate();
    EXPECT_EQ(grid.RowHeights(1), before);
    EXPECT_EQ(sized, 0);
    QTest::keyClick(&r, Qt::Key_Return);
    EXPECT_GT(grid.RowHeights(1), before);
    EXPECT_EQ(grid.RowHeights(1), r.ReqHeight() + 10);
    EXPECT_EQ(r.height(), r.ReqHeight() + 9);
    EXPECT_GT(sized, 0);
    // Far more lines than the grid shows: the row stops short of its bottom.
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&r, Qt::Key_Return);
    const int top = grid.UnclippedCellRect(1, 1).top();
    EXPECT_LT(top + grid.RowHeights(1), grid.ClientHeight() + 5);
    EXPECT_GT(r.ReqHeight() + 10, grid.RowHeights(1));
    QTest::keyClick(&r, Qt::Key_Escape);
}

TEST_F(RichEdit, SubAndSuperscriptOfTheSelection)
{
    TExRichEdit& r = Open();
    r.selectAll();
    EXPECT_TRUE(r.IsSelNormal());
    r.SelSuperscript();
    EXPECT_TRUE(r.IsSelSuperscript());
    EXPECT_FALSE(r.IsSelNormal());
    EXPECT_FALSE(r.IsSelSubscript());
    r.SelSubscript();
    EXPECT_TRUE(r.IsSelSubscript());
    r.SelNormal();
    EXPECT_TRUE(r.IsSelNormal());
    QTest::keyClick(&r, Qt::Key_Escape);
}

// Pixels that differ from the background inside and outside a rectangle.
std::pair<int, int> InkInAndOut(const QImage& image, const QRect& rect, QRgb background)
{
    int in = 0;
    int out = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                ++(rect.contains(x, y) ? in : out);
    return {in, out};
}

TEST(RichDraw, DrawsTheTextInsideTheRectangleOnly)
{
    QImage image(240, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect cell(30, 40, 60, 18);
    {
        QPainter p(&image);
        p.setPen(Qt::black);
        // Longer than the cell and three lines high: the rest is cut.
        DrawRichText(p, cell, QStringLiteral("{\\rtf1 \\b WWWWWWWWWWWWWWWW\\b0\\par second\\par third}"),
                     QFont(QStringLiteral("Sans"), 10));
    }
    const auto [in, out] = InkInAndOut(image, cell, qRgb(255, 255, 255));
    EXPECT_GT(in, 20);
    EXPECT_EQ(out, 0);

    // The selection's colour takes over every character.
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawRichText(p, cell, QStringLiteral("{\\rtf1 {\\colortbl ;\\red0\\green0\\blue255;}\\cf1 WWW}"),
                     QFont(QStringLiteral("Sans"), 10), QColor(Qt::red));
    }
    bool blue = false;
    bool red = false;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue = blue || (c.blue() > 200 && c.red() < 60);
            red = red || (c.red() > 200 && c.blue() < 60 && c.green() < 60);
        }
    EXPECT_TRUE(red);
    EXPECT_FALSE(blue);
}

TEST_F(RichEdit, TheGridDrawsRichCellsFormattedInTheirCell)
{
    grid.SetCells(1, 1, QStringLiteral("{\\rtf1 \\b WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\\b0}"));
    grid.SetCells(1, 2, QString());
    grid.SetCells(2, 1, QString());
    grid.MoveCurrentCell(2, 3);
    const QImage shot = widget->viewport()->grab().toImage();
    const QRect cell = grid.UnclippedCellRect(1, 1);
    const QRgb background = shot.pixel(cell.left() + 1, cell.bottom() - 1);
    int ink = 0;
    for (int y = cell.top() + 1; y < cell.bottom() - 1; ++y)
        for (int x = cell.left() + 1; x < cell.right() - 1; ++x)
            ink += shot.pixel(x, y) != background ? 1 : 0;
    EXPECT_GT(ink, 20);
    // The long text stops at the cell's right edge: the next cell is empty.
    const QRect next = grid.UnclippedCellRect(2, 1).adjusted(2, 2, -2, -2);
    int spill = 0;
    for (int y = next.top(); y <= next.bottom(); ++y)
        for (int x = next.left(); x <= next.right(); ++x)
            spill += shot.pixel(x, y) != shot.pixel(next.left(), next.top()) ? 1 : 0;
    EXPECT_EQ(spill, 0);
    // No RTF control words reach the screen as text: the plain text is drawn.
    QTextDocument& hidden = GetRichEdit(grid);
    EXPECT_EQ(&hidden, &GetRichEdit(grid));
    CellToRich(grid, 1, 1, hidden);
    EXPECT_EQ(hidden.toPlainText(), "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
}

} // namespace
