// The XMLTV document of a listing (UTF-8): every channel, then every
// programme, in the listing's order. The title is the short title followed
// by the title line's marks ("[新][字]"). Flags with an element of their
// own: 二 <audio><stereo>bilingual</stereo></audio>, 再 <previously-shown/>,
// 終 <last-chance/>, 新 <new/>, 字 <subtitles type="teletext"/>.
#pragma once

#include <string>

#include "listing/programme_record.h"

struct Listing;

std::string xmltvDocument(const Listing& listing);

// "YYYYMMDDHHMMSS +0900" of a moment.
std::string xmltvTime(GuideMinute minute);
