// SampleSchedule: the made-up programmes. The texts are written here in
// UTF-8 for readability and turned into Shift-JIS once.
#include "tools/guide_pages/sample_schedule.h"

#include <algorithm>
#include <cstdio>

#include "os/text.h"

namespace {

const char* const kChannelNames[] = {
    "東都テレビ", "みなと放送", "関東中央テレビ", "さくらテレビ", "あおば放送", "ひかりテレビ",
    "富士見テレビ", "港北ケーブル", "夕凪チャンネル", "星空放送", "若葉テレビ", "紅葉放送",
    "北斗テレビ", "青空チャンネル",
};
const char* const kChannelPrefixes[] = {"", "ＢＳ", "ＣＳ"};

struct Kind {
  const char* title;
  int colour;
  int shortest;  // minutes
};
const Kind kKinds[] = {
    {"ニュース７", 0xFFFFFF, 5},
    {"おはようニュース", 0xFFFFFF, 30},
    {"天気予報", 0xFFFFFF, 5},
    {"ニュース＆スポーツ & 天気", 0xFFFFFF, 15},
    {"情報番組 <特集>", 0xFFFFFF, 30},
    {"ワイドショー", 0xFFFFFF, 60},
    {"ドキュメンタリー「北の海に生きる」", 0xFFFFFF, 45},
    {"クイズ番組", 0xFFFFFF, 30},
    {"旅の番組「山あいの温泉宿」", 0xFFFFFF, 30},
    {"映画「遠い海の記憶」", 0xFFCCCC, 114},
    {"名作映画劇場", 0xFFCCCC, 120},
    {"歌の広場", 0xCCFFCC, 30},
    {"クラシック音楽館", 0xCCFFCC, 60},
    {"連続ドラマ「春の坂道」", 0xFFFFCC, 15},
    {"時代劇「江戸の風」", 0xFFFFCC, 54},
    {"アニメ「ロボット少年」", 0xCCFFFF, 25},
    {"まんが劇場", 0xCCFFFF, 30},
    {"プロ野球中継", 0xCCCCFF, 150},
    {"サッカー・Ｊリーグ", 0xCCCCFF, 114},
    {"大相撲夏場所", 0xCCCCFF, 60},
    {"今日の料理", 0xFFCC99, 25},
    {"３分クッキング", 0xFFCC99, 10},
};
const char* const kDetails[] = {
    "出演：山田太郎、鈴木花子\n司会：佐藤一郎",
    "全国の天気をお伝えします",
    "第１２話「再会」\n▽ゲスト：田中次郎",
    "▽特集 \"冬の味覚\"\n▽リポート",
    "解説：高橋三郎\n実況：伊藤四郎",
    "字幕放送",
    "",
    "▽今夜のテーマは「家族」\n▽視聴者からのおたより",
};
const char* const kMarks[] = {"[字]", "[再]", "[二]", "[解]", "[新]", "[終]", "[デ]"};
const int kLengths[] = {5, 10, 15, 25, 30, 30, 30, 45, 54, 55, 60, 60, 90, 114, 120};

// A small linear congruential generator: the same day for the same seed on
// every platform.
class Dice {
 public:
  explicit Dice(unsigned seed) : state_(seed) {}
  int roll(int sides) {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ >> 16) & 0x7FFF) % sides;
  }

 private:
  unsigned state_;
};

template <typename T, std::size_t N>
int countOf(const T (&)[N]) {
  return static_cast<int>(N);
}

std::string channelName(int index) {
  const int names = countOf(kChannelNames);
  std::string name = std::string(kChannelPrefixes[(index / names) % 3]) + kChannelNames[index % names];
  if (index >= names * 3) name += std::to_string(index / (names * 3) + 1);
  return os::utf8ToCp932(name);
}

}  // namespace

SampleSchedule sampleSchedule(int channelCount, unsigned seed) {
  SampleSchedule schedule;
  Dice dice(seed);
  const int dayLength = 24 * 60;
  for (int channel = 0; channel < channelCount; ++channel) {
    schedule.channels.push_back(channelName(channel));
    for (int start = 0; start < dayLength;) {
      const Kind& kind = kKinds[dice.roll(countOf(kKinds))];
      int length = std::max(kind.shortest, kLengths[dice.roll(countOf(kLengths))]);
      length = std::min(length, dayLength - start);
      ScheduledProgramme programme;
      programme.channel = channel;
      programme.start = start;
      programme.length = length;
      programme.title = os::utf8ToCp932(kind.title);
      programme.detail = os::utf8ToCp932(kDetails[dice.roll(countOf(kDetails))]);
      programme.colour = kind.colour;
      for (int marks = dice.roll(3); marks > 0; --marks) {
        // A page shows each mark once; the same rolls keep every other day as it was.
        const std::string mark = os::utf8ToCp932(kMarks[dice.roll(countOf(kMarks))]);
        if (std::find(programme.marks.begin(), programme.marks.end(), mark) == programme.marks.end())
          programme.marks.push_back(mark);
      }
      programme.registration = dice.roll(4) == 0;
      schedule.programmes.push_back(programme);
      start += length;
    }
  }
  return schedule;
}

GuidePage slotPage(const SampleSchedule& schedule, int slotHour, int rowsPerHour, int firstChannel,
                   int channelCount) {
  GuidePage page(slotHour, rowsPerHour);
  const int channels = static_cast<int>(schedule.channels.size());
  const int last = channelCount < 0 ? channels : std::min(channels, firstChannel + channelCount);
  for (int channel = firstChannel; channel < last; ++channel) page.addChannel(schedule.channels[channel]);
  const int slotStart = (slotHour - 5) * 60;
  const int slotEnd = slotStart + 4 * 60;
  for (const ScheduledProgramme& scheduled : schedule.programmes) {
    const int end = scheduled.start + scheduled.length;
    if (scheduled.channel < firstChannel || scheduled.channel >= last) continue;
    if (end <= slotStart || scheduled.start >= slotEnd) continue;
    PageProgramme programme;
    programme.channel = scheduled.channel - firstChannel;
    programme.start = std::max(scheduled.start, slotStart) - slotStart;
    programme.length = std::min(end, slotEnd) - slotStart - programme.start;
    programme.title = scheduled.title;
    programme.detail = scheduled.detail;
    programme.colour = scheduled.colour;
    programme.marks = scheduled.marks;
    programme.registration = scheduled.registration;
    if (scheduled.start < slotStart) {
      // Began in an earlier slot: the real start, hours running on past 24.
      char clock[16];
      std::snprintf(clock, sizeof clock, "%02d:%02d", 5 + scheduled.start / 60, scheduled.start % 60);
      programme.style = StartStyle::Clock;
      programme.clock = clock;
    }
    page.addProgramme(programme);
  }
  return page;
}
