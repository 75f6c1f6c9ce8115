#pragma once
#include "controls/grid/core/grid_types.h"

#include <QSize>
#include <QString>

namespace grid {

// How the grid measures text. The painted widget gives one on its font
// metrics; without one the grid measures with FixedTextMeasurer.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    // Width of one line, tabs expanded.
    virtual int TextWidth(const TFont& font, const QString& line) const = 0;
    // Height of one line (the height of "gh").
    virtual int TextHeight(const TFont& font) const = 0;
    // The size text takes when broken into lines at line breaks and, with
    // wordBreak, at blanks to fit width.
    virtual QSize TextRect(const TFont& font, const QString& text, int width, bool wordBreak) const;
};

// Every character the same width, every line the same height; bold text one
// pixel wider per character.
class FixedTextMeasurer : public TextMeasurer
{
public:
    explicit FixedTextMeasurer(int charWidth = 7, int lineHeight = 13)
        : charWidth_(charWidth), lineHeight_(lineHeight)
    {
    }
    int TextWidth(const TFont& font, const QString& line) const override;
    int TextHeight(const TFont& font) const override { return lineHeight_; }

private:
    int charWidth_;
    int lineHeight_;
};

// The size mini-HTML text takes when laid out as drawn, lines broken to fit
// width.
QSize MeasureHtmlText(const TextMeasurer& m, const TFont& font, const QString& text, int width);

} // namespace grid
