#pragma once
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/grid_view.h"
#include "controls/grid/dragdrop/drag_drop.h"
#include "controls/grid/widget/font_measurer.h"
#include "controls/grid/widget/grid_painter.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <memory>

namespace grid {

class TGridEditors;
class TScrollControl;
class TFooterPanel;
class TSearchPanel;
class TGridFocusWindow;
class GridMouse;
class TGridFilterDropDown;
class TGridBalloons;
class THeaderDragButton;
class TArrowWindow;
class TNoActiveForm;
class THTMLHintWindow;

// The painted grid: a scroll area over a headless grid (not owned). Scroll
// bars count rows and columns; the viewport paints only what it shows.
class TGridWidget : public QAbstractScrollArea, public GridView
{
    Q_OBJECT
public:
    explicit TGridWidget(TExStringGrid& grid, QWidget* parent = nullptr);
    ~TGridWidget() override;

    TExStringGrid& Grid() { return grid_; }
    GridPainter& Painter() { return *painter_; }
    // The floating footer's strip below the cells.
    TFooterPanel* FooterPanel() const { return footer_; }
    // The search footer's strip, docked below the floating footer.
    TSearchPanel* SearchPanel() const { return searchPanel_; }
    // Replaces the painter (tests count or trace the cells it draws).
    void SetPainter(std::unique_ptr<GridPainter> painter);
    // The grid's system colours from this widget's palette.
    void TakeSystemColors();

    // The dotted line shown while a column or row is sized; -1 hides it.
    void ShowColSizeLine(int x);
    void ShowRowSizeLine(int y);

    // GridView
    void InvalidateRect(const QRect& rect) override;
    void InvalidateAll() override;
    void UpdateScrollBars() override;
    void PlaceControl(QObject* control, const QRect& bounds, bool visible) override;

    // The thin scroll controls of ssMetro (null with other scroll types).
    TScrollControl* MetroScrollBar(Qt::Orientation orientation) const;
    // Whether the coloured window border is drawn over the frame.
    bool DrawsBorder() const;
    // Every column and row shows (the border's inner outline then).
    bool CellsFit() const;
    // Scrolling while something is dragged near the edges (the grid's
    // DragScrollOptions) and the timer whose ticks step it.
    DragScroller& DragScrolling() { return dragScroller_; }
    const QTimer& DragScrollTimer() const { return dragScrollTimer_; }
    // The translucent frame around the edited cell (FocusHelper.Enabled);
    // null until an editor first opens with it.
    TGridFocusWindow* FocusFrame() const { return focusFrame_; }

    // The hint text for a thumb position ("Row : n" / "Col : n").
    QString ScrollHintText(Qt::Orientation orientation, int value);
    // The window of the cell, anchor, scroll and sizing hints: made when a
    // hint first shows (null before), a child of the grid.
    THTMLHintWindow* HintWindow() const { return hintWindow_; }
    // Shows text on the hint window with its top-left at a screen point,
    // in the grid's HintColor; HideHint takes it away.
    void ShowHint(QPoint screenTopLeft, const QString& text);
    void HideHint();

    // Whether Tab stays in the grid (and its editor) instead of moving the
    // focus to the window's next control: with goTabs.
    bool KeepsTab() const;
    // Moves the focus to the window's next (previous) control from the grid.
    void MoveFocusOn(bool next);
    // The grid's editors (with a grid that edits; null otherwise).
    TGridEditors* Editors() const { return editors_.get(); }

protected:
    // Keys go through the grid's rules; a key they consume is accepted, also
    // when the window asks first (shortcut override), so no dialog button
    // or shortcut acts on it too. Releases of an auto-repeated key are
    // skipped.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Entering the grid remembers the current cell's text; with AlwaysEdit
    // its editor opens (not when the focus comes back from an editor).
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    void ThumbMoved(Qt::Orientation orientation, int value);
    // The grid's client follows the viewport (also when a scroll bar comes
    // or goes without the widget being resized).
    void SyncClientSize();
    // Ctrl+X/C/V (Shift+Del, Ctrl+Ins, Shift+Ins) on the grid, not editing,
    // with AllowClipboardShortCuts: true when it was one.
    bool ClipboardKeyPressed(QKeyEvent* event);
    void SetBars();
    // ssMetro: the thin scroll controls made (ScrollBars ssNone) or freed
    // again (ScrollBars ssBoth).
    void SetMetroBars();
    // The frame follows BorderStyle.
    void ApplyBorderStyle();
    TScrollControl* metroBars_[2] = {nullptr, nullptr};
    // Shows the focus frame while an editor is open, hides it after.
    void SyncFocusFrame();
    QRect CurrentCellInWidget() const;
    TGridFocusWindow* focusFrame_ = nullptr;
    THTMLHintWindow* hintWindow_ = nullptr;

    TExStringGrid& grid_;
    FontTextMeasurer measurer_;
    std::unique_ptr<GridPainter> painter_;
    bool updatingBars_ = false;
    bool cellsFit_ = false;
    DragScroller dragScroller_{grid_};
    QTimer dragScrollTimer_;
    bool barsStale_ = false;
    int colSizeLine_ = -1;
    int rowSizeLine_ = -1;
    std::unique_ptr<TGridEditors> editors_;
    // The floating footer's strip, docked below the cells.
    TFooterPanel* footer_ = nullptr;
    TSearchPanel* searchPanel_ = nullptr;
    void PlaceFooter();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- Mouse (grid_widget_mouse.cpp) ----
public:
    // The mouse front end (hooks for links, the cursor and hint steps).
    GridMouse& Mouse();
    // The press and release steps for a click the program simulates (onto a
    // control cell, after Tab, Ctrl+A): no QMouseEvent is made and the
    // owner's OnMouseDown / OnMouseUp stay detached.
    void MousePressStep(TMouseButton button, TShiftState shift, QPoint pos);
    void MouseReleaseStep(TMouseButton button, TShiftState shift, QPoint pos);
    void SimulateClick(QPoint pos, TShiftState shift = {});

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // ---- Drag and drop (grid_widget_drop.cpp) ----
public:
    const TDragDropSettings& DragDropSettings() const { return dragDrop_; }
    // OleDropTarget takes drops; OleDropSource starts drags from the
    // selection (from a header with OleColumnDragDrop: the column).
    void SetDragDropSettings(const TDragDropSettings& settings);
    // The data a drag from a pressed cell carries.
    std::unique_ptr<QMimeData> DragData(TGridCoord cell, bool header) const;
    // The picture a drag holds under the pointer (hotSpot: the pointer's
    // place on it): with ShowCells the dragged cells 4 pixels right of and
    // below the pointer; else for a header's column its caption with the
    // bottom-left at the pointer; else none.
    QPixmap DragImage(TGridCoord cell, bool header, QPoint& hotSpot);
    // Runs the drag of data with the allowed actions and answers the
    // action taken; unset: a QDrag.
    std::function<Qt::DropAction(QMimeData* data, Qt::DropActions allowed)> RunDrag;
    // May refuse a drop (as DropContext::Allow); may refuse the cell under
    // a drag (row, display column); told the selection after a drop.
    std::function<bool(DropKind kind, int col, int row, const QString& text)> OnOleDrop;
    std::function<void(int row, int col, bool& allow)> OnOleDragOver;
    std::function<void(const TGridRect& selection)> OnOleDropped;
    // What the last drop did (its refusal message is also shown).
    const DropResult& LastDrop() const { return lastDrop_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void StartDrag(TGridCoord cell, bool header);
    // The drop's target cell, whether a drag may go there and the arrows
    // that mark it.
    bool DragAllowed(QDragMoveEvent& event, TGridCoord& cell, ArrowMarks& marks);
    void DragScroll(TGridCoord cell, QPoint p);
    TDragDropSettings dragDrop_;
    DropResult lastDrop_;
    // The data and the cells of this grid's own running drag.
    const QMimeData* ownDrag_ = nullptr;
    TGridRect dragSelection_{-1, -1, -1, -1};
    bool moveDoneHere_ = false;

    // ---- Move and drop marks (grid_widget_marks.cpp) ----
public:
    // The floating caption of a column or row moved by mouse, the floating
    // picture of its cells (instead, with DragDropSettings.ShowCells) and
    // the four insertion arrows; null while not made.
    THeaderDragButton* MoveButton() const { return moveButton_; }
    TNoActiveForm* MoveForm() const { return moveForm_; }
    TArrowWindow* ArrowWindow(TArrowDirection dir) const { return arrows_[dir]; }
    // The arrows' colour (clLime).
    TColor ArrowColor() const { return arrowColor_; }
    void SetArrowColor(TColor color);

private:
    // Shows the marked arrows at their client points, hides the others.
    void ShowArrows(const ArrowMarks& marks);
    // The caption (or picture) and the arrows follow the mouse's move; all
    // go when no move is under way.
    void SyncMoveMarks();
    THeaderDragButton* moveButton_ = nullptr;
    TNoActiveForm* moveForm_ = nullptr;
    TArrowWindow* arrows_[kArrowCount] = {};
    TColor arrowColor_ = clLime;

private:
    class MouseSide;
    struct MouseSideDeleter
    {
        void operator()(MouseSide* side) const;
    };
    static MouseSide* NewMouseSide(TGridWidget* widget);
    // Made while the widget is built (after the members above).
    std::unique_ptr<MouseSide, MouseSideDeleter> mouseSide_{NewMouseSide(this)};

public:
    // The filter lists opened from the headers' filter glyphs.
    TGridFilterDropDown& FilterDropDowns() { return *filterDropDown_; }
    // The cells' balloons (Balloon.Enable).
    TGridBalloons& Balloons() { return *balloons_; }

private:
    // Made last, gone first (they hook the mouse side and the grid).
    std::unique_ptr<TGridFilterDropDown> filterDropDown_;
    std::unique_ptr<TGridBalloons> balloons_;
};

} // namespace grid
