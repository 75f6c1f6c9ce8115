#pragma once
#include "placeholder_form.h"

// A meter's new address. Placeholder window: code label and title only.
class TFNewIDNode : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFNewIDNode(QWidget* parent = nullptr);
};

extern TFNewIDNode* FNewIDNode;
