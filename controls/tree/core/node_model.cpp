// Node storage: allocation, user data, counters and heights, on-demand initialisation, visibility,
// filtering, node accessors and the position cache.

#include "controls/tree/core/lazy_tree.h"
#include "controls/tree/core/validation_worker.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace lazytree {

namespace {

constexpr std::size_t RoundUp(std::size_t value, std::size_t to)
{
    return (value + to - 1) / to * to;
}

// The root block starts with its owner, then the root record, then the internal data (no user data).
struct RootHeader {
    TBaseLazyTree* owner;
};
constexpr std::size_t kRootHeaderSize = RoundUp(sizeof(RootHeader), kNodeDataAlignment);

constexpr uint16_t ClampHeight(int64_t value)
{
    return static_cast<uint16_t>(std::clamp<int64_t>(value, 0, 65535));
}

// Restores a node state on every way out of a scope.
class NodeStateGuard {
public:
    NodeStateGuard(PLazyNode node, TLazyNodeState state) : node_(node), state_(state) { node_->States.Include(state_); }
    ~NodeStateGuard() { node_->States.Exclude(state_); }

private:
    PLazyNode node_;
    TLazyNodeState state_;
};

} // namespace

// ---- Construction ----------------------------------------------------------------------------------------

TBaseLazyTree::TBaseLazyTree(OptionsFactory optionsFactory) : mainThread_(std::this_thread::get_id())
{
    options_ = optionsFactory ? optionsFactory(this) : std::make_unique<TCustomLazyTreeOptions>(this);
    AllocateRootNode();
    TValidationWorker::Acquire();
}

TBaseLazyTree::~TBaseLazyTree()
{
    destroying_ = true;
    // The worker leaves this tree before anything goes.
    TValidationWorker::RemoveTree(this);
    queuedWithWorker_ = false;
    struct ReleaseWorker {
        ~ReleaseWorker() { TValidationWorker::Release(); }
    } releaseWorker;
    // The services may already be gone (they often live beside the tree); the nodes still get their free events.
    view_ = nullptr;
    clock_ = nullptr;
    measurer_ = nullptr;
    columns_ = &noColumns_;
    editLinkFactory_ = nullptr;
    // While the tree goes away only the free events still matter to the application.
    OnChange = nullptr;
    OnStructureChange = nullptr;
    OnInitChildren = nullptr;
    OnInitNode = nullptr;
    OnGetImage = nullptr;
    OnGetImageEx = nullptr;
    OnExpanding = nullptr;
    OnCollapsing = nullptr;
    OnExpanded = nullptr;
    OnCollapsed = nullptr;
    OnChecking = nullptr;
    OnChecked = nullptr;
    OnResetNode = nullptr;
    OnNodeMoving = nullptr;
    OnNodeMoved = nullptr;
    OnEditing = nullptr;
    OnEdited = nullptr;
    OnEditCancelled = nullptr;
    OnCreateEditor = nullptr;
    OnFocusChanging = nullptr;
    OnFocusChanged = nullptr;
    OnAddToSelection = nullptr;
    OnRemoveFromSelection = nullptr;
    OnCompareNodes = nullptr;
    OnGetNodeDataSize = nullptr;
    OnMeasureItem = nullptr;
    OnScroll = nullptr;
    OnUpdating = nullptr;
    OnStateChange = nullptr;
    OnStartOperation = nullptr;
    OnEndOperation = nullptr;
    OnGetCellIsEmpty = nullptr;
    OnShowScrollBar = nullptr;
    OnBeforeGetMaxColumnWidth = nullptr;
    OnAfterGetMaxColumnWidth = nullptr;
    OnBeforeCellPaint = nullptr;
    OnGetHintKind = nullptr;
    OnGetHintSize = nullptr;
    OnDrawHint = nullptr;
    StopCacheValidation();
    // A read-only tree must still free its nodes.
    options_->misc_.Exclude(toReadOnly);
    editLink_.reset();
    try {
        Clear();
    } catch (...) {
        // An OnFreeNode handler failed: what is left is not freed rather than freed twice.
    }
    std::free(rootBlock_);
}

TBaseLazyTree* TreeFromNode(PLazyNode node)
{
    TreeAssert(node != nullptr, "Node must not be nil.");
    while (node && node->NextSibling != node)
        node = node->Parent;
    if (!node)
        return nullptr;
    auto* header = reinterpret_cast<RootHeader*>(reinterpret_cast<char*>(node) - kRootHeaderSize);
    return header->owner;
}

void TBaseLazyTree::AllocateRootNode()
{
    const std::size_t newSize = kRootHeaderSize + sizeof(TLazyNode) + totalInternalDataSize_;
    if (!rootBlock_) {
        rootBlock_ = std::calloc(1, newSize);
        if (!rootBlock_)
            throw std::bad_alloc();
    } else {
        void* grown = std::realloc(rootBlock_, newSize);
        if (!grown)
            throw std::bad_alloc();
        rootBlock_ = grown;
        if (newSize > rootBlockSize_)
            std::memset(static_cast<char*>(rootBlock_) + rootBlockSize_, 0, newSize - rootBlockSize_);
    }
    rootBlockSize_ = newSize;
    static_cast<RootHeader*>(rootBlock_)->owner = this;
    root_ = reinterpret_cast<PLazyNode>(static_cast<char*>(rootBlock_) + kRootHeaderSize);
    root_->PrevSibling = root_;
    root_->NextSibling = root_;
    root_->Parent = nullptr;
    root_->States = {vsInitialized, vsExpanded, vsHasChildren, vsVisible};
    root_->NodeHeight = ClampHeight(defaultNodeHeight_);
    root_->TotalHeight = root_->NodeHeight;
    root_->TotalCount = 1;
    root_->Align = 50;
}

PLazyNode TBaseLazyTree::AllocateNode()
{
    if (nodeDataSize_ == -1)
        nodeDataSize_ = std::max(-1, FireGetNodeDataSize());
    const std::size_t size =
        sizeof(TLazyNode) + RoundUp(std::max(nodeDataSize_, 0), kNodeDataAlignment) + totalInternalDataSize_;
    void* block = std::calloc(1, size);
    if (!block)
        throw std::bad_alloc();
    auto* node = new (block) TLazyNode{};
    node->TotalCount = 1;
    node->NodeHeight = ClampHeight(defaultNodeHeight_);
    node->TotalHeight = node->NodeHeight;
    node->States = {vsVisible};
    node->Align = 50;
    return node;
}

std::size_t TBaseLazyTree::ReserveInternalData(std::size_t size)
{
    TreeAssert(root_ == nullptr || root_->ChildCount == 0,
        "Internal data allocation must be done before any node is created.");
    const std::size_t offset = totalInternalDataSize_;
    totalInternalDataSize_ += RoundUp(size, kNodeDataAlignment);
    AllocateRootNode();
    return offset;
}

void* TBaseLazyTree::GetInternalData(PLazyNode node, std::size_t offset) const
{
    char* start = reinterpret_cast<char*>(node) + sizeof(TLazyNode);
    if (node != root_)
        start += RoundUp(std::max(nodeDataSize_, 0), kNodeDataAlignment);
    return start + offset;
}

// ---- User data -------------------------------------------------------------------------------------------

void TBaseLazyTree::SetNodeDataSize(int value)
{
    value = std::max(value, -1);
    if (value == nodeDataSize_)
        return;
    nodeDataSize_ = value;
    if (destroying_ || root_->ChildCount == 0) {
        typedDataType_ = nullptr;
        return;
    }
    // Every node is made again with blocks of the new size; a read-only tree too, or its old blocks would be
    // read with the new size.
    const uint32_t count = root_->ChildCount;
    const bool readOnly = options_->misc_.Has(toReadOnly);
    options_->misc_.Exclude(toReadOnly);
    try {
        Clear();
        typedDataType_ = nullptr;
        SetRootNodeCount(count);
    } catch (...) {
        options_->misc_.Set(toReadOnly, readOnly);
        throw;
    }
    options_->misc_.Set(toReadOnly, readOnly);
}

void* TBaseLazyTree::GetNodeData(PLazyNode node)
{
    TreeAssert(nodeDataSize_ > 0, "NodeDataSize not initialized.");
    if (!node || node == root_)
        return nullptr;
    node->States.Include(vsOnFreeNodeCallRequired);
    return reinterpret_cast<char*>(node) + sizeof(TLazyNode);
}

void* TBaseLazyTree::TypedDataSlot(PLazyNode node, std::size_t size, std::size_t align,
    const std::type_info& type, void (*destroy)(void*), bool& fresh)
{
    TreeAssert(nodeDataSize_ > 0, "NodeDataSize not initialized.");
    if (static_cast<std::size_t>(nodeDataSize_) < size)
        TreeAssertionFailed(std::string(ClassName()) + ": NodeDataSize is smaller than the node record.");
    if (typedDataType_ && *typedDataType_ != type)
        TreeAssertionFailed(std::string(ClassName()) + ": the node records are of another type.");
    void* data = GetNodeData(node);
    if (!data)
        return nullptr;
    typedDataType_ = &type;
    typedDataDestroy_ = destroy;
    fresh = !node->States.Has(vsTypedDataConstructed);
    return data;
}

void TBaseLazyTree::DestroyTypedData(PLazyNode node)
{
    if (!node->States.Has(vsTypedDataConstructed))
        return;
    node->States.Exclude(vsTypedDataConstructed);
    if (typedDataDestroy_)
        typedDataDestroy_(reinterpret_cast<char*>(node) + sizeof(TLazyNode));
}

void TBaseLazyTree::SetNodeData(PLazyNode node, void* reference)
{
    if (nodeDataSize_ < static_cast<int>(sizeof(void*)))
        TreeAssertionFailed(std::string(ClassName()) +
            ": Cannot set initial user data because there is not enough user data space allocated.");
    if (!node || node == root_)
        return;
    std::memcpy(reinterpret_cast<char*>(node) + sizeof(TLazyNode), &reference, sizeof(reference));
    node->States.Include(vsOnFreeNodeCallRequired);
}

// ---- Freeing ---------------------------------------------------------------------------------------------

void TBaseLazyTree::DisposeNode(PLazyNode node)
{
    for (PLazyNode* ref : {&lastChangedNode_, &currentHotNode_, &dropTargetNode_, &lastStructureChangeNode_,
             &lastSelected_, &lastSearchNode_, &checkNode_, &lastVCLDragTarget_})
        if (*ref == node)
            *ref = nullptr;
    if (nextNodeToSelect_ == node)
        nextNodeToSelect_ = node->Parent == root_ ? nullptr : node->Parent;

    struct Free {
        TBaseLazyTree* tree;
        PLazyNode node;
        ~Free()
        {
            tree->DestroyTypedData(node);
            std::free(node);
        }
    } free{this, node};
    if (OnFreeNode && node->States.HasAny({vsInitialized, vsOnFreeNodeCallRequired}))
        FireFreeNode(node);
    if (updateCount_ == 0 && !destroying_)
        EnsureNodeSelected();
}

// ---- Counters and heights --------------------------------------------------------------------------------

void TBaseLazyTree::UpdateTotalCount(PLazyNode node, int64_t value, bool relative)
{
    const int64_t delta = relative ? value : value - static_cast<int64_t>(node->TotalCount);
    if (delta == 0)
        return;
    for (PLazyNode n = node; n; n = n->Parent)
        n->TotalCount = static_cast<uint32_t>(static_cast<int64_t>(n->TotalCount) + delta);
}

void TBaseLazyTree::UpdateTotalHeight(PLazyNode node, int64_t value, bool relative)
{
    if (states_.Has(tsUseCache))
        ChangeTreeStates({}, {tsUseCache});
    const int64_t delta = relative ? value : value - static_cast<int64_t>(node->TotalHeight);
    if (delta != 0) {
        PLazyNode n = node;
        n->TotalHeight = static_cast<uint32_t>(static_cast<int64_t>(n->TotalHeight) + delta);
        while (n->States.Has(vsVisible) && n != root_ && n->Parent && n->Parent->States.Has(vsExpanded)) {
            n = n->Parent;
            n->TotalHeight = static_cast<uint32_t>(static_cast<int64_t>(n->TotalHeight) + delta);
        }
    }
    UpdateVerticalRange();
}

void TBaseLazyTree::RecountTotalCount(PLazyNode node)
{
    for (PLazyNode c = node->FirstChild; c; c = c->NextSibling) {
        RecountTotalCount(c);
        node->TotalCount += c->TotalCount;
    }
}

void TBaseLazyTree::RecountTotalHeight(PLazyNode node)
{
    for (PLazyNode c = node->FirstChild; c; c = c->NextSibling) {
        RecountTotalHeight(c);
        if (node->States.Has(vsExpanded) && c->States.Has(vsVisible))
            node->TotalHeight += c->TotalHeight;
    }
}

uint32_t TBaseLazyTree::CountVisibleDescendants(PLazyNode node) const
{
    if (!node->States.Has(vsExpanded))
        return 0;
    uint32_t count = 0;
    PLazyNode cur = node->FirstChild;
    while (cur) {
        if (cur->States.Has(vsVisible)) {
            if (!IsEffectivelyFiltered(cur))
                ++count;
            if (cur->States.Has(vsExpanded) && cur->FirstChild) {
                cur = cur->FirstChild;
                continue;
            }
        }
        while (cur && !cur->NextSibling) {
            cur = cur->Parent;
            if (cur == node)
                cur = nullptr;
        }
        if (cur)
            cur = cur->NextSibling;
    }
    return count;
}

void TBaseLazyTree::UpdateAllChildrenHidden(PLazyNode node)
{
    if (!node)
        return;
    if (node->ChildCount > 0) {
        bool anyVisible = false;
        for (PLazyNode c = node->FirstChild; c && !anyVisible; c = c->NextSibling)
            anyVisible = GetEffectivelyVisible(c);
        node->States.Set(vsAllChildrenHidden, !anyVisible);
    } else {
        node->States.Set(vsAllChildrenHidden, !node->States.Has(vsHasChildren));
    }
}

// ---- Visibility helpers ----------------------------------------------------------------------------------

bool TBaseLazyTree::IsEffectivelyFiltered(PLazyNode node) const
{
    return node && node->States.Has(vsFiltered) && !options_->PaintOptions().Has(toShowFilteredNodes);
}

bool TBaseLazyTree::GetEffectivelyFiltered(PLazyNode node) const
{
    return IsEffectivelyFiltered(node);
}

bool TBaseLazyTree::GetEffectivelyVisible(PLazyNode node) const
{
    return node->States.Has(vsVisible) && !IsEffectivelyFiltered(node);
}

bool TBaseLazyTree::VisiblePathHolds(PLazyNode node) const
{
    for (PLazyNode p = node->Parent; p && p != root_; p = p->Parent)
        if (!p->States.HasAll({vsExpanded, vsVisible}))
            return false;
    return true;
}

bool TBaseLazyTree::FullyVisible(PLazyNode node) const
{
    return node->States.Has(vsVisible) && (node == root_ || VisiblePathHolds(node));
}

bool TBaseLazyTree::GetFullyVisible(PLazyNode node) const
{
    TreeAssert(node != nullptr, "Invalid parameter.");
    return FullyVisible(node);
}

void TBaseLazyTree::SetFullyVisible(PLazyNode node, bool value)
{
    TreeAssert(node != nullptr && node != root_, "Invalid parameter");
    SetVisible(node, value);
    if (!value)
        return;
    for (PLazyNode p = node->Parent; p != root_; p = p->Parent) {
        if (!p->States.Has(vsExpanded))
            ToggleNode(p);
        if (!p->States.Has(vsVisible))
            SetVisible(p, true);
    }
}

bool TBaseLazyTree::GetVisiblePath(PLazyNode node) const
{
    TreeAssert(node != nullptr && node != root_, "Invalid parameters.");
    return VisiblePathHolds(node);
}

void TBaseLazyTree::SetVisiblePath(PLazyNode node, bool value)
{
    TreeAssert(node != nullptr && node != root_, "Invalid parameter.");
    if (!value)
        return;
    for (PLazyNode p = node->Parent; p != root_; p = p->Parent)
        if (!p->States.Has(vsExpanded))
            ToggleNode(p);
}

bool TBaseLazyTree::GetVisible(PLazyNode node)
{
    if (!node)
        node = root_;
    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    return node->States.Has(vsVisible);
}

void TBaseLazyTree::SetVisible(PLazyNode node, bool value)
{
    TreeAssert(node != nullptr && node != root_, "Invalid parameter.");
    if (node->States.Has(vsVisible) == value)
        return;
    StopCacheValidation();
    const uint32_t oldVisibleCount = visibleCount_;
    PLazyNode parent = node->Parent;
    const bool pathHolds = VisiblePathHolds(node);
    if (value) {
        node->States.Include(vsVisible);
        if (parent->States.Has(vsExpanded))
            UpdateTotalHeight(parent, node->TotalHeight, true);
        if (pathHolds)
            visibleCount_ += CountVisibleDescendants(node) + (IsEffectivelyFiltered(node) ? 0 : 1);
        if (!IsEffectivelyFiltered(node))
            parent->States.Exclude(vsAllChildrenHidden);
    } else {
        if (parent->States.Has(vsExpanded))
            UpdateTotalHeight(parent, -static_cast<int64_t>(node->TotalHeight), true);
        if (pathHolds)
            visibleCount_ -= CountVisibleDescendants(node) + (IsEffectivelyFiltered(node) ? 0 : 1);
        node->States.Exclude(vsVisible);
        if (updateCount_ == 0)
            UpdateAllChildrenHidden(parent);
        else
            ChangeTreeStates({tsUpdateHiddenChildrenNeeded}, {});
    }
    RequestCacheValidation();
    if (visibleCount_ != oldVisibleCount && updateCount_ == 0) {
        StartCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

bool TBaseLazyTree::GetFiltered(PLazyNode node) const
{
    return node && node->States.Has(vsFiltered);
}

void TBaseLazyTree::SetFiltered(PLazyNode node, bool value)
{
    TreeAssert(node != nullptr && node != root_, "Invalid parameter.");
    if (!node->States.Has(vsInitialized))
        InitializeNode(node);
    if (node->States.Has(vsFiltered) == value)
        return;
    StopCacheValidation();
    const uint32_t oldVisibleCount = visibleCount_;
    const bool showFiltered = options_->PaintOptions().Has(toShowFilteredNodes);
    if (value) {
        node->States.Include(vsFiltered);
        if (!showFiltered) {
            if (node->States.Has(vsInitializing) && !node->States.Has(vsHasChildren))
                UpdateTotalHeight(node, 0, false);
            else
                UpdateTotalHeight(node, -static_cast<int64_t>(node->NodeHeight), true);
            if (FullyVisible(node))
                --visibleCount_;
        }
        if (updateCount_ == 0)
            UpdateAllChildrenHidden(node->Parent);
        else
            ChangeTreeStates({tsUpdateHiddenChildrenNeeded}, {});
    } else {
        node->States.Exclude(vsFiltered);
        if (!showFiltered) {
            UpdateTotalHeight(node, node->NodeHeight, true);
            if (FullyVisible(node))
                ++visibleCount_;
        }
        if (node->States.Has(vsVisible))
            node->Parent->States.Exclude(vsAllChildrenHidden);
    }
    RequestCacheValidation();
    if (visibleCount_ != oldVisibleCount && updateCount_ == 0) {
        StartCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

// ---- Child counts and initialisation ---------------------------------------------------------------------

uint32_t TBaseLazyTree::GetChildCount(PLazyNode node) const
{
    return (node ? node : root_)->ChildCount;
}

PLazyNode TBaseLazyTree::CreateChildChain(uint32_t count, uint32_t firstIndex, PLazyNode parent, PLazyNode& last)
{
    PLazyNode first = nullptr;
    last = nullptr;
    try {
        for (uint32_t i = 0; i < count; ++i) {
            PLazyNode node = AllocateNode();
            node->Index = firstIndex + i;
            node->Parent = parent;
            node->PrevSibling = last;
            if (last)
                last->NextSibling = node;
            else
                first = node;
            last = node;
        }
    } catch (...) {
        while (first) {
            PLazyNode next = first->NextSibling;
            std::free(first);
            first = next;
        }
        throw;
    }
    return first;
}

void TBaseLazyTree::SetChildCount(PLazyNode node, uint32_t newChildCount)
{
    if (options_->MiscOptions().Has(toReadOnly))
        return;
    if (!node)
        node = root_;
    if (newChildCount == 0) {
        DeleteChildren(node, false);
    } else {
        if (newChildCount == node->ChildCount)
            return;
        StopCacheValidation();
        if (newChildCount > node->ChildCount) {
            const uint32_t added = newChildCount - node->ChildCount;
            PLazyNode last = nullptr;
            PLazyNode first = CreateChildChain(added, node->LastChild ? node->LastChild->Index + 1 : 0, node, last);
            if (!node->LastChild)
                node->States.Include(vsHasChildren);
            node->States.Exclude(vsAllChildrenHidden);
            node->States.Exclude(vsHeightMeasured);
            if (node->LastChild) {
                node->LastChild->NextSibling = first;
                first->PrevSibling = node->LastChild;
            } else {
                node->FirstChild = first;
            }
            node->LastChild = last;
            node->ChildCount = newChildCount;
            if (node->States.Has(vsExpanded) && FullyVisible(node))
                visibleCount_ += added;
            UpdateTotalCount(node, added, true);
            if (node->States.Has(vsExpanded))
                UpdateTotalHeight(node, static_cast<int64_t>(added) * defaultNodeHeight_, true);
            if (options_->MiscOptions().Has(toVariableNodeHeight)) {
                for (PLazyNode c = first; c; c = c->NextSibling)
                    GetNodeHeight(c);
            }
            if (updateCount_ == 0 && AutoSortWanted())
                Sort(node, Header().SortColumn(), Header().SortDirection(), true);
            RequestCacheValidation();
        } else {
            for (uint32_t n = node->ChildCount - newChildCount; n > 0 && node->LastChild; --n)
                DeleteNodeInternal(node->LastChild, true, false);
        }
        if (updateCount_ == 0) {
            StartCacheValidation();
            UpdateScrollBars(true);
            Invalidate();
        }
    }
    NotifyStructureChange(node == root_ ? nullptr : node, crChildAdded);
}

void TBaseLazyTree::SetRootNodeCount(uint32_t value)
{
    if (value == root_->ChildCount)
        return;
    BeginUpdate();
    try {
        StopCacheValidation();
        SetChildCount(root_, value);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::InitializeNode(PLazyNode node)
{
    NodeStateGuard initializing(node, vsInitializing);
    TLazyNodeInitStates initStates;
    if (node->States.Has(vsInitialized))
        initStates.Include(ivsReInit);
    node->States.Include(vsInitialized);
    FireInitNode(node->Parent == root_ ? nullptr : node->Parent, node, initStates);

    if (initStates.Has(ivsDisabled))
        node->States.Include(vsDisabled);
    if (initStates.Has(ivsHasChildren))
        node->States.Include(vsHasChildren);
    if (initStates.Has(ivsSelected))
        AddNodeToSelection(node, false);
    if (initStates.Has(ivsMultiline))
        node->States.Include(vsMultiline);
    if (initStates.Has(ivsFiltered)) {
        const bool alreadyFiltered = node->States.Has(vsFiltered);
        node->States.Include(vsFiltered);
        if (!options_->PaintOptions().Has(toShowFilteredNodes) && !alreadyFiltered) {
            UpdateTotalHeight(node, -static_cast<int64_t>(node->NodeHeight), true);
            if (FullyVisible(node))
                --visibleCount_;
            // The parent may have lost its last shown child.
            if (updateCount_ == 0)
                UpdateAllChildrenHidden(node->Parent);
            else
                ChangeTreeStates({tsUpdateHiddenChildrenNeeded}, {});
            if (updateCount_ == 0)
                UpdateScrollBars(true);
        }
    }
    if (node->States.Has(vsExpanded) != initStates.Has(ivsExpanded)) {
        if (initStates.Has(ivsExpanded))
            ToggleNode(node);
        else if (node->States.Has(vsHasChildren))
            InitializeChildren(node);
    }
}

void TBaseLazyTree::InitializeChildren(PLazyNode node)
{
    if (!node || node == root_ || !node->States.Has(vsHasChildren))
        return;
    uint32_t count = node->ChildCount;
    if (!FireInitChildren(node, count))
        return;
    SetChildCount(node, count);
    if (count == 0)
        node->States.Exclude(vsHasChildren);
}

void TBaseLazyTree::InitRecursive(PLazyNode node, uint32_t levels, bool visibleOnly)
{
    if (!node)
        node = root_;
    if (node != root_ && !node->States.Has(vsInitialized))
        InitializeNode(node);
    if (levels == 0 || (visibleOnly && !node->States.Has(vsExpanded)))
        return;
    for (PLazyNode c = node->FirstChild; c; c = c->NextSibling)
        InitRecursive(c, levels - 1, visibleOnly);
}

uint32_t TBaseLazyTree::TotalCount()
{
    ++updateCount_;
    try {
        ValidateNode(root_, true);
    } catch (...) {
        --updateCount_;
        throw;
    }
    --updateCount_;
    return root_->TotalCount - 1;
}

uint32_t TBaseLazyTree::CheckedCount()
{
    uint32_t count = 0;
    for (PLazyNode n = GetFirstChecked(csCheckedNormal); n; n = GetNextChecked(n, csCheckedNormal))
        ++count;
    return count;
}

uint32_t TBaseLazyTree::CutCopyCount()
{
    uint32_t count = 0;
    for (PLazyNode n = GetFirstCutCopy(); n; n = GetNextCutCopy(n))
        ++count;
    return count;
}

uint32_t TBaseLazyTree::GetNodeLevel(PLazyNode node) const
{
    uint32_t level = 0;
    if (!node || node == root_)
        return 0;
    for (PLazyNode p = node->Parent; p && p != root_; p = p->Parent)
        ++level;
    return level;
}

bool TBaseLazyTree::HasAsParent(PLazyNode node, PLazyNode potentialParent) const
{
    if (!node || !potentialParent || node == potentialParent)
        return false;
    for (PLazyNode p = node->Parent; p; p = p->Parent) {
        if (p == potentialParent)
            return true;
        if (p == root_)
            return false;
    }
    return false;
}

int TBaseLazyTree::LevelDifference(PLazyNode node1, PLazyNode node2) const
{
    TreeAssert(node1 && node2, "Both nodes must be Assigned.");
    return static_cast<int>(GetNodeLevel(node2)) - static_cast<int>(GetNodeLevel(node1));
}

int TBaseLazyTree::CompareNodeOrder(PLazyNode node1, PLazyNode node2, bool considerChildrenAbove) const
{
    TreeAssert(node1 && node2, "Nodes must never be nil.");
    if (node1 == node2)
        return 0;
    const bool childrenAbove = considerChildrenAbove && options_->PaintOptions().Has(toChildrenAbove);
    if (HasAsParent(node1, node2))
        return childrenAbove ? -1 : 1;
    if (HasAsParent(node2, node1))
        return childrenAbove ? 1 : -1;
    uint32_t level1 = GetNodeLevel(node1);
    uint32_t level2 = GetNodeLevel(node2);
    PLazyNode a = node1;
    PLazyNode b = node2;
    for (; level1 > level2; --level1)
        a = a->Parent;
    for (; level2 > level1; --level2)
        b = b->Parent;
    while (a->Parent != b->Parent) {
        a = a->Parent;
        b = b->Parent;
    }
    return static_cast<int>(static_cast<int64_t>(a->Index) - static_cast<int64_t>(b->Index));
}

int CompactNodeArray(TNodeArray& nodes, int count)
{
    if (count == 0)
        return -1;
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (!IsMarkedNode(nodes[i]))
            nodes[kept++] = nodes[i];
    return kept;
}

// ---- Node accessors --------------------------------------------------------------------------------------

bool TBaseLazyTree::GetChildrenInitialized(PLazyNode node) const
{
    node = node ? node : root_;
    return !(node->States.Has(vsHasChildren) && node->ChildCount == 0);
}

bool TBaseLazyTree::GetHasChildren(PLazyNode node) const
{
    return (node ? node : root_)->States.Has(vsHasChildren);
}

void TBaseLazyTree::SetHasChildren(PLazyNode node, bool value)
{
    if (!node || options_->MiscOptions().Has(toReadOnly))
        return;
    if (value) {
        node->States.Include(vsHasChildren);
    } else {
        node->States.Exclude(vsHasChildren);
        DeleteChildren(node, false);
    }
}

bool TBaseLazyTree::GetExpanded(PLazyNode node) const
{
    return node && node->States.Has(vsExpanded);
}

void TBaseLazyTree::SetExpanded(PLazyNode node, bool value)
{
    if (node && node != root_ && node->States.Has(vsExpanded) != value)
        ToggleNode(node);
}

bool TBaseLazyTree::GetDisabled(PLazyNode node) const
{
    return node && node->States.Has(vsDisabled);
}

void TBaseLazyTree::SetDisabled(PLazyNode node, bool value)
{
    if (!node || node->States.Has(vsDisabled) == value)
        return;
    node->States.Set(vsDisabled, value);
    InvalidateNode(node);
}

bool TBaseLazyTree::GetMultiline(PLazyNode node) const
{
    return node && node != root_ && node->States.Has(vsMultiline);
}

void TBaseLazyTree::SetMultiline(PLazyNode node, bool value)
{
    if (!node || node == root_ || node->States.Has(vsMultiline) == value)
        return;
    node->States.Set(vsMultiline, value);
    InvalidateNode(node);
}

uint8_t TBaseLazyTree::GetVerticalAlignment(PLazyNode node) const
{
    return node ? node->Align : 0;
}

void TBaseLazyTree::SetVerticalAlignment(PLazyNode node, uint8_t value)
{
    if (!node)
        return;
    value = std::min<uint8_t>(value, 100);
    if (node->Align == value)
        return;
    node->Align = value;
    if (FullyVisible(node) && !IsEffectivelyFiltered(node))
        InvalidateNode(node);
}

PLazyNode TBaseLazyTree::GetNodeParent(PLazyNode node) const
{
    return node && node->Parent != root_ ? node->Parent : nullptr;
}

void TBaseLazyTree::SetNodeParent(PLazyNode node, PLazyNode value)
{
    if (node && value && node->Parent != value)
        MoveTo(node, value, amAddChildLast, false);
}

bool TBaseLazyTree::GetSelected(PLazyNode node) const
{
    return node && node->States.Has(vsSelected);
}

int TBaseLazyTree::GetNodeHeight(PLazyNode node)
{
    if (!node || node == root_)
        return 0;
    if (options_->MiscOptions().Has(toVariableNodeHeight) && !node->States.Has(vsDeleting)) {
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        MeasureItemHeight(measurer_ ? measurer_->Canvas() : nullptr, node);
    }
    return node->NodeHeight;
}

void TBaseLazyTree::SetNodeHeight(PLazyNode node, int value)
{
    if (!node || node == root_ || options_->MiscOptions().Has(toReadOnly))
        return;
    const uint16_t height = ClampHeight(value);
    if (height == node->NodeHeight)
        return;
    const int64_t delta = static_cast<int64_t>(height) - node->NodeHeight;
    node->NodeHeight = height;
    if (IsEffectivelyFiltered(node))
        return;
    StopCacheValidation();
    UpdateTotalHeight(node, delta, true);
    if (states_.Has(tsEditing) && node == focusedNode_)
        PlaceEditor();
    RequestCacheValidation();
    if (!states_.HasAny({tsValidating, tsPainting, tsSizing}) && FullyVisible(node) && updateCount_ == 0) {
        StartCacheValidation();
        InvalidateToBottom(node);
        UpdateScrollBars(true);
    }
}

void TBaseLazyTree::MeasureItemHeight(QPainter* canvas, PLazyNode node)
{
    if (node->States.Has(vsHeightMeasured))
        return;
    node->States.Include(vsHeightMeasured);
    if (!options_->MiscOptions().Has(toVariableNodeHeight))
        return;
    int height = node->NodeHeight;
    FireMeasureItem(canvas, node, height);
    SetNodeHeight(node, height);
}

void TBaseLazyTree::SetDefaultNodeHeight(uint32_t value)
{
    if (value == 0)
        value = 18;
    value = std::min<uint32_t>(value, 65535);
    if (value == defaultNodeHeight_)
        return;
    const int64_t delta = static_cast<int64_t>(value) - defaultNodeHeight_;
    defaultNodeHeight_ = value;
    root_->NodeHeight = ClampHeight(value);
    UpdateTotalHeight(root_, delta, true);
    RequestCacheValidation();
    if (updateCount_ == 0 && HasWindow()) {
        StartCacheValidation();
        UpdateScrollBars(true);
        ScrollIntoView(focusedNode_, options_->SelectionOptions().Has(toCenterScrollIntoView), true);
        Invalidate();
    }
}

void TBaseLazyTree::ComputeVerticalAlignment(
    PLazyNode node, bool withImages, bool withStateImages, int& line, int& buttonTop)
{
    const int height = node->NodeHeight;
    const auto mulDiv = [](int a, int b, int c) {
        const int64_t p = static_cast<int64_t>(a) * b;
        return static_cast<int>((p >= 0 ? p + c / 2 : p - c / 2) / c);
    };
    const auto proportional = [&](int imageHeight) {
        return mulDiv(height - imageHeight, node->Align, 100) + imageHeight / 2;
    };
    switch (nodeAlignment_) {
    case naFromBottom:
        line = height - node->Align;
        break;
    case naFromTop:
        line = node->Align;
        break;
    case naProportional:
        if (withImages)
            line = proportional(ImageSize(isNormalImages).cy);
        else if (withStateImages)
            line = proportional(ImageSize(isStateImages).cy);
        else if (options_->PaintOptions().Has(toShowButtons))
            line = proportional(ImageSize(isButtonImage).cy);
        else
            line = mulDiv(height, node->Align, 100);
        break;
    }
    const int buttonHeight = ImageSize(isButtonImage).cy;
    buttonTop = line - buttonHeight / 2 - buttonHeight % 2;
}

// ---- Position cache --------------------------------------------------------------------------------------

uint32_t TBaseLazyTree::CacheEntryCount() const
{
    if (visibleCount_ <= 1)
        return 0;
    return (visibleCount_ + kCacheThreshold - 1) / kCacheThreshold;
}

void TBaseLazyTree::BuildPositionCache()
{
    const uint32_t count = CacheEntryCount();
    positionCache_.resize(count);
    startIndex_ = std::min(startIndex_, count);
    PLazyNode node;
    uint32_t top;
    uint64_t index;
    if (startIndex_ > 0) {
        node = positionCache_[startIndex_ - 1].Node;
        top = positionCache_[startIndex_ - 1].AbsoluteTop;
        index = static_cast<uint64_t>(startIndex_ - 1) * kCacheThreshold;
    } else {
        node = GetFirstVisibleNoInit(nullptr, true, false);
        top = 0;
        index = 0;
    }
    while (node) {
        if (states_.Has(tsStopValidation))
            return;
        if (index % kCacheThreshold == 0) {
            const uint64_t entry = index / kCacheThreshold;
            if (entry >= positionCache_.size())
                positionCache_.resize(entry + 1);
            positionCache_[entry] = {node, top};
        }
        top += node->NodeHeight;
        node = GetNextVisibleNoInit(node, true);
        ++index;
    }
    positionCache_.resize(std::min<uint64_t>(positionCache_.size(), (index + kCacheThreshold - 1) / kCacheThreshold));
}

void TBaseLazyTree::ValidateCacheIfQueued()
{
    if (!cacheBuildQueued_ || states_.Has(tsUseCache))
        return;
    if (queuedWithWorker_) {
        // Finished in the background: taken when nothing changed since; else built here, now.
        TCache cache;
        uint64_t generation = 0;
        if (TValidationWorker::TakeResult(this, cache, generation)) {
            AdoptWorkerCache(std::move(cache), generation);
            if (states_.Has(tsUseCache))
                return;
        }
        TValidationWorker::RemoveTree(this); // waits while the worker is on it
        queuedWithWorker_ = false;
    }
    cacheBuildQueued_ = false;
    ChangeTreeStates({tsValidating}, {tsUseCache, tsValidationNeeded});
    bool built = false;
    if (!states_.Has(tsStopValidation)) {
        BuildPositionCache();
        built = !states_.Has(tsStopValidation);
    }
    ChangeTreeStates(built ? TLazyTreeStates{tsUseCache} : TLazyTreeStates{}, {tsStopValidation, tsValidating});
}

PLazyNode TBaseLazyTree::CacheLookupByPosition(uint32_t position, uint32_t& absoluteTop)
{
    absoluteTop = 0;
    if (!states_.Has(tsUseCache) || positionCache_.empty())
        return nullptr;
    // The last entry whose top is not below the position.
    auto it = std::upper_bound(positionCache_.begin(), positionCache_.end(), position,
        [](uint32_t pos, const TCacheEntry& e) { return pos < e.AbsoluteTop; });
    if (it == positionCache_.begin())
        return nullptr;
    --it;
    absoluteTop = it->AbsoluteTop;
    return it->Node;
}

PLazyNode TBaseLazyTree::CacheLookupByNode(PLazyNode node, uint32_t& absoluteTop)
{
    absoluteTop = 0;
    if (!states_.Has(tsUseCache) || positionCache_.empty())
        return nullptr;
    // The cache is in display order, so the comparison must consider children above.
    int lo = 0;
    int hi = static_cast<int>(positionCache_.size()) - 1;
    int found = -1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (CompareNodeOrder(positionCache_[mid].Node, node, true) <= 0) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (found < 0)
        return nullptr;
    absoluteTop = positionCache_[found].AbsoluteTop;
    return positionCache_[found].Node;
}

void TBaseLazyTree::RequestCacheValidation()
{
    ++cacheGeneration_;
    ChangeTreeStates({tsValidationNeeded}, {tsUseCache});
}

void TBaseLazyTree::StopCacheValidation()
{
    ++cacheGeneration_;
    if (queuedWithWorker_) {
        TValidationWorker::RemoveTree(this);
        queuedWithWorker_ = false;
    }
    ChangeTreeStates({tsStopValidation}, {tsUseCache});
    cacheBuildQueued_ = false;
    if (states_.Has(tsValidating))
        RequestCacheValidation();
}

void TBaseLazyTree::StartCacheValidation()
{
    StopCacheValidation();
    startIndex_ = 0;
    if (states_.Has(tsValidationNeeded) && visibleCount_ > kCacheThreshold && !destroying_) {
        ChangeTreeStates({}, {tsStopValidation});
        cacheBuildQueued_ = true;
        TValidationWorker::AddTree(this, cacheGeneration_);
        queuedWithWorker_ = true;
    }
}

bool TBaseLazyTree::BuildCacheOnWorker(const std::atomic<bool>& stop, TCache& cache)
{
    cache.clear();
    cache.reserve(CacheEntryCount());
    uint32_t top = 0;
    uint64_t index = 0;
    for (PLazyNode node = GetFirstVisibleNoInit(nullptr, true, false); node; node = GetNextVisibleNoInit(node, true)) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        if (index % kCacheThreshold == 0)
            cache.push_back({node, top});
        top += node->NodeHeight;
        ++index;
    }
    return true;
}

void TBaseLazyTree::AdoptWorkerCache(TCache&& cache, uint64_t generation)
{
    if (destroying_ || !cacheBuildQueued_ || generation != cacheGeneration_ || states_.Has(tsUseCache))
        return;
    positionCache_ = std::move(cache);
    cacheBuildQueued_ = false;
    queuedWithWorker_ = false;
    ChangeTreeStates({tsUseCache}, {tsValidationNeeded, tsValidating, tsStopValidation});
    PlaceEditor();
}

} // namespace lazytree
