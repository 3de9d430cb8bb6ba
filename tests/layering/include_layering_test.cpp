// The floors of cmake/layers.cmake, checked on every #include "..." of
// the tree (an include that climbs fails here with its file and line) and
// against README.md's table of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// cmake/layers.cmake's lists, each entry "name: words".
using FloorList = std::map<std::string, std::vector<std::string>>;

FloorList readFloorList(const std::string& text, const std::string& list) {
  FloorList floors;
  const std::size_t begin = text.find("set(" + list + "\n");
  if (begin == std::string::npos) return floors;
  const std::string body = text.substr(begin, text.find("\n)", begin) - begin);
  const std::regex entry(R"re("([^":]+):([^"]*)")re");
  for (auto it = std::sregex_iterator(body.begin(), body.end(), entry); it != std::sregex_iterator(); ++it) {
    std::istringstream words((*it)[2].str());
    std::vector<std::string>& below = floors[(*it)[1].str()];
    for (std::string word; words >> word;) below.push_back(word);
  }
  return floors;
}

struct Floors {
  FloorList standsOn;  // core and upper floors alike
  FloorList forced;    // single headers from above
};

const Floors& floors() {
  static const Floors read = [] {
    std::ifstream in(fs::path(ROKUBAN_SOURCE_DIR) / "cmake" / "layers.cmake");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Floors floors;
    floors.standsOn = readFloorList(text, "ROKUBAN_CORE_FLOORS");
    const FloorList upper = readFloorList(text, "ROKUBAN_UPPER_FLOORS");
    floors.standsOn.insert(upper.begin(), upper.end());
    floors.forced = readFloorList(text, "ROKUBAN_FORCED_INCLUDES");
    return floors;
  }();
  return read;
}

// Every floor under `floor`, through the floors it stands on.
std::set<std::string> floorsUnder(const std::string& floor) {
  std::set<std::string> under;
  std::vector<std::string> next = {floor};
  while (!next.empty()) {
    const auto found = floors().standsOn.find(next.back());
    next.pop_back();
    if (found == floors().standsOn.end()) continue;
    for (const std::string& below : found->second)
      if (under.insert(below).second) next.push_back(below);
  }
  return under;
}

bool listed(const FloorList& list, const std::string& key, const std::string& word) {
  const auto found = list.find(key);
  return found != list.end() && std::count(found->second.begin(), found->second.end(), word) != 0;
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
  if (target.empty() || target == source || listed(floors().forced, source, header)) return "";
  if (floors().standsOn.count(source) == 0) return "folder " + source + "/ has no place in the layering";
  if (floorsUnder(source).count(target) != 0) return "";
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
                        Case{"os/text_win32.cpp", "bytes/paths.h", false},
                        Case{"config/settings_store.cpp", "bytes/local_file.h", true},
                        Case{"config/settings_store.cpp", "net/tcp_socket.h", false},
                        Case{"net/download_job.cpp", "config/settings_store.h", false},
                        Case{"programme/page_files.cpp", "guide/guide_cache.h", false},
                        Case{"net/download_job.h", "job/progress_sink.h", true},
                        Case{"xmltv/xmltv_import.cpp", "job/job_messages.h", true},
                        Case{"job/job_messages.h", "os/os.h", false},
                        Case{"os/os.h", "job/progress_sink.h", false},
                        Case{"net/http_client.cpp", "ui/progress_sink.h", false},
                        Case{"programme/programme_table.cpp", "calendar/calendar.h", false},
                        Case{"ui/model/popup_menu.cpp", "ui/main_window.h", false},
                        Case{"ui/main_window.cpp", "ui/model/popup_menu.h", true},
                        Case{"listing/record.cpp", "guide/guide_cache.h", true},
                        Case{"guide/crawl.cpp", "listing/record.h", false},
                        Case{"cli/main.cpp", "ui/main_window.h", false},
                        Case{"bench/crawl_bench.cpp", "tests/support/temp_folder.h", false},
                        Case{"scratch/index.cpp", "os/os.h", false},
                        Case{"watch/watch_check.cpp", "search/programme_matcher.h", true},
                        Case{"search/match_line.cpp", "watch/watch_memory.h", false},
                        Case{"listing/listing.cpp", "watch/watch_list.h", false}}) {
    EXPECT_EQ(c.allowed, refusal(c.from, c.header).empty()) << c.from << " -> " << c.header;
  }
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

// README's table of floors: each row's floor and the floors it stands on,
// as the backquoted words of its two cells ("`guide/` | `programme/`").
FloorList readmeFloors() {
  std::ifstream in(fs::path(ROKUBAN_SOURCE_DIR) / "README.md");
  FloorList floors;
  bool inTable = false;
  const std::regex word("`([^`]+?)/?`");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("| floor | stands on", 0) == 0) inTable = true;
    else if (inTable && line.empty()) break;
    if (!inTable || line.rfind("| `", 0) != 0) continue;
    const std::size_t split = line.find('|', 1);
    std::smatch name;
    const std::string first = line.substr(0, split), rest = line.substr(split);
    if (!std::regex_search(first, name, word)) continue;
    std::vector<std::string>& below = floors[name[1].str()];
    for (auto it = std::sregex_iterator(rest.begin(), rest.end(), word); it != std::sregex_iterator(); ++it)
      below.push_back((*it)[1].str());
  }
  return floors;
}

TEST(IncludeLayeringTest, ReadmeTablesTheFloorsAsBuilt) {
  ASSERT_GT(floors().standsOn.size(), 10u);
  EXPECT_EQ(floors().standsOn, readmeFloors());
}

}  // namespace
