#include "tests/support/recorder_double.h"

#include <cstdlib>

#include "bytes/memory_bytes.h"
#include "json/json_reader.h"
#include "os/os.h"

namespace {

const int kPollMilliseconds = 20;
const int kIdleMilliseconds = 2000;

std::string response(int status, const std::string& json) {
  const char* reason = status == 200 ? "OK" : status == 201 ? "Created" : status == 400 ? "Bad Request"
                       : status == 404 ? "Not Found" : "Internal Server Error";
  return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: application/json; charset=utf-8\r\n" +
         "Content-Length: " + std::to_string(json.size()) + "\r\nConnection: close\r\n\r\n" + json;
}

std::string serverError(const std::string& name) {
  return response(500, "{\"code\":500,\"message\":\"" + name + "\",\"errors\":\"" + name + "\"}");
}

std::string badRequest(const std::string& message) {
  return response(400, "{\"status\":400,\"errors\":[{\"message\":\"" + message + "\"}]}");
}

std::string quoted(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

long long parameter(const std::string& query, const std::string& name, long long fallback) {
  const std::size_t at = ("&" + query).find("&" + name + "=");
  return at == std::string::npos ? fallback : std::atoll(query.c_str() + at + name.size() + 1);
}

}  // namespace

RecorderDouble::RecorderDouble(int tuners, int port)
    : tuners_(tuners), socketsStarted_(os::startSockets()), listener_(port), thread_([this] { serve(); }) {}

RecorderDouble::~RecorderDouble() {
  running_ = false;
  thread_.join();
}

void RecorderDouble::addProgramme(const Programme& programme) {
  std::lock_guard<std::mutex> hold(lock_);
  programmes_.push_back(programme);
}

std::vector<RecorderDouble::Reserve> RecorderDouble::reserves() const {
  std::lock_guard<std::mutex> hold(lock_);
  return reserves_;
}

void RecorderDouble::skip(long long reserveId) {
  std::lock_guard<std::mutex> hold(lock_);
  for (Reserve& reserve : reserves_)
    if (reserve.id == reserveId) reserve.skipped = true;
}

void RecorderDouble::giveToRule(long long reserveId) {
  std::lock_guard<std::mutex> hold(lock_);
  for (Reserve& reserve : reserves_)
    if (reserve.id == reserveId) reserve.ofRule = true;
}

std::vector<std::string> RecorderDouble::requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void RecorderDouble::serve() {
  while (running_) {
    os::SocketHandle connection = listener_.acceptWithin(kPollMilliseconds);
    if (connection == os::kNoSocket) continue;
    answer(connection);
    os::closeSocket(connection);
  }
}

void RecorderDouble::answer(os::SocketHandle connection) {
  const std::string head = readRequestHead(connection, kIdleMilliseconds);
  const std::size_t space = head.find(' '), second = head.find(' ', space + 1);
  if (space == std::string::npos || second == std::string::npos) return;
  std::string body;
  const std::size_t length = head.find("Content-Length: ");
  long long remaining = length == std::string::npos ? 0 : std::atoll(head.c_str() + length + 16);
  char block[4096];
  while (remaining > 0) {
    const int n = os::receiveWithin(connection, block, static_cast<int>(std::min<long long>(remaining, sizeof block)),
                                    kIdleMilliseconds);
    if (n <= 0) break;
    body.append(block, static_cast<std::size_t>(n));
    remaining -= n;
  }
  const std::string bytes = respond(head.substr(0, space), head.substr(space + 1, second - space - 1), body);
  const int gap = gap_;
  if (gap == 0) {
    os::sendAll(connection, bytes.data(), static_cast<int>(bytes.size()));
    return;
  }
  const std::size_t lineEnd = bytes.find("\r\n") + 2;
  os::sendAll(connection, bytes.data(), static_cast<int>(lineEnd));
  for (std::size_t i = lineEnd; i < bytes.size() && running_; ++i) {
    os::sleepMilliseconds(gap);
    if (!os::sendAll(connection, &bytes[i], 1)) return;
  }
}

std::string RecorderDouble::respond(const std::string& method, const std::string& target, const std::string& body) {
  std::lock_guard<std::mutex> hold(lock_);
  requests_.push_back(method + " " + target + " " + body);
  const std::size_t question = target.find('?');
  const std::string path = target.substr(0, question);
  const std::string query = question == std::string::npos ? std::string() : target.substr(question + 1);
  const std::string reserveById = "/api/reserves/";
  if (method == "POST" && path == "/api/reserves") return addReserve(body);
  if (method == "GET" && path == "/api/reserves") return listReserves(query);
  if (method == "DELETE" && path.compare(0, reserveById.size(), reserveById) == 0)
    return deleteReserve(std::atoll(path.c_str() + reserveById.size()));
  return response(404, "{\"code\":404,\"message\":\"Not Found\"}");
}

std::string RecorderDouble::addReserve(const std::string& body) {
  StringByteSource source(body);
  JsonReader reader(source);
  JsonValue option;
  if (!reader.readDocument(option) || option.type != JsonType::Object) return badRequest("request body is not JSON");
  const JsonValue* allowEndLack = option.find("allowEndLack");
  if (!allowEndLack || allowEndLack->type != JsonType::Bool)
    return badRequest("request.body should have required property 'allowEndLack'");
  Reserve reserve{0, option.integerAt("programId"), 0, 0, 0, std::string(), false};
  if (reserve.programId > 0) {
    const Programme* found = nullptr;
    for (const Programme& programme : programmes_)
      if (programme.id == reserve.programId) found = &programme;
    if (!found) return serverError("ProgramIsNotFound");
    for (const Reserve& existing : reserves_)
      if (existing.programId == reserve.programId) return serverError("ReservationManageModelCheckReservedProgramError");
    reserve.channelId = found->channelId;
    reserve.startAt = found->startAt;
    reserve.endAt = found->endAt;
    reserve.name = found->name;
  } else if (const JsonValue* timed = option.find("timeSpecifiedOption")) {
    reserve.channelId = timed->integerAt("channelId");
    reserve.startAt = timed->integerAt("startAt");
    reserve.endAt = timed->integerAt("endAt");
    reserve.name = timed->stringAt("name");
    reserve.timeSpecified = true;
    if (reserve.channelId <= 0 || reserve.endAt <= reserve.startAt || reserve.name.empty())
      return badRequest("request.body.timeSpecifiedOption is not valid");
    for (const Reserve& existing : reserves_)
      if (existing.channelId == reserve.channelId && existing.startAt == reserve.startAt &&
          existing.endAt == reserve.endAt)
        return serverError("AddReservationConflictError");
  } else {
    return badRequest("request.body should have programId or timeSpecifiedOption");
  }
  int overlapping = 0;
  for (const Reserve& existing : reserves_)
    if (!existing.skipped && existing.startAt < reserve.endAt && existing.endAt > reserve.startAt) ++overlapping;
  if (overlapping >= tuners_) return serverError("ReservationManageModelAddReserveConflict");
  reserve.id = nextId_++;
  reserves_.push_back(reserve);
  return response(201, "{\"reserveId\":" + std::to_string(reserve.id) + "}");
}

std::string RecorderDouble::listReserves(const std::string& query) const {
  const long long offset = parameter(query, "offset", 0), limit = parameter(query, "limit", 24);
  std::string items;
  for (long long i = offset; i < offset + limit && i < static_cast<long long>(reserves_.size()); ++i) {
    const Reserve& r = reserves_[static_cast<std::size_t>(i)];
    // A reserve conflicts when more than the tuners overlap it.
    int overlapping = 0;
    for (const Reserve& other : reserves_)
      if (!other.skipped && other.startAt < r.endAt && other.endAt > r.startAt) ++overlapping;
    items += std::string(items.empty() ? "" : ",") + "{\"id\":" + std::to_string(r.id) +
             (r.ofRule ? ",\"ruleId\":1" : "") + ",\"isSkip\":" + (r.skipped ? "true" : "false") +
             ",\"isConflict\":" + (!r.skipped && overlapping > tuners_ ? "true" : "false") +
             ",\"isOverlap\":false,\"allowEndLack\":true,\"isTimeSpecified\":" + (r.timeSpecified ? "true" : "false") +
             ",\"isDeleteOriginalAfterEncode\":false" +
             (r.programId > 0 ? ",\"programId\":" + std::to_string(r.programId) : std::string()) +
             ",\"channelId\":" + std::to_string(r.channelId) + ",\"startAt\":" + std::to_string(r.startAt) +
             ",\"endAt\":" + std::to_string(r.endAt) + ",\"name\":" + quoted(r.name) + "}";
  }
  return response(200, "{\"reserves\":[" + items + "],\"total\":" + std::to_string(reserves_.size()) + "}");
}

std::string RecorderDouble::deleteReserve(long long id) {
  for (auto it = reserves_.begin(); it != reserves_.end(); ++it) {
    if (it->id != id) continue;
    if (it->ofRule) it->skipped = true;
    else reserves_.erase(it);
    return response(200, "");
  }
  return serverError("ReservationIsNotFound");
}
