// SyncClient: one run of the sync job. It lists the sync server's table
// files, fetches every one the cache directory lacks or holds at another
// tag than the list's (sync_tag_memory.h), tables too large for one reply
// in pieces, and then deletes the cache files the server did not list, so
// that the cache mirrors the server.
//
// The front ends run SyncClient(cache).run(progress), with the program's own
// socket time-out; tests and the fuzzer set a shorter one, or call runOver on
// a Stream that plays the server.
#pragma once

#include <functional>
#include <string>

#include "guide/guide_cache.h"
#include "net/tcp_socket.h"
#include "sync/sync_list_entry.h"

class ProgressSink;
class Stream;
class SyncTagMemory;

class SyncClient {
 public:
  // The most one run takes from a server, list and files together: a week
  // of tables at 200 services is about 7 MB; a server that sends many times
  // that is not serving tables. (A named cap of the sync's own; pages have
  // theirs in net/.)
  static constexpr long long kMaxRunBytes = 64LL * 1024 * 1024;

  explicit SyncClient(GuideCache& cache) : cache_(cache) {}

  // How long each socket read waits for the server.
  void setReadTimeout(int milliseconds) { readTimeout_ = milliseconds; }
  // Tests lower the cap.
  void setMaxRunBytes(long long bytes) { maxRunBytes_ = bytes; }

  // Connects to the server of the settings and runs the exchange. -1 on a
  // failure (reported through `progress`, nothing deleted), 0 when the list
  // had a bad length, otherwise the number of left-over cache files the
  // clean-up went through. Only the clean-up heeds a cancel.
  int run(ProgressSink& progress);

  // The run after connecting, over an open connection to the server;
  // `directory` is the cache directory with its separator. Closes `server`.
  int runOver(Stream& server, const std::string& directory, ProgressSink& progress);

 private:
  // 1 when every listed file is present or fetched (`leftOver` then holds the
  // cache files the server did not list), 0 for a bad list length, -1 on a
  // failure.
  int fetchListed(Stream& server, const std::string& directory, CacheFileList& leftOver,
                  ProgressSink& progress);
  int fetchWanted(Stream& server, const std::string& directory, const std::string& list, SyncTagMemory& tags,
                  CacheFileList& leftOver, ProgressSink& progress);
  int receiveList(Stream& server, std::string& list, ProgressSink& progress);
  enum class Fetch { kDone, kInPieces, kFailed };
  Fetch fetchOne(Stream& server, const std::string& directory, const SyncListEntry& entry, ProgressSink& progress);
  bool fetchInPieces(Stream& server, const std::string& directory, const SyncListEntry& entry,
                     ProgressSink& progress);
  // 1 with the whole table in `content`, 0 when it changed on the server
  // between two pieces, -1 on a failure (reported).
  int receivePieces(Stream& server, const SyncListEntry& entry, std::string& content, ProgressSink& progress);
  // Counts bytes against the run's cap; false (reported) past it.
  bool countReceived(int bytes, ProgressSink& progress);
  // A fetched table: written beside its name by `fill`, then put in its
  // place, so no reader ever sees a part of it.
  bool writeTable(const std::string& directory, const SyncListEntry& entry, ProgressSink& progress,
                  const std::function<bool(Stream&)>& fill);

  GuideCache& cache_;
  int readTimeout_ = TcpSocket::kDefaultReadTimeoutMilliseconds;
  long long maxRunBytes_ = kMaxRunBytes;
  long long receivedBytes_ = 0;
};
