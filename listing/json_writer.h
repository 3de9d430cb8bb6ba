// Programme records as JSON (UTF-8): one object per record with the keys
// channel, channelId, start, stop (ISO 8601 with +09:00), title,
// description, genre, genreName, genreNameEn and flags (the marks found).
// Every command that prints programmes as JSON uses these objects.
#pragma once

#include <string>

#include "listing/programme_record.h"

struct Listing;

// "YYYY-MM-DDTHH:MM:00+09:00", the form of start and stop.
std::string isoJapanTime(GuideMinute minute);

void appendProgrammeJson(std::string& out, const ProgrammeRecord& record);
// The listing's programmes as one array, an object a line.
std::string programmesJson(const Listing& listing);
