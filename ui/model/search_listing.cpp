// The fourth view's rows.
#include "ui/model/search_listing.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "listing/programme_time.h"
#include "programme/genre_table.h"
#include "programme/programme_table.h"
#include "search/match_line.h"
#include "ui/model/programme_view.h"
#include "watch/change_line.h"
#include "watch/watch_match.h"

namespace {

// Minutes from 00:00 of the broadcast date: 300..1739.
int minuteOfBroadcastDay(const ProgrammeRecord& record) {
  return static_cast<int>(record.start - guideMinute(broadcastDayOf(record), 0));
}

int genreColour(int genre) {
  for (int i = 0; i < kGenreRowCount; ++i)
    if (kGenreTable[i].number == genre) return kGenreTable[i].colour;
  return 0xFFFFFF;
}

}  // namespace

int broadcastDayOf(const ProgrammeRecord& record) { return broadcastDayOf(record.start); }

ViewState dayViewOf(const ProgrammeRecord& record) {
  ViewState view;
  view.day = broadcastDayOf(record);
  view.date = dateFromDayNumber(view.day);
  return view;
}

std::string searchRowText(const ProgrammeRecord& record) {
  const CalendarDate date = dateFromDayNumber(broadcastDayOf(record));
  const int minute = minuteOfBroadcastDay(record);
  int weekday = date.dayOfWeek;
  if (weekday < 0 || weekday > 6) weekday = 0;
  char head[48];
  std::snprintf(head, sizeof head, "%02d/%02d(%s) %02d:%02d ", date.month, date.day, weekdayKanji(weekday),
                minute / 60, minute % 60);
  return head + record.channel + " " + record.title;
}

std::string reairNote(const std::string& firstAiring) {
  return "\x81\x69" + identityStartText(firstAiring) + "\x82\xcc\x8d\xc4\x95\xfa\x91\x97\x81\x6a";  // （…の再放送）
}

RowLook searchRowLook(const ProgrammeRecord& record, bool selected, const SystemColours& system) {
  RowLook look{searchRowText(record), kBlack, colourRefFromRgb(genreColour(record.genre)), false};
  if (selected) {
    look.textColour = look.background;
    look.background = system.highlight;
  }
  return look;
}

RowLook watchRowLook(const WatchMatch& match, bool selected, const SystemColours& system) {
  RowLook look = searchRowLook(match.record, selected, system);
  if (!match.firstAiring.empty()) look.text += reairNote(match.firstAiring);
  return look;
}

int firstSearchRowSelected(const std::vector<ProgrammeRecord>& rows, GuideMinute now) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].stop > now) return static_cast<int>(i);
  return static_cast<int>(rows.size()) - 1;
}

const ProgrammeCell* findRecordCell(const ProgrammeTable& day, const ProgrammeRecord& record) {
  const int column = day.findChannel(record.channel);
  if (column < 1) return nullptr;
  const int start = minuteOfBroadcastDay(record);
  const std::size_t col = static_cast<std::size_t>(column);
  for (std::size_t row = 1; row < day.rowCount(col);) {
    const ProgrammeCell* cell = day.cellAt(col, row);
    if (cell && !cell->body.empty() && !isChannelHeader(*cell) &&
        programmeStartMinutes(day, *cell) == start)
      return cell;
    row += cell && cell->rowSpan > 1 ? static_cast<std::size_t>(cell->rowSpan) : 1;
  }
  return nullptr;
}

std::string searchCountText(int source, std::size_t count) {
  const char* label = source == kWatchMatches ? "\x83\x45\x83\x48\x83\x62\x83\x60"  // ウォッチ
                                              : "\x8c\x9f\x8d\xf5";                  // 検索
  std::string text = std::string(label) + ": " + std::to_string(count) + "\x8c\x8f";  // 件
  if (count == 0) text += "\x81\x69\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x6a";
  return text;
}

std::string searchDetailText(const ProgrammeRecord& record, const ProgrammeCell* cell) {
  std::string text;
  if (detailPaneText(cell, text)) return text;
  text = record.title;
  std::size_t from = 0;
  // The description's lines end in "\n"; the pane wants CR LF.
  if (!record.description.empty()) text += "\r\n";
  for (std::size_t at; (at = record.description.find('\n', from)) != std::string::npos; from = at + 1)
    text += record.description.substr(from, at - from) + "\r\n";
  return text + record.description.substr(from);
}
