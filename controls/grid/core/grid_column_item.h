#pragma once
#include "controls/grid/core/cell_properties.h"
#include "controls/grid/core/grid_types.h"
#include "controls/grid/core/look_settings.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace grid {

class TExColumnGrid;
class TGridColumnCollection;

enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

// What is the same down one column of a column grid: header, width, look,
// editor and its items and limits, check texts, read-only and fixed flags,
// number format, sort style, filter list and print look. Item i describes
// real column i. Setters marked "update" end in the collection's Update,
// "repaint" repaints the grid, the others only store.
class TGridColumnItem
{
public:
    // Without a collection the item is a spare one: no notifications, no
    // look taken from a grid.
    explicit TGridColumnItem(TGridColumnCollection* collection = nullptr);
    TGridColumnItem(const TGridColumnItem&) = delete;
    TGridColumnItem& operator=(const TGridColumnItem&) = delete;

    TGridColumnCollection* Collection() const { return collection_; }
    int Index() const;

    int AutoMinSize = 0;
    int AutoMaxSize = 0;
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value); // repaint
    TCellBorders Borders() const { return borders_; }
    void SetBorders(TCellBorders value); // update
    TPen BorderPen() const { return borderPen_; }
    void SetBorderPen(const TPen& value); // update
    QString CheckFalse = QStringLiteral("N");
    QString CheckTrue = QStringLiteral("Y");
    TColor Color() const { return color_; }
    void SetColor(TColor value); // update
    // A menu of the widget's; never owned.
    QObject* ColumnPopup = nullptr;
    TColumnPopupType ColumnPopupType = cpFixedCellsRClick;
    QStringList ComboItems;
    int DropDownCount = 8;
    int EditLength = 0;
    // A custom editor of the widget's; never owned.
    QObject* EditLink = nullptr;
    QString EditMask;
    TEditorType Editor() const { return editor_; }
    void SetEditor(TEditorType value);
    QStringList Filter() const { return filter_; }
    void SetFilter(const QStringList& value); // repaint
    bool FilterCaseSensitive = false;
    bool Fixed() const { return fixed_; }
    void SetFixed(bool value); // update
    QString FloatFormat() const { return floatFormat_; }
    void SetFloatFormat(const QString& value); // repaint
    TFont Font() const { return font_; }
    void SetFont(const TFont& value); // update
    QString Header() const { return header_; }
    // Writes header cell (index, 0) when the grid has a fixed row.
    void SetHeader(const QString& value);
    TAlignment HeaderAlignment() const { return headerAlignment_; }
    void SetHeaderAlignment(TAlignment value); // repaint
    TFont HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const TFont& value); // repaint
    int MinSize = 0;
    int MaxSize = 0;
    QString Name;
    bool Password() const { return password_; }
    void SetPassword(bool value); // update
    bool PrintBorderCustom = true;
    TCellBorders PrintBorders{cbTop, cbLeft, cbRight, cbBottom};
    TPen PrintBorderPen{clBlack, 1};
    TColor PrintColor = clWhite;
    bool PrintFontCustom = true;
    TFont PrintFont;
    bool ReadOnly = false;
    bool ShowBands() const { return showBands_; }
    void SetShowBands(bool value); // update
    TSortStyle SortStyle = ssAutomatic;
    QString SortPrefix;
    QString SortSuffix;
    int SpinMax = 0;
    int SpinMin = 0;
    int SpinStep = 1;
    int Tag = 0;
    // The grid's width of the column (the kept one while it is hidden).
    int Width() const;
    void SetWidth(int value);
    // The width as last written or copied.
    int ShadowWidth() const { return width_; }
    // The designed position of the column (not stored).
    int DefIdx = 0;

    // The column's cell in a row.
    QString Rows(int row) const;
    void SetRows(int row, const QString& value);

    QString GetDisplayName() const;
    // Copies the definition; ColumnPopupType and the two print flags stay.
    void Assign(const TGridColumnItem& source);
    // Copies the look of another column; colour and font come from the grid,
    // combo items, drop-down count, header font, header, name and tag stay.
    void AssignVisuals(const TGridColumnItem& source);

private:
    friend class TGridColumnCollection;
    friend class TExColumnGrid;
    void Changed();
    void Repaint();
    TExColumnGrid* Grid() const;

    TGridColumnCollection* collection_;
    TAlignment alignment_ = taLeftJustify;
    TCellBorders borders_;
    TPen borderPen_{clSilver, 1};
    TColor color_ = clWindow;
    TEditorType editor_ = edNormal;
    QStringList filter_;
    bool fixed_ = false;
    QString floatFormat_;
    TFont font_;
    QString header_;
    TAlignment headerAlignment_ = taLeftJustify;
    TFont headerFont_;
    bool password_ = false;
    bool showBands_ = false;
    int width_ = 50;
};

// The column definitions of a column grid, kept in step with its columns.
class TGridColumnCollection
{
public:
    explicit TGridColumnCollection(TExColumnGrid* owner) : owner_(owner) {}
    TGridColumnCollection(const TGridColumnCollection&) = delete;
    TGridColumnCollection& operator=(const TGridColumnCollection&) = delete;

    TExColumnGrid* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // GridError "List index out of bounds (i)" outside the list.
    TGridColumnItem* Items(int index) const;
    TGridColumnItem* operator[](int index) const { return Items(index); }
    TGridColumnItem* GetItem(int index) const { return Items(index); }
    void SetItem(int index, const TGridColumnItem& value) { Items(index)->Assign(value); }
    // A new item at the end, looking like the last one.
    TGridColumnItem* Add();
    // A new item with the initial values at index.
    TGridColumnItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Clears, then adds a copy of every item of source.
    void Assign(const TGridColumnCollection& source);
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // Keeps the grid's column count and headers in step after a change.
    void Update(TGridColumnItem* item);
    // Numbers the designed positions 0 .. n-1.
    void SetOrganization();
    // Moves columns until each stands at its designed position.
    void ResetOrganization();
    bool FNoRecursiveUpdate = false;

private:
    friend class TExColumnGrid;
    friend class TGridColumnItem;
    TExColumnGrid* owner_;
    std::vector<std::unique_ptr<TGridColumnItem>> items_;
    int updateCount_ = 0;
};

} // namespace grid
