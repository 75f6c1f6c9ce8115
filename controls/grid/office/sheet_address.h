#pragma once
#include <QString>
#include <QStringView>

#include <optional>

// A1 addresses of worksheet cells and ranges.
namespace grid::office {

// Column letters of a 1-based column: A..Z, AA..ZZ, AAA.. (bijective base 26).
// Empty for a column below 1.
QString ColumnLetters(int column);
// The 1-based column of letters (either case); 0 when they are not letters
// or name a column past the int range.
int ColumnFromLetters(QStringView letters);

// Bounds of a used range, 1-based, edges included.
struct SheetBounds
{
    int FirstCol = 1;
    int FirstRow = 1;
    int LastCol = 1;
    int LastRow = 1;
    friend bool operator==(const SheetBounds&, const SheetBounds&) = default;
};

// The bounds of a used-range address ("$" ignored): two cells give both
// corners, whole rows ("3:5") columns 1..256, one cell both corners, an
// address without "$" and ":" cell A1. None when a row part is not a number.
std::optional<SheetBounds> ParseUsedRange(QStringView address);

// "B2:D5", or "B2" for one cell.
QString RangeAddress(const SheetBounds& bounds);

} // namespace grid::office
