// Encoding and decoding of sync protocol frame headers.
#include "sync/sync_frame.h"

SyncFrameHeader decodeSyncFrameHeader(const unsigned char* bytes) {
  SyncFrameHeader header;
  header.code[0] = static_cast<char>(bytes[0]);
  header.code[1] = static_cast<char>(bytes[1]);
  header.length = bytes[2] | (bytes[3] << 8);
  return header;
}

std::string encodeSyncFrame(const char* code, const std::string& data) {
  std::string frame;
  frame.reserve(kSyncFrameHeaderSize + data.size());
  frame += code[0];
  frame += code[1];
  frame += static_cast<char>(data.size() & 0xFF);
  frame += static_cast<char>((data.size() >> 8) & 0xFF);
  frame += data;
  return frame;
}

std::string encodeSyncWord(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::uint32_t decodeSyncWord(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}
