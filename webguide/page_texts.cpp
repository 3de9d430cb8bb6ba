// The pages' texts in Japanese and English.
#include "webguide/page_texts.h"

#include <cstdio>

#include "listing/genre_names.h"

namespace {

const PageTexts kJapanese = {
    PageLanguage::kJapanese,
    "ja",
    "\x93\xfa\x95t",  // 日付
    "\x8d\xa1\x93\xfa",  // 今日
    "\x94\xd4\x91g\x82\xf0\x92T\x82\xb7\x81i1\x8fT\x8a\xd4\x81j",  // 番組を探す（1週間）
    "\x8c\x9f\x8d\xf5",  // 検索
    "\x8fI\x97\xb9\x82\xb5\x82\xbd\x94\xd4\x91g\x82\xe0",  // 終了した番組も
    "\x82\xb1\x82\xcc\x83}\x83V\x83\x93\x82\xc9\x83L\x83\x83\x83" "b\x83V\x83\x85\x82\xb3\x82\xea\x82\xbd\x94\xd4"
    "\x91g\x95\\\x82\xc5\x82\xb7\x81i\x89{\x97\x97\x82\xcc\x82\xdd\x81j\x81" "B",  // このマシンにキャッシュされた番組表です（閲覧のみ）。
    "\x95\xfa\x91\x97\x92\x86",  // 放送中
    "\x8d\xa1",  // 今
    "\x8d\xa1\x96\xe9 19\x81`23\x8e\x9e",  // 今夜 19～23時
    "\x83`\x83\x83\x83\x93\x83l\x83\x8b",  // チャンネル
    "{}\x82\xcc\x94\xd4\x91g\x82\xcd\x83L\x83\x83\x83" "b\x83V\x83\x85\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
    "\x82\xf1\x81" "B",  // {}の番組はキャッシュにありません。
    "\x93\xfa\x95t\x82\xcd\x8d\xf0\x93\xfa\x82\xa9\x82\xe7" "6\x93\xfa\x90\xe6\x82\xdc\x82\xc5\x82\xcc\x93\xfa"
    "\x82\xf0 YYYY-MM-DD \x82\xc5\x8ew\x92\xe8\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81" "B",  // 日付は昨日から6日先までの日を YYYY-MM-DD で指定してください。
    "\x8c\x9f\x8d\xf5\x82\xcd{}\x83o\x83" "C\x83g\x82\xdc\x82\xc5\x82\xc5\x82\xb7\x81" "B",  // 検索は{}バイトまでです。
    // タイトルや説明にある言葉で探します。-言葉 はその言葉を含まないもの。--channel 局名、
    // --genre ジャンル、--time HH:MM-HH:MM、--weekday 曜日、--regex も使えます。
    "\x83^\x83" "C\x83g\x83\x8b\x82\xe2\x90\xe0\x96\xbe\x82\xc9\x82\xa0\x82\xe9\x8c\xbe\x97t\x82\xc5\x92T\x82\xb5"
    "\x82\xdc\x82\xb7\x81" "B-\x8c\xbe\x97t \x82\xcd\x82\xbb\x82\xcc\x8c\xbe\x97t\x82\xf0\x8a\xdc\x82\xdc\x82\xc8"
    "\x82\xa2\x82\xe0\x82\xcc\x81" "B--channel \x8b\xc7\x96\xbc\x81" "A--genre \x83W\x83\x83\x83\x93\x83\x8b\x81"
    "A--time HH:MM-HH:MM\x81" "A--weekday \x97j\x93\xfa\x81" "A--regex \x82\xe0\x8eg\x82\xa6\x82\xdc\x82\xb7\x81" "B",
    "{}\x8c\x8f",  // {}件
    "{}\x8c\x8f",  // {}件
    "\x8fI\x97\xb9\x82\xb5\x82\xbd{}\x8c\x8f\x82\xcd\x95\\\x8e\xa6\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1"
    "\x81" "B",  // 終了した{}件は表示していません。
    "\x8fI\x97\xb9\x82\xb5\x82\xbd\x94\xd4\x91g\x82\xe0\x95\\\x8e\xa6",  // 終了した番組も表示
    "\x82\xb1\x82\xcc\x8c\x9f\x8d\xf5\x82\xf0\x83J\x83\x8c\x83\x93\x83_\x81[\x82\xc5\x8dw\x93\xc7",  // この検索をカレンダーで購読
    "\x83" "E\x83H\x83" "b\x83\x60",  // ウォッチ
    "\x83" "E\x83H\x83" "b\x83\x60\x82\xcc\x93o\x98\x5e\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "Brokuban-cli watch add \x82\xc5\x93o\x98\x5e\x82\xb5\x82\xdc\x82\xb7\x81" "B",  // ウォッチの登録はありません。rokuban-cli watch add で登録します。
    "\x83" "E\x83H\x83" "b\x83\x60 {}",  // ウォッチ {}
    "\x8d\xa1\x8fT\x82\xcc\x94\xd4\x91g\x82\xc9\x82\xcd\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B",  // 今週の番組には見つかりません。
    "\x8d\xc5\x8b\xdf\x82\xcc\x95\xcf\x8dX",  // 最近の変更
    {"\x8e\x9e\x8a\xd4\x95\xcf\x8dX", "\x89\x84\x92\xb7", "\x92\x86\x8e~", "\x90V\x82\xb5\x82\xa2\x89\xf1"},  // 時間変更 延長 中止 新しい回
    "{}\x82\xcc\x8d\xc4\x95\xfa\x91\x97",  // {}の再放送
    {"\x92\x6e\x8f\xe3", "BS", "CS", "\x91\xbc"},  // 地上 BS CS 他
    "\x81\xa9 \x91\x4f\x82\xd6",  // ← 前へ
    "\x8e\x9f\x82\xd6 \x81\xa8",  // 次へ →
    "\x97\x5c\x96\xf1\x8d\xcf\x82\xdd",  // 予約済み
};

const PageTexts kEnglish = {
    PageLanguage::kEnglish,
    "en",
    "Days",
    "today",
    "Search the week",
    "Search",
    "ended too",
    "Read-only view of this machine's cached guide.",
    "now",
    "Now",
    "Tonight 19-23",
    "Channels",
    "Nothing of {} is in the cache.",
    "The date must be a day from yesterday to six days ahead (YYYY-MM-DD).",
    "The search must be at most {} bytes of text.",
    "Words to find in titles and texts; -word for a word that must not occur; "
    "--channel NAME, --genre NAME, --time HH:MM-HH:MM, --weekday DAYS, --regex.",
    "{} match",
    "{} matches",
    "{} that have ended are not listed.",
    "Show ended programmes too",
    "Calendar feed of this search",
    "Watch list",
    "No watch entries. rokuban-cli watch add makes one.",
    "Watch {}",
    "Nothing in this week's guide.",
    "Recent changes",
    {"Moved", "Extended", "Cancelled", "New episode"},
    "re-air of {}",
    {"Terrestrial", "BS", "CS", "Other"},
    "\x81\xa9 Previous",  // ←
    "Next \x81\xa8",  // →
    "Reserved",
};

}  // namespace

const PageTexts& pageTexts(PageLanguage language) {
  return language == PageLanguage::kEnglish ? kEnglish : kJapanese;
}

std::string filledIn(const char* pattern, const std::string& value) {
  std::string text = pattern;
  const std::size_t at = text.find("{}");
  return at == std::string::npos ? text : text.replace(at, 2, value);
}

std::string dayName(const CalendarDate& date, const PageTexts& texts) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  char text[24];
  if (texts.language == PageLanguage::kEnglish) {
    std::snprintf(text, sizeof text, "%s %d/%d", kDays[date.dayOfWeek % 7], date.month, date.day);
  } else {
    std::snprintf(text, sizeof text, "%d/%d(%s)", date.month, date.day, weekdayKanji(date.dayOfWeek % 7));
  }
  return text;
}

std::string problemText(const QueryProblem& problem, const PageTexts& texts) {
  return texts.language == PageLanguage::kEnglish ? englishText(problem) : japaneseText(problem);
}

std::string genreText(int genre, const PageTexts& texts) {
  std::string text = genreNameJapanese(genre);
  if (texts.language == PageLanguage::kEnglish && !text.empty()) text += std::string(" (") + genreNameEnglish(genre) + ")";
  return text;
}
