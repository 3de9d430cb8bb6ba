// Frames of the sync protocol. Every message in both directions is two ASCII
// letters (a command from the client, a status from the server), a 16-bit
// little-endian length, and that many bytes of data.
#pragma once

#include <string>

constexpr int kSyncFrameHeaderSize = 4;
constexpr int kSyncMaxFrameData = 65535;

// Commands and statuses.
constexpr char kSyncList[] = "LS";     // list the table files; no data
constexpr char kSyncGet[] = "GE";      // one table file; data = one list entry
constexpr char kSyncOk[] = "ok";
constexpr char kSyncRefused[] = "ng";  // any status but "ok" is a refusal

struct SyncFrameHeader {
  char code[2];
  int length;  // 0..65535

  bool hasCode(const char* twoLetters) const {
    return code[0] == twoLetters[0] && code[1] == twoLetters[1];
  }
};

SyncFrameHeader decodeSyncFrameHeader(const unsigned char* bytes);
// The whole frame; `data` must hold at most kSyncMaxFrameData bytes.
std::string encodeSyncFrame(const char* code, const std::string& data = std::string());
