// The recorder's outcomes in words.
#include "recorder/recorder_outcome.h"

namespace {

struct OutcomeText {
  RecorderOutcome outcome;
  const char* japanese;
  const char* english;
};

const OutcomeText kTexts[] = {
    // 予約しました
    {RecorderOutcome::Done, "\x97\x5c\x96\xf1\x82\xb5\x82\xdc\x82\xb5\x82\xbd", "reserved"},
    // すでに予約されています
    {RecorderOutcome::AlreadyReserved,
     "\x82\xb7\x82\xc5\x82\xc9\x97\x5c\x96\xf1\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7", "already reserved"},
    // ほかの予約と重なるため予約できません
    {RecorderOutcome::Conflict,
     "\x82\xd9\x82\xa9\x82\xcc\x97\x5c\x96\xf1\x82\xc6\x8f\x64\x82\xc8\x82\xe9\x82\xbd\x82\xdf\x97\x5c\x96\xf1\x82\xc5"
     "\x82\xab\x82\xdc\x82\xb9\x82\xf1",
     "refused: it conflicts with other reserves"},
    // 録画サーバーにその番組がありません
    {RecorderOutcome::NotFound,
     "\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xc9\x82\xbb\x82\xcc\x94\xd4\x91\x67\x82\xaa\x82\xa0\x82\xe8"
     "\x82\xdc\x82\xb9\x82\xf1",
     "the recorder does not know the programme"},
    // このチャンネルは録画サーバーのIDがわかりません
    {RecorderOutcome::NoChannelId,
     "\x82\xb1\x82\xcc\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xcd\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b"
     "\x82\xcc" "ID\x82\xaa\x82\xed\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1",
     "the channel has no id the recorder knows"},
    // 録画サーバーが予約を断りました
    {RecorderOutcome::Refused,
     "\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xaa\x97\x5c\x96\xf1\x82\xf0\x92\x66\x82\xe8\x82\xdc\x82\xb5"
     "\x82\xbd",
     "the recorder refused"},
    // 録画サーバーにつながりません
    {RecorderOutcome::Unreachable,
     "\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xc9\x82\xc2\x82\xc8\x82\xaa\x82\xe8\x82\xdc\x82\xb9\x82\xf1",
     "the recorder cannot be reached"},
    // 録画サーバーの返事が時間内にありません
    {RecorderOutcome::TimedOut,
     "\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xcc\x95\xd4\x8e\x96\x82\xaa\x8e\x9e\x8a\xd4\x93\xe0\x82\xc9"
     "\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1",
     "the recorder did not answer in time"},
    // 録画サーバーの返事が読めません
    {RecorderOutcome::BadAnswer,
     "\x98\x5e\x89\xe6\x83\x54\x81\x5b\x83\x6f\x81\x5b\x82\xcc\x95\xd4\x8e\x96\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9"
     "\x82\xf1",
     "the recorder's answer cannot be read"},
};

// 予約を取り消しました
const char kCancelled[] = "\x97\x5c\x96\xf1\x82\xf0\x8e\xe6\x82\xe8\x8f\xc1\x82\xb5\x82\xdc\x82\xb5\x82\xbd";
// その予約はありません
const char kNoSuchReserve[] = "\x82\xbb\x82\xcc\x97\x5c\x96\xf1\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

const OutcomeText& textOf(RecorderOutcome outcome) {
  for (const OutcomeText& text : kTexts) {
    if (text.outcome == outcome) return text;
  }
  return kTexts[0];
}

}  // namespace

const char* recorderOutcomeText(RecorderOutcome outcome, bool cancelling) {
  if (cancelling && outcome == RecorderOutcome::Done) return kCancelled;
  if (cancelling && outcome == RecorderOutcome::NotFound) return kNoSuchReserve;
  return textOf(outcome).japanese;
}

const char* recorderOutcomeEnglish(RecorderOutcome outcome, bool cancelling) {
  if (cancelling && outcome == RecorderOutcome::Done) return "cancelled";
  if (cancelling && outcome == RecorderOutcome::NotFound) return "no such reserve";
  return textOf(outcome).english;
}
