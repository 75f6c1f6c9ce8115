#pragma once
#include "placeholder_form.h"

// The GSDML file name. Placeholder window: code label and title only.
class TFProfinetFileName : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFProfinetFileName(QWidget* parent = nullptr);

    // The composed file name (no folder) once the window closes with OK.
    QString Name_File_XML;
};

extern TFProfinetFileName* FProfinetFileName;
