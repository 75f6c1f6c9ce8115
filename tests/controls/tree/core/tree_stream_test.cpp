// The tree stream: exact bytes of small trees, round trips of random trees, hostile input, copying and
// moving between trees through node records, and the cut/copy marks.

#include "tree_fixture.h"

#include <cstring>
#include <random>

using namespace tree_test;

namespace {

// Little-endian byte building for expected streams.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& U8(uint8_t v)
    {
        b.push_back(v);
        return *this;
    }
    Bytes& U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }
    Bytes& I32(int64_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        return U16(uint16_t(u)).U16(uint16_t(u >> 16));
    }
    Bytes& Raw(std::initializer_list<uint8_t> raw)
    {
        b.insert(b.end(), raw);
        return *this;
    }
    Bytes& Add(const Bytes& other)
    {
        b.insert(b.end(), other.b.begin(), other.b.end());
        return *this;
    }
    std::size_t Size() const { return b.size(); }
};

Bytes Header(uint16_t version = 2)
{
    return Bytes().Raw({0x45, 0x20, 'V', 0, 'T', 0}).U16(version).Raw({0x20, 0x00, 0x46, 0x20});
}

// A version-2 base chunk without children.
Bytes BaseChunk(uint32_t states, uint32_t childCount = 0, uint32_t height = 18, int32_t size = 19)
{
    return Bytes().I32(2).I32(size).I32(childCount).I32(height).I32(states).U8(50).U8(0).U8(0).I32(0);
}

Bytes Anchor(const Bytes& body)
{
    return Bytes().I32(1).I32(static_cast<int32_t>(body.Size())).Add(body);
}

class StreamTree : public TestTree {
public:
    using TBaseLazyTree::LoadNodeSubtree;
    StreamTree()
    {
        SetNodeDataSize(sizeof(int32_t));
        auto selection = TreeOptions().SelectionOptions();
        selection.Include(toMultiSelect);
        TreeOptions().SetSelectionOptions(selection);
        // Each node's id travels as a 4-byte user chunk.
        OnSaveNode = [this](TBaseLazyTree*, PLazyNode node, TStream& stream) {
            if (saveIds)
                stream.WriteInt32(*GetNodeData<int32_t>(node));
        };
        OnLoadNode = [this](TBaseLazyTree*, PLazyNode node, TStream& stream) {
            uint8_t b[4];
            stream.ReadBuffer(b, 4);
            *GetNodeData<int32_t>(node) = static_cast<int32_t>(GetLE32(b));
        };
    }
    PLazyNode Add(PLazyNode parent, int32_t id)
    {
        PLazyNode n = AddChild(parent);
        *GetNodeData<int32_t>(n) = id;
        return n;
    }
    std::vector<uint8_t> Save(PLazyNode node = nullptr)
    {
        TMemoryStream stream;
        SaveToStream(stream, node);
        return stream.Bytes();
    }
    bool saveIds = true;
};

// Structure, ids and streamed fields of every node, in pre-order.
std::string Describe(StreamTree& tree)
{
    std::ostringstream out;
    for (PLazyNode n : AllNodes(tree)) {
        out << tree.GetNodeLevel(n) << ":" << *tree.GetNodeData<int32_t>(n) << "/" << std::hex
            << (n->States - TLazyNodeStates{vsAllChildrenHidden, vsOnFreeNodeCallRequired, vsHeightMeasured}).Bits() << std::dec
            << "/" << n->NodeHeight << "/" << int(n->Align) << "/" << int(n->CheckType) << int(n->CheckState) << " ";
    }
    return out.str();
}

int LoadCode(StreamTree& tree, const Bytes& bytes)
{
    TMemoryStream stream(bytes.b);
    try {
        tree.LoadFromStream(stream);
    } catch (const ELazyTreeError& e) {
        return e.HelpContext();
    }
    return 0;
}

} // namespace

TEST(TreeStream, ExactBytesOfSmallTrees)
{
    // Empty tree: the header and a record count of 0, then what OnSaveTree adds.
    {
        StreamTree tree;
        tree.OnSaveTree = [](TBaseLazyTree*, TStream& s) { s.WriteUInt16(0xBEEF); };
        EXPECT_EQ(tree.Save(), Header().I32(0).U16(0xBEEF).b);
    }
    // One node with a 4-byte user chunk and (string trees only) no caption: anchor 8 + base 27 + user 12.
    {
        StreamTree tree;
        PLazyNode a = tree.Add(nullptr, 0x44434241);
        a->States = {vsVisible, vsInitialized};
        const Bytes user = Bytes().I32(4).I32(4).Raw({0x41, 0x42, 0x43, 0x44});
        EXPECT_EQ(tree.Save(), Header().I32(1).Add(Anchor(BaseChunk(0x81).Add(user))).b);
        EXPECT_EQ(tree.Save().size(), 16u + 8 + 27 + 12);
    }
    // A parent with one child and no user data: the child's record sits inside the parent's base chunk.
    {
        StreamTree tree;
        tree.saveIds = false;
        PLazyNode p = tree.Add(nullptr, 1);
        PLazyNode c = tree.Add(p, 2);
        p->States = {vsVisible, vsInitialized, vsHasChildren, vsExpanded};
        c->States = {vsVisible, vsInitialized};
        const Bytes child = Anchor(BaseChunk(0x81));
        Bytes parentBase = BaseChunk(0x61 | 0x80, 1, 18, 19 + int32_t(child.Size()));
        parentBase.Add(child);
        EXPECT_EQ(tree.Save(p), Header().I32(1).Add(Anchor(parentBase)).b);
    }
}

TEST(TreeStream, TransientAndProcessBoundStatesNeverTravel)
{
    StreamTree tree;
    tree.saveIds = false;
    PLazyNode a = tree.Add(nullptr, 1);
    a->States = {vsVisible, vsInitialized, vsReleaseCallOnUserDataRequired, vsToggling, vsInitializing, vsChecking,
        vsCutOrCopy, vsDeleting, vsHeightMeasured};
    const std::vector<uint8_t> bytes = tree.Save();
    EXPECT_EQ(GetLE32(bytes.data() + 16 + 8 + 8 + 8), 0x81u);
    a->States = {vsVisible, vsInitialized};

    // Read side: a stream carrying them loads a node without them.
    const uint32_t hostile = 0x81 | (1u << vsReleaseCallOnUserDataRequired) | (1u << vsToggling)
        | (1u << vsInitializing) | (1u << vsTypedDataConstructed) | (1u << vsDeleting) | (1u << vsChecking);
    StreamTree target;
    EXPECT_EQ(LoadCode(target, Header().I32(1).Add(Anchor(BaseChunk(hostile)))), 0);
    ASSERT_EQ(target.RootNode()->ChildCount, 1u);
    EXPECT_EQ(target.RootNode()->FirstChild->States.Bits() & ~(1u << vsAllChildrenHidden), 0x81u);
    EXPECT_EQ(CheckInvariants(target), "");
}

TEST(TreeStream, RandomTreeRoundTrips)
{
    for (uint32_t seed : {1u, 7u, 42u}) {
        std::mt19937 rng(seed);
        StreamTree source;
        std::vector<PLazyNode> nodes{nullptr};
        int32_t id = 0;
        for (int i = 0; i < 300; ++i) {
            PLazyNode parent = nodes[rng() % nodes.size()];
            PLazyNode n = source.Add(parent, ++id);
            nodes.push_back(n);
            source.SetNodeHeight(n, 10 + int(rng() % 30));
            if (rng() % 4 == 0)
                source.SetCheckType(n, ctCheckBox);
            if (rng() % 5 == 0)
                source.SetSelected(n, true);
        }
        for (PLazyNode n : nodes)
            if (n && n->ChildCount > 0 && rng() % 2)
                source.SetExpanded(n, true);
        for (PLazyNode n : nodes)
            if (n && rng() % 7 == 0)
                source.SetVisible(n, false);
        ASSERT_EQ(CheckInvariants(source), "");

        StreamTree loaded;
        loaded.Add(nullptr, 999); // replaced by the load
        TMemoryStream stream(source.Save());
        loaded.LoadFromStream(stream);
        EXPECT_EQ(Describe(loaded), Describe(source)) << "seed " << seed;
        EXPECT_EQ(loaded.SelectedCount(), source.SelectedCount());
        EXPECT_EQ(loaded.VisibleCount(), source.VisibleCount());
        EXPECT_EQ(CheckInvariants(loaded), "") << "seed " << seed;
        // Saved again, the bytes are the same.
        EXPECT_EQ(loaded.Save(), source.Save());
    }
}

TEST(TreeStream, MalformedInputReportsItsCodeAndLeavesAConsistentTree)
{
    const Bytes good = Anchor(BaseChunk(0x81));
    Bytes badChildCount = BaseChunk(0xC1, 0x7FFFFFFF);
    Bytes chunkPastRecord = Bytes().I32(1).I32(8 + 19).I32(2).I32(40).I32(0).I32(18).I32(0x81).U8(50).U8(0).U8(0).I32(0);
    Bytes v1Selected = Bytes().I32(1).I32(8 + 12).I32(2).I32(12).I32(0).I32(18).U8(0x81).U8(50).U8(0).U8(0);
    const Bytes child = Anchor(BaseChunk(0x81));
    Bytes filteredParent = BaseChunk(0x80E1, 1, 18, 19 + int32_t(child.Size()));
    filteredParent = Anchor(filteredParent.Add(child));
    struct Case {
        const char* name;
        Bytes bytes;
        int code;
        bool headerFault; // the tree must stay as it was
        uint32_t loadedNodes;
    };
    const Case cases[] = {
        {"short stream", Bytes().Raw({0x45, 0x20, 'V', 0, 'T', 0, 2, 0, 0x20, 0}), hcTFStreamTooSmall, true, 0},
        {"wrong magic", Bytes().Raw({0x46, 0x20, 'V', 0, 'T', 0, 2, 0, 0x20, 0, 0x46, 0x20}).I32(0),
            hcTFWrongStreamFormat, true, 0},
        {"unknown version", Header(3).I32(0), hcTFWrongStreamVersion, true, 0},
        {"no anchor", Header().I32(1).Add(BaseChunk(0x81)), hcTFCorruptStream1, false, 1},
        {"data past the record's end",
            Header().I32(1).I32(1).I32(27 + 4).Add(BaseChunk(0x81)).I32(0), hcTFCorruptStream2, false, 1},
        {"unknown chunk skipped", Header().I32(1).Add(Anchor(BaseChunk(0x81).I32(7).I32(3).Raw({1, 2, 3}))), 0,
            false, 1},
        {"child count the bytes cannot hold", Header().I32(1).Add(Anchor(badChildCount)), hcTFStreamTooSmall, false,
            1},
        {"negative chunk size", Header().I32(1).Add(Anchor(Bytes().I32(7).I32(-5))), hcTFCorruptStream2, false, 1},
        {"chunk ending past its record", Header().I32(1).Add(chunkPastRecord), hcTFCorruptStream2, false, 1},
        {"record longer than the stream", Header().I32(1).I32(1).I32(1000).Add(BaseChunk(0x81)),
            hcTFStreamTooSmall, false, 1},
        {"truncated inside a record", Header().I32(2).Add(good).I32(1).I32(2), hcTFStreamTooSmall, false, 2},
        {"huge record count, one record", Header().I32(0x7FFFFFFF).Add(good), 0, false, 1},
        {"version-1 selected bit", Header(1).Add(v1Selected), 0, false, 1},
        {"filtered expanded parent: its child is still a row", Header().I32(1).Add(filteredParent), 0, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StreamTree tree;
        tree.Add(nullptr, 5);
        const std::string before = Snapshot(tree);
        EXPECT_EQ(LoadCode(tree, c.bytes), c.code);
        if (c.headerFault)
            EXPECT_EQ(Snapshot(tree), before);
        else
            EXPECT_EQ(tree.RootNode()->ChildCount, c.loadedNodes);
        EXPECT_EQ(CheckInvariants(tree), "");
    }
    // The version-1 state byte: bit 7 selects, the node is visible.
    StreamTree tree;
    ASSERT_EQ(LoadCode(tree, Header(1).Add(v1Selected)), 0);
    PLazyNode n = tree.RootNode()->FirstChild;
    EXPECT_TRUE(n->States.HasAll({vsSelected, vsVisible, vsInitialized}));
    EXPECT_EQ(tree.SelectedCount(), 1u);
}

TEST(TreeStream, DeepNestingAndUserChunkHandlersThatMisread)
{
    // Nesting is read without recursion; beyond kMaxStreamDepth levels it is refused as corrupt, since
    // deleting such a tree would recurse as deep.
    for (int depth : {kMaxStreamDepth - 1, kMaxStreamDepth + 50}) {
        Bytes stream = Header().I32(1);
        for (int level = depth; level > 0; --level) {
            const int32_t record = 35 * (level + 1) - 8; // this record's size after its anchor header
            stream.I32(1).I32(record).Add(BaseChunk(0x81 | 0x20 | 0x40, 1, 18, record - 8));
        }
        stream.Add(Anchor(BaseChunk(0x81)));
        StreamTree tree;
        const bool fits = depth < kMaxStreamDepth;
        EXPECT_EQ(LoadCode(tree, stream), fits ? 0 : hcTFCorruptStream2);
        if (fits) {
            EXPECT_EQ(tree.RootNode()->TotalCount, uint32_t(depth + 2));
        }
        EXPECT_EQ(tree.VisibleCount(), tree.RootNode()->TotalCount - 1);
        EXPECT_EQ(CheckInvariants(tree), "");
    }
    // A handler reading too little or too much: the next chunk and record still line up.
    for (int misread : {0, 2, 12}) {
        StreamTree tree;
        tree.OnLoadNode = [misread](TBaseLazyTree*, PLazyNode, TStream& s) {
            std::vector<uint8_t> sink(static_cast<std::size_t>(misread));
            s.Read(sink.data(), misread);
        };
        const Bytes user = Bytes().I32(4).I32(4).Raw({1, 2, 3, 4});
        const Bytes one = Anchor(BaseChunk(0x81).Add(user));
        EXPECT_EQ(LoadCode(tree, Header().I32(2).Add(one).Add(one)), 0) << misread;
        EXPECT_EQ(tree.RootNode()->ChildCount, 2u);
    }
}

TEST(TreeStream, AddFromStreamAndReadOnly)
{
    StreamTree source;
    PLazyNode a = source.Add(nullptr, 1);
    source.Add(a, 2);
    const std::vector<uint8_t> bytes = source.Save(a);

    StreamTree target;
    PLazyNode t = target.Add(nullptr, 10);
    TMemoryStream stream(bytes);
    target.AddFromStream(stream, t);
    ASSERT_EQ(t->ChildCount, 1u);
    EXPECT_EQ(*target.GetNodeData<int32_t>(t->FirstChild), 1);
    EXPECT_EQ(CheckInvariants(target), "");

    // A bad header leaves the tree unchanged.
    const std::string before = Snapshot(target);
    TMemoryStream bad(Header(9).I32(0).b);
    EXPECT_THROW(target.AddFromStream(bad, t), ELazyTreeError);
    EXPECT_EQ(Snapshot(target), before);

    auto misc = target.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    target.TreeOptions().SetMiscOptions(misc);
    TMemoryStream again(bytes);
    target.LoadFromStream(again);
    EXPECT_EQ(Snapshot(target), before);
}

TEST(TreeStream, CopyAndMoveAcrossTrees)
{
    StreamTree a, b;
    EventLog log;
    BuildShape(a, "P(x y z) Q", log);
    PLazyNode p = a.RootNode()->FirstChild;
    int32_t id = 0;
    for (PLazyNode n : AllNodes(a))
        *a.GetNodeData<int32_t>(n) = ++id; // P1 x2 y3 z4 Q5
    PLazyNode anchor = b.Add(nullptr, 100);

    // amInsertAfter links every copy right after the same target: the copies come out reversed.
    a.CopyTo(p, anchor, amInsertAfter, true);
    std::string order;
    for (PLazyNode n = b.RootNode()->FirstChild; n; n = n->NextSibling)
        order += std::to_string(*b.GetNodeData<int32_t>(n)) + " ";
    EXPECT_EQ(order, "100 4 3 2 ");
    EXPECT_EQ(a.RootNode()->TotalCount, 6u);

    // Moving the children into another tree leaves the source childless.
    a.MoveTo(p, b.RootNode(), amAddChildLast, true);
    EXPECT_EQ(p->ChildCount, 0u);
    EXPECT_EQ(b.RootNode()->ChildCount, 7u);
    // Moving a whole node.
    a.MoveTo(a.RootNode()->LastChild, &b, amAddChildFirst, false);
    EXPECT_EQ(*b.GetNodeData<int32_t>(b.RootNode()->FirstChild), 5);
    EXPECT_EQ(a.RootNode()->ChildCount, 1u);
    EXPECT_EQ(CheckInvariants(a), "");
    EXPECT_EQ(CheckInvariants(b), "");

    // A refused copy leaves nothing behind.
    a.OnNodeCopying = [](TBaseLazyTree*, PLazyNode, PLazyNode, bool& allowed) { allowed = false; };
    const uint32_t count = b.RootNode()->TotalCount;
    EXPECT_EQ(a.CopyTo(p, &b, amAddChildLast, false), nullptr);
    EXPECT_EQ(b.RootNode()->TotalCount, count);
}

TEST(TreeStream, CutCopySetAndInsertingRecords)
{
    StreamTree tree;
    EventLog log;
    BuildShape(tree, "A(a1 a2) B C", log);
    std::map<std::string, PLazyNode> n;
    for (auto& [node, name] : log.names)
        n[name] = node;
    for (const char* name : {"A", "a2", "C"})
        n[name]->States.Include(vsCutOrCopy);
    const auto names = [&](const TNodeArray& nodes) {
        std::string s;
        for (PLazyNode x : nodes)
            s += log.Name(x) + " ";
        return s;
    };
    EXPECT_EQ(names(tree.GetSortedCutCopySet(true)), "A C ");
    EXPECT_EQ(names(tree.GetSortedCutCopySet(false)), "A a2 C ");

    // Three records pasted after B keep their order (the target advances).
    TMemoryStream records;
    tree.WriteNodeRecords(records, {n["a1"], n["a2"], n["C"]});
    records.Seek(0);
    EXPECT_TRUE(tree.InsertNodeRecords(records, n["B"], amInsertAfter, crNodeAdded));
    EXPECT_EQ(tree.RootNode()->ChildCount, 6u);
    EXPECT_EQ(tree.RootNode()->FirstChild->NextSibling, n["B"]);
    EXPECT_EQ(CheckInvariants(tree), "");

    // A pending cut: finishing deletes the marked subtrees.
    tree.OnStateChange = nullptr;
    tree.ChangeTreeStates({tsCutPending}, {});
    tree.FinishCutOrCopy();
    EXPECT_EQ(tree.RootNode()->ChildCount, 4u);
    EXPECT_FALSE(tree.TreeStates().Has(tsCutPending));
    EXPECT_EQ(CheckInvariants(tree), "");
}
