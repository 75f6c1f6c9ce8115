#pragma once
#include <QString>

// Edit masks in the grid's syntax ("!99/99/0000;1;_": the mask, whether the
// literals are stored, the blank character) for QLineEdit::setInputMask.
namespace grid {

struct QtEditMask
{
    QString InputMask;     // for QLineEdit::setInputMask ("" for none)
    bool KeepLiterals = true;
};

// Every text gives a usable mask: characters Qt would read as mask
// characters are escaped, an unfinished escape is dropped.
QtEditMask ToQtEditMask(const QString& mask);

// The value a masked edit stores from the text it shows (blanks in empty
// places): the places filled, and the literals when the mask keeps them.
QString MaskedValue(const QString& shown, const QString& mask);

}  // namespace grid
