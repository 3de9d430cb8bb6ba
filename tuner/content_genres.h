// ContentGenres: the names of the broadcast's genre classes, as a tuner
// server's XMLTV writes them ("大分類 - 中分類"), so that its JSON's
// classes reach the guide's genres through the XMLTV import's own rule.
#pragma once

#include <string>

// "アニメ／特撮 - 国内アニメ" (Shift-JIS) for classes 7 and 0; the large
// class alone when the middle one has no name; empty for an unnamed or
// reserved large class.
std::string contentGenreText(int lv1, int lv2);
