// Fuzzes the sync client's handling of server replies: the input is the
// whole byte stream the server sends. Its first byte picks how many bytes
// each read may return at most (0: as many as asked), so that replies in
// pieces are explored too. Every run must end with a result the job
// defines, and must leave no partial file behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <string>

#include "bytes/stream.h"
#include "config/settings_store.h"
#include "guide/guide_cache.h"
#include "job/silent_progress.h"
#include "sync/sync_client.h"

namespace {

class ReplayedServer : public Stream {
 public:
  ReplayedServer(const std::uint8_t* data, std::size_t size, int pieceLimit)
      : data_(data), size_(size), pieceLimit_(pieceLimit) {}
  bool close() override {
    closed_ = true;
    return true;
  }
  int read(void* buffer, int size) override {
    if (closed_ || size < 0) std::abort();
    std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(size), size_ - position_);
    if (pieceLimit_ > 0) count = std::min<std::size_t>(count, static_cast<std::size_t>(pieceLimit_));
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return static_cast<int>(count);
  }
  int write(const void*, int length) override {
    if (closed_ || length < 0) std::abort();
    return length;
  }
  bool closed() const { return closed_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  int pieceLimit_;
  bool closed_ = false;
};


// One folder, emptied after every input and reused by later runs, so that
// nothing piles up in the temporary directory.
const std::filesystem::path& cacheFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "rokuban-sync-reply-fuzzer";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static SettingsStore settings;
  static GuideCache cache;
  const std::filesystem::path& folder = cacheFolder();
  settings.setString("_config", "directory", folder.string() + "/");
  cache.setSettings(settings);

  ReplayedServer server(data + 1, size - 1, data[0] % 16);
  SilentProgress progress;
  SyncClient client(cache);
  int result = client.runOver(server, folder.string() + "/", progress);
  if (result < -1 || !server.closed()) std::abort();
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (file.path().extension() == ".prt") std::abort();
  }
  // Start every input from an empty cache, so the folder cannot grow.
  for (const auto& file : std::filesystem::directory_iterator(folder)) std::filesystem::remove(file.path());
  return 0;
}
