#pragma once
#include "form_base.h"

// The byte map of the received CAN frames. Placeholder window: code label and title only.
class TF_Rec_Info : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TF_Rec_Info(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TF_Rec_Info* F_Rec_Info;
