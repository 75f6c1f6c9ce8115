#pragma once
// The address-map export (where each published value of the used network
// lies in the converter's data image, as the compiler places it) and the
// import of another network file over the project's M_Bus.xml.
#include "mbus/core/network.h"

#include <QByteArray>
#include <QString>

namespace mbus {

// The chosen name, or the name with ".csv" when no ".CSV" (any case) is in it.
QString Export_File_Name(const QString& chosen);

// The file's text: the header line, then "address; node; value; position;
// length;" per published value, CR LF after every line. Positions are those
// of the compiler's node table: meters with no used value take none, type 21
// has its own sizes and no scale bytes, and working mode 1 (single slave)
// starts every meter at 4.
QString Address_Map_Text(const Network& network, int deviceType, int workingMode = 0);

// The text in Windows-1252, replacing path.
bool Export_Address_Map(const QString& path, const Network& network, int deviceType, int workingMode = 0,
                        QString* error = nullptr);

enum class ImportResult
{
    Imported,   // the project file now holds the chosen file's bytes
    OwnFile,    // the chosen file is the project file: nothing copied
    Failed,     // error says why; the project file is untouched
};

// Reads the chosen file as a network first (a file that does not read,
// not well-formed or missing a required attribute, is not copied), then
// replaces the project file with its bytes through a temporary file.
ImportResult Import_Network(const QString& chosen, const QString& projectFile, int deviceType,
                            QString* error = nullptr);

} // namespace mbus
