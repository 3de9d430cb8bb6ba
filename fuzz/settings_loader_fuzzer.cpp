// Fuzzes the settings loader. Whatever a file holds, a save must lose none
// of it: a file read to its end writes back to a file that reads and writes
// back the same again, and a file not read to its end is kept byte for byte
// as a backup before the save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "bytes/local_file.h"
#include "config/settings_store.h"
#include "os/os.h"

namespace {

std::string readAll(const std::string& path) {
  LocalFile file;
  std::string content;
  if (!file.openForRead(path)) std::abort();
  char block[4096];
  for (int n; (n = file.read(block, sizeof block)) > 0;) content.append(block, n);
  return content;
}

void writeAll(const std::string& path, const std::uint8_t* data, std::size_t size) {
  LocalFile file;
  if (!file.createForWrite(path) ||
      file.write(data, static_cast<int>(size)) != static_cast<int>(size)) {
    std::abort();
  }
}

void removeFolder();

// A folder of its own for this process, made once and removed at exit (the
// name outlives every static, so the exit handler can still read it).
const std::string& folder() {
  static const std::string* path = [] {
    std::filesystem::path made = std::filesystem::temp_directory_path() /
                                 ("rokuban-settings-fuzz-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(made);
    std::atexit(removeFolder);
    return new std::string(made.string() + "/");
  }();
  return *path;
}

void removeFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder(), ignored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = folder() + "Rokuban.ini";
  os::removeFile(path + ".bak");
  writeAll(path, data, size);
  SettingsStore store;
  const bool whole = store.load(path);
  if (whole != store.loadedWhole()) std::abort();
  if (!store.save()) std::abort();
  if (whole != store.backupPath().empty()) std::abort();
  if (!whole && readAll(path + ".bak") != std::string(reinterpret_cast<const char*>(data), size)) {
    std::abort();
  }
  const std::string written = readAll(path);
  SettingsStore again;
  if (!again.load(path)) std::abort();
  // What was written reads back to itself, unless its Shift-JIS bytes also
  // happen to read as UTF-8: the guess between the two stays a guess.
  if (!again.wasUtf8() && (!again.save() || readAll(path) != written)) std::abort();
  // No write of the program may break a line of the file.
  if (again.setString("_config", "area", "x\ny") || again.getString("_config", "area", "") == "x\ny") {
    std::abort();
  }
  return 0;
}
