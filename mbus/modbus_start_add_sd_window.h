#pragma once
#include "form_base.h"

// The Modbus start address of a scanned meter. Placeholder window: code label and title only.
class TFModbusStartAdd_SD : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFModbusStartAdd_SD(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFModbusStartAdd_SD* FModbusStartAdd_SD;
