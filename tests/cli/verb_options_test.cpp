// The verbs' option tables against what the verbs read: each option listed
// once, every option a verb reads listed, the query's options known to the
// query.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/help.h"
#include "cli/search_options.h"
#include "cli/verb_options.h"
#include "os/os.h"
#include "search/programme_query.h"
#include "tests/support/temp_folder.h"

namespace {

const char kUnlisted[] = "which its table does not list";

TEST(VerbOptionsTest, ReadingTakesTheFirstOccurrenceAndSaysWhenTheTableLacksTheOption) {
  const CliOption out{"--out", OptionKind::Text, ""}, json{"--json", OptionKind::Flag, ""};
  const std::vector<CliOption> table = {out};
  CliContext context;
  context.verbName = "export";
  context.options = &table;
  context.args = {"xmltv", "--out", "a.xml", "--json", "--out", "b.xml"};
  VerbOptions options(context);
  std::string value;
  EXPECT_TRUE(options.text(out, value));
  EXPECT_EQ("a.xml", value);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(options.flag(json));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find(std::string("export reads --json, ") + kUnlisted)) << said;
  // A second --out stays for the verb to refuse as a word too many.
  EXPECT_EQ((std::vector<std::string>{"xmltv", "--json", "--out", "b.xml"}), context.args);
}

TEST(VerbOptionsTest, EachTableListsAnOptionOnceAndTheQueryReadsItsOwn) {
  for (const auto& verb : registeredVerbs()) {
    std::set<std::string> names;
    for (const CliOption& option : verb.second.options) {
      EXPECT_TRUE(names.insert(option.name).second) << verb.first << " " << option.name;
    }
  }
  for (const CliOption& option : queryOptions()) {
    ProgrammeQuery query;
    QueryProblem problem;
    parseQueryArguments({option.name, "x"}, query, problem);
    EXPECT_NE(QueryProblem::kUnknownOption, problem.kind) << option.name;
  }
}

// A verb reads its options before it finds its words wrong, so a word too
// many runs every read of it without a network or a server.
TEST(VerbOptionsTest, EveryVerbReadsOnlyTheOptionsItsTableLists) {
  TempFolder folder;
  const std::string path = folder.file("Rokuban.ini");
  writeWholeFile(path, "[_config]\r\nrecorder=http://127.0.0.1:1\r\n");
  std::vector<std::vector<std::string>> lines = {
      {"reserve", "add", "x"}, {"watch", "check", "x"}, {"watch", "explain", "x", "y"}};
  for (const auto& verb : registeredVerbs()) lines.push_back({verb.first, "x", "y"});
  for (std::vector<std::string> line : lines) {
    const std::string shown = line[0] + " " + line[1];
    line.insert(line.begin(), {"--ini", path});
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    runCli(line);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::string::npos, ::testing::internal::GetCapturedStderr().find(kUnlisted)) << shown;
  }
}

}  // namespace
