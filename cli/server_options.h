// The options the server verbs share: --listen ADDR and --port N, read as
// people type them, and the lines a server prints as it starts.
#pragma once

#include <string>

#include "cli/cli.h"
#include "net/listen_address.h"

// The options takeServerOptions takes, for the server verbs' tables.
extern const CliOption kListenOption;
extern const CliOption kPortOption;  // beside parsePort

struct ServerOptions {
  std::string typed = "127.0.0.1";  // --listen as given
  ListenAddress address;
  int port = 0;
};

// Takes --listen and --port from the arguments. False after saying what is
// wrong (the caller returns 2).
bool takeServerOptions(CliContext& context, const char* verbName, int defaultPort, ServerOptions& options);
// "rokuban-cli: cannot listen on ADDR:PORT: REASON" on stderr; returns 1.
int listenFailure(const ServerOptions& options, const std::string& reason);
// What a start says on stderr: the address a typed name stands for and,
// when only this machine can connect, how other devices reach the server.
std::string listeningNotes(const ServerOptions& options);
// The start lines: "listening ADDR:PORT" on stdout (the port that was
// chosen, for scripts that give --port 0), then the notes.
void printListening(const ServerOptions& options, int port);
