#include "receive_nmea_window.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

TFReceiveNMEA::TFReceiveNMEA(QWidget* parent)
    : PlaceholderForm(parent, "FReceiveNMEA", 31)
{
}
