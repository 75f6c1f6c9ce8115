#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The grid's cells as a flat XML list of records and fields, and any XML
// document laid out in the grid one record per row.
namespace grid {

class TExStringGrid;

// True for a name that can open an element.
bool IsXmlName(const QString& name);

// The document in the encoding XMLEncoding names (characters it lacks as
// character references). Tag names are checked before anything is made.
QByteArray SaveToXMLBytes(TExStringGrid& grid, const QString& listDescr, const QString& recordDescr,
                          const QStringList* fieldDescr, bool exportEmptyCells);
void SaveToXML(TExStringGrid& grid, const QString& fileName, const QString& listDescr, const QString& recordDescr,
               const QStringList* fieldDescr, bool exportEmptyCells);

// A parse error raises "XMLDOM Parsing error <status> on line <line>" and
// changes nothing.
void LoadFromXMLBytes(TExStringGrid& grid, const QByteArray& bytes, bool levelToRow, bool loadFieldDescr);
void LoadFromXML(TExStringGrid& grid, const QString& fileName, bool levelToRow, bool loadFieldDescr);

} // namespace grid
