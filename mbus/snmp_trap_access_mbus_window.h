#pragma once
#include "form_base.h"

// The SNMP values of the M-Bus network. Placeholder window: code label and title only.
class TFSNMP_Trap_Access_MBus : public OrvanoForm
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access_MBus(QWidget* parent = nullptr);
    void Set_Lang() override;
};

extern TFSNMP_Trap_Access_MBus* FSNMP_Trap_Access_MBus;
