// The folder layering of README.md's "Layout", checked on every
// #include "..." of the tree: an include that climbs fails here with its
// file and line.
#include <gtest/gtest.h>

#include <algorithm>
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
const std::set<std::string> kCoreAndRecords = {"os",   "job",     "config", "net",    "json", "programme", "guide",
                                               "sync", "listing", "xmltv",  "search", "tuner", "recorder", "ui/model"};

std::set<std::string> withCore(std::set<std::string> more) {
  more.insert(kCoreAndRecords.begin(), kCoreAndRecords.end());
  return more;
}

const std::map<std::string, std::set<std::string>>& allowedFolders() {
  static const std::map<std::string, std::set<std::string>> allowed = {
      {"os", {}},
      {"job", {}},
      {"config", {"os", "job"}},
      {"net", {"os", "job", "config"}},
      {"json", {"os", "job", "config", "net"}},
      {"programme", {"os", "job", "config", "net"}},
      {"guide", {"os", "job", "config", "net", "programme"}},
      {"sync", {"os", "job", "config", "net", "programme", "guide"}},
      {"listing", {"os", "job", "config", "net", "programme", "guide"}},
      {"xmltv", {"os", "job", "config", "net", "programme", "guide", "listing"}},
      {"search", {"os", "job", "config", "net", "programme", "guide", "listing"}},
      {"tuner", {"os", "job", "config", "net", "json", "programme", "guide", "listing", "xmltv"}},
      {"recorder", {"os", "job", "config", "net", "json", "programme", "guide", "listing", "xmltv", "search"}},
      {"ui/model", {"os", "job", "config", "net", "json", "programme", "guide", "sync", "listing", "xmltv", "search",
                    "tuner", "recorder"}},
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

// Single headers that a folder below the one they live in may include:
// net/'s byte I/O, which the settings file is read and written through
// (config/ links net/'s byte I/O library, not the sockets); the Windows
// program's one Application; the tests' fake clock, which the benchmarks
// share.
bool forcedEdge(const std::string& from, const std::string& header) {
  static const std::map<std::string, std::string> kEdges = {
      {"net/buffered_reader.h", "config"},
      {"net/buffered_sink.h", "config"},
      {"net/local_file.h", "config"},
      {"net/memory_bytes.h", "config"},
      {"app/application.h", "ui"},
      {"tests/support/fake_clock.h", "bench"},
  };
  const auto edge = kEdges.find(header);
  return edge != kEdges.end() && edge->second == from;
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
                        Case{"config/settings_store.cpp", "net/tcp_socket.h", false},
                        Case{"programme/page_files.cpp", "guide/guide_cache.h", false},
                        Case{"net/download_job.h", "job/progress_sink.h", true},
                        Case{"xmltv/xmltv_import.cpp", "job/job_messages.h", true},
                        Case{"job/job_messages.h", "os/os.h", false},
                        Case{"os/os.h", "job/progress_sink.h", false},
                        Case{"net/http_client.cpp", "ui/progress_sink.h", false},
                        Case{"programme/programme_table.cpp", "guide/calendar.h", false},
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

// A file's module: its path without the extension, and without the
// _win32 or _posix of os/'s two sides, so that a header and its .cpp are one.
std::string moduleOf(const std::string& path) {
  std::string module = path.substr(0, path.rfind('.'));
  for (const std::string side : {"_win32", "_posix"}) {
    if (module.size() > side.size() && module.compare(module.size() - side.size(), side.size(), side) == 0) {
      module.erase(module.size() - side.size());
    }
  }
  return module;
}

struct Include {
  std::string file;
  int line;
  std::string text;
  std::string header;
};

// Every #include "..." of the tree.
std::vector<Include> treeIncludes(const fs::path& root) {
  const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\")");
  std::vector<Include> includes;
  for (const std::string& file : sourceFiles(root)) {
    std::ifstream in(root / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::smatch match;
      if (std::regex_search(line, match, include)) includes.push_back({file, number, line, match[1]});
    }
  }
  return includes;
}

using ModuleGraph = std::map<std::string, std::set<std::string>>;

// Walks from `module`; on meeting a module still on `path`, returns the
// ring as "a -> b -> a".
std::string ringFrom(const ModuleGraph& graph, const std::string& module, std::vector<std::string>& path,
                     std::set<std::string>& done) {
  const auto onPath = std::find(path.begin(), path.end(), module);
  if (onPath != path.end()) {
    std::string ring;
    for (auto it = onPath; it != path.end(); ++it) ring += *it + " -> ";
    return ring + module;
  }
  if (!done.insert(module).second) return "";
  path.push_back(module);
  const auto edges = graph.find(module);
  if (edges != graph.end()) {
    for (const std::string& next : edges->second) {
      const std::string ring = ringFrom(graph, next, path, done);
      if (!ring.empty()) return ring;
    }
  }
  path.pop_back();
  return "";
}

// One ring of modules that include each other, or "" when there is none.
std::string firstRing(const ModuleGraph& graph) {
  std::set<std::string> done;
  for (const auto& entry : graph) {
    std::vector<std::string> path;
    const std::string ring = ringFrom(graph, entry.first, path, done);
    if (!ring.empty()) return ring;
  }
  return "";
}

TEST(IncludeLayeringTest, ModuleOfPairsAHeaderWithItsSources) {
  EXPECT_EQ("net/http_client", moduleOf("net/http_client.cpp"));
  EXPECT_EQ("net/http_client", moduleOf("net/http_client.h"));
  EXPECT_EQ("os/cursor", moduleOf("os/cursor_win32.cpp"));
  EXPECT_EQ("os/cursor", moduleOf("os/cursor_posix.cpp"));
}

TEST(IncludeLayeringTest, ARingOfModulesIsFoundWhereverItStarts) {
  struct Case {
    ModuleGraph graph;
    const char* ring;
  };
  for (const Case& c : {Case{{{"a", {"b"}}, {"b", {"c"}}}, ""},
                        Case{{{"a", {"b", "c"}}, {"b", {"c"}}, {"c", {}}}, ""},  // a diamond is no ring
                        Case{{{"a", {"b"}}, {"b", {"a"}}}, "a -> b -> a"},
                        Case{{{"a", {"b"}}, {"b", {"c"}}, {"c", {"b"}}}, "b -> c -> b"},
                        Case{{{"x", {}}, {"y", {"z"}}, {"z", {"w"}}, {"w", {"y"}}}, "w -> y -> z -> w"}}) {
    EXPECT_EQ(c.ring, firstRing(c.graph));
  }
}

TEST(IncludeLayeringTest, NoIncludeInTheTreeClimbs) {
  const fs::path root = ROKUBAN_SOURCE_DIR;
  const std::vector<Include> includes = treeIncludes(root);
  ASSERT_GT(includes.size(), 100u) << root;
  for (const Include& include : includes) {
    const std::string why = refusal(include.file, include.header);
    if (!why.empty()) ADD_FAILURE() << include.file << ":" << include.line << ": " << include.text << "  (" << why << ")";
  }
}

TEST(IncludeLayeringTest, NoFolderHasARingOfModules) {
  std::map<std::string, ModuleGraph> folders;
  for (const Include& include : treeIncludes(ROKUBAN_SOURCE_DIR)) {
    const std::string from = moduleOf(include.file);
    const std::string to = moduleOf(include.header);
    const std::string folder = folderOf(include.file);
    if (from != to && folder == folderOf(include.header)) folders[folder][from].insert(to);
  }
  for (const auto& folder : folders) {
    const std::string ring = firstRing(folder.second);
    EXPECT_EQ("", ring) << folder.first << "/: its modules include each other";
  }
}

}  // namespace
