// RecorderClient: the reserves of the recorder at the setting "recorder"
// (EPGStation's REST API under /api): add one by programme id or by channel
// and time, list them all with their conflicts, cancel one. Each request is
// one HTTP/1.0 exchange with limits: the socket's read time-out, a time
// limit for the whole answer, and a largest answer; whatever goes wrong
// comes back as an outcome, never as a guess that it worked.
//
// Calling protocol: construct with the base URL and a clock, then call the
// requests from one thread.
#pragma once

#include <string>
#include <vector>

#include "json/json_value.h"
#include "listing/programme_record.h"
#include "recorder/recorder_outcome.h"

class Clock;

struct RecorderReserve {
  long long id = 0, programId = 0, channelId = 0, ruleId = 0;
  long long startAt = 0, endAt = 0;  // ms since 1970 UTC
  std::string name;                  // Shift-JIS
  bool isConflict = false, isSkip = false, isOverlap = false, isTimeSpecified = false;
};

// What to reserve: by programId when the guide holds one, else a
// time-specified reserve of the channel. The times are sent with a
// time-specified reserve and name the conflicts of either.
struct ReserveRequest {
  long long programId = 0;
  long long channelId = 0;
  long long startAt = 0, endAt = 0;  // ms since 1970 UTC
  std::string name;                  // Shift-JIS
};

struct RecorderResult {
  RecorderOutcome outcome = RecorderOutcome::Unreachable;
  long long reserveId = 0;  // of a reserve just added
  // What the recorder answered, for the message: "HTTP 500
  // ReservationManageModelAddReserveConflict" (Shift-JIS).
  std::string answer;
  // For a conflict: the recorder's reserves at the asked time.
  std::vector<RecorderReserve> conflicts;
  // A cancel that left a rule's reserve in place, skipped: it will not record.
  bool keptSkipped = false;
};

// The request for a programme of the guide; false when it has neither a
// tuner server's programme id nor a channel id of digits (a channel of
// the guide service).
bool reserveRequestOf(const ProgrammeRecord& record, ReserveRequest& request);
long long unixMillisecondsOf(GuideMinute minute);
GuideMinute guideMinuteOfMilliseconds(long long milliseconds);

class RecorderClient {
 public:
  RecorderClient(const std::string& baseUrl, Clock& clock);

  void setReadTimeout(int milliseconds) { readTimeout_ = milliseconds; }
  // For each whole request, its answer included.
  void setTimeLimit(int seconds) { timeLimitSeconds_ = seconds; }

  RecorderResult add(const ReserveRequest& request);
  // Every reserve, page by page, in the recorder's order.
  RecorderResult list(std::vector<RecorderReserve>& reserves);
  RecorderResult cancel(long long reserveId);

 private:
  // An answer of "already reserved" checked against the recorder's list.
  RecorderResult confirmHeld(const ReserveRequest& request, RecorderResult said);
  RecorderResult exchange(const std::string& method, const std::string& path, const std::string& body,
                          JsonValue& answer);

  std::string baseUrl_;
  Clock& clock_;
  int readTimeout_ = 10000;
  int timeLimitSeconds_ = 30;
};

// The largest answer read: a list page of a hundred reserves is some 60 KB.
constexpr int kRecorderMaxAnswerBytes = 4 * 1024 * 1024;
