// Writing iCalendar.
#include "listing/ics_writer.h"

#include <cstdio>

#include "listing/export_text.h"
#include "listing/genre_names.h"
#include "listing/listing.h"

namespace {

constexpr int kJapanOffsetMinutes = 9 * 60;
constexpr std::size_t kMostOctets = 75;

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Appends one content line, folded: a line longer than 75 octets goes on
// after CR LF and a space, cut before a character, never inside one.
void appendLine(std::string& out, const std::string& line) {
  std::size_t start = 0;
  std::size_t room = kMostOctets;
  while (line.size() - start > room) {
    std::size_t cut = start + room;
    while (cut > start && isContinuationByte(line[cut])) --cut;
    out.append(line, start, cut - start);
    out += "\r\n ";
    start = cut;
    room = kMostOctets - 1;
  }
  out.append(line, start, std::string::npos);
  out += "\r\n";
}

void appendTextProperty(std::string& out, const char* name, const std::string& cp932) {
  std::string line = std::string(name) + ":";
  appendIcsText(line, cp932);
  appendLine(out, line);
}

// Channel id and start (Japan time, as the guide reads), e.g.
// "nhk.tokyo.jp-20261204T2100@rokuban".
std::string eventId(const std::string& channelId, GuideMinute firstStart) {
  const DateTime start = dateTimeOfMinute(firstStart);
  char text[32];
  std::snprintf(text, sizeof text, "-%04d%02d%02dT%02d%02d@rokuban", start.year, start.month, start.day,
                start.hour, start.minute);
  return channelId + text;
}

void appendEvent(std::string& out, const ProgrammeRecord& record, const std::string& stamp,
                 const IcsRevision* revision, bool cancelled) {
  appendLine(out, "BEGIN:VEVENT");
  appendLine(out, "UID:" + eventId(record.channelId, revision ? revision->firstStart : record.start));
  appendLine(out, "DTSTAMP:" + stamp);
  if (revision) {
    appendLine(out, "SEQUENCE:" + std::to_string(revision->sequence));
    appendLine(out, "LAST-MODIFIED:" + icsUtcTime(revision->modified));
  }
  if (cancelled) appendLine(out, "STATUS:CANCELLED");
  appendLine(out, "DTSTART:" + icsUtcTime(record.start));
  appendLine(out, "DTEND:" + icsUtcTime(record.stop));
  appendTextProperty(out, "SUMMARY", record.title);
  if (!record.description.empty()) appendTextProperty(out, "DESCRIPTION", record.description);
  appendTextProperty(out, "LOCATION", record.channel);
  const std::string genre = genreNameJapanese(record.genre);
  if (!genre.empty()) appendTextProperty(out, "CATEGORIES", genre);
  appendLine(out, "END:VEVENT");
}

}  // namespace

std::string icsUtcTime(GuideMinute minute) {
  const DateTime time = dateTimeOfMinute(minute - kJapanOffsetMinutes);
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00Z", time.year, time.month, time.day, time.hour,
                time.minute);
  return text;
}

std::string icsDocument(const Listing& listing, GuideMinute stamp, const IcsHistory& history) {
  std::string out;
  appendLine(out, "BEGIN:VCALENDAR");
  appendLine(out, "VERSION:2.0");
  appendLine(out, "PRODID:-//Rokuban//rokuban-cli//JA");
  appendLine(out, "CALSCALE:GREGORIAN");
  const std::string stampText = icsUtcTime(stamp);
  for (const ProgrammeRecord& record : listing.programmes) {
    const auto revised = history.revised.find({record.channelId, record.start});
    appendEvent(out, record, stampText, revised == history.revised.end() ? nullptr : &revised->second, false);
  }
  for (const auto& cancelled : history.cancelled) appendEvent(out, cancelled.first, stampText, &cancelled.second, true);
  appendLine(out, "END:VCALENDAR");
  return out;
}
