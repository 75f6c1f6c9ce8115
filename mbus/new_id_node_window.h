#pragma once
#include "form_base.h"

// A meter's new address. Placeholder window: code label and title only.
class TFNewIDNode : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFNewIDNode(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFNewIDNode* FNewIDNode;
