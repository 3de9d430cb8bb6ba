// What a listing of the cache lacks, said on stderr by the verbs that
// collect one (export, search).
#pragma once

#include <string>
#include <vector>

#include "listing/listing.h"

// Skipped and incomplete days, refused ids, channels asked for but not
// found.
void reportListingGaps(const Listing& listing, const ListingRange& range);

// The names of `range.channels` that name no channel of `listing`.
std::vector<std::string> channelsNotFound(const Listing& listing, const ListingRange& range);
