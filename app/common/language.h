#pragma once
#include "lang_builtin.h"

#include <QString>
#include <QStringList>

// The program's texts by number, 0..LangTableSize-1: the built-in English
// texts, overlaid by the chosen language file.
extern QStringList LangTable;

// Text n of the table (empty when n is out of range or the table is empty).
QString Lang(int n);

// Clears the table and fills it with the built-in English texts.
void Load_Default_Language();

// Overlays the texts of a .lng file. False (table unchanged) when the file
// cannot be read; error then holds the reason.
bool Read_Language_File(const QString& fileName, QString* error = nullptr);

// The built-in texts, then LanguageDir/<LanguageName>.lng, falling back to
// English.lng (LanguageName becomes "English"). False with a message when an
// existing file could not be read; the table then holds English.
bool Load_Language(QString* error = nullptr);

// Decodes a .lng file's bytes: UTF-8 or UTF-16 by byte-order mark, else
// Windows-1252.
QString DecodeLanguageText(const QByteArray& bytes);

// Applies one line of a language file to the table; returns whether it set a text.
bool ApplyLanguageLine(const QString& line);
