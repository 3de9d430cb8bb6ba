#include "webguide/watch_page.h"

#include "listing/export_text.h"
#include "os/text.h"
#include "webguide/search_page.h"

std::string watchPage(const std::vector<WatchPageEntry>& entries, const PageClock& clock, const PageTexts& texts) {
  PageHead head;
  head.title = "Rokuban: watch";
  std::string out = pageStart(head, clock, texts);
  if (entries.empty()) {
    out += "<p class=\"msg\">";
    appendXmlText(out, texts.noWatchEntries);
    return out + "</p>" + pageEnd(texts);
  }
  for (const WatchPageEntry& entry : entries) {
    out += "<h2 class=\"jump\">";
    appendXmlText(out, filledIn(texts.watchEntry, std::to_string(entry.number)));
    out += ": <a href=\"/search?q=" + percentEncoded(os::cp932ToUtf8(entry.query)) + "\">";
    appendXmlText(out, entry.query);
    out += "</a></h2>";
    if (entry.matches.empty()) {
      out += "<p class=\"msg\">";
      appendXmlText(out, texts.watchNothing);
      out += "</p>";
      continue;
    }
    out += "<ol class=\"hits\">";
    for (std::size_t i = 0; i < entry.matches.size() && i < kMaxListedMatches; ++i) {
      appendMatchLine(out, entry.matches[i], texts);
    }
    out += "</ol>";
  }
  return out + pageEnd(texts);
}
