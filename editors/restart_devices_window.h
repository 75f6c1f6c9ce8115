#pragma once
#include "placeholder_form.h"

// The CANopen restart table. Placeholder window: code label and title only.
class TFReStart_Devices : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFReStart_Devices(QWidget* parent = nullptr);
};

extern TFReStart_Devices* FReStart_Devices;
