#pragma once
#include "form_base.h"

// The serial Modbus master access table. Placeholder window: code label and title only.
class TFSetAccess : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSetAccess(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFSetAccess* FSetAccess;
