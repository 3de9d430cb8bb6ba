// The extras beside a slot's table: kept, written, read and attached.
#include "listing/programme_extras.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "bytes/file_system.h"
#include "guide/cache_file_name.h"
#include "guide/guide_cache.h"
#include "listing/day_records.h"
#include "listing/fnv_hash.h"
#include "listing/programme_flags.h"
#include "programme/programme_table.h"

namespace {

const char kMagic[] = "rokuban-extras 1 ";
// The marks a document can give, as the file writes them.
const struct {
  unsigned flag;
  char letter;
} kMarks[] = {{kFlagNew, 'N'}, {kFlagRepeat, 'R'}, {kFlagSubtitles, 'S'}};

// A field of a line: tabs and line ends would split it.
void appendField(std::string& out, const std::string& text) {
  out += '\t';
  for (char c : text) out += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
}

// The tab-separated fields of `line` into `fields`, whose strings keep
// their room for the next line: a week's side files are thousands of lines.
void fieldsInto(const std::string& line, std::vector<std::string>& fields) {
  std::size_t count = 0;
  for (std::size_t from = 0;;) {
    const std::size_t tab = line.find('\t', from);
    const std::size_t end = tab == std::string::npos ? line.size() : tab;
    if (count == fields.size()) fields.emplace_back();
    fields[count++].assign(line, from, end - from);
    if (tab == std::string::npos) break;
    from = tab + 1;
  }
  fields.resize(count);
}

// The whole file, when it is no larger than `limit`.
bool readWhole(FileSystem& files, const std::string& path, long limit, std::string& bytes) {
  std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return false;
  char block[16384];
  for (int n; (n = file->read(block, sizeof block)) != 0;) {
    if (n < 0 || static_cast<long>(bytes.size()) + n > limit) return false;
    bytes.append(block, static_cast<std::size_t>(n));
  }
  return true;
}

// A text whose line breaks matter, in one field: every byte of a
// backslash doubled (a Shift-JIS trail byte may be one), breaks and tabs
// written as \n and \t.
std::string escapedText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c != '\r') out += c;
  }
  return out;
}

std::string unescapedText(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    const char next = field[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
  }
  return out;
}

long long numberField(const std::string& field) {
  char* end = nullptr;
  const long long value = std::strtoll(field.c_str(), &end, 10);
  return end != field.c_str() && !*end ? value : 0;
}

// "7.0,6.1": the genres' classes.
std::string genreField(const std::vector<std::pair<int, int>>& genres) {
  std::string out;
  for (const auto& genre : genres) {
    if (!out.empty()) out += ',';
    out += std::to_string(genre.first) + "." + std::to_string(genre.second);
  }
  return out;
}

std::vector<std::pair<int, int>> genresOfField(const std::string& field) {
  std::vector<std::pair<int, int>> genres;
  int lv1, lv2, used;
  for (const char* p = field.c_str(); genres.size() < kMaxGenreClasses && std::sscanf(p, "%d.%d%n", &lv1, &lv2, &used) == 2;) {
    if (lv1 >= 0 && lv1 < 16 && lv2 >= 0 && lv2 < 16) genres.emplace_back(lv1, lv2);
    p += used;
    if (*p != ',') break;
    ++p;
  }
  return genres;
}

std::string broadcastLine(const std::string& channel, GuideMinute start, const BroadcastDetails& details) {
  std::string out = "b";
  appendField(out, channel);
  appendField(out, std::to_string(start));
  for (long long number : {details.programmeId, static_cast<long long>(details.networkId),
                           static_cast<long long>(details.serviceId), static_cast<long long>(details.eventId)}) {
    appendField(out, std::to_string(number));
  }
  appendField(out, genreField(details.genres));
  for (int number : {details.seriesId, details.episode, details.lastEpisode}) appendField(out, std::to_string(number));
  appendField(out, escapedText(details.extended));
  return out + "\n";
}

// b, channel, start, programme id, network, service, event, genres, series,
// episode, last episode, extended text.
void addBroadcastLine(ProgrammeExtras& extras, const std::vector<std::string>& fields) {
  if (fields.size() < 12) return;
  char* end = nullptr;
  const long long start = std::strtoll(fields[2].c_str(), &end, 10);
  if (end == fields[2].c_str() || *end) return;
  ProgrammeExtra extra;
  const ProgrammeExtra* known = extras.find(fields[1], start);
  if (known) extra = *known;
  BroadcastDetails& details = extra.broadcast;
  details.programmeId = numberField(fields[3]);
  details.networkId = static_cast<int>(numberField(fields[4]));
  details.serviceId = static_cast<int>(numberField(fields[5]));
  details.eventId = static_cast<int>(numberField(fields[6]));
  details.genres = genresOfField(fields[7]);
  details.seriesId = static_cast<int>(numberField(fields[8]));
  details.episode = static_cast<int>(numberField(fields[9]));
  details.lastEpisode = static_cast<int>(numberField(fields[10]));
  details.extended = unescapedText(fields[11]);
  extras.setProgramme(fields[1], start, extra);
}

void addProgrammeLine(ProgrammeExtras& extras, const std::vector<std::string>& fields) {
  // p, channel, start, marks, sub-title, then system and value pairs
  if (fields.size() < 5) return;
  char* end = nullptr;
  const long long start = std::strtoll(fields[2].c_str(), &end, 10);
  if (end == fields[2].c_str() || *end) return;
  // The broadcast line of the same programme comes first.
  const ProgrammeExtra* known = extras.find(fields[1], start);
  ProgrammeExtra extra;
  if (known) {
    extra.broadcast = known->broadcast;
    extra.stop = known->stop;
  }
  for (const auto& mark : kMarks) {
    if (fields[3].find(mark.letter) != std::string::npos) extra.flags |= mark.flag;
  }
  extra.subTitle = fields[4];
  for (std::size_t i = 5; i + 1 < fields.size() && extra.episodes.size() < kMaxEpisodeNumbers; i += 2) {
    extra.episodes.push_back({fields[i], fields[i + 1]});
  }
  extras.setProgramme(fields[1], start, extra);
}

// e, channel, start, stop
void addStopLine(ProgrammeExtraMap& programmes, std::unordered_set<GuideMinute>& starts,
                 const std::vector<std::string>& fields) {
  char* startEnd = nullptr;
  char* stopEnd = nullptr;
  const long long start = std::strtoll(fields[2].c_str(), &startEnd, 10);
  const long long stop = std::strtoll(fields[3].c_str(), &stopEnd, 10);
  if (startEnd == fields[2].c_str() || *startEnd || stopEnd == fields[3].c_str() || *stopEnd || stop <= start) return;
  programmes[std::make_pair(fields[1], start)].stop = stop;
  starts.insert(start);
}

}  // namespace

void ProgrammeExtras::addChannel(const std::string& name, const std::string& sourceId, const std::string& type) {
  if (!sourceId.empty()) sourceIds_.emplace(name, sourceId);
  if (!type.empty()) channelTypes_.emplace(name, type);
}

void ProgrammeExtras::addProgramme(const std::string& channel, GuideMinute start, const ProgrammeExtra& extra) {
  if (extra.empty()) return;
  auto placed = programmes_.emplace(std::make_pair(channel, start), extra);
  starts_.insert(start);
  // A stop line read before its programme's line leaves the rest to fill.
  if (!placed.second && placed.first->second.describesNothing()) {
    const GuideMinute stop = placed.first->second.stop;
    placed.first->second = extra;
    if (stop != 0) placed.first->second.stop = stop;
  }
}

void ProgrammeExtras::setProgramme(const std::string& channel, GuideMinute start, const ProgrammeExtra& extra) {
  if (extra.empty()) return;
  programmes_[std::make_pair(channel, start)] = extra;
  starts_.insert(start);
}

const ProgrammeExtra* ProgrammeExtras::find(const std::string& channel, GuideMinute start) const {
  if (starts_.count(start) == 0) return nullptr;
  auto found = programmes_.find(ChannelStartOrder::Probe{channel, start});
  return found == programmes_.end() ? nullptr : &found->second;
}

std::string ProgrammeExtras::text(const std::string& stamp) const {
  std::string out = kMagic + stamp + "\n";
  for (const auto& channel : sourceIds_) {
    out += 'c';
    appendField(out, channel.first);
    appendField(out, channel.second);
    out += '\n';
  }
  for (const auto& channel : channelTypes_) {
    out += 't';
    appendField(out, channel.first);
    appendField(out, channel.second);
    out += '\n';
  }
  for (const auto& entry : programmes_) {
    const ProgrammeExtra& extra = entry.second;
    if (extra.stop != 0) {
      // A line of its own: readers that know only "c" and "p" pass it by.
      out += 'e';
      appendField(out, entry.first.first);
      appendField(out, std::to_string(entry.first.second));
      appendField(out, std::to_string(extra.stop));
      out += '\n';
    }
    if (!extra.broadcast.empty()) out += broadcastLine(entry.first.first, entry.first.second, extra.broadcast);
    if (extra.describesNothing()) continue;
    std::string marks;
    for (const auto& mark : kMarks) {
      if (extra.flags & mark.flag) marks += mark.letter;
    }
    out += 'p';
    appendField(out, entry.first.first);
    appendField(out, std::to_string(entry.first.second));
    appendField(out, marks);
    appendField(out, extra.subTitle);
    for (const EpisodeNumber& episode : extra.episodes) {
      appendField(out, episode.system);
      appendField(out, episode.value);
    }
    out += '\n';
  }
  return out;
}

bool ProgrammeExtras::addText(const std::string& text, const std::string& stamp) {
  std::istringstream lines(text);
  std::string line;
  if (stamp.empty() || !std::getline(lines, line) || line != kMagic + stamp) return false;
  std::vector<std::string> fields;
  while (std::getline(lines, line)) {
    fieldsInto(line, fields);
    if (fields[0] == "c" && fields.size() == 3) addChannel(fields[1], fields[2]);
    else if (fields[0] == "t" && fields.size() == 3) addChannel(fields[1], std::string(), fields[2]);
    else if (fields[0] == "p") addProgrammeLine(*this, fields);
    else if (fields[0] == "e" && fields.size() == 4) addStopLine(programmes_, starts_, fields);
    else if (fields[0] == "b") addBroadcastLine(*this, fields);
  }
  return true;
}

std::string tableFileStamp(FileSystem& files, const std::string& path) {
  std::unique_ptr<Stream> file = files.openForRead(path);
  if (!file) return std::string();
  Fnv1a32 hash;
  long long size = 0;
  unsigned char block[16384];
  for (int n; (n = file->read(block, sizeof block)) != 0;) {
    if (n < 0) return std::string();
    hash.add(block, static_cast<std::size_t>(n));
    size += n;
  }
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, "%lld-%08x", size, static_cast<unsigned>(hash.value()));
  return stamp;
}

bool saveProgrammeExtras(FileSystem& files, const std::string& extrasPath, const std::string& tablePath,
                         const ProgrammeExtras& extras) {
  if (extras.empty()) return files.remove(extrasPath), true;
  const std::string stamp = tableFileStamp(files, tablePath);
  if (stamp.empty()) return false;
  const std::string text = extras.text(stamp);
  if (static_cast<long>(text.size()) > kMaxProgrammeExtrasBytes) return false;
  const std::string next = extrasPath + ".new";
  std::unique_ptr<Stream> file = files.createForWrite(next);
  if (!file) return false;
  const bool written = file->write(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
  if (!file->close() || !written || !files.replace(next, extrasPath)) {
    files.remove(next);
    return false;
  }
  return true;
}

bool loadProgrammeExtras(FileSystem& files, const std::string& extrasPath, const std::string& tablePath,
                         ProgrammeExtras& extras, ExtrasNeed need) {
  std::string text;
  if (!readWhole(files, extrasPath, kMaxProgrammeExtrasBytes, text)) return false;
  // Stops come from "e" lines alone, and the first line is the stamp's.
  if (need == ExtrasNeed::Stops && text.find("\ne\t") == std::string::npos) return false;
  return extras.addText(text, tableFileStamp(files, tablePath));
}

GuideMinute keptStopOf(GuideCache& cache, const ProgrammeTable& day, const ProgrammeCell& cell, int broadcastDay) {
  const ProgrammeCell* header = day.channelOf(&cell);
  GuideMinute start;
  if (!header || !programmeStart(day, cell, broadcastDay, start)) return 0;
  // Only the day's last slot knows a stop past its end.
  const int key = slotKey(dateFromDayNumber(broadcastDay), kSlotHours[5]);
  ProgrammeExtras extras;
  loadProgrammeExtras(cache.files(), cache.slotFileName(key, kExtrasFileExtension), cache.tableFileName(key), extras);
  const ProgrammeExtra* extra = extras.find(header->body, start);
  return extra ? extra->stop : 0;
}

void applyProgrammeStops(const ProgrammeExtras& extras, std::vector<ProgrammeRecord>& records) {
  for (ProgrammeRecord& record : records) record.stop = knownStop(extras, record.channel, record.start, record.stop);
}

GuideMinute knownStop(const ProgrammeExtras& extras, const std::string& channel, GuideMinute start, GuideMinute stop) {
  const ProgrammeExtra* extra = extras.find(channel, start);
  return extra && extra->stop > stop ? extra->stop : stop;
}

void attachProgrammeExtras(const ProgrammeExtras& extras, std::vector<ProgrammeRecord>& records) {
  for (ProgrammeRecord& record : records) {
    auto type = extras.channelTypes().find(record.channel);
    // Only what is there is written: an extra written to is held out of line.
    if (type != extras.channelTypes().end() && !type->second.empty()) record.editExtra().channelType = type->second;
    const ProgrammeExtra* extra = extras.find(record.channel, record.start);
    if (!extra) continue;
    record.flags |= extra->flags;
    if (!extra->subTitle.empty()) record.editExtra().subTitle = extra->subTitle;
    if (!extra->episodes.empty()) record.editExtra().episodes = extra->episodes;
    if (extra->broadcast.anySet()) record.editExtra().broadcast = extra->broadcast;
  }
}
