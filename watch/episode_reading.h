// EpisodeReading: the series and the episode a programme's title names, as
// broadcasters write them: 第3話, #12, (12), 「subtitle」, 前編/後編, and the
// marks [新], [再], [終] (also 【再】, (再)). Full and half width alike.
#pragma once

#include <string>

struct EpisodeReading {
  // The series title and the subtitle in search form (search_text.h,
  // UTF-8): a key to compare, not a text to show. Empty when absent.
  std::string series;
  std::string subtitle;
  int number = 0;  // the episode number; 0 when none is written
  int part = 0;    // 1 for 前編, 2 for 後編; 0 for neither
  bool isNew = false, isRepeat = false, isLast = false;
  // True when the title names an episode (a number or a subtitle).
  bool namesEpisode() const { return number > 0 || !subtitle.empty(); }
};

// Reads the title (Shift-JIS); the text (Shift-JIS) is looked at for an
// episode number only when the title has none.
EpisodeReading readEpisode(const std::string& title, const std::string& text);
