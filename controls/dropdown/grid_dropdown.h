#pragma once
#include "controls/dropdown/column_list_dropdown.h"
#include "controls/grid/widget/grid_widget.h"

#include <array>
#include <memory>

namespace dropdown {

class TCustomExGridDropDown;

namespace griddropdown {

using grid::TExStringGrid;

// The popup grid of the grid drop-down: the project's string grid holding
// the items' texts in its cells, with each data row's item number in column
// 0's object so that sorting keeps the link.
class TExColGrid : public TColumnGrid
{
public:
    TExColGrid();
    TCustomExGridDropDown* DropDown() const { return dropDown_; }
    void SetDropDown(TCustomExGridDropDown* value) { dropDown_ = value; }
    TExCustomDropDown* Owner() const override;
    // Columns, sizes, colours and options from the drop-down.
    void TakeSettings(TCustomExGridDropDown* dropDown);
    // The items into the cells (header texts, one row per item).
    void LoadItems();
    void AutoSizeItemColumn(int index);
    void AutoSizeWordWrapRows();

    // Events the popup grid adds to the string grid's, so that every
    // forwarder has a grid event to take.
    std::function<void(TExStringGrid*, int row, int col, QString& anchor)> OnAnchorHint;
    std::function<void(TExStringGrid*, int row, bool& allow)> OnRowSize;
    std::function<void(TExStringGrid*, int row, bool& allow)> OnRowMoving;
    std::function<void(TExStringGrid*, int col, bool& allow)> OnColumnMoving;
    std::function<void(TExStringGrid*, QPainter&, int col, int row, grid::TGridDrawState, QRect, bool printing)>
        OnCustomCellDraw;
    std::function<void(TExStringGrid*, QPainter&, int col, int row, grid::TGridDrawState, QRect, bool printing)>
        OnCustomCellBkgDraw;
    std::function<void(TExStringGrid*, int row, int col)> OnGetEditorProp;
    std::function<void(TExStringGrid*, int col, int row, QString& s)> OnEllipsClick;
    std::function<void(TExStringGrid*, Qt::KeyboardModifiers, int x, int y)> OnMouseMove;
    std::function<void(TExStringGrid*, int& key, grid::TShiftState)> OnKeyUp;
    std::function<void(TExStringGrid*, const QString& value, bool& defaultSearch)> OnSearchEditChange;
    std::function<void(TExStringGrid*, int col, int row, int value, bool upDown)> OnSpinClick;

    void GetEditorProp(int col, int row) override;

protected:
    bool SelectCell(int col, int row) override;

private:
    TCustomExGridDropDown* dropDown_ = nullptr;
};

struct GridHolder
{
    std::unique_ptr<TExColGrid> held = std::make_unique<TExColGrid>();
};

// The popup grid's window: Enter chooses without moving, Tab does nothing,
// Alt+Up/Down go to the edit, a left release on a data cell without a check
// box chooses, wheel steps only move the row.
class TExColGridView : private GridHolder, public TColumnGridView
{
public:
    explicit TExColGridView(QWidget* parent = nullptr);
    TExColGrid& Table() { return *held; }

protected:
    bool EnterChooses() const override { return !held->EditorMode(); }
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace griddropdown

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle { dsDropDown, dsDropDownList };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };

// One forwarder: its slot, names, whether an opening attaches it to the
// popup grid, and the attachment itself (the forwarder: the drop-down's
// event fired with the grid's arguments).
struct GridForwarder
{
    int Slot;
    const char* Forwarder;
    const char* Event;
    bool Connected;
    const char* Notes;
    void (*Attach)(TCustomExGridDropDown& dropDown, griddropdown::TExColGrid& grid);
};
extern const std::array<GridForwarder, 53> kGridForwarders;

// A drop-down whose popup is a grid: rows from Items (UseItems) or the
// popup grid's own cells; LookupColumn's text is what the edit shows, and
// typing looks it up or narrows the grid down.
class TCustomExGridDropDown : public TColumnListDropDown
{
public:
    using Grid = griddropdown::TExColGrid;
    using G = grid::TExStringGrid;
    explicit TCustomExGridDropDown(QWidget* parent = nullptr);

    void SetItemIndex(int value) override;
    void Loaded() override;

    bool UseItems = true;
    TLookupMethod LookupMethod = lmLookup;
    TDropDownStyle Style() const { return style_; }
    void SetStyle(TDropDownStyle value);
    bool RowSelect = true;
    bool GridEditable = false;
    bool ColumnMoving = false;
    bool RowSizing = false;
    bool RowMoving = false;
    TGridSorting Sorting = gsNone;
    bool AutoSizeColumns = true;
    bool AutoShowDropDown = false;
    bool HoverRow = false;
    TColor HoverRowColor = grid::clInfoBk;
    TColor HoverRowColorTo = clNone;
    std::function<void(TCustomExGridDropDown*)> OnSelect;

    griddropdown::TExColGridView* View() const { return view_; }
    Grid* GetGrid() const { return view_ ? &view_->Table() : nullptr; }
    // The item a data row shows (the row itself outside the grid), and the
    // first data row showing an item (ItemIndex when none).
    int ItemOfRow(int row) const;
    int RowOfItem(int item) const;
    // The first entry starting with text: its row (item with UseItems) and text.
    bool FindLookup(const QString& text, QString& found, int& row) const;
    // A typed character's lookup: a row, or -1.
    int LookupChar(QChar ch);

    int GetVersionNumber() const override { return 0x06000101; }
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool cancelled) override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    bool ForwardKeyUp(QKeyEvent* event) override;
    void PopupSizing() override { ScaleColumnsToDropDown(); }
    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void SetComponentStyle(TSkinStyle style) override;
    void ScaleColumnsToDropDown();

    // The popup grid's own events.
    void GridSelectCell(int row);
    void GridSelect();
    void GridCanSort(int col, bool& doSort);
    void GridClickSort(int col);

    // The forwarded events of the popup grid (Sender is the popup grid,
    // except for OnGridTopLeftChanged).
    decltype(G::OnAnchorClick) OnGridAnchorClick;
    decltype(G::OnAnchorEnter) OnGridAnchorEnter;
    decltype(G::OnAnchorExit) OnGridAnchorExit;
    decltype(Grid::OnAnchorHint) OnGridAnchorHint;
    decltype(G::OnButtonClick) OnGridButtonClick;
    decltype(G::OnCanSort) OnGridCanSort;
    decltype(G::OnClickSort) OnGridClickSort;
    decltype(G::OnCustomCompare) OnGridCustomCompare;
    decltype(G::OnRawCompare) OnGridRawCompare;
    decltype(G::OnColumnSize) OnGridColumnSize;
    decltype(G::OnColumnSizing) OnGridColumnSizing;
    decltype(G::OnEndColumnSize) OnGridEndColumnSize;
    decltype(Grid::OnRowSize) OnGridRowSize;
    decltype(G::OnRowSizing) OnGridRowSizing;
    decltype(G::OnEndRowSize) OnGridEndRowSize;
    decltype(G::OnRowMove) OnGridRowMove;
    decltype(Grid::OnRowMoving) OnGridRowMoving;
    decltype(G::OnRowMoved) OnGridRowMoved;
    decltype(G::OnColumnMove) OnGridColumnMove;
    decltype(Grid::OnColumnMoving) OnGridColumnMoving;
    decltype(G::OnColumnMoved) OnGridColumnMoved;
    decltype(Grid::OnCustomCellDraw) OnGridCustomCellDraw;
    decltype(Grid::OnCustomCellBkgDraw) OnGridCustomCellBkgDraw;
    decltype(G::OnCellBalloon) OnGridCellBalloon;
    decltype(G::OnGetAlignment) OnGridGetAlignment;
    decltype(G::OnGetCellColor) OnGridGetCellColor;
    decltype(G::OnGetCellGradient) OnGridGetCellGradient;
    decltype(G::OnGetFloatFormat) OnGridGetFloatFormat;
    decltype(G::OnGetEditorType) OnGridGetEditorType;
    decltype(Grid::OnGetEditorProp) OnGridGetEditorProp;
    decltype(G::OnCanEditCell) OnGridCanEditCell;
    decltype(Grid::OnEllipsClick) OnGridEllipsClick;
    decltype(G::OnGetDisplText) OnGridGetDiplText;
    decltype(G::OnGetFormat) OnGridGetFormat;
    decltype(G::OnGridHint) OnGridHint;
    decltype(Grid::OnMouseMove) OnGridMouseMove;
    decltype(G::OnMouseDown) OnGridMouseDown;
    decltype(G::OnMouseUp) OnGridMouseUp;
    decltype(G::OnKeyDown) OnGridKeyDown;
    decltype(Grid::OnKeyUp) OnGridKeyUp;
    decltype(G::OnKeyPress) OnGridKeyPress;
    decltype(G::OnRightClickCell) OnGridRightClickCell;
    decltype(G::OnScrollHint) OnGridScrollHint;
    std::function<void(TCustomExGridDropDown*)> OnGridTopLeftChanged;
    decltype(Grid::OnSearchEditChange) OnGridSearchEditChange;
    decltype(Grid::OnSpinClick) OnGridSpinClick;
    decltype(G::OnAutoAddRow) OnGridAutoAddRow;
    decltype(G::OnAutoInsertRow) OnGridInsertRow;
    decltype(G::OnAutoInsertCol) OnGridInsertCol;
    decltype(G::OnAutoDeleteRow) OnGridDeleteRow;
    decltype(G::OnCanAddRow) OnGridCanAddRow;
    decltype(G::OnCanInsertRow) OnGridCanInsertRow;
    decltype(G::OnCanDeleteRow) OnGridCanDeleteRow;
    decltype(G::OnCheckBoxClick) OnGridCheckBoxClick;

protected:
    grid::TExStringGrid* PopupGrid() const override { return GetGrid(); }
    grid::TGridWidget* PopupView() const override { return view_; }
    int StepCount() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Wire(Grid& g);

    TDropDownStyle style_ = dsDropDown;
    griddropdown::TExColGridView* view_ = nullptr;
    int selRow_ = 1;
    int tempItemIndex_ = -1;
    bool filling_ = false;
};

}  // namespace dropdown
