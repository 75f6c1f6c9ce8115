#include "restart_devices_window.h"

TFReStart_Devices* FReStart_Devices = nullptr;

TFReStart_Devices::TFReStart_Devices(QWidget* parent) : editors::TableEditorForm(parent, editors::kRestartDevices)
{
}
