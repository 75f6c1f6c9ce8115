#pragma once
// The code page lives with the QtCore-only platform parts.
#include "platform/text/cp1252.h"
