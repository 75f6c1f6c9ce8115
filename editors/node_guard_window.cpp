#include "node_guard_window.h"

TFNodeGuard* FNodeGuard = nullptr;

TFNodeGuard::TFNodeGuard(QWidget* parent) : editors::TableEditorForm(parent, editors::kNodeGuard)
{
}
