#pragma once
#include "editors/table_editor_form.h"

// The serial Modbus master access tables: ModbusM_SetAccess.xml.
class TFSetAccess : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFSetAccess(QWidget* parent = nullptr);
};

extern TFSetAccess* FSetAccess;
