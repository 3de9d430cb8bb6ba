#include "bytes/paths.h"

#include "bytes/file_system.h"
#include "os/os.h"

std::size_t lastSeparatorEnd(const std::string& path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(path[i]);
    if (os::isLeadByte(byte)) {
      ++i;
    } else if (byte == '\\' || byte == '/') {
      end = i + 1;
    }
  }
  return end;
}

std::string directoryOf(const std::string& path) { return path.substr(0, lastSeparatorEnd(path)); }

std::string withTrailingSeparator(const std::string& path) {
  if (!path.empty() && lastSeparatorEnd(path) == path.size()) return path;
  // The separator the path already uses ("C:\\tv" stays Windows' own), else the system's.
  const std::size_t end = lastSeparatorEnd(path);
  return path + (end > 0 ? path[end - 1] : os::kPathSeparator);
}

std::string withoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && lastSeparatorEnd(path) == path.size()) path.pop_back();
  return path;
}

bool createDirectoryWithParents(FileSystem& files, const std::string& path) {
  const std::string folder = withoutTrailingSeparators(path);
  if (files.createDirectory(folder)) return true;
  if (files.isDirectory(folder)) return false;
  const std::string parent = withoutTrailingSeparators(directoryOf(folder));
  // Only a missing parent is worth the climb; a root ends it.
  if (parent.empty() || parent.size() >= folder.size() || files.isDirectory(parent)) return false;
  createDirectoryWithParents(files, parent);
  return files.createDirectory(folder);
}

bool createDirectoryWithParents(const std::string& path) { return createDirectoryWithParents(localFileSystem(), path); }

bool isDirectory(const std::string& path) { return localFileSystem().isDirectory(path); }

bool isFile(const std::string& path) {
  int attributes = os::fileAttributes(path);
  return attributes != -1 && (attributes & os::kAttributeDirectory) == 0;
}
