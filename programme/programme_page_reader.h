// ProgrammePageReader: reads a guide page (EUC-JP) into a page table. The
// grid is the second table opened directly inside the first top-level
// table; each of its rows is one time unit, each td/th a cell covering
// `rowspan` rows. Text counts only inside a table nested in a cell: there
// the first text is the hour or the start minute, the rest title and
// details. See ProgrammeTable::finishPage for what is checked afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "bytes/byte_source.h"
#include "programme/html_handler.h"
#include "programme/programme_table.h"

// Bounds on the grid of one page, far beyond any real guide page (four
// hours at one row a minute, a few dozen channels). A page that would
// grow past them is refused rather than allowed to exhaust memory.
constexpr int kMaxPageRows = 2048;
constexpr int kMaxPageColumns = 512;

class ProgrammePageReader : public HtmlHandler {
 public:
  ProgrammePageReader() = default;
  ProgrammePageReader(const ProgrammePageReader&) = delete;
  ProgrammePageReader& operator=(const ProgrammePageReader&) = delete;

  // Clears `table` and reads one page from `source` into it. True when the
  // page ended with </html> and its grid was accepted; otherwise the table
  // must not be used, and failure() tells why.
  bool read(ByteSource& source, ProgrammeTable& table);
  const char* failure() const { return failure_; }

  bool onText(const std::string& text) override;
  bool onStartTag(const std::string& name, const StringMap& attributes) override;
  bool onEndTag(const std::string& name) override;

 private:
  void reset(ProgrammeTable& table);
  bool inGrid() const { return tablesAtDepth_[0] == 1 && tablesAtDepth_[1] == 2; }
  bool startCell(int span);
  bool splitCell();
  bool placeRows(ProgrammeCell* cell, int firstRow, int count);

  std::uint8_t tablesAtDepth_[4] = {};  // tables opened at depth 0..3 in the current parent
  int depth_ = 0;
  int row_ = -1;
  int column_ = 0;
  bool sawHtmlEnd_ = false;
  bool bold_ = false;
  bool splitPending_ = false;  // a "registration" image was seen in the cell
  bool tooLarge_ = false;
  ProgrammeTable* table_ = nullptr;
  ProgrammeCell* cell_ = nullptr;
  int cellBackground_ = 0;  // 0xRRGGBB
  int fontColour_ = 0;      // 0xRRGGBB
  const char* failure_ = nullptr;
};

// Reads one page from `source` into `table` (cleared first). True when the
// page was complete and its grid accepted.
bool readPage(ByteSource& source, ProgrammeTable& table);

// A colour attribute: "#" and hex digits (as far as they go) masked to
// 0xRRGGBB; `fallback` when the value is empty or lacks the "#".
int parseColour(const std::string& value, int fallback);
