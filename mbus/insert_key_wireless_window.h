#pragma once
#include "form_base.h"

// A wireless meter's key. Placeholder window: code label and title only.
class TFInsertKeyWireless : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFInsertKeyWireless(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFInsertKeyWireless* FInsertKeyWireless;
