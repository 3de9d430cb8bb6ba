// ProgrammeExtras: what an imported XMLTV document says beyond what a table
// file can hold (a programme's sub-title, episode numbers and the new,
// previously-shown and subtitles marks; each channel's id in the document;
// the stop of one running past the last imported day; a tuner server's
// ids, genre classes, extended texts, series numbers and channel types; the
// later kinds on lines of their own that readers before them pass over),
// kept beside the slot's table as "%06dtb.xtr", keyed by channel name and
// start. The file carries the stamp of the table it was written with (size
// and a hash of the bytes), so a table written again by a refresh or a sync
// leaves the extras unused rather than wrong.
#pragma once

#include <map>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "listing/programme_record.h"

class FileSystem;
class GuideCache;
class ProgrammeTable;
struct ProgrammeCell;

// A larger file is not read: no slot of a guide comes near it.
constexpr long kMaxProgrammeExtrasBytes = 4L * 1024 * 1024;
// Episode numbers kept per programme (one per numbering system, usually).
constexpr std::size_t kMaxEpisodeNumbers = 4;
// Genre classes kept per programme (a broadcast gives up to three).
constexpr std::size_t kMaxGenreClasses = 4;

struct ProgrammeExtra {
  std::string subTitle;  // Shift-JIS, one line
  std::vector<EpisodeNumber> episodes;
  unsigned flags = 0;  // kFlagNew, kFlagRepeat, kFlagSubtitles
  // The programme's own stop where its table cuts it at the end of the last
  // imported day (no later table knows it); 0 otherwise.
  GuideMinute stop = 0;
  BroadcastDetails broadcast;

  bool empty() const { return describesNothing() && stop == 0 && broadcast.empty(); }
  // Nothing for the "p" line.
  bool describesNothing() const { return subTitle.empty() && episodes.empty() && flags == 0; }
};

// Orders entries as std::pair's < does, and finds one by a channel name
// it does not copy: every record of a week is looked up.
struct ChannelStartOrder {
  using is_transparent = void;
  using Key = std::pair<std::string, GuideMinute>;
  struct Probe {
    const std::string& channel;
    GuideMinute start;
  };
  bool operator()(const Key& a, const Key& b) const { return a < b; }
  bool operator()(const Key& a, const Probe& b) const {
    const int order = a.first.compare(b.channel);
    return order != 0 ? order < 0 : a.second < b.start;
  }
  bool operator()(const Probe& a, const Key& b) const {
    const int order = a.channel.compare(b.first);
    return order != 0 ? order < 0 : a.start < b.second;
  }
};
using ProgrammeExtraMap = std::map<ChannelStartOrder::Key, ProgrammeExtra, ChannelStartOrder>;

class ProgrammeExtras {
 public:
  // The first entry of a channel, or of a channel and start, is kept.
  // `type`: a tuner server's channel type ("GR"), empty for any other source.
  void addChannel(const std::string& name, const std::string& sourceId, const std::string& type = std::string());
  void addProgramme(const std::string& channel, GuideMinute start, const ProgrammeExtra& extra);
  // Replaces what is known of a channel and start.
  void setProgramme(const std::string& channel, GuideMinute start, const ProgrammeExtra& extra);
  // Null when none is known.
  const ProgrammeExtra* find(const std::string& channel, GuideMinute start) const;
  // Channel name to the document's id.
  const std::map<std::string, std::string>& sourceIds() const { return sourceIds_; }
  // Channel name to its type, for the channels a tuner server gave.
  const std::map<std::string, std::string>& channelTypes() const { return channelTypes_; }
  bool empty() const { return sourceIds_.empty() && programmes_.empty(); }

  // The file's text, for the table of `stamp`.
  std::string text(const std::string& stamp) const;
  // Adds the entries of `text` when it was written for `stamp`; false
  // (nothing added) when not, or when it is not such a file.
  bool addText(const std::string& text, const std::string& stamp);

 private:
  std::map<std::string, std::string> sourceIds_;
  std::map<std::string, std::string> channelTypes_;
  ProgrammeExtraMap programmes_;
  // The starts programmes_ holds: most records of a week have no extras,
  // and a start the set lacks answers find without comparing names.
  std::unordered_set<GuideMinute> starts_;
};

// "<size>-<hash>" of the file at `path`; empty when it cannot be read.
std::string tableFileStamp(FileSystem& files, const std::string& path);
// Writes `extras` beside the table at `tablePath` as `extrasPath` (whole or
// not at all); an empty set removes the file instead.
bool saveProgrammeExtras(FileSystem& files, const std::string& extrasPath, const std::string& tablePath,
                         const ProgrammeExtras& extras);
// What a reader takes from side files: all they hold, or only the stops of
// programmes cut at the last imported day's end ("e" lines).
enum class ExtrasNeed { All, Stops };
// Adds what `extrasPath` holds for the table at `tablePath`; false when the
// file is missing, too large or written for another table. For
// ExtrasNeed::Stops a file that keeps no stop is passed over (false) before
// its table is hashed: the hash of every table was a week's search's
// largest single cost.
bool loadProgrammeExtras(FileSystem& files, const std::string& extrasPath, const std::string& tablePath,
                         ProgrammeExtras& extras, ExtrasNeed need = ExtrasNeed::All);

// The stop the import kept for `cell`, a programme of `day`, the day table of
// `broadcastDay`, that runs past the day's end; 0 when none is known.
GuideMinute keptStopOf(GuideCache& cache, const ProgrammeTable& day, const ProgrammeCell& cell, int broadcastDay);
// Gives a record cut at its table's end the stop its document knew; before
// finishRecords, which still cuts it at the channel's next start.
void applyProgrammeStops(const ProgrammeExtras& extras, std::vector<ProgrammeRecord>& records);
// The stop of a programme of `channel` and `start` that its table ends at
// `stop`: that, or the later one its document knew.
GuideMinute knownStop(const ProgrammeExtras& extras, const std::string& channel, GuideMinute start, GuideMinute stop);
// Gives each record its extras: the sub-title and episode numbers, the
// marks or'ed into its flags.
void attachProgrammeExtras(const ProgrammeExtras& extras, std::vector<ProgrammeRecord>& records);
