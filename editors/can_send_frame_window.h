#pragma once
#include "editors/table_editor_form.h"

// The sent CAN frames: CAN_Send_Frames.xml.
class TFCAN_Send_Frame : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFCAN_Send_Frame(QWidget* parent = nullptr);
};

extern TFCAN_Send_Frame* FCAN_Send_Frame;
