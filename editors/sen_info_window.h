#pragma once
#include "placeholder_form.h"

// The byte map of the sent CAN frames. Placeholder window: code label and title only.
class TF_Sen_Info : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TF_Sen_Info(QWidget* parent = nullptr);
};

extern TF_Sen_Info* F_Sen_Info;
