#include "transmit_nmea_window.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

TFTransmitNMEA::TFTransmitNMEA(QWidget* parent)
    : PlaceholderForm(parent, "FTransmitNMEA", 32)
{
}
