// Bytes as a tree stream loaded into a core tree (with a user chunk reader that takes 4 bytes). Loading
// must end with a tree error or a tree whose counters, flags and selection match a recount.
#include "tests/controls/tree/core/tree_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace lazytree;

namespace {

class FuzzTree : public TBaseLazyTree {
public:
    using TBaseLazyTree::PositionCache;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzTree tree;
    tree.SetNodeDataSize(4);
    auto selection = tree.TreeOptions().SelectionOptions();
    selection.Set(toMultiSelect, size > 0 && (data[0] & 1));
    tree.TreeOptions().SetSelectionOptions(selection);
    tree.OnLoadNode = [](TBaseLazyTree* t, PLazyNode node, TStream& stream) {
        uint8_t b[4] = {};
        stream.Read(b, 4);
        *static_cast<FuzzTree*>(t)->GetNodeData<uint32_t>(node) = GetLE32(b);
    };
    tree.AddChild(nullptr);
    TReadOnlyMemoryStream stream(std::span<const uint8_t>(data, size));
    try {
        tree.LoadFromStream(stream);
    } catch (const ELazyTreeError&) {
    }
    const std::string fault = tree_test::CheckInvariants(tree);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s", fault.c_str());
        std::abort();
    }
    // What loaded saves again and loads back to the same shape.
    TMemoryStream again;
    tree.SaveToStream(again);
    again.Seek(0);
    FuzzTree copy;
    copy.SetNodeDataSize(4);
    copy.LoadFromStream(again);
    if (copy.RootNode()->TotalCount != tree.RootNode()->TotalCount)
        std::abort();
    return 0;
}
