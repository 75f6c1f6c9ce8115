#pragma once
#include "placeholder_form.h"

// The CANopen SDO client table. Placeholder window: code label and title only.
class TFSet_SDO_Client_Access : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(QWidget* parent = nullptr);
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
