// The lead bytes of the ANSI code page's double-byte characters: the one
// fact both the file functions and the text conversion need.
#pragma once

namespace os {

// True when `byte` starts a double-byte character in the ANSI code page
// (code page 932 rules outside Windows: 0x81-0x9F and 0xE0-0xFC).
bool isLeadByte(unsigned char byte);

}  // namespace os
