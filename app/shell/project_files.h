#pragma once
#include <QString>
#include <QStringList>

// Sets the project file paths the device type uses from ProjectPath; every
// other path is emptied. With no project open every path is empty, so
// nothing can read or write a project file by accident.
void SetProjectFiles();

// The project folders under ProjectsDir, sorted case-insensitively.
QStringList ExistingProjectNames();

// Whether name may become a project folder: 0 when it may, else the number
// of the language text to show: 45 for an empty name, 43 for a name that is
// no portable folder name (separators, "." or "..", control characters,
// characters or device names the desktop's file systems refuse, leading or
// trailing blanks or dots), 44 for a name in use (compared case-insensitively
// with existing).
int CheckProjectName(const QString& name, const QStringList& existing);
