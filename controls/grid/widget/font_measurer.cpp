#include "controls/grid/widget/font_measurer.h"

#include "controls/grid/widget/cell_text.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>

namespace grid {

int FontTextMeasurer::TextWidth(const TFont& font, const QString& line) const
{
    const QFontMetrics fm(ToQFont(font));
    return fm.horizontalAdvance(line);
}

int FontTextMeasurer::TextHeight(const TFont& font) const
{
    const QFontMetrics fm(ToQFont(font));
    return fm.boundingRect(QStringLiteral("gh")).height();
}

QSize FontTextMeasurer::TextRect(const TFont& font, const QString& text, int width, bool wordBreak) const
{
    const QFontMetrics fm(ToQFont(font));
    CellTextFlags flags;
    flags.SingleLine = false;
    flags.WordBreak = wordBreak;
    return MeasureCellText(fm, QRect(0, 0, wordBreak ? width : 1 << 20, 1 << 20), text, flags);
}

} // namespace grid
