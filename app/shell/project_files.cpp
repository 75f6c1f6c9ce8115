#include "project_files.h"

#include "device_type.h"
#include "workspace.h"

#include <QDir>
#include <QList>

#include <algorithm>

namespace {

// Project files per device type; an empty type list means every type.
struct ProjectFileRow
{
    QStringList files;
    QList<int> types;
};

const ProjectFileRow kProjectFileRows[] = {
    {{"ParGen.xml"}, {}},
    {{"CAN_Rec_Frames.xml", "CAN_Send_Frames.xml", "CAN_Rec_Info.xml", "CAN_Send_Info.xml"}, {0, 15, 27}},
    {{"DNETM_Net.xml", "DNETM_DefOff.xml"}, {1}},
    {{"ModbusM_SetAccess.xml"}, {4, 18, 25, 1018}},
    {{"J1939_Rec_Frames.xml", "J1939_Send_Frames.xml"}, {6, 14}},
    {{"NMEA_Rec_Frames.xml", "NMEA_Send_Frames.xml"}, {7, 28}},
    {{"SDO_Server_CANopen.xml", "SDO_Client_CANopen.xml", "PDO_CANopen.xml", "ReStart_CANopen.xml",
      "NodeGuard.xml"},
     {8, 24}},
    {{"M_Bus.xml"}, {10, 21}},
    {{"ModbusTCPM_SetAccess.xml"}, {11, 19}},
    {{"DMX_Default_Values.xml"}, {22, 29}},
    {{"SNMP_Trap.xml"}, {}},
};

bool UsesFile(int type, const QString& file)
{
    for (const ProjectFileRow& row : kProjectFileRows)
        if (row.files.contains(file))
            return row.types.isEmpty() || row.types.contains(type);
    return false;
}

bool IsReservedDeviceName(const QString& name)
{
    const QString base = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    if (fixed.contains(base))
        return true;
    return base.size() == 4 && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))
           && base[3] >= QLatin1Char('1') && base[3] <= QLatin1Char('9');
}

bool IsPortableFolderName(const QString& name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
        if (QStringView(u"<>:\"/\\|?*").contains(c))
            return false;
    }
    const QChar first = name.front(), last = name.back();
    if (first.isSpace() || last.isSpace() || first == QLatin1Char('.') || last == QLatin1Char('.'))
        return false;
    return !IsReservedDeviceName(name);
}

} // namespace

void SetProjectFiles()
{
    for (const ProjectFile& f : ProjectFiles) {
        const QString file = QString::fromLatin1(f.fileName);
        if (!ProjectPath.isEmpty() && UsesFile(DeviceType, file))
            *f.path = ProjectPath + QLatin1Char('/') + file;
        else
            f.path->clear();
    }
}

QStringList ExistingProjectNames()
{
    QStringList names = QDir(ProjectsDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

int CheckProjectName(const QString& name, const QStringList& existing)
{
    if (name.isEmpty())
        return 45;
    if (!IsPortableFolderName(name))
        return 43;
    if (existing.contains(name, Qt::CaseInsensitive))
        return 44;
    return 0;
}
