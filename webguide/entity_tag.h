// Entity tags: the validators the guide service and the demo guide give
// their answers, and the reading of a client's If-None-Match.
#pragma once

#include <string>

// A strong tag ("\"...\"") of `bytes`, the same for the same bytes.
std::string etagOf(const std::string& bytes);
// True when an If-None-Match value names `etag` (or is "*"); weak
// validators ("W/...") count.
bool etagMatches(const std::string& ifNoneMatch, const std::string& etag);
