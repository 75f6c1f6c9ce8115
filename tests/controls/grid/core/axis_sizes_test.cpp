#include "controls/grid/core/axis_sizes.h"
#include "controls/grid/core/ex_string_grid.h"

#include <gtest/gtest.h>

#include <random>

using namespace grid;

namespace {

// Offsets and the index at an offset against a plain summed vector.
void ExpectMatchesSums(const AxisSizes& axis, const std::vector<int>& sizes, std::mt19937& rng)
{
    ASSERT_EQ(axis.Count(), static_cast<int>(sizes.size()));
    std::vector<qint64> offsets(sizes.size() + 1, 0);
    for (size_t i = 0; i < sizes.size(); ++i)
        offsets[i + 1] = offsets[i] + sizes[i];
    ASSERT_EQ(axis.Total(), offsets.back());
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizes.size()));
    // A window of sizes in one walk, also running past the count.
    for (int probe = 0; probe < 20; ++probe) {
        const int from = pick(rng);
        const int n = pick(rng) / 2 + 3;
        const std::vector<int> window = axis.Sizes(from, n);
        ASSERT_EQ(window.size(), size_t(n));
        for (int k = 0; k < n; ++k) {
            const size_t i = size_t(from + k);
            ASSERT_EQ(window[size_t(k)], i < sizes.size() ? sizes[i] : axis.DefaultSize()) << from << "+" << k;
        }
    }
    for (int probe = 0; probe < 300; ++probe) {
        const int i = pick(rng);
        ASSERT_EQ(axis.Offset(i), offsets[size_t(i)]) << "offset of " << i;
        if (i < static_cast<int>(sizes.size())) {
            ASSERT_EQ(axis.Size(i), sizes[size_t(i)]);
        }
        if (offsets.back() == 0)
            continue;
        const qint64 y = std::uniform_int_distribution<qint64>(0, offsets.back() - 1)(rng);
        const int at = axis.IndexAt(y);
        ASSERT_GE(at, 0);
        ASSERT_LT(at, static_cast<int>(sizes.size()));
        ASSERT_LE(offsets[size_t(at)], y) << "row at " << y;
        ASSERT_LT(y, offsets[size_t(at) + 1]) << "row at " << y;
    }
}

} // namespace

TEST(AxisSizes, RandomHeightsInsertionsAndRemovalsMatchSummedReference)
{
    std::mt19937 rng(7);
    AxisSizes axis(22);
    std::vector<int> sizes;
    axis.SetCount(5000);
    sizes.assign(5000, 22);
    for (int round = 0; round < 2000; ++round) {
        const int n = static_cast<int>(sizes.size());
        switch (rng() % 5) {
        case 0:
        case 1: {
            const int i = static_cast<int>(rng() % std::max(1, n));
            const int h = static_cast<int>(rng() % 60); // zero heights included
            axis.SetSize(i, h);
            if (i < n)
                sizes[size_t(i)] = h;
            break;
        }
        case 2: {
            const int at = static_cast<int>(rng() % (n + 1)), k = 1 + static_cast<int>(rng() % 20);
            const int h = static_cast<int>(rng() % 40);
            axis.Insert(at, k, h);
            sizes.insert(sizes.begin() + at, size_t(k), h);
            break;
        }
        case 3: {
            if (n == 0)
                break;
            const int at = static_cast<int>(rng() % n), k = 1 + static_cast<int>(rng() % 20);
            axis.Remove(at, k);
            sizes.erase(sizes.begin() + at, sizes.begin() + std::min(n, at + k));
            break;
        }
        default: {
            if (n < 2)
                break;
            const int from = static_cast<int>(rng() % n), to = static_cast<int>(rng() % n);
            axis.Move(from, to);
            const int v = sizes[size_t(from)];
            sizes.erase(sizes.begin() + from);
            sizes.insert(sizes.begin() + to, v);
        }
        }
        if (round % 50 == 0)
            ExpectMatchesSums(axis, sizes, rng);
    }
    ExpectMatchesSums(axis, sizes, rng);
}

TEST(AxisSizes, DefaultSizeResetsEveryIndexAndEdgesAnswerNone)
{
    AxisSizes axis(10);
    axis.SetCount(4);
    axis.SetSize(1, 30);
    EXPECT_EQ(axis.Offset(4), 60);
    EXPECT_EQ(axis.IndexAt(-1), -1);
    EXPECT_EQ(axis.IndexAt(60), 4);
    EXPECT_EQ(axis.IndexAt(10), 1);
    EXPECT_EQ(axis.Size(9), 10);
    axis.SetSize(9, 99); // outside: ignored
    axis.SetDefaultSize(5);
    EXPECT_EQ(axis.Total(), 20);
}

TEST(GridGeometry, MillionRowsCostNoRowRecordAndRowAtYMatchesSums)
{
    const long before = RowRecord::LiveCount();
    TExStringGrid g;
    g.SetRowCount(1000000);
    EXPECT_EQ(RowRecord::LiveCount(), before);
    EXPECT_EQ(g.Store().Extent(), 0);
    std::mt19937 rng(3);
    std::vector<int> heights(1000000, g.DefaultRowHeight());
    for (int i = 0; i < 20000; ++i) {
        const int r = static_cast<int>(rng() % 1000000);
        const int h = static_cast<int>(rng() % 50);
        g.SetRowHeights(r, h);
        heights[size_t(r)] = h;
    }
    std::vector<qint64> sums(heights.size() + 1, 0);
    for (size_t i = 0; i < heights.size(); ++i)
        sums[i + 1] = sums[i] + heights[i];
    for (int probe = 0; probe < 2000; ++probe) {
        const int r = static_cast<int>(rng() % 1000000);
        ASSERT_EQ(g.RowOffset(r), sums[size_t(r)]);
        const qint64 y = static_cast<qint64>(rng() % static_cast<quint64>(sums.back()));
        const int at = g.RowAtOffset(y);
        ASSERT_LE(sums[size_t(at)], y);
        ASSERT_LT(y, sums[size_t(at) + 1]);
    }
    // Scrolling to the end and back walks nothing.
    g.SetTopRow(999990);
    EXPECT_EQ(g.TopRow(), 999990);
    g.SetRow(999999);
    EXPECT_EQ(g.Row(), 999999);
    g.SetRowCount(10);
    EXPECT_EQ(RowRecord::LiveCount(), before);
    EXPECT_EQ(g.Row(), 9);
}

TEST(AxisSizes, CuttingOneRunAtEveryOtherIndexStaysBalanced)
{
    // Pieces cut from one long run must not pile up into a chain (which
    // would make each step linear and a hundred thousand steps take minutes).
    AxisSizes axis(22);
    axis.SetCount(200000);
    for (int r = 199999; r >= 1; r -= 2)
        axis.Remove(r, 1);
    for (int r = 1; r < 200000; r += 2)
        axis.Insert(r, 1, 30);
    EXPECT_EQ(axis.Count(), 200000);
    EXPECT_EQ(axis.Total(), 100000LL * 22 + 100000LL * 30);
    EXPECT_EQ(axis.Offset(3), 22 + 30 + 22);
    EXPECT_EQ(axis.IndexAt(22 + 30 + 22), 3);
}
