// The binary cell stream: record bytes, value kinds, round trips between
// grids over every payload kind, placement, and malformed input that must
// leave the grid as it was.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/exchange/cell_stream.h"
#include "controls/grid/exchange/object_stream.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace grid;

namespace {

QByteArray S(const QByteArray& s)
{
    return char(s.size()) + s;
}

QByteArray Prop(const QByteArray& path, const QByteArray& value)
{
    return S(path) + value;
}

QByteArray Rec(const QByteArray& className, const QByteArray& props)
{
    return "TPF0" + S(className) + QByteArray(1, '\0') + props + QByteArray(2, '\0');
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

void Grid(TExStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
}

// The texts and a few looks of every cell, to tell a grid that changed.
QStringList Snapshot(TExStringGrid& g)
{
    QStringList out;
    out << QStringLiteral("%1x%2").arg(g.ColCount()).arg(g.RowCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            const TCellProperties* p = g.GridObjects(c, r);
            out << g.GridCells(c, r) +
                       (p ? QStringLiteral("|%1|%2|%3").arg(p->FontName).arg(p->BrushColor()).arg(bool(p->FGraphicObject))
                          : QString());
        }
    return out;
}

QImage Image(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(CellStream, RecordBytesAsDerivedByHand)
{
    TExStringGrid g;
    Grid(g, 2, 3);
    g.SetColWidths(0, 64);
    g.SetColWidths(1, 100);
    g.SetRowHeights(1, 30);
    g.SetRowHeights(2, 22);
    g.SetCells(1, 2, QStringLiteral("ab"));
    TCellProperties* p = g.CellProperties(0, 1);
    p->IsBaseCell = true;
    p->CellSpanX = -1;
    p->CellSpanY = -1;
    p->Alignment = taCenter;
    p->BorderColor = 0x123456;
    p->BorderWidth = 200;
    p->SetBrushColor(clWindow);
    p->BrushStyle = bsClear;
    p->CellObject = 0;
    p->FontColor = clNone;
    p->FontName = QString();
    p->FontSize = 9;
    p->FontStyle = fsBold | fsUnderline;
    p->Editor = edCheckBox;
    p->ReadOnly = true;
    p->SetVAlignment(vtaBottom);
    p->SetWordWrap(false);
    p->NodeLevel = 40000;

    const QByteArray bytes = SaveRectToBinBytes(g, {0, 1, 1, 2});

    // Header: two columns, two rows, not the whole grid; ID follows.
    const QByteArray header = "TPF0" + S("TGridPropIO") + Hex("00") + Prop("ColCount", Hex("0202")) +
                              Prop("RowCount", Hex("0202")) + Prop("ColWidths", Hex("06") + S("64,100")) +
                              Prop("RowHeights", Hex("06") + S("30,22")) + Prop("FullGrid", Hex("08")) + S("ID");
    ASSERT_TRUE(bytes.startsWith(header));

    const QByteArray emptyCell =
        Rec("TGridCellIO", Prop("Col", Hex("0201")) + Prop("Row", Hex("0201")) + Prop("HasProp", Hex("08")));
    const QByteArray propCell =
        Rec("TGridCellIO", Prop("Col", Hex("0200")) + Prop("Row", Hex("0201")) + Prop("HasProp", Hex("09")));
    const QByteArray props = Rec(
        "TGridCellPropIO",
        Prop("CellProperties.IsBaseCell", Hex("09")) + Prop("CellProperties.CellSpanX", Hex("02ff")) +
            Prop("CellProperties.CellSpanY", Hex("02ff")) +
            Prop("CellProperties.Alignment", Hex("07") + S("taCenter")) +
            Prop("CellProperties.BorderColor", Hex("0456341200")) +
            Prop("CellProperties.BorderWidth", Hex("03c800")) +
            Prop("CellProperties.BrushColor", Hex("07") + S("clWindow")) +
            Prop("CellProperties.BrushColorTo", Hex("07") + S("clNone")) +
            Prop("CellProperties.BrushStyle", Hex("07") + S("bsClear")) +
            Prop("CellProperties.CellObject", Hex("0200")) +
            Prop("CellProperties.FontColor", Hex("07") + S("clNone")) +
            Prop("CellProperties.FontSize", Hex("0209")) +
            Prop("CellProperties.FontStyle", Hex("0b") + S("fsBold") + S("fsUnderline") + Hex("00")) +
            Prop("CellProperties.Editor", Hex("07") + S("edCheckBox")) +
            Prop("CellProperties.GradientDirection", Hex("07") + S("GradientVertical")) +
            Prop("CellProperties.ReadOnly", Hex("09")) +
            Prop("CellProperties.VAlignment", Hex("07") + S("vtaBottom")) +
            Prop("CellProperties.WordWrap", Hex("08")) + Prop("CellProperties.NodeLevel", Hex("04409c0000")) +
            Prop("HasGraphic", Hex("08")));
    const QByteArray textCell = Rec("TGridCellIO", Prop("Col", Hex("0201")) + Prop("Row", Hex("0202")) +
                                                       Prop("Cell", Hex("06") + S("ab")) +
                                                       Prop("HasProp", Hex("08")));
    const qsizetype headerEnd = bytes.indexOf(propCell);
    ASSERT_GT(headerEnd, 0);
    EXPECT_EQ(bytes.mid(headerEnd), propCell + props + emptyCell + Rec("TGridCellIO", Prop("Col", Hex("0200")) +
                                                                                       Prop("Row", Hex("0202")) +
                                                                                       Prop("HasProp", Hex("08"))) +
                                        textCell);
    EXPECT_EQ(ReadCellStreamHeader(bytes).ID, g.ExchangeID());
    TExStringGrid other;
    EXPECT_NE(other.ExchangeID(), g.ExchangeID());
}

TEST(CellStream, TextKindsAndFloats)
{
    struct Case
    {
        QString text;
        QByteArray value;
    };
    const QString e = QString(QChar(0xE9));
    const Case cases[] = {
        {QStringLiteral("abc"), Hex("06") + S("abc")},
        {QString(300, u'x'), Hex("0c2c010000") + QByteArray(300, 'x')},
        {u'a' + e, Hex("1403000000") + QByteArray("a\xc3\xa9")},
        {e, Hex("1201000000e900")},
        {QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac"), Hex("1202000000e5652c67")},
        {QString(), Hex("1200000000")},
    };
    for (const Case& c : cases) {
        QByteArray out;
        ObjectWriter(out).Text("T", c.text);
        EXPECT_EQ(out, S("T") + c.value) << c.text.left(10).toStdString();
        const QByteArray rec = Rec("X", out);
        ObjectReader reader(rec);
        EXPECT_EQ(reader.ReadRecord().Properties.at(0).Value.Text, c.text);
    }

    unsigned char one[10];
    DoubleToExtended(1.0, one);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(one), 10), Hex("0000000000000080ff3f"));
    for (double v : {0.0, 1.0, -2.5, M_PI, 1e300, -1e-300, 4.9e-324, HUGE_VAL, -HUGE_VAL}) {
        unsigned char b[10];
        DoubleToExtended(v, b);
        EXPECT_EQ(ExtendedToDouble(b), v);
    }
    DoubleToExtended(NAN, one);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(one)));
}

TEST(CellStream, RoundTripOverEveryPayloadKind)
{
    QTemporaryDir dir;
    const QString pictureFile = dir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(Image(5, 7, 0xff00ff00).save(pictureFile));

    TExStringGrid a;
    Grid(a, 10, 3);
    a.SetCells(0, 0, QStringLiteral("line1\r\nline2\tx"));
    a.SetCells(1, 0, QString::fromUtf8("\xe6\x97\xa5 \xc3\xa9"));
    a.CreateBitmap(2, 0, true, haRight, vaBottom)->Image = Image(3, 2, 0xffff0000);
    a.CreateIcon(3, 0, haCenter, vaCenter)->Image = Image(16, 16, 0xff0000ff);
    a.CreatePicture(4, 0, false, noStretch, 0, haLeft, vaTop)->Image = Image(4, 4, 0xff00ffff);
    a.CreateFilePicture(5, 0, false, noStretch, 0, haLeft, vaTop)->SetFilename(pictureFile);
    TStringsObject* radio = a.CreateRadio(6, 0, 1, 2);
    radio->Lines = QStringList{QStringLiteral("one"), QString(), QString::fromUtf8("dr\xc3\xa9i")};
    TCustomImageList imageList;
    a.GridImages = &imageList;
    TIntList* images = a.AddMultiImage(7, 0, 0, haLeft, vaTop);
    ASSERT_TRUE(images);
    images->Add(3);
    images->Add(5);
    images->Add(7);
    a.AddCheckBox(8, 0, cbGrayed);
    TCellGraphic* value = a.CreateCellGraphic(9, 0);
    value->CellType = ctProgress;
    value->CellValue = 42.5;
    value->CellText = QStringLiteral("p");
    TCellProperties* p = a.CellProperties(0, 1);
    p->FontName = QStringLiteral("Courier");
    p->SetBrushColor(0x123456);
    p->FontColor = clWindow;
    p->FontStyle = fsItalic | fsStrikeOut;
    p->Editor = edColorPickerDropDown;
    p->CellObject = 77;

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write("lead");
    SaveRectToBinStream(a, {0, 0, 9, 1}, buffer);
    buffer.seek(4);

    TExStringGrid b;
    Grid(b, 10, 3);
    LoadAtPointFromBinStream(b, {0, 0}, buffer);
    EXPECT_EQ(buffer.pos(), buffer.size());

    EXPECT_EQ(b.Cells(0, 0), a.Cells(0, 0));
    EXPECT_EQ(b.Cells(1, 0), a.Cells(1, 0));
    auto imageOf = [&b](int col, bool icon = false) {
        const TCellGraphic* g = b.GridObjects(col, 0)->FGraphicObject.get();
        return dynamic_cast<const TImagePicture*>(icon ? g->CellIcon.Object() : g->CellBitmap.Object())->Image;
    };
    EXPECT_EQ(imageOf(2).pixel(1, 1), 0xffff0000u);
    EXPECT_EQ(imageOf(2).size(), QSize(3, 2));
    EXPECT_EQ(b.GridObjects(2, 0)->FGraphicObject->CellHAlign, haRight);
    EXPECT_TRUE(b.GridObjects(2, 0)->FGraphicObject->CellTransparent);
    EXPECT_EQ(imageOf(3, true).size(), QSize(16, 16));
    EXPECT_EQ(imageOf(3, true).pixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(imageOf(4).pixel(2, 2), 0xff00ffffu);
    auto* fp = dynamic_cast<TFilePicture*>(b.GridObjects(5, 0)->FGraphicObject->CellBitmap.Object());
    ASSERT_TRUE(fp);
    EXPECT_EQ(fp->Filename(), pictureFile);
    EXPECT_EQ(fp->Width(), 5);
    auto* lines = dynamic_cast<TStringsObject*>(b.GridObjects(6, 0)->FGraphicObject->CellBitmap.Object());
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->Lines, radio->Lines);
    EXPECT_EQ(b.GridObjects(6, 0)->FGraphicObject->CellIndex, 2);
    auto* list = dynamic_cast<TIntList*>(b.GridObjects(7, 0)->FGraphicObject->CellBitmap.Object());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->StrValue(), QStringLiteral("3,5,7"));
    EXPECT_EQ(b.GetCellType(8, 0), ctTriStateCheckBox);
    EXPECT_EQ(b.GridObjects(8, 0)->FGraphicObject->CellCheckBoxState, cbGrayed);
    EXPECT_EQ(b.GridObjects(9, 0)->FGraphicObject->CellValue, 42.5);
    EXPECT_EQ(b.GridObjects(9, 0)->FGraphicObject->CellText, QStringLiteral("p"));
    const TCellProperties* q = b.GridObjects(0, 1);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->FontName, QStringLiteral("Courier"));
    EXPECT_EQ(q->BrushColor(), 0x123456u);
    EXPECT_EQ(q->FontColor, clWindow);
    EXPECT_EQ(q->FontStyle, fsItalic | fsStrikeOut);
    EXPECT_EQ(q->Editor, edColorPickerDropDown);
    EXPECT_EQ(q->CellObject, 77u);
    EXPECT_EQ(q->OwnerCol, 0);
    EXPECT_EQ(q->OwnerRow, 1);
}

TEST(CellStream, OmittedEntriesTakeDefaultsOrKeepTheTarget)
{
    TExStringGrid a;
    Grid(a, 3, 1);
    a.CreateCellGraphic(0, 0)->CellValue = 5;
    a.CreateCellGraphic(1, 0)->CellType = ctProgress;
    a.CellProperties(0, 0)->FontName.clear();
    a.CellProperties(1, 0)->FontName.clear();
    const QByteArray bytes = SaveRectToBinBytes(a, {0, 0, 1, 0});
    EXPECT_FALSE(bytes.contains("FontName"));
    EXPECT_EQ(bytes.count("CellValue"), 1);

    TExStringGrid b;
    Grid(b, 2, 1);
    b.CreateCellGraphic(1, 0)->CellValue = 7;
    b.CellProperties(1, 0)->FontName = QStringLiteral("Keep");
    LoadAtPointFromBinBytes(b, {0, 0}, bytes);
    EXPECT_EQ(b.GridObjects(0, 0)->FGraphicObject->CellValue, 5);
    EXPECT_EQ(b.GridObjects(1, 0)->FGraphicObject->CellValue, 0);
    EXPECT_EQ(b.GridObjects(1, 0)->FontName, QStringLiteral("Keep"));
}

TEST(CellStream, FullGridAndPlacement)
{
    TExStringGrid a;
    a.SetColCount(3);
    a.SetRowCount(4);
    a.SetFixedRows(1);
    a.SetFixedCols(0);
    a.SetColWidths(2, 91);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            a.SetCells(c, r, QStringLiteral("%1%2").arg(c).arg(r));

    // Without the fixed cells the whole-grid test leaves the fixed row out.
    a.SaveFixedCells = false;
    QBuffer full;
    full.open(QIODevice::ReadWrite);
    SaveToBinStream(a, full);
    const CellStreamHeader h = ReadCellStreamHeader(full.data());
    EXPECT_TRUE(h.FullGrid);
    EXPECT_EQ(h.RowCount, 3);
    EXPECT_FALSE(ReadCellStreamHeader(SaveRectToBinBytes(a, {0, 0, 2, 3})).FullGrid);

    // A full stream clears the target and keeps its cells' own indices.
    TExStringGrid b;
    Grid(b, 8, 8);
    b.SetCells(7, 7, QStringLiteral("gone"));
    full.seek(0);
    LoadFromBinStream(b, full);
    EXPECT_EQ(b.ColCount(), 3);
    EXPECT_EQ(b.RowCount(), 4);
    EXPECT_EQ(b.Cells(2, 3), QStringLiteral("23"));
    EXPECT_EQ(b.Cells(0, 0), QString());
    EXPECT_EQ(b.ColWidths(2), 91);
    EXPECT_EQ(b.GridCells(7, 7), QString());

    // A part is placed by its first cell.
    TExStringGrid c;
    Grid(c, 8, 8);
    LoadAtPointFromBinBytes(c, {4, 5}, SaveRectToBinBytes(a, {1, 2, 2, 3}));
    EXPECT_EQ(c.Cells(4, 5), QStringLiteral("12"));
    EXPECT_EQ(c.Cells(5, 6), QStringLiteral("23"));
    EXPECT_EQ(c.Cells(1, 2), QString());
}

TEST(CellStream, IndicesPastTheFormatAreRefused)
{
    TExStringGrid a;
    Grid(a, 2, 70000);
    a.SetCells(0, 65536, QStringLiteral("far"));
    EXPECT_NO_THROW(SaveRectToBinBytes(a, {0, 65535, 1, 65535}));
    EXPECT_THROW(SaveRectToBinBytes(a, {0, 65530, 1, 65536}), GridError);
}

TEST(CellStream, MalformedInputFailsAndLeavesTheGrid)
{
    TExStringGrid a;
    Grid(a, 3, 2);
    a.SetCells(0, 0, QStringLiteral("x"));
    a.CreateRadio(1, 0, 0, 0)->Lines = QStringList{QStringLiteral("r")};
    a.CellProperties(2, 1)->FontName = QStringLiteral("F");
    const QByteArray good = SaveRectToBinBytes(a, {0, 0, 2, 1});

    TExStringGrid b;
    Grid(b, 4, 4);
    b.SetCells(0, 0, QStringLiteral("before"));
    b.CellProperties(2, 1)->FontName = QStringLiteral("Old");
    const QStringList before = Snapshot(b);

    // A cut stream fails, except where it ends between cells.
    int failures = 0;
    for (qsizetype cut = 0; cut < good.size(); ++cut) {
        TExStringGrid t;
        Grid(t, 4, 4);
        t.SetCells(0, 0, QStringLiteral("before"));
        t.CellProperties(2, 1)->FontName = QStringLiteral("Old");
        try {
            LoadAtPointFromBinBytes(t, {0, 0}, good.left(cut));
        } catch (const GridError&) {
            ++failures;
            EXPECT_EQ(Snapshot(t), before) << "cut at " << cut;
        }
    }
    EXPECT_GT(failures, good.size() * 9 / 10);

    auto replaced = [&good](const QByteArray& from, const QByteArray& to) {
        QByteArray b = good;
        const qsizetype at = b.indexOf(from);
        EXPECT_GE(at, 0) << from.toStdString();
        return b.replace(at, from.size(), to);
    };
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"signature", replaced("TPF0", "TPF1"), "Invalid stream format"},
        {"value type", replaced(S("Col") + Hex("0200"), S("Col") + Hex("1600")), "Invalid stream format"},
        {"path", replaced(S("HasProp"), S("HasPrup")), "Property HasPrup does not exist"},
        {"enumeration", replaced(S("taLeftJustify"), S("taLeftJustifx")), "Invalid property value"},
        {"wide length", replaced(S("Strings.Strings") + Hex("0106"), S("Strings.Strings") + Hex("0112ffffff7f")),
         "Stream read error"},
        {"long length", replaced(S("Cell") + Hex("06"), S("Cell") + Hex("0cffffffff")), "Stream read error"},
        {"col type", replaced(S("Col") + Hex("0200"), S("Col") + Hex("0600")), "Invalid property value"},
        {"image list",
         replaced(S("ctRadio"), S("ctImages")),
         "'r' is not a valid integer value"},
        {"short widths", good.left(0) + Rec("TGridPropIO", Prop("ColCount", Hex("0203")) + Prop("RowCount", Hex("0201")) +
                                                  Prop("ColWidths", Hex("06") + S("1,2")) +
                                                  Prop("RowHeights", Hex("06") + S("5")) +
                                                  Prop("FullGrid", Hex("09"))),
         "List index"},
        {"huge count", good.left(0) + Rec("TGridPropIO", Prop("ColCount", Hex("04ffffff7f")) +
                                                 Prop("RowCount", Hex("0201"))),
         "Invalid property value"},
        {"children", replaced(Hex("0000") + "TPF0", Hex("0001") + "TPF0"), "Invalid stream format"},
    };
    for (const Case& c : cases) {
        TExStringGrid t;
        Grid(t, 4, 4);
        t.SetCells(0, 0, QStringLiteral("before"));
        t.CellProperties(2, 1)->FontName = QStringLiteral("Old");
        try {
            LoadAtPointFromBinBytes(t, {0, 0}, c.bytes);
            ADD_FAILURE() << c.name << " loaded";
        } catch (const GridError& e) {
            EXPECT_TRUE(e.Message().contains(QLatin1String(c.message))) << c.name << ": " << e.Message().toStdString();
        }
        EXPECT_EQ(Snapshot(t), before) << c.name;
    }

    // Placed so that its last column falls past the grid's limit: the cells
    // before it are not stored either.
    TExStringGrid t;
    Grid(t, 4, 4);
    t.SetCells(0, 0, QStringLiteral("before"));
    t.CellProperties(2, 1)->FontName = QStringLiteral("Old");
    try {
        LoadAtPointFromBinBytes(t, {kMaxColumns - 2, 0}, good);
        ADD_FAILURE() << "placed past the limit";
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cell %1,0 lies outside the grid").arg(kMaxColumns));
    }
    EXPECT_EQ(Snapshot(t), before);
}

TEST(CellStream, FilesAndProgress)
{
    QTemporaryDir dir;
    TExStringGrid a;
    Grid(a, 2, 5);
    a.SetCells(1, 4, QStringLiteral("end"));
    std::vector<int> progress;
    a.OnFileProgress = [&progress](TExStringGrid*, qint16 p) { progress.push_back(p); };
    const QString file = dir.filePath(QStringLiteral("g.bin"));
    SaveToBinFile(a, file);
    EXPECT_EQ(progress, (std::vector<int>{0, 25, 50, 75, 100}));

    TExStringGrid b;
    Grid(b, 1, 1);
    LoadFromBinFile(b, file);
    EXPECT_EQ(b.Cells(1, 4), QStringLiteral("end"));
    EXPECT_THROW(LoadFromBinFile(b, dir.filePath(QStringLiteral("missing"))), GridError);
}
