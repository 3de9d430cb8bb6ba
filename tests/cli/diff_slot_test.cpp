// `diff-slot`: programme-level differences of two table files.
#include <gtest/gtest.h>

#include "bytes/buffered_reader.h"
#include "bytes/file_system.h"
#include "bytes/local_file.h"
#include "cli/cli.h"
#include "guide/guide_cache.h"
#include "programme/guide_page.h"
#include "programme/page_files.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"
#include "tests/support/temp_folder.h"

namespace {

// A slot with one channel; `titles` start on the hour, `late` at 02:30.
void writeSlot(const std::string& path, std::vector<std::string> titles, const std::string& late) {
  GuidePage page(5);
  const int channel = page.addChannel("NHK");
  for (std::size_t i = 0; i < titles.size(); ++i) {
    PageProgramme programme;
    programme.channel = channel;
    programme.start = static_cast<int>(i) * 60;
    programme.title = titles[i];
    page.addProgramme(programme);
  }
  PageProgramme moved;
  moved.channel = channel;
  moved.start = late == "early" ? 150 : 165;
  moved.title = "Late";
  page.addProgramme(moved);
  ASSERT_TRUE(writeWholeFile(path + ".htm", page.eucJp()));
  LocalFile file;
  ASSERT_TRUE(file.openForRead(path + ".htm"));
  BufferedReader reader(file);
  ProgrammeTable table;
  ASSERT_TRUE(readPage(reader, table));
  ASSERT_TRUE(writeTableFile(localFileSystem(), path, table));
}

TEST(DiffSlotTest, PrintsAddedRemovedAndMovedProgrammes) {
  TempFolder folder;
  const std::string before = folder.file("old.tmp"), after = folder.file("new.tmp");
  writeSlot(before, {"News", "Drama"}, "early");
  writeSlot(after, {"News", "Quiz"}, "late");
  testing::internal::CaptureStdout();
  EXPECT_EQ(1, runCli({"diff-slot", before, after}));
  EXPECT_EQ(0, runCli({"diff-slot", before, before}));
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(std::string::npos, out.find("- NHK 06:00 (30 rows) Drama\n"));
  EXPECT_NE(std::string::npos, out.find("+ NHK 06:00 (30 rows) Quiz\n"));
  EXPECT_NE(std::string::npos, out.find("~ NHK 07:30 (30 rows) -> NHK 07:45 (30 rows) Late\n"));
  EXPECT_NE(std::string::npos, out.find("added 1, removed 1, moved 1\nadded 0, removed 0, moved 0\n"));
  EXPECT_EQ(2, runCli({"diff-slot", before, folder.file("missing.tmp")}));
}

}  // namespace
