// Writing JSON records.
#include "listing/json_writer.h"

#include <cstdio>

#include "listing/export_text.h"
#include "listing/genre_names.h"
#include "listing/listing.h"
#include "listing/programme_flags.h"
#include "listing/zero_padded.h"

namespace {

std::string isoTime(GuideMinute minute) { return "\"" + isoJapanTime(minute) + "\""; }

void appendFlags(std::string& out, unsigned flags) {
  out += '[';
  bool first = true;
  for (int i = 0; i < kProgrammeFlagCount; ++i) {
    if (!(flags & (1u << i))) continue;
    if (!first) out += ", ";
    first = false;
    appendJsonString(out, programmeFlagMark(i));
  }
  out += ']';
}

void appendEpisodes(std::string& out, const std::vector<EpisodeNumber>& episodes) {
  out += '[';
  for (std::size_t i = 0; i < episodes.size(); ++i) {
    out += i == 0 ? "{\"system\": " : ", {\"system\": ";
    appendJsonString(out, episodes[i].system);
    out += ", \"value\": ";
    appendJsonString(out, episodes[i].value);
    out += '}';
  }
  out += ']';
}

}  // namespace

std::string isoJapanTime(GuideMinute minute) {
  const DateTime time = dateTimeOfMinute(minute);
  std::string text;
  text.reserve(25);
  appendZeroPadded(text, time.year, 4);
  text += '-';
  appendZeroPadded(text, time.month, 2);
  text += '-';
  appendZeroPadded(text, time.day, 2);
  text += 'T';
  appendClockTime(text, time.hour, time.minute);
  text += ":00+09:00";
  return text;
}

// A tuner server's details, only where it gave them.
void appendBroadcast(std::string& out, const ProgrammeRecord& record) {
  const ProgrammeRecordExtra& extra = record.extra();
  if (!extra.channelType.empty()) {
    out += ", \"channelType\": ";
    appendJsonString(out, extra.channelType);
  }
  const BroadcastDetails& details = extra.broadcast;
  if (details.empty()) return;
  out += ", \"programId\": " + std::to_string(details.programmeId) + ", \"networkId\": " +
         std::to_string(details.networkId) + ", \"serviceId\": " + std::to_string(details.serviceId) +
         ", \"eventId\": " + std::to_string(details.eventId) + ", \"genreClasses\": [";
  for (std::size_t i = 0; i < details.genres.size(); ++i) {
    out += (i ? ", [" : "[") + std::to_string(details.genres[i].first) + ", " +
           std::to_string(details.genres[i].second) + "]";
  }
  out += "]";
  if (!details.extended.empty()) {
    out += ", \"extended\": ";
    appendJsonString(out, details.extended);
  }
  if (details.seriesId != 0) {
    out += ", \"series\": {\"id\": " + std::to_string(details.seriesId) + ", \"episode\": " +
           std::to_string(details.episode) + ", \"lastEpisode\": " + std::to_string(details.lastEpisode) + "}";
  }
}

void appendProgrammeJson(std::string& out, const ProgrammeRecord& record) {
  out += "{\"channel\": ";
  appendJsonString(out, record.channel);
  out += ", \"channelId\": ";
  appendJsonString(out, record.channelId);
  out += ", \"start\": " + isoTime(record.start) + ", \"stop\": " + isoTime(record.stop);
  out += ", \"title\": ";
  appendJsonString(out, record.title);
  // Only imported programmes have these: other records stay as they were.
  if (!record.extra().subTitle.empty()) {
    out += ", \"subTitle\": ";
    appendJsonString(out, record.extra().subTitle);
  }
  out += ", \"description\": ";
  appendJsonString(out, record.description);
  out += ", \"genre\": " + std::to_string(record.genre) + ", \"genreName\": ";
  appendJsonString(out, genreNameJapanese(record.genre));
  out += ", \"genreNameEn\": ";
  appendJsonString(out, genreNameEnglish(record.genre));
  out += ", \"flags\": ";
  appendFlags(out, record.flags);
  if (!record.extra().episodes.empty()) {
    out += ", \"episodeNum\": ";
    appendEpisodes(out, record.extra().episodes);
  }
  appendBroadcast(out, record);
  out += '}';
}

std::string programmesJson(const Listing& listing) {
  std::string out;
  out.reserve(16 + listing.programmes.size() * 400);
  out += '[';
  for (std::size_t i = 0; i < listing.programmes.size(); ++i) {
    out += i == 0 ? "\n" : ",\n";
    appendProgrammeJson(out, listing.programmes[i]);
  }
  out += "\n]\n";
  return out;
}
