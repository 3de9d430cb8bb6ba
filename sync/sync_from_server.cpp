// The guide cache's sync job, with the program's own socket time-out.
#include "guide/guide_cache.h"
#include "sync/sync_client.h"

int GuideCache::syncFromServer(ProgressSink& progress) { return SyncClient(*this).run(progress); }
