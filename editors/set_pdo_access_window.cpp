#include "set_pdo_access_window.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

TFSet_PDO_Access::TFSet_PDO_Access(QWidget* parent) : editors::TableEditorForm(parent, editors::kPdo)
{
}
