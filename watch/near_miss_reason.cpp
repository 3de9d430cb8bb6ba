// A near miss's reason in words.
#include "watch/near_miss_reason.h"

#include <algorithm>
#include <vector>

#include "calendar/calendar.h"
#include "listing/genre_names.h"
#include "watch/change_line.h"

namespace {

// A reason is before + its value + between + the option that left it out + after.
struct ReasonWords {
  const char* before;
  const char* between;
  const char* after;
};

// By QueryCondition::Kind; English, then Japanese (Shift-JIS).
const ReasonWords kReasons[][2] = {
    {{"missing word '", "", "'"}, {"\x81\x75", "", "\x81\x76\x82\xaa\x82\xc8\x82\xa2"}},  // 「x」がない
    {{"excluded by -", "", ""}, {"\x81\x75-", "", "\x81\x76\x82\xc5\x8f\x9c\x8a\x4f"}},  // 「-x」で除外
    // チャンネルが x でない
    {{"channel is not ", "", ""}, {"\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xaa ", "", " \x82\xc5\x82\xc8\x82\xa2"}},
    // ジャンルが x でない
    {{"genre is not ", "", ""}, {"\x83\x57\x83\x83\x83\x93\x83\x8b\x82\xaa ", "", " \x82\xc5\x82\xc8\x82\xa2"}},
    {{"outside ", "", ""}, {"\x8e\x9e\x8a\xd4\x91\xd1 ", "", " \x82\xcc\x8a\x4f"}},  // 時間帯 x の外
    {{"not on ", "", ""}, {"\x97\x6a\x93\xfa\x82\xaa ", "", " \x82\xc5\x82\xc8\x82\xa2"}},  // 曜日が x でない
    // 再放送（--new で除外）
    {{"a repeat, left out by --new", "", ""},
     {"\x8d\xc4\x95\xfa\x91\x97\x81\x69--new \x82\xc5\x8f\x9c\x8a\x4f\x81\x6a", "", ""}},
    // x に放送済みの回（--once で除外）
    {{"episode already seen on ", ", left out by ", ""},
     {"", "\x82\xc9\x95\xfa\x91\x97\x8d\xcf\x82\xdd\x82\xcc\x89\xf1\x81\x69", " \x82\xc5\x8f\x9c\x8a\x4f\x81\x6a"}},
};

// Genre rows share names: each once.
std::string alternatives(const std::vector<std::string>& names, bool english) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (std::find(names.begin(), names.begin() + i, names[i]) != names.begin() + i) continue;
    text += (text.empty() ? "" : english ? " or " : "\x81\x45") + names[i];  // ・
  }
  return text;
}

std::string valueOf(const ProgrammeQuery& query, const NearMiss& miss, bool english) {
  switch (miss.failed.kind) {
    case QueryCondition::kWord:
    case QueryCondition::kExcluded: return miss.failed.word;
    case QueryCondition::kChannel: return alternatives(query.channels, english);
    case QueryCondition::kGenre: {
      std::vector<std::string> names;
      for (int genre : query.genres) names.push_back(english ? genreNameEnglish(genre) : genreNameJapanese(genre));
      return alternatives(names, english);
    }
    case QueryCondition::kTime: return timeWindowText(query.windowFrom, query.windowTo);
    case QueryCondition::kWeekday: {
      std::string days;
      for (int day = 0; day < 7; ++day)
        if (query.weekdays & (1u << day)) days += weekdayKanji(day);
      return days;
    }
    case QueryCondition::kRepeat: return std::string();
    case QueryCondition::kSeen: return identityStartText(miss.firstAiring);
  }
  return std::string();
}

}  // namespace

std::string nearMissReason(const ProgrammeQuery& query, const NearMiss& miss, bool english) {
  const ReasonWords& words = kReasons[miss.failed.kind][english ? 0 : 1];
  const std::string option = miss.failed.kind != QueryCondition::kSeen ? "" : query.newOnly ? "--new" : "--once";
  return words.before + valueOf(query, miss, english) + words.between + option + words.after;
}
