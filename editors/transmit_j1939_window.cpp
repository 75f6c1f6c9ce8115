#include "transmit_j1939_window.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

TFTransmitJ1939::TFTransmitJ1939(QWidget* parent) : editors::TableEditorForm(parent, editors::kTransmitJ1939)
{
}
