#include "snmp_trap_access_mbus_window.h"

#include "language.h"
#include "workspace.h"

TFSNMP_Trap_Access_MBus* FSNMP_Trap_Access_MBus = nullptr;

TFSNMP_Trap_Access_MBus::TFSNMP_Trap_Access_MBus(QWidget* parent)
    : OrvanoForm(parent)
{
    setObjectName(QStringLiteral("FSNMP_Trap_Access_MBus"));
    AddLabel("L_SW_Code", 16, 8, SoftwareCode);
    SetClientSize(400, 200);
    Set_Lang();
}

void TFSNMP_Trap_Access_MBus::Set_Lang()
{
    setWindowTitle(QStringLiteral("SNMP Access"));
}
