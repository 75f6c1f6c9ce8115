#pragma once
#include "editors/table_editor_form.h"

// The received NMEA 2000 parameter groups: NMEA_Rec_Frames.xml.
class TFReceiveNMEA : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFReceiveNMEA(QWidget* parent = nullptr);
};

extern TFReceiveNMEA* FReceiveNMEA;
