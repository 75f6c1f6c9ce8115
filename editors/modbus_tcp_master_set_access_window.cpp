#include "modbus_tcp_master_set_access_window.h"

#include "language.h"
#include "workspace.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FModbus_TCP_Master_Set_Access"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFModbus_TCP_Master_Set_Access::Set_Lang()
{
    setWindowTitle(Lang(28));
}
