#pragma once
#include "editors/table_editor_form.h"

// The sent J1939 parameter groups: J1939_Send_Frames.xml.
class TFTransmitJ1939 : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFTransmitJ1939(QWidget* parent = nullptr);
};

extern TFTransmitJ1939* FTransmitJ1939;
