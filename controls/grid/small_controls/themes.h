#pragma once

// Whether the grid's controls draw themed glyphs (QStyle) or flat ones of
// their own: one switch for the process, on by default.
namespace grid {

bool IsThemedXP();
void SetThemesActive(bool active);

}  // namespace grid
