#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252, the ANSI code page of the files the tool exchanges as plain
// text. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character of their own
// and stand for the control characters of the same value.

// Every byte is one character.
QString Cp1252ToString(const QByteArray& bytes);

// Every character is one byte; a character the code page lacks (a surrogate
// pair counts as one character) becomes "?".
QByteArray StringToCp1252(const QString& text);
