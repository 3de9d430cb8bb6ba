// Escaping for the exports.
#include "listing/export_text.h"

#include <cstdio>

#include "os/text.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

}  // namespace

void appendXmlText(std::string& out, const std::string& cp932) { appendXmlUtf8(out, os::cp932ToUtf8(cp932)); }

void appendXmlUtf8(std::string& out, const std::string& utf8) {
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\t': case '\n': out += c; break;
      default:
        if (isControl(c)) out += kReplacement;
        else out += c;
    }
  }
}

void appendJsonString(std::string& out, const std::string& cp932) {
  out += '"';
  const std::string text = os::cp932ToUtf8(cp932);
  // What needs no escape is appended a run at a time: a week is megabytes.
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '"' && c != '\\' && !isControl(c)) continue;
    out.append(text, run, i - run);
    run = i + 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
        out += escaped;
      }
    }
  }
  out.append(text, run, std::string::npos);
  out += '"';
}

void appendIcsText(std::string& out, const std::string& cp932) {
  for (char c : os::cp932ToUtf8(cp932)) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\n': out += "\\n"; break;
      case '\r': break;
      case '\t': out += c; break;
      default:
        if (isControl(c)) out += kReplacement;
        else out += c;
    }
  }
}
