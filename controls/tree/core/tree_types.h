#pragma once

// Types shared by the tree core and the widget on top of it: the node record and its states, the tree
// states, check types and states, attach modes, change reasons, hit information and plain geometry.

#include "controls/tree/core/enum_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lazytree {

class TBaseLazyTree;
class TCustomImageList; // defined by the widget library; the core only passes it on

// Node states, in bit order.
enum TLazyNodeState : unsigned {
    vsInitialized,
    vsChecking,
    vsCutOrCopy,
    vsDisabled,
    vsDeleting,
    vsExpanded,
    vsHasChildren,
    vsVisible,
    vsSelected,
    vsOnFreeNodeCallRequired,
    vsAllChildrenHidden,
    vsReleaseCallOnUserDataRequired,
    vsMultiline,
    vsHeightMeasured,
    vsToggling,
    vsFiltered,
    vsInitializing,
    // Our own: the typed record accessor has constructed a record in the user data.
    vsTypedDataConstructed = 24,
};
using TLazyNodeStates = EnumSet<TLazyNodeState, uint32_t>;

enum TLazyNodeInitState : unsigned {
    ivsDisabled,
    ivsExpanded,
    ivsHasChildren,
    ivsMultiline,
    ivsSelected,
    ivsFiltered,
    ivsReInit,
};
using TLazyNodeInitStates = EnumSet<TLazyNodeInitState, uint8_t>;

enum TCheckType : uint8_t { ctNone, ctTriStateCheckBox, ctCheckBox, ctRadioButton, ctButton };

enum TCheckState : uint8_t {
    csUncheckedNormal,
    csUncheckedPressed,
    csCheckedNormal,
    csCheckedPressed,
    csMixedNormal,
    csMixedPressed,
    csUncheckedDisabled,
    csCheckedDisabled,
    csMixedDisabled,
};
constexpr int kCheckStateCount = 9;

// The state mappings, one entry per check state in the order of TCheckState.
using TCheckStateMap = std::array<TCheckState, kCheckStateCount>;
constexpr TCheckStateMap PressedForm = {csUncheckedPressed, csUncheckedPressed, csCheckedPressed,
    csCheckedPressed, csMixedPressed, csMixedPressed, csUncheckedDisabled, csCheckedDisabled, csMixedDisabled};
constexpr TCheckStateMap NormalForm = {csUncheckedNormal, csUncheckedNormal, csCheckedNormal,
    csCheckedNormal, csMixedNormal, csMixedNormal, csUncheckedDisabled, csCheckedDisabled, csMixedDisabled};
constexpr TCheckStateMap EnabledForm = {csUncheckedNormal, csUncheckedPressed, csCheckedNormal,
    csCheckedPressed, csMixedNormal, csMixedPressed, csUncheckedNormal, csCheckedNormal, csMixedNormal};
constexpr TCheckStateMap ToggledForm = {csCheckedNormal, csCheckedPressed, csUncheckedNormal,
    csUncheckedPressed, csCheckedNormal, csCheckedPressed, csUncheckedDisabled, csCheckedDisabled,
    csMixedDisabled};

constexpr bool IsDisabledCheckState(TCheckState s)
{
    return s == csUncheckedDisabled || s == csCheckedDisabled || s == csMixedDisabled;
}
constexpr bool IsCheckedState(TCheckState s)
{
    return s == csCheckedNormal || s == csCheckedPressed || s == csCheckedDisabled;
}

// The node record. It is the head of one zero-filled block: the record, then the user data area, then the
// internal blocks of the tree classes.
struct TLazyNode {
    uint32_t Index;
    uint32_t ChildCount;
    uint16_t NodeHeight;
    TLazyNodeStates States;
    uint8_t Align;
    TCheckState CheckState;
    TCheckType CheckType;
    uint8_t Dummy;
    uint32_t TotalCount;
    uint32_t TotalHeight;
    TLazyNode* Parent;
    TLazyNode* PrevSibling;
    TLazyNode* NextSibling;
    TLazyNode* FirstChild;
    TLazyNode* LastChild;
    // The user data area starts here.
};
using PLazyNode = TLazyNode*;
using TNodeArray = std::vector<PLazyNode>;

// User data and internal blocks start on this alignment; a typed record may not need more.
constexpr std::size_t kNodeDataAlignment = alignof(TLazyNode);
static_assert(sizeof(TLazyNode) % kNodeDataAlignment == 0);

// Tree states, in bit order (57 values in a 64-bit set).
enum TLazyTreeState : unsigned {
    tsCancelHintAnimation,
    tsChangePending,
    tsCheckPropagation,
    tsCollapsing,
    tsToggleFocusedSelection,
    tsClearPending,
    tsClipboardFlushing,
    tsCopyPending,
    tsCutPending,
    tsDrawSelPending,
    tsDrawSelecting,
    tsEditing,
    tsEditPending,
    tsExpanding,
    tsNodeHeightTracking,
    tsNodeHeightTrackPending,
    tsHint,
    tsInAnimation,
    tsIncrementalSearching,
    tsIncrementalSearchPending,
    tsIterating,
    tsKeyCheckPending,
    tsLeftButtonDown,
    tsLeftDblClick,
    tsMouseCheckPending,
    tsMiddleButtonDown,
    tsMiddleDblClick,
    tsNeedRootCountUpdate,
    tsOLEDragging,
    tsOLEDragPending,
    tsPainting,
    tsRightButtonDown,
    tsRightDblClick,
    tsPopupMenuShown,
    tsScrolling,
    tsScrollPending,
    tsSizing,
    tsStopValidation,
    tsStructureChangePending,
    tsSynchMode,
    tsThumbTracking,
    tsToggling,
    tsUpdateHiddenChildrenNeeded,
    tsUpdating,
    tsUseCache,
    tsUserDragObject,
    tsUseThemes,
    tsValidating,
    tsPreviouslySelectedLocked,
    tsValidationNeeded,
    tsVCLDragging,
    tsVCLDragPending,
    tsVCLDragFinished,
    tsWheelPanning,
    tsWheelScrolling,
    tsWindowCreating,
    tsUseExplorerTheme,
};
constexpr unsigned kTreeStateCount = 57;
using TLazyTreeStates = EnumSet<TLazyTreeState, uint64_t>;

enum TChangeReason { crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied, crNodeMoved };

enum TVTNodeAttachMode { amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast };

enum TVTUpdateState { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };

enum TVTOperationKind { okAutoFitColumns, okGetMaxColumnWidth, okSortNode, okSortTree, okExport, okExpand };

enum TSortDirection { sdAscending, sdDescending };

enum TVTImageKind { ikNormal, ikSelected, ikState, ikOverlay };

enum TVTHintKind { vhkText, vhkOwnerDraw };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TVTNodeAlignment { naFromBottom, naFromTop, naProportional };

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

enum TScrollBarKind { sbHorizontal, sbVertical };

enum TVTCellPaintMode { cpmPaint, cpmGetContentMargin };

enum TVTCellContentMarginType { ccmtAllSides, ccmtTopLeftOnly, ccmtBottomRightOnly };

// Options of SetScrollOffset, in bit order.
enum TScrollUpdateOption : unsigned { suoRepaintHeader, suoRepaintScrollBars, suoScrollClientArea, suoUpdateNCArea };
using TScrollUpdateOptions = EnumSet<TScrollUpdateOption, uint8_t>;
constexpr TScrollUpdateOptions kAllScrollUpdateOptions = {
    suoRepaintHeader, suoRepaintScrollBars, suoScrollClientArea, suoUpdateNCArea};

// Column indexes: 0 .. Count - 1 name a column.
using TColumnIndex = int32_t;
constexpr TColumnIndex NoColumn = -1;
constexpr TColumnIndex InvalidColumn = -2;

// Rectangles in the platform's sense: Right and Bottom lie just outside.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};
struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// The rectangle with left and right swapped when left is not below right, and top and bottom likewise.
inline TRect NormalizedRect(const TRect& r)
{
    TRect n = r;
    if (!(n.Left < n.Right)) {
        n.Left = r.Right;
        n.Right = r.Left;
    }
    if (!(n.Top < n.Bottom)) {
        n.Top = r.Bottom;
        n.Bottom = r.Top;
    }
    return n;
}

enum THitPosition : unsigned {
    hiAbove,
    hiBelow,
    hiNowhere,
    hiOnItem,
    hiOnItemButton,
    hiOnItemButtonExact,
    hiOnItemCheckbox,
    hiOnItemIndent,
    hiOnItemLabel,
    hiOnItemLeft,
    hiOnItemRight,
    hiOnNormalIcon,
    hiOnStateIcon,
    hiToLeft,
    hiToRight,
    hiUpperSplitter,
    hiLowerSplitter,
};
using THitPositions = EnumSet<THitPosition, uint32_t>;

struct THitInfo {
    PLazyNode HitNode = nullptr;
    THitPositions HitPositions;
    TColumnIndex HitColumn = NoColumn;
    TPoint HitPoint;
};

// Modifier keys and mouse buttons held during an input event, in bit order.
enum TShiftStateElement : unsigned { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = EnumSet<TShiftStateElement, uint8_t>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Key codes of the keys the tree handles (the platform's virtual key numbers).
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_APPS = 0x5D;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;

enum TScrollDirection : unsigned { sdLeft, sdUp, sdRight, sdDown };
using TScrollDirections = EnumSet<TScrollDirection, uint8_t>;

enum TVTIncrementalSearch { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum TVTSearchDirection { sdForward, sdBackward };
enum TVTSearchStart { ssAlwaysStartOver, ssLastHit, ssFocusedNode };

enum TVTDrawSelectionMode { smDottedRectangle, smBlendedRectangle };
enum TDragMode { dmManual, dmAutomatic };
enum TDropMode { dmNowhere, dmAbove, dmOnNode, dmBelow };

// The line of one indentation level of a row.
enum TVTLineType { ltNone, ltBottomRight, ltTopDown, ltTopDownRight, ltRight, ltTopRight, ltLeft, ltLeftBottom };
using TLineImage = std::vector<TVTLineType>;

// The panning window's image and the cursors shown while panning.
enum TPanningImage { piMoveAll, piMoveEW, piMoveNS };
enum TPanningCursor {
    pcMoveAll, pcMoveEW, pcMoveNS, pcMoveN, pcMoveS, pcMoveE, pcMoveW, pcMoveNE, pcMoveNW, pcMoveSE, pcMoveSW
};

} // namespace lazytree
