#pragma once
#include "form_base.h"

// The update window: the device's address, the ping, the update options and
// the run of the updater.
class TFBootTCP : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFBootTCP(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFBootTCP* FBootTCP;
