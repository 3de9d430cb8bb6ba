// XmltvGuide: what an XMLTV document holds for a range of broadcast days,
// gathered as the reader hands it over, and given back as one guide page
// per four-hour slot, so that the page reader and the table files treat it
// exactly as a page of the guide service.
//
// Memory: only programmes that touch the range are kept, one per channel
// and start minute (the first), with texts cut by the reader.
#pragma once

#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "listing/programme_extras.h"
#include "programme/guide_page.h"
#include "xmltv/xmltv_genres.h"
#include "xmltv/xmltv_reader.h"

// More columns than any guide needs, well inside what a page may hold.
constexpr int kXmltvMaxChannels = 400;

class XmltvGuide : public XmltvHandler {
 public:
  // Broadcast days firstDay .. lastDay (day numbers). `keep`: the channel
  // ids to show, in their order; empty for every channel of the document.
  XmltvGuide(int firstDay, int lastDay, std::vector<std::string> keep = {});

  bool onChannel(const XmltvChannel& channel) override;
  bool onProgramme(const XmltvProgramme& programme) override;
  bool takeProgramme(XmltvProgramme& programme) override;

  // The broadcast days of the range that some programme touches, in order.
  std::vector<int> days();
  // Ends the reading: each programme's end is settled. After it the guide
  // only answers, so pages of slots may be built on several threads.
  void finish();
  // The page of the slot starting at `slotHour` (5, 9, ..., 25) of `day`.
  GuidePage slotPage(int day, int slotHour);
  // What the programmes shown in that slot carry beyond its page, and the
  // channels' ids, by `names`: the slot table's channel names, one per
  // channel of the guide in its order.
  ProgrammeExtras slotExtras(int day, int slotHour, const std::vector<std::string>& names);
  std::size_t channelCount() const { return channels_.size(); }
  // The programmes kept: one per channel and start.
  std::size_t programmeCount();
  // Programmes of the range left out because their channel was never
  // declared (a tuner server lists its one-seg services' programmes so).
  // A document that declares no channel before its programmes keeps them,
  // each channel named by its id.
  int undeclaredProgrammeCount() const { return undeclaredProgrammes_; }
  // The status line that names them ("チャンネルの宣言がない番組 3件を省きました");
  // empty when there are none.
  std::string undeclaredProgrammeNote() const;
  // The status naming the channels left out because the document held more
  // than a guide keeps (kXmltvMaxChannels); empty when none were.
  std::string channelLimitNote() const;

 private:
  struct Channel {
    std::string id, name;
    std::string type = std::string();
  };
  struct Programme {
    GuideMinute start;
    GuideMinute stop;
    bool hasStop;
    GuideMinute end;  // after finishing: the stop, cut at the next start
    std::string title, desc;
    int colour;
    ProgrammeExtra extra;
  };
  // In the document's order while reading; once finished, by start with
  // one programme per start (the first). A map per channel cost a third of
  // the reading at a household's size.
  using Schedule = std::vector<Programme>;

  // The first programme of `schedule` still running at `slotStart`, or the
  // first to begin after it.
  static Schedule::const_iterator firstShown(const Schedule& schedule, GuideMinute slotStart);
  static void orderByStart(Schedule& schedule);
  static void settle(Schedule& schedule);
  int channelIndex(const std::string& id);
  // The channel whose schedule `programme` goes in; -1 when it is left out.
  int keptChannel(const XmltvProgramme& programme);
  void keep(int channel, Programme programme);

  int firstDay_, lastDay_;
  std::vector<std::string> keep_;
  std::vector<Channel> channels_;
  // Hashed: every programme looks its channel up here and in declared_.
  std::unordered_map<std::string, int> indexOfId_;
  std::vector<Schedule> schedules_;  // one per channel
  std::vector<std::size_t> compactAt_;  // the size at which a channel's schedule is put in order next
  bool finished_ = false;
  std::unordered_set<std::string> declared_;  // ids of every <channel>, kept or not
  int undeclaredProgrammes_ = 0;
  std::set<std::string> overflowChannels_;
  GenreColours genreColours_;  // ids past the limit, as many as declared_ keeps
};
