// ProgrammeCell: the title line and the short title of a programme.
#include "programme/programme_cell.h"

#include <algorithm>

void ProgrammeCell::updateDetailOffset() {
  std::size_t lineFeed = body.find('\n');
  detailOffset = lineFeed == std::string::npos ? body.size() : lineFeed + 1;
}

std::string ProgrammeCell::title() const {
  std::string text;
  titleInto(text);
  return text;
}

void ProgrammeCell::titleInto(std::string& bracketed) const {
  // Byte-wise on purpose: the bracket bytes are looked for anywhere. The
  // runs between 0x81 bytes are copied whole: a week of titles is read.
  bracketed.clear();
  bool copying = false;
  for (std::size_t i = 0; i < body.size();) {
    const std::size_t mark = std::min(body.find('\x81', i), body.size());
    if (copying) bracketed.append(body, i, mark - i);
    if (mark == body.size()) break;
    if (mark + 1 < body.size() && (body[mark + 1] == '\x79' || body[mark + 1] == '\x7A')) {
      copying = body[mark + 1] == '\x79';
      i = mark + 2;
      continue;
    }
    if (copying) bracketed += body[mark];
    i = mark + 1;
  }
  if (!bracketed.empty()) return;
  if (detailOffset >= 2 && detailOffset <= body.size() && body.compare(detailOffset - 2, 2, "\r\n") == 0) {
    bracketed.assign(body, 0, detailOffset - 2);
  } else {
    bracketed = body;
  }
}
