#include "controls/tree/core/tree_header.h"

#include "controls/tree/core/lazy_tree.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <stdexcept>

namespace lazytree {

// ---- One column ------------------------------------------------------------------------------------------

TLazyTreeColumn::TLazyTreeColumn(TLazyTreeColumns& owner) : owner_(owner)
{
    width_ = lastWidth_ = owner.DefaultWidth();
    biDiMode_ = owner.Header().Treeview().BiDiMode();
}

TColumnIndex TLazyTreeColumn::Index() const
{
    const auto& items = owner_.items_;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return static_cast<TColumnIndex>(i);
    return NoColumn;
}

TVTHeader& TLazyTreeColumn::Header() const
{
    return owner_.Header();
}

void TLazyTreeColumn::Changed()
{
    owner_.Update(this);
}

int TLazyTreeColumn::Left() const
{
    if (IsVisible() && IsFixed())
        return left_;
    return left_ - Header().Treeview().EffectiveOffsetX();
}

void TLazyTreeColumn::SetText(const std::u16string& value)
{
    if (text_ != value) {
        text_ = value;
        captionText_.clear();
        Changed();
    }
}

void TLazyTreeColumn::SetWidth(int value)
{
    TVTHeader& header = Header();
    TBaseLazyTree& tree = header.Treeview();
    if (!header.States().Has(hsScaling)) {
        if (IsVisible() && IsFixed()) {
            const int clientWidth = tree.ClientWidth();
            const TVTFixedAreaConstraints& c = header.FixedAreaConstraints();
            int sumMax = 0, sumMin = 0;
            for (int i = 0; i < owner_.Count(); ++i) {
                const TLazyTreeColumn& other = owner_[i];
                if (other.IsVisible() && other.IsFixed()) {
                    sumMax += other.maxWidth_;
                    sumMin += other.minWidth_;
                }
            }
            const int others = owner_.GetVisibleFixedWidth() - width_;
            const int effMin = c.MaxWidthPercent > 0 ? std::min(sumMin, clientWidth * c.MaxWidthPercent / 100) : sumMin;
            const int effMax = c.MinWidthPercent > 0 ? std::max(sumMax, clientWidth * c.MinWidthPercent / 100) : sumMax;
            const int upper = std::min(maxWidth_, effMax - others);
            const int lower = std::max(minWidth_, effMin - others);
            value = std::min(upper, std::max(lower, value));
            if (c.MinWidthPercent > 0)
                value = std::max(value, clientWidth * c.MinWidthPercent / 100 - others);
            if (c.MaxWidthPercent > 0)
                value = std::min(value, clientWidth * c.MaxWidthPercent / 100 - others);
        } else {
            value = std::clamp(value, minWidth_, std::max(minWidth_, maxWidth_));
        }
    }
    if (value == width_)
        return;
    lastWidth_ = width_;
    if (!header.States().Has(hsResizing))
        bonusPixel_ = false;
    const bool autoSized = header.Options().Has(hoAutoResize) && Index() == header.EffectiveAutoSizeIndex();
    if (!autoSized) {
        width_ = value;
        owner_.RecomputeColumnLefts(false);
    }
    if (!owner_.Updating()) {
        if (header.Options().Has(hoAutoResize))
            header.FitAutoSizeColumn(false);
        header.ColumnResized(Index());
    }
}

void TLazyTreeColumn::SetMinWidth(int value)
{
    value = std::max(value, 0);
    minWidth_ = std::min(value, maxWidth_);
    SetWidth(width_);
}

void TLazyTreeColumn::SetMaxWidth(int value)
{
    maxWidth_ = std::max(value, minWidth_);
    SetWidth(width_);
}

void TLazyTreeColumn::SetOptions(TVTColumnOptions value)
{
    if (value == options_)
        return;
    const TVTColumnOptions set = value - options_;
    const TVTColumnOptions cleared = options_ - value;
    options_ = value;
    if (set.Has(coParentBidiMode))
        ParentBiDiModeChanged();
    if (set.Has(coParentColor))
        ParentColorChanged();
    if (set.Has(coAutoSpring))
        springRest_ = 0;
    const bool fixedChanged = set.Has(coFixed) || cleared.Has(coFixed);
    if (fixedChanged && IsVisible())
        Header().ReapplyConstraints();
    Changed();
    const bool visibleChanged = set.Has(coVisible) || cleared.Has(coVisible);
    TBaseLazyTree& tree = Header().Treeview();
    if (!owner_.Updating() && tree.View() && (visibleChanged || set.Has(coParentColor))) {
        tree.Invalidate();
        if (visibleChanged) {
            tree.UpdateHorizontalRange();
            tree.UpdateHorizontalScrollBar(false);
        }
    }
}

void TLazyTreeColumn::SetPosition(uint32_t value)
{
    const int count = owner_.Count();
    if (count == 0)
        return;
    if (value >= static_cast<uint32_t>(count))
        value = static_cast<uint32_t>(count - 1);
    if (value == position_)
        return;
    owner_.SyncPositionMap();
    Header().Treeview().CancelEditNode();
    owner_.MovePositionEntry(*this, value);
    Changed();
    // Take coFixed over from the neighbour: the left one when it is fixed, else the right one.
    TColumnIndex neighbour = NoColumn;
    if (position_ > 0 && owner_[owner_.positionToIndex_[position_ - 1]].IsFixed())
        neighbour = owner_.positionToIndex_[position_ - 1];
    else if (position_ + 1 < owner_.positionToIndex_.size())
        neighbour = owner_.positionToIndex_[position_ + 1];
    if (neighbour >= 0) {
        TVTColumnOptions o = options_;
        o.Set(coFixed, owner_[neighbour].IsFixed());
        SetOptions(o);
    }
}

void TLazyTreeColumn::SetBiDiMode(TBiDiMode value)
{
    if (value != biDiMode_) {
        biDiMode_ = value;
        options_.Exclude(coParentBidiMode);
        Changed();
        Header().Treeview().Invalidate();
    }
}

void TLazyTreeColumn::SetAlignment(TAlignment value)
{
    if (value != alignment_) {
        alignment_ = value;
        Changed();
        Header().Treeview().Invalidate();
    }
}

void TLazyTreeColumn::SetCaptionAlignment(TAlignment value)
{
    if (options_.Has(coUseCaptionAlignment) && captionAlignment_ == value)
        return;
    captionAlignment_ = value;
    options_.Include(coUseCaptionAlignment);
    Header().RepaintHeader(Index());
}

void TLazyTreeColumn::SetColor(THeaderColor value)
{
    if (value != color_) {
        color_ = value;
        options_.Exclude(coParentColor);
        Changed();
        Header().Treeview().Invalidate();
    }
}

void TLazyTreeColumn::ParentBiDiModeChanged()
{
    if (options_.Has(coParentBidiMode) && biDiMode_ != Header().Treeview().BiDiMode()) {
        biDiMode_ = Header().Treeview().BiDiMode();
        Changed();
    }
}

void TLazyTreeColumn::ParentColorChanged()
{
    if (options_.Has(coParentColor) && color_ != kHeaderColorWindow) {
        color_ = kHeaderColorWindow;
        Changed();
    }
}

void TLazyTreeColumn::RestoreLastWidth()
{
    owner_.AnimatedResize(Index(), lastWidth_);
}

bool TLazyTreeColumn::Equals(const TLazyTreeColumn& o) const
{
    return biDiMode_ == o.biDiMode_ && imageIndex_ == o.imageIndex_ && layout_ == o.layout_ && margin_ == o.margin_ &&
        maxWidth_ == o.maxWidth_ && minWidth_ == o.minWidth_ && position_ == o.position_ && spacing_ == o.spacing_ &&
        style_ == o.style_ && text_ == o.text_ && hint_ == o.hint_ && width_ == o.width_ &&
        alignment_ == o.alignment_ && CaptionAlignment() == o.CaptionAlignment() && color_ == o.color_ &&
        tag_ == o.tag_ && options_ == o.options_;
}

void TLazyTreeColumn::Assign(const TLazyTreeColumn& s)
{
    const TVTColumnOptions own = options_;
    options_ = {};
    SetBiDiMode(s.biDiMode_);
    SetImageIndex(s.imageIndex_);
    SetLayout(s.layout_);
    SetMargin(s.margin_);
    SetMaxWidth(s.maxWidth_);
    SetMinWidth(s.minWidth_);
    SetPosition(s.position_);
    SetSpacing(s.spacing_);
    SetStyle(s.style_);
    SetText(s.text_);
    SetHint(s.hint_);
    SetWidth(s.width_);
    SetAlignment(s.alignment_);
    SetCaptionAlignment(s.CaptionAlignment());
    SetColor(s.color_);
    SetTag(s.tag_);
    options_ = own;
    SetOptions(s.options_);
    Changed();
}

// ---- The collection --------------------------------------------------------------------------------------

TLazyTreeColumns::TLazyTreeColumns(TVTHeader& header) : header_(header) {}

TLazyTreeColumns::~TLazyTreeColumns() = default;

TLazyTreeColumn& TLazyTreeColumns::operator[](TColumnIndex index) const
{
    if (!IsValidColumn(index))
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return *items_[static_cast<std::size_t>(index)];
}

TLazyTreeColumn& TLazyTreeColumns::Add()
{
    items_.push_back(std::make_unique<TLazyTreeColumn>(*this));
    TLazyTreeColumn& column = *items_.back();
    column.position_ = static_cast<uint32_t>(Count() - 1);
    column.ParentColorChanged();
    Update(nullptr);
    return column;
}

void TLazyTreeColumns::AdjustIndexAfterRemoval(TColumnIndex removed, TColumnIndex& index) const
{
    if (index == removed)
        index = NoColumn;
    else if (index > removed)
        --index;
}

void TLazyTreeColumns::Delete(TColumnIndex index)
{
    if (!IsValidColumn(index))
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    TBaseLazyTree& tree = header_.Treeview();
    tree.CancelEditNode();
    SyncPositionMap();
    // Close the gap in the display order and renumber the indexes above the removed one.
    std::erase(positionToIndex_, index);
    for (TColumnIndex& entry : positionToIndex_)
        if (entry > index)
            --entry;
    for (TColumnIndex* i : {&hoverIndex_, &downIndex_, &trackIndex_, &clickIndex_})
        AdjustIndexAfterRemoval(index, *i);
    AdjustIndexAfterRemoval(index, header_.autoSizeIndex_);
    AdjustIndexAfterRemoval(index, header_.sortColumn_);
    if (header_.mainColumn_ == index)
        header_.mainColumn_ = Count() > 1 ? 0 : NoColumn;
    else if (header_.mainColumn_ > index)
        --header_.mainColumn_;
    if (tree.FocusedColumn() == index)
        tree.SetFocusedColumnField(NoColumn);
    else if (tree.FocusedColumn() > index)
        tree.SetFocusedColumnField(tree.FocusedColumn() - 1);
    items_.erase(items_.begin() + index);
    Update(nullptr);
}

void TLazyTreeColumns::Clear()
{
    clearing_ = true;
    TBaseLazyTree& tree = header_.Treeview();
    tree.CancelEditNode();
    hoverIndex_ = downIndex_ = trackIndex_ = clickIndex_ = NoColumn;
    checkBoxHit_ = false;
    if (!header_.States().Has(hsLoading)) {
        header_.autoSizeIndex_ = NoColumn;
        header_.mainColumn_ = NoColumn;
        header_.sortColumn_ = NoColumn;
    }
    tree.SetFocusedColumnField(NoColumn);
    items_.clear();
    positionToIndex_.clear();
    clearing_ = false;
    Update(nullptr);
}

void TLazyTreeColumns::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Update(nullptr);
}

void TLazyTreeColumns::SyncPositionMap()
{
    const std::size_t count = items_.size();
    const std::size_t old = positionToIndex_.size();
    if (old == count)
        return;
    positionToIndex_.resize(count);
    for (std::size_t p = old; p < count; ++p)
        positionToIndex_[p] = static_cast<TColumnIndex>(p);
    if (count < old) {
        bool lowered = true;
        while (lowered) {
            lowered = false;
            for (TColumnIndex& entry : positionToIndex_)
                if (entry >= static_cast<TColumnIndex>(count)) {
                    --entry;
                    lowered = true;
                }
        }
    }
}

void TLazyTreeColumns::MovePositionEntry(TLazyTreeColumn& column, uint32_t position)
{
    const uint32_t old = column.position_;
    const TColumnIndex index = column.Index();
    if (old < position)
        std::copy(positionToIndex_.begin() + old + 1, positionToIndex_.begin() + position + 1,
            positionToIndex_.begin() + old);
    else if (old > position)
        std::copy_backward(positionToIndex_.begin() + position, positionToIndex_.begin() + old,
            positionToIndex_.begin() + old + 1);
    positionToIndex_[position] = index;
    column.position_ = position;
}

void TLazyTreeColumns::RecomputeColumnLefts(bool force)
{
    if (!force && updateCount_ > 0)
        return;
    int running = 0;
    for (std::size_t p = 0; p < positionToIndex_.size(); ++p) {
        TLazyTreeColumn& column = *items_[static_cast<std::size_t>(positionToIndex_[p])];
        column.position_ = static_cast<uint32_t>(p);
        column.left_ = running;
        if (column.IsVisible())
            running += column.width_;
    }
    TBaseLazyTree& tree = header_.Treeview();
    tree.UpdateHorizontalRange();
    tree.UpdateHorizontalScrollBar(false);
}

void TLazyTreeColumns::Update(TLazyTreeColumn* item)
{
    if (clearing_)
        return;
    SyncPositionMap();
    RecomputeColumnLefts(false);
    if (Count() > 0 && header_.mainColumn_ < 0)
        header_.mainColumn_ = 0;
    if (updateCount_ > 0 || header_.States().Has(hsLoading))
        return;
    if (header_.Options().Has(hoAutoResize))
        header_.FitAutoSizeColumn(false);
    if (item) {
        header_.RepaintHeader(item->Index());
    } else {
        header_.RepaintHeader(NoColumn);
        header_.Treeview().Invalidate();
    }
}

TColumnIndex TLazyTreeColumns::ColumnFromPosition(uint32_t positionIndex) const
{
    return positionIndex < positionToIndex_.size() ? positionToIndex_[positionIndex] : NoColumn;
}

TColumnIndex TLazyTreeColumns::ColumnFromPosition(TPoint p, bool relative) const
{
    if (p.X < 0 || p.Y < 0)
        return InvalidColumn;
    int left = 0, right = 0;
    return ColumnAtWithBounds(p.X, left, right, relative);
}

TColumnIndex TLazyTreeColumns::ColumnAtWithBounds(int x, int& left, int& right, bool relative) const
{
    TBaseLazyTree& tree = header_.Treeview();
    int r = 0;
    if (relative && x >= GetVisibleFixedWidth())
        r = -tree.EffectiveOffsetX();
    if (tree.UseRightToLeftReading())
        r += tree.RightToLeftOffset(true);
    for (TColumnIndex index : positionToIndex_) {
        const TLazyTreeColumn& column = *items_[static_cast<std::size_t>(index)];
        if (!column.IsVisible())
            continue;
        left = r;
        r += column.width_;
        if (x < r) {
            right = r;
            return index;
        }
    }
    return InvalidColumn;
}

void TLazyTreeColumns::GetColumnBounds(TColumnIndex column, int& left, int& right) const
{
    TBaseLazyTree& tree = header_.Treeview();
    if (column < 0 || !IsValidColumn(column)) {
        left = 0;
        right = tree.ClientWidth();
        return;
    }
    const TLazyTreeColumn& c = *items_[static_cast<std::size_t>(column)];
    left = c.Left();
    right = left + c.width_;
    if (tree.UseRightToLeftReading()) {
        const int offset = tree.RightToLeftOffset(true);
        left += offset;
        right += offset;
    }
}

TColumnIndex TLazyTreeColumns::GetFirstColumn() const
{
    return positionToIndex_.empty() ? InvalidColumn : positionToIndex_[0];
}

TColumnIndex TLazyTreeColumns::GetNextColumn(TColumnIndex column) const
{
    if (!IsValidColumn(column))
        return InvalidColumn;
    const uint32_t p = items_[static_cast<std::size_t>(column)]->position_ + 1;
    return p < positionToIndex_.size() ? positionToIndex_[p] : InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetPreviousColumn(TColumnIndex column) const
{
    if (!IsValidColumn(column))
        return InvalidColumn;
    const uint32_t p = items_[static_cast<std::size_t>(column)]->position_;
    return p > 0 && p <= positionToIndex_.size() ? positionToIndex_[p - 1] : InvalidColumn;
}

namespace {
bool Qualifies(const TLazyTreeColumn& c, bool considerAllowFocus)
{
    return c.IsVisible() && (!considerAllowFocus || c.Options().Has(coAllowFocus));
}
} // namespace

TColumnIndex TLazyTreeColumns::GetFirstVisibleColumn(bool considerAllowFocus) const
{
    for (TColumnIndex index : positionToIndex_)
        if (Qualifies(*items_[static_cast<std::size_t>(index)], considerAllowFocus))
            return index;
    return InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetLastVisibleColumn(bool considerAllowFocus) const
{
    for (auto it = positionToIndex_.rbegin(); it != positionToIndex_.rend(); ++it)
        if (Qualifies(*items_[static_cast<std::size_t>(*it)], considerAllowFocus))
            return *it;
    return InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetNextVisibleColumn(TColumnIndex column, bool considerAllowFocus) const
{
    for (TColumnIndex c = GetNextColumn(column); c >= 0; c = GetNextColumn(c))
        if (Qualifies(*items_[static_cast<std::size_t>(c)], considerAllowFocus))
            return c;
    return InvalidColumn;
}

TColumnIndex TLazyTreeColumns::GetPreviousVisibleColumn(TColumnIndex column, bool considerAllowFocus) const
{
    for (TColumnIndex c = GetPreviousColumn(column); c >= 0; c = GetPreviousColumn(c))
        if (Qualifies(*items_[static_cast<std::size_t>(c)], considerAllowFocus))
            return c;
    return InvalidColumn;
}

std::vector<TColumnIndex> TLazyTreeColumns::GetVisibleColumns() const
{
    std::vector<TColumnIndex> result;
    for (TColumnIndex index : positionToIndex_)
        if (items_[static_cast<std::size_t>(index)]->IsVisible())
            result.push_back(index);
    return result;
}

int TLazyTreeColumns::GetVisibleFixedWidth() const
{
    int sum = 0;
    for (const auto& c : items_)
        if (c->IsVisible() && c->IsFixed())
            sum += c->width_;
    return sum;
}

int TLazyTreeColumns::GetScrollWidth() const
{
    int sum = 0, count = 0;
    for (const auto& c : items_)
        if (c->IsVisible() && !c->IsFixed()) {
            sum += c->width_;
            ++count;
        }
    if (count == 0)
        return static_cast<int>(header_.Treeview().Indent());
    return static_cast<int>(std::nearbyint(static_cast<double>(sum) / count)); // halves to even
}

int TLazyTreeColumns::TotalWidth() const
{
    const TColumnIndex last = GetLastVisibleColumn();
    if (last < 0)
        return 0;
    const TLazyTreeColumn& c = *items_[static_cast<std::size_t>(last)];
    return c.left_ + c.width_;
}

void TLazyTreeColumns::AnimatedResize(TColumnIndex column, int newWidth)
{
    if (!IsValidColumn(column))
        return;
    TLazyTreeColumn& c = *items_[static_cast<std::size_t>(column)];
    newWidth = std::clamp(newWidth, c.minWidth_, std::max(c.minWidth_, c.maxWidth_));
    if (newWidth != c.width_)
        c.SetWidth(newWidth);
}

void TLazyTreeColumns::ResetDisplayOrder(bool rightToLeft)
{
    const int count = Count();
    positionToIndex_.resize(static_cast<std::size_t>(count));
    for (int p = 0; p < count; ++p)
        positionToIndex_[static_cast<std::size_t>(p)] = rightToLeft ? count - 1 - p : p;
    RecomputeColumnLefts(true);
}

bool TLazyTreeColumns::Equals(const TLazyTreeColumns& other) const
{
    if (Count() != other.Count() || positionToIndex_ != other.positionToIndex_)
        return false;
    for (int i = 0; i < Count(); ++i)
        if (!items_[static_cast<std::size_t>(i)]->Equals(*other.items_[static_cast<std::size_t>(i)]))
            return false;
    return true;
}

void TLazyTreeColumns::Assign(const TLazyTreeColumns& source)
{
    BeginUpdate();
    items_.clear();
    positionToIndex_.clear();
    for (int i = 0; i < source.Count(); ++i) {
        items_.push_back(std::make_unique<TLazyTreeColumn>(*this));
        positionToIndex_.push_back(i);
    }
    for (int i = 0; i < source.Count(); ++i)
        items_[static_cast<std::size_t>(i)]->Assign(source[i]);
    positionToIndex_ = source.positionToIndex_;
    defaultWidth_ = source.defaultWidth_;
    RecomputeColumnLefts(true);
    EndUpdate();
}

// ---- The header ------------------------------------------------------------------------------------------

TVTHeader::TVTHeader(TBaseLazyTree& tree) : tree_(tree), columns_(*this) {}

TVTHeader::~TVTHeader()
{
    if (&tree_.Header() == this)
        tree_.SetColumns(nullptr);
}

TColumnIndex TVTHeader::EffectiveAutoSizeIndex() const
{
    const int count = columns_.Count();
    return autoSizeIndex_ < 0 || autoSizeIndex_ >= count ? count - 1 : autoSizeIndex_;
}

int TVTHeader::HeaderWidth() const
{
    return tree_.ClientWidth();
}

void TVTHeader::SetHeight(int value)
{
    if (!tree_.View()) {
        height_ = value;
        states_.Include(hsNeedScaling);
        return;
    }
    const int total = tree_.ClientHeight() + height_;
    const int relMax = total * constraints_.MaxHeightPercent / 100;
    const int relMin = total * constraints_.MinHeightPercent / 100;
    const int effMin = constraints_.MaxHeightPercent > 0 ? std::min(relMax, minHeight_) : minHeight_;
    const int effMax = constraints_.MinHeightPercent > 0 ? std::max(relMin, maxHeight_) : maxHeight_;
    value = std::min(effMax, std::max(effMin, value));
    if (constraints_.MinHeightPercent > 0)
        value = std::max(value, relMin);
    if (constraints_.MaxHeightPercent > 0)
        value = std::min(value, relMax);
    if (value == height_)
        return;
    height_ = value;
    if (!states_.Has(hsScaling))
        RefreshHeaderFrame();
    tree_.Invalidate();
}

void TVTHeader::SetDefaultHeight(int value)
{
    value = std::clamp(value, minHeight_, std::max(minHeight_, maxHeight_));
    if (height_ == defaultHeight_)
        SetHeight(value);
    defaultHeight_ = value;
}

void TVTHeader::SetMinHeight(int value)
{
    minHeight_ = std::min(std::max(value, 0), maxHeight_);
    SetHeight(height_);
}

void TVTHeader::SetMaxHeight(int value)
{
    maxHeight_ = std::max(value, minHeight_);
    SetHeight(height_);
}

void TVTHeader::SetOptions(TVTHeaderOptions value)
{
    const TVTHeaderOptions old = options_;
    options_ = value;
    const bool autoResizeChanged = old.Has(hoAutoResize) != value.Has(hoAutoResize);
    if (autoResizeChanged && columns_.Count() > 0) {
        FitAutoSizeColumn(false);
        if (tree_.View()) {
            tree_.UpdateHorizontalRange();
            tree_.UpdateHorizontalScrollBar(false);
            if (value.Has(hoAutoResize))
                tree_.Invalidate();
        }
    }
    if (tree_.View()) {
        if (old.Has(hoVisible) != value.Has(hoVisible))
            RefreshHeaderFrame();
        RepaintHeader(NoColumn);
        tree_.Invalidate();
    }
}

void TVTHeader::SetStyle(TVTHeaderStyle value)
{
    if (value != style_) {
        style_ = value;
        RepaintHeader(NoColumn);
    }
}

void TVTHeader::SetBackground(THeaderColor value)
{
    if (value != background_) {
        background_ = value;
        RepaintHeader(NoColumn);
    }
}

void TVTHeader::SetFont(const THeaderFont& value)
{
    font_ = value;
    parentFont_ = false;
    RepaintHeader(NoColumn);
}

void TVTHeader::SetParentFont(bool value)
{
    if (value != parentFont_) {
        parentFont_ = value;
        RepaintHeader(NoColumn);
    }
}

void TVTHeader::SetAutoSizeIndex(TColumnIndex value)
{
    if (value != autoSizeIndex_) {
        autoSizeIndex_ = value;
        if (options_.Has(hoAutoResize))
            FitAutoSizeColumn(false);
    }
}

void TVTHeader::SetMainColumn(TColumnIndex value)
{
    if (columns_.Count() == 0)
        value = NoColumn;
    else
        value = std::clamp(value, 0, columns_.Count() - 1);
    if (value == mainColumn_)
        return;
    mainColumn_ = value;
    tree_.CancelEditNode();
    if (!tree_.TreeOptions().SelectionOptions().Has(toExtendedFocus))
        tree_.SetFocusedColumnField(value);
    tree_.Invalidate();
}

void TVTHeader::ApplySortColumn(TColumnIndex index)
{
    index = std::clamp(index, NoColumn, columns_.Count() - 1);
    if (index == sortColumn_)
        return;
    if (sortColumn_ >= 0)
        RepaintHeader(sortColumn_);
    sortColumn_ = index;
    if (sortColumn_ >= 0)
        RepaintHeader(sortColumn_);
    if ((tree_.TreeOptions().AutoOptions().Has(toAutoSort) || options_.Has(hoHeaderClickAutoSort)) &&
        tree_.UpdateCount() == 0)
        tree_.SortTree(sortColumn_, sortDirection_, true);
}

void TVTHeader::SetSortDirection(TSortDirection value)
{
    if (value == sortDirection_)
        return;
    sortDirection_ = value;
    RepaintHeader(NoColumn);
    if ((tree_.TreeOptions().AutoOptions().Has(toAutoSort) || options_.Has(hoHeaderClickAutoSort)) &&
        tree_.UpdateCount() == 0)
        tree_.SortTree(sortColumn_, sortDirection_, true);
}

void TVTHeader::SetConstraint(TVTConstraintPercent which, uint8_t value)
{
    value = std::min<uint8_t>(value, 100);
    TVTFixedAreaConstraints& c = constraints_;
    uint8_t* fields[] = {&c.MaxHeightPercent, &c.MaxWidthPercent, &c.MinHeightPercent, &c.MinWidthPercent};
    if (*fields[which] == value)
        return;
    *fields[which] = value;
    switch (which) {
    case cpMaxHeight:
        if (value > 0 && c.MinHeightPercent > value)
            c.MinHeightPercent = value;
        break;
    case cpMaxWidth:
        if (value > 0 && c.MinWidthPercent > value)
            c.MinWidthPercent = value;
        break;
    case cpMinHeight:
        if (c.MaxHeightPercent > 0 && c.MaxHeightPercent < value)
            c.MaxHeightPercent = value;
        break;
    case cpMinWidth:
        if (c.MaxWidthPercent > 0 && c.MaxWidthPercent < value)
            c.MaxWidthPercent = value;
        break;
    }
    ConstraintsChanged();
}

void TVTHeader::ConstraintsChanged()
{
    if (tree_.View())
        ReapplyConstraints();
    else
        states_.Include(hsNeedScaling);
}

void TVTHeader::ReapplyConstraints()
{
    if (states_.Has(hsLoading) || !tree_.View())
        return;
    states_.Include(hsScaling);
    SetHeight(height_);
    RefreshHeaderFrame();
    if (constraints_.MinHeightPercent > 0 || constraints_.MaxHeightPercent > 0) {
        for (int i = 0; i < columns_.Count(); ++i) {
            TLazyTreeColumn& c = columns_[i];
            if (c.IsVisible() && c.IsFixed() && c.width_ < c.minWidth_)
                c.width_ = c.minWidth_;
        }
        const int fixed = columns_.GetVisibleFixedWidth();
        const int clientWidth = tree_.ClientWidth();
        const int minF = clientWidth * constraints_.MinWidthPercent / 100;
        const int maxF = clientWidth * constraints_.MaxWidthPercent / 100;
        if (constraints_.MaxWidthPercent > 0 && fixed > maxF)
            ResizeColumns(maxF - fixed, 0, columns_.Count() - 1, {coVisible, coFixed});
        else if (constraints_.MinWidthPercent > 0 && fixed < minF)
            ResizeColumns(minF - fixed, 0, columns_.Count() - 1, {coVisible, coFixed});
        columns_.RecomputeColumnLefts(false);
    }
    states_.Exclude(hsScaling);
    states_.Exclude(hsNeedScaling);
}

int TVTHeader::ResizeColumns(int changeBy, TColumnIndex rangeStart, TColumnIndex rangeEnd, TVTColumnOptions options)
{
    if (changeBy == 0 || columns_.Count() == 0)
        return 0;
    rangeStart = std::max(rangeStart, 0);
    rangeEnd = std::min(rangeEnd, columns_.Count() - 1);
    if (rangeEnd < rangeStart)
        return 0;
    const bool grow = changeBy > 0;
    const int step = grow ? 1 : -1;
    const TColumnIndex start = grow ? rangeStart : rangeEnd;
    int rest = std::abs(changeBy);
    const std::size_t n = static_cast<std::size_t>(rangeEnd - rangeStart + 1);
    std::vector<int> widths(n), limits(n);
    auto column = [&](std::size_t i) -> TLazyTreeColumn& { return columns_[rangeStart + static_cast<int>(i)]; };
    for (std::size_t i = 0; i < n; ++i) {
        widths[i] = column(i).width_;
        limits[i] = grow ? column(i).maxWidth_ : column(i).minWidth_;
    }
    auto matches = [&](std::size_t i) { return column(i).options_.HasAll(options); };
    auto hasRoom = [&](std::size_t i) { return matches(i) && (grow ? widths[i] < limits[i] : widths[i] > limits[i]); };
    do {
        int count = 0;
        int room = 0;
        for (;;) {
            count = 0;
            room = 0;
            for (std::size_t i = 0; i < n; ++i)
                if (hasRoom(i)) {
                    ++count;
                    room += grow ? limits[i] - widths[i] : widths[i] - limits[i];
                }
            if (std::abs(changeBy) > room && states_.Has(hsScaling) && !grow) {
                // Lower the limit of the widest matching column by a tenth and count again.
                std::size_t widest = n;
                for (std::size_t i = 0; i < n; ++i)
                    if (matches(i) && (widest == n || widths[i] > widths[widest]))
                        widest = i;
                if (widest < n && limits[widest] > 10) {
                    limits[widest] -= limits[widest] / 10;
                    continue;
                }
            }
            break;
        }
        if (count == 0)
            break;
        rest = std::min(rest, room);
        const int share = rest / count;
        int leftover = rest % count;
        if (share > 0) {
            for (std::size_t i = 0; i < n; ++i) {
                if (!hasRoom(i))
                    continue;
                const int change = grow ? std::min(share, limits[i] - widths[i]) : std::min(share, widths[i] - limits[i]);
                widths[i] += change * step;
                rest -= change;
            }
        }
        // Odd pixels, one at a time, to columns that did not get the last bonus in this direction.
        int guard = 0;
        for (TColumnIndex i = start; leftover > 0 && rest > 0 && guard < 4 * static_cast<int>(n) + 4;) {
            const std::size_t k = static_cast<std::size_t>(i - rangeStart);
            if (hasRoom(k) && column(k).bonusPixel_ != grow) {
                widths[k] += step;
                column(k).bonusPixel_ = grow;
                --leftover;
                --rest;
            }
            i += step;
            if (i < rangeStart || i > rangeEnd) {
                for (std::size_t j = 0; j < n; ++j)
                    if (matches(j))
                        column(j).bonusPixel_ = !column(j).bonusPixel_;
                i = start;
                ++guard;
            }
        }
        if (leftover > 0 && share == 0)
            break; // nothing can take the remaining pixels
    } while (rest > 0);

    int result = 0;
    states_.Include(hsResizing);
    for (std::size_t i = 0; i < n; ++i) {
        if (!matches(i))
            continue;
        TLazyTreeColumn& c = column(i);
        const int old = c.width_;
        c.SetWidth(widths[i]);
        result += c.width_ - old;
    }
    states_.Exclude(hsResizing);
    return result;
}

void TVTHeader::AutoFitColumns(bool animated, TSmartAutoFitType fitType, int rangeStart, int rangeEnd)
{
    const int start = std::max(rangeStart, 0);
    const int end = rangeEnd < 0 ? columns_.Count() - 1 : std::min(rangeEnd, columns_.Count() - 1);
    if (end < start)
        return;
    tree_.BeginOperation(okAutoFitColumns);
    struct End {
        TBaseLazyTree& tree;
        ~End() { tree.EndOperation(okAutoFitColumns); }
    } end_{tree_};
    for (int p = start; p <= end; ++p) {
        const TColumnIndex index = columns_.ColumnFromPosition(static_cast<uint32_t>(p));
        if (index < 0)
            continue;
        TLazyTreeColumn& c = columns_[index];
        if (!c.IsVisible() || !c.options_.Has(coResizable) || tree_.OperationCanceled())
            continue;
        bool allowed = true;
        TSmartAutoFitType type = fitType;
        if (OnBeforeAutoFitColumn)
            OnBeforeAutoFitColumn(*this, index, type, allowed);
        if (!allowed)
            continue;
        const bool smart = fitType == smaAllColumns || (fitType == smaUseColumnOption && c.options_.Has(coSmartResize));
        const int width = tree_.GetMaxColumnWidth(index, smart);
        if (animated)
            columns_.AnimatedResize(index, width);
        else
            c.SetWidth(width);
        if (OnAfterAutoFitColumn)
            OnAfterAutoFitColumn(*this, index);
    }
}

void TVTHeader::DistributeSpringWidth()
{
    const int width = HeaderWidth();
    if (options_.Has(hoAutoSpring) && lastWidth_ != 0) {
        float difference = static_cast<float>(width - lastWidth_);
        if (difference != 0) {
            const int sign = difference >= 0 ? 1 : -1;
            difference = std::abs(difference);
            int springCount = 0;
            for (int i = 0; i < columns_.Count(); ++i)
                if (columns_[i].options_.HasAll({coVisible, coAutoSpring}))
                    ++springCount;
            if (springCount > 0) {
                const float share = difference / static_cast<float>(springCount);
                for (int i = 0; i < columns_.Count() && difference >= 0; ++i) {
                    TLazyTreeColumn& c = columns_[i];
                    if (!c.options_.HasAll({coVisible, coAutoSpring}))
                        continue;
                    const float value = c.springRest_ + share;
                    if (value >= 1) {
                        const float whole = std::trunc(value);
                        c.SetWidth(c.width_ + sign * static_cast<int>(whole));
                        c.springRest_ = value - whole;
                    } else {
                        c.springRest_ = value;
                    }
                    difference -= share;
                }
            }
        }
    }
    lastWidth_ = width;
}

void TVTHeader::FitAutoSizeColumn(bool force)
{
    if (columns_.Count() == 0 || states_.Has(hsAutoSizing))
        return;
    const TColumnIndex index = EffectiveAutoSizeIndex();
    int available = tree_.ClientWidth();
    for (int i = 0; i < columns_.Count(); ++i)
        if (i != index && columns_[i].IsVisible())
            available -= columns_[i].width_;
    TLazyTreeColumn& c = columns_[index];
    const int width = std::max(c.minWidth_, std::min(c.maxWidth_, available));
    if (force || width != c.width_) {
        states_.Include(hsAutoSizing);
        c.width_ = width;
        columns_.RecomputeColumnLefts(true);
        ColumnResized(index);
        states_.Exclude(hsAutoSizing);
    }
}

void TVTHeader::RestoreColumns()
{
    for (int p = columns_.Count() - 1; p >= 0; --p) {
        const TColumnIndex index = columns_.ColumnFromPosition(static_cast<uint32_t>(p));
        if (index >= 0 && columns_[index].options_.HasAll({coVisible, coResizable}))
            columns_[index].RestoreLastWidth();
    }
}

void TVTHeader::ColumnResized(TColumnIndex column)
{
    tree_.UpdateHorizontalRange();
    if (tree_.View()) {
        tree_.UpdateHorizontalScrollBar(false);
        tree_.Invalidate();
    }
    RepaintHeader(NoColumn);
    if (OnColumnResize)
        OnColumnResize(*this, column);
}

void TVTHeader::Assign(const TVTHeader& s)
{
    SetAutoSizeIndex(s.autoSizeIndex_);
    SetBackground(s.background_);
    columns_.Assign(s.columns_);
    SetFont(s.font_);
    constraints_ = s.constraints_;
    SetHeight(s.height_);
    SetMainColumn(s.MainColumn());
    SetOptions(s.options_);
    SetParentFont(s.parentFont_);
    ApplySortColumn(s.sortColumn_);
    SetSortDirection(s.sortDirection_);
    SetStyle(s.style_);
    ReapplyConstraints();
}

uint16_t ConvertStoredColumnOptions(uint32_t stored, int version)
{
    if (version >= 3)
        return static_cast<uint16_t>(stored & 0xFFFF);
    if (version == 2)
        return static_cast<uint16_t>(stored & 0xFF);
    // Before version 2 there was no coParentColor: bits 4..7 move up by one.
    return static_cast<uint16_t>((stored & 0x0F) | (((stored & ~0x0Fu) << 1) & 0xFF));
}

namespace {
// value * m / d rounded half away from zero, as the platform's MulDiv.
int MulDiv(int value, int m, int d)
{
    const int64_t product = int64_t(value) * m;
    int64_t q = product / d;
    const int64_t r = product % d;
    if (2 * (r < 0 ? -r : r) >= (d < 0 ? -int64_t(d) : int64_t(d)))
        q += (product < 0) != (d < 0) ? -1 : 1;
    return static_cast<int>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}
} // namespace

void TVTHeader::ScaleHeader(int m, int d)
{
    if (d == 0 || m == d)
        return;
    SetHeight(MulDiv(height_, m, d));
    if (!parentFont_) {
        THeaderFont font = font_;
        font.Height = MulDiv(font.Height, m, d);
        SetFont(font);
    }
    columns_.BeginUpdate();
    for (int i = 0; i < columns_.Count(); ++i)
        columns_[i].SetWidth(MulDiv(columns_[i].Width(), m, d));
    columns_.EndUpdate();
}

} // namespace lazytree
