// XmltvSecondHalf: the second half of a long XMLTV document, read on a
// thread of its own while the usual reader reads the first. It starts at a
// <programme> near the middle, behind the document's own head (declaration
// and root tag), and keeps what it reads in order. Its channels and
// programmes go to the handler only when the first reader stops exactly
// where the second half began with nothing but the root open; anywhere
// else (the middle inside a comment, a half that fails) the first reader
// reads on alone. Either way the handler sees what one reader would give.
#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <thread>

class FileSystem;
class XmltvHandler;

class XmltvSecondHalf {
 public:
  // Starts reading `path` of `files` (a document of at most `maxBytes`).
  XmltvSecondHalf(FileSystem& files, const std::string& path, long long maxBytes);
  ~XmltvSecondHalf();
  XmltvSecondHalf(const XmltvSecondHalf&) = delete;
  XmltvSecondHalf& operator=(const XmltvSecondHalf&) = delete;

  // The byte where the second half begins; -1 when the document is too
  // short to halve or has no such place. Waits until it is known.
  long long split();
  // Once the first reader stopped there: the second half's channels and
  // programmes handed to `handler` in their order. 1 when it took them all,
  // 0 when it stopped them, -1 when the second half could not be read
  // (nothing handed over; the first reader goes on).
  int handOver(XmltvHandler& handler);

  // Below this a second thread costs more than it saves.
  static constexpr long long kMinBytes = 1 << 20;

 private:
  struct Log;
  void run(FileSystem& files, std::string path, long long maxBytes);

  std::unique_ptr<Log> log_;
  std::promise<long long> splitPromise_;
  std::future<long long> splitFuture_;
  long long split_ = -2;  // -2: not asked yet
  std::atomic<bool> cancelled_{false};
  bool read_ = false;
  std::thread thread_;
};
