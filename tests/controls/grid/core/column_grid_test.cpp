// The column grid: items in step with the columns, the hooks answered from
// the columns, moves, the column stream and the "CP" positions.
#include "controls/grid/core/ex_column_grid.h"
#include "platform/text/format_settings.h"
#include "platform/text/ini_file.h"
#include "qt_print.h"
#include "recording_view.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {

QStringList Headers(const TExColumnGrid& g)
{
    QStringList h;
    for (int i = 0; i < g.Columns().Count(); ++i)
        h.append(g.Columns()[i]->Header());
    return h;
}

QStringList HeaderCells(TExColumnGrid& g)
{
    QStringList h;
    for (int i = 0; i < g.AllColCount(); ++i)
        h.append(g.Cells(i, 0));
    return h;
}

// A table window's grid: row numbers, a Y/N column, a combo list, a combo
// edit, a read-only column, one limited to 15 characters, a hidden column
// and a Y/N column right of it; one footer row.
class TableGrid : public ::testing::Test
{
protected:
    enum { kNumber, kEnable, kType, kName, kAddress, kText, kHidden, kTrap, kColumns };

    void SetUp() override
    {
        g.SetColCount(kColumns);
        g.SetRowCount(6);
        const char* headers[] = {"#", "Enable", "Type", "Name", "Address", "Description", "Key", "Trap"};
        for (int c = 0; c < kColumns; ++c)
            g.Columns()[c]->SetHeader(QString::fromLatin1(headers[c]));
        g.Columns()[kEnable]->SetEditor(edDataCheckBox);
        g.Columns()[kTrap]->SetEditor(edDataCheckBox);
        g.Columns()[kType]->SetEditor(edComboList);
        g.Columns()[kType]->ComboItems = {"Int", "Float"};
        g.Columns()[kName]->SetEditor(edComboEdit);
        g.Columns()[kAddress]->ReadOnly = true;
        g.Columns()[kText]->EditLength = 15;
        g.Loaded();
        g.HideColumn(kHidden);
        for (int r = 1; r < g.TExStringGrid::RowCount(); ++r) {
            g.SetCells(kNumber, r, QString::number(r));
            g.SetCells(kEnable, r, r % 2 ? QStringLiteral("Y") : QStringLiteral("N"));
            g.SetCells(kHidden, r, QStringLiteral("key%1").arg(r));
            g.SetCells(kTrap, r, QStringLiteral("N"));
        }
    }

    TExColumnGrid g;
};

} // namespace

TEST_F(TableGrid, FilledAndReadByRealIndex)
{
    EXPECT_EQ(g.ColCount(), kColumns - 1);
    EXPECT_EQ(g.AllColCount(), kColumns);
    EXPECT_EQ(g.Columns().Count(), kColumns);
    EXPECT_EQ(g.Cells(kHidden, 2), QStringLiteral("key2"));
    EXPECT_EQ(g.Cells(kTrap, 2), QStringLiteral("N"));
    EXPECT_EQ(g.RealColIndex(kHidden), kTrap); // the display column 6 is the Trap column
    EXPECT_EQ(HeaderCells(g), (QStringList{"#", "Enable", "Type", "Name", "Address", "Description", "Key", "Trap"}));
    EXPECT_EQ(g.ColumnHeaders, HeaderCells(g));
    // Writes past the row count are kept unseen.
    g.SetCells(kText, 40, QStringLiteral("later"));
    EXPECT_EQ(g.GetCellEx(kText, 40), QStringLiteral("later"));
    EXPECT_EQ(g.TExStringGrid::RowCount(), 6);
}

TEST_F(TableGrid, EachCellAnswersFromItsColumn)
{
    g.SetFixedFooters(1);
    const int footer = g.TExStringGrid::RowCount() - 1;
    struct Case
    {
        int col, row;
        bool editable, combo;
        TCellType type;
    };
    const Case cases[] = {
        {kNumber, 2, false, false, ctEmpty},        {kEnable, 2, true, false, ctDataCheckBox},
        {kEnable, 0, false, false, ctEmpty},        {kEnable, footer, true, false, ctEmpty},
        {kType, 2, true, true, ctEmpty},            {kType, 0, false, false, ctEmpty},
        {kName, 2, true, true, ctEmpty},            {kAddress, 2, false, false, ctEmpty},
        {kText, 2, true, false, ctEmpty},           {kHidden, 2, true, false, ctEmpty},
        {kTrap, 2, true, false, ctDataCheckBox},    {kTrap, 0, false, false, ctEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.col << "," << c.row);
        EXPECT_EQ(g.IsEditable(c.col, c.row), c.editable);
        EXPECT_EQ(g.HasComboBox(c.col, c.row), c.combo);
        EXPECT_EQ(g.GetCellType(c.col, c.row), c.type);
        const TCellGraphic* graphic = g.GetCellGraphic(c.col, c.row);
        EXPECT_EQ(graphic ? graphic->CellType : ctEmpty, c.type == ctDataCheckBox ? ctVirtCheckBox : ctEmpty);
    }

    // The column's check texts win over the event's in normal cells only.
    g.Columns()[kTrap]->CheckTrue = QStringLiteral("1");
    g.OnGetCheckTrue = [](TExStringGrid*, int, int, QString& v) { v = QStringLiteral("yes"); };
    EXPECT_EQ(g.GetCheckTrueText(kTrap, 2), QStringLiteral("1"));
    EXPECT_EQ(g.GetCheckTrueText(kTrap, 0), QStringLiteral("yes"));
    EXPECT_EQ(g.GetCheckTrueText(kTrap, footer), QStringLiteral("yes"));
    EXPECT_EQ(g.GetCheckFalseText(kEnable, 2), QStringLiteral("N"));
    EXPECT_TRUE(g.IsChecked(kEnable, 1));
    EXPECT_FALSE(g.IsChecked(kEnable, 2));

    // The edit limit is the current column's; the current column is a display one.
    g.SetCol(g.DisplColIndex(kText));
    EXPECT_EQ(g.GetEditLimit(), 15);
    g.SetCol(g.DisplColIndex(kName));
    EXPECT_EQ(g.GetEditLimit(), 0);

    // A check box column toggles by its text.
    EXPECT_TRUE(g.ToggleCheckBoxEx(kTrap, 3, true));
    EXPECT_EQ(g.Cells(kTrap, 3), QStringLiteral("1"));
    EXPECT_TRUE(g.IsCheckBoxColumn(kTrap));
    EXPECT_FALSE(g.IsCheckBoxColumn(kType));
}

TEST_F(TableGrid, EditingFollowsReadOnlyNotTheEditingOption)
{
    EXPECT_FALSE(g.Options().Contains(goEditing));
    EXPECT_TRUE(g.IsEditable(kText, 1));
    // Read-only is decided before the event, which may still allow editing.
    bool before = true;
    g.OnCanEditCell = [&](TExStringGrid*, int, int, bool& canEdit) {
        before = canEdit;
        canEdit = true;
    };
    EXPECT_TRUE(g.IsEditable(kAddress, 1));
    EXPECT_FALSE(before);
    g.OnCanEditCell = nullptr;
    g.SetReadOnly(kText, 2, true); // a cell of its own
    EXPECT_FALSE(g.IsEditable(kText, 2));
    g.Columns()[kName]->SetFixed(true);
    EXPECT_FALSE(g.IsEditable(kName, 2));
    bool fixed = false;
    g.IsFixedCell(g.DisplColIndex(kName), 2, fixed);
    EXPECT_TRUE(fixed);
}

TEST(ColumnGrid, ItemsFollowTheColumnCount)
{
    TExColumnGrid g;
    g.SetColCount(13);
    for (int i = 0; i < 13; ++i)
        g.Columns()[i]->SetHeader(QStringLiteral("H%1").arg(i));
    g.Loaded();
    ASSERT_EQ(g.Columns().Count(), 13);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(g.Columns()[i]->DefIdx, i);
    EXPECT_EQ(g.ColumnHeaders.size(), 13);

    TGridColumnItem* last = g.Columns()[12];
    last->SetAlignment(taRightJustify);
    last->SetEditor(edComboList);
    last->CheckTrue = QStringLiteral("on");
    last->SetBorders({cbTop});
    last->MinSize = 30;
    last->SetColor(clRed);
    last->Name = QStringLiteral("last");
    g.SetColCount(20);
    ASSERT_EQ(g.Columns().Count(), 20);
    for (int i = 13; i < 20; ++i) {
        const TGridColumnItem* item = g.Columns()[i];
        EXPECT_EQ(item->Alignment(), taRightJustify);
        EXPECT_EQ(item->Editor(), edComboList);
        EXPECT_EQ(item->CheckTrue, QStringLiteral("on"));
        EXPECT_EQ(item->Borders(), (TCellBorders{cbTop}));
        EXPECT_EQ(item->MinSize, 30);
        EXPECT_EQ(item->Color(), g.Color); // the grid's colour, not the copied one
        EXPECT_TRUE(item->Header().isEmpty());
        EXPECT_TRUE(item->Name.isEmpty());
    }
    g.SetColCount(5);
    EXPECT_EQ(g.Columns().Count(), 5);

    // Adding an item adds a column looking like the last one.
    g.Columns()[4]->SetEditor(edDataCheckBox);
    TGridColumnItem* added = g.Columns().Add();
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(added->Editor(), edDataCheckBox);
    EXPECT_EQ(added->Width(), g.DefaultColWidth());
    // Hidden columns keep their items.
    g.HideColumn(2);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.Columns().Count(), 6);
}

TEST(ColumnGrid, HeaderWritesTheHeaderCellWhenThereIsAFixedRow)
{
    TExColumnGrid g;
    g.Columns()[3]->SetHeader(QStringLiteral("Value"));
    EXPECT_EQ(g.Cells(3, 0), QStringLiteral("Value"));
    EXPECT_EQ(g.ColumnHeaders, (QStringList{"", "", "", "Value", ""}));
    g.SetFixedRows(0);
    g.Columns()[2]->SetHeader(QStringLiteral("Other"));
    EXPECT_TRUE(g.Cells(2, 0).isEmpty());
    EXPECT_EQ(g.ColumnHeaders, (QStringList{"", "", "Other", "Value", ""}));
    EXPECT_EQ(g.Columns()[2]->Header(), QStringLiteral("Other"));
}

TEST(ColumnGrid, WidthsAndLimits)
{
    TExColumnGrid g;
    g.Columns()[2]->SetWidth(120);
    EXPECT_EQ(g.ColWidths(2), 120);
    g.HideColumn(2);
    EXPECT_EQ(g.Columns()[2]->Width(), 120); // kept while hidden
    g.Columns()[2]->SetWidth(90);
    g.UnHideColumn(2);
    EXPECT_EQ(g.ColWidths(2), 90);

    g.Columns()[1]->MinSize = 30;
    int width = 10;
    g.UpdateColumnSize(1, width);
    EXPECT_EQ(width, 30);
    width = 5000;
    g.UpdateColumnSize(1, width);
    EXPECT_EQ(width, 5000);
    g.Columns()[1]->AutoMaxSize = 80;
    width = 200;
    g.UpdateAutoColumnSize(1, width);
    EXPECT_EQ(width, 80);
}

TEST(ColumnGrid, FloatFormatOfAColumn)
{
    platform::ScopedFormatSettings dot{platform::FormatSettings{}};
    TExColumnGrid g;
    g.Columns()[2]->SetFloatFormat(QStringLiteral("%.3f"));
    g.SetCells(2, 1, QStringLiteral("2.5"));
    g.SetCells(2, 2, QStringLiteral("abc"));
    g.SetCells(1, 1, QStringLiteral("2.5"));
    EXPECT_EQ(g.GetFormattedCell(2, 1), QStringLiteral("2.500"));
    EXPECT_EQ(g.GetFormattedCell(2, 2), QStringLiteral("abc"));
    EXPECT_EQ(g.GetFormattedCell(1, 1), QStringLiteral("2.5")); // no format of its own
    g.Columns()[3]->SetFloatFormat(QStringLiteral("%d"));
    g.SetCells(3, 1, QStringLiteral("7"));
    EXPECT_EQ(g.GetFormattedCell(3, 1), QStringLiteral("7")); // a format for integers keeps the text
    QString format;
    g.GetFloatFormat(1, 1, format);
    EXPECT_EQ(format, QStringLiteral("%.2f"));
    g.GetFloatFormat(2, 1, format);
    EXPECT_EQ(format, QStringLiteral("%.3f"));
    // Kept as the grid has always done: asking the editor leaves the column's
    // format in the grid.
    TEditorType editor = edNormal;
    g.GetEditorType(2, 1, editor);
    EXPECT_EQ(g.FloatFormat, QStringLiteral("%.3f"));
}

TEST(ColumnGrid, MovingAColumnMovesItsDefinition)
{
    TExColumnGrid g;
    g.SetColCount(8);
    for (int i = 0; i < 8; ++i)
        g.Columns()[i]->SetHeader(QStringLiteral("H%1").arg(i));
    g.Loaded();
    g.Columns()[2]->SetEditor(edDataCheckBox);
    g.Columns()[2]->ColumnPopupType = cpAllCellsLClick;
    g.Columns()[2]->PrintFontCustom = false;
    g.SetCells(2, 3, QStringLiteral("Y"));
    std::pair<int, int> moved{-1, -1};
    g.OnAfterColumnMoved = [&](TExColumnGrid*, int from, int to) { moved = {from, to}; };
    g.MoveColumn(2, 5);
    EXPECT_EQ(moved, std::make_pair(2, 5));
    EXPECT_EQ(Headers(g), (QStringList{"H0", "H1", "H3", "H4", "H5", "H2", "H6", "H7"}));
    EXPECT_EQ(HeaderCells(g), Headers(g));
    const TGridColumnItem* item = g.Columns()[5];
    EXPECT_EQ(item->Editor(), edDataCheckBox);
    EXPECT_EQ(item->DefIdx, 2);
    EXPECT_EQ(item->ColumnPopupType, cpFixedCellsRClick);
    EXPECT_TRUE(item->PrintFontCustom);
    EXPECT_EQ(g.Cells(5, 3), QStringLiteral("Y"));
    EXPECT_EQ(g.GetCellType(5, 3), ctDataCheckBox);
}

TEST(ColumnGrid, PositionsRoundTripThroughAnIniFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grid.ini"));
    const auto makeGrid = [](TExColumnGrid& g) {
        g.SetFixedCols(0);
        g.SetColCount(4);
        for (int i = 0; i < 4; ++i)
            g.Columns()[i]->SetHeader(QStringLiteral("H%1").arg(i));
        g.Loaded();
    };
    TExColumnGrid a;
    makeGrid(a);
    a.MoveColumn(0, 3);
    ASSERT_TRUE(a.SaveColumnPositions(file, QStringLiteral("Cols")));
    const platform::IniFile saved(file);
    EXPECT_EQ(saved.Keys(QStringLiteral("Cols")), (QStringList{"CP0", "CP1", "CP2", "CP3"}));
    QList<int> values;
    for (int i = 0; i < 4; ++i)
        values.append(saved.ReadInteger(QStringLiteral("Cols"), QStringLiteral("CP%1").arg(i), -1));
    EXPECT_EQ(values, (QList<int>{1, 2, 3, 0}));

    TExColumnGrid b;
    makeGrid(b);
    b.ColumnSize.Location = clIniFile;
    b.ColumnSize.Key = file;
    b.ColumnSize.Section = QStringLiteral("Cols");
    b.LoadColPositions();
    EXPECT_EQ(Headers(b), (QStringList{"H1", "H2", "H3", "H0"}));
    EXPECT_EQ(HeaderCells(b), Headers(b));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(b.Columns()[i]->DefIdx, (i + 1) % 4);
}

TEST(ColumnGrid, PositionsApplyOnlyAPermutation)
{
    struct Case
    {
        const char* name;
        const char* ini;
    };
    const Case cases[] = {
        {"missing key", "[S]\nCP0=1\nCP1=0\nCP3=2\n"},
        {"out of range", "[S]\nCP0=1\nCP1=0\nCP2=4\nCP3=2\n"},
        {"negative", "[S]\nCP0=1\nCP1=0\nCP2=-2\nCP3=2\n"},
        {"duplicate", "[S]\nCP0=1\nCP1=1\nCP2=3\nCP3=2\n"},
        {"not a number", "[S]\nCP0=1\nCP1=x\nCP2=3\nCP3=2\n"},
        {"other section", "[T]\nCP0=1\nCP1=0\nCP2=3\nCP3=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExColumnGrid g;
        g.SetColCount(4);
        for (int i = 0; i < 4; ++i)
            g.Columns()[i]->SetHeader(QStringLiteral("H%1").arg(i));
        g.Loaded();
        g.HideColumn(3);
        g.LoadColumnPositions(platform::IniFile::FromBytes(c.ini), QStringLiteral("S"));
        EXPECT_EQ(Headers(g), (QStringList{"H0", "H1", "H2", "H3"}));
        EXPECT_TRUE(g.IsHiddenColumn(3)); // nothing changed, not even shown columns
    }
    TExColumnGrid g;
    g.SetColCount(4);
    g.Loaded();
    g.LoadColumnPositions(platform::IniFile::FromBytes("[S]\ncp0=3\nCp1=2\nCP2=1\ncP3=0\n"), QStringLiteral("s"));
    EXPECT_EQ(g.Columns()[0]->DefIdx, 3);
}

TEST(ColumnGrid, DefinitionsRoundTripThroughAStream)
{
    TExColumnGrid a;
    a.SetColCount(3);
    TGridColumnItem* item = a.Columns()[1];
    item->SetHeader(QStringLiteral("Type"));
    item->SetEditor(edComboList);
    item->ComboItems = {"Int", "Float"};
    item->EditLength = 15;
    item->ReadOnly = true;
    item->SetAlignment(taCenter);
    item->SetBorders({cbLeft, cbBottom});
    item->SetFont(TFont{QStringLiteral("DejaVu Sans"), 10, fsBold | fsItalic, clRed});
    item->PrintFontCustom = false;
    item->ColumnPopupType = cpAllCellsLClick;
    item->SortStyle = ssNumeric;
    item->SetWidth(77);
    item->CheckTrue = QStringLiteral("1");
    item->Tag = -4;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    a.SaveColumnsToStream(buffer);
    EXPECT_TRUE(buffer.data().contains("\"Editor\": \"edComboList\""));

    TExColumnGrid b;
    b.SetColCount(3);
    buffer.seek(0);
    b.LoadColumnsFromStream(buffer);
    ASSERT_EQ(b.Columns().Count(), 3);
    const TGridColumnItem* loaded = b.Columns()[1];
    EXPECT_EQ(loaded->Header(), QStringLiteral("Type"));
    EXPECT_EQ(b.Cells(1, 0), QStringLiteral("Type"));
    EXPECT_EQ(loaded->Editor(), edComboList);
    EXPECT_EQ(loaded->ComboItems, (QStringList{"Int", "Float"}));
    EXPECT_EQ(loaded->EditLength, 15);
    EXPECT_TRUE(loaded->ReadOnly);
    EXPECT_EQ(loaded->Alignment(), taCenter);
    EXPECT_EQ(loaded->Borders(), (TCellBorders{cbLeft, cbBottom}));
    EXPECT_EQ(loaded->Font(), (TFont{QStringLiteral("DejaVu Sans"), 10, fsBold | fsItalic, clRed}));
    EXPECT_FALSE(loaded->PrintFontCustom); // kept, though a copy between columns leaves it
    EXPECT_EQ(loaded->ColumnPopupType, cpAllCellsLClick);
    EXPECT_EQ(loaded->SortStyle, ssNumeric);
    EXPECT_EQ(b.ColWidths(1), 77);
    EXPECT_EQ(loaded->CheckTrue, QStringLiteral("1"));
    EXPECT_EQ(loaded->Tag, -4);
    EXPECT_EQ(b.ColCount(), 3);
}

TEST(ColumnGrid, AStreamThatCannotBeReadChangesNothing)
{
    const char* streams[] = {
        "",
        "not json",
        "[]",
        "{\"Other\": {}}",
        "{\"TExColumnGridIO\": {\"Items\": 3}}",
        "{\"TExColumnGridIO\": {\"Items\": [{\"Header\": \"a\"}, {\"Unknown\": 1}]}}",
        "{\"TExColumnGridIO\": {\"Items\": [{\"Editor\": \"edNothing\"}]}}",
        "{\"TExColumnGridIO\": {\"Items\": [{\"Width\": 1.5}]}}",
        "{\"TExColumnGridIO\": {\"Items\": [{\"Width\": 1e12}]}}",
        "{\"TExColumnGridIO\": {\"Items\": [{\"Font\": {\"Size\": \"x\"}}]}}",
        "{\"TExColumnGridIO\": {\"Items\": [{\"Borders\": [\"cbTop\", 2]}]}}",
        "{\"TExColumnGridIO\": {\"Items\": [\"item\"]}}",
        "{\"TExColumnGridIO\": {\"Items\": [], \"Extra\": 1}}",
    };
    for (const char* text : streams) {
        SCOPED_TRACE(text);
        TExColumnGrid g;
        g.Columns()[1]->SetHeader(QStringLiteral("kept"));
        QBuffer buffer;
        buffer.setData(text);
        buffer.open(QIODevice::ReadOnly);
        try {
            g.LoadColumnsFromStream(buffer);
            ADD_FAILURE() << "no error";
        } catch (const GridError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Column definitions cannot be read: ")));
        }
        EXPECT_EQ(g.Columns().Count(), 5);
        EXPECT_EQ(g.Columns()[1]->Header(), QStringLiteral("kept"));
        EXPECT_EQ(g.Cells(0, 0), QString());
    }
}

TEST(ColumnGrid, ColumnPopupsByClickKind)
{
    TExColumnGrid g;
    QObject menu;
    g.Columns()[2]->ColumnPopup = &menu;
    int fired = 0;
    g.OnColumnPopup = [&](TExColumnGrid*, int col, int, QObject* m) { fired += col == 2 && m == &menu; };
    struct Case
    {
        TColumnPopupType type;
        int row;
        bool right;
        bool fires, pops;
    };
    const Case cases[] = {
        {cpFixedCellsRClick, 0, true, true, true},   {cpFixedCellsRClick, 2, true, true, false},
        {cpFixedCellsRClick, 0, false, false, false}, {cpNormalCellsLClick, 2, false, true, true},
        {cpNormalCellsLClick, 0, false, true, false}, {cpAllCellsRClick, 3, true, true, true},
    };
    for (const Case& c : cases) {
        g.Columns()[2]->ColumnPopupType = c.type;
        fired = 0;
        EXPECT_EQ(g.ColumnPopupClick(2, c.row, c.right), c.pops);
        EXPECT_EQ(fired, c.fires ? 1 : 0);
    }
    EXPECT_FALSE(g.ColumnPopupClick(1, 0, true)); // no menu
}

namespace {

QStringList ItemNames(const TExColumnGrid& g)
{
    QStringList names;
    for (int i = 0; i < g.Columns().Count(); ++i)
        names.append(g.Columns()[i]->Name);
    return names;
}

} // namespace

// Items describe real columns: removing, inserting and grouping columns moves
// the items with them, and ungrouping gives the grouped column its own
// definition back.
TEST(ColumnGrid, ItemsMoveWithRemovedInsertedAndGroupedColumns)
{
    const QStringList names = {"num", "name", "kind", "value", "key"};
    auto make = [&](TExColumnGrid& g) {
        g.SetColCount(5);
        g.SetRowCount(4);
        for (int c = 0; c < 5; ++c) {
            g.Columns()[c]->Name = names[c];
            g.Columns()[c]->SetHeader(names[c].toUpper());
            g.Columns()[c]->Tag = 100 + c;
        }
        g.Columns()[2]->SetEditor(edComboList);
        g.Columns()[2]->ComboItems = {"A", "B"};
        g.Columns()[2]->ReadOnly = true;
        g.Columns()[3]->SetAlignment(taRightJustify);
        g.Loaded();
        const char* kinds[] = {"A", "A", "B"};
        for (int r = 1; r < 4; ++r) {
            g.SetCells(1, r, QStringLiteral("n%1").arg(r));
            g.SetCells(2, r, QString::fromLatin1(kinds[r - 1]));
            g.SetCells(3, r, QString::number(r));
            g.SetCells(4, r, QStringLiteral("k%1").arg(r));
        }
        g.HideColumn(4); // a hidden column keeps its item at its real index
    };

    {
        TExColumnGrid g;
        make(g);
        g.RemoveCols(1, 2);
        EXPECT_EQ(ItemNames(g), QStringList({"num", "value", "key"}));
        EXPECT_EQ(g.Columns()[1]->Alignment(), taRightJustify);
        g.InsertCols(1, 2);
        ASSERT_EQ(g.Columns().Count(), g.AllColCount());
        EXPECT_EQ(ItemNames(g), QStringList({"num", "", "", "value", "key"}));
        EXPECT_EQ(g.Columns()[1]->Editor(), edNormal); // a new item, not a copy
        EXPECT_EQ(g.Columns()[4]->Tag, 104);
        g.InsertCols(g.AllColCount() + 3, 1); // past the end: appended
        EXPECT_EQ(ItemNames(g), QStringList({"num", "", "", "value", "key", ""}));
    }
    for (bool summary : {false, true}) {
        SCOPED_TRACE(summary);
        TExColumnGrid g;
        make(g);
        g.Grouping.Summary = summary;
        const QStringList headers = g.ColumnHeaders;

        g.Group(2);
        ASSERT_EQ(g.GroupColumn(), 2);
        EXPECT_EQ(ItemNames(g), QStringList({"num", "name", "value", "key"}));
        EXPECT_EQ(g.Columns().Count(), g.AllColCount());
        // The hooks answer from the moved items.
        bool canEdit = false;
        g.CanEditCell(2, 2, canEdit);
        EXPECT_TRUE(canEdit); // the read-only kind column is gone
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        g.GetCellAlignment(2, 2, ha, va);
        EXPECT_EQ(ha, taRightJustify);

        g.UnGroup();
        EXPECT_EQ(ItemNames(g), names);
        const TGridColumnItem* kind = g.Columns()[2];
        EXPECT_EQ(kind->Editor(), edComboList);
        EXPECT_EQ(kind->ComboItems, QStringList({"A", "B"}));
        EXPECT_TRUE(kind->ReadOnly);
        EXPECT_EQ(kind->Tag, 102);
        EXPECT_EQ(kind->Header(), "KIND");
        EXPECT_EQ(g.ColumnHeaders, headers);
        EXPECT_EQ(g.Cells(2, 3), "B");

        // Grouping a grouped grid ungroups first: the first grouped column
        // gets its own item back, not the second one's.
        g.Group(2);
        g.Group(3); // the value column, once kind is back
        EXPECT_EQ(ItemNames(g), QStringList({"num", "name", "kind", "key"}));
        EXPECT_EQ(g.Columns()[2]->Editor(), edComboList);
        g.UnGroup();
        EXPECT_EQ(ItemNames(g), names);
        EXPECT_EQ(g.Columns()[3]->Alignment(), taRightJustify);
        EXPECT_EQ(g.Columns()[2]->Editor(), edComboList);
    }
}
