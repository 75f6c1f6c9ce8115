#include "receive_j1939_window.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

TFReceiveJ1939::TFReceiveJ1939(QWidget* parent) : editors::TableEditorForm(parent, editors::kReceiveJ1939)
{
}
