// Reordering a listing's records without a second copy of them.
#pragma once

#include <cstddef>
#include <vector>

#include "listing/programme_record.h"

// Moves records[order[k]] to place k, cycle by cycle, in place: a second
// vector of a household's week would be tens of megabytes of fresh pages.
// `order` is a permutation of the places; it is used up.
void placeInOrder(std::vector<ProgrammeRecord>& records, std::vector<std::size_t>& order);

// Moves records[kept[k]] to place k and drops the records `kept` does not
// name; `kept` holds each place at most once and is used up. In place
// while most records stay; a few left (by a search's sieve) are gathered
// into fresh room instead, so that the others are never moved.
void keepInOrder(std::vector<ProgrammeRecord>& records, std::vector<std::size_t>& kept);
