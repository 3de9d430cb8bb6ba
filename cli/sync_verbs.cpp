// Verbs "sync" (fetch the table files from the sync server of the settings)
// and "sync-server" (serve this settings file's cache directory to others).
#include <cstdio>

#include "cli/cli.h"
#include "cli/serve_until_interrupted.h"
#include "cli/console_progress.h"
#include "guide/guide_cache.h"
#include "os/interrupt.h"
#include "os/os.h"
#include "sync/sync_server.h"

namespace {

// 保存先ディレクトリがない！
const char kNoDirectory[] =
    "\x95\xdb\x91\xb6\x90\xe6\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x82\xaa\x82\xc8"
    "\x82\xa2\x81\x49";

int runSync(CliContext& context) {
  const int maxTime = takeMaxTime(context.args);
  if (!context.args.empty()) return usageError(context, "sync");
  const Deadline deadline(maxTime);
  ConsoleProgress progress(context.quiet);
  progress.setDeadline(&deadline);
  progress.setServer(context.settings.syncServer() + ":" + std::to_string(context.settings.syncPort()));
  const int result = guideCache(context.settings).syncFromServer(progress);
  // The sync's result is the number of files its clean-up deleted.
  if (result >= 0 && !context.quiet) {
    std::fprintf(stderr, "fetched %d files, deleted %d\n", progress.countedItemsBegun(), result);
  }
  return finishRun(result, deadline, maxTime);
}

int runSyncServer(CliContext& context) {
  std::string address = "127.0.0.1";
  std::string portText = std::to_string(SyncServer::kDefaultPort);
  int port = 0;
  bool hasAddress = !takeOption(context.args, "--listen", &address) || !address.empty();
  takeOption(context.args, "--port", &portText);
  if (!context.args.empty() || !hasAddress || !parsePort(portText, port)) {
    return usageError(context, "sync-server");
  }
  std::string directory = guideCache(context.settings).cacheDirectory();
  if (directory.empty()) {
    printError(std::string(kNoDirectory) + "\n");
    return 1;
  }
  SyncServer server(directory);
  if (!server.listen(address, port)) {
    std::fprintf(stderr, "rokuban-cli: cannot listen on %s:%d\n", address.c_str(), port);
    return 1;
  }
  os::catchInterrupts();
  printError("serving " + context.settings.directory() + "\n");
  // The chosen port, for scripts that ask for a free one with --port 0.
  std::printf("listening %s:%d\n", address.c_str(), server.port());
  std::fflush(stdout);

  return serveUntilInterrupted(server, "sync server");
}

const CliVerbRegistration kSync({"sync", "sync [--max-time SECONDS]", runSync,
                                 "copy the table files of the sync server into the cache",
                                 {{"--max-time", OptionKind::Number, "end the whole run after SECONDS"}},
                                 "sync --max-time 300"});
const CliVerbRegistration kSyncServer({"sync-server", "sync-server [--listen ADDR] [--port N]", runSyncServer,
                                       "serve the cache's table files to other machines",
                                       {{"--listen", OptionKind::Text, "the address to listen on (default: 127.0.0.1)"},
                                        {"--port", OptionKind::Number, "the port (default: 23850; 0: any free one)"}},
                                       "sync-server --port 23850"});

}  // namespace
