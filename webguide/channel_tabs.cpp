#include "webguide/channel_tabs.h"

#include <cstdlib>
#include <unordered_set>

namespace {

constexpr long long kServicesPerNetwork = 100000;
// Network ids ARIB gives terrestrial broadcasters.
constexpr long long kFirstTerrestrialNetwork = 0x7880;
constexpr long long kLastTerrestrialNetwork = 0x7FE8;
constexpr ChannelKind kKinds[] = {ChannelKind::kTerrestrial, ChannelKind::kBs, ChannelKind::kCs,
                                  ChannelKind::kOther};

}  // namespace

ChannelKind channelKindOf(const std::string& channelId) {
  if (channelId.empty() || channelId.size() > 12 || channelId.find_first_not_of("0123456789") != std::string::npos) {
    return ChannelKind::kOther;
  }
  const long long network = std::atoll(channelId.c_str()) / kServicesPerNetwork;
  if (network == 4) return ChannelKind::kBs;
  if (network == 6 || network == 7) return ChannelKind::kCs;
  if (network >= kFirstTerrestrialNetwork && network <= kLastTerrestrialNetwork) return ChannelKind::kTerrestrial;
  return ChannelKind::kOther;
}

std::vector<ChannelTab> channelTabs(const std::vector<ListingChannel>& channels) {
  std::vector<ChannelTab> tabs;
  for (ChannelKind kind : kKinds) {
    std::vector<std::size_t> members;
    for (std::size_t i = 0; i < channels.size(); ++i) {
      if (channelKindOf(channels[i].id) == kind) members.push_back(i);
    }
    if (members.empty()) continue;
    const std::size_t parts = (members.size() + kMaxTabChannels - 1) / kMaxTabChannels;
    const std::size_t perPart = (members.size() + parts - 1) / parts;
    for (std::size_t part = 0; part < parts; ++part) {
      const auto first = members.begin() + static_cast<std::ptrdiff_t>(part * perPart);
      const auto end = part + 1 == parts ? members.end() : first + static_cast<std::ptrdiff_t>(perPart);
      tabs.push_back({kind, parts == 1 ? 0 : static_cast<int>(part + 1), std::vector<std::size_t>(first, end)});
    }
  }
  if (tabs.size() == 1) tabs.clear();
  return tabs;
}

Listing tabListing(const Listing& day, const ChannelTab& tab) {
  Listing part;
  std::unordered_set<std::string> names;
  for (std::size_t index : tab.channels) {
    if (index >= day.channels.size()) continue;
    part.channels.push_back(day.channels[index]);
    names.insert(day.channels[index].name);
  }
  for (const ProgrammeRecord& record : day.programmes) {
    if (names.count(record.channel)) part.programmes.push_back(record);
  }
  part.missingDays = day.missingDays;
  part.incompleteDays = day.incompleteDays;
  return part;
}
