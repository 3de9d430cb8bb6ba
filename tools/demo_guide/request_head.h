// The demo guide's reading of a request: the path (also from the absolute
// form a proxy is sent), the headers and the query values.
#pragma once

#include <map>
#include <string>

struct RequestHead {
  std::string path;                             // path and query
  std::map<std::string, std::string> headers;  // names lower-cased
};

RequestHead parseRequestHead(const std::string& head);
// "a=1&b=%20x" as {a: "1", b: " x"}.
std::map<std::string, std::string> parseQuery(const std::string& query);
