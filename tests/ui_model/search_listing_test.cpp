// The search view's rows, their way back to the day table's cells, the
// search dialog's query and the watch list's balloon.
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "listing/channel_ids.h"
#include "listing/day_records.h"
#include "programme/genre_table.h"
#include "recorder/recorder_reservations.h"
#include "tests/ui_model/day_table_builder.h"
#include "ui/model/recorder_reservation.h"
#include "ui/model/reservation.h"
#include "ui/model/search_form.h"
#include "ui/model/search_listing.h"
#include "ui/model/watch_announcement.h"
#include "ui/model/watch_explanation_text.h"
#include "watch/near_miss_reason.h"
#include "watch/watch_changes.h"
#include "watch/watch_check.h"

namespace {

const char kChannel[] = "\x82\xa0\x82\xa8\x82\xce";  // "あおば"
const char kDrama[] = "\x83\x68\x83\x89\x83\x7d";      // "ドラマ"
const int kDramaColour = 0xFFFFCC;

// 2026-12-08, a Tuesday.
int tuesday() { return dayNumber(2026, 12, 8); }

ProgrammeRecord recordAt(int day, int minuteOfDay, const std::string& title, int genre = 10) {
  ProgrammeRecord record;
  record.channel = kChannel;
  record.start = guideMinute(day, minuteOfDay);
  record.stop = record.start + 30;
  record.title = title;
  record.genre = genre;
  return record;
}

TEST(SearchListingTest, RowsNameTheBroadcastDayAndItsClockAfterMidnight) {
  struct Case {
    int minuteOfDay;
    const char* text;
  } cases[] = {
      {21 * 60, "12/08(\x89\xce) 21:00 "},           // 火
      {25 * 60 + 30, "12/08(\x89\xce) 25:30 "},      // the night after still belongs to Tuesday
      {24 * 60 + 5 * 60, "12/09(\x90\x85) 05:00 "},  // 水: the next broadcast day
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(c.text) + kChannel + " T", searchRowText(recordAt(tuesday(), c.minuteOfDay, "T")))
        << c.minuteOfDay;
  }
  const RowLook plain = searchRowLook(recordAt(tuesday(), 600, "T", genreOf(kDramaColour)), false, SystemColours{0x123456, kWhite});
  EXPECT_EQ(colourRefFromRgb(kDramaColour), plain.background);
  EXPECT_EQ(kBlack, plain.textColour);
  const RowLook chosen = searchRowLook(recordAt(tuesday(), 600, "T", genreOf(kDramaColour)), true, SystemColours{0x123456, kWhite});
  EXPECT_EQ(0x123456u, chosen.background);
  EXPECT_EQ(plain.background, chosen.textColour);
}

TEST(SearchListingTest, TheCountSaysWhichListAndWhenItIsEmpty) {
  EXPECT_EQ("\x8c\x9f\x8d\xf5: 12\x8c\x8f", searchCountText(kSearchResults, 12));  // 検索: 12件
  EXPECT_EQ("\x83\x45\x83\x48\x83\x62\x83\x60: 0\x8c\x8f\x81\x69\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x6a",
            searchCountText(kWatchMatches, 0));  // ウォッチ: 0件（見つかりませんでした）
}

TEST(SearchListingTest, TheFirstRowNotEndedIsSelected) {
  const std::vector<ProgrammeRecord> rows{recordAt(tuesday(), 600, "a"), recordAt(tuesday(), 700, "b")};
  EXPECT_EQ(0, firstSearchRowSelected(rows, guideMinute(tuesday(), 500)));
  EXPECT_EQ(1, firstSearchRowSelected(rows, guideMinute(tuesday(), 630)));
  EXPECT_EQ(1, firstSearchRowSelected(rows, guideMinute(tuesday(), 900)));
  EXPECT_EQ(-1, firstSearchRowSelected({}, 0));
}

// Every record of a day finds its own cell again, and its reservation is
// the one the day's own views make, dated by the match's day.
TEST(SearchListingTest, AMatchReservesWhatItsDaysViewReserves) {
  ProgrammeTable day;
  DayTableBuilder builder(day);
  const int column = builder.channel(kChannel);
  builder.programme(column, 21, 0, 60, std::string("\x81\x79") + kDrama + "\x81\x7a\r\n(detail)", kDramaColour);
  builder.programme(column, 22, 0, 60, "news");
  builder.programme(column, 25, 30, 30, "late");
  builder.fillEmptySlots();
  SettingsStore settings;
  ChannelIds ids(settings);
  std::vector<ProgrammeRecord> records;
  appendDayRecords(day, tuesday(), ids, records);
  ASSERT_EQ(3u, records.size());

  ViewState tuesdayView;
  tuesdayView.day = tuesday();
  tuesdayView.date = dateFromDayNumber(tuesday());
  for (const ProgrammeRecord& record : records) {
    const ProgrammeCell* cell = findRecordCell(day, record);
    ASSERT_NE(nullptr, cell) << record.title;
    EXPECT_EQ(reservationArguments(day, *cell, tuesdayView), reservationArguments(day, *cell, dayViewOf(record)));
  }
  EXPECT_NE(std::string::npos, reservationArguments(day, *findRecordCell(day, records[2]), dayViewOf(records[2]))
                                   .find(" 20261209 0130 "));
  EXPECT_EQ(std::string("\x81\x79") + kDrama + "\x81\x7a\r\n(detail)", searchDetailText(records[0], findRecordCell(day, records[0])));

  ProgrammeRecord moved = records[1];
  moved.start += 5;
  EXPECT_EQ(nullptr, findRecordCell(day, moved));
  moved.description = "a\nb";
  EXPECT_EQ("news\r\na\r\nb", searchDetailText(moved, nullptr));
}

TEST(SearchFormTest, TheListsAddAChannelAndAGenreToTheWords) {
  ProgrammeTable day;
  DayTableBuilder builder(day);
  builder.channel(kChannel);
  const std::vector<std::string> channels = searchChannelChoices(day);
  ASSERT_EQ(2u, channels.size());
  ProgrammeQuery query;
  std::string problem;
  ASSERT_TRUE(searchFormQuery("-x", channels, 1, 4, query, problem)) << problem;
  EXPECT_EQ(std::vector<std::string>{kChannel}, query.channels);
  EXPECT_EQ(std::vector<std::string>{"x"}, query.excluded);
  EXPECT_EQ(1u, query.genres.size());
  ASSERT_TRUE(searchFormQuery("", channels, 1, 0, query, problem)) << problem;

  for (const char* bad : {"", "--regex (", "\"open", "--regex (a)\\1", "--regex x{5000}"}) {
    problem.clear();
    EXPECT_FALSE(searchFormQuery(bad, channels, 0, 0, query, problem)) << bad;
    EXPECT_FALSE(problem.empty()) << bad;
  }
  // The window names the problem in Japanese: 正規表現「(」が正しくありません
  searchFormQuery("--regex (", channels, 0, 0, query, problem);
  EXPECT_EQ("\x90\xb3\x8bK\x95\\\x8c\xbb\x81u(\x81v\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",
            problem);
  // 正規表現「x{5000}」は大きすぎます
  searchFormQuery("--regex x{5000}", channels, 0, 0, query, problem);
  EXPECT_EQ("\x90\xb3\x8bK\x95\\\x8c\xbb\x81ux{5000}\x81v\x82\xcd\x91\xe5\x82\xab\x82\xb7\x82\xac\x82\xdc\x82\xb7", problem);
}

TEST(WatchAnnouncementTest, OneBalloonNamingTheFirstTitlesAndTheReservations) {
  WatchAnnouncement announcement;
  EXPECT_FALSE(watchAnnouncement({}, 0, announcement));

  std::vector<ProgrammeRecord> fresh;
  for (const char* title : {"a", "b", "c", "d", "e"}) fresh.push_back(recordAt(tuesday(), 600, title));
  ASSERT_TRUE(watchAnnouncement(fresh, 2, announcement));
  EXPECT_EQ("\x83\x45\x83\x48\x83\x62\x83\x60: 5\x8c\x8f\x82\xcc\x90\x56\x82\xb5\x82\xa2\x94\xd4\x91\x67",
            announcement.title);  // ウォッチ: 5件の新しい番組
  EXPECT_EQ("a\r\nb\r\nc\r\n\x81\x63\r\n2\x8c\x8f\x82\xf0\x98\x5e\x89\xe6\x97\x5c\x96\xf1\x82\xb5\x82\xdc\x82\xb5\x82\xbd",
            announcement.text);  // …, 2件を録画予約しました
  EXPECT_EQ(5, announcement.count);
  EXPECT_EQ(2, announcement.reserved);

  // Long titles fill the shell's buffer, never cutting a character in two.
  std::string longTitle;
  for (int i = 0; i < 100; ++i) longTitle += kDrama;
  ASSERT_TRUE(watchAnnouncement({recordAt(tuesday(), 600, longTitle)}, 0, announcement));
  EXPECT_EQ(kBalloonTextBytes - 2, announcement.text.size());
  EXPECT_TRUE(watchAnnouncement({}, 1, announcement));
}

TEST(WatchAnnouncementTest, ChangedTimesTakeTheBalloonAndMovedReservationsAreRenewed) {
  const ProgrammeRecord game = recordAt(tuesday(), 19 * 60, "game"), film = recordAt(tuesday(), 21 * 60, "film");
  ProgrammeRecord later = film;
  later.start += 30;
  later.stop += 30;
  const WatchChange moved{WatchChangeKind::moved, film, later, true};
  const WatchChange cancelled{WatchChangeKind::cancelled, game, {}, false};
  const WatchChange episode{WatchChangeKind::newEpisode, film, game, true};
  WatchAnnouncement announcement;
  EXPECT_FALSE(addWatchChanges({episode}, 0, announcement));
  EXPECT_TRUE(announcement.title.empty());

  ASSERT_TRUE(watchAnnouncement({game}, 0, announcement));
  ASSERT_TRUE(addWatchChanges({moved, cancelled, episode}, 1, announcement));
  // ウォッチ: 2件の番組の時間が変わりました
  EXPECT_EQ("\x83\x45\x83\x48\x83\x62\x83\x60: 2\x8c\x8f\x82\xcc\x94\xd4\x91\x67\x82\xcc\x8e\x9e\x8a\xd4\x82\xaa"
            "\x95\xcf\x82\xed\x82\xe8\x82\xdc\x82\xb5\x82\xbd",
            announcement.title);
  // film, game, 新しい番組: 1件, then the renewed reservation and the old one left behind
  EXPECT_EQ(0u, announcement.text.find("film\r\ngame\r\n\x90\x56\x82\xb5\x82\xa2\x94\xd4\x91\x67: 1\x8c\x8f\r\n1\x8c\x8f"));
  EXPECT_EQ(2, announcement.changed);
  EXPECT_EQ(1, announcement.count);

  SettingsStore settings;
  EXPECT_TRUE(movedReservations({moved, cancelled}, settings).empty());
  rememberReserved(settings, WatchCheck(), {film, game}, guideMinute(tuesday(), 12 * 60));
  const std::vector<ProgrammeRecord> renewed = movedReservations({moved, cancelled, episode}, settings);
  ASSERT_EQ(1u, renewed.size());
  EXPECT_EQ(later.start, renewed[0].start);
}

TEST(WatchAnnouncementTest, TheRecordersRefusalsAreSaidInJapanese) {
  WatchAnnouncement announcement;
  EXPECT_FALSE(addRecorderRefusals({}, announcement));
  RecorderResult conflict;
  conflict.outcome = RecorderOutcome::Conflict;
  RecorderResult gone;
  gone.outcome = RecorderOutcome::Unreachable;
  const std::vector<RecorderRefusal> refusals = {{recordAt(tuesday(), 600, "a"), conflict},
                                                 {recordAt(tuesday(), 660, "b"), gone}};
  ASSERT_TRUE(addRecorderRefusals(refusals, announcement));
  // ウォッチ: 2件を予約できません
  EXPECT_EQ("\x83\x45\x83\x48\x83\x62\x83\x60: 2\x8c\x8f\x82\xf0\x97\x5c\x96\xf1\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1",
            announcement.title);
  EXPECT_EQ(std::string("a: ") + recorderOutcomeText(RecorderOutcome::Conflict) + "\r\nb: " +
                recorderOutcomeText(RecorderOutcome::Unreachable),
            announcement.text);
  // After the new matches, under their title.
  ASSERT_TRUE(watchAnnouncement({recordAt(tuesday(), 700, "c")}, 1, announcement));
  ASSERT_TRUE(addRecorderRefusals({refusals[0]}, announcement));
  EXPECT_EQ(0u, announcement.title.find("\x83\x45\x83\x48\x83\x62\x83\x60: 1\x8c\x8f\x82\xcc\x90\x56"));
  EXPECT_EQ(std::string("c\r\n1\x8c\x8f\x82\xf0\x98\x5e\x89\xe6\x97\x5c\x96\xf1\x82\xb5\x82\xdc\x82\xb5\x82\xbd\r\n"
                        "1\x8c\x8f\x82\xf0\x97\x5c\x96\xf1\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\r\na: ") +
                recorderOutcomeText(RecorderOutcome::Conflict),
            announcement.text);
}

TEST(RecorderReservationTest, TheBalloonSaysWhatTheRecorderAnswered) {
  RecorderResult result;
  result.outcome = RecorderOutcome::Conflict;
  result.answer = "HTTP 500 ReservationManageModelAddReserveConflict";
  RecorderReserve other;
  other.id = 12;
  other.name = "b";
  other.channelId = 400211;
  result.conflicts = {other};
  const WatchAnnouncement said =
      reservationAnnouncement(recordAt(tuesday(), 600, "a"), result, {{"\x91\xe6\x93\xf1", "400211"}});
  EXPECT_EQ("\x98\x5e\x89\xe6\x97\x5c\x96\xf1: a", said.title);  // 録画予約: a
  EXPECT_EQ(std::string(recorderOutcomeText(RecorderOutcome::Conflict)) +
                "\r\nHTTP 500 ReservationManageModelAddReserveConflict\r\n#12 ",
            said.text.substr(0, said.text.find("#12 ") + 4));
  EXPECT_NE(std::string::npos, said.text.find(" \x91\xe6\x93\xf1 b"));  // on the guide's name of its channel
  EXPECT_EQ(0, said.reserved);
  result = RecorderResult();
  result.outcome = RecorderOutcome::Done;
  EXPECT_EQ(1, reservationAnnouncement(recordAt(tuesday(), 600, "a"), result, {}).reserved);

  // The reserves view's rows: the guide's channel name of the id, conflicts marked.
  RecorderReserve first, second;
  first.id = 1, first.channelId = 3273601024LL, first.name = "x", first.isConflict = true;
  first.startAt = unixMillisecondsOf(guideMinute(tuesday(), 20 * 60));
  first.endAt = first.startAt + 3600000;
  second = first;
  second.channelId = 400211, second.isConflict = false;
  const std::vector<ProgrammeRecord> rows = reserveRecords({first, second}, {{"One", "3273601024"}});
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ("One", rows[0].channel);
  EXPECT_EQ("\x81\x6d\x8f\x64\x95\xa1\x81\x6ex", rows[0].title);  // ［重複］x
  EXPECT_EQ(guideMinute(tuesday(), 20 * 60), rows[0].start);
  EXPECT_EQ(60, rows[0].stop - rows[0].start);
  EXPECT_EQ("400211", rows[1].channel);
  EXPECT_EQ("x", rows[1].title);
}

TEST(SearchListingTest, AReairSaysWhichAiringItRepeats) {
  // （12/08 20:00の再放送）
  EXPECT_EQ("\x81\x69" "12/08 20:00\x82\xcc\x8d\xc4\x95\xfa\x91\x97\x81\x6a", reairNote("a.tokyo.jp/202612082000"));
}

TEST(ViewStateTest, DayMovesLeaveOnlyTheSearchView) {
  ViewState view;
  view.hour = 21;
  view.mode = kGenreView;
  view.key = kDramaColour;
  leaveSearchView(view);
  EXPECT_EQ(kGenreView, view.mode);
  view.mode = kSearchView;
  view.key = kWatchMatches;
  leaveSearchView(view);
  EXPECT_EQ(kTimeView, view.mode);
  EXPECT_EQ(21, view.key);
}

}  // namespace

namespace {

TEST(WatchExplanationTextTest, NamesEachNearMissesReasonInJapanese) {
  ProgrammeQuery query;
  QueryProblem problem;
  // --channel ＮＨＫ --time 19:00-23:00 ニュース -再放送
  ASSERT_TRUE(parseQueryText("--channel \x82\x6d\x82\x67\x82\x6a --time 19:00-23:00 \x83\x6a\x83\x85\x81\x5b\x83\x58 "
                             "-\x8d\xc4\x95\xfa\x91\x97",
                             query, problem));
  WatchExplanation explanation;
  explanation.matches = {recordAt(tuesday(), 19 * 60, "a")};
  explanation.nearMisses = {{recordAt(tuesday(), 7 * 60, "b"), {QueryCondition::kTime, ""}, ""},
                            {recordAt(tuesday(), 21 * 60, "c"), {QueryCondition::kExcluded, "\x8d\xc4\x95\xfa\x91\x97"}, ""}};
  explanation.moreNearMisses = 3;
  const std::string text = watchExplanationText(query, explanation);
  // 一致: 1件, 惜しい番組: 5件, 時間帯 19:00-23:00 の外, 「-再放送」で除外, ほかに 3件
  EXPECT_EQ(0u, text.find("\x88\xea\x92\x76: 1\x8c\x8f\r\n  "));
  EXPECT_NE(std::string::npos, text.find("\x90\xc9\x82\xb5\x82\xa2\x94\xd4\x91\x67: 5\x8c\x8f\r\n"));
  EXPECT_NE(std::string::npos, text.find(" b\r\n      -- \x8e\x9e\x8a\xd4\x91\xd1 19:00-23:00 \x82\xcc\x8a\x4f\r\n"));
  EXPECT_NE(std::string::npos, text.find(" c\r\n      -- \x81\x75-\x8d\xc4\x95\xfa\x91\x97\x81\x76\x82\xc5\x8f\x9c\x8a\x4f\r\n"));
  EXPECT_NE(std::string::npos, text.find("\x82\xd9\x82\xa9\x82\xc9 3\x8c\x8f\r\n"));
  // チャンネルが ＮＨＫ でない
  EXPECT_EQ("\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xaa \x82\x6d\x82\x67\x82\x6a \x82\xc5\x82\xc8\x82\xa2",
            nearMissReason(query, {{}, {QueryCondition::kChannel, ""}, ""}, false));
  // 12/08 20:00 に放送済みの回（--once で除外）
  query.once = true;
  EXPECT_EQ("12/08 20:00\x82\xc9\x95\xfa\x91\x97\x8d\xcf\x82\xdd\x82\xcc\x89\xf1\x81\x69"
            "--once \x82\xc5\x8f\x9c\x8a\x4f\x81\x6a",
            nearMissReason(query, {{}, {QueryCondition::kSeen, ""}, "nhk.tokyo.jp/202612082000"}, false));
}

}  // namespace
