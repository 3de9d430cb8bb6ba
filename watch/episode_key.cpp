// The episode a programme is, for the memory of seen episodes.
#include "watch/episode_key.h"

#include <cstdint>

#include "listing/fnv_hash.h"
#include "listing/programme_flags.h"
#include "os/lead_byte.h"
#include "search/search_text.h"
#include "watch/episode_reading.h"

namespace {

// Of the text in search form; its Shift-JIS is cut at twice that first,
// since no character becomes shorter.
constexpr std::size_t kTextBytes = 80;

const char kSeparator = '\x1f';

std::string textStart(const std::string& cp932) {
  std::size_t end = 0;
  while (end < cp932.size() && end < 2 * kTextBytes)
    end += os::isLeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
  return searchFormOfCp932(cp932.substr(0, end)).substr(0, kTextBytes);
}

std::string keyOf(const ProgrammeRecord& record, const EpisodeReading& reading) {
  if (reading.series.empty()) return std::string();
  std::string key = reading.series + kSeparator;
  // A number is the episode whatever the subtitle: re-airs often drop it.
  if (reading.namesEpisode())
    return key + std::to_string(reading.number) + kSeparator + std::to_string(reading.part) + kSeparator +
           (reading.number > 0 ? std::string() : reading.subtitle);
  const ProgrammeRecordExtra& extra = record.extra();
  if (!extra.subTitle.empty() || !extra.episodes.empty()) {
    key += "x" + std::string(1, kSeparator) + searchFormOfCp932(extra.subTitle);
    for (const EpisodeNumber& episode : extra.episodes) key += kSeparator + episode.system + "=" + episode.value;
    return key;
  }
  const std::string text = textStart(record.description);
  return text.empty() ? std::string() : key + "t" + kSeparator + text;
}

std::string hashText(const std::string& key) {
  Fnv1a64 hash;
  hash.add(reinterpret_cast<const unsigned char*>(key.data()), key.size());
  // By hand: the C runtimes do not all print 64-bit numbers alike.
  std::string text(16, '0');
  std::uint64_t value = hash.value();
  for (int at = 15; at >= 0; --at, value >>= 4) text[at] = "0123456789abcdef"[value & 15];
  return text;
}

}  // namespace

EpisodeKey episodeKeyOf(const ProgrammeRecord& record) {
  EpisodeReading reading = readEpisode(record.title, record.description);
  // The broadcaster's own number, where it sends one, before the title's.
  if (record.extra().broadcast.episode > 0) reading.number = record.extra().broadcast.episode;
  EpisodeKey episode;
  episode.key = keyOf(record, reading);
  if (!episode.key.empty()) episode.hash = hashText(episode.key);
  episode.isRepeat = reading.isRepeat || (record.flags & kFlagRepeat) != 0;
  return episode;
}
