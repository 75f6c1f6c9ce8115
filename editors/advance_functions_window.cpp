#include "advance_functions_window.h"

TFAdvanceFunctions* FAdvanceFunctions = nullptr;

TFAdvanceFunctions::TFAdvanceFunctions(QWidget* parent)
    : PlaceholderForm(parent, "FAdvanceFunctions", 855)
{
}
