#pragma once
#include <QString>

// Asks for the PROFIBUS GSD file's name, then writes it.
// Placeholder: does nothing yet.
void Save_GSD();
