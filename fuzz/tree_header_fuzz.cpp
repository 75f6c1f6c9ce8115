// Bytes as a header stream read into a header of a core tree. Reading ends with a tree error and the
// header unchanged, or with a header whose display order is a permutation, whose left edges add up, and
// which saves and reads back to an equal header.
#include "controls/tree/core/lazy_tree.h"
#include "controls/tree/core/tree_errors.h"
#include "controls/tree/core/tree_header.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace lazytree;

namespace {

class FixedView : public TreeView {
public:
    int ClientWidth() const override { return 300; }
    int ClientHeight() const override { return 200; }
    void Invalidate() override {}
    void InvalidateRect(const TRect&) override {}
    int SetScrollBar(TScrollBarKind, const ScrollBarState& state) override { return state.Position; }
};

void Check(const TVTHeader& header)
{
    const TLazyTreeColumns& columns = header.Columns();
    const std::vector<TColumnIndex>& order = columns.PositionToIndex();
    if (static_cast<int>(order.size()) != columns.Count())
        std::abort();
    std::vector<bool> seen(order.size(), false);
    int left = 0;
    for (std::size_t p = 0; p < order.size(); ++p) {
        const TColumnIndex index = order[p];
        if (index < 0 || index >= columns.Count() || seen[static_cast<std::size_t>(index)])
            std::abort();
        seen[static_cast<std::size_t>(index)] = true;
        const TLazyTreeColumn& c = columns[index];
        if (c.Position() != p || c.UnscrolledLeft() != left)
            std::abort();
        if (c.IsVisible())
            left += c.Width();
    }
    if (header.MainColumn() >= columns.Count() || header.SortColumn() >= columns.Count())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FixedView view;
    TBaseLazyTree tree;
    tree.SetView(&view);
    TVTHeader header(tree);
    tree.SetColumns(&header);
    header.Columns().Add().SetText(u"before");
    TMemoryStream before;
    header.SaveToStream(before);

    TReadOnlyMemoryStream stream(std::span<const uint8_t>(data, size));
    try {
        header.LoadFromStream(stream);
    } catch (const ELazyTreeError&) {
        TMemoryStream now;
        header.SaveToStream(now);
        if (now.Bytes() != before.Bytes())
            std::abort(); // a refused stream changed the header
        return 0;
    }
    Check(header);
    // What was read saves and reads back to the same header.
    TMemoryStream again;
    header.SaveToStream(again);
    again.Seek(0);
    TVTHeader copy(tree);
    copy.LoadFromStream(again);
    Check(copy);
    if (!copy.Columns().Equals(header.Columns()))
        std::abort();
    return 0;
}
