#include "programme/programme_diff.h"

#include <algorithm>
#include <map>
#include <utility>

#include "programme/programme_table.h"

namespace {

using ProgrammeKey = std::pair<std::string, std::string>;  // channel, title

std::map<ProgrammeKey, std::vector<ProgrammeEntry>> byProgramme(
    const std::vector<ProgrammeEntry>& entries) {
  std::map<ProgrammeKey, std::vector<ProgrammeEntry>> groups;
  for (const ProgrammeEntry& entry : entries) groups[{entry.channel, entry.title}].push_back(entry);
  return groups;
}

bool sameSlot(const ProgrammeEntry& a, const ProgrammeEntry& b) {
  return a.startTime == b.startTime && a.firstRow == b.firstRow && a.rowSpan == b.rowSpan;
}

}  // namespace

std::vector<std::string> channelsOf(const ProgrammeTable& table) {
  std::vector<std::string> names;
  for (std::size_t column = 1; column < table.columnCount(); ++column) {
    const ProgrammeCell* header = table.cellAt(column, 0);
    names.push_back(header ? header->body : std::string());
  }
  return names;
}

std::vector<ProgrammeEntry> programmesOf(const ProgrammeTable& table) {
  std::vector<ProgrammeEntry> entries;
  const std::vector<std::string> channels = channelsOf(table);
  for (std::size_t column = 1; column < table.columnCount(); ++column) {
    const std::size_t rows = table.rowCount(column);
    for (std::size_t row = 1; row < rows;) {
      const ProgrammeCell* cell = table.cellAt(column, row);
      if (!cell) {
        ++row;
        continue;
      }
      if (!cell->body.empty()) {
        entries.push_back(ProgrammeEntry{channels[column - 1], cell->title(), cell->timeText,
                                         static_cast<int>(row), cell->rowSpan});
      }
      row += static_cast<std::size_t>(std::max(cell->rowSpan, 1));
    }
  }
  return entries;
}

ProgrammeDiff diffProgrammes(const ProgrammeTable& before, const ProgrammeTable& after) {
  ProgrammeDiff diff;
  auto oldGroups = byProgramme(programmesOf(before));
  auto newGroups = byProgramme(programmesOf(after));
  for (const auto& group : oldGroups) {
    const std::vector<ProgrammeEntry>& olds = group.second;
    auto found = newGroups.find(group.first);
    const std::size_t paired = found == newGroups.end() ? 0 : std::min(olds.size(), found->second.size());
    for (std::size_t i = 0; i < paired; ++i) {
      if (!sameSlot(olds[i], found->second[i])) diff.moved.push_back({olds[i], found->second[i]});
    }
    diff.removed.insert(diff.removed.end(), olds.begin() + paired, olds.end());
    if (found != newGroups.end()) {
      diff.added.insert(diff.added.end(), found->second.begin() + paired, found->second.end());
      newGroups.erase(found);
    }
  }
  for (const auto& group : newGroups) {
    diff.added.insert(diff.added.end(), group.second.begin(), group.second.end());
  }
  return diff;
}

bool keepsCompleteness(const ProgrammeTable& before, const ProgrammeTable& after) {
  const std::vector<std::string> oldChannels = channelsOf(before);
  const std::vector<std::string> newChannels = channelsOf(after);
  int lost = 0;
  for (const std::string& name : oldChannels) {
    if (std::find(newChannels.begin(), newChannels.end(), name) == newChannels.end()) ++lost;
  }
  if (lost > kMaxLostChannels) return false;
  return 2 * programmesOf(after).size() >= programmesOf(before).size();
}
