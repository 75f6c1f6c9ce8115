// Bytes as a tree-data transfer payload (length word, then node records) pasted after a node of a core
// tree, the way a paste or a drop from another process inserts it. The tree must stay consistent.
#include "tests/controls/tree/core/tree_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
    PLazyNode a = tree.AddChild(nullptr);
    tree.AddChild(a);
    tree.AddChild(nullptr);
    const auto records = DecodeTreePayload(std::span<const uint8_t>(data, size));
    if (!records)
        return 0;
    TReadOnlyMemoryStream stream(*records);
    const TVTNodeAttachMode mode = size > 4 ? TVTNodeAttachMode(1 + data[4] % 4) : amInsertAfter;
    try {
        tree.InsertNodeRecords(stream, a, mode, crNodeAdded);
    } catch (const ELazyTreeError&) {
    }
    const std::string fault = tree_test::CheckInvariants(tree);
    if (!fault.empty()) {
        std::fprintf(stderr, "%s", fault.c_str());
        std::abort();
    }
    return 0;
}
