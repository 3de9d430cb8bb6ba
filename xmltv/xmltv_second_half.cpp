#include "xmltv/xmltv_second_half.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "bytes/buffered_reader.h"
#include "bytes/file_system.h"
#include "bytes/stream.h"
#include "xmltv/xml_scanner.h"
#include "xmltv/xmltv_reader.h"

namespace {

constexpr int kBlock = 64 * 1024;
// A head longer than this (a vast DOCTYPE or comment) is not worth halving.
constexpr long long kMaxHead = 64 * 1024;
// What the second half may hold before it gives up and leaves the document
// to the first reader, which keeps only what the handler keeps.
constexpr std::size_t kMaxLoggedBytes = 64u << 20;
const char kMarker[] = "<programme";
constexpr std::size_t kMarkerLength = sizeof kMarker - 1;

// Stops the scan at the first element: the root.
class RootProbe : public XmlElements {
 public:
  bool openElement(const std::string&, const std::vector<XmlAttribute>&, bool&) override {
    opened = true;
    return false;
  }
  bool closeElement(std::string&) override { return false; }
  bool opened = false;
};

// The document's bytes up to the end of its root's start tag; false when
// they are not plain (a converter reads them) or not found.
bool readHead(FileSystem& files, const std::string& path, std::string& head) {
  std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return false;
  BufferedReader input(*file);
  XmlScanner scanner;
  RootProbe probe;
  scanner.scan(input, probe);
  const long long length = scanner.offset();
  if (!probe.opened || scanner.converts() || length > kMaxHead) return false;
  file = files.openForRead(path);
  if (!file) return false;
  head.resize(static_cast<std::size_t>(length));
  for (int read = 0, n; read < length; read += n) {
    n = file->read(&head[static_cast<std::size_t>(read)], static_cast<int>(length) - read);
    if (n <= 0) return false;
  }
  return true;
}

bool isMarkerEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>'; }

// The offset of the first "<programme" tag at or after `from` in `file`,
// read from its start; `rest` gets the bytes read from there on. -1 when
// there is none.
long long findProgrammeTag(Stream& file, long long from, std::string& rest) {
  std::string window;
  long long windowStart = 0;
  std::vector<char> block(kBlock);
  for (int n; (n = file.read(block.data(), kBlock)) > 0;) {
    if (windowStart + n <= from && window.empty()) {
      windowStart += n;
      continue;
    }
    window.append(block.data(), static_cast<std::size_t>(n));
    std::size_t at = from > windowStart ? static_cast<std::size_t>(from - windowStart) : 0;
    for (; (at = window.find(kMarker, at)) != std::string::npos && at + kMarkerLength < window.size(); ++at) {
      if (isMarkerEnd(window[at + kMarkerLength])) {
        rest = window.substr(at);
        return windowStart + static_cast<long long>(at);
      }
    }
    // A tag across two blocks is found with the next.
    const std::size_t kept = std::min(window.size(), kMarkerLength);
    windowStart += static_cast<long long>(window.size() - kept);
    window.erase(0, window.size() - kept);
  }
  return -1;
}

// Some bytes, then the rest of a stream.
class PrefixedStream : public Stream {
 public:
  PrefixedStream(std::string prefix, Stream& rest) : prefix_(std::move(prefix)), rest_(rest) {}
  bool close() override { return rest_.close(); }
  int read(void* buffer, int size) override {
    if (taken_ == prefix_.size()) return rest_.read(buffer, size);
    const std::size_t n = std::min(prefix_.size() - taken_, static_cast<std::size_t>(size));
    std::memcpy(buffer, prefix_.data() + taken_, n);
    taken_ += n;
    return static_cast<int>(n);
  }
  int write(const void*, int) override { return -1; }

 private:
  std::string prefix_;
  std::size_t taken_ = 0;
  Stream& rest_;
};

}  // namespace

// What the second half read, in order, until it is cancelled or too big.
struct XmltvSecondHalf::Log : XmltvHandler {
  explicit Log(const std::atomic<bool>& cancelled) : cancelled(cancelled) {}
  bool onChannel(const XmltvChannel& channel) override {
    channels.push_back(channel);
    isChannel.push_back(true);
    return !cancelled;
  }
  bool onProgramme(const XmltvProgramme& programme) override {
    bytes += sizeof programme + programme.title.size() + programme.subTitle.size() + programme.desc.size();
    programmes.push_back(programme);
    isChannel.push_back(false);
    return !cancelled && bytes <= kMaxLoggedBytes;
  }

  const std::atomic<bool>& cancelled;
  std::vector<XmltvChannel> channels;
  std::vector<XmltvProgramme> programmes;
  std::vector<bool> isChannel;  // the order of the two
  std::size_t bytes = 0;
};

XmltvSecondHalf::XmltvSecondHalf(FileSystem& files, const std::string& path, long long maxBytes)
    : log_(new Log(cancelled_)), splitFuture_(splitPromise_.get_future()) {
  thread_ = std::thread(&XmltvSecondHalf::run, this, std::ref(files), path, maxBytes);
}

XmltvSecondHalf::~XmltvSecondHalf() {
  cancelled_ = true;
  if (thread_.joinable()) thread_.join();
}

long long XmltvSecondHalf::split() {
  if (split_ == -2) split_ = splitFuture_.get();
  return split_;
}

void XmltvSecondHalf::run(FileSystem& files, std::string path, long long maxBytes) {
  std::string head, rest;
  const long long size = files.size(path);
  std::unique_ptr<Stream> file;
  long long split = -1;
  if (size >= kMinBytes && size <= maxBytes && readHead(files, path, head) && (file = files.openForRead(path))) {
    split = findProgrammeTag(*file, std::max(size / 2, static_cast<long long>(head.size())), rest);
  }
  splitPromise_.set_value(split);
  if (split < 0) return;
  PrefixedStream half(head + rest, *file);
  BufferedReader input(half, kBlock);
  read_ = XmltvReader().read(input, *log_);
}

int XmltvSecondHalf::handOver(XmltvHandler& handler) {
  if (thread_.joinable()) thread_.join();
  if (!read_) return -1;
  std::size_t channel = 0, programme = 0;
  for (const bool isChannel : log_->isChannel) {
    const bool taken = isChannel ? handler.onChannel(log_->channels[channel++])
                                 : handler.takeProgramme(log_->programmes[programme++]);
    if (!taken) return 0;
  }
  return 1;
}
