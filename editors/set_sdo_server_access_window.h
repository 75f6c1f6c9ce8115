#pragma once
#include "editors/table_editor_form.h"

// The objects the converter offers as a CANopen SDO server: SDO_Server_CANopen.xml.
class TFSet_SDO_Server_Access : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Server_Access(QWidget* parent = nullptr);
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
