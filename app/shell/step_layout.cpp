#include "step_layout.h"

#include <QStringList>

namespace {

// Steps 3 to the last per type; "A + B" puts B in the second column.
struct StepLayoutRow
{
    QList<int> types;
    const char* steps;
    bool scanDecode = false;
};

const StepLayoutRow kStepLayouts[] = {
    {{0, 27}, "Btn_CAN_Rec_Frame + Btn_CAN_Rec_Info; Btn_CAN_Send_Frame + Btn_CAN_Send_Info; Btn_PROFINET_XML; "
              "Btn_CreateBin"},
    {{1}, "Btn_DNet_Net + Btn_DNet_Offset; Btn_PROFINET_XML; Btn_CreateBin"},
    {{2, 5, 9, 12, 13, 26}, "Btn_PROFINET_XML; Btn_CreateBin"},
    {{3}, "Btn_PROFINET_XML + Btn_PROFIBUS_GSD; Btn_CreateBin"},
    {{4, 11, 25}, "Btn_ModM_SetAccess; Btn_PROFINET_XML; Btn_CreateBin"},
    {{6, 14}, "Btn_J1939_Rec_Frame; Btn_J1939_Send_Frame; Btn_PROFINET_XML; Btn_CreateBin"},
    {{7, 28}, "Btn_NMEA_Rec_Frame; Btn_NMEA_Send_Frame; Btn_PROFINET_XML; Btn_CreateBin"},
    {{8}, "Btn_SDO_Server_CANopen; Btn_SDO_Client_CANopen; Btn_PDO_CANopen; Btn_NodeGuard_CANopen; "
          "Btn_ReStart_Devices_CANopen; Btn_PROFINET_XML + Btn_CANopen_EDS; Btn_CreateBin"},
    {{24}, "Btn_SDO_Server_CANopen; Btn_SDO_Client_CANopen; Btn_PDO_CANopen; Btn_PROFINET_XML + Btn_CANopen_EDS; "
           "Btn_CreateBin"},
    {{10}, "Btn_MBus; Btn_PROFINET_XML; Btn_CreateBin", true},
    {{15}, "Btn_CAN_Rec_Frame + Btn_CAN_Rec_Info; Btn_CAN_Send_Frame + Btn_CAN_Send_Info; Btn_SNMP_Trap; "
           "Btn_SNMP_MIB; Btn_CreateBin"},
    {{16}, "Btn_SNMP_Trap; Btn_SNMP_MIB; Btn_CreateBin"},
    {{17}, "Btn_CreateBin"},
    {{18, 19, 1018}, "Btn_ModM_SetAccess; Btn_SNMP_Trap; Btn_SNMP_MIB; Btn_CreateBin"},
    {{20}, "Btn_SNMP_Trap; Btn_PROFINET_XML; Btn_SNMP_MIB; Btn_CreateBin"},
    {{21}, "Btn_MBus; Btn_CreateBin", true},
    {{22, 29}, "Btn_DMX_Default; Btn_PROFINET_XML; Btn_CreateBin"},
    {{23}, "Btn_PROFIBUS_GSD; Btn_CreateBin"},
};

const StepLayoutRow* RowOf(int type)
{
    for (const StepLayoutRow& row : kStepLayouts)
        if (row.types.contains(type))
            return &row;
    return nullptr;
}

} // namespace

QList<StepButtonPlace> StepButtonsOf(int type)
{
    QList<StepButtonPlace> places = {
        {QStringLiteral("Btn_New"), 1, 0},
        {QStringLiteral("Btn_Open"), 1, 1},
        {QStringLiteral("Btn_Prm_Gen"), 2, 0},
    };
    const StepLayoutRow* row = RowOf(type);
    const QString steps = QString::fromLatin1(row ? row->steps : "Btn_CreateBin");
    int step = 3;
    for (const QString& s : steps.split(QLatin1Char(';'))) {
        const QStringList buttons = s.split(QLatin1Char('+'));
        for (int column = 0; column < buttons.size(); ++column)
            places.append({buttons[column].trimmed(), step, column});
        ++step;
    }
    return places;
}

bool HasScanDecode(int type)
{
    const StepLayoutRow* row = RowOf(type);
    return row && row->scanDecode;
}

const QList<QString>& AllStepButtonNames()
{
    static const QList<QString> names = {
        QStringLiteral("Btn_New"), QStringLiteral("Btn_Open"), QStringLiteral("Btn_Prm_Gen"),
        QStringLiteral("Btn_CreateBin"), QStringLiteral("Btn_PROFINET_XML"), QStringLiteral("Btn_PROFIBUS_GSD"),
        QStringLiteral("Btn_CAN_Rec_Frame"), QStringLiteral("Btn_CAN_Rec_Info"), QStringLiteral("Btn_CAN_Send_Frame"),
        QStringLiteral("Btn_CAN_Send_Info"), QStringLiteral("Btn_DNet_Net"), QStringLiteral("Btn_DNet_Offset"),
        QStringLiteral("Btn_ModM_SetAccess"), QStringLiteral("Btn_J1939_Rec_Frame"),
        QStringLiteral("Btn_J1939_Send_Frame"), QStringLiteral("Btn_NMEA_Rec_Frame"),
        QStringLiteral("Btn_NMEA_Send_Frame"), QStringLiteral("Btn_SDO_Server_CANopen"),
        QStringLiteral("Btn_SDO_Client_CANopen"), QStringLiteral("Btn_PDO_CANopen"),
        QStringLiteral("Btn_NodeGuard_CANopen"), QStringLiteral("Btn_ReStart_Devices_CANopen"),
        QStringLiteral("Btn_CANopen_EDS"), QStringLiteral("Btn_MBus"), QStringLiteral("Btn_DMX_Default"),
        QStringLiteral("Btn_SNMP_Trap"), QStringLiteral("Btn_SNMP_MIB"),
    };
    return names;
}
