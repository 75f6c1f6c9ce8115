#pragma once
#include "placeholder_form.h"

// The J1939 receive list. Placeholder window: code label and title only.
class TFReceiveJ1939 : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFReceiveJ1939(QWidget* parent = nullptr);
};

extern TFReceiveJ1939* FReceiveJ1939;
