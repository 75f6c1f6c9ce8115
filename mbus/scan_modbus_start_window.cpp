#include "scan_modbus_start_window.h"

TFScanModbusStart* FScanModbusStart = nullptr;

TFScanModbusStart::TFScanModbusStart(QWidget* parent)
    : PlaceholderForm(parent, "FScanModbusStart", "Modbus Start Register")
{
}
