// A document in the shape a grabber writes: several languages, +0000 and
// +0100 offsets, a programme without a stop, an overlap, a gap, and a
// channel without programmes. In Japan time its programmes fall on the
// broadcast day of 8 December 2026.
#pragma once

const char kGrabberDocument[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE tv SYSTEM "xmltv.dtd">
<tv source-info-name="sample" generator-info-name="grabber">
  <channel id="one.example">
    <display-name lang="en">Channel One</display-name>
    <display-name lang="ja">第一放送</display-name>
    <icon src="http://127.0.0.1/one.png" />
  </channel>
  <channel id="two.example"><display-name>Two &amp; Co</display-name></channel>
  <channel id="empty.example"><display-name lang="ja">空きチャンネル</display-name></channel>
  <programme start="20261207200000 +0000" stop="20261207213000 +0000" channel="one.example">
    <title lang="en">Night &lt;News&gt;</title>
    <title lang="ja">夜のニュース</title>
    <desc lang="ja">きょうの出来事&#x3002;
二行目</desc>
    <category lang="en">News / Current affairs</category>
  </programme>
  <programme start="20261207213000 +0000" channel="one.example">
    <title>Film &#12300;海&#12301;</title>
    <category>Movie / Drama</category>
    <rating system="x"><value>PG</value></rating>
  </programme>
  <programme start="20261208070000 +0900" stop="20261208100000 +0900" channel="one.example">
    <title>Morning show</title>
    <category lang="en">Leisure hobbies</category>
  </programme>
  <programme start="20261208000000 +0100" stop="20261208020000 +0100" channel="two.example">
    <title><![CDATA[Match ]] day]]></title>
    <category lang="ja">スポーツ</category>
  </programme>
  <programme start="20261208110000 +0900" stop="20261208113000 +0900" channel="two.example">
    <title>Late</title>
    <category>Children's / Youth programmes</category>
  </programme>
  <programme start="20261208090000 +0900" stop="20261208093000 +0900" channel="one.example">
    <title>Flash</title>
  </programme>
  <!-- the end -->
</tv>
)";
