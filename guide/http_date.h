// The date form of HTTP headers ("Sun, 06 Nov 1994 08:49:37 GMT"), for the
// conditional requests of a refresh.
#pragma once

#include <cstdint>
#include <string>

// `unixSeconds` (since 1970-01-01 00:00 UTC) as an HTTP date.
std::string httpDate(std::int64_t unixSeconds);
