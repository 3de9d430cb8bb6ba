// XmltvTime: the times of an XMLTV document ("YYYYMMDDhhmm[ss] [+HHMM]")
// as minutes on one scale in Japan time, the time the guide is kept in.
#pragma once

#include <string>

#include "calendar/calendar.h"

// Parses `text`; false when it is not a valid time. Seconds are dropped; a
// time without an offset is taken as UTC, as XMLTV has it.
bool parseXmltvTime(const std::string& text, GuideMinute& minute);
