// Reordering records in place.
#include "listing/record_order.h"

#include <utility>

void placeInOrder(std::vector<ProgrammeRecord>& records, std::vector<std::size_t>& order) {
  constexpr std::size_t kPlaced = static_cast<std::size_t>(-1);
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == kPlaced || order[start] == start) continue;
    ProgrammeRecord first = std::move(records[start]);
    std::size_t place = start;
    while (order[place] != start) {
      const std::size_t from = order[place];
      records[place] = std::move(records[from]);
      order[place] = kPlaced;
      place = from;
    }
    records[place] = std::move(first);
    order[place] = kPlaced;
  }
}

void keepInOrder(std::vector<ProgrammeRecord>& records, std::vector<std::size_t>& kept) {
  const std::size_t count = kept.size();
  if (2 * count < records.size()) {
    std::vector<ProgrammeRecord> gathered;
    gathered.reserve(count);
    for (std::size_t place : kept) gathered.push_back(std::move(records[place]));
    records.swap(gathered);
    return;
  }
  // The places left out go last, making the permutation placeInOrder takes.
  std::vector<char> named(records.size(), 0);
  for (std::size_t place : kept) named[place] = 1;
  for (std::size_t place = 0; place < records.size(); ++place)
    if (!named[place]) kept.push_back(place);
  placeInOrder(records, kept);
  records.resize(count);
}
