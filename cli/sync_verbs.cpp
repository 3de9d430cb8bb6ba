// Verbs "sync" (fetch the table files from the sync server of the settings)
// and "sync-server" (serve this settings file's cache directory to others).
#include <cstdio>

#include "cli/cli.h"
#include "cli/console_progress.h"
#include "cli/serve_until_interrupted.h"
#include "cli/watch_change_report.h"
#include "cli/server_options.h"
#include "cli/verb_options.h"
#include "guide/guide_cache.h"
#include "job/job_messages.h"
#include "os/interrupt.h"
#include "os/os.h"
#include "sync/sync_client.h"
#include "sync/sync_server.h"

namespace {

int runSync(CliContext& context) {
  VerbOptions options(context);
  const int maxTime = takeMaxTime(options);
  if (!context.args.empty()) return usageError(context, "sync");
  const Deadline deadline(maxTime);
  ConsoleProgress progress(context.quiet);
  progress.setDeadline(&deadline);
  progress.setServer(context.settings.syncServer() + ":" + std::to_string(context.settings.syncPort()));
  bool saved = true;
  const int result = followWatchedProgrammes(
      context, currentDateTime(), [&] { return SyncClient(context.cache).run(progress); }, saved);
  // The sync's result is the number of files its clean-up deleted.
  if (result >= 0 && !context.quiet) {
    std::fprintf(stderr, "fetched %d files, deleted %d\n", progress.countedItemsBegun(), result);
  }
  const int exitCode = finishRun(result, deadline, maxTime);
  return saved ? exitCode : 1;
}

int runSyncServer(CliContext& context) {
  ServerOptions options;
  if (!takeServerOptions(context, "sync-server", SyncServer::kDefaultPort, options)) return 2;
  std::string directory = context.cache.cacheDirectory();
  if (directory.empty()) {
    printError(std::string(job::kNoCacheFolder.japanese) + "\n");
    return 1;
  }
  SyncServer server(directory);
  std::string failure;
  if (!server.listen(options.address.numeric, options.port, &failure)) return listenFailure(options, failure);
  os::catchInterrupts();
  printError("serving " + context.settings.directory() + "\n");
  printListening(options, server.port());

  return serveUntilInterrupted(server, "sync server");
}

const CliVerbRegistration kSync({"sync", "sync [--max-time SECONDS]", runSync,
                                 "copy the table files of the sync server into the cache",
                                 {kMaxTimeOption},
                                 "sync --max-time 300"});
const CliVerbRegistration kSyncServer({"sync-server", "sync-server [--listen ADDR] [--port N]", runSyncServer,
                                       "serve the cache's table files to other machines",
                                       {kListenOption,
                                        kPortOption.withHelp("the port (default: 23850; 0: any free one)")},
                                       "sync-server --port 23850"});

}  // namespace
