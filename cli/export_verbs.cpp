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

const CliOption kChannel{"--channel", OptionKind::Text, "only this channel (repeatable)"};
const CliOption kOut{"--out", OptionKind::Text, "write this file instead of standard output"};

bool takeRange(VerbOptions& options, ListingRange& range) {
  if (!takeListingDays(options, range)) return false;
  range.channels = options.texts(kChannel);
  for (const std::string& channel : range.channels) {
    if (channel.empty()) return false;
  }
  return true;
}

int runExport(CliContext& context) {
  std::vector<std::string>& args = context.args;
  VerbOptions options(context);
  ListingRange range = defaultListingRange(currentDateTime());
  std::string out;
  const bool hasOut = options.text(kOut, out);
  if (!takeRange(options, range) || args.size() != 1 || (hasOut && out.empty()) ||
      (args[0] != "xmltv" && args[0] != "json")) {
    return usageError(context, "export");
  }
  range.loadsAhead = true;
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
     {kFromOption, kDaysOption, kChannel, kOut}, "export xmltv --out /srv/tv/guide.xml", kReadsOnly});

}  // namespace
