#include "snmp_trap_access_window.h"

#include "language.h"
#include "workspace.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSNMP_Trap_Access"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFSNMP_Trap_Access::Set_Lang()
{
    setWindowTitle(Lang(961));
}
