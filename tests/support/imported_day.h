// A cache in a fresh folder holding one day, 7 December 2026, imported from
// an XMLTV document: for the tests of what an import leaves beside its
// tables. Header only: the folders that use it link the import.
#pragma once

#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "listing/xmltv_file.h"
#include "tests/support/recording_progress.h"
#include "tests/support/temp_folder.h"
#include "xmltv/xmltv_import.h"

class ImportedDayTest : public ::testing::Test {
 protected:
  // Imports `document` (UTF-8 XMLTV) into the cache; call from SetUp.
  void import(const char* document) {
    settings.load(folder.file("rokuban.ini"));
    settings.section("_config")["directory"] = folder.file("cache");
    ASSERT_TRUE(writeFileAtomically(folder.file("tuner.xml"), document));
    ASSERT_GT(importXmltv(cache, folder.file("tuner.xml"), day, day, progress), 0);
  }

  TempFolder folder;
  SettingsStore settings;
  GuideCache cache{settings};
  RecordingProgress progress;
  const int day = dayNumber(2026, 12, 7);
};
