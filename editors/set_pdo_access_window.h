#pragma once
#include "placeholder_form.h"

// The CANopen PDO table. Placeholder window: code label and title only.
class TFSet_PDO_Access : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(QWidget* parent = nullptr);
};

extern TFSet_PDO_Access* FSet_PDO_Access;
