#include "set_sdo_client_access_window.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(QWidget* parent) : editors::TableEditorForm(parent, editors::kSdoClient)
{
}
