#pragma once
#include <functional>

// The short warning sound of refused input. Tests install a handler and
// count the beeps instead of hearing them.
namespace platform {

void Beep();
// Installs a handler (an empty one restores the desktop's sound); returns
// the previous one.
std::function<void()> SetBeepHandler(std::function<void()> handler);

} // namespace platform
