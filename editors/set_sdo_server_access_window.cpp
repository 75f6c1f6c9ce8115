#include "set_sdo_server_access_window.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget* parent) : editors::TableEditorForm(parent, editors::kSdoServer)
{
}
