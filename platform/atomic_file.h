#pragma once
// The atomic writer lives with the QtCore-only platform parts.
#include "platform/text/atomic_file.h"
