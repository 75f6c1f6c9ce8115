#pragma once

// Whether the grid's controls draw themed glyphs (QStyle) or flat ones of
// their own: the theme binding's one switch (ThemeApi), on by default.
namespace grid {

bool IsThemedXP();
void SetThemesActive(bool active);

}  // namespace grid
