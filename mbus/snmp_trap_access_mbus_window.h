#pragma once
#include "placeholder_form.h"

// The SNMP values of the M-Bus network. Placeholder window: code label and title only.
class TFSNMP_Trap_Access_MBus : public PlaceholderForm
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access_MBus(QWidget* parent = nullptr);
};

extern TFSNMP_Trap_Access_MBus* FSNMP_Trap_Access_MBus;
