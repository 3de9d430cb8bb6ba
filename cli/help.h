// The command-line tool's help texts, built from the registered verbs so
// that they cannot drift from what the verbs accept.
#pragma once

#include <map>
#include <string>

#include "cli/cli.h"

// The registered verbs by name.
const std::map<std::string, CliVerb>& registeredVerbs();

// "help": the global options and one line per verb.
std::string overallHelp();
// "help VERB": its usage, description, options and example.
std::string verbHelp(const CliVerb& verb);
// The README's command reference: overallHelp and every verb's usage line.
std::string commandReference();
// The short usage for stderr after a mistake.
std::string shortUsage();
// "rokuban-cli VERSION".
std::string versionText();
