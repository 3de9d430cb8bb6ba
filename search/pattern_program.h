// PatternProgram: a regular expression compiled to instructions for a
// one-pass automaton (text_pattern.h runs them). The expression is read as
// the query language takes it (ECMAScript's syntax, byte by byte); what
// cannot run in one pass (back-references, look-arounds) and what would
// make too large a program (repeats of repeats) is refused, not compiled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A set of bytes.
struct ByteSet {
  std::uint64_t bits[4] = {0, 0, 0, 0};
  bool has(unsigned char byte) const { return (bits[byte >> 6] >> (byte & 63)) & 1; }
  void add(unsigned char byte) { bits[byte >> 6] |= std::uint64_t{1} << (byte & 63); }
  void addAll(const ByteSet& other) {
    for (int i = 0; i < 4; ++i) bits[i] |= other.bits[i];
  }
  void invert() {
    for (std::uint64_t& word : bits) word = ~word;
  }
};

struct PatternInstruction {
  enum Op : std::uint8_t {
    kByte,    // a byte of `bytes` (sets[argument]), then the next instruction
    kSplit,   // both the next instruction and `argument`
    kJump,    // `argument`
    kAssert,  // the next instruction where the place is `argument` (an Assertion)
    kMatch,
  };
  enum Assertion { kTextStart, kTextEnd, kWordBoundary, kNotWordBoundary };
  Op op;
  int argument;
};

struct PatternProgram {
  std::vector<PatternInstruction> instructions;  // starts at 0
  std::vector<ByteSet> sets;
};

enum class PatternVerdict {
  kCompiled,
  kMalformed,    // not a regular expression
  kUnsupported,  // a back-reference, a look-around or a collating element
  kTooLarge,     // more instructions than kMaxPatternInstructions, or nested too deep
};

// The most instructions a pattern may compile to: the automaton's work per
// byte of text grows with it: 160 keeps the worst query over a week of
// programmes near 100 ms.
constexpr int kMaxPatternInstructions = 160;

// Compiles `pattern` (search form, see search_text.h) into `program`.
PatternVerdict compilePattern(const std::string& pattern, PatternProgram& program);
