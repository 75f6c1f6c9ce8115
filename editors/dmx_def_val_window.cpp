#include "dmx_def_val_window.h"

TFDMXDefVal* FDMXDefVal = nullptr;

TFDMXDefVal::TFDMXDefVal(QWidget* parent)
    : PlaceholderForm(parent, "FDMXDefVal", 940)
{
}
