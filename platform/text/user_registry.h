#pragma once
#include <QString>

namespace platform {

// The current user's registry stands in as one INI file (read with IniFile):
// a section per key path below the user's root, a key per value. It lives in
// the user's configuration folder; tests point it elsewhere.
QString UserRegistryFileName();
// An empty name goes back to the default place.
void SetUserRegistryFileName(const QString& fileName);

}  // namespace platform
