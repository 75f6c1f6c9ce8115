#pragma once
// What a scan leaves behind: the scan dumps (SCAN_M-Bus_Wired,
// SCAN_M-Bus_Wireless) and the project's M_Bus.xml written from the meters
// found, for the converters' device codes 0 to 14. Enable states come from
// the meters' and records' Enable (the scan window copies its ticks there).
#include "mbus/core/slaves.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace mbus {

// What the scan window asks the writer for.
struct TSaveConfXML
{
    int32_t Append = 0;          // 1: add to the existing file; else a new document
    int32_t XML_Code_Dev = 0;    // device code of the converter
    int32_t Mod_Start = 0;       // first Modbus register
    int32_t Index_Baud = 0;      // codes 4 and 7
    int32_t Index_Par = 0;
    int32_t Node_ID_Type = 0;
    int32_t SND_NKE = 0;
    int32_t Reset_App = 0;
    int32_t Cut_After = 0;       // written within the file's range 0..249
    int32_t StartModnode = 0;    // 1: each meter starts at its SMN_Array register
    std::vector<int32_t> SMN_Array;
    bool En_NodeState = false;
    bool En_IdeNum = false;
    QString File_Name;
};

// M_Bus.xml from a wired or wireless scan. False when the list is empty
// (error stays empty, the file untouched) or when the file cannot be loaded
// for appending or cannot be saved (error says why, the file untouched).
bool Save_XML_Conf_Wired(const TSaveConfXML& conf, const WiredSlaves& slaves, QString* error = nullptr);
bool Save_XML_Conf_Wireless(const TSaveConfXML& conf, const WirelessSlaves& slaves, QString* error = nullptr);

// The scan dumps.
bool Save_XML_File_DLL(const QString& path, const WiredSlaves& slaves, QString* error = nullptr);
bool Save_Wireless_XML_File_DLL(const QString& path, const WirelessSlaves& slaves, QString* error = nullptr);

// "Dim" and the registers a record takes, by its data field (and nbyte for
// variable length); Dim 255 for a data field without a size.
struct ScanDim
{
    int32_t dim;
    int32_t registers;
};
ScanDim Scan_Dim(uint8_t dataField, int32_t nbyte);

} // namespace mbus
