#pragma once
#include "placeholder_form.h"

// The M-Bus network editor. Placeholder window: code label and title only.
class TFMeter_Bus : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFMeter_Bus(QWidget* parent = nullptr);
};

extern TFMeter_Bus* FMeter_Bus;
