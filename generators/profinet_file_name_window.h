#pragma once
#include "form_base.h"

// The GSDML file name. Placeholder window: code label and title only.
class TFProfinetFileName : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFProfinetFileName(QWidget* parent = nullptr);
    void Set_Lang() override;

    // The composed file name (no folder) once the window closes with OK.
    QString Name_File_XML;
};

extern TFProfinetFileName* FProfinetFileName;
