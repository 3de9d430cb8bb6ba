// Fuzzes the sync server's handling of what a client sends: the input is the
// whole byte stream of one client. Its first byte picks the size of the
// pieces the bytes arrive in (0: all at once), so that requests split
// anywhere are explored. Every reply must be a whole frame with an "ok",
// "ng" or "lg" (a table to fetch in pieces) status, a refusal must end the
// connection or be a file refused without a text, and the bytes held back
// must stay within one request's worth.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sync/sync_frame.h"
#include "sync/sync_request_handler.h"
#include "sync/sync_table_folder.h"

namespace {

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (!file) std::abort();
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
}

// A small cache directory, made once: tables of real slots, one too large
// for a reply, a page and a name of no slot.
const SyncTableFolder& folder() {
  static const SyncTableFolder tables = [] {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "rokuban-sync-request-fuzzer";
    std::filesystem::create_directories(path);
    writeFile(path / "010105tb.tmp", "new year");
    writeFile(path / "123125tb.tmp", "");
    writeFile(path / "022925tb.tmp", std::string(3000, 'f'));
    writeFile(path / "020209tb.tmp", std::string(kSyncMaxFrameData + 1, 'b'));
    writeFile(path / "010109tb.htm", "<html>");
    writeFile(path / "013205tb.tmp", "no such day");
    return SyncTableFolder(path.string() + "/");
  }();
  return tables;
}

void checkReply(const std::string& reply) {
  if (reply.size() < static_cast<std::size_t>(kSyncFrameHeaderSize)) std::abort();
  SyncFrameHeader header = decodeSyncFrameHeader(reinterpret_cast<const unsigned char*>(reply.data()));
  if (reply.size() != kSyncFrameHeaderSize + static_cast<std::size_t>(header.length)) std::abort();
  if (!header.hasCode(kSyncOk) && !header.hasCode(kSyncRefused) && !header.hasCode(kSyncInPieces)) std::abort();
  // Only its status: the client asks for the pieces itself.
  if (header.hasCode(kSyncInPieces) && header.length != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::size_t piece = data[0] == 0 ? size : data[0];
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  std::size_t left = size - 1;
  SyncRequestHandler requests(folder());
  std::string reply;
  while (left > 0) {
    std::size_t count = piece < left ? piece : left;
    requests.receive(bytes, count);
    bytes += count;
    left -= count;
    for (;;) {
      SyncRequestHandler::Step step = requests.next(reply);
      if (step == SyncRequestHandler::Step::kNeedMore) break;
      checkReply(reply);
      if (step == SyncRequestHandler::Step::kReplyAndEnd) return 0;
      // A refusal that lets the connection go on is a file refused, without a text.
      bool refused = reply[0] == kSyncRefused[0] && reply[1] == kSyncRefused[1];
      if (refused && reply.size() != static_cast<std::size_t>(kSyncFrameHeaderSize)) std::abort();
    }
    // What is left is an unfinished request: less than one whole frame.
    if (requests.pendingSize() >= kSyncFrameHeaderSize + static_cast<std::size_t>(kSyncMaxFrameData)) {
      std::abort();
    }
  }
  return 0;
}
