// SyncServerLimits: how much the sync server gives each client, the rules
// every server of the program keeps (see net/connection_limits.h): 16 slots,
// the idlest giving way when full, a request whole within 5 s of the
// connect or the previous reply, each reply out within 30 s.
#pragma once

#include "net/connection_limits.h"

using SyncServerLimits = ConnectionLimits;
