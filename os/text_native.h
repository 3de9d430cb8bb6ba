// The one conversion each side of os/ makes through its own system, under
// the shared rules of os/text.cpp.
#pragma once

#include <string>

namespace os {

// The code page 932 bytes the system gives `codePoint` (U+0080..U+10FFFF,
// no surrogate), without look-alikes where it can; empty when it has none.
std::string nativeCodePointToCp932(unsigned codePoint);

}  // namespace os
