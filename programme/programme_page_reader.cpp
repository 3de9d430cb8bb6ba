// ProgrammePageReader: from tags and texts to the cells of the grid.
#include "programme/programme_page_reader.h"

#include <cstdint>

#include "programme/euc_jp_to_shift_jis_source.h"
#include "programme/html_tokenizer.h"

namespace {

const char kRegistration[] = "\x93\x6f\x98\x5e";  // the "registration" image's alt text
const char kBoldOpen[] = "\x81\x79";
const char kBoldClose[] = "\x81\x7A";

// Tag names are compared length first: most tags of a page are not the
// one asked about. A loop: the names are too short to be worth a call.
template <std::size_t N>
inline bool is(const std::string& name, const char (&wanted)[N]) {
  if (name.size() != N - 1) return false;
  for (std::size_t i = 0; i + 1 < N; ++i) {
    if (name[i] != wanted[i]) return false;
  }
  return true;
}

// The value of attribute `name`, or null when the tag has none. A tag has a
// handful of attributes: a walk is quicker than a lookup by a new string.
template <std::size_t N>
const std::string* attribute(const StringMap& attributes, const char (&name)[N]) {
  for (const auto& entry : attributes) {
    if (is(entry.first, name)) return &entry.second;
  }
  return nullptr;
}

inline int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// strtol(text, 16) with a 32-bit long, as the program has always read
// colours, so that both builds give the same values: blanks, a sign, an
// optional 0x, then hex digits, saturating at the long range.
std::uint32_t hexLong(const char* text) {
  while (*text == ' ' || (*text >= 0x09 && *text <= 0x0D)) ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && hexDigit(text[2]) >= 0) text += 2;
  const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t value = 0;
  for (int digit; (digit = hexDigit(*text)) >= 0; ++text) {
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > limit) value = limit;
  }
  return negative ? static_cast<std::uint32_t>(0 - value) : static_cast<std::uint32_t>(value);
}

}  // namespace

int parseColour(const std::string& value, int fallback) {
  if (value.empty() || value[0] != '#') return fallback;
  return static_cast<int>(hexLong(value.c_str() + 1) & 0xFFFFFF);
}

bool readPage(ByteSource& source, ProgrammeTable& table) {
  ProgrammePageReader reader;
  return reader.read(source, table);
}

bool ProgrammePageReader::read(ByteSource& source, ProgrammeTable& table) {
  table.clear();
  reset(table);
  EucJpToShiftJisSource converted(source);
  HtmlTokenizer tokenizer;
  tokenizer.keepOnlyAttributes({"color", "rowspan", "bgcolor", "alt"});
  tokenizer.run(&converted, this);
  if (tooLarge_) {
    failure_ = "the grid is larger than any guide page";
    return false;
  }
  if (!sawHtmlEnd_) {
    failure_ = "the page ends before </html>";
    return false;
  }
  if (!table.finishPage()) {
    failure_ = "the grid does not have the shape of a guide page";
    return false;
  }
  return true;
}

void ProgrammePageReader::reset(ProgrammeTable& table) {
  for (std::uint8_t& count : tablesAtDepth_) count = 0;
  depth_ = 0;
  row_ = -1;
  column_ = 0;
  sawHtmlEnd_ = bold_ = splitPending_ = tooLarge_ = false;
  table_ = &table;
  cell_ = nullptr;
  cellBackground_ = fontColour_ = 0;
  failure_ = nullptr;
}

bool ProgrammePageReader::onStartTag(const std::string& name, const StringMap& attributes) {
  if (is(name, "font")) {
    if (const std::string* colour = attribute(attributes, "color")) {
      fontColour_ = parseColour(*colour, fontColour_);
    }
    return true;
  }
  if (is(name, "table")) {
    if (depth_ < 4) ++tablesAtDepth_[depth_];
    ++depth_;
    return true;
  }
  if (!inGrid()) return true;
  if (depth_ == 2) {
    if (is(name, "tr")) {
      if (row_ < kMaxPageRows) ++row_;  // rows beyond are refused when a cell is placed
      column_ = 0;
    } else if (is(name, "td") || is(name, "th")) {
      if (row_ < 0) return true;  // a cell before the first row has no place
      const std::string* rowSpan = attribute(attributes, "rowspan");
      int span = rowSpan ? parseLeadingInt(*rowSpan) : 0;
      const std::string* background = attribute(attributes, "bgcolor");
      cellBackground_ = background ? parseColour(*background, 0xFFFFFF) : 0xFFFFFF;
      fontColour_ = 0;
      return startCell(span > 0 ? span : 1);
    } else if (is(name, "img") || is(name, "image")) {
      const std::string* alt = attribute(attributes, "alt");
      if (cell_) cell_->body = alt ? *alt : std::string();
    }
  } else if (depth_ == 3 && cell_) {
    if (is(name, "img")) {
      const std::string* alt = attribute(attributes, "alt");
      if (!alt || alt->empty()) return true;
      if ((*alt)[0] == '[') {
        cell_->body += *alt;
      } else if (*alt == kRegistration) {
        splitPending_ = true;
      }
    } else if (is(name, "br")) {
      cell_->body += "\r\n";
    } else if (is(name, "b")) {
      bold_ = true;
    }
  }
  return true;
}

bool ProgrammePageReader::onEndTag(const std::string& name) {
  if (is(name, "html")) {
    sawHtmlEnd_ = true;
  } else if (is(name, "b")) {
    bold_ = false;
  } else if (is(name, "table")) {
    // An end tag with no table open is stray markup: ignored, so the depth
    // can never go below zero.
    if (depth_ > 0) {
      if (depth_ < 4) tablesAtDepth_[depth_] = 0;
      --depth_;
    }
  }
  return true;
}

bool ProgrammePageReader::onText(const std::string& text) {
  if (!inGrid() || depth_ < 3 || !cell_) return true;
  if (splitPending_) {
    splitPending_ = false;
    if (!splitCell()) return false;
  }
  if (cell_->number == 0) {
    // The first text is the hour or the start; drawn in the cell's own
    // colour it is hidden on the page and dropped here too.
    cell_->number = -1;
    if (fontColour_ != cellBackground_) cell_->timeText = text;
    return true;
  }
  bool bracketed = bold_ && !(cell_->timeText.empty() && cell_->body.empty());
  if (bracketed) cell_->body += kBoldOpen;
  cell_->body += text;
  if (bracketed) cell_->body += kBoldClose;
  return true;
}

bool ProgrammePageReader::startCell(int span) {
  ProgrammeCell* cell = table_->newCell(span);
  cell_ = cell;
  splitPending_ = false;
  cell->background = cellBackground_;
  // Skip positions taken by the rowspan of an earlier row.
  while (table_->isOccupied(column_, row_)) ++column_;
  return placeRows(cell, row_, span);
}

// Text after a "registration" image belongs to a second programme, which
// takes every row of the cell but its first.
bool ProgrammePageReader::splitCell() {
  int span = cell_->rowSpan;
  cell_->rowSpan = 1;
  ProgrammeCell* cell = table_->newCell(span - 1);
  cell_ = cell;
  cell->background = cellBackground_;
  return placeRows(cell, row_ + 1, span - 1);
}

bool ProgrammePageReader::placeRows(ProgrammeCell* cell, int firstRow, int count) {
  if (column_ >= kMaxPageColumns || static_cast<std::int64_t>(firstRow) + count > kMaxPageRows) {
    tooLarge_ = true;
    return false;
  }
  if (count > 0) table_->placeCellRows(column_, firstRow, count, cell);
  return true;
}
