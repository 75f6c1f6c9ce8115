#pragma once
#include "form_base.h"

// The J1939 transmit list. Placeholder window: code label and title only.
class TFTransmitJ1939 : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFTransmitJ1939(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFTransmitJ1939* FTransmitJ1939;
