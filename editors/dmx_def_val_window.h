#pragma once
#include "editors/table_editor_form.h"

// The DMX channels' default values: DMX_Default_Values.xml.
class TFDMXDefVal : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFDMXDefVal(QWidget* parent = nullptr);
};

extern TFDMXDefVal* FDMXDefVal;
