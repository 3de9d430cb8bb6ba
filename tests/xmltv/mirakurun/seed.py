#!/usr/bin/env python3
"""Two days of a tuner server's guide, made up from a start time: the
server's service and programme databases and its configuration, and the
programme records the export must give back after the import.

usage: seed.py BASE_MS FOLDER
BASE_MS is the first start (ms since the epoch, whole minutes)."""
import json
import os
import sys
from datetime import datetime, timedelta, timezone

JAPAN = timezone(timedelta(hours=9))
NETWORK = 32736

BS_NETWORK = 4

# (network, service id, name, type, channel type): type 1 is television;
# 192 a one-seg service, which the server never declares as a channel but
# whose programmes it lists.
SERVICES = [
    (NETWORK, 1024, "東都テレビ", 1, "GR"),
    (NETWORK, 1032, "髙﨑放送", 1, "GR"),
    (NETWORK, 1040, "ＴＯＫＹＯ　ＭＸ", 1, "GR"),
    (NETWORK, 1048, "テレビ港&北", 1, "GR"),
    (NETWORK, 1440, "東都テレビ ワンセグ", 192, "GR"),
    (BS_NETWORK, 211, "ＢＳ港北", 1, "BS"),
]
# Every so many programmes carry no series, no extended text.
PLAIN_EVERY = 5

# Titles as the server writes them, and what the guide shows and flags.
TITLES = [
    ("ニュース7\U0001F211", "ニュース7[字]", ["字"]),
    ("連続ドラマ「山﨑家の人々」\U0001F21F\U0001F211", "連続ドラマ「山﨑家の人々」[新][字]", ["字", "新"]),
    ("映画「髙橋の夏」\U0001F21E\U0001F213", "映画「髙橋の夏」[再][デ]", ["再", "デ"]),
    ("アニメ ①話\U0001F221", "アニメ ①話[終]", ["終"]),
    ("洋画劇場\U0001F214\U0001F216", "洋画劇場[二][解]", ["二", "解"]),
    ("野球中継 巨人×阪神\U0001F222", "野球中継 巨人×阪神[生]", ["生"]),
    ("料理の時間\U0001F210\U0001F219\U0001F21A\U0001F21B\U0001F21C\U0001F21D",
     "料理の時間[手][映][無][料][前][後]", []),
    ("㈱ⅢのＴＶショップ\U0001F220\U0001F223\U0001F224\U0001F225\U0001F226",
     "㈱ⅢのＴＶショップ[初][販][声][吹][演]", []),
    ("天気予報 <全国> & 地域", "天気予報 <全国> & 地域", []),
]

# (large, middle class numbers) and the guide's genre number (10: none).
GENRES = [
    ((0x7, 0x0), 3),   # アニメ／特撮 - 国内アニメ
    ((0x6, 0x0), 0),   # 映画 - 洋画
    ((0x1, 0x1), 4),   # スポーツ - 野球
    ((0x3, 0x0), 2),   # ドラマ - 国内ドラマ
    ((0x4, 0x0), 1),   # 音楽 - 国内ロック・ポップス
    ((0x2, 0x5), 7),   # 情報／ワイドショー - グルメ・料理
    ((0x0, 0x0), 10),  # ニュース／報道 - 定時・総合
    ((0x5, 0x6), 10),  # バラエティ - 料理バラエティ
]

MINUTES = [30, 60, 15, 45, 120, 25, 90, 55, 5]
GAP_EVERY = 7       # a programme in so many is followed by a gap
GAP_MINUTES = 20
DAYS = 2


def japan_time(ms):
    return datetime.fromtimestamp(ms / 1000, JAPAN).strftime("%Y-%m-%dT%H:%M:%S+09:00")


def seed(base_ms, folder):
    services, programmes, expected = [], [], []
    end_ms = base_ms + DAYS * 24 * 3600 * 1000
    event = 0
    for number, (network, service_id, name, kind, channel_type) in enumerate(SERVICES):
        services.append({"networkId": network, "serviceId": service_id, "name": name, "type": kind,
                         "logoId": -1, "remoteControlKeyId": number + 1,
                         "channel": {"type": channel_type, "channel": channel_of(number, channel_type)}})
        start = base_ms + number * 7 * 60 * 1000  # channels out of step
        index = number * 3
        while start < end_ms:
            minutes = MINUTES[index % len(MINUTES)]
            raw, shown, flags = TITLES[index % len(TITLES)]
            (lv1, lv2), genre = GENRES[index % len(GENRES)]
            event += 1
            stop = start + minutes * 60 * 1000
            programme_id = network * 100000 * 100000 + service_id * 100000 + event
            programme = {"id": programme_id,
                         "eventId": event, "networkId": network, "serviceId": service_id,
                         "startAt": start, "duration": minutes * 60 * 1000, "isFree": True,
                         "name": raw, "description": "出演：山﨑太郎、髙木①子",
                         "genres": [{"lv1": lv1, "lv2": lv2, "un1": 15, "un2": 15}]}
            record = {"channel": name, "start": japan_time(start), "stop": japan_time(stop),
                      "title": shown, "genre": genre, "flags": sorted(flags),
                      "channelId": str(network * 100000 + service_id), "channelType": channel_type,
                      "programId": programme_id, "networkId": network, "serviceId": service_id,
                      "eventId": event, "genreClasses": [[lv1, lv2]]}
            if event % PLAIN_EVERY:
                episode = 1 + event // len(SERVICES)
                programme["extended"] = {"番組内容": f"第{episode}話の内容。\r\n山﨑が①を探す", "出演者": "髙橋\t花子"}
                programme["series"] = {"id": 100 + index % 7, "repeat": 0, "pattern": 1,
                                       "expiresAt": end_ms + 86400000, "episode": episode,
                                       "lastEpisode": 40, "name": raw}
                record["extended"] = f"番組内容\n第{episode}話の内容。\n山﨑が①を探す\n出演者\n髙橋\t花子"
                record["series"] = {"id": 100 + index % 7, "episode": episode, "lastEpisode": 40}
            programmes.append(programme)
            if kind == 1:
                expected.append(record)
            start = stop + (GAP_MINUTES * 60 * 1000 if index % GAP_EVERY == GAP_EVERY - 1 else 0)
            index += 1
    # Programmes in no particular order, as the server keeps them.
    programmes.sort(key=lambda p: (p["eventId"] * 7919) % 1009)
    write(folder, "services.json", services)
    write(folder, "programs.json", programmes)
    write(folder, "expected.json", expected)
    sock = os.path.join(folder, "mirakurun.sock")
    with open(os.path.join(folder, "server.yml"), "w") as f:
        f.write(f"path: {sock}\nport: ~\nlogLevel: 1\ndisableEITParsing: true\ndisableWebUI: true\n")
    with open(os.path.join(folder, "tuners.yml"), "w") as f:
        f.write("- name: seeded\n  types: [GR, BS]\n  command: /bin/false\n  isDisabled: false\n")
    with open(os.path.join(folder, "channels.yml"), "w") as f:
        for number, service in enumerate(SERVICES):
            f.write(f"- name: ch{20 + number}\n  type: {service[4]}\n  channel: '{channel_of(number, service[4])}'\n")


def channel_of(number, channel_type):
    return f"BS{number:02d}_0" if channel_type == "BS" else str(20 + number)


def write(folder, name, data):
    with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
        json.dump(data, f, ensure_ascii=False, indent=0)


if __name__ == "__main__":
    seed(int(sys.argv[1]), sys.argv[2])
