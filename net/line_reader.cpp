#include "net/line_reader.h"

bool LineReader::readLine(std::string& text) {
  text.clear();
  if (ended_) return false;
  for (int taken = 0; taken < kMaxLineBytes; ++taken) {
    int byte = nextByte();
    if (byte < 0) {
      ended_ = true;
      return !text.empty();
    }
    if (byte == '\n') return true;
    if (byte != '\r') text += static_cast<char>(byte);
  }
  return false;
}
