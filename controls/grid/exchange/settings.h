#pragma once
#include <QString>

// Grid settings kept outside the program: the column state string and the
// print settings (column widths and positions are TExStringGrid's
// SaveColSizes and its kin).
namespace grid {

class TExStringGrid;

// "N#widths#order#visibility".
QString ColumnStatesToString(TExStringGrid& grid);
// Checks the whole text first: a text without "#" or with a bad count,
// number or too short a field applies nothing (GridError for a bad one).
void StringToColumnStates(TExStringGrid& grid, const QString& value);

// The INI file of a registry key: a per-user file under the configuration
// folder ($XDG_CONFIG_HOME), one per key path.
QString RegistryStoreFile(const QString& key);

void SavePrintSettings(TExStringGrid& grid, const QString& key, const QString& section);
void LoadPrintSettings(TExStringGrid& grid, const QString& key, const QString& section);

} // namespace grid
