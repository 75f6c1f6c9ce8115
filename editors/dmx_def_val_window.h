#pragma once
#include "form_base.h"

// The DMX default values. Placeholder window: code label and title only.
class TFDMXDefVal : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFDMXDefVal(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFDMXDefVal* FDMXDefVal;
