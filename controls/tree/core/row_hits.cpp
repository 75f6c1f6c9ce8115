// The in-row hit classification and the panning pointer choice.

#include "controls/tree/core/row_hits.h"

#include <cstdlib>

namespace lazytree {

void ClassifyRowHitLeftToRight(const TRowHitLayout& row, int x, int right, TAlignment alignment,
    const std::function<int()>& contentWidth, THitPositions& hits)
{
    if (row.MainColumn && x < row.Indent + row.Margin) {
        if (row.ShowButton) {
            if (x >= row.Indent - row.IndentStep)
                hits.Include(hiOnItemButton);
            if (x >= row.Indent - row.ButtonWidth)
                hits.Include(hiOnItemButtonExact);
        }
        return;
    }
    if (!row.MainColumn && row.ReportMode)
        return;
    int c = row.Indent + row.Margin;
    if (row.CheckArea)
        c += row.CheckWidth + 2;
    if (row.MainColumn && x < c) {
        // Only the check area gets here; the splitter flags go.
        hits = {hiOnItem, hiOnItemCheckbox};
        return;
    }
    if (row.StateWidth >= 0) {
        c += row.StateWidth + 2;
        if (x < c) {
            hits.Include(hiOnStateIcon);
            return;
        }
    }
    if (row.NormalWidth >= 0) {
        c += row.NormalWidth + 2;
        if (x < c) {
            hits.Include(hiOnNormalIcon);
            return;
        }
    }
    const int w = contentWidth();
    if (w > right - c) {
        hits.Include(hiOnItemLabel);
        return;
    }
    switch (alignment) {
    case taLeftJustify:
        hits.Include(x < c + w ? hiOnItemLabel : hiOnItemRight);
        break;
    case taRightJustify:
        hits.Include(x < right - w ? hiOnItemLeft : hiOnItemLabel);
        break;
    case taCenter: {
        const int l = (c + right - w) / 2;
        hits.Include(x < l ? hiOnItemLeft : x < l + w ? hiOnItemLabel : hiOnItemRight);
        break;
    }
    }
}

void ClassifyRowHitRightToLeft(const TRowHitLayout& row, int x, int right, TAlignment alignment,
    const std::function<int()>& contentWidth, THitPositions& hits)
{
    const int r = right - row.Indent;
    if (x >= r) {
        if (row.ShowButton) {
            if (x <= r + row.IndentStep)
                hits.Include(hiOnItemButton);
            if (x <= r + row.ButtonWidth)
                hits.Include(hiOnItemButtonExact);
        }
        return;
    }
    if (!row.MainColumn && row.ReportMode)
        return;
    int p = r - row.Margin;
    if (row.CheckArea)
        p -= row.CheckWidth + 2;
    if (row.MainColumn && x > p) {
        // The margin between indentation and content belongs to the content here.
        hits = {hiOnItem};
        if (row.CheckArea)
            hits.Include(hiOnItemCheckbox);
        return;
    }
    if (row.StateWidth >= 0) {
        p -= row.StateWidth + 2;
        if (x > p) {
            hits.Include(hiOnStateIcon);
            return;
        }
    }
    if (row.NormalWidth >= 0) {
        p -= row.NormalWidth + 2;
        if (x > p) {
            hits.Include(hiOnNormalIcon);
            return;
        }
    }
    const int w = contentWidth();
    if (w > p) {
        hits.Include(hiOnItemLabel);
        return;
    }
    switch (alignment) {
    case taLeftJustify: // mirrored: right-justified
        hits.Include(x < p - w ? hiOnItemLeft : hiOnItemLabel);
        break;
    case taCenter: {
        const int l = (p - w) / 2;
        hits.Include(x < l ? hiOnItemLeft : x < l + w ? hiOnItemLabel : hiOnItemRight);
        break;
    }
    case taRightJustify: // mirrored: left-justified
        hits.Include(x > w ? hiOnItemRight : hiOnItemLabel);
        break;
    }
}

TPanningCursor ChoosePanningCursor(int dx, int dy, bool wide, bool tall)
{
    const bool moved = std::abs(dx) > 7 || std::abs(dy) > 7;
    if (!moved) {
        if (!wide)
            return pcMoveNS;
        return tall ? pcMoveAll : pcMoveEW;
    }
    if (wide && tall) {
        if (dx < -8)
            return dy < -8 ? pcMoveNW : dy < 9 ? pcMoveW : pcMoveSW;
        if (dx < 9)
            return dy < 0 ? pcMoveN : pcMoveS;
        return dy < -8 ? pcMoveNE : dy < 9 ? pcMoveE : pcMoveSE;
    }
    if (wide)
        return dx < 0 ? pcMoveW : pcMoveE;
    return dy < 0 ? pcMoveN : pcMoveS;
}

TPanningImage ChoosePanningImage(bool wide, bool tall)
{
    if (wide && tall)
        return piMoveAll;
    return wide ? piMoveEW : piMoveNS;
}

} // namespace lazytree
