// The sync job: the list request, all get requests in one write, the files
// in request order, then the clean-up of what the server no longer has.
#include "sync/sync_client.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bytes/file_system.h"
#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "job/job_messages.h"
#include "job/progress_sink.h"
#include "net/failure_text.h"
#include "sync/sync_frame.h"
#include "sync/sync_list_entry.h"
#include "sync/sync_tag_memory.h"

namespace {

constexpr int kContentChunk = 8192;

int failWith(ProgressSink& progress, const JobMessage& message) {
  progress.reportError(message);
  return -1;
}

bool refuse(ProgressSink& progress, const JobMessage& message) {
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
  std::snprintf(status, sizeof status, job::kSkippedEntries.japanese, skipped);
  progress.showStatus(JobMessage(job::kSkippedEntries, status));
}

// The server's error text: its data up to the first zero byte.
std::string errorText(const std::string& data) { return data.substr(0, data.find('\0')); }

// Copies `size` bytes of the server's stream into `file`; the content may
// arrive in any number of pieces.
bool copyContent(Stream& server, Stream& file, int size) {
  char buffer[kContentChunk];
  for (int received = 0; received < size;) {
    int got = server.read(buffer, std::min(size - received, kContentChunk));
    if (got <= 0) return false;
    if (file.write(buffer, got) != got) return false;
    received += got;
  }
  return true;
}

// `size` bytes of the stream, in as many reads as they take.
bool readWhole(Stream& server, std::string& bytes, int size) {
  bytes.assign(static_cast<std::size_t>(size), '\0');
  for (int received = 0; received < size;) {
    const int got = server.read(&bytes[received], size - received);
    if (got <= 0) return false;
    received += got;
  }
  return true;
}

// A table asked for in pieces is tried again from its start this often
// when it changes on the server meanwhile.
constexpr int kPieceAttempts = 3;

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
  SyncTagMemory tags(cache_.files(), directory);
  const int outcome = fetchWanted(server, directory, list, tags, leftOver, progress);
  // Also after a failure: the tables fetched before it keep their tags.
  tags.save();
  return outcome;
}

int SyncClient::fetchWanted(Stream& server, const std::string& directory, const std::string& list,
                            SyncTagMemory& tags, CacheFileList& leftOver, ProgressSink& progress) {
  // Present files stay as they are unless their tag moved on; the rest is
  // asked for in list order. An entry that names no real slot would become
  // a file no clean-up knows.
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
    if (leftOver.erase(entry.tableFileName()) != 0 && !tags.wantsAgain(entry)) continue;
    requests += encodeSyncFrame(kSyncGet, entry.bytes());
    wanted.push_back(entry);
  }
  if (skipped > 0) reportSkipped(progress, skipped);

  progress.showStatus(job::kFetching);
  int length = static_cast<int>(requests.size());
  if (server.write(requests.data(), length) != length) return failWith(progress, job::kCommunicationError);
  progress.setFileTotal(static_cast<int>(wanted.size()));
  // Tables too large for one reply are asked for once every reply to the
  // requests already sent has come.
  std::vector<SyncListEntry> inPieces;
  for (const SyncListEntry& entry : wanted) {
    const Fetch fetched = fetchOne(server, directory, entry, progress);
    if (fetched == Fetch::kFailed) return -1;
    if (fetched == Fetch::kInPieces) inPieces.push_back(entry);
    if (fetched == Fetch::kDone) tags.noteFetched(entry);
    leftOver.erase(entry.tableFileName());
  }
  for (const SyncListEntry& entry : inPieces) {
    if (!fetchInPieces(server, directory, entry, progress)) return -1;
    tags.noteFetched(entry);
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

SyncClient::Fetch SyncClient::fetchOne(Stream& server, const std::string& directory,
                                      const SyncListEntry& entry, ProgressSink& progress) {
  progress.beginFile(entry.label());
  unsigned char headerBytes[kSyncFrameHeaderSize];
  if (server.read(headerBytes, kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    progress.reportError(job::kFetchFailed);
    return Fetch::kFailed;
  }
  SyncFrameHeader header = decodeSyncFrameHeader(headerBytes);
  if (header.hasCode(kSyncInPieces) && header.length == 0) return Fetch::kInPieces;
  if (!header.hasCode(kSyncOk)) {
    progress.reportError(job::kFetchFailed);
    return Fetch::kFailed;
  }
  if (!countReceived(header.length, progress)) return Fetch::kFailed;
  const bool written = writeTable(directory, entry, progress,
                                  [&](Stream& file) { return copyContent(server, file, header.length); });
  return written ? Fetch::kDone : Fetch::kFailed;
}

bool SyncClient::fetchInPieces(Stream& server, const std::string& directory, const SyncListEntry& entry,
                               ProgressSink& progress) {
  std::string content;
  for (int attempt = 0; attempt < kPieceAttempts; ++attempt) {
    const int received = receivePieces(server, entry, content, progress);
    if (received < 0) return false;
    if (received == 0) continue;
    const int length = static_cast<int>(content.size());
    return writeTable(directory, entry, progress,
                      [&](Stream& file) { return file.write(content.data(), length) == length; });
  }
  return refuse(progress, job::kFetchFailed);
}

int SyncClient::receivePieces(Stream& server, const SyncListEntry& entry, std::string& content,
                              ProgressSink& progress) {
  content.clear();
  std::uint32_t size = 0, version = 0;
  do {
    const std::string request =
        encodeSyncFrame(kSyncGetPiece, entry.bytes() + encodeSyncWord(static_cast<std::uint32_t>(content.size())));
    const int length = static_cast<int>(request.size());
    if (server.write(request.data(), length) != length) return failWith(progress, job::kCommunicationError);
    unsigned char headerBytes[kSyncFrameHeaderSize];
    if (server.read(headerBytes, kSyncFrameHeaderSize) != kSyncFrameHeaderSize) return failWith(progress, job::kFetchFailed);
    const SyncFrameHeader header = decodeSyncFrameHeader(headerBytes);
    if (!header.hasCode(kSyncOk) || header.length < kSyncPieceHeadSize) return failWith(progress, job::kFetchFailed);
    if (!countReceived(header.length, progress)) return -1;
    std::string piece;
    if (!readWhole(server, piece, header.length)) return failWith(progress, job::kFetchFailed);
    const unsigned char* head = reinterpret_cast<const unsigned char*>(piece.data());
    if (content.empty()) size = decodeSyncWord(head), version = decodeSyncWord(head + 4);
    // The table was replaced between two pieces: start again.
    if (decodeSyncWord(head) != size || decodeSyncWord(head + 4) != version) return 0;
    const std::size_t count = piece.size() - kSyncPieceHeadSize;
    // Each piece brings the table nearer its end, never past it.
    if ((count == 0 && content.size() < size) || count > size - content.size()) {
      return failWith(progress, job::kFetchFailed);
    }
    content.append(piece, kSyncPieceHeadSize, std::string::npos);
  } while (content.size() < size);
  return 1;
}

bool SyncClient::countReceived(int bytes, ProgressSink& progress) {
  receivedBytes_ += bytes;
  return receivedBytes_ <= maxRunBytes_ || refuse(progress, job::kTooMuch);
}

bool SyncClient::writeTable(const std::string& directory, const SyncListEntry& entry, ProgressSink& progress,
                            const std::function<bool(Stream&)>& fill) {
  FileSystem& files = cache_.files();
  const std::string partial = directory + partialFileName(entry);
  std::unique_ptr<Stream> file = files.createForWrite(partial);
  if (!file) {
    progress.describeFailure(fileFailureText("cannot write", partial));
    return refuse(progress, job::kFileSaveFailed);
  }
  bool complete = fill(*file);
  complete = file->close() && complete;
  const std::string table = directory + entry.tableFileName();
  if (complete && files.replace(partial, table)) return true;
  if (complete) progress.describeFailure(fileFailureText("cannot replace", table));
  files.remove(partial);
  return refuse(progress, job::kFileSaveFailed);
}
