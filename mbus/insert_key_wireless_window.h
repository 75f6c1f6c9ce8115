#pragma once
#include "placeholder_form.h"

// A wireless meter's key. Placeholder window: code label and title only.
class TFInsertKeyWireless : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFInsertKeyWireless(QWidget* parent = nullptr);
};

extern TFInsertKeyWireless* FInsertKeyWireless;
