#pragma once
#include <QString>

// Writes the CANopen EDS file fileName from the project.
// Placeholder: does nothing yet.
void Write_EDS(const QString& fileName);
