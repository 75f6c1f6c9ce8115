#pragma once
#include "form_base.h"

// The "Set Communication" window: the converter's general parameters, kept in
// the project's ParGen.xml.
class TFParGen : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFParGen(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFParGen* FParGen;
