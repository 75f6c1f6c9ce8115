#pragma once
#include "controls/grid/core/text_measurer.h"

namespace grid {

// Measures cell texts with the fonts' real metrics.
class FontTextMeasurer : public TextMeasurer
{
public:
    int TextWidth(const TFont& font, const QString& line) const override;
    int TextHeight(const TFont& font) const override;
    QSize TextRect(const TFont& font, const QString& text, int width, bool wordBreak) const override;
};

} // namespace grid
