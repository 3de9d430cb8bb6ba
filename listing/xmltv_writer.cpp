// Writing XMLTV.
#include "listing/xmltv_writer.h"

#include <cstdio>

#include "config/version.h"
#include "listing/export_text.h"
#include "listing/genre_names.h"
#include "listing/listing.h"
#include "listing/programme_flags.h"

namespace {

void appendElement(std::string& out, const char* name, const std::string& cp932) {
  out += "    <";
  out += name;
  out += " lang=\"ja\">";
  appendXmlText(out, cp932);
  out += "</";
  out += name;
  out += ">\n";
}

void appendChannel(std::string& out, const ListingChannel& channel) {
  out += "  <channel id=\"" + channel.id + "\">\n";
  out += "    <display-name lang=\"ja\">";
  appendXmlText(out, channel.name);
  out += "</display-name>\n  </channel>\n";
}

// The flag elements in the order the document type wants them.
void appendFlags(std::string& out, unsigned flags) {
  if (flags & kFlagBilingual) out += "    <audio><stereo>bilingual</stereo></audio>\n";
  if (flags & kFlagRepeat) out += "    <previously-shown/>\n";
  if (flags & kFlagFinal) out += "    <last-chance/>\n";
  if (flags & kFlagNew) out += "    <new/>\n";
  if (flags & kFlagSubtitles) out += "    <subtitles type=\"teletext\"/>\n";
}

// An imported programme's numbers, each with its system when it had one.
void appendEpisodes(std::string& out, const std::vector<EpisodeNumber>& episodes) {
  for (const EpisodeNumber& episode : episodes) {
    out += "    <episode-num";
    if (!episode.system.empty()) {
      out += " system=\"";
      appendXmlText(out, episode.system);
      out += '"';
    }
    out += '>';
    appendXmlText(out, episode.value);
    out += "</episode-num>\n";
  }
}

void appendProgramme(std::string& out, const ProgrammeRecord& record) {
  out += "  <programme start=\"" + xmltvTime(record.start) + "\" stop=\"" + xmltvTime(record.stop) +
         "\" channel=\"" + record.channelId + "\">\n";
  // Media centres read few of the mark elements below, so the title shows
  // the title line's marks as well.
  appendElement(out, "title", record.title + record.titleMarks);
  if (!record.extra().subTitle.empty()) appendElement(out, "sub-title", record.extra().subTitle);
  if (!record.description.empty()) appendElement(out, "desc", record.description);
  const std::string english = genreNameEnglish(record.genre);
  if (!english.empty()) {
    appendElement(out, "category", genreNameJapanese(record.genre));
    out += "    <category lang=\"en\">";
    appendXmlText(out, english);
    out += "</category>\n";
  }
  appendEpisodes(out, record.extra().episodes);
  appendFlags(out, record.flags);
  out += "  </programme>\n";
}

}  // namespace

std::string xmltvTime(GuideMinute minute) {
  const DateTime time = dateTimeOfMinute(minute);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d00 +0900", time.year, time.month, time.day,
                time.hour, time.minute);
  return text;
}

std::string xmltvDocument(const Listing& listing) {
  std::string out;
  out.reserve(256 + listing.programmes.size() * 400);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n";
  out += std::string("<tv generator-info-name=\"Rokuban ") + kVersionLabel + "\">\n";
  for (const ListingChannel& channel : listing.channels) appendChannel(out, channel);
  for (const ProgrammeRecord& record : listing.programmes) appendProgramme(out, record);
  out += "</tv>\n";
  return out;
}
