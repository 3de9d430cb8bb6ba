// The sync job: the list request, all get requests in one write, the files
// in request order, then the clean-up of what the server no longer has.
#include "sync/sync_client.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "config/settings_store.h"
#include "guide/cache_file_name.h"
#include "net/local_file.h"
#include "net/failure_text.h"
#include "os/os.h"
#include "sync/sync_frame.h"
#include "sync/sync_list_entry.h"
#include "ui/progress_sink.h"

namespace {

const char kConnecting[] = "\x83\x54\x81\x5b\x83\x6f\x82\xc9\x90\xda\x91\xb1\x81\x63";  // サーバに接続…
const char kConnectFailed[] = "\x90\xda\x91\xb1\x8e\xb8\x94\x73\x81\x49";  // 接続失敗！
const char kListing[] = "\x88\xea\x97\x97\x8e\xe6\x93\xbe\x92\x86\x81\x63";  // 一覧取得中…
const char kSendError[] = "\x91\x97\x90\x4d\x83\x47\x83\x89\x81\x5b\x81\x42";  // 送信エラー。
const char kReceiveError[] = "\x8e\xf3\x90\x4d\x83\x47\x83\x89\x81\x5b\x81\x42";  // 受信エラー。
const char kServerError[] = "\x83\x47\x83\x89\x81\x5b\x3a";  // エラー:
// 受信サイズ不正。
const char kBadListSize[] = "\x8e\xf3\x90\x4d\x83\x54\x83\x43\x83\x59\x95\x73\x90\xb3\x81\x42";
// ファイル取得中…
const char kFetching[] = "\x83\x74\x83\x40\x83\x43\x83\x8b\x8e\xe6\x93\xbe\x92\x86\x81\x63";
const char kCommunicationError[] = "\x92\xca\x90\x4d\x83\x47\x83\x89\x81\x5b";  // 通信エラー
// ファイル取得失敗。
const char kFetchFailed[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x8e\xe6\x93\xbe\x8e\xb8\x94\x73\x81\x42";
// ファイルの保存に失敗
const char kSaveFailed[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x95\xdb\x91\xb6\x82\xc9\x8e\xb8\x94\x73";

// 一覧の無効な項目を飛ばしました:N件
const char kSkippedEntries[] =
    "\x88\xea\x97\x97\x82\xcc\x96\xb3\x8c\xf8\x82\xc8\x8d\x80\x96\xda\x82\xf0\x94\xf2"
    "\x82\xce\x82\xb5\x82\xdc\x82\xb5\x82\xbd:%d\x8c\x8f";

// 受信量が上限を超えました。
const char kTooMuch[] =
    "\x8e\xf3\x90\x4d\x97\xca\x82\xaa\x8f\xe3\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xdc\x82\xb5"
    "\x82\xbd\x81\x42";

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
  std::snprintf(status, sizeof status, kSkippedEntries, skipped);
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
  progress.showStatus(kConnecting);
  TcpSocket socket(readTimeout_);
  const SettingsStore& settings = cache_.settings();
  if (!socket.openAndConnect(settings.syncServer(), settings.syncPort())) {
    socket.close();
    return failWith(progress, kConnectFailed);
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

  progress.showStatus(kFetching);
  int length = static_cast<int>(requests.size());
  if (server.write(requests.data(), length) != length) return failWith(progress, kCommunicationError);
  progress.setFileTotal(static_cast<int>(wanted.size()));
  for (const SyncListEntry& entry : wanted) {
    if (!fetchOne(server, directory, entry, progress)) return -1;
    leftOver.erase(entry.tableFileName());
  }
  return 1;
}

int SyncClient::receiveList(Stream& server, std::string& list, ProgressSink& progress) {
  progress.showStatus(kListing);
  const std::string request = encodeSyncFrame(kSyncList);
  if (server.write(request.data(), kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    return failWith(progress, kSendError);
  }
  // Header and list are one read each: a reply that comes in pieces fails.
  unsigned char headerBytes[kSyncFrameHeaderSize];
  if (server.read(headerBytes, kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    return failWith(progress, kReceiveError);
  }
  SyncFrameHeader header = decodeSyncFrameHeader(headerBytes);
  // Made also for an empty list: it waits until the server closes.
  list.assign(static_cast<std::size_t>(header.length) + 1, '\0');
  if (server.read(&list[0], header.length) != header.length) return failWith(progress, kReceiveError);
  list.resize(header.length);
  receivedBytes_ += header.length;
  if (!header.hasCode(kSyncOk)) return failWith(progress, kServerError + errorText(list));
  if (header.length % SyncListEntry::kSize != 0) {
    progress.reportError(kBadListSize);
    return 0;
  }
  return 1;
}

bool SyncClient::fetchOne(Stream& server, const std::string& directory,
                          const SyncListEntry& entry, ProgressSink& progress) {
  progress.beginFile(entry.label());
  unsigned char headerBytes[kSyncFrameHeaderSize];
  if (server.read(headerBytes, kSyncFrameHeaderSize) != kSyncFrameHeaderSize) {
    return refuse(progress, kFetchFailed);
  }
  SyncFrameHeader header = decodeSyncFrameHeader(headerBytes);
  if (!header.hasCode(kSyncOk)) return refuse(progress, kFetchFailed);
  receivedBytes_ += header.length;
  if (receivedBytes_ > maxRunBytes_) return refuse(progress, kTooMuch);

  const std::string partial = directory + partialFileName(entry);
  LocalFile file;
  if (!file.createForWrite(partial)) {
    progress.describeFailure(fileFailureText("cannot write", partial));
    return refuse(progress, kSaveFailed);
  }
  bool complete = copyContent(server, file, header.length);
  complete = file.close() && complete;
  const std::string table = directory + entry.tableFileName();
  if (complete && os::replaceFile(partial, table)) return true;
  if (complete) progress.describeFailure(fileFailureText("cannot replace", table));
  os::removeFile(partial);
  return refuse(progress, kSaveFailed);
}
