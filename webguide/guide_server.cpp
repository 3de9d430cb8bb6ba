// The guide service: the shared connection server with one HTTP request on
// each connection.
#include "webguide/guide_server.h"

GuideServer::GuideServer(std::shared_ptr<const WebRouter> router, ConnectionLimits limits, AllowedHosts hosts)
    : connections_(std::move(limits), [router, hosts = std::make_shared<const AllowedHosts>(std::move(hosts))](
                                          ConnectionSlot& slot) { serveWebConnection(slot, *router, *hosts); }) {}
