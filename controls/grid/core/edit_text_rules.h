#pragma once
#include "controls/grid/core/cell_properties.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <bitset>

namespace grid {

// What becomes of a character typed into a text editor.
enum class TypedVerdict { Pass, Drop, Beep };

// The rules of the text editor kinds for typed characters and pastes, apart
// from any widget. limit is the editor's length limit (0 or less: none).

// The grid's settings the rules read.
struct TextRuleSettings
{
    // edValidChars: the characters taken; when empty, those of validCharSet.
    QString validChars;
    std::bitset<256> validCharSet;
};

// A character typed into current (selected characters from caret replaced);
// typed may come back changed (case rules). A full text takes nothing.
TypedVerdict TypedCharacter(TEditorType type, int limit, const QString& current, int caret, int selected,
                            QChar& typed, const TextRuleSettings& settings = {});
// The whole text once a character went in (edMixedCase capitalises every
// word; other kinds keep it).
QString TextAfterTyping(TEditorType type, const QString& text);
// The character a key types: the keypad's "." is the locale's decimal
// separator when excelStyle is on; the main keyboard's stays.
QChar KeypadCharacter(QChar typed, bool keypad, bool excelStyle);
// A paste over the selection: false when refused whole (longer than the
// limit, before or after it replaces the selection, or not a value the kind
// takes). On success current is the new text and the selection covers the
// pasted text (or the caret follows it when nothing was selected).
bool PasteIntoText(TEditorType type, int limit, QString& current, int& selStart, int& selLength, QString value,
                   const TextRuleSettings& settings = {});

// Type-ahead: the text up to the caret completed from the first of items
// that starts with it (case-insensitive unless caseSensitive), at most 255
// characters taken from the item. False when nothing matches (an empty
// prefix matches nothing); index is the item's.
bool LookupCompletion(const QString& text, int caret, const QStringList& items, bool caseSensitive,
                      QString& completed, int& index);

// The width of a combo's list: at least the control's, and wide enough for
// the widest item plus room for a scroll bar when more items than shown.
int ComboDropWidth(int width, const QList<int>& itemWidths, int dropDownCount);

} // namespace grid

namespace grid {

// A unit value split into number text and unit: the first of units (in list
// order) that ends value and occurs nowhere earlier in it wins. Without a
// winner the text is the whole value and the unit is empty, so no part of
// the value is lost.
void SplitUnitValue(const QString& value, const QStringList& units, QString& text, QString& unit);

} // namespace grid
