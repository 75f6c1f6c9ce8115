// Seeded random sequences of writes, count changes, hiding, showing and
// moving columns and rows, checked after every step against a plain model
// of vectors of strings.
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace grid;

namespace {

constexpr int kCols = 12;

// The plain model: every real row in order, hidden or shown, with its texts
// by real column.
struct Reference
{
    struct Row
    {
        std::vector<QString> cells = std::vector<QString>(32);
        bool hidden = false;
    };
    std::vector<Row> rows;
    std::vector<bool> colHidden = std::vector<bool>(512, false);
    int rowCount = 10;
    int colCount = 5;

    int numHiddenCols() const { return static_cast<int>(std::count(colHidden.begin(), colHidden.end(), true)); }
    int numHiddenRows() const
    {
        return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r.hidden; }));
    }
    void ensureReal(int r)
    {
        if (r >= static_cast<int>(rows.size()))
            rows.resize(size_t(r) + 1);
    }
    // The real index of display row d (rows past the list are shown).
    int realOfDisplay(int d) const
    {
        int shown = 0;
        for (int r = 0;; ++r) {
            const bool hidden = r < static_cast<int>(rows.size()) && rows[size_t(r)].hidden;
            if (!hidden) {
                if (shown == d)
                    return r;
                ++shown;
            }
        }
    }
    int displayOfReal(int r) const
    {
        int hiddenBelow = 0;
        for (int i = 0; i < r && i < static_cast<int>(rows.size()); ++i)
            hiddenBelow += rows[size_t(i)].hidden ? 1 : 0;
        return r - hiddenBelow;
    }
    bool rowHidden(int r) const { return r >= 0 && r < static_cast<int>(rows.size()) && rows[size_t(r)].hidden; }
    QString cell(int c, int d) const
    {
        const int r = realOfDisplay(d);
        return r < static_cast<int>(rows.size()) ? rows[size_t(r)].cells[size_t(c)] : QString();
    }
    QString allCell(int c, int r) const
    {
        return r < static_cast<int>(rows.size()) ? rows[size_t(r)].cells[size_t(c)] : QString();
    }
    int realCol(int d) const
    {
        if (d >= 512 || numHiddenCols() == 0)
            return d;
        int shown = 0;
        for (int j = 0; j < 512; ++j) {
            if (colHidden[size_t(j)])
                continue;
            if (shown == d)
                return j;
            ++shown;
        }
        return 0;
    }
    int displCol(int k) const
    {
        if (k >= 512 || numHiddenCols() == 0)
            return k;
        int hidden = 0;
        for (int j = 0; j < k; ++j)
            hidden += colHidden[size_t(j)] ? 1 : 0;
        return k - hidden;
    }
    // The real rows of display rows 0 .. n-1.
    std::vector<int> shownReals(int n) const
    {
        std::vector<int> out;
        for (int d = 0; d < n; ++d)
            out.push_back(realOfDisplay(d));
        return out;
    }
    // Moves the contents of display rows [from, from+count) to start at to.
    void moveDisplayBlock(int from, int count, int to)
    {
        const int n = std::max(from, to) + count;
        const std::vector<int> reals = shownReals(n);
        ensureReal(reals.back());
        std::vector<std::vector<QString>> contents;
        for (int r : reals)
            contents.push_back(rows[size_t(r)].cells);
        std::vector<std::vector<QString>> block(contents.begin() + from, contents.begin() + from + count);
        contents.erase(contents.begin() + from, contents.begin() + from + count);
        contents.insert(contents.begin() + to, block.begin(), block.end());
        for (size_t i = 0; i < reals.size(); ++i)
            rows[size_t(reals[i])].cells = contents[i];
    }
};

class ModelCheck
{
public:
    explicit ModelCheck(unsigned seed) : rng_(seed) { grid_.SetColCount(ref_.colCount); }

    int rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    std::string Step()
    {
        const int op = rand(0, 11);
        switch (op) {
        case 0:
        case 1: {
            const int c = rand(0, kCols - 1), d = rand(0, ref_.rowCount + 2);
            const QString text = QStringLiteral("t%1").arg(counter_++);
            grid_.SetCells(c, d, text);
            const int r = ref_.realOfDisplay(d);
            ref_.ensureReal(r);
            ref_.rows[size_t(r)].cells[size_t(c)] = text;
            return "Cells write";
        }
        case 2: {
            const int c = rand(0, kCols - 1), r = rand(0, ref_.rowCount + ref_.numHiddenRows() + 2);
            const QString text = QStringLiteral("a%1").arg(counter_++);
            grid_.SetAllCells(c, r, text);
            const int real = ref_.rowHidden(r) ? r : ref_.realOfDisplay(ref_.displayOfReal(r));
            ref_.ensureReal(real);
            ref_.rows[size_t(real)].cells[size_t(c)] = text;
            return "AllCells write";
        }
        case 3: {
            const int n = rand(1, 24);
            grid_.SetRowCount(n);
            ref_.rowCount = n;
            return "RowCount";
        }
        case 4: {
            const int n = rand(1, 9);
            grid_.SetColCount(n);
            ref_.colCount = n;
            return "ColCount";
        }
        case 5: {
            const int from = rand(0, kCols - 1), to = from + rand(0, 2);
            grid_.HideColumns(from, to);
            for (int k = from; k <= to; ++k)
                if (!ref_.colHidden[size_t(k)] && k < ref_.colCount + ref_.numHiddenCols() && ref_.colCount > 1) {
                    ref_.colHidden[size_t(k)] = true;
                    --ref_.colCount;
                }
            return "HideColumns";
        }
        case 6: {
            const int from = rand(0, kCols - 1), to = from + rand(0, 3);
            grid_.UnHideColumns(from, to);
            for (int k = from; k <= to; ++k)
                if (ref_.colHidden[size_t(k)]) {
                    ref_.colHidden[size_t(k)] = false;
                    ++ref_.colCount;
                }
            return "UnHideColumns";
        }
        case 7: {
            const int total = ref_.rowCount + ref_.numHiddenRows();
            const int from = rand(0, total), to = from + rand(0, 3);
            grid_.HideRows(from, to);
            std::vector<int> hide;
            for (int r = from; r <= std::min(to, total - 1); ++r)
                if (!ref_.rowHidden(r) && ref_.displayOfReal(r) < ref_.rowCount)
                    hide.push_back(r);
            if (!hide.empty() && static_cast<int>(hide.size()) < ref_.rowCount) {
                for (int r : hide) {
                    ref_.ensureReal(r);
                    ref_.rows[size_t(r)].hidden = true;
                }
                ref_.rowCount -= static_cast<int>(hide.size());
            }
            return "HideRows";
        }
        case 8: {
            const int total = ref_.rowCount + ref_.numHiddenRows();
            const int from = rand(0, total), to = from + rand(0, 4);
            grid_.UnHideRows(from, to);
            for (int r = from; r <= to; ++r)
                if (ref_.rowHidden(r)) {
                    ref_.rows[size_t(r)].hidden = false;
                    ++ref_.rowCount;
                }
            return "UnHideRows";
        }
        case 9: {
            const int from = rand(0, ref_.colCount - 1), to = rand(0, ref_.colCount - 1);
            grid_.MoveColumn(from, to);
            if (from != to) {
                const int rf = ref_.realCol(from), rt = ref_.realCol(to);
                const auto rot = [&](auto& v) {
                    if (rf < rt)
                        std::rotate(v.begin() + rf, v.begin() + rf + 1, v.begin() + rt + 1);
                    else if (rt < rf)
                        std::rotate(v.begin() + rt, v.begin() + rf, v.begin() + rf + 1);
                };
                for (auto& row : ref_.rows)
                    rot(row.cells);
                std::vector<bool> flags(ref_.colHidden.begin(), ref_.colHidden.begin() + 32);
                rot(flags);
                std::copy(flags.begin(), flags.end(), ref_.colHidden.begin());
            }
            return "MoveColumn";
        }
        case 10: {
            const int from = rand(0, ref_.rowCount - 1), to = rand(0, ref_.rowCount - 1);
            grid_.MoveRow(from, to);
            if (from != to)
                ref_.moveDisplayBlock(from, 1, to);
            return "MoveRow";
        }
        default: {
            const int from = rand(0, ref_.rowCount - 1), count = rand(1, 3), to = rand(0, ref_.rowCount);
            grid_.MoveRows(from, to, count);
            const int n = std::min(count, ref_.rowCount - from);
            int t = to;
            if (from + n < t)
                t -= n;
            t = std::clamp(t, 0, ref_.rowCount - n);
            if (from != to && t != from)
                ref_.moveDisplayBlock(from, n, t);
            return "MoveRows";
        }
        }
    }

    // The first difference, or empty.
    std::string Compare() const
    {
        const auto diff = [](const char* what, int a, int b, long x, long y) {
            return std::string(what) + "(" + std::to_string(a) + "," + std::to_string(b) + "): grid " +
                   std::to_string(x) + " model " + std::to_string(y);
        };
        if (grid_.RowCount() != ref_.rowCount)
            return diff("RowCount", 0, 0, grid_.RowCount(), ref_.rowCount);
        if (grid_.ColCount() != ref_.colCount)
            return diff("ColCount", 0, 0, grid_.ColCount(), ref_.colCount);
        if (grid_.NumHiddenColumns() != ref_.numHiddenCols())
            return diff("NumHiddenColumns", 0, 0, grid_.NumHiddenColumns(), ref_.numHiddenCols());
        if (grid_.NumHiddenRows() != ref_.numHiddenRows())
            return diff("NumHiddenRows", 0, 0, grid_.NumHiddenRows(), ref_.numHiddenRows());
        const int rows = ref_.rowCount + ref_.numHiddenRows() + 3;
        for (int c = 0; c < kCols; ++c) {
            for (int r = 0; r < rows; ++r) {
                if (grid_.Cells(c, r) != ref_.cell(c, r))
                    return "Cells(" + std::to_string(c) + "," + std::to_string(r) + "): grid '" +
                           grid_.Cells(c, r).toStdString() + "' model '" + ref_.cell(c, r).toStdString() + "'";
                if (grid_.AllCells(c, r) != ref_.allCell(c, r))
                    return "AllCells(" + std::to_string(c) + "," + std::to_string(r) + "): grid '" +
                           grid_.AllCells(c, r).toStdString() + "' model '" + ref_.allCell(c, r).toStdString() +
                           "'";
            }
        }
        for (int i = 0; i < kCols + 2; ++i) {
            if (grid_.RealColIndex(i) != ref_.realCol(i))
                return diff("RealColIndex", i, 0, grid_.RealColIndex(i), ref_.realCol(i));
            if (grid_.DisplColIndex(i) != ref_.displCol(i))
                return diff("DisplColIndex", i, 0, grid_.DisplColIndex(i), ref_.displCol(i));
            if (grid_.IsHiddenColumn(i) != bool(ref_.colHidden[size_t(i)]))
                return diff("IsHiddenColumn", i, 0, grid_.IsHiddenColumn(i), ref_.colHidden[size_t(i)]);
        }
        for (int r = 0; r < rows; ++r) {
            if (grid_.RealRowIndex(r) != ref_.realOfDisplay(r))
                return diff("RealRowIndex", r, 0, grid_.RealRowIndex(r), ref_.realOfDisplay(r));
            if (grid_.DisplRowIndex(r) != ref_.displayOfReal(r))
                return diff("DisplRowIndex", r, 0, grid_.DisplRowIndex(r), ref_.displayOfReal(r));
            if (grid_.IsHiddenRow(r) != ref_.rowHidden(r))
                return diff("IsHiddenRow", r, 0, grid_.IsHiddenRow(r), ref_.rowHidden(r));
        }
        return {};
    }

private:
    std::mt19937 rng_;
    TExStringGrid grid_;
    Reference ref_;
    int counter_ = 0;
};

} // namespace

TEST(GridModelCheck, RandomSequencesAgreeWithPlainModel)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        ModelCheck check(seed);
        for (int step = 0; step < 200; ++step) {
            const std::string op = check.Step();
            const std::string difference = check.Compare();
            ASSERT_EQ(difference, "") << "seed " << seed << " step " << step << " after " << op;
        }
    }
}
