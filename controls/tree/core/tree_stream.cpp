// The tree stream: header, node records and their chunks, loading into linked nodes, copying and moving
// through records, and the cut/copy marks.

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>
#include <cstring>

namespace lazytree {

// ---- Streams ----------------------------------------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count < 0 || Remaining() < count || Read(buffer, count) != count)
        throw EStreamError("Stream read error");
}

void TStream::WriteInt32(int32_t value)
{
    uint8_t bytes[4];
    PutLE32(bytes, static_cast<uint32_t>(value));
    Write(bytes, 4);
}

void TStream::WriteUInt16(uint16_t value)
{
    const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
    Write(bytes, 2);
}

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    const int64_t n = std::clamp<int64_t>(Size() - position_, 0, std::max<int64_t>(count, 0));
    if (n > 0)
        std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0)
        return;
    const std::size_t end = static_cast<std::size_t>(position_ + count);
    if (end > data_.size())
        data_.resize(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ += count;
}

void TMemoryStream::Truncate(int64_t size)
{
    if (size >= 0 && size < Size())
        data_.resize(static_cast<std::size_t>(size));
}

int64_t TReadOnlyMemoryStream::Read(void* buffer, int64_t count)
{
    const int64_t n = std::clamp<int64_t>(Size() - position_, 0, std::max<int64_t>(count, 0));
    if (n > 0)
        std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

void TReadOnlyMemoryStream::Write(const void*, int64_t)
{
    throw EStreamError("Can't write to a read-only resource stream");
}

void TReadOnlyMemoryStream::Truncate(int64_t)
{
    throw EStreamError("Can't write to a read-only resource stream");
}

std::optional<std::span<const uint8_t>> DecodeTreePayload(std::span<const uint8_t> payload)
{
    if (payload.size() < 4)
        return std::nullopt;
    const uint32_t length = GetLE32(payload.data());
    if (length > payload.size() - 4 || int64_t(length) > kMaxTreePayload)
        return std::nullopt;
    return payload.subspan(4, length);
}

namespace {

// States that never travel: transient ones and those bound to this process's memory (user data to
// release, a constructed record).
constexpr TLazyNodeStates kUnstreamedStates = {vsChecking, vsCutOrCopy, vsDeleting, vsOnFreeNodeCallRequired,
    vsHeightMeasured, vsReleaseCallOnUserDataRequired, vsToggling, vsInitializing, vsTypedDataConstructed};
constexpr uint32_t kKnownStateBits = (1u << (vsInitializing + 1)) - 1;

TLazyNodeStates StreamableStates(uint32_t bits)
{
    return TLazyNodeStates::FromBits(bits & kKnownStateBits) - kUnstreamedStates;
}

struct ChunkHeader {
    int32_t type = 0;
    int32_t size = 0;
};

ChunkHeader ReadChunkHeader(TStream& stream)
{
    uint8_t bytes[kChunkHeaderSize];
    if (stream.Read(bytes, kChunkHeaderSize) != kChunkHeaderSize)
        RaiseTreeError(hcTFStreamTooSmall);
    return {static_cast<int32_t>(GetLE32(bytes)), static_cast<int32_t>(GetLE32(bytes + 4))};
}

// Reads and checks the 12 header bytes; answers the version.
int ReadStreamHeader(TStream& stream)
{
    uint8_t header[kStreamHeaderSize];
    if (stream.Read(header, kStreamHeaderSize) != kStreamHeaderSize)
        RaiseTreeError(hcTFStreamTooSmall);
    for (int unit : {0, 1, 2, 5})
        if (GetLE16(header + 2 * unit) != kStreamMagic[unit])
            RaiseTreeError(hcTFWrongStreamFormat);
    const int version = GetLE16(header + 6);
    if (version > kStreamVersion || version < 1)
        RaiseTreeError(hcTFWrongStreamVersion);
    return version;
}

// The record count of a version-2 stream; version 1 runs to the end.
uint32_t ReadRecordCount(TStream& stream, int version)
{
    if (version < 2)
        return std::numeric_limits<int32_t>::max();
    uint8_t bytes[4];
    if (stream.Read(bytes, 4) != 4)
        RaiseTreeError(hcTFStreamTooSmall);
    return GetLE32(bytes);
}

template <class F>
void ForSubtree(PLazyNode node, F&& f)
{
    PLazyNode cur = node;
    while (cur) {
        f(cur);
        if (cur->FirstChild) {
            cur = cur->FirstChild;
            continue;
        }
        while (cur != node && !cur->NextSibling)
            cur = cur->Parent;
        cur = cur == node ? nullptr : cur->NextSibling;
    }
}

} // namespace

// ---- Writing ------------------------------------------------------------------------------------------------

void TBaseLazyTree::SaveToStream(TStream& stream, PLazyNode node)
{
    for (int unit = 0; unit < 6; ++unit)
        stream.WriteUInt16(unit == 3 ? kStreamVersion : kStreamMagic[unit]);
    if (node && node != root_) {
        stream.WriteInt32(1);
        WriteNodeRecord(stream, node);
    } else {
        stream.WriteInt32(static_cast<int32_t>(root_->ChildCount));
        for (PLazyNode child = root_->FirstChild; child; child = child->NextSibling)
            WriteNodeRecord(stream, child);
    }
    if (OnSaveTree)
        OnSaveTree(this, stream);
}

void TBaseLazyTree::WriteSourceRecords(TMemoryStream& stream, PLazyNode source, bool childrenOnly)
{
    TNodeArray nodes;
    if (childrenOnly)
        for (PLazyNode c = source->FirstChild; c; c = c->NextSibling)
            nodes.push_back(c);
    else
        nodes.push_back(source);
    WriteNodeRecords(stream, nodes);
    stream.Seek(0);
}

void TBaseLazyTree::WriteNodeRecords(TStream& stream, const TNodeArray& nodes)
{
    for (PLazyNode node : nodes)
        WriteNodeRecord(stream, node);
}

void TBaseLazyTree::WriteNodeRecord(TStream& stream, PLazyNode node)
{
    if (options_->MiscOptions().Has(toInitOnSave)) {
        if (!node->States.Has(vsInitialized))
            InitializeNode(node);
        if (node->States.Has(vsHasChildren) && node->ChildCount == 0)
            InitializeChildren(node);
    }
    const int64_t start = stream.Position();
    stream.WriteInt32(ctAnchor);
    stream.WriteInt32(0);
    WriteNodeChunks(stream, node);
    PatchChunkSize(stream, start, stream.Position());
}

void TBaseLazyTree::WriteNodeChunks(TStream& stream, PLazyNode node)
{
    const int64_t start = stream.Position();
    uint8_t chunk[kChunkHeaderSize + kBaseBodySize2] = {};
    PutLE32(chunk, ctBase);
    uint8_t* body = chunk + kChunkHeaderSize;
    PutLE32(body, node->ChildCount);
    PutLE32(body + 4, node->NodeHeight);
    PutLE32(body + 8, (node->States - kUnstreamedStates).Bits());
    body[12] = node->Align;
    body[13] = node->CheckState;
    body[14] = node->CheckType;
    stream.Write(chunk, sizeof chunk);
    if (node->States.Has(vsInitialized))
        for (PLazyNode child = node->FirstChild; child; child = child->NextSibling)
            WriteNodeRecord(stream, child);
    PatchChunkSize(stream, start, stream.Position());

    const int64_t user = stream.Position();
    stream.WriteInt32(ctUser);
    stream.WriteInt32(0);
    FireSaveNode(node, stream);
    if (stream.Position() - user == kChunkHeaderSize) {
        stream.Seek(user);
        stream.Truncate(user);
    } else {
        PatchChunkSize(stream, user, stream.Position());
    }
}

void TBaseLazyTree::PatchChunkSize(TStream& stream, int64_t start, int64_t end)
{
    stream.Seek(start + 4);
    stream.WriteInt32(static_cast<int32_t>(end - start - kChunkHeaderSize));
    stream.Seek(end);
}

void TBaseLazyTree::FireSaveNode(PLazyNode node, TStream& stream)
{
    if (OnSaveNode)
        OnSaveNode(this, node == root_ ? nullptr : node, stream);
}

void TBaseLazyTree::FireLoadNode(PLazyNode node, TStream& stream)
{
    if (OnLoadNode)
        OnLoadNode(this, node == root_ ? nullptr : node, stream);
}

bool TBaseLazyTree::FireNodeCopying(PLazyNode node, PLazyNode target)
{
    bool allowed = true;
    if (OnNodeCopying)
        OnNodeCopying(this, node, target, allowed);
    return allowed;
}

void TBaseLazyTree::FireNodeCopied(PLazyNode node)
{
    if (OnNodeCopied)
        OnNodeCopied(this, node);
}

// ---- Reading ------------------------------------------------------------------------------------------------

void TBaseLazyTree::LoadRecordsUnder(TStream& stream, int version, PLazyNode parent)
{
    uint32_t count = ReadRecordCount(stream, version);
    while (stream.Position() < stream.Size() && count > 0) {
        --count;
        PLazyNode node = AllocateNode();
        LinkNode(node, parent, this, amAddChildLast);
        LoadNodeSubtree(stream, version, node);
    }
}

void TBaseLazyTree::LoadFromStream(TStream& stream)
{
    if (options_->MiscOptions().Has(toReadOnly))
        return;
    // The header is checked before the old nodes go.
    const int version = ReadStreamHeader(stream);
    Clear();
    BeginUpdate();
    try {
        LoadRecordsUnder(stream, version, root_);
        FireNodeCopied(nullptr);
        if (OnLoadTree)
            OnLoadTree(this, stream);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::AddFromStream(TStream& stream, PLazyNode targetNode)
{
    if (options_->MiscOptions().Has(toReadOnly))
        return;
    TreeAssert(targetNode != nullptr, "Target node must not be nil.");
    const int version = ReadStreamHeader(stream);
    BeginUpdate();
    try {
        LoadRecordsUnder(stream, version, targetNode);
        FireNodeCopied(targetNode == root_ ? nullptr : targetNode);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::LoadNodeSubtree(TStream& stream, int version, PLazyNode node)
{
    TreeAssert(node != root_, "The root node cannot be loaded from stream.");
    const uint32_t oldHeight = node->TotalHeight;
    const bool wasShown = FullyVisible(node) && !IsEffectivelyFiltered(node);
    std::exception_ptr failure;
    try {
        ReadNodeRecord(stream, version, node);
    } catch (...) {
        // What was read stays; the counters below make it a consistent subtree.
        failure = std::current_exception();
    }

    // Counts and heights of the subtree, bottom up without recursion, then the ancestors.
    std::vector<PLazyNode> order;
    ForSubtree(node, [&](PLazyNode n) { order.push_back(n); });
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        PLazyNode n = *it;
        n->TotalCount = 1;
        n->TotalHeight = OwnHeight(n);
        for (PLazyNode c = n->FirstChild; c; c = c->NextSibling) {
            n->TotalCount += c->TotalCount;
            if (n->States.Has(vsExpanded) && c->States.Has(vsVisible))
                n->TotalHeight += c->TotalHeight;
        }
        if (n->ChildCount > 0)
            UpdateAllChildrenHidden(n);
    }
    UpdateTotalCount(node->Parent, int64_t(node->TotalCount) - 1, true);
    // The node counted with its old height while visible; now it counts with the new one, or not at all.
    const uint32_t newHeight = node->TotalHeight;
    const bool nowVisible = node->States.Has(vsVisible);
    node->States.Include(vsVisible);
    node->TotalHeight = oldHeight;
    UpdateTotalHeight(node, nowVisible ? newHeight : 0, false);
    node->States.Set(vsVisible, nowVisible);
    node->TotalHeight = newHeight;
    UpdateAllChildrenHidden(node->Parent != root_ ? node->Parent : nullptr);

    // A filtered node hides only its own row: its expanded children are rows all the same.
    if (wasShown)
        --visibleCount_;
    if (FullyVisible(node))
        visibleCount_ += (IsEffectivelyFiltered(node) ? 0 : 1) + CountVisibleDescendants(node);

    ResetTempNodeCache();
    const bool multiSelect = options_->SelectionOptions().Has(toMultiSelect);
    for (PLazyNode n : order) {
        if (!n->States.Has(vsSelected))
            continue;
        int index = 0;
        if (!multiSelect)
            n->States.Exclude(vsSelected);
        else if (!FindInSelection(n, index, -1, -1))
            AppendToTempCache(n);
    }
    if (tempNodeCount_ > 0) {
        // Included as unselected nodes; the mark comes back with the inclusion.
        for (uint32_t i = 0; i < tempNodeCount_; ++i)
            tempNodeCache_[i]->States.Exclude(vsSelected);
        IncludeNodesInSelection(tempNodeCache_, tempNodeCount_, true);
    }
    ResetTempNodeCache();
    RequestCacheValidation();
    if (failure)
        std::rethrow_exception(failure);
}

void TBaseLazyTree::ReadNodeRecord(TStream& stream, int version, PLazyNode node)
{
    const int bodySize = version < 2 ? kBaseBodySize1 : kBaseBodySize2;
    const int minRecord = version < 2 ? kMinRecordSize1 : kMinRecordSize2;
    // One frame per open record; children are read without recursion, so depth costs no stack.
    struct Frame {
        PLazyNode node;
        int64_t end;          // end of the record
        int64_t baseEnd = -1; // end of the base chunk while its children are read
        uint32_t childrenLeft = 0;
    };
    std::vector<Frame> frames;
    auto openRecord = [&](PLazyNode n) {
        const ChunkHeader anchor = ReadChunkHeader(stream);
        if (anchor.type != ctAnchor)
            RaiseTreeError(hcTFCorruptStream1);
        if (anchor.size < 0)
            RaiseTreeError(hcTFCorruptStream2);
        const int64_t end = stream.Position() + anchor.size;
        if (end > stream.Size())
            RaiseTreeError(hcTFStreamTooSmall);
        if (!frames.empty() && frames.back().baseEnd >= 0 && end > frames.back().baseEnd)
            RaiseTreeError(hcTFCorruptStream2);
        if (frames.size() >= std::size_t(kMaxStreamDepth))
            RaiseTreeError(hcTFCorruptStream2);
        frames.push_back({n, end});
    };
    openRecord(node);
    while (!frames.empty()) {
        Frame& f = frames.back();
        const int64_t position = stream.Position();
        if (f.childrenLeft > 0) {
            --f.childrenLeft;
            PLazyNode parent = f.node;
            PLazyNode child = AllocateNode();
            PLazyNode last = parent->LastChild;
            child->PrevSibling = last;
            child->Index = last ? last->Index + 1 : 0;
            (last ? last->NextSibling : parent->FirstChild) = child;
            parent->LastChild = child;
            child->Parent = parent;
            ++parent->ChildCount; // counts only children really linked
            openRecord(child);
            continue;
        }
        if (f.baseEnd >= 0) {
            if (position != f.baseEnd)
                RaiseTreeError(hcTFCorruptStream2);
            f.baseEnd = -1;
        }
        if (position >= f.end) {
            if (position != f.end)
                RaiseTreeError(hcTFCorruptStream2);
            frames.pop_back();
            continue;
        }
        if (f.end - position < kChunkHeaderSize)
            RaiseTreeError(hcTFCorruptStream2);
        const ChunkHeader chunk = ReadChunkHeader(stream);
        const int64_t chunkEnd = stream.Position() + chunk.size;
        if (chunk.size < 0 || chunkEnd > f.end)
            RaiseTreeError(hcTFCorruptStream2);
        if (chunk.type != ctBase) {
            ReadNodeChunk(stream, version, f.node, chunk.type, chunk.size);
            stream.Seek(chunkEnd);
            continue;
        }
        if (chunk.size < bodySize)
            RaiseTreeError(hcTFCorruptStream2);
        uint8_t body[kBaseBodySize2];
        stream.ReadBuffer(body, bodySize);
        PLazyNode n = f.node;
        const uint32_t childCount = GetLE32(body);
        const uint32_t height = GetLE32(body + 4);
        TLazyNodeStates states;
        int rest = 8;
        if (version < 2) {
            const uint8_t bits = body[8];
            states = StreamableStates(bits) + TLazyNodeStates{vsVisible};
            if (bits & 0x80)
                states.Include(vsSelected);
            rest = 9;
        } else {
            states = StreamableStates(GetLE32(body + 8));
            rest = 12;
        }
        // A second base chunk would link children twice.
        if (n->FirstChild)
            RaiseTreeError(hcTFCorruptStream2);
        // A count the chunk cannot hold is refused before any node is made.
        if (childCount > uint64_t(chunkEnd - stream.Position()) / minRecord)
            RaiseTreeError(hcTFStreamTooSmall);
        if (childCount > 0)
            states += {vsInitialized, vsHasChildren};
        n->States = states;
        n->NodeHeight = static_cast<uint16_t>(std::min<uint32_t>(height, 0xFFFF));
        n->TotalHeight = n->NodeHeight;
        n->Align = body[rest];
        n->CheckState = body[rest + 1] < kCheckStateCount ? TCheckState(body[rest + 1]) : csUncheckedNormal;
        n->CheckType = body[rest + 2] <= ctButton ? TCheckType(body[rest + 2]) : ctNone;
        n->ChildCount = 0;
        f.childrenLeft = childCount;
        f.baseEnd = chunkEnd;
    }
}

bool TBaseLazyTree::ReadNodeChunk(TStream& stream, int version, PLazyNode node, int32_t chunkType, int32_t chunkSize)
{
    if (chunkType != ctUser)
        return false;
    if (chunkSize <= 0)
        return true;
    const int64_t start = stream.Position();
    FireLoadNode(node, stream);
    return stream.Position() != start;
}

void TBaseLazyTree::SkipNodeRecord(TStream& stream)
{
    const ChunkHeader anchor = ReadChunkHeader(stream);
    if (anchor.type != ctAnchor)
        RaiseTreeError(hcTFCorruptStream1);
    if (anchor.size < 0 || anchor.size > stream.Remaining())
        RaiseTreeError(hcTFStreamTooSmall);
    stream.Seek(stream.Position() + anchor.size);
}

// ---- Copying and moving through records ----------------------------------------------------------------

PLazyNode TBaseLazyTree::CopyTo(PLazyNode source, TBaseLazyTree* tree, TVTNodeAttachMode mode, bool childrenOnly)
{
    return CopyTo(source, tree ? tree->RootNode() : nullptr, mode, childrenOnly);
}

PLazyNode TBaseLazyTree::CopyTo(PLazyNode source, PLazyNode target, TVTNodeAttachMode mode, bool childrenOnly)
{
    if (source)
        TreeAssert(TreeFromNode(source) == this, "The source tree must contain the source node.");
    if (mode == amNoWhere || !source || source == root_)
        return nullptr;
    TBaseLazyTree* targetTree = this;
    if (!target) {
        target = root_;
        mode = amAddChildLast;
    } else {
        targetTree = TreeFromNode(target);
    }
    if (targetTree->options_->MiscOptions().Has(toReadOnly))
        return nullptr;
    if (target == targetTree->root_) {
        if (mode == amInsertBefore)
            mode = amAddChildFirst;
        else if (mode == amInsertAfter)
            mode = amAddChildLast;
    }
    TMemoryStream stream;
    WriteSourceRecords(stream, source, childrenOnly);

    PLazyNode result = nullptr;
    targetTree->BeginUpdate();
    try {
        while (stream.Position() < stream.Size()) {
            PLazyNode node = targetTree->AllocateNode();
            targetTree->LinkNode(node, target, targetTree, mode);
            targetTree->LoadNodeSubtree(stream, kStreamVersion, node);
            if (FireNodeCopying(node, target)) {
                FireNodeCopied(node);
                result = node;
            } else {
                targetTree->DeleteNode(node);
                result = nullptr;
            }
        }
    } catch (...) {
        targetTree->EndUpdate();
        throw;
    }
    targetTree->EndUpdate();
    if (childrenOnly)
        result = target;

    targetTree->RequestCacheValidation();
    if (targetTree->updateCount_ == 0) {
        targetTree->StartCacheValidation();
        targetTree->UpdateScrollBars(true);
        targetTree->Invalidate();
    }
    targetTree->NotifyStructureChange(childrenOnly || targetTree != this ? nullptr : source, crNodeCopied);
    return result;
}

void TBaseLazyTree::MoveTo(PLazyNode source, TBaseLazyTree* tree, TVTNodeAttachMode mode, bool childrenOnly)
{
    MoveTo(source, tree ? tree->RootNode() : nullptr, mode, childrenOnly);
}

void TBaseLazyTree::MoveToOtherTree(PLazyNode source, PLazyNode target, TVTNodeAttachMode mode, bool childrenOnly)
{
    TBaseLazyTree* targetTree = TreeFromNode(target);
    if (target == targetTree->root_) {
        if (mode == amInsertBefore)
            mode = amAddChildFirst;
        else if (mode == amInsertAfter)
            mode = amAddChildLast;
    }
    if (!target->States.Has(vsInitialized) && target != targetTree->root_)
        targetTree->InitializeNode(target);
    else if (target->States.Has(vsHasChildren) && target->ChildCount == 0)
        targetTree->InitializeChildren(target);

    const bool allowed = FireNodeMoving(source, target == targetTree->root_ ? nullptr : target);
    if (allowed) {
        StopCacheValidation();
        TMemoryStream stream;
        WriteSourceRecords(stream, source, childrenOnly);
        targetTree->BeginUpdate();
        try {
            while (stream.Position() < stream.Size()) {
                PLazyNode node = targetTree->AllocateNode();
                targetTree->LinkNode(node, target, targetTree, mode);
                targetTree->LoadNodeSubtree(stream, kStreamVersion, node);
                FireNodeMoved(node);
            }
        } catch (...) {
            targetTree->EndUpdate();
            throw;
        }
        targetTree->EndUpdate();
        BeginUpdate();
        try {
            if (childrenOnly)
                DeleteChildren(source, false);
            else
                DeleteNodeInternal(source, true, false);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
    RequestCacheValidation();
    if (updateCount_ == 0 && allowed) {
        StartCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
        targetTree->Invalidate();
    }
    // The moved source node is gone from this tree; the report names no freed node.
    if (allowed)
        NotifyStructureChange(nullptr, crNodeMoved);
}

bool TBaseLazyTree::InsertNodeRecords(TStream& stream, PLazyNode target, TVTNodeAttachMode mode, TChangeReason reason)
{
    if (options_->MiscOptions().Has(toReadOnly))
        return false;
    if (!target)
        target = root_;
    if (target == root_) {
        if (mode == amInsertBefore)
            mode = amAddChildFirst;
        else if (mode == amInsertAfter)
            mode = amAddChildLast;
    }
    BeginUpdate();
    try {
        while (stream.Position() < stream.Size()) {
            PLazyNode node = AllocateNode();
            LinkNode(node, target, this, mode);
            LoadNodeSubtree(stream, kStreamVersion, node);
            if (FireNodeCopying(node, target)) {
                FireNodeCopied(node);
                NotifyStructureChange(node, reason);
                if (mode == amInsertAfter)
                    target = node;
            } else {
                DeleteNode(node);
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return true;
}

void TBaseLazyTree::MoveNodesHere(TBaseLazyTree& source, const TNodeArray& nodes, PLazyNode target,
    TVTNodeAttachMode mode)
{
    if (!target)
        target = root_;
    if (target == root_) {
        if (mode == amInsertBefore)
            mode = amAddChildFirst;
        else if (mode == amInsertAfter)
            mode = amAddChildLast;
    }
    const bool backwards = mode == amInsertAfter || mode == amAddChildFirst;
    BeginUpdate();
    try {
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            PLazyNode node = nodes[backwards ? nodes.size() - 1 - i : i];
            // A node holding the target (or being it) stays where it is.
            if (node == target || (TreeFromNode(target) == &source && HasAsParent(target, node)))
                continue;
            source.MoveTo(node, target, mode, false);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- Cut and copy marks -------------------------------------------------------------------------------------

void TBaseLazyTree::MarkCutCopySet()
{
    for (uint32_t i = 0; i < SelectedCount(); ++i) {
        PLazyNode node = selection_[i];
        if (!IsMarkedNode(node) && !node->States.Has(vsDisabled))
            node->States.Include(vsCutOrCopy);
    }
}

void TBaseLazyTree::CancelCutOrCopy()
{
    if (states_.HasAny({tsCutPending, tsCopyPending}))
        ForSubtree(root_, [](PLazyNode n) { n->States.Exclude(vsCutOrCopy); });
    ChangeTreeStates({}, {tsCutPending, tsCopyPending});
}

void TBaseLazyTree::FinishCutOrCopy()
{
    if (!states_.Has(tsCutPending))
        return;
    BeginUpdate();
    try {
        PLazyNode node = root_->FirstChild;
        while (node) {
            if (node->States.Has(vsCutOrCopy)) {
                // Go on after the deleted subtree.
                PLazyNode next = node;
                while (next && next != root_ && !next->NextSibling)
                    next = next->Parent;
                next = next && next != root_ ? next->NextSibling : nullptr;
                DeleteNode(node);
                node = next;
            } else {
                node = GetNextNoInit(node);
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    ChangeTreeStates({}, {tsCutPending});
}

TNodeArray TBaseLazyTree::GetSortedCutCopySet(bool resolve)
{
    TNodeArray result;
    PLazyNode node = root_->FirstChild;
    while (node) {
        if (node->States.Has(vsCutOrCopy)) {
            result.push_back(node);
            if (resolve) {
                while (node != root_ && !node->NextSibling)
                    node = node->Parent;
                node = node == root_ ? nullptr : node->NextSibling;
                continue;
            }
        }
        node = GetNextNoInit(node);
    }
    return result;
}

} // namespace lazytree
