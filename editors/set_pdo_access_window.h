#pragma once
#include "editors/table_editor_form.h"

// The CANopen receive and transmit PDOs: PDO_CANopen.xml.
class TFSet_PDO_Access : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(QWidget* parent = nullptr);
};

extern TFSet_PDO_Access* FSet_PDO_Access;
