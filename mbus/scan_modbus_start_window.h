#pragma once
#include "form_base.h"

// The Modbus start register of a scan. Placeholder window: code label and title only.
class TFScanModbusStart : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFScanModbusStart(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFScanModbusStart* FScanModbusStart;
