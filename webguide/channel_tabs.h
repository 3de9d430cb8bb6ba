// ChannelTabs: a household's tuner server carries more channels than one
// page a phone can hold, so a day's channels go on tabs: by broadcast kind
// (terrestrial, BS, CS, from the tuner server's service ids), a kind with
// more channels than a tab holds split evenly over several. A guide of one
// kind that fits on one page has no tabs at all.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "listing/listing.h"

constexpr std::size_t kMaxTabChannels = 40;

enum class ChannelKind { kTerrestrial, kBs, kCs, kOther };

// The kind of a channel by its id: a tuner server's service id is its
// network id times 100000 plus the service number; any other id is kOther.
ChannelKind channelKindOf(const std::string& channelId);

struct ChannelTab {
  ChannelKind kind;
  int part;  // 1, 2, ... of a kind split over several tabs; 0 when it has one
  std::vector<std::size_t> channels;  // indices into the listing's channels
};

// The tabs of `channels` in the order terrestrial, BS, CS, other, each
// keeping the listing's order; empty when one page holds them all.
std::vector<ChannelTab> channelTabs(const std::vector<ListingChannel>& channels);

// The channels of `tab` and their programmes alone.
Listing tabListing(const Listing& day, const ChannelTab& tab);
