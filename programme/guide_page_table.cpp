// GuidePage::buildTable: the cells the page reader would take from the
// page, placed directly; finishPage then does what it does for a read page.
#include "programme/guide_page.h"

#include <algorithm>

#include "programme/programme_page_reader.h"
#include "programme/programme_table.h"

namespace {

const char kBoldOpen[] = "\x81\x79";
const char kBoldClose[] = "\x81\x7A";
const int kHeaderColour = 0xDDDDDD;
const int kHourColour = 0xFFCC66;
const int kMinuteColour = 0x333333;

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// What survives the trip to EUC-JP and back: a byte EUC-JP has no place
// for becomes '?'.
std::string throughEucJp(const std::string& shiftJis) {
  std::string kept;
  kept.reserve(shiftJis.size());
  std::size_t run = 0;  // where the bytes kept as they are begin
  for (std::size_t i = 0; i < shiftJis.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(shiftJis[i]);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
    if (isLead(c) && i + 1 < shiftJis.size() && isTrail(static_cast<unsigned char>(shiftJis[i + 1]))) {
      ++i;
      continue;
    }
    kept.append(shiftJis, run, i - run).push_back('?');
    run = i + 1;
  }
  return kept.append(shiftJis, run, std::string::npos);
}

// Appends text[begin, end) as the reader takes it from a cell: what
// survives EUC-JP (see throughEucJp), white (any byte up to the space)
// trimmed and each inner run one space. The entity references the page
// writes decode back to the bytes escaped. In runs, without copies: every
// line of every description passes here.
void appendReadText(std::string& out, const std::string& text, std::size_t begin, std::size_t end) {
  const auto byteAt = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  bool first = true;
  for (std::size_t i = begin;;) {
    while (i < end && byteAt(i) <= 0x20) ++i;
    if (i == end) return;
    if (!first) out += ' ';
    first = false;
    std::size_t run = i;
    while (i < end && byteAt(i) > 0x20) {
      const unsigned char c = byteAt(i);
      if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
        ++i;
      } else if (isLead(c) && i + 1 < end && isTrail(byteAt(i + 1))) {
        i += 2;
      } else {
        out.append(text, run, i - run).push_back('?');
        run = ++i;
      }
    }
    out.append(text, run, i - run);
  }
}

std::string readText(const std::string& shiftJis) {
  std::string text;
  appendReadText(text, shiftJis, 0, shiftJis.size());
  return text;
}

// A clock is written as it is, unescaped: one of white, markup or
// references would read otherwise than mirrored here.
bool isPlainClock(const std::string& clock) {
  for (char c : clock) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == '<' || c == '>' || c == '&' || c == '"') return false;
  }
  return true;
}

// Only what the reader does with the features below is mirrored here.
bool isBuildable(const PageProgramme& programme) {
  if (programme.registration || programme.splitMinute >= 0) return false;
  if (programme.style == StartStyle::Clock && !isPlainClock(programme.clock)) return false;
  for (const std::string& mark : programme.marks) {
    if (mark.find('"') != std::string::npos || (!mark.empty() && mark[0] != '[')) return false;
  }
  return true;
}

ProgrammeCell* placedCell(ProgrammeTable& table, std::size_t column, std::size_t row, int rows, int background) {
  ProgrammeCell* cell = table.newCell(rows);
  cell->background = background;
  table.placeCellRows(column, row, static_cast<std::size_t>(rows), cell);
  return cell;
}

// The texts of a programme's cell in the order the page gives them; the
// first text (minute or hidden mark) sets number to -1.
void fillProgramme(ProgrammeCell& cell, const PageProgramme& programme, int background) {
  cell.number = -1;
  if (programme.style == StartStyle::Minute && background != kMinuteColour) {
    cell.timeText = programme.start % 60 < 10 ? "0" + std::to_string(programme.start % 60)
                                              : std::to_string(programme.start % 60);
  }
  if (programme.style == StartStyle::Clock) cell.body = readText(programme.clock) + " ";
  const std::string title = readText(programme.title);
  if (!title.empty()) {
    const bool bracketed = !(cell.timeText.empty() && cell.body.empty());
    cell.body += bracketed ? kBoldOpen + title + kBoldClose : title;
  }
  if (!programme.detail.empty()) {
    const std::string& detail = programme.detail;
    cell.body.reserve(cell.body.size() + detail.size() + 8);
    for (std::size_t begin = 0, end;; begin = end + 1) {
      end = std::min(detail.find('\n', begin), detail.size());
      cell.body += "\r\n";
      appendReadText(cell.body, detail, begin, end);
      if (end == detail.size()) break;
    }
  }
  for (const std::string& mark : programme.marks) cell.body += throughEucJp(mark);
}

}  // namespace

void GuidePage::placeHeaderRow(ProgrammeTable& table, std::size_t row) const {
  placedCell(table, 0, row, 1, kHeaderColour);
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    placedCell(table, i + 1, row, 1, kHeaderColour)->body = throughEucJp(channels_[i]);
  }
}

bool GuidePage::buildTable(ProgrammeTable& table) const {
  table.clear();
  if (static_cast<int>(channels_.size()) + 1 > kMaxPageColumns || rowCount() + 2 > kMaxPageRows) return false;
  for (const std::string& name : channels_) {
    if (name.find('"') != std::string::npos) return false;
  }
  for (const PageProgramme& programme : programmes_) {
    if (!isBuildable(programme)) return false;
  }
  placeHeaderRow(table, 0);
  for (int hour = 0; hour < hours_; ++hour) {
    ProgrammeCell* cell = placedCell(table, 0, 1 + static_cast<std::size_t>(hour * rowsPerHour_), rowsPerHour_, kHourColour);
    cell->number = -1;
    cell->timeText = std::to_string(startHour_ + hour);
  }
  const std::vector<std::vector<Placed>> cells = columns();
  for (std::size_t channel = 0; channel < cells.size(); ++channel) {
    for (const Placed& placed : cells[channel]) {
      const int background = placed.programme ? placed.programme->colour & 0xFFFFFF : 0xFFFFFF;
      ProgrammeCell* cell = placedCell(table, channel + 1, 1 + static_cast<std::size_t>(placed.row), placed.rows, background);
      if (placed.programme) fillProgramme(*cell, *placed.programme, background);
    }
  }
  placeHeaderRow(table, 1 + static_cast<std::size_t>(rowCount()));
  return table.finishPage();
}
