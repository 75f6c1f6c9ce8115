#pragma once
#include "form_base.h"

// The DeviceNet network. Placeholder window: code label and title only.
class TFDNet : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFDNet(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFDNet* FDNet;
