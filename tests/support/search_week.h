// A week of five programmes on two channels that the search's and the
// watch list's tests both search.
#pragma once

#include <string>

#include "calendar/calendar.h"
#include "listing/listing.h"
#include "os/text.h"

namespace search_week {

inline std::string sj(const char* utf8) { return os::utf8ToCp932(utf8); }

inline ProgrammeRecord record(const char* channel, int december, int hour, int minute, const char* title,
                              const char* description, int genre) {
  ProgrammeRecord r;
  r.channel = sj(channel);
  r.channelId = channel[0] == 'B' ? "bs1.tokyo.jp" : "nhk.tokyo.jp";
  r.start = guideMinute(dayNumber(2026, 12, december), hour * 60 + minute);
  r.stop = r.start + 60;
  r.title = sj(title);
  r.description = sj(description);
  r.genre = genre;
  return r;
}

// 4 December 2026 is a Friday.
inline Listing week() {
  Listing listing;
  listing.channels = {{sj("ＮＨＫ総合"), "nhk.tokyo.jp"}, {"BS1", "bs1.tokyo.jp"}};
  listing.programmes = {
      record("ＮＨＫ総合", 4, 21, 0, "ニュース９", "全国の天気", 10),
      record("ＮＨＫ総合", 5, 7, 0, "ニュース", "天気予報", 10),
      record("BS1", 4, 23, 30, "ｱﾆﾒ ｶﾞﾝﾀﾞﾑ", "", 3),
      record("BS1", 5, 0, 30, "深夜アニメ Ｍａｇｉｃ", "", 3),  // Friday's broadcast day
      record("BS1", 5, 20, 0, "映画 Sports Day", "", 0),
  };
  return listing;
}

}  // namespace search_week
