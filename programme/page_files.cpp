#include "programme/page_files.h"

#include "bytes/buffered_reader.h"
#include "bytes/buffered_sink.h"
#include "bytes/local_file.h"
#include "os/os.h"
#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

// Reads the open page file; on success the table gets `slotKey`.
bool readPageFile(LocalFile& file, int slotKey, ProgrammeTable& table) {
  // A page is some tens of KB: a few large reads rather than one per KB.
  const int kPageReadBlock = 64 * 1024;
  BufferedReader reader(file, kPageReadBlock);
  if (!readPage(reader, table)) return false;
  table.setTableKey(slotKey);
  return true;
}

}  // namespace

bool parseCachedPageFile(const std::string& pagePath, const std::string& tablePath, int slotKey, bool removePage,
                         ProgrammeTable& table) {
  LocalFile file;
  if (!file.openForRead(pagePath)) return false;
  if (!readPageFile(file, slotKey, table)) return false;  // the page stays for another try
  writeTableFile(tablePath, table);
  file.close();
  if (removePage) os::removeFile(pagePath);
  return true;
}

bool parseDownloadedPageFile(const std::string& pagePath, const std::string& tablePath, int slotKey,
                             bool removePage, ProgrammeTable& table) {
  if (!readDownloadedPageFile(pagePath, slotKey, table)) return false;
  writeTableFile(tablePath, table);
  if (removePage) os::removeFile(pagePath);
  return true;
}

bool readDownloadedPageFile(const std::string& pagePath, int slotKey, ProgrammeTable& table) {
  bool read;
  {
    LocalFile file;
    read = file.openForRead(pagePath) && readPageFile(file, slotKey, table);
  }  // closed before it may be removed
  return settleDownloadedPageFile(pagePath, slotKey, read, table);
}

bool settleDownloadedPageFile(const std::string& pagePath, int slotKey, bool read, ProgrammeTable& table) {
  if (read) {
    table.setTableKey(slotKey);
  } else {
    // A fresh download that does not read is of no use: the next crawl
    // fetches it again.
    os::removeFile(pagePath);
  }
  return read;
}

bool readTableFile(const std::string& path, ProgrammeTable& table) {
  LocalFile file;
  if (!file.openForRead(path)) return false;
  BufferedReader reader(file);
  return table.read(reader);
}

bool writeTableFile(const std::string& path, const ProgrammeTable& table) {
  const std::size_t dot = path.rfind('.');
  const std::size_t separator = path.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (separator == std::string::npos || dot > separator);
  const std::string writing = (hasExtension ? path.substr(0, dot + 1) : path + ".") + kWritingExtension;
  if (writing == path) return writeTableFileInPlace(path, table);
  if (!writeTableFileInPlace(writing, table)) return false;
  if (os::replaceFile(writing, path)) return true;
  os::removeFile(writing);
  return false;
}

bool writeTableFileInPlace(const std::string& path, const ProgrammeTable& table) {
  LocalFile file;
  if (!file.createForWrite(path)) return false;
  bool written;
  {
    BufferedSink sink(file);
    // The last block is flushed here, not left to the destructor, so that
    // its failure counts.
    written = table.write(sink) && sink.flush();
  }
  written = file.close() && written;
  // A partial table file must not pass for a slot that is present.
  if (!written) os::removeFile(path);
  return written;
}
