// GuidePage: writes one programme-table page of the guide service, for
// tests, benchmarks and the demo guide service. The page has the service's
// shape: an outer table whose second nested table is the grid; a header row
// of channel logos (the name in `alt`), repeated as the footer; an hour
// column; one cell per programme with `rowspan` and `bgcolor`, holding a
// nested table with the start minute, the bold title, detail lines (`br`),
// "[..]" mark images and optionally a "registration" image; entity
// references in the text; and `</html>` at the end. The service sends it
// in EUC-JP; all texts given here are Shift-JIS. The XMLTV import makes
// its slots into such pages too, so they read exactly as the service's.
//
//   GuidePage page(17);                  // the 17:00-21:00 slot
//   int news = page.addChannel(name);
//   page.addProgramme({news, 0, 30, title, detail});
//   std::string bytes = page.eucJp();
#pragma once

#include <string>
#include <vector>

class ProgrammeTable;

// How a programme's start appears in its cell.
enum class StartStyle {
  Minute,  // the minute alone, first in the cell (the usual way)
  Clock,   // a mark in the cell's own colour, then "HH:MM" before the title
           // (programmes that began in an earlier slot)
  Hidden,  // a mark in the cell's own colour and no time at all
};

struct PageProgramme {
  int channel = 0;   // index returned by addChannel
  int start = 0;     // minutes after the slot's first hour
  int length = 30;   // minutes; cut at the end of the slot
  std::string title;   // Shift-JIS, written bold
  std::string detail;  // Shift-JIS; "\n" starts a new line (br)
  int colour = 0xFFFFFF;              // the cell's bgcolor, 0xRRGGBB
  std::vector<std::string> marks;     // alt texts of mark images, "[..]"
  StartStyle style = StartStyle::Minute;
  std::string clock;                  // for StartStyle::Clock: "HH:MM"
  bool registration = false;          // a "registration" image ends the cell
  // A second programme written in the same cell after the registration
  // image (the reader splits the cell there); none while splitMinute < 0.
  int splitMinute = -1;
  std::string splitTitle;
};

class GuidePage {
 public:
  // The slot starting at `startHour` (5, 9, ..., 25) of `hours` hours,
  // `rowsPerHour` grid rows to the hour.
  explicit GuidePage(int startHour, int rowsPerHour = 60, int hours = 4);

  // Adds a channel column; an empty name gives a header without a logo.
  int addChannel(const std::string& name);
  // Rows a programme does not cover are written as empty cells; a programme
  // that overlaps an earlier one of its channel is left out.
  void addProgramme(const PageProgramme& programme);
  void addProgramme(PageProgramme&& programme);
  // Heading text above the grid (Shift-JIS); markup is not escaped.
  void setHeading(const std::string& heading) { heading_ = heading; }

  int startHour() const { return startHour_; }
  int rowsPerHour() const { return rowsPerHour_; }
  int rowCount() const { return rowsPerHour_ * hours_; }  // grid rows without header and footer
  const std::vector<std::string>& channels() const { return channels_; }

  // The page in Shift-JIS, and as the service sends it.
  std::string shiftJis() const;
  std::string eucJp() const;
  // The table readPage makes of eucJp(), built without the page; false for
  // a page only the reader can tell (registration images, split cells,
  // quotes in an alt text) or one it would refuse.
  bool buildTable(ProgrammeTable& table) const;

 private:
  struct Placed {
    int row, rows;
    const PageProgramme* programme;  // null for an empty cell
  };
  std::vector<std::vector<Placed>> columns() const;
  void writeHeaderRow(std::string& page) const;
  void writeCell(std::string& page, const Placed& cell) const;
  void placeHeaderRow(ProgrammeTable& table, std::size_t row) const;

  int startHour_;
  int rowsPerHour_;
  int hours_;
  std::string heading_;
  std::vector<std::string> channels_;
  std::vector<PageProgramme> programmes_;
};

// Escapes text for the page: & < > " as entity references.
std::string escapeText(const std::string& shiftJis);
