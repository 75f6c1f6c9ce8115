#include "controls/grid/core/size_follower.h"

#include "controls/grid/core/edit_lifecycle.h"

namespace grid {

void GridSizeFollower::TakeColumnSizes(int width)
{
    origSizes_.clear();
    for (int c = 0; c < g_.ColCount(); ++c)
        origSizes_.append(g_.ColWidths(c));
    oldSize_ = width;
}

bool GridSizeFollower::Sized(int width)
{
    if (oldSize_ > 0 && g_.ColumnSize.SynchWithGrid) {
        g_.Editing().HideInplaceEdit();
        // Exact: entry x width / old width, truncated (no floating error).
        const qint64 now = g_.BorderStyle() == bsSingle ? width + 2 : width;
        const bool normalOnly = g_.ColumnSize.SynchNormalCellsOnly;
        const int first = normalOnly ? g_.FixedCols() : 0;
        const int last = normalOnly ? g_.ColCount() - g_.FixedRightCols() - 1 : g_.ColCount() - 1;
        for (int c = first; c <= last && c < origSizes_.size(); ++c)
            g_.SetColWidths(c, static_cast<int>(origSizes_.at(c) * now / oldSize_));
    }
    const bool stretch =
        g_.ColumnSize.Stretch() && (g_.ScrollBarAlways == saNone || g_.ScrollBarAlways == saVert);
    if (!stretch)
        return false;
    g_.StretchColumn(g_.ColumnSize.StretchColumn);
    if (g_.ScrollBarAlways != saNone)
        return false;
    if (g_.OnResize)
        g_.OnResize(&g_);
    return true;
}

} // namespace grid
