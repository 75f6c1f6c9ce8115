// The widget's half of data transfer: clipboard cut, copy and paste, drops, drags and tree files.

#include "controls/tree/widget/tree_control.h"
#include "controls/tree/widget/tree_data_object.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QSaveFile>

namespace lazytree {

namespace {

// The tree stream over a Qt device (files).
class DeviceStream : public TStream {
public:
    explicit DeviceStream(QIODevice& device) : device_(device) {}
    int64_t Size() const override { return device_.size(); }
    int64_t Position() const override { return device_.pos(); }
    void Seek(int64_t position) override { device_.seek(position); }
    int64_t Read(void* buffer, int64_t count) override
    {
        const qint64 n = device_.read(static_cast<char*>(buffer), count);
        return n < 0 ? 0 : n;
    }
    void Write(const void* buffer, int64_t count) override
    {
        if (device_.write(static_cast<const char*>(buffer), count) != count)
            throw EStreamError(device_.errorString().toStdString());
    }
    void Truncate(int64_t size) override
    {
        // Only the writer's own buffer is cut: a file being written is rebuilt from memory instead.
        throw EStreamError("Stream cannot be truncated");
    }

private:
    QIODevice& device_;
};

} // namespace

// ---- Formats ------------------------------------------------------------------------------------------------

QStringList TLazyTreeControl::NativeClipboardFormats() const
{
    QStringList result;
    for (const TTransferFormat& f : kTransferFormats) {
        if (f.Owner == TFormatOwner::StringTree && !OffersTextFormats())
            continue;
        const QString description = QLatin1String(f.Description);
        if (!clipboardFormats_.isEmpty() && !clipboardFormats_.contains(description, Qt::CaseInsensitive))
            continue;
        result << description;
    }
    return result;
}

QByteArray TLazyTreeControl::RenderFormat(const QString& description, bool forClipboard)
{
    if (description.compare(QLatin1String(kTransferFormats[0].Description), Qt::CaseInsensitive) != 0)
        return {};
    const TNodeArray nodes = forClipboard ? GetSortedCutCopySet(true)
                                          : (dragSelection_.empty() ? GetSortedSelection(true) : dragSelection_);
    TMemoryStream stream;
    WriteNodeRecords(stream, nodes);
    const std::vector<uint8_t>& bytes = stream.Bytes();
    return EncodeTreePayload(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

TLazyTreeControl* TLazyTreeControl::SourceTreeOf(const QMimeData* data)
{
    // Only our own object, made in this process, names its tree; nothing in the bytes is trusted for that.
    const auto* own = qobject_cast<const TVTMimeData*>(data);
    return own ? own->Tree() : nullptr;
}

// ---- Clipboard ------------------------------------------------------------------------------------------------

bool TLazyTreeControl::CopyToClipboard()
{
    if (SelectedCount() == 0)
        return false;
    auto* data = new TVTMimeData(this, true);
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setMimeData(data);
    if (clipboard->mimeData() != data)
        return false; // the clipboard did not take it (and owns nothing of ours)
    clipboardData_ = data;
    MarkCutCopySet();
    ChangeTreeStates({tsCopyPending}, {});
    Invalidate();
    return true;
}

bool TLazyTreeControl::CutToClipboard()
{
    if (SelectedCount() == 0 || TreeOptions().MiscOptions().Has(toReadOnly))
        return false;
    auto* data = new TVTMimeData(this, true);
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setMimeData(data);
    if (clipboard->mimeData() != data)
        return false;
    clipboardData_ = data;
    MarkCutCopySet();
    ChangeTreeStates({tsCutPending}, {tsCopyPending});
    Invalidate();
    return true;
}

bool TLazyTreeControl::PasteFromClipboard()
{
    if (TreeOptions().MiscOptions().Has(toReadOnly))
        return false;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        RaiseTreeError(hcTFClipboardFailed);
    TLazyTreeControl* source = SourceTreeOf(data);
    const bool optimized = source && source->TreeStates().Has(tsCutPending);
    const bool result = ProcessMimeData(source, data, FocusedNode(), DefaultPasteMode(), optimized);
    if (source == this)
        ChangeTreeStates({}, {tsCutPending});
    else if (source)
        source->FinishCutOrCopy();
    return result;
}

void TLazyTreeControl::CancelCutOrCopy()
{
    const bool pending = TreeStates().HasAny({tsCutPending, tsCopyPending});
    TBaseLazyTree::CancelCutOrCopy();
    if (pending)
        Invalidate();
}

void TLazyTreeControl::Clear()
{
    const bool acts = RootNode()->ChildCount > 0 && !TreeOptions().MiscOptions().Has(toReadOnly);
    if (acts && TreeStates().HasAny({tsCutPending, tsCopyPending}) && clipboardData_
        && QApplication::clipboard()->mimeData() == clipboardData_)
        QApplication::clipboard()->clear();
    TBaseLazyTree::Clear();
}

void TLazyTreeControl::FlushClipboard()
{
    if (!TreeStates().HasAny({tsCutPending, tsCopyPending}))
        return;
    ChangeTreeStates({tsClipboardFlushing}, {});
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboardData_ && clipboard->mimeData() == clipboardData_) {
        // The rendered bytes replace our object; nothing refers back to this tree afterwards.
        auto* rendered = new QMimeData;
        for (const QString& mime : clipboardData_->formats())
            rendered->setData(mime, clipboardData_->data(mime));
        clipboard->setMimeData(rendered);
    }
    CancelCutOrCopy();
    ChangeTreeStates({}, {tsClipboardFlushing});
}

// ---- Inserting transferred data -------------------------------------------------------------------------------

bool TLazyTreeControl::ProcessMimeData(
    TLazyTreeControl* source, const QMimeData* data, PLazyNode target, TVTNodeAttachMode mode, bool optimized)
{
    if (!data || !data->hasFormat(QLatin1String(kTreeDataMime)))
        return false;
    if (TreeOptions().MiscOptions().Has(toReadOnly))
        return true;
    bool result = false;
    BeginUpdate();
    try {
        if (optimized && source) {
            const TNodeArray nodes = source->TreeStates().Has(tsOLEDragging) ? source->dragSelection_
                                                                             : source->GetSortedCutCopySet(true);
            MoveNodesHere(*source, nodes, target, mode);
            result = true;
        } else {
            const QByteArray payload = data->data(QLatin1String(kTreeDataMime));
            if (const auto records = DecodeTreePayload(payload)) {
                TReadOnlyMemoryStream stream(*records);
                result = InsertNodeRecords(stream, target, mode, source == this ? crNodeCopied : crNodeAdded);
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return result;
}

bool TLazyTreeControl::ProcessDrop(const QMimeData* data, PLazyNode target, int& effect, TVTNodeAttachMode mode)
{
    if (mode == amNoWhere) {
        effect = DROPEFFECT_NONE;
        return false;
    }
    BeginUpdate();
    TLazyTreeControl* source = SourceTreeOf(data);
    if (source)
        source->BeginUpdate();
    bool result = false;
    try {
        if ((effect & DROPEFFECT_MOVE) && source) {
            result = ProcessMimeData(source, data, target, mode, !(effect & DROPEFFECT_COPY));
            effect = DROPEFFECT_NONE; // the nodes have moved already; the source deletes nothing itself
        } else if (effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) {
            result = ProcessMimeData(source, data, target, mode, false);
        }
    } catch (const std::exception&) {
        effect = DROPEFFECT_NONE;
        result = false;
    }
    if (source)
        source->EndUpdate();
    EndUpdate();
    return result;
}

// ---- Drop target ----------------------------------------------------------------------------------------------

int TLazyTreeControl::ProposeDropEffect(TLazyTreeControl* source, TShiftState shift, int allowed) const
{
    int result = allowed;
    if (source == this && (allowed & DROPEFFECT_MOVE))
        result = DROPEFFECT_MOVE;
    else if (source != this && (allowed & DROPEFFECT_COPY))
        result = DROPEFFECT_COPY;
    auto prefer = [&](int effect) { return (allowed & effect) ? effect : result; };
    if (shift.HasAll({ssCtrl, ssShift}))
        return prefer(DROPEFFECT_LINK);
    if (shift.Has(ssCtrl))
        return prefer(DROPEFFECT_COPY);
    if (shift.Has(ssShift))
        return prefer(DROPEFFECT_MOVE);
    if (shift.Has(ssAlt))
        return prefer(DROPEFFECT_LINK);
    return result;
}

TDropMode TLazyTreeControl::ComputeDropMode(TPoint p, const THitInfo& hitInfo, const TRect& nodeRect)
{
    PLazyNode hitNode = hitInfo.HitNode;
    const TVTMiscOptions misc = TreeOptions().MiscOptions();
    const bool onRow = hitInfo.HitPositions.Has(hiOnItem)
        && (misc.Has(toFullRowDrag) || TreeOptions().SelectionOptions().Has(toFullRowSelect));
    const bool notLabel = !hitInfo.HitPositions.HasAny({hiOnItemLabel, hiOnNormalIcon, hiOnStateIcon});
    if (misc.Has(toReportMode) && !onRow && (notLabel || hitInfo.HitColumn != Header().MainColumn()))
        hitNode = nullptr;
    if (!hitNode)
        return dmNowhere;
    if (notLabel && TreeOptions().PaintOptions().Has(toShowDropmark))
        return p.Y < (nodeRect.Top + nodeRect.Bottom) / 2 ? dmAbove : dmBelow;
    return dmOnNode;
}

namespace {

int EffectsOf(Qt::DropActions actions)
{
    return (actions & Qt::CopyAction ? DROPEFFECT_COPY : 0) | (actions & Qt::MoveAction ? DROPEFFECT_MOVE : 0)
        | (actions & Qt::LinkAction ? DROPEFFECT_LINK : 0);
}

Qt::DropAction ActionOf(int effect)
{
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    if (effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

Qt::DropActions ActionsOf(int effects)
{
    Qt::DropActions result;
    if (effects & DROPEFFECT_COPY)
        result |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        result |= Qt::MoveAction;
    if (effects & DROPEFFECT_LINK)
        result |= Qt::LinkAction;
    return result;
}

} // namespace

void TLazyTreeControl::dragEnterEvent(QDragEnterEvent* event)
{
    dropTargetActive_ = true;
    dragScrollStart_ = 0;
    dragMoveEvent(event);
}

void TLazyTreeControl::dragMoveEvent(QDragMoveEvent* event)
{
    if (!TreeOptions().MiscOptions().Has(toAcceptOLEDrop)) {
        event->ignore();
        return;
    }
    dropTargetActive_ = true;
    const QPoint pos = event->position().toPoint();
    const TPoint p{pos.x(), pos.y()};
    TShiftState shift = ShiftFrom(event->modifiers(), event->buttons());

    // Auto scroll near the edges.
    scrollDirections_ = ComputeScrollDirections(p.X, p.Y);
    if (!scrollDirections_.Empty()) {
        int dx = 0, dy = 0;
        if (scrollDirections_.Has(sdUp) && OffsetY() < 0)
            dy = std::min<int>(ScrollBarOptions().VerticalIncrement, ClientHeight());
        if (scrollDirections_.Has(sdDown))
            dy = -std::min<int>(ScrollBarOptions().VerticalIncrement, ClientHeight());
        if (scrollDirections_.Has(sdLeft) && OffsetX() < 0)
            dx = ScrollBarOptions().HorizontalIncrement;
        if (scrollDirections_.Has(sdRight))
            dx = -int(ScrollBarOptions().HorizontalIncrement);
        if (dx || dy)
            SetScrollOffset({OffsetX() + dx, OffsetY() + dy}, kAllScrollUpdateOptions);
    }

    THitInfo hit;
    GetHitTestInfoAt(p.X, p.Y, true, hit);
    const TRect r = hit.HitNode ? GetDisplayRect(hit.HitNode, NoColumn, false) : TRect{};
    const TDropMode mode = ComputeDropMode(p, hit, r);
    if (hit.HitNode != dropTargetNode_ || mode != lastDropMode_) {
        lastDropMode_ = mode;
        if (hit.HitNode != dropTargetNode_) {
            KillTreeTimer(1);
            if (dropTargetNode_)
                InvalidateNode(dropTargetNode_);
            dropTargetNode_ = hit.HitNode;
            if (dropTargetNode_ && TreeOptions().AutoOptions().Has(toAutoDropExpand)
                && dropTargetNode_->States.Has(vsHasChildren))
                StartTreeTimer(1, AutoExpandDelay());
        }
        if (dropTargetNode_)
            InvalidateNode(dropTargetNode_);
    }

    TLazyTreeControl* source = SourceTreeOf(event->mimeData());
    int effect = ProposeDropEffect(source, shift, EffectsOf(event->possibleActions()));
    bool accept = event->mimeData() && event->mimeData()->hasFormat(QLatin1String(kTreeDataMime));
    if (OnDragOver)
        OnDragOver(this, source, shift, event->type() == QEvent::DragEnter ? dsDragEnter : dsDragMove, p,
            lastDropMode_, effect, accept);
    if (!accept || effect == DROPEFFECT_NONE) {
        event->ignore();
        return;
    }
    event->setDropAction(ActionOf(effect));
    event->accept();
}

void TLazyTreeControl::dragLeaveEvent(QDragLeaveEvent*)
{
    KillTreeTimer(1);
    if (dropTargetNode_)
        InvalidateNode(dropTargetNode_);
    dropTargetNode_ = nullptr;
    dropTargetActive_ = false;
    if (OnDragOver) {
        int effect = DROPEFFECT_NONE;
        bool accept = false;
        OnDragOver(this, nullptr, {}, dsDragLeave, {}, lastDropMode_, effect, accept);
    }
}

void TLazyTreeControl::dropEvent(QDropEvent* event)
{
    KillTreeTimer(1);
    KillTreeTimer(4);
    ChangeTreeStates({}, {tsScrollPending, tsScrolling});
    QDragMoveEvent over(event->position().toPoint(), event->possibleActions(), event->mimeData(), event->buttons(),
        event->modifiers());
    dragMoveEvent(&over);
    int effect = over.isAccepted() ? EffectsOf(over.dropAction()) : DROPEFFECT_NONE;
    if (effect != DROPEFFECT_NONE) {
        const QPoint pos = event->position().toPoint();
        TLazyTreeControl* source = SourceTreeOf(event->mimeData());
        if (OnDragDrop)
            OnDragDrop(this, source, event->mimeData(), ShiftFrom(event->modifiers(), event->buttons()),
                {pos.x(), pos.y()}, effect, lastDropMode_);
    }
    if (effect == DROPEFFECT_NONE) {
        event->ignore();
    } else {
        event->setDropAction(ActionOf(effect));
        event->accept();
    }
    if (dropTargetNode_)
        InvalidateNode(dropTargetNode_);
    dropTargetNode_ = nullptr;
    dropTargetActive_ = false;
}

void TLazyTreeControl::ExpandDropTarget()
{
    KillTreeTimer(1);
    if (dropTargetNode_ && dropTargetNode_->ChildCount > 0 && !dropTargetNode_->States.Has(vsExpanded))
        ToggleNode(dropTargetNode_);
}

// ---- Drag source -------------------------------------------------------------------------------------------

int TLazyTreeControl::RunDragLoop(TVTMimeData* data, int allowedEffects)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QImage image = PrepareDragImage(QPoint(lastClickPos_.X, lastClickPos_.Y));
    if (!image.isNull())
        drag->setPixmap(QPixmap::fromImage(BlendDragImage(image, dragImageOptions_)));
    return EffectsOf(drag->exec(ActionsOf(allowedEffects)));
}

void TLazyTreeControl::BeginDrag(bool immediate, int threshold)
{
    if (TreeStates().HasAny({tsOLEDragging, tsOLEDragPending}))
        return;
    SetDragThreshold(threshold < 0 ? QApplication::startDragDistance() : threshold);
    if (immediate)
        StartOleDrag(lastClickPos_);
    else
        ChangeTreeStates({tsOLEDragPending}, {});
}

void TLazyTreeControl::StartOleDrag(TPoint position)
{
    AbortEditing();
    if (currentHotNode_) {
        InvalidateNode(currentHotNode_);
        currentHotNode_ = nullptr;
    }
    PLazyNode focused = FocusedNode();
    if (focused && !focused->States.Has(vsSelected)) {
        AddNodeToSelection(focused, false);
        InvalidateNode(focused);
    }
    dragSelection_ = GetSortedSelection(true);
    ChangeTreeStates({tsOLEDragging}, {tsClearPending, tsOLEDragPending, tsToggleFocusedSelection});
    if (OnStartDrag)
        OnStartDrag(this);
    lastDropMode_ = dmOnNode;
    lastDragEffect_ = DROPEFFECT_NONE;
    const int allowed = dragOperations_ ? dragOperations_ : (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    try {
        lastDragEffect_ = RunDragLoop(new TVTMimeData(this, false), allowed);
    } catch (...) {
        lastDragEffect_ = DROPEFFECT_NONE;
    }
    if (lastDragEffect_ == DROPEFFECT_MOVE && TreeOptions().AutoOptions().Has(toAutoDeleteMovedNodes))
        DeleteSelectedNodes();
    ChangeTreeStates({}, {tsOLEDragging});
    dragSelection_.clear();
}

// ---- Files ------------------------------------------------------------------------------------------------

void TLazyTreeControl::SaveToFile(const QString& fileName)
{
    TMemoryStream stream;
    SaveToStream(stream);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(file.errorString().toStdString());
    const std::vector<uint8_t>& bytes = stream.Bytes();
    if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())
        || !file.commit())
        throw EStreamError(file.errorString().toStdString());
}

void TLazyTreeControl::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(file.errorString().toStdString());
    DeviceStream stream(file);
    LoadFromStream(stream);
}

} // namespace lazytree
