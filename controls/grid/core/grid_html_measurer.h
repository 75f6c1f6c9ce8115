#pragma once
#include "controls/grid/core/text_measurer.h"
#include "controls/grid/html/mini_html_layout.h"

namespace grid {

// Mini-HTML runs measured with the grid's text measurer.
class GridHtmlMeasurer final : public html::HtmlMeasurer
{
public:
    explicit GridHtmlMeasurer(const TextMeasurer& m) : m_(m) {}
    QSize TextExtent(const html::HtmlFont& f, QStringView text) override;
    // The grid font of a mini-HTML run.
    static TFont ToGridFont(const html::HtmlFont& f);

private:
    const TextMeasurer& m_;
};

} // namespace grid
