#include "tests/support/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "bytes/paths.h"
#include "net/clock.h"
#include "os/os.h"

namespace {

bool matchesWildcard(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return matchesWildcard(pattern + 1, name) || (*name && matchesWildcard(pattern, name + 1));
  return *name && (*pattern == '?' || *pattern == *name) && matchesWildcard(pattern + 1, name + 1);
}

class MemoryReadStream : public Stream {
 public:
  explicit MemoryReadStream(std::string bytes) : bytes_(std::move(bytes)) {}
  bool close() override { return true; }
  int read(void* buffer, int size) override {
    const std::size_t n = std::min(bytes_.size() - at_, static_cast<std::size_t>(size));
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return static_cast<int>(n);
  }
  int write(const void*, int) override { return -1; }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

}  // namespace

// Appends to its file in place, so that a reader opened meanwhile sees
// what a disk would: the bytes written so far.
class MemoryWriteStream : public Stream {
 public:
  MemoryWriteStream(MemoryFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
  bool close() override { return true; }
  int read(void*, int) override { return -1; }
  int write(const void* data, int length) override {
    std::lock_guard<std::recursive_mutex> lock(files_.mutex_);
    auto file = files_.files_.find(path_);
    if (file == files_.files_.end()) return -1;
    file->second.bytes.append(static_cast<const char*>(data), static_cast<std::size_t>(length));
    file->second.modified = files_.clock_.nowSeconds();
    return length;
  }

 private:
  MemoryFileSystem& files_;
  std::string path_;
};

std::unique_ptr<Stream> MemoryFileSystem::openForRead(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto file = files_.find(path);
  if (file == files_.end()) return nullptr;
  return std::make_unique<MemoryReadStream>(file->second.bytes);
}

std::unique_ptr<Stream> MemoryFileSystem::createForWrite(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (failCreate_) {
    failCreate_ = false;
    return nullptr;
  }
  if (isDirectory(path) || !parentExists(path)) return nullptr;
  files_[path] = File{std::string(), clock_.nowSeconds()};
  return std::make_unique<MemoryWriteStream>(*this, path);
}

bool MemoryFileSystem::remove(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return files_.erase(path) > 0;
}

bool MemoryFileSystem::replace(const std::string& from, const std::string& to) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (failReplace_) {
    failReplace_ = false;
    return false;
  }
  auto file = files_.find(from);
  if (file == files_.end() || isDirectory(to) || !parentExists(to)) return false;
  File moved = file->second;  // a move keeps the file's time
  files_.erase(file);
  files_[to] = moved;
  return true;
}

std::int64_t MemoryFileSystem::size(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const auto file = files_.find(path);
  return file == files_.end() ? -1 : static_cast<std::int64_t>(file->second.bytes.size());
}

std::int64_t MemoryFileSystem::modifiedTime(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto file = files_.find(path);
  return file == files_.end() ? -1 : file->second.modified;
}

bool MemoryFileSystem::setModifiedTime(const std::string& path, std::int64_t seconds) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto file = files_.find(path);
  if (file == files_.end()) return false;
  file->second.modified = seconds;
  return true;
}

std::vector<std::string> MemoryFileSystem::find(const std::string& pattern) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string directory = pattern.substr(0, lastSeparatorEnd(pattern));
  const std::string wildcard = pattern.substr(directory.size());
  std::vector<std::string> names;
  if (!directory.empty() && !isDirectory(directory)) return names;
  auto take = [&](const std::string& name) {
    if (matchesWildcard(wildcard.c_str(), name.c_str())) names.push_back(name);
  };
  // As on a disk, a folder lists itself, its parent and its folders too.
  take(".");
  take("..");
  auto takeIfInFolder = [&](const std::string& path) {
    if (path.size() <= directory.size() || path.compare(0, directory.size(), directory) != 0) return;
    const std::string name = path.substr(directory.size());
    if (lastSeparatorEnd(name) == 0) take(name);
  };
  for (const auto& file : files_) takeIfInFolder(file.first);
  for (const std::string& folder : directories_) takeIfInFolder(folder);
  return names;
}

int MemoryFileSystem::attributes(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (files_.count(path)) return 0x80;  // a plain file, as os/ reports one
  return directories_.count(withoutTrailingSeparators(path)) ? os::kAttributeDirectory : -1;
}

bool MemoryFileSystem::createDirectory(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string folder = withoutTrailingSeparators(path);
  if (exists(folder) || !parentExists(folder)) return false;
  directories_.insert(folder);
  return true;
}

void MemoryFileSystem::failNextCreate() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  failCreate_ = true;
}

void MemoryFileSystem::failNextReplace() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  failReplace_ = true;
}

bool MemoryFileSystem::put(const std::string& path, const std::string& bytes) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::unique_ptr<Stream> file = createForWrite(path);
  return file && file->write(bytes.data(), static_cast<int>(bytes.size())) == static_cast<int>(bytes.size());
}

std::string MemoryFileSystem::bytesOf(const std::string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto file = files_.find(path);
  return file == files_.end() ? std::string() : file->second.bytes;
}

std::vector<std::string> MemoryFileSystem::paths() const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  std::vector<std::string> all;
  for (const auto& file : files_) all.push_back(file.first);
  return all;
}

bool MemoryFileSystem::parentExists(const std::string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const std::string parent = withoutTrailingSeparators(directoryOf(path));
  // A root ("/", "C:") or a bare name's current folder is always there.
  return parent.empty() || lastSeparatorEnd(parent) == parent.size() || parent.back() == ':' ||
         directories_.count(parent) > 0;
}
