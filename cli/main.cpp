// rokuban-cli: the guide engine without a window, for schedulers, servers
// and scripting.
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) { return runCli(std::vector<std::string>(argv + 1, argv + argc)); }
