#pragma once
#include "form_base.h"

// The About window: the model's software, version and document code.
class TFAbout : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);
};

extern TFAbout* FAbout;
