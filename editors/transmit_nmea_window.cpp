#include "transmit_nmea_window.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

TFTransmitNMEA::TFTransmitNMEA(QWidget* parent) : editors::TableEditorForm(parent, editors::kTransmitNmea)
{
}
