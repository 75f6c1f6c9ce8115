#pragma once
#include "placeholder_form.h"

// The NMEA 2000 receive list. Placeholder window: code label and title only.
class TFReceiveNMEA : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFReceiveNMEA(QWidget* parent = nullptr);
};

extern TFReceiveNMEA* FReceiveNMEA;
