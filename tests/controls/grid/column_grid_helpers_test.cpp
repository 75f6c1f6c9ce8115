// The common row and key helpers on a real column grid with a hidden column
// and a Y/N column right of it.
#include "app/common/helpers.h"
#include "app/common/language.h"
#include "app/common/workspace.h"
#include "controls/grid/core/ex_column_grid.h"
#include "message_recorder.h"
#include "program_folder.h"
#include "qt_print.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

class HelpersOnColumnGrid : public ::testing::Test
{
protected:
    enum { kNumber, kName, kKey, kEnable, kColumns };

    void SetUp() override
    {
        g.SetColCount(kColumns);
        g.SetRowCount(5);
        g.Columns()[kName]->SetHeader(QStringLiteral("Name"));
        g.Columns()[kKey]->SetHeader(QStringLiteral("Key"));
        g.Columns()[kEnable]->SetHeader(QStringLiteral("Enable"));
        g.Columns()[kEnable]->SetEditor(edDataCheckBox);
        g.Loaded();
        g.HideColumn(kKey);
        for (int r = 1; r < 5; ++r) {
            g.SetCells(kNumber, r, QString::number(r));
            Fill(r, {QStringLiteral("n%1").arg(r), QStringLiteral("k%1").arg(r), QStringLiteral("N")});
        }
    }

    void Fill(int row, const QStringList& texts)
    {
        for (int c = 1; c < kColumns; ++c)
            g.SetCells(c, row, texts.value(c - 1));
    }
    QStringList Texts(int row) const
    {
        QStringList t;
        for (int c = 1; c < kColumns; ++c)
            t.append(g.Cells(c, row));
        return t;
    }

    TempProgramFolder folder;
    TExColumnGrid g;
};

} // namespace

TEST_F(HelpersOnColumnGrid, RowsMoveWithTheirHiddenTexts)
{
    GridServices& grid = g;
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.AllColCount(), 4);
    EXPECT_TRUE(grid.IsCheckBoxColumn(kEnable));
    Delete_Row(2, g);
    EXPECT_EQ(Texts(2), (QStringList{"n3", "k3", "N"}));
    EXPECT_EQ(Texts(4), (QStringList{"", "", ""}));
    EXPECT_EQ(g.Cells(kNumber, 2), QStringLiteral("2"));
    Insert_Row(1, g);
    EXPECT_EQ(Texts(1), (QStringList{"", "", ""}));
    EXPECT_EQ(Texts(2), (QStringList{"n1", "k1", "N"}));
    EXPECT_EQ(Texts(3), (QStringList{"n3", "k3", "N"}));

    Copy_Row(g, 3);
    EXPECT_EQ(RowClipboard, (QStringList{"n3", "k3", "N"}));
    MessageRecorder m;
    Paste_Row(g, 1, true); // only empty cells: no question
    EXPECT_TRUE(m.Empty());
    EXPECT_EQ(Texts(1), (QStringList{"n3", "k3", "N"}));
}

TEST_F(HelpersOnColumnGrid, PasteChecksCountTheHiddenColumn)
{
    MessageRecorder m;
    RowClipboard = QStringList{"x", "Y"}; // copied from a grid without the hidden column
    Paste_Row(g, 1, true);
    EXPECT_EQ(m.Texts(), QStringList{Lang(1101)});
    EXPECT_EQ(Texts(1), (QStringList{"n1", "k1", "N"}));

    // A Y/N cell alone does not make the row used; the hidden cell does.
    RowClipboard = QStringList{"x", "kx", "Y"};
    Fill(4, {"", "", "Y"});
    Paste_Row(g, 4, true);
    EXPECT_EQ(m.Texts().size(), 1);
    EXPECT_EQ(Texts(4), (QStringList{"x", "kx", "Y"}));
    Fill(4, {"", "hidden only", "N"});
    m.QueueAnswer(false);
    Paste_Row(g, 4, true);
    EXPECT_EQ(m.Texts().last(), Lang(1100));
    EXPECT_EQ(Texts(4), (QStringList{"", "hidden only", "N"}));
}

TEST_F(HelpersOnColumnGrid, EnterWalksTheShownColumns)
{
    EnableJumpFieldTables = true;
    g.SetCol(1);
    g.SetRow(1);
    std::vector<std::pair<int, int>> visited;
    for (int i = 0; i < 5; ++i) {
        char16_t key = u'\r';
        Grid_KeyPress(g, key);
        EXPECT_EQ(key, 0);
        visited.push_back({g.RealColIndex(g.Col()), g.Row()});
    }
    // Display column 2 is the Y/N column: the hidden key column is never current.
    EXPECT_EQ(visited, (std::vector<std::pair<int, int>>{
                           {kEnable, 1}, {kName, 2}, {kEnable, 2}, {kName, 3}, {kEnable, 3}}));
}

TEST_F(HelpersOnColumnGrid, DoubleClickOnTheHeaderFitsTheColumn)
{
    const FixedTextMeasurer measurer(7, 13);
    g.Measurer = &measurer;
    g.SetCells(kName, 2, QString(20, u'w'));
    DoubleClickAutoSize = true;
    Grid_DblClickCell(g, 0, 1);
    EXPECT_EQ(g.ColWidths(1), 140 + 4 + 2 + 2);
    Grid_DblClickCell(g, 0, 2); // the shown Y/N column
    EXPECT_EQ(g.ColWidths(2), 7 * 6 + 4 + 2 + 2); // "Enable" is wider than a box and "N"
}
