#pragma once
#include "editors/table_editor_form.h"

// The received CAN frames: CAN_Rec_Frames.xml.
class TFCAN_Rec_Frames : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFCAN_Rec_Frames(QWidget* parent = nullptr);
};

extern TFCAN_Rec_Frames* FCAN_Rec_Frames;
