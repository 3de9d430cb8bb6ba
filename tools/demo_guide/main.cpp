// rokuban-demo-guide: the demo guide service on loopback.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "os/interrupt.h"
#include "os/os.h"
#include "tools/demo_guide/demo_guide_server.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: rokuban-demo-guide [--listen ADDR] [--port N] [--port-file FILE]\n"
               "       [--user ID] [--password PW] [--cut-bodies N] [--refuse] [--silent]\n"
               "       [--fail-status CODE] [--markup-title]\n"
               "Serves a made-up week of programme pages (default 127.0.0.1, a free port).\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  DemoGuideOptions options;
  std::string portFile;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--listen" && hasValue) options.listenAddress = argv[++i];
    else if (arg == "--port" && hasValue) options.port = std::atoi(argv[++i]);
    else if (arg == "--port-file" && hasValue) portFile = argv[++i];
    else if (arg == "--user" && hasValue) options.user = argv[++i];
    else if (arg == "--password" && hasValue) options.password = argv[++i];
    else if (arg == "--cut-bodies" && hasValue) options.cutBodies = std::atoi(argv[++i]);
    else if (arg == "--fail-status" && hasValue) options.failStatus = std::atoi(argv[++i]);
    else if (arg == "--refuse") options.refuse = true;
    else if (arg == "--silent") options.silent = true;
    else if (arg == "--markup-title") options.markupTitle = true;
    else return usage();
  }
  os::catchInterrupts();
  DemoGuideServer server(options);
  if (!server.start()) {
    std::fprintf(stderr, "rokuban-demo-guide: cannot listen on %s:%d\n",
                 options.listenAddress.c_str(), options.port);
    return 1;
  }
  std::printf("rokuban-demo-guide: listening on %s:%d\n", options.listenAddress.c_str(),
              server.port());
  std::fflush(stdout);
  if (!portFile.empty()) {
    FILE* file = std::fopen(portFile.c_str(), "w");
    if (file) {
      std::fprintf(file, "%d\n", server.port());
      std::fclose(file);
    }
  }
  while (!os::interrupted()) os::sleepMilliseconds(200);
  server.stop();
  return 0;
}
