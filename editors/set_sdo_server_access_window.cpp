#include "set_sdo_server_access_window.h"

#include "language.h"
#include "workspace.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSet_SDO_Server_Access"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFSet_SDO_Server_Access::Set_Lang()
{
    setWindowTitle(Lang(33));
}
