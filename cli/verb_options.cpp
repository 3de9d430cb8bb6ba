#include "cli/verb_options.h"

#include <algorithm>
#include <cstring>

bool VerbOptions::listed(const CliOption& option) const {
  if (context_.options) {
    for (const CliOption& entry : *context_.options) {
      if (std::strcmp(entry.name, option.name) == 0) return true;
    }
  }
  printError(std::string("rokuban-cli: ") + context_.verbName + " reads " + option.name +
             ", which its table does not list\n");
  return false;
}

std::size_t VerbOptions::find(const CliOption& option) const {
  const std::vector<std::string>& args = context_.args;
  if (!listed(option)) return args.size();
  return std::find(args.begin(), args.end(), option.name) - args.begin();
}

bool VerbOptions::flag(const CliOption& option) {
  std::vector<std::string>& args = context_.args;
  const std::size_t at = find(option);
  if (at == args.size()) return false;
  args.erase(args.begin() + at);
  return true;
}

bool VerbOptions::text(const CliOption& option, std::string& value) {
  std::vector<std::string>& args = context_.args;
  const std::size_t at = find(option);
  if (at == args.size()) return false;
  // A value that is missing here was another option's value: it reads empty.
  value = at + 1 < args.size() ? args[at + 1] : std::string();
  args.erase(args.begin() + at, args.begin() + std::min(at + 2, args.size()));
  return true;
}

bool VerbOptions::number(const CliOption& option, int& value) {
  std::string digits;
  if (!text(option, digits)) return false;
  value = parseLeadingInt(digits);
  return true;
}

std::vector<std::string> VerbOptions::texts(const CliOption& option) {
  std::vector<std::string> values;
  for (std::string value; text(option, value);) values.push_back(value);
  return values;
}
