#pragma once
#include "editors/table_editor_form.h"

// The CANopen nodes the converter may restart: ReStart_CANopen.xml.
class TFReStart_Devices : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFReStart_Devices(QWidget* parent = nullptr);
};

extern TFReStart_Devices* FReStart_Devices;
