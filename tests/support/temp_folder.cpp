#include "tests/support/temp_folder.h"

#include <atomic>
#include <cstdio>
#include <filesystem>

#include "bytes/local_file.h"

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

// Through LocalFile, so that paths in the Windows shape work in both builds.
bool writeWholeFile(const std::string& path, const std::string& content) {
  LocalFile file;
  if (!file.createForWrite(path)) return false;
  return file.write(content.data(), static_cast<int>(content.size())) ==
         static_cast<int>(content.size());
}

std::string readWholeFile(const std::string& path) {
  LocalFile file;
  std::string content;
  if (!file.openForRead(path)) return content;
  char buffer[4096];
  for (int n; (n = file.read(buffer, sizeof buffer)) > 0;) content.append(buffer, n);
  return content;
}
