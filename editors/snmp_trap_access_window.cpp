#include "snmp_trap_access_window.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget* parent) : editors::TableEditorForm(parent, editors::kSnmpTrapAccess)
{
}
