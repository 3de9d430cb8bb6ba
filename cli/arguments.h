// The one option parser of every verb: checks a verb's arguments against
// the options it declares before the verb reads them.
#pragma once

#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "cli/verb_options.h"
#include "listing/listing.h"

// The options the helpers below take, for the tables of the verbs that
// call them (with a help line of their own where the verb reads them
// otherwise).
extern const CliOption kNowOption;
extern const CliOption kFromOption;
extern const CliOption kDaysOption;

// Splits "--opt=value" into "--opt" "value" and refuses an option the verb
// does not declare, a missing value and a Number option whose value is not
// digits. False with `problem` naming the option and what is wrong. For a
// verb with kDashWords, only "--" begins an option: "-word" is a word of
// the verb's.
bool checkArguments(const CliVerb& verb, std::vector<std::string>& args, std::string& problem);

// "YYYY-MM-DD", "today" or "tomorrow" (broadcast days, as of `todayNumber`)
// as a day number; false with `problem` saying which part is wrong.
bool parseDayArgument(const std::string& text, int todayNumber, int& number, std::string& problem);

// Takes "--now \"YYYY-MM-DD HH:MM\""; the local time when absent. False,
// after saying so, on a malformed value.
bool takeMoment(CliContext& context, DateTime& moment);

constexpr int kMostListingDays = 31;
// Takes "--from YYYY-MM-DD" and "--days N" (1-31) into `range`; false on a
// bad value.
bool takeListingDays(VerbOptions& options, ListingRange& range);
