// Verb "guide-server": the cached guide over HTTP for media centres that
// take a URL (GET /guide.xml, GET /guide.json) and as a page for the
// household's browsers (GET /).
#include <cstdio>

#include "cli/cli.h"
#include "cli/serve_until_interrupted.h"
#include "cli/server_options.h"
#include "cli/verb_options.h"
#include "guide/guide_cache.h"
#include "listing/listing.h"
#include "os/interrupt.h"
#include "os/os.h"
#include "webguide/guide_routes.h"
#include "webguide/guide_server.h"
#include "webguide/listing_memo.h"

namespace {

// How long a built document is served before the cache is read again.
constexpr int kRefreshMilliseconds = 10000;

// The listen address as typed and as it is, this machine's name, and the
// names the user adds.
AllowedHosts allowedHosts(const ServerOptions& options, const std::vector<std::string>& added) {
  AllowedHosts hosts;
  hosts.add(options.typed);
  hosts.add(options.address.numeric);
  hosts.addThisMachine();
  for (const std::string& name : added) hosts.add(name);
  return hosts;
}

const CliOption kAllowHost{"--allow-host", OptionKind::Text, "answer requests for this name too (repeatable)"};

int runGuideServer(CliContext& context) {
  const std::vector<std::string> added = VerbOptions(context).texts(kAllowHost);
  for (const std::string& name : added) {
    if (name.empty()) return argumentError("guide-server", "--allow-host wants a name");
    if (AllowedHosts::namesAPort(name)) {
      return argumentError("guide-server", "--allow-host takes a name without a port, not '" + name +
                                               "' (a request's port is never compared)");
    }
  }
  ServerOptions options;
  if (!takeServerOptions(context, "guide-server", GuideServer::kDefaultPort, options)) return 2;
  // The pages and the feed read the cache through one memo of its listings.
  auto memo = std::make_shared<ListingMemo>(context.settings);
  auto pages = std::make_shared<WebPages>(context.settings, memo);
  GuideServer server(guideRouter(std::make_shared<GuideFeed>(memo, kRefreshMilliseconds), pages),
                     webConnectionLimits(), allowedHosts(options, added));
  std::string failure;
  if (!server.listen(options.address.numeric, options.port, &failure)) return listenFailure(options, failure);
  os::catchInterrupts();
  // Read before the server says it listens (connections wait meanwhile), the
  // week and the pages' days are ready for the first requests.
  const std::shared_ptr<const Listing> first = memo->listing(defaultListingRange(currentDateTime()));
  pages->prepare();
  printListening(options, server.port());
  printError("serving " + context.settings.directory() + " at /, /guide.xml and /guide.json\n");
  // A pinned channel id the documents cannot use is said once, here.
  for (const std::string& refusal : first->refusals) printError("rokuban-cli: " + refusal + "\n");

  return serveUntilInterrupted(server, "guide server");
}

const CliVerbRegistration kGuideServer(
    {"guide-server", "guide-server [--listen ADDR] [--port N] [--allow-host NAME]...", runGuideServer,
     "serve the cached guide over HTTP: a page for browsers at /, /guide.xml and /guide.json",
     {kListenOption, kPortOption, kAllowHost},
     "guide-server --listen 0.0.0.0 --port 8089"});

}  // namespace
