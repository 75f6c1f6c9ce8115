#pragma once
#include <QString>
#include <QStringList>

class XmlDocument;

// What the updater is to do, from the update window's four check boxes.
struct UpdateOptions
{
    bool firmware = true;           // write the firmware
    bool readFirmware = true;       // read it back after writing
    bool configuration = true;      // write the configuration (bank files)
    bool readConfiguration = true;  // read it back after writing
};

// How a device type's updater is fed.
enum class UpdaterKind {
    CommandLine,   // TCP_<nr>_Update.exe with its command line
    Standard,      // general updater, Ethernet_Update.xml standard variant
    TwoHardware,   // general updater, two firmware images (types 10, 21)
    NewBoot,       // general updater, new boot loader (type 29)
};

struct UpdaterRoute
{
    UpdaterKind kind = UpdaterKind::CommandLine;
    QString program;          // file name in the program folder
    bool readsMapType = false;
};

// The route of a device type; false for a type that is not a model.
bool UpdaterRouteOf(int deviceType, UpdaterRoute& route);

// The model number in updater and image names: the software code without
// "QS" (type 1018 uses type 18's, 52060).
QString UpdaterModelNumber(int deviceType);

// The command-line updater's arguments: address, "2007", four option words,
// the firmware image and the bank folder or file.
QStringList UpdaterArguments(int deviceType, const QString& address, const UpdateOptions& options);

// The firmware image named in the parameter file of the standard variant.
QString StandardFirmwareImage(int deviceType, int mapType);

// Builds Ethernet_Update.xml's content for the type's variant in doc
// (emptied first). mapType matters for types 16, 18, 19 and 1018 only.
void Compose_Update_Parameters(XmlDocument& doc, int deviceType, const QString& address,
                               const UpdateOptions& options, int mapType);

// The parameter file's path: ExeDir/Ethernet_Update.xml.
QString UpdateParameterFile();

// Everything needed to start the updater.
struct UpdaterRun
{
    QString program;           // full path
    QStringList arguments;
    bool wroteParameterFile = false;
};

// Prepares the update of the built device type: reads the map type where the
// type needs it, writes Ethernet_Update.xml for the parameter-file types
// (built in doc) and names the program and its arguments. False with a
// message when ParGen.xml cannot be read or the file cannot be written; the
// updater must then not be started. mapType receives the map type read.
bool Prepare_Updater_Run(XmlDocument& doc, const QString& address, const UpdateOptions& options,
                         UpdaterRun& run, QString* error, int* mapType = nullptr);
