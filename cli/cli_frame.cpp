// The command-line tool's frame: the verb table, the option helpers and
// the run of one command line.
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

bool saveSettings(CliContext& context) {
  const SettingsStore& settings = context.settings;
  const bool whole = settings.loadedWhole();
  const char* path = context.settingsPath.c_str();
  if (!context.settings.save()) {
    std::fprintf(stderr, "rokuban-cli: cannot write %s%s\n", path,
                 whole ? "" : ": it could not be read whole, and is left as it was");
    return false;
  }
  if (whole) return true;
  std::fprintf(stderr, "rokuban-cli: %s could not be read to its end; its old content is kept in %s\n",
               path, settings.backupPath().c_str());
  return false;
}

int runCli(std::vector<std::string> args) {
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
