#include "bytes/file_system.h"

#include "bytes/local_file.h"
#include "os/os.h"

namespace {

class LocalFileSystem : public FileSystem {
 public:
  std::unique_ptr<Stream> openForRead(const std::string& path) override {
    auto file = std::make_unique<LocalFile>();
    if (!file->openForRead(path)) return nullptr;
    return file;
  }
  std::unique_ptr<Stream> createForWrite(const std::string& path) override {
    auto file = std::make_unique<LocalFile>();
    if (!file->createForWrite(path)) return nullptr;
    return file;
  }
  bool remove(const std::string& path) override { return os::removeFile(path); }
  bool replace(const std::string& from, const std::string& to) override { return os::replaceFile(from, to); }
  std::int64_t modifiedTime(const std::string& path) override { return os::fileModifiedTime(path); }
  std::int64_t size(const std::string& path) override { return os::fileSize(path); }
  bool setModifiedTime(const std::string& path, std::int64_t seconds) override {
    return os::setFileModifiedTime(path, seconds);
  }
  std::vector<std::string> find(const std::string& pattern) override { return os::findFiles(pattern); }
  int attributes(const std::string& path) override { return os::fileAttributes(path); }
  bool createDirectory(const std::string& path) override { return os::createDirectory(path); }
};

}  // namespace

bool FileSystem::isDirectory(const std::string& path) {
  const int bits = attributes(path);
  return bits != -1 && (bits & os::kAttributeDirectory) != 0;
}

FileSystem& localFileSystem() {
  static LocalFileSystem files;
  return files;
}
