// VerbOptions: a verb's options taken out of its arguments by the CliOption
// constants its table lists. Each read takes the option's first occurrence
// (and its value) out of context.args, as the verb comes to it; what is
// left are the verb's words, or options given twice. Reading an option
// the table does not list is the verb's mistake: it is said on stderr and
// reads as absent, so a test that runs the verb sees it.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"

class VerbOptions {
 public:
  // Reads and takes from `context.args`, by `context.options`.
  explicit VerbOptions(CliContext& context) : context_(context) {}

  bool flag(const CliOption& option);
  // False, leaving `value` as it was, when the option is absent.
  bool text(const CliOption& option, std::string& value);
  // The value's leading digits (a Number option's are all digits).
  bool number(const CliOption& option, int& value);
  // Every value of a repeatable option, in order.
  std::vector<std::string> texts(const CliOption& option);

 private:
  bool listed(const CliOption& option) const;
  // The index of the option's first occurrence, or args.size().
  std::size_t find(const CliOption& option) const;

  CliContext& context_;
};
