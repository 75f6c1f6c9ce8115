#pragma once

// The thin scroll thumb of one direction as plain numbers: columns, widths and
// LeftCol across, rows, heights and TopRow down.
namespace grid {

struct ThumbAxis
{
    int ControlLength = 0; // the control's width (height)
    int FixedSize = 0;     // the fixed columns' widths (rows' heights)
    int FooterSize = 0;    // the last FixedFooters columns' widths (rows' heights)
    int First = 0;         // LeftCol (TopRow)
    int FixedCount = 0;    // FixedCols (FixedRows)
    int Count = 0;         // ColCount (RowCount)
    int VisibleCount = 0;  // VisibleColCount (VisibleRowCount)
};

struct ThumbGeometry
{
    int Start = 0;
    int Length = 0;
    // Drawn only while not every scrollable column (row) fits.
    bool Shown = false;
};

constexpr int kMinThumbLength = 20;

// num / den rounded to the nearest integer, halves to the even one (den > 0).
long long RoundHalfEven(long long num, long long den);

ThumbGeometry MetroThumb(const ThumbAxis& axis);

// A press at p outside the thumb pages: the new first column (row); -1 on the
// thumb itself, its edges included (a drag starts there).
int MetroPageTarget(const ThumbAxis& axis, int p);

// A thumb dragged from downPos (first column or row downFirst then) to p;
// firstSize is the width (height) of column (row) 0.
int MetroDragTarget(const ThumbAxis& axis, int p, int downPos, int downFirst, int firstSize);

} // namespace grid
