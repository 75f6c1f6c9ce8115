#pragma once
#include <QString>

// Query results into a grid, read through Qt SQL from an SQLite file opened
// read-only. Desktop-database (.mdb) files are not read.
namespace grid {
class TExStringGrid;
}

namespace grid::office {

// "SELECT * FROM " and the table name quoted as an identifier.
QString TableQuery(const QString& table);

// Field names in the last fixed row, records from the first data row, NULL
// as empty text. The connection is closed on every path; a failure (no file,
// bad SQL) is a GridError and leaves the grid as it was.
void LoadFromMDBSQL(TExStringGrid& grid, const QString& fileName, const QString& sql);
void LoadFromMDBTable(TExStringGrid& grid, const QString& fileName, const QString& table);

} // namespace grid::office
