#pragma once

// Which part of a row a point hits (expand button, check box, images, label or the space beside it), as
// pure functions of the row's layout. The tree's hit test fills the layout for the hit node and calls them;
// x is relative to the cell's left edge and right is the cell's width.

#include "controls/tree/core/tree_types.h"

#include <functional>

namespace lazytree {

struct TRowHitLayout {
    bool MainColumn = true;
    int Indent = 0;         // pixels of indentation before the row's elements (0 outside the main column)
    int IndentStep = 18;    // the tree's Indent
    int Margin = 4;
    bool ShowButton = false; // toShowButtons and a node with children
    int ButtonWidth = 9;    // width of the plus-button image
    bool ReportMode = false; // toReportMode: other columns are plain cells
    bool CheckArea = false; // main column, toCheckSupport, check images and a node with a check type
    int CheckWidth = 0;
    int StateWidth = -1;    // the node's state image, -1 without one
    int NormalWidth = -1;   // the node's normal image, -1 without one
};

// The content width is asked only when the answer depends on it.
void ClassifyRowHitLeftToRight(const TRowHitLayout& row, int x, int right, TAlignment alignment,
    const std::function<int()>& contentWidth, THitPositions& hits);
void ClassifyRowHitRightToLeft(const TRowHitLayout& row, int x, int right, TAlignment alignment,
    const std::function<int()>& contentWidth, THitPositions& hits);

// The pointer shown while wheel panning: (dx, dy) from the panning centre; wide and tall tell whether the
// content is wider and taller than the client area.
TPanningCursor ChoosePanningCursor(int dx, int dy, bool wide, bool tall);
TPanningImage ChoosePanningImage(bool wide, bool tall);

} // namespace lazytree
