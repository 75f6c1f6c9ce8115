#pragma once
#include "form_base.h"

// The CANopen PDO table. Placeholder window: code label and title only.
class TFSet_PDO_Access : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;
