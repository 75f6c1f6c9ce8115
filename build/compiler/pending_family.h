#pragma once
#include "gen_param.h"

// For the families whose tables are still to come: the general block with
// the reset values, the type's presets and the fields every family reader
// shares (PROFINET interface, station name, service port). The family's own
// fields keep their reset values until its reader lands.
GenBlock Pending_Gen_Block(int deviceType);
