// The server verbs' --listen and --port.
#include "cli/server_options.h"

#include <cstdio>

#include "cli/verb_options.h"

constexpr CliOption kListenOption{"--listen", OptionKind::Text,
                                  "the address or host name to listen on (default: 127.0.0.1)"};

bool takeServerOptions(CliContext& context, const char* verbName, int defaultPort, ServerOptions& options) {
  std::string portText = std::to_string(defaultPort);
  VerbOptions verbOptions(context);
  verbOptions.text(kListenOption, options.typed);
  verbOptions.text(kPortOption, portText);
  if (!context.args.empty() || !parsePort(portText, options.port)) {
    usageError(context, verbName);
    return false;
  }
  std::string failure;
  if (!readListenAddress(options.typed, options.address, failure)) {
    argumentError(verbName, "--listen: " + failure);
    return false;
  }
  return true;
}

int listenFailure(const ServerOptions& options, const std::string& reason) {
  printError("rokuban-cli: cannot listen on " + addressWithPort(options.address.numeric, options.port) + ": " +
             reason + "\n");
  return 1;
}

std::string listeningNotes(const ServerOptions& options) {
  std::string notes;
  if (options.typed != options.address.numeric) notes += "(" + options.typed + " is " + options.address.numeric + ")\n";
  if (options.address.loopbackOnly) {
    notes += "only this machine can connect; for phones and other computers, start with --listen ADDRESS "
             "(this machine's address on the home network, or 0.0.0.0 for all of them)\n";
  }
  return notes;
}

void printListening(const ServerOptions& options, int port) {
  std::printf("listening %s\n", addressWithPort(options.address.numeric, port).c_str());
  std::fflush(stdout);
  printError(listeningNotes(options));
}
