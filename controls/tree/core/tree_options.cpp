// The option setters and their reactions on the owning tree (window reactions go to the view).

#include "controls/tree/core/tree_options.h"

#include "controls/tree/core/lazy_tree.h"

namespace lazytree {

void TCustomLazyTreeOptions::SetPaintOptions(TVTPaintOptions value)
{
    if (value == paint_)
        return;
    TVTPaintOptions added = value - paint_;
    const TVTPaintOptions removed = paint_ - value;
    if (added.Has(toFixedIndent)) {
        value.Include(toShowRoot);
        if (!paint_.Has(toShowRoot))
            added.Include(toShowRoot);
    }
    paint_ = value;
    TBaseLazyTree& tree = *owner_;
    if (added.Has(toShowFilteredNodes) || removed.Has(toShowFilteredNodes))
        tree.ApplyShowFilteredNodes(value.Has(toShowFilteredNodes));
    TreeView* view = tree.View();
    if (view) {
        const bool stylesEnabled = view->StyleServicesEnabled();
        const bool themesActive =
            tree.TreeStates().Has(tsUseThemes) || (added.Has(toThemeAware) && stylesEnabled);
        if (themesActive) {
            if (added.Has(toUseExplorerTheme)) {
                view->SetExplorerTheme(true);
                tree.ChangeTreeStates({tsUseExplorerTheme}, {});
            } else if (removed.Has(toUseExplorerTheme)) {
                view->SetExplorerTheme(false);
                tree.ChangeTreeStates({}, {tsUseExplorerTheme});
            }
        }
        if (added.Has(toThemeAware) || removed.Has(toThemeAware) || added.Has(toUseExplorerTheme) ||
            removed.Has(toUseExplorerTheme)) {
            if (added.Has(toThemeAware) && stylesEnabled)
                tree.ChangeTreeStates({tsUseThemes}, {});
            else if (removed.Has(toThemeAware))
                tree.ChangeTreeStates({}, {tsUseThemes});
            view->RebuildButtonImages();
            view->RedrawWithFrame();
        }
    }
    if (added.Has(toChildrenAbove) || removed.Has(toChildrenAbove)) {
        tree.RequestCacheValidation();
        if (tree.UpdateCount() == 0) {
            tree.StartCacheValidation();
            tree.Invalidate();
        }
    }
    tree.Invalidate();
}

void TCustomLazyTreeOptions::SetAutoOptions(TVTAutoOptions value)
{
    if (value == auto_)
        return;
    const bool spanChanged = value.Has(toAutoSpanColumns) != auto_.Has(toAutoSpanColumns);
    auto_ = value;
    if (spanChanged)
        owner_->Invalidate();
}

void TCustomLazyTreeOptions::SetSelectionOptions(TVTSelectionOptions value)
{
    if (value == selection_)
        return;
    const TVTSelectionOptions added = value - selection_;
    const TVTSelectionOptions removed = selection_ - value;
    selection_ = value;
    TBaseLazyTree& tree = *owner_;
    if (added.Has(toMultiSelect) || removed.Has(toMultiSelect) || added.Has(toLevelSelectConstraint) ||
        added.Has(toSiblingSelectConstraint))
        tree.ClearSelection();
    if (removed.Has(toExtendedFocus) && tree.FocusedColumn() > 0 && tree.View()) {
        tree.SetFocusedColumnField(tree.Header().MainColumn());
        tree.Invalidate();
    }
    if (!value.Has(toExtendedFocus))
        tree.SetFocusedColumnField(tree.Header().MainColumn());
}

void TCustomLazyTreeOptions::SetMiscOptions(TVTMiscOptions value)
{
    if (value == misc_)
        return;
    const TVTMiscOptions added = value - misc_;
    const TVTMiscOptions removed = misc_ - value;
    misc_ = value;
    TBaseLazyTree& tree = *owner_;
    TreeView* view = tree.View();
    if (!view)
        return;
    if (added.Has(toCheckSupport) || removed.Has(toCheckSupport))
        tree.Invalidate();
    if (removed.Has(toAcceptOLEDrop))
        view->SetDropTargetRegistered(false);
    if (added.Has(toFullRepaintOnResize) || removed.Has(toFullRepaintOnResize))
        view->RecreateWindow();
    if (added.Has(toAcceptOLEDrop))
        view->SetDropTargetRegistered(true);
    if (added.Has(toVariableNodeHeight)) {
        tree.BeginUpdate();
        try {
            tree.ReinitNode(tree.RootNode(), true);
        } catch (...) {
            tree.EndUpdate();
            throw;
        }
        tree.EndUpdate();
    }
}

void TCustomLazyTreeOptions::AssignTo(TCustomLazyTreeOptions& dest) const
{
    dest.SetPaintOptions(paint_);
    dest.SetAnimationOptions(animation_);
    dest.SetAutoOptions(auto_);
    dest.SetSelectionOptions(selection_);
    dest.SetMiscOptions(misc_);
}

// Filtered nodes start or stop taking rows: heights, the visible count and the hidden-children flags follow.
void TBaseLazyTree::ApplyShowFilteredNodes(bool shown)
{
    const bool bracket = HasWindow();
    if (bracket)
        BeginUpdate();
    try {
        StopCacheValidation();
        for (PLazyNode node = GetFirstNoInit(false); node; node = GetNextNoInit(node, false)) {
            if (!node->States.Has(vsFiltered))
                continue;
            if (FullyVisible(node)) {
                if (shown)
                    ++visibleCount_;
                else
                    --visibleCount_;
            }
            UpdateTotalHeight(node, shown ? node->NodeHeight : -static_cast<int64_t>(node->NodeHeight), true);
        }
        // Whether a parent still shows a child depends on the option too.
        RecomputeChildrenHiddenFlags();
        RequestCacheValidation();
        if (updateCount_ == 0)
            StartCacheValidation();
    } catch (...) {
        if (bracket)
            EndUpdate();
        throw;
    }
    if (bracket)
        EndUpdate();
}

} // namespace lazytree
