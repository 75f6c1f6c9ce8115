#include "def_offset_window.h"

TFDefOffset* FDefOffset = nullptr;

TFDefOffset::TFDefOffset(QWidget* parent)
    : PlaceholderForm(parent, "FDefOffset", 27)
{
}
