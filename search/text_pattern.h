// TextPattern: a regular expression that says whether it occurs anywhere in
// a text, in one pass over the text: every place the pattern could have
// reached is kept at once (at most one per instruction), so the time grows
// with the text times the program's size, whatever the pattern, and
// nothing recurses per byte. The text is searched byte by byte.
//
// Calling protocol: compile once (it says why a pattern is refused), then
// ask foundIn from any number of threads.
#pragma once

#include <string>

#include "search/pattern_program.h"

class TextPattern {
 public:
  PatternVerdict compile(const std::string& pattern);
  bool foundIn(const std::string& text) const;
  // Instructions: the most places kept at once.
  std::size_t size() const { return program_.instructions.size(); }

 private:
  PatternProgram program_;
  ByteSet firstBytes_;           // bytes a match can begin with
  bool everyStartCounts_ = true;  // a match can begin without a byte (an empty one, or an assertion)
};
