// Frames of the sync protocol. Every message in both directions is two ASCII
// letters (a command from the client, a status from the server), a 16-bit
// little-endian length, and that many bytes of data.
#pragma once

#include <cstdint>
#include <string>

constexpr int kSyncFrameHeaderSize = 4;
constexpr int kSyncMaxFrameData = 65535;

// Commands and statuses.
constexpr char kSyncList[] = "LS";     // list the table files; no data
constexpr char kSyncGet[] = "GE";      // one table file; data = one list entry
constexpr char kSyncOk[] = "ok";
constexpr char kSyncRefused[] = "ng";  // any status but "ok" is a refusal
// A table too large for one frame. Our server answers "GE" of such a file
// with kSyncInPieces (a refusal to older clients, which cannot take it in
// any form), and our client then asks for it with "GP": data = the list
// entry and the offset (32-bit little-endian). Its reply "ok" carries the
// whole file's size and content version (32-bit little-endian each), then
// the bytes from the offset, as many as fit. A server that does not know
// "GP" never says kSyncInPieces, so the client never asks it.
constexpr char kSyncInPieces[] = "lg";
constexpr char kSyncGetPiece[] = "GP";
constexpr int kSyncPieceRequestSize = 8;
constexpr int kSyncPieceHeadSize = 8;
constexpr int kSyncMaxPiece = kSyncMaxFrameData - kSyncPieceHeadSize;

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
// Four bytes of `value`, little-endian, and back.
std::string encodeSyncWord(std::uint32_t value);
std::uint32_t decodeSyncWord(const unsigned char* bytes);
