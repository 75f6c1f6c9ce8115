#pragma once
#include "controls/grid/core/base_grid.h"
#include "controls/grid/core/grid_records.h"
#include "controls/grid/core/int_list.h"
#include "controls/grid/core/settings_objects.h"

#include <array>
#include <memory>
#include <vector>

namespace grid {

// A hidden row: its index when it was hidden, its height, its cells (the row
// record itself, moved out of the store) and the filter level that hid it.
struct TGridItem
{
    int Idx = 0;
    int Height = 0;
    RowHandle Items;
    int Level = 0;
};

// The string grid of the table windows: hidden and moved columns and rows
// with the display/real index mapping, counts, fixed areas, selection, row
// flags, the advance after Enter, and cell access by real row. Operations of
// the painted widget, the input side, sorting, filtering and file exchange
// are virtual here with empty bases.
class TExStringGrid : public TBaseGrid
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
    void CellControlsUpdate();

    // ---- Column order and headers ----
    void SetColumnOrder();
    void ResetColumnOrder();
    int ColumnPosition(int col);
    int ColumnAtPosition(int position);
    int ColumnByHeader(const QString& value) const;
    const TIntList& ColumnOrder() const { return columnOrder_; }
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
    virtual TCellType GetCellType(int col, int row);
    bool IsControlCell(int col, int row);
    virtual void CellsChanged(const TGridRect& r) {}
    virtual void HideInplaceEdit() {}
    virtual void ShowInplaceEdit() {}
    virtual void ShowEditor() {}
    virtual void HideEditor() {}
    virtual bool EditorMode() const { return false; }
    virtual TEditorType GetEditorType(int col, int row, TEditorType current) { return current; }
    virtual void ClickControlCell(int col, int row) {}
    virtual void CalcFooter(int col) {}
    virtual void NavigationChanged() {}
    virtual void MouseActionsChanged() {}
    virtual QString HtmlToPlainText(const QString& text) const;
    virtual void ColumnMovedSortUpdate(int realFrom, int realTo) {}

    // Events.
    std::function<void(TExStringGrid*, int oldRow, int newRow)> OnRowChanged;
    std::function<void(TExStringGrid*, int row, bool state, bool& allow)> OnRowDisjunctSelect;
    std::function<void(TExStringGrid*, int row)> OnRowDisjunctSelected;
    std::function<void(TExStringGrid*, int oldRow, int oldCol, int& newRow, int& newCol, bool& allow)>
        OnAutoAdvance;
    std::function<void(TExStringGrid*, int oldRow, int oldCol, int newRow, int newCol, bool& allow)>
        OnCellChanging;
    std::function<void(TExStringGrid*, int row)> OnAutoAddRow;
    std::function<void(TExStringGrid*, int col)> OnAutoInsertCol;
    std::function<void(TExStringGrid*, bool& canAdd)> OnCanAddRow;
    std::function<void(TExStringGrid*, int row, bool& canInsert)> OnCanInsertRow;
    std::function<void(TExStringGrid*, int row, int col, bool& canEdit)> OnCanEditCell;

protected:
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;
    bool SelectCell(int col, int row) override;

    // Hidden-column bookkeeping.
    static constexpr int kColTable = 513;
    void RebuildColumnMap();
    // Record helpers.
    int RecordsBelow(int idx) const;
    void InsertRecord(std::unique_ptr<TGridItem> item);
    // Stores the display row's handle in a record and takes it out of the
    // store and the heights.
    std::unique_ptr<TGridItem> MakeRecord(int displayRow, int idx, bool withHeight);
    // Side lists that follow row insertion and removal.
    void SideListsInsert(int row, int count);
    void SideListsRemove(int row, int count, bool rowSelectToo);
    void RenumberRecordsAfter(int idx, int delta);

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
};

} // namespace grid
