#pragma once
#include "form_base.h"

// The CANopen node guarding table. Placeholder window: code label and title only.
class TFNodeGuard : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFNodeGuard(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFNodeGuard* FNodeGuard;
