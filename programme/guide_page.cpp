// GuidePage: the page markup, row by row.
#include "programme/guide_page.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "programme/shift_jis_to_euc_jp.h"

namespace {

const char kRegistration[] = "\x93\x6f\x98\x5e";     // the registration image's alt
const char kGuideTitle[] = "\x94\xd4\x91\x67\x95\x5c";  // "programme table"

std::string hexColour(int colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%06X", colour & 0xFFFFFF);
  return text;
}

std::string number(const char* pattern, int value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

// Detail lines: each "\n" becomes a line break.
std::string detailMarkup(const std::string& detail) {
  std::string markup;
  std::size_t begin = 0;
  for (std::size_t end; (end = detail.find('\n', begin)) != std::string::npos; begin = end + 1) {
    markup += escapeText(detail.substr(begin, end - begin)) + "<br>";
  }
  return markup + escapeText(detail.substr(begin));
}

}  // namespace

std::string escapeText(const std::string& shiftJis) {
  // Byte-wise is safe: no trail byte of a double-byte character lies below 0x40.
  std::string escaped;
  for (char c : shiftJis) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

GuidePage::GuidePage(int startHour, int rowsPerHour, int hours)
    : startHour_(startHour), rowsPerHour_(rowsPerHour), hours_(hours) {}

int GuidePage::addChannel(const std::string& name) {
  channels_.push_back(name);
  return static_cast<int>(channels_.size()) - 1;
}

void GuidePage::addProgramme(const PageProgramme& programme) { programmes_.push_back(programme); }
void GuidePage::addProgramme(PageProgramme&& programme) { programmes_.push_back(std::move(programme)); }

// Each channel's cells from the top, covering every row exactly once.
std::vector<std::vector<GuidePage::Placed>> GuidePage::columns() const {
  const int rows = rowCount();
  std::vector<std::vector<Placed>> columns(channels_.size());
  std::vector<const PageProgramme*> sorted;
  for (const PageProgramme& programme : programmes_) sorted.push_back(&programme);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const PageProgramme* a, const PageProgramme* b) { return a->start < b->start; });
  std::vector<int> filled(channels_.size(), 0);
  for (const PageProgramme* programme : sorted) {
    if (programme->channel < 0 || programme->channel >= static_cast<int>(channels_.size())) continue;
    int first = programme->start * rowsPerHour_ / 60;
    int end = std::min(rows, (programme->start + programme->length) * rowsPerHour_ / 60);
    end = std::max(end, first + 1);
    int& top = filled[programme->channel];
    if (first < top || first >= rows) continue;
    if (first > top) columns[programme->channel].push_back({top, first - top, nullptr});
    columns[programme->channel].push_back({first, std::min(end, rows) - first, programme});
    top = std::min(end, rows);
  }
  for (std::size_t channel = 0; channel < columns.size(); ++channel) {
    if (filled[channel] < rows) columns[channel].push_back({filled[channel], rows - filled[channel], nullptr});
  }
  return columns;
}

void GuidePage::writeHeaderRow(std::string& page) const {
  page += "<tr><th width=\"40\" bgcolor=\"#DDDDDD\">&nbsp;</th>";
  for (std::size_t i = 0; i < channels_.size(); ++i) {
    page += "<th bgcolor=\"#DDDDDD\" width=\"120\" nowrap>";
    if (channels_[i].empty()) {
      page += "&nbsp;";
    } else {
      page += "<a href=\"/ch/" + number("%d", static_cast<int>(i) + 1) + "\"><img src=\"/logo/" +
              number("%03d", static_cast<int>(i) + 1) + ".gif\" width=\"60\" height=\"20\" border=0 alt=\"" +
              channels_[i] + "\"></a><br><font size=\"-1\">" + escapeText(channels_[i]) + "</font>";
    }
    page += "</th>";
  }
  page += "</tr>\n";
}

void GuidePage::writeCell(std::string& page, const Placed& cell) const {
  const PageProgramme* programme = cell.programme;
  if (!programme) {
    page += "<td rowspan=\"" + number("%d", cell.rows) + "\" bgcolor=\"#FFFFFF\">&nbsp;</td>\n";
    return;
  }
  const std::string colour = hexColour(programme->colour);
  page += "<td rowspan=\"" + number("%d", cell.rows) + "\" bgcolor=\"" + colour + "\" valign=\"top\">";
  page += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"1\"><tr>";
  page += "<td valign=\"top\" width=\"16\">";
  switch (programme->style) {
    case StartStyle::Minute:
      page += "<font color=\"#333333\">" + number("%02d", programme->start % 60) + "</font>";
      break;
    case StartStyle::Clock:
      page += "<font color=\"" + colour + "\">.</font>";
      break;
    case StartStyle::Hidden:
      page += "<font color=\"" + colour + "\">.</font>";
      break;
  }
  page += "</td><td valign=\"top\"><font color=\"#000000\">";
  if (programme->style == StartStyle::Clock) page += programme->clock + "&nbsp;";
  page += "<b>" + escapeText(programme->title) + "</b>";
  if (!programme->detail.empty()) page += "<br>\n" + detailMarkup(programme->detail);
  for (const std::string& mark : programme->marks) page += "<img src=\"/img/mark.gif\" alt=\"" + mark + "\">";
  if (programme->registration || programme->splitMinute >= 0) {
    page += "<a href=\"/reserve\"><img src=\"/img/rec.gif\" border=0 alt=\"";
    page += kRegistration;
    page += "\"></a>";
  }
  if (programme->splitMinute >= 0) {
    page += "<font color=\"#333333\">" + number("%02d", programme->splitMinute) + "</font> <b>" +
            escapeText(programme->splitTitle) + "</b>";
  }
  page += "</font></td></tr></table></td>\n";
}

std::string GuidePage::shiftJis() const {
  std::string page;
  page.reserve(4096 + programmes_.size() * 400 + channels_.size() * 200);
  page += "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">\n";
  page += std::string("<title>") + kGuideTitle + "</title>\n<!-- programme table -->\n</head>\n";
  page += "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000CC\">\n";
  page += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>\n";
  page += "<table width=\"100%\" border=\"0\"><tr><td><b>" + (heading_.empty() ? kGuideTitle : heading_) +
          "</b> " + number("%02d:00", startHour_) + "&nbsp;&nbsp;<a href=\"?prev\">&lt;&lt;</a> | " +
          "<a href=\"?next\">&gt;&gt;</a></td></tr></table>\n";
  page += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
  writeHeaderRow(page);
  const std::vector<std::vector<Placed>> cells = columns();
  std::vector<std::size_t> next(cells.size(), 0);
  for (int row = 0; row < rowCount(); ++row) {
    page += "<tr>";
    if (row % rowsPerHour_ == 0) {
      page += "<td rowspan=\"" + number("%d", rowsPerHour_) +
              "\" bgcolor=\"#FFCC66\" align=\"center\" valign=\"top\"><table border=\"0\"><tr><td>"
              "<font color=\"#663300\"><b>" +
              number("%d", startHour_ + row / rowsPerHour_) + "</b></font></td></tr></table></td>\n";
    }
    for (std::size_t channel = 0; channel < cells.size(); ++channel) {
      if (next[channel] < cells[channel].size() && cells[channel][next[channel]].row == row) {
        writeCell(page, cells[channel][next[channel]++]);
      }
    }
    page += "</tr>\n";
  }
  writeHeaderRow(page);
  page += "</table>\n</td></tr></table>\n";
  page += "<table width=\"100%\"><tr><td align=\"center\"><font size=\"-1\">&copy; guide</font></td></tr></table>\n";
  page += "</body>\n</html>\n";
  return page;
}

std::string GuidePage::eucJp() const { return shiftJisToEucJp(shiftJis()); }
