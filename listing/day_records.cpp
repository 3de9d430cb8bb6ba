// Programme records from day tables.
#include "listing/day_records.h"

#include <algorithm>
#include <map>

#include "listing/channel_ids.h"
#include "listing/programme_flags.h"
#include "listing/programme_sieve.h"
#include "listing/programme_time.h"
#include "listing/record_order.h"
#include "programme/genre_table.h"
#include "programme/programme_table.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;

// How much of each cell a day's records take, and the draft a sieve reads.
struct DayRecordDetail {
  RecordDetail detail;
  SievedTimes* sieved;
  ProgrammeRecord draft;
};

// The lines after the title line, each line end a single "\n", into `text`.
void describeInto(const ProgrammeCell& cell, std::string& text) {
  text.clear();
  const std::string& body = cell.body;
  for (std::size_t i = std::min(cell.detailOffset, body.size()); i < body.size();) {
    const std::size_t lineEnd = std::min(body.find('\r', i), body.size());
    text.append(body, i, lineEnd - i);
    i = lineEnd + 1;
  }
  while (!text.empty() && text.back() == '\n') text.pop_back();
}

// What a sieve looks at, in `draft`, whose texts' room serves every cell.
void draftOf(const ProgrammeCell& cell, const std::string& channel, GuideMinute start, ProgrammeRecord& draft) {
  draft.channel = channel;
  draft.start = start;
  draft.genre = genreOf(cell.background);
  cell.titleInto(draft.title);
  describeInto(cell, draft.description);
}

// Whether every byte pair of the draft's texts lies in the cell's body:
// not when titleInto joins two bracketed parts or describeInto drops a CR
// that no LF follows, where a pair may straddle the join.
bool draftPairsLieInBody(const std::string& body) {
  // Found by their second byte: 0x81 begins most Japanese punctuation.
  int openings = 0;
  for (std::size_t at = body.find('\x79', 1); at != std::string::npos; at = body.find('\x79', at + 1))
    if (body[at - 1] == '\x81' && ++openings > 1) return false;
  for (std::size_t cr = body.find('\r'); cr != std::string::npos; cr = body.find('\r', cr + 1))
    if (cr + 1 < body.size() && body[cr + 1] != '\n') return false;
  return true;
}

// Asks the sieve of the cell's body first: most of a household's week is
// refused there, without a draft.
bool sieveKeeps(const ProgrammeCell& cell, const std::string& channel, GuideMinute start, DayRecordDetail& detail) {
  const ProgrammeSieve& sieve = *detail.sieved->sieve;
  if (draftPairsLieInBody(cell.body) && !sieve.mayKeepTexts(cell.body)) return false;
  draftOf(cell, channel, start, detail.draft);
  return sieve.keeps(detail.draft);
}

// `position` is where day.locate finds the cell.
void appendRecord(const ProgrammeTable& day, const ProgrammeCell& cell, const GridPosition& position,
                  int broadcastDay, const std::string& channel, const std::string& channelId,
                  const std::string* sievedName, DayRecordDetail& detail, std::vector<ProgrammeRecord>& records) {
  ProgrammeRecord record;
  const int startMinutes = programmeStartMinutes(day, cell, static_cast<std::size_t>(position.row));
  if (startMinutes < 0) return;
  record.start = guideMinute(broadcastDay, startMinutes);
  const int start = static_cast<int>(record.start - guideMinute(broadcastDay, 0));
  int stop = broadcastMinutes(programmeEndTime(day, cell, position));
  if (stop < 0) stop = start;
  // An end that reads earlier than the start can only be on the next day.
  if (stop < start) stop += kMinutesPerDay;
  record.stop = guideMinute(broadcastDay, stop);
  if (detail.sieved) {
    const bool kept = sieveKeeps(cell, channel, record.start, detail);
    detail.sieved->times.push_back({sievedName, record.start, record.stop, kept ? records.size() : kNoRecord});
    // A refused one is only times to its channel's others.
    if (!kept) return;
  }
  record.channel = channel;
  record.channelId = channelId;
  if (detail.detail == RecordDetail::Times) return records.push_back(std::move(record));
  if (detail.sieved) {
    record.title = detail.draft.title;
    record.description = detail.draft.description;
  } else {
    record.title = cell.title();
    describeInto(cell, record.description);
  }
  record.titleMarks = titleLineMarks(cell);
  record.genre = genreOf(cell.background);
  // Pages put the mark images after the details as often as in the title line.
  record.flags = programmeFlagsOf(cell.body);
  records.push_back(std::move(record));
}

// Times of one channel and start, one after the other in `order`, become
// the first, with the last stop that has a length: the later day's cell of
// a programme running at 05:00 knows its end, the earlier day's stops at
// 05:00. The order of the times left.
template <typename SameChannel>
std::vector<std::size_t> joinSameStarts(std::vector<ProgrammeTimes>& times, const std::vector<std::size_t>& order,
                                        SameChannel sameChannel) {
  std::vector<std::size_t> kept;
  kept.reserve(order.size());
  for (std::size_t index : order) {
    ProgrammeTimes* last = kept.empty() ? nullptr : &times[kept.back()];
    const ProgrammeTimes& programme = times[index];
    if (last && last->start == programme.start && sameChannel(kept.back(), index)) {
      if (programme.stop > programme.start) last->stop = programme.stop;
      continue;
    }
    kept.push_back(index);
  }
  return kept;
}

// Sorts, joins and cuts `times` (see finishRecords): the places of those
// left, in order.
std::vector<std::size_t> finishTimes(std::vector<ProgrammeTimes>& times, const std::vector<std::string>& channelOrder) {
  std::map<std::string, std::size_t> position;
  for (std::size_t i = 0; i < channelOrder.size(); ++i) position.emplace(channelOrder[i], i);
  // Each programme's rank looked up once (once a run of one name), and
  // places sorted rather than records: a household's week is tens of
  // thousands of them.
  std::vector<std::size_t> rank(times.size()), order(times.size());
  std::vector<std::size_t> rankStarts(channelOrder.size() + 2, 0);
  for (std::size_t i = 0; i < times.size(); ++i) {
    if (i > 0 && times[i].channel == times[i - 1].channel) {
      rank[i] = rank[i - 1];
    } else {
      auto found = position.find(*times[i].channel);
      rank[i] = found == position.end() ? channelOrder.size() : found->second;
    }
    ++rankStarts[rank[i] + 1];
  }
  const auto before = [&](std::size_t a, std::size_t b) {
    if (rank[a] != rank[b]) return rank[a] < rank[b];
    const ProgrammeTimes& timesA = times[a];
    const ProgrammeTimes& timesB = times[b];
    // One rank within the order is one name: only the channels it lacks share one.
    if (rank[a] == channelOrder.size() && *timesA.channel != *timesB.channel) return *timesA.channel < *timesB.channel;
    return timesA.start < timesB.start;
  };
  // The stable sort by `before`, done as a stable placing by rank and a sort
  // of each rank's places, which a channel's days nearly always leave in
  // order already: a household's week is tens of thousands of them.
  for (std::size_t r = 1; r < rankStarts.size(); ++r) rankStarts[r] += rankStarts[r - 1];
  std::vector<std::size_t> next(rankStarts.begin(), rankStarts.end() - 1);
  for (std::size_t i = 0; i < times.size(); ++i) order[next[rank[i]]++] = i;
  for (std::size_t r = 0; r + 1 < rankStarts.size(); ++r) {
    const auto first = order.begin() + static_cast<std::ptrdiff_t>(rankStarts[r]);
    const auto last = order.begin() + static_cast<std::ptrdiff_t>(rankStarts[r + 1]);
    if (!std::is_sorted(first, last, before)) std::stable_sort(first, last, before);
  }
  const auto sameChannel = [&](std::size_t a, std::size_t b) {
    return rank[a] == rank[b] && (rank[a] < channelOrder.size() || *times[a].channel == *times[b].channel);
  };
  std::vector<std::size_t> kept = joinSameStarts(times, order, sameChannel);
  for (std::size_t i = 0; i + 1 < kept.size(); ++i) {
    ProgrammeTimes& programme = times[kept[i]];
    const ProgrammeTimes& next = times[kept[i + 1]];
    // One without length (its page's rows and times disagree) ends where the next begins.
    if (sameChannel(kept[i], kept[i + 1]) && (programme.stop > next.start || programme.stop <= programme.start)) {
      programme.stop = next.start;
    }
  }
  return kept;
}

}  // namespace

bool programmeStart(const ProgrammeTable& day, const ProgrammeCell& cell, int broadcastDay, GuideMinute& start) {
  const int minutes = programmeStartMinutes(day, cell);
  if (minutes < 0) return false;
  start = guideMinute(broadcastDay, minutes);
  return true;
}

void appendDayRecords(const ProgrammeTable& day, int broadcastDay, ChannelIds& ids,
                      std::vector<ProgrammeRecord>& records, RecordDetail detail, SievedTimes* sieved) {
  DayRecordDetail wanted{detail, sieved, {}};
  const std::size_t rows = day.rowCount(0);
  // Grown geometrically: a day at a time would copy the week over and over.
  if (records.capacity() < records.size() + day.cellCount()) {
    records.reserve(std::max(records.size() + day.cellCount(), 2 * records.capacity()));
  }
  for (std::size_t column = 1; column < day.columnCount(); ++column) {
    const ProgrammeCell* header = day.cellAt(column, 0);
    if (!header) continue;
    const std::string channelId = ids.idFor(header->body);
    const std::string* sievedName = sieved ? &*sieved->channels.insert(header->body).first : nullptr;
    // Where locate's walk of the column stands: a cell it meets at the
    // same row is where locate finds it, without the table's index.
    std::size_t indexed = 1;
    for (std::size_t row = 1; row < rows;) {
      const ProgrammeCell* cell = day.cellAt(column, row);
      if (cell && !cell->body.empty()) {
        while (indexed < row) indexed += rowsSteppedOver(day.cellAt(column, indexed));
        const GridPosition position =
            indexed == row ? GridPosition{static_cast<int>(column), static_cast<int>(row)} : day.locate(cell);
        appendRecord(day, *cell, position, broadcastDay, header->body, channelId, sievedName, wanted, records);
        row += cell->rowSpan > 1 ? cell->rowSpan : 1;
      } else {
        ++row;
      }
    }
  }
}

void finishRecords(std::vector<ProgrammeRecord>& records, const std::vector<std::string>& channelOrder) {
  std::vector<ProgrammeTimes> times(records.size());
  for (std::size_t i = 0; i < records.size(); ++i)
    times[i] = {&records[i].channel, records[i].start, records[i].stop, i};
  finishRecords(records, times, channelOrder);
}

void finishRecords(std::vector<ProgrammeRecord>& records, std::vector<ProgrammeTimes>& times,
                   const std::vector<std::string>& channelOrder) {
  // Joined and cut as times: only the records that stay are moved, once.
  std::vector<std::size_t> order;
  for (std::size_t place : finishTimes(times, channelOrder)) {
    const ProgrammeTimes& programme = times[place];
    if (programme.record == kNoRecord) continue;
    records[programme.record].stop = programme.stop;
    order.push_back(programme.record);
  }
  keepInOrder(records, order);
}
