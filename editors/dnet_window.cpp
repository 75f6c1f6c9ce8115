#include "dnet_window.h"

TFDNet* FDNet = nullptr;

TFDNet::TFDNet(QWidget* parent)
    : PlaceholderForm(parent, "FDNet", 26)
{
}
