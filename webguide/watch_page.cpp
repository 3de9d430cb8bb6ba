#include "webguide/watch_page.h"

#include "listing/export_text.h"
#include "os/text.h"
#include "search/match_line.h"
#include "watch/change_line.h"
#include "webguide/search_page.h"

namespace {

// The matches an entry lists; its heading links to the search, which has them all.
constexpr std::size_t kMaxListedMatches = 500;

void appendChanges(std::string& out, const std::vector<RememberedChange>& changes, const Listing& listing,
                   const PageTexts& texts) {
  if (changes.empty()) return;
  out += "<h2 class=\"jump\">";
  appendXmlText(out, texts.watchChanges);
  out += "</h2><ul class=\"changes\">";
  for (const RememberedChange& change : changes) {
    const ProgrammeRecord now = airingNowOf(change, listing);
    out += "<li>";
    appendXmlText(out, changeLine(texts.changeKinds[static_cast<int>(change.kind)], firstAiringOf(change, listing),
                                  airsAtOtherTimes(change.kind) ? &now : nullptr));
    out += "</li>";
  }
  out += "</ul>";
}

}  // namespace

std::string watchPage(const std::vector<WatchPageEntry>& entries, const std::vector<RememberedChange>& changes,
                      const Listing& listing, const PageClock& clock, const PageTexts& texts) {
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
      const std::string first = i < entry.firstAirings.size() ? entry.firstAirings[i] : std::string();
      appendMatchLine(out, entry.matches[i], texts, first.empty() ? first : filledIn(texts.reairOf, identityStartText(first)));
    }
    out += "</ol>";
  }
  appendChanges(out, changes, listing, texts);
  return out + pageEnd(texts);
}
