// The date form of HTTP headers ("Sun, 06 Nov 1994 08:49:37 GMT"): the
// conditional requests of a refresh, the services' Last-Modified.
#pragma once

#include <cstdint>
#include <string>

// `unixSeconds` (since 1970-01-01 00:00 UTC) as an HTTP date.
std::string httpDate(std::int64_t unixSeconds);
// The seconds an HTTP date names, or -1 when `text` is not one. Only the
// form above is read: it is the one HTTP/1.1 senders must use.
std::int64_t unixTimeOfHttpDate(const std::string& text);
