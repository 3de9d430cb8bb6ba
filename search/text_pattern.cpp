// The one-pass search: a list of the instructions waiting for the next
// byte, advanced over the text a byte at a time.
#include "search/text_pattern.h"

#include <cstdint>
#include <vector>

namespace {

using Instruction = PatternInstruction;

bool isWordByte(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
         byte == '_';
}

bool holds(int assertion, const std::string& text, std::size_t at) {
  switch (assertion) {
    case Instruction::kTextStart: return at == 0;
    case Instruction::kTextEnd: return at == text.size();
    default: {
      const bool before = at > 0 && isWordByte(static_cast<unsigned char>(text[at - 1]));
      const bool after = at < text.size() && isWordByte(static_cast<unsigned char>(text[at]));
      return (before != after) == (assertion == Instruction::kWordBoundary);
    }
  }
}

// Each thread's lists, kept between searches. An instruction is on the
// list being built when its mark is the current stamp.
struct Lists {
  std::vector<std::uint32_t> marks;
  std::vector<int> current, next, pending;
  std::uint32_t stamp = 0;

  void prepare(std::size_t instructions) {
    if (marks.size() < instructions) marks.resize(instructions, 0);
  }
  void newStamp() {
    if (++stamp == 0) {  // wrapped: old marks could look current
      std::fill(marks.begin(), marks.end(), 0);
      stamp = 1;
    }
  }
};

// Adds `pc` and what it leads to without a byte, at `at`, to `list` (the
// instructions that wait for a byte). True when that reaches the match.
bool addThread(const PatternProgram& program, Lists& lists, std::vector<int>& list, int pc, const std::string& text,
               std::size_t at) {
  const Instruction* code = program.instructions.data();
  std::uint32_t* marks = lists.marks.data();
  const std::uint32_t stamp = lists.stamp;
  std::vector<int>& pending = lists.pending;
  pending.clear();
  for (;;) {
    if (marks[pc] != stamp) {
      marks[pc] = stamp;
      const Instruction& instruction = code[pc];
      switch (instruction.op) {
        case Instruction::kByte: list.push_back(pc); break;
        case Instruction::kMatch: return true;
        case Instruction::kJump: pc = instruction.argument; continue;
        case Instruction::kSplit:
          pending.push_back(instruction.argument);
          ++pc;
          continue;
        case Instruction::kAssert:
          if (!holds(instruction.argument, text, at)) break;
          ++pc;
          continue;
      }
    }
    if (pending.empty()) return false;
    pc = pending.back();
    pending.pop_back();
  }
}

}  // namespace

PatternVerdict TextPattern::compile(const std::string& pattern) {
  const PatternVerdict verdict = compilePattern(pattern, program_);
  if (verdict != PatternVerdict::kCompiled) return verdict;
  // What a match can begin with, assertions taken as holding.
  firstBytes_ = ByteSet();
  everyStartCounts_ = false;
  std::vector<bool> seen(program_.instructions.size());
  std::vector<int> pending{0};
  while (!pending.empty()) {
    const int pc = pending.back();
    pending.pop_back();
    if (seen[pc]) continue;
    seen[pc] = true;
    const Instruction& instruction = program_.instructions[pc];
    if (instruction.op == Instruction::kByte) firstBytes_.addAll(program_.sets[instruction.argument]);
    if (instruction.op == Instruction::kMatch) everyStartCounts_ = true;
    if (instruction.op == Instruction::kJump || instruction.op == Instruction::kSplit) pending.push_back(instruction.argument);
    if (instruction.op == Instruction::kSplit || instruction.op == Instruction::kAssert) pending.push_back(pc + 1);
  }
  return verdict;
}

bool TextPattern::foundIn(const std::string& text) const {
  thread_local Lists threadLists;
  Lists& lists = threadLists;
  lists.prepare(program_.instructions.size());
  lists.current.clear();
  const std::size_t size = text.size();
  lists.newStamp();
  for (std::size_t at = 0;; ++at) {
    if (lists.current.empty() && !everyStartCounts_) {
      // Nothing under way: on to a byte a match can begin with.
      while (at < size && !firstBytes_.has(static_cast<unsigned char>(text[at]))) ++at;
      if (at == size) return false;
      lists.newStamp();
    }
    // A match may also begin here.
    if ((everyStartCounts_ || (at < size && firstBytes_.has(static_cast<unsigned char>(text[at])))) &&
        addThread(program_, lists, lists.current, 0, text, at))
      return true;
    if (at == size) return false;
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    lists.newStamp();
    lists.next.clear();
    const Instruction* code = program_.instructions.data();
    const ByteSet* sets = program_.sets.data();
    for (int pc : lists.current) {
      if (sets[code[pc].argument].has(byte) &&
          addThread(program_, lists, lists.next, pc + 1, text, at + 1))
        return true;
    }
    lists.current.swap(lists.next);
  }
}
