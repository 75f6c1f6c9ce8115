#pragma once

// Where a header button's caption, glyph and sort glyph go, as a pure function of sizes.

#include "controls/tree/core/tree_header.h"
#include "controls/tree/core/tree_types.h"

namespace lazytree {

struct THeaderCellInput {
    TRect Client;               // the button's inner rectangle
    TSize Caption;              // measured caption (0 × 0 without caption)
    TSize Glyph;                // image or check box (0 × 0 without)
    TSize SortGlyph;            // (0 × 0 without)
    TAlignment Alignment = taLeftJustify; // the effective caption alignment
    TVTHeaderColumnLayout Layout = blGlyphLeft;
    int Margin = 4;
    int Spacing = 3;
    bool RightToLeft = false;
    bool ShiftGlyphLeft = true; // the glyph moves 2 pixels left (all but a main column without check box)
};

struct THeaderCellLayout {
    TRect TextBounds;
    TPoint GlyphPos;
    TPoint SortGlyphPos;
};

THeaderCellLayout LayoutHeaderCell(const THeaderCellInput& in);

// The button face of a header style: the edge drawn for a normal, hot or pressed button.
enum THeaderEdge { heNone, heRaised, heRaisedInner, heSunkenOuter };
struct THeaderEdgeStyle {
    THeaderEdge Edge;
    bool Soft;
    bool AllSides; // otherwise left, top and bottom (the right side by the right-border rule)
};
struct THeaderStyleEdges {
    THeaderEdgeStyle Normal, Pressed, Hot;
};
const THeaderStyleEdges& HeaderEdges(TVTHeaderStyle style);

} // namespace lazytree
