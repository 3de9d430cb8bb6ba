// Writing responses.
#include "webguide/web_response.h"

#include <cstdio>

const char* reasonPhrase(int status) {
  switch (status) {
    case 200: return "OK";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 421: return "Misdirected Request";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Error";
  }
}

std::string responseBytes(const WebResponse& response, bool headOnly) {
  return response.status == 304 || headOnly ? responseHead(response) : responseHead(response) + response.bodyBytes();
}

std::string responseHead(const WebResponse& response) {
  const bool withBody = response.status != 304;
  std::string bytes = "HTTP/1.0 " + std::to_string(response.status) + " " + reasonPhrase(response.status) + "\r\n";
  if (withBody && !response.contentType.empty()) bytes += "Content-Type: " + response.contentType + "\r\n";
  if (withBody) bytes += "Content-Length: " + std::to_string(response.bodyBytes().size()) + "\r\n";
  for (const auto& header : response.headers) bytes += header.first + ": " + header.second + "\r\n";
  bytes += "Connection: close\r\n\r\n";
  return bytes;
}

WebResponse errorResponse(int status) {
  WebResponse response;
  response.status = status;
  response.contentType = "text/plain; charset=utf-8";
  response.body = std::to_string(status) + " " + reasonPhrase(status) + "\n";
  if (status == 405) response.headers.push_back({"Allow", "GET, HEAD"});
  // Browsers reach the service too: an error is never kept or sniffed.
  response.headers.push_back({"Cache-Control", "no-store"});
  response.headers.push_back({"X-Content-Type-Options", "nosniff"});
  return response;
}
