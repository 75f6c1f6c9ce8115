#pragma once
#include <QPoint>

#include <optional>

namespace grid {

class TExStringGrid;

// The four insertion arrows: arrUp points up, arrDown down; arrLeft stands
// left of the mark pointing right, arrRight right of it pointing left.
enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
constexpr int kArrowCount = 4;

// Where each arrow window shows (its top-left in client pixels); an unset
// arrow is hidden.
struct ArrowMarks
{
    std::optional<QPoint> At[kArrowCount];
    bool Any() const { return At[arrUp] || At[arrDown] || At[arrLeft] || At[arrRight]; }
    bool operator==(const ArrowMarks&) const = default;
};

// A column moved from display column `from` to land at `target`: the down
// arrow 8 pixels above the header and the up arrow below it, 5 pixels left
// of the target's left edge when moving left, of its right edge otherwise.
// Nothing when the target is fixed, out of range or scrolled away.
ArrowMarks ColumnMoveArrows(const TExStringGrid& grid, int from, int target);

// A row moved from `from` to land at `target` (never below the fixed
// footers, as the move itself): the right-pointing arrow 10 pixels left of
// the row and the left-pointing one at the right end of its shown cells,
// 5 pixels above the target's top when moving up, above its bottom
// otherwise. Nothing when the target is fixed or scrolled away.
ArrowMarks RowMoveArrows(const TExStringGrid& grid, int from, int target);

// The row a row move to `target` lands on: at most the last row above the
// fixed footers.
int RowMoveTarget(const TExStringGrid& grid, int target);

} // namespace grid
