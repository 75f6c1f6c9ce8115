#pragma once
#include "placeholder_form.h"

// The SNMP trap table. Placeholder window: code label and title only.
class TFSNMP_Trap_Access : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access(QWidget* parent = nullptr);
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
