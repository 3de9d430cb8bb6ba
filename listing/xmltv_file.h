// The XMLTV file the Windows program keeps current (setting "xmltvfile"),
// and the atomic write the exports share: a complete file or the old one,
// never half of one.
#pragma once

#include <string>

#include "calendar/calendar.h"

class GuideCache;
class SettingsStore;

// Writes `bytes` to "`path`.new" and renames it over `path` once complete.
// False (and no temporary left) when any step fails.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// Rewrites the "xmltvfile" of `settings` with the default range's export as
// of `now`. True when written or when the setting is empty.
bool refreshXmltvFile(SettingsStore& settings, const DateTime& now);
// The same through a front end's own cache (of the settings it reads).
bool refreshXmltvFile(GuideCache& cache, const DateTime& now);

// The status line after a failed refresh: "XMLTVファイルを書けません".
extern const char kXmltvFileNotWritten[];
