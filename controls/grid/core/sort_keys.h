#pragma once
#include "controls/grid/core/look_settings.h"

#include <QCollator>
#include <QString>

#include <memory>
#include <vector>

// The ordering of rows for the grid's sorts: each column's cells are read and
// parsed once into keys under one style resolved for the whole sort, and the
// rows are put in order by a stable merge sort of their positions, so the
// grid stays untouched until the order is known.
namespace grid {

class TExStringGrid;

// A column of an ordering, with its own direction.
struct SortColumn
{
    int Col = 0;
    bool Descending = false;
};

class RowOrder
{
public:
    // The rows (display rows) to order; columns in priority order, each later
    // one deciding only between rows equal in all before it.
    RowOrder(TExStringGrid& grid, std::vector<int> rows, std::vector<SortColumn> columns);
    ~RowOrder();
    RowOrder(const RowOrder&) = delete;
    RowOrder& operator=(const RowOrder&) = delete;

    // -1, 0 or 1 as the row at position i comes before, with or after the
    // row at position j (directions applied). Compare events may throw.
    int Compare(int i, int j);
    // Positions 0 .. n-1 in order; rows that compare equal keep their order.
    std::vector<int> StableOrder();
    // The style a column was sorted by (after resolving ssAutomatic).
    TSortStyle ResolvedStyle(int column);
    long Comparisons() const { return comparisons_; }

    struct Keys;

private:
    Keys& KeysOf(int column);

    TExStringGrid& grid_;
    std::vector<int> rows_;
    std::vector<SortColumn> columns_;
    std::vector<std::unique_ptr<Keys>> keys_;
    long comparisons_ = 0;
};

// "hh:mm[:ss]" with the current time separator, as a fraction of a day.
bool ParseTimeText(const QString& s, double& time);

} // namespace grid
