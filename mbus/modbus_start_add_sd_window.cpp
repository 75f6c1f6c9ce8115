#include "modbus_start_add_sd_window.h"

#include "language.h"
#include "workspace.h"

TFModbusStartAdd_SD* FModbusStartAdd_SD = nullptr;

TFModbusStartAdd_SD::TFModbusStartAdd_SD(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FModbusStartAdd_SD"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFModbusStartAdd_SD::Set_Lang()
{
    setWindowTitle(QStringLiteral("Modbus Start Address"));
}
