#pragma once
#include "placeholder_form.h"

// The Modbus TCP master access table. Placeholder window: code label and title only.
class TFModbus_TCP_Master_Set_Access : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget* parent = nullptr);
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
