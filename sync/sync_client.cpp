// The sync job: the list request, all get requests in one write, the files
// in request order, then the clean-up of what the server no longer has.
#include "sync/sync_client.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/failure_text.h"
#include "net/local_file.h"
#include "os/os.h"
#include "sync/sync_frame.h"
#include "sync/sync_list_entry.h"

namespace {

constexpr int kContentChunk = 8192;

int failWith(ProgressSink& progress, const std::string& message) {
  progress.reportError(message);
  return -1;
}

bool refuse(ProgressSink& progress, const std::string& message) {
  progress.reportError(message);
  return false;
}

// A fetched file is written under this name and renamed only when complete,
// so that a broken transfer never leaves a short table under the final name.
// It still matches the cache file pattern, so the next sync's clean-up
// removes one left behind by a killed process.
std::string partialFileName(const SyncListEntry& entry) {
  return cacheFileName(kPartialTableFileNamePattern, entry.slotKey());
}

void reportSkipped(ProgressSink& progress, int skipped) {
  char status[96];
  std::snprintf(status, sizeof status, job::kSkippedEntries, skipped);
  progress.showStatus(status);
}

// The server's error text: its data up to the first zero byte.
std::string errorText(const std::string& data) { return data.substr(0, data.find('\0')); }

// Copies `size` bytes of the server's stream into `file`; the content may
// arrive in any number of pieces.
bool copyContent(Stream& server, LocalFile& file, int size) {
  char buffer[kContentChunk];
  for (int received = 0; received < size;) {
    int got = server.read(buffer, std::min(size - received, kContentChunk));
    if (got <= 0) return false;
    if (file.write(buffer, got) != got) return false;
    received += got;
  }
  return true;
}

}  // namespace

int SyncClient::run(ProgressSink& progress) {
  std::string directory = cache_.cacheDirectory();
  if (directory.empty()) return cache_.failForDirectory(progress);
  progress.showStatus(job::kServerConnecting);
  TcpSocket socket(readTimeout_);
  const SettingsStore& settings = cache_.settings();
  if (!socket.openAndConnect(settings.syncServer(), settings.syncPort())) {
    socket.close();
    return failWith(progress, job::kConnectFailed);
  }
  return runOver(socket, directory, progress);
}

int SyncClient::runOver(Stream& server, const std::string& directory, ProgressSink& progress) {
  receivedBytes_ = 0;
  CacheFileList leftOver;
  int outcome = fetchListed(server, directory, leftOver, progress);
  if (outcome <= 0) {
    server.close();
    return outcome;
  }
  int handled = cache_.deleteFiles(leftOver, progress);
  server.close();
  return handled;
}

int SyncClient::fetchListed(Stream& server, const std::string& directory,
                            CacheFileList& leftOver, ProgressSink& progress) {
  std::string list;
  int listed = receiveList(server, list, progress);
  if (listed <= 0) return listed;

  // Present files stay as they are; the rest is asked for in list order.
  // An entry that names no real slot would become a file no clean-up knows.
  leftOver = cache_.listCacheFiles();
  std::vector<SyncListEntry> wanted;
  std::string requests;
  int skipped = 0;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(list.data());
  for (std::size_t at = 0; at < list.size(); at += SyncListEntry::kSize) {
    SyncListEntry entry = SyncListEntry::fromBytes(bytes + at);
    if (!entry.namesRealSlot()) {
      ++skipped;
      continue;
    }
    if (leftOver.erase(entry.tableFileName()) != 0) continue;
    requests += encodeSyncFrame(kSyncGet, entry.bytes());
    wanted.push_back(entry);
  }
  if (skipped > 0) reportSkipped(progress, skipped);

  progress.showStatus(job::kFetching);
  int length = static_cast<int>(requests.size());
  if (server.write(requests.data(), length) != length) return failWith(progress, job::kCommunicationError);
  progress.setFileTotal(static_cast<int>(wanted.size()));
  for (const SyncListEntry& entry : wanted) {
    if (!fetchOne(server, directory, entry, progress)) return -1;
    leftOver.erase(entry.tableFileName());
  }
  return 1;
}

int SyncClient::receiveList(Stream& server, std::string& list, ProgressSink& progress) {
  progress.showStatus(job::kListing);
  const std::string request = encodeSyncFrame(kSyncList);
  if (server.write(request.data(), kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    return failWith(progress, job::kSendError);
  }
  // Header and list are one read each: a reply that comes in pieces fails.
  unsigned char headerBytes[kSyncFrameHeaderSize];
  if (server.read(headerBytes, kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    return failWith(progress, job::kReceiveError);
  }
  SyncFrameHeader header = decodeSyncFrameHeader(headerBytes);
  // Made also for an empty list: it waits until the server closes.
  list.assign(static_cast<std::size_t>(header.length) + 1, '\0');
  if (server.read(&list[0], header.length) != header.length) return failWith(progress, job::kReceiveError);
  list.resize(header.length);
  receivedBytes_ += header.length;
  if (!header.hasCode(kSyncOk)) return failWith(progress, job::kServerError + errorText(list));
  if (header.length % SyncListEntry::kSize != 0) {
    progress.reportError(job::kBadListSize);
    return 0;
  }
  return 1;
}

bool SyncClient::fetchOne(Stream& server, const std::string& directory,
                          const SyncListEntry& entry, ProgressSink& progress) {
  progress.beginFile(entry.label());
  unsigned char headerBytes[kSyncFrameHeaderSize];
  if (server.read(headerBytes, kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    return refuse(progress, job::kFetchFailed);
  }
  SyncFrameHeader header = decodeSyncFrameHeader(headerBytes);
  if (!header.hasCode(kSyncOk)) return refuse(progress, job::kFetchFailed);
  receivedBytes_ += header.length;
  if (receivedBytes_ > maxRunBytes_) return refuse(progress, job::kTooMuch);

  const std::string partial = directory + partialFileName(entry);
  LocalFile file;
  if (!file.createForWrite(partial)) {
    progress.describeFailure(fileFailureText("cannot write", partial));
    return refuse(progress, job::kFileSaveFailed);
  }
  bool complete = copyContent(server, file, header.length);
  complete = file.close() && complete;
  const std::string table = directory + entry.tableFileName();
  if (complete && os::replaceFile(partial, table)) return true;
  if (complete) progress.describeFailure(fileFailureText("cannot replace", table));
  os::removeFile(partial);
  return refuse(progress, job::kFileSaveFailed);
}
