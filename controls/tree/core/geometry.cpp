// Nodes to pixels and back: display rectangles, the node at a height, hit tests, ranges and scroll bars,
// scrolling into view, invalidation and the properties that change the layout.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>

namespace lazytree {

namespace {

TAlignment Mirrored(TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify:
        return taRightJustify;
    case taRightJustify:
        return taLeftJustify;
    default:
        return alignment;
    }
}

} // namespace

void TBaseLazyTree::GetColumnBounds(TColumnIndex column, int& left, int& right) const
{
    if (column < 0) {
        left = 0;
        right = ClientWidth();
    } else {
        Header().GetColumnBounds(column, left, right);
    }
}

// ---- Display rectangle -----------------------------------------------------------------------------------

TRect TBaseLazyTree::GetDisplayRect(
    PLazyNode node, TColumnIndex column, bool textOnly, bool unclipped, bool applyCellContentMargin)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    TreeAssert(node != root_, "Node must not be the hidden root node.");
    const bool mainColumn = column == NoColumn || column == Header().MainColumn();
    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    TRect result;
    if (!GetEffectivelyVisible(node))
        return result;

    // The visible path is checked also under a fixed indent (a node below a collapsed parent has no row).
    const bool fixedIndent = options_->PaintOptions().Has(toFixedIndent);
    int indent = 0;
    for (PLazyNode cur = node; cur != root_; cur = cur->Parent) {
        if (!cur->States.Has(vsVisible))
            return result;
        PLazyNode parent = cur->Parent;
        if (!parent->States.Has(vsExpanded))
            return result;
        if (mainColumn && parent != root_ && !fixedIndent)
            indent += static_cast<int>(indent_);
    }

    uint32_t top = 0;
    ValidateCacheIfQueued();
    PLazyNode start = states_.Has(tsUseCache) ? CacheLookupByNode(node, top) : nullptr;
    if (start) {
        for (PLazyNode n = start; n && n != node; n = GetNextVisibleNoInit(n, true))
            top += n->NodeHeight;
    } else {
        top = 0;
        for (PLazyNode n = GetPreviousVisibleNoInit(node, true); n; n = GetPreviousVisibleNoInit(n, true))
            top += n->NodeHeight;
    }

    const int treeWidth = std::max(ClientWidth(), static_cast<int>(rangeX_));
    result = {0, static_cast<int>(top), treeWidth, static_cast<int>(top) + node->NodeHeight};
    if (column >= 0) {
        int left, right;
        GetColumnBounds(column, left, right);
        result.Left = left;
        result.Right = right - 1;
        result.Top += offsetY_;
        result.Bottom += offsetY_;
    } else {
        result.Left -= effectiveOffsetX_;
        result.Right -= effectiveOffsetX_;
        result.Top += offsetY_;
        result.Bottom += offsetY_;
    }
    if (!textOnly)
        return result;

    int offset = margin_ + indent;
    TBiDiMode bidi = biDiMode_;
    TAlignment alignment = alignment_;
    if (column >= 0) {
        bidi = Header().BiDiMode(column);
        alignment = Header().Alignment(column);
    }
    if (mainColumn) {
        if (options_->PaintOptions().Has(toShowRoot))
            offset += static_cast<int>(indent_);
        const TSize check = ImageSize(isCheckImages);
        if (options_->MiscOptions().Has(toCheckSupport) && check.cx > 0 && node->CheckType != ctNone)
            offset += check.cx + 2;
    }
    const TSize state = ImageSize(isStateImages);
    if (state.cx > 0 && NodeHasImage(node, ikState, column))
        offset += state.cx + 2;
    const TSize normal = ImageSize(isNormalImages);
    if (normal.cx > 0 && NodeHasImage(node, ikNormal, column))
        offset += normal.cx + 2;
    if (bidi == bdLeftToRight) {
        result.Left += offset;
    } else {
        result.Right -= offset;
        alignment = Mirrored(alignment);
    }
    const int textWidth = NodeContentWidth(node, column);
    const int cellHeight = result.Bottom - result.Top;
    if (applyCellContentMargin)
        FireBeforeCellPaint(
            measurer_ ? measurer_->Canvas() : nullptr, node, column, cpmGetContentMargin, result, result);
    if (unclipped) {
        if (result.Right - result.Left < textWidth - 1)
            alignment = bidi == bdLeftToRight ? taLeftJustify : taRightJustify;
        const int textHeight = std::min(FontHeight(), cellHeight);
        const int delta = textHeight - (result.Bottom - result.Top);
        if (delta > 0) {
            result.Top -= (delta + 1) / 2;
            result.Bottom += (delta + 1) / 2;
        }
        switch (alignment) {
        case taRightJustify:
            result.Left = result.Right - textWidth;
            break;
        case taCenter:
            result.Left = (result.Left + result.Right - textWidth) / 2;
            result.Right = result.Left + textWidth;
            break;
        case taLeftJustify:
            result.Right = result.Left + textWidth - 1;
            break;
        }
    } else if (textWidth < result.Right - result.Left) {
        switch (alignment) {
        case taRightJustify:
            result.Left = result.Right - textWidth;
            break;
        case taCenter:
            result.Left = (result.Left + result.Right - textWidth) / 2;
            result.Right = result.Left + textWidth;
            break;
        case taLeftJustify:
            result.Right = result.Left + textWidth;
            break;
        }
    }
    return result;
}

// ---- Node at a point and hit tests -----------------------------------------------------------------------

PLazyNode TBaseLazyTree::GetNodeAt(int x, int y, bool relative, int& nodeTop)
{
    if (y < 0)
        y = 0;
    int64_t position = y;
    if (relative)
        position -= offsetY_;
    uint32_t top = 0;
    ValidateCacheIfQueued();
    PLazyNode node = states_.Has(tsUseCache) ? CacheLookupByPosition(static_cast<uint32_t>(position), top) : nullptr;
    if (!node) {
        node = GetFirstVisibleNoInit(nullptr, true, false);
        top = 0;
    }
    while (node) {
        if (static_cast<int64_t>(top) + node->NodeHeight > position) {
            nodeTop = relative ? static_cast<int>(top) + offsetY_ : static_cast<int>(top);
            return node;
        }
        top += node->NodeHeight;
        node = GetNextVisibleNoInit(node, true);
    }
    return nullptr;
}

PLazyNode TBaseLazyTree::GetNodeAt(int x, int y)
{
    int ignored = 0;
    return GetNodeAt(x, y, true, ignored);
}

void TBaseLazyTree::GetHitTestInfoAt(int x, int y, bool relative, THitInfo& hitInfo)
{
    hitInfo = THitInfo{};
    if (x < 0)
        hitInfo.HitPositions.Include(hiToLeft);
    else if (x > std::max(ClientWidth(), static_cast<int>(rangeX_)))
        hitInfo.HitPositions.Include(hiToRight);
    if (y < 0)
        hitInfo.HitPositions.Include(hiAbove);
    else if (y > std::max(ClientHeight(), static_cast<int>(rangeY_)))
        hitInfo.HitPositions.Include(hiBelow);
    if (relative) {
        if (x >= Header().VisibleFixedWidth())
            x += effectiveOffsetX_;
        y -= offsetY_;
    }
    hitInfo.HitPoint = {x, y};
    if (!hitInfo.HitPositions.Empty())
        return;

    int nodeTop = 0;
    hitInfo.HitNode = GetNodeAt(x, y, false, nodeTop);
    if (!hitInfo.HitNode) {
        hitInfo.HitPositions.Include(hiNowhere);
        return;
    }
    if (!hitInfo.HitNode->States.Has(vsInitialized))
        InitializeNode(hitInfo.HitNode);

    int left = 0;
    int right;
    if (Header().UseColumns()) {
        hitInfo.HitColumn = Header().ColumnAtWithBounds(hitInfo.HitPoint.X, left, right, !relative);
        if (options_->AutoOptions().Has(toAutoSpanColumns)) {
            const TColumnIndex first = hitInfo.HitColumn;
            while (hitInfo.HitColumn >= 0 && FireGetCellIsEmpty(hitInfo.HitNode, hitInfo.HitColumn)) {
                const TColumnIndex previous = Header().PreviousVisibleColumn(hitInfo.HitColumn);
                if (previous < 0)
                    break;
                hitInfo.HitColumn = previous;
                left -= Header().ColumnWidth(previous);
            }
            for (TColumnIndex next = first >= 0 ? Header().NextVisibleColumn(first) : InvalidColumn;
                 next >= 0 && FireGetCellIsEmpty(hitInfo.HitNode, next); next = Header().NextVisibleColumn(next))
                right += Header().ColumnWidth(next);
        }
        x -= left;
        right -= left;
    } else {
        hitInfo.HitColumn = NoColumn;
        right = std::max(ClientWidth(), static_cast<int>(rangeX_));
    }
    if (hitInfo.HitColumn == InvalidColumn) {
        hitInfo.HitPositions.Include(hiNowhere);
        return;
    }
    hitInfo.HitPositions = {hiOnItem};
    if (options_->MiscOptions().Has(toNodeHeightResize)) {
        const TRect r = GetDisplayRect(hitInfo.HitNode, hitInfo.HitColumn, false, false, false);
        if (y <= r.Top - offsetY_ + 1)
            hitInfo.HitPositions.Include(hiUpperSplitter);
        else if (y >= r.Bottom - offsetY_ - 3)
            hitInfo.HitPositions.Include(hiLowerSplitter);
    }
    const TBiDiMode bidi = hitInfo.HitColumn >= 0 ? Header().BiDiMode(hitInfo.HitColumn) : biDiMode_;
    const TAlignment alignment = hitInfo.HitColumn >= 0 ? Header().Alignment(hitInfo.HitColumn) : alignment_;
    if (bidi != bdLeftToRight)
        ClassifyHitRightToLeft(hitInfo, x, right, alignment);
    else
        ClassifyHitLeftToRight(hitInfo, x, right, alignment);
}

TRect TBaseLazyTree::GetTreeRect() const
{
    return {0, 0, std::max(ClientWidth(), static_cast<int>(rangeX_)),
        std::max(ClientHeight(), static_cast<int>(rangeY_))};
}

// ---- Widths ----------------------------------------------------------------------------------------------

int TBaseLazyTree::GetMaxColumnWidth(TColumnIndex column, bool useSmartColumnWidth)
{
    if (OperationCanceled())
        return Header().ColumnWidth(column);
    BeginOperation(okGetMaxColumnWidth);
    int result = 0;
    try {
        if (OnBeforeGetMaxColumnWidth)
            OnBeforeGetMaxColumnWidth(this, column, useSmartColumnWidth);
        const int stateWidth = ImageSize(isStateImages).cx > 0 ? ImageSize(isStateImages).cx + 2 : 0;
        const int checkWidth = ImageSize(isCheckImages).cx > 0 ? ImageSize(isCheckImages).cx + 2 : 0;
        PLazyNode node = useSmartColumnWidth ? TopNode() : GetFirstVisible(nullptr, true, false);
        PLazyNode stop = nullptr;
        if (useSmartColumnWidth) {
            PLazyNode bottom = BottomNode();
            stop = bottom ? GetNextVisible(bottom, true) : nullptr;
        }
        const bool mainColumn = column == NoColumn || column == Header().MainColumn();
        const bool fixedIndent = options_->PaintOptions().Has(toFixedIndent);
        int textLeft = 0;
        bool withCheck = false;
        if (mainColumn) {
            if (fixedIndent)
                textLeft = static_cast<int>(indent_);
            else if (node)
                textLeft = static_cast<int>((GetNodeLevel(node) + (options_->PaintOptions().Has(toShowRoot) ? 1 : 0)) *
                    indent_);
            withCheck = options_->MiscOptions().Has(toCheckSupport) && checkWidth > 0;
        }
        textLeft += margin_;
        const bool haveImages = ImageSize(isNormalImages).cx > 0;
        bool imageSeen = false;
        while (node && node != stop && !OperationCanceled()) {
            int w = textLeft;
            if (withCheck && node->CheckType != ctNone)
                w += checkWidth;
            if (haveImages && (imageSeen || NodeHasImage(node, ikNormal, column))) {
                imageSeen = true;
                w += ImageSize(isNormalImages).cx + 2;
            }
            if (stateWidth > 0 && NodeHasImage(node, ikState, column))
                w += stateWidth;
            const int nodeWidth = NodeContentWidth(node, column) + NodeExtraWidth(node, column);
            const int margin = ComputeCellContentMargin(node, column, ccmtAllSides).X;
            result = std::max(result, w + nodeWidth + margin);
            PLazyNode next = GetNextVisible(node, true);
            if (mainColumn && !fixedIndent && next)
                textLeft += LevelDifference(node, next) * static_cast<int>(indent_);
            node = next;
        }
        if (options_->PaintOptions().Has(toShowVertGridLines))
            ++result;
        if (OnAfterGetMaxColumnWidth)
            OnAfterGetMaxColumnWidth(this, column, result);
    } catch (...) {
        EndOperation(okGetMaxColumnWidth);
        throw;
    }
    EndOperation(okGetMaxColumnWidth);
    return result;
}

uint32_t TBaseLazyTree::VisibleContentWidth()
{
    // Only rows on screen count; without a window none is.
    if (!HasWindow())
        return 0;
    int top = 0;
    PLazyNode node = GetNodeAt(0, 0, true, top);
    if (!node)
        return 0;
    int x = static_cast<int>(indent_) *
        static_cast<int>(GetNodeLevel(node) + (options_->PaintOptions().Has(toShowRoot) ? 1 : 0));
    if (ImageSize(isStateImages).cx > 0)
        x += ImageSize(isStateImages).cx + 2;
    if (ImageSize(isNormalImages).cx > 0)
        x += ImageSize(isNormalImages).cx + 2;
    const int checkWidth = options_->MiscOptions().Has(toCheckSupport) && ImageSize(isCheckImages).cx > 0
        ? ImageSize(isCheckImages).cx + 2
        : 0;
    int result = 0;
    const int height = ClientHeight();
    while (node) {
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->CheckType != ctNone)
            x += checkWidth;
        result = std::max(result, x + NodeContentWidth(node, NoColumn) + NodeExtraWidth(node, NoColumn));
        top += node->NodeHeight;
        if (top > height)
            break;
        if (node->CheckType != ctNone)
            x -= checkWidth;
        PLazyNode next = GetNextVisible(node, true);
        if (next)
            x += LevelDifference(node, next) * static_cast<int>(indent_);
        node = next;
    }
    return static_cast<uint32_t>(std::max(0, result + margin_));
}

// ---- Invalidation ----------------------------------------------------------------------------------------

void TBaseLazyTree::Invalidate()
{
    if (view_)
        view_->Invalidate();
}

TRect TBaseLazyTree::InvalidateNode(PLazyNode node)
{
    if (updateCount_ > 0 || !view_ || !node || node == root_)
        return {-1, -1, -1, -1};
    const TRect r = GetDisplayRect(node, NoColumn, false);
    view_->InvalidateRect(r);
    return r;
}

void TBaseLazyTree::InvalidateChildren(PLazyNode node, bool recursive)
{
    if (!node) {
        for (PLazyNode c = root_->FirstChild; c; c = c->NextSibling)
            InvalidateChildren(c, recursive);
        return;
    }
    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    InvalidateNode(node);
    if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
        InitializeChildren(node);
    for (PLazyNode c = node->FirstChild; c; c = c->NextSibling) {
        if (recursive)
            InvalidateChildren(c, true);
        else
            InvalidateNode(c);
    }
}

void TBaseLazyTree::InvalidateColumn(TColumnIndex column)
{
    if (updateCount_ > 0 || !view_ || !Header().IsValidColumn(column))
        return;
    int left, right;
    GetColumnBounds(column, left, right);
    view_->InvalidateRect({left, 0, right, ClientHeight()});
}

void TBaseLazyTree::InvalidateToBottom(PLazyNode node)
{
    if (updateCount_ > 0 || !view_)
        return;
    if (!node || node == root_) {
        view_->Invalidate();
        return;
    }
    if (!node->States.Has(vsInitialized) || !GetEffectivelyVisible(node))
        return;
    TRect r = GetDisplayRect(node, NoColumn, false);
    if (r.IsEmpty())
        return;
    if (options_->PaintOptions().Has(toChildrenAbove) && node->States.Has(vsExpanded))
        r.Top -= node->NodeHeight + static_cast<int>(node->TotalHeight);
    if (r.Top < ClientHeight())
        view_->InvalidateRect({0, r.Top, ClientWidth(), ClientHeight()});
}

void TBaseLazyTree::RepaintNode(PLazyNode node)
{
    if (!node || node == root_ || !view_)
        return;
    view_->RepaintRect(GetDisplayRect(node, NoColumn, false));
}

// ---- Scrolling into view ---------------------------------------------------------------------------------

bool TBaseLazyTree::ScrollIntoView(PLazyNode node, bool center, bool horizontally)
{
    if (!node || node == root_)
        return false;
    const int oldOffsetY = offsetY_;
    for (PLazyNode p = node->Parent; p != root_; p = p->Parent)
        if (!p->States.Has(vsExpanded))
            ToggleNode(p);
    const TColumnIndex column =
        Header().UseColumns() && Header().IsValidColumn(focusedColumn_) ? focusedColumn_ : NoColumn;
    const TRect r = GetDisplayRect(node, column, !options_->MiscOptions().Has(toGridExtensions), false, false);
    const int height = ClientHeight();
    bool scrolled = false;
    if (r.Top < 0) {
        SetOffsetY(offsetY_ - r.Top + (center ? height / 2 : 0));
    } else if (r.Bottom > height || center) {
        SetOffsetY(offsetY_ - r.Bottom + (center ? height / 2 : height));
        const TScrollStyle bars = scrollBarOptions_.ScrollBars;
        const bool horizontalBars = bars == ssHorizontal || bars == ssBoth;
        const bool barShowing = horizontalBars && (scrollBarOptions_.AlwaysVisible || ClientWidth() < static_cast<int>(rangeX_));
        if (!Header().UseColumns() && !barShowing && ClientWidth() < static_cast<int>(rangeX_) && view_)
            SetOffsetY(offsetY_ - view_->HorizontalScrollBarHeight());
    }
    scrolled = offsetY_ != oldOffsetY;
    if (horizontally)
        scrolled = ScrollIntoView(focusedColumn_, center) || scrolled;
    return scrolled;
}

bool TBaseLazyTree::ScrollIntoView(TColumnIndex column, bool center)
{
    if (!Header().UseColumns() || !Header().IsValidColumn(column))
        return false;
    int left, right;
    GetColumnBounds(column, left, right);
    const int width = ClientWidth();
    const int fixedWidth = Header().VisibleFixedWidth();
    const bool rtl = UseRightToLeftReading();
    int newOffset;
    if (center) {
        newOffset = left + effectiveOffsetX_ + (right - left) / 2 - fixedWidth / 2 - width / 2;
        if (newOffset == effectiveOffsetX_)
            return true;
    } else {
        if (Header().IsFixed(column))
            return true;
        if (right > width)
            newOffset = right + effectiveOffsetX_ - width;
        else if (left < fixedWidth)
            newOffset = effectiveOffsetX_ + left - fixedWidth;
        else
            return true;
    }
    if (rtl)
        SetOffsetX(center ? width + newOffset - static_cast<int>(rangeX_) : newOffset + width - static_cast<int>(rangeX_));
    else
        SetOffsetX(-newOffset);
    return true;
}

// ---- Ranges and scroll bars ------------------------------------------------------------------------------

void TBaseLazyTree::UpdateVerticalRange()
{
    rangeY_ = static_cast<uint32_t>(static_cast<int64_t>(root_->TotalHeight) + bottomSpace_ - root_->NodeHeight);
}

void TBaseLazyTree::UpdateHorizontalRange()
{
    rangeX_ = Header().UseColumns() ? static_cast<uint32_t>(Header().TotalWidth()) : VisibleContentWidth();
}

void TBaseLazyTree::UpdateRanges()
{
    UpdateVerticalRange();
    UpdateHorizontalRange();
}

void TBaseLazyTree::UpdateScrollBars(bool doRepaint)
{
    if (!view_)
        return;
    UpdateVerticalScrollBar(doRepaint);
    UpdateHorizontalScrollBar(doRepaint);
    view_->ScrollBarsChanged();
}

void TBaseLazyTree::UpdateVerticalScrollBar(bool doRepaint)
{
    UpdateVerticalRange();
    if (states_.Has(tsUpdating) || !view_)
        return;
    const TScrollStyle bars = scrollBarOptions_.ScrollBars;
    if (bars != ssVertical && bars != ssBoth) {
        FireShowScrollBar(sbVertical, false);
        SetOffsetY(offsetY_);
        return;
    }
    TreeView::ScrollBarState state;
    const int height = ClientHeight();
    if (height < static_cast<int>(rangeY_) || scrollBarOptions_.AlwaysVisible) {
        state.Shown = true;
        state.DisableNoScroll = scrollBarOptions_.AlwaysVisible;
        state.RangeMax = static_cast<int>(rangeY_);
        state.Page = std::max(0, height + 1);
        state.Position = -offsetY_;
        state.Redraw = doRepaint;
    }
    FireShowScrollBar(sbVertical, state.Shown);
    const int position = view_->SetScrollBar(sbVertical, state);
    SetOffsetY(-position);
}

void TBaseLazyTree::UpdateHorizontalScrollBar(bool doRepaint)
{
    UpdateHorizontalRange();
    if (states_.Has(tsUpdating) || !view_)
        return;
    const int width = ClientWidth();
    const bool rtl = UseRightToLeftReading();
    effectiveOffsetX_ = rtl ? static_cast<int>(rangeX_) + offsetX_ - width : -offsetX_;
    const TScrollStyle bars = scrollBarOptions_.ScrollBars;
    int newOffset;
    if (bars == ssHorizontal || bars == ssBoth) {
        TreeView::ScrollBarState state;
        if (width < static_cast<int>(rangeX_) || scrollBarOptions_.AlwaysVisible) {
            state.Shown = true;
            state.DisableNoScroll = scrollBarOptions_.AlwaysVisible;
            state.RangeMax = static_cast<int>(rangeX_);
            state.Page = std::max(0, width + 1);
            state.Position = effectiveOffsetX_;
            state.Redraw = doRepaint;
        }
        FireShowScrollBar(sbHorizontal, state.Shown);
        effectiveOffsetX_ = view_->SetScrollBar(sbHorizontal, state);
        newOffset = rtl ? width + effectiveOffsetX_ - static_cast<int>(rangeX_) : -effectiveOffsetX_;
    } else {
        FireShowScrollBar(sbHorizontal, false);
        newOffset = offsetX_;
    }
    SetOffsetX(newOffset);
}

// ---- Offsets ---------------------------------------------------------------------------------------------

void TBaseLazyTree::SetOffsetX(int value)
{
    SetScrollOffset({value, offsetY_}, kAllScrollUpdateOptions);
}

void TBaseLazyTree::SetOffsetY(int value)
{
    SetScrollOffset({offsetX_, value}, kAllScrollUpdateOptions);
}

void TBaseLazyTree::SetOffsetXY(TPoint value)
{
    SetScrollOffset(value, kAllScrollUpdateOptions);
}

bool TBaseLazyTree::SetScrollOffset(TPoint value, TScrollUpdateOptions options, const TRect* clipRect)
{
    const bool rtl = UseRightToLeftReading();
    int x = value.X;
    if (x < ClientWidth() - static_cast<int>(rangeX_))
        x = ClientWidth() - static_cast<int>(rangeX_);
    if (x > 0)
        x = 0;
    int deltaX = x - offsetX_;
    if (rtl)
        deltaX = -deltaX;
    int y = value.Y;
    if (y < ClientHeight() - static_cast<int>(rangeY_))
        y = ClientHeight() - static_cast<int>(rangeY_);
    if (y > 0)
        y = 0;
    const int deltaY = y - offsetY_;
    if (deltaX == 0 && deltaY == 0)
        return false;
    offsetX_ = x;
    offsetY_ = y;
    effectiveOffsetX_ = rtl ? static_cast<int>(rangeX_) + offsetX_ - ClientWidth() : -offsetX_;
    if (states_.Has(tsHint)) {
        if (view_)
            view_->CancelHint();
        ChangeTreeStates({}, {tsHint});
    }
    if (updateCount_ == 0 && view_) {
        if (options.Has(suoScrollClientArea) && !states_.Has(tsToggling))
            view_->ScrollContent(deltaX, deltaY, clipRect);
        if (options.Has(suoUpdateNCArea)) {
            const TScrollStyle bars = scrollBarOptions_.ScrollBars;
            const bool horizontalBars = bars == ssHorizontal || bars == ssBoth;
            const bool repaintBars = options.Has(suoRepaintScrollBars);
            if (deltaX != 0) {
                if (options.Has(suoRepaintHeader))
                    Header().InvalidateHeader();
                if (!states_.Has(tsSizing) && horizontalBars)
                    UpdateHorizontalScrollBar(repaintBars);
            }
            if (deltaY != 0 && !states_.HasAny({tsSizing, tsThumbTracking})) {
                UpdateVerticalScrollBar(repaintBars);
                if (!Header().UseColumns() && !IsMouseSelecting() && horizontalBars)
                    UpdateHorizontalScrollBar(repaintBars);
            }
        }
    }
    TrackHotNodeAtCursor();
    FireScroll(deltaX, deltaY);
    if (view_)
        view_->ScrollBarsChanged();
    return true;
}

PLazyNode TBaseLazyTree::TopNode()
{
    return GetNodeAt(0, 0);
}

void TBaseLazyTree::SetTopNode(PLazyNode node)
{
    if (!node || node == root_)
        return;
    for (PLazyNode p = node->Parent; p != root_; p = p->Parent)
        if (!p->States.Has(vsExpanded))
            ToggleNode(p);
    const TRect r = GetDisplayRect(node, Header().MainColumn(), false);
    SetOffsetY(offsetY_ - r.Top);
}

PLazyNode TBaseLazyTree::BottomNode()
{
    return GetNodeAt(0, ClientHeight() - 1);
}

void TBaseLazyTree::SetBottomNode(PLazyNode node)
{
    if (!node || node == root_)
        return;
    for (PLazyNode p = node->Parent; p != root_; p = p->Parent)
        if (!p->States.Has(vsExpanded))
            ToggleNode(p);
    const TRect r = GetDisplayRect(node, NoColumn, false);
    SetScrollOffset({offsetX_, ClientHeight() + offsetY_ - r.Top - node->NodeHeight},
        {suoRepaintScrollBars, suoUpdateNCArea});
}

// ---- Layout properties -----------------------------------------------------------------------------------

void TBaseLazyTree::AdaptDefaultNodeHeight()
{
    if (!options_->AutoOptions().Has(toAutoChangeScale))
        return;
    const int textHeight = FontHeight();
    if (textHeight > 0 && defaultNodeHeight_ < static_cast<uint32_t>(textHeight))
        SetDefaultNodeHeight(static_cast<uint32_t>(textHeight));
}

void TBaseLazyTree::SetIndent(uint32_t value)
{
    if (value == indent_)
        return;
    indent_ = value;
    if (updateCount_ == 0 && view_) {
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseLazyTree::SetMargin(int value)
{
    if (value == margin_)
        return;
    margin_ = value;
    Invalidate();
}

void TBaseLazyTree::SetTextMargin(int value)
{
    if (value == textMargin_)
        return;
    textMargin_ = value;
    Invalidate();
}

void TBaseLazyTree::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TBaseLazyTree::SetNodeAlignment(TVTNodeAlignment value)
{
    if (value == nodeAlignment_)
        return;
    nodeAlignment_ = value;
    Invalidate();
}

void TBaseLazyTree::SetBiDiMode(TBiDiMode value)
{
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    UpdateHorizontalScrollBar(true);
    Invalidate();
}

void TBaseLazyTree::SetBottomSpace(uint32_t value)
{
    if (value == bottomSpace_)
        return;
    bottomSpace_ = value;
    UpdateVerticalScrollBar(true);
}

void TBaseLazyTree::SetAnimationDuration(uint32_t value)
{
    if (value == animationDuration_)
        return;
    animationDuration_ = value;
    TVTAnimationOptions animation = options_->AnimationOptions();
    animation.Set(toAnimatedToggle, value != 0);
    options_->SetAnimationOptions(animation);
}

void TBaseLazyTree::SetScrollBarOptions(const TScrollBarOptions& value)
{
    scrollBarOptions_ = value;
    UpdateScrollBars(true);
}

} // namespace lazytree
