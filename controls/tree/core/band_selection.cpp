// The band selection step (band rectangle and the nodes whose inclusion changed), the selection rule of a
// click with modifier keys, whether automatic scrolling may run, and the right-to-left content offset.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>

namespace lazytree {

namespace {

// Whether a node's content span meets a band rectangle.
bool BandMeets(const TRect& band, int left, int right, int top, int bottom)
{
    return right >= band.Left && left <= band.Right && band.Top < bottom && top < band.Bottom;
}

} // namespace

// A node that entered or left the band: toggled with the modifier, else taken or dropped.
void TBaseLazyTree::ChangeBandMember(PLazyNode node, bool inNew, bool toggle)
{
    if (toggle ? !node->States.Has(vsSelected) : inNew)
        AppendToTempCache(node);
    else
        MarkDeselected(node);
}

bool TBaseLazyTree::UpdateBandRect(int x, int y)
{
    if (states_.Has(tsDrawSelecting))
        lastSelRect_ = newSelRect_;
    newSelRect_.Right = std::max(0, x + effectiveOffsetX_);
    newSelRect_.Bottom = std::max(0, y - offsetY_);
    newSelRect_.Right = std::min(newSelRect_.Right, std::max(ClientWidth(), static_cast<int>(rangeX_)));
    newSelRect_.Bottom = std::min(newSelRect_.Bottom, std::max(ClientHeight(), static_cast<int>(rangeY_)));
    return !(lastSelRect_ == newSelRect_);
}

bool TBaseLazyTree::UpdateBandSelection()
{
    bool result = false;
    if (root_->TotalCount > 1 && states_.Has(tsDrawSelecting)) {
        const TRect newRect = NormalizedRect(newSelRect_);
        const TRect oldRect = NormalizedRect(lastSelRect_);
        ResetTempNodeCache();
        const TColumnIndex mainColumn = Header().MainColumn();
        TAlignment alignment = alignment_;
        TBiDiMode bidi = biDiMode_;
        if (mainColumn >= 0) {
            alignment = Header().Alignment(mainColumn);
            bidi = Header().BiDiMode(mainColumn);
        }
        int left = 0;
        int right = ClientWidth();
        if (Header().UseColumns() && mainColumn >= 0) {
            int columnLeft, columnRight;
            Header().GetColumnBounds(mainColumn, columnLeft, columnRight);
            left = columnLeft - effectiveOffsetX_;
            right = left + Header().ColumnWidth(mainColumn);
        }
        if (bidi == bdLeftToRight)
            result = SelectInBandLeftToRight(mainColumn, left, newRect, oldRect, alignment, right);
        else
            result = SelectInBandRightToLeft(mainColumn, left, newRect, oldRect, alignment, right);
    }
    if (result) {
        CompactSelection();
        if (tempNodeCount_ != 0) {
            IncludeNodesInSelection(tempNodeCache_, tempNodeCount_, false);
            ResetTempNodeCache();
        }
        NotifyChange(nullptr);
    }
    return result;
}

bool TBaseLazyTree::SelectInBandLeftToRight(TColumnIndex mainColumn, int left, const TRect& newRect,
    const TRect& oldRect, TAlignment alignment, int right)
{
    const TVTPaintOptions paint = options_->PaintOptions();
    const auto& selection = options_->SelectionOptions();
    const int maxY = std::max(newRect.Bottom, oldRect.Bottom);
    const bool toggle = drawSelShiftState_.Has(ssCtrl);
    const TSize check = ImageSize(isCheckImages);
    const int checkWidth = options_->MiscOptions().Has(toCheckSupport) && check.cx > 0 ? check.cx + 2 : 0;
    const TSize state = ImageSize(isStateImages);
    const int stateWidth = state.cx > 0 ? state.cx + 2 : 0;
    const TSize normal = ImageSize(isNormalImages);
    const bool span = Header().UseColumns() && options_->AutoOptions().Has(toAutoSpanColumns);
    const bool simple = selection.Has(toSimpleDrawSelection);
    const bool fullRow = simple || selection.Has(toFullRowSelect);

    int nodeTop = 0;
    PLazyNode node = GetNodeAt(0, std::min(oldRect.Top, newRect.Top), false, nodeTop);
    if (!node)
        return false;
    int x = left + margin_ + static_cast<int>(indent_) *
        static_cast<int>(GetNodeLevel(node) + (paint.Has(toShowRoot) ? 1 : 0));
    bool result = false;
    for (;;) {
        int textLeft = x;
        if (checkWidth > 0 && node->CheckType != ctNone)
            textLeft += checkWidth;
        if (normal.cx > 0 && NodeHasImage(node, ikNormal, mainColumn))
            textLeft += normal.cx + 2;
        if (stateWidth > 0 && NodeHasImage(node, ikState, mainColumn))
            textLeft += stateWidth;
        const int nodeBottom = nodeTop + node->NodeHeight;
        bool inOld, inNew;
        if (fullRow) {
            const auto inRow = [&](const TRect& r) {
                return r.Top < nodeBottom && nodeTop < r.Bottom &&
                    (!Header().UseColumns() || r.Left < Header().TotalWidth()) && x < r.Right;
            };
            inOld = inRow(oldRect);
            inNew = inRow(newRect);
        } else {
            int nodeRight = right;
            if (span) {
                TColumnIndex c = mainColumn;
                for (;;) {
                    const TColumnIndex next = Header().NextVisibleColumn(c);
                    if (next < 0 || !FireGetCellIsEmpty(node, next) || Header().BiDiMode(next) != bdLeftToRight)
                        break;
                    c = next;
                }
                if (c != mainColumn) {
                    int l, r;
                    Header().GetColumnBounds(c, l, r);
                    nodeRight = r;
                }
            }
            int nodeLeft = textLeft;
            if (!(textLeft >= oldRect.Left && textLeft >= newRect.Left && alignment == taLeftJustify)) {
                const int w = NodeContentWidth(node, mainColumn);
                if (w < nodeRight - textLeft) {
                    switch (alignment) {
                    case taLeftJustify:
                        nodeRight = textLeft + w;
                        break;
                    case taCenter:
                        nodeLeft = (textLeft + nodeRight - w) / 2;
                        nodeRight = nodeLeft + w;
                        break;
                    case taRightJustify:
                        nodeLeft = nodeRight - w;
                        break;
                    }
                }
            }
            inOld = BandMeets(oldRect, nodeLeft, nodeRight, nodeTop, nodeBottom);
            inNew = BandMeets(newRect, nodeLeft, nodeRight, nodeTop, nodeBottom);
        }
        if (inOld != inNew) {
            result = true;
            ChangeBandMember(node, inNew, toggle);
        }
        nodeTop = nodeBottom;
        PLazyNode next = GetNextVisibleNoInit(node, true);
        if (!next)
            break;
        x += LevelDifference(node, next) * static_cast<int>(indent_);
        node = next;
        if (nodeTop > maxY)
            break;
    }
    return result;
}

bool TBaseLazyTree::SelectInBandRightToLeft(TColumnIndex mainColumn, int left, const TRect& newRect,
    const TRect& oldRect, TAlignment alignment, int right)
{
    const TVTPaintOptions paint = options_->PaintOptions();
    const auto& selection = options_->SelectionOptions();
    const int maxY = std::max(newRect.Bottom, oldRect.Bottom);
    const bool toggle = drawSelShiftState_.Has(ssCtrl);
    const TSize check = ImageSize(isCheckImages);
    const int checkWidth = options_->MiscOptions().Has(toCheckSupport) && check.cx > 0 ? check.cx + 2 : 0;
    const TSize state = ImageSize(isStateImages);
    const int stateWidth = state.cx > 0 ? state.cx + 2 : 0;
    const TSize normal = ImageSize(isNormalImages);
    const bool span = Header().UseColumns() && options_->AutoOptions().Has(toAutoSpanColumns);
    const bool simple = selection.Has(toSimpleDrawSelection);
    if (alignment == taLeftJustify)
        alignment = taRightJustify;
    else if (alignment == taRightJustify)
        alignment = taLeftJustify;

    int nodeTop = 0;
    PLazyNode node = GetNodeAt(0, std::min(oldRect.Top, newRect.Top), false, nodeTop);
    if (!node)
        return false;
    int x = right - (margin_ + static_cast<int>(indent_) *
        static_cast<int>(GetNodeLevel(node) + (paint.Has(toShowRoot) ? 1 : 0)));
    bool result = false;
    for (;;) {
        int textRight = x;
        if (checkWidth > 0 && node->CheckType != ctNone)
            textRight -= checkWidth;
        if (normal.cx > 0 && NodeHasImage(node, ikNormal, mainColumn))
            textRight -= normal.cx + 2;
        if (stateWidth > 0 && NodeHasImage(node, ikState, mainColumn))
            textRight -= stateWidth;
        const int nodeBottom = nodeTop + node->NodeHeight;
        bool inOld, inNew;
        if (simple) {
            inOld = oldRect.Top < nodeBottom && nodeTop < oldRect.Bottom;
            inNew = newRect.Top < nodeBottom && nodeTop < newRect.Bottom;
        } else {
            int nodeLeft = left;
            if (span) {
                TColumnIndex c = mainColumn;
                for (;;) {
                    const TColumnIndex previous = Header().PreviousVisibleColumn(c);
                    if (previous < 0 || !FireGetCellIsEmpty(node, previous) ||
                        Header().BiDiMode(previous) == bdLeftToRight)
                        break;
                    c = previous;
                }
                if (c != mainColumn) {
                    int l, r;
                    Header().GetColumnBounds(c, l, r);
                    nodeLeft = l;
                }
            }
            int nodeRight = textRight;
            if (!(oldRect.Right >= textRight && newRect.Right >= textRight && alignment == taRightJustify)) {
                const int w = NodeContentWidth(node, mainColumn);
                if (w < textRight - nodeLeft) {
                    switch (alignment) {
                    case taLeftJustify:
                        nodeRight = nodeLeft + w;
                        break;
                    case taCenter:
                        nodeLeft = (textRight + nodeLeft - w) / 2;
                        nodeRight = nodeLeft + w;
                        break;
                    case taRightJustify:
                        nodeLeft = textRight - w;
                        break;
                    }
                }
            }
            inOld = BandMeets(oldRect, nodeLeft, nodeRight, nodeTop, nodeBottom);
            inNew = BandMeets(newRect, nodeLeft, nodeRight, nodeTop, nodeBottom);
        }
        if (inOld != inNew) {
            result = true;
            ChangeBandMember(node, inNew, toggle);
        }
        nodeTop = nodeBottom;
        PLazyNode next = GetNextVisibleNoInit(node, true);
        if (!next)
            break;
        x -= LevelDifference(node, next) * static_cast<int>(indent_);
        node = next;
        if (nodeTop > maxY)
            break;
    }
    return result;
}

void TBaseLazyTree::ApplyClickSelection(PLazyNode newNode, TShiftState shift, bool autoDrag)
{
    if (shift.Has(ssCtrl)) {
        if (shift.Has(ssShift)) {
            SelectRange(rangeAnchor_, newNode, true);
        } else {
            if (!options_->SelectionOptions().Has(toSiblingSelectConstraint))
                rangeAnchor_ = newNode;
            if (autoDrag)
                ChangeTreeStates({tsToggleFocusedSelection}, {});
            else if (newNode->States.Has(vsSelected))
                RemoveFromSelection(newNode);
            else
                AddToSelection(newNode);
        }
        Invalidate();
    } else if (shift.Has(ssShift)) {
        if (!rangeAnchor_) {
            rangeAnchor_ = root_->FirstChild;
        } else {
            SelectRange(rangeAnchor_, newNode, false);
            Invalidate();
        }
    } else {
        if (!newNode->States.Has(vsSelected)) {
            AddToSelection(newNode);
            InvalidateNode(newNode);
        }
        rangeAnchor_ = newNode;
    }
}

bool TBaseLazyTree::AutoScrollAllowed() const
{
    const bool wheel = states_.HasAny({tsWheelPanning, tsWheelScrolling});
    const bool band = states_.HasAny({tsDrawSelPending, tsDrawSelecting});
    return (options_->AutoOptions().Has(toAutoScroll) || wheel) &&
        (band || IsDropTarget() || states_.Has(tsVCLDragging) || wheel);
}

int TBaseLazyTree::RightToLeftOffset(bool excludeScrollBar) const
{
    const TScrollStyle bars = scrollBarOptions_.ScrollBars;
    const bool barShown = ClientHeight() < static_cast<int>(rangeY_) && (bars == ssVertical || bars == ssBoth);
    const int barWidth = view_ ? view_->VerticalScrollBarWidth() : 0;
    const int bar = barShown ? barWidth : 0;
    const int headerWidth = ClientWidth();
    const int offset = headerWidth >= static_cast<int>(rangeX_) + bar ? headerWidth - static_cast<int>(rangeX_) : bar;
    return excludeScrollBar && barShown ? offset - barWidth : offset;
}

} // namespace lazytree
