#pragma once

// The lazy tree without pixels: node storage, linking, navigation, structure operations, option sets, event
// dispatch, check states, timers, geometry, expand/collapse/sort and selection. The painted widget derives
// from TBaseLazyTree and implements the services of tree_services.h.

#include "controls/tree/core/node_enumeration.h"
#include "controls/tree/core/row_hits.h"
#include "controls/tree/core/tree_errors.h"
#include "controls/tree/core/tree_options.h"
#include "controls/tree/core/tree_services.h"
#include "controls/tree/core/tree_stream.h"
#include "controls/tree/core/tree_types.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <type_traits>
#include <typeinfo>
#include <vector>

class QAccessibleInterface;
class QMenu; // handed from OnGetPopupMenu to the view

namespace lazytree {

// Event types. The first argument is always the tree that fires the event.
using TVTChangeEvent = std::function<void(TBaseLazyTree*, PLazyNode)>;
using TVTStructureChangeEvent = std::function<void(TBaseLazyTree*, PLazyNode, TChangeReason)>;
using TVTInitChildrenEvent = std::function<void(TBaseLazyTree*, PLazyNode, uint32_t& childCount)>;
using TVTInitNodeEvent = std::function<void(TBaseLazyTree*, PLazyNode parent, PLazyNode, TLazyNodeInitStates&)>;
using TVTFreeNodeEvent = std::function<void(TBaseLazyTree*, PLazyNode)>;
using TVTGetImageEvent = std::function<void(
    TBaseLazyTree*, PLazyNode, TVTImageKind, TColumnIndex, bool& ghosted, int& imageIndex)>;
using TVTGetImageExEvent = std::function<void(TBaseLazyTree*, PLazyNode, TVTImageKind, TColumnIndex,
    bool& ghosted, int& imageIndex, TCustomImageList*& imageList)>;
using TVTAllowEvent = std::function<void(TBaseLazyTree*, PLazyNode, bool& allowed)>;
using TVTNodeEvent = std::function<void(TBaseLazyTree*, PLazyNode)>;
using TVTCheckChangingEvent = std::function<void(TBaseLazyTree*, PLazyNode, TCheckState& newState, bool& allowed)>;
using TVTNodeMovingEvent = std::function<void(TBaseLazyTree*, PLazyNode, PLazyNode target, bool& allowed)>;
using TVTEditChangingEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, bool& allowed)>;
using TVTEditChangeEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex)>;
using TVTEditCancelEvent = std::function<void(TBaseLazyTree*, TColumnIndex)>;
using TVTCreateEditorEvent = std::function<void(
    TBaseLazyTree*, PLazyNode, TColumnIndex, std::shared_ptr<IVTEditLink>& editLink)>;
using TVTFocusChangingEvent = std::function<void(TBaseLazyTree*, PLazyNode oldNode, PLazyNode newNode,
    TColumnIndex oldColumn, TColumnIndex newColumn, bool& allowed)>;
using TVTFocusChangeEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex)>;
using TVTCompareEvent = std::function<void(TBaseLazyTree*, PLazyNode, PLazyNode, TColumnIndex, int& result)>;
using TVTGetNodeDataSizeEvent = std::function<void(TBaseLazyTree*, int& nodeDataSize)>;
using TVTMeasureItemEvent = std::function<void(TBaseLazyTree*, QPainter* targetCanvas, PLazyNode, int& nodeHeight)>;
using TVTScrollEvent = std::function<void(TBaseLazyTree*, int deltaX, int deltaY)>;
using TVTUpdatingEvent = std::function<void(TBaseLazyTree*, TVTUpdateState)>;
using TVTStateChangeEvent = std::function<void(TBaseLazyTree*, TLazyTreeStates enter, TLazyTreeStates leave)>;
using TVTOperationEvent = std::function<void(TBaseLazyTree*, TVTOperationKind)>;
using TVTGetCellIsEmptyEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, bool& isEmpty)>;
using TVTScrollBarShowEvent = std::function<void(TBaseLazyTree*, TScrollBarKind, bool show)>;
using TVTBeforeGetMaxColumnWidthEvent = std::function<void(TBaseLazyTree*, TColumnIndex, bool& useSmartColumnWidth)>;
using TVTAfterGetMaxColumnWidthEvent = std::function<void(TBaseLazyTree*, TColumnIndex, int& maxWidth)>;
using TVTBeforeCellPaintEvent = std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TColumnIndex,
    TVTCellPaintMode, TRect cellRect, TRect& contentRect)>;
using TVTHintKindEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TVTHintKind&)>;
using TVTGetHintSizeEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TRect&)>;
using TVTDrawHintEvent = std::function<void(TBaseLazyTree*, QPainter*, PLazyNode, TRect, TColumnIndex)>;
using TVTKeyActionEvent = std::function<void(TBaseLazyTree*, int& charCode, TShiftState& shift, bool& doDefault)>;
using TVTIncrementalSearchEvent =
    std::function<void(TBaseLazyTree*, PLazyNode, const std::u32string& searchText, int& result)>;
using TVTNodeClickEvent = std::function<void(TBaseLazyTree*, const THitInfo&)>;
using TVTHotNodeChangeEvent = std::function<void(TBaseLazyTree*, PLazyNode oldNode, PLazyNode newNode)>;
using TVTPopupEvent = std::function<void(
    TBaseLazyTree*, PLazyNode, TColumnIndex, TPoint, bool& askParent, QMenu*& popupMenu)>;
using TVTHelpContextEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, int& helpContext)>;
using TVTDragAllowedEvent = std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, bool& allowed)>;
using TVTColumnClickEvent = std::function<void(TBaseLazyTree*, TColumnIndex, TShiftState)>;
using TVTCanSplitterResizeNodeEvent =
    std::function<void(TBaseLazyTree*, TPoint, PLazyNode, TColumnIndex, bool& allowed)>;
using TVTNodeHeightTrackingEvent = std::function<void(
    TBaseLazyTree*, PLazyNode, TColumnIndex, TShiftState, TPoint& trackPoint, TPoint p, bool& allowed)>;
using TVTNodeHeightDblClickResizeEvent =
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TShiftState, TPoint, bool& allowed)>;
using TVTNotifyEvent = std::function<void(TBaseLazyTree*)>;
using TVTSaveNodeEvent = std::function<void(TBaseLazyTree*, PLazyNode, TStream&)>;
using TVTSaveTreeEvent = std::function<void(TBaseLazyTree*, TStream&)>;
using TVTNodeCopyingEvent = std::function<void(TBaseLazyTree*, PLazyNode, PLazyNode target, bool& allowed)>;

// IterateSubtree's callback: (tree, node, data, abort).
using TVTGetNodeProc = std::function<void(TBaseLazyTree*, PLazyNode, void* data, bool& abort)>;
// RunAnimation's callback: (position, step size); False ends the animation.
using TVTAnimationCallback = std::function<bool(int position, int stepSize)>;

struct TCacheEntry {
    PLazyNode Node = nullptr;
    uint32_t AbsoluteTop = 0;
};
using TCache = std::vector<TCacheEntry>;

enum TScrollBarStyle { sbmRegular, sbm3D };

struct TScrollBarOptions {
    TScrollStyle ScrollBars = ssBoth;
    bool AlwaysVisible = false;
    TScrollBarStyle ScrollBarStyle = sbmRegular;
    uint16_t HorizontalIncrement = 20; // 1 .. 10000
    uint16_t VerticalIncrement = 20;
    friend bool operator==(const TScrollBarOptions&, const TScrollBarOptions&) = default;
};

constexpr int kCacheThreshold = 2000; // one position cache entry per this many visible nodes

class TBaseLazyTree {
public:
    using OptionsFactory = std::unique_ptr<TCustomLazyTreeOptions> (*)(TBaseLazyTree* owner);

    explicit TBaseLazyTree(OptionsFactory optionsFactory = nullptr);
    virtual ~TBaseLazyTree();
    TBaseLazyTree(const TBaseLazyTree&) = delete;
    TBaseLazyTree& operator=(const TBaseLazyTree&) = delete;

    // The name the assertion texts use.
    virtual const char* ClassName() const { return "TBaseLazyTree"; }

    // ---- Services -------------------------------------------------------------------------------------
    void SetView(TreeView* view) { view_ = view; }
    TreeView* View() const { return view_; }
    void SetClock(TreeClock* clock) { clock_ = clock; }
    TreeClock* Clock() const { return clock_; }
    void SetMeasurer(ContentMeasurer* measurer) { measurer_ = measurer; }
    ContentMeasurer* Measurer() const { return measurer_; }
    void SetColumns(TreeColumns* columns) { columns_ = columns ? columns : &noColumns_; }
    TreeColumns& Header() const { return *columns_; }
    void SetEditLinkFactory(EditLinkFactory* factory) { editLinkFactory_ = factory; }
    // Called by the clock when a one-shot timer expires.
    virtual void TimerFired(int id);

    // ---- Events ---------------------------------------------------------------------------------------
    TVTChangeEvent OnChange;
    TVTStructureChangeEvent OnStructureChange;
    TVTInitChildrenEvent OnInitChildren;
    TVTInitNodeEvent OnInitNode;
    TVTFreeNodeEvent OnFreeNode;
    TVTGetImageEvent OnGetImage;
    TVTGetImageExEvent OnGetImageEx;
    TVTAllowEvent OnExpanding;
    TVTAllowEvent OnCollapsing;
    TVTNodeEvent OnExpanded;
    TVTNodeEvent OnCollapsed;
    TVTCheckChangingEvent OnChecking;
    TVTNodeEvent OnChecked;
    TVTNodeEvent OnResetNode;
    TVTNodeMovingEvent OnNodeMoving;
    TVTNodeEvent OnNodeMoved;
    TVTEditChangingEvent OnEditing;
    TVTEditChangeEvent OnEdited;
    TVTEditCancelEvent OnEditCancelled;
    TVTCreateEditorEvent OnCreateEditor;
    TVTFocusChangingEvent OnFocusChanging;
    TVTFocusChangeEvent OnFocusChanged;
    TVTNodeEvent OnAddToSelection;
    TVTNodeEvent OnRemoveFromSelection;
    TVTCompareEvent OnCompareNodes;
    TVTGetNodeDataSizeEvent OnGetNodeDataSize;
    TVTMeasureItemEvent OnMeasureItem;
    TVTScrollEvent OnScroll;
    TVTUpdatingEvent OnUpdating;
    TVTStateChangeEvent OnStateChange;
    TVTOperationEvent OnStartOperation;
    TVTOperationEvent OnEndOperation;
    TVTGetCellIsEmptyEvent OnGetCellIsEmpty;
    TVTScrollBarShowEvent OnShowScrollBar;
    TVTBeforeGetMaxColumnWidthEvent OnBeforeGetMaxColumnWidth;
    TVTAfterGetMaxColumnWidthEvent OnAfterGetMaxColumnWidth;
    TVTBeforeCellPaintEvent OnBeforeCellPaint;
    TVTHintKindEvent OnGetHintKind;
    TVTGetHintSizeEvent OnGetHintSize;
    TVTDrawHintEvent OnDrawHint;
    TVTKeyActionEvent OnKeyAction;
    TVTIncrementalSearchEvent OnIncrementalSearch;
    TVTNodeClickEvent OnNodeClick;
    TVTNodeClickEvent OnNodeDblClick;
    TVTHotNodeChangeEvent OnHotChange;
    TVTPopupEvent OnGetPopupMenu;
    TVTHelpContextEvent OnGetHelpContext;
    TVTDragAllowedEvent OnDragAllowed;
    TVTColumnClickEvent OnColumnClick;
    TVTColumnClickEvent OnColumnDblClick;
    TVTCanSplitterResizeNodeEvent OnCanSplitterResizeNode;
    TVTNodeHeightTrackingEvent OnNodeHeightTracking;
    TVTNodeHeightDblClickResizeEvent OnNodeHeightDblClickResize;
    TVTNotifyEvent OnMouseEnter;
    TVTNotifyEvent OnMouseLeave;
    TVTSaveNodeEvent OnSaveNode;
    TVTSaveNodeEvent OnLoadNode;
    TVTSaveTreeEvent OnSaveTree;
    TVTSaveTreeEvent OnLoadTree;
    TVTNodeCopyingEvent OnNodeCopying;
    TVTNodeEvent OnNodeCopied;

    // ---- Options and plain properties ----------------------------------------------------------------
    TCustomLazyTreeOptions& TreeOptions() const { return *options_; }
    TLazyTreeStates TreeStates() const { return states_; }
    uint32_t UpdateCount() const { return updateCount_; }

    uint32_t DefaultNodeHeight() const { return defaultNodeHeight_; }
    void SetDefaultNodeHeight(uint32_t value);
    uint32_t Indent() const { return indent_; }
    void SetIndent(uint32_t value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TVTNodeAlignment NodeAlignment() const { return nodeAlignment_; }
    void SetNodeAlignment(TVTNodeAlignment value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    uint32_t BottomSpace() const { return bottomSpace_; }
    void SetBottomSpace(uint32_t value);
    uint32_t ChangeDelay() const { return changeDelay_; }
    void SetChangeDelay(uint32_t value) { changeDelay_ = value; }
    uint32_t AnimationDuration() const { return animationDuration_; }
    void SetAnimationDuration(uint32_t value);
    uint32_t EditDelay() const { return editDelay_; }
    void SetEditDelay(uint32_t value) { editDelay_ = value; }
    uint32_t AutoExpandDelay() const { return autoExpandDelay_; }
    void SetAutoExpandDelay(uint32_t value) { autoExpandDelay_ = value; }
    uint32_t AutoScrollDelay() const { return autoScrollDelay_; }
    void SetAutoScrollDelay(uint32_t value) { autoScrollDelay_ = value; }
    uint32_t AutoScrollInterval() const { return autoScrollInterval_; }
    void SetAutoScrollInterval(uint32_t value) { autoScrollInterval_ = value; }
    uint32_t IncrementalSearchTimeout() const { return searchTimeout_; }
    void SetIncrementalSearchTimeout(uint32_t value) { searchTimeout_ = value; }
    TVTIncrementalSearch IncrementalSearch() const { return incrementalSearch_; }
    void SetIncrementalSearch(TVTIncrementalSearch value);
    TVTSearchDirection IncrementalSearchDirection() const { return searchDirection_; }
    void SetIncrementalSearchDirection(TVTSearchDirection value) { searchDirection_ = value; }
    TVTSearchStart IncrementalSearchStart() const { return searchStart_; }
    void SetIncrementalSearchStart(TVTSearchStart value) { searchStart_ = value; }
    const std::u32string& SearchBuffer() const { return searchBuffer_; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    int DragThreshold() const { return dragThreshold_; }
    void SetDragThreshold(int value) { dragThreshold_ = value; }
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    TVTDrawSelectionMode DrawSelectionMode() const { return drawSelectionMode_; }
    void SetDrawSelectionMode(TVTDrawSelectionMode value) { drawSelectionMode_ = value; }
    PLazyNode HotNode() const { return currentHotNode_; }
    TColumnIndex HotColumn() const { return currentHotColumn_; }
    bool HotNodeButtonHit() const { return hotNodeButtonHit_; }
    PLazyNode DropTargetNode() const { return dropTargetNode_; }
    TDropMode LastDropMode() const { return lastDropMode_; }
    PLazyNode CheckNode() const { return checkNode_; }
    TPoint LastClickPos() const { return lastClickPos_; }
    // The band of a band selection in tree coordinates (corners not ordered).
    TRect NewSelRect() const { return newSelRect_; }
    TScrollDirections ScrollDirections() const { return scrollDirections_; }
    const TScrollBarOptions& ScrollBarOptions() const { return scrollBarOptions_; }
    void SetScrollBarOptions(const TScrollBarOptions& value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* list) { images_ = list; }
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* list) { stateImages_ = list; }
    QAccessibleInterface* Accessible() const { return accessible_; }
    void SetAccessible(QAccessibleInterface* value) { accessible_ = value; }
    QAccessibleInterface* AccessibleItem() const { return accessibleItem_; }
    void SetAccessibleItem(QAccessibleInterface* value) { accessibleItem_ = value; }

    // ---- Node model -----------------------------------------------------------------------------------
    PLazyNode RootNode() const { return root_; }
    int NodeDataSize() const { return nodeDataSize_; }
    void SetNodeDataSize(int value);
    // Start of the node's user data; nil for nil and the root. Marks the node for OnFreeNode.
    void* GetNodeData(PLazyNode node);
    // The node's record of type T, constructed in place on first use and destroyed after OnFreeNode.
    template <class T>
    T* GetNodeData(PLazyNode node);
    // Stores a pointer in the first pointer-sized cell of the user data.
    void SetNodeData(PLazyNode node, void* reference);

    uint32_t GetChildCount(PLazyNode node) const;
    virtual void SetChildCount(PLazyNode node, uint32_t newChildCount);
    uint32_t RootNodeCount() const { return root_->ChildCount; }
    void SetRootNodeCount(uint32_t value);
    bool GetChildrenInitialized(PLazyNode node) const;
    bool GetHasChildren(PLazyNode node) const;
    void SetHasChildren(PLazyNode node, bool value);
    bool GetExpanded(PLazyNode node) const;
    void SetExpanded(PLazyNode node, bool value);
    bool GetDisabled(PLazyNode node) const;
    void SetDisabled(PLazyNode node, bool value);
    bool GetMultiline(PLazyNode node) const;
    void SetMultiline(PLazyNode node, bool value);
    uint8_t GetVerticalAlignment(PLazyNode node) const;
    void SetVerticalAlignment(PLazyNode node, uint8_t value);
    PLazyNode GetNodeParent(PLazyNode node) const;
    void SetNodeParent(PLazyNode node, PLazyNode value);
    bool GetSelected(PLazyNode node) const;
    void SetSelected(PLazyNode node, bool value);
    bool GetVisible(PLazyNode node);
    void SetVisible(PLazyNode node, bool value);
    bool GetFiltered(PLazyNode node) const;
    void SetFiltered(PLazyNode node, bool value);
    bool GetFullyVisible(PLazyNode node) const;
    void SetFullyVisible(PLazyNode node, bool value);
    bool GetVisiblePath(PLazyNode node) const;
    void SetVisiblePath(PLazyNode node, bool value);
    int GetNodeHeight(PLazyNode node);
    // Heights are clamped to 0 .. 65535.
    void SetNodeHeight(PLazyNode node, int value);
    TCheckState GetCheckState(PLazyNode node) const;
    void SetCheckState(PLazyNode node, TCheckState value);
    TCheckType GetCheckType(PLazyNode node) const;
    void SetCheckType(PLazyNode node, TCheckType value);
    bool GetEffectivelyFiltered(PLazyNode node) const;
    bool GetEffectivelyVisible(PLazyNode node) const;

    uint32_t TotalCount();
    uint32_t VisibleCount() const { return visibleCount_; }
    uint32_t CheckedCount();
    uint32_t CutCopyCount();
    void InitRecursive(PLazyNode node, uint32_t levels = std::numeric_limits<uint32_t>::max(), bool visibleOnly = true);
    uint32_t GetNodeLevel(PLazyNode node) const;
    bool HasAsParent(PLazyNode node, PLazyNode potentialParent) const;
    int CompareNodeOrder(PLazyNode node1, PLazyNode node2, bool considerChildrenAbove) const;
    void MeasureItemHeight(QPainter* canvas, PLazyNode node);
    // Line of a row's elements and top of its expand button, measured down from the row's top.
    void ComputeVerticalAlignment(PLazyNode node, bool withImages, bool withStateImages, int& line, int& buttonTop);

    // ---- Linking --------------------------------------------------------------------------------------
    uint32_t AbsoluteIndex(PLazyNode node);
    bool IsEmpty() const { return root_->ChildCount == 0; }

    // ---- Navigation (Init and NoInit pairs) -----------------------------------------------------------
    PLazyNode GetFirst(bool considerChildrenAbove = false);
    PLazyNode GetFirstNoInit(bool considerChildrenAbove = false);
    PLazyNode GetFirstChild(PLazyNode node);
    PLazyNode GetFirstChildNoInit(PLazyNode node);
    PLazyNode GetFirstInitialized(bool considerChildrenAbove = false);
    PLazyNode GetFirstChecked(TCheckState state = csCheckedNormal, bool considerChildrenAbove = false);
    PLazyNode GetFirstCutCopy(bool considerChildrenAbove = false);
    PLazyNode GetFirstLeaf();
    PLazyNode GetFirstLevel(uint32_t nodeLevel);
    PLazyNode GetFirstSelected(bool considerChildrenAbove = false);
    PLazyNode GetFirstVisible(PLazyNode node = nullptr, bool considerChildrenAbove = true, bool includeFiltered = false);
    PLazyNode GetFirstVisibleNoInit(
        PLazyNode node = nullptr, bool considerChildrenAbove = true, bool includeFiltered = false);
    PLazyNode GetFirstVisibleChild(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetFirstVisibleChildNoInit(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetLast(PLazyNode node = nullptr, bool considerChildrenAbove = false);
    PLazyNode GetLastNoInit(PLazyNode node = nullptr, bool considerChildrenAbove = false);
    PLazyNode GetLastChild(PLazyNode node);
    PLazyNode GetLastChildNoInit(PLazyNode node);
    PLazyNode GetLastInitialized(PLazyNode node = nullptr, bool considerChildrenAbove = false);
    PLazyNode GetLastVisible(PLazyNode node = nullptr, bool considerChildrenAbove = true, bool includeFiltered = false);
    PLazyNode GetLastVisibleNoInit(
        PLazyNode node = nullptr, bool considerChildrenAbove = true, bool includeFiltered = false);
    PLazyNode GetLastVisibleChild(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetLastVisibleChildNoInit(PLazyNode node, bool includeFiltered = false);

    PLazyNode GetNext(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetNextNoInit(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetPrevious(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetPreviousNoInit(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetNextInitialized(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetPreviousInitialized(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetNextChecked(PLazyNode node, TCheckState state = csCheckedNormal, bool considerChildrenAbove = false);
    PLazyNode GetPreviousChecked(
        PLazyNode node, TCheckState state = csCheckedNormal, bool considerChildrenAbove = false);
    PLazyNode GetNextCutCopy(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetPreviousCutCopy(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetNextSelected(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetPreviousSelected(PLazyNode node, bool considerChildrenAbove = false);
    PLazyNode GetNextLeaf(PLazyNode node);
    PLazyNode GetPreviousLeaf(PLazyNode node);
    PLazyNode GetNextLevel(PLazyNode node, uint32_t nodeLevel);
    PLazyNode GetPreviousLevel(PLazyNode node, uint32_t nodeLevel);
    PLazyNode GetNextSibling(PLazyNode node);
    PLazyNode GetNextSiblingNoInit(PLazyNode node);
    PLazyNode GetPreviousSibling(PLazyNode node);
    PLazyNode GetPreviousSiblingNoInit(PLazyNode node);
    PLazyNode GetNextVisibleSibling(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetNextVisibleSiblingNoInit(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetPreviousVisibleSibling(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetPreviousVisibleSiblingNoInit(PLazyNode node, bool includeFiltered = false);
    PLazyNode GetNextVisible(PLazyNode node, bool considerChildrenAbove = true);
    PLazyNode GetNextVisibleNoInit(PLazyNode node, bool considerChildrenAbove = true);
    PLazyNode GetPreviousVisible(PLazyNode node, bool considerChildrenAbove = true);
    PLazyNode GetPreviousVisibleNoInit(PLazyNode node, bool considerChildrenAbove = true);
    PLazyNode GetVisibleParent(PLazyNode node, bool includeFiltered = false);

    // Node sets for range-for loops.
    TVTLazyNodeEnumeration Nodes(bool considerChildrenAbove = false);
    TVTLazyNodeEnumeration CheckedNodes(TCheckState state = csCheckedNormal, bool considerChildrenAbove = false);
    TVTLazyNodeEnumeration ChildNodes(PLazyNode node);
    TVTLazyNodeEnumeration CutCopyNodes(bool considerChildrenAbove = false);
    TVTLazyNodeEnumeration InitializedNodes(bool considerChildrenAbove = false);
    TVTLazyNodeEnumeration LeafNodes();
    TVTLazyNodeEnumeration LevelNodes(uint32_t nodeLevel);
    TVTLazyNodeEnumeration NoInitNodes(bool considerChildrenAbove = false);
    TVTLazyNodeEnumeration SelectedNodes(bool considerChildrenAbove = false);
    TVTLazyNodeEnumeration VisibleNodes(
        PLazyNode node = nullptr, bool considerChildrenAbove = true, bool includeFiltered = false);
    TVTLazyNodeEnumeration VisibleChildNodes(PLazyNode node, bool includeFiltered = false);
    TVTLazyNodeEnumeration VisibleChildNoInitNodes(PLazyNode node, bool includeFiltered = false);
    TVTLazyNodeEnumeration VisibleNoInitNodes(
        PLazyNode node = nullptr, bool considerChildrenAbove = true, bool includeFiltered = false);

    // ---- Structure ------------------------------------------------------------------------------------
    virtual PLazyNode AddChild(PLazyNode parent, void* userData = nullptr);
    PLazyNode InsertNode(PLazyNode node, TVTNodeAttachMode mode, void* userData = nullptr);
    void DeleteNode(PLazyNode node);
    void DeleteChildren(PLazyNode node, bool resetHasChildren = false);
    virtual void DeleteSelectedNodes();
    virtual void Clear();
    // A target in another tree goes through node records (the source nodes are deleted here afterwards).
    void MoveTo(PLazyNode source, PLazyNode target, TVTNodeAttachMode mode, bool childrenOnly);
    void MoveTo(PLazyNode source, TBaseLazyTree* tree, TVTNodeAttachMode mode, bool childrenOnly);
    // Copies through node records; the last node made (the target with childrenOnly), nil when refused.
    PLazyNode CopyTo(PLazyNode source, PLazyNode target, TVTNodeAttachMode mode, bool childrenOnly);
    PLazyNode CopyTo(PLazyNode source, TBaseLazyTree* tree, TVTNodeAttachMode mode, bool childrenOnly);
    // A nil target: the last top-level node of this tree.
    void MoveTo(PLazyNode source, std::nullptr_t, TVTNodeAttachMode mode, bool childrenOnly)
    {
        MoveTo(source, PLazyNode(nullptr), mode, childrenOnly);
    }
    PLazyNode CopyTo(PLazyNode source, std::nullptr_t, TVTNodeAttachMode mode, bool childrenOnly)
    {
        return CopyTo(source, PLazyNode(nullptr), mode, childrenOnly);
    }

    // ---- Tree stream ----------------------------------------------------------------------------------
    // With a node, its subtree as the only record; else every top-level node.
    virtual void SaveToStream(TStream& stream, PLazyNode node = nullptr);
    // Checks the header first: a bad header raises and leaves the tree as it was.
    virtual void LoadFromStream(TStream& stream);
    void AddFromStream(TStream& stream, PLazyNode targetNode);
    // Node records one after the other, without header (copying, moving and the transfer payload).
    void WriteNodeRecords(TStream& stream, const TNodeArray& nodes);
    // The records of a node, or of its children only, ready to be read.
    void WriteSourceRecords(TMemoryStream& stream, PLazyNode source, bool childrenOnly);
    // Reads the record count, then as many node records (with their subtrees)
    // as children of parent.
    void LoadRecordsUnder(TStream& stream, int version, PLazyNode parent);
    // Links each record of the stream at the target (advancing it for amInsertAfter); answers whether the
    // stream was read. Record errors propagate after the bracket is closed.
    bool InsertNodeRecords(TStream& stream, PLazyNode target, TVTNodeAttachMode mode, TChangeReason reason);
    // Moves nodes of the source tree (this or another) to the target in an order that keeps theirs; a node
    // that holds the target is skipped.
    void MoveNodesHere(TBaseLazyTree& source, const TNodeArray& nodes, PLazyNode target, TVTNodeAttachMode mode);

    // ---- Cut and copy marks ---------------------------------------------------------------------------
    TVTNodeAttachMode DefaultPasteMode() const { return defaultPasteMode_; }
    void SetDefaultPasteMode(TVTNodeAttachMode value) { defaultPasteMode_ = value; }
    // Marks every selected node that is not disabled.
    void MarkCutCopySet();
    virtual void CancelCutOrCopy();
    void FinishCutOrCopy();
    // Marked nodes in tree order; with resolve, a marked node's subtree is not entered.
    TNodeArray GetSortedCutCopySet(bool resolve);
    virtual void ReinitNode(PLazyNode node, bool recursive);
    virtual void ReinitChildren(PLazyNode node, bool recursive);
    virtual void ResetNode(PLazyNode node);
    void ValidateNode(PLazyNode node, bool recursive);
    void ValidateChildren(PLazyNode node, bool recursive);
    virtual void BeginUpdate();
    virtual void EndUpdate();
    void BeginSynch();
    void EndSynch();
    PLazyNode IterateSubtree(PLazyNode node, const TVTGetNodeProc& callback, void* data,
        TLazyNodeStates filter = {}, bool doInit = false, bool childNodesOnly = false);

    // ---- Check states ---------------------------------------------------------------------------------
    void SetCheckStateForAll(TCheckState checkState, bool selectedOnly, bool excludeDisabled = true);

    // ---- Operations, timers, animation ----------------------------------------------------------------
    void BeginOperation(TVTOperationKind kind);
    void EndOperation(TVTOperationKind kind);
    void CancelOperation();
    bool OperationCanceled() const { return operationCanceled_ && operationCount_ > 0; }
    uint32_t OperationCount() const { return operationCount_; }
    // Steps the callback over `steps` pixels in `duration` ms, driven by the clock's AnimationTimer.
    virtual void RunAnimation(uint32_t steps, uint32_t duration, TVTAnimationCallback callback);

    // ---- Tree states and notifications ----------------------------------------------------------------
    virtual void ChangeTreeStates(TLazyTreeStates enter, TLazyTreeStates leave);
    virtual void NotifyChange(PLazyNode node);
    virtual void NotifyStructureChange(PLazyNode node, TChangeReason reason);

    // ---- Geometry, hit testing, scrolling -------------------------------------------------------------
    int ClientWidth() const { return view_ ? view_->ClientWidth() : 0; }
    int ClientHeight() const { return view_ ? view_->ClientHeight() : 0; }
    TRect GetDisplayRect(PLazyNode node, TColumnIndex column, bool textOnly, bool unclipped = false,
        bool applyCellContentMargin = false);
    PLazyNode GetNodeAt(int x, int y, bool relative, int& nodeTop);
    PLazyNode GetNodeAt(int x, int y);
    PLazyNode GetNodeAt(TPoint p) { return GetNodeAt(p.X, p.Y); }
    virtual void GetHitTestInfoAt(int x, int y, bool relative, THitInfo& hitInfo);
    TRect GetTreeRect() const;
    virtual int GetMaxColumnWidth(TColumnIndex column, bool useSmartColumnWidth = false);
    virtual TRect InvalidateNode(PLazyNode node);
    void InvalidateChildren(PLazyNode node, bool recursive);
    void InvalidateColumn(TColumnIndex column);
    void InvalidateToBottom(PLazyNode node);
    void RepaintNode(PLazyNode node);
    void Invalidate();
    bool ScrollIntoView(PLazyNode node, bool center, bool horizontally = false);
    bool ScrollIntoView(TColumnIndex column, bool center);
    void UpdateHorizontalRange();
    void UpdateVerticalRange();
    void UpdateRanges();
    void UpdateHorizontalScrollBar(bool doRepaint);
    void UpdateVerticalScrollBar(bool doRepaint);
    virtual void UpdateScrollBars(bool doRepaint);
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
    void AdaptDefaultNodeHeight();
    uint32_t RangeX() const { return rangeX_; }
    uint32_t RangeY() const { return rangeY_; }
    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    int EffectiveOffsetX() const { return effectiveOffsetX_; }
    void SetOffsetX(int value);
    void SetOffsetY(int value);
    void SetOffsetXY(TPoint value);
    // Clamps and applies a new scroll offset; True when it changed.
    virtual bool SetScrollOffset(TPoint value, TScrollUpdateOptions options, const TRect* clipRect = nullptr);
    PLazyNode TopNode();
    void SetTopNode(PLazyNode node);
    PLazyNode BottomNode();
    void SetBottomNode(PLazyNode node);

    // ---- Expand, collapse, sort -----------------------------------------------------------------------
    void ToggleNode(PLazyNode node);
    virtual void FullExpand(PLazyNode node = nullptr);
    virtual void FullCollapse(PLazyNode node = nullptr);
    virtual void Sort(PLazyNode node, TColumnIndex column, TSortDirection direction, bool doInit = true);
    virtual void SortTree(TColumnIndex column, TSortDirection direction, bool doInit = true);

    // ---- Selection and focus --------------------------------------------------------------------------
    uint32_t SelectedCount() const { return static_cast<uint32_t>(selectionCount_); }
    bool SelectionLocked() const { return selectionLocked_; }
    void SetSelectionLocked(bool value) { selectionLocked_ = value; }
    // The selection array (sorted by address); entries past SelectedCount or with the low bit set are
    // marked for removal until the next compaction.
    const TNodeArray& SelectionArray() const { return selection_; }
    PLazyNode FocusedNode() const { return focusedNode_; }
    void SetFocusedNode(PLazyNode node);
    TColumnIndex FocusedColumn() const { return focusedColumn_; }
    void SetFocusedColumn(TColumnIndex value);
    PLazyNode RangeAnchor() const { return rangeAnchor_; }
    PLazyNode NextNodeToSelect() const { return nextNodeToSelect_; }
    int LastSelectionLevel() const { return lastSelectionLevel_; }
    virtual void AddToSelection(PLazyNode node);
    virtual void IncludeNodesInSelection(TNodeArray& nodes, uint32_t count, bool unchecked);
    virtual void RemoveFromSelection(PLazyNode node);
    void EnsureNodeSelected();
    void SelectAll(bool visibleOnly);
    void InvertSelection(bool visibleOnly);
    void ClearSelection();
    void ClearChecked();
    TNodeArray GetSortedSelection(bool resolve);

    // ---- Editing and hints ----------------------------------------------------------------------------
    bool EditNode(PLazyNode node, TColumnIndex column);
    bool EndEditNode();
    bool CancelEditNode();
    bool CanEdit(PLazyNode node, TColumnIndex column);
    bool IsEditing() const { return states_.Has(tsEditing); }
    bool IsMouseSelecting() const { return states_.HasAny({tsDrawSelPending, tsDrawSelecting}); }
    std::shared_ptr<IVTEditLink> EditLink() const { return editLink_; }
    TColumnIndex EditColumn() const { return editColumn_; }
    void FireDrawHint(QPainter* hintCanvas, PLazyNode node, const TRect& r, TColumnIndex column);
    virtual void FireGetHintSize(PLazyNode node, TColumnIndex column, TRect& r);
    void FireGetHintKind(PLazyNode node, TColumnIndex column, TVTHintKind& kind);

    // ---- Input: the control's messages ----------------------------------------------------------------
    // Points are client coordinates; `shift` holds the modifier keys and the mouse buttons down during the
    // event (the pressed button included).
    void MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y);
    void MouseButtonDoubleClick(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // `delta` in eighths of a degree (120 per notch); answers whether the tree took the wheel.
    bool MouseWheel(int delta, TShiftState shift);
    void MouseEnter();
    void MouseLeave();
    void FocusGained();
    void FocusLost();
    void CancelMode();
    void Resized();
    void ContextMenuRequested();
    // Key codes are the VK_ values; other keys pass their character code (letters in upper case) or any
    // number of 32 and above. KeyDown answers whether the tree used the key's default handling.
    bool KeyDown(int& key, TShiftState shift);
    void KeyPress(char32_t character);
    void KeyUp(int key, TShiftState shift);
    // A scroll bar moved by the user to `position` (scroll bar units); `tracking` while its thumb is dragged.
    void ScrollBarMoved(TScrollBarKind bar, int position, bool tracking);
    void ScrollBarReleased(TScrollBarKind bar);
    // Pixels per horizontal scroll step: the header's, or the Indent without columns.
    int HeaderScrollWidth() const;

    // ---- Painting support (no pixels) -----------------------------------------------------------------
    // The line types of a row, one per indentation level; answers the number of selected ancestors.
    virtual int BuildLineImage(PLazyNode node, TLineImage& lineImage);
    bool VisibleSiblingFollows(PLazyNode node) const;
    bool VisibleSiblingPrecedes(PLazyNode node) const;
    bool IsFirstShownChild(PLazyNode parent, PLazyNode node) const;
    bool IsLastShownChild(PLazyNode parent, PLazyNode node) const;
    // Index into a 25-image check strip; -1 for none. With a node its own type and state are used.
    virtual int CheckImageIndexFor(PLazyNode node, TCheckType checkType, TCheckState checkState, bool enabled) const;
    static TCheckState NextCheckStateFor(TCheckType checkType, TCheckState checkState);
    // Moves right-to-left content by this many pixels.
    virtual int RightToLeftOffset(bool excludeScrollBar) const;

    // The owner of a node; nil for a nil node is an assertion.
    friend TBaseLazyTree* TreeFromNode(PLazyNode node);
    friend class TCustomLazyTreeOptions;
    friend class TVTLazyNodeEnumeration;
    friend class TVTHeader;
    friend class TLazyTreeColumns;

protected:
    // ---- Node model internals -------------------------------------------------------------------------
    PLazyNode AllocateNode();
    void AllocateRootNode();
    std::size_t ReserveInternalData(std::size_t size);
    void* GetInternalData(PLazyNode node, std::size_t offset) const;
    virtual void InitializeNode(PLazyNode node);
    virtual void InitializeChildren(PLazyNode node);
    virtual void DisposeNode(PLazyNode node);
    void UpdateTotalCount(PLazyNode node, int64_t value, bool relative);
    void UpdateTotalHeight(PLazyNode node, int64_t value, bool relative);
    void RecountTotalCount(PLazyNode node);
    void RecountTotalHeight(PLazyNode node);
    virtual uint32_t CountVisibleDescendants(PLazyNode node) const;
    virtual void UpdateAllChildrenHidden(PLazyNode node);
    int LevelDifference(PLazyNode node1, PLazyNode node2) const;
    bool FullyVisible(PLazyNode node) const;  // without assertion
    bool VisiblePathHolds(PLazyNode node) const;
    bool IsEffectivelyFiltered(PLazyNode node) const;
    int OwnHeight(PLazyNode node) const { return IsEffectivelyFiltered(node) ? 0 : node->NodeHeight; }

    // ---- Position cache -------------------------------------------------------------------------------
    uint32_t CacheEntryCount() const;
    virtual void BuildPositionCache();
    PLazyNode CacheLookupByPosition(uint32_t position, uint32_t& absoluteTop);
    PLazyNode CacheLookupByNode(PLazyNode node, uint32_t& absoluteTop);
    void RequestCacheValidation();
    void StopCacheValidation();
    // ---- The validation worker's side (validation_worker.h) ----
public:
    // Builds a cache of the current structure into `cache`; false when `stop` was raised meanwhile. Runs on
    // the worker while the GUI thread waits for events; it only reads the nodes.
    bool BuildCacheOnWorker(const std::atomic<bool>& stop, TCache& cache);
    // On the GUI thread: takes a cache built as of `generation` unless the tree changed since.
    void AdoptWorkerCache(TCache&& cache, uint64_t generation);
    uint64_t CacheGeneration() const { return cacheGeneration_; }
protected:
    virtual void StartCacheValidation();
    const TCache& PositionCache() const { return positionCache_; }
    // Builds the cache now when a validation is queued (stands in for a background builder).
    void ValidateCacheIfQueued();

    // ---- Tree stream internals ------------------------------------------------------------------------
    virtual void WriteNodeRecord(TStream& stream, PLazyNode node);
    virtual void WriteNodeChunks(TStream& stream, PLazyNode node);
    void PatchChunkSize(TStream& stream, int64_t start, int64_t end);
    void MoveToOtherTree(PLazyNode source, PLazyNode target, TVTNodeAttachMode mode, bool childrenOnly);
    // Reads one record into an existing node (its children are built here).
    virtual void ReadNodeRecord(TStream& stream, int version, PLazyNode node);
    // One chunk other than the base chunk, header read; True when understood. The caller moves on to the
    // chunk's end whatever the handler read.
    virtual bool ReadNodeChunk(TStream& stream, int version, PLazyNode node, int32_t chunkType, int32_t chunkSize);
    void SkipNodeRecord(TStream& stream);
    // Reads a record into a node already linked here and brings counters and selection up to date; the
    // tree stays consistent also when the record turns out to be corrupt.
    void LoadNodeSubtree(TStream& stream, int version, PLazyNode node);
    virtual void FireSaveNode(PLazyNode node, TStream& stream);
    virtual void FireLoadNode(PLazyNode node, TStream& stream);
    virtual bool FireNodeCopying(PLazyNode node, PLazyNode target);
    virtual void FireNodeCopied(PLazyNode node);

    // ---- Linking --------------------------------------------------------------------------------------
    virtual void LinkNode(PLazyNode node, PLazyNode destination, TBaseLazyTree* target, TVTNodeAttachMode mode);
    virtual void UnlinkNode(PLazyNode node, bool keepFocus, bool reindex, bool parentClearing);
    virtual void RecomputeChildrenHiddenFlags();
    void DeleteNodeInternal(PLazyNode node, bool reindex, bool parentClearing);

    // ---- Event dispatch -------------------------------------------------------------------------------
    virtual void FireChange(PLazyNode node);
    virtual void FireStructureChange(PLazyNode node, TChangeReason reason);
    virtual void RecordPendingChange(bool isStructure, PLazyNode node, TChangeReason reason);
    virtual void FireInitNode(PLazyNode parent, PLazyNode node, TLazyNodeInitStates& initStates);
    virtual bool FireInitChildren(PLazyNode node, uint32_t& childCount);
    virtual void FireFreeNode(PLazyNode node);
    virtual int FireGetNodeDataSize();
    virtual bool FireChecking(PLazyNode node, TCheckState& newState);
    virtual void FireChecked(PLazyNode node);
    virtual void ApplyCheckState(PLazyNode node, TCheckState newState);
    virtual bool FireExpanding(PLazyNode node);
    virtual bool FireCollapsing(PLazyNode node);
    virtual void FireExpanded(PLazyNode node);
    virtual void FireCollapsed(PLazyNode node);
    virtual int FireCompareNodes(PLazyNode node1, PLazyNode node2, TColumnIndex column);
    virtual bool FireNodeMoving(PLazyNode node, PLazyNode target);
    virtual void FireNodeMoved(PLazyNode node);
    virtual void FireResetNode(PLazyNode node);
    virtual bool FireFocusChanging(PLazyNode oldNode, PLazyNode newNode, TColumnIndex oldColumn, TColumnIndex newColumn);
    virtual void FireFocusChanged(PLazyNode node, TColumnIndex column);
    virtual void FireAddToSelection(PLazyNode node);
    virtual void FireRemoveFromSelection(PLazyNode node);
    virtual void FireMeasureItem(QPainter* canvas, PLazyNode node, int& nodeHeight);
    virtual void FireScroll(int deltaX, int deltaY);
    virtual void FireUpdating(TVTUpdateState state);
    virtual void FireStartOperation(TVTOperationKind kind);
    virtual void FireEndOperation(TVTOperationKind kind);
    virtual bool FireGetCellIsEmpty(PLazyNode node, TColumnIndex column);
    virtual void FireShowScrollBar(TScrollBarKind bar, bool show);
    virtual void FireEditing(PLazyNode node, TColumnIndex column, bool& allowed);
    virtual std::shared_ptr<IVTEditLink> FireCreateEditor(PLazyNode node, TColumnIndex column);
    virtual void FireEdited(PLazyNode node, TColumnIndex column);
    virtual void FireEditCancelled(TColumnIndex column);
    virtual void FireBeforeCellPaint(QPainter* canvas, PLazyNode node, TColumnIndex column,
        TVTCellPaintMode mode, const TRect& cellRect, TRect& contentRect);
    virtual TCustomImageList* FireGetImageIndex(
        PLazyNode node, TVTImageKind kind, TColumnIndex column, bool& ghosted, int& index);
    virtual TVTHintKind DefaultHintKind() const { return vhkText; }
    // Whether automatic sorting can change anything (a comparison exists).
    virtual bool CanCompareNodes() const { return static_cast<bool>(OnCompareNodes); }
    virtual uint32_t VisibleContentWidth();
    virtual bool NodeHasImage(PLazyNode node, TVTImageKind kind, TColumnIndex column);
    virtual int NodeContentWidth(PLazyNode node, TColumnIndex column);
    virtual int NodeExtraWidth(PLazyNode node, TColumnIndex column);
    virtual TPoint ComputeCellContentMargin(PLazyNode node, TColumnIndex column, TVTCellContentMarginType marginType);
    virtual TSize ImageSize(TImageSlot slot) const;
    int FontHeight() const;

    // ---- Check states ---------------------------------------------------------------------------------
    bool PropagateCheckState(PLazyNode node, TCheckState value);
    virtual bool DeriveParentCheckState(PLazyNode node, TCheckState newState);

    // ---- Geometry helpers for the widget ---------------------------------------------------------------
    // In-row classification of a hit (button, check box, icons, label) from the row's layout.
    virtual void ClassifyHitLeftToRight(THitInfo& hitInfo, int x, int right, TAlignment alignment);
    virtual void ClassifyHitRightToLeft(THitInfo& hitInfo, int x, int right, TAlignment alignment);
    TRowHitLayout RowHitLayoutFor(PLazyNode node, TColumnIndex column);
    virtual void TrackHotNodeAtCursor();
    virtual void AutoScrollStep();
    virtual void ExpandDropTarget() {}

    // ---- Mouse handling -------------------------------------------------------------------------------
    struct TMouseMessage {
        TMouseButton Button = mbLeft;
        TShiftState Keys;
        int X = 0;
        int Y = 0;
    };
    virtual void ProcessMouseDown(const TMouseMessage& message, THitInfo& hitInfo);
    virtual void ProcessMouseUp(const TMouseMessage& message, const THitInfo& hitInfo);
    virtual void ProcessMouseDoubleClick(const TMouseMessage& message, const THitInfo& hitInfo);
    virtual void TrackHotNode(int x, int y);
    void ClearStalePressStates();
    bool MayResizeNodeBySplitter(TPoint p, PLazyNode node, TColumnIndex column);
    virtual bool NodeHasPopupMenu(PLazyNode node, TColumnIndex column, TPoint position);
    virtual void ShowNodePopupMenu(PLazyNode node, TColumnIndex column, TPoint position);
    virtual QMenu* FireGetPopupMenu(PLazyNode node, TColumnIndex column, TPoint position);
    virtual bool FireDragAllowed(PLazyNode node, TColumnIndex column);
    virtual void FireNodeClick(const THitInfo& hitInfo);
    virtual void FireNodeDblClick(const THitInfo& hitInfo);
    virtual void FireHotChange(PLazyNode oldNode, PLazyNode newNode);
    virtual void FireColumnClick(TColumnIndex column, TShiftState shift);
    virtual void FireColumnDblClick(TColumnIndex column, TShiftState shift);
    virtual bool FireKeyAction(int& charCode, TShiftState& shift);
    virtual int FireIncrementalSearch(PLazyNode node, const std::u32string& text);
    virtual void StartOleDrag(TPoint position);
    virtual bool IsDropTarget() const { return false; }

    // ---- Band selection -------------------------------------------------------------------------------
    virtual bool UpdateBandRect(int x, int y);
    bool UpdateBandSelection();
    void ChangeBandMember(PLazyNode node, bool inNew, bool toggle);
    bool SelectInBandLeftToRight(TColumnIndex mainColumn, int left, const TRect& newRect, const TRect& oldRect,
        TAlignment alignment, int right);
    bool SelectInBandRightToLeft(TColumnIndex mainColumn, int left, const TRect& newRect, const TRect& oldRect,
        TAlignment alignment, int right);
    void ApplyClickSelection(PLazyNode newNode, TShiftState shift, bool autoDrag);
    virtual bool AutoScrollAllowed() const;

    // ---- Scrolling, panning, incremental search -------------------------------------------------------
    virtual TScrollDirections ComputeScrollDirections(int x, int y);
    virtual void UpdateAutoScroll(int x, int y);
    virtual void BeginWheelPanning(TPoint position);
    virtual void EndWheelPanning();
    virtual void UpdatePanningCursor(int x, int y);
    virtual void IncrementalSearchKey(char32_t character);
    virtual void PlaceEditor();
    void GetColumnBounds(TColumnIndex column, int& left, int& right) const;
    bool HasWindow() const { return view_ != nullptr; }

    // ---- Toggle animation -----------------------------------------------------------------------------
    // Where ToggleNode would animate: the widget scrolls the areas of `expanding` node by `heightDelta`.
    // Answers whether the pull-down collapse variant was set up (the whole view is then repainted).
    struct ToggleAnimationInfo {
        PLazyNode Node = nullptr;
        bool Expanding = false;
        int HeightDelta = 0;
        TRect R1;
        bool Fits = false, RoomBelow = false, FitsAndFull = false, RoomAbove = false, RowShown = false;
    };
    virtual bool AnimateToggle(const ToggleAnimationInfo& info) { return false; }

    // ---- Selection internals --------------------------------------------------------------------------
    void AddNodeToSelection(PLazyNode node, bool forceInsert);
    bool MergeIntoSelection(TNodeArray& newItems, uint32_t newLength, bool forceInsert);
    bool FindInSelection(PLazyNode node, int& index, int lowBound, int highBound) const;
    void MarkDeselected(PLazyNode node);
    virtual void DropWholeSelection();
    void CompactSelection();
    virtual void SelectRange(PLazyNode startNode, PLazyNode endNode, bool addOnly);
    virtual void ToggleRangeSelection(PLazyNode startNode, PLazyNode endNode);
    virtual void DeselectRange(PLazyNode startNode, PLazyNode endNode);
    void AppendToTempCache(PLazyNode node);
    void ResetTempNodeCache();
    uint32_t TempNodeCacheLength() const { return static_cast<uint32_t>(tempNodeCache_.size()); }
    void AnchorRangeAtFocus();
    void ChooseNextNodeToSelect(PLazyNode node);
    void EnsureFocusedNode();
    virtual void MoveFocus(PLazyNode node, bool ask);
    void FocusNodeAndColumn(PLazyNode node, TColumnIndex column);
    virtual void ClearSelectionInternal(bool notify);

    // ---- Editing --------------------------------------------------------------------------------------
    virtual void StartEditing();
    virtual bool FinishEditing();
    virtual bool AbortEditing();

    // ---- Timers -----------------------------------------------------------------------------------------
    void StartTreeTimer(int id, uint32_t intervalMs);
    void KillTreeTimer(int id);

    // ---- Fields shared with the widget ----------------------------------------------------------------
    bool destroying_ = false;
    PLazyNode lastSelected_ = nullptr;
    PLazyNode currentHotNode_ = nullptr;
    PLazyNode dropTargetNode_ = nullptr;
    PLazyNode lastVCLDragTarget_ = nullptr;
    PLazyNode lastSearchNode_ = nullptr;
    PLazyNode checkNode_ = nullptr;
    TCheckState pendingCheckState_ = csUncheckedNormal;
    std::u32string searchBuffer_;
    TColumnIndex currentHotColumn_ = 0;
    bool hotNodeButtonHit_ = false;
    TDropMode lastDropMode_ = dmNowhere;
    TPoint lastClickPos_;
    TShiftState drawSelShiftState_;
    TRect newSelRect_;
    TRect lastSelRect_;
    PLazyNode heightTrackNode_ = nullptr;
    TColumnIndex heightTrackColumn_ = 0;
    TPoint heightTrackPoint_;
    TScrollDirections scrollDirections_;
    uint32_t dragScrollStart_ = 0;
    TColumnIndex clickIndex_ = NoColumn; // the header column pressed last

private:
    void SetFocusedColumnField(TColumnIndex value) { focusedColumn_ = value; }
    bool AutoSortWanted() const;
    void AssertMainThread() const;
    bool CallAnimation(int position, int stepSize);
    void BeginAnimationStep();
    void WaitForAnimationDeadline();
    void AnimationStep();
    void FinishAnimation();
    void CheckUserDataSpace();
    void StoreUserData(PLazyNode node, void* userData);
    void DeliverPendingStructureChange();
    bool PropagateCheckStateSteps(PLazyNode node, TCheckState value);
    PLazyNode IterateSubtreeSteps(PLazyNode node, const TVTGetNodeProc& callback, void* data,
        TLazyNodeStates filter, bool doInit, bool childNodesOnly);
    void ToggleNodeSteps(PLazyNode node);
    PLazyNode CreateChildChain(uint32_t count, uint32_t firstIndex, PLazyNode parent, PLazyNode& last);
    void SortSubtree(PLazyNode node, TColumnIndex column, TSortDirection direction, bool doInit);
    PLazyNode MergeSort(PLazyNode& chain, uint32_t count, TColumnIndex column, bool descending);
    PLazyNode LastVisibleBelow(PLazyNode node, bool childrenAbove, bool includeFiltered, bool init);
    PLazyNode VisiblePredecessorChildrenAbove(PLazyNode node, bool init);
    PLazyNode NextVisibleImpl(PLazyNode node, bool considerChildrenAbove, bool init);
    PLazyNode PreviousVisibleImpl(PLazyNode node, bool considerChildrenAbove, bool init);
    PLazyNode FirstVisibleImpl(PLazyNode node, bool considerChildrenAbove, bool includeFiltered, bool init);
    void ApplyShowFilteredNodes(bool shown);
    void DestroyTypedData(PLazyNode node);
    void* TypedDataSlot(PLazyNode node, std::size_t size, std::size_t align, const std::type_info& type,
        void (*destroy)(void*), bool& fresh);

    std::unique_ptr<TCustomLazyTreeOptions> options_;
    TreeView* view_ = nullptr;
    TreeClock* clock_ = nullptr;
    ContentMeasurer* measurer_ = nullptr;
    TreeColumns noColumns_;
    TreeColumns* columns_ = &noColumns_;
    EditLinkFactory* editLinkFactory_ = nullptr;
    std::thread::id mainThread_;

    // Node model.
    PLazyNode root_ = nullptr;
    void* rootBlock_ = nullptr;
    std::size_t rootBlockSize_ = 0;
    int nodeDataSize_ = -1;
    std::size_t totalInternalDataSize_ = 0;
    uint32_t defaultNodeHeight_ = 18;
    uint32_t visibleCount_ = 0;
    TCache positionCache_;
    uint32_t startIndex_ = 0;
    bool cacheBuildQueued_ = false;
    bool queuedWithWorker_ = false;
    uint64_t cacheGeneration_ = 0; // grows with every change the cache depends on
    TNodeArray singletonNodeArray_ = TNodeArray(1);
    const std::type_info* typedDataType_ = nullptr;
    void (*typedDataDestroy_)(void*) = nullptr;

    // States and notifications.
    TLazyTreeStates states_;
    uint32_t updateCount_ = 0;
    uint32_t synchUpdateCount_ = 0;
    TChangeReason lastStructureChangeReason_ = crIgnore;
    PLazyNode lastStructureChangeNode_ = nullptr;
    PLazyNode lastChangedNode_ = nullptr;
    uint32_t changeDelay_ = 0;
    uint32_t operationCount_ = 0;
    bool operationCanceled_ = false;
    uint32_t checkPropagationCount_ = 0;

    // Animation run by the clock.
    struct AnimationRun {
        TVTAnimationCallback callback;
        int steps = 0;
        int stepSize = 0;
        int remainingSteps = 0;
        int remainingTime = 0;
        int position = 0;
        uint32_t start = 0;
        uint32_t deadline = 0;
    } animation_;

    // Properties.
    uint32_t indent_ = 18;
    int margin_ = 4;
    int textMargin_ = 4;
    TAlignment alignment_ = taLeftJustify;
    TVTNodeAlignment nodeAlignment_ = naProportional;
    TBiDiMode biDiMode_ = bdLeftToRight;
    uint32_t bottomSpace_ = 0;
    uint32_t animationDuration_ = 200;
    uint32_t editDelay_ = 1000;
    uint32_t autoExpandDelay_ = 1000;
    uint32_t autoScrollDelay_ = 1000;
    uint32_t autoScrollInterval_ = 1;
    uint32_t searchTimeout_ = 1000;
    TVTIncrementalSearch incrementalSearch_ = isNone;
    TVTSearchDirection searchDirection_ = sdForward;
    TVTSearchStart searchStart_ = ssFocusedNode;
    bool wantTabs_ = false;
    int dragThreshold_ = 0;
    TDragMode dragMode_ = dmManual;
    TVTDrawSelectionMode drawSelectionMode_ = smDottedRectangle;
    TScrollBarOptions scrollBarOptions_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    QAccessibleInterface* accessible_ = nullptr;
    QAccessibleInterface* accessibleItem_ = nullptr;

    // Geometry.
    int offsetX_ = 0;
    int offsetY_ = 0;
    int effectiveOffsetX_ = 0;
    uint32_t rangeX_ = 0;
    uint32_t rangeY_ = 0;

    // Selection and focus.
    TNodeArray selection_;
    int selectionCount_ = 0;
    bool selectionLocked_ = false;
    PLazyNode rangeAnchor_ = nullptr;
    int lastSelectionLevel_ = -1;
    TNodeArray tempNodeCache_;
    uint32_t tempNodeCount_ = 0;
    PLazyNode nextNodeToSelect_ = nullptr;
    PLazyNode focusedNode_ = nullptr;
    TColumnIndex focusedColumn_ = NoColumn;

    TVTNodeAttachMode defaultPasteMode_ = amAddChildLast;

    // Editing.
    TColumnIndex editColumn_ = 0;
    std::shared_ptr<IVTEditLink> editLink_;
};

// The owner of a node (walks up to the root).
TBaseLazyTree* TreeFromNode(PLazyNode node);

// Sorts nodes [first, last] by address.
void SortNodeArray(TNodeArray& nodes, int first, int last);

// Drops the entries marked with the low bit and moves the rest to the front; -1 for a count of 0, else the
// number kept.
int CompactNodeArray(TNodeArray& nodes, int count);

// Marking of array entries (the low address bit).
inline PLazyNode MarkedNode(PLazyNode node)
{
    return reinterpret_cast<PLazyNode>(reinterpret_cast<uintptr_t>(node) | 1u);
}
inline bool IsMarkedNode(PLazyNode node)
{
    return (reinterpret_cast<uintptr_t>(node) & 1u) != 0;
}

template <class T>
T* TBaseLazyTree::GetNodeData(PLazyNode node)
{
    static_assert(alignof(T) <= kNodeDataAlignment, "node records cannot be aligned beyond pointers");
    bool fresh = false;
    void* slot = TypedDataSlot(node, sizeof(T), alignof(T), typeid(T),
        [](void* p) { static_cast<T*>(p)->~T(); }, fresh);
    if (!slot)
        return nullptr;
    if (!fresh)
        return std::launder(static_cast<T*>(slot));
    // Blocks start zeroed, so a trivial record already lives there: zero, or holding the pointer that
    // AddChild, InsertNode or SetNodeData stored. Constructing it would wipe that pointer.
    T* record = nullptr;
    if constexpr (std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>)
        record = std::launder(static_cast<T*>(slot));
    else
        record = new (slot) T();
    node->States.Include(vsTypedDataConstructed);
    return record;
}

} // namespace lazytree
