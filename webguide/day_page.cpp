// Writing a day's page.
#include "webguide/day_page.h"

#include <cstdio>
#include <unordered_map>

#include "listing/export_text.h"
#include "listing/programme_flags.h"

namespace {

const int kFirstHour = 5;  // the broadcast day's hours 5 .. 28
const int kHours = 24;
const int kTonightHour = 19;

// The broadcast hour (5 .. 28) in which `minute` lies, kept inside the day
// whose date begins at `dayStart`.
int hourRow(GuideMinute minute, GuideMinute dayStart) {
  const int hour = static_cast<int>((minute - dayStart) / 60);
  return hour < kFirstHour ? kFirstHour : hour >= kFirstHour + kHours ? kFirstHour + kHours - 1 : hour;
}

bool isWithinDay(GuideMinute minute, GuideMinute dayStart) {
  return minute >= dayStart + kFirstHour * 60 && minute < dayStart + (kFirstHour + kHours) * 60;
}

bool isRunning(const ProgrammeRecord& record, GuideMinute now) { return record.start <= now && now < record.stop; }

void appendSummary(std::string& out, const ProgrammeRecord& record, bool now, const PageTexts& texts,
                   const ReserveMarks* marks) {
  out += "<summary><time>" + clockTime(record.start) + "</time> ";
  if (marks && marks->holds(record)) {
    out += "<em class=\"rsv\">";
    appendXmlText(out, texts.reserved);
    out += "</em> ";
  }
  if (now) {
    out += "<em class=\"air\">";
    appendXmlText(out, texts.airing);
    out += "</em> ";
  }
  appendXmlText(out, record.title);
  out += "</summary>";
}

void appendProgramme(std::string& out, const ProgrammeRecord& record, GuideMinute now, const PageTexts& texts,
                     const ReserveMarks* marks) {
  const bool running = isRunning(record, now);
  out += "<details class=\"p g" + std::to_string(record.genre) + (running ? " now" : "") + "\" id=\"" +
         programmeAnchor(record) + "\">";
  appendSummary(out, record, running, texts, marks);
  appendProgrammeDetails(out, record, texts);
  out += "</details>";
}

// A programme that began in an earlier hour, named again at the top of this one.
void appendContinuation(std::string& out, const ProgrammeRecord& record, GuideMinute now) {
  out += "<a class=\"c g" + std::to_string(record.genre) + (isRunning(record, now) ? " now" : "") + "\" href=\"#" +
         programmeAnchor(record) + "\">";
  appendXmlText(out, record.title);
  out += "</a>";
}

// The programme before records[next] when it began before `top` and still
// runs then, with no other starting at `top`; else null.
const ProgrammeRecord* runningInto(const std::vector<const ProgrammeRecord*>& records, std::size_t next,
                                   GuideMinute top) {
  if (next == 0 || (next < records.size() && records[next]->start <= top)) return nullptr;
  const ProgrammeRecord* before = records[next - 1];
  return before->start < top && before->stop > top ? before : nullptr;
}

void appendHeadRow(std::string& out, const Listing& day) {
  out += "<thead><tr><th class=\"h\"></th>";
  for (const ListingChannel& channel : day.channels) {
    out += "<th scope=\"col\">";
    appendXmlText(out, channel.name);
    out += "</th>";
  }
  out += "</tr></thead>";
}

// The records of each channel, in the listing's channel order.
std::vector<std::vector<const ProgrammeRecord*>> byChannel(const Listing& day) {
  std::unordered_map<std::string, std::size_t> column;
  for (std::size_t i = 0; i < day.channels.size(); ++i) column.emplace(day.channels[i].name, i);
  std::vector<std::vector<const ProgrammeRecord*>> columns(day.channels.size());
  for (const ProgrammeRecord& record : day.programmes) {
    auto found = column.find(record.channel);
    if (found != column.end()) columns[found->second].push_back(&record);
  }
  return columns;
}

void appendChannelTabs(std::string& out, const CalendarDate& date, const DayTabs& tabs, const PageTexts& texts) {
  out += "<nav class=\"days channels\" aria-label=\"";
  appendXmlText(out, texts.jumpChannel);
  out += "\">";
  for (std::size_t i = 0; i < tabs.names.size(); ++i) {
    out += "<a href=\"" + dayPageUrl(date) + tabQuery(i) + "\"" +
           (i == tabs.shown ? " class=\"on\" aria-current=\"page\"" : "") + ">";
    appendXmlText(out, tabs.names[i]);
    out += "</a>";
  }
  out += "</nav>";
}

void appendGrid(std::string& out, const Listing& day, GuideMinute dayStart, GuideMinute now,
                const PageTexts& texts, const ReserveMarks* marks) {
  const auto columns = byChannel(day);
  std::vector<std::size_t> next(columns.size(), 0);
  const bool today = isWithinDay(now, dayStart);
  out += "<div class=\"grid\" id=\"grid\"><table>";
  appendHeadRow(out, day);
  out += "<tbody>";
  for (int hour = kFirstHour; hour < kFirstHour + kHours; ++hour) {
    const GuideMinute top = dayStart + hour * 60;
    const bool nowRow = today && hourRow(now, dayStart) == hour;
    out += "<tr id=\"h" + std::to_string(hour) + "\"" + (nowRow ? " class=\"nowrow\"" : "") +
           "><th class=\"h\" scope=\"row\">" + std::to_string(hour % 24) + "</th>";
    for (std::size_t column = 0; column < columns.size(); ++column) {
      // The first row's cells are where the channel links lead.
      out += hour == kFirstHour ? "<td id=\"" + channelAnchor(day.channels[column]) + "\">" : std::string("<td>");
      const auto& records = columns[column];
      std::size_t& at = next[column];
      if (const ProgrammeRecord* running = runningInto(records, at, top)) appendContinuation(out, *running, now);
      for (; at < records.size() && hourRow(records[at]->start, dayStart) == hour; ++at) {
        appendProgramme(out, *records[at], now, texts, marks);
      }
      out += "</td>";
    }
    out += "</tr>\n";
  }
  out += "</tbody></table></div>";
}

// Now (on today's page), tonight and the channels, as links.
void appendJumps(std::string& out, const Listing& day, GuideMinute dayStart, const PageClock& clock,
                 const std::string& dayQuery, const PageTexts& texts) {
  out += "<nav class=\"jump\">";
  if (isWithinDay(clock.now, dayStart)) {
    out += "<a href=\"#h" + std::to_string(hourRow(clock.now, dayStart)) + "\">";
    appendXmlText(out, texts.jumpNow);
    out += "</a> ";
  }
  out += "<a href=\"" + dayPageUrl(clock.today) + dayQuery + "#h" + std::to_string(kTonightHour) + "\">";
  appendXmlText(out, texts.jumpTonight);
  out += "</a> <details class=\"chs\"><summary>";
  appendXmlText(out, texts.jumpChannel);
  out += "</summary>";
  for (const ListingChannel& channel : day.channels) {
    out += "<a href=\"#" + channelAnchor(channel) + "\">";
    appendXmlText(out, channel.name);
    out += "</a>";
  }
  out += "</details></nav>";
}

}  // namespace

std::string clockTime(GuideMinute minute) {
  const DateTime time = dateTimeOfMinute(minute);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", time.hour % 24, time.minute % 60);
  return text;
}

std::string programmeAnchor(const ProgrammeRecord& record) {
  const DateTime start = dateTimeOfMinute(record.start);
  char time[8];
  std::snprintf(time, sizeof time, "%02d%02d", start.hour % 24, start.minute % 60);
  return "p-" + record.channelId + "-" + time;
}

std::string channelAnchor(const ListingChannel& channel) { return "c-" + channel.id; }

void appendProgrammeDetails(std::string& out, const ProgrammeRecord& record, const PageTexts& texts) {
  out += "<div class=\"d\"><p>" + clockTime(record.start) + "&#8211;" + clockTime(record.stop) + " ";
  appendXmlText(out, record.channel);
  out += "</p>";
  const std::string genre = genreText(record.genre, texts);
  if (!genre.empty()) {
    out += "<p>";
    appendXmlText(out, genre);
    out += "</p>";
  }
  if (record.flags) {
    out += "<p class=\"f\">";
    for (int i = 0; i < kProgrammeFlagCount; ++i) {
      if (!(record.flags & (1u << i))) continue;
      out += "<span>";
      appendXmlText(out, programmeFlagMark(i));
      out += "</span>";
    }
    out += "</p>";
  }
  if (!record.description.empty()) {
    out += "<p class=\"t\">";
    appendXmlText(out, record.description);
    out += "</p>";
  }
  out += "</div>";
}

std::string tabQuery(std::size_t index) { return "&amp;tab=" + std::to_string(index); }

namespace {

std::string dayPageWith(const Listing& day, const CalendarDate& date, const PageClock& clock, const PageTexts& texts,
                        const DayTabs* tabs, const ReserveMarks* marks) {
  const GuideMinute dayStart = guideMinute(dayNumber(date.year, date.month, date.day), 0);
  PageHead head;
  head.title = "Rokuban " + isoDate(date);
  head.selected = &date;
  if (tabs) head.dayQuery = tabQuery(tabs->shown);
  std::string out = pageStart(head, clock, texts);
  if (tabs) appendChannelTabs(out, date, *tabs, texts);
  if (day.programmes.empty()) {
    out += "<p class=\"msg\">";
    appendXmlText(out, filledIn(texts.nothingCached, isoDate(date)));
    out += "</p>";
  } else {
    appendJumps(out, day, dayStart, clock, head.dayQuery, texts);
    appendGrid(out, day, dayStart, clock.now, texts, marks);
  }
  return out + pageEnd(texts);
}

}  // namespace

std::string dayPage(const Listing& day, const CalendarDate& date, const PageClock& clock, const PageTexts& texts,
                    const ReserveMarks* marks) {
  return dayPageWith(day, date, clock, texts, nullptr, marks);
}

std::string dayPage(const Listing& day, const CalendarDate& date, const PageClock& clock, const PageTexts& texts,
                    const DayTabs& tabs, const ReserveMarks* marks) {
  return dayPageWith(day, date, clock, texts, &tabs, marks);
}
