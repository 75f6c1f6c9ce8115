#include "controls/grid/core/filter_drop_down.h"

#include <algorithm>

namespace grid {

namespace {

constexpr int kAutoSizeMargin = 8; // px beside the widest entry
constexpr int kListFrame = 4;      // px of the list's frame, top and bottom together

} // namespace

void TFilterDropDown::SetGlyph(const QImage& image)
{
    glyph_ = image;
    if (OnChange)
        OnChange();
}

void TFilterDropDown::SetGlyphActive(const QImage& image)
{
    glyphActive_ = image;
    if (OnChange)
        OnChange();
}

void TFilterDropDown::Assign(const TFilterDropDown& source)
{
    if (&source == this)
        return;
    Color = source.Color;
    ColumnWidth = source.ColumnWidth;
    Font = source.Font;
    Height = source.Height;
    Width = source.Width;
    SetGlyph(source.glyph_);
    SetGlyphActive(source.glyphActive_);
}

QStringList FilterEntryNames(const QStringList& entries)
{
    QStringList names;
    names.reserve(entries.size());
    for (const QString& entry : entries) {
        const qsizetype eq = entry.indexOf(u'=');
        names.append(eq < 0 ? entry : entry.left(eq));
    }
    return names;
}

QRect FilterListRect(const TFilterDropDown& look, const QRect& cell, const FilterListMetrics& metrics)
{
    const int itemHeight = std::max(1, metrics.itemHeight);
    int width = std::max(1, look.Width);
    int height = std::max(1, look.Height);
    if (look.AutoSize) {
        width = metrics.widestEntry + kAutoSizeMargin + 2 * itemHeight;
        height = std::clamp(std::max(1, metrics.entryCount) * itemHeight + kListFrame, 1, height);
    }
    if (look.ColumnWidth)
        return QRect(cell.left(), cell.bottom() + 1, cell.width(), height);
    return QRect(cell.right() + 1 - width, cell.bottom() + 1, width, height);
}

} // namespace grid
