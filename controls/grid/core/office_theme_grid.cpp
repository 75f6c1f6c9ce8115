// The grid's side of the office theme: the theme's component style, and its
// registration with the theme notifier while AutoThemeAdapt is on.
#include "controls/grid/core/ex_string_grid.h"

#include <iterator>

namespace grid {

TSkinStyle OfficeThemeStyle(TOfficeTheme theme)
{
    static constexpr TSkinStyle kStyles[] = {
        tsOffice2003Blue,   tsOffice2003Silver, tsOffice2003Olive,    tsOffice2003Classic, tsOffice2007Luna,
        tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue,   tsOffice2010Silver,  tsOffice2010Black,
    };
    static_assert(std::size(kStyles) == otUnknown);
    return theme >= 0 && theme < otUnknown ? kStyles[theme] : tsOffice2003Classic;
}

void TExStringGrid::ApplyOfficeTheme()
{
    const TOfficeTheme theme = GetOfficeTheme();
    if (theme == officeTheme_)
        return;
    SetComponentStyle(OfficeThemeStyle(theme));
    officeTheme_ = theme;
}

void TExStringGrid::SetAutoThemeAdapt(bool value)
{
    if (autoThemeAdapt_ == value)
        return;
    autoThemeAdapt_ = value;
    SearchFooter.SetAutoThemeAdapt(value);
    if (value) {
        ApplyOfficeTheme();
        Invalidate();
    }
    if (!loaded_)
        return;
    if (value)
        GetThemeNotifier()->RegisterWindow(this);
    else if (TThemeNotifier* notifier = ThemeNotifierIfAny())
        notifier->UnRegisterWindow(this);
}

void TExStringGrid::OfficeThemeChanged()
{
    if (!autoThemeAdapt_)
        return;
    ApplyOfficeTheme();
    Invalidate();
}

} // namespace grid
