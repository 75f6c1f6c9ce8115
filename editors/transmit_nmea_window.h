#pragma once
#include "placeholder_form.h"

// The NMEA 2000 transmit list. Placeholder window: code label and title only.
class TFTransmitNMEA : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFTransmitNMEA(QWidget* parent = nullptr);
};

extern TFTransmitNMEA* FTransmitNMEA;
