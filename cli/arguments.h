// The one option parser of every verb: checks a verb's arguments against
// the options it declares before the verb reads them.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"

// Splits "--opt=value" into "--opt" "value" and refuses an option the verb
// does not declare, a missing value and a Number option whose value is not
// digits. False with `problem` naming the option and what is wrong.
bool checkArguments(const std::vector<CliOption>& options, std::vector<std::string>& args,
                    std::string& problem);

// "YYYY-MM-DD", "today" or "tomorrow" (broadcast days, as of `todayNumber`)
// as a day number; false with `problem` saying which part is wrong.
bool parseDayArgument(const std::string& text, int todayNumber, int& number, std::string& problem);
