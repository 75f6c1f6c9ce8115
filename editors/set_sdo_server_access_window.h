#pragma once
#include "placeholder_form.h"

// The CANopen SDO server table. Placeholder window: code label and title only.
class TFSet_SDO_Server_Access : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Server_Access(QWidget* parent = nullptr);
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
