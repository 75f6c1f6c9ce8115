#pragma once
#include <QString>

class XmlDocument;

// Orvano.xml in the program folder: the last project, the last device
// address, the language and the four option flags.
QString SettingsFilePath();

// Reads the settings into the globals. A missing file or value gives its
// default. A file that cannot be parsed gives every default too, and the
// parser's message in error (false is returned), so start-up can go on.
bool Read_Settings(XmlDocument& xml, QString* error = nullptr);

// Rebuilds the whole file from the globals and saves it atomically. False
// with the reason in error when it cannot be written.
bool Save_Setting(XmlDocument& xml, QString* error = nullptr);
