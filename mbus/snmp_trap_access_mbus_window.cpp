#include "snmp_trap_access_mbus_window.h"

TFSNMP_Trap_Access_MBus* FSNMP_Trap_Access_MBus = nullptr;

TFSNMP_Trap_Access_MBus::TFSNMP_Trap_Access_MBus(QWidget* parent)
    : PlaceholderForm(parent, "FSNMP_Trap_Access_MBus", "SNMP Access")
{
}
