#pragma once
#include "editors/table_editor_form.h"

// The sent NMEA 2000 parameter groups: NMEA_Send_Frames.xml.
class TFTransmitNMEA : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFTransmitNMEA(QWidget* parent = nullptr);
};

extern TFTransmitNMEA* FTransmitNMEA;
