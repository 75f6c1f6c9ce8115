#pragma once
#include "bank_buffers.h"

// Everything one build owns: the device type it builds for and the bank
// buffers its images go to. Made anew for every build, so nothing of an
// earlier build can reach the next. Records and tables are the builders'
// own locals.
struct BuildContext
{
    explicit BuildContext(int type) : deviceType(type) {}

    const int deviceType;
    BankBuffers banks;
};
