// The command-line tool's frame: each verb lives in a file of its own and
// registers itself with a static CliVerbRegistration.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_option.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"

struct CliContext {
  CliContext() = default;
  CliContext(const CliContext&) = delete;  // the cache points at these settings
  CliContext& operator=(const CliContext&) = delete;

  std::string settingsPath;
  SettingsStore settings;  // loaded from settingsPath before the verb runs
  GuideCache cache{settings};  // the verb's own
  std::vector<std::string> args;  // after the verb, arguments in code page 932
  bool quiet = false;             // --quiet: only errors and the "result N" line
  const char* verbName = "";      // the verb being run
  const std::vector<CliOption>* options = nullptr;  // its table's, the only ones it may read
};

// What the frame does around a verb besides running it, or'ed together.
enum CliVerbTraits : unsigned {
  kReadsOnly = 1u << 0,  // never creates the cache folder
  kDashWords = 1u << 1,  // "-word" is a word, not an option (see checkArguments)
  // Holds the settings file's lock from the load to the end of the verb:
  // quick verbs that change what they have just read (the next list number).
  kLocksSettings = 1u << 2,
};

struct CliVerb {
  const char* name;
  const char* usage;  // one line, after "rokuban-cli [--ini FILE] "
  int (*run)(CliContext& context);
  const char* summary;  // one line: what the verb does
  std::vector<CliOption> options;
  const char* example;  // one command line, after "rokuban-cli "
  unsigned traits = 0;  // CliVerbTraits
};

struct CliVerbRegistration {
  explicit CliVerbRegistration(const CliVerb& verb);
};

// Writes Shift-JIS text to stdout or stderr as UTF-8.
void printOut(const std::string& cp932);
// A line of guide text for a terminal: C0 controls other than tab, and DEL,
// which a synced table may carry, shown as ^X instead of acting on it.
std::string visibleLine(const std::string& cp932);
// The same, appended to `out`: a search prints thousands of lines.
void appendVisibleLine(std::string& out, const std::string& cp932);
void printError(const std::string& cp932);

// A port number 0..65535 (0 picks a free port); false for anything else.
bool parsePort(const std::string& text, int& port);
// "rokuban-cli: cannot VERB PATH: SYSTEM ERROR TEXT" on stderr, right after
// the failed call.
void printFileFailure(const char* verb, const std::string& path);
// Prints "usage: rokuban-cli ..." for the verb to stderr and returns 2.
int usageError(const CliContext& context, const char* verbName);
// Prints "rokuban-cli: VERB: PROBLEM" and the verb's usage to stderr;
// returns 2.
int argumentError(const char* verbName, const std::string& problem);
// Saves the settings. False, saying why on stderr, when the file cannot be
// written or was not read whole (its old content is then kept as a backup,
// or the file left as it was).
bool saveSettings(CliContext& context);

// One command line, its arguments as given after the program name; the
// exit code.
int runCli(std::vector<std::string> args);
