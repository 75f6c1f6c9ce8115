#pragma once
#include "editors/table_editor_form.h"

// The SDO requests the converter sends as a CANopen SDO client: SDO_Client_CANopen.xml.
class TFSet_SDO_Client_Access : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(QWidget* parent = nullptr);
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
