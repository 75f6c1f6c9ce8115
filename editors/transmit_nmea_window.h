#pragma once
#include "form_base.h"

// The NMEA 2000 transmit list. Placeholder window: code label and title only.
class TFTransmitNMEA : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFTransmitNMEA(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFTransmitNMEA* FTransmitNMEA;
