#pragma once
#include <QString>

namespace platform {
class IniFile;
}

// The office suite's colour theme as the current user chose it, read from the
// user registry file (platform/text/user_registry.h).
namespace grid {

enum TOfficeTheme {
    ot2003Blue,
    ot2003Silver,
    ot2003Olive,
    ot2003Classic,
    ot2007Blue,
    ot2007Silver,
    ot2007Black,
    ot2010Blue,
    ot2010Silver,
    ot2010Black,
    otUnknown
};

// The key paths; each holds the integer value "Theme".
inline const QString kOffice14CommonKey = QStringLiteral("Software\\Office\\14.0\\Common");
inline const QString kOffice12CommonKey = QStringLiteral("Software\\Office\\12.0\\Common");

// Whether the key, or a key below it, is present.
bool RegistryKeyExists(const platform::IniFile& registry, const QString& key);

// 2 when version 14's "Common\General" key is present, else 1 for version 12's,
// else 0.
int GetInstalledOfficeVersion(const platform::IniFile& registry);

// The visual style's colour kind: always 0 (no visual styles here).
int GetXPThemeKind();

// Version 14's theme number, else version 12's, else the visual style's.
TOfficeTheme GetOfficeTheme(const platform::IniFile& registry);
// The same, read from the user registry file.
TOfficeTheme GetOfficeTheme();

}  // namespace grid
