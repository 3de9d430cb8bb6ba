// The synthetic week of the watch list's benchmarks: 40 channels, a
// programme every 30 minutes from 05:00, eight series titled as
// broadcasters title them, from Monday 7 December 2026.
#pragma once

#include <string>

#include "listing/programme_record.h"
#include "os/text.h"

constexpr int kSeriesChannels = 40;
constexpr int kSeriesDays = 7;
constexpr int kSeriesSlots = 48;
constexpr int kSeriesMinutes = 30;

inline const char* const kSeries[] = {
    "アニメ 魔法少女ルル", "連続ドラマ「海の声」", "ニュース７", "世界の車窓から",
    "大河ドラマ 北の海", "きょうの料理", "クイズ ＴＯＫＹＯ", "土曜ドラマ 坂の上",
};

inline int seriesAt(int channel, int slot) { return (slot + channel) % 8; }

inline std::string seriesChannelName(int channel) { return os::utf8ToCp932("チャンネル") + std::to_string(channel + 1); }
inline std::string seriesChannelId(int channel) { return "ch" + std::to_string(channel) + ".tokyo.jp"; }

// The slot's programme without its title.
inline ProgrammeRecord seriesSlot(int channel, int day, int slot) {
  ProgrammeRecord record;
  record.channel = seriesChannelName(channel);
  record.channelId = seriesChannelId(channel);
  record.start = guideMinute(dayNumber(2026, 12, 7) + day, 5 * 60 + slot * kSeriesMinutes);
  record.stop = record.start + kSeriesMinutes;
  record.description = os::utf8ToCp932("出演者 山田太郎 ほか。今週のテーマは冬の旅。（字幕放送）");
  return record;
}
