// The watch list's balloon and automatic reservations.
#include "ui/model/watch_announcement.h"

#include "os/os.h"
#include "recorder/recorder_reservations.h"
#include "watch/watch_changes.h"
#include "watch/watch_check.h"
#include "watch/watch_memory.h"

namespace {
const char kWatch[] = "\x83\x45\x83\x48\x83\x62\x83\x60: ";     // "ウォッチ: "
const char kNewProgrammes[] = "\x8c\x8f\x82\xcc\x90\x56\x82\xb5\x82\xa2\x94\xd4\x91\x67";  // "件の新しい番組"
const char kReservedTail[] = "\x8c\x8f\x82\xf0\x98\x5e\x89\xe6\x97\x5c\x96\xf1\x82\xb5\x82\xdc\x82\xb5\x82\xbd";  // "件を録画予約しました"
const char kEllipsis[] = "\x81\x63";                                 // "…"
// "件の番組の時間が変わりました"
const char kTimesChanged[] = "\x8c\x8f\x82\xcc\x94\xd4\x91\x67\x82\xcc\x8e\x9e\x8a\xd4\x82\xaa\x95\xcf\x82\xed\x82\xe8\x82\xdc\x82\xb5\x82\xbd";
const char kNewCount[] = "\x90\x56\x82\xb5\x82\xa2\x94\xd4\x91\x67: ";  // "新しい番組: "
const char kCountUnit[] = "\x8c\x8f";                                 // "件"
// "件を新しい時間で予約し直しました。元の予約も録画ツールに残っています"
const char kRenewedTail[] =
    "\x8c\x8f\x82\xf0\x90\x56\x82\xb5\x82\xa2\x8e\x9e\x8a\xd4\x82\xc5\x97\x5c\x96\xf1\x82\xb5\x92\xbc\x82\xb5\x82\xdc"
    "\x82\xb5\x82\xbd\x81\x42\x8c\xb3\x82\xcc\x97\x5c\x96\xf1\x82\xe0\x98\x5e\x89\xe6\x83\x63\x81\x5b\x83\x8b\x82\xc9"
    "\x8e\x63\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb7";

// "件を予約できません"
const char kRefusedTail[] = "\x8c\x8f\x82\xf0\x97\x5c\x96\xf1\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";

// The first titles one a line, then "…" for the rest.
std::string titleLines(const std::vector<const ProgrammeRecord*>& records) {
  std::string text;
  for (std::size_t i = 0; i < records.size() && i < kBalloonTitles; ++i) text += records[i]->title + "\r\n";
  if (records.size() > kBalloonTitles) text += std::string(kEllipsis) + "\r\n";
  return text;
}

std::string withoutLastLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}
}  // namespace

std::string fitShiftJis(const std::string& text, std::size_t bytes) {
  if (bytes == 0) return std::string();
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t step = os::isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > bytes - 1 || end + step > text.size()) break;
    end += step;
  }
  return text.substr(0, end);
}

bool watchAnnouncement(const std::vector<ProgrammeRecord>& fresh, int reserved, WatchAnnouncement& out) {
  if (fresh.empty() && reserved == 0) return false;
  out = WatchAnnouncement{};
  out.count = static_cast<int>(fresh.size());
  out.reserved = reserved;
  out.title = fitShiftJis(kWatch + std::to_string(out.count) + kNewProgrammes, kBalloonTitleBytes);
  std::vector<const ProgrammeRecord*> titles;
  for (const ProgrammeRecord& record : fresh) titles.push_back(&record);
  std::string text = titleLines(titles);
  if (reserved > 0) text += std::to_string(reserved) + kReservedTail;
  out.text = fitShiftJis(withoutLastLineEnd(text), kBalloonTextBytes);
  return true;
}

bool addWatchChanges(const std::vector<WatchChange>& changes, int renewed, WatchAnnouncement& out) {
  std::vector<const ProgrammeRecord*> titles;
  for (const WatchChange& change : changes)
    if (changesTime(change.kind)) titles.push_back(&change.before);
  if (titles.empty()) return false;
  std::string text = titleLines(titles);
  if (out.count > 0) text += kNewCount + std::to_string(out.count) + kCountUnit + "\r\n";
  if (out.reserved > 0) text += std::to_string(out.reserved) + kReservedTail + "\r\n";
  if (renewed > 0) text += std::to_string(renewed) + kRenewedTail;
  out.changed = static_cast<int>(titles.size());
  out.title = fitShiftJis(kWatch + std::to_string(out.changed) + kTimesChanged, kBalloonTitleBytes);
  out.text = fitShiftJis(withoutLastLineEnd(text), kBalloonTextBytes);
  return true;
}

std::vector<ProgrammeRecord> movedReservations(const std::vector<WatchChange>& changes, const SettingsStore& settings) {
  std::vector<ProgrammeRecord> renewed;
  for (const WatchChange& change : changes)
    if (airsAtOtherTimes(change.kind) && isRemembered(settings, kReservedSection, change.before))
      renewed.push_back(change.after);
  return renewed;
}

bool addRecorderRefusals(const std::vector<RecorderRefusal>& refusals, WatchAnnouncement& out) {
  if (refusals.empty()) return false;
  const std::string count = std::to_string(refusals.size()) + kRefusedTail;
  std::string text = out.text.empty() ? std::string() : out.text + "\r\n";
  if (out.title.empty()) out.title = fitShiftJis(kWatch + count, kBalloonTitleBytes);
  else text += count + "\r\n";
  for (std::size_t i = 0; i < refusals.size() && i < kBalloonTitles; ++i)
    text += refusals[i].record.title + ": " + recorderOutcomeText(refusals[i].result.outcome) + "\r\n";
  if (refusals.size() > kBalloonTitles) text += std::string(kEllipsis) + "\r\n";
  out.text = fitShiftJis(withoutLastLineEnd(text), kBalloonTextBytes);
  return true;
}

std::vector<ProgrammeRecord> matchesToReserve(const WatchCheck& check, bool companionInstalled) {
  return companionInstalled ? check.toReserve : std::vector<ProgrammeRecord>();
}
