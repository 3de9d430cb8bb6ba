// The stand-in of the recorder's reserve API for the end-to-end tests
// (tests/support/recorder_double.h): it serves on a free loopback port,
// written to --port-file, with --tuners tuners, until it is killed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "os/os.h"
#include "os/socket.h"
#include "tests/support/recorder_double.h"

int main(int argc, char** argv) {
  std::string portFile;
  int tuners = 2;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--port-file") portFile = argv[i + 1];
    else if (option == "--tuners") tuners = std::atoi(argv[i + 1]);
  }
  os::startSockets();
  RecorderDouble recorder(tuners);
  if (recorder.port() <= 0) return 1;
  std::FILE* file = portFile.empty() ? stdout : std::fopen(portFile.c_str(), "w");
  if (!file) return 1;
  std::fprintf(file, "%d\n", recorder.port());
  if (file != stdout) std::fclose(file);
  else std::fflush(stdout);
  for (;;) os::sleepMilliseconds(1000);
}
