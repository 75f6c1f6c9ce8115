#pragma once
#include <QString>

// Asks where to save the PROFINET GSDML file proposed as name, then writes it.
// Placeholder: does nothing yet.
void Save_GSDML(const QString& name);
