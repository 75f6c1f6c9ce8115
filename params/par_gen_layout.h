#pragma once
#include "type_set.h"

// The window's arrangement per model: the protocol box shown under the
// network box and the control whose bottom closes it.
struct ParModelLayout
{
    TypeSet types;
    const char* box;
    const char* closing;
};

// The arrangement of a device type; nullptr for a type without one.
const ParModelLayout* FindModelLayout(int type);
