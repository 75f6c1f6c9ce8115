#pragma once
#include "form_base.h"

// The received CAN frames. Placeholder window: code label and title only.
class TFCAN_Rec_Frames : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFCAN_Rec_Frames(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFCAN_Rec_Frames* FCAN_Rec_Frames;
