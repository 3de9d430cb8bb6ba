// Marks as flags.
#include "listing/programme_flags.h"

#include <algorithm>
#include <vector>

#include "os/os.h"
#include "programme/programme_cell.h"

namespace {

const char* const kMarks[kProgrammeFlagCount] = {
    "\x8e\x9a",  // 字
    "\x8d\xc4",  // 再
    "\x90\x56",  // 新
    "\x8f\x49",  // 終
    "\x93\xf1",  // 二
    "\x89\xf0",  // 解
    "\x90\xb6",  // 生
    "\x83\x66",  // デ
};

unsigned flagOfMark(char lead, char trail) {
  for (int i = 0; i < kProgrammeFlagCount; ++i) {
    if (kMarks[i][0] == lead && kMarks[i][1] == trail) return 1u << i;
  }
  return 0;
}

// os::isLeadByte asked once a byte value: every kept programme's body is
// walked a byte at a time.
const std::vector<unsigned char>& leadBytes() {
  static const std::vector<unsigned char> leads = [] {
    std::vector<unsigned char> bytes(256);
    for (unsigned value = 0; value < 256; ++value) bytes[value] = os::isLeadByte(static_cast<unsigned char>(value));
    return bytes;
  }();
  return leads;
}

bool isBoldBracket(const std::string& text, std::size_t at) {
  return text[at] == '\x81' && at + 1 < text.size() && (text[at + 1] == '\x79' || text[at + 1] == '\x7A');
}

// The index of the "]" closing a mark that opens at `open`, before `end`;
// npos when none does (a mark holds one to four bytes).
std::size_t markClose(const std::string& text, std::size_t open, std::size_t end) {
  for (std::size_t i = open + 1; i < end && i <= open + 5; ++i) {
    if (text[i] == ']') return i > open + 1 ? i : std::string::npos;
    if (text[i] == '[') return std::string::npos;
    if (leadBytes()[static_cast<unsigned char>(text[i])]) ++i;
  }
  return std::string::npos;
}

}  // namespace

const char* programmeFlagMark(int index) { return kMarks[index]; }

unsigned programmeFlagsOf(const std::string& text) {
  unsigned flags = 0;
  const std::vector<unsigned char>& leads = leadBytes();
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    // A bracket byte may be the second byte of a double-byte character.
    if (leads[static_cast<unsigned char>(text[i])]) {
      ++i;
      continue;
    }
    if (text[i] == '[' && i + 3 < size && text[i + 3] == ']') {
      flags |= flagOfMark(text[i + 1], text[i + 2]);
    }
  }
  return flags;
}

std::string titleLineMarks(const ProgrammeCell& cell) {
  const std::string& body = cell.body;
  // The short title is the bold parts whenever one holds a byte (see ProgrammeCell::title).
  bool boldTitle = false;
  for (std::size_t i = 0; i + 2 < body.size() && !boldTitle; ++i) {
    boldTitle = isBoldBracket(body, i) && body[i + 1] == '\x79' && !isBoldBracket(body, i + 2);
  }
  if (!boldTitle) return std::string();
  std::string marks;
  const std::vector<unsigned char>& leads = leadBytes();
  const std::size_t end = std::min(cell.detailOffset, body.size());
  bool bold = false;
  for (std::size_t i = 0; i < end; ++i) {
    if (isBoldBracket(body, i)) {
      bold = body[++i] == '\x79';
    } else if (leads[static_cast<unsigned char>(body[i])]) {
      ++i;
    } else if (!bold && body[i] == '[') {
      const std::size_t close = markClose(body, i, end);
      if (close == std::string::npos) continue;
      // A page may show a mark's image twice; the title says it once.
      const std::string mark = body.substr(i, close + 1 - i);
      if (marks.find(mark) == std::string::npos) marks += mark;
      i = close;
    }
  }
  return marks;
}
