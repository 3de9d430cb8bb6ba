// Marks as flags.
#include "listing/programme_flags.h"

#include "os/os.h"

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

}  // namespace

const char* programmeFlagMark(int index) { return kMarks[index]; }

unsigned programmeFlagsOf(const std::string& text) {
  unsigned flags = 0;
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    // A bracket byte may be the second byte of a double-byte character.
    if (os::isLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    if (text[i] == '[' && i + 3 < size && text[i + 3] == ']') {
      flags |= flagOfMark(text[i + 1], text[i + 2]);
    }
  }
  return flags;
}
