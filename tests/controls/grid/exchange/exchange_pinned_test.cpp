// The bytes CSV and the cell stream write for one mixed grid are pinned
// (digests taken before the writers were made faster), and what they write
// reads back into a fresh grid as the source stood.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/csv.h"
#include "platform/text/cp1252.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace grid;

namespace {

constexpr int kCols = 9;
constexpr int kRows = 7;

QString Text(int c, int r)
{
    static const QString kinds[] = {
        QStringLiteral("plain"),
        QString(),
        QStringLiteral("a,b;c\td"),
        QStringLiteral("say \"hi\""),
        QStringLiteral(" lead"),
        QStringLiteral("two\r\nlines"),
        QStringLiteral("bare\nLF"),
        QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"),
        QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac"),
        QStringLiteral("<b>bold</b> text"),
        QString(300, u'x'),
        QStringLiteral("-12.5"),
        QStringLiteral("^"),
    };
    return kinds[(c * 5 + r * 3) % std::size(kinds)];
}

// Texts of every kind, a hidden column, a merged range, looks, graphics of
// several kinds (check boxes with and without text), a hidden row.
void MakeMixed(TExStringGrid& g)
{
    g.SetColCount(kCols);
    g.SetRowCount(kRows);
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g.SetCells(c, r, Text(c, r));
    g.SetColWidths(3, 90);
    g.SetRowHeights(2, 30);
    TCellProperties* p = g.CellProperties(2, 2);
    p->FontName = QStringLiteral("Courier");
    p->SetBrushColor(0x123456);
    p->FontColor = clWindow;
    p->FontStyle = fsBold | fsUnderline;
    p->ReadOnly = true;
    g.CellProperties(4, 3)->Alignment = taCenter;
    g.MergeCells(5, 4, 2, 2);
    g.SetCells(1, 5, QString());
    g.AddCheckBox(1, 5, true, false);
    g.AddCheckBox(2, 5, cbGrayed);
    g.AddCheckBox(3, 6, false, false);
    TCellGraphic* value = g.CreateCellGraphic(8, 1);
    value->CellType = ctProgress;
    value->CellValue = 42.5;
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(0xffff0000);
    g.CreateBitmap(7, 2, true, haRight, vaBottom)->Image = image;
    g.HideColumn(6);
}

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The text each exported cell carries (export hook included).
QStringList SavedCells(TExStringGrid& g, int firstCol, int lastCol, int firstRow, int lastRow)
{
    QStringList out;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) {
            QString v;
            g.SaveCell(g.SaveHiddenCells ? c : g.RealColIndex(c), r, v);
            out << v;
        }
    return out;
}

} // namespace

TEST(ExchangePinned, CsvBytesAndReadBack)
{
    struct Case
    {
        const char* name;
        QChar delimiter;
        bool alwaysQuotes;
        bool quoteEmpty;
        bool java;
        bool hiddenToo;
        bool unicode;
        const char* digest;
    };
    const Case cases[] = {
        {"default", QChar(), false, true, false, false, false, "5b6a6e01bdfc39d8"},
        {"always quotes, unicode", u';', true, true, false, false, true, "f0ae2f4e1b10f82c"},
        {"no empty quotes, hidden saved", u'\t', false, false, false, true, false, "d1664104a1b7177e"},
        {"JavaCSV", u',', false, true, true, false, false, "8a3ad1845a1d3a9e"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExStringGrid g;
        MakeMixed(g);
        g.Delimiter = c.delimiter;
        g.AlwaysQuotes = c.alwaysQuotes;
        g.QuoteEmptyCells = c.quoteEmpty;
        g.JavaCSV = c.java;
        g.SaveHiddenCells = c.hiddenToo;
        g.SaveWithHTML = false;
        const QString file = dir.filePath(QStringLiteral("%1.csv").arg(c.name));
        SaveToCSV(g, file, c.unicode);
        const QByteArray bytes = ReadAll(file);
        EXPECT_EQ(Digest(bytes).toStdString(), c.digest);

        if (c.java)
            continue; // JavaCSV does not carry every text
        TExStringGrid back;
        back.SetColCount(2);
        back.SetRowCount(2);
        back.SetFixedCols(0);
        back.SetFixedRows(0);
        back.Delimiter = c.delimiter.isNull() ? QChar(u',') : c.delimiter;
        back.EnableHTML = false;
        LoadFromCSV(back, file);
        const int lastCol = g.SaveEndCol() + (c.hiddenToo ? g.NumHiddenColumns() : 0);
        QStringList expected = SavedCells(g, g.SaveStartCol(), lastCol, g.SaveStartRow(), g.SaveEndRow());
        if (!c.unicode) // what Windows-1252 lacks comes back as "?"
            for (QString& e : expected)
                e = Cp1252ToString(StringToCp1252(e));
        QStringList got;
        for (int r = 0; r < back.RowCount(); ++r)
            for (int col = 0; col < back.ColCount(); ++col)
                got << back.Cells(col, r);
        EXPECT_EQ(got, expected);
    }
}

TEST(ExchangePinned, CellStreamBytesAndReadBack)
{
    TExStringGrid g;
    MakeMixed(g);
    const TGridRect all{0, 0, g.AllColCount() - 1, g.RowCount() - 1};
    const QByteArray bytes = SaveRectToBinBytes(g, all);
    EXPECT_EQ(Digest(bytes).toStdString(), "574d9c116825c662");

    TExStringGrid back;
    back.SetColCount(2);
    back.SetRowCount(2);
    LoadAtPointFromBinBytes(back, {0, 0}, bytes);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < g.AllColCount(); ++c) {
            SCOPED_TRACE(QStringLiteral("%1,%2").arg(c).arg(r).toStdString());
            const TCellProperties* a = g.GridObjects(c, r);
            const TCellProperties* b = back.GridObjects(c, r);
            ASSERT_EQ(a != nullptr, b != nullptr);
            if (!a || a->IsBaseCell) { // a covered cell's text is its base cell's
                EXPECT_EQ(back.GridCells(c, r), g.GridCells(c, r));
            }
            if (!a)
                continue;
            EXPECT_EQ(b->FontName, a->FontName);
            EXPECT_EQ(b->BrushColor(), a->BrushColor());
            EXPECT_EQ(b->FontStyle, a->FontStyle);
            EXPECT_EQ(b->CellSpanX, a->CellSpanX);
            EXPECT_EQ(b->IsBaseCell, a->IsBaseCell);
            EXPECT_EQ(bool(b->FGraphicObject), bool(a->FGraphicObject));
            if (a->FGraphicObject) {
                EXPECT_EQ(b->FGraphicObject->CellType, a->FGraphicObject->CellType);
                EXPECT_EQ(b->FGraphicObject->CellValue, a->FGraphicObject->CellValue);
                EXPECT_EQ(b->FGraphicObject->CellCheckBoxState, a->FGraphicObject->CellCheckBoxState);
            }
        }
}
