// What the crawl and the refresh say about a slot: its progress label and
// the paths of its pages on the guide service.
#pragma once

#include <string>

// "%02d/%02d %02d:00-" of month, day and hour of a slot key.
std::string slotLabel(int key);
// "(%d/%d)": the page of a personal table's slot.
std::string pageSuffix(int page, int pages);
// The prefecture table's page of a slot.
std::string areaPath(int key, const std::string& area);
// Page `page` of the personal table's slot.
std::string personalPath(int key, int page);
