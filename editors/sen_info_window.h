#pragma once
#include "form_base.h"

// The byte map of the sent CAN frames. Placeholder window: code label and title only.
class TF_Sen_Info : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TF_Sen_Info(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TF_Sen_Info* F_Sen_Info;
