#include "workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

QString ExeDir;
QString ProjectsDir;
QString MasterDir;
QString LanguageDir;
QString ProjectName;
QString ProjectPath;
QString MainCaption;
QString SoftwareCode;
QString SoftwareDesc;
QString LastIPAddress;
QString LanguageName;

bool EnableInternet = false;
bool EnableUpdate = false;
bool EnableJumpFieldTables = false;
bool DoubleClickAutoSize = false;

QString File_ParGen;
QString File_CAN_Rec_Frames;
QString File_CAN_Send_Frames;
QString File_CAN_Rec_Info;
QString File_CAN_Send_Info;
QString File_DNETM_Net;
QString File_DNETM_DefOff;
QString File_ModbusM_SetAccess;
QString File_J1939_Rec_Frames;
QString File_J1939_Send_Frames;
QString File_NMEA_Rec_Frames;
QString File_NMEA_Send_Frames;
QString File_SDO_Server_CANopen;
QString File_SDO_Client_CANopen;
QString File_PDO_CANopen;
QString File_ReStart_CANopen;
QString File_NodeGuard;
QString File_M_Bus;
QString File_ModbusTCPM_SetAccess;
QString File_DMX_Default_Values;
QString File_SNMP_Trap;

const ProjectFile ProjectFiles[21] = {
    {"ParGen.xml", &File_ParGen},
    {"CAN_Rec_Frames.xml", &File_CAN_Rec_Frames},
    {"CAN_Send_Frames.xml", &File_CAN_Send_Frames},
    {"CAN_Rec_Info.xml", &File_CAN_Rec_Info},
    {"CAN_Send_Info.xml", &File_CAN_Send_Info},
    {"DNETM_Net.xml", &File_DNETM_Net},
    {"DNETM_DefOff.xml", &File_DNETM_DefOff},
    {"ModbusM_SetAccess.xml", &File_ModbusM_SetAccess},
    {"J1939_Rec_Frames.xml", &File_J1939_Rec_Frames},
    {"J1939_Send_Frames.xml", &File_J1939_Send_Frames},
    {"NMEA_Rec_Frames.xml", &File_NMEA_Rec_Frames},
    {"NMEA_Send_Frames.xml", &File_NMEA_Send_Frames},
    {"SDO_Server_CANopen.xml", &File_SDO_Server_CANopen},
    {"SDO_Client_CANopen.xml", &File_SDO_Client_CANopen},
    {"PDO_CANopen.xml", &File_PDO_CANopen},
    {"ReStart_CANopen.xml", &File_ReStart_CANopen},
    {"NodeGuard.xml", &File_NodeGuard},
    {"M_Bus.xml", &File_M_Bus},
    {"ModbusTCPM_SetAccess.xml", &File_ModbusTCPM_SetAccess},
    {"DMX_Default_Values.xml", &File_DMX_Default_Values},
    {"SNMP_Trap.xml", &File_SNMP_Trap},
};

QStringList RowClipboard;
QStringList SNMPReadDescList;
QStringList SNMPWriteDescList;
QList<std::shared_ptr<mbus::TSlave_MBus>> WiredSlaveList;
QList<std::shared_ptr<mbus::TSlave_wMBus>> WirelessSlaveList;

bool IsWritableFolder(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.write-probe-XXXXXX"));
    return probe.open();
}

QString ChooseProgramFolder(const QString& named, const QString& exeDir, const QString& userData)
{
    if (!named.isEmpty())
        return QDir::cleanPath(QDir(named).absolutePath());
    if (IsWritableFolder(exeDir))
        return exeDir;
    QDir().mkpath(userData);
    return userData;
}

QString ProgramFolder()
{
    return ChooseProgramFolder(qEnvironmentVariable("ORVANO_DIR"), QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void SetProgramFolders(const QString& exeDir)
{
    ExeDir = exeDir;
    MasterDir = ExeDir + QStringLiteral("/MASTER");
    ProjectsDir = ExeDir + QStringLiteral("/PROJECTS");
    LanguageDir = ExeDir + QStringLiteral("/LANGUAGE");
}

QString ProjectFolder(const QString& name)
{
    return ProjectsDir + QLatin1Char('/') + name;
}

void ResetWorkspace()
{
    for (QString* s : {&ExeDir, &ProjectsDir, &MasterDir, &LanguageDir, &ProjectName, &ProjectPath,
                       &MainCaption, &SoftwareCode, &SoftwareDesc, &LastIPAddress, &LanguageName})
        s->clear();
    EnableInternet = EnableUpdate = EnableJumpFieldTables = DoubleClickAutoSize = false;
    for (const ProjectFile& f : ProjectFiles)
        f.path->clear();
    RowClipboard.clear();
    SNMPReadDescList.clear();
    SNMPWriteDescList.clear();
    WiredSlaveList.clear();
    WirelessSlaveList.clear();
}
