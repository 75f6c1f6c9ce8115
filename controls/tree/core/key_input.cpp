// Keyboard input: focus movement and selection with the navigation keys, expansion, scrolling, check boxes,
// editing, context menu, help and the start of incremental search.

#include "controls/tree/core/lazy_tree.h"

#include <limits>

namespace lazytree {

namespace {

bool IsNavigationKey(int key)
{
    switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

bool TBaseLazyTree::FireKeyAction(int& charCode, TShiftState& shift)
{
    bool doDefault = true;
    if (OnKeyAction)
        OnKeyAction(this, charCode, shift, doDefault);
    return doDefault;
}

int TBaseLazyTree::HeaderScrollWidth() const
{
    const int width = Header().ScrollWidth();
    return width > 0 ? width : static_cast<int>(indent_);
}

bool TBaseLazyTree::KeyDown(int& key, TShiftState shift)
{
    shift = shift * TShiftState{ssShift, ssAlt, ssCtrl};
    if (!FireKeyAction(key, shift))
        return false;
    shift = shift * TShiftState{ssShift, ssAlt, ssCtrl};

    if (key != VK_SPACE && states_.Has(tsKeyCheckPending)) {
        ChangeTreeStates({}, {tsKeyCheckPending});
        if (PLazyNode node = checkNode_) {
            node->CheckState = NormalForm[node->CheckState];
            InvalidateNode(node);
        }
        checkNode_ = nullptr;
    }

    const auto& selectionOptions = options_->SelectionOptions();
    const auto& misc = options_->MiscOptions();
    const auto& autoOptions = options_->AutoOptions();
    const bool ctrl = shift.Has(ssCtrl);

    if (IsNavigationKey(key) && root_->FirstChild) {
        const bool shiftSelect = shift.Has(ssShift) && selectionOptions.Has(toMultiSelect) && !states_.Has(tsEditing);
        bool rangeKey = (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME) && shiftSelect;
        const bool repaintAll = rangeKey || selectionCount_ > 1;
        const bool clearFirst = shift.Empty() || (misc.Has(toGridExtensions) && !shift.Has(ssShift)) ||
            !selectionOptions.Has(toMultiSelect) || key == VK_BACK || key == VK_TAB;
        PLazyNode oldNode = focusedNode_;
        if (!oldNode && !shift.Empty())
            oldNode = GetFirstVisible(nullptr, true);
        if (!rangeAnchor_) {
            rangeAnchor_ = GetFirstSelected();
            if (!rangeAnchor_)
                rangeAnchor_ = GetFirst();
        }
        const int direction = UseRightToLeftReading() ? -1 : 1;
        const int clientWidth = ClientWidth();
        const int clientHeight = ClientHeight();

        switch (key) {
        case VK_BACK:
            if (states_.Has(tsIncrementalSearching))
                ChangeTreeStates({tsIncrementalSearchPending}, {});
            else if (focusedNode_ && focusedNode_->Parent != root_)
                SetFocusedNode(focusedNode_->Parent);
            break;
        case VK_TAB:
            if (selectionOptions.Has(toExtendedFocus) && Header().UseColumns()) {
                const bool backwards = shift.Has(ssShift);
                const auto step = [&](TColumnIndex c) {
                    return backwards ? Header().PreviousVisibleColumn(c) : Header().NextVisibleColumn(c);
                };
                PLazyNode candidate = focusedNode_;
                TColumnIndex column = step(focusedColumn_);
                while (candidate) {
                    while (column >= 0 && !Header().AllowFocus(column))
                        column = step(column);
                    if (column >= 0) {
                        if (FireFocusChanging(focusedNode_, candidate, focusedColumn_, column)) {
                            FocusNodeAndColumn(candidate, column);
                            break;
                        }
                        column = step(column);
                        continue;
                    }
                    // The row's columns ran out: go on in the next (previous) row.
                    candidate = backwards ? GetPreviousVisible(candidate, false) : GetNextVisible(candidate, false);
                    column = Header().FirstVisibleColumn(false);
                    if (backwards)
                        for (TColumnIndex c = column; c >= 0; c = Header().NextVisibleColumn(c))
                            column = c;
                }
            }
            break;
        case VK_PRIOR:
            if (shift == TShiftState{ssShift, ssCtrl}) {
                SetOffsetX(offsetX_ + clientWidth);
            } else if (shift == TShiftState{ssShift, ssAlt}) {
                // Columns one page to the left: not without columns.
            } else if (ctrl) {
                SetOffsetY(offsetY_ + clientHeight);
            } else {
                PLazyNode node = focusedNode_;
                if (!node) {
                    SetFocusedNode(GetFirstVisible(nullptr, true));
                } else {
                    int sum = 0;
                    for (;;) {
                        PLazyNode p = GetPreviousVisible(node, true);
                        if (!p || sum + static_cast<int>(GetNodeHeight(node)) >= clientHeight)
                            break;
                        node = p;
                        sum += GetNodeHeight(p);
                    }
                    SetFocusedNode(node);
                }
            }
            break;
        case VK_NEXT:
            if (shift == TShiftState{ssShift, ssCtrl}) {
                SetOffsetX(offsetX_ - clientWidth);
            } else if (shift == TShiftState{ssShift, ssAlt}) {
                // Columns one page to the right: not without columns.
            } else if (ctrl) {
                SetOffsetY(offsetY_ - clientHeight);
            } else {
                PLazyNode node = focusedNode_;
                if (!node) {
                    SetFocusedNode(GetLastVisible(nullptr, true));
                } else {
                    int sum = 0;
                    for (;;) {
                        PLazyNode n = GetNextVisible(node, true);
                        if (!n || sum + static_cast<int>(GetNodeHeight(node)) >= clientHeight)
                            break;
                        sum += GetNodeHeight(node);
                        node = n;
                    }
                    SetFocusedNode(node);
                }
            }
            break;
        case VK_HOME:
        case VK_END: {
            const bool first = (key == VK_HOME) != (direction < 0);
            TColumnIndex column = NoColumn;
            if (Header().UseColumns()) {
                column = Header().FirstVisibleColumn(false);
                if (!first)
                    for (TColumnIndex c = column; c >= 0; c = Header().NextVisibleColumn(c))
                        column = c;
            }
            while (column >= NoColumn && !FireFocusChanging(focusedNode_, focusedNode_, focusedColumn_, column))
                column = first ? Header().NextVisibleColumn(column) : Header().PreviousVisibleColumn(column);
            if (column < NoColumn)
                break;
            PLazyNode target = first ? GetFirstVisible(nullptr, true) : GetLastVisible(nullptr, true);
            if (shift == TShiftState{ssCtrl} && !misc.Has(toGridExtensions)) {
                if (target)
                    ScrollIntoView(target, selectionOptions.Has(toCenterScrollIntoView),
                        !autoOptions.Has(toDisableAutoscrollOnFocus));
                SetOffsetX(key == VK_HOME && direction > 0 ? 0 : -std::numeric_limits<int>::max());
            } else {
                if (!misc.Has(toGridExtensions) || ctrl)
                    SetFocusedNode(target);
                if (misc.Has(toGridExtensions) && !selectionOptions.Has(toFullRowSelect))
                    SetFocusedColumn(column);
            }
            break;
        }
        case VK_LEFT:
            if (ctrl) {
                SetOffsetX(offsetX_ + direction * HeaderScrollWidth());
            } else if (selectionOptions.Has(toExtendedFocus) && misc.Has(toGridExtensions)) {
                TColumnIndex c = Header().PreviousVisibleColumn(focusedColumn_);
                while (c >= 0 && !Header().AllowFocus(c))
                    c = Header().PreviousVisibleColumn(c);
                if (c >= 0)
                    SetFocusedColumn(c);
            } else if (focusedNode_ && focusedNode_->States.Has(vsExpanded) &&
                focusedNode_->States.Has(vsHasChildren) && shift.Empty()) {
                ToggleNode(focusedNode_);
            } else if (focusedNode_) {
                if (focusedNode_->Parent != root_) {
                    if (shiftSelect) {
                        if (focusedNode_->Index > 0)
                            rangeKey = true;
                        else if (rangeAnchor_ && CompareNodeOrder(focusedNode_->Parent, rangeAnchor_, false) > 0)
                            RemoveFromSelection(focusedNode_);
                    }
                    SetFocusedNode(focusedNode_->Parent);
                }
            } else {
                SetFocusedNode(GetFirstVisible(nullptr, true));
            }
            break;
        case VK_RIGHT:
            if (ctrl) {
                SetOffsetX(offsetX_ - direction * HeaderScrollWidth());
            } else if (selectionOptions.Has(toExtendedFocus) && misc.Has(toGridExtensions)) {
                TColumnIndex c = Header().NextVisibleColumn(focusedColumn_);
                while (c >= 0 && !Header().AllowFocus(c))
                    c = Header().NextVisibleColumn(c);
                if (c >= 0)
                    SetFocusedColumn(c);
            } else if (focusedNode_ && !focusedNode_->States.Has(vsExpanded) &&
                focusedNode_->States.Has(vsHasChildren) && shift.Empty()) {
                ToggleNode(focusedNode_);
            } else if (focusedNode_) {
                PLazyNode child = GetFirstVisibleChild(focusedNode_);
                if (child) {
                    if (shiftSelect && rangeAnchor_ && CompareNodeOrder(child, rangeAnchor_, false) < 0)
                        RemoveFromSelection(focusedNode_);
                    SetFocusedNode(child);
                }
            } else {
                SetFocusedNode(GetFirstVisible(nullptr, true));
            }
            break;
        case VK_UP:
        case VK_DOWN: {
            const bool up = key == VK_UP;
            if (ctrl) {
                SetOffsetY(offsetY_ + (up ? 1 : -1) * static_cast<int>(defaultNodeHeight_));
                break;
            }
            PLazyNode target;
            if (focusedNode_)
                target = up ? GetPreviousVisible(focusedNode_, true) : GetNextVisible(focusedNode_, true);
            else
                target = up ? GetLastVisible(nullptr, true) : GetFirstVisible(nullptr, true);
            if (!target) {
                if (focusedNode_)
                    InvalidateNode(focusedNode_);
                break;
            }
            if (!EndEditNode())
                return true;
            if (focusedNode_) {
                bool keep = false;
                if (shiftSelect && oldNode && rangeAnchor_) {
                    const int order = CompareNodeOrder(oldNode, rangeAnchor_, false);
                    keep = up ? order <= 0 : order >= 0;
                }
                if (!keep)
                    RemoveFromSelection(focusedNode_);
            }
            if (focusedColumn_ == NoColumn)
                SetFocusedColumnField(Header().MainColumn());
            SetFocusedNode(target);
            break;
        }
        default:
            break;
        }

        // After a navigation key.
        bool cleared = false;
        if (clearFirst && (focusedNode_ != oldNode || selectionCount_ != 1)) {
            ClearSelection();
            cleared = true;
        }
        if (shift.Empty()) {
            rangeAnchor_ = focusedNode_;
            lastSelectionLevel_ = focusedNode_ ? static_cast<int>(GetNodeLevel(focusedNode_)) : -1;
        }
        if (focusedNode_) {
            if (rangeKey)
                ToggleRangeSelection(oldNode, focusedNode_);
            if (focusedNode_ != oldNode || cleared)
                AddToSelection(focusedNode_);
        }
        if (repaintAll)
            Invalidate();
        return true;
    }

    // Command branch.
    const bool searching = states_.Has(tsIncrementalSearching);
    switch (key) {
    case VK_ESCAPE:
        if (IsMouseSelecting()) {
            ChangeTreeStates({}, {tsDrawSelPending, tsDrawSelecting});
            Invalidate();
        } else if (states_.Has(tsEditing)) {
            CancelEditNode();
        }
        break;
    case VK_SPACE:
        if (misc.Has(toCheckSupport) && focusedNode_ && focusedNode_->CheckType != ctNone) {
            if (states_.HasAny({tsKeyCheckPending, tsMouseCheckPending}) || focusedNode_->States.Has(vsDisabled))
                break;
            TCheckState newState = NextCheckStateFor(focusedNode_->CheckType, focusedNode_->CheckState);
            if (FireChecking(focusedNode_, newState)) {
                ChangeTreeStates({tsKeyCheckPending}, {});
                checkNode_ = focusedNode_;
                pendingCheckState_ = newState;
                focusedNode_->CheckState = PressedForm[focusedNode_->CheckState];
                InvalidateNode(focusedNode_);
            }
        } else {
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        }
        break;
    case 'A':
    case 'a':
        if (ctrl)
            SelectAll(true);
        else
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        break;
    case VK_APPS:
        if (focusedNode_) {
            const TRect r = GetDisplayRect(focusedNode_, focusedColumn_, true);
            int left, right;
            GetColumnBounds(focusedColumn_, left, right);
            const int width = std::min(NodeContentWidth(focusedNode_, focusedColumn_), right - r.Left);
            ShowNodePopupMenu(focusedNode_, focusedColumn_, {r.Left + width / 2, (r.Top + r.Bottom) / 2});
        } else {
            ShowNodePopupMenu(nullptr, focusedColumn_, {-1, -1});
        }
        break;
    case VK_MULTIPLY:
        if (searching)
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        else if (focusedNode_)
            FullExpand(focusedNode_);
        break;
    case VK_ADD:
        if (searching) {
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        } else if (ctrl) {
            // Ctrl+"+" expands all, Ctrl+Shift+"+" fits the columns; the option swaps the two.
            if (misc.Has(toReverseFullExpandHotKey) == shift.Has(ssShift))
                FullExpand(nullptr);
            else
                Header().AutoFitColumns();
        } else if (focusedNode_ && !focusedNode_->States.Has(vsExpanded)) {
            ToggleNode(focusedNode_);
        }
        break;
    case VK_SUBTRACT:
        if (searching) {
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        } else if (ctrl) {
            if (misc.Has(toReverseFullExpandHotKey) == shift.Has(ssShift))
                FullCollapse(nullptr);
            else
                Header().RestoreColumns();
        } else if (focusedNode_ && focusedNode_->States.Has(vsExpanded)) {
            ToggleNode(focusedNode_);
        }
        break;
    case VK_DIVIDE:
        if (searching)
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        else if (focusedNode_)
            FullCollapse(focusedNode_);
        break;
    case VK_F1:
        if (OnGetHelpContext) {
            int context = 0;
            const TColumnIndex column = focusedColumn_ < 0 ? 0 : focusedColumn_;
            for (PLazyNode n = focusedNode_; n && n != root_ && context == 0; n = n->Parent)
                OnGetHelpContext(this, n, column, context);
            if (context != 0 && view_)
                view_->ShowHelp(context);
        }
        break;
    case VK_F2:
        if (shift.Empty() && focusedNode_ && CanEdit(focusedNode_, focusedColumn_)) {
            editColumn_ = focusedColumn_;
            StartEditing();
        }
        break;
    default:
        if (shift.Has(ssAlt) == shift.Has(ssCtrl) && key >= 32)
            ChangeTreeStates({tsIncrementalSearchPending}, {});
        break;
    }
    return true;
}

void TBaseLazyTree::KeyPress(char32_t character)
{
    if (states_.Has(tsIncrementalSearchPending)) {
        IncrementalSearchKey(character);
        ChangeTreeStates({}, {tsIncrementalSearchPending});
    }
}

void TBaseLazyTree::KeyUp(int key, TShiftState shift)
{
    if (key == VK_TAB) {
        EnsureFocusedNode();
    } else if (key == VK_SPACE && states_.Has(tsKeyCheckPending)) {
        ChangeTreeStates({}, {tsKeyCheckPending});
        if (PLazyNode node = checkNode_) {
            if (node == focusedNode_)
                ApplyCheckState(node, pendingCheckState_);
            else // the focus moved away meanwhile: no pressed box is left behind
                node->CheckState = NormalForm[node->CheckState];
            InvalidateNode(node);
        }
        checkNode_ = nullptr;
    }
}

} // namespace lazytree
