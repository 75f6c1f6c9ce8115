#pragma once
#include "controls/grid/core/ex_string_grid.h"

namespace grid {

// One key as the widget hands it over: the key code (a TKey value, or the
// upper-case letter or digit code), the modifiers held, and the character
// the key types as a character message carries it (null for none; Enter
// types '\r', Tab '\t', Esc 0x1B, Backspace 0x08, Ctrl+C 0x03; Delete and
// the other editing and function keys type nothing).
struct GridKey
{
    int code = 0;
    TShiftState shift;
    QChar text;
};

// The keyboard front end of the grid, headless. Each call answers whether
// the grid consumed the key; a consumed key is accepted by the widget (also
// when a dialog asks first), so no default or cancel button acts on it too.
// Editors are opened and closed through the grid's ShowInplaceEdit and
// HideInplaceEdit hooks; EditorMode tells whether one is open (it then has
// the keyboard focus).

// The key-down rules followed by the character rule on key.text when the
// key-down rules left the key to it.
bool GridKeyInput(TExStringGrid& grid, const GridKey& key);
// Whether the grid may consume the key, asked before it arrives (the widget
// then takes it from the window's shortcuts); keys it answers false for are
// never consumed by the grid's own rules.
bool GridClaimsKey(TExStringGrid& grid, const GridKey& key);
// The grid's own key-down step, also the replay entry of an editor that ends
// on Tab, Enter or an arrow: OnKeyDown, merged-cell steps, the one-step
// navigation, wrap-around and disabled rows. The key may come back changed.
void GridKeyDownStep(TExStringGrid& grid, int& key, TShiftState shift);
// The character rule (a typed character opens the editor with it).
bool GridChar(TExStringGrid& grid, const GridKey& key);
// The key-press step: Esc, Enter, then OnKeyPress.
bool GridKeyPress(TExStringGrid& grid, QChar& key);
// Moves to the next (previous) cell that takes the cursor; false when the
// focus is to pass on to the next control of the window.
bool TabAdvance(TExStringGrid& grid, bool backward);
// Whether a display cell may take the cursor on a Tab advance.
bool CanAdvanceToCell(TExStringGrid& grid, int col, int row);
// The first / last column of the row that takes the cursor; -1 for none.
int FirstAdvanceCol(TExStringGrid& grid, int row);
int LastAdvanceCol(TExStringGrid& grid, int row);
// Appends a data row (Down on the last data row), when OnCanAddRow agrees.
void AppendNewRow(TExStringGrid& grid);

} // namespace grid
