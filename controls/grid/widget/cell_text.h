#pragma once
#include "controls/grid/core/grid_types.h"

#include <QRect>
#include <QString>

class QPainter;
class QFontMetrics;

namespace grid {

// How a cell text is laid out: one line or broken at blanks, an ellipsis at
// the end of what does not fit, tabs expanded, no mnemonic prefixes.
struct CellTextFlags
{
    TAlignment HAlign = taLeftJustify;
    TVAlignment VAlign = vtaTop;
    bool SingleLine = true;
    bool WordBreak = false;
    bool EndEllipsis = false;
};

// The text as laid out in rect with the painter's font; drawn with its pen.
void DrawCellText(QPainter& painter, const QRect& rect, const QString& text, const CellTextFlags& flags);
// The size the text takes in rect (width used for word breaking).
QSize MeasureCellText(const QFontMetrics& metrics, const QRect& rect, const QString& text,
                      const CellTextFlags& flags);

// Lines a text shows: CR-separated count, or 1 when not multiline.
int CountTextLines(const QString& text, bool multiline);
// The text before the first line break.
QString FirstTextLine(const QString& text);

} // namespace grid
