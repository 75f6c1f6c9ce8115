// Check boxes: vetoes, tri-state propagation, radio exclusion, read-only trees and uninitialised nodes.

#include "tree_fixture.h"

using namespace tree_test;

namespace {

const char* StateName(TCheckState s)
{
    static const char* const kNames[] = {"unchecked", "unchecked-pressed", "checked", "checked-pressed", "mixed",
        "mixed-pressed", "unchecked-disabled", "checked-disabled", "mixed-disabled"};
    return kNames[s];
}

struct CheckCase {
    const char* name;
    const char* shape;
    // Prepares types and states; the log is cleared afterwards.
    std::function<void(TestTree&, EventLog&)> setup;
    std::string vetoed; // OnChecking refuses this node
    std::function<void(TestTree&, EventLog&)> action;
    const char* events;
    const char* states; // name=state for every node, in tree order
};

PLazyNode N(const EventLog& log, const char* name)
{
    return Named(log, name);
}

void TriState(TestTree& tree, EventLog& log)
{
    tree.ValidateNode(nullptr, true);
    tree.SetCheckType(N(log, "P"), ctTriStateCheckBox);
    tree.SetCheckType(N(log, "c1"), ctCheckBox);
    tree.SetCheckType(N(log, "c2"), ctCheckBox);
}

} // namespace

TEST(CheckStates, Table)
{
    const std::vector<CheckCase> cases = {
        {"checking a tri-state parent checks its children", "P(c1 c2)", TriState, "",
            [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "P"), csCheckedNormal); },
            "Checking(P) Checking(c1) Checked(c1) Checking(c2) Checked(c2) Checked(P)",
            "P=checked c1=checked c2=checked"},
        {"a child's veto leaves the parent mixed", "P(c1 c2)", TriState, "c2",
            [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "P"), csCheckedNormal); },
            "Checking(P) Checking(c1) Checked(c1) Checking(c2) Checked(P)", "P=mixed c1=checked c2=unchecked"},
        {"checking one of two children makes the parent mixed", "P(c1 c2)", TriState, "",
            [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "c1"), csCheckedNormal); },
            "Checking(c1) Checking(P) Checked(P) Checked(c1)", "P=mixed c1=checked c2=unchecked"},
        {"unchecking the last checked child unchecks the parent", "P(c1 c2)",
            [](TestTree& t, EventLog& log) {
                TriState(t, log);
                t.SetCheckState(N(log, "c1"), csCheckedNormal);
            },
            "", [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "c1"), csUncheckedNormal); },
            "Checking(c1) Checking(P) Checked(P) Checked(c1)", "P=unchecked c1=unchecked c2=unchecked"},
        {"a parent's veto holds back the child's own event", "P(c1 c2)", TriState, "P",
            [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "c1"), csCheckedNormal); },
            "Checking(c1) Checking(P)", "P=unchecked c1=checked c2=unchecked"},
        {"a radio button unchecks its radio siblings silently", "R(r1 r2 r3 x)",
            [](TestTree& t, EventLog& log) {
                t.ValidateNode(nullptr, true);
                for (const char* name : {"r1", "r2", "r3"})
                    t.SetCheckType(N(log, name), ctRadioButton);
                t.SetCheckType(N(log, "x"), ctCheckBox);
                t.SetCheckState(N(log, "x"), csCheckedNormal);
                t.SetCheckState(N(log, "r1"), csCheckedNormal);
            },
            "", [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "r3"), csCheckedNormal); },
            "Checking(r3) Checked(r3)", "R=unchecked r1=unchecked r2=unchecked r3=checked x=checked"},
        {"a read-only tree asks nobody and changes nothing", "P(c1 c2)",
            [](TestTree& t, EventLog& log) {
                TriState(t, log);
                auto misc = t.TreeOptions().MiscOptions();
                misc.Include(toReadOnly);
                t.TreeOptions().SetMiscOptions(misc);
            },
            "",
            [](TestTree& t, EventLog& log) {
                t.SetCheckState(N(log, "c1"), csCheckedNormal);
                t.SetCheckType(N(log, "c2"), ctRadioButton);
            },
            "", "P=unchecked c1=unchecked c2=unchecked"},
        {"an uninitialised node is initialised between asking and telling", "u", nullptr, "",
            [](TestTree& t, EventLog& log) { t.SetCheckState(N(log, "u"), csCheckedNormal); },
            "Checking(u) Init(u) Checked(u)", "u=checked"},
        {"a disabled node and an unchanged state do nothing", "d e",
            [](TestTree& t, EventLog& log) { t.SetDisabled(N(log, "d"), true); }, "",
            [](TestTree& t, EventLog& log) {
                t.SetCheckState(N(log, "d"), csCheckedNormal);
                t.SetCheckState(N(log, "e"), csUncheckedNormal);
            },
            "", "d=unchecked e=unchecked"},
        {"a check box child takes over its tri-state parent's decided state", "P(c1)",
            [](TestTree& t, EventLog& log) {
                t.ValidateNode(nullptr, true);
                t.SetCheckType(N(log, "P"), ctTriStateCheckBox);
                t.SetCheckState(N(log, "P"), csCheckedNormal);
            },
            "", [](TestTree& t, EventLog& log) { t.SetCheckType(N(log, "c1"), ctCheckBox); },
            "Checking(c1) Checking(P) Checked(c1)", "P=checked c1=checked"},
    };
    for (const CheckCase& c : cases) {
        TestTree tree;
        EventLog log;
        BuildShape(tree, c.shape, log);
        tree.OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode node, TLazyNodeInitStates&) {
            log.Add("Init(" + log.Name(node) + ")");
        };
        if (c.setup)
            c.setup(tree, log);
        tree.OnChecking = [&](TBaseLazyTree*, PLazyNode node, TCheckState&, bool& allowed) {
            log.Add("Checking(" + log.Name(node) + ")");
            if (log.Name(node) == c.vetoed)
                allowed = false;
        };
        tree.OnChecked = [&](TBaseLazyTree*, PLazyNode node) { log.Add("Checked(" + log.Name(node) + ")"); };
        log.Clear();
        c.action(tree, log);
        EXPECT_EQ(log.Joined(), c.events) << c.name;
        std::string states;
        for (PLazyNode n : AllNodes(tree))
            states += (states.empty() ? "" : " ") + log.Name(n) + "=" + StateName(n->CheckState);
        EXPECT_EQ(states, c.states) << c.name;
        EXPECT_FALSE(tree.TreeStates().Has(tsCheckPropagation)) << c.name;
    }
}

TEST(CheckStates, TypesAndBulkOperations)
{
    TestTree tree;
    EventLog log;
    BuildShape(tree, "a b c d", log);
    tree.SetCheckType(N(log, "a"), ctTriStateCheckBox);
    tree.SetCheckState(N(log, "a"), csMixedNormal);
    tree.SetCheckType(N(log, "a"), ctCheckBox);
    EXPECT_EQ(N(log, "a")->CheckState, csUncheckedNormal);

    N(log, "b")->CheckState = csCheckedDisabled;
    tree.SetCheckStateForAll(csCheckedNormal, false, true);
    EXPECT_EQ(N(log, "b")->CheckState, csCheckedDisabled);
    EXPECT_EQ(N(log, "c")->CheckState, csCheckedNormal);
    EXPECT_EQ(tree.CheckedCount(), 3u);
    N(log, "d")->CheckState = csCheckedPressed;
    EXPECT_EQ(tree.CheckedCount(), 2u);
    EXPECT_EQ(tree.UpdateCount(), 0u);

    // Clearing reaches disabled check states too (only disabled nodes are exempt).
    tree.SetDisabled(N(log, "c"), true);
    tree.ClearChecked();
    for (PLazyNode n : AllNodes(tree))
        EXPECT_EQ(n->CheckState, n == N(log, "c") ? csCheckedNormal : csUncheckedNormal) << log.Name(n);
}

TEST(CheckStates, MappingsAreTotal)
{
    // Toggling twice returns every enabled state to itself; the disabled ones never move.
    for (int s = 0; s < kCheckStateCount; ++s) {
        const auto state = static_cast<TCheckState>(s);
        if (IsDisabledCheckState(state)) {
            EXPECT_EQ(ToggledForm[s], state);
            EXPECT_FALSE(IsDisabledCheckState(EnabledForm[s]));
        } else if (state != csMixedNormal && state != csMixedPressed) {
            EXPECT_EQ(ToggledForm[ToggledForm[s]], state);
        }
        EXPECT_EQ(NormalForm[PressedForm[s]], NormalForm[s]);
    }
}
