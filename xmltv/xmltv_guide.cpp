// XmltvGuide: keeping the programmes of the range, their ends, and the
// slot pages.
#include "xmltv/xmltv_guide.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "listing/programme_flags.h"
#include "xmltv/xmltv_genres.h"

namespace {

constexpr int kSlotMinutes = 4 * 60;
// A channel's programmes are put in order and rid of repeats when they
// reach this many, then whenever they double.
constexpr std::size_t kFirstCompaction = 1024;

// Beyond this many declarations a document is not a guide's: every
// programme is kept rather than the set grown further.
constexpr std::size_t kMaxDeclaredChannels = 4 * kXmltvMaxChannels;
// チャンネル数が上限の%dを超えたため %zuチャンネルを省きました
const char kChannelLimitNote[] =
    "\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x90\x94\x82\xaa\x8f\xe3\x8c\xc0\x82\xcc%d"
    "\x82\xf0\x92\xb4\x82\xa6\x82\xbd\x82\xbd\x82\xdf\x20%zu"
    "\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xf0\x8f\xc8\x82\xab\x82\xdc\x82\xb5\x82\xbd";
// チャンネルの宣言がない番組 %d件を省きました
const char kUndeclaredNote[] =
    "\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xcc\x90\xe9\x8c\xbe\x82\xaa\x82\xc8\x82\xa2"
    "\x94\xd4\x91\x67 %d\x8c\x8f\x82\xf0\x8f\xc8\x82\xab\x82\xdc\x82\xb5\x82\xbd";
const char kRightQuote[] = "\x81\x68";  // ” in place of a quote the page's alt cannot hold

// The start of the four-hour slot after the one `minute` lies in.
GuideMinute endOfSlot(GuideMinute minute) {
  const GuideMinute dayStart = broadcastDayStart(broadcastDayOf(minute));
  return dayStart + ((minute - dayStart) / kSlotMinutes + 1) * kSlotMinutes;
}

// A channel name as a page header carries it: never empty, no quote.
std::string headerName(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c == '"') out += kRightQuote;
    else out += c;
  }
  return out;
}

// Copied from a programme, or moved from one given to be taken.
template <typename Given>
ProgrammeExtra extraOf(Given&& programme) {
  ProgrammeExtra extra;
  extra.subTitle = std::forward<Given>(programme).subTitle;
  extra.episodes = std::forward<Given>(programme).episodes;
  if (programme.isNew) extra.flags |= kFlagNew;
  if (programme.previouslyShown) extra.flags |= kFlagRepeat;
  if (programme.subtitles) extra.flags |= kFlagSubtitles;
  extra.broadcast = std::forward<Given>(programme).broadcast;
  return extra;
}

GuideMinute slotStartOf(int day, int slotHour) { return broadcastDayStart(day) + (slotHour - kBroadcastDayFirstHour) * 60; }

std::string clockOf(GuideMinute minute) {
  const int ofDay = static_cast<int>(((minute % 1440) + 1440) % 1440);
  char clock[8];
  std::snprintf(clock, sizeof clock, "%02d:%02d", ofDay / 60, ofDay % 60);
  return clock;
}

}  // namespace

XmltvGuide::XmltvGuide(int firstDay, int lastDay, std::vector<std::string> keep)
    : firstDay_(firstDay), lastDay_(lastDay), keep_(std::move(keep)) {
  for (const std::string& id : keep_) {
    if (indexOfId_.count(id) || static_cast<int>(channels_.size()) >= kXmltvMaxChannels) continue;
    indexOfId_[id] = static_cast<int>(channels_.size());
    channels_.push_back({id, std::string()});
    schedules_.emplace_back();
    compactAt_.push_back(kFirstCompaction);
  }
}

int XmltvGuide::channelIndex(const std::string& id) {
  auto found = indexOfId_.find(id);
  if (found != indexOfId_.end()) return found->second;
  if (!keep_.empty()) return -1;
  if (static_cast<int>(channels_.size()) >= kXmltvMaxChannels) {
    if (overflowChannels_.size() < kMaxDeclaredChannels) overflowChannels_.insert(id);
    return -1;
  }
  const int index = static_cast<int>(channels_.size());
  indexOfId_[id] = index;
  channels_.push_back({id, std::string(), std::string()});
  schedules_.emplace_back();
  compactAt_.push_back(kFirstCompaction);
  return index;
}

bool XmltvGuide::onChannel(const XmltvChannel& channel) {
  if (declared_.size() < kMaxDeclaredChannels) declared_.insert(channel.id);
  const int index = channelIndex(channel.id);
  if (index >= 0 && channels_[index].name.empty()) channels_[index].name = channel.name;
  if (index >= 0 && channels_[index].type.empty()) channels_[index].type = channel.type;
  return true;
}

bool XmltvGuide::onProgramme(const XmltvProgramme& programme) {
  const int index = keptChannel(programme);
  if (index < 0) return true;
  keep(index, {programme.start, programme.stop, programme.hasStop, 0, programme.title, programme.desc,
               genreColours_.colourOf(programme.categories), extraOf(programme)});
  return true;
}

bool XmltvGuide::takeProgramme(XmltvProgramme& programme) {
  const int index = keptChannel(programme);
  if (index < 0) return true;
  keep(index, {programme.start, programme.stop, programme.hasStop, 0, std::move(programme.title),
               std::move(programme.desc), genreColours_.colourOf(programme.categories), extraOf(std::move(programme))});
  return true;
}

int XmltvGuide::keptChannel(const XmltvProgramme& programme) {
  const GuideMinute rangeStart = broadcastDayStart(firstDay_);
  const GuideMinute rangeEnd = broadcastDayStart(lastDay_ + 1);
  // A programme without a stop may still run into the range until the
  // next one begins; a day before the range is far enough to look back.
  const bool touches = programme.start < rangeEnd &&
                       (programme.hasStop ? programme.stop > rangeStart
                                          : programme.start >= rangeStart - 1440);
  if (!touches) return -1;
  if (!declared_.empty() && declared_.size() < kMaxDeclaredChannels && !declared_.count(programme.channel) &&
      !indexOfId_.count(programme.channel)) {
    ++undeclaredProgrammes_;
    return -1;
  }
  return channelIndex(programme.channel);
}

void XmltvGuide::keep(int index, Programme programme) {
  Schedule& schedule = schedules_[index];
  schedule.push_back(std::move(programme));
  finished_ = false;
  // A document repeating its programmes must not grow the guide past
  // twice what it keeps.
  if (schedule.size() >= compactAt_[index]) {
    orderByStart(schedule);
    compactAt_[index] = std::max(kFirstCompaction, 2 * schedule.size());
  }
}

// Ends: the stop, or without one the next start (the end of the slot for
// the last); a programme overlapping the next gives way where it begins.
// A stop equal to the start is a length the grabber did not know.
void XmltvGuide::finish() {
  if (finished_) return;
  finished_ = true;
  for (Schedule& schedule : schedules_) settle(schedule);
}

// By start, the first of each start in the order they came.
void XmltvGuide::orderByStart(Schedule& schedule) {
  std::vector<std::pair<GuideMinute, std::size_t>> order;
  order.reserve(schedule.size());
  for (std::size_t i = 0; i < schedule.size(); ++i) order.emplace_back(schedule[i].start, i);
  std::sort(order.begin(), order.end());
  Schedule sorted;
  sorted.reserve(order.size());
  for (const auto& entry : order) {
    if (sorted.empty() || sorted.back().start != entry.first) sorted.push_back(std::move(schedule[entry.second]));
  }
  schedule = std::move(sorted);
}

// Settles the ends of a schedule in order; a programme left with nothing
// to show goes.
void XmltvGuide::settle(Schedule& schedule) {
  orderByStart(schedule);
  for (std::size_t i = 0; i < schedule.size(); ++i) {
    Programme& programme = schedule[i];
    const bool last = i + 1 == schedule.size();
    if (programme.hasStop && programme.stop != programme.start) programme.end = programme.stop;
    else programme.end = last ? endOfSlot(programme.start) : schedule[i + 1].start;
    if (!last) programme.end = std::min(programme.end, schedule[i + 1].start);
  }
  schedule.erase(std::remove_if(schedule.begin(), schedule.end(),
                                [](const Programme& programme) { return programme.end <= programme.start; }),
                 schedule.end());
}

std::vector<int> XmltvGuide::days() {
  finish();
  std::vector<bool> held(static_cast<std::size_t>(std::max(0, lastDay_ - firstDay_ + 1)));
  for (const Schedule& schedule : schedules_) {
    for (const Programme& programme : schedule) {
      const int first = std::max(firstDay_, broadcastDayOf(programme.start));
      const int last = std::min(lastDay_, broadcastDayOf(programme.end - 1));
      for (int day = first; day <= last; ++day) held[static_cast<std::size_t>(day - firstDay_)] = true;
    }
  }
  std::vector<int> days;
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (held[i]) days.push_back(firstDay_ + static_cast<int>(i));
  }
  return days;
}

GuidePage XmltvGuide::slotPage(int day, int slotHour) {
  finish();
  GuidePage page(slotHour);
  std::set<std::string> names;
  for (const Channel& channel : channels_) {
    std::string name = headerName(channel.name.empty() ? channel.id : channel.name);
    // Slots are stacked by channel name: two channels must not share one.
    for (int n = 2; !names.insert(name).second; ++n) {
      name = headerName(channel.id) + "(" + std::to_string(n) + ")";
    }
    page.addChannel(name);
  }
  const GuideMinute slotStart = slotStartOf(day, slotHour);
  const GuideMinute slotEnd = slotStart + kSlotMinutes;
  for (std::size_t channel = 0; channel < schedules_.size(); ++channel) {
    const Schedule& schedule = schedules_[channel];
    for (auto it = firstShown(schedule, slotStart); it != schedule.end() && it->start < slotEnd; ++it) {
      const Programme& kept = *it;
      PageProgramme programme;
      programme.channel = static_cast<int>(channel);
      programme.start = static_cast<int>(std::max(kept.start, slotStart) - slotStart);
      programme.length = static_cast<int>(std::min(kept.end, slotEnd) - slotStart) - programme.start;
      programme.title = kept.title;
      programme.detail = kept.desc;
      programme.colour = kept.colour;
      if (kept.start < slotStart) {
        // Began in an earlier slot: its start written out, as the service does.
        programme.style = StartStyle::Clock;
        programme.clock = clockOf(kept.start);
      }
      page.addProgramme(std::move(programme));
    }
  }
  return page;
}

XmltvGuide::Schedule::const_iterator XmltvGuide::firstShown(const Schedule& schedule, GuideMinute slotStart) {
  auto it = std::upper_bound(schedule.begin(), schedule.end(), slotStart,
                             [](GuideMinute start, const Programme& programme) { return start < programme.start; });
  if (it != schedule.begin() && std::prev(it)->end > slotStart) --it;
  return it;
}

ProgrammeExtras XmltvGuide::slotExtras(int day, int slotHour, const std::vector<std::string>& names) {
  finish();
  ProgrammeExtras extras;
  const GuideMinute slotStart = slotStartOf(day, slotHour);
  const GuideMinute slotEnd = slotStart + kSlotMinutes;
  const GuideMinute dayEnd = broadcastDayStart(day + 1);
  for (std::size_t channel = 0; channel < schedules_.size() && channel < names.size(); ++channel) {
    extras.addChannel(names[channel], channels_[channel].id, channels_[channel].type);
    const Schedule& schedule = schedules_[channel];
    for (auto it = firstShown(schedule, slotStart); it != schedule.end() && it->start < slotEnd; ++it) {
      ProgrammeExtra extra = it->extra;
      // Past the day's end only the next day's table would know the stop.
      if (slotEnd == dayEnd && it->end > slotEnd) extra.stop = it->end;
      extras.addProgramme(names[channel], it->start, extra);
    }
  }
  return extras;
}

std::size_t XmltvGuide::programmeCount() {
  std::size_t count = 0;
  for (Schedule& schedule : schedules_) {
    orderByStart(schedule);
    count += schedule.size();
  }
  return count;
}

std::string XmltvGuide::channelLimitNote() const {
  if (overflowChannels_.empty()) return std::string();
  char note[160];
  std::snprintf(note, sizeof note, kChannelLimitNote, kXmltvMaxChannels, overflowChannels_.size());
  return note;
}

std::string XmltvGuide::undeclaredProgrammeNote() const {
  if (undeclaredProgrammes_ == 0) return std::string();
  char note[128];
  std::snprintf(note, sizeof note, kUndeclaredNote, undeclaredProgrammes_);
  return note;
}
