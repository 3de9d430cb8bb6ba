// The watch list's balloon and automatic reservations.
#include "ui/model/watch_announcement.h"

#include "os/os.h"
#include "search/watch_check.h"

namespace {
const char kWatch[] = "\x83\x45\x83\x48\x83\x62\x83\x60: ";     // "ウォッチ: "
const char kNewProgrammes[] = "\x8c\x8f\x82\xcc\x90\x56\x82\xb5\x82\xa2\x94\xd4\x91\x67";  // "件の新しい番組"
const char kReservedTail[] = "\x8c\x8f\x82\xf0\x98\x5e\x89\xe6\x97\x5c\x96\xf1\x82\xb5\x82\xdc\x82\xb5\x82\xbd";  // "件を録画予約しました"
const char kEllipsis[] = "\x81\x63";                                 // "…"
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
  std::string text;
  for (std::size_t i = 0; i < fresh.size() && i < kBalloonTitles; ++i) text += fresh[i].title + "\r\n";
  if (fresh.size() > kBalloonTitles) text += std::string(kEllipsis) + "\r\n";
  if (reserved > 0) text += std::to_string(reserved) + kReservedTail;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  out.text = fitShiftJis(text, kBalloonTextBytes);
  return true;
}

std::vector<ProgrammeRecord> matchesToReserve(const WatchCheck& check, bool companionInstalled) {
  return companionInstalled ? check.toReserve : std::vector<ProgrammeRecord>();
}
