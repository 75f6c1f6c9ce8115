#pragma once
#include "placeholder_form.h"

// The J1939 transmit list. Placeholder window: code label and title only.
class TFTransmitJ1939 : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFTransmitJ1939(QWidget* parent = nullptr);
};

extern TFTransmitJ1939* FTransmitJ1939;
