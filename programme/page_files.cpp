#include "programme/page_files.h"

#include <memory>

#include "bytes/buffered_reader.h"
#include "bytes/buffered_sink.h"
#include "bytes/file_system.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

// Reads the open page file; on success the table gets `slotKey`.
bool readPageFile(Stream& file, int slotKey, ProgrammeTable& table) {
  // A page is some tens of KB: a few large reads rather than one per KB.
  const int kPageReadBlock = 64 * 1024;
  BufferedReader reader(file, kPageReadBlock);
  if (!readPage(reader, table)) return false;
  table.setTableKey(slotKey);
  return true;
}

}  // namespace

bool parseCachedPageFile(FileSystem& files, const std::string& pagePath, const std::string& tablePath, int slotKey,
                         bool removePage, ProgrammeTable& table) {
  std::unique_ptr<Stream> file = files.openForRead(pagePath);
  if (!file) return false;
  if (!readPageFile(*file, slotKey, table)) return false;  // the page stays for another try
  writeTableFile(files, tablePath, table);
  file.reset();
  if (removePage) files.remove(pagePath);
  return true;
}

bool parseDownloadedPageFile(FileSystem& files, const std::string& pagePath, const std::string& tablePath,
                             int slotKey, bool removePage, ProgrammeTable& table) {
  if (!readDownloadedPageFile(files, pagePath, slotKey, table)) return false;
  writeTableFile(files, tablePath, table);
  if (removePage) files.remove(pagePath);
  return true;
}

bool readDownloadedPageFile(FileSystem& files, const std::string& pagePath, int slotKey, ProgrammeTable& table) {
  bool read;
  {
    std::unique_ptr<Stream> file = files.openForRead(pagePath);
    read = file && readPageFile(*file, slotKey, table);
  }  // closed before it may be removed
  return settleDownloadedPageFile(files, pagePath, slotKey, read, table);
}

bool settleDownloadedPageFile(FileSystem& files, const std::string& pagePath, int slotKey, bool read,
                              ProgrammeTable& table) {
  if (read) {
    table.setTableKey(slotKey);
  } else {
    // A fresh download that does not read is of no use: the next crawl
    // fetches it again.
    files.remove(pagePath);
  }
  return read;
}

bool readTableFile(FileSystem& files, const std::string& path, ProgrammeTable& table) {
  std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return false;
  // A household's table files are 100-200 KB: a kilobyte a read was
  // thousands of system calls for a week's search, and a larger block
  // costs more to clear than its reads save.
  BufferedReader reader(*file, 16 * 1024);
  return table.read(reader);
}

bool writeTableFile(FileSystem& files, const std::string& path, const ProgrammeTable& table) {
  const std::size_t dot = path.rfind('.');
  const std::size_t separator = path.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (separator == std::string::npos || dot > separator);
  const std::string writing = (hasExtension ? path.substr(0, dot + 1) : path + ".") + kWritingExtension;
  if (writing == path) return writeTableFileInPlace(files, path, table);
  if (!writeTableFileInPlace(files, writing, table)) return false;
  if (files.replace(writing, path)) return true;
  files.remove(writing);
  return false;
}

bool writeTableFileInPlace(FileSystem& files, const std::string& path, const ProgrammeTable& table) {
  std::unique_ptr<Stream> file = files.createForWrite(path);
  if (!file) return false;
  bool written;
  {
    BufferedSink sink(*file);
    // The last block is flushed here, not left to the destructor, so that
    // its failure counts.
    written = table.write(sink) && sink.flush();
  }
  written = file->close() && written;
  // A partial table file must not pass for a slot that is present.
  if (!written) files.remove(path);
  return written;
}
