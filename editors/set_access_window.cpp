#include "set_access_window.h"

TFSetAccess* FSetAccess = nullptr;

TFSetAccess::TFSetAccess(QWidget* parent) : editors::TableEditorForm(parent, editors::kSetAccess)
{
}
