// The watched programmes' changes in the settings file.
#include "watch/watch_change_memory.h"

#include <algorithm>
#include <sstream>
#include <tuple>

#include "config/settings_store.h"
#include "watch/watch_memory.h"

const char kChangesSection[] = "watchchanges";

namespace {

// Enough for a bad evening of sports overruns; the oldest go first.
constexpr std::size_t kMostChanges = 500;

const char* const kKindWords[] = {"moved", "extended", "cancelled", "new"};

bool readKind(const std::string& word, WatchChangeKind& kind) {
  for (int i = 0; i < 4; ++i)
    if (word == kKindWords[i]) {
      kind = static_cast<WatchChangeKind>(i);
      return true;
    }
  return false;
}

bool readLine(const std::string& key, const std::string& value, RememberedChange& change) {
  const std::size_t slash = key.rfind('/');
  if (slash == std::string::npos || slash == 0) return false;
  change.channelId = key.substr(0, slash);
  change.firstStart = readCompactMinute(key.substr(slash + 1));
  std::istringstream in(value);
  std::string kind, firstStop, start, stop, changedAt;
  if (!(in >> kind >> change.sequence >> firstStop >> start >> stop >> changedAt) || !readKind(kind, change.kind))
    return false;
  change.firstStop = readCompactMinute(firstStop);
  change.start = readCompactMinute(start);
  change.stop = readCompactMinute(stop);
  change.changedAt = readCompactMinute(changedAt);
  std::getline(in >> std::ws, change.title);
  return change.firstStart >= 0 && change.firstStop >= 0 && change.start >= 0 && change.stop >= 0 &&
         change.changedAt >= 0 && change.sequence > 0;
}

std::string lineValue(const RememberedChange& change) {
  return std::string(changeKindWord(change.kind)) + " " + std::to_string(change.sequence) + " " +
         compactMinute(change.firstStop) + " " + compactMinute(change.start) + " " + compactMinute(change.stop) +
         " " + compactMinute(change.changedAt) + " " + change.title;
}

std::string lineKey(const RememberedChange& change) {
  return change.channelId + "/" + compactMinute(change.firstStart);
}

// A title as one settings line holds it: no line ends or other controls.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

// The line of a programme that changed before and has now changed again.
RememberedChange* earlierChange(std::vector<RememberedChange>& changes, const ProgrammeRecord& before) {
  for (RememberedChange& change : changes)
    if (change.channelId == before.channelId && change.start == before.start &&
        change.kind != WatchChangeKind::cancelled)
      return &change;
  return nullptr;
}

void add(std::vector<RememberedChange>& changes, const WatchChange& found, GuideMinute now) {
  const ProgrammeRecord& first = firstAiring(found);
  RememberedChange* change = changesTime(found.kind) ? earlierChange(changes, found.before) : nullptr;
  if (!change) {
    changes.emplace_back();
    change = &changes.back();
    change->channelId = first.channelId;
    change->firstStart = first.start;
    change->firstStop = first.stop;
    change->sequence = 0;
  }
  change->kind = found.kind;
  change->title = oneLine(first.title);
  change->start = found.hasAfter ? found.after.start : change->firstStart;
  change->stop = found.hasAfter ? found.after.stop : change->firstStop;
  change->changedAt = now;
  ++change->sequence;
}

}  // namespace

const char* changeKindWord(WatchChangeKind kind) { return kKindWords[static_cast<int>(kind)]; }

std::vector<RememberedChange> rememberedChanges(const SettingsStore& settings) {
  std::vector<RememberedChange> changes;
  const StringMap* lines = settings.findSection(kChangesSection);
  if (!lines) return changes;
  for (const auto& line : *lines) {
    RememberedChange change;
    if (readLine(line.first, line.second, change)) changes.push_back(change);
  }
  std::sort(changes.begin(), changes.end(), [](const RememberedChange& a, const RememberedChange& b) {
    return std::tie(a.start, a.channelId) < std::tie(b.start, b.channelId);
  });
  return changes;
}

std::vector<RememberedChange> changesNotEnded(const SettingsStore& settings, GuideMinute now) {
  std::vector<RememberedChange> changes = rememberedChanges(settings);
  changes.erase(std::remove_if(changes.begin(), changes.end(),
                               [&](const RememberedChange& change) { return change.stop <= now; }),
                changes.end());
  return changes;
}

void rememberChanges(SettingsStore& settings, const std::vector<WatchChange>& found, GuideMinute now) {
  if (found.empty() && !settings.hasSection(kChangesSection)) return;
  std::vector<RememberedChange> changes = rememberedChanges(settings);
  for (const WatchChange& change : found) add(changes, change, now);
  changes.erase(std::remove_if(changes.begin(), changes.end(),
                               [&](const RememberedChange& change) { return change.stop < now; }),
                changes.end());
  if (changes.size() > kMostChanges) {
    std::sort(changes.begin(), changes.end(),
              [](const RememberedChange& a, const RememberedChange& b) { return a.changedAt > b.changedAt; });
    changes.resize(kMostChanges);
  }
  StringMap& lines = settings.section(kChangesSection);
  lines.clear();
  for (const RememberedChange& change : changes) lines[lineKey(change)] = lineValue(change);
}

ProgrammeRecord firstAiringOf(const RememberedChange& change, const Listing& listing) {
  ProgrammeRecord record;
  record.channelId = change.channelId;
  record.channel = change.channelId;
  for (const ListingChannel& channel : listing.channels)
    if (channel.id == change.channelId) record.channel = channel.name;
  record.title = change.title;
  record.start = change.firstStart;
  record.stop = change.firstStop;
  return record;
}

ProgrammeRecord airingNowOf(const RememberedChange& change, const Listing& listing) {
  ProgrammeRecord record = firstAiringOf(change, listing);
  record.start = change.start;
  record.stop = change.stop;
  return record;
}

IcsHistory icsHistoryOf(const std::vector<RememberedChange>& changes, const Listing& listing) {
  IcsHistory history;
  for (const RememberedChange& change : changes) {
    const IcsRevision revision{change.firstStart, change.sequence, change.changedAt};
    if (change.kind == WatchChangeKind::cancelled)
      history.cancelled.emplace_back(firstAiringOf(change, listing), revision);
    else if (changesTime(change.kind))
      history.revised[{change.channelId, change.start}] = revision;
  }
  return history;
}

IcsHistory movedProgrammesHistory(const SettingsStore& settings, const Listing& listing) {
  IcsHistory history = icsHistoryOf(rememberedChanges(settings), listing);
  history.cancelled.clear();
  return history;
}
