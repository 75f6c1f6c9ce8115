#pragma once
#include "app/common/type_set.h"

namespace params {

using device::AllTypes;
using device::Types;
using device::TypeSet;

// Models with a port of their own (the tunnelling port): its row is open and
// ParGen.xml keeps what the user enters.
constexpr TypeSet TunnelPortTypes = Types(0, 4, 8, 15, 24, 25, 27);

// Models whose network box shows no port row.
constexpr TypeSet NoPortRowTypes = Types(16, 17, 18, 19, 21, 23, 1018);

} // namespace params
