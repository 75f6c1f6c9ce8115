#include "modbus_start_add_sd_window.h"

TFModbusStartAdd_SD* FModbusStartAdd_SD = nullptr;

TFModbusStartAdd_SD::TFModbusStartAdd_SD(QWidget* parent)
    : PlaceholderForm(parent, "FModbusStartAdd_SD", "Modbus Start Address")
{
}
