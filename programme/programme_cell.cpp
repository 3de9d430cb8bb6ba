// ProgrammeCell: the title line and the short title of a programme.
#include "programme/programme_cell.h"

void ProgrammeCell::updateDetailOffset() {
  std::size_t lineFeed = body.find('\n');
  detailOffset = lineFeed == std::string::npos ? body.size() : lineFeed + 1;
}

std::string ProgrammeCell::title() const {
  // Byte-wise on purpose: the bracket bytes are looked for anywhere.
  std::string bracketed;
  bool copying = false;
  for (std::size_t i = 0; i < body.size();) {
    if (body[i] == '\x81' && i + 1 < body.size() && (body[i + 1] == '\x79' || body[i + 1] == '\x7A')) {
      copying = body[i + 1] == '\x79';
      i += 2;
      continue;
    }
    if (copying) bracketed += body[i];
    ++i;
  }
  if (!bracketed.empty()) return bracketed;
  if (detailOffset >= 2 && detailOffset <= body.size() && body.compare(detailOffset - 2, 2, "\r\n") == 0) {
    return body.substr(0, detailOffset - 2);
  }
  return body;
}
