#pragma once
#include "form_base.h"

// The converter's run-time switches over UDP. Placeholder window: code label and title only.
class TFAdvanceFunctions : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFAdvanceFunctions(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFAdvanceFunctions* FAdvanceFunctions;
