// Check boxes, radio buttons and buttons of nodes: vetoes, tri-state propagation down and up, radio
// exclusion and the bulk operations.

#include "controls/tree/core/lazy_tree.h"

namespace lazytree {

namespace {

bool IsTracked(PLazyNode node)
{
    return node->CheckType == ctTriStateCheckBox || node->CheckType == ctCheckBox;
}

} // namespace

TCheckState TBaseLazyTree::GetCheckState(PLazyNode node) const
{
    return node ? node->CheckState : csUncheckedNormal;
}

TCheckType TBaseLazyTree::GetCheckType(PLazyNode node) const
{
    return node ? node->CheckType : ctNone;
}

void TBaseLazyTree::SetCheckState(PLazyNode node, TCheckState value)
{
    if (!node || node == root_ || node->CheckState == value || node->States.Has(vsDisabled))
        return;
    TCheckState newState = value;
    if (FireChecking(node, newState))
        ApplyCheckState(node, newState);
}

void TBaseLazyTree::ApplyCheckState(PLazyNode node, TCheckState newState)
{
    if (PropagateCheckState(node, newState))
        FireChecked(node);
}

void TBaseLazyTree::SetCheckType(PLazyNode node, TCheckType value)
{
    if (!node || node == root_ || node->CheckType == value || options_->MiscOptions().Has(toReadOnly))
        return;
    node->CheckType = value;
    if (value != ctTriStateCheckBox && (node->CheckState == csMixedNormal || node->CheckState == csMixedPressed))
        node->CheckState = csUncheckedNormal;
    if (options_->AutoOptions().Has(toAutoTristateTracking) && IsTracked(node) && node->Parent != root_) {
        PLazyNode parent = node->Parent;
        if (!parent->States.Has(vsInitialized))
            InitializeNode(parent);
        if (parent->CheckType == ctTriStateCheckBox) {
            if (parent->CheckState == csUncheckedNormal || parent->CheckState == csUncheckedDisabled)
                SetCheckState(node, csUncheckedNormal);
            else if (parent->CheckState == csCheckedNormal || parent->CheckState == csCheckedDisabled)
                SetCheckState(node, csCheckedNormal);
        }
    }
    InvalidateNode(node);
}

bool TBaseLazyTree::PropagateCheckState(PLazyNode node, TCheckState value)
{
    if (node->States.Has(vsChecking))
        return false;
    struct Checking {
        PLazyNode node;
        ~Checking() { node->States.Exclude(vsChecking); }
    } checking{node};
    node->States.Include(vsChecking);

    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    else if (node->CheckState == value)
        return false;

    if (checkPropagationCount_ == 0)
        ChangeTreeStates({tsCheckPropagation}, {});
    ++checkPropagationCount_;
    bool result;
    try {
        result = PropagateCheckStateSteps(node, value);
    } catch (...) {
        if (--checkPropagationCount_ == 0)
            ChangeTreeStates({}, {tsCheckPropagation});
        throw;
    }
    if (--checkPropagationCount_ == 0)
        ChangeTreeStates({}, {tsCheckPropagation});
    return result;
}

// Steps 4 to 7 of a check change: down to the children, radio siblings, the node, up to the parent.
bool TBaseLazyTree::PropagateCheckStateSteps(PLazyNode node, TCheckState value)
{
    const bool tracking = options_->AutoOptions().Has(toAutoTristateTracking);
    if (node->CheckType == ctTriStateCheckBox && tracking && node->ChildCount > 0 &&
        (value == csUncheckedNormal || value == csCheckedNormal)) {
        const bool unchecking = value == csUncheckedNormal;
        int unchecked = 0, checked = 0, mixed = 0;
        for (PLazyNode child = node->FirstChild; child; child = child->NextSibling) {
            if (!IsTracked(child))
                continue;
            if (!IsDisabledCheckState(child->CheckState))
                SetCheckState(child, value);
            const TCheckState s = child->CheckState;
            if (s == csUncheckedNormal || (unchecking && s == csUncheckedDisabled))
                ++unchecked;
            else if (s == csCheckedNormal || (unchecking && s == csCheckedDisabled))
                ++checked;
            else if (s == csMixedNormal)
                ++mixed;
        }
        if (mixed > 0)
            value = csMixedNormal;
        else if (checked > 0)
            value = unchecked > 0 ? csMixedNormal : csCheckedNormal;
    }

    if (node->CheckType == ctRadioButton && value == csCheckedNormal) {
        for (PLazyNode sibling = node->Parent->FirstChild; sibling; sibling = sibling->NextSibling)
            if (sibling->CheckType == ctRadioButton)
                sibling->CheckState = csUncheckedNormal;
        Invalidate();
    }

    node->CheckState = value;

    PLazyNode parent = node->Parent;
    if (!parent->States.Has(vsInitialized))
        InitializeNode(parent);
    bool result = true;
    if (tracking && !parent->States.HasAny({vsChecking, vsDisabled}) && IsTracked(node) && parent != root_ &&
        parent->CheckType == ctTriStateCheckBox)
        result = DeriveParentCheckState(node, value);
    InvalidateNode(node);
    return result;
}

bool TBaseLazyTree::DeriveParentCheckState(PLazyNode node, TCheckState newState)
{
    PLazyNode parent = node->Parent;
    int tracked = 0, checked = 0;
    bool anyMixed = false;
    for (PLazyNode child = parent->FirstChild; child; child = child->NextSibling) {
        if (!IsTracked(child))
            continue;
        const TCheckState s = child == node ? newState : child->CheckState;
        ++tracked;
        if (IsCheckedState(s))
            ++checked;
        if (s == csMixedNormal)
            anyMixed = true;
    }
    TCheckState state;
    if (checked == 0 && !anyMixed)
        state = csUncheckedNormal;
    else if (checked < tracked)
        state = csMixedNormal;
    else
        state = csCheckedNormal;
    if (!FireChecking(parent, state))
        return false;
    ApplyCheckState(parent, state);
    return true;
}

void TBaseLazyTree::SetCheckStateForAll(TCheckState checkState, bool selectedOnly, bool excludeDisabled)
{
    BeginUpdate();
    try {
        PLazyNode node = selectedOnly ? GetFirstSelected() : GetFirst();
        while (node) {
            if (!(excludeDisabled && IsDisabledCheckState(node->CheckState)))
                SetCheckState(node, checkState);
            node = selectedOnly ? GetNextSelected(node) : GetNext(node);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::ClearChecked()
{
    for (PLazyNode node = GetFirstNoInit(); node; node = GetNextNoInit(node))
        if (node->CheckState != csUncheckedNormal)
            SetCheckState(node, csUncheckedNormal);
}

} // namespace lazytree
