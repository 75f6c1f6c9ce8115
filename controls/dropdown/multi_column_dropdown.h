#pragma once
#include "controls/dropdown/column_list_dropdown.h"
#include "controls/grid/widget/grid_widget.h"

#include <memory>

namespace dropdown {

class TExMultiColumnDropDown;

namespace multicolumn {

// The popup table of the multi-column drop-down: a string grid with one
// header row and one row per item. It keeps no cell texts: every cell is
// painted from the drop-down's columns and items.
class TExColGrid : public TColumnGrid
{
public:
    TExColGrid();
    TExMultiColumnDropDown* DropDown() const { return dropDown_; }
    TExCustomDropDown* Owner() const override;
    // Takes the drop-down's columns, sizes, colours and item count.
    void Fill(TExMultiColumnDropDown* dropDown);
    // Widths of the columns (AutoSize ones from their texts).
    void AutoSizeColumns();
    void AutoSizeColumn(int index);
    void UpdateRowHeights();
    int GridLineWidthEx() const { return lineWidth_; }
    void SetGridLineWidthEx(int value);

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
class TExColGridView : private GridHolder, public TColumnGridView
{
public:
    explicit TExColGridView(QWidget* parent = nullptr);
    TExColGrid& Table() { return *held; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace multicolumn

// A drop-down whose popup is a table; LookupColumn is the value column the
// edit shows, completes against and looks up on Enter and Esc.
class TExMultiColumnDropDown : public TColumnListDropDown
{
public:
    explicit TExMultiColumnDropDown(QWidget* parent = nullptr);

    void SetItemIndex(int value) override;

    bool MatchCase = false;

    std::function<void(TExMultiColumnDropDown*)> OnSelect;
    std::function<void(TExMultiColumnDropDown*, int col, int row, QPainter&, const QRect&)> OnDropDownDrawItem;
    std::function<void(TExMultiColumnDropDown*, int col, int row, QString& text)> OnDropDownGetItemText;

    multicolumn::TExColGridView* View() const { return view_; }
    multicolumn::TExColGrid* GetGrid() const { return view_ ? &view_->Table() : nullptr; }
    // The popup's type-ahead for one typed character; the item or -1.
    int LookupKey(QChar ch);

    void Assign(const TExCustomDropDown& source) override;
    void DoBeforeDropDown() override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool cancelled) override;
    bool ForwardKeyDown(QKeyEvent* event) override;
    void PopupSizing() override;
    void SetComponentStyle(TSkinStyle style) override;

    // The table's events.
    void GridSelectCell(int row);
    void GridSelect();
    void SizeColumnsToPopup();

protected:
    grid::TExStringGrid* PopupGrid() const override { return GetGrid(); }
    grid::TGridWidget* PopupView() const override { return view_; }
    bool CompletionMatchCase() const override { return MatchCase; }
    void keyPressEvent(QKeyEvent* event) override;

private:
    int FindLookupItem(const QString& s) const;

    multicolumn::TExColGridView* view_ = nullptr;
    bool showing_ = false;
};

}  // namespace dropdown
