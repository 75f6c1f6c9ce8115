#include "profinet_file_name_window.h"

TFProfinetFileName* FProfinetFileName = nullptr;

TFProfinetFileName::TFProfinetFileName(QWidget* parent)
    : PlaceholderForm(parent, "FProfinetFileName", 21)
{
}
