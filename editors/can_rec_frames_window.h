#pragma once
#include "placeholder_form.h"

// The received CAN frames. Placeholder window: code label and title only.
class TFCAN_Rec_Frames : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFCAN_Rec_Frames(QWidget* parent = nullptr);
};

extern TFCAN_Rec_Frames* FCAN_Rec_Frames;
