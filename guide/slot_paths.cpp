#include "guide/slot_paths.h"

#include <cstdio>

std::string slotLabel(int key) {
  char label[32];
  std::snprintf(label, sizeof label, "%02d/%02d %02d:00-", key / 10000, key % 10000 / 100,
                key % 100);
  return label;
}

std::string pageSuffix(int page, int pages) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "(%d/%d)", page, pages);
  return suffix;
}

std::string areaPath(int key, const std::string& area) {
  char mmdd[16], hour[16];
  std::snprintf(mmdd, sizeof mmdd, "%04d", key / 100);
  std::snprintf(hour, sizeof hour, "%02d", key % 100);
  return std::string("/tables/") + mmdd + "/GBS/" + area + "/" + hour + ".html";
}

std::string personalPath(int key, int page) {
  char path[96];
  std::snprintf(path, sizeof path, "/cgi-bin/your_table.cgi?mmdd=%04d&hh=%02d&t=4&page=%d&opt_g=1",
                key / 100, key % 100, page);
  return path;
}
