#pragma once
#include "placeholder_form.h"

// The byte map of the received CAN frames. Placeholder window: code label and title only.
class TF_Rec_Info : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TF_Rec_Info(QWidget* parent = nullptr);
};

extern TF_Rec_Info* F_Rec_Info;
