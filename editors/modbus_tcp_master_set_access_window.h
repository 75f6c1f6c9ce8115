#pragma once
#include "form_base.h"

// The Modbus TCP master access table. Placeholder window: code label and title only.
class TFModbus_TCP_Master_Set_Access : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
