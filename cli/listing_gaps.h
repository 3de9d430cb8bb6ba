// What a listing of the cache lacks, said on stderr by the verbs that
// collect one (export, search).
#pragma once

#include "listing/listing.h"

// Skipped and incomplete days, refused ids, channels asked for but not
// found.
void reportListingGaps(const Listing& listing, const ListingRange& range);
