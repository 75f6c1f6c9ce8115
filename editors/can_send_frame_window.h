#pragma once
#include "placeholder_form.h"

// The sent CAN frames. Placeholder window: code label and title only.
class TFCAN_Send_Frame : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFCAN_Send_Frame(QWidget* parent = nullptr);
};

extern TFCAN_Send_Frame* FCAN_Send_Frame;
