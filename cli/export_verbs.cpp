// Verb "export": the cached guide of a range of broadcast days as XMLTV or
// as JSON programme records, for media centres and scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "bytes/string_map.h"
#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/listing_gaps.h"
#include "guide/guide_cache.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "listing/xmltv_file.h"
#include "listing/xmltv_writer.h"
#include "os/standard_stream.h"

namespace {

bool takeRange(CliContext& context, ListingRange& range) {
  std::vector<std::string>& args = context.args;
  if (!takeListingDays(args, range)) return false;
  std::string channel;
  while (takeOption(args, "--channel", &channel)) {
    if (channel.empty()) return false;
    range.channels.push_back(channel);
  }
  return true;
}

int runExport(CliContext& context) {
  std::vector<std::string>& args = context.args;
  ListingRange range = defaultListingRange(currentDateTime());
  std::string out;
  const bool hasOut = takeOption(args, "--out", &out);
  if (!takeRange(context, range) || args.size() != 1 || (hasOut && out.empty()) ||
      (args[0] != "xmltv" && args[0] != "json")) {
    return usageError(context, "export");
  }
  const Listing listing = collectListing(context.cache, range);
  reportListingGaps(listing, range);
  if (listing.missingDays.size() == static_cast<std::size_t>(range.days)) {
    std::fprintf(stderr, "rokuban-cli: the cache %s holds none of these days\n",
                 context.settings.directory().c_str());
    return 1;
  }
  // A guide without the channels asked for would only replace a good file.
  if (!channelsNotFound(listing, range).empty()) {
    std::fprintf(stderr, "rokuban-cli: nothing exported; 'channels' lists the names\n");
    return 1;
  }
  const std::string document = args[0] == "xmltv" ? xmltvDocument(listing) : programmesJson(listing);
  if (!hasOut) {
    os::writeStandard(os::StandardStream::Output, document);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!writeFileAtomically(out, document)) {
    printFileFailure("write", out);
    return 1;
  }
  return 0;
}

const CliVerbRegistration kExport(
    {"export", "export xmltv|json [--from YYYY-MM-DD] [--days N] [--channel NAME]... [--out FILE]", runExport,
     "write the cached guide as XMLTV or JSON programme records",
     {{"--from", OptionKind::Text, "the first broadcast day (default: today)"},
      {"--days", OptionKind::Number, "how many days, 1-31 (default: 7)"},
      {"--channel", OptionKind::Text, "only this channel (repeatable)"},
      {"--out", OptionKind::Text, "write this file instead of standard output"}},
     "export xmltv --out /srv/tv/guide.xml", kReadsOnly});

}  // namespace
