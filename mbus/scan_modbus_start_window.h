#pragma once
#include "placeholder_form.h"

// The Modbus start register of a scan. Placeholder window: code label and title only.
class TFScanModbusStart : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFScanModbusStart(QWidget* parent = nullptr);
};

extern TFScanModbusStart* FScanModbusStart;
