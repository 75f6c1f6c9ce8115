#pragma once
#include "editors/table_editor_form.h"

// The Modbus TCP master access tables: ModbusTCPM_SetAccess.xml.
class TFModbus_TCP_Master_Set_Access : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget* parent = nullptr);

    // The text number of the window's first text; its texts follow from it.
    int Ind_Lang = 654;
};

extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
