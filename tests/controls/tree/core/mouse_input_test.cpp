// Mouse input on the core: the in-row classification at its pixel bounds, presses and releases on buttons,
// check boxes and labels, pending selections, a release that never came, and band selection.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

constexpr int kContentWidth = 40;

// Rows of 18 pixels in a 300 × 180 client area; 9-pixel buttons, 16-pixel check images.
struct MouseTree {
    TestTree tree;
    FakeView view;
    FakeMeasurer measurer;
    FakeClock clock{&tree};
    EventLog log;

    explicit MouseTree(const std::string& shape)
    {
        view.width = 300;
        view.height = 180;
        measurer.width = kContentWidth;
        measurer.images[isButtonImage] = {9, 9};
        measurer.images[isCheckImages] = {16, 16};
        tree.SetView(&view);
        tree.SetMeasurer(&measurer);
        tree.SetClock(&clock);
        BuildShape(tree, shape, log);
    }
    PLazyNode operator[](const std::string& name) const { return Named(log, name); }
    int RowY(const std::string& name) { return tree.GetDisplayRect(Named(log, name), NoColumn, false).Top + 5; }
    // Label x of a row: indentation, margin and (with check boxes) the check area.
    int LabelX(const std::string& name)
    {
        PLazyNode n = Named(log, name);
        int x = 18 * static_cast<int>(tree.GetNodeLevel(n) + 1) + 4;
        if (tree.TreeOptions().MiscOptions().Has(toCheckSupport) && n->CheckType != ctNone)
            x += 18;
        return x + 5;
    }
    void Click(const std::string& name, TShiftState modifiers = {})
    {
        const int x = LabelX(name);
        const int y = RowY(name);
        tree.MouseButtonDown(mbLeft, modifiers + TShiftState{ssLeft}, x, y);
        tree.MouseButtonUp(mbLeft, modifiers, x, y);
    }
    std::string Selected() const
    {
        std::string result;
        for (PLazyNode n : tree_test::AllNodes(tree))
            if (n->States.Has(vsSelected))
                result += (result.empty() ? "" : " ") + log.Name(n);
        return result;
    }
    void Options(TVTSelectionOptions selection, TVTMiscOptions addMisc = {})
    {
        tree.TreeOptions().SetSelectionOptions(selection);
        tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + addMisc);
    }
};

THitPositions Classify(const TRowHitLayout& row, int x, bool rightToLeft = false)
{
    THitPositions hits{hiOnItem};
    const auto width = [] { return kContentWidth; };
    if (rightToLeft)
        ClassifyRowHitRightToLeft(row, x, 300, taLeftJustify, width, hits);
    else
        ClassifyRowHitLeftToRight(row, x, 300, taLeftJustify, width, hits);
    return hits;
}

} // namespace

TEST(MouseInput, ClassifiesButtonCheckBoxImageAndLabelPixels)
{
    // A top-level row under toShowRoot: indentation 18, margin 4, check box 16, normal image 16, text 40.
    TRowHitLayout row;
    row.Indent = 18;
    row.ShowButton = true;
    row.CheckArea = true;
    row.CheckWidth = 16;
    row.NormalWidth = 16;
    const THitPositions item{hiOnItem};
    const THitPositions button = item + THitPositions{hiOnItemButton};
    const THitPositions exact = button + THitPositions{hiOnItemButtonExact};
    const THitPositions check{hiOnItem, hiOnItemCheckbox};
    const struct {
        int indent;
        int x;
        THitPositions expected;
    } cases[] = {
        {18, 0, button}, {18, 8, button}, {18, 9, exact}, {18, 21, exact}, {18, 22, check}, {18, 39, check},
        {18, 40, item + THitPositions{hiOnNormalIcon}}, {18, 57, item + THitPositions{hiOnNormalIcon}},
        {18, 58, item + THitPositions{hiOnItemLabel}}, {18, 97, item + THitPositions{hiOnItemLabel}},
        {18, 98, item + THitPositions{hiOnItemRight}},
        // One level deeper: the button is the last indent before the content; one indent further left, nothing.
        {36, 17, item}, {36, 18, button}, {36, 26, button}, {36, 27, exact}, {36, 39, exact},
    };
    for (const auto& c : cases) {
        row.Indent = c.indent;
        EXPECT_EQ(Classify(row, c.x).Bits(), c.expected.Bits()) << "indent " << c.indent << " x " << c.x;
    }

    // Right to left: the same elements mirrored; the margin beside the indentation belongs to the content.
    row.Indent = 18;
    const struct {
        bool checkArea;
        int x;
        THitPositions expected;
    } mirrored[] = {
        {true, 299, button}, {true, 292, button}, {true, 291, exact}, {true, 282, exact}, {true, 281, check},
        {true, 261, check}, {true, 260, item + THitPositions{hiOnNormalIcon}},
        {true, 242, item + THitPositions{hiOnItemLabel}}, {true, 202, item + THitPositions{hiOnItemLabel}},
        {true, 201, item + THitPositions{hiOnItemLeft}},
        {false, 281, item}, {false, 279, item}, {false, 278, item + THitPositions{hiOnNormalIcon}},
    };
    for (const auto& c : mirrored) {
        row.CheckArea = c.checkArea;
        EXPECT_EQ(Classify(row, c.x, true).Bits(), c.expected.Bits()) << "rtl x " << c.x;
    }
}

TEST(MouseInput, ButtonPressTogglesAndDoubleClickOnLabelTogglesOnce)
{
    MouseTree t("A(a1 a2) B");
    const int y = t.RowY("A");
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 12, y);
    t.tree.MouseButtonUp(mbLeft, {}, 12, y);
    EXPECT_TRUE(t.tree.GetExpanded(t["A"]));
    EXPECT_EQ(t.tree.FocusedNode(), nullptr) << "a button press moves no focus";

    // Press, release, double click, release on the label: toToggleOnDblClick collapses once.
    const int x = t.LabelX("A");
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, x, y);
    t.tree.MouseButtonUp(mbLeft, {}, x, y);
    t.tree.MouseButtonDoubleClick(mbLeft, {ssLeft}, x, y);
    t.tree.MouseButtonUp(mbLeft, {}, x, y);
    EXPECT_FALSE(t.tree.GetExpanded(t["A"]));
    EXPECT_EQ(t.tree.FocusedNode(), t["A"]);
    EXPECT_EQ(CheckInvariants(t.tree), "");
}

TEST(MouseInput, CheckPressCommitsOnTheSameRowRevertsElsewhereAndHonoursAVeto)
{
    MouseTree t("A B C");
    t.Options({}, {toCheckSupport});
    for (PLazyNode n : AllNodes(t.tree))
        t.tree.SetCheckType(n, ctCheckBox);
    int checkedEvents = 0;
    bool veto = false;
    t.tree.OnChecked = [&](TBaseLazyTree*, PLazyNode) { ++checkedEvents; };
    t.tree.OnChecking = [&](TBaseLazyTree*, PLazyNode, TCheckState&, bool& allowed) { allowed = !veto; };

    // Pressed: the box shows its pressed form; the release anywhere on the row commits.
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 30, t.RowY("A"));
    EXPECT_EQ(t["A"]->CheckState, csUncheckedPressed);
    EXPECT_TRUE(t.tree.TreeStates().Has(tsMouseCheckPending));
    t.tree.MouseButtonUp(mbLeft, {}, 200, t.RowY("A"));
    EXPECT_EQ(t["A"]->CheckState, csCheckedNormal);
    EXPECT_EQ(checkedEvents, 1);

    // Released on another row: the pressed form goes, the state stays.
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 30, t.RowY("B"));
    t.tree.MouseButtonUp(mbLeft, {}, 30, t.RowY("C"));
    EXPECT_EQ(t["B"]->CheckState, csUncheckedNormal);
    EXPECT_EQ(checkedEvents, 1);
    EXPECT_EQ(t.tree.CheckNode(), nullptr);

    // A veto keeps the box as it is; a right press never checks.
    veto = true;
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 30, t.RowY("C"));
    EXPECT_FALSE(t.tree.TreeStates().Has(tsMouseCheckPending));
    t.tree.MouseButtonUp(mbLeft, {}, 30, t.RowY("C"));
    EXPECT_EQ(t["C"]->CheckState, csUncheckedNormal);
    veto = false;
    t.tree.TreeOptions().SetSelectionOptions({toRightClickSelect});
    t.tree.MouseButtonDown(mbRight, {ssRight}, 30, t.RowY("C"));
    t.tree.MouseButtonUp(mbRight, {}, 30, t.RowY("C"));
    EXPECT_EQ(t["C"]->CheckState, csUncheckedNormal);
    EXPECT_EQ(checkedEvents, 1);
}

TEST(MouseInput, PressOnASelectedNodeKeepsTheSelectionUntilTheRelease)
{
    MouseTree t("A B C D");
    t.Options({toMultiSelect});
    t.tree.OnDragAllowed = [](TBaseLazyTree*, PLazyNode, TColumnIndex, bool& allowed) { allowed = true; };
    t.Click("A");
    t.Click("C", {ssShift});
    EXPECT_EQ(t.Selected(), "A B C");

    t.tree.MouseButtonDown(mbLeft, {ssLeft}, t.LabelX("B"), t.RowY("B"));
    EXPECT_EQ(t.Selected(), "A B C") << "a drag may still start";
    EXPECT_TRUE(t.tree.TreeStates().Has(tsOLEDragPending));
    t.tree.MouseButtonUp(mbLeft, {}, t.LabelX("B"), t.RowY("B"));
    EXPECT_EQ(t.Selected(), "B");
    EXPECT_EQ(t.tree.FocusedNode(), t["B"]);

    // Ctrl on a selected node toggles at the release, and not at all once a drag started.
    t.Click("D", {ssCtrl});
    EXPECT_EQ(t.Selected(), "B D");
    t.Click("D", {ssCtrl});
    EXPECT_EQ(t.Selected(), "B");
    t.Click("D", {ssCtrl});
    EXPECT_EQ(t.Selected(), "B D");
    t.tree.SetDragThreshold(5);
    const int x = t.LabelX("D");
    const int y = t.RowY("D");
    t.tree.MouseButtonDown(mbLeft, {ssLeft, ssCtrl}, x, y);
    t.tree.MouseMove({ssLeft, ssCtrl}, x + 4, y);
    EXPECT_EQ(t.view.drags, 0);
    t.tree.MouseMove({ssLeft, ssCtrl}, x + 5, y);
    EXPECT_EQ(t.view.drags, 1);
    t.tree.MouseButtonUp(mbLeft, {}, x + 5, y);
    EXPECT_EQ(t.Selected(), "B D");
    EXPECT_EQ(CheckInvariants(t.tree), "");
}

TEST(MouseInput, ANewPressAfterALostReleaseSelectsWithoutTheClearanceAssertion)
{
    MouseTree t("A B C");
    t.Options({toMultiSelect});
    t.tree.OnDragAllowed = [](TBaseLazyTree*, PLazyNode, TColumnIndex, bool& allowed) { allowed = true; };
    t.Click("A");
    t.Click("B", {ssCtrl});
    // The press on a selected node waits for its release, which a popup swallows.
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, t.LabelX("A"), t.RowY("A"));
    ASSERT_TRUE(t.tree.TreeStates().Has(tsClearPending));
    // The next press finds no button held any more.
    EXPECT_NO_THROW(t.tree.MouseButtonDown(mbLeft, {ssLeft}, t.LabelX("C"), t.RowY("C")));
    t.tree.MouseButtonUp(mbLeft, {}, t.LabelX("C"), t.RowY("C"));
    EXPECT_EQ(t.Selected(), "C");
    EXPECT_FALSE(t.tree.TreeStates().HasAny({tsClearPending, tsLeftButtonDown, tsOLEDragPending}));
    EXPECT_EQ(CheckInvariants(t.tree), "");
}

TEST(MouseInput, ShiftClickWithoutAnchorAnchorsAtTheFirstNodeAndCtrlUnderSiblingConstraintKeepsIt)
{
    MouseTree t("A B C");
    t.Options({toMultiSelect});
    t.tree.ApplyClickSelection(t["B"], {ssShift}, false);
    EXPECT_EQ(t.tree.RangeAnchor(), t["A"]);
    EXPECT_EQ(t.Selected(), "");

    t.Options({toMultiSelect, toSiblingSelectConstraint});
    t.tree.ApplyClickSelection(t["C"], {ssCtrl}, false);
    EXPECT_EQ(t.tree.RangeAnchor(), t["A"]);
    EXPECT_EQ(t.Selected(), "C");
}

TEST(MouseInput, BandSelectsWhatItCoversAndMovingBackRestores)
{
    MouseTree t("A B C D E F");
    t.Options({toMultiSelect});
    const int right = 150; // right of every label: a press there starts a band
    const auto press = [&](int y, TShiftState modifiers) {
        t.tree.MouseButtonDown(mbLeft, modifiers + TShiftState{ssLeft}, right, y);
    };

    // Without Ctrl the band decides alone: nodes leaving it are deselected.
    t.Click("F");
    press(5, {});
    EXPECT_TRUE(t.tree.TreeStates().Has(tsDrawSelPending));
    EXPECT_EQ(t.Selected(), "") << "a press on empty space clears the selection";
    t.tree.MouseMove({ssLeft}, 30, 60);
    EXPECT_TRUE(t.tree.TreeStates().Has(tsDrawSelecting));
    EXPECT_EQ(t.Selected(), "A B C D");
    t.tree.MouseMove({ssLeft}, 30, 20);
    EXPECT_EQ(t.Selected(), "A B");
    t.tree.MouseButtonUp(mbLeft, {}, 30, 20);
    EXPECT_FALSE(t.tree.IsMouseSelecting());
    EXPECT_EQ(t.Selected(), "A B");

    // With Ctrl the band toggles what it sweeps and gives back what it leaves.
    t.Click("B");
    t.Click("D", {ssCtrl});
    EXPECT_EQ(t.Selected(), "B D");
    press(t.RowY("A"), {ssCtrl});
    t.tree.MouseMove({ssLeft, ssCtrl}, 30, t.RowY("E"));
    EXPECT_EQ(t.Selected(), "A C E");
    t.tree.MouseMove({ssLeft, ssCtrl}, 30, t.RowY("B"));
    EXPECT_EQ(t.Selected(), "A D");
    t.tree.MouseMove({ssLeft, ssCtrl}, right, t.RowY("A"));
    EXPECT_EQ(t.Selected(), "B D");
    t.tree.MouseButtonUp(mbLeft, {}, right, t.RowY("A"));
    EXPECT_EQ(CheckInvariants(t.tree), "");
}

TEST(MouseInput, BandStepMeasuresOnlyWhereWidthsMatterAndStaysInsideTheContent)
{
    MouseTree t("A B C D");
    t.Options({toMultiSelect});
    // A press in the indentation left of every text: the band never reaches a text's right end.
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 5, 5);
    t.measurer.measured = 0;
    t.tree.MouseMove({ssLeft}, 12, 70);
    EXPECT_EQ(t.Selected(), "");
    EXPECT_EQ(t.measurer.measured, 0) << "left-justified texts right of both bands need no width";
    // Dragged far outside: the free corner stays within the client area and the content.
    t.tree.MouseMove({ssLeft}, 5000, 5000);
    const TRect band = t.tree.NewSelRect();
    EXPECT_EQ(band.Right, 300);
    EXPECT_EQ(band.Bottom, 180);
    EXPECT_EQ(t.Selected(), "A B C D");
    t.tree.MouseMove({ssLeft}, -50, -50);
    EXPECT_EQ(t.tree.NewSelRect().Right, 0);
    EXPECT_EQ(t.tree.NewSelRect().Bottom, 0);
    t.tree.MouseButtonUp(mbLeft, {}, -50, -50);

    // No nodes: no band step changes anything.
    MouseTree empty("");
    empty.Options({toMultiSelect});
    empty.tree.MouseButtonDown(mbLeft, {ssLeft}, 5, 5);
    empty.tree.MouseMove({ssLeft}, 100, 100);
    EXPECT_EQ(empty.tree.SelectedCount(), 0u);
}

TEST(MouseInput, FocusLossClearsThePendingStatesAndTimers)
{
    MouseTree t("A B C");
    t.tree.SetIncrementalSearch(isAll);
    t.view.focused = true;
    int key = 'B';
    t.tree.KeyDown(key, {});
    t.tree.KeyPress(U'b');
    ASSERT_TRUE(t.tree.TreeStates().Has(tsIncrementalSearching));
    ASSERT_TRUE(t.clock.Running(SearchTimer));
    t.tree.MouseButtonDown(mbLeft, {ssLeft}, 150, 5);
    t.tree.FocusLost();
    EXPECT_FALSE(t.tree.TreeStates().HasAny({tsIncrementalSearching, tsLeftButtonDown, tsEditPending}));
    EXPECT_FALSE(t.clock.Running(SearchTimer));
    EXPECT_TRUE(t.tree.SearchBuffer().empty());
}
