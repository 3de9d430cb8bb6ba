// RecorderClient: requests, answers and what the error names mean.
#include "recorder/recorder_client.h"

#include <algorithm>

#include "bytes/memory_bytes.h"
#include "json/json_reader.h"
#include "listing/export_text.h"
#include "net/basic_credentials.h"
#include "net/clock.h"
#include "net/http_client.h"
#include "net/http_url.h"
#include "net/transfer_observer.h"
#include "os/text.h"
#include "xmltv/xmltv_text.h"

namespace {

// Error names as the recorder writes them in "errors".
const char kConflictError[] = "ReservationManageModelAddReserveConflict";
const char kAlreadyReservedError[] = "ReservationManageModelCheckReservedProgramError";
// A reserve of the same channel and times exists (a time-specified one asked again).
const char kSameTimesReservedError[] = "AddReservationConflictError";
const char kProgrammeNotFoundError[] = "ProgramIsNotFound";
const char kReserveNotFoundError[] = "ReservationIsNotFound";
const int kPageSize = 100;
const int kMaxPages = 50;

// Keeps an answer's body in memory, within a size and the time limit.
class AnswerKeeper : public TransferObserver {
 public:
  AnswerKeeper(Clock& clock, long long deadline) : clock_(clock), deadline_(deadline) {}
  bool onConnect(const std::string&, int) override { return true; }
  bool onHeaders(const HttpResponse&) override { return true; }
  bool onBodyStart(int) override { return true; }
  bool onByte(int byte) override {
    body += static_cast<char>(byte);
    return stillWanted();
  }
  bool onBytes(const unsigned char* bytes, int count) override {
    body.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
    return stillWanted();
  }
  bool onShortBody(int) override { return false; }
  bool onError(const JobMessage&) override { return true; }
  bool stillWanted() override {
    if (clock_.nowSeconds() < deadline_) return true;
    timedOut = true;
    return false;
  }
  bool onComplete() override { return true; }

  std::string body;
  bool timedOut = false;

 private:
  Clock& clock_;
  long long deadline_;
};

GuideMinute epochMinute() { return guideMinuteOf(japanDateTimeOf(0)); }

// "HTTP 500 Name: message", from whichever of the recorder's error shapes.
std::string answerText(int status, const JsonValue& body) {
  std::string text = "HTTP " + std::to_string(status);
  const JsonValue* errors = body.find("errors");
  std::string name, message = body.stringAt("message");
  if (errors && errors->type == JsonType::String) name = errors->text;
  if (errors && errors->type == JsonType::Array && !errors->items.empty()) message = errors->items[0].stringAt("message");
  if (!name.empty()) text += " " + name;
  if (!message.empty()) text += (name.empty() ? " " : ": ") + message;
  return os::utf8ToCp932(text);
}

RecorderOutcome outcomeOfError(int status, const JsonValue& body) {
  const std::string name = body.stringAt("errors");
  if (name == kConflictError) return RecorderOutcome::Conflict;
  if (name == kAlreadyReservedError || name == kSameTimesReservedError) return RecorderOutcome::AlreadyReserved;
  if (name == kProgrammeNotFoundError || name == kReserveNotFoundError || status == 404) return RecorderOutcome::NotFound;
  return RecorderOutcome::Refused;
}

RecorderReserve reserveOf(const JsonValue& item) {
  RecorderReserve reserve;
  reserve.id = item.integerAt("id");
  reserve.programId = item.integerAt("programId");
  reserve.channelId = item.integerAt("channelId");
  reserve.ruleId = item.integerAt("ruleId");
  reserve.startAt = item.integerAt("startAt");
  reserve.endAt = item.integerAt("endAt");
  reserve.name = guideTextOfUtf8(item.stringAt("name"));
  reserve.isConflict = item.boolAt("isConflict");
  reserve.isSkip = item.boolAt("isSkip");
  reserve.isOverlap = item.boolAt("isOverlap");
  reserve.isTimeSpecified = item.boolAt("isTimeSpecified");
  return reserve;
}

std::string addBody(const ReserveRequest& request) {
  if (request.programId > 0) return "{\"programId\": " + std::to_string(request.programId) + ", \"allowEndLack\": true}";
  std::string body = "{\"allowEndLack\": true, \"timeSpecifiedOption\": {\"name\": ";
  appendJsonString(body, request.name);
  return body + ", \"channelId\": " + std::to_string(request.channelId) + ", \"startAt\": " +
         std::to_string(request.startAt) + ", \"endAt\": " + std::to_string(request.endAt) + "}}";
}

}  // namespace

long long unixMillisecondsOf(GuideMinute minute) { return (minute - epochMinute()) * 60000; }

GuideMinute guideMinuteOfMilliseconds(long long milliseconds) {
  const long long minutes = milliseconds >= 0 ? milliseconds / 60000 : -((-milliseconds + 59999) / 60000);
  return epochMinute() + minutes;
}

bool reserveRequestOf(const ProgrammeRecord& record, ReserveRequest& request) {
  request = ReserveRequest();
  request.programId = record.extra().broadcast.programmeId;
  request.name = record.title;
  request.startAt = unixMillisecondsOf(record.start);
  request.endAt = unixMillisecondsOf(record.stop);
  const std::string& id = record.channelId;
  if (!id.empty() && id.size() <= 15 && id.find_first_not_of("0123456789") == std::string::npos)
    request.channelId = std::stoll(id);
  return request.programId > 0 || request.channelId > 0;
}

RecorderClient::RecorderClient(const std::string& baseUrl, Clock& clock) : baseUrl_(baseUrl), clock_(clock) {}

RecorderResult RecorderClient::exchange(const std::string& method, const std::string& path, const std::string& body,
                                        JsonValue& answer) {
  RecorderResult result;
  HttpUrl url;
  if (!parseHttpUrl(baseUrl_, url)) return result;
  std::string prefix = url.path;
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();
  HttpClient client;
  client.setServer(url.host, url.port);
  client.setReadTimeout(readTimeout_);
  client.setMaxBodyBytes(kRecorderMaxAnswerBytes);
  client.setMethod(method, body);
  if (!url.user.empty()) client.setRequestHeader("authorization", basicCredentials(url.user, url.password));
  AnswerKeeper keeper(clock_, clock_.nowSeconds() + timeLimitSeconds_);
  const bool complete = client.transact(prefix + path, keeper);
  if (!complete) {
    result.outcome = keeper.timedOut ? RecorderOutcome::TimedOut
                     : client.status() == 0 ? RecorderOutcome::Unreachable
                                            : RecorderOutcome::BadAnswer;
    return result;
  }
  StringByteSource source(keeper.body);
  JsonReader reader(source);
  const int status = client.status();
  const bool readable = reader.readDocument(answer);
  if (status >= 200 && status < 300) {
    result.outcome = readable || keeper.body.empty() ? RecorderOutcome::Done : RecorderOutcome::BadAnswer;
    return result;
  }
  if (!readable) answer = JsonValue();
  result.outcome = outcomeOfError(status, answer);
  result.answer = answerText(status, answer);
  return result;
}

RecorderResult RecorderClient::add(const ReserveRequest& request) {
  JsonValue answer;
  RecorderResult result = exchange("POST", "/api/reserves", addBody(request), answer);
  if (result.outcome == RecorderOutcome::Done) {
    result.reserveId = answer.integerAt("reserveId");
    if (result.reserveId <= 0) result.outcome = RecorderOutcome::BadAnswer;
  }
  if (result.outcome == RecorderOutcome::AlreadyReserved) return confirmHeld(request, result);
  if (result.outcome != RecorderOutcome::Conflict) return result;
  std::vector<RecorderReserve> reserves;
  if (list(reserves).outcome != RecorderOutcome::Done) return result;
  for (const RecorderReserve& reserve : reserves) {
    if (!reserve.isSkip && reserve.startAt < request.endAt && reserve.endAt > request.startAt)
      result.conflicts.push_back(reserve);
  }
  return result;
}

// The recorder gives one error for a reserve it holds, one it holds skipped
// (a rule's reserve cancelled), and its own database's failures: only a
// reserve in its list that will record counts as held.
RecorderResult RecorderClient::confirmHeld(const ReserveRequest& request, RecorderResult said) {
  std::vector<RecorderReserve> reserves;
  const RecorderResult listed = list(reserves);
  if (listed.outcome != RecorderOutcome::Done) return listed;
  for (const RecorderReserve& reserve : reserves) {
    const bool same = request.programId > 0 ? reserve.programId == request.programId
                                             : reserve.channelId == request.channelId &&
                                                   reserve.startAt == request.startAt && reserve.endAt == request.endAt;
    if (!same) continue;
    said.reserveId = reserve.id;
    if (reserve.isSkip) {
      said.outcome = RecorderOutcome::Refused;
      said.answer += "; its reserve #" + std::to_string(reserve.id) + " is skipped";
    }
    return said;
  }
  said.outcome = RecorderOutcome::Refused;
  return said;
}

RecorderResult RecorderClient::list(std::vector<RecorderReserve>& reserves) {
  reserves.clear();
  RecorderResult result;
  for (int page = 0; page < kMaxPages; ++page) {
    JsonValue answer;
    result = exchange("GET",
                      "/api/reserves?isHalfWidth=false&type=all&offset=" + std::to_string(page * kPageSize) +
                          "&limit=" + std::to_string(kPageSize),
                      std::string(), answer);
    if (result.outcome != RecorderOutcome::Done) return result;
    const JsonValue* items = answer.find("reserves");
    if (!items || items->type != JsonType::Array) {
      result.outcome = RecorderOutcome::BadAnswer;
      return result;
    }
    for (const JsonValue& item : items->items) reserves.push_back(reserveOf(item));
    const long long total = answer.integerAt("total");
    if (items->items.empty() || static_cast<long long>(reserves.size()) >= total) break;
  }
  return result;
}

RecorderResult RecorderClient::cancel(long long reserveId) {
  JsonValue answer;
  RecorderResult result = exchange("DELETE", "/api/reserves/" + std::to_string(reserveId), std::string(), answer);
  if (result.outcome != RecorderOutcome::Done) return result;
  // The recorder keeps a rule's reserve, skipped, rather than delete it.
  std::vector<RecorderReserve> reserves;
  if (list(reserves).outcome != RecorderOutcome::Done) return result;
  for (const RecorderReserve& reserve : reserves)
    if (reserve.id == reserveId && reserve.isSkip) result.keptSkipped = true;
  return result;
}
