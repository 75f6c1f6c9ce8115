#pragma once
#include "form_base.h"

// The Software Options window: language, connection options and, per model,
// the advanced functions and software settings.
class TFSoftOptions : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFSoftOptions* FSoftOptions;
