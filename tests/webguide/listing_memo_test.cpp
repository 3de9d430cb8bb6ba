// ListingMemo: readers on several threads while an import replaces every
// slot over and over see each slot whole, old or new, never half of one or
// none; and a replaced file is read again.
#include "webguide/listing_memo.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "config/settings_store.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "xmltv/xmltv_import.h"

namespace {

const int kDay = dayNumber(2026, 12, 7);

// One channel, an hour-long programme each hour of the broadcast day, all
// titled `version` and the hour.
std::string dayDocument(const std::string& version) {
  std::string xml = "<tv><channel id=\"a\"><display-name>A</display-name></channel>";
  for (int hour = 5; hour < 29; ++hour) {
    char element[200];
    // Japan time: 05:00 of 12/07 is 20:00 UTC of 12/06.
    std::snprintf(element, sizeof element,
                  "<programme start=\"202612%02d%02d0000 +0000\" stop=\"202612%02d%02d0000 +0000\" channel=\"a\">"
                  "<title>%s %d</title></programme>",
                  6 + (hour + 15) / 24, (hour + 15) % 24, 6 + (hour + 16) / 24, (hour + 16) % 24, version.c_str(),
                  hour);
    xml += element;
  }
  return xml + "</tv>";
}

// Every hour's programme once, and each four-hour slot of one version.
bool isWhole(const Listing& listing) {
  if (listing.programmes.size() != 24) return false;
  for (std::size_t slot = 0; slot < 6; ++slot) {
    const std::string version = listing.programmes[slot * 4].title.substr(0, 3);
    for (std::size_t i = slot * 4; i < slot * 4 + 4; ++i) {
      if (listing.programmes[i].title.compare(0, 3, version) != 0) return false;
    }
  }
  return true;
}

TEST(ListingMemo, ReadersSeeWholeSlotsWhileAnImportReplacesThem) {
  TempFolder folder;
  SettingsStore settings;
  settings.section("_config")["directory"] = folder.file("cache");
  writeWholeFile(folder.file("old.xml"), dayDocument("old"));
  writeWholeFile(folder.file("new.xml"), dayDocument("new"));
  GuideCache writer(settings);
  RecordingProgress progress;
  XmltvImportOptions replace;
  replace.replace = true;
  ASSERT_EQ(6, importXmltv(writer, folder.file("old.xml"), kDay, kDay, progress, replace));

  ListingMemo memo(settings);
  ListingRange range;
  range.from = dateFromDayNumber(kDay);
  range.days = 1;
  std::atomic<bool> importing{true};
  std::atomic<int> broken{0}, read{0};
  auto reader = [&] {
    while (importing) {
      if (!isWhole(*memo.listing(range))) ++broken;
      ++read;
    }
  };
  std::thread first(reader), second(reader);
  for (int round = 0; round < 60; ++round) {
    importXmltv(writer, folder.file(round % 2 ? "old.xml" : "new.xml"), kDay, kDay, progress, replace);
  }
  importing = false;
  first.join();
  second.join();
  EXPECT_EQ(0, broken.load()) << "of " << read.load();
  EXPECT_LT(0, read.load());
  ASSERT_EQ(6, importXmltv(writer, folder.file("new.xml"), kDay, kDay, progress, replace));
  EXPECT_EQ("new 5", memo.listing(range)->programmes.front().title);
}

}  // namespace
