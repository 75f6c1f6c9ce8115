#include "controls/dropdown/grid_dropdown.h"
#include "dropdown_fixture.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace dropdown;
using Grid = griddropdown::TExColGrid;
using D = TCustomExGridDropDown;
using grid::TExStringGrid;

TDropDownItems MakeItems(std::initializer_list<const char*> rows)
{
    TDropDownItems items;
    for (const char* r : rows)
        items.push_back({-1, QString::fromLatin1(r).split(QLatin1Char('|'))});
    return items;
}

struct GridDropDownWindow : ::testing::Test
{
    GridDropDownWindow()
    {
        dd = new TCustomExGridDropDown(&w.window);
        dd->setGeometry(20, 30, 180, 21);
        dd->DropDownHeader().SetVisible(false);
        dd->DropDownFooter().SetVisible(false);
        dd->SetDropDownHeight(200);
        TDropDownColumn name;
        name.Header = QStringLiteral("Name");
        TDropDownColumn note;
        note.Header = QStringLiteral("Note");
        dd->SetColumns({name, note});
        dd->SetItems(MakeItems({"Alpha|first", "beta|second", "Bravo", "Charlie|fourth", "Delta|fifth"}));
        dd->OnSelect = [this](D*) { ++selects; };
        w.Show(dd);
    }
    griddropdown::TExColGridView* Open()
    {
        dd->ShowDropDown();
        EXPECT_TRUE(dd->DroppedDown());
        return dd->View();
    }
    QPoint Cell(int col, int row) { return dd->GetGrid()->PlatformCellRect(col, row).center(); }
    DropDownWindow w;
    TCustomExGridDropDown* dd;
    int selects = 0;
};

TEST_F(GridDropDownWindow, HeightSnapAndColumnScaling)
{
    TDropDownColumns four(4);
    for (TDropDownColumn& c : four)
        c.Width = 10;
    dd->SetColumns(four);
    dd->DropDownAutoWidth = false;
    dd->AutoSizeColumns = false;
    dd->SetDropDownWidth(102);
    Open();
    EXPECT_EQ(dd->DropDownForm()->height(), 185);  // 25 + 7 * 22 + 6
    Grid& g = *dd->GetGrid();
    ASSERT_EQ(g.ColCount(), 4);
    // 100 (inside the frame) / 41 a column: 24.39 each, the third takes the carried pixel.
    EXPECT_EQ(std::vector<int>({g.ColWidths(0), g.ColWidths(1), g.ColWidths(2), g.ColWidths(3)}),
              std::vector<int>({24, 24, 25, 24}));
    EXPECT_EQ(dd->Columns()[2].Width, 10);  // the definitions keep their widths
    // Items with fewer lines than columns leave the rest of the row empty.
    EXPECT_EQ(g.Cells(1, 3), QString());
    EXPECT_EQ(g.Cells(0, 0), QString());
    EXPECT_EQ(g.RowCount(), 6);
    dd->HideDropDown(true);
}

TEST_F(GridDropDownWindow, TypingLooksUpAndCompletes)
{
    QTest::keyClicks(dd, QStringLiteral("b"));
    EXPECT_EQ(dd->ItemIndex(), 1);  // beta, the first match
    EXPECT_EQ(dd->text(), QStringLiteral("beta"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("eta"));
    QTest::keyClicks(dd, QStringLiteral("r"));
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(dd->ItemIndex(), 2);

    dd->setText(QStringLiteral("charlie"));
    QTest::keyClick(dd, Qt::Key_Return);
    EXPECT_EQ(dd->text(), QStringLiteral("Charlie"));
    EXPECT_EQ(dd->ItemIndex(), 3);
    dd->setText(QStringLiteral("Zeta"));
    QTest::keyClick(dd, Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->text(), QString());
}

TEST_F(GridDropDownWindow, DropDownListRestartsTheEntry)
{
    dd->SetItems(MakeItems({"Xray", "Zulu", "Alpha"}));
    dd->SetStyle(dsDropDownList);
    EXPECT_FALSE(dd->EditorEnabled());
    QTest::keyClicks(dd, QStringLiteral("x"));
    EXPECT_EQ(dd->text(), QStringLiteral("Xray"));
    QTest::keyClicks(dd, QStringLiteral("z"));  // "xz" starts nothing: z alone
    EXPECT_EQ(dd->text(), QStringLiteral("Zulu"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("z"));
    QTest::keyClick(dd, Qt::Key_Home);
    EXPECT_EQ(dd->ItemIndex(), 0);
    QTest::keyClick(dd, Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(GridDropDownWindow, NarrowDownFiltersTheRows)
{
    dd->LookupMethod = lmNarrowDown;
    griddropdown::TExColGridView* view = Open();
    Grid& g = view->Table();
    QTest::keyClick(view, Qt::Key_R);
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(g.RowCount(), 2);  // only Bravo holds "ra"
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("Bravo"));
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    dd->HideDropDown(true);  // the focus comes back to the edit: filters and entry go
    QApplication::processEvents();
    EXPECT_EQ(dd->LookupEntry(), QString());
    EXPECT_EQ(g.RowCount(), 6);
}

TEST_F(GridDropDownWindow, PopupKeysChooseAndCancel)
{
    dd->SetItemIndex(1);
    int downs = 0;
    int ups = 0;
    dd->OnGridKeyDown = [&](TExStringGrid*, int&, grid::TShiftState) { ++downs; };
    dd->OnGridKeyUp = [&](TExStringGrid*, int&, grid::TShiftState) { ++ups; };
    griddropdown::TExColGridView* view = Open();
    Grid& g = view->Table();
    EXPECT_EQ(g.Row(), 2);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(downs, 1);  // the popup's keys reach the forwarded key events
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(dd->ItemIndex(), 2);  // the edit follows the row
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    QTest::keyClick(view, Qt::Key_Tab);  // does nothing
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(g.Row(), 3);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);  // cancel restores the index
    EXPECT_EQ(dd->text(), QStringLiteral("beta"));

    view = Open();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);  // chooses the current row, which stays
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(selects, 1);

    view = Open();
    QTest::keyClick(view, Qt::Key_C);  // type-ahead in the grid
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(dd->selectedText(), QStringLiteral("harlie"));
    dd->HideDropDown(false);
    EXPECT_EQ(dd->ItemIndex(), 3);
}

TEST_F(GridDropDownWindow, HeaderAndCheckBoxClicksChooseNothing)
{
    griddropdown::TExColGridView* view = Open();
    Grid& g = view->Table();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell(0, 0));
    EXPECT_TRUE(dd->DroppedDown());
    g.AddCheckBox(1, 2, false, false);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, g.PlatformCellRect(1, 2).topLeft() + QPoint(4, 6));
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(selects, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell(0, 4));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(selects, 1);
}

TEST_F(GridDropDownWindow, SortingKeepsTheChosenItem)
{
    dd->SetItems(MakeItems({"A", "B", "C"}));
    dd->Sorting = gsSingleColumn;
    dd->SetItemIndex(0);
    griddropdown::TExColGridView* view = Open();
    Grid& g = view->Table();
    g.SortSettings.InitSortDirection = grid::sdDescending;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Cell(0, 0));
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("C"));
    EXPECT_EQ(int(g.Objects(0, 1)), 2);  // each row keeps its item number
    EXPECT_EQ(int(g.Objects(0, 3)), 0);
    EXPECT_EQ(g.Row(), 3);  // the chosen item's row
    EXPECT_EQ(dd->ItemIndex(), 0);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->text(), QStringLiteral("A"));
}

TEST(GridDropDown, MissingLookupLinesAndSteps)
{
    TCustomExGridDropDown dd;
    dd.LookupColumn = 1;
    dd.SetItems(MakeItems({"one", "two|2", "three|3"}));
    QString found;
    int row = -1;
    EXPECT_TRUE(dd.FindLookup(QStringLiteral("3"), found, row));
    EXPECT_EQ(row, 2);
    dd.SetItemIndex(0);
    EXPECT_EQ(dd.text(), QString());
    EXPECT_EQ(dd.GetItemIndex(QStringLiteral("3")), 2);
    EXPECT_EQ(dd.GetItemIndex(QString()), -1);  // a missing line equals nothing
    EXPECT_EQ(dd.GetVersionNumber(), 0x06000101);
    TDropDownItems many(100);
    dd.SetItems(many);
    dd.SetItemIndex(95);
    dd.SelectNextPage();
    EXPECT_EQ(dd.ItemIndex(), 99);
    dd.SetItemIndex(5);
    dd.SelectPreviousPage();
    EXPECT_EQ(dd.ItemIndex(), 0);
    dd.SetItemIndex(100);  // at the count: ignored
    EXPECT_EQ(dd.ItemIndex(), 0);
}

// ---- the forwarders ----

template <class F>
struct Signature;
template <class R, class... A>
struct Signature<std::function<R(A...)>>
{
    using Values = std::tuple<std::decay_t<A>...>;
};


struct Probe
{
    int slot;
    void (*fire)(Grid& g);                          // the grid raises its event
    void (*arm)(D& dd, const void* sender, int& count, bool& same);  // the drop-down's event records
};

template <auto GridEvent, auto DropDownEvent>
Probe MakeProbe(int slot)
{
    Probe p{slot, nullptr, nullptr};
    p.fire = [](Grid& g) {
        auto& event = g.*GridEvent;
        if (!event)
            return;
        using Values = typename Signature<std::decay_t<decltype(event)>>::Values;
        Values values;
        std::get<0>(values) = &g;
        [&]<size_t... I>(std::index_sequence<I...>) {
            // Integers get distinct values; everything else stays default.
            (([&] {
                 if constexpr (I > 0 && std::is_same_v<std::tuple_element_t<I, Values>, int>)
                     std::get<I>(values) = 40 + int(I);
             }()),
             ...);
        }(std::make_index_sequence<std::tuple_size_v<Values>>());
        std::apply(event, values);
    };
    p.arm = [](D& dd, const void* sender, int& count, bool& same) {
        dd.*DropDownEvent = [&count, &same, sender](auto* from, auto&&... args) {
            ++count;
            [[maybe_unused]] int i = 1;
            bool ok = static_cast<const void*>(from) == sender;
            (([&] {
                 if constexpr (std::is_same_v<std::decay_t<decltype(args)>, int>)
                     ok = ok && args == 40 + i;
                 ++i;
             }()),
             ...);
            same = same && ok;
        };
    };
    return p;
}

#define P(slot, gridEvent, event) MakeProbe<&gridEvent, &D::event>(slot)

const Probe kProbes[] = {
    P(114, TExStringGrid::OnAnchorClick, OnGridAnchorClick),
    P(115, TExStringGrid::OnAnchorEnter, OnGridAnchorEnter),
    P(116, TExStringGrid::OnAnchorExit, OnGridAnchorExit),
    P(117, Grid::OnAnchorHint, OnGridAnchorHint),
    P(118, TExStringGrid::OnButtonClick, OnGridButtonClick),
    P(119, TExStringGrid::OnCanSort, OnGridCanSort),
    P(120, TExStringGrid::OnClickSort, OnGridClickSort),
    P(121, TExStringGrid::OnCustomCompare, OnGridCustomCompare),
    P(122, TExStringGrid::OnRawCompare, OnGridRawCompare),
    P(123, TExStringGrid::OnColumnSize, OnGridColumnSize),
    P(124, TExStringGrid::OnColumnSizing, OnGridColumnSizing),
    P(125, TExStringGrid::OnEndColumnSize, OnGridEndColumnSize),
    P(126, Grid::OnRowSize, OnGridRowSize),
    P(127, TExStringGrid::OnRowSizing, OnGridRowSizing),
    P(128, TExStringGrid::OnEndRowSize, OnGridEndRowSize),
    P(129, TExStringGrid::OnRowMove, OnGridRowMove),
    P(130, Grid::OnRowMoving, OnGridRowMoving),
    P(131, TExStringGrid::OnRowMoved, OnGridRowMoved),
    P(132, TExStringGrid::OnColumnMove, OnGridColumnMove),
    P(133, Grid::OnColumnMoving, OnGridColumnMoving),
    P(134, TExStringGrid::OnColumnMoved, OnGridColumnMoved),
    P(135, Grid::OnCustomCellDraw, OnGridCustomCellDraw),
    P(136, Grid::OnCustomCellBkgDraw, OnGridCustomCellBkgDraw),
    P(137, TExStringGrid::OnCellBalloon, OnGridCellBalloon),
    P(138, TExStringGrid::OnGetAlignment, OnGridGetAlignment),
    P(139, TExStringGrid::OnGetCellColor, OnGridGetCellColor),
    P(140, TExStringGrid::OnGetCellGradient, OnGridGetCellGradient),
    P(141, TExStringGrid::OnGetFloatFormat, OnGridGetFloatFormat),
    P(142, TExStringGrid::OnGetEditorType, OnGridGetEditorType),
    P(143, Grid::OnGetEditorProp, OnGridGetEditorProp),
    P(144, TExStringGrid::OnCanEditCell, OnGridCanEditCell),
    P(145, Grid::OnEllipsClick, OnGridEllipsClick),
    P(146, TExStringGrid::OnGetDisplText, OnGridGetDiplText),
    P(147, TExStringGrid::OnGetFormat, OnGridGetFormat),
    P(148, TExStringGrid::OnGridHint, OnGridHint),
    P(149, Grid::OnMouseMove, OnGridMouseMove),
    P(150, TExStringGrid::OnMouseDown, OnGridMouseDown),
    P(151, TExStringGrid::OnMouseUp, OnGridMouseUp),
    P(152, TExStringGrid::OnKeyDown, OnGridKeyDown),
    P(153, Grid::OnKeyUp, OnGridKeyUp),
    P(154, TExStringGrid::OnKeyPress, OnGridKeyPress),
    P(155, TExStringGrid::OnRightClickCell, OnGridRightClickCell),
    P(156, TExStringGrid::OnScrollHint, OnGridScrollHint),
    P(157, TExStringGrid::OnTopLeftChanged, OnGridTopLeftChanged),
    P(158, Grid::OnSearchEditChange, OnGridSearchEditChange),
    P(159, Grid::OnSpinClick, OnGridSpinClick),
    P(160, TExStringGrid::OnAutoAddRow, OnGridAutoAddRow),
    P(161, TExStringGrid::OnAutoInsertRow, OnGridInsertRow),
    P(162, TExStringGrid::OnAutoInsertCol, OnGridInsertCol),
    P(163, TExStringGrid::OnAutoDeleteRow, OnGridDeleteRow),
    P(164, TExStringGrid::OnCanAddRow, OnGridCanAddRow),
    P(165, TExStringGrid::OnCanInsertRow, OnGridCanInsertRow),
    P(166, TExStringGrid::OnCanDeleteRow, OnGridCanDeleteRow),
};
#undef P

TEST_F(GridDropDownWindow, ForwardingTable)
{
    ASSERT_EQ(std::size(kProbes), kGridForwarders.size());
    int slot = 114;
    for (const GridForwarder& f : kGridForwarders)
        EXPECT_EQ(f.Slot, slot++) << f.Forwarder;  // slots 114 to 166 in order

    // Every event armed before the opening (custom drawing attaches only then).
    std::array<int, 53> counts{};
    bool same = true;
    Open();
    Grid& g = *dd->GetGrid();
    for (size_t i = 0; i < kGridForwarders.size(); ++i) {
        const void* sender = kGridForwarders[i].Slot == 157 ? static_cast<const void*>(dd) : &g;
        kProbes[i].arm(*dd, sender, counts[i], same);
    }
    dd->HideDropDown(true);
    Open();
    same = true;  // the opening's own events carry the grid's real arguments
    for (size_t i = 0; i < kGridForwarders.size(); ++i) {
        const GridForwarder& f = kGridForwarders[i];
        counts[i] = 0;
        kProbes[i].fire(g);
        EXPECT_EQ(counts[i], f.Connected ? 1 : 0) << f.Forwarder;
        // Called directly (attached to another grid), every forwarder fires.
        Grid other;
        f.Attach(*dd, other);
        const int before = counts[i];
        if (f.Slot == 157) {
            other.OnTopLeftChanged(&other);
        } else {
            kProbes[i].arm(*dd, &other, counts[i], same);
            kProbes[i].fire(other);
        }
        EXPECT_EQ(counts[i], before + 1) << f.Forwarder;
        kProbes[i].arm(*dd, f.Slot == 157 ? static_cast<const void*>(dd) : &g, counts[i], same);
    }
    EXPECT_TRUE(same);  // the grid's sender and arguments arrive unchanged
    dd->HideDropDown(true);

    // Without a handler at the opening, custom drawing stays detached.
    dd->OnGridCustomCellDraw = nullptr;
    Open();
    EXPECT_FALSE(g.OnCustomCellDraw);
    EXPECT_TRUE(g.OnCustomCellBkgDraw);
    dd->HideDropDown(true);
}

TEST_F(GridDropDownWindow, ForwarderNotes)
{
    dd->Columns()[1].Alignment = grid::taRightJustify;
    dd->Columns()[1].Color = 0x123456;
    int calls = 0;
    dd->OnGridGetAlignment = [&](TExStringGrid*, int, int col, grid::TAlignment& h, grid::TVAlignment&) {
        if (col == 1)
            calls += h == grid::taRightJustify;  // the column's alignment comes first
    };
    dd->OnGridGetCellColor = [&](TExStringGrid*, int, int col, grid::TGridDrawState, grid::TBrush& brush,
                                 grid::TFont&) {
        if (col == 1)
            calls += brush.Color == 0x123456u;
    };
    dd->OnGridGetFloatFormat = [&](TExStringGrid*, int, int, bool&, QString& format) {
        calls += format.isEmpty();
    };
    Open();
    calls = 0;
    Grid& g = *dd->GetGrid();
    grid::TAlignment h = grid::taLeftJustify;
    grid::TVAlignment v{};
    g.OnGetAlignment(&g, 1, 1, h, v);
    grid::TBrush brush;
    grid::TFont font;
    g.OnGetCellColor(&g, 1, 1, {}, brush, font);
    bool isFloat = false;
    QString format = QStringLiteral("%.2f");
    g.OnGetFloatFormat(&g, 1, 1, isFloat, format);
    EXPECT_EQ(calls, 3);
    dd->HideDropDown(true);
}

}  // namespace
