// SyncConnection: the sync server's side of one client connection, served on
// a thread of its own. It reads requests, sends the replies of its
// SyncRequestHandler, and ends when the client closes, sends something it
// does not understand, misses a request deadline or a send time-out, is
// asked to give way, or the server stops.
#pragma once

#include "net/connection_slot.h"
#include "sync/sync_table_folder.h"

// Serves requests on `slot` until the connection ends.
void serveSyncConnection(ConnectionSlot& slot, const SyncTableFolder& folder);
