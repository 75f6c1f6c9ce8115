// Drag data and the drop reader on bare grids: blocks, text, moves inside one
// grid, files, columns and every refusal leaving the grid as it was.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/dragdrop/drag_drop.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "controls/grid/office/spreadsheet.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {

void Grid(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    g.SetOptions(TGridOptions{goRangeSelect, goEditing});
}

// Letters by position: "c2r3" for column 2, row 3.
void Fill(TExStringGrid& g, const TGridRect& r)
{
    for (int c = r.Left; c <= r.Right; ++c)
        for (int row = r.Top; row <= r.Bottom; ++row)
            g.SetCells(c, row, QStringLiteral("c%1r%2").arg(c).arg(row));
}

// Everything a drop may change: counts, cells with their looks, selection.
QByteArray Snapshot(TExStringGrid& g)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToBinStream(g, buffer);
    const TGridRect s = g.Selection();
    return buffer.data() + QStringLiteral("|%1x%2|%3,%4,%5,%6|%7,%8")
                               .arg(g.ColCount())
                               .arg(g.RowCount())
                               .arg(s.Left)
                               .arg(s.Top)
                               .arg(s.Right)
                               .arg(s.Bottom)
                               .arg(g.Col())
                               .arg(g.Row())
                               .toUtf8();
}

QByteArray Le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

std::unique_ptr<QMimeData> Mime(const QString& format, const QByteArray& bytes)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(format, bytes);
    return data;
}

} // namespace

TEST(DragDrop, EffectFromKeys)
{
    const struct
    {
        Qt::KeyboardModifiers keys;
        Qt::DropActions allowed;
        Qt::DropAction effect;
    } cases[] = {
        {Qt::NoModifier, Qt::CopyAction | Qt::MoveAction, Qt::MoveAction},
        {Qt::ControlModifier, Qt::CopyAction | Qt::MoveAction, Qt::CopyAction},
        {Qt::ControlModifier, Qt::MoveAction, Qt::CopyAction},
        {Qt::NoModifier, Qt::CopyAction, Qt::CopyAction},
        {Qt::ShiftModifier, Qt::MoveAction, Qt::MoveAction},
        {Qt::ShiftModifier | Qt::ControlModifier, Qt::MoveAction, Qt::CopyAction},
        {Qt::NoModifier, Qt::LinkAction, Qt::CopyAction},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EffectFromKeys(c.keys, c.allowed), c.effect) << int(c.keys) << " " << int(c.allowed);
}

TEST(DragDrop, CellBlockRoundTrip)
{
    TExStringGrid source;
    Grid(source, 5, 5);
    Fill(source, {0, 0, 4, 4});
    source.SetCells(2, 2, QStringLiteral("line 1\r\nline ü"));
    const auto data = SelectionDragData(source, {1, 1, 2, 2}, false);

    // The text as UTF-8, no RTF unless allowed, the block's count little-endian.
    EXPECT_EQ(QString::fromUtf8(data->data(QStringLiteral("text/plain"))),
              QStringLiteral("c1r1\tc2r1\r\nc1r2\t\"line 1\nline ü\"\r\n"));
    EXPECT_FALSE(data->hasFormat(kRtfFormat));
    const QByteArray block = data->data(kCellsFormat);
    ASSERT_GT(block.size(), 8);
    EXPECT_EQ(block.left(4), Le32(quint32(block.size() - 8)));
    EXPECT_EQ(block.mid(4, 4), QByteArray(4, '\0'));

    TExStringGrid target;
    Grid(target, 6, 6);
    const DropResult r = DropMimeData(target, data.get(), {3, 4}, DropContext{});
    EXPECT_TRUE(r.Dropped);
    EXPECT_TRUE(r.Message.isEmpty());
    EXPECT_EQ(r.Effect, Qt::MoveAction);
    EXPECT_FALSE(r.MoveDone);
    EXPECT_EQ(target.Cells(3, 4), QStringLiteral("c1r1"));
    EXPECT_EQ(target.Cells(4, 4), QStringLiteral("c2r1"));
    EXPECT_EQ(target.Cells(3, 5), QStringLiteral("c1r2"));
    EXPECT_EQ(target.Cells(4, 5), QStringLiteral("line 1\r\nline ü"));
    EXPECT_EQ(target.Cells(2, 4), QString());
    EXPECT_EQ(target.Cells(5, 5), QString());

    // The column block is four bytes, little-endian.
    EXPECT_EQ(ColumnDragData(0x01020304)->data(kColumnFormat), QByteArray("\x04\x03\x02\x01", 4));
    int col = 0;
    EXPECT_TRUE(ReadColumnBlock(ColumnBlock(7), col));
    EXPECT_EQ(col, 7);

    // RTF travels only when allowed.
    source.SetCells(1, 1, QStringLiteral("{\\rtf1 x}"));
    EXPECT_EQ(SelectionDragData(source, {1, 1, 1, 1}, true)->data(kRtfFormat), QByteArray("{\\rtf1 x}"));
    EXPECT_FALSE(SelectionDragData(source, {1, 1, 1, 1}, false)->hasFormat(kRtfFormat));
}

TEST(DragDrop, RefusalsLeaveTheGridAsItWas)
{
    TExStringGrid source;
    Grid(source, 4, 4);
    Fill(source, {0, 0, 3, 3});
    const QByteArray stream = SaveRectToBinBytes(source, {0, 0, 1, 1});
    const QByteArray fullStream = SaveRectToBinBytes(source, {0, 0, 3, 3});

    const auto cells = [](const QByteArray& block) { return Mime(kCellsFormat, block); };
    DropContext own;
    own.FromThisGrid = true;
    own.Settings.OleColumnReorder = true;
    DropContext foreign = own;
    foreign.FromThisGrid = false;
    // 2101 columns by 2000 rows.
    QString wide = QString(2100, u'\t') + QStringLiteral("\r\n");
    wide += QStringLiteral("x\r\n").repeated(1999);

    const struct
    {
        const char* name;
        std::function<std::unique_ptr<QMimeData>()> data;
        TGridCoord cell;
        DropContext context;
        bool message;
    } cases[] = {
        {"n past size - 8", [&] { return cells(Le32(stream.size() + 1) + Le32(0) + stream); }, {0, 0}, {}, true},
        {"n near 4 GiB", [&] { return cells(Le32(0xFFFFFFF0u) + Le32(0) + stream); }, {0, 0}, {}, true},
        {"block shorter than 8", [&] { return cells(QByteArray("\x02\0\0\0", 4)); }, {0, 0}, {}, true},
        {"damaged stream", [&] { return cells(CellBlock(stream.left(stream.size() / 2))); }, {0, 0}, {}, true},
        {"not a stream", [&] { return cells(CellBlock("garbage bytes")); }, {0, 0}, {}, true},
        {"whole-grid stream", [&] { return cells(CellBlock(fullStream)); }, {0, 0}, {}, true},
        {"bare stream damaged", [&] { return cells(stream.left(stream.size() / 2)); }, {0, 0}, {}, true},
        {"bare whole-grid stream", [&] { return cells(fullStream); }, {0, 0}, {}, true},
        {"bare cells past the grid", [&] { return cells(stream); }, {5, 5}, {}, true},
        {"cells past the grid", [&] { return cells(CellBlock(stream)); }, {4, 5}, {}, true},
        {"column block short", [&] { return Mime(kColumnFormat, "\x01\0\0"); }, {0, 0}, own, true},
        {"column block long", [&] { return Mime(kColumnFormat, QByteArray(8, '\0')); }, {0, 0}, own, true},
        {"column out of range", [&] { return Mime(kColumnFormat, Le32(9)); }, {0, 0}, own, true},
        {"column negative", [&] { return Mime(kColumnFormat, Le32(0xFFFFFFFFu)); }, {0, 0}, own, true},
        {"column from elsewhere", [&] { return Mime(kColumnFormat, Le32(1)); }, {0, 0}, foreign, true},
        {"text past the cap",
         [&] {
             auto d = std::make_unique<QMimeData>();
             d->setText(wide);
             return d;
         },
         {0, 0}, {}, true},
        {"none of our types", [&] { return Mime(QStringLiteral("application/x-other"), "abc"); }, {0, 0}, {}, true},
        {"text outside the grid",
         [&] {
             auto d = std::make_unique<QMimeData>();
             d->setText(QStringLiteral("x"));
             return d;
         },
         {-1, 9}, {}, false},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Grid(g, 6, 6);
        Fill(g, {0, 0, 5, 5});
        g.SetSelection({1, 1, 2, 2});
        const QByteArray before = Snapshot(g);
        const auto data = c.data();
        DropResult r;
        EXPECT_NO_THROW(r = DropMimeData(g, data.get(), c.cell, c.context)) << c.name;
        EXPECT_FALSE(r.Dropped) << c.name;
        EXPECT_EQ(r.Effect, Qt::IgnoreAction) << c.name;
        EXPECT_EQ(!r.Message.isEmpty(), c.message) << c.name << ": " << r.Message.toStdString();
        EXPECT_EQ(Snapshot(g), before) << c.name;
    }

    TExStringGrid g;
    Grid(g, 2, 2);
    const QByteArray before = Snapshot(g);
    EXPECT_FALSE(DropMimeData(g, nullptr, {0, 0}, {}).Dropped);
    EXPECT_EQ(Snapshot(g), before);
}

// A copy for the clipboard carries the bare cell stream under the cells'
// name, a drag the counted block: a clipboard object dropped on a grid lands
// like a drag's.
TEST(DragDrop, ClipboardObjectDropsItsCells)
{
    TExStringGrid source;
    Grid(source, 4, 4);
    Fill(source, {0, 0, 3, 3});
    source.Navigation.AllowFmtClipboard = true;
    const auto clip = RectToMimeData(source, {1, 1, 2, 2});
    ASSERT_TRUE(clip->hasFormat(kCellsFormat));
    ASSERT_EQ(clip->data(kCellsFormat), SaveRectToBinBytes(source, {1, 1, 2, 2}));

    TExStringGrid target;
    Grid(target, 5, 5);
    const DropResult r = DropMimeData(target, clip.get(), {2, 3}, DropContext{});
    EXPECT_TRUE(r.Dropped) << r.Message.toStdString();
    EXPECT_EQ(target.Cells(2, 3), QStringLiteral("c1r1"));
    EXPECT_EQ(target.Cells(3, 4), QStringLiteral("c2r2"));
    EXPECT_EQ(target.Cells(1, 3), QString());
}

TEST(DragDrop, TextFillsAndSelectsItsExtent)
{
    TExStringGrid g;
    Grid(g, 6, 6);
    auto data = std::make_unique<QMimeData>();
    data->setText(QStringLiteral("a\tb\r\nc"));
    const DropResult r = DropMimeData(g, data.get(), {2, 3}, DropContext{});
    EXPECT_TRUE(r.Dropped);
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(3, 3), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(2, 4), QStringLiteral("c"));
    EXPECT_EQ(g.Cells(3, 4), QString());
    EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 3, 4}));

    // At the edge the grid grows as a paste does, and the selection with it.
    data->setText(QStringLiteral("x\ty\tz\r\nw"));
    DropMimeData(g, data.get(), {4, 5}, DropContext{});
    EXPECT_EQ(g.ColCount(), 7);
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Cells(6, 5), QStringLiteral("z"));
    EXPECT_EQ(g.Cells(4, 6), QStringLiteral("w"));
    EXPECT_EQ(g.Selection(), (TGridRect{4, 5, 6, 6}));
    // Without growing, it stops at the grid.
    g.Navigation.AllowClipboardColGrow = false;
    g.Navigation.AllowClipboardRowGrow = false;
    DropMimeData(g, data.get(), {5, 6}, DropContext{});
    EXPECT_EQ(g.Cells(5, 6), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(6, 6), QStringLiteral("y"));
    EXPECT_EQ(g.Selection(), (TGridRect{5, 6, 6, 6}));

    // Inserted rows take the text; the rows below move down.
    TExStringGrid rows;
    Grid(rows, 3, 4);
    Fill(rows, {0, 0, 2, 3});
    DropContext insert;
    insert.Settings.OleInsertRows = true;
    data->setText(QStringLiteral("n1\r\nn2"));
    EXPECT_TRUE(DropMimeData(rows, data.get(), {1, 1}, insert).Dropped);
    EXPECT_EQ(rows.RowCount(), 6);
    EXPECT_EQ(rows.Cells(1, 1), QStringLiteral("n1"));
    EXPECT_EQ(rows.Cells(1, 2), QStringLiteral("n2"));
    EXPECT_EQ(rows.Cells(1, 3), QStringLiteral("c1r1"));
    EXPECT_EQ(rows.Cells(0, 0), QStringLiteral("c0r0"));
    // In row selection the text starts at the first scrollable column.
    rows.SetFixedCols(1);
    rows.SetOptions(TGridOptions{goRowSelect, goEditing});
    data->setText(QStringLiteral("r"));
    EXPECT_TRUE(DropMimeData(rows, data.get(), {2, 5}, DropContext{}).Dropped);
    EXPECT_EQ(rows.Cells(1, 5), QStringLiteral("r"));

    // A refusing hook drops nothing.
    DropContext refuse;
    refuse.Allow = [](DropKind kind, int, int, const QString&) { return kind != DropKind::Text; };
    data->setText(QStringLiteral("q"));
    EXPECT_FALSE(DropMimeData(g, data.get(), {0, 0}, refuse).Dropped);
    EXPECT_EQ(g.Cells(0, 0), QString());

    // Only RTF with OleDropRTF; otherwise the text.
    data->setData(kRtfFormat, "{\\rtf1 r}");
    DropContext rtf;
    rtf.Settings.OleDropRTF = true;
    DropMimeData(g, data.get(), {0, 0}, rtf);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("{\\rtf1 r}"));
    DropMimeData(g, data.get(), {0, 1}, DropContext{});
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("q"));
}

// A move inside one grid is done by the drop alone and keeps the dropped cells,
// with or without the cell block.
TEST(DragDrop, OverlappingMoveInOneGridKeepsTheData)
{
    for (const bool withBlock : {true, false}) {
        TExStringGrid g;
        Grid(g, 6, 6);
        Fill(g, {1, 1, 2, 2});
        const TGridRect from{1, 1, 2, 2};
        auto data = SelectionDragData(g, from, false);
        if (!withBlock)
            data->removeFormat(kCellsFormat);
        DropContext move;
        move.FromThisGrid = true;
        move.DragSelection = from;
        const DropResult r = DropMimeData(g, data.get(), {2, 2}, move);
        ASSERT_TRUE(r.Dropped) << withBlock;
        EXPECT_TRUE(r.MoveDone);
        FinishMoveDrag(g, from, r.Effect, r.MoveDone);
        const QString expected[6][6] = {
            {"", "", "", "", "", ""},
            {"", "", "", "", "", ""},
            {"", "", "c1r1", "c2r1", "", ""},
            {"", "", "c1r2", "c2r2", "", ""},
        };
        for (int row = 0; row < 6; ++row)
            for (int c = 0; c < 6; ++c)
                EXPECT_EQ(g.Cells(c, row), expected[row][c]) << withBlock << " " << c << "," << row;

        // A copy with Ctrl keeps the source.
        TExStringGrid h;
        Grid(h, 6, 6);
        Fill(h, from);
        move.Keys = Qt::ControlModifier;
        const DropResult copy = DropMimeData(h, data.get(), {3, 3}, move);
        EXPECT_EQ(copy.Effect, Qt::CopyAction);
        FinishMoveDrag(h, from, copy.Effect, copy.MoveDone);
        EXPECT_EQ(h.Cells(1, 1), QStringLiteral("c1r1"));
        EXPECT_EQ(h.Cells(4, 4), QStringLiteral("c2r2"));
    }

    // A move to another grid empties the source once the drag ends.
    TExStringGrid a;
    TExStringGrid b;
    Grid(a, 3, 3);
    Grid(b, 3, 3);
    Fill(a, {0, 0, 0, 0});
    const auto data = SelectionDragData(a, {0, 0, 0, 0}, false);
    const DropResult r = DropMimeData(b, data.get(), {1, 1}, DropContext{});
    EXPECT_FALSE(r.MoveDone);
    FinishMoveDrag(a, {0, 0, 0, 0}, r.Effect, r.MoveDone);
    EXPECT_EQ(a.Cells(0, 0), QString());
    EXPECT_EQ(b.Cells(1, 1), QStringLiteral("c0r0"));
}

TEST(DragDrop, Files)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QString csv = write("data.csv", "x,y\r\n1,2\r\n");
    const QString other = write("more.csv", "p,q\r\n");
    const QString xls = write("book.xls", "not a spreadsheet");
    const auto files = [](const QStringList& names) {
        auto d = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& n : names)
            urls << QUrl::fromLocalFile(n);
        d->setUrls(urls);
        return d;
    };

    TExStringGrid g;
    Grid(g, 3, 3);
    Fill(g, {0, 0, 2, 2});
    const QByteArray before = Snapshot(g);
    DropResult r = DropMimeData(g, files({csv, other}).get(), {0, 0}, {});
    EXPECT_FALSE(r.Dropped);
    EXPECT_EQ(Snapshot(g), before);

    r = DropMimeData(g, files({xls}).get(), {0, 0}, {});
    EXPECT_FALSE(r.Dropped);
    EXPECT_EQ(r.Message, QStringLiteral("Incorrect XLS file"));
    EXPECT_EQ(Snapshot(g), before);

    // A workbook loads its sheet.
    TExStringGrid source;
    Grid(source, 2, 2);
    source.SetCells(0, 0, QStringLiteral("name"));
    source.SetCells(1, 1, QStringLiteral("7"));
    const QString book = dir.filePath(QStringLiteral("book.xlsx"));
    office::SaveToXLS(source, book);
    TExStringGrid target;
    Grid(target, 5, 5);
    r = DropMimeData(target, files({book}).get(), {0, 0}, {});
    EXPECT_TRUE(r.Message.isEmpty()) << r.Message.toStdString();
    EXPECT_EQ(target.Cells(0, 0), QStringLiteral("name"));
    EXPECT_EQ(target.Cells(1, 1), QStringLiteral("7"));

    DropContext noFiles;
    noFiles.Settings.OleAcceptFiles = false;
    EXPECT_FALSE(DropMimeData(g, files({csv}).get(), {0, 0}, noFiles).Dropped);
    EXPECT_EQ(Snapshot(g), before);

    r = DropMimeData(g, files({csv}).get(), {0, 0}, {});
    EXPECT_TRUE(r.Dropped);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("2"));

    // A web address becomes the cell's text.
    auto url = std::make_unique<QMimeData>();
    url->setUrls({QUrl(QStringLiteral("https://example.org/a"))});
    EXPECT_TRUE(DropMimeData(g, url.get(), {1, 1}, {}).Dropped);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("https://example.org/a"));
}

TEST(DragDrop, ColumnFromOwnDragReorders)
{
    TExStringGrid g;
    Grid(g, 4, 2);
    for (int c = 0; c < 4; ++c)
        g.SetCells(c, 0, QString::number(c));
    DropContext own;
    own.FromThisGrid = true;
    own.Settings.OleColumnReorder = true;
    const struct
    {
        int column, target;
        const char* order;
    } cases[] = {
        {0, 2, "1203"},
        {1, -1, "0231"}, // right of the last column: to the end
        {3, 0, "3012"},
        {2, 2, "0123"},
    };
    for (const auto& c : cases) {
        TExStringGrid h;
        Grid(h, 4, 2);
        for (int i = 0; i < 4; ++i)
            h.SetCells(i, 0, QString::number(i));
        const DropResult r = DropMimeData(h, ColumnDragData(c.column).get(), {c.target, 0}, own);
        EXPECT_TRUE(r.Dropped) << c.column;
        QString order;
        for (int i = 0; i < 4; ++i)
            order += h.Cells(h.RealColIndex(i), 0);
        EXPECT_EQ(order, QString::fromLatin1(c.order)) << c.column << "->" << c.target;
    }
    // Without a settings flag a column drag is not taken at all.
    EXPECT_FALSE(CanDrop(ColumnDragData(0).get(), TDragDropSettings{}));
}

TEST(DragDrop, TheAppendZoneIsBelowTheLastRowForRowDrops)
{
    TExStringGrid g;
    Grid(g, 4, 3);
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    TDragDropSettings rows;
    rows.OleEntireRows = true;
    rows.OleAppendRows = true;
    TDragDropSettings plain;
    plain.OleAppendRows = true; // without OleEntireRows: no zone
    const struct
    {
        const char* name;
        TGridCoord under;
        bool below;
        int formats;
        const TDragDropSettings* settings;
        TGridCoord target;
        bool append;
    } cases[] = {
        {"below the last row", {-1, -1}, true, dfText, &rows, {1, 2}, true},
        {"cells below the last row", {-1, -1}, true, dfGridCells, &rows, {1, 2}, true},
        {"on a cell", {2, 1}, false, dfText, &rows, {2, 1}, false},
        {"right of the last column", {-1, -1}, false, dfText, &rows, {-1, -1}, false},
        {"a column", {-1, -1}, true, dfCol, &rows, {-1, -1}, false},
        {"entire rows off", {-1, -1}, true, dfText, &plain, {-1, -1}, false},
    };
    for (const auto& c : cases) {
        bool append = !c.append;
        const TGridCoord t = DropTargetCell(g, c.under, c.below, c.formats, *c.settings, append);
        EXPECT_EQ(t.X, c.target.X) << c.name;
        EXPECT_EQ(t.Y, c.target.Y) << c.name;
        EXPECT_EQ(append, c.append) << c.name;
    }
}

// Dropped below the last row, text and cells go into new rows after it; the
// last row keeps its cells.
TEST(DragDrop, AppendedDropsAddRowsAndKeepTheLastRow)
{
    TExStringGrid source;
    Grid(source, 4, 4);
    Fill(source, {0, 0, 3, 3});
    const auto cells = SelectionDragData(source, {1, 1, 2, 2}, false);
    auto textOnly = std::make_unique<QMimeData>();
    textOnly->setText(QStringLiteral("n1\tm1\r\nn2"));

    const struct
    {
        const char* name;
        const QMimeData* data;
        QStringList added; // columns 1..2 of the new rows
    } cases[] = {
        {"text", textOnly.get(), {"n1", "m1", "n2", ""}},
        {"cells", cells.get(), {"c1r1", "c2r1", "c1r2", "c2r2"}},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Grid(g, 4, 3);
        g.SetFixedCols(1);
        g.SetFixedRows(1);
        Fill(g, {0, 0, 3, 2});
        DropContext context;
        context.Settings.OleEntireRows = true;
        context.Settings.OleAppendRows = true;
        const TGridCoord at = DropTargetCell(g, {-1, -1}, true, DropFormats(*c.data), context.Settings, context.Append);
        const DropResult r = DropMimeData(g, c.data, at, context);
        ASSERT_TRUE(r.Dropped) << c.name << " " << r.Message.toStdString();
        EXPECT_EQ(g.RowCount(), 5) << c.name;
        EXPECT_EQ(g.Cells(1, 2), QStringLiteral("c1r2")) << c.name;
        EXPECT_EQ(g.Cells(2, 2), QStringLiteral("c2r2")) << c.name;
        EXPECT_EQ((QStringList{g.Cells(1, 3), g.Cells(2, 3), g.Cells(1, 4), g.Cells(2, 4)}), c.added) << c.name;
    }

    // Refused or not writable: no rows are added, nothing changes.
    TExStringGrid g;
    Grid(g, 4, 3);
    Fill(g, {0, 0, 3, 2});
    DropContext refuse;
    refuse.Append = true;
    refuse.Allow = [](DropKind, int, int, const QString&) { return false; };
    const QByteArray before = Snapshot(g);
    EXPECT_FALSE(DropMimeData(g, textOnly.get(), {0, 2}, refuse).Dropped);
    EXPECT_EQ(Snapshot(g), before);
    DropContext append;
    append.Append = true;
    g.SetOptions(TGridOptions{goRangeSelect});
    EXPECT_FALSE(DropMimeData(g, textOnly.get(), {0, 2}, append).Dropped);
    EXPECT_EQ(Snapshot(g), before);
}

// A move inside one grid whose drop inserts rows above its source: the
// source moved down with them, and it is that one which is emptied.
TEST(DragDrop, AMoveThatInsertsRowsEmptiesTheShiftedSource)
{
    for (const bool append : {false, true}) {
        TExStringGrid g;
        Grid(g, 3, 5);
        Fill(g, {0, 0, 2, 4});
        const TGridRect from{0, 3, 2, 3};
        g.SetSelection(from);
        auto data = SelectionDragData(g, from, false);
        data->removeFormat(kCellsFormat);
        DropContext move;
        move.FromThisGrid = true;
        move.DragSelection = from;
        move.Settings.OleInsertRows = true;
        move.Settings.OleEntireRows = true;
        move.Settings.OleAppendRows = true;
        move.Append = append;
        const DropResult r = DropMimeData(g, data.get(), {0, append ? 4 : 1}, move);
        ASSERT_TRUE(r.Dropped) << append;
        EXPECT_TRUE(r.MoveDone) << append;
        FinishMoveDrag(g, from, r.Effect, r.MoveDone);
        QStringList column0;
        for (int row = 0; row < g.RowCount(); ++row)
            column0 << g.Cells(0, row);
        const QStringList expected = append ? QStringList{"c0r0", "c0r1", "c0r2", "", "c0r4", "c0r3"}
                                            : QStringList{"c0r0", "c0r3", "c0r1", "c0r2", "", "c0r4"};
        EXPECT_EQ(column0, expected) << append;
    }
}
