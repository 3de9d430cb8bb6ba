// Reading series and episode from a programme's title.
#include "watch/episode_reading.h"

#include <cstring>

#include "search/search_text.h"

namespace {

// Removes every `mark` from `text`; true when there was one.
bool takeMark(std::string& text, const char* mark) {
  bool found = false;
  for (std::size_t at; (at = text.find(mark)) != std::string::npos; found = true) text.erase(at, std::strlen(mark));
  return found;
}

bool takeMarks(std::string& text, const char* kanji) {
  // Most titles carry no such mark: one look, no marks built.
  if (text.find(kanji) == std::string::npos) return false;
  bool found = false;
  for (const char* open : {"[", "\xE3\x80\x90", "("}) {  // [ 【 (
    const char* close = open[0] == '[' ? "]" : open[0] == '(' ? ")" : "\xE3\x80\x91";
    found = takeMark(text, (std::string(open) + kanji + close).c_str()) || found;
  }
  return found;
}

// Other short marks, [字] [デ] [二] and the like: never part of a title.
void dropShortMarks(std::string& text) {
  for (std::size_t open = 0; (open = text.find('[', open)) != std::string::npos;) {
    const std::size_t close = text.find(']', open);
    if (close == std::string::npos || close - open > 7) {
      ++open;
      continue;
    }
    text.erase(open, close - open + 1);
  }
}

// Kanji numerals up to 99 (十二, 二十一) as UTF-8; -1 when none at `at`.
int kanjiNumber(const std::string& text, std::size_t& at) {
  static const char* const kDigits[] = {"\xE3\x80\x87", "\xE4\xB8\x80", "\xE4\xBA\x8C", "\xE4\xB8\x89", "\xE5\x9B\x9B",
                                        "\xE4\xBA\x94", "\xE5\x85\xAD", "\xE4\xB8\x83", "\xE5\x85\xAB", "\xE4\xB9\x9D"};
  static const char kTen[] = "\xE5\x8D\x81";  // 十
  int value = 0, digit = -1;
  const std::size_t from = at;
  while (at + 3 <= text.size()) {
    if (text.compare(at, 3, kTen) == 0) {
      value += (digit < 0 ? 1 : digit) * 10;
      digit = -1;
      at += 3;
      continue;
    }
    int found = -1;
    for (int d = 0; d < 10; ++d)
      if (text.compare(at, 3, kDigits[d]) == 0) found = d;
    if (found < 0) break;
    digit = digit < 0 ? found : digit * 10 + found;
    at += 3;
  }
  if (at == from) return -1;
  return value + (digit < 0 ? 0 : digit);
}

int number(const std::string& text, std::size_t& at) {
  int value = 0;
  const std::size_t from = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - from < 5) value = value * 10 + (text[at++] - '0');
  return at == from ? kanjiNumber(text, at) : value;
}

struct Found {
  std::size_t begin = std::string::npos, end = 0;
  int number = 0;
};

// 第N話 / 第N回, #N, (N): the first of them in `text`.
Found episodeNumber(const std::string& text) {
  static const char kDai[] = "\xE7\xAC\xAC";                     // 第
  static const char* const kUnits[] = {"\xE8\xA9\xB1", "\xE5\x9B\x9E"};  // 話 回
  Found best;
  for (std::size_t at = 0; at < text.size(); ++at) {
    std::size_t cursor = at;
    int value = -1;
    // The first byte alone rules out almost every place.
    if (text[at] == kDai[0] && text.compare(at, 3, kDai) == 0) {
      cursor += 3;
      value = number(text, cursor);
      bool unit = false;
      for (const char* u : kUnits)
        if (value > 0 && text.compare(cursor, 3, u) == 0) unit = true;
      if (!unit) continue;
      cursor += 3;
    } else if (text[at] == '#') {
      ++cursor;
      value = number(text, cursor);
    } else if (text[at] == '(') {
      ++cursor;
      value = number(text, cursor);
      if (value <= 0 || cursor >= text.size() || text[cursor] != ')') continue;
      ++cursor;
    } else {
      continue;
    }
    if (value > 0) return {at, cursor, value};
  }
  return best;
}

std::string trimmed(std::string text) {
  static const char* const kEdges[] = {" ", "\xE3\x80\x90", "\xE3\x80\x91"};  // 【 】
  for (bool changed = true; changed;) {
    changed = false;
    for (const char* edge : kEdges) {
      const std::size_t n = std::strlen(edge);
      if (text.size() >= n && text.compare(0, n, edge) == 0) text.erase(0, n), changed = true;
      if (text.size() >= n && text.compare(text.size() - n, n, edge) == 0) text.erase(text.size() - n), changed = true;
    }
  }
  return text;
}

// The first 「...」 at or after `from`: its contents, and where it began.
std::string bracketed(const std::string& text, std::size_t from, std::size_t* begin) {
  static const char kOpen[] = "\xE3\x80\x8C", kClose[] = "\xE3\x80\x8D";  // 「 」
  const std::size_t open = text.find(kOpen, from);
  const std::size_t close = open == std::string::npos ? open : text.find(kClose, open);
  if (close == std::string::npos) return std::string();
  if (begin) *begin = open;
  return text.substr(open + 3, close - open - 3);
}

}  // namespace

EpisodeReading readEpisode(const std::string& title, const std::string& text) {
  EpisodeReading reading;
  std::string t = searchFormOfCp932(title);
  reading.isNew = takeMarks(t, "\xE6\x96\xB0");     // 新
  reading.isRepeat = takeMarks(t, "\xE5\x86\x8D");  // 再
  reading.isLast = takeMarks(t, "\xE7\xB5\x82");    // 終
  dropShortMarks(t);
  if (takeMark(t, "\xE5\x89\x8D\xE7\xB7\xA8")) reading.part = 1;  // 前編
  if (takeMark(t, "\xE5\xBE\x8C\xE7\xB7\xA8")) reading.part = 2;  // 後編
  const Found found = episodeNumber(t);
  if (found.number > 0) {
    reading.number = found.number;
    reading.series = trimmed(t.substr(0, found.begin));
    reading.subtitle = bracketed(t, found.end, nullptr);
  } else {
    // Without a number, a 「subtitle」 after the series title names the episode.
    std::size_t open = std::string::npos;
    const std::string subtitle = bracketed(t, 0, &open);
    const bool afterSeries = !subtitle.empty() && !trimmed(t.substr(0, open)).empty();
    reading.subtitle = afterSeries ? subtitle : std::string();
    reading.series = trimmed(afterSeries ? t.substr(0, open) : t);
    reading.number = episodeNumber(searchFormOfCp932(text)).number;
  }
  return reading;
}
