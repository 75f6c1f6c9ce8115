#pragma once
#include "generators/canopen_files.h"
#include "generators/text_file.h"

#include <QDateTime>
#include <QString>

// The CANopen EDS file of the PROFINET / CANopen models (types 8 and 24).

namespace gen {

// A manufacturer object: one index of the SDO server table and its subs,
// sorted by sub-index.
struct SdoSub
{
    uint8_t sub = 0;
    uint8_t quantity = 0;   // object size in bytes
    bool readOnly = true;
};
struct SdoObject
{
    uint16_t index = 0;
    std::vector<SdoSub> subs;
};

// The SDO server rows grouped by index in order of first appearance, each
// index's subs sorted by sub-index (equal ones keep their order).
std::vector<SdoObject> Sdo_Objects(const std::vector<SdoServerRow>& rows);

// "08-01-2019" and "00:30PM" (the 12-hour rule: noon is 12:00AM, 12:30 is
// 00:30PM).
QString Eds_Date(const QDate& date);
QString Eds_Time(const QTime& time);

// The file from the tables, written at now.
Output Make_EDS(int deviceType, const PdoTables& pdos, const std::vector<SdoServerRow>& sdoRows, const QDateTime& now);

// Reads PDO_CANopen.xml and SDO_Server_CANopen.xml and makes the file; an
// (Index, SubIndex) pair used twice is refused.
Output Make_EDS_From_Project(int deviceType, const QString& pdoPath, const QString& sdoServerPath,
                             const QDateTime& now);

} // namespace gen

// Writes the EDS file to fileName from the open project, at the local time.
void Write_EDS(const QString& fileName);
