#pragma once
#include "placeholder_form.h"

// The DeviceNet network. Placeholder window: code label and title only.
class TFDNet : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFDNet(QWidget* parent = nullptr);
};

extern TFDNet* FDNet;
