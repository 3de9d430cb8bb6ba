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
// (episode_key.h), forgotten 120 days after that start, at most 2000
// lines (the earliest starts go first):
//   [watchseen]
//   3f9a0c1d2e4b5a67=bs1-5e6f7a8b.tokyo.jp/202612082100
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
constexpr int kSeenDays = 120;
constexpr std::size_t kSeenLines = 2000;

// The identity of a programme across crawls: channel id + start.
std::string programmeIdentity(const ProgrammeRecord& record);
// A moment as the memories write it, "YYYYMMDDHHMM"; read back, -1 when
// the text is not one.
std::string compactMinute(ListingMinute minute);
ListingMinute readCompactMinute(const std::string& text);

bool isRemembered(const SettingsStore& settings, const char* section, const ProgrammeRecord& record);
// Notes the records in `section` and forgets every programme there that
// ended before `now`. Memory only: save the settings file afterwards.
void remember(SettingsStore& settings, const char* section, const std::vector<ProgrammeRecord>& records,
              ListingMinute now);

// The identity of the first airing seen of an episode (its key hash);
// empty when none is remembered.
std::string seenAiring(const SettingsStore& settings, const std::string& episodeHash);
// Notes each (episode hash, identity) not noted before and forgets what is
// older than the bounds allow. With nothing to note and no section yet,
// leaves the settings alone.
void rememberSeen(SettingsStore& settings, const std::vector<std::pair<std::string, std::string>>& seen,
                  ListingMinute now);
// The start an identity names; -1 when it names none.
ListingMinute identityStart(const std::string& identity);
// True when the airing of `identity` is `record`, perhaps moved: the same
// channel, the same broadcast day, the start at most a few hours away.
bool isSameAiring(const std::string& identity, const ProgrammeRecord& record);
