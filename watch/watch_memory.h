// WatchMemory: the programmes the watch list has announced, and those its
// automatic entries have reserved, so that neither happens twice. Each is a
// settings section of "channel id/start=stop" lines (times YYYYMMDDHHMM,
// Japan time):
//   [watchannounced]
//   nhk-1a2b3c4d.tokyo.jp/202612072100=202612072200
// A programme is forgotten once it has ended, so the sections hold at most
// the coming week's matches.
//
// Beside them, for the entries with --new or --once, the episodes seen:
// "episode key hash=identity of the first airing announced or reserved"
// (episode_key.h), forgotten 120 days after that start, at most 20,000
// lines (the earliest starts go first): four months of 160 new episodes a
// day, a household's watched series at 200 services, in about a megabyte:
//   [watchseen]
//   3f9a0c1d2e4b5a67=bs1-5e6f7a8b.tokyo.jp/202612082100
//
// And the matches whose command (watch check --exec) failed, with the
// tries so far, until it succeeds or has failed kCommandTries times:
//   [watchfailed]
//   nhk-1a2b3c4d.tokyo.jp/202612072100=202612072200 2
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "listing/programme_record.h"

class SettingsStore;

extern const char kAnnouncedSection[];
extern const char kReservedSection[];
extern const char kSeenSection[];
extern const char kFailedSection[];
constexpr int kSeenDays = 120;
constexpr std::size_t kSeenLines = 20000;
constexpr int kCommandTries = 3;

// The identity of a programme across crawls: channel id + start.
std::string programmeIdentity(const ProgrammeRecord& record);
// A moment as the memories write it, "YYYYMMDDHHMM"; read back, -1 when
// the text is not one.
std::string compactMinute(GuideMinute minute);
GuideMinute readCompactMinute(const std::string& text);

bool isRemembered(const SettingsStore& settings, const char* section, const ProgrammeRecord& record);
// Notes the records in `section` and forgets every programme there that
// ended before `now`. Memory only: save the settings file afterwards.
void remember(SettingsStore& settings, const char* section, const std::vector<ProgrammeRecord>& records,
              GuideMinute now);

// The identity of the first airing seen of an episode (its key hash);
// empty when none is remembered.
std::string seenAiring(const SettingsStore& settings, const std::string& episodeHash);
// Notes each (episode hash, identity) not noted before and forgets what is
// older than the bounds allow. With nothing to note and no section yet,
// leaves the settings alone. How many the line cap made it forget, which
// a re-air of may be announced again.
std::size_t rememberSeen(SettingsStore& settings, const std::vector<std::pair<std::string, std::string>>& seen,
                  GuideMinute now);
// Notes one more failed try of the command for `record`: the tries so
// far. Forgets the failures of programmes that have ended.
int noteFailedTry(SettingsStore& settings, const ProgrammeRecord& record, GuideMinute now);
// The command for `record` succeeded, or was given up.
void forgetFailedTries(SettingsStore& settings, const ProgrammeRecord& record);

// The start an identity names; -1 when it names none.
GuideMinute identityStart(const std::string& identity);
// True when the airing of `identity` is `record`, perhaps moved: the same
// channel, the same broadcast day, the start at most a few hours away.
bool isSameAiring(const std::string& identity, const ProgrammeRecord& record);
