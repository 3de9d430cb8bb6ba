// HeaderMap: HTTP header names to values. Byte order of the names is the
// order of the request header lines on the wire ("Content-Length" sorts
// before the lower-case names).
#pragma once

#include "bytes/string_map.h"

using HeaderMap = StringMap;
