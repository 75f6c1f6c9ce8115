#pragma once
#include "app/common/grid_services.h"
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/grid_column_item.h"

#include <QIODevice>

namespace platform {
class IniFile;
}

namespace grid {

// The grid of the table windows: a string grid whose columns carry stored
// definitions (Columns, one item per real column). The per-cell look and
// editing hooks answer from the item of the cell's column first. It serves
// the common row and key helpers through GridServices.
class TExColumnGrid : public TExStringGrid, public GridServices
{
public:
    TExColumnGrid();
    ~TExColumnGrid() override;

    TGridColumnCollection& Columns() { return *columns_; }
    const TGridColumnCollection& Columns() const { return *columns_; }
    void SetColumns(const TGridColumnCollection& value) { columns_->Assign(value); }
    // The first item of that name (exact); null when none.
    TGridColumnItem* ColumnByName(const QString& name) const;
    TGridColumnItem* GetColumnByName(const QString& name) const { return ColumnByName(name); }
    bool AutoFilterDisplay = false;
    std::function<void(TExColumnGrid*, int fromIndex, int toIndex)> OnAfterColumnMoved;
    std::function<void(TExColumnGrid*, int col, int row, QObject* popupMenu)> OnColumnPopup;

    void Loaded() override;
    void SetColCount(int value) override;
    quint32 GetVersionNr() const override { return 0x03010301; }
    QString GetVersionString() const override;

    // Column definitions as a stream of named properties. A stream that
    // cannot be read raises GridError and changes nothing.
    void SaveColumnsToStream(QIODevice& stream);
    void LoadColumnsFromStream(QIODevice& stream);
    // Column positions as "CP" + i keys of an INI file: the designed index of
    // the column at position i. Loading applies only a complete set that
    // places every column once; anything else changes nothing.
    bool SaveColumnPositions(const QString& key, const QString& section, QString* error = nullptr);
    void SaveColumnPositions(platform::IniFile& ini, const QString& section);
    void LoadColumnPositions(const QString& key, const QString& section);
    void LoadColumnPositions(const platform::IniFile& ini, const QString& section);
    void SaveColPositions() override;
    void LoadColPositions() override;

    // A click on a cell (display column) with a column popup: fires
    // OnColumnPopup for the item's click kind and answers whether its menu
    // pops up.
    bool ColumnPopupClick(int col, int row, bool rightButton);
    // Font sizes scaled by m / d (screen density changes).
    void ChangeScale(int m, int d);
    // The settings of the editors for the cell being edited (from its column).
    struct EditorSettings
    {
        int DropDownCount = 8;
        int SpinMin = 0;
        int SpinMax = 0;
        int SpinStep = 1;
        QObject* EditLink = nullptr;
    };
    const EditorSettings& CurrentEditorSettings() const { return editorSettings_; }

    // ---- Hooks answered from the columns ----
    void GetCellDefaults(int col, int row, TFont& font, TColor& brush, TColor& colorTo, TColor& mirrorColor,
                         TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                         TCellGradientDirection& gd) override;
    void GetCellColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font) override;
    void GetCellPrintColor(int col, int row, TGridDrawState state, TBrush& brush, TFont& font) override;
    void GetCellBorder(int col, int row, TPen& pen, TCellBorders& borders) override;
    void GetCellPrintBorder(int col, int row, TPen& pen, TCellBorders& borders) override;
    void GetCellAlignment(int col, int row, TAlignment& hAlign, TVAlignment& vAlign) override;
    void GetFormat(int col, int& style, QString& prefix, QString& suffix) override;
    void GetFloatFormat(int col, int row, QString& format) override;
    void GetEditorType(int col, int row, TEditorType& editor) override;
    void IsFixedCell(int col, int row, bool& isFixed) override;
    void CanEditCell(int col, int row, bool& canEdit) override;
    void IsPasswordCell(int col, int row, bool& isPassword) override;
    bool HasComboBox(int col, int row) override;
    void GetCheckTrue(int col, int row, QString& value) override;
    void GetCheckFalse(int col, int row, QString& value) override;
    TCellType GetCellType(int col, int row) override;
    TCellGraphic* GetCellGraphic(int col, int row) override;
    QString GetFormattedCell(int col, int row) override;
    void UpdateColumnSize(int col, int& width) override;
    void UpdateAutoColumnSize(int col, int& width) override;
    void ColumnHeadersChanged() override;
    bool GetColumnFilter(int col) override;
    int GetEditLimit() override;
    QString GetEditMask(int col, int row) override;
    void ColWidthsChanged() override;
    // Column items move with their columns; a grouped column's item waits
    // in FSaveCol and comes back with UnGroup.
    void RemoveCols(int col, int count) override;
    void InsertCols(int col, int count) override;
    void Group(int col) override;
    void UnGroup() override;

    // ---- GridServices: cells by real column, current cell by display ----
    int RowCount() const override { return TExStringGrid::RowCount(); }
    int ColCount() const override { return TExStringGrid::ColCount(); }
    int AllColCount() const override { return TExStringGrid::AllColCount(); }
    QString GetCellEx(int col, int row) const override { return TExStringGrid::GetCellEx(col, row); }
    void SetCellEx(int col, int row, const QString& text) override { TExStringGrid::SetCellEx(col, row, text); }
    int Col() const override { return TExStringGrid::Col(); }
    int Row() const override { return TExStringGrid::Row(); }
    void SetCol(int col) override { TExStringGrid::SetCol(col); }
    void SetRow(int row) override { TExStringGrid::SetRow(row); }
    bool IsCheckBoxColumn(int col) const override;
    void AutoSizeCol(int col, int margin) override { TExStringGrid::AutoSizeCol(col, margin); }

protected:
    void ColumnMoved(int fromIndex, int toIndex) override;

private:
    friend class TGridColumnCollection;
    friend class TGridColumnItem;
    // The item of a real column when there is one.
    TGridColumnItem* Item(int col) const;
    // Inside the fixed columns and rows, right fixed columns and footers.
    bool IsNormalCell(int col, int row) const;
    // Items follow the column count (hidden columns included).
    void MatchColumnCount();
    void RebuildColumnHeaders();
    void WriteHeaderCell(int col, const QString& text);
    void SetItemWidth(int col, int width);

    std::unique_ptr<TGridColumnCollection> columns_;
    // A grouped column's definition while grouped.
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    // Set while RemoveCols/InsertCols place the items themselves.
    bool colShifting_ = false;
    // The one graphic record data check box cells answer.
    std::unique_ptr<TCellGraphic> FCellGraphic;
    EditorSettings editorSettings_;
};

} // namespace grid
