// DemoGuideServer: a small stand-in for the guide web service on loopback,
// so that the program runs on a machine with no Internet, and a target for
// the crawl tests. It serves the prefecture pages and the personal-table
// pages of the coming week, answers the sign-in with a redirect and a session
// cookie, demands that cookie on personal pages, honours "range" requests,
// answers a conditional request for an unchanged page with 304 Not Modified,
// and can be told to misbehave.
//
// Start it, read port(), point the settings at it, and stop() (or destroy)
// it when done. Connections are served by the servers' shared
// ConnectionServer, each on a thread of its own.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/connection_server.h"

struct DemoGuideOptions {
  std::string listenAddress = "127.0.0.1";
  int port = 0;  // 0 picks a free port
  std::string user = "demo-user";
  std::string password = "demo";
  // Misbehaviour, for tests and demonstrations:
  int cutBodies = 0;      // the first N answers of each page stop halfway
  bool refuse = false;    // close every connection without a word
  bool silent = false;    // accept and never answer
  int failStatus = 0;     // answer every page with this status (e.g. 500)
  // Test data for the pages that show the guide: every day, the first
  // programme from 20:00 of the first channel gets a title holding markup.
  bool markupTitle = false;
  // False: every page in full, whatever the request's If-None-Match or
  // If-Modified-Since say.
  bool answersNotModified = true;
};

// What the service would serve at a path: the status line's code and
// reason, headers and body. Pages come from `pageFor`.
struct DemoAnswer {
  int status = 200;
  std::string reason = "OK";
  std::vector<std::string> headers;
  std::string body;
};

class DemoGuideServer {
 public:
  explicit DemoGuideServer(const DemoGuideOptions& options);
  ~DemoGuideServer();
  DemoGuideServer(const DemoGuideServer&) = delete;
  DemoGuideServer& operator=(const DemoGuideServer&) = delete;

  // Listens and starts serving; false when the address cannot be bound.
  bool start();
  void stop();
  int port() const { return port_; }

  // The answer to a request head, before any misbehaviour; public so that
  // it can be tested without a socket.
  DemoAnswer answerFor(const std::string& requestHead);
  // Requests served so far (paths), for tests.
  int requestCount() const { return requestCount_; }
  // Connection threads not yet joined, for tests.
  int connectionThreads() const { return connections_.connectionCount(); }

 private:
  void serve(ConnectionSlot& slot);
  // Whether the request's conditions name the page as the client has it.
  bool unchangedFor(const std::map<std::string, std::string>& headers, const std::string& entityTag) const;
  DemoAnswer signInAnswer(const std::map<std::string, std::string>& query);
  DemoAnswer personalAnswer(const std::map<std::string, std::string>& query,
                            const std::string& cookie);
  DemoAnswer areaAnswer(const std::string& path);
  // How many times a body of `path` was cut already, counting this one.
  int cutsSoFar(const std::string& path);

  DemoGuideOptions options_;
  std::string sessionCookie_;
  // The pages are made afresh from the date alone: none has changed since
  // the service started.
  std::int64_t startedAt_;
  int port_ = -1;
  std::atomic<int> requestCount_{0};
  ConnectionServer connections_;
  std::thread serveThread_;
  std::mutex lock_;
  std::map<std::string, int> cuts_;
};
