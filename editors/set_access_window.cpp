#include "set_access_window.h"

TFSetAccess* FSetAccess = nullptr;

TFSetAccess::TFSetAccess(QWidget* parent)
    : PlaceholderForm(parent, "FSetAccess", 28)
{
}
