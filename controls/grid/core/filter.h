#pragma once
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace grid {

enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
// Which text of a row a condition tests.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod { fmExpression, fmLiteral };

// One condition of the row filter.
struct TFilterData
{
    qint16 Column = 0; // real column
    QString Condition; // empty passes every row
    bool CaseSensitive = true;
    QString Suffix;
    QString Prefix;
    TFilterOperation Operation = foSHORT;
    TFilterCells Data = fcVirtual;
    TFilterMethod Method = fmExpression;
};

// The conditions of the filter, in order.
class TFilter
{
public:
    // Called when a column's conditions go (the grid repaints its header).
    std::function<void(int col)> OnColumnRemoved;

    int Count() const { return static_cast<int>(items_.size()); }
    TFilterData& Items(int index) { return *items_[size_t(index)]; }
    const TFilterData& Items(int index) const { return *items_[size_t(index)]; }
    TFilterData& operator[](int index) { return Items(index); }
    // A new condition at the end: foNONE when it is the only one, else foAND.
    TFilterData& Add();
    // A new condition at the end; the index is not used.
    TFilterData& Insert(int index);
    void Delete(int index);
    void Clear() { items_.clear(); }
    // The first condition of the column, added when there is none.
    TFilterData& GetColFilter(int col);
    void RemoveColumnFilter(int col);
    bool HasFilter(int col) const;

private:
    std::vector<std::unique_ptr<TFilterData>> items_;
};

} // namespace grid
