#include "dnet_window.h"

TFDNet* FDNet = nullptr;

TFDNet::TFDNet(QWidget* parent) : editors::TableEditorForm(parent, editors::kDNetNet)
{
}
