#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// The program's shared workspace state. A project is open exactly when
// ProjectPath is not empty. Paths use "/" and carry no trailing separator.

extern QString ExeDir;        // the program folder (see ProgramFolder())
extern QString ProjectsDir;   // ExeDir/PROJECTS
extern QString MasterDir;     // ExeDir/MASTER, the firmware images
extern QString LanguageDir;   // ExeDir/LANGUAGE
extern QString ProjectName;
extern QString ProjectPath;
extern QString MainCaption;
extern QString SoftwareCode;
extern QString SoftwareDesc;
extern QString LastIPAddress;
extern QString LanguageName;

extern bool EnableInternet;
extern bool EnableUpdate;
extern bool EnableJumpFieldTables;
extern bool DoubleClickAutoSize;

// The 21 project file paths; those Set_Files does not set for the type are empty.
extern QString File_ParGen;
extern QString File_CAN_Rec_Frames;
extern QString File_CAN_Send_Frames;
extern QString File_CAN_Rec_Info;
extern QString File_CAN_Send_Info;
extern QString File_DNETM_Net;
extern QString File_DNETM_DefOff;
extern QString File_ModbusM_SetAccess;
extern QString File_J1939_Rec_Frames;
extern QString File_J1939_Send_Frames;
extern QString File_NMEA_Rec_Frames;
extern QString File_NMEA_Send_Frames;
extern QString File_SDO_Server_CANopen;
extern QString File_SDO_Client_CANopen;
extern QString File_PDO_CANopen;
extern QString File_ReStart_CANopen;
extern QString File_NodeGuard;
extern QString File_M_Bus;
extern QString File_ModbusTCPM_SetAccess;
extern QString File_DMX_Default_Values;
extern QString File_SNMP_Trap;

// The project files in their fixed order: the file name and its path global.
struct ProjectFile
{
    const char* fileName;
    QString* path;
};
extern const ProjectFile ProjectFiles[21];

extern QStringList RowClipboard;
extern QStringList SNMPReadDescList;
extern QStringList SNMPWriteDescList;

// The M-Bus scan's slave lists; their element types belong to the M-Bus
// subsystem (mbus/core/slaves.h). Clearing a list frees its meters.
namespace mbus {
struct TSlave_MBus;
struct TSlave_wMBus;
}
extern QList<std::shared_ptr<mbus::TSlave_MBus>> WiredSlaveList;
extern QList<std::shared_ptr<mbus::TSlave_wMBus>> WirelessSlaveList;

constexpr const char* DefaultIPAddress = "192.168.2.205";

// The program folder: what ORVANO_DIR names; else the executable's folder
// when a file can be made there; else (an installed program) the user's data
// folder, QStandardPaths::AppDataLocation, created when missing.
QString ProgramFolder();
// That choice, from ORVANO_DIR's value, the executable's folder and the
// user's data folder.
QString ChooseProgramFolder(const QString& named, const QString& exeDir, const QString& userData);
// Whether a file can be made in folder (tried, not read from its permissions).
bool IsWritableFolder(const QString& folder);

// ExeDir and the three folders below it.
void SetProgramFolders(const QString& exeDir);

// ProjectsDir + "/" + name.
QString ProjectFolder(const QString& name);

// Every global back to its state before start-up (for tests).
void ResetWorkspace();
