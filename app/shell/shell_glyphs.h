#pragma once
#include <QPixmap>

// The pictures of the main window's glyph-only buttons, 32 x 32 on a
// transparent ground.
QPixmap InfoGlyph();
QPixmap OptionsGlyph();
QPixmap CloseGlyph();
