// Reading a regular expression into a tree, and the tree into instructions.
// Reading recurses once per nested group (at most kMaxNesting deep), never
// per character; the program's size is known before it is written.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "os/ascii.h"
#include "search/pattern_program.h"

namespace {

constexpr int kMaxNesting = 64;
constexpr int kMaxRepeatsOfOne = 4;  // a** and a{2}{3} read; each repeat is a level of the tree
constexpr int kUnbounded = -1;
constexpr int kCountCeiling = 1000000;  // repeat counts saturate here; any such repeat is too large

struct Node {
  enum Kind { kEmpty, kSet, kAssert, kConcat, kAlternate, kRepeat } kind = kEmpty;
  int value = 0;  // the set, or the assertion
  int min = 0, max = 0;
  std::vector<int> children;
};

ByteSet rangeSet(unsigned char from, unsigned char to) {
  ByteSet set;
  for (unsigned byte = from; byte <= to; ++byte) set.add(static_cast<unsigned char>(byte));
  return set;
}

ByteSet classSet(int (*test)(int)) {
  ByteSet set;
  for (unsigned byte = 0; byte < 0x80; ++byte)
    if (test(static_cast<int>(byte))) set.add(static_cast<unsigned char>(byte));
  return set;
}

int isWordByte(int byte) { return std::isalnum(byte) || byte == '_'; }
int isSpaceByte(int byte) { return std::isspace(byte); }
int isDigitByte(int byte) { return std::isdigit(byte); }

// \d \s \w and their capitals; false for another letter.
bool shorthandSet(char letter, ByteSet& set) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  if (lower == 'd') set = classSet(isDigitByte);
  else if (lower == 's') set = classSet(isSpaceByte);
  else if (lower == 'w') set = classSet(isWordByte);
  else return false;
  if (letter != lower) set.invert();
  return true;
}

struct NamedClass {
  const char* name;
  int (*test)(int);
};
const NamedClass kNamedClasses[] = {
    {"alnum", std::isalnum}, {"alpha", std::isalpha}, {"blank", std::isblank}, {"cntrl", std::iscntrl},
    {"digit", std::isdigit}, {"graph", std::isgraph}, {"lower", std::islower}, {"print", std::isprint},
    {"punct", std::ispunct}, {"space", std::isspace}, {"upper", std::isupper}, {"xdigit", std::isxdigit},
    {"d", isDigitByte},      {"s", isSpaceByte},      {"w", isWordByte},
};

// strchr would find a NUL byte of the pattern in every set.
const char* findIn(const char* set, char c) { return c == '\0' ? nullptr : std::strchr(set, c); }

class PatternReader {
 public:
  explicit PatternReader(const std::string& text) : text_(text) {}

  // The tree's root, or -1 with verdict() saying why.
  int read() {
    const int root = disjunction();
    if (root >= 0 && at_ != text_.size()) fail(PatternVerdict::kMalformed);  // a ')' too many
    return verdict_ == PatternVerdict::kCompiled ? root : -1;
  }
  PatternVerdict verdict() const { return verdict_; }
  const std::vector<Node>& nodes() const { return nodes_; }
  const std::vector<ByteSet>& sets() const { return sets_; }

 private:
  bool atEnd() const { return at_ >= text_.size(); }
  char peek() const { return text_[at_]; }
  bool take(char c) {
    if (atEnd() || peek() != c) return false;
    ++at_;
    return true;
  }
  int fail(PatternVerdict why) {
    if (verdict_ == PatternVerdict::kCompiled) verdict_ = why;
    return -1;
  }
  int add(Node node) {
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size()) - 1;
  }
  int setNode(const ByteSet& set) {
    sets_.push_back(set);
    Node node;
    node.kind = Node::kSet;
    node.value = static_cast<int>(sets_.size()) - 1;
    return add(node);
  }
  int byteNode(unsigned char byte) {
    ByteSet set;
    set.add(byte);
    return setNode(set);
  }
  int assertNode(PatternInstruction::Assertion assertion) {
    Node node;
    node.kind = Node::kAssert;
    node.value = assertion;
    return add(node);
  }

  int disjunction() {
    if (++depth_ > kMaxNesting) return fail(PatternVerdict::kTooLarge);
    Node either;
    either.kind = Node::kAlternate;
    do {
      const int branch = alternative();
      if (branch < 0) return -1;
      either.children.push_back(branch);
    } while (take('|'));
    --depth_;
    return either.children.size() == 1 ? either.children[0] : add(either);
  }

  int alternative() {
    Node sequence;
    sequence.kind = Node::kConcat;
    while (!atEnd() && peek() != '|' && peek() != ')') {
      const int item = term();
      if (item < 0) return -1;
      sequence.children.push_back(item);
    }
    return add(sequence);
  }

  int term() {
    const char c = peek();
    if (c == '^' || c == '$') {
      ++at_;
      return assertNode(c == '^' ? PatternInstruction::kTextStart : PatternInstruction::kTextEnd);
    }
    if (c == '\\' && at_ + 1 < text_.size() && (text_[at_ + 1] == 'b' || text_[at_ + 1] == 'B')) {
      at_ += 2;
      return assertNode(text_[at_ - 1] == 'b' ? PatternInstruction::kWordBoundary
                                              : PatternInstruction::kNotWordBoundary);
    }
    int item = atom();
    for (int repeats = 0; item >= 0 && !atEnd() && findIn("*+?{", peek()); ++repeats)
      item = repeats < kMaxRepeatsOfOne ? quantified(item) : fail(PatternVerdict::kTooLarge);
    return item;
  }

  int quantified(int item) {
    Node repeat;
    repeat.kind = Node::kRepeat;
    repeat.children = {item};
    const char c = text_[at_++];
    if (c == '{') {
      if (!count(repeat.min)) return fail(PatternVerdict::kMalformed);
      repeat.max = repeat.min;
      if (take(',')) repeat.max = atEnd() || peek() == '}' ? kUnbounded : count(repeat.max) ? repeat.max : -2;
      if (repeat.max == -2 || !take('}') || (repeat.max != kUnbounded && repeat.max < repeat.min))
        return fail(PatternVerdict::kMalformed);
    } else {
      repeat.min = c == '+' ? 1 : 0;
      repeat.max = c == '?' ? 1 : kUnbounded;
    }
    take('?');  // lazy or greedy: the same for "does it match anywhere"
    return add(repeat);
  }

  bool count(int& value) {
    if (atEnd() || !std::isdigit(static_cast<unsigned char>(peek()))) return false;
    value = 0;
    while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek())))
      value = std::min(kCountCeiling, value * 10 + (text_[at_++] - '0'));
    return true;
  }

  int atom() {
    const char c = text_[at_++];
    switch (c) {
      case '(': return group();
      case '[': return bracket();
      case '.': {
        ByteSet set;
        set.add('\n');
        set.add('\r');
        set.invert();
        return setNode(set);
      }
      case '\\': return escape();
      case '*': case '+': case '?': case '{': return fail(PatternVerdict::kMalformed);  // nothing to repeat
      default: return byteNode(static_cast<unsigned char>(c));
    }
  }

  int group() {
    if (take('?')) {
      if (take(':')) return closeGroup(disjunction());
      if (!atEnd() && (peek() == '=' || peek() == '!')) return fail(PatternVerdict::kUnsupported);
      return fail(PatternVerdict::kMalformed);
    }
    return closeGroup(disjunction());
  }
  int closeGroup(int inside) {
    if (inside < 0) return -1;
    return take(')') ? inside : fail(PatternVerdict::kMalformed);
  }

  // After a backslash outside brackets.
  int escape() {
    if (atEnd()) return fail(PatternVerdict::kMalformed);
    const char c = peek();
    if (c >= '1' && c <= '9') return fail(PatternVerdict::kUnsupported);  // a back-reference
    ByteSet set;
    if (shorthandSet(c, set)) {
      ++at_;
      return setNode(set);
    }
    int byte;
    return escapedByte(byte) ? byteNode(static_cast<unsigned char>(byte)) : -1;
  }

  // The byte an escape stands for (after its backslash): \n \t \xHH \cX
  // and the like, else the character itself.
  bool escapedByte(int& byte) {
    static const char kLetters[] = "nrtvf0";
    static const char kBytes[] = "\n\r\t\v\f";
    const char c = text_[at_++];
    if (const char* letter = findIn(kLetters, c)) {
      byte = *letter == '0' ? 0 : kBytes[letter - kLetters];
    } else if (c == 'x' || c == 'u') {
      const std::size_t digits = c == 'x' ? 2 : 4;
      int value = 0;
      for (std::size_t i = 0; i < digits; ++i) {
        const int digit = atEnd() ? -1 : ascii::hexValue(text_[at_++]);
        if (digit < 0) return fail(PatternVerdict::kMalformed) >= 0;
        value = value * 16 + digit;
      }
      if (value > 0xFF) return fail(PatternVerdict::kUnsupported) >= 0;  // one byte of text holds no more
      byte = value;
    } else if (c == 'c') {
      if (atEnd() || !std::isalpha(static_cast<unsigned char>(peek()))) return fail(PatternVerdict::kMalformed) >= 0;
      byte = text_[at_++] % 32;
    } else {
      byte = static_cast<unsigned char>(c);
    }
    return true;
  }

  int bracket() {
    const bool negated = take('^');
    ByteSet set;
    while (!atEnd() && peek() != ']') {
      ByteSet item;
      int first = -1;
      if (!bracketItem(item, first)) return -1;
      if (at_ + 1 < text_.size() && peek() == '-' && text_[at_ + 1] != ']') {
        if (first < 0) return fail(PatternVerdict::kMalformed);  // a range from a class
        ++at_;
        ByteSet ignored;
        int last = -1;
        if (!bracketItem(ignored, last)) return -1;
        if (last < first) return fail(PatternVerdict::kMalformed);  // a class as an end, or backwards
        item = rangeSet(static_cast<unsigned char>(first), static_cast<unsigned char>(last));
      }
      set.addAll(item);
    }
    if (!take(']')) return fail(PatternVerdict::kMalformed);
    if (negated) set.invert();
    return setNode(set);
  }

  // One character or class inside brackets; `byte` is the character, or -1
  // for a class.
  bool bracketItem(ByteSet& set, int& byte) {
    const char c = text_[at_++];
    if (c == '[' && !atEnd() && findIn(":.=", peek())) return namedClass(set);
    if (c == '\\') {
      if (atEnd()) return fail(PatternVerdict::kMalformed) >= 0;
      if (shorthandSet(peek(), set)) {
        ++at_;
        return true;
      }
      if (peek() == 'B' || (peek() >= '1' && peek() <= '9')) return fail(PatternVerdict::kMalformed) >= 0;
      if (peek() == 'b') {
        ++at_;
        byte = '\b';
      } else if (!escapedByte(byte)) {
        return false;
      }
    } else {
      byte = static_cast<unsigned char>(c);
    }
    set.add(static_cast<unsigned char>(byte));
    return true;
  }

  bool namedClass(ByteSet& set) {
    const char kind = text_[at_++];
    const std::size_t end = text_.find(std::string(1, kind) + "]", at_);
    if (end == std::string::npos) return fail(PatternVerdict::kMalformed) >= 0;
    const std::string name = text_.substr(at_, end - at_);
    at_ = end + 2;
    if (kind != ':') return fail(PatternVerdict::kUnsupported) >= 0;  // collating elements, equivalence classes
    for (const NamedClass& named : kNamedClasses) {
      if (name == named.name) {
        set = classSet(named.test);
        return true;
      }
    }
    return fail(PatternVerdict::kMalformed) >= 0;
  }

  const std::string& text_;
  std::size_t at_ = 0;
  int depth_ = -1;  // the whole pattern is no group
  PatternVerdict verdict_ = PatternVerdict::kCompiled;
  std::vector<Node> nodes_;
  std::vector<ByteSet> sets_;
};

// Instructions a node compiles to, saturating above the limit.
long long sizeOf(const std::vector<Node>& nodes, int index) {
  const Node& node = nodes[index];
  constexpr long long kOver = kMaxPatternInstructions + 1;
  long long size = 0;
  switch (node.kind) {
    case Node::kEmpty: return 0;
    case Node::kSet: case Node::kAssert: return 1;
    case Node::kConcat: case Node::kAlternate:
      for (int child : node.children) size += sizeOf(nodes, child);
      if (node.kind == Node::kAlternate) size += 2 * static_cast<long long>(node.children.size() - 1);
      return std::min(size, kOver);
    case Node::kRepeat: {
      const long long body = sizeOf(nodes, node.children[0]);
      size = node.min * body + (node.max == kUnbounded ? body + 2 : (node.max - node.min) * (body + 1));
      return std::min(size, kOver);
    }
  }
  return kOver;
}

class ProgramWriter {
 public:
  ProgramWriter(const std::vector<Node>& nodes, PatternProgram& program) : nodes_(nodes), code_(program.instructions) {}

  void write(int index) {
    const Node& node = nodes_[index];
    switch (node.kind) {
      case Node::kEmpty: break;
      case Node::kSet: emit(PatternInstruction::kByte, node.value); break;
      case Node::kAssert: emit(PatternInstruction::kAssert, node.value); break;
      case Node::kConcat:
        for (int child : node.children) write(child);
        break;
      case Node::kAlternate: alternate(node); break;
      case Node::kRepeat: repeat(node); break;
    }
  }

 private:
  int emit(PatternInstruction::Op op, int argument = 0) {
    code_.push_back({op, argument});
    return static_cast<int>(code_.size()) - 1;
  }
  int here() const { return static_cast<int>(code_.size()); }

  void alternate(const Node& node) {
    std::vector<int> jumps;
    for (std::size_t i = 0; i + 1 < node.children.size(); ++i) {
      const int split = emit(PatternInstruction::kSplit);
      write(node.children[i]);
      jumps.push_back(emit(PatternInstruction::kJump));
      code_[split].argument = here();
    }
    write(node.children.back());
    for (int jump : jumps) code_[jump].argument = here();
  }

  void repeat(const Node& node) {
    const int body = node.children[0];
    for (int i = 0; i < node.min; ++i) write(body);
    if (node.max == kUnbounded) {
      const int loop = emit(PatternInstruction::kSplit);
      write(body);
      emit(PatternInstruction::kJump, loop);
      code_[loop].argument = here();
      return;
    }
    // (body(body(body)?)?)?: each optional copy may end the repeat.
    std::vector<int> exits;
    for (int i = node.min; i < node.max; ++i) {
      exits.push_back(emit(PatternInstruction::kSplit));
      write(body);
    }
    for (int exit : exits) code_[exit].argument = here();
  }

  const std::vector<Node>& nodes_;
  std::vector<PatternInstruction>& code_;
};

}  // namespace

PatternVerdict compilePattern(const std::string& pattern, PatternProgram& program) {
  program = PatternProgram();
  PatternReader reader(pattern);
  const int root = reader.read();
  if (root < 0) return reader.verdict();
  if (sizeOf(reader.nodes(), root) + 1 > kMaxPatternInstructions) return PatternVerdict::kTooLarge;
  ProgramWriter(reader.nodes(), program).write(root);
  program.instructions.push_back({PatternInstruction::kMatch, 0});
  program.sets = reader.sets();
  return PatternVerdict::kCompiled;
}
