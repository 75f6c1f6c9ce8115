#pragma once

// What the tree core needs from outside. The widget implements these; tests fake them. A tree without a
// view behaves like a control whose window does not exist yet: nothing is painted and no timer runs.

#include "controls/tree/core/tree_types.h"

#include <cstdint>
#include <memory>

class QPainter; // only passed through to event handlers; the core never draws
class QMenu;

namespace lazytree {

// The painted control: client size, repainting and scroll bars. Rectangles are in client coordinates.
class TreeView {
public:
    virtual ~TreeView() = default;

    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    virtual void Invalidate() = 0;                    // the whole client area
    virtual void InvalidateRect(const TRect& r) = 0;  // repaint later, no erase
    virtual void RepaintRect(const TRect& r) { InvalidateRect(r); } // repaint now
    // Moves the client area's pixels by (dx, dy); clip null means the whole client area.
    virtual void ScrollContent(int dx, int dy, const TRect* clip) { Invalidate(); }

    // A scroll bar in the platform's terms: range 0 .. RangeMax, Page, Position. Shown false hides it
    // (DisableNoScroll keeps it shown, disabled). Answers the position the bar ends up with, clamped to
    // 0 .. RangeMax - Page + 1.
    struct ScrollBarState {
        bool Shown = false;
        bool DisableNoScroll = false;
        int RangeMax = 0;
        int Page = 0;
        int Position = 0;
        bool Redraw = false;
    };
    virtual int SetScrollBar(TScrollBarKind bar, const ScrollBarState& state) = 0;
    virtual void ShowScrollBar(TScrollBarKind bar, bool show) {}
    virtual int HorizontalScrollBarHeight() const { return 0; }

    virtual void SetRedrawSuspended(bool suspend) {}
    virtual bool HasFocus() const { return false; }
    virtual bool Enabled() const { return true; }

    virtual void CancelHint() {}                       // drop a hint the application shows
    virtual void FinishPendingPaint() {}               // let queued painting happen before an animation
    virtual void ScrollBarsChanged() {}                // styled scroll bars follow the new ranges
    virtual void RecreateWindow() {}                   // window re-creation (style changes)
    virtual void SetDropTargetRegistered(bool registered) {}
    virtual bool StyleServicesEnabled() const { return false; }
    virtual void SetExplorerTheme(bool on) {}
    virtual void RebuildButtonImages() {}
    virtual void RedrawWithFrame() { Invalidate(); }

    // Input services of the behaviour layer.
    virtual bool CanFocus() const { return false; }
    virtual void SetFocus() {}
    virtual void SetMouseCapture(bool capture) {}
    // The mouse pointer in client coordinates; false when it is not known.
    virtual bool CursorPosition(TPoint& client) const { return false; }
    // Whether the left mouse button is down at this moment (the platform's key state).
    virtual bool LeftButtonPressed() const { return false; }
    // Pixels the pointer must move before a press becomes a drag or a band.
    virtual int DragThreshold() const { return 5; }
    // Lines per wheel notch; -1 means a page per notch.
    virtual int WheelScrollLines() const { return 3; }
    virtual int VerticalScrollBarWidth() const { return 0; }
    virtual void Beep() {}
    virtual void ShowHelp(int helpContext) {}
    virtual void UpdateWindow() {} // paint what is pending now
    // Wheel panning: the image window centred on a client point, and the pointer shown meanwhile.
    virtual void ShowPanningWindow(TPoint clientCenter, TPanningImage image) {}
    virtual void HidePanningWindow() {}
    virtual void SetPanningCursor(TPanningCursor cursor) {}
    // Whether the control has a context menu of its own (besides the per-node menus).
    virtual bool HasPopupMenu() const { return false; }
    virtual void ShowPopupMenu(QMenu* menu, TPoint client) {}
    // Starts a drag of the selected nodes (the drag start hook); the tree has entered its pending state.
    virtual void BeginDrag() {}
};

// Millisecond clock and one-shot timers by the tree's timer ids. A timer that expires calls the tree's
// TimerFired(id); starting a running timer again restarts it.
class TreeClock {
public:
    virtual ~TreeClock() = default;
    virtual uint32_t Milliseconds() = 0;
    virtual void StartTimer(int id, uint32_t intervalMs) = 0;
    virtual void StopTimer(int id) = 0;
};

// Timer ids.
constexpr int ExpandTimer = 1;
constexpr int EditTimer = 2;
constexpr int HeaderTimer = 3;
constexpr int ScrollTimer = 4;
constexpr int ChangeTimer = 5;
constexpr int StructureChangeTimer = 6;
constexpr int SearchTimer = 7;
constexpr int ThemeChangedTimer = 8;
constexpr int AnimationTimer = 9; // our own: the steps of RunAnimation

enum TImageSlot { isNormalImages, isStateImages, isCheckImages, isButtonImage };

// Sizes of what a row holds besides the tree structure. A size of 0 × 0 means the list is not assigned.
class ContentMeasurer {
public:
    virtual ~ContentMeasurer() = default;
    virtual int NodeContentWidth(TBaseLazyTree& tree, PLazyNode node, TColumnIndex column) = 0;
    virtual int NodeExtraWidth(TBaseLazyTree& tree, PLazyNode node, TColumnIndex column) { return 0; }
    virtual int FontHeight() = 0;
    virtual TSize ImageSize(TImageSlot slot) { return {}; }
    virtual QPainter* Canvas() { return nullptr; } // handed to measuring and cell events
};

// The columns of the header. The default answers for a tree without columns.
class TreeColumns {
public:
    virtual ~TreeColumns() = default;
    virtual int Count() const { return 0; }
    bool UseColumns() const { return Count() > 0; }
    bool IsValidColumn(TColumnIndex column) const { return column >= 0 && column < Count(); }
    virtual TColumnIndex MainColumn() const { return NoColumn; }
    // Edges of a column (0 <= column < Count) in client coordinates.
    virtual void GetColumnBounds(TColumnIndex column, int& left, int& right) const { left = right = 0; }
    // The column under x (client coordinates when relative) with its edges; InvalidColumn when none.
    virtual TColumnIndex ColumnAtWithBounds(int x, int& left, int& right, bool relative) const
    {
        return InvalidColumn;
    }
    virtual TColumnIndex PreviousVisibleColumn(TColumnIndex column) const { return InvalidColumn; }
    virtual TColumnIndex NextVisibleColumn(TColumnIndex column) const { return InvalidColumn; }
    virtual int ColumnWidth(TColumnIndex column) const { return 0; }
    virtual int TotalWidth() const { return 0; }
    virtual int VisibleFixedWidth() const { return 0; }
    virtual bool IsVisible(TColumnIndex column) const { return false; }
    virtual bool IsFixed(TColumnIndex column) const { return false; }
    virtual bool IsEditable(TColumnIndex column) const { return false; }
    virtual bool AllowFocus(TColumnIndex column) const { return false; }
    virtual TColumnIndex FirstVisibleColumn(bool considerAllowFocus) const { return InvalidColumn; }
    virtual TAlignment Alignment(TColumnIndex column) const { return taLeftJustify; }
    virtual TBiDiMode BiDiMode(TColumnIndex column) const { return bdLeftToRight; }
    virtual TColumnIndex SortColumn() const { return NoColumn; }
    virtual TSortDirection SortDirection() const { return sdAscending; }
    virtual void InvalidateHeader() {}
    // Pixels per horizontal scroll step; 0 leaves it to the tree (its Indent).
    virtual int ScrollWidth() const { return 0; }
    virtual void AutoFitColumns() {}
    virtual void RestoreColumns() {}
};

// An in-place editor for one cell.
class IVTEditLink {
public:
    virtual ~IVTEditLink() = default;
    virtual bool BeginEdit() = 0;
    virtual bool CancelEdit() = 0;
    virtual bool EndEdit() = 0;
    virtual bool PrepareEdit(TBaseLazyTree& tree, PLazyNode node, TColumnIndex column) = 0;
    virtual TRect GetBounds() = 0;
    virtual void SetBounds(const TRect& r) = 0;
};

// Supplies an editor when the application's OnCreateEditor gives none. The default has no editor.
class EditLinkFactory {
public:
    virtual ~EditLinkFactory() = default;
    virtual std::shared_ptr<IVTEditLink> CreateEditLink(TBaseLazyTree& tree, PLazyNode node, TColumnIndex column)
    {
        return nullptr;
    }
};

} // namespace lazytree
