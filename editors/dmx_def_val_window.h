#pragma once
#include "placeholder_form.h"

// The DMX default values. Placeholder window: code label and title only.
class TFDMXDefVal : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFDMXDefVal(QWidget* parent = nullptr);
};

extern TFDMXDefVal* FDMXDefVal;
