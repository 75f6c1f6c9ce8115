// Clipboard keys on two painted grids side by side, typed as real keys:
// Ctrl+C, Ctrl+X and Ctrl+V within one grid and between the two, cells with
// their looks, the text on the system clipboard, and a cut on a grid without
// editing.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "controls/grid/widget/grid_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHBoxLayout>
#include <QMimeData>
#include <QTest>

using namespace grid;

namespace {

class ClipboardKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (TExStringGrid* g : {&left, &right}) {
            g->SetColCount(4);
            g->SetRowCount(6);
            g->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                                       goEditing});
            g->Navigation.AllowClipboardShortCuts = true;
            g->Navigation.AllowFmtClipboard = true;
        }
        for (int r = 1; r < 6; ++r)
            for (int c = 1; c < 4; ++c)
                left.SetCells(c, r, QStringLiteral("%1%2").arg(QChar(u'a' + c - 1)).arg(r));
        left.CellProperties(2, 1)->FontName = QStringLiteral("Mono");
        auto* layout = new QHBoxLayout(&dialog);
        leftWidget = new TGridWidget(left);
        rightWidget = new TGridWidget(right);
        layout->addWidget(leftWidget);
        layout->addWidget(rightWidget);
        dialog.resize(640, 240);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QApplication::clipboard()->clear();
    }

    // A key on a grid that has the focus, as the user types it.
    static void Key(TGridWidget* w, Qt::Key key)
    {
        w->setFocus();
        QTest::keyClick(w, key, Qt::ControlModifier);
    }

    static QStringList Row(TExStringGrid& g, int row)
    {
        QStringList out;
        for (int c = 1; c < g.ColCount(); ++c)
            out << g.Cells(c, row);
        return out;
    }

    TExStringGrid left;
    TExStringGrid right;
    QDialog dialog;
    TGridWidget* leftWidget = nullptr;
    TGridWidget* rightWidget = nullptr;
};

} // namespace

TEST_F(ClipboardKeys, CopyAndPasteBetweenTheGridsCarryTextsAndLooks)
{
    left.SelectCells(1, 1, 2, 2);
    Key(leftWidget, Qt::Key_C);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("a1\tb1\r\na2\tb2\r\n"));
    EXPECT_TRUE(data->hasFormat(kCellsFormat));

    right.SelectCells(2, 3, 2, 3);
    Key(rightWidget, Qt::Key_V);
    EXPECT_EQ(Row(right, 3), (QStringList{"", "a1", "b1"}));
    EXPECT_EQ(Row(right, 4), (QStringList{"", "a2", "b2"}));
    ASSERT_NE(right.GridObjects(3, 3), nullptr);
    EXPECT_EQ(right.GridObjects(3, 3)->FontName, QStringLiteral("Mono"));
    // The source is left as it was.
    EXPECT_EQ(Row(left, 1), (QStringList{"a1", "b1", "c1"}));
}

TEST_F(ClipboardKeys, CutAndPasteWithinOneGrid)
{
    left.SelectCells(3, 1, 3, 2);
    Key(leftWidget, Qt::Key_X);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("c1\r\nc2\r\n"));
    EXPECT_EQ(left.Cells(3, 1), QString());
    EXPECT_EQ(left.Cells(3, 2), QString());

    left.SelectCells(1, 4, 1, 4);
    Key(leftWidget, Qt::Key_V);
    EXPECT_EQ(left.Cells(1, 4), QStringLiteral("c1"));
    EXPECT_EQ(left.Cells(1, 5), QStringLiteral("c2"));
    // Nothing else moved.
    EXPECT_EQ(Row(left, 1), (QStringList{"a1", "b1", ""}));
    EXPECT_EQ(Row(left, 3), (QStringList{"a3", "b3", "c3"}));
}

TEST_F(ClipboardKeys, CutOnAGridWithoutEditingOnlyCopies)
{
    left.SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect});
    left.SelectCells(1, 1, 3, 1);
    Key(leftWidget, Qt::Key_X);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a1\tb1\tc1"));
    EXPECT_EQ(Row(left, 1), (QStringList{"a1", "b1", "c1"}));
    // And a paste into it changes nothing either.
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    Key(leftWidget, Qt::Key_V);
    EXPECT_EQ(Row(left, 1), (QStringList{"a1", "b1", "c1"}));
}
