// HtmlHandler: what the HtmlTokenizer reports to. Returning false from any
// operation stops the tokenizer at once.
#pragma once

#include <string>

#include "bytes/string_map.h"

class HtmlHandler {
 public:
  virtual ~HtmlHandler() = default;
  // A run of text, white collapsed and the five entity references decoded.
  virtual bool onText(const std::string& text) = 0;
  // A start tag: lower-case name, attributes with their values as written.
  virtual bool onStartTag(const std::string& name, const StringMap& attributes) = 0;
  // An end tag: lower-case name without the slash.
  virtual bool onEndTag(const std::string& name) = 0;
};
