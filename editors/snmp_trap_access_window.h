#pragma once
#include "editors/table_editor_form.h"

// The SNMP read and write tables: SNMP_Trap.xml.
class TFSNMP_Trap_Access : public editors::TableEditorForm
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access(QWidget* parent = nullptr);
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
