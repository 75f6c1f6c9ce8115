// The cell objects: attaching, querying and removing graphics, the check box,
// radio and expand logic, balloons, and what each kind takes on screen.
#include "controls/grid/core/ex_string_grid.h"
#include "qt_print.h"
#include "recording_view.h"

#include <limits>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// A payload that counts its destructions.
struct Counted : TObject
{
    static inline int freed = 0;
    ~Counted() override { ++freed; }
};

// A grid that records what the undo list would be told.
class UndoGrid : public TExStringGrid
{
public:
    struct Change
    {
        int col, row;
        QString value, orig;
        friend bool operator==(const Change&, const Change&) = default;
    };
    std::vector<Change> changes;
    void RegisterUndoChange(int col, int row, const QString& value, const QString& origValue) override
    {
        changes.push_back({col, row, value, origValue});
    }
};

} // namespace

TEST(CellObjects, DataCheckBoxKeepsItsStateInTheText)
{
    TExStringGrid g;
    g.SetCells(1, 1, QStringLiteral("Y"));
    g.AddCheckBox(1, 1, false, true);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Y")); // a check text stays whatever the state
    g.AddCheckBox(1, 2, false, true);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("N"));
    g.SetCells(1, 3, QStringLiteral("maybe"));
    g.AddCheckBox(1, 3, true, true);
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("Y"));
    g.SetCells(1, 3, QStringLiteral("maybe"));
    EXPECT_TRUE(g.ToggleCheckBox(1, 3)); // neither text: becomes the check-true text
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("Y"));
    EXPECT_TRUE(g.ToggleCheckBox(1, 3));
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("N"));
    EXPECT_TRUE(g.HasDataCheckBox(1, 2));
    EXPECT_TRUE(g.HasDataGraphic(1, 2));
    EXPECT_FALSE(g.IsChecked(2, 2)); // no check box at all

    const TCellGraphic* graphic = g.GetCellGraphic(1, 2);
    EXPECT_EQ(graphic->CellHAlign, haBeforeText);
    EXPECT_TRUE(graphic->CellTransparent);
    g.SetVAlignment(vtaBottom);
    g.AddCheckBox(2, 2, TCheckBoxState(cbGrayed));
    EXPECT_EQ(g.GetCellGraphic(2, 2)->CellVAlign, vaBottom);

    EXPECT_THROW(g.AddCheckBox(g.AllColCount(), 1, true, false), GridError);
    EXPECT_THROW(g.AddCheckBox(1, g.AllRowCount(), TCheckBoxState(cbChecked)), GridError);
    EXPECT_THROW(g.AddRadioButton(-1, 1, true), GridError);
    try {
        g.AddCheckBox(1, 99, true, false);
    } catch (const GridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid cell"));
    }
}

TEST(CellObjects, CheckBoxStatesByKind)
{
    TExStringGrid g;
    g.AddCheckBox(1, 1, true, false);
    g.AddCheckBox(2, 1, TCheckBoxState(cbGrayed));
    g.AddCheckBox(3, 1, false, true);
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_FALSE(g.GetCheckBoxState(2, 1, state)); // a three-state box has no plain state here
    TCheckBoxState tri = cbUnchecked;
    EXPECT_TRUE(g.GetCheckBoxState(2, 1, tri));
    EXPECT_EQ(tri, cbGrayed);
    EXPECT_TRUE(g.SetCheckBoxState(3, 1, true));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("Y"));
    EXPECT_FALSE(g.SetCheckBoxState(3, 1, TCheckBoxState(cbChecked)));
    EXPECT_TRUE(g.SetCheckBoxState(2, 1, TCheckBoxState(cbChecked)));
    EXPECT_FALSE(g.SetCheckBoxState(4, 1, true));

    // Three-state boxes cycle checked -> unchecked -> grayed -> checked.
    const TCheckBoxState cycle[] = {cbUnchecked, cbGrayed, cbChecked};
    for (TCheckBoxState expected : cycle) {
        EXPECT_TRUE(g.ToggleCheckBox(2, 1));
        g.GetCheckBoxState(2, 1, tri);
        EXPECT_EQ(tri, expected);
    }

    // A plain box reports its own flag while rows are hidden and the cell has
    // no properties of its own in the hidden-row data.
    g.AddCheckBox(1, 6, false, false);
    g.HideRow(2);
    EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(g.IsChecked(1, 1));

    // Row check boxes follow the row selection.
    g.MouseActions.SetHotmailRowSelect(true);
    EXPECT_EQ(g.GetCellType(0, 3), ctRowCheckBox);
    EXPECT_FALSE(g.IsChecked(0, 3));
}

TEST(CellObjects, ChangeEventsFireOnlyOnChange)
{
    TExStringGrid g;
    g.SetRowCount(4);
    for (int r = 1; r < 4; ++r)
        g.AddCheckBox(1, r, r == 2, false);
    g.AddCheckBox(2, 1, false, true);
    std::vector<std::pair<int, bool>> events;
    g.OnCheckBoxChange = [&](TExStringGrid*, int, int row, bool state) { events.push_back({row, state}); };
    g.CheckAll(1);
    EXPECT_EQ(events, (std::vector<std::pair<int, bool>>{{1, true}, {3, true}}));
    events.clear();
    g.UnCheckAll(1);
    EXPECT_EQ(events.size(), 3u);
    events.clear();
    EXPECT_TRUE(g.SetCheckBoxStateNotify(2, 1, false)); // "N" already
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(g.SetCheckBoxStateNotify(2, 1, true));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("Y"));
    EXPECT_EQ(events.size(), 1u);
    EXPECT_FALSE(g.SetCheckBoxStateNotify(3, 1, true));
}

TEST(CellObjects, ToggleTellsTheUndoListTheCellsRealTexts)
{
    UndoGrid g;
    TGridOptions options = g.Options();
    options.Include(goEditing);
    g.SetOptions(options);
    g.SetCells(1, 1, QStringLiteral("N"));
    g.AddCheckBox(1, 1, false, true);
    g.AddCheckBox(2, 1, false, false);
    g.SetCells(1, 2, QStringLiteral("odd"));
    g.AddCheckBox(1, 2, false, true);
    g.SetCells(1, 2, QStringLiteral("odd"));
    EXPECT_TRUE(g.ToggleCheckBoxEx(1, 1, true));
    EXPECT_TRUE(g.ToggleCheckBoxEx(1, 1, true));
    EXPECT_TRUE(g.ToggleCheckBoxEx(1, 2, true));
    EXPECT_TRUE(g.ToggleCheckBoxEx(2, 1, true));
    using C = UndoGrid::Change;
    EXPECT_EQ(g.changes, (std::vector<C>{{1, 1, "Y", "N"}, {1, 1, "N", "Y"}, {1, 2, "Y", "odd"}, {2, 1, "Y", "N"}}));

    // A refusal of the edit permission leaves the box, unless boxes are always active.
    g.OnCanEditCell = [](TExStringGrid*, int, int, bool& canEdit) { canEdit = false; };
    EXPECT_FALSE(g.ToggleCheckBoxEx(1, 1, true));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("N"));
    EXPECT_TRUE(g.ToggleCheckBoxEx(1, 1, false));
    g.ControlLook.CheckAlwaysActive = true;
    EXPECT_TRUE(g.ToggleCheckBoxEx(1, 1, true));
    EXPECT_FALSE(g.ToggleCheckBoxEx(3, 1, false)); // no box
}

TEST(CellObjects, KindSpecificChangesTouchOnlyTheirKind)
{
    TExStringGrid g;
    g.AddCheckBox(1, 1, true, false);
    g.AddButton(2, 1, 40, 18, QStringLiteral("Go"), haRight, vaCenter);
    g.AddExpand(3, 1, 60);
    auto* items = g.CreateRadio(4, 1, 1, 0);
    items->Lines = {"a", "b", "c"};

    // A radio index on a button would overwrite its packed size.
    EXPECT_FALSE(g.SetRadioIdx(2, 1, 7));
    EXPECT_EQ(g.GetCellGraphic(2, 1)->CellIndex, (18 << 16) | 40);
    // Pushing a check box would flip it.
    EXPECT_FALSE(g.PushButton(1, 1, false));
    EXPECT_TRUE(g.IsChecked(1, 1));
    EXPECT_TRUE(g.PushButton(2, 1, true));
    EXPECT_TRUE(g.GetCellGraphic(2, 1)->CellBoolean);
    // Expanding a check box would change its state variable.
    EXPECT_FALSE(g.ToggleExpand(1, 1));
    EXPECT_TRUE(g.ToggleExpand(3, 1));
    EXPECT_TRUE(g.GetExpandState(3, 1));
    EXPECT_EQ(g.GetExpandHeight(3, 1, true), 60);
    EXPECT_EQ(g.GetExpandHeight(3, 1, false), 22);
    // A balloon list stored in a button's graphic would be taken for a glyph.
    Counted::freed = 0;
    EXPECT_FALSE(g.AddBalloon(2, 1, QStringLiteral("t"), QStringLiteral("x"), biInfo));
    EXPECT_EQ(g.GetCellGraphic(2, 1)->CellBitmap.Object(), nullptr);
    QString title, text;
    TBalloonIcon icon = biNone;
    EXPECT_FALSE(g.IsBalloon(2, 1, title, text, icon));

    // On a check box the balloon attaches; the box stays a box.
    EXPECT_TRUE(g.AddBalloon(1, 1, QStringLiteral("Title"), QStringLiteral("Text"), biWarning));
    EXPECT_TRUE(g.IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(std::make_tuple(title, text, icon), std::make_tuple(QString("Title"), QString("Text"), biWarning));
    EXPECT_FALSE(g.HasBalloon(1, 1));
    EXPECT_TRUE(g.HasCheckBox(1, 1));
    g.RemoveBalloon(1, 1);
    EXPECT_FALSE(g.IsBalloon(1, 1, title, text, icon));
    EXPECT_TRUE(g.AddBalloon(5, 1, QStringLiteral("T"), QStringLiteral("X"), biError));
    EXPECT_TRUE(g.HasBalloon(5, 1));

    // Radio groups.
    int idx = -1;
    EXPECT_TRUE(g.SetRadioIdx(4, 1, 2));
    EXPECT_TRUE(g.GetRadioIdx(4, 1, idx));
    EXPECT_EQ(idx, 2);
    g.ToggleRadio(4, 1, false); // the last item wraps to the first
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("a"));
    EXPECT_TRUE(g.GetRadioIdx(4, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_TRUE(g.SetRadioIdx(4, 1, -1));
    EXPECT_TRUE(g.Cells(4, 1).isEmpty());
    g.SetCells(4, 1, QStringLiteral("b"));
    g.ToggleRadio(4, 1, false); // from the text's item
    EXPECT_EQ(g.Cells(4, 1), QStringLiteral("c"));
    EXPECT_FALSE(g.GetRadioIdx(2, 1, idx)); // a button is no radio group
}

TEST(CellObjects, BalloonIconIndexOutsideTheIconsShowsNone)
{
    // The icon lives in CellIndex, which other writers (streams, SetCellIndex
    // style code) can fill with anything.
    const struct
    {
        int stored;
        TBalloonIcon shown;
    } cases[] = {{0, biNone},  {1, biInfo},       {2, biWarning},         {3, biError},
                 {4, biNone},  {-1, biNone},      {1000, biNone},         {std::numeric_limits<int>::min(), biNone}};
    TExStringGrid g;
    ASSERT_TRUE(g.AddBalloon(1, 1, QStringLiteral("T"), QStringLiteral("X"), biInfo));
    for (const auto& c : cases) {
        g.GetCellGraphic(1, 1)->CellIndex = c.stored;
        QString title, text;
        TBalloonIcon icon = biWarning;
        ASSERT_TRUE(g.IsBalloon(1, 1, title, text, icon)) << c.stored;
        EXPECT_EQ(icon, c.shown) << c.stored;
        EXPECT_EQ(g.CellBalloon(1, 1).Icon, c.shown) << c.stored;
        EXPECT_EQ(g.CellBalloon(1, 1).Title, QStringLiteral("T")) << c.stored;
    }
}

TEST(CellObjects, RemovingAGraphicTellsWhetherOneWasThere)
{
    TExStringGrid g;
    g.SetCells(2, 2, QStringLiteral("text"));
    EXPECT_FALSE(g.RemoveCellGraphic(1, 1)); // no properties at all
    EXPECT_FALSE(g.RemoveCellGraphic(2, 2)); // properties, no graphic
    EXPECT_FALSE(g.RemoveCellGraphicOfType(2, 2, ctNone));

    g.AddProgress(1, 1, clRed, clBlue);
    EXPECT_FALSE(g.RemoveCellGraphicOfType(1, 1, ctComment));
    EXPECT_EQ(g.GetCellType(1, 1), ctProgress); // another kind stays
    EXPECT_TRUE(g.RemoveCellGraphicOfType(1, 1, ctProgress));
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
    EXPECT_FALSE(g.RemoveCellGraphicOfType(1, 1, ctProgress));

    g.AddComment(2, 2, QStringLiteral("note"));
    EXPECT_TRUE(g.RemoveCellGraphic(2, 2));
    EXPECT_FALSE(g.RemoveCellGraphic(2, 2));
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("text")); // the text is not the graphic's
}

TEST(CellObjects, AttachingAndRemovingByKind)
{
    TExStringGrid g;
    Counted::freed = 0;
    {
        Counted mine;
        g.AddPicture(1, 1, &mine, false, noStretch, 0, haLeft, vaTop);
        g.RemoveBitmap(1, 1); // not a bitmap: the picture stays
        EXPECT_EQ(g.GetPicture(1, 1), &mine);
        EXPECT_TRUE(g.HasPicture(1, 1));
        g.RemovePicture(1, 1);
        EXPECT_FALSE(g.HasPicture(1, 1));
    }
    EXPECT_EQ(Counted::freed, 1); // only the caller frees its object
    TBitmap* made = g.CreateBitmap(2, 1, true, haLeft, vaTop);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(g.GetBitmap(2, 1), made);
    g.AddIcon(2, 1, nullptr, haLeft, vaTop); // replaces and frees the made bitmap
    EXPECT_EQ(g.GetCellType(2, 1), ctIcon);

    // Image kinds need the grid's image list.
    g.AddImageIdx(3, 1, 4, haLeft, vaTop);
    EXPECT_EQ(g.GetCellType(3, 1), ctEmpty);
    TCustomImageList images;
    g.GridImages = &images;
    g.AddImageIdx(3, 1, 4, haLeft, vaTop);
    int idx = 0;
    EXPECT_TRUE(g.GetImageIdx(3, 1, idx));
    EXPECT_EQ(idx, 4);
    g.AddDataImage(3, 2, 6, haLeft, vaTop);
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("6"));
    g.RemoveDataImage(3, 2);
    EXPECT_TRUE(g.Cells(3, 2).isEmpty());

    // Angles come into 0 .. 360.
    const std::pair<int, int> angles[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {45, 45}};
    for (const auto& [in, out] : angles) {
        g.SetRotated(4, 1, in);
        int angle = -1;
        EXPECT_TRUE(g.IsRotated(4, 1, angle));
        EXPECT_EQ(angle, out) << in;
    }

    // Comments: set on an empty cell, replaced on a comment, left on others.
    g.SetComment(1, 5, QStringLiteral("first"));
    g.SetComment(1, 5, QStringLiteral("second"));
    EXPECT_EQ(g.GetComment(1, 5), QStringLiteral("second"));
    g.SetComment(4, 1, QStringLiteral("lost"));
    EXPECT_EQ(g.GetCellType(4, 1), ctRotated);
    g.RemoveAllComments();
    EXPECT_EQ(g.GetCellType(1, 5), ctEmpty);

    // Markers keep another graphic; removing them clears only the range.
    g.AddMarker(4, 1, 2, 3);
    int pos = 0, len = 0;
    g.GetMarker(4, 1, pos, len);
    EXPECT_EQ(std::make_pair(pos, len), std::make_pair(2, 3));
    g.RemoveMarker(4, 1);
    EXPECT_EQ(g.GetCellType(4, 1), ctRotated);
    g.AddMarker(6, 2, 1, 1);
    EXPECT_EQ(g.GetCellType(6, 2), ctEmpty);
    EXPECT_NE(g.GetCellGraphic(6, 2), nullptr);
    g.RemoveAllMarkers(); // column 6 is past ColCount: walked columns 0 .. ColCount-1 only
    EXPECT_NE(g.GetCellGraphic(6, 2), nullptr);

    // Progress kinds, shapes, scroll bars.
    g.AddProgressFormatted(1, 3, clRed, clBlack, clWhite, clBlue, QStringLiteral("%d%%"), 10, 90);
    const TCellGraphic* p = g.GetCellGraphic(1, 3);
    EXPECT_EQ(p->CellBitmap.Color(), clRed);
    EXPECT_EQ(p->CellIcon.Color(), clWhite);
    EXPECT_EQ(std::make_pair(p->CellErrFrom, p->CellErrLen), std::make_pair(10, 90));
    EXPECT_TRUE(p->CellBoolean);
    g.AddProgress(1, 4, clRed, clWhite);
    EXPECT_FALSE(g.GetCellGraphic(1, 4)->CellBoolean);
    EXPECT_TRUE(g.HasProgress(1, 4));
    g.AddShape(2, 3, 3, clLime, clBlack, haLeft, vaTop);
    EXPECT_EQ(g.GetShapeColor(2, 3), clLime);
    EXPECT_EQ(g.GetShapeColor(1, 3), clNone);
    g.AddScrollBar(3, 3, true);
    EXPECT_TRUE(g.HasAutoRangeScrollBar(3, 3));
    EXPECT_EQ(g.GetScrollProp(3, 3), QPoint(0, 100));
    EXPECT_EQ(g.GetScrollProp(2, 3), QPoint(-1, -1));
    EXPECT_EQ(g.GetScrollPosition(2, 3), -1);
}

TEST(CellObjects, RadioButtonColumns)
{
    TExStringGrid g;
    g.SetRowCount(5);
    g.AddRadioButtonColumn(2);
    g.SetRadioButtonColumnIndex(2, 3);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), 3);
    EXPECT_TRUE(g.ToggleRadioButton(2, 1, false));
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), 1);
    EXPECT_FALSE(g.IsRadioButtonChecked(2, 3));
    g.SetRadioButtonColumnIndex(2, -1);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), -1);
    EXPECT_FALSE(g.ToggleRadioButton(3, 1, false));
}

TEST(CellObjects, PointerInACheckBox)
{
    TExStringGrid g;
    g.AddCheckBox(1, 1, false, false);
    const QRect cell = g.CellRect(1, 1);
    EXPECT_TRUE(g.IsInCheckBox(1, 1, cell.right() - 1, cell.bottom() - 1)); // the whole cell counts
    g.MouseActions.PreciseCheckBoxCheck = true;
    const int size = g.ControlLook.CheckSize();
    // Where the painter puts the glyph: past the grid line, XYOffset - 1 and
    // one more pixel.
    const int left = cell.left() + g.GridLineWidth() + g.XYOffset().x();
    const int top = cell.top() + g.GridLineWidth() + g.XYOffset().y();
    EXPECT_TRUE(g.IsInCheckBox(1, 1, left, top));
    EXPECT_TRUE(g.IsInCheckBox(1, 1, left + size - 1, top + size - 1));
    EXPECT_FALSE(g.IsInCheckBox(1, 1, left + size, top));
    EXPECT_FALSE(g.IsInCheckBox(1, 1, left - 1, top));
    EXPECT_FALSE(g.IsInCheckBox(1, 1, left, top - 1));
    EXPECT_FALSE(g.IsInCheckBox(2, 1, left, top));
}

TEST(CellObjects, ExpandAndButtonRectangles)
{
    TExStringGrid g;
    g.AddExpand(2, 1, 40);
    const QRect cell = g.CellRect(2, 1);
    const QRect button = g.GetExpandButtonRect(2, 1);
    EXPECT_EQ(button.size(), QSize(11, 11));
    EXPECT_EQ(button.left(), cell.x() + cell.width() - 13);
    EXPECT_EQ(button.top(), cell.top() + 2);
    EXPECT_TRUE(g.GetExpandButtonRect(1, 1).isEmpty());
    g.AddButton(3, 1, 30, 12, QStringLiteral("b"), haLeft, vaFull);
    TCellGraphic* graphic = g.GetCellGraphic(3, 1);
    graphic->CellValue = (3 << 16) | 5;
    const QRect b = g.GetCellButtonRect(3, 1);
    const QRect c = g.CellRect(3, 1);
    EXPECT_EQ(b.left(), c.left() + 5);
    EXPECT_EQ(b.width(), 30);
    EXPECT_EQ(b.top(), c.top()); // vaFull: the whole height
    EXPECT_EQ(b.bottom(), c.bottom());
}
