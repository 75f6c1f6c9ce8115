#pragma once
#include "controls/dropdown/dropdown_types.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

// The rules the two table pickers share (the multi-column drop-down and the
// grid drop-down): columns and items as plain values, the lookup over one
// column, column scaling, the popup height snap, index steps, style colours.
namespace dropdown {

enum TColumnType { ctText, ctImage };

struct TDropDownColumn
{
    QString Header;
    int Width = 80;
    bool AutoSize = false;
    TColor Color = 0xFFFFFF;
    grid::TFont Font;
    grid::TAlignment Alignment = grid::taLeftJustify;
    bool Wordwrap = false;
    bool Ellipsis = false;
    TColumnType ColumnType = ctText;
};

// One row: an image and one text per column.
struct TDropDownItem
{
    int ImageIndex = -1;
    QStringList Text;
    // Copies the texts as well as the image index.
    void Assign(const TDropDownItem& source) { *this = source; }
};

using TDropDownItems = std::vector<TDropDownItem>;
using TDropDownColumns = std::vector<TDropDownColumn>;

// An item's text for a column; empty when the item has no such line.
QString ItemLine(const TDropDownItem& item, int column);
// The first item whose line equals value exactly, or -1.
int IndexInColumn(const TDropDownItems& items, int column, const QString& value);
// The column's text of every item, in item order (empty for missing lines).
QStringList LookupList(const TDropDownItems& items, int column);
// The first item whose line starts with prefix (an empty prefix matches
// nothing), case-insensitive unless caseSensitive; -1 for none.
int FindPrefix(const QStringList& lookup, const QString& prefix, bool caseSensitive);
// The first entry equal to text, ignoring case; -1 for none.
int IndexOfText(const QStringList& lookup, const QString& text);

// Widths scaled to avail pixels: factor avail / (1 + sum); each column
// takes its rounded share and the carried rounding error, once above 1,
// gives the next column one pixel more.
std::vector<int> ScaleColumnWidths(const std::vector<int>& widths, int avail);

// A requested popup height snapped to whole rows: bars = visible header and
// footer heights, extra = the pixels under the rows (2 for the multi-column
// drop-down, 6 for the grid drop-down). A row height below 1 counts as 1.
int SnapPopupHeight(int height, int bars, int headerHeight, int rowHeight, int extra);

// Index steps of the closed list (-1 for "nothing": no items).
enum TListStep { lsFirst, lsLast, lsNext, lsPrevious, lsNextPage, lsPreviousPage };
int StepIndex(int index, int count, TListStep step);

// A table picker's popup colours for a component style.
struct ColumnStyleColors
{
    TSkinStyle Style;
    TColor HeaderColor, HeaderColorTo, HeaderFont;  // kKeep leaves the value
    TSelectionColorStyle Selection;
    TColor SelectionTextColor, LineColor, FixedLineColor;
    TColor SelectionColor, SelectionColorTo;  // kKeep leaves the style's
};
// The multi-column drop-down's styles and the grid drop-down's; a style
// without a row (tsCustom, and the 2010 styles for the grid) changes nothing.
extern const std::array<ColumnStyleColors, 15> kMultiColumnStyles;
extern const std::array<ColumnStyleColors, 12> kGridDropDownStyles;
const ColumnStyleColors* MultiColumnStyleOf(TSkinStyle style);
const ColumnStyleColors* GridDropDownStyleOf(TSkinStyle style);

// Line colours a selection colour style sets (style 1, or 2 and 3).
struct SelectionLines
{
    TColor LineColor, FixedLineColor;
};
// false for scCustom (nothing changes).
bool SelectionLinesOf(TSelectionColorStyle style, SelectionLines& lines);

// Auto width of a column: 6 + the widest single-line text (0 for empty
// ones), plus image width + 4 for an image column's items with an image.
using TextWidth = std::function<int(const QString&)>;
int AutoColumnWidth(const TDropDownItems& items, int column, bool imageColumn, int imageWidth,
                    const TextWidth& width);
// A data row's height with word-wrapping columns: at least 24; each wrapping
// column gives image height + 6 for an image, and 6 + the wrapped text's
// height. wrapped(column, text) measures in the column's width.
int WrappedRowHeight(const TDropDownItem& item, const TDropDownColumns& columns, bool hasImages, int imageHeight,
                     const std::function<int(int column, const QString&)>& wrapped);

}  // namespace dropdown
