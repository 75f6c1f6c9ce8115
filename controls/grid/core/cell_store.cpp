#include "controls/grid/core/cell_store.h"

#include <algorithm>

namespace grid {

namespace {
long g_liveRows = 0;
}

RowRecord::RowRecord()
{
    ++g_liveRows;
}

RowRecord::~RowRecord()
{
    --g_liveRows;
}

long RowRecord::LiveCount()
{
    return g_liveRows;
}

Cell& RowRecord::Ensure(int col, int widthHint)
{
    if (col >= Size()) {
        const size_t need = size_t(col) + 1;
        if (need > cells_.capacity())
            cells_.reserve(std::max({need, size_t(std::max(widthHint, 0)), cells_.capacity() * 2}));
        cells_.resize(need);
    }
    return cells_[size_t(col)];
}

void RowRecord::MoveCell(int from, int to)
{
    if (from == to || from < 0 || to < 0)
        return;
    const int need = std::max(from, to) + 1;
    if (need > Size()) {
        // Moving an unwritten cell only shifts those between.
        if (from >= Size() && to >= Size())
            return;
        cells_.resize(size_t(need));
    }
    if (from < to)
        std::rotate(cells_.begin() + from, cells_.begin() + from + 1, cells_.begin() + to + 1);
    else
        std::rotate(cells_.begin() + to, cells_.begin() + from, cells_.begin() + from + 1);
}

void RowRecord::InsertCells(int at, int n)
{
    if (n <= 0 || at < 0 || at >= Size())
        return;
    std::vector<Cell> empty(size_t(std::min(n, kMaxColumns)));
    cells_.insert(cells_.begin() + at, std::make_move_iterator(empty.begin()), std::make_move_iterator(empty.end()));
    if (Size() > kMaxColumns)
        cells_.resize(size_t(kMaxColumns));
}

void RowRecord::RemoveCells(int at, int n)
{
    if (n <= 0 || at < 0 || at >= Size())
        return;
    const int end = std::min(Size(), at + n);
    cells_.erase(cells_.begin() + at, cells_.begin() + end);
}

bool RowRecord::Empty() const
{
    for (const Cell& c : cells_)
        if (!c.Text.isEmpty() || c.Props)
            return false;
    return true;
}

RowRecord* CellStore::EnsureRow(int row)
{
    if (row >= Extent())
        rows_.resize(size_t(row) + 1);
    RowHandle& h = rows_[size_t(row)];
    if (!h)
        h = std::make_unique<RowRecord>();
    return h.get();
}

void CellStore::Trim()
{
    while (!rows_.empty() && !rows_.back())
        rows_.pop_back();
}

Cell* CellStore::EnsureCell(int col, int row)
{
    if (!InRange(col, row))
        return nullptr;
    return &EnsureRow(row)->Ensure(col, widthHint_);
}

void CellStore::SetText(int col, int row, const QString& text)
{
    if (!InRange(col, row))
        return;
    if (text.isEmpty()) {
        if (Cell* c = CellAt(col, row))
            c->Text.clear();
        return;
    }
    EnsureCell(col, row)->Text = text;
}

TCellProperties* CellStore::Props(int col, int row) const
{
    const Cell* c = CellAt(col, row);
    return c ? c->Props.get() : nullptr;
}

std::unique_ptr<TCellProperties> CellStore::SetProps(int col, int row, std::unique_ptr<TCellProperties> props)
{
    if (!InRange(col, row))
        return props;
    if (!props) {
        Cell* c = CellAt(col, row);
        return c ? std::move(c->Props) : nullptr;
    }
    Cell* c = EnsureCell(col, row);
    std::swap(c->Props, props);
    return props;
}

std::unique_ptr<TCellProperties> CellStore::TakeProps(int col, int row)
{
    Cell* c = CellAt(col, row);
    return c ? std::move(c->Props) : nullptr;
}

RowHandle CellStore::ReleaseRow(int row)
{
    if (row < 0 || row >= Extent())
        return nullptr;
    return std::move(rows_[size_t(row)]);
}

std::vector<RowHandle> CellStore::ExtractRows(const std::vector<int>& ascending)
{
    std::vector<RowHandle> out(ascending.size());
    std::vector<RowHandle> kept;
    kept.reserve(rows_.size());
    size_t next = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
        while (next < ascending.size() && ascending[next] < static_cast<int>(r))
            ++next;
        if (next < ascending.size() && ascending[next] == static_cast<int>(r))
            out[next++] = std::move(rows_[r]);
        else
            kept.push_back(std::move(rows_[r]));
    }
    rows_ = std::move(kept);
    Trim();
    return out;
}

void CellStore::InsertRows(int at, int n)
{
    if (n <= 0 || at < 0 || at >= Extent())
        return;
    std::vector<RowHandle> empty(size_t(std::min(n, kMaxRows)));
    rows_.insert(rows_.begin() + at, std::make_move_iterator(empty.begin()), std::make_move_iterator(empty.end()));
    if (Extent() > kMaxRows)
        rows_.resize(size_t(kMaxRows)); // rows pushed past the limit are dropped
    Trim();
}

std::vector<RowHandle> CellStore::TakeRows(int at, int n)
{
    std::vector<RowHandle> out(size_t(std::max(0, n)));
    if (n <= 0 || at < 0 || at >= Extent())
        return out;
    const int end = std::min(Extent(), at + n);
    for (int r = at; r < end; ++r)
        out[size_t(r - at)] = std::move(rows_[size_t(r)]);
    rows_.erase(rows_.begin() + at, rows_.begin() + end);
    Trim();
    return out;
}

void CellStore::InsertHandles(int at, std::vector<RowHandle> handles)
{
    if (handles.empty() || at < 0)
        return;
    const bool any = std::any_of(handles.begin(), handles.end(), [](const RowHandle& h) { return h != nullptr; });
    if (at >= Extent()) {
        if (!any)
            return;
        rows_.resize(size_t(at));
        for (RowHandle& h : handles)
            rows_.push_back(std::move(h));
    } else {
        rows_.insert(rows_.begin() + at, std::make_move_iterator(handles.begin()),
                     std::make_move_iterator(handles.end()));
    }
    if (Extent() > kMaxRows)
        rows_.resize(size_t(kMaxRows));
    Trim();
}

void CellStore::InsertHandlesAt(std::vector<std::pair<int, RowHandle>> sorted)
{
    if (sorted.empty())
        return;
    // One merge pass: the new rows land at their final positions, the old
    // rows fill the gaps in order.
    const int total = std::max(Extent() + static_cast<int>(sorted.size()), sorted.back().first + 1);
    std::vector<RowHandle> merged(size_t(std::min(total, kMaxRows)));
    size_t next = 0;
    size_t old = 0;
    for (size_t r = 0; r < merged.size(); ++r) {
        if (next < sorted.size() && sorted[next].first == static_cast<int>(r))
            merged[r] = std::move(sorted[next++].second);
        else if (old < rows_.size())
            merged[r] = std::move(rows_[old++]);
    }
    rows_ = std::move(merged);
    Trim();
}

void CellStore::MoveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0)
        return;
    const int need = std::max(from, to) + 1;
    if (need > Extent()) {
        if (from >= Extent() && to >= Extent())
            return;
        if (need > kMaxRows)
            return;
        rows_.resize(size_t(need));
    }
    if (from < to)
        std::rotate(rows_.begin() + from, rows_.begin() + from + 1, rows_.begin() + to + 1);
    else
        std::rotate(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
    Trim();
}

void CellStore::PermuteRows(int left, const std::vector<int>& order)
{
    const int n = static_cast<int>(order.size());
    if (n == 0 || left < 0 || left >= Extent())
        return;
    if (left + n > Extent())
        rows_.resize(size_t(left + n));
    // In place, one cycle of the permutation at a time.
    std::vector<bool> done(size_t(n), false);
    for (int k = 0; k < n; ++k) {
        if (done[size_t(k)])
            continue;
        RowHandle first = std::move(rows_[size_t(left + k)]);
        int j = k;
        for (;;) {
            done[size_t(j)] = true;
            const int from = order[size_t(j)] - left;
            if (from == k) {
                rows_[size_t(left + j)] = std::move(first);
                break;
            }
            rows_[size_t(left + j)] = std::move(rows_[size_t(left + from)]);
            j = from;
        }
    }
    Trim();
}

void CellStore::SwapCells(int c1, int r1, int c2, int r2)
{
    if (!InRange(c1, r1) || !InRange(c2, r2))
        return;
    Cell* a = CellAt(c1, r1);
    Cell* b = CellAt(c2, r2);
    if (!a && !b)
        return;
    // Making the second cell may move the first one's row storage: it is
    // looked up again.
    EnsureCell(c1, r1);
    b = EnsureCell(c2, r2);
    a = CellAt(c1, r1);
    std::swap(a->Text, b->Text);
    std::swap(a->Props, b->Props);
}

} // namespace grid
