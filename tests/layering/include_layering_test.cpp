// The folder layering of README.md's "Layout", checked on every
// #include "..." of the tree: an include that climbs fails here with its
// file and line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The portable core with the programme records' folders, and the folders
// each folder may include, bottom first. A folder may always include itself.
const std::set<std::string> kCoreAndRecords = {"os",      "config", "net",    "programme", "guide",
                                               "sync",    "listing", "xmltv", "search", "ui/model"};

std::set<std::string> withCore(std::set<std::string> more) {
  more.insert(kCoreAndRecords.begin(), kCoreAndRecords.end());
  return more;
}

const std::map<std::string, std::set<std::string>>& allowedFolders() {
  static const std::map<std::string, std::set<std::string>> allowed = {
      {"os", {}},
      {"config", {"os", "net"}},
      {"net", {"os", "config"}},
      {"programme", {"os", "config", "net"}},
      {"guide", {"os", "config", "net", "programme"}},
      {"sync", {"os", "config", "net", "programme", "guide"}},
      {"listing", {"os", "config", "net", "programme", "guide"}},
      {"xmltv", {"os", "config", "net", "programme", "guide", "listing"}},
      {"search", {"os", "config", "net", "programme", "guide", "listing"}},
      {"ui/model", {"os", "config", "net", "programme", "guide", "sync", "listing", "xmltv", "search"}},
      {"ui", withCore({})},
      {"app", withCore({"ui"})},
      {"webguide", withCore({})},
      {"cli", withCore({"webguide"})},
      {"tools", withCore({"webguide"})},
      {"bench", withCore({"tools", "webguide"})},
      {"fuzz", withCore({"tools", "webguide"})},
      {"tests", withCore({"ui", "app", "cli", "tools", "webguide"})},
  };
  return allowed;
}

// Headers that live in a folder above the ones that need them: the
// progress interface the engine reports to; GuideCache, whose page
// operations live in programme/; the Windows program's one Application;
// the tests' fake clock, which the benchmarks share.
bool forcedEdge(const std::string& from, const std::string& header) {
  if (header == "tests/support/fake_clock.h") return from == "bench";
  if (header == "ui/progress_sink.h" || header == "ui/silent_progress.h") return from != "os";
  if (header == "guide/guide_cache.h") return from == "programme";
  if (header == "app/application.h") return from == "ui";
  return false;
}

// "ui/model" for ui/model/..., else the first component; "" for a file at the top.
std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find('/');
  if (slash == std::string::npos) return "";
  const std::string top = path.substr(0, slash);
  if (top == "ui" && path.compare(slash, 7, "/model/") == 0) return "ui/model";
  return top;
}

// Why `from` (a file) may not include `header`, or "" when it may.
std::string refusal(const std::string& from, const std::string& header) {
  const std::string source = folderOf(from);
  const std::string target = folderOf(header);
  if (target.empty() || target == source || forcedEdge(source, header)) return "";
  const auto rule = allowedFolders().find(source);
  if (rule == allowedFolders().end()) return "folder " + source + "/ has no place in the layering";
  if (rule->second.count(target) != 0) return "";
  return source + "/ may not include " + target + "/";
}

bool isSourceFile(const fs::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".cpp" || extension == ".h" || extension == ".rc";
}

// The tree's source files, relative to the root with "/", build trees and
// hidden folders left out.
std::vector<std::string> sourceFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory() && (name[0] == '.' || name.rfind("build", 0) == 0)) {
      it.disable_recursion_pending();
    } else if (it->is_regular_file() && isSourceFile(it->path())) {
      files.push_back(fs::relative(it->path(), root).generic_string());
    }
  }
  return files;
}

TEST(IncludeLayeringTest, TheRuleAllowsDownwardAndForcedEdgesOnly) {
  struct Case {
    const char* from;
    const char* header;
    bool allowed;
  };
  for (const Case& c : {Case{"net/http_client.cpp", "os/socket.h", true},
                        Case{"os/text_win32.cpp", "net/paths.h", false},
                        Case{"config/settings_store.cpp", "net/local_file.h", true},
                        Case{"programme/guide_cache_pages.cpp", "guide/guide_cache.h", true},
                        Case{"programme/programme_table.cpp", "guide/calendar.h", false},
                        Case{"net/download_job.h", "ui/progress_sink.h", true},
                        Case{"ui/model/popup_menu.cpp", "ui/main_window.h", false},
                        Case{"ui/main_window.cpp", "ui/model/popup_menu.h", true},
                        Case{"listing/record.cpp", "guide/guide_cache.h", true},
                        Case{"guide/crawl.cpp", "listing/record.h", false},
                        Case{"cli/main.cpp", "ui/main_window.h", false},
                        Case{"bench/crawl_bench.cpp", "tests/support/temp_folder.h", false},
                        Case{"scratch/index.cpp", "os/os.h", false},
                        Case{"search/watch_check.cpp", "listing/listing.h", true},
                        Case{"listing/listing.cpp", "search/watch_list.h", false}}) {
    EXPECT_EQ(c.allowed, refusal(c.from, c.header).empty()) << c.from << " -> " << c.header;
  }
}

TEST(IncludeLayeringTest, NoIncludeInTheTreeClimbs) {
  const fs::path root = ROKUBAN_SOURCE_DIR;
  const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\")");
  const std::vector<std::string> files = sourceFiles(root);
  ASSERT_GT(files.size(), 100u) << root;
  for (const std::string& file : files) {
    std::ifstream in(root / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::smatch match;
      if (!std::regex_search(line, match, include)) continue;
      const std::string why = refusal(file, match[1]);
      if (!why.empty()) ADD_FAILURE() << file << ":" << number << ": " << line << "  (" << why << ")";
    }
  }
}

}  // namespace
