#include "cli/arguments.h"

#include <cstdio>

#include "bytes/string_map.h"
#include "calendar/calendar.h"
#include "os/ascii.h"

constexpr CliOption kNowOption{"--now", OptionKind::Text, "the moment to act as of, \"YYYY-MM-DD HH:MM\""};
constexpr CliOption kFromOption{"--from", OptionKind::Text, "the first broadcast day (default: today)"};
constexpr CliOption kDaysOption{"--days", OptionKind::Number, "how many days, 1-31 (default: 7)"};

namespace {

const CliOption* findOption(const std::vector<CliOption>& options, const std::string& name) {
  for (const CliOption& option : options) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

bool isOptionLike(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// "YYYY-MM-DD HH:MM"; false when it is not a valid moment.
bool parseMoment(const std::string& text, DateTime& moment) {
  char end;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d%c", &moment.year, &moment.month, &moment.day,
                  &moment.hour, &moment.minute, &end) != 5) {
    return false;
  }
  if (moment.month < 1 || moment.month > 12 || moment.day < 1 || moment.day > 31 ||
      moment.hour < 0 || moment.hour > 23 || moment.minute < 0 || moment.minute > 59) {
    return false;
  }
  CalendarDate date = dateFromDayNumber(dayNumber(moment.year, moment.month, moment.day));
  return date.month == moment.month && date.day == moment.day;
}

}  // namespace

bool checkArguments(const CliVerb& verb, std::vector<std::string>& args, std::string& problem) {
  const std::vector<CliOption>& options = verb.options;
  const bool dashWords = verb.traits & kDashWords;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!isOptionLike(args[i]) || (dashWords && args[i][1] != '-')) continue;
    const std::size_t equals = args[i].find('=');
    if (args[i].compare(0, 2, "--") == 0 && equals != std::string::npos) {
      const std::string value = args[i].substr(equals + 1);
      args[i].resize(equals);
      args.insert(args.begin() + i + 1, value);
    }
    const CliOption* option = findOption(options, args[i]);
    if (!option) {
      problem = "unknown option " + args[i];
      return false;
    }
    if (option->kind == OptionKind::Flag) {
      if (equals != std::string::npos) {
        problem = args[i] + " takes no value";
        return false;
      }
      continue;
    }
    if (i + 1 >= args.size()) {
      problem = args[i] + " needs a value";
      return false;
    }
    ++i;
    if (option->kind == OptionKind::Number && !ascii::allDigits(args[i])) {
      problem = std::string(option->name) + " wants a whole number, not '" + args[i] + "'";
      return false;
    }
  }
  return true;
}

bool parseDayArgument(const std::string& text, int todayNumber, int& number, std::string& problem) {
  if (text == "today" || text == "tomorrow") {
    number = todayNumber + (text == "tomorrow");
    return true;
  }
  int year, month, day;
  char end;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &end) != 3) {
    problem = "'" + text + "' is not YYYY-MM-DD, today or tomorrow";
    return false;
  }
  if (year < 1900) {
    problem = "'" + text + "': year " + std::to_string(year) + " is before 1900";
    return false;
  }
  if (month < 1 || month > 12) {
    problem = "'" + text + "': month " + std::to_string(month) + " is not 1-12";
    return false;
  }
  number = dayNumber(year, month, day);
  const CalendarDate date = dateFromDayNumber(number);
  if (day < 1 || date.month != month || date.day != day) {
    problem = "'" + text + "': day " + std::to_string(day) + " is not in that month";
    return false;
  }
  return true;
}

bool takeMoment(CliContext& context, DateTime& moment) {
  std::string text;
  if (!VerbOptions(context).text(kNowOption, text)) {
    moment = currentDateTime();
    return true;
  }
  if (parseMoment(text, moment)) return true;
  argumentError(context.verbName, "--now wants \"YYYY-MM-DD HH:MM\", not \"" + text + "\"");
  return false;
}

bool takeListingDays(VerbOptions& options, ListingRange& range) {
  std::string fromText, daysText;
  if (options.text(kFromOption, fromText) && !parseIsoDate(fromText, range.from)) return false;
  if (options.text(kDaysOption, daysText)) {
    if (daysText.empty() || daysText.find_first_not_of("0123456789") != std::string::npos) return false;
    range.days = parseLeadingInt(daysText);
    if (range.days < 1 || range.days > kMostListingDays) return false;
  }
  return true;
}
