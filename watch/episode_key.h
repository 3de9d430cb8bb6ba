// EpisodeKey: which episode a programme is, so that the watch list knows
// its re-airs on any channel and day. A title that names an episode gives
// series, number and part (the subtitle when there is no number); an imported programme's <sub-title>
// and <episode-num> serve when the title names none; otherwise the series
// and the start of the text, so that a film aired again with the same text
// is the same and the daily news with a new text each day is not.
#pragma once

#include <string>

#include "listing/programme_record.h"

struct EpisodeKey {
  // In search form; empty when the programme says too little to tell its
  // episodes apart (no series, or neither an episode nor a text).
  std::string key;
  // 16 lower-case hex digits of the key's 64-bit FNV-1a hash, as the memory
  // of seen episodes keeps it; empty with the key.
  std::string hash;
  // Marked as a repeat: [再], 【再】, (再) in the title, or the flag.
  bool isRepeat = false;
};

EpisodeKey episodeKeyOf(const ProgrammeRecord& record);
