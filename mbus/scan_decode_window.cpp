#include "scan_decode_window.h"

#include "language.h"
#include "workspace.h"

TFScanDecode* FScanDecode = nullptr;

TFScanDecode::TFScanDecode(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FScanDecode"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFScanDecode::Set_Lang()
{
    setWindowTitle(QStringLiteral("Scan & Decode"));
}
