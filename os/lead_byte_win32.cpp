#include "os/lead_byte.h"

#include <windows.h>

namespace os {

bool isLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

}  // namespace os
