// JobMessage: what a job shows or fails with, as the sink receives it: the
// text the window shows (Shift-JIS), and the message of job_messages.h it
// is, when it is one, for the command line's English. Free text (a
// server's words, a label) is no known message.
#pragma once

#include <string>
#include <utility>

#include "job/job_messages.h"

struct JobMessage {
  JobMessage(const std::string& freeText) : text(freeText) {}
  JobMessage(const char* freeText) : text(freeText) {}
  JobMessage(const job::Text& message) : known(&message), text(message.japanese) {}
  // A known message with its number filled in or more said after it.
  JobMessage(const job::Text& message, std::string filled) : known(&message), text(std::move(filled)) {}

  bool is(const job::Text& message) const { return known == &message; }

  const job::Text* known = nullptr;
  std::string text;
};

// The message, then what it names: "<japanese><after>".
inline JobMessage operator+(const job::Text& message, const std::string& after) {
  return JobMessage(message, message.japanese + after);
}
// What the message is about, then the message: "<before><japanese>".
inline JobMessage operator+(const std::string& before, const job::Text& message) {
  return JobMessage(message, before + message.japanese);
}
