#include "dmx_def_val_window.h"

TFDMXDefVal* FDMXDefVal = nullptr;

TFDMXDefVal::TFDMXDefVal(QWidget* parent) : editors::TableEditorForm(parent, editors::kDmxDefaultValues)
{
}
