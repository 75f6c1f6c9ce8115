#pragma once
#include "form_base.h"

// The M-Bus network editor. Placeholder window: code label and title only.
class TFMeter_Bus : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFMeter_Bus(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFMeter_Bus* FMeter_Bus;
