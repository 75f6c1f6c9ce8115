#include "modbus_tcp_master_set_access_window.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget* parent) : editors::TableEditorForm(parent, editors::kModbusTcpSetAccess)
{
}
