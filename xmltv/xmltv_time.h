// XmltvTime: the times of an XMLTV document ("YYYYMMDDhhmm[ss] [+HHMM]")
// as minutes on one scale in Japan time, the time the guide is kept in.
#pragma once

#include <string>

// Minutes since the start of day number 0 (see dayNumber), Japan time.
using GuideMinute = long long;

// Parses `text`; false when it is not a valid time. Seconds are dropped; a
// time without an offset is taken as UTC, as XMLTV has it.
bool parseXmltvTime(const std::string& text, GuideMinute& minute);

// The first minute of the broadcast day `dayNumber` (05:00 Japan time).
GuideMinute broadcastDayStart(int dayNumber);
// The broadcast day (day number) that `minute` falls in.
int broadcastDayOf(GuideMinute minute);
