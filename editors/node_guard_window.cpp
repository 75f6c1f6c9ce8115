#include "node_guard_window.h"

TFNodeGuard* FNodeGuard = nullptr;

TFNodeGuard::TFNodeGuard(QWidget* parent)
    : PlaceholderForm(parent, "FNodeGuard", "Set Node Guarding")
{
}
