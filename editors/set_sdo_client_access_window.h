#pragma once
#include "form_base.h"

// The CANopen SDO client table. Placeholder window: code label and title only.
class TFSet_SDO_Client_Access : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
