// Verb "reserve": the recorder's reserves (setting "recorder"): add one for
// a programme of the cached guide, list them with their conflicts, cancel
// one. Refusals are said in English with what the recorder answered.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/channel_choice.h"
#include "cli/cli.h"
#include "guide/guide_cache.h"
#include "listing/export_text.h"
#include "listing/json_writer.h"
#include "listing/listing.h"
#include "os/text.h"
#include "recorder/recorder_client.h"
#include "recorder/recorder_reservations.h"
#include "search/match_line.h"

namespace {

// "YYYY-MM-DDTHH:MM", Japan time.
bool parseStart(const std::string& text, DateTime& moment) {
  int year, month, day, hour, minute;
  char end;
  // Written whole, as the guide writes times: "21:9" is no time.
  if (text.size() != 16 || text[10] != 'T' || text[13] != ':') return false;
  if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d%c", &year, &month, &day, &hour, &minute, &end) != 5) return false;
  CalendarDate date;
  if (!parseIsoDate(text.substr(0, 10), date) || hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
  moment = DateTime{year, month, day, hour, minute};
  return true;
}

int failWith(const std::string& problem) {
  printError("rokuban-cli: reserve: " + problem + "\n");
  return 1;
}

// What the recorder was asked, for the wording of its answer.
enum class RecorderCall { List, Cancel };

std::string outcomeLine(const RecorderResult& result, RecorderCall call) {
  std::string line = recorderOutcomeEnglish(result.outcome, call == RecorderCall::Cancel);
  if (!result.answer.empty()) line += " (" + result.answer + ")";
  return line;
}

// The guide's channel names by their ids, over the days the reserves cover.
std::vector<ListingChannel> channelsOf(CliContext& context, const std::vector<RecorderReserve>& reserves) {
  if (reserves.empty()) return {};
  int first = broadcastDayOf(guideMinuteOfMilliseconds(reserves[0].startAt)), last = first;
  for (const RecorderReserve& reserve : reserves) {
    const int day = broadcastDayOf(guideMinuteOfMilliseconds(reserve.startAt));
    first = std::min(first, day);
    last = std::max(last, day);
  }
  ListingRange range;
  range.from = dateFromDayNumber(first);
  range.days = std::min(last - first + 1, kMostListingDays);
  return collectListing(context.cache, range).channels;
}

const CliOption kChannel{"--channel", OptionKind::Text, "add: the channel, as show --channel takes it"};
const CliOption kStart{"--start", OptionKind::Text, "add: the programme's start, YYYY-MM-DDTHH:MM (Japan time)"};
const CliOption kJson{"--json", OptionKind::Flag, "print JSON"};

int addReserve(CliContext& context, RecorderClient& client, bool json) {
  VerbOptions options(context);
  std::string channelName, startText;
  const bool hasChannel = options.text(kChannel, channelName);
  const bool hasStart = options.text(kStart, startText);
  if (!hasChannel || !hasStart || !context.args.empty()) return usageError(context, "reserve");
  DateTime start;
  if (!parseStart(startText, start)) return argumentError("reserve", "--start wants YYYY-MM-DDTHH:MM, not " + startText);
  ListingRange range;
  range.from = dateFromDayNumber(broadcastDayNumber(start));
  range.days = 1;
  const Listing listing = collectListing(context.cache, range);
  std::vector<std::string> names;
  for (const ListingChannel& channel : listing.channels) names.push_back(channel.name);
  const int chosen = chooseChannelName(names, channelName);
  if (chosen < 0) return 1;
  const GuideMinute minute = guideMinuteOf(start);
  const ProgrammeRecord* found = nullptr;
  for (const ProgrammeRecord& record : listing.programmes)
    if (record.channel == names[chosen] && record.start == minute) found = &record;
  if (!found) return failWith("no programme of " + names[chosen] + " starts at " + startText);
  ReserveRequest request;
  RecorderResult result;
  if (!reserveRequestOf(*found, request)) result.outcome = RecorderOutcome::NoChannelId;
  else result = client.add(request);
  if (json) {
    std::string out = "{\"outcome\": ";
    appendJsonString(out, recorderOutcomeEnglish(result.outcome));
    out += ", \"reserveId\": " + std::to_string(result.reserveId) + ", \"answer\": ";
    appendJsonString(out, result.answer);
    out += ", \"programme\": ";
    appendProgrammeJson(out, *found);
    printOut(os::utf8ToCp932(out) + "}\n");
  } else if (isReserved(result.outcome)) {
    const std::string id = result.reserveId > 0 ? " #" + std::to_string(result.reserveId) : std::string();
    printOut(recorderOutcomeEnglish(result.outcome) + id + ": " + visibleLine(matchLine(*found)) + "\n");
  }
  if (isReserved(result.outcome)) return 0;
  if (!json) printError("rokuban-cli: reserve: " + visibleLine(refusalLine({*found, result}, true, listing.channels)) + "\n");
  return 1;
}

int listReserves(CliContext& context, RecorderClient& client, bool json) {
  if (!context.args.empty()) return usageError(context, "reserve");
  std::vector<RecorderReserve> reserves;
  const RecorderResult result = client.list(reserves);
  if (result.outcome != RecorderOutcome::Done) return failWith(outcomeLine(result, RecorderCall::List));
  const std::vector<ListingChannel> channels = channelsOf(context, reserves);
  if (!json) {
    for (const RecorderReserve& reserve : reserves)
      printOut(visibleLine(reserveLine(reserve, guideChannelName(channels, reserve.channelId))) + "\n");
    return 0;
  }
  std::string out = "[";
  for (std::size_t i = 0; i < reserves.size(); ++i) {
    const RecorderReserve& r = reserves[i];
    out += std::string(i ? ",\n" : "\n") + "{\"id\": " + std::to_string(r.id);
    // A time-specified reserve has no programme id; a channel the guide lacks, no name.
    if (r.programId > 0) out += ", \"programId\": " + std::to_string(r.programId);
    out += ", \"channelId\": " + std::to_string(r.channelId);
    const std::string channel = guideChannelName(channels, r.channelId);
    if (!channel.empty()) {
      out += ", \"channel\": ";
      appendJsonString(out, channel);
    }
    out += ", \"start\": ";
    appendJsonString(out, isoJapanTime(guideMinuteOfMilliseconds(r.startAt)));
    out += ", \"stop\": ";
    appendJsonString(out, isoJapanTime(guideMinuteOfMilliseconds(r.endAt)));
    out += ", \"name\": ";
    appendJsonString(out, r.name);
    out += std::string(", \"isConflict\": ") + (r.isConflict ? "true" : "false") +
           ", \"isSkip\": " + (r.isSkip ? "true" : "false") + ", \"isTimeSpecified\": " +
           (r.isTimeSpecified ? "true" : "false") + "}";
  }
  printOut(os::utf8ToCp932(out + "\n]\n"));
  return 0;
}

int cancelReserve(CliContext& context, RecorderClient& client, bool json) {
  const std::vector<std::string>& args = context.args;
  if (args.size() != 1 || args[0].empty() || args[0].size() > 15 ||
      args[0].find_first_not_of("0123456789") != std::string::npos)
    return usageError(context, "reserve");
  const RecorderResult result = client.cancel(std::stoll(args[0]));
  const bool done = result.outcome == RecorderOutcome::Done;
  if (json) {
    std::string out = "{\"outcome\": ";
    appendJsonString(out, recorderOutcomeEnglish(result.outcome, true));
    if (result.keptSkipped) out += ", \"skipped\": true";
    printOut(out + ", \"reserveId\": " + args[0] + "}\n");
  } else if (result.keptSkipped) {
    printOut("skipped #" + args[0] + ": a rule's reserve, kept by the recorder but not recorded\n");
  } else if (done) {
    printOut("cancelled #" + args[0] + "\n");
  }
  if (!done && !json) return failWith("#" + args[0] + ": " + outcomeLine(result, RecorderCall::Cancel));
  return done ? 0 : 1;
}

int runReserve(CliContext& context) {
  std::vector<std::string>& args = context.args;
  const std::string action = args.empty() ? "" : args[0];
  if (!args.empty()) args.erase(args.begin());
  const bool json = VerbOptions(context).flag(kJson);
  if (action != "add" && action != "list" && action != "cancel") return usageError(context, "reserve");
  const std::string recorder = context.settings.recorder();
  if (recorder.empty()) return failWith("no recorder is set: set recorder to the recorder's http:// base URL");
  RecorderClient client(recorder, context.cache.clock());
  if (action == "add") return addReserve(context, client, json);
  if (action == "list") return listReserves(context, client, json);
  return cancelReserve(context, client, json);
}

const CliVerbRegistration kReserve(
    {"reserve", "reserve add --channel NAME --start YYYY-MM-DDTHH:MM | list | cancel ID [--json]", runReserve,
     "place, list (conflicts marked) or cancel the recorder's reserves",
     {kChannel, kStart, kJson}, "reserve add --channel NHK --start 2026-12-08T20:00", kReadsOnly});

}  // namespace
