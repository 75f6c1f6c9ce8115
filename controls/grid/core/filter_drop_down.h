#pragma once
#include "controls/grid/core/grid_types.h"

#include <QImage>
#include <QRect>
#include <QStringList>

#include <functional>

namespace grid {

// The look of a column's filter list: its size, colour and font, and the
// pictures of the filter button (plain and with the column's filter in force).
class TFilterDropDown
{
public:
    bool AutoSize = false;    // as wide as the widest entry instead of Width
    int Height = 150;
    int Width = 150;
    TColor Color = clWindow;
    TFont Font;
    bool ColumnWidth = false; // as wide as the column, from its left edge

    const QImage& Glyph() const { return glyph_; }
    const QImage& GlyphActive() const { return glyphActive_; }
    void SetGlyph(const QImage& image);
    void SetGlyphActive(const QImage& image);
    // Fired when either picture changes (the grid repaints).
    std::function<void()> OnChange;

    // Everything but AutoSize.
    void Assign(const TFilterDropDown& source);

private:
    QImage glyph_;
    QImage glyphActive_;
};

// The texts a filter list shows: the name of each entry ("name=condition"
// shows name; a plain condition shows itself).
QStringList FilterEntryNames(const QStringList& entries);

// Where a filter list opens, in the grid's client coordinates: under the
// cell of the glyph, right-aligned with it, or spanning the column with
// ColumnWidth; with AutoSize as wide as the widest entry plus 8 pixels and
// two item heights, and as high as its entries (at most Height).
struct FilterListMetrics
{
    int widestEntry = 0; // pixels
    int itemHeight = 16;
    int entryCount = 0;
};
QRect FilterListRect(const TFilterDropDown& look, const QRect& cell, const FilterListMetrics& metrics);

} // namespace grid
