#pragma once
#include "editors/table_def.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace editors {

// The cell texts of a table window: per section its rows, each row the texts
// of the data columns (column 1 first). Every section holds the table's
// whole row count.
struct TableData
{
    std::vector<std::vector<QStringList>> sections;

    int RowCount() const { return sections.empty() ? 0 : int(sections.front().size()); }
    bool operator==(const TableData&) const = default;
};

// A table of rowCount rows per section, every cell at its initial text.
TableData EmptyTable(const TableDef& def, int rowCount);

struct LoadResult
{
    bool exists = false;     // there was a file to read
    bool complete = true;    // the table holds everything the file holds
    QString message;         // why not: the parser's or the reader's message
};

// Fills table (prepared by EmptyTable) from a file's bytes. Children of a
// section are rows by position, whatever their names; attributes without a
// default must be there. Reading stops at the first fault: the rows before
// stay filled, complete is false and message names the file, section, row
// and attribute as the compiler does. Rows past the table make it incomplete
// too; a wrong root or a missing section leaves the table empty.
LoadResult ReadTable(const TableDef& def, const QByteArray& bytes, const QString& fileName, TableData& table);
// The same from the file; a missing file leaves the table as it is.
LoadResult LoadTable(const TableDef& def, const QString& path, TableData& table);

// Is row r (from 0) of a section used by the table's rule?
bool RowUsed(const TableDef& def, const std::vector<QStringList>& rows, int r);
// The number of used rows of a section (the run from the first row).
int UsedRows(const TableDef& def, const std::vector<QStringList>& rows);
// Does a row below the used run hold any text?
bool DataBelowUsedRows(const TableDef& def, const TableData& table);

// The file's bytes: root, version comment, sections, one row element per used
// row with the attributes in column order, texts as they are.
QByteArray WriteTable(const TableDef& def, const TableData& table, int deviceType);
// Writes the file, replacing it atomically; false with the system's message.
bool SaveTable(const TableDef& def, const TableData& table, int deviceType, const QString& path,
               QString* error);

} // namespace editors
