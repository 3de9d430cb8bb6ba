// WebRequest: what the guide service reads of an HTTP/1.0 request head. The
// head comes from the network, so every byte of it is checked; nothing in
// it reaches a file name.
#pragma once

#include <cstddef>
#include <string>

struct WebRequest {
  std::string method;
  std::string path;         // the target without its query
  std::string query;        // what follows "?", still percent-encoded
  std::string ifNoneMatch;  // the If-None-Match value(s), empty when absent
  bool hasHost = false;     // a Host header came (HTTP/1.0 clients may send none)
  std::string host;         // its value
  std::string acceptLanguage;  // the Accept-Language value(s), empty when absent
};

// A head longer than this is refused.
constexpr std::size_t kMaxRequestHeadBytes = 8192;

// Index just past the blank line that ends the head at the start of
// `bytes` (CR LF or bare LF line ends); 0 while it is incomplete.
std::size_t requestHeadEnd(const std::string& bytes);

// 200 and `request` filled for a well-formed GET or HEAD; 405 for a well-formed
// request with another method; 400 for anything malformed (two Host
// headers included).
int parseWebRequest(const std::string& head, WebRequest& request);
