#include "controls/grid/core/grid_column_item.h"

#include "controls/grid/core/ex_column_grid.h"

#include <algorithm>

namespace grid {

// ---- TGridColumnItem ----

TGridColumnItem::TGridColumnItem(TGridColumnCollection* collection) : collection_(collection)
{
    if (TExColumnGrid* grid = Grid()) {
        color_ = grid->Color;
        font_ = grid->Font;
        headerFont_ = grid->Font;
        PrintFont = grid->Font;
    }
}

TExColumnGrid* TGridColumnItem::Grid() const
{
    return collection_ ? collection_->Owner() : nullptr;
}

int TGridColumnItem::Index() const
{
    if (collection_ == nullptr)
        return -1;
    const auto& items = collection_->items_;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

void TGridColumnItem::Changed()
{
    if (collection_)
        collection_->Update(this);
}

void TGridColumnItem::Repaint()
{
    if (TExColumnGrid* grid = Grid())
        grid->Invalidate();
}

void TGridColumnItem::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Repaint();
}

void TGridColumnItem::SetBorders(TCellBorders value)
{
    borders_ = value;
    Changed();
}

void TGridColumnItem::SetBorderPen(const TPen& value)
{
    borderPen_ = value;
    Changed();
}

void TGridColumnItem::SetColor(TColor value)
{
    color_ = value;
    Changed();
}

void TGridColumnItem::SetEditor(TEditorType value)
{
    if (value == editor_)
        return;
    const bool checkBoxes = value == edDataCheckBox || editor_ == edDataCheckBox;
    editor_ = value;
    // The cell kind of the whole column changes.
    if (checkBoxes)
        Repaint();
}

void TGridColumnItem::SetFilter(const QStringList& value)
{
    filter_ = value;
    Repaint();
}

void TGridColumnItem::SetFixed(bool value)
{
    fixed_ = value;
    Changed();
}

void TGridColumnItem::SetFloatFormat(const QString& value)
{
    floatFormat_ = value;
    Repaint();
}

void TGridColumnItem::SetFont(const TFont& value)
{
    font_ = value;
    Changed();
}

void TGridColumnItem::SetHeader(const QString& value)
{
    header_ = value;
    TExColumnGrid* grid = Grid();
    if (grid == nullptr)
        return;
    if (grid->FixedRows() > 0 && !grid->FColMoving) {
        grid->WriteHeaderCell(Index(), value);
        Changed();
    }
    grid->ColumnHeaders.clear();
    for (const auto& item : collection_->items_)
        grid->ColumnHeaders.append(item->header_);
}

void TGridColumnItem::SetHeaderAlignment(TAlignment value)
{
    headerAlignment_ = value;
    Repaint();
}

void TGridColumnItem::SetHeaderFont(const TFont& value)
{
    headerFont_ = value;
    Repaint();
}

void TGridColumnItem::SetPassword(bool value)
{
    password_ = value;
    Changed();
}

void TGridColumnItem::SetShowBands(bool value)
{
    showBands_ = value;
    Changed();
}

int TGridColumnItem::Width() const
{
    const TExColumnGrid* grid = Grid();
    return grid ? grid->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int value)
{
    width_ = value;
    if (TExColumnGrid* grid = Grid())
        grid->SetItemWidth(Index(), value);
}

QString TGridColumnItem::Rows(int row) const
{
    const TExColumnGrid* grid = Grid();
    return grid ? grid->Cells(Index(), row) : QString();
}

void TGridColumnItem::SetRows(int row, const QString& value)
{
    if (TExColumnGrid* grid = Grid())
        grid->SetCells(Index(), row, value);
}

QString TGridColumnItem::GetDisplayName() const
{
    const QString index = QString::number(Index());
    return Name.isEmpty() ? QStringLiteral("Column ") + index : QStringLiteral("Col ") + index + QStringLiteral(": ") + Name;
}

void TGridColumnItem::Assign(const TGridColumnItem& source)
{
    if (&source == this)
        return;
    alignment_ = source.alignment_;
    headerAlignment_ = source.headerAlignment_;
    borderPen_ = source.borderPen_;
    borders_ = source.borders_;
    CheckFalse = source.CheckFalse;
    CheckTrue = source.CheckTrue;
    color_ = source.color_;
    ComboItems = source.ComboItems;
    DropDownCount = source.DropDownCount;
    EditLength = source.EditLength;
    EditLink = source.EditLink;
    EditMask = source.EditMask;
    editor_ = source.editor_;
    fixed_ = source.fixed_;
    font_ = source.font_;
    headerFont_ = source.headerFont_;
    header_ = source.header_;
    Name = source.Name;
    password_ = source.password_;
    PrintBorderPen = source.PrintBorderPen;
    PrintBorders = source.PrintBorders;
    PrintColor = source.PrintColor;
    PrintFont = source.PrintFont;
    ReadOnly = source.ReadOnly;
    SortPrefix = source.SortPrefix;
    SortStyle = source.SortStyle;
    SortSuffix = source.SortSuffix;
    SpinMax = source.SpinMax;
    SpinMin = source.SpinMin;
    SpinStep = source.SpinStep;
    ColumnPopup = source.ColumnPopup;
    Tag = source.Tag;
    width_ = source.collection_ ? source.Width() : source.width_;
    showBands_ = source.showBands_;
    MinSize = source.MinSize;
    MaxSize = source.MaxSize;
    AutoMinSize = source.AutoMinSize;
    AutoMaxSize = source.AutoMaxSize;
    filter_ = source.filter_;
    FilterCaseSensitive = source.FilterCaseSensitive;
    DefIdx = source.DefIdx;
    floatFormat_ = source.floatFormat_;
}

void TGridColumnItem::AssignVisuals(const TGridColumnItem& source)
{
    const QStringList comboItems = ComboItems;
    const int dropDownCount = DropDownCount;
    const TFont headerFont = headerFont_;
    const QString header = header_;
    const QString name = Name;
    const int tag = Tag;
    Assign(source);
    ComboItems = comboItems;
    DropDownCount = dropDownCount;
    headerFont_ = headerFont;
    header_ = header;
    Name = name;
    Tag = tag;
    if (const TExColumnGrid* grid = Grid()) {
        color_ = grid->Color;
        font_ = grid->Font;
    }
}

// ---- TGridColumnCollection ----

TGridColumnItem* TGridColumnCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw GridError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items_[size_t(index)].get();
}

TGridColumnItem* TGridColumnCollection::Add()
{
    items_.push_back(std::make_unique<TGridColumnItem>(this));
    TGridColumnItem* item = items_.back().get();
    if (Count() > 1)
        item->AssignVisuals(*items_[items_.size() - 2]);
    Update(nullptr);
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, std::make_unique<TGridColumnItem>(this));
    TGridColumnItem* item = items_[size_t(index)].get();
    Update(nullptr);
    return item;
}

void TGridColumnCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw GridError(QStringLiteral("List index out of bounds (%1)").arg(index));
    items_.erase(items_.begin() + index);
    Update(nullptr);
}

void TGridColumnCollection::Clear()
{
    items_.clear();
    Update(nullptr);
}

void TGridColumnCollection::Assign(const TGridColumnCollection& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    items_.clear();
    for (const auto& item : source.items_) {
        items_.push_back(std::make_unique<TGridColumnItem>(this));
        items_.back()->Assign(*item);
    }
    EndUpdate();
}

void TGridColumnCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Update(nullptr);
}

void TGridColumnCollection::Update(TGridColumnItem*)
{
    if (updateCount_ > 0 || FNoRecursiveUpdate || owner_ == nullptr || owner_->loading_)
        return;
    const int n = Count() - owner_->NumHiddenColumns();
    if (n != owner_->ColCount() && n > owner_->FixedCols())
        owner_->SetColCount(n);
    owner_->RebuildColumnHeaders();
    owner_->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    if (FNoRecursiveUpdate && owner_)
        owner_->MatchColumnCount();
    for (int i = 0; i < Count(); ++i)
        items_[size_t(i)]->DefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
    if (owner_ == nullptr)
        return;
    // Passes until nothing moves; with every designed position taken once
    // this ends within one pass per item.
    for (int pass = 0; pass <= Count(); ++pass) {
        bool moved = false;
        for (int i = 0; i < Count(); ++i) {
            const int target = items_[size_t(i)]->DefIdx;
            if (target < i && target >= 0 && i < owner_->ColCount()) {
                owner_->MoveColumn(i, target);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

} // namespace grid
