#include "par_gen_layout.h"

#include "device_type.h"
#include "par_gen_controls.h"
#include "par_gen_window.h"

#include <QGroupBox>

namespace {

// clang-format off
constexpr ParModelLayout kModels[] = {
    {Types(0, 27), "GB_CAN", "CAN_Baud"},
    {Types(1), "GB_DNET_Master", "CB_Baud_DNET_Master"},
    {Types(2), "GB_DNET_Slave", "E_NB_OUT_DNET_Slave"},
    {Types(3), "GB_PROFIBUS_Slave", "CB_PROFI_Slave_Reset_Data"},
    {Types(4, 25), "GB_Modbus_Master", "CB_En_Poll_PROFI_OK_Modbus_Master"},
    {Types(5, 26), "GB_Modbus_Slave", "CB_Read_IR"},
    {Types(6, 14), "GB_J1939", "E_J1939_DeviceID"},
    {Types(7, 28), "GB_NMEA2000", "CB_En_Peer_NMEA2000"},
    {Types(8, 24), "GB_CANopen", "E_CANopen_TSDO_Add_Out"},
    {Types(9), "GB_Serial", "CB_Parity_Serial"},
    {Types(10), "GB_MBus", "E_NSE_MBus"},
    {Types(11), "GB_Modbus_TCP_Master", "E_CD_Modbus_TCP_Master"},
    {Types(12), "GB_Modbus_TCP_Slave", "CB_Modbus_TCP_Slave_Read_IR"},
    {Types(13), "GB_EtherNetIP", "E_EIP_PORT"},
    {Types(15), "GB_CAN", "CAN_Baud"},
    {Types(16), "GB_Modbus_Slave", "CB_ModSlave_SwapBytes"},
    {Types(17), "GB_Modbus_TCP_Slave", "E_Port_Modbus_TCP_Slave"},
    {Types(18, 1018), "GB_Modbus_Master", "E_CD_Modbus_Master"},
    {Types(19), "GB_Modbus_TCP_Master", "E_CD_Modbus_TCP_Master"},
    {Types(20), "GB_SNMP", nullptr},
    {Types(21), "GB_MBus", "E_NSE_MBus"},
    {Types(22, 29), "GB_DMX", "E_DMX_Num_Channel"},
    {Types(23), "GB_PROFIBUS_Slave", "CB_PROFI_Slave_Reset_Data"},
};
// clang-format on

} // namespace

const ParModelLayout* FindModelLayout(int type)
{
    for (const ParModelLayout& m : kModels) {
        if (m.types.Has(type))
            return &m;
    }
    return nullptr;
}

void TFParGen::Collapse_Expand_Creation()
{
    for (const ParBoxDef& box : ParGenBoxes()) {
        m_expanded.insert(QLatin1String(box.name), true);
        Control(CollapseButtonName(box.name))->show();
        Control(ExpandButtonName(box.name))->hide();
    }
}

void TFParGen::Btn_GB_Collapse(QObject*) { Move_GroupBoxs(); }
void TFParGen::Btn_GB_Expande(QObject*) { Move_GroupBoxs(); }

void TFParGen::Move_GroupBoxs()
{
    const ParModelLayout* model = FindModelLayout(DeviceType);
    if (model)
        Arrange(*model);
}

void TFParGen::Arrange(const ParModelLayout& model)
{
    QWidget* top = Control(QStringLiteral("GB_PROFINET"));
    top->setGeometry(8, 70, 296, 1000);
    top->show();
    QWidget* box = Control(QLatin1String(model.box));
    box->setGeometry(8, top->geometry().bottom() + 7, 296, 400);
    box->show();
    const int bottom = box->geometry().bottom() + 1;
    Control(QStringLiteral("Btn_OK"))->move(71, bottom + 13);
    Control(QStringLiteral("Btn_Cancel"))->move(192, bottom + 13);
    SetClientSize(312, bottom + 54);
}

bool TFParGen::Controllo_Dati()
{
    return true;
}
