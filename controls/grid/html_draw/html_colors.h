#pragma once
#include "controls/grid/html/mini_html_markup.h"

#include <QColor>

// Colour values of the grid (0x00BBGGRR, system colours 0xFF0000nn) as QColor.
namespace grid::html {

// An invalid QColor for clNone; system colours from the application palette.
QColor ToQColor(TColor color);

}  // namespace grid::html
