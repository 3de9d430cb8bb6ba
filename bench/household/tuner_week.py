#!/usr/bin/env python3
"""A tuner server's XMLTV week for a household of SERVICES services, as the
server writes it: one <channel> per service with its numeric id (network id
and service id), then every programme in no order, times in UTC, marks as
enclosed symbols, categories as "大分類 - 中分類", texts with code page 932's
extension kanji. The same arguments always give the same bytes.

usage: tuner_week.py SERVICES DAYS FIRST_DATE OUT
FIRST_DATE is the first broadcast date, YYYY-MM-DD (Japan time)."""
import random
import sys
from datetime import datetime, timedelta, timezone

JAPAN = timezone(timedelta(hours=9))

# Network ids: terrestrial (one per station), BS 4, CS 6 and 7.
def services_of(count):
    terrestrial = max(1, count // 5)
    bs = max(1, (count - terrestrial) // 3)
    cs = count - terrestrial - bs
    out = []
    for i in range(terrestrial):
        out.append(("GR", 32736 - 16 * (i // 8), 1024 + 8 * (i % 8), f"東都テレビ{i + 1}"))
    for i in range(bs):
        out.append(("BS", 4, 101 + 10 * i, f"ＢＳ髙﨑{i + 1}"))
    for i in range(cs):
        out.append(("CS", 6 + i % 2, 55 + 2 * i, f"ＣＳ①チャンネル{i + 1}"))
    return out

MARKS = ["\U0001F211", "\U0001F21F", "\U0001F21E", "\U0001F221", "\U0001F214", "\U0001F222", "", "", "", ""]
SERIES = ["連続ドラマ「山﨑家の人々」", "ニュース７", "アニメ「髙橋くんの冒険」", "映画「遠い海の記憶」",
          "プロ野球中継 巨人×阪神", "料理の時間", "㈱ⅢのＴＶショップ", "天気予報 <全国> & 地域",
          "ドキュメント 海の道", "音楽の夜", "旅の手帖", "囲碁・将棋の時間", "こども劇場", "経済ナビ"]
GENRES = ["ドラマ - 国内ドラマ", "ニュース／報道 - 定時・総合", "アニメ／特撮 - 国内アニメ", "映画 - 邦画",
          "スポーツ - 野球", "情報／ワイドショー - グルメ・料理", "情報／ワイドショー - 通販", "ニュース／報道 - 天気",
          "ドキュメンタリー／教養 - 自然・動物・環境", "音楽 - 国内ロック・ポップス", "趣味／教育 - 旅・釣り・アウトドア",
          "趣味／教育 - 囲碁・将棋", "アニメ／特撮 - 特撮", "ニュース／報道 - 経済・市況"]
DESCS = ["出演：山﨑太郎、髙木①子ほか。今夜のテーマは「家族」。視聴者からのおたよりを紹介します。",
         "▽各地の話題と天気▽スポーツ▽特集・冬の旅。ナレーション：橋本㈱一郎",
         "第{n}話「約束の場所」。主人公は再び海へ向かう。声：佐藤花子、鈴木一郎ほか",
         "ⅢつのテーマでⅣ人のゲストが語り合う。司会：髙橋次郎　アシスタント：森①美"]
LENGTHS = [5, 10, 15, 25, 30, 30, 30, 45, 54, 55, 60, 60, 60, 90, 114, 120]

def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")

def stamp(moment):
    return moment.astimezone(timezone.utc).strftime("%Y%m%d%H%M%S +0000")

def document(count, days, first):
    rng = random.Random(count * 1000 + days)
    services = services_of(count)
    begin = datetime(first.year, first.month, first.day, 5, tzinfo=JAPAN)
    end = begin + timedelta(days=days)
    head = ['<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE tv SYSTEM "xmltv.dtd">\n<tv source-info-name="Mirakurun">\n']
    programmes = []
    for number, (kind, network, service, name) in enumerate(services):
        ident = network * 100000 + service
        head.append(f'<channel id="{ident}">\n<display-name>{esc(name)}</display-name>\n'
                    f'<display-name>{number + 1}</display-name>\n</channel>\n')
        moment = begin - timedelta(minutes=rng.choice([0, 10, 30, 55]))  # one already running at 05:00
        episode = rng.randrange(1, 40)
        while moment < end:
            minutes = rng.choice(LENGTHS)
            stop = moment + timedelta(minutes=minutes)
            series = rng.randrange(len(SERIES))
            episode += 1
            title = SERIES[series] + (f" #{episode}" if series in (0, 2) else "") + rng.choice(MARKS)
            desc = rng.choice(DESCS).format(n=episode)
            programmes.append(f'<programme start="{stamp(moment)}" stop="{stamp(stop)}" channel="{ident}">\n'
                              f'<title>{esc(title)}</title>\n<desc>{esc(desc)}</desc>\n'
                              f'<category>{esc(GENRES[series])}</category>\n</programme>\n')
            moment = stop
    rng.shuffle(programmes)
    return "".join(head) + "".join(programmes) + "</tv>\n", len(programmes)

def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    first = datetime.strptime(sys.argv[3], "%Y-%m-%d")
    text, count = document(int(sys.argv[1]), int(sys.argv[2]), first)
    with open(sys.argv[4], "w", encoding="utf-8") as out:
        out.write(text)
    print(count)

if __name__ == "__main__":
    main()
