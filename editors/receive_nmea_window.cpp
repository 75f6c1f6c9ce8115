#include "receive_nmea_window.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

TFReceiveNMEA::TFReceiveNMEA(QWidget* parent) : editors::TableEditorForm(parent, editors::kReceiveNmea)
{
}
