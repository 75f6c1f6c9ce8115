#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/file_picture.h"
#include "recording_view.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

// A payload that counts its destructions.
struct Counted : TObject
{
    static inline int freed = 0;
    ~Counted() override { ++freed; }
};

class BaseGridTest : public ::testing::Test
{
protected:
    void SetUp() override { Counted::freed = 0; }
    TExStringGrid g;
};

} // namespace

TEST_F(BaseGridTest, MergedRangeRedirectsTextAndAnswersItsShape)
{
    g.SetColCount(5);
    g.SetCells(1, 1, QStringLiteral("base"));
    g.SetCells(2, 3, QStringLiteral("own"));
    g.MergeCells(1, 1, 2, 3);
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("base"));
    g.SetCells(2, 3, QStringLiteral("written"));
    EXPECT_EQ(g.GridCells(1, 1), QStringLiteral("written"));
    EXPECT_EQ(g.GridCells(2, 3), QStringLiteral("own")); // covered cells keep their raw text
    EXPECT_EQ(g.CellSpan(2, 2), QPoint(1, 2));
    EXPECT_EQ(g.CellExt(2, 2), QPoint(0, 1));
    EXPECT_EQ(g.BaseCell(2, 3), (TGridCoord{1, 1}));
    EXPECT_FALSE(g.IsMergedNonBaseCell(1, 1));
    EXPECT_TRUE(g.IsMergedNonBaseCell(1, 2));
    EXPECT_EQ(g.FullCell(2, 3), (TGridRect{1, 1, 2, 3}));
    EXPECT_TRUE(g.RowSpanIdentical(1, 2));
    EXPECT_FALSE(g.RowSpanIdentical(5, 6));
    EXPECT_EQ(g.MergeCount(), 1);

    g.MergeCells(3, 5, 1, 1);
    EXPECT_FALSE(g.IsMergedCell(3, 5));
    EXPECT_EQ(g.CellSpan(3, 5), QPoint(0, 0));
    g.SplitCells(3, 5);
    EXPECT_EQ(g.MergeCount(), 1);
    g.SplitCells(4, 8); // never merged: gets properties, stays unmerged
    EXPECT_TRUE(g.HasCellProperties(4, 8));
    EXPECT_FALSE(g.IsMergedCell(4, 8));
    g.SplitCells(2, 2);
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("own"));
}

TEST_F(BaseGridTest, WriteIntoMergedRangeRepaintsTheWholeRange)
{
    RecordingView view;
    g.SetView(&view);
    g.SetColCount(5);
    g.MergeCells(1, 1, 2, 3);
    view.Clear();
    g.SetCells(2, 3, QStringLiteral("x"));
    const QRect range(g.ColOffset(1), g.RowOffset(1), g.ColWidths(1) + g.ColWidths(2),
                      g.RowHeights(1) + g.RowHeights(2) + g.RowHeights(3));
    ASSERT_EQ(view.rects.size(), 1u);
    EXPECT_EQ(view.rects[0], range);
    EXPECT_EQ(g.CellRect(1, 2), range);
    // A plain cell repaints itself only.
    view.Clear();
    g.SetCells(4, 6, QStringLiteral("y"));
    ASSERT_EQ(view.rects.size(), 1u);
    EXPECT_EQ(view.rects[0], g.PlatformCellRect(4, 6));
    g.SetView(nullptr);
}

// The merged-cell steps the input side calls around its own one-step moves.
// Range A covers columns 1-2, rows 1-3; range B columns 4-6, rows 5-6 (two
// columns right of its base); (3, 8) has properties but is not merged.
TEST(MergedNavigation, KeyStepsSnapAndWheelTable)
{
    enum class Op { Key, Snap, WheelDown, WheelUp };
    struct Case
    {
        const char* what;
        int col, row; // start cell (display)
        Op op;
        int key;
        bool hideLastRow;
        int shownRows;   // whole rows the client area shows below the fixed row
        int topRow;      // set after the start cell is chosen; -1 leaves it
        bool hideCol3;   // real column 3, left of range B, hidden
        int wantCol, wantRow;
        int wantTop;     // -1: not checked
    } cases[] = {
        {"left from a base stays", 1, 1, Op::Key, VK_LEFT, false, 9, -1, false, 1, 1, -1},
        {"left from covered: the span's width left of the base", 5, 6, Op::Key, VK_LEFT, false, 9, -1, false, 2, 6, -1},
        {"left from B's top-right corner", 6, 5, Op::Key, VK_LEFT, false, 9, -1, false, 2, 5, -1},
        {"left from covered of A: the fixed column 0 refuses", 2, 2, Op::Key, VK_LEFT, false, 9, -1, false, 2, 2, -1},
        {"up from a base stays", 4, 5, Op::Key, VK_UP, false, 9, -1, false, 4, 5, -1},
        {"up from covered lands one row above the base", 5, 6, Op::Key, VK_UP, false, 9, -1, false, 5, 4, -1},
        {"up from covered of A: the fixed row 0 refuses", 2, 3, Op::Key, VK_UP, false, 9, -1, false, 2, 3, -1},
        {"right from a base lands on the range's last column", 1, 1, Op::Key, VK_RIGHT, false, 9, -1, false, 2, 1, -1},
        {"right from covered lands on the range's last column", 4, 6, Op::Key, VK_RIGHT, false, 9, -1, false, 6, 6, -1},
        {"right in the grid's last column stays", 6, 6, Op::Key, VK_RIGHT, false, 9, -1, false, 6, 6, -1},
        {"down from a base lands on the range's last row", 1, 1, Op::Key, VK_DOWN, false, 9, -1, false, 1, 3, -1},
        {"down from covered lands on the range's last row", 2, 2, Op::Key, VK_DOWN, false, 9, -1, false, 2, 3, -1},
        {"down from B's base", 5, 5, Op::Key, VK_DOWN, false, 9, -1, false, 5, 6, -1},
        {"unmerged cell with properties: right", 3, 8, Op::Key, VK_RIGHT, false, 9, -1, false, 3, 8, -1},
        {"unmerged cell with properties: left", 3, 8, Op::Key, VK_LEFT, false, 9, -1, false, 3, 8, -1},
        {"unmerged cell with properties: down", 3, 8, Op::Key, VK_DOWN, false, 9, -1, false, 3, 8, -1},
        {"cell without properties: left", 3, 2, Op::Key, VK_LEFT, false, 9, -1, false, 3, 2, -1},
        {"cell without properties: up", 3, 2, Op::Key, VK_UP, false, 9, -1, false, 3, 2, -1},
        {"page down, all rows shown: footer row kept out", 3, 2, Op::Key, VK_NEXT, true, 9, -1, false, 3, 8, -1},
        {"page down without a footer row", 3, 2, Op::Key, VK_NEXT, false, 9, -1, false, 3, 2, -1},
        {"page down above the end", 3, 2, Op::Key, VK_NEXT, true, 3, -1, false, 3, 2, -1},
        {"page down scrolled to the end", 3, 9, Op::Key, VK_NEXT, true, 3, -1, false, 3, 8, -1},
        {"hidden column: left from covered", 5, 6, Op::Key, VK_LEFT, false, 9, -1, true, 1, 6, -1},
        {"hidden column: right from the base", 3, 5, Op::Key, VK_RIGHT, false, 9, -1, true, 5, 5, -1},
        {"hidden column: right in the last column stays", 5, 6, Op::Key, VK_RIGHT, false, 9, -1, true, 5, 6, -1},
        {"snap from covered of A", 2, 3, Op::Snap, 0, false, 9, -1, false, 1, 1, -1},
        {"snap from covered of B", 6, 6, Op::Snap, 0, false, 9, -1, false, 4, 5, -1},
        {"snap from a base stays", 4, 5, Op::Snap, 0, false, 9, -1, false, 4, 5, -1},
        {"snap from an unmerged cell with properties stays", 3, 8, Op::Snap, 0, false, 9, -1, false, 3, 8, -1},
        {"snap from a cell without properties stays", 3, 2, Op::Snap, 0, false, 9, -1, false, 3, 2, -1},
        {"hidden column: snap from the far corner", 5, 6, Op::Snap, 0, false, 9, -1, true, 3, 5, -1},
        {"hidden column: snap from the top row", 4, 5, Op::Snap, 0, false, 9, -1, true, 3, 5, -1},
        {"wheel down, row below the view: scroll one row", 3, 8, Op::WheelDown, 0, true, 3, 1, false, 3, 8, 2},
        {"wheel down without a footer row: no scroll", 3, 8, Op::WheelDown, 0, false, 3, 1, false, 3, 8, 1},
        {"wheel down on the last row: no scroll", 3, 9, Op::WheelDown, 0, true, 3, 1, false, 3, 9, 1},
        {"wheel down, row as far down as rows shown: no scroll", 3, 4, Op::WheelDown, 0, true, 3, 1, false, 3, 4, 1},
        {"wheel down, one row further: scroll", 3, 5, Op::WheelDown, 0, true, 3, 1, false, 3, 5, 2},
        {"wheel down snaps to the base", 6, 6, Op::WheelDown, 0, true, 3, 1, false, 4, 5, -1},
        {"wheel up snaps to the base", 5, 6, Op::WheelUp, 0, true, 9, -1, false, 4, 5, 1},
        {"hidden column: wheel up snaps to the base", 5, 6, Op::WheelUp, 0, false, 9, -1, true, 3, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TExStringGrid g;
        g.SetColCount(7);
        ASSERT_EQ(g.RowCount(), 10);
        g.MergeCells(1, 1, 2, 3);
        g.MergeCells(4, 5, 3, 2);
        g.SetObjects(3, 8, 7);
        if (c.hideCol3)
            g.HideColumn(3);
        g.SetClientSize(QSize(2000, int(g.RowOffset(1)) + c.shownRows * g.DefaultRowHeight()));
        ASSERT_EQ(g.VisibleRowCount(), c.shownRows);
        g.FHideLastRow = c.hideLastRow;
        g.FocusCell(c.col, c.row, true);
        if (c.topRow >= 0)
            g.SetTopRow(c.topRow);
        ASSERT_EQ(g.Col(), c.col);
        ASSERT_EQ(g.Row(), c.row);
        switch (c.op) {
        case Op::Key: g.MergedKeyStep(c.key); break;
        case Op::Snap: g.SnapToBaseCell(); break;
        case Op::WheelDown: g.AfterMouseWheelDown(); break;
        case Op::WheelUp: g.AfterMouseWheelUp(); break;
        }
        EXPECT_EQ(g.Col(), c.wantCol);
        EXPECT_EQ(g.Row(), c.wantRow);
        if (c.wantTop >= 0) {
            EXPECT_EQ(g.TopRow(), c.wantTop);
        }
    }
}

TEST_F(BaseGridTest, DisplayHooksOnlyForNormalRowsAndWideTextWhenAsked)
{
    TBaseGrid fresh;
    fresh.SetCells(0, 0, QStringLiteral("raw"));
    fresh.OnGetDisplText = [](TBaseGrid*, int, int, QString& v) { v += u'!'; };
    EXPECT_EQ(fresh.Cells(0, 0), QStringLiteral("raw")); // no normal rows yet

    g.SetCells(0, 2, QStringLiteral("ab"));
    g.OnGetDisplText = [](TBaseGrid*, int, int, QString& v) { v += u'!'; };
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("ab!"));
    g.SetRowCount(20);
    g.SetCells(0, 15, QStringLiteral("c"));
    g.SetRowCount(12);
    EXPECT_EQ(g.Cells(0, 15), QStringLiteral("c")); // past the rows: no hook
    g.OnGetDisplText = nullptr;
    g.OnGetDisplWideText = [](TBaseGrid*, int, int, QString&) {};
    const QString expected = QStringLiteral("|\\") + QChar(0) + u'a' + QChar(0) + u'b';
    EXPECT_EQ(g.Cells(0, 2), expected);
}

TEST(WideText, EncodingTable)
{
    struct Case
    {
        QString in;
        QString out;
    } cases[] = {
        {QString(), QStringLiteral("|\\")},
        {QStringLiteral("a"), QStringLiteral("|\\") + QChar(0) + u'a'},
        {QString(QChar(0x20AC)), QStringLiteral("|\\") + QChar(0x20) + QChar(0xAC)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeWideText(c.in), c.out);
        EXPECT_EQ(DecodeWideText(c.out), c.in);
    }
    // An odd tail is dropped; characters above 0xFF wrap in 16 bits; plain text passes.
    EXPECT_EQ(DecodeWideText(QStringLiteral("|\\") + QChar(0) + u'a' + u'b'), QStringLiteral("a"));
    EXPECT_EQ(DecodeWideText(QStringLiteral("|\\") + QChar(0x101) + QChar(0x2)), QString(QChar(0x102)));
    EXPECT_EQ(DecodeWideText(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST_F(BaseGridTest, ObjectsKeepTextAndFooterRowHook)
{
    g.SetObjects(1, 1, 42);
    EXPECT_EQ(g.Cells(1, 1), QString());
    EXPECT_EQ(g.Objects(1, 1), 42u);
    g.SetCells(2, 1, QStringLiteral("t"));
    g.SetObjects(2, 1, 7);
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("t"));
    EXPECT_EQ(g.GetObjectEx(3, 3), 0u);
    EXPECT_FALSE(g.HasCellProperties(3, 3));

    struct Footer : TExStringGrid
    {
        int calls = 0;
        void UpdateFooterRow() override { ++calls; }
    } f;
    f.FHideLastRow = true;
    f.SetCells(0, 8, QStringLiteral("a"));
    EXPECT_EQ(f.calls, 0);
    f.SetCells(0, 9, QStringLiteral("a"));
    EXPECT_EQ(f.calls, 1);
}

TEST_F(BaseGridTest, GridFreesWhatItMadeOnceAndNeverUserObjects)
{
    Counted user;
    {
        TExStringGrid grid;
        auto made = std::make_unique<TCellGraphic>();
        made->CellBitmap.Adopt(std::make_unique<Counted>());
        grid.SetGraphicObjectEx(1, 1, std::move(made));
        auto borrowed = std::make_unique<TCellGraphic>();
        borrowed->SetBitmap(&user, false, haLeft, vaTop);
        grid.SetGraphicObjectEx(1, 2, std::move(borrowed));
        auto colour = std::make_unique<TCellGraphic>();
        colour->CellBitmap.SetColor(clRed);
        grid.SetGraphicObjectEx(1, 3, std::move(colour));
        grid.SetObjects(2, 2, reinterpret_cast<quintptr>(&user));
        for (int r = 4; r < 8; ++r) {
            auto g2 = std::make_unique<TCellGraphic>();
            g2->CellBitmap.Adopt(std::make_unique<Counted>());
            grid.SetGraphicObjectEx(0, r, std::move(g2));
        }
        grid.HideRows(4, 5); // records hold rows 4 and 5; rows 6 and 7 show at 4 and 5
        grid.UnHideRows(4, 4);
        EXPECT_EQ(grid.RealRowIndex(6), 7);
        grid.ClearRowCells(6); // row 7's graphic freed now
        EXPECT_EQ(Counted::freed, 1);
        grid.DeleteRows(5, 1); // row 6's graphic freed with its row
        EXPECT_EQ(Counted::freed, 2);

        // Clearing a column frees its grid-made graphic now, never the user's objects.
        auto inCol = std::make_unique<TCellGraphic>();
        inCol->CellBitmap.Adopt(std::make_unique<Counted>());
        grid.SetGraphicObjectEx(3, 1, std::move(inCol));
        grid.SetObjects(3, 2, reinterpret_cast<quintptr>(&user));
        auto borrowedInCol = std::make_unique<TCellGraphic>();
        borrowedInCol->SetBitmap(&user, false, haLeft, vaTop);
        grid.SetGraphicObjectEx(3, 3, std::move(borrowedInCol));
        grid.ClearColCells(3);
        EXPECT_EQ(Counted::freed, 3);
        for (int r = 1; r <= 3; ++r)
            EXPECT_FALSE(grid.HasCellProperties(3, r)) << "row " << r;
    }
    // Rows 1, 4 and hidden 5 freed with the grid, column 3's not again; the user's object lives.
    EXPECT_EQ(Counted::freed, 6);
}

TEST(CellGraphic, AssignCopiesNoPayloadAndFreesOnlyItsOwn)
{
    Counted::freed = 0;
    Counted user;
    {
        TCellGraphic owner;
        owner.SetPicture(nullptr, false, Stretch, 0, haLeft, vaTop);
        owner.CellBitmap.Adopt(std::make_unique<Counted>());
        owner.CellCreated = true;
        TCellGraphic copy;
        copy.SetBitmap(&user, false, haLeft, vaTop);
        copy.Assign(owner);
        EXPECT_EQ(copy.CellType, ctPicture);
        EXPECT_TRUE(copy.CellCreated);
        EXPECT_EQ(copy.CellBitmap.Object(), &user); // the payload stays the copy's own
    }
    EXPECT_EQ(Counted::freed, 1); // the copy did not free the user's bitmap
}

TEST(CellGraphic, SettersPackValuesAsStored)
{
    TCellGraphic g;
    EXPECT_EQ(g.CellType, ctNone);
    const struct
    {
        qint16 in;
        int out;
    } angles[] = {{-90, 270}, {360, 360}, {725, 5}, {0, 0}};
    for (const auto& a : angles) {
        g.SetAngle(a.in);
        EXPECT_EQ(g.CellAngle, a.out) << a.in;
        EXPECT_EQ(g.CellType, ctRotated);
    }
    g.SetButton(40, 20, QStringLiteral("Go"), haLeft, vaTop);
    EXPECT_EQ(g.CellIndex, (20 << 16) | 40);
    EXPECT_EQ(static_cast<int>(ctBitmap), 0);
    EXPECT_EQ(static_cast<int>(ctNone), 2);
    EXPECT_EQ(static_cast<int>(ctDataCheckBox), 5);
    EXPECT_EQ(static_cast<int>(ctVirtCheckBox), 19);
    EXPECT_EQ(static_cast<int>(ctExpand), 32);
    EXPECT_TRUE(IsCheckBoxType(ctTriStateCheckBox));
    EXPECT_FALSE(IsCheckBoxType(ctRadioButton));
}

TEST(CellGraphic, PictureSizeByStretchMode)
{
    struct Picture : TSizedPicture
    {
        int w, h;
        Picture(int w, int h) : w(w), h(h) {}
        int Width() const override { return w; }
        int Height() const override { return h; }
    };
    Picture wide(200, 100);
    Picture odd(30, 25);
    const struct
    {
        Picture* p;
        TStretchMode mode;
        int cw, rh;
        QPoint size;
    } cases[] = {
        {&wide, Stretch, 100, 100, {100, 100}},
        {&wide, Shrink, 100, 100, {100, 100}},
        {&wide, StretchWithAspectRatio, 100, 100, {100, 50}},
        {&wide, ShrinkWithAspectRatio, 100, 100, {100, 50}},
        {&wide, noStretch, 100, 100, {200, 100}},
        {&wide, StretchWithAspectRatio, 400, 400, {400, 200}},
        {&wide, ShrinkWithAspectRatio, 400, 400, {200, 100}},
        {&odd, StretchWithAspectRatio, 15, 100, {15, 12}}, // 12.5 rounds to even
    };
    for (const auto& c : cases) {
        TCellGraphic g;
        g.SetPicture(c.p, false, c.mode, 0, haLeft, vaTop);
        EXPECT_EQ(g.GetPictureSize(c.cw, c.rh, false), c.size) << c.mode << " " << c.cw;
    }
    TCellGraphic other;
    other.SetImageIdx(1, haLeft, vaTop);
    EXPECT_EQ(other.GetPictureSize(10, 10, false, QPoint(3, 4)), QPoint(3, 4));
}

TEST_F(BaseGridTest, ClearingAndCellRectsAreBoundedByTheStore)
{
    g.SetColCount(4);
    g.SetCells(kMaxColumns, 1, QStringLiteral("no")); // past the store limit: ignored
    g.SetCells(1, kMaxRows, QStringLiteral("no"));
    EXPECT_EQ(g.Cells(kMaxColumns, 1), QString());
    EXPECT_EQ(g.Store().Extent(), 0);
    EXPECT_EQ(g.CellProperties(-1, 0), nullptr);
    g.SetCells(1, 1, QStringLiteral("a"));
    g.SetColors(1, 1, clRed);
    g.ClearCellData(1, 1);
    EXPECT_FALSE(g.HasCellProperties(1, 1));
    EXPECT_EQ(g.Cells(1, 1), QString());
    // A cell scrolled away has no client rectangle.
    g.SetRowCount(100);
    g.SetTopRow(50);
    EXPECT_TRUE(g.CellRect(1, 10).isEmpty());
    EXPECT_EQ(g.UnclippedCellRect(1, 10).y(), g.RowHeights(0) - 40 * g.DefaultRowHeight());
}
