#include "scan_modbus_start_window.h"

#include "language.h"
#include "workspace.h"

TFScanModbusStart* FScanModbusStart = nullptr;

TFScanModbusStart::TFScanModbusStart(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FScanModbusStart"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFScanModbusStart::Set_Lang()
{
    setWindowTitle(QStringLiteral("Modbus Start Register"));
}
