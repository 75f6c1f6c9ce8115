#pragma once
#include "placeholder_form.h"

// The DeviceNet byte offsets. Placeholder window: code label and title only.
class TFDefOffset : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFDefOffset(QWidget* parent = nullptr);
};

extern TFDefOffset* FDefOffset;
