#pragma once
#include "placeholder_form.h"

// The Modbus start address of a scanned meter. Placeholder window: code label and title only.
class TFModbusStartAdd_SD : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFModbusStartAdd_SD(QWidget* parent = nullptr);
};

extern TFModbusStartAdd_SD* FModbusStartAdd_SD;
