// The sync server: the shared connection server with the sync protocol on
// each connection.
#include "sync/sync_server.h"

#include "sync/sync_connection.h"
#include "sync/sync_table_folder.h"

SyncServer::SyncServer(const std::string& cacheDirectory, SyncServerLimits limits)
    : connections_(std::move(limits), [folder = SyncTableFolder(cacheDirectory)](ConnectionSlot& slot) {
        serveSyncConnection(slot, folder);
      }) {}
