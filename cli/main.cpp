// rokuban-cli: the guide engine without a window, for schedulers, servers
// and scripting.
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <map>

#include "cli/cli.h"
#include "os/text.h"

namespace {

std::map<std::string, CliVerb>& verbs() {
  static std::map<std::string, CliVerb> table;
  return table;
}

int printUsage() {
  std::fprintf(stderr, "usage: rokuban-cli [--ini FILE] VERB [ARGS]\n");
  for (const auto& verb : verbs()) std::fprintf(stderr, "  %s\n", verb.second.usage);
  return 2;
}

}  // namespace

CliVerbRegistration::CliVerbRegistration(const CliVerb& verb) { verbs()[verb.name] = verb; }

void printOut(const std::string& cp932) {
  std::string text = os::cp932ToUtf8(cp932);
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void printError(const std::string& cp932) {
  std::string text = os::cp932ToUtf8(cp932);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

bool takeOption(std::vector<std::string>& args, const std::string& name, std::string* value) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    *value = i + 1 < args.size() ? args[i + 1] : std::string();
    args.erase(args.begin() + i, args.begin() + std::min(i + 2, args.size()));
    return true;
  }
  return false;
}

bool takeFlag(std::vector<std::string>& args, const std::string& name) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name) {
      args.erase(args.begin() + i);
      return true;
    }
  }
  return false;
}

int usageError(const CliContext&, const char* verbName) {
  auto found = verbs().find(verbName);
  std::fprintf(stderr, "usage: rokuban-cli [--ini FILE] %s\n",
               found == verbs().end() ? verbName : found->second.usage);
  return 2;
}

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  for (std::string& arg : args) arg = os::argumentToCp932(arg);
  CliContext context;
  if (!takeOption(args, "--ini", &context.settingsPath)) {
    context.settingsPath = os::settingsDirectory() + "Rokuban.ini";
  }
  if (args.empty() || args[0] == "--help" || args[0] == "help") return printUsage();
  auto verb = verbs().find(args[0]);
  if (verb == verbs().end()) {
    std::fprintf(stderr, "rokuban-cli: unknown verb '%s'\n", args[0].c_str());
    return printUsage();
  }
  args.erase(args.begin());
  context.args = args;
  context.settings.load(context.settingsPath);
  return verb->second.run(context);
}
