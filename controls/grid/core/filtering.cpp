// Filtering: rows failing the conditions hidden as one level over the rows
// still shown; levels removed again one by one.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/filter_matcher.h"

#include <cmath>

namespace grid {

// ---- The conditions ----

TFilterData& TFilter::Add()
{
    items_.push_back(std::make_unique<TFilterData>());
    items_.back()->Operation = items_.size() == 1 ? foNONE : foAND;
    return *items_.back();
}

TFilterData& TFilter::Insert(int)
{
    items_.push_back(std::make_unique<TFilterData>());
    return *items_.back();
}

void TFilter::Delete(int index)
{
    if (index >= 0 && index < Count())
        items_.erase(items_.begin() + index);
}

TFilterData& TFilter::GetColFilter(int col)
{
    for (auto& item : items_)
        if (item->Column == col)
            return *item;
    TFilterData& added = Add();
    added.Column = static_cast<qint16>(col);
    return added;
}

void TFilter::RemoveColumnFilter(int col)
{
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [col](const std::unique_ptr<TFilterData>& i) { return i->Column == col; }),
                 items_.end());
    if (OnColumnRemoved)
        OnColumnRemoved(col);
}

bool TFilter::HasFilter(int col) const
{
    return std::any_of(items_.begin(), items_.end(),
                       [col](const std::unique_ptr<TFilterData>& i) { return i->Column == col; });
}

// ---- Matching ----

// The conditions compiled once for a pass over many rows.
struct TExStringGrid::CompiledFilter
{
    struct Item
    {
        const TFilterData* data;
        std::unique_ptr<FilterExpression> expression;
        QString upperCondition; // fcRow
    };
    std::vector<Item> items;

    explicit CompiledFilter(const TFilter& filter)
    {
        for (int i = 0; i < filter.Count(); ++i) {
            const TFilterData& d = filter.Items(i);
            Item item{&d, nullptr, QString()};
            if (d.Data == fcRow)
                item.upperCondition = d.Condition.toUpper();
            else if (d.Method == fmExpression && !d.Condition.isEmpty())
                item.expression = std::make_unique<FilterExpression>(d.Condition, d.CaseSensitive);
            items.push_back(std::move(item));
        }
    }
};

QString TExStringGrid::FilterText(const TFilterData& d, int row)
{
    QString text;
    const int col = d.Column;
    switch (d.Data) {
    case fcVirtual:
        text = GetCellEx(col, row);
        break;
    case fcNormal:
        text = GridCells(col, row);
        break;
    case fcStripHTML:
        text = HtmlToPlainText(GridCells(col, row));
        break;
    case fcCalculated:
        GetCalcCellText(col, row, text);
        break;
    case fcRow: {
        QStringList parts;
        for (int c = 0; c < AllColCount(); ++c)
            parts << GetCellEx(c, row);
        text = parts.join(QStringLiteral("\r\n"));
        break;
    }
    }
    text = text.trimmed();
    if (text.startsWith(QStringLiteral("|\\")))
        text = DecodeWideText(text);
    return text;
}

bool TExStringGrid::MatchCompiled(const CompiledFilter& filter, int row)
{
    bool result = true;
    for (const auto& item : filter.items) {
        const TFilterData& d = *item.data;
        QString text = FilterText(d, row);
        bool match;
        if (d.Data == fcRow) {
            match = text.toUpper().contains(item.upperCondition);
        } else {
            if (!d.Prefix.isEmpty() && text.startsWith(d.Prefix))
                text.remove(0, d.Prefix.size());
            if (!d.Suffix.isEmpty()) {
                const qsizetype at = text.indexOf(d.Suffix);
                if (at >= 0 && at + d.Suffix.size() == text.size())
                    text.chop(d.Suffix.size());
            }
            if (d.Condition.isEmpty())
                match = true;
            else if (d.Method == fmLiteral)
                match = text == d.Condition;
            else
                match = item.expression->Match(text);
        }
        switch (d.Operation) {
        case foSHORT:
            result = match;
            if (!result)
                return CustomFilter(row, false);
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
    }
    return CustomFilter(row, result);
}

bool TExStringGrid::CustomFilter(int row, bool accept)
{
    if (OnCustomFilter)
        OnCustomFilter(this, row, accept);
    return accept;
}

bool TExStringGrid::MatchFilter(int row)
{
    return MatchCompiled(CompiledFilter(Filter), row);
}

void TExStringGrid::ApplyFilter()
{
    filterFixedRows_ = FixedRows();
    const int first = FixedRows();
    const int end = RowCount() - FixedFooters();
    const int total = end - first;
    const CompiledFilter compiled(Filter);
    TIntList failing;
    int tested = 0;
    for (int r = first; r < end; ++r) {
        if (FilterNormalCellsOnly && (IsNode(r) || IsSummary(r)))
            continue;
        if (!MatchCompiled(compiled, r))
            failing.Add(r);
        ++tested;
        if (OnFilterProgress && total > 0)
            OnFilterProgress(this, static_cast<qint16>(std::nearbyint(100.0 * tested / total)));
    }
    const int before = filterLevel_;
    HideRowList(failing);
    if (filterLevel_ == before)
        ++filterLevel_; // a level that hides nothing is a level all the same
    if (OnFilterProgress && total > 0)
        OnFilterProgress(this, static_cast<qint16>(std::nearbyint(100.0 * tested / total)));
}

void TExStringGrid::FilterRow(int row)
{
    if (!MatchFilter(row))
        HideRow(RealRowIndex(row));
}

bool TExStringGrid::RemoveLastFilter()
{
    if (filterLevel_ <= 0)
        return false;
    UnHideRowList();
    --filterLevel_;
    SetFixedRows(filterFixedRows_);
    if (selHidden_)
        UnHideSelection();
    CalcFooter(-1);
    return true;
}

void TExStringGrid::RemoveAllFilters()
{
    if (filterLevel_ > 0) {
        while (RemoveLastFilter()) {
        }
    } else {
        Filter.Clear();
    }
}

void TExStringGrid::SetFilterActive(bool value)
{
    if (value != filterActive_) {
        filterActive_ = value;
        if (value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                FocusCell(FixedCols(), FixedRows(), true);
            BeginUpdate();
            ApplyFilter();
            EndUpdate();
            selHidden_ = false;
        } else {
            RemoveLastFilter();
        }
        SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

void TExStringGrid::NarrowDown(const QString& condition, int column)
{
    fixedRowAlways_ = true;
    const auto newItem = [&] {
        Filter.Clear();
        TFilterData& d = Filter.Add();
        if (column == -1) {
            d.Data = fcRow;
            d.Condition = condition;
        } else {
            d.Data = fcNormal;
            d.Condition = u'*' + condition + u'*';
            if (condition.contains(u' '))
                d.Condition = u'"' + d.Condition + u'"';
        }
        d.CaseSensitive = false;
        d.Column = static_cast<qint16>(column);
        ApplyFilter();
    };
    const bool extends = !lastFilter_.isEmpty() && condition.size() == lastFilter_.size() + 1 &&
                         condition.startsWith(lastFilter_);
    const bool shrinks = !condition.isEmpty() && condition.size() + 1 == lastFilter_.size() &&
                         lastFilter_.startsWith(condition);
    if (extends) {
        newItem();
    } else if (shrinks && filterLevel_ > 0) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!condition.isEmpty())
            newItem();
    }
    lastFilter_ = condition;
}

// "name=condition" or a plain condition.
static void SplitFilterEntry(const QString& entry, QString& name, QString& condition)
{
    const qsizetype eq = entry.indexOf(u'=');
    name = eq < 0 ? entry : entry.left(eq);
    condition = eq < 0 ? entry : entry.mid(eq + 1);
}

void TExStringGrid::FilterSelect(int itemIndex)
{
    SetFocus();
    const int col = filterCol_;
    filterCol_ = -1;
    if (col < 0 || col >= AllColCount() || itemIndex < 0 || itemIndex >= FilterList.size())
        return;
    GetColumnFilter(col);
    if (itemIndex >= FilterList.size())
        return;
    QString name, condition;
    SplitFilterEntry(FilterList[itemIndex], name, condition);
    if (condition == FilterDropDownClear)
        condition.clear();
    if (AutoFilterUpdate)
        SetFilterActive(false);
    if (OnFilterSelect)
        OnFilterSelect(this, col, itemIndex, name, condition);
    if (!condition.isEmpty())
        Filter.GetColFilter(col).Condition = condition;
    else
        Filter.RemoveColumnFilter(col);
    if (AutoFilterUpdate) {
        fixedRowAlways_ = true;
        SetFilterActive(true);
        if (RowCount() > FixedRows() && !(fixedRowAlways_ && RowCount() == 1))
            SetRow(FixedRows());
        FilterDone();
    }
}

// The check list stays open on its column: every tick comes back here.
void TExStringGrid::FilterCheck(const std::vector<int>& checked)
{
    const int col = filterCol_;
    if (col < 0 || col >= AllColCount())
        return;
    GetColumnFilter(col);
    if (AutoFilterUpdate)
        SetFilterActive(false);
    Filter.Clear();
    bool first = true;
    for (int index : checked) {
        if (index < 0 || index >= FilterList.size())
            continue;
        QString name, condition;
        SplitFilterEntry(FilterList[index], name, condition);
        if (OnFilterCheck)
            OnFilterCheck(this, col, index, name, condition);
        TFilterData& d = Filter.Add();
        d.Condition = condition;
        d.Column = static_cast<qint16>(col);
        d.Operation = first ? foNONE : foOR;
        first = false;
    }
    SetFilterActive(true);
    Invalidate();
}

} // namespace grid
