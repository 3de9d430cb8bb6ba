// Texts at the edge of the exports: Shift-JIS to UTF-8 (a byte that does
// not convert becomes U+FFFD, the rest of the line stays), escaped for XML
// or JSON or iCalendar.
#pragma once

#include <string>

// Appends `cp932` as XML character data or attribute value: & < > " '
// escaped, control characters that XML cannot hold as U+FFFD.
void appendXmlText(std::string& out, const std::string& cp932);
// The same for text already in UTF-8. The escapes serve HTML text and
// quoted attribute values as well.
void appendXmlUtf8(std::string& out, const std::string& utf8);
// Appends `cp932` as a JSON string with its quotes.
void appendJsonString(std::string& out, const std::string& cp932);
// Appends `cp932` as an iCalendar TEXT value: \ ; , escaped, a line break
// as \n, other control characters as U+FFFD.
void appendIcsText(std::string& out, const std::string& cp932);
