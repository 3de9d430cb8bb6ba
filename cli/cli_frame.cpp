// The command-line tool's frame: the verb table, the output helpers and
// the run of one command line.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "cli/cli.h"
#include "cli/arguments.h"
#include "cli/help.h"
#include "guide/guide_cache.h"
#include "os/os.h"
#include "os/settings_directory.h"
#include "os/standard_stream.h"
#include "os/text.h"

namespace {

std::map<std::string, CliVerb>& verbs() {
  static std::map<std::string, CliVerb> table;
  return table;
}

void writeOut(const std::string& text) { os::writeStandard(os::StandardStream::Output, text); }

int usageFailure(const std::string& problem) {
  std::fprintf(stderr, "rokuban-cli: %s\n%s", problem.c_str(), shortUsage().c_str());
  return 2;
}

// "help", "help VERB", "--help", "-h", "VERB --help", "VERB -h".
bool asksForHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return true;
  }
  return !args.empty() && args[0] == "help";
}

int printHelp(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    auto verb = verbs().find(arg);
    if (verb != verbs().end()) {
      writeOut(verbHelp(verb->second));
      return 0;
    }
  }
  if (args.size() == 2 && args[0] == "help") return usageFailure("unknown verb '" + args[1] + "'");
  writeOut(overallHelp());
  return 0;
}

}  // namespace

const std::map<std::string, CliVerb>& registeredVerbs() { return verbs(); }

CliVerbRegistration::CliVerbRegistration(const CliVerb& verb) { verbs()[verb.name] = verb; }

void printOut(const std::string& cp932) {
  std::string text = os::cp932ToUtf8(cp932);
  os::writeStandard(os::StandardStream::Output, text);
}

std::string visibleLine(const std::string& cp932) {
  std::string shown;
  appendVisibleLine(shown, cp932);
  return shown;
}

namespace {

// False when `text` holds no byte below 0x20 and no 0x7F; true may be a tab.
bool mayHoldControl(const std::string& text) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  // A word's byte is below n where (byte - n) borrows into its high bit
  // while the byte's own high bit is clear.
  const auto anyBelow = [](std::uint64_t word, std::uint64_t n) { return ((word - n * kOnes) & ~word & kHighs) != 0; };
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if (anyBelow(word, 0x20) || anyBelow(word ^ (0x7F * kOnes), 1)) return true;
  }
  for (; at < text.size(); ++at) {
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

}  // namespace

void appendVisibleLine(std::string& shown, const std::string& cp932) {
  // A trail byte is 0x40 or above and never 0x7F, and a lead byte is above
  // 0x80: no control is ever part of a character, so each is shown as ^X
  // (a title's NUL as well) without reading the characters around it.
  const auto isControl = [](unsigned char byte) { return (byte < 0x20 && byte != '\t') || byte == 0x7F; };
  // Most lines hold none: looked for eight bytes at a time, then copied whole.
  if (!mayHoldControl(cp932)) {
    shown += cp932;
    return;
  }
  shown.reserve(shown.size() + cp932.size());
  // Runs of bytes shown as they are go in at once.
  std::size_t run = 0;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(cp932[i]);
    if (!isControl(byte)) continue;
    shown.append(cp932, run, i - run);
    shown += '^';
    shown += static_cast<char>(byte == 0x7F ? '?' : byte + 0x40);
    run = i + 1;
  }
  shown.append(cp932, run, std::string::npos);
}

void printError(const std::string& cp932) {
  std::string text = os::cp932ToUtf8(cp932);
  os::writeStandard(os::StandardStream::Error, text);
}

void printFileFailure(const char* verb, const std::string& path) {
  const std::string reason = os::lastErrorText();
  printError(std::string("rokuban-cli: cannot ") + verb + " " + path + ": " + reason + "\n");
}

int usageError(const CliContext&, const char* verbName) {
  auto found = verbs().find(verbName);
  std::fprintf(stderr, "usage: rokuban-cli [--ini FILE] %s\n",
               found == verbs().end() ? verbName : found->second.usage);
  return 2;
}

int argumentError(const char* verbName, const std::string& problem) {
  printError(std::string("rokuban-cli: ") + verbName + ": " + problem + "\n");
  CliContext none;
  return usageError(none, verbName);
}

namespace {

// The settings' lock file could not be taken: said with its name and why.
int lockFailure(const SettingsStore& settings) {
  printError("rokuban-cli: cannot lock " + settings.lockFailure() +
             "; nothing was saved (remove that file, or give it back to this user)\n");
  return 1;
}

}  // namespace

bool saveSettings(CliContext& context) {
  const SettingsStore& settings = context.settings;
  const bool whole = settings.loadedWhole();
  const char* path = context.settingsPath.c_str();
  if (context.settingsPath == os::settingsDirectory() + "Rokuban.ini") os::createSettingsDirectory();
  if (!context.settings.save()) {
    if (!settings.lockFailure().empty()) {
      lockFailure(settings);
    } else if (whole) {
      printFileFailure("write", path);
    } else {
      printError(std::string("rokuban-cli: cannot write ") + path + ": it could not be read whole, and is left as it was\n");
    }
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
  // The options before the verb; "--ini=FILE" as well as "--ini FILE".
  std::size_t verbAt = 0;
  for (; verbAt < args.size(); ++verbAt) {
    const std::string& arg = args[verbAt];
    if (arg == "--quiet") {
      context.quiet = true;
    } else if (arg.compare(0, 6, "--ini=") == 0) {
      context.settingsPath = arg.substr(6);
    } else if (arg == "--ini") {
      if (++verbAt == args.size()) return usageFailure("--ini needs a value");
      context.settingsPath = args[verbAt];
    } else {
      break;
    }
  }
  args.erase(args.begin(), args.begin() + verbAt);
  if (context.settingsPath.empty()) context.settingsPath = os::settingsDirectory() + "Rokuban.ini";
  if (args.empty()) {
    std::fprintf(stderr, "%s", shortUsage().c_str());
    return 2;
  }
  if (args[0] == "--version" || args[0] == "version") {
    writeOut(versionText());
    return 0;
  }
  if (asksForHelp(args)) return printHelp(args);
  auto verb = verbs().find(args[0]);
  if (verb == verbs().end()) {
    const bool option = args[0].size() > 1 && args[0][0] == '-';
    return usageFailure((option ? "unknown option '" : "unknown verb '") + args[0] + "'");
  }
  args.erase(args.begin());
  std::string problem;
  if (!checkArguments(verb->second, args, problem)) return argumentError(verb->first.c_str(), problem);
  context.args = args;
  context.verbName = verb->second.name;
  context.options = &verb->second.options;
  if (verb->second.traits & kLocksSettings) {
    if (context.settingsPath == os::settingsDirectory() + "Rokuban.ini") os::createSettingsDirectory();
    if (!context.settings.lockForUpdate(context.settingsPath)) return lockFailure(context.settings);
  }
  context.settings.load(context.settingsPath);
  if (context.settings.wasUtf8()) {
    printError("rokuban-cli: note: " + context.settingsPath +
               " is UTF-8; it is read as Shift-JIS and the next save writes it in Shift-JIS\n");
  }
  context.cache.setCreatesDirectory(!(verb->second.traits & kReadsOnly));
  return verb->second.run(context);
}
