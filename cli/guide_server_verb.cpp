// Verb "guide-server": the cached guide over HTTP for media centres that
// take a URL (GET /guide.xml, GET /guide.json) and as a page for the
// household's browsers (GET /).
#include <cstdio>

#include "cli/cli.h"
#include "cli/serve_until_interrupted.h"
#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "os/interrupt.h"
#include "os/os.h"
#include "webguide/guide_routes.h"
#include "webguide/guide_server.h"

namespace {

// How long a built document is served before the cache is read again.
constexpr int kRefreshMilliseconds = 10000;

int runGuideServer(CliContext& context) {
  std::string address = "127.0.0.1";
  std::string portText = std::to_string(GuideServer::kDefaultPort);
  int port = 0;
  const bool hasAddress = !takeOption(context.args, "--listen", &address) || !address.empty();
  takeOption(context.args, "--port", &portText);
  if (!context.args.empty() || !hasAddress || !parsePort(portText, port)) {
    return usageError(context, "guide-server");
  }
  GuideServer server(guideRouter(std::make_shared<GuideFeed>(context.settings, kRefreshMilliseconds),
                                 std::make_shared<WebPages>(context.settings)));
  if (!server.listen(address, port)) {
    std::fprintf(stderr, "rokuban-cli: cannot listen on %s:%d\n", address.c_str(), port);
    return 1;
  }
  os::catchInterrupts();
  // The chosen port first, for scripts that ask for a free one with --port 0.
  std::printf("listening %s:%d\n", address.c_str(), server.port());
  std::fflush(stdout);
  printError("serving " + context.settings.directory() + " at /, /guide.xml and /guide.json\n");
  // A pinned channel id the documents cannot use is said once, here.
  const Listing first = collectListing(guideCache(context.settings), defaultListingRange(currentDateTime()));
  for (const std::string& refusal : first.refusals) printError("rokuban-cli: " + refusal + "\n");

  return serveUntilInterrupted(server, "guide server");
}

const CliVerbRegistration kGuideServer(
    {"guide-server", "guide-server [--listen ADDR] [--port N]", runGuideServer,
     "serve the cached guide over HTTP: a page for browsers at /, /guide.xml and /guide.json",
     {{"--listen", OptionKind::Text, "the address to listen on (default: 127.0.0.1)"},
      {"--port", OptionKind::Number, "the port (0: any free one)"}},
     "guide-server --listen 0.0.0.0 --port 8089"});

}  // namespace
