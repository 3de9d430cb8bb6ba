// Verbs "crawl", "delete-all" and "delete-old": keeping the guide cache up
// to date from a scheduler, without a window.
#include <cstdio>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_progress.h"
#include "cli/watch_change_report.h"
#include "cli/watch_report.h"
#include "guide/guide_cache.h"
#include "os/interrupt.h"
#include "tuner/tuner_source.h"
#include "xmltv/xmltv_source.h"

namespace {

// The section a crawl may change: the session cookie and the area.
StringMap configSection(SettingsStore& settings) {
  return settings.hasSection("_config") ? settings.section("_config") : StringMap();
}

// Out of the box the guide service is a placeholder that never answers:
// rather than a minute and a half of retries, say where a guide comes from.
int refuseWithoutGuideSource() {
  std::fprintf(stderr, "rokuban-cli: no guide source is set: set xmltvsource, see README \"Your own guide\"\n");
  return finishWithResult(-1);
}

const CliOption kRefresh{"--refresh", OptionKind::Number, "re-fetch today's and tomorrow's slots older than HOURS"};
const CliOption kRetries{"--retries", OptionKind::Number, "tries after the first failed one (default: 2)"};
const CliOption kRetryWait{"--retry-wait", OptionKind::Number, "seconds between tries (default: 30)"};

int runCrawl(CliContext& context) {
  VerbOptions options(context);
  // As typed, for the refusal: "07" is no day count either.
  std::string daysText = std::to_string(context.settings.unattendedDays());
  options.text(kDaysOption, daysText);
  int refreshHours = context.settings.refreshHours();
  const bool refreshAsked = options.number(kRefresh, refreshHours);
  DateTime now;
  if (!takeMoment(context, now)) return 2;
  const int days = parseLeadingInt(daysText);
  RetryPolicy retries;
  int retriesAfterFirst;
  if (options.number(kRetries, retriesAfterFirst)) retries.attempts = retriesAfterFirst + 1;
  options.number(kRetryWait, retries.waitSeconds);
  const int maxTime = takeMaxTime(options);
  if (!context.args.empty()) return usageError(context, "crawl");
  if (days < 0 || days > 6 || daysText.size() > 1) return argumentError("crawl", "--days wants 0-6, not " + daysText);
  if (refreshAsked && refreshHours <= 0) return argumentError("crawl", "--refresh wants 1 hour or more");
  if (retries.attempts < 1 || retries.attempts > 100) return argumentError("crawl", "--retries wants 0-99");
  if (!guideSourceIsSet(context.settings)) return refuseWithoutGuideSource();
  const StringMap before = configSection(context.settings);
  const Deadline deadline(maxTime);
  ConsoleProgress progress(context.quiet);
  progress.setDeadline(&deadline);
  const SettingsStore& settings = context.settings;
  const bool proxy = !settings.proxyServer().empty();
  // An XMLTV source or a tuner server stands in for the guide service and names its own host.
  if (settings.xmltvSource().empty() && settings.tunerServer().empty()) progress.setServer(proxy ? settings.proxyServer() + ":" + std::to_string(settings.proxyPort())
                           : settings.server() + ":" + std::to_string(settings.port()));
  GuideCache& cache = context.cache;
  cache.setRetryPolicy(retries);
  bool saved = true;
  int result = followWatchedProgrammes(
      context, now, [&] { return cache.crawl(crawlSourceFor(settings), now, days, progress, refreshHours); }, saved);
  // The crawl may have signed in or normalised the area; nothing else is
  // worth rewriting the file for.
  saved = (configSection(context.settings) == before || saveSettings(context)) && saved;
  // What the new guide brings of the watch list, before the result line
  // that ends the output; the window's own check reserves, this one never.
  // Its changes were printed as the crawl found them.
  WatchReport crawlReport;
  crawlReport.changes = false;
  if (result >= 0 && !deadline.reached() && os::interruptExitCode() == 0 &&
      reportWatchMatches(context, now, crawlReport).failed)
    saved = false;
  const int exitCode = finishRun(result, deadline, maxTime);
  return saved ? exitCode : 1;
}

int runDeleteAll(CliContext& context) {
  if (!context.args.empty()) return usageError(context, "delete-all");
  ConsoleProgress progress(context.quiet);
  return finishWithResult(context.cache.deleteAllPages(progress));
}

int runDeleteOld(CliContext& context) {
  DateTime now;
  if (!takeMoment(context, now)) return 2;
  if (!context.args.empty()) return usageError(context, "delete-old");
  ConsoleProgress progress(context.quiet);
  return finishWithResult(context.cache.deleteOldPages(now, progress));
}

const CliVerbRegistration kCrawl({"crawl",
                                  "crawl [--days N] [--refresh HOURS] [--now \"YYYY-MM-DD HH:MM\"] [--retries N] "
                                  "[--retry-wait SECONDS] [--max-time SECONDS]",
                                  runCrawl,
                                  "fetch the guide slots the cache lacks, then print the watch list's new matches",
                                  {kDaysOption.withHelp("days ahead besides today, 0-6 (default: setting date when "
                                                        "the file holds it, else 6)"),
                                   kRefresh, kNowOption, kRetries, kRetryWait, kMaxTimeOption},
                                  "--ini /srv/tv/Rokuban.ini crawl --days 6"});
const CliVerbRegistration kDeleteAll({"delete-all", "delete-all", runDeleteAll,
                                      "delete every page and table file of the cache", {}, "delete-all"});
const CliVerbRegistration kDeleteOld({"delete-old", "delete-old [--now \"YYYY-MM-DD HH:MM\"]", runDeleteOld,
                                      "delete the cache files outside the eight-day window", {kNowOption},
                                      "delete-old"});

}  // namespace
