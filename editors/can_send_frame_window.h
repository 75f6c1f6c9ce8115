#pragma once
#include "form_base.h"

// The sent CAN frames. Placeholder window: code label and title only.
class TFCAN_Send_Frame : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFCAN_Send_Frame(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFCAN_Send_Frame* FCAN_Send_Frame;
