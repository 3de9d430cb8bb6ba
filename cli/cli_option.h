// CliOption: one option of a verb, as its table lists it (for checking and
// for "help VERB") and as its body reads it (VerbOptions): a verb names
// each option once, in the constant both use.
#pragma once

// What an option of a verb takes after it.
enum class OptionKind { Flag, Text, Number };

struct CliOption {
  const char* name;  // "--days"
  OptionKind kind;
  const char* help;  // one line for "help VERB"

  // The same option as another verb's table explains it.
  constexpr CliOption withHelp(const char* otherHelp) const { return {name, kind, otherHelp}; }
};
