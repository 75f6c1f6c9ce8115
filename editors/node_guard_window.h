#pragma once
#include "placeholder_form.h"

// The CANopen node guarding table. Placeholder window: code label and title only.
class TFNodeGuard : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFNodeGuard(QWidget* parent = nullptr);
};

extern TFNodeGuard* FNodeGuard;
