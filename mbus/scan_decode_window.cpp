#include "scan_decode_window.h"

TFScanDecode* FScanDecode = nullptr;

TFScanDecode::TFScanDecode(QWidget* parent)
    : PlaceholderForm(parent, "FScanDecode", "Scan & Decode")
{
}
