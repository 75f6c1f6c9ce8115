#pragma once
#include "controls/grid/core/ex_string_grid.h"

#include <QList>

namespace grid {

// What a grid does when its window changes width: with
// ColumnSize.SynchWithGrid the columns keep their share of the width they
// were taken at; with ColumnSize.Stretch the stretch column takes up what
// the others leave, and OnResize follows.
class GridSizeFollower
{
public:
    explicit GridSizeFollower(TExStringGrid& grid) : g_(grid) {}

    // The width of every column now, as the base of proportional sizing at
    // this grid width.
    void TakeColumnSizes(int width);
    bool HasColumnSizes() const { return oldSize_ > 0; }
    // The grid's width became width (its client area already follows).
    // True when the stretch column was stretched (OnResize fired).
    bool Sized(int width);

private:
    TExStringGrid& g_;
    int oldSize_ = 0;
    QList<int> origSizes_;
};

} // namespace grid
