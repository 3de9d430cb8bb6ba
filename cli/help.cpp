#include "cli/help.h"

#include "config/version.h"

namespace {

const char kProgram[] = "rokuban-cli";

std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + "  " : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string overallHelp() {
  std::string text = std::string("usage: ") + kProgram + " [--ini FILE] [--quiet] VERB [ARGS]\n\n";
  text += "Options before the verb:\n";
  text += "  --ini FILE     the settings file (default: Rokuban.ini beside the program on Windows, "
          "else ~/.config/rokuban/Rokuban.ini)\n";
  text += "  --quiet        print only errors and the result line\n";
  text += "  --version      print the name and version\n";
  text += "  -h, --help     print this help; 'help VERB' for one verb\n\nVerbs:\n";
  for (const auto& entry : registeredVerbs()) text += "  " + padded(entry.first, 14) + entry.second.summary + "\n";
  text += "\nExit codes: 0 success, 1 the job failed, 2 wrong usage, 130/143 stopped by SIGINT/SIGTERM.\n";
  return text;
}

std::string verbHelp(const CliVerb& verb) {
  std::string text = std::string("usage: ") + kProgram + " [--ini FILE] " + verb.usage + "\n\n";
  text += std::string(verb.summary) + "\n";
  if (!verb.options.empty()) {
    text += "\nOptions:\n";
    for (const CliOption& option : verb.options) text += "  " + padded(option.name, 14) + option.help + "\n";
  }
  text += std::string("\nExample:\n  ") + kProgram + " " + verb.example + "\n";
  return text;
}

std::string commandReference() {
  std::string text = overallHelp() + "\nUsage of each verb:\n";
  for (const auto& entry : registeredVerbs()) text += std::string(kProgram) + " [--ini FILE] " + entry.second.usage + "\n";
  return text;
}

std::string shortUsage() {
  return std::string("usage: ") + kProgram + " [--ini FILE] [--quiet] VERB [ARGS]   (" + kProgram +
         " help: the verbs)\n";
}

std::string versionText() { return std::string(kProgram) + " " + kVersionLabel + "\n"; }
