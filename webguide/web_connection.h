// One client of the guide service: reads one request head (bounded in size
// and in time), answers it through the router when its Host is one of the
// service's own names, and ends. A client that sends too slowly, too much,
// or stops reading is cut off.
#pragma once

#include "net/connection_slot.h"

class AllowedHosts;
class WebRouter;

// The guide service's limits: the servers' rules with a head of 10 s and an
// answer of 60 s (a week's XMLTV to a phone on a weak network).
ConnectionLimits webConnectionLimits();

void serveWebConnection(ConnectionSlot& slot, const WebRouter& router, const AllowedHosts& hosts);
