#pragma once
#include "controls/dropdown/column_list_core.h"
#include "controls/dropdown/ex_custom_dropdown.h"
#include "controls/dropdown/list_completion.h"
#include "controls/grid/widget/grid_widget.h"

#include <memory>

namespace dropdown {

class TExMultiColumnDropDown;

namespace multicolumn {

// The popup table of the multi-column drop-down: a string grid with one
// header row and one row per item. It keeps no cell texts: every cell is
// painted from the drop-down's columns and items.
class TExColGrid : public grid::TExStringGrid
{
public:
    TExColGrid();
    TExMultiColumnDropDown* DropDown() const { return dropDown_; }
    // Takes the drop-down's columns, sizes, colours and item count.
    void Fill(TExMultiColumnDropDown* dropDown);
    // Widths of the columns (AutoSize ones from their texts).
    void AutoSizeColumns();
    void AutoSizeColumn(int index);
    void UpdateRowHeights();
    // The width that shows every column, with the vertical bar when not all
    // rows fit into the client height.
    int GetGridWidth(int scrollBarWidth) const;
    bool AllRowsVisible() const;
    int GridLineWidthEx() const { return lineWidth_; }
    void SetGridLineWidthEx(int value);
    void DoSelect();

    TDropDownColumns Columns;
    TColor HeaderColor = grid::clWhite;
    TColor HeaderColorTo = 0x808080;
    int HeaderHeight = 25;
    grid::TFont HeaderFont;
    TColor LineColor = 0x808080;
    TColor FixedLineColor = grid::clBlack;
    std::function<void()> OnSelect;
    bool ConfirmSelection = false;
    bool MouseWheelSelection = false;
    int OldRow = 0;
    // Measures texts for the auto sizes (the view's fonts).
    std::function<int(const grid::TFont&, const QString&)> MeasureWidth;
    std::function<int(const grid::TFont&, const QString&, int width)> MeasureWrapped;

protected:
    bool SelectCell(int col, int row) override;

private:
    TExMultiColumnDropDown* dropDown_ = nullptr;
    int lineWidth_ = 1;
};

struct GridHolder
{
    std::unique_ptr<TExColGrid> held = std::make_unique<TExColGrid>();
};

// The painted view of the popup table: Enter chooses, Tab does nothing,
// Alt+Up/Down go to the edit, a release on a data row chooses, wheel steps
// only move the highlight.
class TExColGridView : private GridHolder, public grid::TGridWidget
{
public:
    explicit TExColGridView(QWidget* parent = nullptr);
    TExColGrid& Table() { return *held; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace multicolumn

// A drop-down whose popup is a table; LookupColumn is the value column the
// edit shows, completes against and looks up on Enter and Esc.
class TExMultiColumnDropDown : public TExCustomDropDown
{
public:
    explicit TExMultiColumnDropDown(QWidget* parent = nullptr);

    TDropDownColumns& Columns() { return columns_; }
    void SetColumns(const TDropDownColumns& value) { columns_ = value; }
    // Changes through Items() take effect with EndUpdate; SetItems rebuilds
    // the lookup list at once.
    TDropDownItems& Items() { return items_; }
    void SetItems(const TDropDownItems& value);
    int RowCount() const { return int(items_.size()); }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // The first item whose value-column text equals value, or -1.
    int GetItemIndex(const QString& value) const;
    void BeginUpdate() {}
    void EndUpdate() { RebuildLookupList(); }
    void Loaded() override;
    const QStringList& LookupItems() const { return lookup_; }

    int LookupColumn = 0;
    bool CaseSensitive = false;
    bool MatchCase = false;
    TColor HeaderColor = grid::clWhite;
    TColor HeaderColorTo = 0x808080;
    int HeaderHeight = 25;
    grid::TFont HeaderFont;
    TColor LineColor = 0xF1EDEB;
    TColor FixedLineColor = 0xD1BBA4;
    TColor SelectionTextColor = grid::clBlack;
    int DropDownRowHeight = 22;
    bool DropDownAutoWidth = true;
    bool ColumnSizeWithDropDown = true;
    bool ColumnSizing = false;

    std::function<void(TExMultiColumnDropDown*)> OnSelect;
    std::function<void(TExMultiColumnDropDown*, int col, int row, QPainter&, const QRect&)> OnDropDownDrawItem;
    std::function<void(TExMultiColumnDropDown*, int col, int row, QString& text)> OnDropDownGetItemText;

    void SelectFirst() { Step(lsFirst); }
    void SelectLast() { Step(lsLast); }
    void SelectNext() { Step(lsNext); }
    void SelectPrevious() { Step(lsPrevious); }
    void SelectNextPage() { Step(lsNextPage); }
    void SelectPreviousPage() { Step(lsPreviousPage); }

    multicolumn::TExColGridView* View() const { return view_; }
    multicolumn::TExColGrid* GetGrid() const { return view_ ? &view_->Table() : nullptr; }
    QString LookupEntry() const { return lookupEntry_; }
    bool Completing() const { return workMode_; }
    // The popup's type-ahead for one typed character; the item or -1.
    int LookupKey(QChar ch);

    void Assign(const TExCustomDropDown& source) override;
    void DoBeforeDropDown() override;
    void AdjustDropDownHeight(int& height) override;
    void DoShowDropDown() override;
    QSize UpdateDropDownSize() override;
    void DoHideDropDown(bool cancelled) override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void PopupSizing() override;
    void DoWheelDown() override { SelectNext(); }
    void DoWheelUp() override { SelectPrevious(); }
    void SetSelectionColorStyle(TSelectionColorStyle value) override;
    void SetComponentStyle(TSkinStyle style) override;
    void Change() override;

    // The table's events.
    void GridSelectCell(int row);
    void GridSelect();
    void SizeColumnsToPopup();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void RebuildLookupList();
    void Step(TListStep step);
    void Complete();
    void ShowText(const QString& text);
    int ScrollBarWidth() const;
    int FindLookupItem(const QString& s) const;

    TDropDownColumns columns_;
    TDropDownItems items_;
    QStringList lookup_;
    PrefixIndex lookupIndex_;
    int itemIndex_ = -1;
    multicolumn::TExColGridView* view_ = nullptr;
    bool showing_ = false;
    QString lookupEntry_;
    int oldItemIndex_ = -1;
    bool workMode_ = true;
    bool itemChange_ = false;
    int itemIdx_ = -1;
    int itemSel_ = 0;
    bool inKey_ = false;
    bool completePending_ = false;
};

}  // namespace dropdown
