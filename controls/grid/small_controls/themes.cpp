#include "controls/grid/small_controls/themes.h"
#include "controls/grid/theme_binding/theme_api.h"

namespace grid {

bool IsThemedXP()
{
    return ThemeApi().IsThemeActive();
}

void SetThemesActive(bool active)
{
    ThemeApi().SetThemeActive(active);
}

}  // namespace grid
