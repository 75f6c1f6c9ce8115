#pragma once
#include "controls/dropdown/column_list_core.h"
#include "controls/dropdown/completing_dropdown.h"
#include "controls/dropdown/list_completion.h"
#include "controls/grid/widget/grid_widget.h"

#include <functional>

namespace dropdown {

class TColumnListDropDown;

// What the two table pickers' popup tables share: the columns and colours
// taken from the drop-down, choosing, and the text measures of the auto sizes.
class TColumnGrid : public grid::TExStringGrid
{
public:
    // The drop-down the table belongs to (null before it is given one).
    virtual TExCustomDropDown* Owner() const = 0;
    // The width that shows every column, with the vertical bar when not all
    // rows fit into the client height.
    int GetGridWidth(int scrollBarWidth) const;
    bool AllRowsVisible() const;
    void DoSelect();

    TDropDownColumns Columns;
    TColor HeaderColor = grid::clWhite;
    TColor HeaderColorTo = grid::clGray;
    TColor LineColor = grid::clGray;
    TColor FixedLineColor = grid::clBlack;
    int HeaderHeight = 25;
    grid::TFont HeaderFont;
    std::function<void()> OnSelect;
    bool ConfirmSelection = false;
    bool MouseWheelSelection = false;
    int OldRow = 0;
    // Measures texts for the auto sizes (the view's fonts).
    std::function<int(const grid::TFont&, const QString&)> MeasureWidth;
    std::function<int(const grid::TFont&, const QString&, int width)> MeasureWrapped;

protected:
    // The drop-down's column widths, line and header colours, row heights.
    void TakeLook(const TColumnListDropDown& dropDown);
};

// The popup table's window: Tab does nothing, Alt+Up/Down go to the edit,
// Enter chooses (where EnterChooses), wheel steps only move the row.
class TColumnGridView : public grid::TGridWidget
{
public:
    TColumnGridView(TColumnGrid& grid, QWidget* parent);

protected:
    virtual bool EnterChooses() const { return true; }
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TColumnGrid& grid_;
};

// What the two table pickers share: columns and items, the lookup list over
// LookupColumn and its completion, the closed list's steps, the popup height
// snapped to whole rows, the auto width, the columns scaled to the popup and
// the style colours.
class TColumnListDropDown : public TCompletingDropDown
{
public:
    TDropDownColumns& Columns() { return columns_; }
    void SetColumns(const TDropDownColumns& value) { columns_ = value; }
    // Changes through Items() take effect with EndUpdate; SetItems rebuilds
    // the lookup list at once.
    TDropDownItems& Items() { return items_; }
    void SetItems(const TDropDownItems& value);
    int RowCount() const { return int(items_.size()); }
    int ItemIndex() const { return itemIndex_; }
    virtual void SetItemIndex(int value) = 0;
    // The first item whose lookup text equals value exactly, or -1.
    int GetItemIndex(const QString& value) const { return IndexInColumn(items_, LookupColumn, value); }
    void BeginUpdate() {}
    void EndUpdate() { RebuildLookupList(); }
    void Loaded() override;
    const QStringList& LookupItems() const { return lookup_; }
    QString LookupEntry() const { return lookupEntry_; }

    int LookupColumn = 0;
    bool CaseSensitive = false;
    TColor HeaderColor = grid::clWhite;
    TColor HeaderColorTo = grid::clGray;
    int HeaderHeight = 25;
    grid::TFont HeaderFont;
    TColor LineColor = 0xF1EDEB;
    TColor FixedLineColor = 0xD1BBA4;
    TColor SelectionTextColor = grid::clBlack;
    int DropDownRowHeight = 22;
    bool DropDownAutoWidth = true;
    bool ColumnSizeWithDropDown = true;
    bool ColumnSizing = false;

    // Navigation of the closed control.
    void SelectFirst() { Step(lsFirst); }
    void SelectLast() { Step(lsLast); }
    void SelectNext() { Step(lsNext); }
    void SelectPrevious() { Step(lsPrevious); }
    void SelectNextPage() { Step(lsNextPage); }
    void SelectPreviousPage() { Step(lsPreviousPage); }

    void AdjustDropDownHeight(int& height) override;
    QSize UpdateDropDownSize() override;
    void DoWheelDown() override { SelectNext(); }
    void DoWheelUp() override { SelectPrevious(); }
    void SetSelectionColorStyle(TSelectionColorStyle value) override;

protected:
    // heightExtra: the pixels under the rows in a snapped popup height.
    TColumnListDropDown(QWidget* parent, int heightExtra);

    // The popup table and its window; null before the first opening.
    virtual grid::TExStringGrid* PopupGrid() const = 0;
    virtual grid::TGridWidget* PopupView() const = 0;
    // How many entries the closed list steps over.
    virtual int StepCount() const { return int(items_.size()); }
    virtual bool CompletionMatchCase() const { return false; }

    void Complete() override;
    void keyReleaseEvent(QKeyEvent* event) override;

    bool HasLookup() const { return LookupColumn >= 0 && !items_.empty(); }
    void RebuildLookupList();
    void ShowText(const QString& text);
    // Selects from position from to the end of the edit.
    void SelectTail(int from);
    void Step(TListStep step);
    // Completion mode, exact Enter, the edit's own handling and the lookup
    // of the text Esc leaves.
    void LookupKeyPress(QKeyEvent* event);
    // Page and line steps, and Home/End ones when homeEnd; true for these keys.
    bool StepKey(int key, bool homeEnd);
    // The item a completion chose, with the completed tail selected.
    void TakeCompletedItem();
    // Backspace in type-ahead: the entry or the selected text loses it.
    void LookupBackspace();
    // Runs step and puts the edit's text and selection back afterwards.
    void KeepingEditText(const std::function<void()>& step);
    // Widths scaled to the width inside the popup's frame, so that no column
    // hangs past the visible area (a click there would scroll the first
    // column away).
    void ScaleColumnsToPopup(const std::vector<int>& widths);
    // A component style's row of colours (none: nothing changes).
    void TakeStyleColors(const ColumnStyleColors* s);
    int ScrollBarWidth() const;

    TDropDownColumns columns_;
    TDropDownItems items_;
    QStringList lookup_;
    PrefixIndex lookupIndex_;
    int itemIndex_ = -1;
    QString lookupEntry_;
    int oldItemIndex_ = -1;
    int itemSel_ = 0;

private:
    int heightExtra_;
};

}  // namespace dropdown
