#include "controls/grid/small_controls/themes.h"

namespace grid {

namespace {
bool gThemes = true;
}

bool IsThemedXP()
{
    return gThemes;
}

void SetThemesActive(bool active)
{
    gThemes = active;
}

}  // namespace grid
