// The marks of a programme's text ("[字]", "[再]", ...) as flags. The
// title keeps its marks; the flags are what the exports make of them.
#pragma once

#include <string>

struct ProgrammeCell;

enum ProgrammeFlag : unsigned {
  kFlagSubtitles = 1u << 0,         // 字
  kFlagRepeat = 1u << 1,            // 再
  kFlagNew = 1u << 2,               // 新
  kFlagFinal = 1u << 3,             // 終
  kFlagBilingual = 1u << 4,         // 二
  kFlagAudioDescription = 1u << 5,  // 解
  kFlagLive = 1u << 6,              // 生
  kFlagData = 1u << 7,              // デ
};
constexpr int kProgrammeFlagCount = 8;

// The mark of flag number `index` (0 .. kProgrammeFlagCount - 1, in the
// order above) as its two Shift-JIS bytes.
const char* programmeFlagMark(int index);

// The flags of every "[mark]" in `text` (Shift-JIS; brackets ASCII).
unsigned programmeFlagsOf(const std::string& text);

// The "[mark]" texts of `cell`'s title line that lie outside its bold parts,
// in their order and as written ("[新][字]"), each once, for a title that should show
// them; empty when the short title is no bold part, since the title line
// it then is carries them already.
std::string titleLineMarks(const ProgrammeCell& cell);
