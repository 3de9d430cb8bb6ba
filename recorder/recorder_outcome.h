// RecorderOutcome: what became of a request to the recorder, as a kind,
// and its texts written once: Japanese for the window, English for the
// command line.
#pragma once

#include <string>

enum class RecorderOutcome {
  Done,             // 201 or 200: reserved, listed or cancelled
  AlreadyReserved,  // the same programme is reserved already: no error
  Conflict,         // refused: no tuner left at that time; nothing stored
  NotFound,         // no such programme, or no such reserve
  NoChannelId,      // the guide's channel has no id the recorder knows
  Refused,          // any other error answer (400, 500, ...)
  Unreachable,      // no connection, or it broke
  TimedOut,         // no whole answer within the time limit
  BadAnswer,        // an answer that does not read as the API says
};

// Whether the recorder now holds the reservation asked for.
inline bool isReserved(RecorderOutcome outcome) {
  return outcome == RecorderOutcome::Done || outcome == RecorderOutcome::AlreadyReserved;
}

// Shift-JIS; for a cancel, Done and NotFound say so of the reserve.
const char* recorderOutcomeText(RecorderOutcome outcome, bool cancelling = false);
const char* recorderOutcomeEnglish(RecorderOutcome outcome, bool cancelling = false);
