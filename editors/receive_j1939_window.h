#pragma once
#include "form_base.h"

// The J1939 receive list. Placeholder window: code label and title only.
class TFReceiveJ1939 : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFReceiveJ1939(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFReceiveJ1939* FReceiveJ1939;
