#include "dmx_def_val_window.h"

#include "language.h"
#include "workspace.h"

TFDMXDefVal* FDMXDefVal = nullptr;

TFDMXDefVal::TFDMXDefVal(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FDMXDefVal"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFDMXDefVal::Set_Lang()
{
    setWindowTitle(Lang(940));
}
