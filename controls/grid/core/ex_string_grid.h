#pragma once
#include "controls/grid/core/base_grid.h"
#include "controls/grid/core/cell_look.h"
#include "controls/grid/core/drag_scroll.h"
#include "controls/grid/core/file_picture.h"
#include "controls/grid/core/filter.h"
#include "controls/grid/core/filter_drop_down.h"
#include "controls/grid/core/graphic_payloads.h"
#include "controls/grid/core/grid_records.h"
#include "controls/grid/core/look_settings.h"
#include "controls/grid/core/text_measurer.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/core/settings_objects.h"
#include "controls/grid/core/sort_keys.h"
#include "controls/grid/theme/office_theme.h"
#include "controls/grid/theme/theme_notifier.h"

#include <QIODevice>
#include <QPointer>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace grid {

class TExStringGridCheck;
class GridEditing;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// The directions middle-button panning moves.
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };

// A hidden row: its index when it was hidden, its height, its cells (the row
// record itself, moved out of the store) and the filter level that hid it.
struct TGridItem
{
    int Idx = 0;
    int Height = 0;
    RowHandle Items;
    int Level = 0;
};

// Hears of changed cells (CellsChanged calls every registered notifier).
class TGridChangeNotifier
{
public:
    virtual ~TGridChangeNotifier() = default;
    virtual void CellsChanged(const TGridRect& range) {}
};

// The string grid of the table windows: hidden and moved columns and rows
// with the display/real index mapping, counts, fixed areas, selection, row
// flags, the advance after Enter, and cell access by real row. Operations of
// the painted widget, the input side, sorting, filtering and file exchange
// are virtual here with empty bases.
class TExStringGrid : public TBaseGrid, public ISkinStyle, public ISkinTones, public IOfficeThemeWindow
{
public:
    TExStringGrid();
    ~TExStringGrid() override;

    // Settings objects.
    TNavigation Navigation;
    TMouseActions MouseActions;
    TSearchFooter SearchFooter;
    TBands Bands;
    TSyncGrid SyncGrid{this};
    TFocusHelper FocusHelper;
    // Scrolling while something is dragged near the edges; OnDragScroll may
    // change the directions of a step or refuse it.
    TDragScrollOptions DragScrollOptions;
    std::function<void(TExStringGrid*, int topRow, int leftCol, TDragScrollDirections& directions,
                       bool& canScroll)>
        OnDragScroll;
    TIntList IgnoreColumns;
    TPrintSettings PrintSettings{this};
    THTMLSettings HTMLSettings;
    TColumnSize ColumnSize{this};
    TCellNode CellNode{this};
    TSizeWhileTyping SizeWhileTyping;
    TGrouping Grouping;
    TBalloonSettings Balloon;
    TShowModified ShowModified;

    // Texts of the check boxes and formats.
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    QString FloatFormat = QStringLiteral("%.2f");
    bool EnableHTML = true;
    // URLs in cell texts show as links.
    bool URLShowInText = false;
    bool EditWithTags = false;
    bool ExcelClipboardFormat = false;
    bool FMultilineCells = false;
    bool ClearTextOnly = false;
    bool SaveHiddenCells = false;
    bool SaveFixedCells = true;
    bool SaveFixedRows = false;
    bool SaveFixedCols = false;
    TEditorType DefaultEditor = edNormal;

    // ---- Counts and fixed areas (display indices) ----
    void SetRowCount(int value) override;
    void SetColCount(int value) override;
    int FixedRows() const override;
    void SetFixedRows(int value) override;
    int FixedCols() const override;
    void SetFixedCols(int value) override;
    bool FixedRowAlways() const { return fixedRowAlways_; }
    void SetFixedRowAlways(bool value) { fixedRowAlways_ = value; }
    bool FixedColAlways() const { return fixedColAlways_; }
    void SetFixedColAlways(bool value) { fixedColAlways_ = value; }
    int FixedRightCols() const { return fixedRightCols_; }
    void SetFixedRightCols(int value);
    int FixedFooters() const { return fixedFooters_; }
    void SetFixedFooters(int value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int value);
    int FixedRowHeight() const { return fixedRowHeight_; }
    void SetFixedRowHeight(int value);
    void SetDefaultRowHeight(int value) override;
    TAlignment DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(TAlignment value);
    void SetWordWrap(bool value) override;
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
    int AllRowCount() const { return RowCount() + NumHiddenRows(); }
    int MaxRowCount() const { return maxRowCount_; }
    int MaxColCount() const { return maxColCount_; }
    void SetCol(int value) override;

    // ---- Index mapping ----
    int RealColIndex(int col) const override;
    int DisplColIndex(int col) const override;
    int RealRowIndex(int row) const;
    int DisplRowIndex(int row) const;
    int RealCol() const { return RealColIndex(Col()); }
    int RealRow() const { return RealRowIndex(Row()); }
    bool IsHiddenColumn(int col) const;
    int NumHiddenColumns() const { return numHidden_; }
    bool IsHiddenRow(int row) const;
    int NumHiddenRows() const { return static_cast<int>(gridItems_.size()); }
    int TotalColCount() const override { return ColCount() + NumHiddenColumns(); }
    int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
    bool IsIgnoredColumn(int col) const { return IgnoreColumns.HasValue(col); }
    // The hidden-row records, sorted by Idx.
    const std::vector<std::unique_ptr<TGridItem>>& GridItems() const { return gridItems_; }
    int FilterLevel() const { return filterLevel_; }
    void SetFilterLevel(int value) { filterLevel_ = value; }
    // Width of real column i (hidden columns keep theirs).
    int AllColWidths(int col) const;

    // ---- Hiding and moving ----
    void HideColumn(int col) { HideColumns(col, col); }
    void UnHideColumn(int col) { UnHideColumns(col, col); }
    void HideColumns(int fromCol, int toCol);
    void UnHideColumns(int fromCol, int toCol);
    void UnHideColumnsAll() { UnHideColumns(0, ColCount() + NumHiddenColumns()); }
    void HideRow(int row) { HideRows(row, row); }
    void HideRows(int fromRow, int toRow);
    void HideRowsEx(int fromRow, int toRow);
    void UnHideRow(int row);
    void UnHideRows(int fromRow, int toRow);
    void UnHideRowsAll();
    // Hides display rows (ascending) as one filter level / shows the last level.
    void HideRowList(const TIntList& rows);
    void UnHideRowList();
    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);
    void MoveRows(int fromIndex, int toIndex, int count);

    // ---- Row cores ----
    virtual void InsertRows(int row, int count, bool updateCellControls = true);
    void InsertRowsCore(int row, int count, bool updateCellControls);
    void RemoveRowsCore(int row, int count, bool renumber);
    virtual void RemoveRowsEx(int row, int count);
    virtual void DeleteRows(int row, int count);
    virtual void AddRow();
    virtual void CanAddRow(bool& canAdd);
    virtual void CanInsertRow(int row, bool& canInsert);

    // ---- View ----
    void SetRow(int value) override;
    void SetTopRow(int value) override;
    void ScrollInView(int col, int row);
    // The search panel's height at the bottom of the client area (0 while hidden).
    int SearchPanelHeight() const { return SearchFooter.Visible() ? 32 : 0; }
    void AdjustTopRowForSearchFooter();
    bool LastRowClearsSearchFooter() const;
    bool IsOnSizingBorder(int x, int y) const;
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return selHidden_; }
    void UpdateEditMode();
    TGridRect UsedCells() const;
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;

    // ---- Selection ----
    void SelectRows(int row, int count);
    void UnSelectRows(int row, int count);
    void SelectCols(int col, int count);
    void UnSelectCols(int col, int count);
    void SelectRange(int fromCol, int toCol, int fromRow, int toRow);
    void SelectCells(int fromCol, int fromRow, int toCol, int toRow);
    void GotoCell(int col, int row);
    // Goes to the cell and opens its editor.
    void EditCell(int col, int row);
    void ClearRowSelect();
    void ClearColSelect();
    int RowSelectCount() const;
    int ColSelectCount() const;
    bool IsSelected(int col, int row) const;
    QString SelectedText() const;
    void SelectionToRowSelect(bool all);
    void SelectionToColSelect(bool all);
    void RepaintRow(int row);
    void RepaintCol(int col);
    void RepaintRect(const TGridRect& r);
    void MoveCurrentCell(int col, int row) { MoveColRow(col, row, true, true); }
    void SwapCells(TGridCoord from, TGridCoord to) { store_.SwapCells(from.X, from.Y, to.X, to.Y); }
    const TIntList& SelectedRows() const { return selectedRows_; }
    TIntList& SelectedCells() { return selectedCells_; }

    // ---- Row flags (GridError on bad indices) ----
    bool RowSelect(int row);
    void SetRowSelect(int row, bool value);
    bool ColSelect(int col);
    void SetColSelect(int col, bool value);
    bool RowModified(int row) const;
    void SetRowModified(int row, bool value);
    int ModifiedRowCount() const;
    bool RowEnabled(int row) const;
    void SetRowEnabled(int row, bool value);

    // ---- Navigation ----
    void AdvanceEdit(int col, int row, bool force, bool autoEdit, bool forward, bool recursed, bool showEdit);
    int GetFirstNavCol() const;

    // ---- Cell access by real row, editor text, current cell ----
    QString AllCells(int col, int row) const;
    void SetAllCells(int col, int row, const QString& value);
    QString AllGridCells(int col, int row) const;
    void SetAllGridCells(int col, int row, const QString& value);
    quintptr AllObjects(int col, int row) const;
    void SetAllObjects(int col, int row, quintptr value);
    TCellProperties* GetGridObjectEx(int col, int row) const;
    // The record of hidden real row row, null when it is shown.
    TGridItem* HiddenRowItem(int row) const;
    QString GetEditText(int col, int row);
    void SetEditText(int col, int row, const QString& value);
    virtual QString CurrentCell() const;
    virtual void SetCurrentCell(const QString& value);
    virtual QString GetCurrentCellText() const;
    virtual void SetCurrentCellText(const QString& value);
    QString StrippedCells(int col, int row) const;
    int LinesInCell(int col, int row) const;
    QString OriginalCells(int col, int row) const;
    void SetOriginalCells(int col, int row, const QString& value);
    QString GetWideCells(int col, int row) const { return GetCellEx(col, row); }
    void SetWideCells(int col, int row, const QString& value) { SetCellEx(col, row, value); }

    // ---- Per-cell look (real column) ----
    TColor Colors(int col, int row) const;
    void SetColors(int col, int row, TColor value);
    TColor ColorsTo(int col, int row) const;
    void SetColorsTo(int col, int row, TColor value);
    TCellGradientDirection Gradients(int col, int row) const;
    void SetGradients(int col, int row, TCellGradientDirection value);
    TColor FontColors(int col, int row) const;
    void SetFontColors(int col, int row, TColor value);
    TFontStyles FontStyles(int col, int row) const;
    void SetFontStyles(int col, int row, TFontStyles value);
    int FontSizes(int col, int row) const;
    void SetFontSizes(int col, int row, int value);
    QString FontNames(int col, int row) const;
    void SetFontNames(int col, int row, const QString& value);
    void SetFonts(int col, int row, const TFont& font);
    TAlignment Alignments(int col, int row) const;
    void SetAlignments(int col, int row, TAlignment value);
    bool ReadOnly(int col, int row) const;
    void SetReadOnly(int col, int row, bool value);
    bool WordWraps(int col, int row);
    void SetWordWraps(int col, int row, bool value);
    void SetRowColor(int row, TColor value);
    void SetRowColorTo(int row, TColor value);
    void SetRowFontColor(int row, TColor value);

    // ---- Cell controls ----
    QObject* CellControls(int col, int row) const;
    void SetCellControls(int col, int row, QObject* control);
    int NumCellControls() const { return numCellControls_; }
    const TControlList& ControlList() const { return controlList_; }
    // Opens the editor of the cell's (display column, row) first in-text
    // control after currentId that is edited in a control ("" for the first
    // one); false when none opened. Set by the painted grid.
    std::function<bool(int col, int row, const QString& currentId)> FocusNextCellControl;
    void CellControlsUpdate();
    // After a scroll: controls of cells in view sit over their cell (grown
    // by one pixel left and up); those of hidden rows or columns and of data
    // cells out of view are hidden; fixed cells keep theirs. The cell scroll
    // bar follows its cell or collapses to height 0.
    void PlaceCellControls();
    void TopLeftChanged() override;

    // ---- The per-cell scroll bar ----
    // One control (given by the widget) shown at the right edge of a cell
    // with a scroll bar whose page is smaller than its range, while the
    // pointer is over that cell. Position runs from 0 to range - page.
    struct TCellScrollBar
    {
        bool Visible = false;
        TGridCoord Cell{-1, -1}; // display column, row
        QRect Bounds;
        int Page = 0;
        int Range = 0;
        int Position = 0;
        int Max() const { return std::max(0, Range - Page); }
    };
    enum TCellScrollAction { csLineUp, csLineDown, csPageUp, csPageDown, csThumb };
    static constexpr int kCellScrollLine = 10;
    static constexpr int kCellScrollPage = 100;
    QPointer<QObject> CellScrollBarControl;
    const TCellScrollBar& CellScrollBar() const { return cellScrollBar_; }
    // The bar over the cell under the pointer (display indices), or hidden
    // when that cell has none.
    void HoverCellScrollBar(int col, int row);
    void HideCellScrollBar();
    // A step of the shown bar: lines by 10, pages by 100, the thumb to pos;
    // a changed position is stored in the cell and reported (ScrollCell).
    bool CellScroll(TCellScrollAction action, int pos = 0);
    virtual void ScrollCell();

    // ---- Column order and headers ----
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int col);
    int ColumnAtPosition(int position);
    int ColumnByHeader(const QString& value) const;
    const TIntList& ColumnOrder() const { return columnOrder_; }
    TIntList& ColumnOrderList() { return columnOrder_; }
    int GroupColumn() const { return groupColumn_; }

    // ---- Update lock ----
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // ---- Hooks of later parts (empty or plain bases) ----
    void GetDisplText(int col, int row, QString& value) const override;
    virtual void SetFocus() {}
    virtual void CanEditCell(int col, int row, bool& canEdit);
    virtual void DoCanEditCell(int col, int row, bool& canEdit);
    virtual bool IsEditable(int col, int row);
    // The graphic's kind; ctEmpty without one (and, with hidden rows, for
    // negative indices).
    virtual TCellType GetCellType(int col, int row);
    // Check boxes, radio groups and buttons (base cell of a merged range).
    bool IsControlCell(int col, int row);
    virtual void CellsChanged(const TGridRect& r) {}
    // The editing hooks go to the grid's editing lifecycle.
    virtual void HideInplaceEdit();
    virtual void ShowInplaceEdit();
    virtual void ShowEditor();
    virtual void HideEditor();
    virtual bool EditorMode() const;
    // The editing lifecycle (editor choice, EditMode, validation, the end
    // of an edit); the widget is its host.
    GridEditing& Editing();
    virtual void ClickControlCell(int col, int row) {}
    virtual void CalcFooter(int col);
    // Floating footer (floating_footer.cpp): Visible and FooterStyle with
    // their effect on FixedFooters and the hidden last row; a column's
    // calculation kept in the last row's cell properties.
    void SetFloatingFooterVisible(bool visible);
    void SetFloatingFooterStyle(TFooterStyle style);
    TColumnCalcType ColumnCalc(int col) const;
    void SetColumnCalc(int col, TColumnCalcType type);
    // Fills the footer cells of col (-1: every column) with their results.
    virtual void CalcFloatingFooter(int col);
    // The custom template with each "<#n>" replaced by column n's text of the
    // current row.
    QString FooterTemplateText() const;
    // The column of the strip under x (fixed columns, then from LeftCol); -1
    // past the last one.
    int FooterColumnAt(int x) const;
    // Asks the strip to repaint (OnFooterChanged).
    void UpdateFooter();
    void UpdateFooterRow() override { UpdateFooter(); }
    virtual void NavigationChanged() {}
    virtual void MouseActionsChanged() {}
    virtual QString HtmlToPlainText(const QString& text) const;
    // After a column move: the sort column and sort indexes stay on their
    // data, and a grid synchronised on column moves moves the same column.
    virtual void ColumnMovedSortUpdate(int realFrom, int realTo);
    bool FSyncedMove = false; // being moved by the synchronised partner

    // Events.
    std::function<void(TExStringGrid*, int oldRow, int newRow)> OnRowChanged;
    std::function<void(TExStringGrid*, int row, bool state, bool& allow)> OnRowDisjunctSelect;
    std::function<void(TExStringGrid*, int row)> OnRowDisjunctSelected;
    std::function<void(TExStringGrid*, int oldRow, int oldCol, int& newRow, int& newCol, bool& allow)>
        OnAutoAdvance;
    std::function<void(TExStringGrid*, int oldRow, int oldCol, int newRow, int newCol, bool& allow)>
        OnCellChanging;
    // Asked before the current cell moves to another row (column), however
    // it moves; a refusal keeps the cell and nothing more is reported.
    std::function<void(TExStringGrid*, int oldRow, int newRow, bool& allow)> OnRowChanging;
    std::function<void(TExStringGrid*, int oldCol, int newCol, bool& allow)> OnColChanging;
    // The per-cell scroll bar moved: display column, row, position, min, max.
    std::function<void(TExStringGrid*, int col, int row, int pos, int min, int max)> OnScrollCell;
    std::function<void(TExStringGrid*, int row)> OnAutoAddRow;
    std::function<void(TExStringGrid*, int col)> OnAutoInsertCol;
    std::function<void(TExStringGrid*, bool& canAdd)> OnCanAddRow;
    std::function<void(TExStringGrid*, int row, bool& canInsert)> OnCanInsertRow;
    std::function<void(TExStringGrid*, int row, int col, bool& canEdit)> OnCanEditCell;
    // Keyboard (key_input.h): a handler may change or clear (0) the key.
    std::function<void(TExStringGrid*, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(TExStringGrid*, QChar& key)> OnKeyPress;
    std::function<void(TExStringGrid*, int col, int row, bool state)> OnCheckBoxClick; // display column
    std::function<void(TExStringGrid*, int row, bool& canDelete)> OnCanDeleteRow; // real row
    std::function<void(TExStringGrid*, int row)> OnAutoInsertRow;                 // real row
    // Mouse (mouse_input.h). Cells are display indices, row before column
    // where the events name both so.
    std::function<void(TExStringGrid*)> OnClick;
    std::function<void(TExStringGrid*, int row, int col, bool& allow)> OnCanClickCell;
    std::function<void(TExStringGrid*, int row, int col)> OnClickCell;
    std::function<void(TExStringGrid*, int row, int col)> OnDblClickCell;
    std::function<void(TExStringGrid*, int row, int col)> OnRightClickCell;
    std::function<void(TExStringGrid*, TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
    std::function<void(TExStringGrid*, TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
    std::function<void(TExStringGrid*, int row, int col, const QString& anchor, bool& autoHandle)> OnAnchorClick;
    std::function<void(TExStringGrid*, int row, int col, const QString& anchor)> OnAnchorEnter;
    std::function<void(TExStringGrid*, int row, int col, const QString& anchor)> OnAnchorExit;
    std::function<void(TExStringGrid*, int col, bool& doSort)> OnCanSort;
    std::function<void(TExStringGrid*, int col)> OnClickSort;
    std::function<void(TExStringGrid*, int col, bool& allow)> OnColumnSize;
    std::function<void(TExStringGrid*, int col, int width)> OnColumnSizing;
    std::function<void(TExStringGrid*, int row, int height)> OnRowSizing;
    std::function<void(TExStringGrid*, int col, bool& allow)> OnColumnMove;
    std::function<void(TExStringGrid*, int row, bool& allow)> OnRowMove;
    std::function<void(TExStringGrid*, const TGridRect& orig, const TGridRect& now)> OnSelectionResize;
    std::function<void(TExStringGrid*, const TGridRect& orig, const TGridRect& now)> OnSelectionResized;
    std::function<void(TExStringGrid*, int col, int row, bool state)> OnCheckBoxMouseUp;
    std::function<void(TExStringGrid*, TShiftState shift, QPoint pos, bool& handled)> OnMouseWheelDown;
    std::function<void(TExStringGrid*, TShiftState shift, QPoint pos, bool& handled)> OnMouseWheelUp;
    bool HintShowCells = false;
    bool HintShowSizing = false;
    bool AnchorHint = false;
    TIntelliPan IntelliPan = ipVertical;
    quint32 SortTime = 0; // ms of the last sort by a header click
    // The grid timer's work: the cell under the pointer becomes current
    // (Hovering); texts with "<BLI" repaint at each tick (EnableBlink).
    bool Hovering = false;
    bool EnableBlink = false;
    bool FGridBlink = false; // the blink phase the painter reads
    int FTimerTicks = 0;
    // The incremental key search (Navigation.AutoGotoWhenSorted): the text
    // typed so far and the grid timer's ticks since the last key. SearchRow
    // answers the first display row of the search column starting with an
    // upper-cased text (-1 for none); the widget fills it.
    QString SearchInc;
    int SearchTics = 0;
    std::function<int(const QString& upperText)> SearchRow;
    // Selection queries over the rectangle or the disjunct lists.
    int SelectedCellsCount();
    bool GetSelectedCellState(int col, int row) const;
    void SetSelectedCellState(int col, int row, bool value);
    TGridCoord GetSelectedCell(int index) const;
    int SelectedColCount() const;
    int SelectedRowCount() const;
    int GetSelectedRow(int index) const;
    void ClearSelectedCells();
    void ClearModifiedRows();
    QChar StartEditChar() const { return startEditChar_; }
    void SetStartEditChar(QChar ch) { startEditChar_ = ch; }

    // ======== Construction, setup and look (the string grid's own state) ========

    // The end of setup in code: what loading from a form would finish.
    virtual void Loaded();
    // Copies settings, sizes and cells of another grid.
    virtual void Assign(const TExStringGrid& source);
    virtual void AssignCells(TExStringGrid& source);
    virtual quint32 GetVersionNr() const { return 0x06020103; }
    virtual QString GetVersionString() const;
    // "6.2.1.3" from 0x06020103.
    static QString VersionText(quint32 version);

    // Facts of the desktop the look choices read; ours are fixed.
    static constexpr bool IsWinXP = true;
    static constexpr bool IsWin7 = true;
    static constexpr bool IsVista = true;
    static constexpr bool IsThemed = true;
    static constexpr int kScrollBarSize = 17;

    // Settings objects of the look.
    TControlLook ControlLook{this};
    TSortSettings SortSettings{this};
    TFloatingFooter FloatingFooter;
    TBackGround BackGround;
    TFont FixedFont{QStringLiteral("Tahoma"), 8, fsBold, clWindowText};
    TFont ActiveCellFont{QStringLiteral("MS Sans Serif"), 8, fsBold, clWindowText};
    QStringList ColumnHeaders;
    QStringList RowHeaders;
    QStringList LookupItems;
    QStringList FilterList;
    TSortIndexList SortIndexes;
    TCustomImageList* GridImages = nullptr;
    // Measures cell texts; the widget sets its own, null measures with a
    // fixed-width measurer.
    const TextMeasurer* Measurer = nullptr;
    const TextMeasurer& TextMeasure() const;

    // Size of the control and its frame.
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    bool IntegralHeight = false;
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool Ctl3D = true;
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int ZoomFactor = 0;
    QPoint XYOffset() const { return xyOffset_; }
    void SetXYOffset(QPoint value);
    void UpdateXYOffset(int x, int y) { xyOffset_ = QPoint(x, y); }
    bool XYOffsetTopLeftOnly = false;
    bool FitCellsInGrid = true;
    int MinRowHeight = 0;
    int MaxRowHeight = 0;
    int MinColWidth = 0;
    int MaxColWidth = 0;
    int ScrollWidth = kScrollBarSize;
    TScrollType ScrollType = ssNormal;
    TScrollStyle ScrollBars = ssBoth;
    TScrollBarAlways ScrollBarAlways = saNone;
    bool ScrollProportional = false;
    bool ScrollSynch = false;
    // Which thumbs show a hint while dragged.
    enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
    TScrollHintType ScrollHints = shNone;
    // The hint shown while the thumb is dragged ("Row : " + row); may change it.
    std::function<void(TExStringGrid* sender, int row, QString& hint)> OnScrollHint;
    TColor ScrollColor = clNone;
    // The horizontal scroll bar reserved by SetBounds.
    virtual bool HorzScrollBarVisible() const { return VisibleColCount() + FixedCols() < ColCount(); }

    // Colours.
    TColor HintColor = clInfoBk;
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    TColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor value) { SetRepaint(selectionColor_, value); }
    TColor SelectionColorTo() const { return selectionColorTo_; }
    void SetSelectionColorTo(TColor value) { SetRepaint(selectionColorTo_, value); }
    TColor SelectionMirrorColor() const { return selectionMirrorColor_; }
    void SetSelectionMirrorColor(TColor value) { SetRepaint(selectionMirrorColor_, value); }
    TColor SelectionMirrorColorTo() const { return selectionMirrorColorTo_; }
    void SetSelectionMirrorColorTo(TColor value) { SetRepaint(selectionMirrorColorTo_, value); }
    TColor SelectionTextColor() const { return selectionTextColor_; }
    // Selected rich-text cells keep their own text colours.
    bool SelectionRTFKeep = false;
    // The hidden rich-text document (made on first use by GetRichEdit).
    std::shared_ptr<QObject> RichDocument;
    void SetSelectionTextColor(TColor value) { SetRepaint(selectionTextColor_, value); }
    bool SelectionColorMixer() const { return selectionColorMixer_; }
    void SetSelectionColorMixer(bool value) { SetRepaint(selectionColorMixer_, value); }
    // Percent, clamped to 0 .. 100.
    int SelectionColorMixerFactor() const { return selectionColorMixerFactor_; }
    void SetSelectionColorMixerFactor(int value);
    bool SelectionRectangle() const { return selectionRectangle_; }
    void SetSelectionRectangle(bool value) { SetRepaint(selectionRectangle_, value); }
    TColor SelectionRectangleColor = 0;
    bool SelectionResizer() const { return selectionResizer_; }
    void SetSelectionResizer(bool value) { SetRepaint(selectionResizer_, value); }
    bool ShowSelection() const { return showSelection_; }
    void SetShowSelection(bool value);
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor value);
    bool URLShow() const { return urlShow_; }
    void SetURLShow(bool value) { SetRepaint(urlShow_, value); }
    bool URLFull() const { return urlFull_; }
    void SetURLFull(bool value);
    bool URLUnderlineOnHover = false;
    bool ActiveCellShow() const { return activeCellShow_; }
    void SetActiveCellShow(bool value) { SetRepaint(activeCellShow_, value); }
    // The picture in column 0 of the current row (with fixed columns); its
    // top-left pixel's colour is left out. None by default.
    const QImage& RowIndicator() const { return rowIndicator_; }
    void SetRowIndicator(const QImage& picture)
    {
        rowIndicator_ = picture;
        InvalidateCell(0, Row());
    }
    TColor ActiveCellColor() const { return activeCellColor_; }
    void SetActiveCellColor(TColor value) { SetRepaint(activeCellColor_, value); }
    TColor ActiveCellColorTo() const { return activeCellColorTo_; }
    void SetActiveCellColorTo(TColor value) { SetRepaint(activeCellColorTo_, value); }
    TColor DisabledFontColor = clSilver;
    TColor FixedColor = clBtnFace;
    TColor ZADGradientFrom = clWhite;
    TColor ZADGradientTo;
    TColor ZADGradientMirrorFrom = clNone;
    TColor ZADGradientMirrorTo = clNone;
    // The fixed-cell gradients the header painter uses: normal, hovered and
    // pressed; written by the look, the styles and ControlLook.
    TFixedGradient FSkinGrad;
    TFixedGradient FSkinGradHover;
    TFixedGradient FSkinGradDown;

    // Look.
    TGridLook Look() const { return look_; }
    virtual void SetLook(TGridLook value);
    static QString LookToString(TGridLook look);
    static QString LookDisplayName(TGridLook look);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment value);
    THoverFixedCells HoverFixedCells = hfNone;
    THintShowLargeTextPos HintShowLargeTextPos = hpCell;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    QString InvalidEntryTitle;
    QString InvalidEntryText;
    bool AutoNumAlign = false;
    bool EnhTextSize = false;
    // Component styles, colour tones and colour schemes.
    TSkinStyle ComponentStyle() const { return componentStyle_; }
    void SetComponentStyle(TSkinStyle style) override;
    virtual void SetStyle(TExGridStyle style);
    TExGridStyle Style() const { return style_; }
    void SetColorTones(const TColorTones& tones) override;
    const TColorTones& ColorTones() const { return tones_; }
    void SetTheme(TXPColorScheme scheme);
    // The office theme: with AutoThemeAdapt on the grid takes the theme's
    // style and, once loaded, follows changes of it.
    bool AutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool value);
    // Takes the style of the current theme unless that theme was applied last.
    void ApplyOfficeTheme();
    TOfficeTheme AppliedOfficeTheme() const { return officeTheme_; }
    void OfficeThemeChanged() override;

    // Behaviour flags.
    bool EnableWheel = true;
    bool EnhRowColMove = true;
    bool ShowDesignHelper = true;
    bool UseInternalHintClass = true;
    bool UseDisabledFont = true;
    bool AutoFilterUpdate = true;
    bool FilterNormalCellsOnly = true;
    TFilterDropDownColumns FilterDropDownColumns = fdNormal;
    bool FilterDropDownAuto = false;
    int FilterDropDownRow = 0;
    QString FilterDropDownClear = QStringLiteral("(All)");
    bool FilterDropDownCheck = false; // the filter list is a check list
    TFilterDropDown FilterDropDown;
    bool FilterIncremental = false;
    bool IntelliZoom = true;
    bool HideFocusRect = false;
    bool FixedAsButtons = false;
    bool NoDefaultDraw = false;
    bool NoImageAndText = false;
    bool SizeGrowOnly = false;
    bool ShowNullDates = true;
    bool Enabled = true;
    QString EditMask;
    QChar PasswordChar = u'*';
    int MaxEditLength = 0;
    bool SpreadSheet() const { return spreadSheet_; }
    void SetSpreadSheet(bool value);
    // Set by the input side while a mouse button is down over the grid.
    bool FMouseDown = false;
    // The mouse cursor the grid shows (a cursor number of the widget).
    int Cursor = 0;

    // File exchange flags.
    bool LoadFirstRow = true;
    bool QuoteEmptyCells = true;
    bool AlwaysQuotes = false;
    bool SaveVirtCells = true;
    bool SaveWithHTML = true;
    bool SaveWithRTF = false;
    bool JavaCSV = false;
    bool OemConvert = false;
    QChar Delimiter = QChar(0);
    QString XMLEncoding = QStringLiteral("ISO-8859-1");
    // Percentage of a file exchange done.
    std::function<void(TExStringGrid*, qint16 progress)> OnFileProgress;
    // A number no other grid of the process has; cell streams carry it.
    int ExchangeID() const { return exchangeId_; }
    int PrintPreviewPage = 1;
    int PrintRangeFrom = 1;
    int PrintRangeTo = 1;

    // ---- Look hooks, each firing its event (column real unless said) ----
    virtual void SearchFooterAction(const QString& value, int col, int row, int action);
    virtual void ButtonClick(int col, int row);
    virtual void ExpandClick(int col, int row, bool expanded);
    virtual void ComboCloseUp(int row, int col);
    virtual void ComboDropDown(int row, int col);
    virtual void GetCellCursor(int col, int row, int x, int y);
    virtual void GridHint(int col, int row, QString& hint, QString& wideHint);
    virtual void GetCellColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font);
    virtual void GetCellPrintColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font);
    virtual void GetCellBorder(int col, int row, TPen& pen, TCellBorders& borders);
    virtual void GetCellPrintBorder(int col, int row, TPen& pen, TCellBorders& borders);
    virtual void GetCellAlignment(int col, int row, TAlignment& hAlign, TVAlignment& vAlign);
    virtual void GetFormat(int col, int& style, QString& prefix, QString& suffix);
    virtual void GetEditorTypeForButtons(int col, int row, TEditorType& editor);
    virtual void GetEditorType(int col, int row, TEditorType& editor);
    virtual bool HasNoEditor(int col, int row);
    // col is a display column.
    virtual void IsFixedCell(int col, int row, bool& isFixed);
    virtual void IsPasswordCell(int col, int row, bool& isPassword);
    virtual void GetCellWordWrap(int col, int row, bool& wordWrap);
    virtual bool HasComboBox(int col, int row);
    virtual bool HasSpinEdit(int col, int row);
    virtual void GetCheckTrue(int col, int row, QString& value);
    virtual void GetCheckFalse(int col, int row, QString& value);
    virtual bool GetColumnFilter(int col);
    virtual QString GetEditMask(int col, int row);
    virtual int GetEditLimit();
    virtual void GetFloatFormat(int col, int row, QString& format);
    void GetCellDefaults(int col, int row, TFont& font, TColor& brush, TColor& colorTo, TColor& mirrorColor,
                         TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                         TCellGradientDirection& gd) override;
    // Footer rows, right fixed columns, then IsFixedCell (display column).
    bool IsFixed(int col, int row) override;
    bool CellIsPassword(int col, int row);
    QString GetCheckTrueText(int col, int row);
    QString GetCheckFalseText(int col, int row);
    // The grid's font, or the cell's own font values over it.
    TFont GetCellFont(int col, int row) const;

    // ---- Look resolution ----
    // The complete look of a cell; remap maps a display column to the real one.
    virtual CellLook GetVisualProperties(int col, int row, TGridDrawState state, bool print, bool select,
                                         bool remap);
    // The font of a cell alone.
    TFont GetFontProperties(int col, int realCol, int row, TGridDrawState& state, TBrush& brush, bool remap);
    // Alignments of a real cell's text.
    void GetCellTextAlignment(int col, int row, TAlignment& hAlign, TVAlignment& vAlign);
    // The text a cell shows.
    virtual QString GetFormattedCell(int col, int row);
    virtual void GetCalcCellText(int col, int row, QString& text) {}
    // Room, placement and text flag of the cell's graphic (real column).
    GraphicLayout GetGraphicLayout(int col, int row);
    // Whether the cell takes the fixed look (display column).
    bool HasFixedLook(int col, int row);

    // ---- Cell objects (real column, display row unless said) ----
    // Replaces the cell's graphic by a new one (properties made when missing).
    TCellGraphic* CreateCellGraphic(int col, int row);
    // False when the cell had no graphic (of that kind).
    bool RemoveCellGraphic(int col, int row);
    bool RemoveCellGraphicOfType(int col, int row, TCellType type);
    void AddBitmap(int col, int row, TObject* bitmap, bool transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int col, int row, bool transparent, TCellHAlign hal, TCellVAlign val);
    void RemoveBitmap(int col, int row) { RemoveCellGraphicOfType(col, row, ctBitmap); }
    TObject* GetBitmap(int col, int row);
    bool HasBitmap(int col, int row) { return GetBitmap(col, row) != nullptr; }
    void AddIcon(int col, int row, TObject* icon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int col, int row, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int col, int row) { RemoveCellGraphicOfType(col, row, ctIcon); }
    void AddPicture(int col, int row, TObject* picture, bool transparent, TStretchMode stretch, int padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int col, int row, bool transparent, TStretchMode stretch, int padding,
                            TCellHAlign hal, TCellVAlign val);
    void RemovePicture(int col, int row) { RemoveCellGraphicOfType(col, row, ctPicture); }
    TObject* GetPicture(int col, int row);
    bool HasPicture(int col, int row) { return GetPicture(col, row) != nullptr; }
    void AddFilePicture(int col, int row, TObject* picture, bool transparent, TStretchMode stretch, int padding,
                        TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int col, int row, bool transparent, TStretchMode stretch, int padding,
                                    TCellHAlign hal, TCellVAlign val);
    void RemoveFilePicture(int col, int row) { RemoveCellGraphicOfType(col, row, ctFilePicture); }
    TObject* GetFilePicture(int col, int row);
    void AddImageIdx(int col, int row, int idx, TCellHAlign hal, TCellVAlign val);
    void RemoveImageIdx(int col, int row) { RemoveCellGraphicOfType(col, row, ctImageList); }
    bool GetImageIdx(int col, int row, int& idx);
    void SetImageIdx(int col, int row, int idx);
    void AddDataImage(int col, int row, int idx, TCellHAlign hal, TCellVAlign val);
    void RemoveDataImage(int col, int row);
    bool HasDataImage(int col, int row);
    TIntList* AddMultiImage(int col, int row, int dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(int col, int row) { RemoveCellGraphicOfType(col, row, ctImages); }
    void AddInterfacedCell(int col, int row, TObject* object);
    TObject* GetInterfacedCell(int col, int row);
    void AddRotated(int col, int row, int angle, const QString& text);
    void SetRotated(int col, int row, int angle);
    bool IsRotated(int col, int row, int& angle);
    void AddProgress(int col, int row, TColor fgColor, TColor bkColor);
    void AddProgressEx(int col, int row, TColor fgColor, TColor fgTextColor, TColor bkColor, TColor bkTextColor);
    void AddProgressFormatted(int col, int row, TColor fgColor, TColor fgTextColor, TColor bkColor,
                              TColor bkTextColor, const QString& format, int min, int max);
    void RemoveProgress(int col, int row) { RemoveCellGraphicOfType(col, row, ctProgress); }
    bool HasProgress(int col, int row);
    void AddExProgress(int col, int row, int min, int max);
    void AddProgressPie(int col, int row, TColor color, int value);
    void SetProgressPie(int col, int row, int value);
    void AddRangeIndicator(int col, int row, int range, TColor negColor, TColor posColor, bool showValue);
    void AddComment(int col, int row, const QString& comment);
    void AddColorComment(int col, int row, const QString& comment, TColor color);
    void RemoveComment(int col, int row) { RemoveCellGraphicOfType(col, row, ctComment); }
    bool IsComment(int col, int row, QString& comment);
    QString GetComment(int col, int row);
    void SetComment(int col, int row, const QString& value);
    void RemoveAllComments();
    void AddShape(int col, int row, int shape, TColor fillColor, TColor lineColor, TCellHAlign hal,
                  TCellVAlign val);
    TColor GetShapeColor(int col, int row);
    void SetShapeColor(int col, int row, TColor fillColor);
    void AddRating(int col, int row, int scale, TColor fillColor, TColor emptyColor);
    bool HasRating(int col, int row);
    void AddScrollBar(int col, int row, bool autoRange);
    bool HasScrollBar(int col, int row);
    bool HasAutoRangeScrollBar(int col, int row);
    int GetScrollPosition(int col, int row);
    void SetScrollPosition(int col, int row, int position);
    QPoint GetScrollProp(int col, int row); // (page size, range)
    void SetScrollProp(int col, int row, QPoint pageSizeAndRange);
    void AddMarker(int col, int row, int errPos, int errLen);
    void GetMarker(int col, int row, int& errPos, int& errLen);
    void RemoveMarker(int col, int row);
    void RemoveAllMarkers();
    void AddButton(int col, int row, int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int col, int row, int bw, int bh, const QString& caption, TObject* glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int col, int row, int bw, int bh, const QString& caption, TCellHAlign hal,
                             TCellVAlign val);
    bool HasButton(int col, int row);
    void RemoveButton(int col, int row);
    void RemoveAllButtons();
    // Display columns.
    QString GetButtonText(int col, int row);
    void SetButtonText(int col, int row, const QString& caption);
    // Pushes or releases a button (cell buttons only); false for other cells.
    bool PushButton(int col, int row, bool push);
    void AddRadio(int col, int row, int dirRadio, int idxRadio, TStringsObject* items);
    TStringsObject* CreateRadio(int col, int row, int dirRadio, int idxRadio);
    bool GetRadioIdx(int col, int row, int& idxRadio);
    // Radio groups only; false, and nothing changed, for other cells.
    bool SetRadioIdx(int col, int row, int idxRadio);
    TStringsObject* GetRadioStrings(int col, int row);
    bool IsRadio(int col, int row);
    void ToggleRadio(int col, int row, bool byUser);
    void AddExpand(int col, int row, int expandedHeight);
    bool HasExpand(int col, int row);
    bool GetExpandState(int col, int row);
    // Expand buttons only; false, and nothing changed, for other cells.
    bool ToggleExpand(int col, int row);
    int GetExpandHeight(int col, int row, bool expanded);
    QRect GetExpandButtonRect(int col, int row);
    QRect GetCellButtonRect(int col, int row);
    // On check boxes and radio buttons, or as a graphic of its own; false,
    // and nothing attached, on other graphics.
    bool AddBalloon(int col, int row, const QString& title, const QString& text, TBalloonIcon icon);
    bool HasBalloon(int col, int row);
    bool IsBalloon(int col, int row, QString& title, QString& text, TBalloonIcon& icon);
    void RemoveBalloon(int col, int row);
    void AddCheckBox(int col, int row, bool state, bool data);
    void AddCheckBox(int col, int row, TCheckBoxState state);
    void RemoveCheckBox(int col, int row);
    void AddCheckBoxColumn(int col, bool defaultState, bool dataCheckBox);
    void RemoveCheckBoxColumn(int col);
    void AddTriStateCheckBoxColumn(int col, TCheckBoxState state);
    bool IsInCheckBox(int col, int row, int x, int y);
    bool GetCheckBoxState(int col, int row, bool& state);
    bool GetCheckBoxState(int col, int row, TCheckBoxState& state);
    bool SetCheckBoxState(int col, int row, bool state);
    bool SetCheckBoxState(int col, int row, TCheckBoxState state);
    bool SetCheckBoxStateNotify(int col, int row, bool state);
    bool IsChecked(int col, int row);
    bool ToggleCheckBox(int col, int row) { return ToggleCheckBoxEx(col, row, false); }
    void CheckAll(int col);
    void UnCheckAll(int col);
    static TCheckBoxState BoolToCheckBoxState(bool checked) { return checked ? cbChecked : cbUnchecked; }
    bool HasCheckBox(int col, int row);
    bool HasDataCheckBox(int col, int row);
    bool HasDataGraphic(int col, int row);
    void AddRadioButton(int col, int row, bool state);
    void RemoveRadioButton(int col, int row);
    void AddRadioButtonColumn(int col);
    void RemoveRadioButtonColumn(int col);
    bool HasRadioButton(int col, int row);
    bool IsRadioButtonChecked(int col, int row);
    bool SetRadioButtonState(int col, int row, bool state);
    void SetRadioButtonColumnIndex(int col, int index);
    int GetRadioButtonColumnIndex(int col);
    virtual bool ToggleCheckBoxEx(int col, int row, bool byUser);
    virtual bool ToggleRadioButton(int col, int row, bool byUser);
    virtual void CheckBoxChange(int col, int row, bool state);
    virtual bool RatingChange(int col, int row, double& newRate);
    virtual void ColorSelect(TColor color, const QString& text);
    virtual void ImageSelect(int index);
    // A check box toggle (real column, row, new and old text) for the
    // attached undo list. A box that keeps its state itself hands its check
    // texts (empty for the grayed state of a three-state box), and the list
    // records them as the box's state.
    virtual void RegisterUndoChange(int col, int row, const QString& value, const QString& origValue);
    // Sets the state of the check box at (real column, real row) to checked
    // exactly when text is its check-true text; a three-state box turns
    // grayed for a text that is neither check text.
    void SetCheckBoxStateText(int col, int realRow, const QString& text);

    // ---- Graphic lookup and sizes ----
    virtual TCellGraphic* GetCellGraphic(int col, int row);
    TIntList* GetCellImages(int col, int row);
    qintptr GetCellImageValue(int col, int row);
    virtual TCustomImageList* GetGridImages() { return GridImages; }
    virtual QPoint GetCellGraphicSize(int col, int row);
    virtual void CalcCellGraphicSize(int col, int row, QPoint& size, int pictureMargin);
    virtual QPoint CalcPrintGraphicSize(int col, int row, double scale, int cellWidth, int cellHeight);
    QPoint GetCellGraphicPrintSize(int col, int row, double scale, int cellWidth, int cellHeight)
    {
        return CalcPrintGraphicSize(col, row, scale, cellWidth, cellHeight);
    }
    bool IsSortIndicatorRow(int col, int row);

    // ---- Text measuring and file exchange offsets ----
    // The room a cell's text takes (real column).
    virtual QSize GetCellTextSize(int col, int row, bool vs, bool sb);
    int GetTotalXOffset() const { return XYOffsetTopLeftOnly ? xyOffset_.x() : 2 * xyOffset_.x(); }
    int GetTotalYOffset() const { return XYOffsetTopLeftOnly ? xyOffset_.y() : 2 * xyOffset_.y(); }
    // The most lines a cell of the row holds.
    int MaxLinesInRow(int row);
    // File exchange (with its own side).
    // The grid text stream: counts, widths, then "col,row,text" lines; the
    // reader stops at the first line that is no cell line.
    virtual void SaveToStream(QIODevice& stream);
    virtual void LoadFromStream(QIODevice& stream);
    // Column widths ("Col"n) and the column order ("Pos"n) in the store that
    // ColumnSize names; nothing happens without a key and a section.
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void SaveColSizes();
    virtual void LoadColSizes();
    // A pasted value: a check box takes its state, any other cell the text
    // (display column).
    virtual void PasteCell(int col, int row, const QString& value);
    virtual void BeginPaste() {}
    virtual void EndPaste() {}
    // With ShowModified.Enabled the rows of rect are marked modified.
    virtual void MarkPastedRows(const TGridRect& rect);
    virtual bool GetAllowFmtClipboard() { return Navigation.AllowFmtClipboard; }

    // ---- Calculations ----
    double ColumnSum(int col, int fromRow, int toRow);
    double ColumnAvg(int col, int fromRow, int toRow);
    double ColumnMin(int col, int fromRow, int toRow);
    double ColumnMax(int col, int fromRow, int toRow);
    double ColumnStdDev(int col, int fromRow, int toRow);
    double ColumnDistinct(int col, int fromRow, int toRow);
    double ColumnCustomCalc(int col, int fromRow, int toRow);
    double GroupCustomCalc(int col, int fromRow, int toRow);
    double RowSum(int row, int fromCol, int toCol);
    double RowAvg(int row, int fromCol, int toCol);
    double RowMin(int row, int fromCol, int toCol);
    double RowMax(int row, int fromCol, int toCol);
    // The value of a numeric cell; GridError "Cell does not contain a float value".
    double Floats(int col, int row) const;
    bool TryFloat(int col, int row, double& value) const;
    // The value of a hidden or shown cell by real row.
    double AllFloats(int col, int row) const;

    // ---- Auto-size, fit, numbering, swaps (display columns) ----
    void AutoSizeColEx(int col, bool onlyGrow);
    void AutoSizeCol(int col, int padding = 0);
    void AutoSizeColumns(bool doFixedCols, int padding);
    void AutoSizeRowEx(int row, bool onlyGrow, int pictureMargin);
    void AutoSizeRow(int row, int padding = 0);
    void AutoSizeRows(bool doFixedRows, int padding);
    void SizeRowToLines(int row, int lines, int extra);
    void AutoSizeCells(bool doFixedCells, int paddingX, int paddingY);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    void AutoFitColumns(bool doFixedCells);
    int AutoNumberStart = 0;
    int AutoNumberOffset = 0;
    TSortDirection AutoNumberDirection = sdAscending;
    void AutoNumberCol(int col);
    void AutoNumberRow(int row);
    void SwapColumns(int col1, int col2);
    void SwapRows(int row1, int row2);

    // ---- Column sizing, listeners and small hooks ----
    void StretchColumn(int index);
    void StretchRightColumn() { StretchColumn(ColCount() - 1); }
    // After the user sized a column (or row); the widget calls these.
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void BeginUserColSizing(int col);
    void BeginUserRowSizing(int row);
    virtual void UpdateColumnSize(int col, int& width);
    virtual void UpdateAutoColumnSize(int col, int& width);
    virtual void ColumnHeadersChanged() {}
    void SetColumnHeaders(const QStringList& headers);
    void ShowColumnHeaders();
    void RegisterSelListener(std::function<void(int col, int row)> listener) { selListener_ = std::move(listener); }
    void UnRegisterSelListener() { selListener_ = nullptr; }
    void RegisterNotifier(TGridChangeNotifier* notifier);
    void UnRegisterNotifier(TGridChangeNotifier* notifier);
    const std::vector<TGridChangeNotifier*>& Notifiers() const { return notifiers_; }
    QStringList ComboItems;
    int ComboSelection = -1;
    void ClearComboString() { ComboItems.clear(); }
    void AddComboString(const QString& s) { ComboItems.append(s); }
    bool RemoveComboString(const QString& s);
    int GetComboCount() const { return static_cast<int>(ComboItems.size()); }
    bool SetComboSelectionString(const QString& s);
    void SetComboSelection(int index) { ComboSelection = index; }
    void SetComboIndex(int col, int row, int value);
    int GetComboIndex(int col, int row);
    virtual void GetEditorProp(int col, int row) {}
    virtual void AppendRow() { SetRowCount(RowCount() + 1); }
    virtual void F2Pressed() {}
    virtual void InplaceEditChange(const QString& text, int pos, int selStart) {}
    virtual void ExportNotification(int state, int row) {}
    virtual void ImportNotification(int state, int row) {}
    virtual void InvalidateSelection(int left, int top, int right, int bottom);
    virtual void FilterDone();
    virtual void FixedEdit(int col, int row, TGridFixedCellEditor& editor, QStringList& values);
    virtual void AutoInsertRow(int row);
    virtual void AutoDeleteRow(int row);
    virtual void LoadCell(int col, int row, const QString& value);
    virtual void SaveCell(int col, int row, QString& value);
    // The balloon of a cell: cell text (tags out, cut to 2048) and title
    // (cut to 100); base cell of a merged range, real column.
    struct BalloonText
    {
        QString Title;
        QString Text;
        TBalloonIcon Icon = biNone;
        int MaxWidth = 300;
    };
    BalloonText CellBalloon(int col, int row);

    // Events of the look hooks and the cell objects (row before column where
    // the grid's interface has it so).
    std::function<void(TExStringGrid*, const QString& value, int col, int row, int action)> OnSearchFooterAction;
    std::function<void(TExStringGrid*, int col, int row)> OnButtonClick;
    // A button of an open drop-down editor's popup header or footer: the
    // current cell (display column) and the button's index.
    std::function<void(TExStringGrid*, int col, int row, int buttonIndex)> OnDropDownHeaderButtonClick;
    std::function<void(TExStringGrid*, int col, int row, int buttonIndex)> OnDropDownFooterButtonClick;
    std::function<void(TExStringGrid*, int col, int row, bool expanded)> OnExpandClick;
    std::function<void(TExStringGrid*, int row, int col)> OnComboCloseUp;
    std::function<void(TExStringGrid*, int row, int col)> OnComboDropDown;
    std::function<void(TExStringGrid*, int col, int row, int x, int y, int& cursor)> OnGetCellCursor;
    std::function<void(TExStringGrid*, int row, int col, QString& hint)> OnGridHint;
    // acCUSTOM footer cells: the grid's event first, else the footer's own.
    std::function<void(TExStringGrid*, int col, int row, QString& value)> OnFooterCalc;
    std::function<void(TExStringGrid*, int col, int row, QString& value)> OnCalcFooter;
    std::function<void()> OnFooterChanged;
    std::function<void(TExStringGrid*, int row, int col, QString& hint)> OnGridWideHint;
    std::function<void(TExStringGrid*, int row, int col, TGridDrawState state, TBrush& brush, TFont& font)>
        OnGetCellColor;
    std::function<void(TExStringGrid*, int row, int col, TGridDrawState state, TBrush& brush, TFont& font)>
        OnGetCellPrintColor;
    std::function<void(TExStringGrid*, int row, int col, TPen& pen, TCellBorders& borders)> OnGetCellBorder;
    std::function<void(TExStringGrid*, int row, int col, TPen& pen, TCellBorders& borders)> OnGetCellPrintBorder;
    std::function<void(TExStringGrid*, int row, int col, TAlignment& hAlign, TVAlignment& vAlign)> OnGetAlignment;
    std::function<void(TExStringGrid*, int col, int& style, QString& prefix, QString& suffix)> OnGetFormat;
    std::function<void(TExStringGrid*, int col, int row, TEditorType& editor)> OnGetEditorType;
    std::function<void(TExStringGrid*, int row, int col, bool& isFixed)> OnIsFixedCell;
    std::function<void(TExStringGrid*, int row, int col, bool& isPassword)> OnIsPasswordCell;
    std::function<void(TExStringGrid*, int col, int row, bool& wordWrap)> OnGetWordWrap;
    std::function<void(TExStringGrid*, int col, int row, bool& hasComboBox)> OnHasComboBox;
    std::function<void(TExStringGrid*, int col, int row, bool& hasSpinEdit)> OnHasSpinEdit;
    std::function<void(TExStringGrid*, int col, int row, QString& value)> OnGetCheckTrue;
    std::function<void(TExStringGrid*, int col, int row, QString& value)> OnGetCheckFalse;
    std::function<void(TExStringGrid*, int col, QStringList& filter)> OnGetColumnFilter;
    std::function<void(TExStringGrid*, int col, int row, QString& mask)> OnGetEditMask;
    std::function<void(TExStringGrid*, int row, int col, TColor& color, TColor& colorTo, TColor& mirror,
                       TColor& mirrorTo, TCellGradientDirection& direction)>
        OnGetCellGradient;
    std::function<void(TExStringGrid*, int col, int row, bool& isFloat, QString& format)> OnGetFloatFormat;
    std::function<void(TExStringGrid*, int col, int row, bool state)> OnCheckBoxChange;
    std::function<void(TExStringGrid*, int col, int row, double newRate, bool& allow)> OnRatingChange;
    std::function<void(TExStringGrid*, int col, int row, TColor color, const QString& text)> OnColorSelect;
    std::function<void(TExStringGrid*, int col, int row, int index)> OnImageSelect;
    std::function<void(TExStringGrid*, int col, int fromRow, int toRow, double& result)> OnColumnCalc;
    std::function<void(TExStringGrid*, int col, int fromRow, int toRow, double& result)> OnGroupCalc;
    std::function<void(TExStringGrid*, int col, int& width)> OnUpdateColumnSize;
    std::function<void(TExStringGrid*, int col)> OnEndColumnSize;
    std::function<void(TExStringGrid*, int row)> OnEndRowSize;
    std::function<void(TExStringGrid*)> OnResize;
    std::function<void(TExStringGrid*, int left, int top, int right, int bottom)> OnSelectionChanged;
    std::function<void(TExStringGrid*)> OnFilterDone;
    std::function<void(TExStringGrid*, int col, int row, TGridFixedCellEditor& editor, QStringList& values)>
        OnFixedEdit;
    std::function<void(TExStringGrid*, int row)> OnAutoDeleteRow;
    std::function<void(TExStringGrid*, int col, int row, QString& value)> OnLoadCell;
    std::function<void(TExStringGrid*, int col, int row, QString& value)> OnSaveCell;
    std::function<void(TExStringGrid*, int col, int row, QString& title, QString& text, TBalloonIcon& icon)>
        OnCellBalloon;

    // ======== Data operations ========
    struct CompiledFilter;
    TFilter Filter;
    // Comparisons and row moves of the last sorts (the counters only grow).
    long Compares = 0;
    long Swaps = 0;
    bool FilterActive() const { return filterActive_; }
    bool IsGrouping() const { return isGrouping_; }
    int NumNodes() const { return numNodes_; }
    // Display row of each row before the sorts since InitSortXRef (empty: none).
    const std::vector<int>& SortRowXRef() const { return sortRowXRef_; }
    // Shows every hidden-row record pick accepts, in one pass and one merge.
    void UnHideRowsWhere(const std::function<bool(const TGridItem&)>& pick);
    std::function<void(TExStringGrid*, int row, bool& accept)> OnCustomFilter;
    std::function<void(TExStringGrid*, qint16 progress)> OnFilterProgress;
    std::function<void(TExStringGrid*, int col, int itemIndex, QString& name, QString& condition)> OnFilterSelect;
    std::function<void(TExStringGrid*, int col, int itemIndex, QString& name, QString& condition)> OnFilterCheck;
    std::function<void(TExStringGrid*, const QString& s1, const QString& s2, int& res)> OnCustomCompare;
    std::function<void(TExStringGrid*, int col, int row1, int row2, int& res)> OnRawCompare;
    // ---- Rows and columns: removal, insertion, clearing, trimming, merging ----
    void DeleteRowList(std::vector<int> rows);
    void RemoveRows(int row, int count);
    void AddColumn();
    virtual void RemoveCols(int col, int count);
    virtual void InsertCols(int col, int count);
    void RemoveCheckedRows(int checkBoxCol, bool removeChecked);
    void RemoveDuplicates(int col, bool doCase);
    bool RowSelectedAt(int row);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void ClearRect(int col1, int row1, int col2, int row2);
    void ClearRows(int row, int count);
    void ClearCols(int col, int count);
    void ClearNormalRows(int row, int count);
    void ClearNormalCols(int col, int count);
    void ClearNormalCells();
    void ClearSelection();
    void Clear();
    void ClearAll();
    void TrimRect(int col1, int row1, int col2, int row2);
    void TrimColumn(int col);
    void TrimRow(int row);
    void TrimAll();
    void ColorRect(int col1, int row1, int col2, int row2, TColor color);
    void MergeColumnCells(int col, bool mainMerge);
    void MergeRowCells(int row, bool mainMerge);
    void SplitColumnCells(int col);
    void SplitRowCells(int row);
    void SplitAllCells();
    void MergeCols(int col1, int col2, const QString& separator);
    bool IsCell(const QString& subStr, int& col, int& row) const;
    bool IsWideCell(int col, int row) const;
    // ---- Filtering ----
    QString FilterText(const TFilterData& d, int row);
    bool MatchCompiled(const CompiledFilter& filter, int row);
    bool CustomFilter(int row, bool accept);
    bool MatchFilter(int row);
    void ApplyFilter();
    void FilterRow(int row);
    bool RemoveLastFilter();
    void RemoveAllFilters();
    void SetFilterActive(bool value);
    void NarrowDown(const QString& condition, int column);
    void FilterSelect(int itemIndex);
    // The real column whose filter list is open (-1: none).
    int FilterCol() const { return filterCol_; }
    void SetFilterCol(int col) { filterCol_ = col; }
    void FilterCheck(const std::vector<int>& checked);
    // ---- Node rows ----
    TCellGraphic* NodeGraphic(int row) const;
    bool IsNode(int row) const;
    bool IsSummary(int row) const;
    int NodeLevelOf(int row) const;
    void AddNodeLevel(int row, int delta);
    void AddNode(int row, int span);
    bool GetNodeState(int row) const;
    void SetNodeState(int row, bool contracted);
    int GetNodeLevel(int row) const;
    int GetNodeSpan(int row) const;
    void SetNodeSpan(int row, int span);
    void UpdateNodeSpan(int row, int delta);
    int GetSubNodeCount(int row) const;
    void UpdateSubNodeCount(int row, int delta);
    int NextNodeRow(int row) const;
    int NodeLastReal(int displayRow) const;
    void ContractNode(int row);
    void ExpandNodeOnly(int row);
    void ExpandNode(int row);
    void ExpandAll();
    void ContractAll();
    void RemoveNode(int row);
    void RemoveAllNodes();
    int GetParentRow(int row) const;
    void InsertChildRow(int row, int insertAt);
    void RemoveChildRow(int row);
    void InsertNormalRow(int row);
    void RemoveNormalRow(int row);
    int GetNodeSpanType(int row) const;
    bool IsInNodeGlyph(int row, int x) const;
    void MarkSummaryRow(int row);
    // ---- Grouping ----
    void SetGroupColumn(int col);
    void ApplyRowColors(int row, TColor color, TColor colorTo, TColor fontColor);
    void ApplyCellColors(int col, int row, TColor color, TColor colorTo, TColor fontColor);
    void ResetRowColors(int row);
    void InsertSummaryRow(int row);
    virtual void Group(int col);
    virtual void UnGroup();
    void SubGroup(int col);
    void SubUnGroup(int col);
    void GroupCalc(int col, int method);
    void GroupSum(int col);
    void GroupAvg(int col);
    void GroupMin(int col);
    void GroupMax(int col);
    void GroupCount(int col);
    void GroupCustom(int col);
    void GroupDistinct(int col);
    void GroupStdDev(int col);
    // ---- Sorting ----
    void InitSortXRef();
    int SortedRowIndex(int row) const;
    int UnSortedRowIndex(int row) const;
    QString UnSortedCells(int col, int row) const;
    void SetUnSortedCells(int col, int row, const QString& value);
    std::vector<SortColumn> SortChain(int col, bool descending) const;
    std::vector<SortColumn> IndexChain() const;
    int CompareCells(int col, int row1, int row2, TSortDirection direction);
    void ApplyRowOrder(int left, const std::vector<int>& order, int onlyCol);
    std::vector<int> SortRows(int left, int right, std::vector<SortColumn> columns);
    void SortAndFollow(int left, int right, const std::vector<SortColumn>& columns, bool indexed);
    virtual void QSort();
    void Sort(int col, TSortDirection direction);
    void SortByColumn(int col);
    virtual void QSortIndexed();
    void QuickSort(int col, int left, int right);
    void QuickSortIndexed(int left, int right);
    void SortGroups(bool indexed);
    void QSortGroup();
    void QSortGroupIndexed();
    void QUnSort();
    bool SortLine(int col, int row1, int row2);
    void SortSwapRows(int row1, int row2);

    // ---- Typed access, print columns, headers, fills ----
    int Ints(int col, int row) const;
    void SetInts(int col, int row, int value);
    int AllInts(int col, int row) const;
    void SetAllInts(int col, int row, int value);
    QString FloatText(const QString& format, double value) const;
    void SetFloats(int col, int row, double value);
    void SetAllFloats(int col, int row, double value);
    double Dates(int col, int row) const;
    void SetDates(int col, int row, double value);
    double Times(int col, int row) const;
    void SetTimes(int col, int row, double value);
    int PrintColWidth(int col) const;
    int PrintColOffset(int col) const;
    void SetPrintColumn(int col, int width, int offset);
    void SetRowHeaders(const QStringList& headers);
    void ShowRowHeaders();
    void ClearRowHeaders();
    void ClearColumnHeaders();

    void TextFill(bool doFixed, const QString& text);
    void FormatFill(bool doFixed, const QString& format);
    void RandomFill(bool doFixed, int range);
    void LinearFill(bool doFixed);

    // ---- Highlight ("hi") and mark ("e") tags, control values, checker ----
    static QString HilightText(bool doCase, const QString& s, const QString& text);
    static QString UnHilightText(const QString& text);
    static QString MarkText(bool doCase, const QString& s, const QString& text);
    static QString UnMarkText(const QString& text);
    void HilightInCell(bool doCase, int col, int row, const QString& text);
    void HilightInCol(bool doFixed, bool doCase, int col, const QString& text);
    void HilightInRow(bool doFixed, bool doCase, int row, const QString& text);
    void HilightInGrid(bool doFixed, bool doCase, const QString& text);
    void UnHilightInCell(int col, int row);
    void UnHilightInCol(bool doFixed, int col);
    void UnHilightInRow(bool doFixed, int row);
    void UnHilightInGrid(bool doFixed);
    void MarkInCell(bool doCase, int col, int row, const QString& text);
    void MarkInCol(bool doFixed, bool doCase, int col, const QString& text);
    void MarkInRow(bool doFixed, bool doCase, int row, const QString& text);
    void MarkInGrid(bool doFixed, bool doCase, const QString& text);
    void UnMarkInCell(int col, int row);
    void UnMarkInCol(bool doFixed, int col);
    void UnMarkInRow(bool doFixed, int row);
    void UnMarkInGrid(bool doFixed);
    // The VALUE of the in-text control with that ID (empty when none);
    // writing changes the cell only when the control is there.
    QString ControlValues(int col, int row, const QString& id) const;
    void SetControlValues(int col, int row, const QString& id, const QString& value);
    // Checks cells with CellChecker (every cell of a range, also after a
    // failure); true when nothing was corrected or marked. Held weakly: a
    // deleted checker is dropped.
    QPointer<TExStringGridCheck> CellChecker;
    bool CheckCell(int col, int row);
    bool CheckCells(int fromCol, int fromRow, int toCol, int toRow);
    bool CheckCol(bool doFixed, int col);
    bool CheckRow(bool doFixed, int row);
    bool CheckGrid(bool doFixed);

protected:
    // Wraps (text set) or unwraps (null) tags in the base cells of a range.
    void TagCells(int c1, int r1, int c2, int r2, const QString& tag, bool doCase, const QString* text);
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;
    bool SelectCell(int col, int row) override;
    // The vetoes of a move to (col, row): OnRowChanging, OnColChanging, then
    // OnCellChanging (not while an advance already asked it).
    virtual void CellChanging(int col, int row, bool& allow);

    // Hidden-column bookkeeping.
    static constexpr int kColTable = 513;
    void RebuildColumnMap();
    // Record helpers.
    int RecordsBelow(int idx) const;
    // Puts restored hidden-row records back into the shown rows (sorted by Idx);
    // answers the first and last shown row they took.
    std::pair<int, int> ShowRestoredRows(std::vector<std::unique_ptr<TGridItem>>& restored);
    void InsertRecord(std::unique_ptr<TGridItem> item);
    // Stores the display row's handle in a record and takes it out of the
    // store and the heights.
    std::unique_ptr<TGridItem> MakeRecord(int displayRow, int idx, bool withHeight);
    // Side lists that follow row insertion and removal.
    void SideListsInsert(int row, int count);
    void SideListsRemove(int row, int count, bool rowSelectToo);
    void RenumberRecordsAfter(int idx, int delta);
    // Runs change, a change of the shown rows, and carries the undo history
    // along: shownRow maps a shown row to the one it shows at after the
    // change, -1 for a removed row. Hidden rows follow their records.
    void CarryUndoRows(const std::function<void()>& change, const std::function<int(int shownRow)>& shownRow);

    std::array<bool, kColTable> visibleCol_{};
    std::array<qint16, kColTable> allColWidths_{};
    int numHidden_ = 0;
    std::vector<int> displToReal_; // shown real columns below 512, ascending
    std::vector<std::unique_ptr<TGridItem>> gridItems_;
    int duplicateIdx_ = 0;
    int filterLevel_ = 0;
    TGridRect oldSelection_;
    bool selHidden_ = false;
    int oldRowSel_ = -1;
    TIntList columnOrder_;
    TControlList controlList_;
    int numCellControls_ = 0;
    TCellScrollBar cellScrollBar_;
    int groupColumn_ = -1;

    TIntList selectedRows_;
    TIntList selectedCells_;
    std::vector<int> modifiedRows_;
    std::vector<int> enabledRows_;
    std::vector<char> rowSelect_;
    std::vector<char> colSelect_;
    bool useEnabledRows_ = false;
    bool fixedRowAlways_ = false;
    bool fixedColAlways_ = false;
    int fixedRowsMin_ = 0;
    int fixedColsMin_ = 0;
    int fixedFooters_ = 0;
    int fixedRightCols_ = 0;
    int fixedRowHeight_ = 22;
    TAlignment defaultAlignment_ = taLeftJustify;
    int maxRowCount_ = 0;
    int maxColCount_ = 0;
    int aeCol_ = 0;
    int aeRow_ = 0;
    QChar startEditChar_;
    bool disableChange_ = false;
    int updateCount_ = 0;
    bool loading_ = false;
    const int exchangeId_ = NextExchangeID();
    static int NextExchangeID();

    // Sorting, filtering, nodes and grouping state.
    std::vector<int> sortRowXRef_;
    std::vector<int> sortRowXRefInv_;
    int numNodes_ = 0;
    bool isGrouping_ = false;
    int groupWidth_ = 0;
    QString groupCaption_;
    QString groupFooter_;
    int filterFixedRows_ = 0;
    bool filterActive_ = false;
    QString lastFilter_;
    int filterCol_ = -1;
    bool blockCellChange_ = false;
    // Column widths and offsets of the printout, in print units.
    static constexpr int kPrintColumns = 256;
    std::array<int, kPrintColumns> printColWidths_{};
    std::array<int, kPrintColumns> printColOffsets_{};
    // text(col, row) into every cell of the normal area (or all).
    template <typename F>
    void FillCells(bool doFixed, F&& text);

    // Look and setup state.
    template <typename T>
    void SetRepaint(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }
    // The selection colours over a cell's look.
    void TakeSelectionLook(CellLook& look) const;
    // The graphic of a check box cell; with hidden rows row is a real row
    // and byRealRow tells whether the lookup went by it.
    TCellGraphic* CheckBoxGraphic(int col, int row, bool& byRealRow);
    // The row's selection flag; false for a row outside the grid.
    bool RowSelectFlag(int row);
    void SizeChanged(int oldColCount, int oldRowCount) override;
    // -1 for either end means the normal rows.
    void ResolveRowRange(int& fromRow, int& toRow) const;
    // f(numeric, value) for each row of a column calculation that takes part.
    template <typename F>
    void ForEachCalcRow(int col, int fromRow, int toRow, F&& f);
    // The look's share of a new grid, and the colours of the plain looks.
    void InitLook();
    void ApplyLookColors(TGridLook value);
    void ApplyXPGradients(TGridLook value);
    int width_ = 400;
    int height_ = 250;
    TBorderStyle borderStyle_ = bsSingle;
    TColor borderColor_ = 0xB99D7F;
    bool autoSize_ = false;
    QPoint xyOffset_{2, 2};
    TColor selectionColor_ = 0xEACAB6;
    TColor selectionColorTo_ = clNone;
    TColor selectionMirrorColor_ = clNone;
    TColor selectionMirrorColorTo_ = clNone;
    TColor selectionTextColor_ = clBlack;
    bool selectionColorMixer_ = false;
    int selectionColorMixerFactor_ = 50;
    bool selectionRectangle_ = false;
    bool selectionResizer_ = false;
    bool showSelection_ = true;
    TColor urlColor_ = clBlue;
    bool urlShow_ = false;
    bool urlFull_ = false;
    bool activeCellShow_ = false;
    QImage rowIndicator_;
    TColor activeCellColor_ = clGray;
    TColor activeCellColorTo_ = clNone;
    TGridLook look_ = glStandard;
    bool flat_ = false;
    TVAlignment vAlignment_ = vtaTop;
    TSkinStyle componentStyle_ = tsWindowsXP;
    TExGridStyle style_ = gsWindowsXP;
    TColorTones tones_;
    bool spreadSheet_ = false;
    bool designing_ = false;
    bool loaded_ = false;
    bool autoThemeAdapt_ = false;
    TOfficeTheme officeTheme_ = otUnknown;
    // Sizing state.
    int sizingCol_ = -1;
    int sizingColWidth_ = 0;
    int sizingRow_ = -1;
    int sizingRowHeight_ = 0;
    bool stretching_ = false;
    bool inSizeChange_ = false;
    bool selectionChanged_ = false;
    bool destroying_ = false;
    std::unique_ptr<GridEditing> editing_;
    std::function<void(int col, int row)> selListener_;
    std::vector<TGridChangeNotifier*> notifiers_;
    // The shared record answered for row check boxes.
    std::unique_ptr<TCellGraphic> sharedGraphic_;
};

// The component style of an office theme.
TSkinStyle OfficeThemeStyle(TOfficeTheme theme);

} // namespace grid
