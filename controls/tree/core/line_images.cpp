// What a row's tree lines and check box look like, without pixels: the line type of every indentation level,
// the sibling tests it rests on, and the check image index.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>

namespace lazytree {

bool TBaseLazyTree::VisibleSiblingFollows(PLazyNode node) const
{
    for (PLazyNode n = node->NextSibling; n; n = n->NextSibling)
        if (GetEffectivelyVisible(n))
            return true;
    return false;
}

bool TBaseLazyTree::VisibleSiblingPrecedes(PLazyNode node) const
{
    for (PLazyNode n = node->PrevSibling; n; n = n->PrevSibling)
        if (GetEffectivelyVisible(n))
            return true;
    return false;
}

bool TBaseLazyTree::IsFirstShownChild(PLazyNode parent, PLazyNode node) const
{
    for (PLazyNode n = parent->FirstChild; n; n = n->NextSibling)
        if (GetEffectivelyVisible(n))
            return n == node;
    return false;
}

bool TBaseLazyTree::IsLastShownChild(PLazyNode parent, PLazyNode node) const
{
    for (PLazyNode n = parent->LastChild; n; n = n->PrevSibling)
        if (GetEffectivelyVisible(n))
            return n == node;
    return false;
}

int TBaseLazyTree::BuildLineImage(PLazyNode node, TLineImage& lineImage)
{
    const TVTPaintOptions paint = options_->PaintOptions();
    const bool showRoot = paint.Has(toShowRoot);
    const int levels = static_cast<int>(GetNodeLevel(node)) + (showRoot ? 1 : 0);
    lineImage.assign(static_cast<std::size_t>(std::max(levels, 0)), ltNone);
    int selected = 0;
    for (PLazyNode p = node->Parent; p && p != root_; p = p->Parent)
        if (p->States.Has(vsSelected))
            ++selected;
    if (!paint.Has(toShowTreeLines) || (paint.Has(toHideTreeLinesIfThemed) && states_.Has(tsUseThemes)))
        return selected;

    const int last = levels - 1;
    const bool topLevel = node->Parent == root_;
    if (!paint.Has(toChildrenAbove)) {
        if (!topLevel) {
            lineImage[last] = VisibleSiblingFollows(node) ? ltTopDownRight : ltTopRight;
            int index = last - 1;
            for (PLazyNode p = node->Parent; p != root_ && p->Parent != root_ && index >= 0; p = p->Parent, --index)
                lineImage[index] = VisibleSiblingFollows(p) ? ltTopDown : ltNone;
        }
        if (showRoot) {
            if (topLevel) {
                const bool isFirst = IsFirstShownChild(root_, node);
                const bool isLast = IsLastShownChild(root_, node);
                lineImage[0] = isFirst && isLast ? ltRight : isFirst ? ltBottomRight : isLast ? ltTopRight : ltTopDownRight;
            } else {
                PLazyNode top = node;
                while (top->Parent != root_)
                    top = top->Parent;
                lineImage[0] = VisibleSiblingFollows(top) ? ltTopDown : ltNone;
            }
        }
    } else {
        if (last >= 0) {
            const bool follows = VisibleSiblingFollows(node);
            if (VisibleSiblingPrecedes(node))
                lineImage[last] = topLevel && !follows ? ltTopRight : ltTopDownRight;
            else
                lineImage[last] = topLevel && !follows ? ltRight : ltBottomRight;
        }
        int index = last - 1;
        for (PLazyNode p = node->Parent; p != root_ && index >= 0; p = p->Parent, --index)
            lineImage[index] = VisibleSiblingPrecedes(p) ? ltTopDown : ltNone;
    }
    if (states_.Has(tsUseExplorerTheme) && node->States.Has(vsHasChildren) && last >= 0)
        lineImage[last] = ltNone;
    return selected;
}

int TBaseLazyTree::CheckImageIndexFor(
    PLazyNode node, TCheckType checkType, TCheckState checkState, bool enabled) const
{
    bool hot = false;
    if (node) {
        checkType = node->CheckType;
        checkState = node->CheckState;
        enabled = !node->States.Has(vsDisabled) && (!view_ || view_->Enabled());
        hot = node == currentHotNode_;
    }
    if (IsDisabledCheckState(checkState)) {
        checkState = EnabledForm[checkState];
        enabled = false;
    }
    if (checkType == ctTriStateCheckBox)
        checkType = ctCheckBox;
    if (checkType == ctNone)
        return -1;
    // Columns: normal, hot, pressed, disabled.
    int column = 0;
    if (!enabled)
        column = 3;
    else if (checkState == csUncheckedPressed || checkState == csCheckedPressed || checkState == csMixedPressed)
        column = 2;
    else if (hot)
        column = 1;
    const bool mixed = checkState == csMixedNormal || checkState == csMixedPressed;
    const bool checked = checkState == csCheckedNormal || checkState == csCheckedPressed;
    if (mixed)
        return 17 + column;
    switch (checkType) {
    case ctRadioButton:
        return (checked ? 5 : 1) + column;
    case ctCheckBox:
        return (checked ? 13 : 9) + column;
    case ctButton:
        return 21 + column;
    default:
        return -1;
    }
}

} // namespace lazytree
