#pragma once
#include "form_base.h"

// The NMEA 2000 receive list. Placeholder window: code label and title only.
class TFReceiveNMEA : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFReceiveNMEA(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFReceiveNMEA* FReceiveNMEA;
