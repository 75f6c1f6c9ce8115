#include "set_sdo_client_access_window.h"

#include "language.h"
#include "workspace.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSet_SDO_Client_Access"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFSet_SDO_Client_Access::Set_Lang()
{
    setWindowTitle(Lang(34));
}
