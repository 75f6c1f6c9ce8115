#pragma once
#include "form_base.h"

// The CANopen restart table. Placeholder window: code label and title only.
class TFReStart_Devices : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFReStart_Devices(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFReStart_Devices* FReStart_Devices;
