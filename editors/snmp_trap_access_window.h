#pragma once
#include "form_base.h"

// The SNMP trap table. Placeholder window: code label and title only.
class TFSNMP_Trap_Access : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
