#pragma once
#include "form_base.h"

// The DeviceNet byte offsets. Placeholder window: code label and title only.
class TFDefOffset : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFDefOffset(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFDefOffset* FDefOffset;
