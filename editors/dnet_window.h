#pragma once
#include "editors/table_editor_form.h"

// The DeviceNet slaves: DNETM_Net.xml.
class TFDNet : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFDNet(QWidget* parent = nullptr);
};

extern TFDNet* FDNet;
