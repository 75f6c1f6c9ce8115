#pragma once
#include "controls/grid/core/key_input.h"

#include <QString>

class QKeyEvent;

namespace grid {

// Key codes of the numeric keypad and the modifier keys, as the grid's key
// codes number them (the keypad's digits and operators have codes of their
// own, apart from the main keyboard's).
enum TPadKey : int {
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_NUMPAD0 = 0x60,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70
};

// One Qt key (key(), modifiers() with the keypad flag, text()) as the grid's
// key: its code (0 for a key the grid has no code for), the Shift, Ctrl and
// Alt held, and the character it types as a character message would carry
// it. Enter, Tab, Esc and Backspace type their control characters and
// Ctrl+letter its control code even where the platform gives no text;
// Delete and the other editing, moving and function keys type nothing, nor
// does a key with Alt (without Ctrl) held.
GridKey ToGridKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
GridKey ToGridKey(const QKeyEvent& event);

} // namespace grid
