#include "tests/support/temp_folder.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path candidate = base / ("rokuban-test-" + std::to_string(std::rand()) + "-" +
                                 std::to_string(counter++));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.string() + static_cast<char>(fs::path::preferred_separator);
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code error;
  fs::remove_all(fs::path(path_), error);
}

bool writeWholeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}
