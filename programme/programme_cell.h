// ProgrammeCell: one cell of a programme grid: a programme, a channel header
// or an hour of the hour column. Cells are created, owned and deleted by
// their ProgrammeTable; everything else holds plain pointers to them.
#pragma once

#include <cstddef>
#include <string>

struct ProgrammeCell {
  // Hour column: the hour as the page wrote it (24, 25, ... after midnight),
  // -1 without text. Header row: the channel's column index. Programmes: the
  // hour of the hour cell beside the start when the page gave only minutes,
  // otherwise 0 or -1. While a page is read, 0 means "no text taken yet".
  int number = 0;
  // Rows covered; at least 1 for every cell referenced from the grid.
  int rowSpan = 1;
  // Hour column: "%02d" of the hour (0..23). Programmes: "HH:MM" start time.
  // Headers: empty, which is how a header is told from a programme.
  std::string timeText;
  // Header: the channel name. Hour column: same as timeText. Programmes:
  // title and details, lines separated by CR LF, bold parts in the brackets
  // 0x81 0x79 .. 0x81 0x7A; empty for an empty slot.
  std::string body;
  // 0xRRGGBB as written in the page (not a COLORREF); 0xFFFFFF when none.
  int background = 0xFFFFFF;
  // Index just past the first LF of body, or body.size() without one: the
  // title line is body[0, detailOffset), the details body[detailOffset, end).
  std::size_t detailOffset = 0;

  // Call after every change of body.
  void updateDetailOffset();
  // The short title: the bracketed (bold) parts of body joined without a
  // separator; without any, the first line when it ends in CR LF, else the
  // whole body.
  std::string title() const;
  // The same into `out`, whose room a caller reading many cells keeps.
  void titleInto(std::string& out) const;
};
