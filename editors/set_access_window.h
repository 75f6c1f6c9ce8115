#pragma once
#include "placeholder_form.h"

// The serial Modbus master access table. Placeholder window: code label and title only.
class TFSetAccess : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFSetAccess(QWidget* parent = nullptr);
};

extern TFSetAccess* FSetAccess;
