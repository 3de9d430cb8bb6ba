// WatchAnnouncement: what the notification-area balloon says after a check
// of the watch list, and which matches go to the recording tool. At most
// one balloon per check; none when nothing is new and nothing was reserved.
#pragma once

#include <string>
#include <vector>

#include "listing/programme_record.h"

struct RecorderRefusal;
struct WatchChange;
struct WatchCheck;
class SettingsStore;

struct WatchAnnouncement {
  std::string title;  // "ウォッチ: 3件の新しい番組", at most kBalloonTitleBytes - 1 bytes
  std::string text;   // the first titles one a line, then the reservations; kBalloonTextBytes - 1 at most
  int count = 0;      // new matches
  int reserved = 0;   // handed to the recording tool
  int changed = 0;    // watched programmes whose time changed
};

// The balloon's two texts (the shell's fixed buffers, with the closing zero).
constexpr std::size_t kBalloonTitleBytes = 64;
constexpr std::size_t kBalloonTextBytes = 256;
// Titles named in the balloon; the rest are only counted.
constexpr std::size_t kBalloonTitles = 3;

// False when there is nothing to announce.
bool watchAnnouncement(const std::vector<ProgrammeRecord>& fresh, int reserved, WatchAnnouncement& out);

// Tells of the watched programmes whose time changed (moved, extended or
// cancelled) in the same balloon: its title is then theirs, its text their
// titles before what `out` said of new matches. `renewed` reservations were
// handed over again with their new times; the old ones stay in the
// recording tool's list, which its interface cannot cancel. False, leaving
// `out` alone, when no time changed.
bool addWatchChanges(const std::vector<WatchChange>& changes, int renewed, WatchAnnouncement& out);

// The reserved programmes that moved or were extended, as they are now:
// to be reserved again.
std::vector<ProgrammeRecord> movedReservations(const std::vector<WatchChange>& changes, const SettingsStore& settings);

// The recorder's refusals of this check, after what `out` says, one a line
// with the recorder's reason in Japanese; their own title when `out` says
// nothing yet ("ウォッチ: 2件を予約できません"). False when there are none.
bool addRecorderRefusals(const std::vector<RecorderRefusal>& refusals, WatchAnnouncement& out);

// The automatic entries' matches that go to the recording tool: all of
// them when it lies beside the program, none otherwise (they stay
// unreserved, to be handed over once it is there).
std::vector<ProgrammeRecord> matchesToReserve(const WatchCheck& check, bool companionInstalled);

// `text` cut to fewer than `bytes` bytes, never inside a double-byte
// character.
std::string fitShiftJis(const std::string& text, std::size_t bytes);
