#pragma once
#include "placeholder_form.h"

// The converter's run-time switches over UDP. Placeholder window: code label and title only.
class TFAdvanceFunctions : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFAdvanceFunctions(QWidget* parent = nullptr);
};

extern TFAdvanceFunctions* FAdvanceFunctions;
