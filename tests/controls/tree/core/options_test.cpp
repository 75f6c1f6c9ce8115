// The option sets: bit numbers, defaults and the setters' reactions on the tree and its view.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

class ReactingView : public FakeView {
public:
    std::vector<std::string> calls;
    bool styles = true;
    void RecreateWindow() override { calls.push_back("Recreate"); }
    void SetDropTargetRegistered(bool registered) override
    {
        calls.push_back(registered ? "RegisterDrop" : "RevokeDrop");
    }
    bool StyleServicesEnabled() const override { return styles; }
    void SetExplorerTheme(bool on) override { calls.push_back(on ? "Explorer" : "NoExplorer"); }
    void RebuildButtonImages() override { calls.push_back("Buttons"); }
    void RedrawWithFrame() override { calls.push_back("Frame"); }
};

} // namespace

TEST(Options, BitNumbersAndDefaults)
{
    struct Bits {
        const char* set;
        uint64_t value;
        uint64_t expected;
    };
    TestTree tree;
    const TCustomLazyTreeOptions& options = tree.TreeOptions();
    for (const Bits b : {
             Bits{"paint defaults", options.PaintOptions().Bits(), 0x1B60},
             Bits{"animation defaults", options.AnimationOptions().Bits(), 0},
             Bits{"auto defaults", options.AutoOptions().Bits(), 0x559},
             Bits{"selection defaults", options.SelectionOptions().Bits(), 0},
             Bits{"misc defaults", options.MiscOptions().Bits(), 0x41A9},
             Bits{"toShowFilteredNodes", TVTPaintOptions::Bit(toShowFilteredNodes), 1u << 22},
             Bits{"toAdvancedAnimatedToggle", TVTAnimationOptions::Bit(toAdvancedAnimatedToggle), 1u << 1},
             Bits{"toAutoBidiColumnOrdering", TVTAutoOptions::Bit(toAutoBidiColumnOrdering), 1u << 13},
             Bits{"toRestoreSelection", TVTSelectionOptions::Bit(toRestoreSelection), 1u << 11},
             Bits{"toReverseFullExpandHotKey", TVTMiscOptions::Bit(toReverseFullExpandHotKey), 1u << 16},
             Bits{"vsInitializing", TLazyNodeStates::Bit(vsInitializing), 1u << 16},
             Bits{"csMixedDisabled", csMixedDisabled, 8},
         })
        EXPECT_EQ(b.value, b.expected) << b.set;
    EXPECT_EQ(options.ExportMode(), emAll);
    EXPECT_EQ(sizeof(TVTPaintOptions), 4u);
    EXPECT_EQ(sizeof(TVTAnimationOptions), 1u);
    EXPECT_EQ(sizeof(TVTAutoOptions), 2u);
    EXPECT_EQ(sizeof(TVTSelectionOptions), 2u);
    EXPECT_EQ(sizeof(TVTMiscOptions), 4u);

    EXPECT_EQ(tree.Indent(), 18u);
    EXPECT_EQ(tree.Margin(), 4);
    EXPECT_EQ(tree.TextMargin(), 4);
    EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
    EXPECT_EQ(tree.AnimationDuration(), 200u);
    EXPECT_EQ(tree.EditDelay(), 1000u);
    EXPECT_EQ(tree.ChangeDelay(), 0u);
    EXPECT_EQ(tree.FocusedColumn(), NoColumn);
    EXPECT_EQ(tree.NodeAlignment(), naProportional);
}

TEST(Options, SettersReact)
{
    TestTree tree;
    ReactingView view;
    tree.SetView(&view);
    TCustomLazyTreeOptions& options = tree.TreeOptions();

    // Equal sets change nothing, not even a repaint.
    options.SetPaintOptions(options.PaintOptions());
    options.SetMiscOptions(options.MiscOptions());
    EXPECT_EQ(view.invalidations, 0);
    EXPECT_TRUE(view.calls.empty());

    auto paint = options.PaintOptions();
    paint.Exclude(toShowRoot);
    paint.Include(toFixedIndent);
    options.SetPaintOptions(paint);
    EXPECT_TRUE(options.PaintOptions().HasAll({toFixedIndent, toShowRoot}));

    auto misc = options.MiscOptions();
    misc.Exclude(toAcceptOLEDrop);
    misc.Exclude(toFullRepaintOnResize);
    options.SetMiscOptions(misc);
    misc.Include(toAcceptOLEDrop);
    options.SetMiscOptions(misc);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"RevokeDrop", "Recreate", "RegisterDrop"}));

    view.calls.clear();
    paint.Exclude(toThemeAware);
    options.SetPaintOptions(paint);
    EXPECT_FALSE(tree.TreeStates().Has(tsUseThemes));
    paint.Include(toThemeAware);
    options.SetPaintOptions(paint);
    EXPECT_TRUE(tree.TreeStates().Has(tsUseThemes));
    paint.Include(toUseExplorerTheme);
    options.SetPaintOptions(paint);
    EXPECT_TRUE(tree.TreeStates().Has(tsUseExplorerTheme));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"Buttons", "Frame", "Buttons", "Frame", "Explorer", "Buttons", "Frame"}));
}

TEST(Options, SelectionOptionsClearTheSelectionAndFocusColumn)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "a b", log);
    TCustomLazyTreeOptions& options = tree.TreeOptions();
    options.SetSelectionOptions({toMultiSelect});
    tree.SetSelected(Named(log, "a"), true);
    tree.SetSelected(Named(log, "b"), true);
    options.SetSelectionOptions({toMultiSelect, toCenterScrollIntoView});
    EXPECT_EQ(tree.SelectedCount(), 2u);
    options.SetSelectionOptions({toMultiSelect, toLevelSelectConstraint});
    EXPECT_EQ(tree.SelectedCount(), 0u);
    tree.SetSelected(Named(log, "a"), true);
    options.SetSelectionOptions({});
    EXPECT_EQ(tree.SelectedCount(), 0u);
}

TEST(Options, VariableHeightsReinitialiseTheNodes)
{
    TestTree tree;
    FakeView view;
    tree.SetView(&view);
    int reinits = 0;
    tree.OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& states) {
        if (states.Has(ivsReInit))
            ++reinits;
    };
    view.height = 30; // two rows shown, so two initialised
    tree.SetRootNodeCount(40);
    tree.GetLastChild(nullptr);
    int initialised = 0;
    for (PLazyNode n : AllNodes(tree))
        initialised += n->States.Has(vsInitialized);
    EXPECT_EQ(initialised, 3);
    auto misc = tree.TreeOptions().MiscOptions();
    misc.Include(toVariableNodeHeight);
    tree.TreeOptions().SetMiscOptions(misc);
    EXPECT_EQ(reinits, initialised);
}

TEST(Options, AssignCopiesTheSetsWithTheirReactions)
{
    TestTree source;
    TestTree target;
    EventLog log;
    BuildShape(target, "a b", log);
    target.TreeOptions().SetSelectionOptions({toMultiSelect});
    target.SetSelected(Named(log, "a"), true);
    target.SetFiltered(Named(log, "b"), true);
    target.TreeOptions().SetExportMode(emSelected);

    auto paint = source.TreeOptions().PaintOptions();
    paint.Include(toShowFilteredNodes);
    source.TreeOptions().SetPaintOptions(paint);
    source.TreeOptions().SetAnimationOptions({toAdvancedAnimatedToggle});
    source.TreeOptions().AssignTo(target.TreeOptions());
    EXPECT_EQ(target.TreeOptions().PaintOptions(), source.TreeOptions().PaintOptions());
    EXPECT_EQ(target.TreeOptions().AnimationOptions(), source.TreeOptions().AnimationOptions());
    EXPECT_EQ(target.TreeOptions().SelectionOptions(), TVTSelectionOptions{});
    EXPECT_EQ(target.TreeOptions().ExportMode(), emSelected);
    // The reactions ran on the receiving tree: selection cleared, the filtered node shown again.
    EXPECT_EQ(target.SelectedCount(), 0u);
    EXPECT_EQ(target.VisibleCount(), 2u);
    EXPECT_EQ(CheckInvariants(target), "");
}
