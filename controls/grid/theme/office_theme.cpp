#include "controls/grid/theme/office_theme.h"

#include "platform/text/ini_file.h"
#include "platform/text/user_registry.h"

namespace grid {

namespace {

// -1 when the key or its value is missing.
int ThemeNumber(const platform::IniFile& registry, const QString& key)
{
    return registry.ReadInteger(key, QStringLiteral("Theme"), -1);
}

}  // namespace

bool RegistryKeyExists(const platform::IniFile& registry, const QString& key)
{
    const QString below = key + QLatin1Char('\\');
    for (const QString& section : registry.Sections()) {
        if (section.compare(key, Qt::CaseInsensitive) == 0 || section.startsWith(below, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

int GetInstalledOfficeVersion(const platform::IniFile& registry)
{
    if (RegistryKeyExists(registry, kOffice14CommonKey + QStringLiteral("\\General")))
        return 2;
    if (RegistryKeyExists(registry, kOffice12CommonKey + QStringLiteral("\\General")))
        return 1;
    return 0;
}

int GetXPThemeKind()
{
    return 0;
}

TOfficeTheme GetOfficeTheme(const platform::IniFile& registry)
{
    struct Step
    {
        const QString& key;
        TOfficeTheme blue, silver, black;
    };
    const Step steps[] = {{kOffice14CommonKey, ot2010Blue, ot2010Silver, ot2010Black},
                          {kOffice12CommonKey, ot2007Blue, ot2007Silver, ot2007Black}};
    for (const Step& step : steps) {
        switch (ThemeNumber(registry, step.key)) {
        case -1:
            continue;
        case 1:
            return step.blue;
        case 2:
            return step.silver;
        case 3:
            return step.black;
        default:
            return ot2003Blue;
        }
    }
    switch (GetXPThemeKind()) {
    case 1:
        return ot2003Blue;
    case 2:
        return ot2003Olive;
    case 3:
        return ot2003Silver;
    default:
        return ot2003Classic;
    }
}

TOfficeTheme GetOfficeTheme()
{
    return GetOfficeTheme(platform::IniFile(platform::UserRegistryFileName()));
}

}  // namespace grid
